// The table window's players, win ratios and high scores, and the Customize
// dialog that edits them together with the table's own options.
#include "varenta/table/TableWindow.h"

#include "varenta/engine/Texts.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/store/StorePaths.h"
#include "varenta/table/CardImages.h"
#include "varenta/table/CustomizeDialog.h"
#include "varenta/table/HighScoresDialog.h"
#include "varenta/table/TableStatusBar.h"
#include "varenta/table/TableTextConversion.h"
#include "varenta/table/TableTexts.h"
#include "varenta/table/TableView.h"
#include "varenta/table/WinRatioDialog.h"

#include <QLocale>
#include <QTabWidget>

#include <algorithm>

namespace varenta {

namespace {

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

// ---- options ------------------------------------------------------------------

TableOptions TableWindow::Options() const {
    TableOptions o;
    o.background = background_;
    o.layout = layout_;
    o.showStatusbar = showStatusbar_;
    o.showTurns = showTurns_;
    o.showHighscores = showHighscores_;
    o.level = computerLevel_;
    o.aggression = aggression_;
    o.mouseOption = mouseOption_;
    o.meldDelay = meldDelay_;
    o.cardMovement = cardMovement_;
    o.cardSpeed = cardSpeed_;
    o.autoSave = autoSave_;
    return o;
}

void TableWindow::TakeOptions(const TableOptions& o) {
    background_ = o.background;
    view_->Picture().background = background_;
    showTurns_ = o.showTurns;
    showHighscores_ = o.showHighscores;
    computerLevel_ = std::clamp(o.level, 0, 2);
    aggression_ = std::clamp(o.aggression, 0, 100);
    if (ownComputer_) {
        ownComputer_->SetSettings({static_cast<ComputerLevel>(computerLevel_), aggression_});
    }
    if (mouseOption_ != o.mouseOption) {
        mouseOption_ = o.mouseOption;
        rightCount_ = 0;
        ShowHint(currentHint_); // the discard hint names the clicks
    }
    meldDelay_ = std::max(0, o.meldDelay);
    cardMovement_ = o.cardMovement;
    cardSpeed_ = std::max(0, o.cardSpeed);
    autoSave_ = o.autoSave;
    showStatusbar_ = o.showStatusbar;
    status_->setVisible(showStatusbar_);
    ApplyLayout(std::min(o.layout, LayoutLimit()));
    view_->update();
}

void TableWindow::TakePlayers(const PlayerList& players) {
    players_ = players;
    engine_.SetPlayerName(players_.HasCurrent() ? players_.CurrentName().toStdString()
                                                : std::string());
}

void TableWindow::CustomizeClick(int tab) {
    if (depth_ > 0 || closePending_) {
        return;
    }
    CustomizeServices services;
    services.input = dialogs_.input;
    services.yesNo = dialogs_.yesNo;
    services.refuse = [this](const QString& text) { dialogs_.message(MessageKind::Warning, text); };
    services.error = [this](const QString& text) { dialogs_.message(MessageKind::Error, text); };
    services.chooseColor = dialogs_.chooseColor;
    services.apply = [this](const TableOptions& options, const PlayerList& players) {
        TakePlayers(players);
        TakeOptions(options);
    };
    services.autosavePath = AutosaveFileName();
    CustomizeDialog dialog(Options(), players_, *store_, engine_.State().gameInProgress,
                           LayoutLimit(), services, this);
    auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("pcCustomize"));
    tabs->setCurrentIndex(tab >= 0 && tab < tabs->count() ? tab : customizeTab_);
    dialogs_.modal(dialog);
    customizeTab_ = tabs->currentIndex();
    TakeFocusBack();
}

// ---- win ratio ------------------------------------------------------------------

void TableWindow::RecordGameResult(GameOutcome outcome, int difference) {
    EnterHighScore(HighScoreType::Match, difference);
    CountGameResult(players_, outcome);
    try {
        SavePlayers(*store_, players_, false);
    } catch (const SettingsError& e) {
        dialogs_.message(MessageKind::Error, e.Message());
    }
}

void TableWindow::WinRatioClick() {
    if (depth_ > 0 || closePending_) {
        return;
    }
    if (players_.players.empty()) {
        dialogs_.message(MessageKind::Information, Text(texts::kNoPlayers));
        TakeFocusBack();
        return;
    }
    WinRatioDialog dialog(players_, *store_, dialogs_.yesNo, this);
    dialogs_.modal(dialog);
    TakeFocusBack();
}

// ---- high scores ------------------------------------------------------------------

void TableWindow::RecordHandResult(int difference) {
    highScoreName_.reset(); // a new end of hand asks anew
    EnterHighScore(HighScoreType::Hand, difference);
}

void TableWindow::EnterHighScore(HighScoreType type, int margin) {
    HighScoreTable& table = highScores_.Table(computerLevel_, type);
    const std::int32_t value = HighScoreValue(margin);
    const int place = HighScorePlace(table, value);
    if (place == 0) {
        return;
    }
    HighScoreEntry entry;
    entry.score = value;
    const QDate today = services_.today ? services_.today() : QDate::currentDate();
    entry.date = QLocale().toString(today, QLocale::ShortFormat);
    if (margin <= 0) {
        entry.name = engine_.IsNetworkGame() ? Q(engine_.OpponentName()) : Q(texts::kComputerName);
    } else {
        if (!highScoreName_) {
            highScoreName_ = players_.CurrentName();
            if (showHighscores_ && !closePending_) {
                sounds_->PlaySoundEvent(std::string_view(texts::kSoundHighscore));
                const char* title =
                    type == HighScoreType::Hand ? texts::kHandScoreTitle : texts::kMatchScoreTitle;
                if (const std::optional<QString> answer =
                        dialogs_.input(Text(title), Text(texts::kEnterYourName), *highScoreName_)) {
                    highScoreName_ = *answer;
                }
            }
        }
        entry.name = *highScoreName_;
    }
    InsertHighScore(table, place, entry);
    // Stored before it is shown, so the entry is kept whatever the dialog does.
    try {
        WriteHighScoreTable(*store_, computerLevel_, type, table);
    } catch (const SettingsError& e) {
        dialogs_.message(MessageKind::Error, e.Message());
    }
    if (showHighscores_ && !closePending_) {
        HighScoresDialog dialog(highScores_, *store_, dialogs_.yesNo, computerLevel_, type, place,
                                this);
        dialogs_.modal(dialog);
        TakeFocusBack();
    }
}

void TableWindow::HiscoreClick() {
    if (depth_ > 0 || closePending_) {
        return;
    }
    HighScoresDialog dialog(highScores_, *store_, dialogs_.yesNo, computerLevel_,
                            HighScoreType::Hand, 0, this);
    dialogs_.modal(dialog);
    TakeFocusBack();
}

} // namespace varenta

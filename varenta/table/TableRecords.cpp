#include "varenta/table/TableRecords.h"

#include "varenta/engine/Texts.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/table/HighScoresDialog.h"
#include "varenta/table/TableController.h"
#include "varenta/table/TableMedia.h"
#include "varenta/table/TableSettings.h"
#include "varenta/table/TableTextConversion.h"
#include "varenta/table/TableTexts.h"
#include "varenta/table/TableWindow.h"
#include "varenta/table/WinRatioDialog.h"

#include <QLocale>

namespace varenta {

namespace {

// The current player is always stored first, as "name,wins,losses".
constexpr char kKeyCurrentPlayer[] = "Player Names\\PlayerName1";
constexpr char kNoPlayer[] = "none";

} // namespace

void TableRecords::ReadSettings(SettingsFile& s) {
    showHighscores_ = s.ReadBool(kKeyShowHighscores, true);
    players_ = LoadPlayers(s);
    highScores_ = LoadHighScores(s);
    window_.Engine().SetPlayerName(players_.HasCurrent() ? players_.CurrentName().toStdString()
                                                         : std::string());
}

void TableRecords::TakePlayers(const PlayerList& players) {
    players_ = players;
    window_.Engine().SetPlayerName(players_.HasCurrent() ? players_.CurrentName().toStdString()
                                                         : std::string());
}

QString TableRecords::CurrentPlayerName() const {
    if (players_.HasCurrent()) {
        return players_.CurrentName();
    }
    const QString stored = window_.Store().ReadString(QString::fromLatin1(kKeyCurrentPlayer),
                                                      QString::fromLatin1(kNoPlayer));
    if (stored == QLatin1String(kNoPlayer)) {
        return {};
    }
    return stored.section(QLatin1Char(','), 0, 0);
}

// ---- win ratio ------------------------------------------------------------------

void TableRecords::RecordGameResult(GameOutcome outcome, int difference) {
    EnterHighScore(HighScoreType::Match, difference);
    if (!players_.HasCurrent()) {
        return;
    }
    try {
        WriteUnsaved();
        StoreGameResult(window_.Store(), players_, outcome);
    } catch (const SettingsError& e) {
        CountGameResult(players_, outcome);
        unsavedResults_.push_back({players_.CurrentName(), outcome, true});
        window_.Dialogs().message(MessageKind::Error, e.Message());
    }
}

void TableRecords::WriteUnsaved() {
    while (!unsavedScores_.empty()) {
        const UnsavedScore& unsaved = unsavedScores_.front();
        HighScoreTable stored;
        AddHighScore(window_.Store(), unsaved.level, unsaved.type, unsaved.entry, stored);
        highScores_.Table(unsaved.level, unsaved.type) = stored;
        unsavedScores_.erase(unsavedScores_.begin());
    }
    if (!unsavedResults_.empty()) {
        StoreGameResults(window_.Store(), players_, unsavedResults_);
        unsavedResults_.clear();
    }
}

void TableRecords::WriteUnsavedOnExit() {
    if (!HasUnsaved()) {
        return;
    }
    try {
        WriteUnsaved();
    } catch (const SettingsError& e) {
        window_.Dialogs().message(MessageKind::Error, e.Message());
    }
}

void TableRecords::WinRatioClick() {
    if (window_.Controller().Busy() || window_.Controller().Closing()) {
        return;
    }
    if (players_.players.empty()) {
        window_.Dialogs().message(MessageKind::Information, Tr(texts::kNoPlayers));
        window_.TakeFocusBack();
        return;
    }
    WinRatioDialog dialog(players_, window_.Store(), window_.Dialogs().yesNo, &window_);
    window_.Dialogs().modal(dialog);
    window_.TakeFocusBack();
}

// ---- high scores ------------------------------------------------------------------

void TableRecords::RecordHandResult(int difference) {
    highScoreName_.reset(); // a new end of hand asks anew
    EnterHighScore(HighScoreType::Hand, difference);
}

void TableRecords::EnterHighScore(HighScoreType type, int margin) {
    HighScoreTable& table = highScores_.Table(window_.ComputerLevelIndex(), type);
    const std::int32_t value = HighScoreValue(margin);
    int place = HighScorePlace(table, value);
    if (place == 0) {
        return;
    }
    HighScoreEntry entry;
    entry.score = value;
    const QDate today =
        window_.Services().today ? window_.Services().today() : QDate::currentDate();
    entry.date = QLocale().toString(today, QLocale::ShortFormat);
    if (margin <= 0) {
        entry.name = window_.Engine().IsNetworkGame() ? Q(window_.Engine().OpponentName())
                                                      : Tr(texts::kComputerName);
    } else {
        if (!highScoreName_) {
            highScoreName_ = players_.CurrentName();
            if (showHighscores_ && !window_.Controller().Closing()) {
                window_.Media().Sounds().PlaySoundEvent(std::string_view(texts::kSoundHighscore));
                const char* title =
                    type == HighScoreType::Hand ? texts::kHandScoreTitle : texts::kMatchScoreTitle;
                if (const std::optional<QString> answer = window_.Dialogs().input(
                        Tr(title), Tr(texts::kEnterYourName), *highScoreName_)) {
                    highScoreName_ = *answer;
                }
            }
        }
        entry.name = *highScoreName_;
    }
    // Stored before it is shown, so the entry is kept whatever the dialog
    // does, into the table as stored now: another copy on the same profile
    // may have entered scores since this one read it.
    try {
        WriteUnsaved();
        HighScoreTable stored;
        place = AddHighScore(window_.Store(), window_.ComputerLevelIndex(), type, entry, stored);
        table = stored;
    } catch (const SettingsError& e) {
        // Shown as entered, and written with the next write that succeeds.
        place = HighScorePlace(table, value);
        if (place > 0) {
            InsertHighScore(table, place, entry);
        }
        unsavedScores_.push_back({window_.ComputerLevelIndex(), type, entry});
        window_.Dialogs().message(MessageKind::Error, e.Message());
    }
    if (place == 0) {
        return; // the other copies' scores were higher
    }
    if (showHighscores_ && !window_.Controller().Closing()) {
        HighScoresDialog dialog(highScores_, window_.Store(), window_.Dialogs().yesNo,
                                window_.ComputerLevelIndex(), type, place, &window_);
        window_.Dialogs().modal(dialog);
        window_.TakeFocusBack();
    }
}

void TableRecords::HiscoreClick() {
    if (window_.Controller().Busy() || window_.Controller().Closing()) {
        return;
    }
    HighScoresDialog dialog(highScores_, window_.Store(), window_.Dialogs().yesNo,
                            window_.ComputerLevelIndex(), HighScoreType::Hand, 0, &window_);
    window_.Dialogs().modal(dialog);
    window_.TakeFocusBack();
}

} // namespace varenta

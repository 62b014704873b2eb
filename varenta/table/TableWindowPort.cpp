// The table window as the engine's port: status line, questions, result
// dialogs, sounds, repaints, card animation and pauses.
#include "varenta/table/TableWindow.h"

#include "varenta/engine/Texts.h"
#include "varenta/store/RuleVariants.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/table/HelpWindow.h"
#include "varenta/table/ResultDialogs.h"
#include "varenta/table/SmallWindows.h"
#include "varenta/table/TableStatusBar.h"
#include "varenta/table/TableTextConversion.h"
#include "varenta/table/TableTexts.h"
#include "varenta/table/TableView.h"

#include <QAction>
#include <QApplication>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace varenta {

// ---- the port: status line and menus --------------------------------------------

QString TableWindow::HintText(Hint hint) const {
    if (hint == Hint::MeldOrDiscard || hint == Hint::MeldOrDiscardTwice) {
        hint = mouseOption_ == 0 ? Hint::MeldOrDiscard : Hint::MeldOrDiscardTwice;
    }
    switch (hint) {
    case Hint::MeldMode:
        return QString::fromUtf8(texts::kHintMeldMode);
    case Hint::DiscardMode:
        return QString::fromUtf8(texts::kHintDiscardMode);
    case Hint::WildMode:
        return QString::fromUtf8(texts::kHintWildMode);
    default:
        break;
    }
    const int index = HintIndex(hint);
    if (index < 0 || index >= static_cast<int>(std::size(texts::kHints))) {
        return {};
    }
    return Q(texts::kHints[index]);
}

void TableWindow::ShowHint(Hint hint) {
    currentHint_ = hint;
    status_->ShowHintText(HintText(hint));
}

void TableWindow::ShowError(int errorIndex, std::string_view reason) {
    if (errorIndex <= 0 || errorIndex >= static_cast<int>(std::size(texts::kErrors))) {
        ShowHint(currentHint_);
        return;
    }
    QString text = Q(texts::kErrors[errorIndex]);
    if (errorIndex == texts::kErrorDiscardNotPossible) {
        text += Q(reason);
    }
    status_->ShowErrorText(text);
}

void TableWindow::SetRulesMenuHint(std::string_view text) {
    if (QAction* rules = Action(QStringLiteral("Rules1"))) {
        rules->setStatusTip(StatusText(text));
    }
}

void TableWindow::SetUndoEnabled(bool enabled) {
    Action(QStringLiteral("UndoMeld1"))->setEnabled(enabled);
    Action(QStringLiteral("UndoAll1"))->setEnabled(enabled);
}

void TableWindow::UpdatePanels() {
    const GameState& s = engine_.State();
    status_->SetPanel(TableStatusBar::kPlayerMeld, engine_.PlayerMeldValue());
    status_->SetPanel(TableStatusBar::kOpponentMeld, s.opponentMeldPoints);
    status_->SetPanel(TableStatusBar::kPlayerScore, s.playerScore);
    status_->SetPanel(TableStatusBar::kOpponentScore, s.opponentScore);
    status_->SetMeldMinimum(s.initialMeldMinimum);
}

// ---- the port: questions and results ----------------------------------------------

void TableWindow::ShowMessage(MessageKind kind, std::string_view text) {
    if (closePending_) {
        return;
    }
    QString shown = Q(text);
    shown.replace(QLatin1String("\r "), QLatin1String("\n"));
    shown.replace('\r', '\n');
    dialogs_.message(kind, shown);
    TakeFocusBack();
}

bool TableWindow::AskYesNo(std::string_view question) {
    if (closePending_) {
        return false; // No always leaves the state unchanged
    }
    const bool yes = dialogs_.yesNo(Q(question));
    TakeFocusBack();
    return yes;
}

void TableWindow::CloseTurnNotice() {
    noticeTimer_.stop();
    if (notice_) {
        notice_->close();
        notice_->deleteLater();
        notice_ = nullptr;
        // The other open windows come back to the front.
        if (help_ && help_->isVisible()) {
            help_->raise();
        }
    }
}

void TableWindow::ShowTurnNotice(std::string_view text) {
    if (!showTurns_ || !isVisible() || closePending_) {
        return;
    }
    CloseTurnNotice();
    notice_ = new TurnNotice(Q(text), view_);
    notice_->show();
    noticeTimer_.start(kTurnNoticeMs);
}

void TableWindow::ShowHandResult(const HandResult& result) {
    UpdatePanels();
    RepaintTable();
    if (closePending_) {
        return;
    }
    std::function<void(bool)> showOpponent;
    if (!engine_.IsNetworkGame()) {
        // The computer's hand is turned up while the details are open, and
        // afterwards is as it was before (Ctrl + F11 may have shown it).
        const bool shownBefore = engine_.State().opponentCardsShown;
        showOpponent = [this, shownBefore](bool show) {
            show = show || shownBefore;
            if (engine_.State().opponentCardsShown != show) {
                engine_.ToggleOpponentCards();
                view_->repaint();
            }
        };
    }
    HandResultDialog dialog(result, showOpponent, this);
    dialogs_.handResult(dialog);
    TakeFocusBack();
}

bool TableWindow::ShowGameOver(const GameOverResult& result) {
    UpdatePanels();
    if (closePending_) {
        return true;
    }
    GameOverDialog dialog(result, this);
    const bool again = dialogs_.gameOver(dialog);
    TakeFocusBack();
    return again;
}

void TableWindow::TakeFocusBack() {
    // The keys belong to the table again once a modal window has closed,
    // also where no window manager hands the focus back.
    if (isVisible()) {
        activateWindow();
        view_->setFocus();
    }
}

void TableWindow::PlaySound(std::string_view eventName) {
    sounds_->PlaySoundEvent(eventName);
}

bool TableWindow::InitialBlockSetting(bool current) {
    return store_->ReadBool(kKeyInitialBlock, current);
}

// ---- the port: painting, animation, time -------------------------------------------

void TableWindow::RepaintRect(int /*x*/, int /*y*/, int /*width*/, int /*height*/) {
    // The whole table is repainted: the counters, the labels and the
    // opponent's hand (drawn grouped by rank, away from the cards' own x)
    // lie outside the area a move names, and a full paint costs little.
    UpdatePanels();
    view_->repaint();
}

void TableWindow::RepaintTable() {
    UpdatePanels();
    view_->repaint();
}

void TableWindow::MoveCard(const Card& card, int fromX, int fromY, int toX, int toY, bool flash) {
    lastMoveSteps_ = 0;
    if (!cardMovement_ || busyMark_ || clock_->Aborted()) {
        return;
    }
    busyMark_ = true;
    const bool ownCursor = !waitCursor_;
    if (ownCursor) {
        SetWaitCursor(true);
    }
    const QSize size(engine_.Geometry().cardWidth, engine_.Geometry().cardHeight);
    const double dx = toX - fromX;
    const double dy = toY - fromY;
    const int stepLength = cardSpeed_ * 4 + 1;
    const int steps = static_cast<int>(std::lround(std::sqrt(dx * dx + dy * dy) / stepLength));
    const int stepMs = std::clamp(kMaxMoveMs / std::max(1, steps), 1, kStepMs);
    MovingCard moving{CardImageIndex(card), card.code, {fromX, fromY}, {toX, toY}, {}, false};
    QRect last(QPoint(fromX, fromY), size);
    auto drawAt = [&](QPoint at) {
        moving.at = at;
        view_->Picture().moving = moving;
        const QRect now(at, size);
        view_->repaint(last.united(now));
        last = now;
    };
    for (int i = 1; i <= steps && !clock_->Aborted(); ++i) {
        drawAt(QPoint(static_cast<int>(std::lround(fromX + dx * i / steps)),
                      static_cast<int>(std::lround(fromY + dy * i / steps))));
        ++lastMoveSteps_;
        clock_->Pause(stepMs);
    }
    if (steps == 0) {
        drawAt(QPoint(toX, toY));
    }
    if (flash && !clock_->Aborted()) {
        moving.inverted = true;
        drawAt(QPoint(toX, toY));
        clock_->Pause(kFlashMs);
    }
    view_->Picture().moving.reset();
    // The engine lays the card down and repaints it right after this returns.
    view_->update(last);
    busyMark_ = false;
    if (ownCursor) {
        SetWaitCursor(false);
    }
}

void TableWindow::Delay(int milliseconds) {
    clock_->Pause(milliseconds);
}

void TableWindow::OpponentMeldPause() {
    UpdatePanels();
    view_->repaint();
    clock_->Pause(meldDelay_);
}

void TableWindow::SetWaitCursor(bool on) {
    if (on == waitCursor_) {
        return;
    }
    waitCursor_ = on;
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

} // namespace varenta

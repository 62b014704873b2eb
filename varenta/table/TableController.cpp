#include "varenta/table/TableController.h"

#include "varenta/engine/Texts.h"
#include "varenta/store/RuleVariants.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/table/ResultDialogs.h"
#include "varenta/table/SmallWindows.h"
#include "varenta/table/TableMedia.h"
#include "varenta/table/TableRecords.h"
#include "varenta/table/TableSettings.h"
#include "varenta/table/TableStatusBar.h"
#include "varenta/table/TableTextConversion.h"
#include "varenta/table/TableTexts.h"
#include "varenta/table/TableTranslation.h"
#include "varenta/table/TableView.h"
#include "varenta/table/TableWindow.h"

#include <QAction>
#include <QApplication>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace varenta {

namespace {

// The rank keys of the keyboard modes and their table columns.
int ColumnOfRankKey(int key) {
    if (key >= Qt::Key_2 && key <= Qt::Key_9) {
        return key - Qt::Key_2 + 1;
    }
    switch (key) {
    case Qt::Key_0:
        return 9;
    case Qt::Key_J:
        return 10;
    case Qt::Key_Q:
        return 11;
    case Qt::Key_K:
        return 12;
    case Qt::Key_A:
        return 13;
    case Qt::Key_W:
        return 0;
    default:
        return -1;
    }
}

// X keycodes of the digit row: 10 is "1", 19 is "0".
constexpr quint32 kDigitRowFirst = 10;
constexpr quint32 kDigitRowLast = 19;

MeldMode ModeOf(Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ShiftModifier) {
        return MeldMode::Shift;
    }
    if (modifiers & Qt::ControlModifier) {
        return MeldMode::Ctrl;
    }
    return MeldMode::Plain;
}

} // namespace

TableController::TableController(TableWindow& window, VarentaEngine& engine, TableClock* clock,
                                 ComputerTurnHook* computer, ComputerSettings computerSettings)
    : window_(window), engine_(engine), clock_(clock), computer_(computer) {
    if (clock_ == nullptr) {
        ownClock_ = std::make_unique<EventLoopClock>();
        clock_ = ownClock_.get();
    }
    if (computer_ == nullptr) {
        ownComputer_ = std::make_unique<ComputerPlayer>(computerSettings);
        computer_ = ownComputer_.get();
    }
    SettingsFile& s = window_.Store();
    showTurns_ = s.ReadBool(kKeyShowTurns, true);
    mouseOption_ = s.ReadString(kKeyMouseOptions, kSingleRightClick) == kSingleRightClick ? 0 : 1;
    meldDelay_ = std::clamp(s.ReadInteger(kKeyDelay, 300), 0, 10000);
    cardMovement_ = s.ReadBool(kKeyCardMovement, true);
    cardSpeed_ = std::clamp(s.ReadInteger(kKeyCardSpeed, 10), 0, 100);
    engine_.SetPort(this);
    engine_.SetComputerHook(computer_);
    noticeTimer_.setSingleShot(true);
    QObject::connect(&noticeTimer_, &QTimer::timeout, [this] { CloseTurnNotice(); });
}

TableController::~TableController() {
    engine_.SetPort(nullptr);
    engine_.SetComputerHook(nullptr);
    if (waitCursor_) {
        QApplication::restoreOverrideCursor();
    }
    delete notice_;
}

void TableController::RunEngine(const std::function<void()>& operation) {
    ++depth_;
    operation();
    --depth_;
    if (depth_ > 0) {
        return;
    }
    UpdatePanels();
    if (afterwards) {
        afterwards();
    }
}

void TableController::SetClosing() {
    closePending_ = true;
    clock_->Abort();
}

void TableController::EndProgram() {
    SetClosing();
    if (depth_ == 0) {
        QTimer::singleShot(0, &window_, &QWidget::close);
    }
}

TurnNotice* TableController::Notice() const {
    return notice_.data();
}

void TableController::ForgetRightClick() {
    rightClicked_ = {};
    rightCount_ = 0;
}

void TableController::FillOptions(TableOptions& o) const {
    o.showTurns = showTurns_;
    o.mouseOption = mouseOption_;
    o.meldDelay = meldDelay_;
    o.cardMovement = cardMovement_;
    o.cardSpeed = cardSpeed_;
}

void TableController::TakeOptions(const TableOptions& o) {
    showTurns_ = o.showTurns;
    if (ownComputer_) {
        ownComputer_->SetSettings({static_cast<ComputerLevel>(std::clamp(o.level, 0, 2)),
                                   std::clamp(o.aggression, 0, 100)});
    }
    if (mouseOption_ != o.mouseOption) {
        mouseOption_ = o.mouseOption;
        rightCount_ = 0;
        ShowHint(currentHint_); // the discard hint names the clicks
    }
    meldDelay_ = std::max(0, o.meldDelay);
    cardMovement_ = o.cardMovement;
    cardSpeed_ = std::max(0, o.cardSpeed);
}

void TableController::RecordHandResult(int difference) {
    window_.Records().RecordHandResult(difference);
}

void TableController::RecordGameResult(GameOutcome outcome, int difference) {
    window_.Records().RecordGameResult(outcome, difference);
}

// ---- the port: status line and menus --------------------------------------------

QString TableController::HintText(Hint hint) const {
    if (hint == Hint::MeldOrDiscard || hint == Hint::MeldOrDiscardTwice) {
        hint = mouseOption_ == 0 ? Hint::MeldOrDiscard : Hint::MeldOrDiscardTwice;
    }
    switch (hint) {
    case Hint::MeldMode:
        return Tr(texts::kHintMeldMode);
    case Hint::DiscardMode:
        return Tr(texts::kHintDiscardMode);
    case Hint::WildMode:
        return Tr(texts::kHintWildMode);
    default:
        break;
    }
    const int index = HintIndex(hint);
    if (index < 0 || index >= static_cast<int>(std::size(texts::kHints))) {
        return {};
    }
    return Tr(texts::kHints[index]);
}

void TableController::ShowHint(Hint hint) {
    currentHint_ = hint;
    window_.StatusLine()->ShowHintText(HintText(hint));
}

void TableController::ShowError(int errorIndex, std::string_view reason) {
    if (errorIndex <= 0 || errorIndex >= static_cast<int>(std::size(texts::kErrors))) {
        ShowHint(currentHint_);
        return;
    }
    QString text = Tr(texts::kErrors[errorIndex]);
    if (errorIndex == texts::kErrorDiscardNotPossible) {
        text += ShownText(reason);
    }
    window_.StatusLine()->ShowErrorText(text);
}

void TableController::SetRulesMenuHint(std::string_view text) {
    if (QAction* rules = window_.Action(QStringLiteral("Rules1"))) {
        rules->setStatusTip(StatusText(text));
    }
}

void TableController::SetUndoEnabled(bool enabled) {
    window_.Action(QStringLiteral("UndoMeld1"))->setEnabled(enabled);
    window_.Action(QStringLiteral("UndoAll1"))->setEnabled(enabled);
}

void TableController::UpdatePanels() {
    const GameState& s = engine_.State();
    window_.StatusLine()->SetPanel(TableStatusBar::kPlayerMeld, engine_.PlayerMeldValue());
    window_.StatusLine()->SetPanel(TableStatusBar::kOpponentMeld, s.opponentMeldPoints);
    window_.StatusLine()->SetPanel(TableStatusBar::kPlayerScore, s.playerScore);
    window_.StatusLine()->SetPanel(TableStatusBar::kOpponentScore, s.opponentScore);
    window_.StatusLine()->SetMeldMinimum(s.initialMeldMinimum);
}

// ---- the port: questions and results ----------------------------------------------

void TableController::ShowMessage(MessageKind kind, std::string_view text) {
    if (closePending_) {
        return;
    }
    QString shown = ShownText(text);
    shown.replace(QLatin1String("\r "), QLatin1String("\n"));
    shown.replace('\r', '\n');
    window_.Dialogs().message(kind, shown);
    window_.TakeFocusBack();
}

bool TableController::AskYesNo(std::string_view question) {
    if (closePending_) {
        return false; // No always leaves the state unchanged
    }
    const bool yes = window_.Dialogs().yesNo(ShownText(question));
    window_.TakeFocusBack();
    return yes;
}

void TableController::CloseTurnNotice() {
    noticeTimer_.stop();
    if (notice_) {
        notice_->close();
        notice_->deleteLater();
        notice_ = nullptr;
        // The other open windows come back to the front.
        window_.RaiseHelp();
    }
}

void TableController::ShowTurnNotice(std::string_view text) {
    if (!showTurns_ || !window_.isVisible() || closePending_) {
        return;
    }
    CloseTurnNotice();
    notice_ = new TurnNotice(ShownText(text), window_.View());
    notice_->show();
    noticeTimer_.start(kTurnNoticeMs);
}

void TableController::ShowHandResult(const HandResult& result) {
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
                window_.View()->repaint();
            }
        };
    }
    HandResultDialog dialog(result, showOpponent, &window_);
    window_.Dialogs().handResult(dialog);
    window_.TakeFocusBack();
}

bool TableController::ShowGameOver(const GameOverResult& result) {
    UpdatePanels();
    if (closePending_) {
        return true;
    }
    GameOverDialog dialog(result, &window_);
    const bool again = window_.Dialogs().gameOver(dialog);
    window_.TakeFocusBack();
    return again;
}

void TableController::PlaySound(std::string_view eventName) {
    window_.Media().Sounds().PlaySoundEvent(eventName);
}

bool TableController::InitialBlockSetting(bool current) {
    return window_.Store().ReadBool(kKeyInitialBlock, current);
}

// ---- the port: painting, animation, time -------------------------------------------

void TableController::RepaintRect(int /*x*/, int /*y*/, int /*width*/, int /*height*/) {
    // The whole table is repainted: the counters, the labels and the
    // opponent's hand (drawn grouped by rank, away from the cards' own x)
    // lie outside the area a move names, and a full paint costs little.
    UpdatePanels();
    window_.View()->repaint();
    window_.View()->TellTableChanged();
}

void TableController::RepaintTable() {
    UpdatePanels();
    window_.View()->repaint();
    window_.View()->TellTableChanged();
}

void TableController::MoveCard(const Card& card, int fromX, int fromY, int toX, int toY,
                               bool flash) {
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
        window_.View()->Picture().moving = moving;
        const QRect now(at, size);
        window_.View()->RepaintTableRect(last.united(now));
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
    window_.View()->Picture().moving.reset();
    // The engine lays the card down and repaints it right after this returns.
    window_.View()->UpdateTableRect(last);
    busyMark_ = false;
    if (ownCursor) {
        SetWaitCursor(false);
    }
}

void TableController::Delay(int milliseconds) {
    clock_->Pause(milliseconds);
}

void TableController::OpponentMeldPause() {
    UpdatePanels();
    window_.View()->repaint();
    clock_->Pause(meldDelay_);
}

void TableController::SetWaitCursor(bool on) {
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

// ---- input ------------------------------------------------------------------

Hit TableController::HitTestAt(int x, int y) {
    const Hit hit = HitTest(engine_.State(), engine_.Geometry(), x, y);
    if (hit.region == HitRegion::Stock || hit.region == HitRegion::Pile ||
        hit.region == HitRegion::HandNatural) {
        engine_.MarkGameInProgress();
    }
    return hit;
}

void TableController::FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x,
                                  int y) {
    // Clicks while the opponent moves, or while a move of ours is still being
    // shown, are ignored without a message.
    if (!window_.Started() || depth_ > 0 || closePending_ || engine_.State().opponentToMove) {
        return;
    }
    if (button != Qt::LeftButton && button != Qt::RightButton) {
        return;
    }
    const Hit hit = HitTestAt(x, y);
    RunEngine([&] {
        if (button == Qt::LeftButton) {
            LeftClick(hit, modifiers);
        } else {
            RightClick(hit);
        }
    });
}

void TableController::LeftClick(const Hit& hit, Qt::KeyboardModifiers modifiers) {
    const GameState& s = engine_.State();
    switch (hit.region) {
    case HitRegion::Stock:
        engine_.PlayerDraw();
        break;
    case HitRegion::Pile:
        engine_.PlayerTakePile();
        break;
    case HitRegion::HandNatural:
        if (ModeOf(modifiers) == MeldMode::Plain) {
            engine_.MeldOne(hit.index);
        } else {
            engine_.MeldSeveral(hit.index, ModeOf(modifiers));
        }
        break;
    case HitRegion::HandWild:
        engine_.MeldWildCards(ModeOf(modifiers));
        break;
    case HitRegion::MeldCard: {
        const int column = engine_.Geometry().ColumnOf(s.playerMelds[hit.index].x);
        if (modifiers & Qt::ShiftModifier) {
            engine_.FillColumnWithWildCards(column);
        } else {
            engine_.AddWildCardToColumn(column);
        }
        break;
    }
    case HitRegion::ThreesCard:
    case HitRegion::Nothing:
        break;
    }
}

void TableController::RightClick(const Hit& hit) {
    switch (hit.region) {
    case HitRegion::HandNatural:
    case HitRegion::HandWild:
        DiscardRequest(hit.index);
        break;
    case HitRegion::ThreesCard:
        if (engine_.Rules().threeBlock && IsRedThree(engine_.State().playerMelds[hit.index])) {
            engine_.PlayerDiscardRedThree(hit.index);
        }
        break;
    default:
        break;
    }
}

void TableController::DiscardRequest(int handIndex) {
    const Card& card = engine_.State().playerHand[handIndex];
    // The remembered card is compared by what it is and where it lies, not
    // only by its index: after a meld or a discard the same index may hold
    // another card, which must not be discarded by a single click.
    const bool same = rightClicked_.index == handIndex && rightClicked_.card == card;
    if (!same) {
        rightClicked_ = {handIndex, card};
        rightCount_ = 0;
    } else if (rightCount_ < mouseOption_) {
        ++rightCount_;
    }
    if (rightCount_ == mouseOption_) {
        // The card stays remembered: should the discard be refused, the next
        // right click on it tries again.
        rightCount_ = 0;
        engine_.PlayerDiscard(handIndex);
    }
}

int RankKeyOf(int key, quint32 nativeScanCode) {
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || nativeScanCode < kDigitRowFirst ||
        nativeScanCode > kDigitRowLast) {
        return key;
    }
    return nativeScanCode == kDigitRowLast
               ? Qt::Key_0
               : Qt::Key_1 + static_cast<int>(nativeScanCode - kDigitRowFirst);
}

bool TableController::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (!window_.Started() || depth_ > 0 || closePending_) {
        return false;
    }
    const TableGeometry& g = engine_.Geometry();
    const bool ctrl = modifiers & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_F6:
        FormMouseUp(Qt::LeftButton, Qt::NoModifier, g.leftMargin + 1, g.stockRow + 1);
        return true;
    case Qt::Key_F7:
        FormMouseUp(Qt::LeftButton, Qt::NoModifier, g.leftMargin + 1, g.discardRow + 1);
        return true;
    case Qt::Key_F8:
        mode_ = KeyboardMode::Meld;
        ShowHint(Hint::MeldMode);
        return true;
    case Qt::Key_F10:
        mode_ = KeyboardMode::Discard;
        ShowHint(Hint::DiscardMode);
        return true;
    case Qt::Key_F9:
        mode_ = KeyboardMode::WildCard;
        ShowHint(Hint::WildMode);
        return true;
    case Qt::Key_Escape:
        ShowHint(Hint::MeldOrDiscard);
        return true;
    case Qt::Key_F11:
        if (ctrl) {
            ToggleOpponentCards();
            return true;
        }
        return false;
    default:
        return RankKey(key, modifiers);
    }
}

bool TableController::RankKey(int key, Qt::KeyboardModifiers modifiers) {
    if (currentHint_ != Hint::MeldMode && currentHint_ != Hint::DiscardMode &&
        currentHint_ != Hint::WildMode) {
        return false;
    }
    // R in discard mode is the right click on a red three of the table.
    const bool redThree = key == Qt::Key_R && mode_ == KeyboardMode::Discard;
    const int column = redThree ? kThreesColumn : ColumnOfRankKey(key);
    if (column < 0) {
        return false;
    }
    const TableGeometry& g = engine_.Geometry();
    const int x = g.ColumnX(column);
    const Hint modeHint = currentHint_;
    // Shift and Ctrl with a rank key are Shift and Ctrl with the click.
    const Qt::KeyboardModifiers clickModifiers =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier);
    switch (mode_) {
    case KeyboardMode::Meld:
        FormMouseUp(Qt::LeftButton, clickModifiers, x, g.handRow + CardPile::kStep);
        break;
    case KeyboardMode::Discard:
        FormMouseUp(Qt::RightButton, Qt::NoModifier, x,
                    (redThree ? g.playerMeldRow : g.handRow) + CardPile::kStep);
        break;
    case KeyboardMode::WildCard:
        FormMouseUp(Qt::LeftButton, clickModifiers, x, g.playerMeldRow + CardPile::kStep);
        break;
    }
    if (!window_.StatusLine()->LineIsError() && !engine_.State().opponentToMove && !closePending_) {
        ShowHint(modeHint);
    }
    return true;
}

void TableController::ToggleOpponentCards() {
    // In a network game the engine refuses with "Sorry, no cheating allowed...".
    RunEngine([this] { engine_.ToggleOpponentCards(); });
    window_.View()->update();
}

} // namespace varenta

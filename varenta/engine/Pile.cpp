// The player's take of the discard pile: the top card first, the rest once the
// top card's meld is valid, and the undo of a pending take.
#include "varenta/engine/EngineScope.h"
#include "varenta/engine/Texts.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta {

namespace {

constexpr int kHugePile = 13;
constexpr int kUndoPileCharge = 50;

} // namespace

void VarentaEngine::PlayerTakePile() {
    Scope scope(*this);
    GameState& s = state_;
    if (!PlayerMayAct()) {
        return;
    }
    if (!s.mayTakePile) {
        if (s.topCardPending) {
            UndoPileTake();
        } else {
            ShowError(texts::kErrorAlreadyDrawn);
        }
        return;
    }
    if (!PlayerMayTakePile()) {
        ShowError(texts::kErrorCannotTakePile);
        return;
    }
    port_->SetRulesMenuHint(texts::kRulesHintLocked);
    s.mayTakePile = false;
    if (s.discardPile.count >= kHugePile) {
        port_->PlaySound(texts::kSoundTakeHugePile);
    }
    s.pileTopMustMeld = true;
    const bool frozen = PileFrozenFor(Side::Player);

    Card top = s.discardPile.PopTop();
    const int fromX = top.x;
    const int fromY = top.y;
    const int rank = top.rank;
    s.pileTopColumnBefore = MeldColumnCount(Side::Player, rank);
    top.faceUp = true;
    s.playerMelds.PlaceInColumn(top, true, ColumnIsVarenta(Side::Player, rank));
    port_->MoveCard(top, fromX, fromY, top.x, top.y, true);
    s.playerMelds.Append(top);
    Repaint(top);
    s.pileTopCard = top;
    reporter_->DrawPileTop(top);
    CheckVarenta(Side::Player, rank);
    s.hasDrawn = true;

    if (frozen || s.pileTopColumnBefore == 0) {
        ShowHint(Hint::TopCardPending);
        s.topCardPending = true;
        s.pileTopRank = static_cast<std::uint8_t>(rank);
        s.pileTopRaisedMinimum = !rules_.topCardCounts;
        if (s.pileTopRaisedMinimum) {
            s.initialMeldMinimum += top.points; // its points must not help reach the minimum
        }
    } else {
        reporter_->DrawPileRest();
        ShowHint(Hint::MeldOrDiscard);
        s.pileFrozen = false;
        s.pileTopMustMeld = false;
        s.topCardPending = false;
        MovePileRestToPlayer();
    }
    CheckMustPass();
    SaveUndoPoint();
    port_->RepaintRect(geometry_.leftMargin, geometry_.discardRow, geometry_.cardWidth,
                       geometry_.cardHeight + 20);
}

void VarentaEngine::MovePileRestToPlayer() {
    GameState& s = state_;
    while (!s.discardPile.Empty()) {
        Card c = s.discardPile.PopTop();
        const int fromX = c.x;
        const int fromY = c.y;
        c.faceUp = true;
        CardPile& target = IsRedThree(c) ? s.playerMelds : s.playerHand;
        target.PlaceInColumn(c, true, false);
        port_->MoveCard(c, fromX, fromY, c.x, c.y, false);
        target.Append(c);
        Repaint(c);
        if (!IsRedThree(c)) {
            s.knownPlayerCards.Append(c);
        }
    }
}

void VarentaEngine::CompletePileTake() {
    GameState& s = state_;
    if (!s.topCardPending) {
        return;
    }
    std::string_view reason;
    if (!ValidateMelds(reason)) {
        return;
    }
    if (MeldColumnCount(Side::Player, s.pileTopRank) < s.pileTopColumnBefore + 3) {
        return;
    }
    const bool bonusFrees = rules_.bonusCounts && s.playerVarentas.count >= 1;
    if (PlayerMeldValue() < s.initialMeldMinimum && !bonusFrees) {
        return;
    }
    ShowHint(Hint::MeldOrDiscard);
    s.pileFrozen = false;
    s.topCardPending = false;
    s.pileTopMustMeld = false;
    s.mayTakePile = false;
    s.pileTopRaisedMinimum = false;
    reporter_->DrawPileRest();
    MovePileRestToPlayer();
    s.undoList.Clear();
    port_->SetUndoEnabled(false);
}

void VarentaEngine::UndoPileTake(bool charged) {
    GameState& s = state_;
    ShowHint(Hint::Draw);
    s.pileTopMustMeld = false;
    s.topCardPending = false;
    s.hasDrawn = false;
    RestoreUndoPoint();
    // The top card by its code and deck in its column; squaring may have
    // moved it within the column, so its exact position is preferred but not
    // required.
    const Card& top = s.pileTopCard;
    const int column = top.rank;
    int index = -1;
    for (int i = s.playerMelds.count - 1; i >= 0; --i) {
        const Card& c = s.playerMelds[i];
        if (c.code != top.code || c.deckNo != top.deckNo || geometry_.ColumnOf(c.x) != column) {
            continue;
        }
        if (index < 0 || (c.x == top.x && c.y == top.y)) {
            index = i;
        }
    }
    if (index < 0) {
        port_->ShowMessage(MessageKind::Error, texts::kUndoPileFailed);
        DealHand(false);
        return;
    }
    const bool squared = ColumnIsVarenta(Side::Player, column);
    const Card card = s.playerMelds.RemoveAndUnplace(index, column, true, squared);
    Repaint(card);
    // A Varenta the top card completed is dissolved again.
    CheckVarenta(Side::Player, column);
    LayOnPile(card, card.x, card.y);
    if (s.pileTopRaisedMinimum) {
        s.initialMeldMinimum -= card.points;
        s.pileTopRaisedMinimum = false;
    }
    if (charged) {
        s.playerScore -= kUndoPileCharge;
    }
    // The melds of the pending take were rolled back with the snapshot.
    s.undoList.Clear();
    port_->SetUndoEnabled(false);
    port_->RepaintTable();
    reporter_->UndoPile();
    s.mayTakePile = true;
    s.stockDraws = 0;
}

void VarentaEngine::TakeBackTurn() {
    Scope scope(*this);
    if (!PlayerMayAct() || IsNetworkGame()) {
        return;
    }
    if (state_.topCardPending) {
        UndoPileTake(false);
    }
    UndoAll();
}

} // namespace varenta

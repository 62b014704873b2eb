// The opponent's side of the table, as the computer player and network play
// move it.
#include <algorithm>

#include "varenta/engine/EngineScope.h"
#include "varenta/engine/Texts.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta {

void VarentaEngine::BeginOpponentTurn() {
    state_.opponentToMove = true;
    state_.playerMeldedBefore = PlayerMeldValue();
}

bool VarentaEngine::FinishOpponentTurn() {
    Scope scope(*this);
    GameState& s = state_;
    if (!EndOfHandCheck()) {
        return false; // the next hand is dealt (or the game is over)
    }
    s.opponentMeldedBefore = s.opponentMeldPoints;
    s.opponentToMove = false;
    ShowHint(Hint::Draw);
    return true;
}

void VarentaEngine::AddToOpponentHand(Card card, bool animate) {
    GameState& s = state_;
    const int fromX = card.x;
    const int fromY = card.y;
    int rightmost = geometry_.leftMargin;
    for (int i = 0; i < s.opponentHand.count; ++i) {
        rightmost = i == 0 ? s.opponentHand[i].x : std::max(rightmost, s.opponentHand[i].x);
    }
    card.x = rightmost + s.opponentHandSpacing;
    card.y = TableGeometry::kOpponentHandY;
    card.faceUp = s.opponentCardsShown;
    if (animate) {
        port_->MoveCard(card, fromX, fromY, card.x, card.y, false);
    }
    s.opponentHand.Append(card);
    Repaint(card);
}

Card VarentaEngine::RemoveFromOpponentHand(int index) {
    GameState& s = state_;
    if (index < 0 || index >= s.opponentHand.count) {
        FatalOpponentError();
        return Card{};
    }
    const Card removed = s.opponentHand.RemoveAt(index);
    for (int i = 0; i < s.opponentHand.count; ++i) {
        if (s.opponentHand[i].x > removed.x) {
            s.opponentHand[i].x -= s.opponentHandSpacing;
        }
    }
    port_->RepaintRect(0, TableGeometry::kOpponentHandY, geometry_.tableWidth,
                       geometry_.cardHeight);
    return removed;
}

void VarentaEngine::MeldOpponentCard(Card card, int column, bool notify) {
    GameState& s = state_;
    const int fromX = card.x;
    const int fromY = card.y;
    card.faceUp = true;
    s.opponentMelds.PlaceInColumnAt(card, column, false, ColumnIsVarenta(Side::Opponent, column));
    port_->MoveCard(card, fromX, fromY, card.x, card.y, false);
    s.opponentMelds.Append(card);
    Repaint(card);
    if (!IsRedThree(card)) {
        s.opponentMeldPoints += card.points;
    }
    if (notify) {
        if (column == card.rank) {
            observer_->OpponentMelded(card);
        } else {
            observer_->OpponentMeldedWildCard(card, column);
        }
    }
    port_->OpponentMeldPause();
    CheckVarenta(Side::Opponent, column);
}

void VarentaEngine::MeldFromOpponentHand(int index) {
    Scope scope(*this);
    const Card card = RemoveFromOpponentHand(index);
    if (card.code == 0) {
        return;
    }
    MeldOpponentCard(card, card.rank, true);
}

void VarentaEngine::OpponentMeldWildCard(int index, int column) {
    Scope scope(*this);
    const GameState& s = state_;
    if (column < 1 || column >= kColumns || index < 0 || index >= s.opponentHand.count ||
        !IsWild(s.opponentHand[index])) {
        return;
    }
    const Card card = RemoveFromOpponentHand(index);
    MeldOpponentCard(card, column, true);
}

bool VarentaEngine::DrawForOpponent() {
    Scope scope(*this);
    GameState& s = state_;
    if (s.stock.Empty()) {
        return false;
    }
    const Card card = s.stock.PopTop();
    observer_->OpponentDrew(card);
    port_->RepaintRect(geometry_.leftMargin, geometry_.stockRow, geometry_.cardWidth,
                       geometry_.cardHeight);
    AddToOpponentHand(card, true);
    if (IsRedThree(card)) {
        // A red three never stays in a hand.
        MeldOpponentCard(RemoveFromOpponentHand(s.opponentHand.count - 1), kThreesColumn, false);
    }
    return true;
}

int VarentaEngine::OpponentTakePileTop() {
    Scope scope(*this);
    GameState& s = state_;
    if (s.discardPile.Empty()) {
        return -1;
    }
    // No "Take Huge Pile" here: that sound belongs to a take by a person, the
    // player's or the remote opponent's, not to the computer's.
    const Card card = s.discardPile.PopTop();
    observer_->OpponentTookPileTop(card);
    AddToOpponentHand(card, true);
    return s.opponentHand.count - 1;
}

void VarentaEngine::OpponentTakePileRest() {
    Scope scope(*this);
    GameState& s = state_;
    observer_->OpponentTookPileRest();
    while (!s.discardPile.Empty()) {
        const Card card = s.discardPile.PopTop();
        AddToOpponentHand(card, true);
        if (IsRedThree(card)) {
            MeldOpponentCard(RemoveFromOpponentHand(s.opponentHand.count - 1), kThreesColumn,
                             false);
        }
    }
    s.pileFrozen = false;
    port_->RepaintRect(geometry_.leftMargin, geometry_.discardRow, geometry_.cardWidth,
                       geometry_.cardHeight + 20);
}

void VarentaEngine::OpponentDiscard(int index) {
    Scope scope(*this);
    GameState& s = state_;
    const Card card = RemoveFromOpponentHand(index);
    if (card.code == 0) {
        return;
    }
    if (IsWild(card) || IsRedThree(card)) {
        s.pileFrozen = true;
    }
    observer_->OpponentDiscarded(card);
    LayOnPile(card, card.x, card.y);
}

void VarentaEngine::OpponentDiscardRedThree(int meldIndex) {
    Scope scope(*this);
    GameState& s = state_;
    if (meldIndex < 0 || meldIndex >= s.opponentMelds.count ||
        !IsRedThree(s.opponentMelds[meldIndex])) {
        return;
    }
    const Card card = s.opponentMelds.RemoveAndUnplace(meldIndex, kThreesColumn, false, false);
    Repaint(card);
    s.pileFrozen = true;
    observer_->OpponentDiscardedRedThree(card);
    LayOnPile(card, card.x, card.y);
}

void VarentaEngine::OpponentPassDiscard() {
    Scope scope(*this);
    observer_->OpponentPassed();
    if (networkGame_) {
        std::string text = opponentName_;
        text += texts::kRemotePassesSuffix;
        port_->ShowMessage(MessageKind::Information, text);
    } else {
        port_->ShowMessage(MessageKind::Information, texts::kComputerPasses);
    }
}

} // namespace varenta

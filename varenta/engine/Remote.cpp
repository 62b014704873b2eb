// A remote opponent's moves, applied to the opponent's side of this table as
// the remote table applied them to its player.
#include "varenta/engine/EngineScope.h"
#include "varenta/engine/Texts.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta {

namespace {

constexpr int kUndoPileCharge = 50;

} // namespace

bool VarentaEngine::RemoteDrawNew() {
    return DrawForOpponent();
}

bool VarentaEngine::RemoteDrawPileTop() {
    Scope scope(*this);
    GameState& s = state_;
    if (s.discardPile.Empty()) {
        return false;
    }
    if (s.discardPile.count > 12) {
        port_->PlaySound(texts::kSoundTakeHugePile);
    }
    // While the opponent moves, the undo snapshot holds its side.
    s.playerHandBackup = s.opponentHand;
    s.playerMeldsBackup = s.opponentMelds;
    s.playerVarentasBackup = s.opponentVarentas;
    s.discardPileBackup = s.discardPile;
    s.opponentMeldPointsBackup = s.opponentMeldPoints;
    s.opponentTopPending = true;
    Card top = s.discardPile.PopTop();
    port_->RepaintRect(geometry_.leftMargin, geometry_.discardRow, geometry_.cardWidth,
                       geometry_.cardHeight + 20);
    MeldOpponentCard(top, top.rank, false);
    return true;
}

bool VarentaEngine::RemoteDrawPileRest() {
    Scope scope(*this);
    OpponentTakePileRest();
    state_.opponentTopPending = false;
    RemoteGoingOutCheck(); // a pile of one card leaves the hand as empty as it was
    return true;
}

void VarentaEngine::RemoteGoingOutCheck() {
    // The remote table ends the hand when a meld empties its player's hand
    // while no top card is pending and the table is valid; this table sees the
    // same cards and judges them alike.
    std::string_view reason;
    if (state_.opponentHand.Empty() && !state_.opponentTopPending &&
        ValidateSide(Side::Opponent, 0, reason)) {
        EndOfHandCheck();
    }
}

bool VarentaEngine::RemoteUndoPile() {
    Scope scope(*this);
    GameState& s = state_;
    s.opponentHand = s.playerHandBackup;
    s.opponentMelds = s.playerMeldsBackup;
    s.opponentVarentas = s.playerVarentasBackup;
    s.discardPile = s.discardPileBackup;
    s.opponentMeldPoints = s.opponentMeldPointsBackup;
    s.opponentTopPending = false;
    s.opponentScore -= kUndoPileCharge;
    port_->RepaintTable();
    return true;
}

bool VarentaEngine::RemoteMeld(int code) {
    Scope scope(*this);
    const int index = state_.opponentHand.FindLastByCode(code);
    if (index < 0) {
        return false;
    }
    MeldFromOpponentHand(index);
    // Only going out ends the hand in the middle of a turn: the remote table
    // tests its stock after the discard, so must this one.
    RemoteGoingOutCheck();
    return true;
}

bool VarentaEngine::RemoteMeldWildCard(int code, int column) {
    Scope scope(*this);
    const int index = state_.opponentHand.FindLastByCode(code);
    if (index < 0 || column < 1 || column >= kColumns || !IsWildRank(CardRank(code))) {
        return false;
    }
    OpponentMeldWildCard(index, column);
    RemoteGoingOutCheck();
    return true;
}

bool VarentaEngine::RemoteUndo(int column, int code) {
    Scope scope(*this);
    GameState& s = state_;
    // The last card of that code, in the named column when there is one there.
    int index = -1;
    for (int i = s.opponentMelds.count - 1; i >= 0; --i) {
        if (s.opponentMelds[i].code != code) {
            continue;
        }
        if (geometry_.ColumnOf(s.opponentMelds[i].x) == column) {
            index = i;
            break;
        }
        if (index < 0) {
            index = i;
        }
    }
    if (index < 0) {
        return false;
    }
    const int from = geometry_.ColumnOf(s.opponentMelds[index].x);
    const bool squared = ColumnIsVarenta(Side::Opponent, from);
    const Card card = s.opponentMelds.RemoveAndUnplace(index, from, false, squared);
    Repaint(card);
    CheckVarenta(Side::Opponent, from); // a Varenta that fell below seven dissolves
    AddToOpponentHand(card, true);
    if (!IsRedThree(card)) {
        s.opponentMeldPoints -= card.points;
    }
    return true;
}

bool VarentaEngine::RemoteDiscard(int code) {
    Scope scope(*this);
    const int index = state_.opponentHand.FindLastByCode(code);
    if (index < 0) {
        return false;
    }
    OpponentDiscard(index);
    FinishOpponentTurn();
    return true;
}

bool VarentaEngine::RemoteDiscardRedThree(int code) {
    Scope scope(*this);
    const int index = state_.opponentMelds.FindLastByCode(code);
    if (index < 0 || !IsRedThree(code)) {
        return false;
    }
    OpponentDiscardRedThree(index);
    FinishOpponentTurn();
    return true;
}

void VarentaEngine::RemotePassDiscard() {
    Scope scope(*this);
    OpponentPassDiscard();
    FinishOpponentTurn();
}

} // namespace varenta

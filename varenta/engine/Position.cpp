#include "varenta/engine/EngineScope.h"
#include "varenta/engine/Texts.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta {

void VarentaEngine::LoadPosition(const SavedPosition& position) {
    const GameState& in = position.state;
    GameState& s = state_;
    s.stock = in.stock;
    s.discardPile = in.discardPile;
    s.opponentHand = in.opponentHand;
    s.discardPileBackup = in.discardPileBackup;
    s.opponentMelds = in.opponentMelds;
    s.playerHand = in.playerHand;
    s.playerMelds = in.playerMelds;
    s.playerHandBackup = in.playerHandBackup;
    s.playerMeldsBackup = in.playerMeldsBackup;
    s.playerVarentas = in.playerVarentas;
    s.opponentVarentas = in.opponentVarentas;
    s.playerVarentasBackup = in.playerVarentasBackup;
    s.pileFrozen = in.pileFrozen;
    s.hasDrawn = in.hasDrawn;
    s.topCardPending = in.topCardPending;
    s.pileTopMustMeld = in.pileTopMustMeld;
    s.blackThreesAllowed = in.blackThreesAllowed;
    s.gameInProgress = in.gameInProgress;
    s.opponentCardsShown = in.opponentCardsShown;
    s.pileTopColumnBefore = in.pileTopColumnBefore;
    s.opponentHandSpacing = in.opponentHandSpacing;
    s.opponentMeldPoints = in.opponentMeldPoints;
    s.opponentScore = in.opponentScore;
    s.playerScore = in.playerScore;
    s.initialMeldMinimum = in.initialMeldMinimum;
    s.mayTakePile = !in.hasDrawn;
    s.stockDraws = 0;
    s.undoList.Clear();
    // What belonged to the hand that was on the table goes with it.
    s.pileTopRaisedMinimum = false;
    s.restocksThisHand = 0;
    s.opponentTopPending = false;

    // Carried over from the layout (and column width) the file was written
    // at: same column, same 12-pixel step of its row.
    const TableGeometry to = geometry_;
    TableGeometry from = TableGeometry::ForLayout(position.layout);
    from.columnWidth = position.columnWidth;
    if (from.layout != to.layout || from.columnWidth != to.columnWidth) {
        SetGeometry(from);
        ChangeGeometry(to);
    }
    port_->SetUndoEnabled(false);
    port_->ShowHint(s.hasDrawn ? Hint::MeldOrDiscard : Hint::Draw);
    port_->RepaintTable();
}

void VarentaEngine::LoadNetworkPosition(const SavedPosition& position) {
    LoadPosition(position);
    const GameState& in = position.state;
    GameState& s = state_;
    s.opponentToMove = in.opponentToMove;
    s.playerDrawsFirst = in.playerDrawsFirst;
    s.mayTakePile = in.mayTakePile;
    s.stockDraws = in.stockDraws;
    s.pileTopRaisedMinimum = in.pileTopRaisedMinimum;
    s.restocksThisHand = in.restocksThisHand;
    s.opponentTopPending = in.opponentTopPending;
    s.opponentMeldPointsBackup = in.opponentMeldPointsBackup;
    s.playerMeldedBefore = in.playerMeldedBefore;
    s.opponentMeldedBefore = in.opponentMeldedBefore;
    s.discardedRank = in.discardedRank;
    if (s.opponentToMove) {
        ShowHint(Hint::OpponentsTurn);
    }
}

void VarentaEngine::GoOnAgainstComputer(const GameState* partnersTurnStart, bool deal) {
    Scope scope(*this);
    SetReporter(nullptr);
    SetDealsLevelHands(true);
    SetComputerOpponent();
    if (deal) {
        // Before the first deal of a game the computer's game begins afresh.
        if (state_.gameInProgress) {
            DealHand(false);
        } else {
            NewGame();
        }
        return;
    }
    if (partnersTurnStart != nullptr) {
        state_ = *partnersTurnStart;
        port_->RepaintTable();
    }
    if (state_.opponentToMove) {
        ShowHint(Hint::OpponentsTurn);
        RequestComputerTurn();
    } else {
        ShowHint(state_.hasDrawn ? Hint::MeldOrDiscard : Hint::Draw);
    }
}

void VarentaEngine::AwaitPartnerDeal() {
    state_.playerScore = 0;
    state_.opponentScore = 0;
    state_.gameInProgress = false;
    state_.opponentToMove = true;
}

void VarentaEngine::CopyTableFrom(const VarentaEngine& other) {
    // As taking the rules and then the game would leave it: the pile's
    // frozen flag is the other table's, not the one new rules would set.
    rules_ = other.rules_;
    geometry_ = other.geometry_;
    state_ = other.state_;
    random_ = other.random_;
}

} // namespace varenta

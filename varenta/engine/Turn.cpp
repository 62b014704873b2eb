// The player's turn: drawing, discarding, the forced pass, and the end-of-hand test.
#include "varenta/engine/EngineScope.h"
#include "varenta/engine/Texts.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta {

namespace {

constexpr int kGameTarget = 5000;
constexpr int kMaxRestocks = 3;

} // namespace

bool VarentaEngine::PlayerMayAct() const {
    return !state_.opponentToMove && !programEnded_;
}

void VarentaEngine::PlayerDraw() {
    Scope scope(*this);
    GameState& s = state_;
    if (!PlayerMayAct()) {
        return;
    }
    if (s.hasDrawn) {
        ShowError(texts::kErrorAlreadyDrawn);
        return;
    }
    if (s.stock.Empty()) {
        // Only reachable between the draws of a two-card turn.
        if (s.stockDraws > 0) {
            CompleteDrawPhase();
        }
        return;
    }
    port_->SetRulesMenuHint(texts::kRulesHintLocked);
    bool redThreeDrawn = false;
    for (;;) {
        Card c = s.stock.PopTop();
        const int fromX = c.x;
        const int fromY = c.y;
        c.faceUp = true;
        s.mayTakePile = false;
        ++s.stockDraws;
        reporter_->DrawNew(c);
        port_->RepaintRect(geometry_.leftMargin, geometry_.stockRow, geometry_.cardWidth,
                           geometry_.cardHeight);
        CardPile& target = IsRedThree(c) ? s.playerMelds : s.playerHand;
        target.PlaceInColumn(c, true, false);
        port_->MoveCard(c, fromX, fromY, c.x, c.y, true);
        target.Append(c);
        Repaint(c);
        if (IsRedThree(c) && rules_.drawExtra && !s.stock.Empty()) {
            --s.stockDraws; // the red three is replaced by another draw
            continue;
        }
        redThreeDrawn = IsRedThree(c);
        break;
    }
    if (s.stockDraws != rules_.numberOfCards && !s.stock.Empty()) {
        // Without Draw Extra a red three counts as the drawn card: a player
        // it leaves unable to go out passes now, before a second draw.
        if (redThreeDrawn && CheckMustPass()) {
            return;
        }
        ShowHint(Hint::SecondCard);
        return;
    }
    CompleteDrawPhase();
}

void VarentaEngine::CompleteDrawPhase() {
    GameState& s = state_;
    ShowHint(Hint::MeldOrDiscard);
    s.pileTopMustMeld = false;
    s.hasDrawn = true;
    s.topCardPending = false;
    s.stockDraws = 0;
    SaveUndoPoint();
    CheckMustPass();
}

void VarentaEngine::PlayerDiscard(int handIndex) {
    Scope scope(*this);
    GameState& s = state_;
    if (!PlayerMayAct() || handIndex < 0 || handIndex >= s.playerHand.count) {
        return;
    }
    if (!s.hasDrawn) {
        ShowError(texts::kErrorDiscardBeforeDraw);
        return;
    }
    // Judged as if the card were already gone, so that the last card is
    // judged as going out.
    const int handAfter = s.playerHand.count - 1;
    std::string_view reason;
    if (!ValidateMeldsWithTop(reason, handAfter)) {
        ShowError(texts::kErrorDiscardNotPossible, reason);
        return;
    }
    if (handAfter == 0 && !PlayerHasRequiredVarentas()) {
        ShowError(texts::kErrorDiscardNotPossible, texts::kReasonNeedVarentas);
        return;
    }
    const Card card = s.playerHand[handIndex];
    if (IsRedThree(card) && !rules_.threeBlock) {
        ShowError(texts::kErrorDiscardNotPossible);
        return;
    }
    if (IsWild(card) || IsRedThree(card)) {
        s.pileFrozen = true;
    }
    s.undoList.Clear();
    ShowHint(Hint::Draw);
    port_->SetUndoEnabled(false);
    s.hasDrawn = false;
    s.mayTakePile = true;
    // The turn has passed before the move leaves: the other table may answer
    // while the card is still on its way to the pile.
    s.opponentToMove = true;
    reporter_->Discard(card.code);
    const Card removed = s.playerHand.RemoveAndUnplace(handIndex, card.rank, true, false);
    port_->RepaintRect(removed.x, geometry_.handRow, geometry_.cardWidth,
                       geometry_.cardHeight + CardPile::kStep * 12);
    LayOnPile(removed, removed.x, removed.y);
    ++s.discardedRank[card.rank];
    RemoveKnownCard(card.code);
    EndPlayerTurn();
}

void VarentaEngine::PlayerDiscardRedThree(int meldIndex) {
    Scope scope(*this);
    GameState& s = state_;
    if (!PlayerMayAct() || !rules_.threeBlock || meldIndex < 0 ||
        meldIndex >= s.playerMelds.count || !IsRedThree(s.playerMelds[meldIndex])) {
        return;
    }
    // Ends the turn like a discard, so the table must be as valid as for one.
    std::string_view reason;
    if (!ValidateMeldsWithTop(reason)) {
        ShowError(texts::kErrorDiscardNotPossible, reason);
        return;
    }
    const Card removed = s.playerMelds.RemoveAndUnplace(meldIndex, kThreesColumn, true, false);
    port_->RepaintRect(removed.x, geometry_.playerMeldRow, geometry_.cardWidth,
                       geometry_.cardHeight + CardPile::kStep * 12);
    LayOnPile(removed, removed.x, removed.y);
    s.hasDrawn = false;
    s.mayTakePile = true;
    s.pileFrozen = true;
    s.stockDraws = 0;
    s.pileTopMustMeld = false;
    s.topCardPending = false;
    s.undoList.Clear();
    port_->SetUndoEnabled(false);
    s.opponentToMove = true;
    reporter_->DiscardRedThree(removed.code);
    ShowHint(Hint::Draw);
    EndPlayerTurn();
}

void VarentaEngine::EndPlayerTurn() {
    GameState& s = state_;
    s.opponentToMove = true;
    if (!EndOfHandCheck()) {
        return;
    }
    s.playerMeldedBefore = PlayerMeldValue();
    ShowHint(Hint::OpponentsTurn);
    RequestComputerTurn();
}

bool VarentaEngine::LastCardCanCompleteVarenta() const {
    if (!(state_.playerVarentas.count >= 1 || rules_.numberOfVarentas == 1)) {
        return false;
    }
    const Card& last = state_.playerHand[0];
    if (IsNatural(last)) {
        // Threes never make a Varenta.
        return last.rank > 2 && MeldColumnCount(Side::Player, last.rank) == 6;
    }
    const CardPile& melds = state_.playerMelds;
    for (int col = 3; col < kColumns; ++col) {
        int n = 0;
        int wild = 0;
        for (int i = 0; i < melds.count; ++i) {
            if (geometry_.ColumnOf(melds[i].x) == col) {
                ++n;
                wild += IsWild(melds[i]) ? 1 : 0;
            }
        }
        if (n == 6 && wild < 3) {
            return true;
        }
    }
    return false;
}

bool VarentaEngine::CheckMustPass() {
    const GameState& s = state_;
    if (s.playerHand.count != 1 || PlayerHasRequiredVarentas()) {
        return false;
    }
    if (s.pileTopMustMeld && !s.discardPile.Empty()) {
        return false;
    }
    std::string_view reason;
    if (!ValidateMelds(reason) || LastCardCanCompleteVarenta()) {
        return false;
    }
    PassDiscard();
    return true;
}

void VarentaEngine::PassDiscard() {
    GameState& s = state_;
    port_->ShowMessage(MessageKind::Information, texts::kMustPass);
    s.undoList.Clear();
    port_->SetUndoEnabled(false);
    s.opponentToMove = true;
    reporter_->PassDiscard();
    s.pileTopMustMeld = false;
    s.hasDrawn = false;
    s.topCardPending = false;
    s.stockDraws = 0;
    s.mayTakePile = true;
    SaveUndoPoint();
    EndPlayerTurn();
}

bool VarentaEngine::EndOfHandCheck() {
    Scope scope(*this);
    GameState& s = state_;
    if (programEnded_) {
        return false;
    }
    const bool playerGoesOn = !s.playerHand.Empty() || !PlayerHasRequiredVarentas();
    if (playerGoesOn && !s.opponentHand.Empty() && s.stock.count >= rules_.numberOfCards) {
        return true;
    }
    if (s.playerHand.Empty() && PlayerHasRequiredVarentas()) {
        s.wentOut = 0;
    } else if (s.opponentHand.Empty()) {
        s.wentOut = 1;
    } else if (!s.discardPile.Empty() && rules_.reuseDiscardPile &&
               s.restocksThisHand < kMaxRestocks) {
        Restock();
        return true;
    } else {
        // The stock is exhausted: nobody went out. Also after the pile was
        // reused three times, so that a hand cannot cycle for ever.
        s.wentOut = 2;
    }
    const HandResult result = ScoreHand();
    port_->RecordHandResult(result.difference);
    reporter_->HandScored();
    int difference = result.difference;
    if (s.playerScore >= kGameTarget || s.opponentScore >= kGameTarget) {
        difference = s.playerScore - s.opponentScore;
        if (!EndGame()) {
            return false;
        }
    }
    // In a network game only the side that did not lose deals; the other
    // waits for the deal and takes no input meanwhile. A level hand is dealt
    // by one agreed side only.
    if (!networkGame_ || difference > 0 || (difference == 0 && dealsLevelHands_)) {
        DealHand(false);
    } else {
        s.opponentToMove = true;
        ShowHint(Hint::OpponentsTurn);
    }
    return false;
}

void VarentaEngine::Restock() {
    GameState& s = state_;
    while (!s.discardPile.Empty()) {
        Card c = s.discardPile.PopTop();
        c.faceUp = false;
        c.x = geometry_.leftMargin;
        c.y = geometry_.stockRow;
        s.stock.Append(c);
    }
    s.pileFrozen = false;
    ++s.restocksThisHand;
    observer_->Restocked();
    port_->RepaintRect(0, geometry_.stockRow, geometry_.leftMargin + geometry_.cardWidth + 4,
                       2 * geometry_.cardHeight + 4);
}

} // namespace varenta

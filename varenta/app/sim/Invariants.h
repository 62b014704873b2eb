#pragma once

#include <string>

#include "varenta/engine/MoveReporter.h"

namespace varenta {
struct GameState;
class VarentaEngine;
} // namespace varenta

namespace varenta::sim {

// Checks what must hold between moves: each of the 108 cards lies in exactly
// one of the six heaps, no pile holds more than 108, and no red three stays
// in a hand. Returns an empty text when all holds, otherwise what broke.
std::string CheckInvariants(const GameState& state);

// Holds the computer to the rules the player is held to, watching its moves
// as the engine reports them (and passing every report on to `next`): a pile
// it takes has its top card in a meld that stands before the rest of the pile
// joins its hand, its melds pass the engine's validation whenever its turn
// ends (discard, red three from the table, pass, or going out), a wild card
// it lays is a joker while it holds one, and no meld of a rank ever carries
// more wild cards than naturals.
class ComputerRulesCheck : public TableObserver {
public:
    ComputerRulesCheck(const VarentaEngine& engine, TableObserver& next)
        : engine_(engine), next_(next) {}

    // The first rule broken (empty while none is), and the hand it happened
    // in, counted from 1 for this run.
    std::string broken;
    int brokenHand = 0;

    void HandDealt(std::string_view dealString) override;
    void OpponentDrew(const Card& card) override { next_.OpponentDrew(card); }
    void OpponentTookPileTop(const Card& card) override;
    void OpponentTookPileRest() override;
    void OpponentMelded(const Card& card) override { next_.OpponentMelded(card); }
    void OpponentMeldedWildCard(const Card& card, int column) override;
    void OpponentDiscarded(const Card& card) override;
    void OpponentDiscardedRedThree(const Card& card) override;
    void OpponentPassed() override;
    void Restocked() override { next_.Restocked(); }
    void HandEnded(int wentOut, int playerHandScore, int opponentHandScore) override;
    void GameOver(int playerScore, int opponentScore) override {
        next_.GameOver(playerScore, opponentScore);
    }

private:
    void checkTurnEnd(const char* how);
    void report(const std::string& what);

    const VarentaEngine& engine_;
    TableObserver& next_;
    int handsEnded_ = 0;
    bool takePending_ = false;
    Card top_{};
    int columnBefore_ = 0;
    bool heldBack_ = false;
};

} // namespace varenta::sim

#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "varenta/engine/MoveReporter.h"

namespace varenta::sim {

// Watches both sides of the table: writes the trace lines (when a stream is
// given), counts the moves of the current hand, the hands, games and their
// results, and tells when the player's turn has ended.
class SimTrace : public MoveReporter, public TableObserver {
public:
    explicit SimTrace(std::ostream* out) : out_(out) {}

    // The run has reached its limit: nothing more is written or counted (the
    // engine may already deal the next hand inside the same call).
    bool Closed() const { return closed_; }
    // A line about the run rather than the game (a cut, a resume): it begins
    // with '#', so that tools comparing games can leave it out.
    void Comment(std::string_view text) {
        if (out_ != nullptr && !closed_) {
            *out_ << "# " << text << '\n';
        }
    }

    // Counters.
    int movesThisHand = 0;
    std::int64_t moves = 0;
    int hands = 0;
    int games = 0;
    int playerHandWins = 0;
    int computerHandWins = 0;
    int handDraws = 0;
    std::int64_t playerHandPoints = 0;
    std::int64_t computerHandPoints = 0;
    std::int64_t playerTurnEnds = 0; // discards, passes, and hands ended
    std::int64_t playerMoves = 0;    // moves of the player's side the engine reported

    // MoveReporter: the player's side.
    void DrawNew(const Card& card) override { playerMove("P DRAWNEW", card.code); }
    void DrawPileTop(const Card& card) override { playerMove("P DRAWPILETOP", card.code); }
    void DrawPileRest() override { playerMove("P DRAWPILEREST"); }
    void UndoPile() override { playerMove("P UNDOPILE"); }
    void Meld(int code) override { playerMove("P MELD", code); }
    void MeldWildCard(int code, int column) override { playerMove("P MELDWILDCARD", code, column); }
    void Undo(int column, int code) override { playerMove("P UNDO", column, code); }
    void Discard(int code) override {
        ++playerTurnEnds;
        playerMove("P DISCARD", code);
    }
    void DiscardRedThree(int code) override {
        ++playerTurnEnds;
        playerMove("P DISCARDREDTHREE", code);
    }
    void PassDiscard() override {
        ++playerTurnEnds;
        playerMove("P PASSDISCARD");
    }

    // TableObserver: the deal, the computer's side, the hand's end.
    void HandDealt(std::string_view dealString) override;
    void OpponentDrew(const Card& card) override { move("O DRAWNEW", card.code); }
    void OpponentTookPileTop(const Card& card) override { move("O TAKEPILE", card.code); }
    void OpponentTookPileRest() override { move("O PILEREST"); }
    void OpponentMelded(const Card& card) override { move("O MELD", card.code); }
    void OpponentMeldedWildCard(const Card& card, int column) override {
        move("O MELDWILDCARD", card.code, column);
    }
    void OpponentDiscarded(const Card& card) override { move("O DISCARD", card.code); }
    void OpponentDiscardedRedThree(const Card& card) override {
        move("O DISCARDREDTHREE", card.code);
    }
    void OpponentPassed() override { move("O PASSDISCARD"); }
    void Restocked() override { line("RESTOCK"); }
    void HandEnded(int wentOut, int playerHandScore, int opponentHandScore) override;
    void GameOver(int playerScore, int opponentScore) override;

    // Called when a hand has been scored, before it is counted.
    std::function<void(int wentOut)> checkHandEnd;
    // Called once a hand or game has been counted; returns true to stop.
    std::function<bool()> stopAfterHand;
    std::function<bool()> stopAfterGame;

protected:
    void line(std::string_view text, int a = -1, int b = -1);
    void playerMove(std::string_view text, int a = -1, int b = -1) {
        ++playerMoves;
        move(text, a, b);
    }
    void move(std::string_view text, int a = -1, int b = -1) {
        ++movesThisHand;
        ++moves;
        line(text, a, b);
    }

private:
    std::ostream* out_;
    bool closed_ = false;
};

} // namespace varenta::sim

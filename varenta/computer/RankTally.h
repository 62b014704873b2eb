#pragma once

#include <array>

namespace varenta {

class VarentaEngine;
struct TableGeometry;

// Per-rank counting tables the computer player decides with. They are brought
// up to date with the table before every decision (see
// ComputerBase::RefreshTallies), so nothing here can go stale between moves. Ranks: 0 joker, 1 two,
// 2 three, 3 four ... 13 ace.
struct RankTally {
    using Table = std::array<int, 14>;

    Table opponentHandRank{};   // cards of each rank in the computer's hand
    Table opponentMeldColumn{}; // cards in each of the computer's meld columns
    Table opponentMeldRank{};   // the computer's meld cards by their own rank
    Table playerMeldColumn{};   // cards in each of the human's meld columns
    Table playerMeldRank{};     // the human's meld cards by their own rank
    Table discardPileRank{};    // discard pile cards by rank
    Table knownPlayerRank{};    // cards the human is known to hold, by rank
    Table seenRank{};           // ranks 2..13: every card the computer has seen
    Table playerHandRank{};     // the human's hand by rank (the engine's column count)

    int handSize = 0;          // cards in the computer's hand
    int blackThreesInHand = 0; // black threes in the computer's hand
    int pileWilds = 0;         // jokers and twos in the discard pile
    int pileBlackThrees = 0;   // black threes in the discard pile
    int opponentRedThreesInMelds = 0;
    int playerMeldRedThrees = 0;
    int playerMeldPoints = 0;       // points of every card in the human's melds
    int opponentMeldCardPoints = 0; // points of every card in the computer's melds

    int wildsInHand() const { return opponentHandRank[0] + opponentHandRank[1]; }
    bool operator==(const RankTally&) const = default;
};

// The meld column a card whose left edge is at x is counted in: its table
// column, held to 0..13.
int TallyColumn(const TableGeometry& geometry, int x);

// Rebuilds every table from the engine's table.
void RefreshTallies(const VarentaEngine& engine, RankTally& tally);

// Point value of a natural card of this rank (ranks 2..13; rank 2 counts as a
// black three), or of a wild card (0 joker, 1 two).
int RankPoints(int rank);

} // namespace varenta

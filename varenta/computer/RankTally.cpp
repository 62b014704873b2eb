#include "varenta/computer/RankTally.h"

#include "varenta/engine/VarentaEngine.h"

namespace varenta {

int RankPoints(int rank) {
    if (rank == 0) {
        return 50;
    }
    if (rank == 1 || rank == 13) {
        return 20;
    }
    return rank >= 7 ? 10 : 5;
}

int TallyColumn(const TableGeometry& geometry, int x) {
    const int col = ColumnFinder(geometry)(x);
    // Every card on the table lies in a column 0..13, so the clamp cannot change
    // the play: it only keeps a count inside the tables.
    return col < 0 ? 0 : (col >= kColumns ? kColumns - 1 : col);
}

void RefreshTallies(const VarentaEngine& engine, RankTally& tally) {
    const GameState& s = engine.State();
    const TableGeometry& geometry = engine.Geometry();
    tally = RankTally{};
    for (int i = 0; i < s.playerHand.Size(); ++i) {
        tally.playerHandRank[s.playerHand[i].rank] += 1;
    }

    for (int i = 0; i < s.opponentHand.Size(); ++i) {
        const Card& c = s.opponentHand[i];
        tally.opponentHandRank[c.rank] += 1;
        tally.blackThreesInHand += IsBlackThree(c) ? 1 : 0;
    }
    tally.handSize = s.opponentHand.Size();

    const ColumnFinder columnOf(geometry);
    auto column = [&](const Card& c) {
        const int col = columnOf(c.x);
        // Every card on the table lies in a column 0..13, so the clamp cannot change
        // the play: it only keeps a count inside the tables.
        return col < 0 ? 0 : (col >= kColumns ? kColumns - 1 : col);
    };
    for (int i = 0; i < s.playerMelds.Size(); ++i) {
        const Card& c = s.playerMelds[i];
        tally.playerMeldColumn[column(c)] += 1;
        tally.playerMeldRank[c.rank] += 1;
        tally.playerMeldRedThrees += IsRedThree(c) ? 1 : 0;
        tally.playerMeldPoints += c.points;
    }
    for (int i = 0; i < s.opponentMelds.Size(); ++i) {
        const Card& c = s.opponentMelds[i];
        tally.opponentMeldColumn[column(c)] += 1;
        tally.opponentMeldRank[c.rank] += 1;
        tally.opponentRedThreesInMelds += IsRedThree(c) ? 1 : 0;
        tally.opponentMeldCardPoints += c.points;
    }
    for (int i = 0; i < s.discardPile.Size(); ++i) {
        const Card& c = s.discardPile[i];
        tally.discardPileRank[c.rank] += 1;
        tally.pileWilds += IsWild(c) ? 1 : 0;
        tally.pileBlackThrees += IsBlackThree(c) ? 1 : 0;
    }
    for (int i = 0; i < s.knownPlayerCards.Size(); ++i) {
        tally.knownPlayerRank[s.knownPlayerCards[i].rank] += 1;
    }
    // No decision reads the seen ranks (debug builds hold them to the count as it goes): these
    // bounds cannot change the play.
    for (int r = 2; r < kColumns; ++r) {
        tally.seenRank[r] = tally.opponentHandRank[r] + tally.opponentMeldRank[r] +
                            tally.playerMeldRank[r] + tally.knownPlayerRank[r] +
                            tally.discardPileRank[r];
    }
}

} // namespace varenta

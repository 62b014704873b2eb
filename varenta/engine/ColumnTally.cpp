#include "varenta/engine/ColumnTally.h"

#include "varenta/engine/GameState.h"
#include "varenta/engine/TableGeometry.h"

namespace varenta {

namespace {

void CountByColumn(const CardPile& pile, const TableGeometry& g, RankCounts& out) {
    const ColumnFinder columnOf(g);
    for (int i = 0; i < pile.count; ++i) {
        const int column = columnOf(pile[i].x);
        if (column >= 0 && column < kColumns) {
            ++out[static_cast<std::size_t>(column)];
        }
    }
}

void CountByRank(const CardPile& pile, RankCounts& out) {
    for (int i = 0; i < pile.count; ++i) {
        ++out[pile[i].rank];
    }
}

} // namespace

void RecountColumns(const GameState& state, const TableGeometry& geometry, ColumnTally& tally) {
    tally = ColumnTally{};
    CountByColumn(state.playerMelds, geometry, tally.playerMeldColumn);
    CountByColumn(state.opponentMelds, geometry, tally.opponentMeldColumn);
    CountByRank(state.playerHand, tally.playerHandRank);
    CountByRank(state.opponentHand, tally.opponentHandRank);
}

ColumnTally RecountColumns(const GameState& state, const TableGeometry& geometry) {
    ColumnTally tally;
    RecountColumns(state, geometry, tally);
    return tally;
}

} // namespace varenta

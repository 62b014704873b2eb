#pragma once

#include <array>
#include <cstdint>

#include "varenta/engine/Card.h"

namespace varenta {

struct GameState;
struct TableGeometry;

using RankCounts = std::array<std::int32_t, kColumns>;

// Card counts per column of the meld areas and per rank of the hands; rebuilt
// on demand, never stored.
struct ColumnTally {
    RankCounts playerMeldColumn{};   // by the table column a meld card lies in
    RankCounts playerHandRank{};     // by rank
    RankCounts opponentHandRank{};   // by rank
    RankCounts opponentMeldColumn{}; // by table column
};

// Rebuilds the four tables from the state. A meld card's column is
// (x - left margin) / column width.
void RecountColumns(const GameState& state, const TableGeometry& geometry, ColumnTally& tally);
ColumnTally RecountColumns(const GameState& state, const TableGeometry& geometry);

} // namespace varenta

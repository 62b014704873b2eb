#pragma once

#include "varenta/engine/GameState.h"

namespace varenta {

// A game as a saved file holds it, for the engine to put on the table. Only
// the stored fields of `state` count: every pile with its cards and column
// anchors, the three tallies, the turn flags, the scores and the opponent's
// hand spacing; the rest of the hand's bookkeeping starts afresh.
struct SavedPosition {
    GameState state;
    int layout = 0; // the table layout the positions belong to
    // Column width the positions were laid out with, read off the hand's anchors.
    int columnWidth = 0;
};

} // namespace varenta

// Turns a point of the table into what lies there: the stock, the pile, a
// card of the player's hand or of the player's meld area.
#pragma once

#include "varenta/engine/GameState.h"
#include "varenta/engine/TableGeometry.h"

namespace varenta {

enum class HitRegion {
    Nothing = 0,
    Stock = 1,
    Pile = 2,
    HandNatural = 3,
    MeldCard = 4,   // a card of the player's meld area outside the threes column
    ThreesCard = 5, // a card of the player's threes column
    HandWild = 6,
};

struct Hit {
    HitRegion region = HitRegion::Nothing;
    int index = -1; // hand or meld index for the card regions
    bool operator==(const Hit&) const = default;
};

// A covered card is hit on its 12 visible pixels, the last card of a column
// (and every card of a squared seven-card meld) on its whole height.
Hit HitTest(const GameState& state, const TableGeometry& geometry, int x, int y);

} // namespace varenta

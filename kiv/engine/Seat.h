#pragma once

#include "kiv/engine/CardList.h"

namespace kiv {

constexpr int kSeatCount = 4;

// A seat's part of the play; who sits there and whether the computer plays
// for it are its settings (SeatSettings).
struct Seat {
    Hand hand;
    int handX = 100;
    int handY = 10;
    int index = 0;
    bool inRound = true;   // still holds cards in the current round
    bool hasDrawn = false; // drew at least one card in its current turn
    int score = 0;         // points of the current game
};

} // namespace kiv

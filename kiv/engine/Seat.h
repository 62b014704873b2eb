#pragma once

#include "kiv/engine/CardList.h"

#include <string>

namespace kiv {

constexpr int kSeatCount = 4;

struct Seat {
    Hand hand;
    int handX = 100;
    int handY = 10;
    int index = 0;
    std::string name;
    bool plays = true;     // "Spielt mit"
    bool inRound = true;   // still holds cards in the current round
    bool computer = false; // "Wird vom Rechner gesteuert"
    bool hasDrawn = false; // drew at least one card in its current turn
    int score = 0;         // points of the current game
};

} // namespace kiv

#pragma once

#include <string>

namespace varenta {
struct GameState;
}

namespace varenta::sim {

// Checks what must hold between moves: each of the 108 cards lies in exactly
// one of the six heaps, no pile holds more than 108, and no red three stays
// in a hand. Returns an empty text when all holds, otherwise what broke.
std::string CheckInvariants(const GameState& state);

} // namespace varenta::sim

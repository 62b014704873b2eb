#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "varenta/app/sim/SimOptions.h"

namespace varenta {
struct SavedGame;
class VarentaEngine;
} // namespace varenta

namespace varenta::sim {

struct SimSummary {
    bool ok = true;
    std::string error; // what stopped the run, naming the seed and the hand
    std::uint64_t seed = 0;
    int games = 0;
    int hands = 0;
    int playerWins = 0; // hands the player scored more in
    int computerWins = 0;
    int draws = 0;
    double avgPlayerHand = 0;
    double avgComputerHand = 0;
    std::int64_t moves = 0;
    std::int64_t botMoves = 0; // the player bot's actions that changed the game
};

// Longest hand a run accepts before it calls the game stuck.
inline constexpr int kMaxMovesPerHand = 5000;

// Plays the computer at the chosen level against the player bot until the
// options' limit, checking the table after every turn. The trace, when a
// stream is given, gets one line per event. With a saved game the run starts
// from it, the player bot on turn, instead of from a fresh deal. The engine,
// when given, is the one played on, so that the game can be saved afterwards.
SimSummary RunSimulation(const SimOptions& options, std::ostream* trace,
                         const SavedGame* start = nullptr, VarentaEngine* table = nullptr);

// The summary as the one-line JSON object the simulator prints.
std::string SummaryJson(const SimOptions& options, const SimSummary& summary,
                        double elapsedSeconds);

} // namespace varenta::sim

#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kiv::sim {

// The simulator's command line.
struct SimOptions {
    int games = 1;  // stop after this many games (when rounds is 0)
    int rounds = 0; // stop after this many rounds instead, when > 0
    int seats = 4;
    int cards = 5;
    int points = 200;
    // Rule switches; unset ones keep the game's defaults.
    std::optional<bool> layAfterDraw;
    std::optional<bool> eightOnEight;
    std::optional<bool> jackAlways;
    std::optional<bool> anyOnFirstJack;
    std::optional<bool> endOnFirstOut;
    std::string trace; // empty: no trace; "-": standard output; else a file
    bool json = false;
    bool help = false;
};

struct ParseResult {
    SimOptions options;
    std::string error; // empty when the command line was good
};

ParseResult ParseSimOptions(const std::vector<std::string>& args);
const char* SimUsage();

} // namespace kiv::sim

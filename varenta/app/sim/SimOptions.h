#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "varenta/computer/ComputerSettings.h"
#include "varenta/engine/RuleSet.h"

namespace varenta::sim {

struct SimOptions {
    ComputerLevel level = ComputerLevel::Beginner;
    int aggression = 50;
    int games = 1; // stop after this many games (when hands is 0)
    int hands = 0; // stop after this many hands instead, when > 0
    std::uint64_t seed = 0;
    bool seedGiven = false;
    RuleSet rules;
    std::int64_t moves = 0; // stop after the player bot's N-th move, when > 0
    std::string tracePath;  // "" no trace, "-" standard output
    std::string loadPath;   // start from this saved game instead of a deal
    std::string savePath;   // write the game here when the run stops
    bool json = false;
};

// Reads the command line (without the program name). On a bad argument
// returns nothing and puts the reason into error.
std::optional<SimOptions> ParseSimOptions(const std::vector<std::string_view>& args,
                                          std::string& error);

// Applies "NAME=VALUE,..." to a rule set; false (with the reason) on a bad entry.
bool ApplyRules(std::string_view list, RuleSet& rules, std::string& error);

std::string_view LevelName(ComputerLevel level);

inline constexpr std::string_view kUsage =
    "usage: varenta-sim [--level beginner|advanced|expert] [--aggression 0..100]\n"
    "                   [--games N | --hands N] [--moves N] [--seed N] [--rules LIST]\n"
    "                   [--load FILE] [--save FILE] [--trace FILE|-] [--json]\n"
    "  --moves N    stop after the player bot's N-th move (also within a hand)\n"
    "  --load FILE  continue the saved game FILE, the player bot on turn\n"
    "  --save FILE  when the run stops, save the game to FILE as Game | Save does\n";

} // namespace varenta::sim

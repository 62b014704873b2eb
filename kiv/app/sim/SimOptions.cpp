#include "kiv/app/sim/SimOptions.h"

#include <charconv>
#include <sstream>

namespace kiv::sim {

namespace {

bool ParseInt(const std::string& text, int low, int high, int& value) {
    int parsed = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, ec] = std::from_chars(first, last, parsed);
    if (ec != std::errc() || end != last || parsed < low || parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

// "Name=0|1,Name=0|1,..."
std::string ParseRules(const std::string& list, SimOptions& options) {
    // An empty list, or an empty item anywhere in it (a trailing comma
    // included), is a mistake in the command line and refused.
    if (list.empty()) {
        return "--rules needs a list";
    }
    std::stringstream items(list + ',');
    std::string item;
    while (std::getline(items, item, ',')) {
        const auto eq = item.find('=');
        if (eq == std::string::npos) {
            return "rule '" + item + "' needs the form NAME=0|1";
        }
        const std::string name = item.substr(0, eq);
        const std::string value = item.substr(eq + 1);
        if (value != "0" && value != "1") {
            return "rule " + name + " takes 0 or 1, not '" + value + "'";
        }
        const bool on = value == "1";
        if (name == "LayAfterDraw") {
            options.layAfterDraw = on;
        } else if (name == "EightOnEight") {
            options.eightOnEight = on;
        } else if (name == "JackAlways") {
            options.jackAlways = on;
        } else if (name == "AnyOnFirstJack") {
            options.anyOnFirstJack = on;
        } else if (name == "EndOnFirstOut") {
            options.endOnFirstOut = on;
        } else {
            return "unknown rule '" + name +
                   "' (LayAfterDraw, EightOnEight, JackAlways, AnyOnFirstJack, EndOnFirstOut)";
        }
    }
    return "";
}

} // namespace

const char* SimUsage() {
    return "usage: kiv-sim [--games N | --rounds N] [--seats 2|3|4] [--cards 3..6]\n"
           "               [--points 100..99999] [--rules LIST] [--trace FILE|-] [--json]\n"
           "  LIST: comma-separated NAME=0|1 with the names LayAfterDraw, EightOnEight,\n"
           "        JackAlways, AnyOnFirstJack, EndOnFirstOut\n";
}

ParseResult ParseSimOptions(const std::vector<std::string>& args) {
    ParseResult result;
    SimOptions& o = result.options;
    bool gamesGiven = false;
    bool roundsGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            o.json = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            o.help = true;
            continue;
        }
        const bool takesValue = arg == "--games" || arg == "--rounds" || arg == "--seats" ||
                                arg == "--cards" || arg == "--points" || arg == "--rules" ||
                                arg == "--trace";
        if (!takesValue) {
            result.error = "unknown option '" + arg + "'";
            return result;
        }
        if (i + 1 >= args.size()) {
            result.error = arg + " needs a value";
            return result;
        }
        const std::string& value = args[++i];
        bool ok = true;
        if (arg == "--games") {
            ok = ParseInt(value, 1, 1000000000, o.games);
            gamesGiven = true;
        } else if (arg == "--rounds") {
            ok = ParseInt(value, 1, 1000000000, o.rounds);
            roundsGiven = true;
        } else if (arg == "--seats") {
            ok = ParseInt(value, 2, 4, o.seats);
        } else if (arg == "--cards") {
            ok = ParseInt(value, 3, 6, o.cards);
        } else if (arg == "--points") {
            ok = ParseInt(value, 100, 99999, o.points);
        } else if (arg == "--rules") {
            result.error = ParseRules(value, o);
            if (!result.error.empty()) {
                return result;
            }
        } else {
            o.trace = value;
            ok = !value.empty();
        }
        if (!ok) {
            result.error = "bad value '" + value + "' for " + arg;
            return result;
        }
    }
    if (gamesGiven && roundsGiven) {
        result.error = "--games and --rounds cannot be combined";
    }
    return result;
}

} // namespace kiv::sim

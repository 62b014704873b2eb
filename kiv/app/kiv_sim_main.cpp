// kiv-sim: plays Kiv Kiv with computer seats only and prints a trace and summary.
#include "kiv/app/sim/KivSimulator.h"

#include <fstream>
#include <iostream>
#include <vector>

int main(int argc, char** argv) {
    using namespace kiv::sim;
    const ParseResult parsed = ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::cerr << "kiv-sim: " << parsed.error << "\n" << SimUsage();
        return 2;
    }
    const SimOptions& options = parsed.options;
    if (options.help) {
        std::cout << SimUsage();
        return 0;
    }
    std::ofstream file;
    std::ostream* trace = nullptr;
    if (options.trace == "-") {
        trace = &std::cout;
    } else if (!options.trace.empty()) {
        file.open(options.trace, std::ios::out | std::ios::trunc);
        if (!file) {
            std::cerr << "kiv-sim: cannot write the trace file '" << options.trace << "'\n";
            return 1;
        }
        trace = &file;
    }
    std::ios::sync_with_stdio(false);
    const SimSummary summary = RunSimulation(options, trace);
    if (file.is_open()) {
        file.close();
        if (!file) {
            std::cerr << "kiv-sim: writing the trace file '" << options.trace << "' failed\n";
            return 1;
        }
    }
    if (options.json) {
        std::cout << SummaryJson(summary) << "\n";
    }
    std::cout.flush();
    if (!summary.error.empty()) {
        std::cerr << "kiv-sim: " << summary.error << "\n";
        return 1;
    }
    return std::cout ? 0 : 1;
}

// kiv-sim: plays Kiv Kiv with computer seats only and prints a trace and summary.
#include "kiv/app/sim/KivSimulator.h"

#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <unistd.h>
#include <vector>

namespace {

// A closed standard output would hand its number to the next file opened
// (the trace), and the JSON would land in it; something harmless takes the
// place first. Returns whether standard output was closed.
bool KeepStandardOutputTaken() {
    if (::fcntl(STDOUT_FILENO, F_GETFD) != -1) {
        return false;
    }
    const int fd = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (fd >= 0 && fd != STDOUT_FILENO) {
        ::close(fd);
    }
    return true;
}

} // namespace

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
    if (KeepStandardOutputTaken() && (options.json || options.trace == "-")) {
        std::cerr << "kiv-sim: standard output is closed\n";
        return 1;
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
    if (!std::cout) {
        std::cerr << "kiv-sim: writing the standard output failed\n";
        return 1;
    }
    return 0;
}

// varenta-sim: the computer player against a player bot, headless.
#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "varenta/app/sim/NetworkSim.h"
#include "varenta/app/sim/Simulator.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/store/SavedGameFile.h"
#include "varenta/store/SavedGameTexts.h"

namespace {

// Output that cannot be written is a failed run, never one reported as done.
int OutputFailed(const std::string& what) {
    std::cerr << "varenta-sim: " << what << '\n';
    return 1;
}

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
    using namespace varenta::sim;
    std::vector<std::string_view> args(argv + 1, argv + argc);
    for (std::string_view arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
    }
    std::string error;
    std::optional<SimOptions> options = ParseSimOptions(args, error);
    if (!options) {
        std::cerr << "varenta-sim: " << error << '\n' << kUsage;
        return 2;
    }
    if (KeepStandardOutputTaken() && (options->json || options->tracePath == "-")) {
        return OutputFailed("standard output is closed");
    }
    if (!options->seedGiven) {
        options->seed =
            static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    }

    // A saved game is read and checked before anything is written.
    std::unique_ptr<varenta::SavedGame> loaded;
    if (!options->loadPath.empty()) {
        loaded = std::make_unique<varenta::SavedGame>();
        std::string message;
        if (!varenta::ReadSavedGameFile(options->loadPath, *loaded, message)) {
            std::cerr << "varenta-sim: " << message << '\n';
            return 1;
        }
    }

    std::ofstream file;
    std::ostream* trace = nullptr;
    if (options->tracePath == "-") {
        std::ios::sync_with_stdio(false);
        trace = &std::cout;
    } else if (!options->tracePath.empty()) {
        file.open(options->tracePath, std::ios::out | std::ios::trunc);
        if (!file) {
            return OutputFailed("cannot write the trace file " + options->tracePath);
        }
        trace = &file;
    }

    const auto start = std::chrono::steady_clock::now();
    auto engine = std::make_unique<varenta::VarentaEngine>();
    const SimSummary summary = options->Networked()
                                   ? RunNetworkSimulation(*options, trace, std::cerr)
                                   : RunSimulation(*options, trace, loaded.get(), engine.get());
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    if (file.is_open()) {
        file.close();
        if (!file) {
            return OutputFailed("writing the trace file " + options->tracePath + " failed");
        }
    }
    if (options->json) {
        std::cout << SummaryJson(*options, summary, elapsed) << '\n';
    }
    std::cout.flush();
    if (!std::cout) {
        return OutputFailed(options->tracePath == "-" ? "writing the trace failed"
                                                      : "writing the summary failed");
    }
    if (!summary.ok) {
        std::cerr << "varenta-sim: " << summary.error << '\n';
        return 1;
    }
    if (!options->savePath.empty()) {
        // Refused as Game | Save refuses, and written by the same writer.
        switch (varenta::CheckSaveAllowed(*engine, false)) {
        case varenta::SaveRefusal::TakePending:
            std::cerr << "varenta-sim: " << varenta::texts::kSaveWhileTaking << '\n';
            return 1;
        case varenta::SaveRefusal::MeldIncorrect:
            std::cerr << "varenta-sim: " << varenta::texts::kSaveMeldIncorrect << '\n';
            return 1;
        case varenta::SaveRefusal::None:
            break;
        }
        std::string message;
        if (!varenta::WriteSavedGameFile(options->savePath, engine->State(),
                                         engine->Geometry().layout, message)) {
            std::cerr << "varenta-sim: " << message << '\n';
            return 1;
        }
    }
    return 0;
}

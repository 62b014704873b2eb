// varenta-sim: the computer player against a player bot, headless.
#include <chrono>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "varenta/app/sim/Simulator.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/store/SavedGameFile.h"
#include "varenta/store/SavedGameTexts.h"

#include <memory>

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
            std::cerr << "varenta-sim: cannot write the trace file " << options->tracePath << '\n';
            return 2;
        }
        trace = &file;
    }

    const auto start = std::chrono::steady_clock::now();
    auto engine = std::make_unique<varenta::VarentaEngine>();
    const SimSummary summary = RunSimulation(*options, trace, loaded.get(), engine.get());
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    if (file.is_open()) {
        file.close();
        if (!file) {
            std::cerr << "varenta-sim: writing the trace file failed\n";
            return 2;
        }
    }
    if (options->json) {
        std::cout << SummaryJson(*options, summary, elapsed) << '\n';
    }
    std::cout.flush();
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

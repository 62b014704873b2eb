#pragma once

#include "kiv/app/sim/SimOptions.h"
#include "kiv/engine/KivGame.h"

#include <ostream>
#include <string>

namespace kiv::sim {

// A round that runs longer than this is taken to be stuck.
constexpr int kMaxTurnsPerRound = 10000;

struct SimSummary {
    long long games = 0;
    long long rounds = 0;
    long long turns = 0;
    double elapsedSeconds = 0;
    std::string error; // set when the run was stopped by a stuck round
};

// The simulator's port: shows nothing, answers every question with No, never
// waits, writes the trace and stops the computer chain when the run is done.
class SimPort : public KivPort {
public:
    SimPort(const SimOptions& options, std::ostream* trace);

    bool ContinueComputerMoves() override { return !stopped_; }
    void OnGameEvent(const GameEvent& event) override;

    bool Stopped() const { return stopped_; }
    const SimSummary& Summary() const { return summary_; }
    long long EventCount() const { return events_; }

private:
    // These two are kept out of the event handler, which every event passes
    // through: their buffer and strings would cost each call a stack frame.
    [[gnu::noinline]] void TraceLine(const GameEvent& event); // the event's line of the trace
    [[gnu::cold]] void StopStuckRound();
    void Line(const char* word, std::initializer_list<int> numbers);

    const SimOptions& options_;
    std::ostream* trace_;
    SimSummary summary_;
    long long roundNumber_ = 0;
    int turnsThisRound_ = 0;
    long long events_ = 0;
    bool stopped_ = false;
};

// Plays with every playing seat driven by the computer, exactly from the
// program's start, and returns what happened. trace may be null.
SimSummary RunSimulation(const SimOptions& options, std::ostream* trace);

// {"games":G,"rounds":R,"turns":T,"elapsed_s":S,"rounds_per_s":X}
std::string SummaryJson(const SimSummary& summary);

} // namespace kiv::sim

#include "kiv/app/sim/KivSimulator.h"

#include <chrono>
#include <cstdio>

namespace kiv::sim {

SimPort::SimPort(const SimOptions& options, std::ostream* trace)
    : options_(options), trace_(trace) {}

void SimPort::Line(const char* word, std::initializer_list<int> numbers) {
    char buffer[96];
    int length = std::snprintf(buffer, sizeof buffer, "%s", word);
    for (int number : numbers) {
        length += std::snprintf(buffer + length, sizeof buffer - length, " %d", number);
    }
    buffer[length++] = '\n';
    trace_->write(buffer, length);
}

void SimPort::OnGameEvent(const GameEvent& e) {
    if (stopped_) {
        return; // the run is over; what the engine still does is not traced
    }
    ++events_;
    // The counting first: a run without a trace does nothing else, and the
    // round's line carries the new round number.
    switch (e.kind) {
    case GameEventKind::Round:
        ++roundNumber_;
        turnsThisRound_ = 0;
        break;
    case GameEventKind::Turn:
        ++summary_.turns;
        if (++turnsThisRound_ > kMaxTurnsPerRound) {
            StopStuckRound();
        }
        break;
    case GameEventKind::Score:
        ++summary_.rounds;
        if (options_.rounds > 0 && summary_.rounds >= options_.rounds) {
            stopped_ = true;
        }
        break;
    case GameEventKind::GameOver:
        ++summary_.games;
        if (options_.rounds == 0 && summary_.games >= options_.games) {
            stopped_ = true;
        }
        break;
    default:
        break;
    }
    if (trace_ != nullptr) {
        TraceLine(e);
    }
}

void SimPort::StopStuckRound() {
    summary_.error = "round " + std::to_string(roundNumber_) + " ran past " +
                     std::to_string(kMaxTurnsPerRound) +
                     " turns without ending; the run was stopped";
    stopped_ = true;
}

void SimPort::TraceLine(const GameEvent& e) {
    switch (e.kind) {
    case GameEventKind::Round:
        Line("round", {static_cast<int>(roundNumber_)});
        break;
    case GameEventKind::Deal:
        Line("deal", {e.seat, e.value});
        break;
    case GameEventKind::Up:
        Line("up", {e.value});
        break;
    case GameEventKind::Play:
        Line("play", {e.seat, e.value});
        break;
    case GameEventKind::Wish:
        Line("wish", {e.seat, e.value});
        break;
    case GameEventKind::Draw:
        Line("draw", {e.seat, e.value});
        break;
    case GameEventKind::Rebuild:
        Line("rebuild", {e.value});
        break;
    case GameEventKind::SitOut:
        Line("sitout", {e.seat});
        break;
    case GameEventKind::Lapse:
        Line("lapse", {e.seat});
        break;
    case GameEventKind::Turn:
        Line("turn", {e.seat});
        break;
    case GameEventKind::Out:
        Line("out", {e.seat, e.value});
        break;
    case GameEventKind::Score:
        Line("score", {e.four[0], e.four[1], e.four[2], e.four[3]});
        break;
    case GameEventKind::GameOver:
        Line("gameover", {e.four[0], e.four[1], e.four[2], e.four[3]});
        break;
    }
}

namespace {

GameSettings SimSettings(const SimOptions& options) {
    GameSettings s;
    for (int i = 0; i < kSeatCount; ++i) {
        s.seats[i].plays = i < options.seats;
        s.seats[i].computer = true;
    }
    s.cardsPerPlayer = options.cards;
    s.pointsToWin = options.points;
    s.ruleLayAfterDraw = options.layAfterDraw.value_or(s.ruleLayAfterDraw);
    s.ruleEightOnEight = options.eightOnEight.value_or(s.ruleEightOnEight);
    s.ruleJackAlways = options.jackAlways.value_or(s.ruleJackAlways);
    s.ruleAnyOnFirstJack = options.anyOnFirstJack.value_or(s.ruleAnyOnFirstJack);
    s.ruleEndOnFirstOut = options.endOnFirstOut.value_or(s.ruleEndOnFirstOut);
    // Nothing is seen or heard, so there is nothing to lay out, animate, play
    // or wait for.
    s.windowShown = false;
    s.animateCards = false;
    s.soundOn = false;
    s.musicOn = false;
    s.computerDelay = 0;
    return s;
}

} // namespace

SimSummary RunSimulation(const SimOptions& options, std::ostream* trace) {
    const auto start = std::chrono::steady_clock::now();
    KivGame doc;
    doc.ApplySettings(SimSettings(options));
    SimPort port(options, trace);
    doc.SetPort(&port);
    doc.StartFirstRound();
    while (!port.Stopped()) {
        // Whenever the current seat is to move and no move runs, start it.
        const long long before = port.EventCount();
        doc.StartComputerMove();
        if (port.EventCount() == before && !port.Stopped()) {
            SimSummary summary = port.Summary();
            summary.error = "seat " + std::to_string(doc.State().currentSeat) + " cannot move";
            return summary;
        }
    }
    SimSummary summary = port.Summary();
    summary.elapsedSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return summary;
}

std::string SummaryJson(const SimSummary& s) {
    const double perSecond = s.elapsedSeconds > 0 ? s.rounds / s.elapsedSeconds : 0.0;
    char buffer[256];
    std::snprintf(buffer, sizeof buffer,
                  "{\"games\":%lld,\"rounds\":%lld,\"turns\":%lld,\"elapsed_s\":%.6f,"
                  "\"rounds_per_s\":%.1f}",
                  s.games, s.rounds, s.turns, s.elapsedSeconds, perSecond);
    return buffer;
}

} // namespace kiv::sim

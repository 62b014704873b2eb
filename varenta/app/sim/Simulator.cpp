#include "varenta/app/sim/Simulator.h"

#include <cstdio>

#include "varenta/app/sim/Invariants.h"
#include "varenta/app/sim/PlayerBot.h"
#include "varenta/app/sim/SimTrace.h"
#include "varenta/computer/ComputerPlayer.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/store/SavedGameFile.h"

#include <memory>

namespace varenta::sim {

namespace {

// Answers every question with Yes and shows nothing, but remembers an error
// box: the engine only shows one for a fault.
class SimPort : public VarentaPort {
public:
    void ShowMessage(MessageKind kind, std::string_view text) override {
        if (kind == MessageKind::Error && error.empty()) {
            error = std::string(text);
        }
    }
    std::string error;
};

// Plays the computer's turn and checks the table right after it.
class CheckedComputer : public ComputerTurnHook {
public:
    explicit CheckedComputer(const ComputerSettings& settings) : player(settings) {}
    void ComputerTurn(VarentaEngine& engine) override {
        player.ComputerTurn(engine);
        if (broken.empty()) {
            broken = CheckInvariants(engine.State());
        }
    }
    ComputerPlayer player;
    std::string broken;
};

} // namespace

SimSummary RunSimulation(const SimOptions& options, std::ostream* traceStream,
                         const SavedGame* start, VarentaEngine* table) {
    SimSummary summary;
    summary.seed = options.seed;

    std::unique_ptr<VarentaEngine> ownEngine;
    if (table == nullptr) {
        ownEngine = std::make_unique<VarentaEngine>();
        table = ownEngine.get();
    }
    VarentaEngine& engine = *table;
    SimPort port;
    SimTrace trace(traceStream);
    ComputerSettings settings;
    settings.level = options.level;
    settings.aggression = options.aggression;
    CheckedComputer computer(settings);
    engine.SetPort(&port);
    engine.SetReporter(&trace);
    ComputerRulesCheck rulesCheck(engine, trace);
    engine.SetObserver(&rulesCheck);
    engine.SetComputerHook(&computer);
    engine.SetRules(options.rules);
    trace.stopAfterHand = [&] { return options.hands > 0 && trace.hands >= options.hands; };
    trace.stopAfterGame = [&] { return options.hands == 0 && trace.games >= options.games; };

    // Going out needs the Varentas the rules ask for, whoever does it.
    std::string wrongEnd;
    trace.checkHandEnd = [&](int wentOut) {
        const GameState& s = engine.State();
        const int needed = engine.Rules().numberOfVarentas;
        if (wrongEnd.empty() && ((wentOut == 0 && s.playerVarentas.count < needed) ||
                                 (wentOut == 1 && s.opponentVarentas.count < needed))) {
            wrongEnd = std::string(wentOut == 0 ? "the player" : "the computer") +
                       " went out without the Varentas it needs";
        }
    };

    auto fail = [&](const std::string& what, int hand = 0) {
        summary.ok = false;
        summary.error = "seed " + std::to_string(options.seed) + ", hand " +
                        std::to_string(hand > 0 ? hand : trace.hands + 1) + ": " + what;
    };

    engine.StartProgram(options.seed);
    if (start != nullptr) {
        ApplySavedGame(engine, *start);
    } else {
        engine.DealHand(true);
    }
    PlayerBot bot;
    bot.LimitActions(options.moves, &trace.playerMoves);
    while (summary.ok && !trace.Closed() && !bot.Stopped()) {
        if (!wrongEnd.empty()) {
            fail(wrongEnd);
            break;
        }
        if (!computer.broken.empty()) {
            fail("after the computer's turn: " + computer.broken);
            break;
        }
        if (!rulesCheck.broken.empty()) {
            fail(rulesCheck.broken, rulesCheck.brokenHand);
            break;
        }
        if (!port.error.empty()) {
            fail("error shown: " + port.error);
            break;
        }
        if (engine.ProgramEnded()) {
            fail("the program ended");
            break;
        }
        if (trace.movesThisHand > kMaxMovesPerHand) {
            fail("the hand ran past " + std::to_string(kMaxMovesPerHand) + " moves");
            break;
        }
        if (!bot.PlayTurn(engine, trace.playerTurnEnds)) {
            fail("the player bot is stuck: " + bot.Failure());
            break;
        }
        const std::string broken = CheckInvariants(engine.State());
        if (!broken.empty()) {
            fail("after the player's turn: " + broken);
        }
    }

    // The last hand's end and the computer's last turn are checked too.
    if (summary.ok && !wrongEnd.empty()) {
        fail(wrongEnd);
    } else if (summary.ok && !computer.broken.empty()) {
        fail("after the computer's turn: " + computer.broken);
    } else if (summary.ok && !rulesCheck.broken.empty()) {
        fail(rulesCheck.broken, rulesCheck.brokenHand);
    }

    summary.games = trace.games;
    summary.hands = trace.hands;
    summary.playerWins = trace.playerHandWins;
    summary.computerWins = trace.computerHandWins;
    summary.draws = trace.handDraws;
    summary.moves = trace.moves;
    summary.botMoves = bot.Actions();
    if (trace.hands > 0) {
        summary.avgPlayerHand = static_cast<double>(trace.playerHandPoints) / trace.hands;
        summary.avgComputerHand = static_cast<double>(trace.computerHandPoints) / trace.hands;
    }
    if (traceStream != nullptr) {
        traceStream->flush();
    }
    // The engine may outlive this run (to be saved): it keeps nothing of it.
    engine.SetPort(nullptr);
    engine.SetReporter(nullptr);
    engine.SetObserver(nullptr);
    engine.SetComputerHook(nullptr);
    return summary;
}

std::string SummaryJson(const SimOptions& options, const SimSummary& s, double elapsedSeconds) {
    char numbers[160];
    const double rate = elapsedSeconds > 0 ? s.hands / elapsedSeconds : 0.0;
    std::snprintf(numbers, sizeof numbers,
                  "\"avg_player_hand\":%.2f,\"avg_computer_hand\":%.2f,\"elapsed_s\":%.3f,"
                  "\"hands_per_s\":%.1f}",
                  s.avgPlayerHand, s.avgComputerHand, elapsedSeconds, rate);
    std::string json = "{\"level\":\"" + std::string(LevelName(options.level)) + "\"";
    json += ",\"seed\":" + std::to_string(s.seed);
    json += ",\"games\":" + std::to_string(s.games);
    json += ",\"hands\":" + std::to_string(s.hands);
    json += ",\"player_wins\":" + std::to_string(s.playerWins);
    json += ",\"computer_wins\":" + std::to_string(s.computerWins);
    json += ",\"draws\":" + std::to_string(s.draws) + ",";
    json += numbers;
    return json;
}

} // namespace varenta::sim

#include "kiv/app/sim/KivSimulator.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace kiv::sim {
namespace {

TEST(SimOptionsTest, EveryOptionAndEveryKindOfMistake) {
    const ParseResult all = ParseSimOptions(
        {"--rounds", "7", "--seats", "3", "--cards", "6", "--points", "99999", "--rules",
         "LayAfterDraw=1,EightOnEight=0,JackAlways=0,AnyOnFirstJack=0,EndOnFirstOut=1", "--trace",
         "-", "--json"});
    ASSERT_EQ(all.error, "");
    const SimOptions& o = all.options;
    EXPECT_EQ((std::array{o.rounds, o.seats, o.cards, o.points}), (std::array{7, 3, 6, 99999}));
    EXPECT_TRUE(*o.layAfterDraw && !*o.eightOnEight && !*o.jackAlways && !*o.anyOnFirstJack &&
                *o.endOnFirstOut && o.json && o.trace == "-");
    const SimOptions none = ParseSimOptions({}).options;
    EXPECT_EQ((std::array{none.games, none.rounds, none.seats, none.cards, none.points}),
              (std::array{1, 0, 4, 5, 200}));
    const std::vector<std::vector<std::string>> bad = {{"--seats", "1"},
                                                       {"--seats", "5"},
                                                       {"--cards", "7"},
                                                       {"--points", "99"},
                                                       {"--games", "0"},
                                                       {"--games", "3x"},
                                                       {"--rules", "Fast=1"},
                                                       {"--rules", "JackAlways=2"},
                                                       {"--rules", ""},
                                                       {"--rules", "JackAlways=1,"},
                                                       {"--games", "1", "--rounds", "1"},
                                                       {"--trace"},
                                                       {"--verbose"}};
    for (const auto& args : bad) {
        EXPECT_NE(ParseSimOptions(args).error, "") << args[0];
    }
}

std::vector<std::string> Trace(const std::vector<std::string>& args,
                               SimSummary* summary = nullptr) {
    const ParseResult parsed = ParseSimOptions(args);
    std::ostringstream out;
    const SimSummary s = RunSimulation(parsed.options, &out);
    if (summary) {
        *summary = s;
    }
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(Simulator, SameArgumentsSameTraceStartingLikeTheProgram) {
    const auto first = Trace({"--games", "2", "--rules", "LayAfterDraw=1"});
    EXPECT_EQ(Trace({"--games", "2", "--rules", "LayAfterDraw=1"}), first);
    EXPECT_NE(Trace({"--games", "2"}), first);
    ASSERT_GT(first.size(), 22u);
    EXPECT_EQ(first[0], "round 1");
    EXPECT_EQ(first[1], "deal 0 10"); // the fresh generator's 41 picks card 10 of 32
    EXPECT_EQ(first[21].substr(0, 3), "up ");
}

TEST(Simulator, StopsRightAfterTheWantedGameOrRoundAndCountsLines) {
    SimSummary s;
    auto lines = Trace({"--games", "3"}, &s);
    EXPECT_EQ(lines.back().substr(0, 9), "gameover ");
    long long turns = 0, rounds = 0;
    for (const std::string& line : lines) {
        turns += line.rfind("turn ", 0) == 0;
        rounds += line.rfind("score ", 0) == 0;
    }
    EXPECT_EQ((std::array{s.games, s.turns, s.rounds}), (std::array{3LL, turns, rounds}));
    lines = Trace({"--rounds", "4", "--seats", "2"}, &s);
    EXPECT_EQ(lines.back().substr(0, 6), "score ");
    EXPECT_EQ(s.rounds, 4);
    EXPECT_EQ(s.error, "");
}

// Replays a trace: every card is in one place and leaves only from there,
// rebuild counts match, scores are the sums of the outs, results in rank order.
std::string Replay(const std::vector<std::string>& lines, int seats) {
    constexpr int kStock = -1, kPile = -2;
    std::array<int, 33> where;
    where.fill(kStock);
    std::vector<int> pile;
    std::array<int, 4> scored{}, lastScore{};
    auto count = [&where](int place) {
        return int(std::count(where.begin() + 1, where.end(), place));
    };
    auto move = [&where, seats](int card, int from, int to) {
        const bool ok = card >= 1 && card <= 32 && where[card] == from && to < seats;
        where[card] = ok ? to : where[card];
        return ok;
    };
    const std::map<std::string, size_t> arity = {
        {"round", 1}, {"deal", 2},    {"up", 1},      {"play", 2},  {"wish", 2},
        {"draw", 2},  {"rebuild", 1}, {"sitout", 1},  {"lapse", 1}, {"turn", 1},
        {"out", 2},   {"score", 4},   {"gameover", 4}};
    for (const std::string& line : lines) {
        std::istringstream in(line);
        std::string word;
        std::vector<int> n;
        in >> word;
        for (int v; in >> v;) {
            n.push_back(v);
        }
        const auto it = arity.find(word);
        if (it == arity.end() || it->second != n.size() || !in.eof()) {
            return line;
        }
        bool ok = true;
        if (word == "round") {
            where.fill(kStock);
            pile.clear();
        } else if (word == "deal" || word == "draw") {
            ok = move(n[1], kStock, n[0]);
        } else if (word == "up" || word == "play") {
            ok = word == "up" ? move(n[0], kStock, kPile) : move(n[1], n[0], kPile);
            pile.push_back(n.back());
        } else if (word == "rebuild") {
            for (size_t i = 0; i + 1 < pile.size(); ++i) {
                where[pile[i]] = kStock;
            }
            pile.erase(pile.begin(), pile.end() - (pile.empty() ? 0 : 1));
            ok = count(kStock) == n[0];
        } else if (word == "out") {
            ok = count(n[0]) == 0;
            scored[n[0]] += n[1];
        } else if (word == "score") {
            lastScore = {n[0], n[1], n[2], n[3]};
            ok = lastScore == scored;
        } else if (word == "gameover") {
            ok = (std::array{n[0], n[1], n[2], n[3]}) == KivGame::RankOrder(lastScore);
            scored.fill(0);
        } else {
            ok = n[0] >= 0 && n[0] < seats && (word != "wish" || (n[1] >= 1 && n[1] <= 4));
        }
        if (!ok) {
            return line;
        }
    }
    return "";
}

class LongRuns : public ::testing::TestWithParam<std::pair<std::vector<std::string>, int>> {};

TEST_P(LongRuns, EveryCardIsAccountedForAndScoresAddUp) {
    std::vector<std::string> args = {"--rounds", "300"};
    args.insert(args.end(), GetParam().first.begin(), GetParam().first.end());
    SimSummary s;
    const auto lines = Trace(args, &s);
    EXPECT_EQ(s.rounds, 300);
    EXPECT_EQ(Replay(lines, GetParam().second), "");
}

INSTANTIATE_TEST_SUITE_P(
    EachRuleFlipped, LongRuns,
    ::testing::Values(std::pair{std::vector<std::string>{}, 4},
                      std::pair{std::vector<std::string>{"--rules", "LayAfterDraw=1"}, 4},
                      std::pair{std::vector<std::string>{"--rules", "EightOnEight=0"}, 4},
                      std::pair{std::vector<std::string>{"--rules", "JackAlways=0"}, 4},
                      std::pair{std::vector<std::string>{"--rules", "AnyOnFirstJack=0"}, 4},
                      std::pair{std::vector<std::string>{"--rules", "EndOnFirstOut=1"}, 4},
                      std::pair{std::vector<std::string>{"--seats", "2", "--cards", "6", "--rules",
                                                         "LayAfterDraw=1,EightOnEight=0"},
                                2},
                      std::pair{std::vector<std::string>{"--seats", "3", "--cards", "3"}, 3}));

TEST(Simulator, ReplayNoticesACardInTwoPlaces) {
    EXPECT_EQ(Replay({"round 1", "deal 0 5", "deal 1 5"}, 4), "deal 1 5");
    EXPECT_EQ(Replay({"round 1", "up 5", "rebuild 30"}, 4), "rebuild 30");
}

TEST(Simulator, ARoundPastTenThousandTurnsStopsTheRunWithAReason) {
    SimOptions options;
    std::ostringstream out;
    SimPort port(options, &out);
    GameEvent turn;
    turn.kind = GameEventKind::Turn;
    for (int i = 0; i < kMaxTurnsPerRound; ++i) {
        port.OnGameEvent(turn);
    }
    EXPECT_TRUE(port.ContinueComputerMoves());
    port.OnGameEvent(turn);
    EXPECT_FALSE(port.ContinueComputerMoves());
    EXPECT_NE(port.Summary().error.find("10000 turns"), std::string::npos);
    const std::string before = out.str();
    port.OnGameEvent(GameEvent{}); // nothing is traced once stopped
    EXPECT_EQ(out.str(), before);
}

TEST(Simulator, JsonSummary) {
    SimSummary s{2, 9, 400, 0.5, ""};
    EXPECT_EQ(SummaryJson(s), "{\"games\":2,\"rounds\":9,\"turns\":400,\"elapsed_s\":0.500000,"
                              "\"rounds_per_s\":18.0}");
}

} // namespace
} // namespace kiv::sim

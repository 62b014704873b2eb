#include "kiv/app/sim/KivSimulator.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace kiv::sim {
namespace {

ParseResult Parse(std::vector<std::string> args) {
    return ParseSimOptions(args);
}

TEST(SimOptionsTest, DefaultsAndEveryOption) {
    const ParseResult none = Parse({});
    EXPECT_EQ(none.error, "");
    EXPECT_EQ(none.options.games, 1);
    EXPECT_EQ(none.options.rounds, 0);
    EXPECT_EQ(none.options.seats, 4);
    EXPECT_EQ(none.options.cards, 5);
    EXPECT_EQ(none.options.points, 200);
    EXPECT_FALSE(none.options.json);

    const ParseResult all =
        Parse({"--rounds", "7", "--seats", "3", "--cards", "6", "--points", "99999", "--rules",
               "LayAfterDraw=1,EightOnEight=0,JackAlways=0,AnyOnFirstJack=0,EndOnFirstOut=1",
               "--trace", "-", "--json"});
    ASSERT_EQ(all.error, "");
    const SimOptions& o = all.options;
    EXPECT_EQ(o.rounds, 7);
    EXPECT_EQ(o.seats, 3);
    EXPECT_EQ(o.cards, 6);
    EXPECT_EQ(o.points, 99999);
    EXPECT_EQ(o.layAfterDraw, true);
    EXPECT_EQ(o.eightOnEight, false);
    EXPECT_EQ(o.jackAlways, false);
    EXPECT_EQ(o.anyOnFirstJack, false);
    EXPECT_EQ(o.endOnFirstOut, true);
    EXPECT_EQ(o.trace, "-");
    EXPECT_TRUE(o.json);
}

TEST(SimOptionsTest, BadCommandLinesAreRefusedWithAReason) {
    const std::vector<std::vector<std::string>> bad = {{"--seats", "1"},
                                                       {"--seats", "5"},
                                                       {"--cards", "2"},
                                                       {"--cards", "7"},
                                                       {"--points", "99"},
                                                       {"--points", "100000"},
                                                       {"--games", "0"},
                                                       {"--games", "x"},
                                                       {"--games", "3x"},
                                                       {"--rules", "Fast=1"},
                                                       {"--rules", "JackAlways=2"},
                                                       {"--rules", "JackAlways"},
                                                       {"--games", "1", "--rounds", "1"},
                                                       {"--trace"},
                                                       {"--verbose"}};
    for (const auto& args : bad) {
        EXPECT_NE(Parse(args).error, "") << args[0];
    }
}

std::string Trace(const std::vector<std::string>& args, SimSummary* summary = nullptr) {
    const ParseResult parsed = ParseSimOptions(args);
    EXPECT_EQ(parsed.error, "");
    std::ostringstream out;
    const SimSummary s = RunSimulation(parsed.options, &out);
    if (summary) {
        *summary = s;
    }
    return out.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(Simulator, SameArgumentsGiveTheSameTrace) {
    const std::vector<std::string> args = {"--games", "2", "--rules", "LayAfterDraw=1"};
    const std::string first = Trace(args);
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(Trace(args), first);
    EXPECT_NE(Trace({"--games", "2"}), first);
}

TEST(Simulator, StartsLikeTheProgramWithAFreshGenerator) {
    const std::vector<std::string> lines = Lines(Trace({"--rounds", "1"}));
    ASSERT_GT(lines.size(), 22u);
    EXPECT_EQ(lines[0], "round 1");
    EXPECT_EQ(lines[1], "deal 0 10"); // first value 41 picks position 10 of 32
    for (int i = 1; i <= 20; ++i) {
        EXPECT_EQ(lines[i].rfind("deal " + std::to_string((i - 1) / 5) + " ", 0), 0u) << lines[i];
    }
    EXPECT_EQ(lines[21].rfind("up ", 0), 0u);
}

TEST(Simulator, StopsRightAfterTheLastWantedGameOrRound) {
    SimSummary summary;
    std::vector<std::string> lines = Lines(Trace({"--games", "3"}, &summary));
    EXPECT_EQ(lines.back().rfind("gameover ", 0), 0u);
    EXPECT_EQ(summary.games, 3);
    long long turns = 0;
    long long rounds = 0;
    for (const std::string& line : lines) {
        turns += line.rfind("turn ", 0) == 0;
        rounds += line.rfind("score ", 0) == 0;
    }
    EXPECT_EQ(summary.turns, turns);
    EXPECT_EQ(summary.rounds, rounds);

    lines = Lines(Trace({"--rounds", "4", "--seats", "2"}, &summary));
    EXPECT_EQ(lines.back().rfind("score ", 0), 0u);
    EXPECT_EQ(summary.rounds, 4);
    EXPECT_EQ(summary.error, "");
}

// Replays a trace and checks it against the game: every card in one place,
// cards leave only the place they are in, rebuild counts, scores and results.
class TraceReplay {
public:
    explicit TraceReplay(int seats) : seats_(seats) { where_.fill(kStock); }

    std::string Line(const std::string& line) {
        std::istringstream in(line);
        std::string word;
        in >> word;
        std::vector<int> n;
        for (int v; in >> v;) {
            n.push_back(v);
        }
        const std::map<std::string, size_t> arity = {
            {"round", 1}, {"deal", 2},    {"up", 1},      {"play", 2},  {"wish", 2},
            {"draw", 2},  {"rebuild", 1}, {"sitout", 1},  {"lapse", 1}, {"turn", 1},
            {"out", 2},   {"score", 4},   {"gameover", 4}};
        const auto it = arity.find(word);
        if (it == arity.end() || it->second != n.size() || !in.eof()) {
            return "malformed line '" + line + "'";
        }
        if (word == "round") {
            where_.fill(kStock);
            pile_.clear();
            if (n[0] != ++round_) {
                return "round numbers out of order";
            }
        } else if (word == "deal" || word == "draw") {
            return Move(n[1], kStock, n[0]);
        } else if (word == "up") {
            pile_.push_back(n[0]);
            return Move(n[0], kStock, kPile);
        } else if (word == "play") {
            pile_.push_back(n[1]);
            return Move(n[1], n[0], kPile);
        } else if (word == "wish") {
            return n[1] >= 1 && n[1] <= 4 ? "" : "bad suit";
        } else if (word == "rebuild") {
            for (size_t i = 0; i + 1 < pile_.size(); ++i) {
                where_[pile_[i]] = kStock;
            }
            if (!pile_.empty()) {
                pile_.erase(pile_.begin(), pile_.end() - 1);
            }
            if (Count(kStock) != n[0]) {
                return "rebuild count " + std::to_string(n[0]) + " but stock holds " +
                       std::to_string(Count(kStock));
            }
        } else if (word == "out") {
            if (Count(n[0]) != 0) {
                return "seat out with cards";
            }
            scored_[n[0]] += n[1];
        } else if (word == "score") {
            for (int s = 0; s < 4; ++s) {
                if (n[s] != scored_[s]) {
                    return "score of seat " + std::to_string(s) + " is not the sum of its outs";
                }
            }
            lastScore_ = {n[0], n[1], n[2], n[3]};
        } else if (word == "gameover") {
            if (std::array<int, 4>{n[0], n[1], n[2], n[3]} != CZelvioDoc::RankOrder(lastScore_)) {
                return "results not in rank order";
            }
            scored_.fill(0);
        } else if (n[0] < 0 || n[0] >= seats_) {
            return "seat out of range in '" + line + "'";
        }
        return "";
    }

private:
    static constexpr int kStock = -1;
    static constexpr int kPile = -2;
    std::string Move(int card, int from, int to) {
        if (card < 1 || card > 32) {
            return "no such card";
        }
        if (where_[card] != from) {
            return "card " + std::to_string(card) + " is not where it is taken from";
        }
        if (to >= seats_) {
            return "seat out of range";
        }
        where_[card] = to;
        return "";
    }
    int Count(int place) const {
        int count = 0;
        for (int c = 1; c <= 32; ++c) {
            count += where_[c] == place;
        }
        return count;
    }
    int seats_;
    std::array<int, 33> where_{};
    std::vector<int> pile_;
    std::array<int, 4> scored_{};
    std::array<int, 4> lastScore_{};
    int round_ = 0;
};

struct RuleRun {
    std::vector<std::string> args;
    int seats;
};

class LongRuns : public ::testing::TestWithParam<RuleRun> {};

TEST_P(LongRuns, EveryCardIsAccountedForAndScoresAddUp) {
    std::vector<std::string> args = {"--rounds", "300"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    SimSummary summary;
    const std::string trace = Trace(args, &summary);
    EXPECT_EQ(summary.error, "");
    EXPECT_EQ(summary.rounds, 300);
    TraceReplay replay(GetParam().seats);
    int number = 0;
    for (const std::string& line : Lines(trace)) {
        ++number;
        const std::string error = replay.Line(line);
        ASSERT_EQ(error, "") << "line " << number;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EachRuleFlipped, LongRuns,
    ::testing::Values(RuleRun{{}, 4}, RuleRun{{"--rules", "LayAfterDraw=1"}, 4},
                      RuleRun{{"--rules", "EightOnEight=0"}, 4},
                      RuleRun{{"--rules", "JackAlways=0"}, 4},
                      RuleRun{{"--rules", "AnyOnFirstJack=0"}, 4},
                      RuleRun{{"--rules", "EndOnFirstOut=1"}, 4},
                      RuleRun{{"--seats", "2", "--cards", "6", "--rules",
                               "LayAfterDraw=1,EightOnEight=0,JackAlways=0"},
                              2},
                      RuleRun{{"--seats", "3", "--cards", "3", "--points", "100"}, 3}));

TEST(Simulator, ARoundPastTenThousandTurnsStopsTheRunWithAReason) {
    SimOptions options;
    std::ostringstream out;
    SimPort port(options, &out);
    GameEvent round;
    round.kind = GameEventKind::Round;
    port.OnGameEvent(round);
    GameEvent turn;
    turn.kind = GameEventKind::Turn;
    turn.seat = 1;
    for (int i = 0; i < kMaxTurnsPerRound; ++i) {
        port.OnGameEvent(turn);
    }
    EXPECT_FALSE(port.Stopped());
    EXPECT_TRUE(port.ContinueComputerMoves());
    port.OnGameEvent(turn);
    EXPECT_TRUE(port.Stopped());
    EXPECT_FALSE(port.ContinueComputerMoves());
    EXPECT_NE(port.Summary().error.find("10000 turns"), std::string::npos);
    // A new round resets the count; nothing is traced once stopped.
    const std::string before = out.str();
    port.OnGameEvent(round);
    EXPECT_EQ(out.str(), before);
}

TEST(Simulator, JsonSummaryHasTheFiveFields) {
    SimSummary s;
    s.games = 2;
    s.rounds = 9;
    s.turns = 400;
    s.elapsedSeconds = 0.5;
    EXPECT_EQ(
        SummaryJson(s),
        "{\"games\":2,\"rounds\":9,\"turns\":400,\"elapsed_s\":0.500000,\"rounds_per_s\":18.0}");
    s.elapsedSeconds = 0;
    EXPECT_NE(SummaryJson(s).find("\"rounds_per_s\":0.0"), std::string::npos);
}

TEST(Simulator, TracingOffStillCounts) {
    const ParseResult parsed = ParseSimOptions({"--games", "2"});
    const SimSummary s = RunSimulation(parsed.options, nullptr);
    EXPECT_EQ(s.games, 2);
    EXPECT_GT(s.rounds, 1);
    EXPECT_GT(s.turns, s.rounds);
}

} // namespace
} // namespace kiv::sim

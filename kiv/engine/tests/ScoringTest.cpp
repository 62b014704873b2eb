#include "TestTable.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

using testing::C;
using testing::TestTable;

struct Scoring : ::testing::Test, TestTable {};

TEST_F(Scoring, FirstOutOfFourScoresTheOthersCardsPlusFiftyAndPlayGoesOn) {
    Arrange({{C(kKaro, kBube)}, {C(kHerz, kAs)}, {C(kPik, kNeun)}, {25, 26, 28}}, {C(kPik, kZehn)});
    Lay(2, C(kPik, kNeun));
    EXPECT_EQ(state.seats[2].score, 20 + 11 + 50);
    EXPECT_TRUE(port.Logged("wave kiv.wav"));
    EXPECT_EQ(state.currentSeat, 3);
    EXPECT_EQ(port.Count(GameEventKind::Score), 0);
}

TEST_F(Scoring, ThreeSeatsScoreTwentyThenTenAndTheLastIsNamed) {
    settings.seats[3].plays = false;
    Arrange({{C(kKaro, kNeun)}, {C(kKaro, kZehn)}, {C(kHerz, kKoenig), C(kPik, kDame)}},
            {C(kKaro, kAcht)});
    state.eightServed = true;
    Lay(0, C(kKaro, kNeun));
    Lay(1, C(kKaro, kZehn));
    EXPECT_EQ((std::array{state.seats[0].score, state.seats[1].score, state.seats[2].score}),
              (std::array{7 + 20, 7 + 10, 0}));
    EXPECT_TRUE(port.Logged("wave Jiberish.wav"));
    EXPECT_TRUE(port.Logged("loser 1110 Tina 1111"));
    // The next round is dealt at once, seat 0 to begin.
    EXPECT_EQ((std::array{port.Count(GameEventKind::Score), port.Count(GameEventKind::Round),
                          state.currentSeat, state.seats[3].hand.Count(), doc.CardsAccountedFor()}),
              (std::array{1, 1, 0, 0, kCardCount}));
}

TEST_F(Scoring, EndOnFirstOutEndsOnlyARoundOfFourAndSilently) {
    settings.ruleEndOnFirstOut = true;
    Arrange({{C(kKaro, kNeun), C(kKaro, kAs)}, {C(kKaro, kZehn)}, {C(kHerz, kKoenig)}, {1}},
            {C(kKaro, kAcht)});
    state.eightServed = true;
    Lay(1, C(kKaro, kZehn));
    EXPECT_EQ(state.seats[1].score, 11 + 4 + 50);
    EXPECT_EQ(port.Count(GameEventKind::Score), 1);
    EXPECT_FALSE(port.Logged("wave Jiberish.wav"));

    settings.seats[3].plays = false;
    Arrange({{C(kKaro, kNeun)}, {C(kKaro, kZehn)}, {C(kHerz, kKoenig)}}, {C(kKaro, kAcht)});
    state.eightServed = true;
    Lay(0, C(kKaro, kNeun));
    EXPECT_EQ(port.Count(GameEventKind::Score), 0);
    EXPECT_EQ(state.currentSeat, 1);

    // A seat playing alone ends its round instead of searching for a next seat.
    settings.seats[1].plays = settings.seats[2].plays = false;
    Arrange({{C(kKaro, kNeun)}}, {C(kKaro, kAcht)});
    state.eightServed = true;
    Lay(0, C(kKaro, kNeun));
    EXPECT_EQ(port.Count(GameEventKind::Score), 1);
}

TEST_F(Scoring, ReachingTheTargetShowsResultsAsksAndResetsPlayingSeats) {
    settings.seats[2].plays = settings.seats[3].plays = false;
    Arrange({{C(kKaro, kNeun)}, {C(kHerz, kAs), C(kPik, kBube)}}, {C(kKaro, kAcht)});
    state.eightServed = true;
    state.seats[0].score = 170;
    state.seats[3].score = 5; // not playing: kept
    port.answerYes = true;
    Lay(0, C(kKaro, kNeun));
    std::vector<GameEventKind> ends;
    for (const GameEvent& e : port.events) {
        if (e.kind == GameEventKind::Score) {
            EXPECT_EQ(e.four, (std::array<int, 4>{170 + 31 + 10, 0, 0, 5}));
        }
        if (e.kind >= GameEventKind::Score || e.kind == GameEventKind::Round) {
            ends.push_back(e.kind);
        }
    }
    EXPECT_EQ(ends, (std::vector<GameEventKind>{GameEventKind::Score, GameEventKind::GameOver,
                                                GameEventKind::Round}));
    ASSERT_EQ(port.results.size(), 1u);
    EXPECT_EQ(port.results[0][0].name, "Peter");
    EXPECT_EQ((std::array{port.results[0][0].score, port.results[0][1].seat, port.rankingEntries,
                          state.seats[0].score, state.seats[3].score}),
              (std::array{211, 3, 1, 0, 5}));
    EXPECT_TRUE(port.Logged("wave rang.wav") && port.Logged("ask 1114"));
}

TEST(RankOrderTest, TiesPutTheLaterSeatFirst) {
    using A = std::array<int, 4>;
    EXPECT_EQ(KivGame::RankOrder(A{7, 7, 7, 7}), (A{3, 2, 1, 0}));
    EXPECT_EQ(KivGame::RankOrder(A{120, 250, 250, 0}), (A{2, 1, 0, 3}));
    EXPECT_EQ(KivGame::RankOrder(A{5, 0, 5, 0}), (A{2, 0, 3, 1}));
}

} // namespace
} // namespace kiv

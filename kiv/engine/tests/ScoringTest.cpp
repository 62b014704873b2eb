#include "TestTable.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

using testing::C;
using testing::TestTable;

TEST(SeatOutTest, FirstOutOfFourScoresTheOthersCardsPlusFifty) {
    TestTable t;
    t.Arrange({{C(kKaro, kBube)},
               {C(kHerz, kAs)},
               {C(kPik, kNeun)},
               {C(kKreuz, kSieben), C(kKreuz, kAcht), C(kKreuz, kZehn)}},
              {C(kPik, kZehn)});
    t.doc.currentSeat = 2;
    t.doc.heldCard = C(kPik, kNeun);
    t.doc.PlayCard(false);
    EXPECT_EQ(t.doc.seats[2].score, 20 + 11 + 50);
    EXPECT_FALSE(t.doc.seats[2].inRound);
    EXPECT_TRUE(t.port.Logged("wave kiv.wav"));
    EXPECT_EQ(t.doc.currentSeat, 3); // the round goes on
    EXPECT_EQ(t.port.Count(GameEventKind::Score), 0);
}

TEST(SeatOutTest, ThreeSeatsTwentyThenTenAndTheLoserIsNamed) {
    TestTable t;
    t.doc.seats[3].plays = false;
    t.Arrange({{C(kKaro, kNeun)}, {C(kKaro, kZehn)}, {C(kHerz, kKoenig), C(kPik, kDame)}},
              {C(kKaro, kAcht)});
    t.doc.eightServed = true;
    t.doc.heldCard = C(kKaro, kNeun);
    t.doc.PlayCard(false);
    EXPECT_EQ(t.doc.seats[0].score, 7 + 20);
    ASSERT_EQ(t.doc.currentSeat, 1);
    t.doc.heldCard = C(kKaro, kZehn);
    t.doc.PlayCard(false);
    EXPECT_EQ(t.doc.seats[1].score, 7 + 10);
    EXPECT_EQ(t.doc.seats[2].score, 0);
    EXPECT_EQ(t.port.loserNames, std::vector<std::string>{"Tina"});
    EXPECT_TRUE(t.port.Logged("loser 1110 Tina 1111"));
    EXPECT_TRUE(t.port.Logged("wave Jiberish.wav"));
    // The round ended and the next one was dealt, seat 0 to begin.
    EXPECT_EQ(t.port.Count(GameEventKind::Score), 1);
    EXPECT_EQ(t.port.Count(GameEventKind::Round), 1);
    EXPECT_EQ(t.doc.currentSeat, 0);
    EXPECT_EQ(t.doc.seats[0].hand.Count(), 5);
    EXPECT_EQ(t.doc.seats[3].hand.Count(), 0);
    EXPECT_TRUE(t.doc.seats[2].inRound);
}

TEST(SeatOutTest, EndOnFirstOutEndsARoundOfFourAtOnceWithoutMessage) {
    TestTable t;
    t.doc.ruleEndOnFirstOut = true;
    t.Arrange({{C(kKaro, kNeun), C(kKaro, kAs)}, {C(kKaro, kZehn)}, {C(kHerz, kKoenig)}, {1}},
              {C(kKaro, kAcht)});
    t.doc.eightServed = true;
    t.doc.currentSeat = 1;
    t.doc.seats[0].score = 30;
    t.doc.heldCard = C(kKaro, kZehn);
    t.doc.PlayCard(false);
    EXPECT_EQ(t.doc.seats[1].score, 11 + 4 + 50);
    EXPECT_EQ(t.doc.seats[0].score, 30);
    EXPECT_TRUE(t.port.loserNames.empty());
    EXPECT_EQ(t.port.Count(GameEventKind::Score), 1);
}

TEST(SeatOutTest, EndOnFirstOutDoesNothingWithThreeSeats) {
    TestTable t;
    t.doc.ruleEndOnFirstOut = true;
    t.doc.seats[3].plays = false;
    t.Arrange({{C(kKaro, kNeun)}, {C(kKaro, kZehn)}, {C(kHerz, kKoenig)}}, {C(kKaro, kAcht)});
    t.doc.eightServed = true;
    t.doc.heldCard = C(kKaro, kNeun);
    t.doc.PlayCard(false);
    EXPECT_EQ(t.port.Count(GameEventKind::Score), 0);
    EXPECT_EQ(t.doc.currentSeat, 1);
}

TEST(SeatOutTest, OneSeatPlayingAloneEndsTheRoundInsteadOfLoopingForever) {
    TestTable t;
    t.doc.seats[1].plays = t.doc.seats[2].plays = t.doc.seats[3].plays = false;
    t.Arrange({{C(kKaro, kNeun)}}, {C(kKaro, kAcht)});
    t.doc.eightServed = true;
    t.doc.heldCard = C(kKaro, kNeun);
    t.doc.PlayCard(false);
    EXPECT_EQ(t.doc.seats[0].score, 0);
    EXPECT_EQ(t.port.Count(GameEventKind::Score), 1);
    EXPECT_TRUE(t.port.loserNames.empty());
}

// Records the scores as the ranking list would see them.
struct RankingPort : testing::RecordingPort {
    CZelvioDoc* doc = nullptr;
    std::array<int, 4> seen{};
    void AddResultsToRanking() override {
        RecordingPort::AddResultsToRanking();
        for (int i = 0; i < 4; ++i) {
            seen[i] = doc->seats[i].score;
        }
    }
};

TEST(GameOverTest, TargetReachedShowsResultsAsksAndResetsPlayingSeats) {
    CZelvioDoc doc;
    RankingPort port;
    port.doc = &doc;
    port.answerYes = true;
    doc.SetPort(&port);
    for (Seat& seat : doc.seats) {
        seat.computer = false;
    }
    doc.seats[3].plays = false;
    doc.seats[3].score = 0;
    doc.StartFirstRound();
    doc.seats[0].score = 120;
    doc.seats[1].score = 250;
    doc.seats[2].score = 250;
    doc.GameOver();
    ASSERT_EQ(port.results.size(), 1u);
    const GameResults& r = port.results[0];
    EXPECT_EQ(r[0].seat, 2);
    EXPECT_EQ(r[0].name, "Tina");
    EXPECT_EQ(r[0].score, 250);
    EXPECT_EQ(r[1].seat, 1);
    EXPECT_EQ(r[2].seat, 0);
    EXPECT_EQ(r[3].seat, 3);
    EXPECT_TRUE(port.Logged("wave rang.wav"));
    EXPECT_EQ(port.questions.back(), 1114);
    EXPECT_EQ(port.rankingEntries, 1);
    EXPECT_EQ(port.seen, (std::array<int, 4>{120, 250, 250, 0}));
    EXPECT_EQ(doc.seats[1].score, 0);
    EXPECT_EQ(doc.seats[0].score, 0);
}

TEST(GameOverTest, NoToTheRankingQuestionAddsNothing) {
    TestTable t;
    t.doc.GameOver();
    EXPECT_EQ(t.port.rankingEntries, 0);
    EXPECT_EQ(t.port.questions, std::vector<int>{1114});
}

TEST(GameOverTest, RoundEndReachingTheTargetRunsGameOverBeforeTheNextDeal) {
    TestTable t;
    t.doc.seats[2].plays = t.doc.seats[3].plays = false;
    t.Arrange({{C(kKaro, kNeun)}, {C(kHerz, kAs), C(kPik, kBube)}}, {C(kKaro, kAcht)});
    t.doc.eightServed = true;
    t.doc.seats[0].score = 170;
    t.doc.heldCard = C(kKaro, kNeun);
    t.doc.PlayCard(false);
    std::vector<GameEventKind> tail;
    for (const GameEvent& e : t.port.events) {
        if (e.kind == GameEventKind::Score || e.kind == GameEventKind::GameOver ||
            e.kind == GameEventKind::Round) {
            tail.push_back(e.kind);
        }
    }
    EXPECT_EQ(tail, (std::vector<GameEventKind>{GameEventKind::Score, GameEventKind::GameOver,
                                                GameEventKind::Round}));
    EXPECT_EQ(t.port.events.front().kind, GameEventKind::Play);
    const GameEvent& score =
        *std::find_if(t.port.events.begin(), t.port.events.end(),
                      [](const GameEvent& e) { return e.kind == GameEventKind::Score; });
    EXPECT_EQ(score.four, (std::array<int, 4>{170 + 31 + 10, 0, 0, 0}));
    EXPECT_EQ(t.doc.seats[0].score, 0);
}

TEST(RankOrderTest, TiesPutTheLaterSeatFirst) {
    using A = std::array<int, 4>;
    EXPECT_EQ(CZelvioDoc::RankOrder(A{7, 7, 7, 7}), (A{3, 2, 1, 0}));
    EXPECT_EQ(CZelvioDoc::RankOrder(A{120, 250, 250, 0}), (A{2, 1, 0, 3}));
    EXPECT_EQ(CZelvioDoc::RankOrder(A{330, 540, 0, 15}), (A{1, 0, 3, 2}));
    EXPECT_EQ(CZelvioDoc::RankOrder(A{5, 0, 5, 0}), (A{2, 0, 3, 1}));
    EXPECT_EQ(CZelvioDoc::RankOrder(A{-3, 9, 1, 4}), (A{1, 3, 2, 0}));
}

TEST(RankOrderTest, BonusByNumberOfSeatsStillInTheRound) {
    EXPECT_EQ(CZelvioDoc::GoingOutBonus(4), 50);
    EXPECT_EQ(CZelvioDoc::GoingOutBonus(3), 20);
    EXPECT_EQ(CZelvioDoc::GoingOutBonus(2), 10);
    EXPECT_EQ(CZelvioDoc::GoingOutBonus(1), 0);
}

} // namespace
} // namespace kiv

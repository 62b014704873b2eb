#include "TestTable.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

using testing::C;
using testing::TestTable;

struct ChoiceTable : TestTable {
    int Choose(std::vector<int> hand, int top) {
        Arrange({{}, hand}, {top});
        doc.currentSeat = 1;
        return doc.ChooseComputerCard();
    }
};

TEST(ComputerChoice, HighCardsOfTheSuitFirstThenRank) {
    ChoiceTable t;
    const int top = C(kHerz, kNeun);
    EXPECT_EQ(t.Choose({C(kHerz, kAs), C(kHerz, kSieben), C(kKaro, kNeun)}, top), C(kHerz, kAs));
    EXPECT_EQ(t.Choose({C(kHerz, kSieben), C(kKaro, kNeun)}, top), C(kHerz, kSieben));
    EXPECT_EQ(t.Choose({C(kKaro, kNeun)}, top), C(kKaro, kNeun));
    EXPECT_EQ(t.Choose({C(kKaro, kDame), C(kHerz, kZehn), C(kHerz, kKoenig)}, top),
              C(kHerz, kKoenig));
    EXPECT_EQ(t.Choose({C(kKaro, kDame)}, top), kChooseDraw);
}

TEST(ComputerChoice, OwnSuitsJackBeforeTheJackRule) {
    ChoiceTable t;
    const int top = C(kKreuz, kZehn);
    EXPECT_EQ(t.Choose({C(kPik, kBube), C(kKreuz, kBube)}, top), C(kKreuz, kBube));
    EXPECT_EQ(t.Choose({C(kPik, kBube)}, top), C(kPik, kBube));
    t.doc.ruleJackAlways = false;
    EXPECT_EQ(t.Choose({C(kPik, kBube)}, top), kChooseDraw);
}

TEST(ComputerChoice, SevensEightsWishesAndTheOpenFirstJack) {
    ChoiceTable t;
    t.doc.cardsToDraw = 2;
    EXPECT_EQ(t.Choose({C(kHerz, kAs), C(kPik, kSieben)}, C(kHerz, kSieben)), C(kPik, kSieben));
    EXPECT_EQ(t.Choose({C(kHerz, kAs)}, C(kHerz, kSieben)), kChooseDraw);
    t.doc.cardsToDraw = 0;
    EXPECT_EQ(t.Choose({C(kHerz, kAs)}, C(kHerz, kSieben)), C(kHerz, kAs));

    EXPECT_EQ(t.Choose({C(kHerz, kAs), C(kPik, kAcht)}, C(kHerz, kAcht)), C(kPik, kAcht));
    EXPECT_EQ(t.Choose({C(kHerz, kAs)}, C(kHerz, kAcht)), kChooseSitOut);
    t.doc.ruleEightOnEight = false;
    EXPECT_EQ(t.Choose({C(kPik, kAcht)}, C(kHerz, kAcht)), kChooseSitOut);
    t.doc.eightServed = true;
    EXPECT_EQ(t.Choose({C(kHerz, kAs)}, C(kHerz, kAcht)), C(kHerz, kAs));
    t.doc.eightServed = false;

    t.doc.wishedSuit = kPik;
    EXPECT_EQ(t.Choose({C(kPik, kZehn), C(kPik, kDame), C(kKaro, kBube)}, C(kHerz, kBube)),
              C(kPik, kDame));
    EXPECT_EQ(t.Choose({C(kHerz, kAs), C(kKaro, kBube)}, C(kHerz, kBube)), C(kKaro, kBube));
    t.doc.ruleJackAlways = false;
    EXPECT_EQ(t.Choose({C(kHerz, kAs), C(kKaro, kBube)}, C(kHerz, kBube)), kChooseDraw);
    t.doc.wishedSuit = 0;

    t.doc.firstJackOpen = true;
    EXPECT_EQ(t.Choose({C(kPik, kDame), C(kKreuz, kNeun)}, C(kHerz, kBube)), C(kPik, kDame));
    EXPECT_EQ(t.Choose({}, C(kHerz, kBube)), -1);
}

TEST(ComputerChoice, EmptyPileMeansDraw) {
    TestTable t;
    t.Arrange({{}, {C(kHerz, kAs)}}, {});
    t.doc.currentSeat = 1;
    EXPECT_EQ(t.doc.ChooseComputerCard(), kChooseDraw);
    EXPECT_EQ(t.doc.FindHandCard(kHerz, 0), C(kHerz, kAs));
    EXPECT_EQ(t.doc.FindHandCard(kKaro, 0), -1);
}

TEST(ComputerMoveTest, SevenWithFourToDrawDrawsExactlyFourThenPasses) {
    TestTable t;
    t.doc.seats[1].computer = true;
    t.Arrange({{C(kKaro, kNeun)}, {C(kHerz, kAs), C(kKaro, kDame)}, {C(kPik, kNeun)}, {1}},
              {C(kKaro, kSieben), C(kHerz, kSieben)});
    t.doc.cardsToDraw = 4;
    t.doc.sevenPending = true;
    t.doc.currentSeat = 1;
    t.doc.StartComputerMove();
    EXPECT_EQ(t.port.Count(GameEventKind::Draw), 4);
    EXPECT_EQ(t.doc.seats[1].hand.Count(), 6);
    EXPECT_EQ(t.doc.cardsToDraw, 0);
    EXPECT_FALSE(t.doc.sevenPending);
    EXPECT_EQ(t.doc.currentSeat, 2);
    EXPECT_EQ(t.port.Count(GameEventKind::Play), 0);
    EXPECT_FALSE(t.doc.computerBusy);
    EXPECT_EQ(t.doc.heldCard, 0);
    for (int n : t.doc.seats[1].hand) {
        EXPECT_FALSE(t.doc.cards[n].faceUp); // a computer's cards show their back
    }
}

TEST(ComputerMoveTest, SitsOutOnAnUnservedEightAndTheNextSeatPlaysOnIt) {
    TestTable t;
    t.doc.seats[1].computer = true;
    t.doc.seats[2].computer = true;
    t.Arrange(
        {{C(kKaro, kNeun)}, {C(kHerz, kAs), C(kKaro, kDame)}, {C(kPik, kNeun), C(kPik, kAcht)}},
        {C(kPik, kDame), C(kHerz, kAcht)});
    t.doc.currentSeat = 1;
    t.doc.StartComputerMove();
    ASSERT_GE(t.port.events.size(), 3u);
    EXPECT_EQ(t.port.events[0].kind, GameEventKind::SitOut);
    EXPECT_EQ(t.port.events[0].seat, 1);
    EXPECT_TRUE(t.port.Logged("wave o.wav"));
    EXPECT_EQ(t.port.events[1].kind, GameEventKind::Turn);
    // Seat 2 plays normally on the served eight: no Herz, so a card of its rank.
    EXPECT_EQ(t.port.events[2].kind, GameEventKind::Play);
    EXPECT_EQ(t.port.events[2].seat, 2);
    EXPECT_EQ(t.port.events[2].value, C(kPik, kAcht));
    EXPECT_FALSE(t.doc.eightServed); // a fresh eight
}

TEST(ComputerMoveTest, ComputerJackNamesItsSuitAndSaysHeOnASeven) {
    TestTable t;
    t.doc.seats[1].computer = true;
    t.Arrange({{C(kKaro, kNeun)},
               {C(kHerz, kBube), C(kPik, kNeun), C(kPik, kZehn), C(kHerz, kSieben)},
               {C(kPik, kAs)}},
              {C(kKreuz, kNeun)});
    t.doc.currentSeat = 1;
    t.doc.StartComputerMove();
    // Nothing of Kreuz, a Neun of rank: the Pik Neun.
    EXPECT_EQ(t.doc.TopCard(), C(kPik, kNeun));
    t.port.Clear();
    t.doc.currentSeat = 1;
    t.doc.discardPile.Push(C(kKaro, kSieben));
    t.doc.cardsToDraw = 0;
    t.doc.StartComputerMove();
    EXPECT_EQ(t.doc.TopCard(), C(kHerz, kSieben));
    EXPECT_TRUE(t.port.Logged("wave he1.wav"));
    t.port.Clear();
    t.doc.currentSeat = 1;
    t.doc.cardsToDraw = 0;
    t.doc.discardPile.Push(C(kHerz, kNeun));
    t.doc.StartComputerMove();
    EXPECT_EQ(t.doc.TopCard(), C(kHerz, kBube));
    EXPECT_EQ(t.doc.wishedSuit, kPik); // the one card left is a Pik
    EXPECT_FALSE(t.port.Logged("jack dialog"));
}

TEST(ComputerMoveTest, NothingRunsForAHumanSeat) {
    TestTable t;
    t.Arrange({{C(kKaro, kNeun)}, {C(kHerz, kAs)}}, {C(kHerz, kNeun)});
    t.doc.StartComputerMove(); // seat 0 is human
    EXPECT_TRUE(t.port.events.empty());
    EXPECT_EQ(t.port.pauses, 0);
}

} // namespace
} // namespace kiv

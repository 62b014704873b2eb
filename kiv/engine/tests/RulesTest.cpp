#include "TestTable.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

using testing::C;
using testing::TestTable;

struct Rules : ::testing::Test, TestTable {
    // Seat 0 holds `hand`, `top` lies on the pile; may `held` be laid?
    bool Check(int held, std::vector<int> hand, int top) {
        Arrange({hand}, {top});
        return Check(held);
    }
    bool Check(int held) {
        port.Clear();
        doc.heldCard = held;
        return doc.CheckPlay();
    }
};

TEST_F(Rules, MatchBySuitRankOrJackElseText92AfterFalsch) {
    const int top = C(kHerz, kNeun);
    const std::vector<int> hand = {C(kHerz, kDame), C(kKaro, kNeun), C(kPik, kDame),
                                   C(kPik, kBube)};
    EXPECT_TRUE(Check(C(kHerz, kDame), hand, top));
    EXPECT_TRUE(Check(C(kKaro, kNeun)));
    EXPECT_TRUE(Check(C(kPik, kBube)));
    EXPECT_FALSE(Check(C(kPik, kDame)));
    EXPECT_EQ(port.log, (std::vector<std::string>{"wave falsch.wav", "message 1092"}));
    doc.ruleJackAlways = false;
    EXPECT_FALSE(Check(C(kPik, kBube)));
    doc.soundOn = false;
    EXPECT_FALSE(Check(C(kPik, kDame)));
    EXPECT_EQ(port.log, std::vector<std::string>{"message 1092"});
}

TEST_F(Rules, OpenFirstJackAndEmptyPileAcceptAnything) {
    EXPECT_FALSE(Check(C(kPik, kDame), {C(kPik, kDame)}, C(kHerz, kBube)));
    doc.firstJackOpen = true;
    EXPECT_TRUE(Check(C(kPik, kDame)));
    doc.ruleAnyOnFirstJack = false;
    EXPECT_FALSE(Check(C(kPik, kDame)));
    Arrange({{C(kPik, kDame)}}, {});
    EXPECT_TRUE(Check(C(kPik, kDame)));
}

TEST_F(Rules, JustDrawnCardIsRefusedWithText91UnlessLayAfterDraw) {
    Arrange({{C(kHerz, kDame)}}, {C(kHerz, kNeun)});
    doc.justDrew = true;
    EXPECT_FALSE(Check(C(kHerz, kDame)));
    EXPECT_EQ(port.messages, std::vector<int>{1091});
    doc.ruleLayAfterDraw = true;
    EXPECT_TRUE(Check(C(kHerz, kDame)));
}

TEST_F(Rules, SevenUnderLayAfterDrawGivesTexts93And94Independently) {
    doc.ruleLayAfterDraw = true;
    Arrange({{C(kHerz, kDame), C(kKaro, kSieben)}}, {C(kHerz, kSieben)});
    doc.cardsToDraw = 2;
    doc.seats[0].hasDrawn = true;
    EXPECT_FALSE(Check(C(kHerz, kDame)));
    EXPECT_EQ(port.messages, (std::vector<int>{1093, 1094}));
    EXPECT_FALSE(Check(C(kKaro, kSieben)));
    EXPECT_EQ(port.messages, std::vector<int>{1093});
    doc.seats[0].hasDrawn = false;
    EXPECT_TRUE(Check(C(kKaro, kSieben)));
    EXPECT_TRUE(port.Logged("wave he2.wav"));
}

TEST_F(Rules, PendingSevenWithoutLayAfterDrawGivesText95) {
    Arrange({{C(kHerz, kDame), C(kKaro, kSieben)}}, {C(kHerz, kSieben)});
    doc.cardsToDraw = 2;
    doc.sevenPending = true;
    EXPECT_FALSE(Check(C(kHerz, kDame)));
    EXPECT_EQ(port.messages, std::vector<int>{1095});
    EXPECT_TRUE(Check(C(kKaro, kSieben)));
    EXPECT_TRUE(port.Logged("wave he2.wav"));
    doc.seats[0].hasDrawn = true;
    EXPECT_FALSE(Check(C(kKaro, kSieben)));
}

TEST_F(Rules, UnservedEightTakesOnlyAnEightEvenAgainstJacks) {
    Arrange({{C(kHerz, kDame), C(kKaro, kAcht), C(kHerz, kBube)}}, {C(kHerz, kAcht)});
    EXPECT_FALSE(Check(C(kHerz, kDame)));
    EXPECT_FALSE(Check(C(kHerz, kBube)));
    EXPECT_EQ(port.messages, std::vector<int>{1096});
    EXPECT_TRUE(Check(C(kKaro, kAcht)));
    doc.eightServed = true;
    EXPECT_TRUE(Check(C(kHerz, kDame)));
}

TEST_F(Rules, WishAllowsItsSuitOrAnyJackWithTheSuitsText) {
    Arrange({{C(kKaro, kDame), C(kHerz, kSieben), C(kPik, kBube)}}, {C(kKreuz, kBube)});
    doc.ruleJackAlways = false;
    const std::pair<int, int> wishes[] = {{kHerz, 1097}, {kKreuz, 1099}, {kPik, 1100}};
    for (auto [suit, id] : wishes) {
        doc.wishedSuit = suit;
        EXPECT_FALSE(Check(C(kKaro, kDame)));
        EXPECT_EQ(port.messages, std::vector<int>{id});
        EXPECT_TRUE(Check(C(kPik, kBube)));
    }
    doc.wishedSuit = kKaro;
    EXPECT_FALSE(Check(C(kHerz, kSieben)));
    EXPECT_EQ(port.messages, std::vector<int>{1098});
    EXPECT_TRUE(Check(C(kKaro, kDame)));
}

TEST_F(Rules, SevensStackAndAreDrawnOffWithTheStatusPane) {
    doc.seats[2].plays = doc.seats[3].plays = false;
    Arrange({{C(kHerz, kSieben), C(kPik, kDame)}, {C(kKaro, kSieben), C(kPik, kKoenig)}},
            {C(kHerz, kNeun)});
    doc.heldCard = C(kHerz, kSieben);
    doc.PlayCard(false);
    doc.heldCard = C(kKaro, kSieben);
    ASSERT_TRUE(doc.CheckPlay());
    doc.PlayCard(false);
    EXPECT_EQ(doc.cardsToDraw, 4);
    EXPECT_EQ(port.pane1.back(), "1108| 4");
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(doc.DrawCard(false), DrawResult::Drawn);
    }
    EXPECT_EQ(doc.cardsToDraw, 0);
    EXPECT_EQ(port.pane1.back(), "0| ");
    EXPECT_EQ(doc.DrawCard(false), DrawResult::Refused);
    EXPECT_EQ(port.messages, std::vector<int>{1102});
}

TEST_F(Rules, WithoutEightOnEightAnEightSkipsOneSeatAndAnotherEightSkipsAgain) {
    doc.ruleEightOnEight = false;
    Arrange({{C(kHerz, kAcht), 1}, {2}, {C(kKaro, kAcht), 3}, {4}}, {C(kHerz, kNeun)});
    doc.heldCard = C(kHerz, kAcht);
    doc.PlayCard(false);
    EXPECT_EQ(doc.currentSeat, 2);
    doc.heldCard = C(kKaro, kAcht);
    doc.PlayCard(false);
    EXPECT_EQ(doc.currentSeat, 0);
    EXPECT_EQ(port.Count(GameEventKind::Turn), 2);
}

TEST_F(Rules, WithEightOnEightTheNextSeatMayNotDrawAndSitsOutByCommand) {
    Arrange({{C(kHerz, kAcht), 1}, {2}, {C(kHerz, kDame), 3}, {4}}, {C(kHerz, kNeun)});
    doc.heldCard = C(kHerz, kAcht);
    doc.PlayCard(false);
    EXPECT_EQ(doc.DrawCard(false), DrawResult::Refused);
    EXPECT_EQ(port.messages, std::vector<int>{1103});
    doc.NextPlayerCommand();
    EXPECT_EQ(doc.currentSeat, 2);
    EXPECT_TRUE(port.Logged("wave o.wav"));
    EXPECT_TRUE(Check(C(kHerz, kDame))); // the following seat plays normally
}

TEST_F(Rules, FirstCardEffects) {
    Arrange({{1}}, {});
    doc.TurnUpCard(C(kHerz, kSieben));
    EXPECT_EQ(doc.cardsToDraw, 2);
    EXPECT_TRUE(doc.sevenPending);

    Arrange({{1}}, {});
    doc.TurnUpCard(C(kHerz, kBube));
    EXPECT_TRUE(doc.firstJackOpen);

    Arrange({{1}}, {});
    doc.TurnUpCard(C(kHerz, kAcht)); // eight on eight: seat 0 must answer it
    EXPECT_EQ(doc.currentSeat, 0);
    doc.ruleEightOnEight = false;
    Arrange({{1}}, {});
    doc.TurnUpCard(C(kHerz, kAcht));
    EXPECT_EQ(port.messages, std::vector<int>{1139});
    EXPECT_EQ(doc.currentSeat, 1);

    const std::vector<int> none;
    Arrange({{1}}, {}, &none);
    doc.TurnUpCard(-1);
    EXPECT_EQ(port.messages, std::vector<int>{1101});
}

TEST_F(Rules, HumanJackAsksForTheSuitBeforeTheSeatGoesOut) {
    port.jackSuit = kPik;
    Arrange({{C(kHerz, kBube)}, {1}, {2}, {3}}, {C(kHerz, kNeun)});
    port.jackSuit = kPik;
    doc.heldCard = C(kHerz, kBube);
    doc.PlayCard(false);
    EXPECT_EQ(port.log[1], "wave hmm.wav");
    EXPECT_EQ(port.log[2], "jack dialog");
    EXPECT_EQ(doc.wishedSuit, kPik);
    EXPECT_EQ(port.pane1.back(), "1107|");
    EXPECT_TRUE(port.Logged("wave pik.wav"));
    ASSERT_GE(port.events.size(), 3u);
    EXPECT_EQ(port.events[1].kind, GameEventKind::Wish);
    EXPECT_EQ(port.events[2].kind, GameEventKind::Out);
}

TEST_F(Rules, CommandsNextPlayerAndNewGame) {
    Arrange({{1}, {2}}, {C(kHerz, kNeun)});
    doc.NextPlayerCommand();
    EXPECT_EQ(port.messages, std::vector<int>{1116});
    doc.seats[0].hasDrawn = true;
    doc.computerBusy = true;
    doc.NextPlayerCommand();
    EXPECT_EQ(port.messages.back(), 1137);
    doc.computerBusy = false;
    doc.NextPlayerCommand();
    EXPECT_EQ(doc.currentSeat, 1);

    doc.seats[0].score = 50;
    doc.NewGameCommand();
    EXPECT_EQ(port.log.back(), "ask 1115");
    EXPECT_EQ(doc.seats[0].score, 50);
    port.answerYes = true;
    doc.NewGameCommand();
    EXPECT_EQ(doc.seats[0].score, 0);
    EXPECT_EQ(doc.seats[1].hand.Count(), 5);
    EXPECT_EQ(doc.CardsAccountedFor(), kCardCount);
}

} // namespace
} // namespace kiv

#include "TestTable.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

using testing::C;
using testing::TestTable;

// Sets up a table with the given hand for seat 0 and top card, holds card and
// asks whether it may be laid.
struct CheckPlayTable : TestTable {
    bool Check(int held) {
        doc.heldCard = held;
        return doc.CheckPlay();
    }
};

TEST(CheckPlay, PlainMatchBySuitOrRankElseText92AfterFalsch) {
    CheckPlayTable t;
    t.Arrange({{C(kHerz, kDame), C(kKaro, kNeun), C(kPik, kDame)}, {}, {}, {}}, {C(kHerz, kNeun)});
    EXPECT_TRUE(t.Check(C(kHerz, kDame))); // suit
    EXPECT_TRUE(t.Check(C(kKaro, kNeun))); // rank
    EXPECT_TRUE(t.port.messages.empty());
    EXPECT_FALSE(t.Check(C(kPik, kDame)));
    ASSERT_EQ(t.port.log.size(), 2u);
    EXPECT_EQ(t.port.log[0], "wave falsch.wav");
    EXPECT_EQ(t.port.log[1], "message 1092");
}

TEST(CheckPlay, NoSoundMeansNoFalschButStillTheMessage) {
    CheckPlayTable t;
    t.doc.soundOn = false;
    t.Arrange({{C(kPik, kDame)}, {}, {}, {}}, {C(kHerz, kNeun)});
    EXPECT_FALSE(t.Check(C(kPik, kDame)));
    ASSERT_EQ(t.port.log.size(), 1u);
    EXPECT_EQ(t.port.log[0], "message 1092");
}

TEST(CheckPlay, JackAlwaysRuleLetsAnyJackPassTheMatch) {
    CheckPlayTable t;
    t.Arrange({{C(kPik, kBube)}, {}, {}, {}}, {C(kHerz, kNeun)});
    EXPECT_TRUE(t.Check(C(kPik, kBube)));
    t.doc.ruleJackAlways = false;
    EXPECT_FALSE(t.Check(C(kPik, kBube)));
    EXPECT_EQ(t.port.messages.back(), 1092);
}

TEST(CheckPlay, FirstJackOpenAcceptsAnythingOnlyWithTheRule) {
    CheckPlayTable t;
    t.Arrange({{C(kPik, kDame), C(kKaro, kBube)}, {}, {}, {}}, {C(kHerz, kBube)});
    t.doc.firstJackOpen = true;
    EXPECT_TRUE(t.Check(C(kPik, kDame)));
    t.doc.ruleAnyOnFirstJack = false;
    t.doc.ruleJackAlways = false;
    EXPECT_FALSE(t.Check(C(kPik, kDame)));
    EXPECT_TRUE(t.Check(C(kKaro, kBube))); // a Bube on the Bube
}

TEST(CheckPlay, EmptyDiscardPileAcceptsAnything) {
    CheckPlayTable t;
    t.Arrange({{C(kPik, kDame)}, {}, {}, {}}, {});
    EXPECT_TRUE(t.Check(C(kPik, kDame)));
}

TEST(CheckPlay, JustDrawnCardIsRefusedWithText91AndFliesBack) {
    CheckPlayTable t;
    t.Arrange({{C(kHerz, kDame), C(kKaro, kNeun)}, {}, {}, {}}, {C(kHerz, kNeun)});
    t.doc.justDrew = true;
    EXPECT_FALSE(t.Check(C(kHerz, kDame)));
    EXPECT_EQ(t.port.messages, std::vector<int>{1091});
    t.doc.ruleLayAfterDraw = true;
    EXPECT_TRUE(t.Check(C(kHerz, kDame)));
}

TEST(CheckPlay, SevenWithLayAfterDrawGivesBothRefusalsIndependently) {
    CheckPlayTable t;
    t.doc.ruleLayAfterDraw = true;
    t.Arrange({{C(kHerz, kDame), C(kKaro, kSieben)}, {}, {}, {}}, {C(kHerz, kSieben)});
    t.doc.cardsToDraw = 2;
    t.doc.seats[0].hasDrawn = true;
    EXPECT_FALSE(t.Check(C(kHerz, kDame)));
    EXPECT_EQ(t.port.messages, (std::vector<int>{1093, 1094}));
    t.port.Clear();
    EXPECT_FALSE(t.Check(C(kKaro, kSieben))); // a seven, but the seat already drew
    EXPECT_EQ(t.port.messages, std::vector<int>{1093});
    t.port.Clear();
    t.doc.seats[0].hasDrawn = false;
    EXPECT_TRUE(t.Check(C(kKaro, kSieben)));
    EXPECT_TRUE(t.port.Logged("wave he2.wav"));
    EXPECT_FALSE(t.Check(C(kHerz, kDame)));
    EXPECT_EQ(t.port.messages, std::vector<int>{1094});
}

TEST(CheckPlay, PendingSevenWithoutLayAfterDrawGivesText95) {
    CheckPlayTable t;
    t.Arrange({{C(kHerz, kDame), C(kKaro, kSieben)}, {}, {}, {}}, {C(kHerz, kSieben)});
    t.doc.cardsToDraw = 2;
    t.doc.sevenPending = true;
    EXPECT_FALSE(t.Check(C(kHerz, kDame)));
    EXPECT_EQ(t.port.messages, std::vector<int>{1095});
    t.port.Clear();
    EXPECT_TRUE(t.Check(C(kKaro, kSieben)));
    EXPECT_TRUE(t.port.Logged("wave he2.wav"));
    t.doc.seats[0].hasDrawn = true;
    EXPECT_FALSE(t.Check(C(kKaro, kSieben)));
    // Once the penalty has been drawn the seven no longer binds.
    t.doc.sevenPending = false;
    EXPECT_TRUE(t.Check(C(kHerz, kDame)));
}

TEST(CheckPlay, UnservedEightWithEightOnEightTakesOnlyAnEight) {
    CheckPlayTable t;
    t.Arrange({{C(kHerz, kDame), C(kKaro, kAcht), C(kHerz, kBube)}, {}, {}, {}}, {C(kHerz, kAcht)});
    EXPECT_FALSE(t.Check(C(kHerz, kDame)));
    EXPECT_FALSE(t.Check(C(kHerz, kBube))); // "außer bei Sieben und Acht"
    EXPECT_EQ(t.port.messages, (std::vector<int>{1096, 1096}));
    EXPECT_TRUE(t.Check(C(kKaro, kAcht)));
    t.doc.eightServed = true;
    EXPECT_TRUE(t.Check(C(kHerz, kDame)));
}

TEST(CheckPlay, WishAllowsTheSuitAndAnyJackWithTheSuitsOwnText) {
    CheckPlayTable t;
    t.Arrange({{C(kKaro, kDame), C(kHerz, kSieben), C(kPik, kBube)}, {}, {}, {}},
              {C(kKreuz, kBube)});
    t.doc.wishedSuit = kHerz;
    EXPECT_FALSE(t.Check(C(kKaro, kDame)));
    EXPECT_EQ(t.port.messages, std::vector<int>{1097});
    EXPECT_TRUE(t.Check(C(kHerz, kSieben)));
    t.doc.ruleJackAlways = false;
    EXPECT_TRUE(t.Check(C(kPik, kBube)));
    const std::pair<int, int> texts[] = {{kKreuz, 1099}, {kPik, 1100}};
    for (auto [suit, id] : texts) {
        t.port.Clear();
        t.doc.wishedSuit = suit;
        EXPECT_FALSE(t.Check(C(kKaro, kDame)));
        EXPECT_EQ(t.port.messages, std::vector<int>{id});
    }
    t.port.Clear();
    t.doc.wishedSuit = kKaro;
    EXPECT_FALSE(t.Check(C(kHerz, kSieben)));
    EXPECT_EQ(t.port.messages, std::vector<int>{1098});
}

TEST(CheckPlay, SecondBlockUsesItsOwnIds) {
    TestTable t;
    CZelvioDoc english(5000);
    testing::RecordingPort port;
    english.SetPort(&port);
    english.discardPile.Push(C(kHerz, kNeun));
    english.heldCard = C(kPik, kDame);
    EXPECT_FALSE(english.CheckPlay());
    EXPECT_EQ(port.messages, std::vector<int>{5092});
}

TEST(Sevens, StackAndAreDrawnOffWithTheStatusPane) {
    TestTable t;
    t.Arrange({{C(kHerz, kSieben), C(kPik, kDame)}, {C(kKaro, kSieben), C(kPik, kKoenig)}, {}, {}},
              {C(kHerz, kNeun)});
    t.doc.seats[2].plays = t.doc.seats[3].plays = false;
    t.doc.seats[2].inRound = t.doc.seats[3].inRound = false;
    t.doc.heldCard = C(kHerz, kSieben);
    t.doc.PlayCard(false);
    EXPECT_EQ(t.doc.cardsToDraw, 2);
    EXPECT_EQ(t.doc.currentSeat, 1);
    t.doc.heldCard = C(kKaro, kSieben);
    ASSERT_TRUE(t.doc.CheckPlay());
    t.doc.PlayCard(false);
    EXPECT_EQ(t.doc.cardsToDraw, 4);
    EXPECT_TRUE(t.doc.sevenPending);
    EXPECT_EQ(t.port.pane1.back(), "1108| 4");
    EXPECT_FALSE(t.port.Logged("wave he1.wav")); // only a computer seat says "he"
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(t.doc.DrawCard(false), DrawResult::Drawn);
    }
    EXPECT_EQ(t.doc.cardsToDraw, 0);
    EXPECT_EQ(t.port.pane1.back(), "0| ");
    EXPECT_EQ(t.doc.seats[0].hand.Count(), 5);
    // The penalty is paid: one more draw is one too many.
    EXPECT_EQ(t.doc.DrawCard(false), DrawResult::Refused);
    EXPECT_EQ(t.port.messages, std::vector<int>{1102});
}

TEST(Eights, WithoutEightOnEightAnEightSkipsExactlyOneSeatAndAgainOnAnEight) {
    TestTable t;
    t.doc.ruleEightOnEight = false;
    t.Arrange({{C(kHerz, kAcht), C(kPik, kDame)},
               {C(kPik, kKoenig)},
               {C(kKaro, kAcht), C(kKaro, kDame)},
               {C(kKreuz, kAs)}},
              {C(kHerz, kNeun)});
    t.doc.heldCard = C(kHerz, kAcht);
    t.doc.PlayCard(false);
    EXPECT_EQ(t.doc.currentSeat, 2);
    EXPECT_TRUE(t.doc.eightServed);
    t.doc.heldCard = C(kKaro, kAcht);
    ASSERT_TRUE(t.doc.CheckPlay());
    t.doc.PlayCard(false);
    EXPECT_EQ(t.doc.currentSeat, 0); // seat 3 skipped
    EXPECT_EQ(t.port.Count(GameEventKind::Turn), 2);
}

TEST(Eights, WithEightOnEightTheNextSeatMayNotDrawButSitsOutByCommand) {
    TestTable t;
    t.Arrange({{C(kHerz, kAcht), C(kPik, kDame)},
               {C(kPik, kKoenig), C(kPik, kAs)},
               {C(kHerz, kDame), C(kKaro, kDame)},
               {C(kKreuz, kAs)}},
              {C(kHerz, kNeun)});
    t.doc.heldCard = C(kHerz, kAcht);
    t.doc.PlayCard(false);
    ASSERT_EQ(t.doc.currentSeat, 1);
    EXPECT_FALSE(t.doc.eightServed);
    EXPECT_EQ(t.doc.DrawCard(false), DrawResult::Refused);
    EXPECT_EQ(t.port.messages, std::vector<int>{1103});
    t.port.Clear();
    t.doc.NextPlayerCommand();
    EXPECT_EQ(t.doc.currentSeat, 2);
    EXPECT_TRUE(t.doc.eightServed);
    EXPECT_TRUE(t.port.Logged("wave o.wav"));
    t.doc.heldCard = C(kHerz, kDame);
    EXPECT_TRUE(t.doc.CheckPlay()); // plays normally on the eight
}

TEST(FirstCard, SevenStartsAPenaltyWithoutConsultingRules) {
    TestTable t;
    t.Arrange({{C(kPik, kDame)}, {}, {}, {}}, {});
    t.doc.TurnUpCard(C(kHerz, kSieben));
    EXPECT_EQ(t.doc.TopCard(), C(kHerz, kSieben));
    EXPECT_EQ(t.doc.cardsToDraw, 2);
    EXPECT_TRUE(t.doc.sevenPending);
    EXPECT_EQ(t.port.pane1.back(), "1108| 2");
}

TEST(FirstCard, EightWithoutEightOnEightMakesSeatZeroSitOut) {
    TestTable t;
    t.doc.ruleEightOnEight = false;
    t.Arrange({{C(kPik, kDame)}, {C(kPik, kAs)}, {}, {}}, {});
    t.doc.TurnUpCard(C(kHerz, kAcht));
    EXPECT_EQ(t.port.messages, std::vector<int>{1139});
    EXPECT_EQ(t.doc.currentSeat, 1);
    EXPECT_TRUE(t.doc.eightServed);

    TestTable on;
    on.Arrange({{C(kPik, kDame)}, {}, {}, {}}, {});
    on.doc.TurnUpCard(C(kHerz, kAcht));
    EXPECT_TRUE(on.port.messages.empty());
    EXPECT_EQ(on.doc.currentSeat, 0);
    EXPECT_FALSE(on.doc.eightServed);
}

TEST(FirstCard, JackOpensOnlyWithTheRule) {
    TestTable t;
    t.Arrange({{C(kPik, kDame)}, {}, {}, {}}, {});
    t.doc.TurnUpCard(C(kHerz, kBube));
    EXPECT_TRUE(t.doc.firstJackOpen);
    TestTable off;
    off.doc.ruleAnyOnFirstJack = false;
    off.Arrange({{C(kPik, kDame)}, {}, {}, {}}, {});
    off.doc.TurnUpCard(C(kHerz, kBube));
    EXPECT_FALSE(off.doc.firstJackOpen);
}

TEST(FirstCard, NoCardLeftGivesText101) {
    TestTable t;
    const std::vector<int> none;
    t.Arrange({{C(kPik, kDame)}, {}, {}, {}}, {}, &none);
    t.doc.TurnUpCard(-1);
    EXPECT_EQ(t.port.messages, std::vector<int>{1101});
    EXPECT_TRUE(t.doc.discardPile.Empty());
}

TEST(Laying, JackAsksTheHumanAndNamesTheWishBeforeGoingOut) {
    TestTable t;
    t.port.jackSuit = kPik;
    t.Arrange({{C(kHerz, kBube)}, {C(kPik, kAs)}, {C(kKaro, kAs)}, {C(kKreuz, kAs)}},
              {C(kHerz, kNeun)});
    t.doc.heldCard = C(kHerz, kBube);
    t.doc.PlayCard(false);
    EXPECT_TRUE(t.port.Logged("wave hmm.wav"));
    EXPECT_TRUE(t.port.Logged("jack dialog"));
    EXPECT_EQ(t.doc.wishedSuit, kPik);
    ASSERT_GE(t.port.events.size(), 3u);
    EXPECT_EQ(t.port.events[0].kind, GameEventKind::Play);
    EXPECT_EQ(t.port.events[1].kind, GameEventKind::Wish);
    EXPECT_EQ(t.port.events[1].value, kPik);
    EXPECT_EQ(t.port.events[2].kind, GameEventKind::Out);
    EXPECT_EQ(t.port.pane1.back(), "1107|");
    EXPECT_TRUE(t.port.Logged("wave pik.wav"));
}

TEST(Laying, NewWishOrCardClearsTheOldWish) {
    TestTable t;
    t.Arrange({{C(kHerz, kDame), C(kPik, kDame)}, {C(kPik, kAs)}, {}, {}}, {C(kKreuz, kBube)});
    t.doc.wishedSuit = kHerz;
    t.doc.firstJackOpen = true;
    t.doc.heldCard = C(kHerz, kDame);
    t.doc.PlayCard(false);
    EXPECT_EQ(t.doc.wishedSuit, 0);
    EXPECT_FALSE(t.doc.firstJackOpen);
    EXPECT_EQ(t.doc.cards[C(kHerz, kDame)].owner, -1);
    EXPECT_FALSE(t.doc.cards[C(kHerz, kDame)].pickable);
    EXPECT_EQ(t.doc.heldCard, 0);
}

TEST(Turns, NextSeatSkipsSeatsThatDoNotPlayOrWentOut) {
    TestTable t;
    t.Arrange({{1}, {2}, {3}, {4}}, {20});
    t.doc.seats[1].plays = false;
    t.doc.seats[1].inRound = false;
    t.doc.seats[2].inRound = false;
    t.doc.seats[0].hasDrawn = true;
    t.doc.justDrew = true;
    t.doc.NextSeat();
    EXPECT_EQ(t.doc.currentSeat, 3);
    EXPECT_FALSE(t.doc.seats[0].hasDrawn);
    EXPECT_FALSE(t.doc.justDrew);
    t.doc.NextSeat();
    EXPECT_EQ(t.doc.currentSeat, 0);
}

TEST(Commands, NextPlayerNeedsADrawAndIsRefusedDuringAComputerMove) {
    TestTable t;
    t.Arrange({{C(kPik, kDame)}, {C(kPik, kAs)}, {}, {}}, {C(kHerz, kNeun)});
    t.doc.NextPlayerCommand();
    EXPECT_EQ(t.port.messages, std::vector<int>{1116});
    EXPECT_EQ(t.doc.currentSeat, 0);
    t.doc.seats[0].hasDrawn = true;
    t.doc.cardsToDraw = 1;
    t.doc.NextPlayerCommand();
    EXPECT_EQ(t.doc.currentSeat, 0);
    t.doc.cardsToDraw = 0;
    t.doc.computerBusy = true;
    t.doc.NextPlayerCommand();
    EXPECT_EQ(t.port.messages.back(), 1137);
    t.doc.computerBusy = false;
    t.doc.NextPlayerCommand();
    EXPECT_EQ(t.doc.currentSeat, 1);
}

TEST(Commands, NewGameAsksAndOnYesZeroesPlayingSeatsAndDeals) {
    TestTable t;
    t.doc.StartFirstRound();
    t.doc.seats[0].score = 50;
    t.doc.seats[3].plays = false;
    t.doc.seats[3].score = 7;
    t.port.Clear();
    t.doc.NewGameCommand();
    EXPECT_EQ(t.port.questions, std::vector<int>{1115});
    EXPECT_EQ(t.doc.seats[0].score, 50);
    t.port.answerYes = true;
    t.doc.NewGameCommand();
    EXPECT_EQ(t.doc.seats[0].score, 0);
    EXPECT_EQ(t.doc.seats[3].score, 7);
    EXPECT_EQ(t.doc.seats[3].hand.Count(), 0);
    EXPECT_EQ(t.doc.seats[0].hand.Count(), 5);
    EXPECT_EQ(t.doc.CardsAccountedFor(), kCardCount);
}

} // namespace
} // namespace kiv

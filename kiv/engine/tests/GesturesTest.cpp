#include "TestTable.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

using testing::C;
using testing::TestTable;

TEST(TableLayout, PilesFollowTheViewSizeAndLooseCardsSitOnTheStock) {
    TestTable t;
    t.Arrange({{C(kHerz, kAs)}}, {C(kHerz, kNeun)});
    t.doc.LayoutTable(1000, 700);
    EXPECT_EQ(t.doc.stock.x, 919);
    EXPECT_EQ(t.doc.stock.y, 438);
    EXPECT_EQ(t.doc.discardPile.x, 919);
    EXPECT_EQ(t.doc.discardPile.y, 554);
    EXPECT_EQ(t.doc.cards[1].x, 919);
    EXPECT_EQ(t.doc.cards[1].homeY, 438);
    EXPECT_EQ(t.doc.cards[C(kHerz, kAs)].x, 100); // in a hand: stays
    t.doc.LayoutTable(0, 700);
    EXPECT_EQ(t.doc.stock.x, 919);
}

TEST(TableLayout, HandsLieInARowWithTheStripsCovered) {
    TestTable t;
    t.Arrange({{}, {C(kKreuz, kAs), C(kKaro, kSieben), C(kHerz, kDame)}}, {20});
    const int cards[] = {C(kKaro, kSieben), C(kHerz, kDame), C(kKreuz, kAs)};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(t.doc.cards[cards[k]].x, 100 + 18 * k);
        EXPECT_EQ(t.doc.cards[cards[k]].y, 110);
        EXPECT_EQ(t.doc.cards[cards[k]].covered, k < 2);
    }
    // Laid out without the held last card, the one before becomes the last.
    t.doc.heldCard = C(kKreuz, kAs);
    t.doc.LayoutHand(1, false);
    EXPECT_FALSE(t.doc.cards[C(kHerz, kDame)].covered);
    t.doc.heldCard = C(kKaro, kSieben);
    t.doc.LayoutHand(1, false);
    EXPECT_EQ(t.doc.cards[C(kHerz, kDame)].x, 100);
}

TEST(TableLayout, HitTestPicksTheStripOrTheCardLyingOverIt) {
    TestTable t;
    t.Arrange({{C(kKaro, kNeun), C(kHerz, kNeun), C(kPik, kNeun)}}, {20});
    EXPECT_EQ(t.doc.HitTestCard(105, 50), C(kKaro, kNeun));
    EXPECT_EQ(t.doc.HitTestCard(125, 50), C(kHerz, kNeun)); // Karo's covered area
    EXPECT_EQ(t.doc.HitTestCard(200, 106), C(kPik, kNeun));
    EXPECT_EQ(t.doc.HitTestCard(208, 50), 0);
    t.doc.cards[C(kPik, kNeun)].pickable = false;
    EXPECT_EQ(t.doc.HitTestCard(200, 50), 0);
}

struct GestureTable : TestTable {
    GestureTable() {
        doc.seats[1].computer = true;
        Arrange({{C(kHerz, kDame), C(kPik, kDame), C(kKreuz, kNeun)},
                 {C(kHerz, kAs), C(kKaro, kKoenig)},
                 {C(kKaro, kNeun)},
                 {C(kKaro, kZehn)}},
                {C(kHerz, kNeun)});
    }
    int PileX() const { return doc.discardPile.x + 30; }
    int PileY() const { return doc.discardPile.y + 40; }
    int StockX() const { return doc.stock.x + 30; }
    int StockY() const { return doc.stock.y + 40; }
};

TEST(Gestures, DraggingALegalCardOntoThePileLaysItAndTheComputerAnswers) {
    GestureTable t;
    t.doc.LeftButtonDown(105, 50); // the Herz Dame's strip
    ASSERT_EQ(t.doc.heldCard, C(kHerz, kDame));
    EXPECT_EQ(t.doc.cards[C(kHerz, kDame)].x, 105 - 35);
    t.doc.DragHeldCard(400, 300);
    EXPECT_EQ(t.doc.cards[C(kHerz, kDame)].y, 300 - 48);
    t.doc.LeftButtonUp(t.PileX(), t.PileY());
    EXPECT_EQ(t.doc.heldCard, 0);
    ASSERT_GE(t.port.events.size(), 3u);
    EXPECT_EQ(t.port.events[0].kind, GameEventKind::Play);
    EXPECT_EQ(t.port.events[0].value, C(kHerz, kDame));
    EXPECT_EQ(t.port.events[2].kind, GameEventKind::Play); // seat 1's Herz As
    EXPECT_EQ(t.port.events[2].value, C(kHerz, kAs));
    EXPECT_EQ(t.doc.currentSeat, 2);
    EXPECT_FALSE(t.doc.computerBusy);
}

TEST(Gestures, DroppingElsewhereSendsTheCardHome) {
    GestureTable t;
    const PlayingCard& dame = t.doc.cards[C(kPik, kDame)];
    const int homeX = dame.homeX;
    t.doc.LeftButtonDown(120, 50);
    ASSERT_EQ(t.doc.heldCard, C(kPik, kDame));
    t.doc.LeftButtonUp(500, 300);
    EXPECT_EQ(t.doc.heldCard, 0);
    EXPECT_EQ(dame.x, homeX);
    EXPECT_TRUE(dame.covered);
    EXPECT_TRUE(t.port.Logged("wave zurueck.wav"));
    EXPECT_EQ(t.doc.currentSeat, 0);
    // An illegal drop on the pile is refused and also goes home.
    t.doc.LeftButtonDown(120, 50);
    t.doc.LeftButtonUp(t.PileX(), t.PileY());
    EXPECT_EQ(t.port.messages, std::vector<int>{1092});
    EXPECT_EQ(t.doc.seats[0].hand.Count(), 3);
}

TEST(Gestures, ClickingTheStockDrawsAndReleasingAJustDrawnCardEndsTheTurn) {
    GestureTable t;
    t.doc.LeftButtonDown(t.StockX(), t.StockY());
    const int drawn = t.doc.heldCard;
    ASSERT_GT(drawn, 0);
    EXPECT_EQ(t.doc.cards[drawn].owner, 0);
    EXPECT_TRUE(t.doc.justDrew);
    EXPECT_EQ(t.doc.seats[0].hand.Count(), 4);
    t.doc.LeftButtonUp(t.PileX(), t.PileY());
    EXPECT_EQ(t.port.messages, std::vector<int>{1091});
    EXPECT_EQ(t.doc.seats[0].hand.Count(), 4);
    EXPECT_TRUE(t.doc.seats[0].hand.Contains(drawn));
    // The turn passed on release and the computer seat moved.
    EXPECT_NE(t.doc.currentSeat, 0);
    EXPECT_GE(t.port.Count(GameEventKind::Turn), 2);
}

TEST(Gestures, WithLayAfterDrawTheDrawnCardMayBeLaidAtOnce) {
    GestureTable t;
    t.doc.ruleLayAfterDraw = true;
    const std::vector<int> stock = {C(kHerz, kZehn)};
    t.Arrange({{C(kPik, kDame)}, {C(kKaro, kKoenig)}, {C(kKaro, kNeun)}, {C(kKaro, kZehn)}},
              {C(kHerz, kNeun)}, &stock);
    t.doc.LeftButtonDown(t.StockX(), t.StockY());
    ASSERT_EQ(t.doc.heldCard, C(kHerz, kZehn));
    t.doc.LeftButtonUp(t.PileX(), t.PileY());
    EXPECT_EQ(t.port.events[1].kind, GameEventKind::Play);
    EXPECT_EQ(t.port.events[1].value, C(kHerz, kZehn));
}

TEST(Gestures, SecondClickOnTheStockIsRefused) {
    GestureTable t;
    t.doc.ruleLayAfterDraw = true;
    t.doc.LeftButtonDown(t.StockX(), t.StockY());
    t.doc.LeftButtonUp(500, 300);
    EXPECT_EQ(t.doc.currentSeat, 0); // may still lay or pass
    t.doc.LeftButtonDown(t.StockX(), t.StockY());
    EXPECT_EQ(t.port.messages, std::vector<int>{1102});
    EXPECT_EQ(t.doc.heldCard, 0);
}

TEST(Gestures, RightClickLaysALegalCardAndRefusesAnIllegalOneAtOnce) {
    GestureTable t;
    t.doc.RightButtonDown(120, 50); // Pik Dame on a Herz Neun
    EXPECT_EQ(t.port.messages, std::vector<int>{1092});
    EXPECT_EQ(t.doc.heldCard, 0);
    EXPECT_FALSE(t.doc.rightButtonGesture);
    t.doc.RightButtonUp(120, 50);
    EXPECT_EQ(t.port.Count(GameEventKind::Play), 0);

    t.doc.RightButtonDown(105, 50);
    EXPECT_EQ(t.doc.heldCard, C(kHerz, kDame));
    t.doc.LeftButtonDown(160, 50); // ignored during the right-button gesture
    EXPECT_EQ(t.doc.heldCard, C(kHerz, kDame));
    t.doc.RightButtonUp(105, 50);
    EXPECT_EQ(t.port.events[0].kind, GameEventKind::Play);
    EXPECT_EQ(t.port.events[0].value, C(kHerz, kDame));
}

TEST(Gestures, OtherSeatsCardsAndBusyTimesAreIgnored) {
    GestureTable t;
    t.doc.LeftButtonDown(105, 150); // seat 1's card
    EXPECT_EQ(t.doc.heldCard, 0);
    t.doc.computerBusy = true;
    t.doc.LeftButtonDown(105, 50);
    EXPECT_EQ(t.doc.heldCard, 0);
    t.doc.RightButtonDown(105, 50);
    EXPECT_EQ(t.doc.heldCard, 0);
    EXPECT_TRUE(t.port.events.empty());
}

} // namespace
} // namespace kiv

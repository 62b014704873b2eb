#include "TestTable.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

using testing::C;
using testing::TestTable;

// Seat 0 (human) holds Herz Dame, Pik Dame, Kreuz Neun on a Herz Neun;
// seat 1 is a computer seat.
struct Gestures : ::testing::Test, TestTable {
    Gestures() {
        doc.seats[1].computer = true;
        Arrange({{C(kHerz, kDame), C(kPik, kDame), C(kKreuz, kNeun)},
                 {C(kHerz, kAs), C(kKaro, kKoenig)},
                 {C(kKaro, kNeun)},
                 {C(kKaro, kZehn)}},
                {C(kHerz, kNeun)});
    }
    void DropOnPile() { doc.LeftButtonUp(doc.discardPile.x + 30, doc.discardPile.y + 40); }
    void ClickStock() { doc.LeftButtonDown(doc.stock.x + 30, doc.stock.y + 40); }
};

TEST_F(Gestures, CoveredCardsAreHitOnTheirStripOnly) {
    EXPECT_EQ(doc.HitTestCard(105, 50), C(kHerz, kDame));
    EXPECT_EQ(doc.HitTestCard(125, 50), C(kPik, kDame)); // Herz Dame's covered part
    EXPECT_EQ(doc.HitTestCard(207, 106), C(kKreuz, kNeun));
    EXPECT_EQ(doc.HitTestCard(208, 50), 0);
}

TEST_F(Gestures, DraggingALegalCardOntoThePileLaysItAndTheComputerAnswers) {
    doc.LeftButtonDown(105, 50);
    ASSERT_EQ(doc.heldCard, C(kHerz, kDame));
    doc.DragHeldCard(400, 300);
    EXPECT_EQ((std::array{doc.cards[doc.heldCard].x, doc.cards[doc.heldCard].y}),
              (std::array{400 - 35, 300 - 48}));
    DropOnPile();
    ASSERT_GE(port.events.size(), 3u);
    EXPECT_EQ(port.events[0].value, C(kHerz, kDame));
    EXPECT_EQ(port.events[2].value, C(kHerz, kAs)); // seat 1's answer
    EXPECT_EQ(doc.currentSeat, 2);
    EXPECT_FALSE(doc.computerBusy);
}

TEST_F(Gestures, ACardDroppedElsewhereOrRefusedGoesHome) {
    const PlayingCard& dame = doc.cards[C(kPik, kDame)];
    const int homeX = dame.homeX;
    doc.LeftButtonDown(120, 50);
    doc.LeftButtonUp(500, 300);
    EXPECT_EQ(dame.x, homeX);
    EXPECT_TRUE(dame.covered);
    EXPECT_TRUE(port.Logged("wave zurueck.wav"));
    doc.LeftButtonDown(120, 50);
    DropOnPile();
    EXPECT_EQ(port.messages, std::vector<int>{1092});
    EXPECT_EQ(doc.heldCard, 0);
    EXPECT_EQ(doc.currentSeat, 0);
}

TEST_F(Gestures, ADrawnCardDroppedOnThePileGives91AndEndsTheTurnOnRelease) {
    ClickStock();
    const int drawn = doc.heldCard;
    ASSERT_GT(drawn, 0);
    EXPECT_EQ(doc.cards[drawn].owner, 0);
    DropOnPile();
    EXPECT_EQ(port.messages, std::vector<int>{1091});
    EXPECT_TRUE(doc.seats[0].hand.Contains(drawn));
    EXPECT_EQ(port.events.back().kind, GameEventKind::Turn);
    EXPECT_EQ(doc.currentSeat, 2); // seat 1, a computer, has moved too
}

TEST_F(Gestures, WithLayAfterDrawTheSeatMayLayButNotDrawTwice) {
    doc.ruleLayAfterDraw = true;
    ClickStock();
    doc.LeftButtonUp(500, 300);
    EXPECT_EQ(doc.currentSeat, 0);
    ClickStock();
    EXPECT_EQ(port.messages, std::vector<int>{1102});
    doc.LeftButtonDown(105, 50);
    DropOnPile();
    EXPECT_EQ(port.Count(GameEventKind::Play), 2); // the Herz Dame and seat 1's answer
}

TEST_F(Gestures, RightClickLaysALegalCardAndRefusesAnIllegalOneAtOnce) {
    doc.RightButtonDown(120, 50);
    EXPECT_EQ(port.messages, std::vector<int>{1092});
    EXPECT_FALSE(doc.rightButtonGesture);
    doc.RightButtonDown(105, 50);
    doc.LeftButtonDown(160, 50); // ignored during the right-button gesture
    EXPECT_EQ(doc.heldCard, C(kHerz, kDame));
    doc.RightButtonUp(105, 50);
    EXPECT_EQ(port.events[0].value, C(kHerz, kDame));
}

TEST_F(Gestures, OtherSeatsCardsAndBusyTimesAreIgnored) {
    doc.LeftButtonDown(105, 150); // seat 1's card
    EXPECT_EQ(doc.heldCard, 0);
    doc.computerBusy = true;
    doc.LeftButtonDown(105, 50);
    doc.RightButtonDown(105, 50);
    EXPECT_EQ(doc.heldCard, 0);
}

} // namespace
} // namespace kiv

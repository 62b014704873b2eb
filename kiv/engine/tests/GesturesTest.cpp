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
        settings.seats[1].computer = true;
        Arrange({{C(kHerz, kDame), C(kPik, kDame), C(kKreuz, kNeun)},
                 {C(kHerz, kAs), C(kKaro, kKoenig)},
                 {C(kKaro, kNeun)},
                 {C(kKaro, kZehn)}},
                {C(kHerz, kNeun)});
    }
    void DropOnPile() { doc.LeftButtonUp(state.discardPile.x + 30, state.discardPile.y + 40); }
    void ClickStock() { doc.LeftButtonDown(state.stock.x + 30, state.stock.y + 40); }
};

TEST_F(Gestures, ADraggedCardGoesHomeUnlessItIsLegalOnThePile) {
    const PlayingCard& dame = state.cards[C(kPik, kDame)];
    const int homeX = dame.homeX;
    doc.LeftButtonDown(120, 50); // the strip of the covered Pik Dame
    doc.LeftButtonUp(500, 300);
    EXPECT_EQ(dame.x, homeX);
    EXPECT_TRUE(dame.covered && port.Logged("wave zurueck.wav"));
    doc.LeftButtonDown(120, 50);
    DropOnPile();
    EXPECT_EQ(port.messages, std::vector<int>{1092});
    EXPECT_EQ((std::array{state.heldCard, state.currentSeat}), (std::array{0, 0}));

    doc.LeftButtonDown(105, 50);
    DropOnPile();
    ASSERT_GE(port.events.size(), 3u);
    EXPECT_EQ((std::array{port.events[0].value, port.events[2].value}),
              (std::array{C(kHerz, kDame), C(kHerz, kAs)})); // and seat 1's answer
    EXPECT_EQ(state.currentSeat, 2);
    EXPECT_FALSE(state.computerBusy);
}

TEST_F(Gestures, ADrawnCardDroppedOnThePileGives91AndEndsTheTurnOnRelease) {
    ClickStock();
    const int drawn = state.heldCard;
    ASSERT_GT(drawn, 0);
    DropOnPile();
    EXPECT_EQ(port.messages, std::vector<int>{1091});
    EXPECT_TRUE(state.seats[0].hand.Contains(drawn));
    EXPECT_EQ(port.events.back().kind, GameEventKind::Turn);
    EXPECT_EQ(state.currentSeat, 2); // seat 1, a computer, has moved too
}

TEST_F(Gestures, WithLayAfterDrawTheSeatMayLayButNotDrawTwice) {
    settings.ruleLayAfterDraw = true;
    ClickStock();
    doc.LeftButtonUp(500, 300);
    EXPECT_EQ(state.currentSeat, 0);
    ClickStock();
    EXPECT_EQ(port.messages, std::vector<int>{1102});
    doc.LeftButtonDown(105, 50);
    DropOnPile();
    EXPECT_EQ(port.Count(GameEventKind::Play), 2); // the Herz Dame and seat 1's answer
}

TEST_F(Gestures, RightClickLaysALegalCardAndRefusesAnIllegalOneAtOnce) {
    doc.RightButtonDown(120, 50);
    EXPECT_EQ(port.messages, std::vector<int>{1092});
    EXPECT_FALSE(state.rightButtonGesture);
    doc.RightButtonDown(105, 50);
    doc.LeftButtonDown(160, 50); // ignored during the right-button gesture
    EXPECT_EQ(state.heldCard, C(kHerz, kDame));
    doc.RightButtonUp(105, 50);
    EXPECT_EQ(port.events[0].value, C(kHerz, kDame));
    state.computerBusy = true; // nothing is picked up while a computer moves
    doc.RightButtonDown(105, 150);
    doc.LeftButtonDown(105, 150);
    EXPECT_EQ(state.heldCard, 0);
}

} // namespace
} // namespace kiv

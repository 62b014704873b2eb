// Where the rules leave a gap: moves that never nest, the rebuilt stock's
// order, penalties that cannot be paid and the stock becoming drawable again.
// (The computer's suit choice is with the other computer tests.)
#include "TestTable.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kiv {
namespace {

using testing::C;
using testing::TestTable;

// Records how deep the stack is whenever a computer move pauses.
struct StackDepthPort : KivPort {
    int Pause(int ms) override {
        const auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
        lowest = lowest == 0 || here < lowest ? here : lowest;
        highest = here > highest ? here : highest;
        return ms;
    }
    void OnGameEvent(const GameEvent& e) override { rounds += e.kind == GameEventKind::Score; }
    std::uintptr_t lowest = 0, highest = 0;
    int rounds = 0;
};

TEST(EdgeRules, ComputerChainsRunInConstantStack) {
    KivGame doc;
    StackDepthPort port;
    doc.SetPort(&port);
    GameSettings settings;
    for (SeatSettings& seat : settings.seats) {
        seat.computer = true;
    }
    doc.ApplySettings(settings);
    doc.StartFirstRound();
    while (port.rounds < 200) {
        doc.StartComputerMove(); // returns when seat 0 is to begin a new round
    }
    // Nested moves would need a frame per move, tens of kilobytes per round.
    EXPECT_LT(port.highest - port.lowest, 1024u);
    EXPECT_EQ(doc.CardsAccountedFor(), kCardCount);
}

TEST(EdgeRules, TheNextSeatMovesAfterThePassingMoveAndLayingAfterADrawPassesOnce) {
    TestTable t;
    t.settings.ruleLayAfterDraw = true;
    t.settings.seats[1].computer = t.settings.seats[2].computer = true;
    const std::vector<int> stock = {C(kPik, kAs)}; // seat 1 draws it and lays it
    t.Arrange({{1}, {C(kHerz, kDame)}, {C(kPik, kDame), C(kKreuz, kZehn)}, {2}}, {C(kPik, kSieben)},
              &stock);
    t.state.currentSeat = 1;
    t.doc.StartComputerMove();
    std::vector<std::pair<GameEventKind, int>> seen;
    for (const GameEvent& e : t.port.events) {
        seen.emplace_back(e.kind, e.seat);
    }
    using K = GameEventKind;
    EXPECT_EQ(seen, (std::vector<std::pair<K, int>>{
                        {K::Draw, 1}, {K::Play, 1}, {K::Turn, 2}, {K::Play, 2}, {K::Turn, 3}}));
    EXPECT_EQ(t.port.pauses, 3 + 1); // seat 1's three pauses all came before seat 2's
}

TEST(EdgeRules, RebuildKeepsPileOrderAndTheTopCardAndMakesTheStockDrawable) {
    TestTable t;
    const std::vector<int> none;
    t.Arrange({{1}}, {3, 17, 30, 9}, &none);
    t.state.cardsToDraw = 2;
    t.state.wishedSuit = kKreuz;
    t.doc.RebuildStock();
    EXPECT_EQ(t.state.random.State(), 1u); // the generator was not asked
    EXPECT_EQ(std::vector<int>(t.state.stock.cards.begin(), t.state.stock.cards.end()),
              (std::vector<int>{3, 17, 30}));
    EXPECT_EQ((std::array{t.state.discardPile.Count(), t.doc.TopCard(), t.state.cardsToDraw,
                          t.state.wishedSuit, t.port.events.at(0).value}),
              (std::array{1, 9, 2, int{kKreuz}, 3}));

    t.state.cardsToDraw = 0;
    t.Arrange({{1}}, {C(kHerz, kNeun)}, &none);
    EXPECT_EQ(t.doc.DrawCard(false), DrawResult::NoCard);
    EXPECT_FALSE(t.state.stock.drawable);
    t.state.discardPile.Push(C(kKaro, kNeun)); // the pile grows meanwhile
    t.doc.LeftButtonDown(t.state.stock.x + 5, t.state.stock.y + 5);
    EXPECT_TRUE(t.state.stock.drawable);
    EXPECT_EQ(t.state.heldCard, C(kHerz, kNeun));
}

// No card can be drawn: the stock is empty, the pile holds only a Herz
// Sieben and seat 1 (to move, owing two cards) holds Karo and Pik without a
// Sieben. Every other card is seat 0's.
struct DryTable : ::testing::Test, TestTable {
    void Arrange(bool computer, std::vector<int> alsoForSeatOne = {}) {
        settings.seats[1].computer = computer;
        settings.seats[2].plays = settings.seats[3].plays = false;
        std::vector<int> zero, one = alsoForSeatOne;
        for (int n = 1; n <= kCardCount; ++n) {
            const bool forOne =
                (SuitOfCard(n) == kKaro || SuitOfCard(n) == kPik) && RankOfCard(n) != kSieben;
            if (n != C(kHerz, kSieben) && std::count(one.begin(), one.end(), n) == 0) {
                (forOne ? one : zero).push_back(n);
            }
        }
        const std::vector<int> none;
        TestTable::Arrange({zero, one}, {C(kHerz, kSieben)}, &none);
        state.cardsToDraw = 2;
        state.sevenPending = true;
        state.currentSeat = 1;
    }
};

TEST_F(DryTable, AComputersUnpayablePenaltyLapsesThenItPassesOrLaysAfterTheDraw) {
    Arrange(true);
    doc.StartComputerMove();
    using K = GameEventKind;
    ASSERT_EQ(port.events.size(), 3u);
    EXPECT_EQ((std::array{port.events[0].kind, port.events[1].kind, port.events[2].kind}),
              (std::array{K::Rebuild, K::Lapse, K::Turn}));
    EXPECT_EQ(state.cardsToDraw, 0);
    EXPECT_FALSE(state.sevenPending);
    EXPECT_EQ(port.pane1.back(), "0| ");
    EXPECT_EQ(state.currentSeat, 0);

    settings.ruleLayAfterDraw = true;
    Arrange(true, {C(kHerz, kDame)});
    doc.StartComputerMove();
    EXPECT_EQ(port.Count(K::Lapse), 1);
    EXPECT_EQ(doc.TopCard(), C(kHerz, kDame));
    EXPECT_EQ(port.Count(K::Turn), 1);

    settings.ruleLayAfterDraw = false; // a plain draw that finds nothing: it just passes
    Arrange(true);
    state.cardsToDraw = 0;
    doc.StartComputerMove();
    EXPECT_EQ(port.Count(K::Lapse), 0);
    EXPECT_EQ(state.currentSeat, 0);
}

TEST_F(DryTable, AHumanMustDrawFirstButMayPassOnceNothingIsLeft) {
    Arrange(false);
    doc.NextPlayerCommand(); // still owes two cards: draw first
    EXPECT_EQ(port.messages, std::vector<int>{1116});
    EXPECT_EQ(doc.DrawCard(false), DrawResult::Lapsed);
    EXPECT_TRUE(state.seats[1].hasDrawn);
    port.Clear();
    doc.NextPlayerCommand();
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(state.currentSeat, 0);

    Arrange(false); // no penalty: nothing to draw, so the seat may pass at once
    state.cardsToDraw = 0;
    EXPECT_EQ(doc.DrawCard(false), DrawResult::NoCard);
    EXPECT_FALSE(state.seats[1].hasDrawn);
    EXPECT_EQ(port.Count(GameEventKind::Lapse), 0);
    doc.NextPlayerCommand();
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(state.currentSeat, 0);
}

} // namespace
} // namespace kiv

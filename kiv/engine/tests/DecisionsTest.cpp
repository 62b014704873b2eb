// The behaviours the game needs where the rules leave a gap: moves that never
// nest, the rebuilt stock's order, penalties that cannot be paid, the stock
// becoming drawable again, and the computer's suit choice.
#include "TestTable.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kiv {
namespace {

using testing::C;
using testing::TestTable;

// Records how deep the call stack is whenever a computer move pauses.
class StackDepthPort : public KivPort {
public:
    int Pause(int ms) override {
        const auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
        lowest = lowest == 0 || here < lowest ? here : lowest;
        highest = here > highest ? here : highest;
        ++pauses;
        return ms;
    }
    bool ContinueComputerMoves() override { return rounds < 200; }
    void OnGameEvent(const GameEvent& e) override { rounds += e.kind == GameEventKind::Score; }
    std::uintptr_t lowest = 0;
    std::uintptr_t highest = 0;
    int pauses = 0;
    int rounds = 0;
};

TEST(NoNesting, AChainOfComputerMovesRunsInConstantStack) {
    CZelvioDoc doc;
    StackDepthPort port;
    doc.SetPort(&port);
    for (Seat& seat : doc.seats) {
        seat.computer = true;
    }
    doc.StartFirstRound();
    while (port.rounds < 200) {
        doc.StartComputerMove(); // runs until seat 0 is to begin the next round
    }
    EXPECT_EQ(port.rounds, 200);
    EXPECT_GT(port.pauses, 5000);
    // Nested moves would need a frame per move: thousands of them.
    EXPECT_LT(port.highest - port.lowest, 1024u);
    EXPECT_FALSE(doc.computerBusy);
}

TEST(NoNesting, TheNextSeatMovesOnlyAfterThePassingMoveHasFinished) {
    TestTable t;
    t.doc.ruleLayAfterDraw = true;
    t.doc.seats[1].computer = true;
    t.doc.seats[2].computer = true;
    // Seat 1 cannot lay on the Pik Sieben, draws the Pik As and lays it.
    const std::vector<int> stock = {C(kPik, kAs)};
    t.Arrange({{C(kKaro, kNeun), C(kKaro, kZehn)},
               {C(kHerz, kDame), C(kHerz, kKoenig)},
               {C(kPik, kDame), C(kKreuz, kZehn)},
               {C(kKreuz, kDame)}},
              {C(kPik, kSieben)}, &stock);
    t.doc.currentSeat = 1;
    std::vector<std::string> order;
    t.doc.StartComputerMove();
    // Seat 1: pause, draw, pause, lay, turn 2, pause; then seat 2's move.
    std::vector<GameEventKind> kinds;
    for (const GameEvent& e : t.port.events) {
        kinds.push_back(e.kind);
    }
    ASSERT_GE(kinds.size(), 4u);
    EXPECT_EQ(kinds[0], GameEventKind::Draw);
    EXPECT_EQ(kinds[1], GameEventKind::Play);
    EXPECT_EQ(kinds[2], GameEventKind::Turn);
    EXPECT_EQ(t.port.events[2].seat, 2);
    // Laying after the draw passed the turn; there is no second pass by seat 1.
    EXPECT_EQ(t.port.events[3].kind, GameEventKind::Play);
    EXPECT_EQ(t.port.events[3].seat, 2);
    EXPECT_EQ(t.doc.currentSeat, 3); // seat 3 is human: the chain stops there
    EXPECT_EQ(t.port.Count(GameEventKind::Turn), 2);
    EXPECT_EQ(t.port.pauses, 3 + 1); // seat 1 three times, seat 2 once (it laid at once)
}

TEST(RebuildStock, KeepsPileOrderAndTheTopCardWithoutTheGenerator) {
    TestTable t;
    const std::vector<int> none;
    t.Arrange({{C(kPik, kDame)}, {}, {}, {}}, {3, 17, 30, 9}, &none);
    t.doc.cardsToDraw = 2;
    t.doc.sevenPending = true;
    t.doc.wishedSuit = kKreuz;
    t.doc.eightServed = true;
    const auto state = t.doc.random.State();
    t.doc.RebuildStock();
    EXPECT_EQ(t.doc.random.State(), state);
    EXPECT_EQ(std::vector<int>(t.doc.stock.cards.begin(), t.doc.stock.cards.end()),
              (std::vector<int>{3, 17, 30}));
    EXPECT_EQ(t.doc.discardPile.Count(), 1);
    EXPECT_EQ(t.doc.TopCard(), 9);
    EXPECT_EQ(t.doc.cardsToDraw, 2);
    EXPECT_TRUE(t.doc.sevenPending);
    EXPECT_EQ(t.doc.wishedSuit, kKreuz);
    EXPECT_TRUE(t.doc.eightServed);
    ASSERT_EQ(t.port.events.size(), 1u);
    EXPECT_EQ(t.port.events[0].kind, GameEventKind::Rebuild);
    EXPECT_EQ(t.port.events[0].value, 3);
    for (int n : {3, 17, 30}) {
        EXPECT_EQ(t.doc.cards[n].x, t.doc.stock.x);
    }
}

// A table on which no card can be drawn: the stock is empty and the discard
// pile holds only its top card; every other card is in a hand.
struct DryTable : TestTable {
    void Arrange(bool seatOneIsComputer) {
        doc.seats[1].computer = seatOneIsComputer;
        doc.seats[2].plays = doc.seats[3].plays = false;
        std::vector<int> zero;
        std::vector<int> one;
        for (int n = 1; n <= kCardCount; ++n) {
            if (n == C(kHerz, kSieben)) {
                continue;
            }
            // Seat 1 gets only Karo and Pik cards without a Sieben.
            const bool forOne =
                (SuitOfCard(n) == kKaro || SuitOfCard(n) == kPik) && RankOfCard(n) != kSieben;
            (forOne ? one : zero).push_back(n);
        }
        const std::vector<int> none;
        TestTable::Arrange({zero, one}, {C(kHerz, kSieben)}, &none);
        doc.cardsToDraw = 2;
        doc.sevenPending = true;
        doc.currentSeat = 1;
    }
};

TEST(PenaltyLapse, ComputerOwingCardsThatCannotComeLetsThePenaltyLapseAndPasses) {
    DryTable t;
    t.Arrange(true);
    t.doc.StartComputerMove();
    EXPECT_EQ(t.doc.cardsToDraw, 0);
    EXPECT_FALSE(t.doc.sevenPending);
    EXPECT_EQ(t.doc.currentSeat, 0);
    ASSERT_EQ(t.port.events.size(), 3u);
    EXPECT_EQ(t.port.events[0].kind, GameEventKind::Rebuild);
    EXPECT_EQ(t.port.events[0].value, 0);
    EXPECT_EQ(t.port.events[1].kind, GameEventKind::Lapse);
    EXPECT_EQ(t.port.events[1].seat, 1);
    EXPECT_EQ(t.port.events[2].kind, GameEventKind::Turn);
    EXPECT_EQ(t.port.pane1.back(), "0| ");
    EXPECT_FALSE(t.doc.stock.drawable);
}

TEST(PenaltyLapse, WithLayAfterDrawTheComputerChoosesAgainAndMayLay) {
    DryTable t;
    t.doc.ruleLayAfterDraw = true;
    t.Arrange(true);
    // Give seat 1 a Herz card so it can answer the seven once the penalty lapsed.
    t.doc.seats[0].hand.Remove(C(kHerz, kDame));
    t.doc.seats[1].hand.Add(C(kHerz, kDame));
    t.doc.cards[C(kHerz, kDame)].owner = 1;
    t.doc.StartComputerMove();
    EXPECT_EQ(t.port.Count(GameEventKind::Lapse), 1);
    ASSERT_EQ(t.port.Count(GameEventKind::Play), 1);
    EXPECT_EQ(t.doc.TopCard(), C(kHerz, kDame));
    EXPECT_EQ(t.port.Count(GameEventKind::Turn), 1);
    EXPECT_EQ(t.doc.currentSeat, 0);
}

TEST(PenaltyLapse, HumanCountsAsHavingDrawnAndMayPass) {
    DryTable t;
    t.Arrange(false);
    EXPECT_EQ(t.doc.DrawCard(false), DrawResult::Lapsed);
    EXPECT_TRUE(t.doc.seats[1].hasDrawn);
    EXPECT_EQ(t.doc.cardsToDraw, 0);
    t.doc.NextPlayerCommand();
    EXPECT_TRUE(t.port.messages.empty());
    EXPECT_EQ(t.doc.currentSeat, 0);
}

TEST(PenaltyLapse, PlainDrawFindingNoCardChangesNothing) {
    DryTable t;
    t.Arrange(false);
    t.doc.cardsToDraw = 0;
    t.doc.sevenPending = false;
    EXPECT_EQ(t.doc.DrawCard(false), DrawResult::NoCard);
    EXPECT_FALSE(t.doc.seats[1].hasDrawn);
    EXPECT_EQ(t.port.Count(GameEventKind::Lapse), 0);
    t.doc.NextPlayerCommand();
    EXPECT_EQ(t.port.messages, std::vector<int>{1116});
    // A computer in the same place passes.
    t.doc.seats[1].computer = true;
    t.doc.StartComputerMove();
    EXPECT_EQ(t.doc.currentSeat, 0);
}

TEST(StockDrawable, ARebuildThatRefillsTheStockMakesItDrawableAgain) {
    TestTable t;
    const std::vector<int> none;
    t.Arrange({{C(kPik, kDame)}, {}, {}, {}}, {C(kHerz, kNeun)}, &none);
    EXPECT_EQ(t.doc.DrawCard(false), DrawResult::NoCard);
    EXPECT_FALSE(t.doc.stock.drawable);
    // Later the pile has grown; the human clicks the empty stock.
    t.doc.discardPile.Push(C(kKaro, kNeun));
    t.doc.LeftButtonDown(t.doc.stock.x + 5, t.doc.stock.y + 5);
    EXPECT_TRUE(t.doc.stock.drawable);
    EXPECT_EQ(t.doc.heldCard, C(kHerz, kNeun));
    EXPECT_EQ(t.doc.cards[C(kHerz, kNeun)].owner, 0);
    EXPECT_EQ(t.doc.TopCard(), C(kKaro, kNeun));
}

TEST(ComputerSuit, MostCardsWinsAndTiesGoHerzKaroKreuzPik) {
    TestTable t;
    auto suitFor = [&t](std::vector<int> hand) {
        t.Arrange({hand}, {20});
        return t.doc.ChooseComputerSuit();
    };
    EXPECT_EQ(suitFor({C(kKaro, kAcht), C(kHerz, kNeun), C(kHerz, kDame), C(kPik, kAs)}), kHerz);
    EXPECT_EQ(suitFor({C(kKaro, kAcht), C(kPik, kAs)}), kKaro);
    EXPECT_EQ(suitFor({C(kPik, kAcht), C(kPik, kAs), C(kKreuz, kAs)}), kPik);
    EXPECT_EQ(suitFor({C(kPik, kAcht), C(kKreuz, kAs)}), kKreuz);
    EXPECT_EQ(suitFor({C(kPik, kAcht), C(kHerz, kAs)}), kHerz);
    EXPECT_EQ(suitFor({}), kHerz);
}

} // namespace
} // namespace kiv

#include <gtest/gtest.h>

#include <vector>

#include "TestSupport.h"
#include "varenta/engine/Texts.h"

namespace varenta {
namespace {

using namespace varenta::testing;

struct CountingHook : ComputerTurnHook {
    int turns = 0;
    void ComputerTurn(VarentaEngine&) override { ++turns; }
};

// The player to move and not yet drawn, with a computer that only counts.
class TurnTest : public ::testing::Test {
protected:
    Table t;
    CountingHook hook;
    void SetUp() override {
        t.engine.SetComputerHook(&hook);
        t.Undrawn();
        t.OpponentHand({Code(kClub, kSix)});
    }
};

TEST_F(TurnTest, DrawingOneOrTwoCards) {
    t.Hand({Code(kSpade, kFive), Code(kHeart, kKing)});
    t.Pile({Code(kSpade, kKing)});
    t.Stock({Code(kClub, kEight), Code(kClub, kNine), Code(kClub, kNine), Code(kDiamond, kTen)});
    t.engine.PlayerDraw();
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_FALSE(t.S().mayTakePile);
    EXPECT_EQ(t.S().playerHand[2].x, t.G().ColumnX(9)); // in its rank column
    EXPECT_EQ(t.port.LastHint(), Hint::MeldOrDiscard);
    EXPECT_EQ(t.port.flashes, 1);
    EXPECT_EQ(t.reporter.lines.back(), "DRAWNEW 35");
    t.engine.PlayerDraw();
    EXPECT_EQ(t.port.LastErrorText(), "You have already drawn");
    t.engine.PlayerTakePile();
    EXPECT_EQ(t.port.LastError(), texts::kErrorAlreadyDrawn);
    EXPECT_EQ(t.S().stock.count, 3);

    // Two cards a turn: hint 4 after the first, and the pile is out of reach.
    RuleSet rules;
    rules.numberOfCards = 2;
    t.Rules(rules);
    t.Undrawn();
    t.engine.PlayerDraw();
    EXPECT_FALSE(t.S().hasDrawn);
    EXPECT_EQ(t.port.LastHint(), Hint::SecondCard);
    t.engine.PlayerTakePile();
    EXPECT_EQ(t.port.LastError(), texts::kErrorAlreadyDrawn);
    t.engine.PlayerDraw();
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_EQ(t.S().playerHand.count, 5);
    // One card left in the stock: the turn goes on with that one card.
    t.Undrawn();
    t.engine.PlayerDraw();
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_EQ(t.S().stockDraws, 0);
}

TEST_F(TurnTest, RedThreesFromTheStock) {
    t.Hand({Code(kSpade, kFive)});
    t.Stock({Code(kClub, kNine), Code(kDiamond, kThree), Code(kHeart, kThree)});
    t.engine.PlayerDraw(); // two red threes replaced by the nine
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_EQ(t.engine.MeldColumnCount(Side::Player, kThreesColumn), 2);
    EXPECT_EQ(t.S().playerHand.count, 2);

    // A red three as the last stock card ends the drawing.
    t.Undrawn();
    t.Stock({Code(kHeart, kThree)});
    t.engine.PlayerDraw();
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_EQ(t.S().playerHand.count, 2);

    // Without Draw Extra the red three is the drawn card.
    RuleSet rules;
    rules.drawExtra = false;
    t.Rules(rules);
    t.Undrawn();
    t.Stock({Code(kClub, kNine), Code(kHeart, kThree)});
    t.engine.PlayerDraw();
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_EQ(t.S().stock.count, 1);
}

TEST_F(TurnTest, DiscardPassesTheTurnAndAWildCardFreezesThePile) {
    t.Hand({Code(kSpade, kFive), Code(kHeart, kTwo), Code(kHeart, kKing)});
    t.Stock({Code(kClub, kNine), Code(kDiamond, kTen)});
    t.engine.PlayerDiscard(0);
    EXPECT_EQ(t.port.LastErrorText(), "You cannot discard before drawing; please draw first by "
                                      "clicking on the stock or the discard pile");
    t.S().hasDrawn = true;
    t.S().undoList.Push(UndoEntry{});
    t.engine.PlayerDiscard(t.InHand(Code(kHeart, kTwo)));
    EXPECT_TRUE(t.S().pileFrozen);
    EXPECT_TRUE(t.S().opponentToMove);
    EXPECT_FALSE(t.S().hasDrawn);
    EXPECT_TRUE(t.S().mayTakePile);
    EXPECT_TRUE(t.S().undoList.Empty());
    EXPECT_EQ(t.S().discardPile.Top().code, Code(kHeart, kTwo));
    EXPECT_EQ(t.S().discardedRank[1], 1);
    EXPECT_EQ(t.port.LastHint(), Hint::OpponentsTurn);
    EXPECT_EQ(hook.turns, 1);
    EXPECT_EQ(t.reporter.lines.back(), "DISCARD 40");
    t.engine.PlayerDraw(); // ignored while the opponent moves
    EXPECT_EQ(t.S().stock.count, 2);

    // The opponent's turn ends: its meld total is remembered, the player's
    // was taken when it began.
    t.Melds({Code(kSpade, kQueen), Code(kHeart, kQueen), Code(kClub, kQueen)});
    t.engine.BeginOpponentTurn();
    EXPECT_EQ(t.S().playerMeldedBefore, 30);
    t.S().opponentMeldPoints = 70;
    EXPECT_TRUE(t.engine.FinishOpponentTurn());
    EXPECT_FALSE(t.S().opponentToMove);
    EXPECT_EQ(t.S().opponentMeldedBefore, 70);
    EXPECT_EQ(t.port.LastHint(), Hint::Draw);
}

TEST_F(TurnTest, LastCardThatCannotGoForcesAPass) {
    t.Melds({Code(kSpade, kAce), Code(kHeart, kAce), Code(kClub, kAce)});
    t.Hand({Code(kSpade, kFive)});
    t.Stock({Code(kClub, kNine), Code(kDiamond, kAce)});
    t.engine.PlayerDraw();
    t.engine.MeldOne(t.InHand(Code(kDiamond, kAce)));
    ASSERT_EQ(t.port.messages.size(), 1u);
    EXPECT_EQ(t.port.messages[0].text,
              "You only have one card left, and not enough Varentas to go out.\r You have to "
              "pass the discard.");
    EXPECT_TRUE(t.S().opponentToMove);
    EXPECT_FALSE(t.S().hasDrawn);
    EXPECT_EQ(t.S().playerHand.count, 1);
    EXPECT_EQ(t.reporter.lines.back(), "PASSDISCARD");
    EXPECT_EQ(hook.turns, 1);
}

// One card in the hand and a red three drawn: without Draw Extra the red
// three is the drawn card, so the player passes before any second draw.
TEST_F(TurnTest, ARedThreeAsTheDrawnCardCanForceThePass) {
    const struct {
        int cards;
        bool drawExtra;
        bool passes;
        int stockLeft;
    } cases[] = {
        {2, false, true, 2}, // passes at once, the second card stays in the stock
        {2, true, false, 1}, // the red three is replaced; one more card to draw
        {1, false, true, 2}, // the red three was the one card of the turn
        {1, true, false, 1}, // replaced by the nine: two cards, no pass
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.cards << " cards, Draw Extra " << c.drawExtra);
        Table table;
        CountingHook counting;
        table.engine.SetComputerHook(&counting);
        RuleSet rules;
        rules.numberOfCards = c.cards;
        rules.drawExtra = c.drawExtra;
        table.Rules(rules);
        table.Undrawn();
        table.OpponentHand({Code(kClub, kSix)});
        table.Hand({Code(kSpade, kFive)});
        table.Stock({Code(kClub, kEight), Code(kClub, kNine), Code(kHeart, kThree)});
        table.engine.PlayerDraw();
        EXPECT_EQ(counting.turns, c.passes ? 1 : 0);
        EXPECT_EQ(table.S().stock.count, c.stockLeft);
        EXPECT_EQ(table.engine.MeldColumnCount(Side::Player, kThreesColumn), 1);
        if (!c.passes && c.cards == 2) {
            EXPECT_EQ(table.port.LastHint(), Hint::SecondCard);
        }
    }
}

TEST(CheckMustPass, OnlyWhenTheLastCardCannotGo) {
    struct Case {
        const char* what;
        std::vector<int> melds; // one column, by the first card's rank
        int last;
        int needed = 1;
        bool passes = true;
    };
    const int q = Code(kSpade, kQueen);
    const Case cases[] = {
        {"nothing to do with it",
         {Code(kSpade, kAce), Code(kSpade, kAce), Code(kSpade, kAce)},
         Code(kSpade, kFive)},
        {"a seventh queen", {q, q, q, q, q, q}, q, 1, false},
        {"a seventh queen, two needed", {q, q, q, q, q, q}, q, 2},
        {"a wild seventh", {q, q, q, q, q, kJoker}, kJoker, 1, false},
        {"a wild seventh onto three wild", {q, q, q, kJoker, kJoker, kJoker}, kJoker},
        {"an invalid table", {q, q}, Code(kSpade, kFive), 1, false},
        {"a Varenta already", {}, Code(kSpade, kFive), 1, false},
    };
    for (const Case& c : cases) {
        Table t;
        RuleSet rules;
        rules.numberOfVarentas = c.needed;
        t.Rules(rules);
        t.OpponentHand({Code(kClub, kSix)});
        t.Stock({Code(kClub, kNine)});
        for (int code : c.melds) {
            t.Melds({code}, CardRank(c.melds.front()));
        }
        if (c.melds.empty()) {
            t.KingVarenta();
        }
        t.Hand({c.last});
        EXPECT_EQ(t.engine.CheckMustPass(), c.passes) << c.what;
        EXPECT_EQ(t.S().opponentToMove, c.passes) << c.what;
    }
    // The pile's top card still to be melded: no pass.
    Table t;
    t.Melds({Code(kSpade, kAce), Code(kHeart, kAce), Code(kClub, kAce)});
    t.Hand({Code(kSpade, kFive)});
    t.Pile({Code(kSpade, kSix)});
    t.S().pileTopMustMeld = true;
    EXPECT_FALSE(t.engine.CheckMustPass());
}

TEST_F(TurnTest, RedThreeDiscardFromTheTable) {
    RuleSet rules;
    rules.threeBlock = true;
    t.Rules(rules);
    t.Melds({Code(kHeart, kThree)}, kThreesColumn);
    t.Hand({Code(kSpade, kFive), Code(kHeart, kKing)});
    t.Stock({Code(kClub, kNine)});
    t.S().pileTopMustMeld = true; // refused while a top card is pending
    t.engine.PlayerDiscardRedThree(0);
    EXPECT_EQ(t.port.errors.back().reason, texts::kReasonTopCard);
    t.S().pileTopMustMeld = false;
    t.Melds({Code(kSpade, kQueen), Code(kHeart, kQueen)}); // and while the table is invalid
    t.engine.PlayerDiscardRedThree(0);
    EXPECT_EQ(t.port.errors.back().reason, texts::kReasonColumnTooShort);
    EXPECT_EQ(t.S().playerMelds.count, 3);
    EXPECT_FALSE(t.S().opponentToMove);

    t.S().playerMelds.RemoveAt(2); // the two queens leave the table again
    t.S().playerMelds.RemoveAt(1);
    t.engine.PlayerDiscardRedThree(0); // no draw needed
    EXPECT_TRUE(t.S().opponentToMove);
    EXPECT_TRUE(t.S().pileFrozen);
    EXPECT_EQ(t.S().discardPile.Top().code, Code(kHeart, kThree));
    EXPECT_EQ(t.reporter.lines.back(), "DISCARDREDTHREE 41");
    EXPECT_EQ(hook.turns, 1);
}

TEST_F(TurnTest, EmptyStockReusesThePileBottomFirst) {
    for (bool reuse : {true, false}) {
        Table u;
        RuleSet rules;
        rules.reuseDiscardPile = reuse;
        u.Rules(rules);
        u.Hand({Code(kSpade, kFive), Code(kHeart, kKing)});
        u.OpponentHand({Code(kClub, kSix)});
        u.Pile({Code(kClub, kNine), Code(kDiamond, kTen)});
        u.S().pileFrozen = true;
        u.engine.PlayerDiscard(0);
        if (reuse) {
            EXPECT_TRUE(u.S().discardPile.Empty());
            ASSERT_EQ(u.S().stock.count, 3);
            EXPECT_FALSE(u.S().pileFrozen);
            EXPECT_EQ(u.S().stock.Top().code, Code(kClub, kNine));
            EXPECT_FALSE(u.S().stock.Top().faceUp);
            EXPECT_TRUE(u.port.handResults.empty());
        } else { // the hand ends for nobody and the next is dealt
            ASSERT_EQ(u.port.handResults.size(), 1u);
            EXPECT_EQ(u.port.handResults[0].wentOut, 2);
            EXPECT_EQ(u.S().playerHand.count, 15);
        }
    }
}

TEST_F(TurnTest, AHandEndsAfterThePileWasReusedThreeTimes) {
    t.Hand({Code(kSpade, kFive), Code(kSpade, kFive), Code(kSpade, kFive), Code(kSpade, kFive),
            Code(kSpade, kFive)});
    t.Pile({Code(kClub, kNine)});
    for (int round = 1; round <= 4; ++round) {
        t.S().opponentToMove = false;
        t.S().hasDrawn = true;
        t.engine.PlayerDiscard(0);
        ASSERT_EQ(t.port.handResults.size(), round == 4 ? 1u : 0u) << round;
        // Everything drawn back out of the stock, as a cycling hand would.
        while (!t.S().stock.Empty()) {
            t.S().discardPile.Append(t.S().stock.PopTop());
        }
    }
    EXPECT_EQ(t.port.handResults[0].wentOut, 2);
}

} // namespace
} // namespace varenta

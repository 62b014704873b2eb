#include <gtest/gtest.h>

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
        t.OpponentHand({kClub(kSix)});
    }
};

TEST_F(TurnTest, DrawingOneOrTwoCards) {
    t.Hand({kSpade(kFive), kHeart(kKing)});
    t.Pile({kSpade(kKing)});
    t.Stock({kClub(kEight), kClub(kNine), kClub(kNine), kDiamond(kTen)});
    t.engine.PlayerDraw();
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_FALSE(t.S().mayTakePile);
    EXPECT_EQ(t.S().playerHand[2].x, t.G().ColumnX(9)); // in its rank column
    EXPECT_EQ(t.port.LastHint(), texts::kHintMeldOrDiscard);
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
    EXPECT_EQ(t.port.LastHint(), texts::kHintSecondCard);
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
    t.Hand({kSpade(kFive)});
    t.Stock({kClub(kNine), kDiamond(kThree), kHeart(kThree)});
    t.engine.PlayerDraw(); // two red threes replaced by the nine
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_EQ(t.engine.MeldColumnCount(Side::Player, kThreesColumn), 2);
    EXPECT_EQ(t.S().playerHand.count, 2);

    // A red three as the last stock card ends the drawing.
    t.Undrawn();
    t.Stock({kHeart(kThree)});
    t.engine.PlayerDraw();
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_EQ(t.S().playerHand.count, 2);

    // Without Draw Extra the red three is the drawn card.
    RuleSet rules;
    rules.drawExtra = false;
    t.Rules(rules);
    t.Undrawn();
    t.Stock({kClub(kNine), kHeart(kThree)});
    t.engine.PlayerDraw();
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_EQ(t.S().stock.count, 1);
}

TEST_F(TurnTest, DiscardPassesTheTurnAndAWildCardFreezesThePile) {
    t.Hand({kSpade(kFive), kHeart(kTwo), kHeart(kKing)});
    t.Stock({kClub(kNine), kDiamond(kTen)});
    t.engine.PlayerDiscard(0);
    EXPECT_EQ(t.port.LastErrorText(), "You cannot discard before drawing; please draw first by "
                                      "clicking on the stock or the discard pile");
    t.S().hasDrawn = true;
    t.S().undoList.Push(UndoEntry{});
    t.engine.PlayerDiscard(t.InHand(kHeart(kTwo)));
    EXPECT_TRUE(t.S().pileFrozen);
    EXPECT_TRUE(t.S().opponentToMove);
    EXPECT_FALSE(t.S().hasDrawn);
    EXPECT_TRUE(t.S().mayTakePile);
    EXPECT_TRUE(t.S().undoList.Empty());
    EXPECT_EQ(t.S().discardPile.Top().code, kHeart(kTwo));
    EXPECT_EQ(t.S().discardedRank[1], 1);
    EXPECT_EQ(t.port.LastHint(), texts::kHintOpponentsTurn);
    EXPECT_EQ(hook.turns, 1);
    EXPECT_EQ(t.reporter.lines.back(), "DISCARD 40");
    t.engine.PlayerDraw(); // ignored while the opponent moves
    EXPECT_EQ(t.S().stock.count, 2);

    // The opponent's turn ends: its meld total is remembered, the player's
    // was taken when it began.
    t.Melds({kSpade(kQueen), kHeart(kQueen), kClub(kQueen)});
    t.engine.BeginOpponentTurn();
    EXPECT_EQ(t.S().playerMeldedBefore, 30);
    t.S().opponentMeldPoints = 70;
    EXPECT_TRUE(t.engine.FinishOpponentTurn());
    EXPECT_FALSE(t.S().opponentToMove);
    EXPECT_EQ(t.S().opponentMeldedBefore, 70);
    EXPECT_EQ(t.port.LastHint(), texts::kHintDraw);
}

TEST_F(TurnTest, InvalidTableRefusesTheDiscard) {
    t.S().hasDrawn = true;
    t.Hand({kSpade(kFive), kHeart(kKing), kClub(kKing)});
    t.Stock({kClub(kNine)});
    t.Melds({kSpade(kQueen), kHeart(kQueen)});
    t.engine.PlayerDiscard(0);
    EXPECT_EQ(t.port.LastErrorText(),
              "Discarding is not possible now: every column on the table must contain at least "
              "three cards");
    EXPECT_EQ(t.S().playerHand.count, 3);
    EXPECT_FALSE(t.S().opponentToMove);
}

TEST_F(TurnTest, LastCardThatCannotGoForcesAPass) {
    t.Melds({kSpade(kAce), kHeart(kAce), kClub(kAce)});
    t.Hand({kSpade(kFive)});
    t.Stock({kClub(kNine), kDiamond(kAce)});
    t.engine.PlayerDraw();
    t.engine.MeldOne(t.InHand(kDiamond(kAce)));
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

TEST_F(TurnTest, LastCardThatCompletesAVarentaDoesNotPass) {
    for (int needed : {1, 2}) {
        Table u;
        RuleSet rules;
        rules.numberOfVarentas = needed;
        u.Rules(rules);
        u.Melds({kSpade(kQueen), kHeart(kQueen), kClub(kQueen), kDiamond(kQueen), kSpade(kQueen),
                 kHeart(kQueen)});
        u.Hand({kClub(kQueen), kSpade(kKing), kSpade(kKing), kHeart(kKing)});
        u.OpponentHand({kClub(kSix)});
        u.Stock({kClub(kNine)});
        u.engine.MeldSeveral(u.InHand(kSpade(kKing)), MeldMode::Shift);
        // With two needed and none held the player always passes.
        EXPECT_EQ(u.port.messages.size(), needed == 1 ? 0u : 1u);
        EXPECT_EQ(u.S().opponentToMove, needed == 2);
    }
}

TEST_F(TurnTest, RedThreeDiscardFromTheTable) {
    RuleSet rules;
    rules.threeBlock = true;
    t.Rules(rules);
    t.Melds({kHeart(kThree)}, kThreesColumn);
    t.Hand({kSpade(kFive), kHeart(kKing)});
    t.Stock({kClub(kNine)});
    t.S().pileTopMustMeld = true; // refused while a top card is pending
    t.engine.PlayerDiscardRedThree(0);
    EXPECT_EQ(t.port.errors.back().reason, texts::kReasonTopCard);
    t.S().pileTopMustMeld = false;
    t.Melds({kSpade(kQueen), kHeart(kQueen)}); // and while the table is invalid
    t.engine.PlayerDiscardRedThree(0);
    EXPECT_EQ(t.port.errors.back().reason, texts::kReasonColumnTooShort);
    EXPECT_EQ(t.S().playerMelds.count, 3);
    EXPECT_FALSE(t.S().opponentToMove);

    t.S().playerMelds.RemoveAt(2); // the two queens leave the table again
    t.S().playerMelds.RemoveAt(1);
    t.engine.PlayerDiscardRedThree(0); // no draw needed
    EXPECT_TRUE(t.S().opponentToMove);
    EXPECT_TRUE(t.S().pileFrozen);
    EXPECT_EQ(t.S().discardPile.Top().code, kHeart(kThree));
    EXPECT_EQ(t.reporter.lines.back(), "DISCARDREDTHREE 41");
    EXPECT_EQ(hook.turns, 1);
}

TEST_F(TurnTest, EmptyStockReusesThePileBottomFirst) {
    for (bool reuse : {true, false}) {
        Table u;
        RuleSet rules;
        rules.reuseDiscardPile = reuse;
        u.Rules(rules);
        u.Hand({kSpade(kFive), kHeart(kKing)});
        u.OpponentHand({kClub(kSix)});
        u.Pile({kClub(kNine), kDiamond(kTen)});
        u.S().pileFrozen = true;
        u.engine.PlayerDiscard(0);
        if (reuse) {
            EXPECT_TRUE(u.S().discardPile.Empty());
            ASSERT_EQ(u.S().stock.count, 3);
            EXPECT_FALSE(u.S().pileFrozen);
            EXPECT_EQ(u.S().stock.Top().code, kClub(kNine));
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
    t.Hand({kSpade(kFive), kSpade(kFive), kSpade(kFive), kSpade(kFive), kSpade(kFive)});
    t.Pile({kClub(kNine)});
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

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
        t.S().hasDrawn = false;
        t.S().mayTakePile = true;
        t.OpponentHand({kClub(kSix)});
    }
    void Rules(const RuleSet& rules) { t.engine.SetRules(rules); }
};

TEST_F(TurnTest, OneCardDrawEndsTheDrawing) {
    t.Hand({kSpade(kFive), kHeart(kKing)});
    t.Stock({kClub(kNine), kDiamond(kTen)});
    t.engine.PlayerDraw();
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_FALSE(t.S().mayTakePile);
    EXPECT_EQ(t.S().playerHand[2].x, t.G().ColumnX(9)); // in its rank column
    EXPECT_EQ(t.port.LastHint(), texts::kHintMeldOrDiscard);
    EXPECT_EQ(t.port.flashes, 1);
    EXPECT_EQ(t.reporter.lines.back(), "DRAWNEW 35");
    t.engine.PlayerDraw();
    EXPECT_EQ(t.port.LastError(), texts::kErrorAlreadyDrawn);
    t.engine.PlayerTakePile();
    EXPECT_EQ(t.port.LastError(), texts::kErrorAlreadyDrawn);
    EXPECT_EQ(t.S().stock.count, 1);
}

TEST_F(TurnTest, TwoCardRuleAsksForTheSecondCard) {
    RuleSet rules;
    rules.numberOfCards = 2;
    Rules(rules);
    t.Hand({kSpade(kFive), kHeart(kKing)});
    t.Pile({kSpade(kKing)});
    t.Stock({kClub(kNine), kDiamond(kTen), kClub(kEight)});
    t.engine.PlayerDraw();
    EXPECT_FALSE(t.S().hasDrawn);
    EXPECT_EQ(t.port.LastHint(), texts::kHintSecondCard);
    t.engine.PlayerTakePile();
    EXPECT_EQ(t.port.LastError(), texts::kErrorAlreadyDrawn);
    t.engine.PlayerDraw();
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_EQ(t.S().playerHand.count, 4);

    // One card left in the stock: the turn goes on with that one card.
    t.S().hasDrawn = false;
    t.engine.PlayerDraw();
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_EQ(t.S().stockDraws, 0);
}

TEST_F(TurnTest, RedThreesFromTheStock) {
    t.Hand({kSpade(kFive)});
    t.Stock({kClub(kNine), kDiamond(1), kHeart(1)});
    t.engine.PlayerDraw(); // two red threes replaced by the nine
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_EQ(t.engine.MeldColumnCount(Side::Player, kThreesColumn), 2);
    EXPECT_EQ(t.S().playerHand.count, 2);

    // A red three as the last stock card ends the drawing.
    t.S().hasDrawn = false;
    t.Stock({kHeart(1)});
    t.engine.PlayerDraw();
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_EQ(t.S().playerHand.count, 2);

    // Without Draw Extra the red three is the drawn card.
    RuleSet rules;
    rules.drawExtra = false;
    Rules(rules);
    t.S().hasDrawn = false;
    t.Stock({kClub(kNine), kHeart(1)});
    t.engine.PlayerDraw();
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_EQ(t.S().stock.count, 1);
}

TEST_F(TurnTest, DiscardPassesTheTurnAndAWildCardFreezesThePile) {
    t.S().hasDrawn = true;
    t.Hand({kSpade(kFive), kHeart(kTwo), kHeart(kKing)});
    t.Stock({kClub(kNine), kDiamond(kTen)});
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
}

TEST_F(TurnTest, RefusedDiscards) {
    t.Hand({kSpade(kFive), kHeart(kKing), kClub(kKing)});
    t.Stock({kClub(kNine)});
    t.engine.PlayerDiscard(0);
    EXPECT_EQ(t.port.LastError(), texts::kErrorDiscardBeforeDraw);
    t.S().hasDrawn = true;
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
    EXPECT_EQ(t.port.messages[0].text, texts::kMustPass);
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
        u.engine.SetRules(rules);
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
    Rules(rules);
    t.Melds({kHeart(1)}, kThreesColumn);
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
    t.engine.PlayerDiscardRedThree(0);
    EXPECT_TRUE(t.S().opponentToMove);
    EXPECT_TRUE(t.S().pileFrozen);
    EXPECT_EQ(t.S().discardPile.Top().code, kHeart(1));
    EXPECT_EQ(t.reporter.lines.back(), "DISCARDREDTHREE 41");
    EXPECT_EQ(hook.turns, 1);
}

TEST_F(TurnTest, EmptyStockReusesThePileBottomFirst) {
    t.S().hasDrawn = true;
    t.Hand({kSpade(kFive), kHeart(kKing)});
    t.Pile({kClub(kNine), kDiamond(kTen)});
    t.S().pileFrozen = true;
    t.engine.PlayerDiscard(0);
    EXPECT_TRUE(t.S().discardPile.Empty());
    ASSERT_EQ(t.S().stock.count, 3);
    EXPECT_FALSE(t.S().pileFrozen);
    EXPECT_EQ(t.S().stock.Top().code, kClub(kNine));
    EXPECT_FALSE(t.S().stock.Top().faceUp);
    EXPECT_TRUE(t.port.handResults.empty());

    // Without the rule the hand ends for nobody.
    Table u;
    RuleSet rules;
    rules.reuseDiscardPile = false;
    u.engine.SetRules(rules);
    u.Hand({kSpade(kFive), kHeart(kKing)});
    u.OpponentHand({kClub(kSix)});
    u.Pile({kClub(kNine)});
    u.engine.PlayerDiscard(0);
    ASSERT_EQ(u.port.handResults.size(), 1u);
    EXPECT_EQ(u.port.handResults[0].wentOut, 2);
    EXPECT_EQ(u.S().playerHand.count, 15); // the next hand was dealt
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

TEST_F(TurnTest, OpponentTurnBookkeeping) {
    t.Melds({kSpade(kQueen), kHeart(kQueen), kClub(kQueen)});
    t.Stock({kClub(kNine), kDiamond(kTen)});
    t.Hand({kSpade(kFive)});
    t.engine.BeginOpponentTurn();
    EXPECT_TRUE(t.S().opponentToMove);
    EXPECT_EQ(t.S().playerMeldedBefore, 30);
    t.S().opponentMeldPoints = 70;
    EXPECT_TRUE(t.engine.FinishOpponentTurn());
    EXPECT_FALSE(t.S().opponentToMove);
    EXPECT_EQ(t.S().opponentMeldedBefore, 70);
    EXPECT_EQ(t.port.LastHint(), texts::kHintDraw);
}

} // namespace
} // namespace varenta

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "varenta/engine/Texts.h"

namespace varenta {
namespace {

using namespace varenta::testing;

// A computer that only records that it was asked to move.
struct CountingHook : ComputerTurnHook {
    int turns = 0;
    void ComputerTurn(VarentaEngine& engine) override {
        ++turns;
        (void)engine;
    }
};

class TurnTest : public ::testing::Test {
protected:
    Table t;
    CountingHook hook;
    void SetUp() override {
        t.engine.SetComputerHook(&hook);
        t.S().hasDrawn = false;
        t.S().mayTakePile = true;
    }
};

TEST_F(TurnTest, OneCardDrawEndsTheDrawing) {
    t.Hand({kSpade(kFive), kHeart(kKing)});
    t.OpponentHand({kClub(kSix)});
    t.Stock({kClub(kNine), kDiamond(kTen)});
    t.engine.PlayerDraw();
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_FALSE(t.S().mayTakePile);
    EXPECT_EQ(t.S().playerHand.count, 3);
    EXPECT_EQ(t.S().stock.count, 1);
    EXPECT_EQ(t.port.LastHint(), texts::kHintMeldOrDiscard);
    EXPECT_EQ(t.port.flashes, 1);
    EXPECT_TRUE(t.reporter.Contains("DRAWNEW " + std::to_string(kDiamond(kTen))));
    // The new card lies in its rank column of the hand.
    const Card& ten = t.S().playerHand[2];
    EXPECT_EQ(ten.x, t.G().ColumnX(9));
    EXPECT_EQ(ten.y, t.G().handRow + 12);

    t.engine.PlayerDraw();
    EXPECT_EQ(t.port.LastError(), texts::kErrorAlreadyDrawn);
    t.engine.PlayerTakePile();
    EXPECT_EQ(t.port.LastError(), texts::kErrorAlreadyDrawn);
    EXPECT_EQ(t.S().stock.count, 1);
}

TEST_F(TurnTest, TwoCardRuleAsksForTheSecondCardAndBlocksThePile) {
    RuleSet rules;
    rules.numberOfCards = 2;
    t.engine.SetRules(rules);
    t.Hand({kSpade(kFive), kHeart(kKing)});
    t.Pile({kSpade(kKing)});
    t.Stock({kClub(kNine), kDiamond(kTen), kClub(kEight)});
    t.engine.PlayerDraw();
    EXPECT_FALSE(t.S().hasDrawn);
    EXPECT_EQ(t.port.LastHint(), texts::kHintSecondCard);
    t.engine.PlayerTakePile();
    EXPECT_EQ(t.port.LastError(), texts::kErrorAlreadyDrawn);
    t.engine.MeldOne(0);
    EXPECT_EQ(t.port.LastError(), texts::kErrorMeldBeforeDraw);
    t.engine.PlayerDraw();
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_EQ(t.S().playerHand.count, 4);
    EXPECT_EQ(t.S().stockDraws, 0);

    // With one card left in the stock the turn goes on with that one card.
    Table u;
    u.engine.SetRules(rules);
    u.S().hasDrawn = false;
    u.Hand({kSpade(kFive), kHeart(kKing)});
    u.Stock({kClub(kNine)});
    u.engine.PlayerDraw();
    EXPECT_TRUE(u.S().hasDrawn);
    EXPECT_EQ(u.S().playerHand.count, 3);
}

TEST_F(TurnTest, RedThreesAreReplacedWithDrawExtra) {
    t.Hand({kSpade(kFive), kHeart(kKing)});
    t.Stock({kClub(kNine), kDiamond(1), kHeart(1)}); // two red threes on top
    t.engine.PlayerDraw();
    EXPECT_TRUE(t.S().hasDrawn);
    EXPECT_EQ(t.S().playerMelds.count, 2);
    EXPECT_EQ(t.S().playerHand.count, 3);
    EXPECT_EQ(t.S().stock.count, 0);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(t.S().playerMelds[i].x, t.G().ColumnX(kThreesColumn));
    }

    // A red three as the last stock card ends the drawing.
    Table u;
    u.S().hasDrawn = false;
    u.Hand({kSpade(kFive), kHeart(kKing)});
    u.Stock({kHeart(1)});
    u.engine.PlayerDraw();
    EXPECT_TRUE(u.S().hasDrawn);
    EXPECT_EQ(u.S().playerHand.count, 2);
    EXPECT_EQ(u.S().playerMelds.count, 1);

    // Without Draw Extra the red three is the drawn card.
    Table v;
    RuleSet rules;
    rules.drawExtra = false;
    v.engine.SetRules(rules);
    v.S().hasDrawn = false;
    v.Hand({kSpade(kFive), kHeart(kKing)});
    v.Stock({kClub(kNine), kHeart(1)});
    v.engine.PlayerDraw();
    EXPECT_TRUE(v.S().hasDrawn);
    EXPECT_EQ(v.S().playerHand.count, 2);
    EXPECT_EQ(v.S().stock.count, 1);
}

TEST_F(TurnTest, DiscardPassesTheTurnAndWildCardsFreezeThePile) {
    t.S().hasDrawn = true;
    t.S().mayTakePile = false;
    t.Hand({kSpade(kFive), kHeart(kTwo), kHeart(kKing)});
    t.OpponentHand({kClub(kSix)});
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
    EXPECT_TRUE(t.reporter.Contains("DISCARD " + std::to_string(kHeart(kTwo))));
    // Input is ignored while the opponent moves.
    t.engine.PlayerDraw();
    EXPECT_EQ(t.S().stock.count, 2);
    EXPECT_EQ(t.port.LastError(), 0);
}

TEST_F(TurnTest, DiscardBeforeDrawingAndInvalidTablesAreRefused) {
    t.Hand({kSpade(kFive), kHeart(kKing), kClub(kKing)});
    t.OpponentHand({kClub(kSix)});
    t.Stock({kClub(kNine), kDiamond(kTen)});
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
    t.S().hasDrawn = false;
    t.Melds({kSpade(kAce), kHeart(kAce), kClub(kAce)});
    t.Hand({kSpade(kFive)});
    t.OpponentHand({kClub(kSix)});
    t.Stock({kClub(kNine), kDiamond(kAce)});
    t.engine.PlayerDraw();
    ASSERT_EQ(t.S().playerHand.count, 2);
    EXPECT_FALSE(t.S().opponentToMove);
    t.engine.MeldOne(t.InHand(kDiamond(kAce)));
    // One card left, no Varenta, and the five cannot complete one: pass.
    ASSERT_EQ(t.port.messages.size(), 1u);
    EXPECT_EQ(t.port.messages[0].text, texts::kMustPass);
    EXPECT_TRUE(t.S().opponentToMove);
    EXPECT_FALSE(t.S().hasDrawn);
    EXPECT_TRUE(t.S().mayTakePile);
    EXPECT_EQ(t.S().playerHand.count, 1);
    EXPECT_TRUE(t.reporter.Contains("PASSDISCARD"));
    EXPECT_EQ(hook.turns, 1);
}

TEST_F(TurnTest, LastCardThatCompletesAVarentaDoesNotPass) {
    t.S().hasDrawn = true;
    t.Melds({kSpade(kQueen), kHeart(kQueen), kClub(kQueen), kDiamond(kQueen), kSpade(kQueen),
             kHeart(kQueen)});
    t.Hand({kClub(kQueen), kSpade(kKing), kSpade(kKing), kHeart(kKing)});
    t.OpponentHand({kClub(kSix)});
    t.Stock({kClub(kNine)});
    t.engine.MeldSeveral(t.InHand(kSpade(kKing)), MeldMode::Shift);
    EXPECT_EQ(t.S().playerHand.count, 1);
    EXPECT_TRUE(t.port.messages.empty());
    EXPECT_FALSE(t.S().opponentToMove);

    // Two Varentas needed and none held: the same position passes.
    Table u;
    RuleSet rules;
    rules.numberOfVarentas = 2;
    u.engine.SetRules(rules);
    u.Melds({kSpade(kQueen), kHeart(kQueen), kClub(kQueen), kDiamond(kQueen), kSpade(kQueen),
             kHeart(kQueen)});
    u.Hand({kClub(kQueen), kSpade(kKing), kSpade(kKing), kHeart(kKing)});
    u.OpponentHand({kClub(kSix)});
    u.Stock({kClub(kNine)});
    u.engine.MeldSeveral(u.InHand(kSpade(kKing)), MeldMode::Shift);
    ASSERT_EQ(u.port.messages.size(), 1u);
    EXPECT_EQ(u.port.messages[0].text, texts::kMustPass);
    EXPECT_TRUE(u.S().opponentToMove);
}

TEST_F(TurnTest, RedThreeDiscardFromTheTable) {
    RuleSet rules;
    rules.threeBlock = true;
    t.engine.SetRules(rules);
    t.Melds({kHeart(1)}, kThreesColumn);
    t.Hand({kSpade(kFive), kHeart(kKing)});
    t.OpponentHand({kClub(kSix)});
    t.Stock({kClub(kNine), kDiamond(kTen)});
    t.engine.PlayerDiscardRedThree(0);
    EXPECT_TRUE(t.S().opponentToMove);
    EXPECT_TRUE(t.S().pileFrozen);
    EXPECT_EQ(t.S().discardPile.Top().code, kHeart(1));
    EXPECT_EQ(t.S().playerMelds.count, 0);
    EXPECT_TRUE(t.reporter.Contains("DISCARDREDTHREE " + std::to_string(kHeart(1))));
    EXPECT_EQ(hook.turns, 1);
}

TEST_F(TurnTest, RedThreeDiscardIsValidatedLikeADiscard) {
    RuleSet rules;
    rules.threeBlock = true;
    t.engine.SetRules(rules);
    t.Melds({kHeart(1)}, kThreesColumn);
    t.Melds({kSpade(kQueen), kHeart(kQueen)});
    t.Hand({kSpade(kFive), kHeart(kKing)});
    t.OpponentHand({kClub(kSix)});
    t.Stock({kClub(kNine), kDiamond(kTen)});
    t.engine.PlayerDiscardRedThree(0);
    EXPECT_EQ(t.port.LastError(), texts::kErrorDiscardNotPossible);
    EXPECT_EQ(t.port.errors.back().reason, texts::kReasonColumnTooShort);
    EXPECT_FALSE(t.S().opponentToMove);
    EXPECT_EQ(t.S().playerMelds.count, 3);

    // ... and while the pile's top card is pending.
    Table u;
    u.engine.SetRules(rules);
    u.Melds({kHeart(1)}, kThreesColumn);
    u.Hand({kSpade(kFive), kHeart(kKing)});
    u.S().pileTopMustMeld = true;
    u.S().topCardPending = true;
    u.engine.PlayerDiscardRedThree(0);
    EXPECT_EQ(u.port.errors.back().reason, texts::kReasonTopCard);
    EXPECT_EQ(u.S().playerMelds.count, 1);

    // Without the rule a right click on a red three does nothing.
    Table v;
    v.Melds({kHeart(1)}, kThreesColumn);
    v.Hand({kSpade(kFive)});
    v.engine.PlayerDiscardRedThree(0);
    EXPECT_EQ(v.S().playerMelds.count, 1);
    EXPECT_FALSE(v.S().opponentToMove);
}

TEST_F(TurnTest, EmptyStockReusesThePileBottomFirst) {
    t.S().hasDrawn = true;
    t.Hand({kSpade(kFive), kHeart(kKing)});
    t.OpponentHand({kClub(kSix)});
    t.Pile({kClub(kNine), kDiamond(kTen)});
    t.S().pileFrozen = true;
    t.engine.PlayerDiscard(0);
    // The stock was empty: the pile (nine, ten, five) became the stock.
    EXPECT_TRUE(t.S().discardPile.Empty());
    ASSERT_EQ(t.S().stock.count, 3);
    EXPECT_FALSE(t.S().pileFrozen);
    EXPECT_EQ(t.S().stock.Top().code, kClub(kNine)); // the former bottom card is drawn first
    EXPECT_FALSE(t.S().stock.Top().faceUp);
    EXPECT_EQ(t.S().stock.Top().y, t.G().stockRow);
    EXPECT_EQ(t.S().restocksThisHand, 1);
    EXPECT_TRUE(t.port.handResults.empty());
}

TEST_F(TurnTest, EmptyStockWithoutReuseEndsTheHandForNobody) {
    RuleSet rules;
    rules.reuseDiscardPile = false;
    t.engine.SetRules(rules);
    t.S().hasDrawn = true;
    t.Hand({kSpade(kFive), kHeart(kKing)});
    t.OpponentHand({kClub(kSix)});
    t.Pile({kClub(kNine)});
    t.engine.PlayerDiscard(0);
    ASSERT_EQ(t.port.handResults.size(), 1u);
    EXPECT_EQ(t.port.handResults[0].wentOut, 2);
    EXPECT_EQ(t.port.handResults[0].player.finishBonus, 0);
    // The next hand was dealt.
    EXPECT_EQ(t.S().playerHand.count, 15);
}

TEST_F(TurnTest, AHandEndsAfterThePileWasReusedThreeTimes) {
    t.S().hasDrawn = true;
    t.Hand({kSpade(kFive), kSpade(kFive), kSpade(kFive), kSpade(kFive), kSpade(kFive)});
    t.OpponentHand({kClub(kSix)});
    t.Pile({kClub(kNine)});
    for (int round = 1; round <= 3; ++round) {
        t.engine.PlayerDiscard(0);
        ASSERT_TRUE(t.port.handResults.empty()) << round;
        ASSERT_EQ(t.S().restocksThisHand, round);
        // Everything drawn back out of the stock, as a cycling hand would.
        while (!t.S().stock.Empty()) {
            t.S().discardPile.Append(t.S().stock.PopTop());
        }
        t.S().opponentToMove = false;
        t.S().hasDrawn = true;
    }
    t.engine.PlayerDiscard(0);
    ASSERT_EQ(t.port.handResults.size(), 1u);
    EXPECT_EQ(t.port.handResults[0].wentOut, 2);
}

TEST_F(TurnTest, OpponentTurnBookkeeping) {
    t.Melds({kSpade(kQueen), kHeart(kQueen), kClub(kQueen)});
    t.OpponentHand({kClub(kSix), kClub(kSeven)});
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

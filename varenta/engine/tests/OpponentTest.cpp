#include <gtest/gtest.h>

#include "TestSupport.h"
#include "varenta/engine/Texts.h"

namespace varenta {
namespace {

using namespace varenta::testing;

TEST(OpponentSide, HandRowAddAndRemove) {
    Table t;
    t.OpponentHand({kSpade(kFive), kSpade(kSix), kSpade(kSeven)});
    t.engine.AddToOpponentHand(MakeCard(kHeart(kKing), 0), false);
    EXPECT_EQ(t.S().opponentHand[3].x, t.G().leftMargin + 3 * 10);
    EXPECT_EQ(t.S().opponentHand[3].y, 5);
    EXPECT_FALSE(t.S().opponentHand[3].faceUp);
    EXPECT_EQ(t.engine.RemoveFromOpponentHand(1).code, kSpade(kSix));
    EXPECT_EQ(t.S().opponentHand[1].x, t.G().leftMargin + 10);
    EXPECT_EQ(t.S().opponentHand[2].x, t.G().leftMargin + 20);
    // An index outside the hand is fatal.
    EXPECT_EQ(t.engine.RemoveFromOpponentHand(7).code, 0);
    EXPECT_EQ(t.port.messages.back().text, "Error removing card from computer's hand");
    EXPECT_TRUE(t.port.programEnded);
    EXPECT_EQ(t.S().opponentHand.count, 3);
}

TEST(OpponentSide, MeldsPointsAndVarentas) {
    Table t;
    t.OpponentHand({kSpade(kKing), kHeart(kKing), kClub(kKing), kDiamond(kKing), kJoker,
                    kSpade(kTwo), kHeart(kTwo), kSpade(kFive)});
    for (int i = 0; i < 4; ++i) {
        t.engine.MeldFromOpponentHand(0);
    }
    EXPECT_EQ(t.S().opponentMeldPoints, 40);
    EXPECT_EQ(t.S().opponentMelds[3].y, t.G().opponentMeldRow - 48); // stacked upward
    for (int i = 0; i < 3; ++i) {
        t.engine.OpponentMeldWildCard(0, 12);
    }
    EXPECT_EQ(t.S().opponentMeldPoints, 130);
    EXPECT_EQ(t.S().opponentVarentas.count, 1);
    EXPECT_EQ(t.S().opponentVarentas.kind[12], kMixedVarenta);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(t.S().opponentMelds[i].y, t.G().OpponentSquaredRow());
    }
    EXPECT_TRUE(t.port.sounds.empty());   // the Varenta sounds are the player's
    t.engine.OpponentMeldWildCard(0, 12); // a natural card is no wild card
    EXPECT_EQ(t.S().opponentHand.count, 1);
}

TEST(OpponentSide, DrawTakeDiscardAndPass) {
    Table t;
    t.OpponentHand({kSpade(kQueen), kClub(kQueen)});
    t.Stock({kSpade(kSix), kHeart(kThree)});
    EXPECT_TRUE(t.engine.DrawForOpponent());
    // The red three went to the melds at once, worth no meld points.
    EXPECT_EQ(t.S().opponentHand.count, 2);
    EXPECT_EQ(t.S().opponentMelds.count, 1);
    EXPECT_EQ(t.S().opponentMeldPoints, 0);

    t.S().pileFrozen = true;
    t.Pile({kDiamond(kThree), kHeart(kFive), kHeart(kQueen)});
    EXPECT_EQ(t.S().opponentHand[t.engine.OpponentTakePileTop()].code, kHeart(kQueen));
    t.engine.OpponentTakePileRest();
    EXPECT_FALSE(t.S().pileFrozen);
    EXPECT_TRUE(t.S().discardPile.Empty());
    EXPECT_EQ(t.S().opponentHand.count, 4);
    EXPECT_EQ(t.S().opponentMelds.count, 2);

    t.engine.OpponentDiscard(0);
    EXPECT_FALSE(t.S().pileFrozen);
    t.OpponentHand({kJoker});
    t.engine.OpponentDiscard(t.S().opponentHand.count - 1);
    EXPECT_TRUE(t.S().pileFrozen);
    EXPECT_EQ(t.S().discardPile.count, 2);

    t.S().pileFrozen = false;
    t.engine.OpponentDiscardRedThree(0);
    EXPECT_TRUE(t.S().pileFrozen);
    EXPECT_EQ(t.S().discardPile.Top().code, kHeart(kThree));
    EXPECT_EQ(t.S().opponentMelds.count, 1);

    t.engine.OpponentPassDiscard();
    EXPECT_EQ(t.port.messages.back().text, "The computer passes the discard.");
    t.engine.SetNetworkOpponent("Ann");
    t.engine.OpponentPassDiscard();
    EXPECT_EQ(t.port.messages.back().text, "Ann passes the discard.");
}

TEST(OpponentSide, GoingOutEndsTheHandAtTheEndOfItsTurn) {
    Table t;
    t.Hand({kSpade(kFive)});
    t.OpponentHand({kSpade(kFive)});
    t.OpponentMelds({kSpade(kKing), kHeart(kKing), kClub(kKing), kDiamond(kKing), kSpade(kKing),
                     kHeart(kKing), kClub(kKing)});
    t.Stock({kClub(kNine)});
    t.S().opponentVarentas.count = 1;
    t.S().opponentVarentas.kind[12] = kNaturalVarenta;
    t.engine.BeginOpponentTurn();
    t.engine.OpponentDiscard(0);
    EXPECT_FALSE(t.engine.FinishOpponentTurn());
    ASSERT_EQ(t.port.handResults.size(), 1u);
    EXPECT_EQ(t.port.handResults[0].wentOut, 1);
    EXPECT_EQ(t.port.handResults[0].opponent.total, 70 + 500 + 200); // went out concealed
}

TEST(Geometry, ChangingTheLayoutKeepsColumnsAndSteps) {
    Table t;
    t.Hand({kSpade(kFive), kHeart(kFive), kClub(kKing)});
    t.Melds({kSpade(kAce), kHeart(kAce), kClub(kAce)});
    t.OpponentMelds({kSpade(kNine), kHeart(kNine)});
    t.Stock({kClub(kNine)});
    const TableGeometry big = TableGeometry::ForLayout(2);
    t.engine.ChangeGeometry(big);
    EXPECT_EQ(t.S().playerHand[1].x, big.ColumnX(4));
    EXPECT_EQ(t.S().playerHand[1].y, big.handRow + 24);
    EXPECT_EQ(t.S().playerMelds[2].y, big.playerMeldRow + 36);
    EXPECT_EQ(t.S().playerMelds.columns[13].y, big.playerMeldRow + 36);
    EXPECT_EQ(t.S().opponentMelds[1].y, big.opponentMeldRow - 24);
    EXPECT_EQ(t.S().opponentMelds[1].x, big.ColumnX(8));
    EXPECT_EQ(t.S().stock[0].y, big.stockRow);
    EXPECT_EQ(t.engine.MeldColumnCount(Side::Player, 13), 3);
}

} // namespace
} // namespace varenta

#include <gtest/gtest.h>

#include "varenta/engine/CardPile.h"
#include "varenta/engine/Random.h"
#include "varenta/engine/TableGeometry.h"

namespace varenta {
namespace {

TEST(Cards, RankPointsAndNames) {
    struct Case {
        int code, rank, points;
    };
    // joker, ace of spades, black and red threes, twos, seven, eight, king.
    for (const Case& c : {Case{53, 0, 50},
                          {13, 13, 20},
                          {2, 2, 5},
                          {15, 2, 5},
                          {28, 2, 0},
                          {41, 2, 0},
                          {27, 1, 20},
                          {1, 1, 20},
                          {45, 6, 5},
                          {46, 7, 10},
                          {51, 12, 10},
                          {52, 13, 20}}) {
        EXPECT_EQ(CardRank(c.code), c.rank) << c.code;
        EXPECT_EQ(CardPoints(c.code), c.points) << c.code;
    }
    const CardNameResult ten = CardName(0, 8);
    EXPECT_EQ(ten.suitWord, "spade");
    EXPECT_EQ(ten.rankLetter, "10");
    EXPECT_EQ(ten.code, 9);
    EXPECT_EQ(CardName(3, 12).code, 52);
    EXPECT_EQ(CardName(1, 9).rankLetter, "b");
    EXPECT_EQ(CardName(4, 0).code, 0);
}

TEST(CardPile, FullPileRefusesAnotherCard) {
    CardPile pile;
    for (int i = 0; i < kDeckSize; ++i) {
        EXPECT_TRUE(pile.Append(MakeCard(i % 53 + 1, i / 54)));
    }
    EXPECT_FALSE(pile.Append(MakeCard(1, 0)));
    EXPECT_EQ(pile.count, kDeckSize);
    EXPECT_EQ(pile.RemoveAt(1).code, 2);
    EXPECT_EQ(pile[1].code, 3);
    EXPECT_EQ(pile.FindLastByCode(1), 105);
    CardPile empty;
    EXPECT_EQ(empty.PopTop().code, 0);
}

TEST(CardPile, RemovingFromAColumnClosesTheGap) {
    CardPile hand;
    hand.SetAnchors(3, 45, 200);
    for (int code : {11, 11, 11, 11, 11, 12}) {
        Card c = MakeCard(code, 0);
        hand.PlaceInColumn(c, true, false);
        hand.Append(c);
    }
    hand.RemoveAndUnplace(2, 11, true, false); // the middle of five queens
    EXPECT_EQ(hand[2].y, 236);
    EXPECT_EQ(hand[3].y, 248);
    EXPECT_EQ(hand[4].y, 212); // the king's column is untouched
    EXPECT_EQ(hand.columns[11].y, 248);

    // Upward piles close towards larger y; squared columns stay as they are.
    CardPile melds;
    melds.SetAnchors(3, 45, 100);
    for (int i = 0; i < 3; ++i) {
        Card c = MakeCard(5, 0);
        melds.PlaceInColumn(c, false, false);
        melds.Append(c);
    }
    melds.RemoveAndUnplace(0, 5, false, false);
    EXPECT_EQ(melds[0].y, 88);
    EXPECT_EQ(melds.columns[5].y, 76);
    melds.RemoveAndUnplace(0, 5, false, true);
    EXPECT_EQ(melds[0].y, 76);
}

TEST(TableGeometry, FourLayouts) {
    EXPECT_EQ(TableGeometry::ForLayout(0, 632).columnWidth, 45); // (632 - 588) / 14 + 42
    const TableGeometry g0 = TableGeometry::ForLayout(0);
    EXPECT_EQ(g0.middle, 202);
    EXPECT_EQ(g0.stockRow, 135);
    EXPECT_EQ(g0.discardRow, 204);
    EXPECT_EQ(g0.playerMeldRow, 196);
    EXPECT_EQ(g0.opponentMeldRow, 146);
    EXPECT_EQ(g0.handRow, 323);
    EXPECT_EQ(g0.PlayerSquaredRow(), 208);
    EXPECT_EQ(g0.OpponentSquaredRow(), 134);
    EXPECT_EQ(g0.ColumnOf(g0.ColumnX(7) + 20), 7);
    const TableGeometry g3 = TableGeometry::ForLayout(3);
    EXPECT_EQ(g3.cardHeight, 104); // the 1024 cards
    EXPECT_EQ(g3.columnWidth, 91);
    EXPECT_EQ(g3.handRow, 634); // middle 474 - 6 + 60 + 104 + 2
    EXPECT_EQ(TableGeometry::ForLayout(1).cardWidth, 53);
    EXPECT_STREQ(LayoutName(2), "1024x768");
}

TEST(RandomGenerator, SeedReplaysAndStaysInRange) {
    Random a(42);
    Random b(42);
    for (int i = 0; i < 5000; ++i) {
        const int x = a.Next(7);
        ASSERT_EQ(x, b.Next(7));
        ASSERT_TRUE(x >= 0 && x < 7);
        const double r = a.NextReal();
        ASSERT_TRUE(r >= 0.0 && r < 1.0);
        b.NextReal();
    }
}

} // namespace
} // namespace varenta

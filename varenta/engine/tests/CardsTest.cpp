#include <gtest/gtest.h>

#include "varenta/engine/Card.h"
#include "varenta/engine/CardPile.h"
#include "varenta/engine/Random.h"
#include "varenta/engine/TableGeometry.h"

namespace varenta {
namespace {

TEST(Cards, RankPointsAndNames) {
    EXPECT_EQ(CardRank(53), 0);
    EXPECT_EQ(CardRank(13), 13);
    EXPECT_EQ(CardRank(2), 2);
    EXPECT_EQ(CardRank(27), 1);
    EXPECT_EQ(CardRank(52), 13);
    EXPECT_EQ(CardPoints(28), 0);
    EXPECT_EQ(CardPoints(41), 0);
    EXPECT_EQ(CardPoints(2), 5);
    EXPECT_EQ(CardPoints(15), 5);
    for (int suit = 0; suit < 4; ++suit) {
        EXPECT_EQ(CardPoints(suit * 13 + 1), 20) << "two";
        EXPECT_EQ(CardPoints(suit * 13 + 13), 20) << "ace";
        EXPECT_EQ(CardPoints(suit * 13 + 3), 5) << "four";
        EXPECT_EQ(CardPoints(suit * 13 + 6), 5) << "seven";
        EXPECT_EQ(CardPoints(suit * 13 + 7), 10) << "eight";
        EXPECT_EQ(CardPoints(suit * 13 + 12), 10) << "king";
    }
    EXPECT_EQ(CardPoints(53), 50);

    const CardNameResult tenOfSpades = CardName(0, 8);
    EXPECT_EQ(tenOfSpades.suitWord, "spade");
    EXPECT_EQ(tenOfSpades.rankLetter, "10");
    EXPECT_EQ(tenOfSpades.code, 9);
    const CardNameResult aceOfHearts = CardName(3, 12);
    EXPECT_EQ(aceOfHearts.suitWord, "heart");
    EXPECT_EQ(aceOfHearts.rankLetter, "a");
    EXPECT_EQ(aceOfHearts.code, 52);
    EXPECT_EQ(CardName(1, 9).rankLetter, "b");
    EXPECT_EQ(CardName(2, 10).rankLetter, "v");
    EXPECT_EQ(CardName(2, 11).rankLetter, "h");
    EXPECT_EQ(CardName(4, 0).code, 0);
}

TEST(CardPile, FullPileRefusesAndOrderIsKept) {
    CardPile pile;
    for (int i = 0; i < kDeckSize; ++i) {
        EXPECT_TRUE(pile.Append(MakeCard(i % 53 + 1, i / 54)));
    }
    EXPECT_FALSE(pile.Append(MakeCard(1, 0)));
    EXPECT_EQ(pile.count, kDeckSize);
    EXPECT_EQ(pile.PopTop().code, (kDeckSize - 1) % 53 + 1);
    const Card removed = pile.RemoveAt(1);
    EXPECT_EQ(removed.code, 2);
    EXPECT_EQ(pile[1].code, 3);
    EXPECT_EQ(pile.FindByCode(53), 51); // moved down one place
    EXPECT_EQ(pile.FindLastByCode(1), 105);
}

TEST(CardPile, RemovingFromAColumnClosesTheGap) {
    CardPile hand;
    hand.SetAnchors(3, 45, 200);
    for (int i = 0; i < 5; ++i) {
        Card c = MakeCard(11, i % 2); // queens of spades
        hand.PlaceInColumn(c, true, false);
        hand.Append(c);
    }
    Card other = MakeCard(12, 0);
    hand.PlaceInColumn(other, true, false);
    hand.Append(other);
    ASSERT_EQ(hand[2].y, 236);
    hand.RemoveAndUnplace(2, 11, true, false);
    EXPECT_EQ(hand.count, 5);
    EXPECT_EQ(hand[0].y, 212);
    EXPECT_EQ(hand[1].y, 224);
    EXPECT_EQ(hand[2].y, 236); // moved up from 248
    EXPECT_EQ(hand[3].y, 248);
    EXPECT_EQ(hand[4].y, 212); // another column is untouched
    EXPECT_EQ(hand.columns[11].y, 248);

    // Upward piles close towards larger y; squared columns stay put.
    CardPile melds;
    melds.SetAnchors(3, 45, 100);
    for (int i = 0; i < 3; ++i) {
        Card c = MakeCard(5, 0);
        melds.PlaceInColumn(c, false, false);
        melds.Append(c);
    }
    melds.RemoveAndUnplace(0, 5, false, false);
    EXPECT_EQ(melds[0].y, 88);
    EXPECT_EQ(melds[1].y, 76);
    EXPECT_EQ(melds.columns[5].y, 76);
    melds.RemoveAndUnplace(0, 5, false, true);
    EXPECT_EQ(melds[0].y, 76);
    EXPECT_EQ(melds.columns[5].y, 76);
}

TEST(TableGeometry, FourLayouts) {
    const TableGeometry narrow = TableGeometry::ForLayout(0, 632);
    EXPECT_EQ(narrow.columnWidth, 45); // (632 - 588) / 14 + 42
    const TableGeometry g0 = TableGeometry::ForLayout(0);
    EXPECT_EQ(g0.columnWidth, 45); // (640 - 588) / 14 + 42
    EXPECT_EQ(g0.middle, 202);
    EXPECT_EQ(g0.stockRow, 202 - 65 - 2);
    EXPECT_EQ(g0.discardRow, 204);
    EXPECT_EQ(g0.playerMeldRow, 196);
    EXPECT_EQ(g0.opponentMeldRow, 202 - 65 + 9);
    EXPECT_EQ(g0.handRow, 196 + 60 + 65 + 2);
    EXPECT_EQ(g0.ColumnX(13), 3 + 13 * 45);
    EXPECT_EQ(g0.ColumnOf(g0.ColumnX(7)), 7);
    const TableGeometry g3 = TableGeometry::ForLayout(3);
    EXPECT_EQ(g3.cardWidth, 67);
    EXPECT_EQ(g3.cardHeight, 104);
    EXPECT_EQ(g3.columnWidth, (1280 - 14 * 67) / 14 + 67);
    EXPECT_EQ(g3.middle, 1024 / 2 - 38);
    EXPECT_EQ(TableGeometry::ForLayout(1).cardWidth, 53);
    EXPECT_EQ(std::string(LayoutName(2)), "1024x768");
}

TEST(RandomGenerator, SeedReplaysAndStaysInRange) {
    Random a(42);
    Random b(42);
    int seen[7] = {};
    for (int i = 0; i < 7000; ++i) {
        const int x = a.Next(7);
        ASSERT_EQ(x, b.Next(7));
        ASSERT_GE(x, 0);
        ASSERT_LT(x, 7);
        ++seen[x];
    }
    for (int n : seen) {
        EXPECT_GT(n, 800);
    }
    for (int i = 0; i < 1000; ++i) {
        const double r = a.NextReal();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
    }
    EXPECT_EQ(a.Next(0), 0);
}

} // namespace
} // namespace varenta

#include <gtest/gtest.h>

#include "varenta/engine/CardPile.h"
#include "varenta/engine/TableGeometry.h"

#include <vector>

namespace varenta {
namespace {

TEST(Cards, RankPointsAndNames) {
    // code, rank, points: joker, ace, black and red threes, twos, seven, eight, king.
    const int cases[][3] = {{53, 0, 50}, {13, 13, 20}, {2, 2, 5},    {15, 2, 5},
                            {28, 2, 0},  {41, 2, 0},   {27, 1, 20},  {1, 1, 20},
                            {45, 6, 5},  {46, 7, 10},  {51, 12, 10}, {52, 13, 20}};
    for (const auto& c : cases) {
        EXPECT_EQ(CardRank(c[0]), c[1]) << c[0];
        EXPECT_EQ(CardPoints(c[0]), c[2]) << c[0];
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

} // namespace
} // namespace varenta

namespace varenta {
namespace {

TEST(ColumnFinder, AgreesWithTheDivisionAtEveryLimit) {
    // Widths: the smallest, the layouts' own, the last with a reciprocal and
    // the first divided again. Distances: both sides of each column border,
    // left of the margin, and both sides of the reciprocal's range.
    for (const int width : {1, 2, 3, 45, 47, 60, 67, 65535, 65536, 1 << 20}) {
        TableGeometry g = TableGeometry::ForLayout(0);
        g.columnWidth = width;
        const ColumnFinder columnOf(g);
        std::vector<int> xs = {g.leftMargin - 1,
                               g.leftMargin - width - 1,
                               -1000000,
                               g.leftMargin + (1 << 24) - 1,
                               g.leftMargin + (1 << 24),
                               2000000000};
        for (int column = 0; column <= 14; ++column) {
            const int border = g.ColumnX(column);
            xs.insert(xs.end(), {border - 1, border, border + 1});
        }
        for (int x : xs) {
            EXPECT_EQ(columnOf(x), g.ColumnOf(x)) << "width " << width << ", x " << x;
        }
    }
}

TEST(CardPile, ACopyHoldsTheSameCardsAndAnchors) {
    CardPile full;
    for (int i = 0; i < kDeckSize; ++i) {
        full.Append(MakeCard(i % 53 + 1, i / 54));
    }
    CardPile small;
    small.Append(MakeCard(7, 1));
    small.SetAnchors(3, 45, 100);
    CardPile target = full; // a copy over a fuller pile
    target = small;
    EXPECT_EQ(target.count, 1);
    EXPECT_EQ(target[0], small[0]);
    EXPECT_EQ(target.columns, small.columns);
    target = full;
    EXPECT_EQ(target.count, kDeckSize);
    EXPECT_EQ(target.Top(), full.Top());
    const CardPile& same = target;
    target = same; // onto itself
    EXPECT_EQ(target.count, kDeckSize);
    EXPECT_EQ(target[5], full[5]);
}

} // namespace
} // namespace varenta

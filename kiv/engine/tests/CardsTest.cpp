#include "kiv/engine/CZelvioDoc.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kiv {
namespace {

TEST(Cards, NumberGivesSuitRankAndPoints) {
    EXPECT_EQ((std::array{SuitOfCard(5), RankOfCard(5), PointsOfCard(5)}),
              (std::array{int{kKaro}, int{kBube}, 20}));
    EXPECT_EQ((std::array{SuitOfCard(17), RankOfCard(17), PointsOfCard(17)}),
              (std::array{int{kPik}, int{kSieben}, 0}));
    EXPECT_EQ((std::array{SuitOfCard(32), RankOfCard(32), PointsOfCard(32)}),
              (std::array{int{kKreuz}, int{kAs}, 11}));
    for (int n = 1; n <= kCardCount; ++n) {
        EXPECT_EQ(CardNumber(SuitOfCard(n), RankOfCard(n)), n);
    }
    EXPECT_EQ(BackBitmapId(7), 130);
}

TEST(Cards, FreshGeneratorGives41AndSoPosition10OfAFullStock) {
    KivRandom random;
    EXPECT_EQ(random.Next(), 41);
    CardPile pile;
    for (int n = 1; n <= 32; ++n) {
        pile.Push(n);
    }
    KivRandom fresh;
    EXPECT_EQ(pile.TakeRandom(fresh), 10);
    // A single card is taken without consulting the generator.
    CardPile one;
    one.Push(12);
    EXPECT_EQ(one.TakeRandom(fresh), 12);
    EXPECT_EQ(one.TakeRandom(fresh), -1);
    EXPECT_EQ(fresh.Next(), 18467); // still the sequence's second value
}

TEST(Cards, HandsStaySortedAndMisuseThrows) {
    Hand hand;
    for (int n : {20, 3, 31, 9}) {
        hand.Add(n);
    }
    EXPECT_EQ(std::vector<int>(hand.begin(), hand.end()), (std::vector<int>{3, 9, 20, 31}));
    EXPECT_THROW(hand.Remove(5), std::logic_error);
    EXPECT_THROW(hand.At(4), std::out_of_range);
    CardPile pile;
    EXPECT_EQ(pile.Top(), -1);
    EXPECT_EQ(pile.RemoveNumber(30), -1);
}

} // namespace
} // namespace kiv

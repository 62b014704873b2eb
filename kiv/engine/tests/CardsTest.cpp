#include "kiv/engine/CZelvioDoc.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kiv {
namespace {

TEST(Cards, NumbersGiveSuitRankAndPoints) {
    EXPECT_EQ(SuitOfCard(5), kKaro);
    EXPECT_EQ(RankOfCard(5), kBube);
    EXPECT_EQ(PointsOfCard(5), 20);
    EXPECT_EQ(SuitOfCard(17), kPik);
    EXPECT_EQ(RankOfCard(17), kSieben);
    EXPECT_EQ(PointsOfCard(17), 0);
    EXPECT_EQ(SuitOfCard(32), kKreuz);
    EXPECT_EQ(RankOfCard(32), kAs);
    EXPECT_EQ(PointsOfCard(32), 11);
    EXPECT_EQ(SuitOfCard(9), kHerz);
    EXPECT_EQ(PointsOfCard(CardNumber(kHerz, kDame)), 3);
    EXPECT_EQ(PointsOfCard(CardNumber(kPik, kKoenig)), 4);
    for (int n = 1; n <= kCardCount; ++n) {
        EXPECT_EQ(CardNumber(SuitOfCard(n), RankOfCard(n)), n);
    }
    EXPECT_EQ(CardNumber(kKaro, 5), 0);
}

TEST(Cards, BitmapIds) {
    EXPECT_EQ(FaceBitmapId(1), 137);
    EXPECT_EQ(FaceBitmapId(32), 168);
    EXPECT_EQ(FaceBitmapId(0), 184);
    EXPECT_EQ(BackBitmapId(1), 130);
    EXPECT_EQ(BackBitmapId(2), 196);
    EXPECT_EQ(BackBitmapId(4), 198);
    EXPECT_EQ(BackBitmapId(7), 130);
    EXPECT_EQ(BackBitmapId(0), 130);
}

TEST(Random, FreshGeneratorStartsWith41AndPicksPosition10OutOf32) {
    KivRandom random;
    EXPECT_EQ(random.Next(), 41);
    CardPile pile;
    for (int n = 1; n <= 32; ++n) {
        pile.Push(n);
    }
    KivRandom fresh;
    EXPECT_EQ(pile.TakeRandom(fresh), 10);
    EXPECT_EQ(pile.Count(), 31);
}

TEST(Random, SingleCardIsTakenWithoutConsultingTheGenerator) {
    CardPile pile;
    pile.Push(12);
    KivRandom random;
    EXPECT_EQ(pile.TakeRandom(random), 12);
    EXPECT_EQ(random.State(), 1u);
    EXPECT_EQ(pile.TakeRandom(random), -1);
    EXPECT_EQ(random.State(), 1u);
}

TEST(CardListTest, HandKeepsAscendingOrder) {
    Hand hand;
    for (int n : {20, 3, 31, 9}) {
        hand.Add(n);
    }
    ASSERT_EQ(hand.Count(), 4);
    EXPECT_EQ(hand.At(0), 3);
    EXPECT_EQ(hand.At(1), 9);
    EXPECT_EQ(hand.At(2), 20);
    EXPECT_EQ(hand.At(3), 31);
    hand.Remove(9);
    EXPECT_EQ(hand.PositionOf(20), 1);
    EXPECT_EQ(hand.PositionOf(9), -1);
}

TEST(CardListTest, ProgrammingErrorsThrowButPileAnswersMinusOne) {
    Hand hand;
    hand.Add(4);
    EXPECT_THROW(hand.At(1), std::out_of_range);
    EXPECT_THROW(hand.Remove(5), std::logic_error);
    CardPile pile;
    EXPECT_EQ(pile.Top(), -1);
    pile.Push(7);
    pile.Push(2);
    EXPECT_EQ(pile.Top(), 2);
    EXPECT_EQ(pile.RemoveNumber(30), -1);
    EXPECT_EQ(pile.RemoveNumber(7), 7);
    EXPECT_EQ(pile.Count(), 1);
}

TEST(CardListTest, PileAndCardHitTestsIncludeEdges) {
    CardPile pile;
    pile.x = 919;
    pile.y = 438;
    EXPECT_TRUE(pile.HitTest(919, 438));
    EXPECT_TRUE(pile.HitTest(990, 534));
    EXPECT_FALSE(pile.HitTest(991, 534));
    EXPECT_FALSE(pile.HitTest(918, 500));
    PlayingCard card;
    card.PlaceAt(100, 10);
    card.covered = true;
    EXPECT_TRUE(card.Hit(118, 106));
    EXPECT_FALSE(card.Hit(119, 50));
    card.covered = false;
    EXPECT_TRUE(card.Hit(171, 50));
}

TEST(Document, DefaultsOfSeatsAndSettings) {
    CZelvioDoc doc;
    EXPECT_EQ(doc.seats[0].name, "Peter");
    EXPECT_EQ(doc.seats[3].name, "Linda");
    EXPECT_FALSE(doc.seats[0].computer);
    EXPECT_TRUE(doc.seats[2].computer);
    EXPECT_EQ(doc.seats[2].handY, 210);
    EXPECT_EQ(doc.seats[1].handX, 100);
    EXPECT_EQ(doc.pointsToWin, 200);
    EXPECT_EQ(doc.cardsPerPlayer, 5);
    EXPECT_EQ(doc.computerDelay, 400);
    EXPECT_EQ(doc.cardSpeed, 40);
    EXPECT_FALSE(doc.ruleLayAfterDraw);
    EXPECT_TRUE(doc.ruleEightOnEight);
    EXPECT_TRUE(doc.ruleJackAlways);
    EXPECT_TRUE(doc.ruleAnyOnFirstJack);
    EXPECT_FALSE(doc.ruleEndOnFirstOut);
    EXPECT_EQ(doc.backgroundColor, 32768u);
    EXPECT_EQ(doc.midiFile, "gailrdge.mid");
    EXPECT_EQ(doc.cards[5].points, 20);
    EXPECT_EQ(CZelvioDoc(5000).TextId(text::kReady), 5090);
    EXPECT_STREQ(WaveName(Wave::Jiberish), "Jiberish.wav");
    EXPECT_STREQ(WaveName(Wave::Zurueck), "zurueck.wav");
}

} // namespace
} // namespace kiv

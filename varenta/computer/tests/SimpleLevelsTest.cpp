// The Advanced and Beginner levels on staged positions.

#include <gtest/gtest.h>

#include "varenta/computer/AdvancedPlayer.h"
#include "varenta/computer/BeginnerPlayer.h"
#include "varenta/computer/tests/Stage.h"

namespace varenta::testing {
namespace {

// A small pile with a king on top; the computer has melded queens.
struct SmallPileStage : Stage {
    SmallPileStage() {
        Melds({Code(kSpade, kQueen), Code(kClub, kQueen), Code(kDiamond, kQueen)});
        PileFiller(3);
        Pile({Code(kHeart, kKing)});
        HumanHandSize(10);
        StockFiller(40);
    }
};

TEST(AdvTakePile, SmallPileOnlyWithANaturalPairOfTheTopCard) {
    for (int seed = 1; seed <= 10; ++seed) {
        SmallPileStage pair;
        pair.Hand(
            {Code(kClub, kKing), Code(kDiamond, kKing), Code(kSpade, kFour), Code(kSpade, kNine)});
        pair.engine.Rng().Seed(static_cast<std::uint64_t>(seed));
        AdvancedPlayer p(pair.engine, pair.settings, pair.advanced);
        p.need = 50;
        EXPECT_TRUE(p.AdvTakePile());

        SmallPileStage meld; // a king meld but no king in the hand
        meld.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
        meld.Hand({Code(kSpade, kFour), Code(kSpade, kNine), Code(kSpade, kJack)});
        meld.engine.Rng().Seed(static_cast<std::uint64_t>(seed));
        AdvancedPlayer q(meld.engine, meld.settings, meld.advanced);
        q.need = 50;
        EXPECT_FALSE(q.AdvTakePile());
    }
}

TEST(AdvMeldCheck, PairsAreAllowedOnlyForHigherMinimums) {
    Stage t;
    t.Hand({Code(kSpade, kAce), Code(kClub, kAce), kJoker, Code(kSpade, kFour), Code(kSpade, kFive),
            Code(kSpade, kSix), Code(kSpade, kSeven), Code(kSpade, kEight), Code(kSpade, kNine),
            Code(kSpade, kTen)});
    AdvancedPlayer p(t.engine, t.settings, t.advanced);
    p.RefreshTallies();
    p.need = 50;
    MeldCheckResult r = p.AdvMeldCheck();
    EXPECT_EQ(r.pairs, 1);
    EXPECT_FALSE(r.ok);
    p.need = 90;
    r = p.AdvMeldCheck();
    EXPECT_TRUE(r.ok);
}

TEST(AdvVarentaPlan, LowestQualifyingRankWins) {
    Stage t;
    t.Hand({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce), Code(kHeart, kAce),
            Code(kSpade, kNine), Code(kClub, kNine), Code(kDiamond, kNine), Code(kHeart, kNine),
            kJoker, kJoker, kTwoCode});
    AdvancedPlayer p(t.engine, t.settings, t.advanced);
    p.RefreshTallies();
    p.need = 50;
    EXPECT_EQ(p.AdvVarentaPlan(), kNine);
    p.need = 200; // aces with two jokers reach 200; the nines then have only twos
    EXPECT_EQ(p.AdvVarentaPlan(), kAce);
}

TEST(AdvChooseDiscard, BigPileBlackThreeFirstThenSinglesTheHumanDoesNotMeld) {
    Stage t;
    t.Hand({Code(kSpade, kFour), kBlackThree, Code(kSpade, kNine)});
    t.PileFiller(6);
    AdvancedPlayer p(t.engine, t.settings, t.advanced);
    EXPECT_EQ(p.AdvChooseDiscard().handIndex, 1);

    Stage u;
    u.Hand({Code(kSpade, kFour), Code(kClub, kFour), Code(kSpade, kNine), Code(kSpade, kKing),
            Code(kClub, kKing)});
    u.HumanMelds({Code(kSpade, kNine), Code(kClub, kNine), Code(kDiamond, kNine)});
    u.PileFiller(6);
    AdvancedPlayer q(u.engine, u.settings, u.advanced);
    // The nine is single but the human melds nines; the pairs are next, the
    // lowest of the fewest.
    EXPECT_EQ(u.St().opponentHand[q.AdvChooseDiscard().handIndex].rank, kFour);
}

TEST(AdvChooseDiscard, SmallPileNeverCompletesTheHumansSixCardMeld) {
    for (int seed = 1; seed <= 10; ++seed) {
        Stage t;
        t.Hand({Code(kSpade, kFive), Code(kSpade, kKing)});
        t.HumanMelds({Code(kSpade, kFive), Code(kClub, kFive), Code(kDiamond, kFive),
                      Code(kHeart, kFive), Code(kSpade, kFive), Code(kClub, kFive)});
        t.Pile({Code(kSpade, kSix)});
        t.engine.Rng().Seed(static_cast<std::uint64_t>(seed));
        AdvancedPlayer p(t.engine, t.settings, t.advanced);
        const DiscardChoice c = p.AdvChooseDiscard();
        EXPECT_EQ(t.St().opponentHand[c.handIndex].rank, kKing);
    }
}

TEST(BegTakePile, ExtendsOnlyForASevenCardTargetUnlessItHasItsVarentas) {
    SmallPileStage t;
    t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
    t.Hand({Code(kSpade, kFour), Code(kSpade, kNine), Code(kSpade, kJack)});
    BeginnerPlayer p(t.engine, t.settings);
    p.need = 50;
    EXPECT_FALSE(p.BegTakePile());

    SmallPileStage u; // three wild cards bring the kings to seven
    u.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
    u.Pile({Code(kClub, kKing)});
    u.Hand({Code(kSpade, kFour), kJoker, kTwoCode, Code(kClub, kTwo)});
    BeginnerPlayer q(u.engine, u.settings);
    q.need = 50;
    EXPECT_TRUE(q.BegTakePile());

    SmallPileStage v; // with its Varenta it takes for a group of three
    v.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce), Code(kHeart, kAce),
             Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
    v.Hand({Code(kClub, kKing), Code(kDiamond, kKing), Code(kSpade, kFour)});
    BeginnerPlayer r(v.engine, v.settings);
    r.need = 50;
    EXPECT_TRUE(r.BegTakePile());
}

TEST(BegLayOutWilds, LeavesExactlyOneCard) {
    {
        Stage t; // pair plus two wild cards: one wild card is kept to discard
        t.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce), Code(kHeart, kAce),
                 Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
        t.Hand({Code(kSpade, kNine), Code(kClub, kNine), kJoker, kTwoCode});
        BeginnerPlayer p(t.engine, t.settings);
        p.BegLayOutWilds();
        EXPECT_EQ(t.St().opponentHand.Size(), 1);
        EXPECT_EQ(t.MeldColumn(kNine), 3);
    }
    {
        Stage t; // the odd five is kept, the spare wild card is laid
        t.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce), Code(kHeart, kAce),
                 Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
        t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
        t.Hand({Code(kSpade, kNine), Code(kClub, kNine), kJoker, kTwoCode, Code(kSpade, kFive)});
        BeginnerPlayer p(t.engine, t.settings);
        p.BegLayOutWilds();
        ASSERT_EQ(t.St().opponentHand.Size(), 1);
        EXPECT_EQ(t.St().opponentHand[0].rank, kFive);
    }
}

TEST(BegChooseDiscard, FreezesBeforeTheHumanCompletesAVarenta) {
    Stage t;
    RuleSet open;
    open.initialBlock = false;
    t.SetRules(open);
    t.Hand({Code(kSpade, kKing), kJoker, kTwoCode, Code(kSpade, kFive)});
    t.HumanMelds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing),
                  Code(kHeart, kKing), Code(kSpade, kKing)});
    BeginnerPlayer p(t.engine, t.settings);
    const DiscardChoice c = p.BegChooseDiscard();
    EXPECT_EQ(t.St().opponentHand[c.handIndex].rank, 1) << "a two before a joker";
}

TEST(BegChooseDiscard, SinglesFirstAndBlackThreesInsteadOfPairs) {
    Stage t;
    t.Hand({Code(kSpade, kNine), Code(kClub, kNine), Code(kSpade, kKing)});
    t.HumanMelds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
    BeginnerPlayer p(t.engine, t.settings);
    // The king is single but the human melds kings (3 cards): within the
    // widened limit it is still the only single.
    EXPECT_EQ(t.St().opponentHand[p.BegChooseDiscard().handIndex].rank, kKing);

    Stage u;
    u.Hand({Code(kSpade, kNine), Code(kClub, kNine), kBlackThree});
    BeginnerPlayer q(u.engine, u.settings);
    EXPECT_EQ(q.BegChooseDiscard().handIndex, 2) << "a pair is kept, the black three goes";
}

} // namespace
} // namespace varenta::testing

// The limits of the Advanced and Beginner levels' melding phase: going out,
// laying naturals late in the hand, holding black threes.

#include <gtest/gtest.h>

#include "varenta/computer/AdvancedPlayer.h"
#include "varenta/computer/BeginnerPlayer.h"
#include "varenta/computer/tests/Stage.h"

namespace varenta::testing {
namespace {

void KingVarenta(Stage& t) {
    t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), Code(kHeart, kKing),
             Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
}

TEST(Limits, AdvGoesOutUnlessTheHumanIsFarFromIt) {
    // With its Varenta, a pair of fives and a joker: going out lays them.
    struct Case {
        const char* what;
        int humanHand, humanMelds;
        int fives; // in the meld afterwards
    };
    const Case cases[] = {
        {"30 human cards: it stays", 20, 10, 0},
        {"31 human cards: it goes out", 20, 11, 3},
        {"a human of four cards: it goes out", 4, 26, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        KingVarenta(t);
        t.Hand({Code(kSpade, kFive), Code(kClub, kFive), kJoker, Code(kSpade, kNine)});
        t.HumanHandSize(c.humanHand);
        for (int i = 0; i < c.humanMelds; ++i) {
            t.HumanMelds({Code(kHeart, kSix)});
        }
        t.engine.Rng().Seed(1);
        AdvancedPlayer p(t.engine, t.settings, t.advanced);
        p.MeldWithinTheRules();
        EXPECT_EQ(t.MeldColumn(kFive), c.fives);
    }
}

TEST(Limits, AdvLaysNaturalsWhenTheHumanIsAboutToGoOut) {
    // The human has the needed Varenta; the computer, without one, lays its
    // ace onto its meld when the human holds fewer than seven cards.
    struct Case {
        int humanHand;
        bool varentaRequired;
        int aces;
    };
    const Case cases[] = {{6, false, 4}, {7, false, 3}, {6, true, 3}};
    for (const Case& c : cases) {
        Stage t;
        RuleSet rules;
        rules.varentaRequired = c.varentaRequired;
        t.SetRules(rules);
        t.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
        t.Hand({Code(kHeart, kAce), Code(kSpade, kFour), Code(kSpade, kFive), Code(kSpade, kSix),
                Code(kSpade, kSeven), Code(kSpade, kEight), Code(kSpade, kNine),
                Code(kSpade, kJack)});
        for (int i = 0; i < 7; ++i) {
            t.HumanMelds({Code(i % 4, kFour)});
        }
        t.HumanHandSize(c.humanHand);
        AdvancedPlayer p(t.engine, t.settings, t.advanced);
        p.need = 50;
        p.MeldWithinTheRules();
        EXPECT_EQ(t.MeldColumn(kAce), c.aces) << c.humanHand << " " << c.varentaRequired;
    }
}

TEST(Limits, AdvHoldsBlackThreesWithTwentyOneCardsOnTheTable) {
    for (const auto& [queens, hold] : std::vector<std::pair<int, bool>>{{6, false}, {7, true}}) {
        Stage t;
        KingVarenta(t);
        t.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce), Code(kHeart, kAce),
                 Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
        for (int i = 0; i < queens; ++i) {
            t.Melds({Code(i % 4, kQueen)}, kQueen);
        }
        t.Hand({kBlackThree, Code(kSpade, kFour), Code(kSpade, kSix), Code(kSpade, kEight)});
        t.HumanHandSize(20);
        t.engine.Rng().Seed(1);
        AdvancedPlayer p(t.engine, t.settings, t.advanced);
        p.MeldWithinTheRules();
        EXPECT_EQ(t.advanced.holdThrees, hold) << queens;
    }
}

TEST(Limits, BegMeldNaturalsKeepsOneWhenTheBudgetRunsOutExactly) {
    struct Case {
        int queens;
        bool queenMeld;
        int queensAfter;
    };
    const Case cases[] = {
        {4, false, 3}, // three laid, one kept
        {3, false, 0}, // two alone are no meld
        {3, true, 5},  // onto the meld, one kept
    };
    for (const Case& c : cases) {
        Stage t;
        KingVarenta(t);
        if (c.queenMeld) {
            t.Melds({Code(kSpade, kQueen), Code(kClub, kQueen), Code(kDiamond, kQueen)});
        }
        for (int i = 0; i < c.queens; ++i) {
            t.Hand({Code(kHeart, kQueen)});
        }
        BeginnerPlayer p(t.engine, t.settings);
        p.BegMeldNaturals();
        EXPECT_EQ(t.MeldColumn(kQueen), c.queensAfter) << c.queens << " " << c.queenMeld;
    }
}

} // namespace
} // namespace varenta::testing

// The Expert's first melds (how far it lays its groups, the rest of them and
// its pairs before the minimum is reached) and the first rules of its discard.

#include <gtest/gtest.h>

#include "varenta/computer/ExpertPlayer.h"
#include "varenta/computer/tests/Stage.h"

namespace varenta::testing {
namespace {

TEST(ExpertLimits, InitialMeldsStopAtTheMinimum) {
    // Four aces (20 each) and three fours (5 each): three aces first, then
    // the fours, then the fourth ace.
    struct Case {
        int need, aces, fours;
    };
    const Case cases[] = {{60, 3, 0}, {61, 3, 3}, {75, 3, 3}, {76, 4, 3}, {200, 4, 3}};
    for (const Case& c : cases) {
        Stage t;
        t.Hand({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce), Code(kHeart, kAce),
                Code(kSpade, kFour), Code(kClub, kFour), Code(kDiamond, kFour), Code(kSpade, kSix),
                Code(kSpade, kEight), Code(kSpade, kTen)});
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.initialMeldNeed = c.need;
        p.InitialMelds();
        EXPECT_EQ(t.MeldColumn(kAce), c.aces) << c.need;
        EXPECT_EQ(t.MeldColumn(kFour), c.fours) << c.need;
    }
}

TEST(ExpertLimits, InitialMeldsLayAsManyPairsAsThePlanSpends) {
    // Pairs of kings and queens with two jokers, under the pairs' plan; a
    // joker the plan leaves over goes on the meld laid.
    struct Case {
        int planWilds, kings, queens;
    };
    const Case cases[] = {{0, 0, 0}, {1, 4, 0}, {2, 3, 3}};
    for (const Case& c : cases) {
        Stage t;
        t.Hand({Code(kSpade, kKing), Code(kClub, kKing), Code(kSpade, kQueen), Code(kClub, kQueen),
                kJoker, kJoker, Code(kSpade, kSix), Code(kSpade, kEight), Code(kSpade, kTen)});
        t.expert.meldPlan = 2;
        t.expert.planWilds = c.planWilds;
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.initialMeldNeed = 200;
        p.InitialMelds();
        EXPECT_EQ(t.MeldColumn(kKing), c.kings) << c.planWilds;
        EXPECT_EQ(t.MeldColumn(kQueen), c.queens) << c.planWilds;
    }
}

bool ThrowsAJoker(Stage& t) {
    ExpertPlayer p(t.engine, t.settings, t.expert);
    p.initialMeldNeed = 50;
    p.RefreshTallies();
    const DiscardChoice c = p.ExpertChooseDiscard();
    return c.handIndex >= 0 && t.St().opponentHand[c.handIndex].rank == 0;
}

TEST(ExpertLimits, DiscardsAWildCardBeyondTwoPerVarentaAndTwo) {
    struct Case {
        int needed, jokers;
        bool thrown;
    };
    const Case cases[] = {{1, 4, false}, {1, 5, true}, {2, 6, false}, {2, 7, true}};
    for (const Case& c : cases) {
        Stage t;
        RuleSet rules;
        rules.numberOfVarentas = c.needed;
        t.SetRules(rules);
        for (int i = 0; i < c.jokers; ++i) {
            t.Hand({kJoker});
        }
        t.Hand({Code(kSpade, kFour), Code(kSpade, kSix), Code(kSpade, kNine)});
        EXPECT_EQ(ThrowsAJoker(t), c.thrown) << c.needed << " " << c.jokers;
    }
}

TEST(ExpertLimits, FreezesWithAWildCardAgainstAHumanWithTwentyMeldCards) {
    // The human's melds of fives, sixes and sevens; its hand mostly unknown.
    struct Case {
        int humanMeld, humanHand;
        bool thrown;
    };
    const Case cases[] = {{20, 7, true}, {19, 7, false}, {20, 8, false}};
    for (const Case& c : cases) {
        Stage t;
        RuleSet rules;
        rules.initialBlock = false; // the pile is open to the human
        t.SetRules(rules);
        for (int i = 0; i < c.humanMeld; ++i) {
            t.HumanMelds({Code(kHeart, kFive + i % 3)}, kFive + i % 3);
        }
        t.HumanHandSize(c.humanHand);
        t.Hand({kJoker, kJoker, kJoker, kJoker, Code(kSpade, kFour), Code(kSpade, kNine),
                Code(kSpade, kJack)});
        t.StockFiller(30);
        EXPECT_EQ(ThrowsAJoker(t), c.thrown) << c.humanMeld << " " << c.humanHand;
    }
}

} // namespace
} // namespace varenta::testing

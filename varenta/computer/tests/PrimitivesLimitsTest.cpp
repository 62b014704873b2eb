// The shared primitives at their limits: the last card laid, the seven-card
// target of a take, the wild cards laid when going out.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "varenta/computer/BeginnerPlayer.h"
#include "varenta/computer/tests/Stage.h"

namespace varenta::testing {
namespace {

void MeldOf(Stage& t, int rank, int naturals, int jokers = 0) {
    for (int i = 0; i < naturals; ++i) {
        t.Melds({Code(i % 4, rank)}, rank);
    }
    for (int i = 0; i < jokers; ++i) {
        t.Melds({kJoker}, rank);
    }
}

TEST(PrimitivesLimits, TheLastCardOnlyCompletesTheLastVarenta) {
    // One king in hand onto a king meld; whether it is laid.
    struct Case {
        const char* what;
        int needed, aceVarentas, naturals, jokers;
        bool laid;
    };
    const Case cases[] = {
        {"six with three wild cards: four naturals", 1, 0, 3, 3, true},
        {"six with four wild cards: three naturals", 1, 0, 2, 4, false},
        {"five cards", 1, 0, 5, 0, false},
        {"the second of two Varentas", 2, 1, 6, 0, true},
        {"the first of two Varentas", 2, 0, 6, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        RuleSet rules;
        rules.numberOfVarentas = c.needed;
        t.SetRules(rules);
        if (c.aceVarentas > 0) {
            MeldOf(t, kAce, 7);
        }
        MeldOf(t, kKing, c.naturals, c.jokers);
        t.Hand({Code(kHeart, kKing)});
        BeginnerPlayer p(t.engine, t.settings);
        EXPECT_EQ(p.MeldRank(kKing, 0), c.laid ? 1 : 0);
        EXPECT_EQ(t.MeldColumn(kKing), c.naturals + c.jokers + (c.laid ? 1 : 0));
    }
}

TEST(PrimitivesLimits, SevenCardTarget) {
    // The top card (counted in the hand, as the levels judge a take) counts once.
    struct Case {
        const char* what;
        int rank, held, pileCards, meld, jokers, planWilds;
        int target;
        bool inReach;
    };
    const Case cases[] = {
        {"four fours and three wild cards", kFour, 4, 1, 0, 3, 0, kFour, true},
        {"four aces and three wild cards", kAce, 4, 1, 0, 3, 0, kAce, true},
        {"three aces and four wild cards", kAce, 3, 1, 0, 4, 0, 0, false},
        {"four aces and two wild cards", kAce, 4, 1, 0, 2, 0, 0, false},
        {"two held onto a meld: seven with the wild cards", kAce, 2, 1, 3, 2, 0, kAce, true},
        {"two held, a wild card spent by the plan", kAce, 2, 1, 3, 2, 1, kAce, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        MeldOf(t, c.rank, c.meld);
        for (int i = 0; i < c.held; ++i) {
            t.Hand({Code(kSpade, c.rank)});
        }
        for (int i = 0; i < c.jokers; ++i) {
            t.Hand({kJoker});
        }
        t.Hand({Code(kSpade, kSix), Code(kSpade, kEight)});
        t.PileFiller(0);
        for (int i = 0; i < c.pileCards; ++i) {
            t.Pile({Code(kHeart, c.rank)});
        }
        BeginnerPlayer p(t.engine, t.settings);
        p.RefreshTallies();
        EXPECT_EQ(p.SevenCardTarget(c.rank), c.target);
        EXPECT_EQ(p.SevenCardTargetInReach(c.rank, c.planWilds), c.inReach);
    }
}

} // namespace
} // namespace varenta::testing

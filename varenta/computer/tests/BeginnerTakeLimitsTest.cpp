// The Beginner's take of the pile before its first meld: the points it counts
// in its hand and wild cards against the minimum, and the wild cards that
// plan leaves for a seven-card target.

#include <gtest/gtest.h>

#include "varenta/computer/BeginnerPlayer.h"
#include "varenta/computer/tests/Stage.h"

namespace varenta::testing {
namespace {

TEST(BeginnerLimits, FirstTakeCountsGroupsAndWildCards) {
    // Two kings in the hand and a king on top: a group of three worth 30.
    // Aces are the seven-card target (the hand's and the pile's).
    struct Case {
        const char* what;
        int jokers, twos, handAces, pileAces, fours, queens, need;
        bool topCardCounts, taken;
    };
    const Case cases[] = {
        {"kings, joker and two reach the minimum", 1, 1, 2, 5, 0, 0, 100, true, true},
        {"one point short", 1, 1, 2, 5, 0, 0, 101, true, false},
        {"three fours count", 1, 1, 2, 5, 3, 0, 115, true, true},
        {"three fours, one point short", 1, 1, 2, 5, 3, 0, 116, true, false},
        {"three aces count", 1, 1, 3, 4, 0, 0, 160, true, true},
        {"three aces, one point short", 1, 1, 3, 4, 0, 0, 161, true, false},
        {"two queens do not count", 1, 1, 2, 5, 0, 2, 101, true, false},
        {"the uncounted top card raises the minimum", 1, 1, 2, 5, 0, 0, 90, false, true},
        {"raised minimum one point short", 1, 1, 2, 5, 0, 0, 91, false, false},
        // Five aces and two wild cards make seven only if the plan spends none.
        {"no joker spent at the minimum", 1, 1, 2, 3, 0, 0, 30, true, true},
        {"a joker spent one point above", 1, 1, 2, 3, 0, 0, 31, true, false},
        {"no two spent at the minimum", 0, 2, 2, 3, 0, 0, 30, true, true},
        {"a two spent one point above", 0, 2, 2, 3, 0, 0, 31, true, false},
        // Six aces and three wild cards: the plan may spend two, not three.
        {"joker and two spent", 1, 2, 2, 4, 0, 0, 100, true, true},
        {"joker and both twos spent", 1, 2, 2, 4, 0, 0, 101, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        RuleSet rules;
        rules.topCardCounts = c.topCardCounts;
        t.SetRules(rules);
        t.Hand({Code(kSpade, kKing), Code(kClub, kKing)});
        for (int i = 0; i < c.jokers; ++i) {
            t.Hand({kJoker});
        }
        for (int i = 0; i < c.twos; ++i) {
            t.Hand({kTwoCode});
        }
        for (int i = 0; i < c.handAces; ++i) {
            t.Hand({Code(kSpade, kAce)});
        }
        for (int i = 0; i < c.fours; ++i) {
            t.Hand({Code(kClub, kFour)});
        }
        for (int i = 0; i < c.queens; ++i) {
            t.Hand({Code(kClub, kQueen)});
        }
        for (int i = 0; i < c.pileAces; ++i) {
            t.Pile({Code(kHeart, kAce)});
        }
        t.Pile({Code(kDiamond, kKing)});
        BeginnerPlayer p(t.engine, t.settings);
        p.need = c.need;
        EXPECT_EQ(p.BegTakePile(), c.taken);
    }
}

TEST(BeginnerLimits, DiscardWidensWhatTheHumanMayUse) {
    // A single five and a single nine, a pair of kings: singles go first, the
    // lowest rank whose human meld is smallest (two cards or fewer, then up
    // to five), or one the human has completed; else a king.
    struct Case {
        int humanFives, humanNines, thrown;
    };
    const Case cases[] = {
        {3, 2, kNine}, {2, 1, kFive}, {1, 0, kFive}, {5, 6, kFive},
        {6, 6, kKing}, {7, 6, kFive}, {6, 7, kNine}, {4, 3, kNine},
    };
    for (const Case& c : cases) {
        Stage t;
        t.SetRules(RuleSet{});
        t.Hand({Code(kSpade, kKing), Code(kSpade, kFive), Code(kClub, kKing), Code(kSpade, kNine)});
        for (int i = 0; i < c.humanFives; ++i) {
            t.HumanMelds({Code(kHeart, kFive)});
        }
        for (int i = 0; i < c.humanNines; ++i) {
            t.HumanMelds({Code(kHeart, kNine)});
        }
        BeginnerPlayer p(t.engine, t.settings);
        EXPECT_EQ(t.St().opponentHand[p.BegChooseDiscard().handIndex].rank, c.thrown)
            << c.humanFives << " " << c.humanNines;
    }
}

} // namespace
} // namespace varenta::testing

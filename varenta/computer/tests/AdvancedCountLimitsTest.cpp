// The Advanced level's counts at their limits: the first meld it reckons,
// the Varenta it plans a take for, the take by group, the first melds and
// naturals it lays.

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "varenta/computer/AdvancedPlayer.h"
#include "varenta/computer/tests/Stage.h"

namespace varenta::testing {
namespace {

// Ranks and how many of each, as (rank, count).
using Counts = std::vector<std::pair<int, int>>;

void Cards(Stage& t, const Counts& counts) {
    for (const auto& [rank, n] : counts) {
        for (int i = 0; i < n; ++i) {
            t.Hand({rank == 0 ? kJoker : Code(i % 4, rank)});
        }
    }
}

// Lays the pile's top card as the level does after deciding to take it.
struct Advanced : AdvancedPlayer {
    using AdvancedPlayer::AdvancedPlayer;
    using AdvancedPlayer::layPileTop;
};

TEST(AdvancedLimits, CountSimpleMeld) {
    struct Case {
        const char* what;
        Counts hand; // rank 0 jokers, 1 twos, 2 black threes
        int need, points, cards, pairs;
        int wildMeld = 0; // cards in the computer's wild-card column
    };
    const Case cases[] = {
        {"three fours reach the minimum", {{kFour, 3}, {kFive, 4}}, 15, 15, 3, 0},
        {"black threes are no group", {{kThree, 3}, {kFour, 3}}, 30, 15, 3, 0},
        {"three aces", {{kAce, 3}}, 100, 60, 3, 0},
        {"the wild-card column is no rank", {{kAce, 3}}, 100, 60, 3, 0, 3},
        {"a pair of kings and a joker", {{kKing, 2}, {0, 1}}, 50, 70, 3, 1},
        {"a pair of kings and a two", {{kKing, 2}, {1, 1}}, 50, 40, 3, 1},
        {"two pairs, joker first", {{kKing, 2}, {kQueen, 2}, {0, 1}, {1, 1}}, 200, 110, 6, 2},
        {"a pair of fours and a joker", {{kFour, 2}, {0, 1}}, 60, 60, 3, 1},
        {"a pair of black threes and a joker", {{kThree, 2}, {0, 1}}, 50, 0, 0, 0},
        {"a pair met the minimum: the next stays",
         {{kAce, 2}, {kKing, 2}, {0, 1}, {1, 1}},
         90,
         90,
         3,
         1},
        {"a pair without a wild card", {{kKing, 2}}, 50, 0, 0, 0},
        {"three of a rank are no pair", {{kKing, 3}, {0, 1}}, 100, 30, 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RankTally tally;
        for (const auto& [rank, n] : c.hand) {
            tally.opponentHandRank[static_cast<std::size_t>(rank)] += n;
        }
        tally.opponentMeldColumn[0] = c.wildMeld;
        const SimpleMeldCount m = CountSimpleMeld(tally, 0, c.need);
        EXPECT_EQ(m.points, c.points);
        EXPECT_EQ(m.cards, c.cards);
        EXPECT_EQ(m.pairs, c.pairs);
    }
}

TEST(AdvancedLimits, VarentaPlanAndFirstMeldCheck) {
    struct Case {
        const char* what;
        Counts hand;
        int need, plan;
    };
    const Case cases[] = {
        {"four fours and three jokers: 170", {{kFour, 4}, {0, 3}}, 170, kFour},
        {"four fours and three jokers: not 171", {{kFour, 4}, {0, 3}}, 171, 0},
        {"four kings and three twos: 100", {{kKing, 4}, {1, 3}}, 100, kKing},
        {"four kings and three twos: not 101", {{kKing, 4}, {1, 3}}, 101, 0},
        {"four aces and three jokers", {{kAce, 4}, {0, 3}}, 50, kAce},
        {"three kings and four jokers", {{kKing, 3}, {0, 4}}, 50, 0},
        {"four kings and two jokers", {{kKing, 4}, {0, 2}}, 50, 0},
        {"nothing", {{kKing, 2}, {kFive, 1}}, 50, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        Cards(t, c.hand);
        AdvancedPlayer p(t.engine, t.settings, t.advanced);
        p.RefreshTallies();
        p.need = c.need;
        EXPECT_EQ(p.AdvVarentaPlan(), c.plan);
    }
    // The first meld without pairs needs no higher minimum; one pair is
    // allowed from 90 on, two from 120.
    struct Check {
        int need;
        Counts groups;
        bool ok;
    };
    const Check checks[] = {
        {89, {{kAce, 3}, {kKing, 3}}, true},
        {119, {{kAce, 2}, {0, 1}, {kKing, 3}}, true},
        {119, {{kAce, 2}, {kKing, 2}, {0, 2}}, false},
    };
    for (const Check& c : checks) {
        Stage t;
        Cards(t, c.groups);
        Cards(t,
              {{kFour, 1}, {kFive, 1}, {kSix, 1}, {kSeven, 1}, {kEight, 1}, {kNine, 1}, {kTen, 1}});
        AdvancedPlayer p(t.engine, t.settings, t.advanced);
        p.RefreshTallies();
        p.need = c.need;
        EXPECT_EQ(p.AdvMeldCheck().ok, c.ok) << c.need;
    }
}

TEST(AdvancedLimits, TakePileByGroup) {
    // Kings on top of the pile; whether the take is made never, sometimes or
    // always over many random draws.
    enum { Never, Sometimes, Always };
    struct Case {
        const char* what;
        bool varentaRequired, aceVarenta;
        int kings, kingMeld, jokers, pile;
        int taken;
        bool melded = true;
    };
    const Case cases[] = {
        {"three with the top card", false, false, 2, 0, 0, 6, Always},
        {"two with the top card", false, false, 1, 0, 1, 6, Never},
        {"four with the top card", false, false, 3, 0, 0, 6, Always},
        {"the needed Varenta on the table: by group", true, true, 1, 0, 1, 6, Never},
        {"a pile of one", false, false, 2, 0, 0, 1, Always},
        {"no first meld in reach", false, false, 2, 0, 0, 6, Never, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int yes = 0;
        const int tries = 100;
        for (int seed = 1; seed <= tries; ++seed) {
            Stage t;
            RuleSet rules;
            rules.varentaRequired = c.varentaRequired;
            rules.naturalPair = false;
            rules.initialBlock = false;
            t.SetRules(rules);
            if (c.aceVarenta) {
                t.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce),
                         Code(kHeart, kAce), Code(kSpade, kAce), Code(kClub, kAce),
                         Code(kDiamond, kAce)});
            } else if (c.melded) {
                t.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
            }
            for (int i = 0; i < c.kingMeld; ++i) {
                t.Melds({Code(kClub, kKing)});
            }
            Cards(t, {{kKing, c.kings}, {0, c.jokers}, {kFive, 1}, {kSeven, 1}, {kNine, 1}});
            t.PileFiller(c.pile - 1);
            t.Pile({Code(kHeart, kKing)});
            t.engine.Rng().Seed(static_cast<std::uint64_t>(seed));
            AdvancedPlayer p(t.engine, t.settings, t.advanced);
            p.need = 50;
            yes += p.AdvTakePile() ? 1 : 0;
        }
        EXPECT_EQ(yes == 0 ? Never : (yes == tries ? Always : Sometimes), c.taken) << yes;
    }
}

TEST(AdvancedLimits, LaysThePileTop) {
    // Kings on top of the pile, taken; the kings and jokers laid with it.
    struct Case {
        const char* what;
        int kings, jokers;
        bool melded; // an ace meld on the table already
        int need, kingsLaid, jokersLeft;
    };
    const Case cases[] = {
        {"the planned Varenta: up to seven", 3, 3, false, 50, 7, 0},
        {"the planned Varenta: no eighth card", 3, 4, false, 50, 7, 1},
        {"melded already: the whole rank", 2, 0, true, 50, 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        t.SetRules([] {
            RuleSet rules;
            rules.initialBlock = false;
            return rules;
        }());
        if (c.melded) {
            t.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
        }
        Cards(t, {{kKing, c.kings}, {0, c.jokers}, {kFive, 1}, {kSeven, 1}, {kNine, 1}});
        t.PileFiller(3);
        t.Pile({Code(kHeart, kKing)});
        Advanced p(t.engine, t.settings, t.advanced);
        p.need = c.need;
        p.layPileTop();
        EXPECT_EQ(t.MeldColumn(kKing), c.kingsLaid);
        EXPECT_EQ(t.HandCount(0), c.jokersLeft);
    }
}

TEST(AdvancedLimits, MeldPhaseFirstMeldAndNaturals) {
    // Without its Varenta the level keeps six cards back from its naturals.
    struct Case {
        const char* what;
        bool aceVarenta, queenMeld;
        int queens, singles, queensAfter;
    };
    const Case cases[] = {
        {"nine cards: three queens go", false, true, 3, 6, 6},
        {"eight cards: they stay", false, true, 3, 5, 3},
        {"with the Varenta: all go", true, true, 3, 2, 6},
        {"a first meld of five queens", false, false, 5, 7, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        if (c.aceVarenta) {
            t.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce),
                     Code(kHeart, kAce), Code(kSpade, kAce), Code(kClub, kAce),
                     Code(kDiamond, kAce)});
        }
        if (c.queenMeld) {
            t.Melds({Code(kSpade, kQueen), Code(kClub, kQueen), Code(kDiamond, kQueen)});
        }
        Cards(t, {{kQueen, c.queens}});
        for (int i = 0; i < c.singles; ++i) {
            t.Hand({Code(kHeart, kFour + i)});
        }
        t.HumanHandSize(20);
        AdvancedPlayer p(t.engine, t.settings, t.advanced);
        p.need = 50;
        if (c.queenMeld) {
            p.AdvMeldNaturals();
        } else {
            p.MeldWithinTheRules();
        }
        EXPECT_EQ(t.MeldColumn(kQueen), c.queensAfter);
    }
}

void KingVarenta(Stage& t) {
    for (int i = 0; i < 7; ++i) {
        t.Melds({Code(i % 4, kKing)});
    }
}

TEST(AdvancedLimits, MeldPhaseStaysOrGoesOut) {
    // The human holds 20 cards; what the computer lays of its hand.
    struct Case {
        const char* what;
        bool kingVarenta;
        std::vector<int> hand;
        int need;
        std::vector<std::pair<int, int>> columns;
    };
    const int f = Code(kSpade, kFive);
    const Case cases[] = {
        {"no first meld: no Varenta completed either",
         false,
         {Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), Code(kHeart, kKing),
          kJoker, kJoker, kJoker, Code(kSpade, kFour), Code(kSpade, kSix), Code(kSpade, kEight)},
         50,
         {{kKing, 0}}},
        {"three cards: it stays", true, {f, Code(kClub, kFive), kJoker}, 50, {{kFive, 0}}},
        {"two cards: it goes out", true, {f, kJoker}, 50, {{kKing, 8}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        if (c.kingVarenta) {
            KingVarenta(t);
        }
        for (int code : c.hand) {
            t.Hand({code});
        }
        t.HumanHandSize(20);
        t.engine.Rng().Seed(1);
        AdvancedPlayer p(t.engine, t.settings, t.advanced);
        p.need = c.need;
        p.MeldWithinTheRules();
        for (const auto& [rank, cards] : c.columns) {
            EXPECT_EQ(t.MeldColumn(rank), cards) << "rank " << rank;
        }
    }
    {
        // The human has its Varenta and six cards: naturals go down only
        // after a first meld.
        Stage t;
        for (int i = 0; i < 7; ++i) {
            t.HumanMelds({Code(i % 4, kFour)});
        }
        t.HumanHandSize(6);
        Cards(t, {{kAce, 3},
                  {kFive, 1},
                  {kSix, 1},
                  {kSeven, 1},
                  {kEight, 1},
                  {kNine, 1},
                  {kTen, 1},
                  {kJack, 1}});
        AdvancedPlayer p(t.engine, t.settings, t.advanced);
        p.need = 100;
        p.MeldWithinTheRules();
        EXPECT_EQ(t.MeldColumn(kAce), 0);
    }
    {
        // Twenty-two meld cards with the one Varenta needed: black threes are held.
        Stage t;
        KingVarenta(t);
        for (int i = 0; i < 6; ++i) {
            t.Melds({Code(i % 4, kAce)});
            t.Melds({Code(i % 4, kQueen)});
        }
        for (int i = 0; i < 3; ++i) {
            t.Melds({Code(i % 4, kJack)});
        }
        t.Hand({kBlackThree, Code(kSpade, kFour), Code(kSpade, kSix), Code(kSpade, kEight)});
        t.HumanHandSize(20);
        t.engine.Rng().Seed(1);
        AdvancedPlayer p(t.engine, t.settings, t.advanced);
        p.MeldWithinTheRules();
        EXPECT_TRUE(t.advanced.holdThrees);
    }
}

TEST(AdvancedLimits, DiscardFromABigPile) {
    // A pile of six; the human holds ten cards.
    struct Case {
        const char* what;
        std::vector<int> hand;
        bool kingVarenta, addToVarenta;
        int humanFives, thrownRank;
        int index = -1; // the hand index thrown, where it matters
        int pile = 6, humanHand = 10;
    };
    const int k = Code(kSpade, kKing), f = Code(kSpade, kFive), four = Code(kSpade, kFour);
    const int a = Code(kSpade, kAce);
    const Case cases[] = {
        {"one card", {k}, false, true, 0, kKing, 0},
        {"two cards: the single five", {k, f}, false, true, 0, kFive, 1},
        {"the human's Varenta of fives, rule off: the five goes",
         {f, k, k},
         false,
         false,
         7,
         kFive},
        {"the human's six fives: the kings go", {f, k, k}, false, false, 6, kKing},
        {"two wild cards of six stay",
         {kJoker, kTwoCode, four, Code(kSpade, kSix), Code(kSpade, kEight), Code(kSpade, kNine)},
         false,
         true,
         0,
         kFour},
        {"three wild cards of seven stay with the Varenta",
         {kJoker, kJoker, kTwoCode, four, Code(kSpade, kSix), Code(kSpade, kEight),
          Code(kSpade, kNine)},
         true,
         true,
         0,
         kFour},
        {"a single four", {four, k, k}, false, true, 0, kFour},
        {"a single ace", {a, k, k}, false, true, 0, kAce},
        {"a pair of fours before three kings", {four, four, k, k, k}, false, true, 0, kFour},
        {"a pair of aces before three kings", {a, a, k, k, k}, false, true, 0, kAce},
        {"only wild cards: the first", {kJoker, kTwoCode}, false, true, 0, 0, 0},
        {"only wild cards, small pile: the first", {kJoker, kTwoCode}, false, true, 0, 0, 0, 3},
        {"no wild card to freeze with", {f, f, f}, false, true, 2, kFive, -1, 6, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        RuleSet rules;
        rules.initialBlock = false;
        rules.addToVarenta = c.addToVarenta;
        t.SetRules(rules);
        if (c.kingVarenta) {
            KingVarenta(t);
        }
        for (int code : c.hand) {
            t.Hand({code});
        }
        for (int i = 0; i < c.humanFives; ++i) {
            t.HumanMelds({Code(i % 4, kFive)});
        }
        t.HumanHandSize(c.humanHand);
        t.PileFiller(c.pile);
        AdvancedPlayer p(t.engine, t.settings, t.advanced);
        const DiscardChoice d = p.AdvChooseDiscard();
        ASSERT_GE(d.handIndex, 0);
        EXPECT_EQ(t.St().opponentHand[d.handIndex].rank, c.thrownRank);
        if (c.index >= 0) {
            EXPECT_EQ(d.handIndex, c.index);
        }
    }
    // From a small pile singles go upward mostly, downward now and then.
    int fours = 0;
    for (int seed = 1; seed <= 100; ++seed) {
        Stage t;
        t.Hand({four, a, k, k});
        t.PileFiller(3);
        t.engine.Rng().Seed(static_cast<std::uint64_t>(seed));
        AdvancedPlayer p(t.engine, t.settings, t.advanced);
        const int rank = t.St().opponentHand[p.AdvChooseDiscard().handIndex].rank;
        EXPECT_TRUE(rank == kFour || rank == kAce) << rank;
        fours += rank == kFour ? 1 : 0;
    }
    EXPECT_GT(fours, 50);
    EXPECT_LT(fours, 100);
}

} // namespace
} // namespace varenta::testing

// The shared primitives at their limits: the last card laid, the seven-card
// target of a take, the wild cards laid when going out.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "varenta/computer/AdvancedPlayer.h"
#include "varenta/computer/BeginnerPlayer.h"
#include "varenta/computer/Rehearsal.h"
#include "varenta/computer/tests/Stage.h"
#include "varenta/engine/Texts.h"

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
    // A joker as the last card: only onto six with four naturals.
    struct Wild {
        int naturals, jokers;
        bool laid;
        int needed = 1;
    };
    for (const Wild& w : {Wild{6, 0, true}, Wild{5, 0, false}, Wild{3, 3, false}, Wild{4, 2, true},
                          Wild{6, 0, false, 2}}) {
        Stage t;
        RuleSet rules;
        rules.numberOfVarentas = w.needed;
        t.SetRules(rules);
        MeldOf(t, kKing, w.naturals, w.jokers);
        t.Hand({kJoker});
        BeginnerPlayer p(t.engine, t.settings);
        EXPECT_EQ(p.MeldWildCard(kKing), w.laid) << w.naturals << " " << w.jokers;
    }
}

TEST(PrimitivesLimits, MeldRankKeepsACardAndAStandingMeld) {
    // MeldRank(king, 0): the kings laid, and the meld afterwards.
    struct Case {
        const char* what;
        bool queenVarenta;
        int meldKings;
        std::vector<int> hand;
        int laid, column;
    };
    const int k = Code(kSpade, kKing), f = Code(kSpade, kFive);
    const Case cases[] = {
        {"a pair, a joker and a card to keep", false, 0, {k, k, kJoker, f}, 3, 3},
        {"a pair and a joker only: nothing", false, 0, {k, k, kJoker}, 0, 0},
        {"with the Varenta the whole hand", true, 0, {k, k, k}, 3, 3},
        {"the whole hand completes the Varenta", false, 4, {k, k, k}, 3, 7},
        {"one short of the Varenta: one card stays", false, 3, {k, k, k}, 2, 5},
        {"a pair without a wild card", false, 0, {k, k, f}, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        if (c.queenVarenta) {
            MeldOf(t, kQueen, 7);
        }
        MeldOf(t, kKing, c.meldKings);
        for (int code : c.hand) {
            t.Hand({code});
        }
        BeginnerPlayer p(t.engine, t.settings);
        EXPECT_EQ(p.MeldRank(kKing, 0), c.laid);
        EXPECT_EQ(t.MeldColumn(kKing), c.column);
    }
    {
        // Fours are held to the same rule: three alone are no meld once one stays.
        Stage t;
        t.Hand({Code(kSpade, kFour), Code(kClub, kFour), Code(kDiamond, kFour)});
        BeginnerPlayer p(t.engine, t.settings);
        EXPECT_EQ(p.MeldRank(kFour, 0), 0);
    }
    // One pass completes Varentas from the aces down to the fours.
    for (const int rank : {kFour, kAce}) {
        Stage t;
        MeldOf(t, rank, 3);
        for (int code : {Code(kHeart, rank), kJoker, kJoker, kJoker, f}) {
            t.Hand({code});
        }
        BeginnerPlayer p(t.engine, t.settings);
        p.BegCompleteVarentas();
        EXPECT_EQ(t.MeldColumn(rank), 7) << rank;
    }
    {
        // A meld of six takes the seventh natural.
        Stage t;
        MeldOf(t, kKing, 6);
        t.Hand({Code(kHeart, kKing), f});
        BeginnerPlayer p(t.engine, t.settings);
        p.BegCompleteVarentas();
        EXPECT_EQ(t.MeldColumn(kKing), 7);
    }
}

TEST(PrimitivesLimits, NaturalsLaidWithTheVarenta) {
    // With the king Varenta the Advanced level lays groups of three and cards
    // onto its melds, never a pair or a single alone.
    struct Case {
        const char* what;
        int fourMeld;
        std::vector<int> hand;
        int rank, after;
    };
    const int four = Code(kSpade, kFour), a = Code(kSpade, kAce), q = Code(kSpade, kQueen);
    const int n = Code(kSpade, kNine), f = Code(kSpade, kFive);
    const Case cases[] = {
        {"three fours", 0, {four, four, four, n}, kFour, 3},
        {"three aces", 0, {a, a, a, n}, kAce, 3},
        {"a single", 0, {n, f}, kNine, 0},
        {"a pair", 0, {q, q, n}, kQueen, 0},
        {"a four onto the meld", 3, {four, n}, kFour, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        MeldOf(t, kKing, 7);
        MeldOf(t, kFour, c.fourMeld);
        for (int code : c.hand) {
            t.Hand({code});
        }
        AdvancedPlayer p(t.engine, t.settings, t.advanced);
        p.AdvMeldNaturals();
        EXPECT_EQ(t.MeldColumn(c.rank), c.after);
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

TEST(PrimitivesLimits, ReplayedLays) {
    // The hand index a lay is made again from: jokers first for a wild card.
    struct Case {
        const char* what;
        std::vector<int> hand;
        MeldLay lay;
        int index;
    };
    const int two = kTwoCode, five = Code(kSpade, kFive);
    const Case cases[] = {
        {"the laid two, a joker held", {two, kJoker}, {two, 0, kKing}, 1},
        {"the joker first", {kJoker, two}, {two, 0, kKing}, 0},
        {"a two not held: the first one", {five, two}, {Code(kClub, kTwo), 0, kKing}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        for (int code : c.hand) {
            t.Hand({code});
        }
        EXPECT_EQ(ReplayIndexOf(t.St().opponentHand, c.lay), c.index);
    }
    // The hand the melds are judged for after the discard.
    struct Hand {
        int cards;
        bool varenta;
        int after;
    };
    for (const Hand& h :
         {Hand{2, false, 1}, Hand{1, false, 1}, Hand{1, true, 0}, Hand{3, true, 2}}) {
        Stage t;
        if (h.varenta) {
            MeldOf(t, kAce, 7);
        }
        for (int i = 0; i < h.cards; ++i) {
            t.Hand({Code(kSpade, kFive + i)});
        }
        const Rehearsal table(t.engine);
        EXPECT_EQ(table.HandAfterDiscard(), h.after) << h.cards << " " << h.varenta;
    }
}

TEST(PrimitivesLimits, DropInvalidLays) {
    // This turn's lays (all kept before) and which stay after the refusal.
    struct Case {
        const char* what;
        std::string_view reason;
        std::vector<std::pair<int, int>> melds; // rank, naturals (jokers for rank 0 in kings)
        std::vector<MeldLay> lays;
        std::vector<bool> kept;
    };
    const MeldLay king{Code(kSpade, kKing), 0, kKing}, queen{Code(kSpade, kQueen), 0, kQueen};
    const MeldLay four{Code(kSpade, kFour), 0, kFour}, ace{Code(kSpade, kAce), 0, kAce};
    const MeldLay joker1{kJoker, 0, kKing}, joker2{kJoker, 1, kKing};
    const MeldLay black{kBlackThree, 0, kThreesColumn}, red{kRedThree, 0, kThreesColumn};
    const MeldLay wild{kTwoCode, 0, kWildColumn};
    const Case cases[] = {
        {"a meld of two kings",
         texts::kReasonColumnTooShort,
         {{kKing, 2}, {kQueen, 3}},
         {king, queen},
         {false, true}},
        {"a meld of two fours",
         texts::kReasonColumnTooShort,
         {{kFour, 2}, {kQueen, 3}},
         {four, queen},
         {false, true}},
        {"a meld of two aces",
         texts::kReasonColumnTooShort,
         {{kAce, 2}, {kQueen, 3}},
         {ace, queen},
         {false, true}},
        {"melds of three: the whole turn",
         texts::kReasonColumnTooShort,
         {{kKing, 3}, {kQueen, 3}},
         {king, queen},
         {false, false}},
        {"one wild card too many: the newest",
         texts::kReasonTooManyWildcards,
         {{kKing, 2}, {0, 3}},
         {king, joker1, joker2},
         {true, true, false}},
        {"two too many, one laid now: the column",
         texts::kReasonTooManyWildcards,
         {{kKing, 1}, {0, 3}},
         {king, joker2},
         {false, false}},
        {"black threes stay in hand, red ones down",
         texts::kReasonBlackThrees,
         {{kQueen, 3}},
         {black, red, queen},
         {false, true, true}},
        {"no Varenta of wild cards",
         texts::kReasonWildcardsAsVarenta,
         {{kQueen, 3}},
         {wild, queen},
         {false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        for (const auto& [rank, n] : c.melds) {
            if (rank == 0) {
                for (int i = 0; i < n; ++i) {
                    t.Melds({kJoker}, kKing);
                }
            } else {
                MeldOf(t, rank, n);
            }
        }
        std::vector<bool> kept(c.lays.size(), true);
        EXPECT_TRUE(DropInvalidLays(t.engine, c.reason, c.lays, kept));
        EXPECT_EQ(kept, c.kept);
    }
}

} // namespace
} // namespace varenta::testing

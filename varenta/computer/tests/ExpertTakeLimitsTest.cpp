// The Expert's take of the pile at its limits: the turn's flags, when the
// pile is judged worth taking, and what is laid with its top card.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "varenta/computer/ExpertPlayer.h"
#include "varenta/computer/tests/Stage.h"

namespace varenta::testing {
namespace {

struct Expert : ExpertPlayer {
    using ExpertPlayer::ExpertPlayer;
    using ExpertPlayer::layPileTop;
};

// n cards of a rank, suits in turn.
void Many(Stage& t, int rank, int n) {
    for (int i = 0; i < n; ++i) {
        t.Hand({rank == 0 ? kJoker : Code(i % 4, rank)});
    }
}

void MeldOf(Stage& t, int rank, int n) {
    for (int i = 0; i < n; ++i) {
        t.Melds({Code(i % 4, rank)}, rank);
    }
}

TEST(ExpertTakeLimits, TurnFlags) {
    // Aggression 0: a turn is aggressive when a draw below the stock's size
    // falls under 10.
    for (const auto& [stock, always] : std::vector<std::pair<int, bool>>{{10, true}, {11, false}}) {
        Stage t;
        t.settings.aggression = 0;
        t.StockFiller(stock);
        ExpertPlayer p(t.engine, t.settings, t.expert);
        int aggressive = 0;
        for (int i = 0; i < 200; ++i) {
            p.BeginExpertTurn();
            aggressive += p.aggressiveTurn ? 1 : 0;
        }
        EXPECT_EQ(aggressive == 200, always) << stock << ": " << aggressive;
        EXPECT_GT(aggressive, 150) << stock;
    }
    // A fresh pile keeps the black threes held only with two of them.
    for (const auto& [threes, hold] : std::vector<std::pair<int, bool>>{{1, false}, {2, true}}) {
        Stage t;
        t.StockFiller(30);
        t.Pile({Code(kSpade, kNine)});
        t.Hand({Code(kSpade, kFive)});
        for (int i = 0; i < threes; ++i) {
            t.Hand({i == 0 ? kBlackThree : Code(kClub, kThree)});
        }
        t.expert.holdThrees = true;
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.BeginExpertTurn();
        EXPECT_EQ(t.expert.holdThrees, hold) << threes;
    }
}

TEST(ExpertTakeLimits, LaysThePileTop) {
    // A king on top of the pile; the kings laid with it.
    struct Case {
        const char* what;
        int kings, kingMeld;
        bool frozen, aceMeld;
        int kingsAfter;
    };
    const Case cases[] = {
        {"onto a meld of three: one", 3, 3, false, false, 4},
        {"onto a meld of three, frozen: three", 3, 3, true, false, 6},
        {"melded elsewhere: three of five", 4, 0, false, true, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        MeldOf(t, kKing, c.kingMeld);
        if (c.aceMeld) {
            MeldOf(t, kAce, 3);
        }
        Many(t, kKing, c.kings);
        t.Hand({Code(kSpade, kFive), Code(kSpade, kSeven), Code(kSpade, kNine)});
        t.PileFiller(3);
        t.Pile({Code(kHeart, kKing)});
        t.St().pileFrozen = c.frozen;
        Expert p(t.engine, t.settings, t.expert);
        p.initialMeldNeed = 50;
        p.layPileTop();
        EXPECT_EQ(t.MeldColumn(kKing), c.kingsAfter);
    }
    // A first meld: the king pair's wild card is spent with the top card, so
    // the plan's second pair is the last one laid.
    Stage t;
    t.Hand({Code(kSpade, kKing), Code(kSpade, kQueen), Code(kClub, kQueen), Code(kSpade, kJack),
            Code(kClub, kJack), kJoker, kJoker, Code(kSpade, kFive), Code(kSpade, kNine)});
    t.PileFiller(3);
    t.Pile({Code(kHeart, kKing)});
    t.St().pileFrozen = false;
    t.expert.meldPlan = 2;
    t.expert.planWilds = 2;
    Expert p(t.engine, t.settings, t.expert);
    p.initialMeldNeed = 200;
    p.layPileTop();
    EXPECT_EQ(t.MeldColumn(kKing), 3);
    EXPECT_EQ(t.MeldColumn(kQueen), 3);
    EXPECT_EQ(t.MeldColumn(kJack), 0);
}

TEST(ExpertTakeLimits, InitialMeldsLayGroupsWholeAndWildCardsOnMelds) {
    {
        // Three kings first, the other two while still short.
        Stage t;
        Many(t, kKing, 5);
        t.Hand({Code(kSpade, kFive), Code(kSpade, kSeven), Code(kSpade, kNine)});
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.initialMeldNeed = 50;
        p.InitialMelds();
        EXPECT_EQ(t.MeldColumn(kKing), 5);
    }
    // A wild card goes onto a meld the pile feeds, never onto a rank only
    // the pile holds.
    Stage t;
    MeldOf(t, kQueen, 3);
    t.Hand({kJoker, Code(kSpade, kFive), Code(kSpade, kSeven), Code(kSpade, kNine)});
    t.Pile({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
    ExpertPlayer p(t.engine, t.settings, t.expert);
    p.initialMeldNeed = 200;
    p.InitialMelds();
    EXPECT_EQ(t.MeldColumn(kQueen), 4);
    EXPECT_EQ(t.MeldColumn(kAce), 0);
}

TEST(ExpertTakeLimits, BranchDefault) {
    // Queens on top of the pile; the computer has melded aces, the pile is
    // not urgent (the human holds 26 cards).
    struct Case {
        const char* what;
        int needed, queens, queenMeld, pileQueens, jokers, pile; // pile counts the top card
        bool taken;
        bool aceMeld = true;
    };
    const Case cases[] = {
        {"five of the rank and eight with the wild cards", 1, 1, 0, 3, 3, 4, true},
        {"four of the rank", 1, 1, 0, 2, 4, 4, false},
        {"five of the rank, seven with the wild cards", 1, 1, 0, 3, 2, 4, false},
        {"onto a Varenta: only a pile of four", 1, 0, 7, 1, 0, 3, false},
        {"onto six: the rank's rule", 1, 0, 6, 1, 0, 3, true},
        {"four with the top card, a pile of one", 1, 3, 0, 1, 0, 1, true},
        {"no first meld in reach", 1, 2, 0, 1, 0, 8, false, false},
        {"a first meld in reach", 1, 5, 0, 1, 0, 8, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        RuleSet rules;
        rules.numberOfVarentas = c.needed;
        rules.naturalPair = false;
        t.SetRules(rules);
        if (c.aceMeld) {
            MeldOf(t, kAce, 3);
        }
        MeldOf(t, kQueen, c.queenMeld);
        Many(t, kQueen, c.queens);
        Many(t, 0, c.jokers);
        t.Hand({Code(kSpade, kFour), Code(kSpade, kFive), Code(kSpade, kSix), Code(kSpade, kEight),
                Code(kSpade, kNine), Code(kClub, kFour), Code(kClub, kFive), Code(kClub, kSix)});
        t.PileFiller(c.pile - c.pileQueens);
        for (int i = 1; i < c.pileQueens; ++i) {
            t.Pile({Code(kClub, kQueen)});
        }
        t.Pile({Code(kDiamond, kQueen)});
        t.HumanHandSize(26);
        t.StockFiller(30);
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.initialMeldNeed = 50;
        EXPECT_EQ(p.ShouldTakePile(), c.taken);
    }
}

TEST(ExpertTakeLimits, UrgentPile) {
    // A queen on top; the computer holds a pair of queens, one wild card (or
    // a single) and has melded aces, or holds them for its first meld. A pile
    // of 20 is urgent; so is a smaller one while the computer has nothing to
    // meld soon.
    struct Case {
        const char* what;
        int handCards, humanHand, stock, pile, wild;
        bool melded, taken;
        bool pileJoker = false;
    };
    const int none = Code(kSpade, kJack);
    const Case cases[] = {
        {"25 cards with the top card: the two is spared", 24, 20, 30, 20, kTwoCode, true, false},
        {"24 cards", 23, 20, 30, 20, kTwoCode, true, true},
        {"a human of 21 cards", 24, 21, 30, 20, kTwoCode, true, true},
        {"the joker is spared", 24, 20, 30, 20, kJoker, true, false},
        {"no wild card to spare", 24, 20, 30, 20, none, true, true},
        {"the two is spared from the first meld", 24, 20, 30, 20, kTwoCode, false, false},
        {"the joker is spared from the first meld", 24, 20, 30, 20, kJoker, false, false},
        {"a stock of 70", 10, 20, 70, 20, none, true, true},
        {"a stock of 71: only for a wild card", 10, 20, 71, 20, none, true, false},
        {"a pile of two: only for a wild card", 10, 20, 30, 2, none, true, false},
        {"a pile of two with a joker", 10, 20, 30, 2, none, true, true, true},
        {"a pile of three", 10, 20, 30, 3, none, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        if (c.melded) {
            MeldOf(t, kAce, 3);
        } else {
            Many(t, kAce, 3);
        }
        Many(t, kQueen, 2);
        t.Hand({c.wild});
        for (int i = c.melded ? 3 : 6; i < c.handCards; ++i) {
            t.Hand({Code(i % 4, kFour + i % 7)});
        }
        t.PileFiller(c.pile - (c.pileJoker ? 2 : 1));
        if (c.pileJoker) {
            t.Pile({kJoker});
        }
        t.Pile({Code(kHeart, kQueen)});
        t.HumanHandSize(c.humanHand);
        t.StockFiller(c.stock);
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.initialMeldNeed = 50;
        EXPECT_EQ(p.ShouldTakePile(), c.taken);
    }
}

TEST(ExpertTakeLimits, AggressiveTurnsAndHeldBlackThrees) {
    // The needed ace Varenta is on the table, a queen on top. Aggressive, the
    // Expert takes only a pile that adds at most one card it cannot lay to
    // those its hand cannot lay now; holding black threes it asks the same.
    struct Case {
        const char* what;
        int queens;
        std::vector<int> extra; // besides the queens
        int pile;               // with the top card
        bool aggressive, varenta, plain, holding;
    };
    const int f = Code(kSpade, kFive), s = Code(kSpade, kSeven), n = Code(kSpade, kNine);
    const Case cases[] = {
        {"one left, the pile adds one", 3, {f}, 2, true, true, true, true},
        {"one left, the pile adds two", 3, {f}, 3, true, true, false, false},
        {"two left, the pile adds seven", 3, {f, s}, 8, true, true, false, false},
        {"three left: the plain rules", 3, {f, s, n}, 8, true, true, true, true},
        {"three with the top card, calm", 2, {f}, 3, false, true, false, true},
        {"a queen and a wild card, pile of eight", 1, {kJoker}, 8, false, true, false, true},
        {"a queen and a wild card, pile of seven", 1, {kJoker}, 7, false, true, false, false},
        {"without the Varenta, pile of eight", 1, {kJoker}, 8, false, false, false, false},
    };
    for (const Case& c : cases) {
        for (const bool holding : {false, true}) {
            SCOPED_TRACE(::testing::Message() << c.what << (holding ? ", holding threes" : ""));
            Stage t;
            RuleSet rules;
            rules.naturalPair = false;
            t.SetRules(rules);
            MeldOf(t, kAce, c.varenta ? 7 : 3);
            Many(t, kQueen, c.queens);
            for (int code : c.extra) {
                t.Hand({code});
            }
            t.PileFiller(c.pile - 1);
            t.Pile({Code(kHeart, kQueen)});
            t.HumanHandSize(26);
            t.StockFiller(30);
            t.expert.holdThrees = holding;
            ExpertPlayer p(t.engine, t.settings, t.expert);
            p.initialMeldNeed = 50;
            p.aggressiveTurn = c.aggressive;
            EXPECT_EQ(p.ShouldTakePile(), holding ? c.holding : c.plain);
        }
    }
}

TEST(ExpertTakeLimits, InitialMeldPlanCounts) {
    // The plan chosen: 0 none, 1 groups with wild cards, 2 pairs with them.
    struct Case {
        const char* what;
        std::vector<int> hand;
        int topRank, need, pile;
        bool checkCards, feasible;
        int plan;
        bool pileMakesVarenta = false;
    };
    const int four = Code(kSpade, kFour), five = Code(kSpade, kFive), q = Code(kSpade, kQueen);
    const int a = Code(kSpade, kAce), k = Code(kSpade, kKing), n = Code(kSpade, kNine);
    const std::vector<int> many{four, four, four, five, five, five, n};
    const Case cases[] = {
        {"three aces and a joker: 110", {a, a, a, kJoker, n}, 0, 110, 7, false, true, 1},
        {"three aces", {a, a, a, n}, 0, 60, 0, false, true, 1},
        {"a pair with the top card takes a wild card",
         {q, q, kJoker, n},
         kQueen,
         70,
         15,
         false,
         true,
         1},
        {"pairs need a wild card", {a, a, k, k, n}, 0, 50, 0, false, false, 0},
        {"a pair and a joker: the pair plan", {a, a, kJoker, n}, 0, 50, 15, false, true, 2},
        {"black threes are no group",
         {kBlackThree, kBlackThree, kBlackThree, four, four, four, n},
         0,
         20,
         0,
         false,
         false,
         0},
        {"groups stop at the minimum", many, 0, 15, 10, true, true, 1},
        {"cards to spare for a pile that completes a Varenta", many, 0, 15, 0, true, true, 1, true},
        {"no cards to spare", many, 0, 15, 0, true, false, 1},
        {"89: a wild card beyond the pile needs 15 cards there",
         {a, a, a, kJoker, n},
         0,
         89,
         14,
         false,
         false,
         1},
        {"119: a wild card beyond the pile needs 7 there",
         {a, a, a, k, k, k, kJoker, n},
         0,
         119,
         6,
         false,
         false,
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        for (int code : c.hand) {
            t.Hand({code});
        }
        t.PileFiller(c.pile);
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.initialMeldNeed = c.need;
        p.RefreshTallies();
        EXPECT_EQ(p.InitialMeldPlan(c.topRank, c.pileMakesVarenta, c.checkCards), c.feasible);
        EXPECT_EQ(t.expert.meldPlan, c.plan);
    }
}

TEST(ExpertTakeLimits, MaySpareLeftoverAndPileVarenta) {
    {
        // Before the first meld a card may go only when the plan stands without it.
        struct Case {
            std::vector<int> hand;
            int rank, need, pile;
            bool melded, spare;
        };
        const int a = Code(kSpade, kAce), k = Code(kSpade, kKing);
        const Case cases[] = {
            {{a, a, a, k}, kKing, 60, 0, false, true},
            {{a, a, a, k}, kAce, 60, 0, false, false},
            {{a, a, a, k}, kAce, 60, 0, true, true},
            {{a, a, a, kTwoCode, k}, kKing, 90, 7, false, false},
        };
        for (const Case& c : cases) {
            Stage t;
            if (c.melded) {
                MeldOf(t, kQueen, 3);
            }
            for (int code : c.hand) {
                t.Hand({code});
            }
            t.PileFiller(c.pile);
            ExpertPlayer p(t.engine, t.settings, t.expert);
            p.initialMeldNeed = c.need;
            p.RefreshTallies();
            EXPECT_EQ(p.MaySpare(c.rank), c.spare) << c.rank << " " << c.need;
        }
    }
    {
        // What the hand leaves over: a pair takes a wild card.
        struct Case {
            int rank, pairs, jokers, singles;
            bool canGoOut;
            int left;
        };
        const Case cases[] = {
            {kFour, 1, 1, 0, true, 0}, {kAce, 1, 1, 0, true, 0}, {kAce, 1, 0, 1, false, 3}};
        for (const Case& c : cases) {
            RankTally tally;
            tally.opponentHandRank[static_cast<std::size_t>(c.rank)] = 2 * c.pairs;
            tally.opponentHandRank[0] = c.jokers;
            tally.opponentHandRank[kSix] = c.singles;
            tally.handSize = 2 * c.pairs + c.jokers + c.singles;
            const LeftoverResult r = ExpertPlayer::LeftoverCount(tally);
            EXPECT_EQ(r.canGoOut, c.canGoOut) << c.rank;
            EXPECT_EQ(r.leftover, c.left) << c.rank;
        }
    }
    {
        // When the pile is urgent: with two Varentas needed five pairs make it so;
        // a group of three with two wild cards is a meld soon.
        struct Case {
            int needed;
            bool kingMeld;
            int pairs, jokers, pile;
            bool potential, urgent;
        };
        const Case cases[] = {
            {2, true, 4, 2, 5, true, false},
            {2, true, 5, 2, 5, true, true},
            {1, true, 0, 0, 1, false, true},
            {1, false, 0, 3, 5, false, false},
        };
        for (const Case& c : cases) {
            Stage t;
            RuleSet rules;
            rules.numberOfVarentas = c.needed;
            t.SetRules(rules);
            if (c.kingMeld) {
                MeldOf(t, kKing, 3);
            }
            for (int i = 0; i < c.pairs; ++i) {
                Many(t, kFour + i, 2);
            }
            Many(t, 0, c.jokers);
            t.Hand({Code(kSpade, kJack)});
            t.PileFiller(c.pile);
            t.HumanHandSize(10);
            ExpertPlayer p(t.engine, t.settings, t.expert);
            p.initialMeldNeed = 50;
            p.RefreshTallies();
            EXPECT_EQ(p.PileIsUrgent(), c.urgent) << c.needed << " " << c.pairs << " " << c.pile;
            EXPECT_EQ(t.expert.meldPotential, c.potential) << c.needed << " " << c.pairs;
        }
    }
    // Whether the pile carries a meld to seven that the hand alone cannot.
    struct Case {
        const char* what;
        int rank, held, meld, meldJokers, pileCards, jokers;
        bool completes;
    };
    const Case cases[] = {
        {"four fours with the pile", kFour, 3, 0, 0, 1, 3, true},
        {"four aces with the pile", kAce, 3, 0, 0, 1, 3, true},
        {"three aces with the pile", kAce, 2, 0, 0, 1, 4, false},
        {"a meld of six with wild cards", kAce, 0, 4, 2, 2, 1, true},
        {"a meld of seven with wild cards", kAce, 0, 4, 3, 2, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        for (int i = 0; i < c.meld; ++i) {
            t.Melds({Code(i % 4, c.rank)}, c.rank);
        }
        for (int i = 0; i < c.meldJokers; ++i) {
            t.Melds({kJoker}, c.rank);
        }
        Many(t, c.rank, c.held);
        Many(t, 0, c.jokers);
        t.Hand({Code(kSpade, kSix)});
        t.PileFiller(2);
        for (int i = 0; i < c.pileCards; ++i) {
            t.Pile({Code(kHeart, c.rank)});
        }
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.RefreshTallies();
        EXPECT_EQ(p.PileCompletesVarenta(), c.completes);
    }
}

} // namespace
} // namespace varenta::testing

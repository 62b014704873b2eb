// The Expert's melding phase at its limits: the rush at the end of the hand,
// the steps for two Varentas, laying late while the human is about to go out.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "varenta/computer/ExpertPlayer.h"
#include "varenta/computer/tests/Stage.h"

namespace varenta::testing {
namespace {

void Many(Stage& t, int rank, int n) {
    for (int i = 0; i < n; ++i) {
        t.Hand({rank == 0 ? kJoker : Code(i % 4, rank)});
    }
}

TEST(ExpertMeldLimits, MeldPhase) {
    // Four kings and four queens in hand besides what each case names; the
    // kings and queens in their melds afterwards.
    struct Case {
        const char* what;
        int needed, jokers, queens, singles;
        bool aceVarenta;
        int humanVarentas;
        int humanHand, humanSixes, stock;
        bool aggressive;
        int kingsAfter, queensAfter;
        bool aceMeld = false, threat = false;
    };
    const Case cases[] = {
        // The human has its Varenta and fewer than ten cards: the rush.
        {"rush: human of nine cards", 1, 3, 3, 1, false, 1, 9, 0, 40, false, 7, 3},
        {"no rush: human of ten cards", 1, 3, 3, 1, false, 1, 10, 0, 40, false, 0, 0},
        // Two Varentas needed and reachable with the wild cards.
        {"two within reach, two cards over", 2, 6, 4, 2, false, 0, 10, 3, 40, false, 0, 0},
        {"two within reach, three cards over", 2, 6, 4, 3, false, 0, 10, 3, 40, false, 7, 7},
        {"two within reach, one card and a joker over", 2, 7, 4, 1, false, 0, 10, 3, 40, false, 7,
         8},
        {"one needed: no such step", 1, 6, 4, 3, false, 0, 10, 5, 40, false, 0, 0},
        // With the ace Varenta: completing when the human is near the end
        // (six wild cards: completing may spend them).
        {"human of five cards", 1, 6, 3, 2, true, 0, 5, 5, 40, false, 7, 0},
        {"human of six cards", 1, 6, 3, 2, true, 0, 6, 5, 40, false, 0, 0},
        {"human of five cards ahead in Varentas", 1, 3, 3, 2, true, 2, 5, 0, 40, false, 7, 3, false,
         true},
        {"aggressive, human without melds, stock of 59", 1, 3, 3, 2, true, 0, 12, 0, 59, true, 7,
         0},
        {"aggressive, human without melds, stock of 60", 1, 3, 3, 2, true, 0, 12, 0, 60, true, 0,
         0},
        {"aggressive, human with melds", 1, 3, 3, 2, true, 0, 12, 3, 59, true, 0, 0},
        // Without a Varenta, the human with its own and four cards: naturals
        // go down when the hand and melds hold 17 cards.
        {"17 cards", 1, 0, 3, 7, false, 1, 4, 0, 40, false, 4, 0, true},
        {"16 cards", 1, 0, 3, 6, false, 1, 4, 0, 40, false, 0, 0, true},
        {"no first meld yet", 1, 0, 3, 10, false, 1, 4, 0, 40, false, 0, 0},
        {"a human of five cards", 1, 0, 3, 7, false, 1, 5, 0, 40, false, 0, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        RuleSet rules;
        rules.numberOfVarentas = c.needed;
        t.SetRules(rules);
        if (c.aceVarenta || c.aceMeld) {
            for (int i = 0; i < (c.aceVarenta ? 7 : 3); ++i) {
                t.Melds({Code(i % 4, kAce)});
            }
        }
        for (int v = 0; v < c.humanVarentas; ++v) {
            for (int i = 0; i < 7; ++i) {
                t.HumanMelds({Code(i % 4, kFour + v)});
            }
        }
        for (int i = 0; i < c.humanSixes; ++i) {
            t.HumanMelds({Code(i % 4, kSix)});
        }
        Many(t, kKing, 4);
        Many(t, kQueen, c.queens);
        Many(t, 0, c.jokers);
        for (int i = 0; i < c.singles; ++i) {
            t.Hand({Code(kHeart, kFive + i)});
        }
        t.HumanHandSize(c.humanHand);
        t.StockFiller(c.stock);
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.initialMeldNeed = 50;
        p.aggressiveTurn = c.aggressive;
        p.opponentThreat = c.threat;
        p.RefreshTallies();
        p.ExpertMeldPhase();
        EXPECT_EQ(t.MeldColumn(kKing), c.kingsAfter);
        EXPECT_EQ(t.MeldColumn(kQueen), c.queensAfter);
    }
}

TEST(ExpertMeldLimits, NaturalVarentasOfTheLowestAndHighestRank) {
    for (const int rank : {kFour, kAce}) {
        Stage t;
        for (int i = 0; i < 3; ++i) {
            t.Melds({Code(i % 4, kKing)});
        }
        Many(t, rank, 7);
        t.Hand({Code(kSpade, kNine)});
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.initialMeldNeed = 50;
        p.NaturalVarentas();
        EXPECT_EQ(t.MeldColumn(rank), 7) << rank;
    }
    // One queen completes six on the table.
    Stage t;
    for (int i = 0; i < 6; ++i) {
        t.Melds({Code(i % 4, kQueen)});
    }
    t.Hand({Code(kHeart, kQueen), Code(kSpade, kNine)});
    ExpertPlayer p(t.engine, t.settings, t.expert);
    p.initialMeldNeed = 50;
    p.NaturalVarentas();
    EXPECT_EQ(t.MeldColumn(kQueen), 7);
}

TEST(ExpertMeldLimits, GoOutCheckAndCompleteVarentas) {
    const int k = Code(kSpade, kKing), q = Code(kSpade, kQueen), j = kJoker;
    const int f = Code(kSpade, kFive), four = Code(kSpade, kFour), a = Code(kSpade, kAce);
    {
        // Whether the hand can go out once the wild cards have made a Varenta of
        // a group of four or more; aggressive, it then lays out.
        struct Case {
            const char* what;
            int kingMeld;
            std::vector<int> hand;
            bool aggressive, good;
            int kingsAfter;
        };
        const Case cases[] = {
            {"four kings take three wild cards, a pair none left",
             0,
             {k, k, k, k, j, j, j, f, f},
             false,
             false,
             0},
            {"four kings take three wild cards, a pair the fourth",
             0,
             {k, k, k, k, j, j, j, j, f, f},
             false,
             true,
             0},
            {"three queens are not made a Varenta", 0, {q, q, q, j, j, j, j, f, f}, false, true, 0},
            {"one Varenta is made, not two",
             0,
             {k, k, k, k, q, q, q, q, j, j, j, j, j, j, f, f},
             false,
             true,
             0},
            {"a pair of fours without a wild card", 0, {four, four, k, k, k}, false, false, 0},
            {"a pair of aces without a wild card", 0, {a, a, k, k, k}, false, false, 0},
            {"a meld of six and a joker", 6, {j, Code(kSpade, kNine)}, true, true, 7},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            Stage t;
            for (int i = 0; i < c.kingMeld; ++i) {
                t.Melds({Code(i % 4, kKing)});
            }
            for (int code : c.hand) {
                t.Hand({code});
            }
            ExpertPlayer p(t.engine, t.settings, t.expert);
            p.initialMeldNeed = 50;
            p.aggressiveTurn = c.aggressive;
            EXPECT_EQ(p.GoOutCheck(), c.good);
            EXPECT_EQ(t.MeldColumn(kKing), c.kingsAfter);
        }
    }
    // With its ace Varenta the Expert spends wild cards on a Varenta only when
    // behind the human, with six of them, or going out; a meld short of seven
    // takes the hand's naturals, a Varenta does not.
    struct Case {
        const char* what;
        int humanVarentas, kingMeld, kings, jokers, kingsAfter;
        int singles = 2;
    };
    const Case cases[] = {
        {"even with the human", 1, 0, 4, 3, 0},
        {"behind the human", 2, 0, 4, 3, 7},
        {"six wild cards", 0, 0, 4, 6, 7},
        {"five wild cards", 0, 0, 4, 5, 0},
        {"a Varenta takes no natural", 0, 7, 1, 0, 7},
        {"a meld of six takes one", 0, 6, 1, 0, 7},
        {"behind the human, the whole hand", 2, 0, 4, 3, 7, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        for (int i = 0; i < 7; ++i) {
            t.Melds({Code(i % 4, kAce)});
        }
        for (int i = 0; i < c.kingMeld; ++i) {
            t.Melds({Code(i % 4, kKing)});
        }
        for (int v = 0; v < c.humanVarentas; ++v) {
            for (int i = 0; i < 7; ++i) {
                t.HumanMelds({Code(i % 4, kFour + v)});
            }
        }
        Many(t, kKing, c.kings);
        Many(t, 0, c.jokers);
        for (int i = 0; i < c.singles; ++i) {
            t.Hand({Code(kSpade, kFive + i)});
        }
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.initialMeldNeed = 50;
        p.CompleteVarentas();
        EXPECT_EQ(t.MeldColumn(kKing), c.kingsAfter);
    }
    // Varentas within reach of the wild cards, from the fours to the aces;
    // black threes make none.
    for (const int rank : {kFour, kAce, kThree}) {
        Stage t;
        if (rank == kThree) {
            t.Hand({kBlackThree, kBlackThree, Code(kClub, kThree), Code(kClub, kThree)});
        } else {
            Many(t, rank, 4);
        }
        Many(t, 0, 3);
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.RefreshTallies();
        const ReachableResult r = p.ReachableVarentas();
        EXPECT_EQ(r.varentas, rank == kThree ? 0 : 1) << rank;
        EXPECT_EQ(r.cardsUsed, rank == kThree ? 3 : 7) << rank;
    }
}

TEST(ExpertMeldLimits, AggressiveGoingOut) {
    // Two Varentas needed and on the table; the hand can go out but for a
    // black three (so the going-out check does not lay it). Aggressive, the
    // Expert goes out unless the human is far from it and its own cards are many.
    struct Case {
        const char* what;
        int humanVarentas, humanHand, queens, jacks;
        bool frozen;
        int queensAfter;
    };
    const Case cases[] = {
        {"human far from going out", 0, 20, 3, 0, false, 0},
        {"human with a Varenta", 1, 13, 3, 0, false, 3},
        {"human with 35 cards", 0, 35, 3, 0, false, 3},
        {"human with 34 cards", 0, 34, 3, 0, false, 0},
        {"frozen, 15 cards of its own", 0, 20, 4, 4, true, 0},
        {"frozen, 14 cards of its own", 0, 20, 4, 3, true, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        RuleSet rules;
        rules.numberOfVarentas = 2;
        t.SetRules(rules);
        for (int i = 0; i < 7; ++i) {
            t.Melds({Code(i % 4, kAce)});
            t.Melds({Code(i % 4, kKing)});
        }
        for (int v = 0; v < c.humanVarentas; ++v) {
            for (int i = 0; i < 7; ++i) {
                t.HumanMelds({Code(i % 4, kFour)});
            }
        }
        Many(t, kQueen, c.queens);
        Many(t, kJack, c.jacks);
        if (c.jacks > 0) {
            Many(t, kTen, 3);
            Many(t, kNine, 3);
        }
        t.Hand({kBlackThree});
        t.HumanHandSize(c.humanHand - 7 * c.humanVarentas);
        t.St().pileFrozen = c.frozen;
        t.StockFiller(40);
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.initialMeldNeed = 50;
        p.aggressiveTurn = true;
        p.RefreshTallies();
        p.ExpertMeldPhase();
        EXPECT_EQ(t.MeldColumn(kQueen), c.queensAfter);
    }
}

} // namespace
} // namespace varenta::testing

// The Expert's discard at its limits: its first rules, the freeze with a
// wild card, and the highest card when nothing is safe.

#include <gtest/gtest.h>

#include <vector>

#include "varenta/computer/ExpertPlayer.h"
#include "varenta/computer/tests/Stage.h"

namespace varenta::testing {
namespace {

int Thrown(Stage& t, ExpertPlayer& p) {
    const DiscardChoice d = p.ExpertChooseDiscard();
    EXPECT_GE(d.handIndex, 0);
    return d.handIndex < 0 ? -1 : t.St().opponentHand[d.handIndex].rank;
}

TEST(ExpertDiscardLimits, FirstRules) {
    // The hand index thrown.
    struct Case {
        const char* what;
        std::vector<int> hand;
        bool aceVarenta;
        int discardRank, index;
    };
    const int f = Code(kSpade, kFive), n = Code(kSpade, kNine), j = Code(kSpade, kJack);
    const Case cases[] = {
        {"only wild cards: a two", {kTwoCode, kJoker}, false, 0, 0},
        {"only wild cards: the two", {kJoker, kTwoCode}, false, 0, 1},
        {"only jokers", {kJoker, kJoker}, false, 0, 0},
        {"five wild cards stay with the Varenta",
         {kJoker, kJoker, kTwoCode, kTwoCode, kTwoCode, f, n},
         true,
         0,
         5},
        {"the rank being thrown goes on", {j, f, n}, false, kJack, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        for (int i = 0; i < 3; ++i) {
            t.Melds({Code(i % 4, kKing)});
        }
        if (c.aceVarenta) {
            for (int i = 0; i < 7; ++i) {
                t.Melds({Code(i % 4, kAce)});
            }
        }
        for (int code : c.hand) {
            t.Hand({code});
        }
        t.HumanHandSize(26); // the pile is never urgent
        t.StockFiller(30);
        t.expert.discardRank = c.discardRank;
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.initialMeldNeed = 50;
        EXPECT_EQ(p.ExpertChooseDiscard().handIndex, c.index);
    }
}

TEST(ExpertDiscardLimits, FreezesAgainstAHumanOfFewUnknownCards) {
    // The human has 20 cards melded; the computer holds wild cards besides a
    // five and a nine.
    struct Case {
        const char* what;
        bool aceVarenta;
        int wilds, humanHand, known;
        bool wildThrown;
    };
    const Case cases[] = {
        {"seven unknown: a joker known of eight", true, 1, 8, kJoker, true},
        {"seven unknown: a two known of eight", true, 1, 8, kTwoCode, true},
        {"seven unknown: a three known of eight", true, 1, 8, kBlackThree, true},
        {"eight unknown: a four known", true, 1, 8, Code(kSpade, kFour), false},
        {"four wild cards without the Varenta", false, 4, 7, -1, true},
        {"three wild cards without the Varenta", false, 3, 7, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        for (int i = 0; i < 3; ++i) {
            t.Melds({Code(i % 4, kKing)});
        }
        if (c.aceVarenta) {
            for (int i = 0; i < 7; ++i) {
                t.Melds({Code(i % 4, kAce)});
            }
        }
        t.Hand({Code(kSpade, kFive), Code(kSpade, kNine)});
        for (int i = 0; i < c.wilds; ++i) {
            t.Hand({kJoker});
        }
        for (int r : {kFour, kSix, kEight, kTen}) {
            for (int i = 0; i < 5; ++i) {
                t.HumanMelds({Code(i % 4, r)}, r);
            }
        }
        t.HumanHandSize(c.humanHand);
        if (c.known >= 0) {
            t.Known({c.known});
        }
        t.Pile({Code(kSpade, kSix)});
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.initialMeldNeed = 50;
        EXPECT_EQ(Thrown(t, p) == 0, c.wildThrown);
        if (c.wildThrown) {
            EXPECT_EQ(t.expert.discardRank, 0);
        }
    }
}

TEST(ExpertDiscardLimits, UrgentPile) {
    // Kings melded, a pile of 20: the pile is urgent.
    struct Case {
        const char* what;
        std::vector<int> hand;
        int fillers, humanHand;
        std::vector<int> known;
        int thrownRank;
    };
    const int a = Code(kSpade, kAce), f = Code(kSpade, kFive), n = Code(kSpade, kNine);
    const int four = Code(kSpade, kFour);
    const Case cases[] = {
        {"the pair of fours", {four, four, f, n}, 0, 5, {}, kFour},
        {"the pair of aces", {a, a, f, n}, 0, 5, {}, kAce},
        {"aces the human holds two of stay", {a, a, f, n}, 0, 5, {a, a}, kFive},
        {"aces the human holds one of go", {a, a, f, n}, 0, 5, {a}, kAce},
        {"twelve cards: a two is spared", {a, a, f, n, kTwoCode}, 7, 5, {}, 1},
        {"twelve cards: a joker is spared", {a, a, f, n, kJoker}, 7, 5, {}, 0},
        {"eleven cards keep the two", {a, a, f, n, kTwoCode}, 6, 5, {}, kNine},
        {"a human of 21 cards: the two stays", {a, a, f, n, kTwoCode}, 7, 21, {}, kNine},
        {"only wild cards", {kJoker, kTwoCode}, 0, 5, {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        for (int i = 0; i < 3; ++i) {
            t.Melds({Code(i % 4, kKing)});
        }
        for (int code : c.hand) {
            t.Hand({code});
        }
        for (int i = 0; i < c.fillers; ++i) {
            t.Hand({Code(kHeart, kSix + i)});
        }
        for (int code : c.known) {
            t.Known({code});
        }
        t.PileFiller(20);
        t.HumanHandSize(c.humanHand);
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.initialMeldNeed = 50;
        EXPECT_EQ(Thrown(t, p), c.thrownRank);
    }
}

TEST(ExpertDiscardLimits, MainSelection) {
    // A jack Varenta is on the table and the pile not urgent.
    struct Case {
        const char* what;
        std::vector<int> hand;
        bool varenta, frozen;
        int humanFives, humanNines, knownFives, knownNines, humanHand, thrownRank;
    };
    const int f = Code(kSpade, kFive), n = Code(kSpade, kNine), k = Code(kSpade, kKing);
    const Case cases[] = {
        {"singles before pairs", {f, n, n}, true, false, 0, 0, 0, 0, 10, kFive},
        {"a single four", {Code(kSpade, kFour), k, k}, true, false, 0, 0, 0, 0, 10, kFour},
        {"a five the human melded eight of", {f, k, k}, true, false, 8, 0, 0, 0, 10, kFive},
        {"nine: too dangerous to weigh", {f, k, k}, true, false, 9, 0, 0, 0, 10, kKing},
        {"a single ace", {Code(kSpade, kAce), k, k}, true, false, 0, 0, 0, 0, 10, kAce},
        {"frozen: one five known is safe", {f, n}, true, true, 5, 0, 1, 3, 10, kFive},
        {"frozen: two fives known are not", {f, n}, true, true, 4, 0, 2, 3, 10, kNine},
        {"six fives melded stay, seven nines go", {f, n}, true, false, 6, 7, 0, 0, 10, kNine},
        {"a rich human without the Varenta: the fives",
         {f, n},
         false,
         false,
         6,
         7,
         0,
         0,
         26,
         kFive},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        if (c.varenta) {
            for (int i = 0; i < 7; ++i) {
                t.Melds({Code(i % 4, kJack)});
            }
        } else {
            for (int i = 0; i < 3; ++i) {
                t.Melds({Code(i % 4, kKing)});
            }
        }
        for (int code : c.hand) {
            t.Hand({code});
        }
        for (int i = 0; i < c.humanFives; ++i) {
            t.HumanMelds({i < 8 ? Code(i % 4, kFive) : kJoker}, kFive);
        }
        for (int i = 0; i < c.humanNines; ++i) {
            t.HumanMelds({Code(i % 4, kNine)});
        }
        for (int i = 0; i < c.knownFives; ++i) {
            t.Known({Code(kHeart, kFive)});
        }
        for (int i = 0; i < c.knownNines; ++i) {
            t.Known({Code(kHeart, kNine)});
        }
        t.HumanHandSize(c.humanHand);
        t.Pile({Code(kSpade, kSix)});
        t.St().pileFrozen = c.frozen;
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.initialMeldNeed = 50;
        EXPECT_EQ(Thrown(t, p), c.thrownRank);
    }
}

TEST(ExpertDiscardLimits, NeverTheHumansLastCard) {
    // The human holds one card and has melded fives; the pile is empty.
    Stage t;
    t.Hand({Code(kSpade, kFive), Code(kSpade, kFour), Code(kClub, kFour)});
    t.HumanMelds({Code(kSpade, kFive), Code(kClub, kFive), Code(kDiamond, kFive)});
    t.HumanHandSize(1);
    t.St().pileFrozen = true;
    ExpertPlayer p(t.engine, t.settings, t.expert);
    p.initialMeldNeed = 50;
    EXPECT_EQ(Thrown(t, p), kFour);
}

TEST(ExpertDiscardLimits, NothingSafe) {
    // The human collects fives and kings hard: nothing is safe to throw.
    struct Case {
        std::vector<int> hand;
        int stock, thrownRank;
    };
    const int f = Code(kSpade, kFive), k = Code(kSpade, kKing);
    const Case cases[] = {
        {{k, f}, 30, kKing},
        {{f, k, kBlackThree}, 69, 2},
        {{f, k, kBlackThree}, 70, kKing},
    };
    for (const Case& c : cases) {
        Stage t;
        RuleSet open;
        open.initialBlock = false;
        t.SetRules(open);
        for (int r : {kFive, kKing}) {
            t.HumanMelds({Code(kSpade, r), Code(kClub, r), Code(kDiamond, r), Code(kHeart, r),
                          Code(kSpade, r), Code(kClub, r), Code(kDiamond, r), Code(kHeart, r),
                          kJoker, kTwoCode},
                         r);
        }
        t.HumanHandSize(5);
        t.Pile({Code(kSpade, kSix)});
        for (int code : c.hand) {
            t.Hand({code});
        }
        t.StockFiller(c.stock);
        ExpertPlayer p(t.engine, t.settings, t.expert);
        p.initialMeldNeed = 50;
        EXPECT_EQ(Thrown(t, p), c.thrownRank) << c.stock;
    }
}

} // namespace
} // namespace varenta::testing

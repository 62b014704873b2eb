// The limits of the shared taking rule and of the Advanced and Beginner
// levels' decisions: each table puts positions just inside and just outside
// one decision's limits.

#include <gtest/gtest.h>

#include "varenta/computer/AdvancedPlayer.h"
#include "varenta/computer/BeginnerPlayer.h"
#include "varenta/computer/tests/Stage.h"

namespace varenta::testing {
namespace {

// n single spades of ranks four to ten in the computer's hand.
void Singles(Stage& t, int n) {
    for (int i = 0; i < n; ++i) {
        t.Hand({Code(kSpade, kFour + i)});
    }
}

RuleSet Unfrozen() {
    RuleSet rules;
    rules.initialBlock = false;
    return rules;
}

TEST(Limits, ComputerMayTakePile) {
    struct Case {
        const char* what;
        int queens, wilds, meld, singles, pile; // pile counts the queen on top
        bool frozen, naturalPair, addToVarenta, allowed;
    };
    const Case cases[] = {
        {"one queen and a wild card", 1, 1, 0, 2, 2, false, false, true, true},
        {"one queen, no wild card", 1, 0, 0, 3, 2, false, false, true, false},
        {"meld of two", 0, 0, 2, 3, 2, false, true, true, false},
        {"meld of three", 0, 0, 3, 3, 2, false, true, true, true},
        {"meld of six, rule off", 0, 0, 6, 3, 2, false, true, false, true},
        {"meld of seven, rule off", 0, 0, 7, 3, 2, false, true, false, false},
        {"meld of seven, rule on", 0, 0, 7, 3, 2, false, true, true, true},
        {"new meld, three cards in all", 2, 0, 0, 0, 1, false, true, true, false},
        {"new meld, four cards in all", 2, 0, 0, 0, 2, false, true, true, true},
        {"frozen, queen and wild card", 1, 1, 0, 2, 2, true, false, true, false},
        {"frozen, natural pair", 2, 0, 0, 2, 2, true, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        RuleSet rules = Unfrozen();
        rules.naturalPair = c.naturalPair;
        rules.addToVarenta = c.addToVarenta;
        t.SetRules(rules);
        for (int i = 0; i < c.queens; ++i) {
            t.Hand({Code(kSpade, kQueen)});
        }
        for (int i = 0; i < c.wilds; ++i) {
            t.Hand({kJoker});
        }
        for (int i = 0; i < c.meld; ++i) {
            t.Melds({Code(kClub, kQueen)});
        }
        Singles(t, c.singles);
        t.PileFiller(c.pile - 1);
        t.Pile({Code(kDiamond, kQueen)});
        BeginnerPlayer p(t.engine, t.settings);
        p.RefreshTallies();
        EXPECT_EQ(p.ComputerMayTakePile(kQueen, c.frozen), c.allowed);
    }
}

TEST(Limits, AdvMeldCheck) {
    struct Case {
        const char* what;
        int need;
        std::vector<int> groups; // besides the singles
        int singles;
        bool ok;
    };
    const std::vector<int> aces{Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)};
    const std::vector<int> acePair{Code(kSpade, kAce), Code(kClub, kAce), kJoker};
    const std::vector<int> twoPairs{Code(kSpade, kAce),  Code(kClub, kAce),  kJoker,
                                    Code(kSpade, kKing), Code(kClub, kKing), kJoker};
    const Case cases[] = {
        {"three aces, seven more cards", 50, aces, 7, true},
        {"three aces, six more cards", 50, aces, 6, false},
        {"a pair below 90", 89, acePair, 7, false},
        {"a pair at 90", 90, acePair, 7, true},
        {"two pairs below 120", 119, twoPairs, 7, false},
        {"two pairs at 120", 120, twoPairs, 7, true},
        {"points one short", 61, aces, 7, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        for (int code : c.groups) {
            t.Hand({code});
        }
        Singles(t, c.singles);
        AdvancedPlayer p(t.engine, t.settings, t.advanced);
        p.RefreshTallies();
        p.need = c.need;
        EXPECT_EQ(p.AdvMeldCheck().ok, c.ok);
    }
}

// How often a take is decided over many random draws: never, sometimes or
// always.
enum class Often { Never, Sometimes, Always };

Often Count(int yes, int tries) {
    return yes == 0 ? Often::Never : (yes == tries ? Often::Always : Often::Sometimes);
}

TEST(Limits, AdvTakePile) {
    struct Case {
        const char* what;
        bool varentaRequired;
        int wilds, pile;
        Often taken;
    };
    const Case cases[] = {
        // A king meld on the table, one king (the top card) to add.
        {"seven with the wild cards", false, 2, 4, Often::Always},
        {"six with the wild cards, pile of four", false, 1, 4, Often::Never},
        {"six with the wild cards, pile of five", false, 1, 5, Often::Sometimes},
        {"no target, pile of five", true, 0, 5, Often::Never},
        {"no target, pile of six", true, 0, 6, Often::Sometimes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int yes = 0;
        const int tries = 200;
        for (int seed = 1; seed <= tries; ++seed) {
            Stage t;
            RuleSet rules;
            rules.varentaRequired = c.varentaRequired;
            t.SetRules(rules);
            t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
            for (int i = 0; i < c.wilds; ++i) {
                t.Hand({kJoker});
            }
            Singles(t, 3);
            t.PileFiller(c.pile - 1);
            t.Pile({Code(kHeart, kKing)});
            t.engine.Rng().Seed(static_cast<std::uint64_t>(seed));
            AdvancedPlayer p(t.engine, t.settings, t.advanced);
            p.need = 50;
            yes += p.AdvTakePile() ? 1 : 0;
        }
        EXPECT_EQ(Count(yes, tries), c.taken) << yes;
    }
}

TEST(Limits, AdvTakePileNeedsAGroupOfThree) {
    // The computer has melded aces; kings on top of the pile.
    struct Case {
        const char* what;
        int kings, jokers, pileKings, pile; // pile counts the top card
        bool taken;
    };
    const Case cases[] = {
        {"pile of four: two kings and the top", 2, 0, 0, 4, true},
        {"pile of four: a king, a joker and the top", 1, 1, 0, 4, false},
        {"four kings in reach of seven: three held", 2, 3, 0, 6, true},
        {"four kings in reach of seven: two held", 1, 3, 1, 6, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        RuleSet rules = Unfrozen();
        rules.naturalPair = false;
        t.SetRules(rules);
        t.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
        for (int i = 0; i < c.kings; ++i) {
            t.Hand({Code(kSpade, kKing)});
        }
        for (int i = 0; i < c.jokers; ++i) {
            t.Hand({kJoker});
        }
        Singles(t, 4);
        t.PileFiller(c.pile - 1 - c.pileKings);
        for (int i = 0; i < c.pileKings; ++i) {
            t.Pile({Code(kClub, kKing)});
        }
        t.Pile({Code(kHeart, kKing)});
        AdvancedPlayer p(t.engine, t.settings, t.advanced);
        p.need = 50;
        EXPECT_EQ(p.AdvTakePile(), c.taken);
    }
}

TEST(Limits, AdvChooseDiscard) {
    const int f = Code(kSpade, kFive);
    const int k = Code(kSpade, kKing);
    struct Case {
        const char* what;
        std::vector<int> hand;
        int pile, humanFives, humanNines, humanHand;
        int thrownRank;
    };
    const Case cases[] = {
        {"pile of five: a single",
         {kBlackThree, Code(kSpade, kNine), Code(kClub, kNine), Code(kSpade, kKing)},
         5,
         0,
         0,
         10,
         kKing},
        {"pile of six: the black three",
         {kBlackThree, Code(kSpade, kNine), Code(kClub, kNine), Code(kSpade, kKing)},
         6,
         0,
         0,
         10,
         2},
        {"human meld of two", {Code(kSpade, kFive), Code(kSpade, kKing)}, 6, 2, 0, 10, kFive},
        {"human meld of three", {Code(kSpade, kFive), Code(kSpade, kKing)}, 6, 3, 0, 10, kKing},
        {"three wild cards of seven",
         {kTwoCode, kTwoCode, kJoker, Code(kSpade, kFive), Code(kSpade, kSix), Code(kSpade, kSeven),
          Code(kSpade, kEight)},
         6,
         0,
         0,
         10,
         1},
        {"three wild cards of eight",
         {kTwoCode, kTwoCode, kJoker, Code(kSpade, kFive), Code(kSpade, kSix), Code(kSpade, kSeven),
          Code(kSpade, kEight), Code(kSpade, kTen)},
         6,
         0,
         0,
         10,
         kFive},
        {"pile of six: four fives go", {f, f, f, f, k, k}, 6, 0, 0, 10, kFive},
        {"pile of six: three fives stay", {f, f, f, k, k}, 6, 0, 0, 10, kKing},
        {"pile of six: five fives go", {f, f, f, f, f, k, k}, 6, 0, 0, 10, kFive},
        {"pile of six: six fives stay", {f, f, f, f, f, f, k, k}, 6, 0, 0, 10, kKing},
        {"human meld of one nine",
         {Code(kSpade, kNine), Code(kClub, kNine), kJoker},
         6,
         0,
         1,
         9,
         kNine},
        {"pile of five: a pair goes as a black three",
         {kBlackThree, Code(kSpade, kNine), Code(kClub, kNine)},
         5,
         0,
         0,
         10,
         2},
        {"pile of five: never the human's seventh five", {f, k}, 5, 6, 0, 10, kKing},
        {"human of nine cards collects nines",
         {Code(kSpade, kNine), Code(kClub, kNine), kJoker},
         6,
         0,
         2,
         9,
         0},
        {"human of ten cards collects nines",
         {Code(kSpade, kNine), Code(kClub, kNine), kJoker},
         6,
         0,
         2,
         10,
         kNine},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        t.SetRules(Unfrozen());
        for (int code : c.hand) {
            t.Hand({code});
        }
        for (int i = 0; i < c.humanFives; ++i) {
            t.HumanMelds({Code(kHeart, kFive)});
        }
        for (int i = 0; i < c.humanNines; ++i) {
            t.HumanMelds({Code(kHeart, kNine)});
        }
        t.HumanHandSize(c.humanHand);
        t.PileFiller(c.pile);
        AdvancedPlayer p(t.engine, t.settings, t.advanced);
        const DiscardChoice d = p.AdvChooseDiscard();
        ASSERT_GE(d.handIndex, 0);
        EXPECT_EQ(t.St().opponentHand[d.handIndex].rank, c.thrownRank);
    }
}

TEST(Limits, CompleteVarentasInOnePass) {
    struct Case {
        const char* what;
        std::vector<int> meld, hand;
        int meldAfter;
    };
    const std::vector<int> kings{Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)};
    const Case cases[] = {
        {"seven with three wild cards",
         kings,
         {Code(kHeart, kKing), kJoker, kJoker, kJoker, Code(kSpade, kFive)},
         7},
        {"six with two wild cards",
         kings,
         {Code(kHeart, kKing), kJoker, kJoker, Code(kSpade, kFive)},
         3},
        {"seven would empty the hand", kings, {Code(kHeart, kKing), kJoker, kJoker, kJoker}, 3},
        {"a meld with one wild card takes two more",
         {Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), kJoker},
         {Code(kHeart, kKing), kJoker, kJoker, Code(kSpade, kFive)},
         7},
        {"a meld with two wild cards takes no more two",
         {Code(kSpade, kKing), Code(kClub, kKing), kJoker, kJoker},
         {Code(kHeart, kKing), kJoker, kJoker, Code(kSpade, kFive)},
         4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        for (int code : c.meld) {
            t.Melds({code}, kKing);
        }
        for (int code : c.hand) {
            t.Hand({code});
        }
        AdvancedPlayer p(t.engine, t.settings, t.advanced);
        p.AdvCompleteVarentas();
        EXPECT_EQ(t.MeldColumn(kKing), c.meldAfter);
    }
}

TEST(Limits, BegTakePile) {
    struct Case {
        const char* what;
        bool aceVarenta;                                   // the needed Varenta is on the table
        int fours, meldFours, pileFours, pileOthers, need; // pileFours: the top card too
        bool taken;
    };
    const Case cases[] = {
        {"with the Varenta: two with the top card", true, 1, 0, 1, 2, 50, false},
        {"with the Varenta: three with the top card", true, 2, 0, 1, 2, 50, true},
        {"with the Varenta: meld of three, pile of two", true, 0, 3, 1, 1, 50, false},
        {"with the Varenta: meld of three, pile of three", true, 0, 3, 1, 2, 50, true},
        {"first meld exactly reachable", false, 2, 0, 4, 0, 65, true},
        {"first meld one point short", false, 2, 0, 4, 0, 66, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        RuleSet rules;
        rules.naturalPair = false; // one four and a joker may take the pile
        t.SetRules(rules);
        if (c.aceVarenta) {
            t.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce),
                     Code(kHeart, kAce), Code(kSpade, kAce), Code(kClub, kAce),
                     Code(kDiamond, kAce)});
        }
        for (int i = 0; i < c.meldFours; ++i) {
            t.Melds({Code(kClub, kFour)});
        }
        for (int i = 0; i < c.fours; ++i) {
            t.Hand({Code(kSpade, kFour)});
        }
        t.Hand({kJoker, Code(kSpade, kJack), Code(kSpade, kQueen)});
        t.PileFiller(0);
        for (int i = 0; i < c.pileOthers; ++i) {
            t.Pile({Code(kHeart, kNine)});
        }
        for (int i = 1; i < c.pileFours; ++i) {
            t.Pile({Code(kHeart, kFour)});
        }
        t.Pile({Code(kDiamond, kFour)});
        BeginnerPlayer p(t.engine, t.settings);
        p.need = c.need;
        EXPECT_EQ(p.BegTakePile(), c.taken);
    }
}

TEST(Limits, BegMeldCheck) {
    struct Case {
        int need, singles;
        bool ok;
    };
    const Case cases[] = {{60, 1, true}, {61, 1, false}, {60, 0, false}};
    for (const Case& c : cases) {
        Stage t;
        t.Hand({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
        Singles(t, c.singles);
        BeginnerPlayer p(t.engine, t.settings);
        p.RefreshTallies();
        p.need = c.need;
        EXPECT_EQ(p.BegMeldCheck().ok, c.ok) << c.need << " " << c.singles;
    }
}

TEST(Limits, BegChooseDiscard) {
    // The human's king meld near a Varenta makes the Beginner freeze the pile.
    for (const auto& [humanKings, thrown] :
         std::vector<std::pair<int, int>>{{4, kFive}, {5, 1}, {6, 1}, {7, kFive}}) {
        Stage t;
        t.SetRules(Unfrozen());
        t.Hand({Code(kSpade, kKing), kTwoCode, Code(kSpade, kFive), Code(kClub, kKing)});
        for (int i = 0; i < humanKings; ++i) {
            t.HumanMelds({Code(kHeart, kKing)});
        }
        BeginnerPlayer p(t.engine, t.settings);
        EXPECT_EQ(t.St().opponentHand[p.BegChooseDiscard().handIndex].rank, thrown) << humanKings;
    }
}

} // namespace
} // namespace varenta::testing

// The limits of the Expert's decisions: each table puts positions just inside
// and just outside one decision's limits (stock, hand and pile sizes, points).

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "varenta/computer/ExpertPlayer.h"
#include "varenta/computer/tests/Stage.h"

namespace varenta::testing {
namespace {

struct ExpertStage : Stage {
    std::unique_ptr<ExpertPlayer> Player(int need = 50) {
        auto p = std::make_unique<ExpertPlayer>(engine, settings, expert);
        p->initialMeldNeed = need;
        p->RefreshTallies();
        return p;
    }
    void Add(const std::vector<int>& codes) {
        for (int code : codes) {
            Hand({code});
        }
    }
    void Needed(int n, bool initialBlock = true) {
        RuleSet rules;
        rules.numberOfVarentas = n;
        rules.initialBlock = initialBlock;
        SetRules(rules);
    }
    void AceVarenta() {
        Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce), Code(kHeart, kAce),
               Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
    }
};

TEST(ExpertLimits, OpponentThreat) {
    struct Case {
        int stock, pile, humanCards;
        bool ownMeld, threat;
    };
    // (77 - unseen) / 2 + 21 cards make the human a threat while fewer than
    // 62 cards are unseen and the computer has not melded.
    const Case cases[] = {
        {60, 1, 29, false, true},   {60, 1, 28, false, false}, {61, 1, 40, false, false},
        {59, 1, 29, false, true},   {60, 1, 29, true, false},  {40, 10, 34, false, true},
        {40, 10, 33, false, false},
    };
    for (const Case& c : cases) {
        ExpertStage t;
        t.StockFiller(c.stock);
        t.PileFiller(c.pile);
        t.HumanHandSize(c.humanCards);
        t.Hand({Code(kSpade, kFive), Code(kSpade, kNine)});
        if (c.ownMeld) {
            t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
        }
        auto p = t.Player();
        p->BeginExpertTurn();
        EXPECT_EQ(p->opponentThreat, c.threat) << c.stock << " " << c.pile << " " << c.humanCards;
    }
}

TEST(ExpertLimits, ShouldTakePileByCounts) {
    struct Case {
        const char* what;
        int needed;
        std::vector<int> melds; // computer's melds besides a meld of queens
        int meldQueens;
        std::vector<int> hand; // besides the singles
        int pile, stock;       // pile counts the queen on top
        bool naturalPair, taken;
    };
    const std::vector<int> aces{Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)};
    const std::vector<int> fourQueens{Code(kSpade, kQueen),   Code(kClub, kQueen),
                                      Code(kDiamond, kQueen), Code(kSpade, kAce),
                                      Code(kClub, kAce),      Code(kDiamond, kAce)};
    const Case cases[] = {
        {"meld: pile of three", 1, {}, 3, {}, 3, 30, true, false},
        {"meld: pile of four", 1, {}, 3, {}, 4, 30, true, true},
        {"meld: stock of 67", 1, {}, 3, {}, 4, 67, true, true},
        {"meld: stock of 68", 1, {}, 3, {}, 4, 68, true, false},
        {"four queens: stock of 61", 1, {}, 0, fourQueens, 2, 61, true, true},
        {"four queens: stock of 62", 1, {}, 0, fourQueens, 2, 62, true, false},
        {"three queens: pile of seven",
         1,
         aces,
         0,
         {Code(kSpade, kQueen), Code(kClub, kQueen)},
         7,
         40,
         true,
         false},
        {"three queens: pile of eight",
         1,
         aces,
         0,
         {Code(kSpade, kQueen), Code(kClub, kQueen)},
         8,
         40,
         true,
         true},
        {"three queens: pile of eight, stock of 61",
         1,
         aces,
         0,
         {Code(kSpade, kQueen), Code(kClub, kQueen)},
         8,
         61,
         true,
         true},
        {"three queens: pile of eight, stock of 62",
         1,
         aces,
         0,
         {Code(kSpade, kQueen), Code(kClub, kQueen)},
         8,
         62,
         true,
         false},
        {"five queens with three wild cards",
         1,
         aces,
         0,
         {Code(kSpade, kQueen), Code(kClub, kQueen), kJoker, kJoker, kJoker},
         6,
         40,
         true,
         true},
        {"five queens with two wild cards",
         1,
         aces,
         0,
         {Code(kSpade, kQueen), Code(kClub, kQueen), kJoker, kJoker},
         6,
         40,
         true,
         false},
        {"two needed, three queens: pile of three",
         2,
         aces,
         0,
         {Code(kSpade, kQueen), Code(kClub, kQueen)},
         3,
         40,
         true,
         true},
        {"two needed, three queens: pile of two",
         2,
         aces,
         0,
         {Code(kSpade, kQueen), Code(kClub, kQueen)},
         2,
         40,
         true,
         false},
        {"two needed, meld: pile of two", 2, {}, 3, {}, 2, 40, true, false},
        {"two needed, meld: pile of three", 2, {}, 3, {}, 3, 40, true, true},
        {"two needed, queen and joker: pile of five",
         2,
         aces,
         0,
         {Code(kSpade, kQueen), kJoker},
         5,
         40,
         false,
         false},
        {"two needed, queen and joker: pile of six",
         2,
         aces,
         0,
         {Code(kSpade, kQueen), kJoker},
         6,
         40,
         false,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpertStage t;
        RuleSet rules;
        rules.numberOfVarentas = c.needed;
        rules.naturalPair = c.naturalPair;
        t.SetRules(rules);
        for (int code : c.melds) {
            t.Melds({code});
        }
        for (int i = 0; i < c.meldQueens; ++i) {
            t.Melds({Code(kHeart, kQueen)});
        }
        t.Add(c.hand);
        t.Add({Code(kSpade, kFour), Code(kSpade, kFive), Code(kSpade, kSix), Code(kSpade, kSeven),
               Code(kSpade, kEight), Code(kSpade, kNine), Code(kSpade, kTen), Code(kSpade, kJack),
               Code(kClub, kFour), Code(kClub, kFive), Code(kClub, kSix), Code(kClub, kSeven)});
        t.PileFiller(c.pile - 1);
        t.Pile({Code(kDiamond, kQueen)});
        t.HumanHandSize(26); // the pile is never urgent
        t.StockFiller(c.stock);
        auto p = t.Player();
        EXPECT_EQ(p->ShouldTakePile(), c.taken);
    }
}

TEST(ExpertLimits, InitialMeldPlanWildCardsBeyondThePile) {
    struct Case {
        const char* what;
        int need;
        std::vector<int> hand;
        int pile;
        bool feasible;
    };
    const std::vector<int> foursJoker{Code(kSpade, kFour), Code(kClub, kFour),
                                      Code(kDiamond, kFour), kJoker};
    const std::vector<int> acesJoker{Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce),
                                     kJoker};
    const std::vector<int> acesTwoJokers{Code(kSpade, kAce), Code(kClub, kAce),
                                         Code(kDiamond, kAce), kJoker, kJoker};
    const std::vector<int> acesKingsJoker{Code(kSpade, kAce),
                                          Code(kClub, kAce),
                                          Code(kDiamond, kAce),
                                          Code(kSpade, kKing),
                                          Code(kClub, kKing),
                                          Code(kDiamond, kKing),
                                          kJoker};
    const std::vector<int> foursThreeJokers{
        Code(kSpade, kFour), Code(kClub, kFour), Code(kDiamond, kFour), kJoker, kJoker, kJoker};
    const Case cases[] = {
        {"below 90, one wild card, pile of 14", 60, foursJoker, 14, false},
        {"below 90, one wild card, pile of 15", 60, foursJoker, 15, true},
        {"90, one wild card, pile of 6", 90, acesJoker, 6, false},
        {"90, one wild card, pile of 7", 90, acesJoker, 7, true},
        {"120, one wild card, pile of 5", 120, acesKingsJoker, 5, false},
        {"120, one wild card, pile of 6", 120, acesKingsJoker, 6, true},
        {"120, two wild cards, pile of 10", 120, acesTwoJokers, 10, false},
        {"120, two wild cards, pile of 11", 120, acesTwoJokers, 11, true},
        {"120, three wild cards, pile of 19", 120, foursThreeJokers, 19, false},
        {"120, three wild cards, pile of 20", 120, foursThreeJokers, 20, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpertStage t;
        t.Add(c.hand);
        t.PileFiller(c.pile);
        auto p = t.Player(c.need);
        EXPECT_EQ(p->InitialMeldPlan(0, false, false), c.feasible);
    }
}

TEST(ExpertLimits, MeldPhaseRushAndHoldThrees) {
    struct Case {
        const char* what;
        int stock, humanMelds, blackThrees;
        int kingsLaid;
        bool holdThrees;
    };
    const Case cases[] = {
        {"stock of five: rush", 5, 5, 0, 7, false},
        {"stock of six: no rush", 6, 5, 0, 0, false},
        {"human without melds, stock of 54: rush", 54, 4, 0, 7, false},
        {"human without melds, stock of 55: no rush", 55, 4, 0, 0, false},
        {"human with five melded, stock of 54: no rush", 54, 5, 0, 0, false},
        {"stock of 71: hold black threes", 71, 5, 2, 0, true},
        {"stock of 72: no", 72, 5, 2, 0, false},
        {"one black three: no", 71, 5, 1, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpertStage t;
        t.Add({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), Code(kHeart, kKing),
               kJoker, kJoker, kJoker, Code(kSpade, kFive), Code(kSpade, kNine)});
        for (int i = 0; i < c.blackThrees; ++i) {
            t.Hand({i == 0 ? kBlackThree : Code(kClub, kThree)});
        }
        for (int i = 0; i < c.humanMelds; ++i) {
            t.HumanMelds({Code(kHeart, kSix)});
        }
        t.HumanHandSize(12);
        t.StockFiller(c.stock);
        auto p = t.Player();
        p->ExpertMeldPhase();
        EXPECT_EQ(t.MeldColumn(kKing), c.kingsLaid);
        EXPECT_EQ(t.expert.holdThrees, c.holdThrees);
    }
}

TEST(ExpertLimits, GoingOutAttempt) {
    struct Case {
        const char* what;
        std::vector<int> hand;
        int humanHand, humanMelds;
        bool humanVarenta, frozen;
        int queensLaid;
        bool threat = false; // keeps the end-game rush out of the way
    };
    const std::vector<int> queens{Code(kSpade, kQueen), Code(kClub, kQueen), Code(kDiamond, kQueen),
                                  Code(kSpade, kFive)};
    const std::vector<int> six{Code(kSpade, kQueen), Code(kClub, kQueen), Code(kDiamond, kQueen),
                               Code(kSpade, kKing),  Code(kClub, kKing),  Code(kDiamond, kKing)};
    const std::vector<int> seven{Code(kSpade, kQueen), Code(kClub, kQueen), Code(kDiamond, kQueen),
                                 Code(kSpade, kKing),  Code(kClub, kKing),  Code(kDiamond, kKing),
                                 Code(kSpade, kFive)};
    const Case cases[] = {
        {"human holds 35 cards", queens, 10, 25, false, false, 3},
        {"human holds 34 cards", queens, 10, 24, false, false, 0},
        {"six cards of its own", six, 10, 0, false, true, 3},
        {"seven cards of its own", seven, 10, 0, false, true, 0},
        {"human with its Varenta and three cards", queens, 3, 0, true, false, 3, true},
        {"human with its Varenta and four cards", queens, 4, 0, true, false, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpertStage t;
        t.Needed(1, false);
        t.AceVarenta();
        t.Add(c.hand);
        if (c.humanVarenta) {
            t.HumanMelds({Code(kSpade, kSix), Code(kClub, kSix), Code(kDiamond, kSix),
                          Code(kHeart, kSix), Code(kSpade, kSix), Code(kClub, kSix),
                          Code(kDiamond, kSix)});
        }
        for (int i = 0; i < c.humanMelds; ++i) {
            t.HumanMelds({Code(kHeart, kSeven)});
        }
        t.HumanHandSize(c.humanHand);
        t.St().pileFrozen = c.frozen;
        t.StockFiller(60);
        auto p = t.Player();
        p->opponentThreat = c.threat;
        p->ExpertMeldPhase();
        EXPECT_EQ(t.MeldColumn(kQueen), c.queensLaid);
    }
}

TEST(ExpertLimits, ChooseDiscard) {
    struct Case {
        const char* what;
        int needed;
        bool aceVarenta, redThreeOnTable;
        std::vector<int> hand;
        int humanHand, humanMelds, stock;
        bool wildThrown; // else: thrownRank
        int thrownRank;
        bool redThree = false;
    };
    const std::vector<int> fiveWilds{
        kTwoCode,           kTwoCode, kJoker, kJoker, Code(kClub, kTwo), Code(kSpade, kFive),
        Code(kSpade, kNine)};
    const std::vector<int> fourWilds{
        kTwoCode, kTwoCode, kJoker, kJoker, Code(kSpade, kFive), Code(kSpade, kNine)};
    const std::vector<int> jokerFive{kJoker, Code(kSpade, kFive), Code(kSpade, kNine)};
    const std::vector<int> threeNines{kBlackThree, Code(kSpade, kNine), Code(kClub, kNine),
                                      Code(kSpade, kFive), Code(kClub, kFive)};
    std::vector<int> thirteen{Code(kSpade, kFour),  Code(kClub, kFour),  Code(kSpade, kFive),
                              Code(kClub, kFive),   Code(kSpade, kSix),  Code(kClub, kSix),
                              Code(kSpade, kSeven), Code(kClub, kSeven), Code(kSpade, kEight),
                              Code(kClub, kEight),  Code(kSpade, kNine), Code(kClub, kNine),
                              Code(kSpade, kTen)};
    std::vector<int> fourteen = thirteen;
    fourteen.push_back(Code(kClub, kTen));
    const Case cases[] = {
        {"five wild cards go", 1, false, false, fiveWilds, 10, 0, 40, true, 0},
        {"four wild cards stay", 1, false, false, fourWilds, 10, 0, 40, false, kFive},
        {"human with 7 unknown cards, 20 melded", 1, true, false, jokerFive, 7, 20, 40, true, 0},
        {"human with 8 unknown cards", 1, true, false, jokerFive, 8, 20, 40, false, kFive},
        {"human with 19 melded", 1, true, false, jokerFive, 7, 19, 40, false, kFive},
        {"black three below 70 in the stock", 1, false, false, threeNines, 10, 0, 69, false, 2},
        {"no black three from 70 in the stock", 1, false, false, threeNines, 10, 0, 70, false,
         kFive},
        {"red three back with 13 cards", 2, false, true, thirteen, 10, 0, 40, false, 0, true},
        {"not with 14 cards", 2, false, true, fourteen, 10, 0, 40, false, kFour},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpertStage t;
        RuleSet rules;
        rules.numberOfVarentas = c.needed;
        rules.initialBlock = false;
        rules.threeBlock = true;
        t.SetRules(rules);
        if (c.aceVarenta) {
            t.AceVarenta();
        }
        if (c.redThreeOnTable) {
            t.Melds({kRedThree}, kThreesColumn);
        }
        t.Add(c.hand);
        for (int i = 0; i < c.humanMelds; ++i) {
            t.HumanMelds({Code(kHeart, kSeven)});
        }
        t.HumanHandSize(c.humanHand);
        t.StockFiller(c.stock);
        auto p = t.Player();
        const DiscardChoice d = p->ExpertChooseDiscard();
        EXPECT_EQ(d.redThreeFromMelds, c.redThree);
        if (c.redThree) {
            continue;
        }
        ASSERT_GE(d.handIndex, 0);
        const Card& thrown = t.St().opponentHand[d.handIndex];
        if (c.wildThrown) {
            EXPECT_TRUE(IsWild(thrown)) << thrown.code;
        } else {
            EXPECT_EQ(thrown.rank, c.thrownRank);
        }
    }
}

TEST(ExpertLimits, MeldNaturalsBudget) {
    // Without its Varentas the Expert keeps 6 x needed + 2 cards back.
    struct Case {
        int needed, singles, queensLaid;
    };
    const Case cases[] = {{1, 8, 3}, {1, 7, 0}, {2, 14, 3}, {2, 13, 0}};
    for (const Case& c : cases) {
        ExpertStage t;
        t.Needed(c.needed);
        t.Add({Code(kSpade, kQueen), Code(kClub, kQueen), Code(kDiamond, kQueen)});
        for (int i = 0; i < c.singles; ++i) {
            const int rank = kFour + i / 2; // pairs at most: none is laid
            t.Hand({i % 2 == 0 ? Code(kSpade, rank) : Code(kClub, rank)});
        }
        auto p = t.Player();
        p->MeldNaturals(0);
        EXPECT_EQ(t.MeldColumn(kQueen), c.queensLaid) << c.needed << " " << c.singles;
    }
}

} // namespace
} // namespace varenta::testing

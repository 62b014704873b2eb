// More limits of the Expert's decisions and of the points the computer
// counts: each table puts a decision at its limit and one step beyond.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "varenta/computer/ExpertPlayer.h"
#include "varenta/computer/RankTally.h"
#include "varenta/computer/tests/Stage.h"

namespace varenta::testing {
namespace {

std::unique_ptr<ExpertPlayer> Expert(Stage& t, int need = 50) {
    auto p = std::make_unique<ExpertPlayer>(t.engine, t.settings, t.expert);
    p->initialMeldNeed = need;
    p->RefreshTallies();
    return p;
}

// n cards of a rank, suits in turn.
void Many(Stage& t, int rank, int n) {
    for (int i = 0; i < n; ++i) {
        t.Hand({Code(i % 4, rank)});
    }
}

void Jokers(Stage& t, int n) {
    for (int i = 0; i < n; ++i) {
        t.Hand({kJoker});
    }
}

TEST(ComputerCounts, PointsOfEveryRank) {
    // joker, two, three .. seven, eight .. king, ace
    const int points[14] = {50, 20, 5, 5, 5, 5, 5, 10, 10, 10, 10, 10, 10, 20};
    for (int rank = 0; rank <= 13; ++rank) {
        EXPECT_EQ(RankPoints(rank), points[rank]) << "rank " << rank;
    }
}

TEST(ExpertLimits, LeftoverCountWithBlackThrees) {
    struct Case {
        int blackThrees, jokers, singles;
        bool canGoOut;
        int left;
    };
    const Case cases[] = {
        {2, 1, 0, true, 0},  // two black threes take a wild card
        {2, 0, 1, false, 3}, // without one they stay
        {3, 0, 1, true, 1},  {4, 0, 0, true, 0}, {4, 0, 2, false, 2},
        {1, 0, 0, true, 1},  {0, 1, 0, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.blackThrees << " black threes, " << c.jokers
                                          << " jokers, " << c.singles << " singles");
        RankTally tally;
        tally.blackThreesInHand = c.blackThrees;
        tally.opponentHandRank[2] = c.blackThrees;
        tally.opponentHandRank[0] = c.jokers;
        for (int i = 0; i < c.singles; ++i) {
            tally.opponentHandRank[kFour + i] = 1;
        }
        tally.handSize = c.blackThrees + c.jokers + c.singles;
        const LeftoverResult r = ExpertPlayer::LeftoverCount(tally);
        EXPECT_EQ(r.canGoOut, c.canGoOut);
        EXPECT_EQ(r.leftover, c.left);
    }
}

TEST(ExpertLimits, PileIsUrgent) {
    // A king meld of three on the table (a group of three for the meld
    // potential), singles in hand; the human's cards and the pile vary.
    struct Case {
        const char* what;
        int jokers, kingsInHand, humanCards, pile;
        bool potential, urgent;
    };
    const Case cases[] = {
        {"no potential, 25 human cards", 0, 0, 25, 5, false, true},
        {"no potential, 26 human cards", 0, 0, 26, 5, false, false},
        {"a group of three and one wild card", 1, 0, 25, 5, false, true},
        {"a group of three and two wild cards", 2, 0, 25, 5, true, false},
        {"a group of four and one wild card", 1, 1, 25, 5, true, false},
        {"a group of four alone", 0, 1, 25, 5, false, true},
        {"potential, pile of 19", 2, 0, 25, 19, true, false},
        {"potential, pile of 20", 2, 0, 25, 20, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
        Many(t, kKing, c.kingsInHand);
        Jokers(t, c.jokers);
        t.Hand({Code(kSpade, kFive), Code(kSpade, kSeven), Code(kSpade, kNine)});
        t.HumanHandSize(c.humanCards);
        t.PileFiller(c.pile);
        auto p = Expert(t);
        EXPECT_EQ(p->PileIsUrgent(), c.urgent);
        EXPECT_EQ(t.expert.meldPotential, c.potential);
    }
}

TEST(ExpertLimits, GoingOutPays) {
    // The human has a Varenta of seven fours (300 + 35 points on the table).
    struct Case {
        int humanScore, ownScore;
        bool pays;
    };
    const Case cases[] = {
        {4664, 0, true},     // the human stays below 5000
        {4665, 5000, false}, // 5000 each
        {4665, 5001, true},  // the computer ahead
    };
    for (const Case& c : cases) {
        Stage t;
        for (int i = 0; i < 7; ++i) {
            t.HumanMelds({Code(i % 4, kFour)});
        }
        t.St().playerScore = c.humanScore;
        t.St().opponentScore = c.ownScore;
        t.Hand({Code(kSpade, kNine)});
        EXPECT_EQ(Expert(t)->GoingOutPays(), c.pays) << c.humanScore << " " << c.ownScore;
    }
}

TEST(ExpertLimits, NaturalVarentas) {
    struct Case {
        int queens;
        bool ownMeld;
        int need, laid;
    };
    const Case cases[] = {
        {7, false, 70, 7}, // seven queens are worth 70
        {7, false, 71, 0},
        {6, true, 50, 0},
        {7, true, 500, 7},
    };
    for (const Case& c : cases) {
        Stage t;
        if (c.ownMeld) {
            t.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
        }
        Many(t, kQueen, c.queens);
        t.Hand({Code(kSpade, kFive), Code(kSpade, kSeven)});
        Expert(t, c.need)->NaturalVarentas();
        EXPECT_EQ(t.MeldColumn(kQueen), c.laid) << c.queens << " " << c.need;
    }
}

TEST(ExpertLimits, CompleteVarentasNeedsFourAndSeven) {
    struct Case {
        int kingsInHand, kingsInMeld, jokers, kingsAfter;
    };
    const Case cases[] = {
        {4, 0, 3, 7}, // four naturals and three wild cards
        {4, 0, 2, 0}, // one short of seven
        {3, 0, 4, 0}, // three naturals are too few
        {1, 3, 3, 7}, // the meld counts
        {0, 3, 4, 3},
    };
    for (const Case& c : cases) {
        Stage t;
        for (int i = 0; i < c.kingsInMeld; ++i) {
            t.Melds({Code(i % 4, kKing)}, kKing);
        }
        Many(t, kKing, c.kingsInHand);
        Jokers(t, c.jokers);
        t.Hand({Code(kSpade, kFive), Code(kSpade, kSeven)});
        Expert(t)->CompleteVarentas();
        EXPECT_EQ(t.MeldColumn(kKing), c.kingsAfter)
            << c.kingsInHand << " " << c.kingsInMeld << " " << c.jokers;
    }
}

TEST(ExpertLimits, UrgentPileThrowsAWildCard) {
    // An urgent pile (no meld potential, few human cards): a big hand throws
    // its two while the human holds fewer than 21 cards.
    struct Case {
        int extraSingles, humanCards, thrownRank;
    };
    const Case cases[] = {
        {0, 20, 1},     // 12 cards
        {0, 21, kAce},  // the human holds too many
        {-1, 20, kAce}, // 11 cards
    };
    for (const Case& c : cases) {
        Stage t;
        t.SetRules([] {
            RuleSet r;
            r.initialBlock = false;
            return r;
        }());
        t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
        t.Hand({kTwoCode});
        const int ranks[] = {kFour, kFive, kSix, kSeven, kEight, kNine, kTen, kJack, kQueen, kAce};
        for (int r : ranks) {
            t.Hand({Code(kSpade, r)});
        }
        if (c.extraSingles == 0) {
            t.Hand({Code(kClub, kAce)});
        }
        t.HumanHandSize(c.humanCards);
        t.PileFiller(3);
        t.StockFiller(40);
        auto p = Expert(t);
        const DiscardChoice d = p->ExpertChooseDiscard();
        ASSERT_GE(d.handIndex, 0);
        EXPECT_EQ(t.St().opponentHand[d.handIndex].rank == 1, c.thrownRank == 1)
            << c.extraSingles << " " << c.humanCards;
    }
}

TEST(ExpertLimits, MainSelectionThrowsWhatTheHumanCannotUse) {
    // A five and a nine; the human melds d of each (the same danger), the
    // pile holds p fives. The five goes while the human cannot reach a
    // Varenta of fives with the pile, or has one already.
    struct Case {
        int humanMeld, pileFives, humanHand, thrownRank;
    };
    const Case cases[] = {
        {3, 2, 5, kFive},  // 3 + 2 < 6
        {3, 3, 5, kNine},  // 3 + 3 reaches 6
        {6, 0, 5, kNine},  // neither is safe: the highest card
        {7, 0, 5, kFive},  // a Varenta of fives already
        {3, 3, 20, kFive}, // 26 human cards: no time to choose
        {3, 3, 19, kNine},
    };
    for (const Case& c : cases) {
        Stage t;
        RuleSet rules;
        rules.initialBlock = false;
        t.SetRules(rules);
        t.Hand({Code(kSpade, kFive), Code(kSpade, kNine)});
        for (int i = 0; i < c.humanMeld; ++i) {
            t.HumanMelds({Code(kHeart, kFive)});
            t.HumanMelds({Code(kHeart, kNine)});
        }
        t.HumanHandSize(c.humanHand);
        for (int i = 0; i < c.pileFives; ++i) {
            t.Pile({Code(kClub, kFive)});
        }
        t.StockFiller(40);
        auto p = Expert(t);
        p->opponentThreat = true; // no urgent pile
        const DiscardChoice d = p->ExpertChooseDiscard();
        ASSERT_GE(d.handIndex, 0);
        EXPECT_EQ(t.St().opponentHand[d.handIndex].rank, c.thrownRank)
            << c.humanMeld << " " << c.pileFives << " " << c.humanHand;
    }
}

void KingVarenta(Stage& t) {
    for (int i = 0; i < 7; ++i) {
        t.Melds({Code(i % 4, kKing)}, kKing);
    }
}

TEST(ExpertLimits, ReachableVarentas) {
    struct Case {
        int queens, jokers, queenMeld;
        int varentas, used;
    };
    const Case cases[] = {
        {5, 2, 0, 1, 7}, // five and two wild cards make seven
        {5, 1, 0, 0, 1}, {4, 3, 0, 1, 7},
        {3, 4, 0, 0, 4}, {1, 3, 3, 1, 4}, // the meld counts towards the size
        {0, 0, 7, 1, 0},                  // a Varenta already made counts once
        {8, 0, 0, 1, 8},
    };
    for (const Case& c : cases) {
        Stage t;
        RuleSet rules;
        rules.numberOfVarentas = 2;
        t.SetRules(rules);
        for (int i = 0; i < c.queenMeld; ++i) {
            t.Melds({Code(i % 4, kQueen)}, kQueen);
        }
        Many(t, kQueen, c.queens);
        Jokers(t, c.jokers);
        t.Hand({Code(kSpade, kFive)});
        const ReachableResult r = Expert(t)->ReachableVarentas();
        EXPECT_EQ(r.varentas, c.varentas) << c.queens << " " << c.jokers << " " << c.queenMeld;
        EXPECT_EQ(r.cardsUsed, c.used) << c.queens << " " << c.jokers << " " << c.queenMeld;
    }
}

TEST(ExpertLimits, GoOutCheck) {
    // With the Varenta made: pairs need a wild card each, one single may
    // stay for the discard, black threes go three or more, or one as the
    // discard.
    struct Case {
        const char* what;
        std::vector<int> hand;
        bool good;
    };
    const int q = Code(kSpade, kQueen);
    const Case cases[] = {
        {"a pair and a joker", {q, q, kJoker}, true},
        {"a pair alone", {q, q}, false},
        {"one single", {Code(kSpade, kFive)}, true},
        {"two singles", {Code(kSpade, kFive), Code(kSpade, kSix)}, false},
        {"a black three and a single", {kBlackThree, Code(kSpade, kFive)}, true},
        {"a black three alone", {kBlackThree, q, q, q}, false},
        {"two black threes", {kBlackThree, kBlackThree, q, q, q}, false},
        {"three black threes", {kBlackThree, kBlackThree, kBlackThree, q, q, q}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        KingVarenta(t);
        for (int code : c.hand) {
            t.Hand({code});
        }
        EXPECT_EQ(Expert(t)->GoOutCheck(), c.good);
    }
}

TEST(ExpertLimits, LayOutWildsWithBlackThrees) {
    struct Case {
        int blackThrees, jokers, threesAfter;
    };
    const Case cases[] = {
        {3, 0, 3}, {4, 0, 4}, {2, 1, 3}, // two black threes take a wild card
        {2, 0, 0}, {1, 0, 0},
    };
    for (const Case& c : cases) {
        Stage t;
        KingVarenta(t);
        for (int i = 0; i < c.blackThrees; ++i) {
            t.Hand({i % 2 == 0 ? kBlackThree : Code(kClub, kThree)});
        }
        Jokers(t, c.jokers);
        Expert(t)->LayOutWilds();
        EXPECT_EQ(t.MeldColumn(kThreesColumn), c.threesAfter) << c.blackThrees << " " << c.jokers;
    }
}

TEST(ExpertLimits, InitialMeldPlanPointsAndCards) {
    // Three aces (60 points) and eight singles, two Varentas needed (no
    // limit on wild cards beyond the pile's).
    const int k = Code(kSpade, kKing);
    struct Case {
        const char* what;
        int need;
        std::vector<int> extra;
        bool checkCards;
        int pile;
        bool ok;
        int plan, planWilds;
    };
    const Case cases[] = {
        {"the aces reach 60", 60, {}, false, 0, true, 1, 0},
        {"the aces miss 61", 61, {}, false, 0, false, 0, 0},
        {"a joker on the aces", 61, {kJoker}, false, 0, true, 1, 1},
        {"a two on the aces", 80, {kTwoCode}, false, 0, true, 1, 1},
        {"a two short of 81", 81, {kTwoCode}, false, 0, false, 0, 1},
        {"kings save a joker", 125, {k, k, kJoker, kJoker}, false, 0, true, 2, 1},
        {"kings save nothing", 131, {k, k, kJoker, kJoker}, false, 0, true, 1, 2},
        {"cards to spare with a pile of seven", 60, {}, true, 7, true, 1, 0},
        {"too few cards with a pile of six", 60, {}, true, 6, false, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        RuleSet rules;
        rules.numberOfVarentas = 2;
        t.SetRules(rules);
        Many(t, kAce, 3);
        for (int code : c.extra) {
            t.Hand({code});
        }
        for (int r = kFour; r <= kJack; ++r) {
            t.Hand({Code(kClub, r)});
        }
        t.PileFiller(c.pile);
        auto p = Expert(t, c.need);
        EXPECT_EQ(p->InitialMeldPlan(0, false, c.checkCards), c.ok);
        EXPECT_EQ(t.expert.meldPlan, c.plan);
        EXPECT_EQ(t.expert.planWilds, c.planWilds);
    }
}

} // namespace
} // namespace varenta::testing

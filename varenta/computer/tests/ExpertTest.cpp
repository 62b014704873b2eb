// The Expert's decisions on staged positions.

#include <gtest/gtest.h>

#include <memory>

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
};

TEST(ExpertTurnFlags, AggressiveTurnFollowsAggressionAndStock) {
    ExpertStage t;
    t.settings.aggression = 0;
    t.StockFiller(10);
    auto p = t.Player();
    for (int i = 0; i < 40; ++i) {
        p->BeginExpertTurn();
        EXPECT_TRUE(p->aggressiveTurn);
    }
    t.settings.aggression = 100;
    t.StockFiller(60); // 70 cards
    for (int i = 0; i < 40; ++i) {
        p->BeginExpertTurn();
        EXPECT_TRUE(p->aggressiveTurn);
    }
    t.settings.aggression = 0;
    int calm = 0;
    for (int i = 0; i < 60; ++i) {
        p->BeginExpertTurn();
        calm += p->aggressiveTurn ? 0 : 1;
    }
    EXPECT_GT(calm, 30) << "a full stock makes aggressive turns rare";
}

TEST(ExpertTurnFlags, FreshPileClearsDiscardRankAndHoldThreesWithoutTwoBlackThrees) {
    ExpertStage t;
    t.StockFiller(30);
    t.Pile({Code(kSpade, kNine)});
    t.Hand({kBlackThree, Code(kSpade, kFive)});
    t.expert.holdThrees = true;
    t.expert.discardRank = kFive;
    auto p = t.Player();
    p->BeginExpertTurn();
    EXPECT_FALSE(t.expert.holdThrees);
    EXPECT_EQ(t.expert.discardRank, 0);
}

TEST(InitialMeldPlan, PrefersPairsWithWildsOnlyWhenTheyUseFewerWildCards) {
    {
        ExpertStage t; // both plans use one wild card: naturals first
        t.Hand({Code(kSpade, kFour), Code(kClub, kFour), Code(kDiamond, kFour), Code(kSpade, kAce),
                Code(kClub, kAce), kJoker});
        t.PileFiller(15);
        auto p = t.Player(50);
        EXPECT_TRUE(p->InitialMeldPlan(0, false, false));
        EXPECT_EQ(t.expert.meldPlan, 1);
        EXPECT_EQ(t.expert.planWilds, 1);
    }
    {
        ExpertStage t; // naturals need three wild cards, the ace pair one
        t.Hand({Code(kSpade, kFour), Code(kClub, kFour), Code(kDiamond, kFour), Code(kSpade, kAce),
                Code(kClub, kAce), kJoker, kTwoCode, Code(kClub, kTwo)});
        t.PileFiller(15);
        auto p = t.Player(90);
        EXPECT_TRUE(p->InitialMeldPlan(0, false, false));
        EXPECT_EQ(t.expert.meldPlan, 2);
        EXPECT_EQ(t.expert.planWilds, 1);
    }
    {
        ExpertStage t; // nothing reaches 50
        t.Hand({Code(kSpade, kFour), Code(kClub, kFour), Code(kSpade, kNine)});
        auto p = t.Player(50);
        EXPECT_FALSE(p->InitialMeldPlan(0, false, false));
        EXPECT_EQ(t.expert.meldPlan, 0);
    }
}

TEST(InitialMeldPlan, WildCardsBeyondThePilesAreLimitedForOneVarenta) {
    ExpertStage t; // needs one wild card to reach 50; a small pile allows none
    t.Hand({Code(kSpade, kFour), Code(kClub, kFour), Code(kDiamond, kFour), kJoker,
            Code(kSpade, kNine), Code(kSpade, kTen)});
    t.PileFiller(3);
    auto p = t.Player(50);
    EXPECT_FALSE(p->InitialMeldPlan(0, false, false));
    t.PileFiller(12); // 15 cards allow one
    p->TableChanged();
    p->RefreshTallies();
    EXPECT_TRUE(p->InitialMeldPlan(0, false, false));
}

TEST(LeftoverCount, CountsWhatCannotBeLaid) {
    auto count = [](std::initializer_list<int> hand) {
        ExpertStage t;
        t.Hand(hand);
        return ExpertPlayer::LeftoverCount(t.Player()->tally());
    };
    LeftoverResult r =
        count({Code(kSpade, kFour), Code(kClub, kFour), Code(kSpade, kFive), Code(kClub, kFive),
               Code(kDiamond, kFive), kJoker, Code(kSpade, kKing)});
    EXPECT_TRUE(r.canGoOut);
    EXPECT_EQ(r.leftover, 1);
    r = count({Code(kSpade, kFour), Code(kSpade, kNine), Code(kSpade, kFive), Code(kClub, kFive),
               Code(kDiamond, kFive)});
    EXPECT_FALSE(r.canGoOut);
    EXPECT_EQ(r.leftover, 2);
    // A pair without a wild card costs two.
    r = count({Code(kSpade, kFour), Code(kClub, kFour), Code(kSpade, kFive), Code(kClub, kFive),
               Code(kDiamond, kFive)});
    EXPECT_FALSE(r.canGoOut);
    EXPECT_EQ(r.leftover, 2);
    // Two black threes go down with a wild card.
    r = count({kBlackThree, Code(kClub, kThree), kJoker, Code(kSpade, kFive), Code(kClub, kFive),
               Code(kDiamond, kFive)});
    EXPECT_TRUE(r.canGoOut);
    EXPECT_EQ(r.leftover, 0);
}

// The computer has melded kings; the human holds 26 cards, so the pile is not
// urgent and the default branch decides.
struct TakeStage : ExpertStage {
    TakeStage(int stock) {
        Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
        Hand({Code(kSpade, kFour), Code(kSpade, kNine), Code(kSpade, kJack)});
        PileFiller(4);
        Pile({Code(kHeart, kKing)});
        HumanHandSize(26);
        StockFiller(stock);
    }
};

TEST(ShouldTakePile, OneVarentaGameRefusesWhileTheStockIsFull) {
    TakeStage full(70);
    EXPECT_FALSE(full.Player()->ShouldTakePile());
    TakeStage later(40);
    EXPECT_TRUE(later.Player()->ShouldTakePile());
}

TEST(ShouldTakePile, TopCardOfNoUseIsLeft) {
    TakeStage t(40);
    t.St().discardPile.Clear();
    t.PileFiller(4);
    t.Pile({Code(kHeart, kQueen)});
    EXPECT_FALSE(t.Player()->ShouldTakePile());
}

TEST(ShouldTakePile, VarentaRequiredSmallPileNeverTakenByChance) {
    RuleSet rules;
    rules.varentaRequired = true;
    for (int round = 0; round < 30; ++round) {
        TakeStage t(40);
        t.SetRules(rules);
        t.engine.Rng().Seed(static_cast<std::uint64_t>(round) + 1);
        EXPECT_FALSE(t.Player()->ShouldTakePile());
    }
    int taken = 0;
    for (int round = 0; round < 60; ++round) {
        TakeStage t(40);
        t.SetRules(rules);
        t.PileFiller(5); // ten cards under the king: taken three times in four
        t.Pile({Code(kHeart, kKing)});
        t.engine.Rng().Seed(static_cast<std::uint64_t>(round) + 1);
        taken += t.Player()->ShouldTakePile() ? 1 : 0;
    }
    EXPECT_GT(taken, 30);
    EXPECT_LT(taken, 60);
}

TEST(ExpertDrawOrTake, AnUncountedTopCardLeftLyingDoesNotRaiseTheMinimum) {
    ExpertStage t;
    RuleSet rules;
    rules.topCardCounts = false;
    t.SetRules(rules);
    t.Hand({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), Code(kHeart, kKing),
            Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), Code(kSpade, kFour),
            Code(kSpade, kNine)});
    t.PileFiller(3);
    t.Pile({kJoker});
    t.HumanHandSize(11);
    t.StockFiller(30);
    auto p = t.Player();
    EXPECT_FALSE(p->ExpertDrawOrTake());
    EXPECT_EQ(p->initialMeldNeed, 50);
    p->NaturalVarentas(); // seven kings are worth 70
    EXPECT_EQ(t.MeldColumn(kKing), 7);
}

// A pair of kings, three queens and ten singles; a king on a pile of ten.
struct PairStage : ExpertStage {
    PairStage() {
        Hand({Code(kSpade, kKing), Code(kClub, kKing), Code(kSpade, kQueen), Code(kClub, kQueen),
              Code(kDiamond, kQueen), Code(kSpade, kFour), Code(kClub, kFive), Code(kDiamond, kSix),
              Code(kHeart, kSeven), Code(kSpade, kEight), Code(kClub, kNine), Code(kDiamond, kTen),
              Code(kHeart, kJack), Code(kHeart, kAce), Code(kDiamond, kFour)});
        PileFiller(9);
        Pile({Code(kDiamond, kKing)});
        HumanHandSize(10);
        StockFiller(50);
    }
};

TEST(ExpertDrawOrTake, TakesThePileWithAPairAndLaysItsFirstMeld) {
    PairStage t;
    auto p = t.Player();
    EXPECT_TRUE(p->ExpertDrawOrTake());
    EXPECT_EQ(t.MeldColumn(kKing), 3);
    EXPECT_EQ(t.MeldColumn(kQueen), 3);
    EXPECT_EQ(t.St().opponentMeldPoints, 60);
    EXPECT_TRUE(t.St().discardPile.Empty());
    EXPECT_FALSE(t.St().pileFrozen);
    EXPECT_EQ(t.St().opponentHand.Size(), 15 - 2 - 3 + 9);

    PairStage u; // the pile is urgent, but a rank is being thrown: it draws
    u.expert.discardRank = kSix;
    EXPECT_FALSE(u.Player()->ExpertDrawOrTake());
    EXPECT_EQ(u.St().opponentHand.Size(), 16);
}

TEST(GoOutCheck, BlackThreeAndOneSingleIsGoodButLayOutWildsKeepsTwoCards) {
    ExpertStage t;
    t.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce), Code(kHeart, kAce),
             Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
    t.Hand({kBlackThree, Code(kSpade, kKing)});
    auto p = t.Player();
    EXPECT_TRUE(p->GoOutCheck());
    p->LayOutWilds();
    EXPECT_EQ(t.St().opponentHand.Size(), 2);
}

// An ace Varenta, five kings and four queens on the table; two kings, a queen,
// two wild cards and three singles in the hand.
struct CompleteStage : ExpertStage {
    CompleteStage() {
        Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce), Code(kHeart, kAce),
               Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
        Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), Code(kHeart, kKing),
               Code(kSpade, kKing)});
        Melds({Code(kSpade, kQueen), Code(kClub, kQueen), Code(kDiamond, kQueen),
               Code(kHeart, kQueen)});
        Hand({Code(kClub, kKing), Code(kDiamond, kKing), Code(kSpade, kQueen), kJoker, kTwoCode,
              Code(kSpade, kFive), Code(kSpade, kSeven), Code(kSpade, kNine)});
        HumanHandSize(10);
    }
};

TEST(CompleteVarentas, LimitZeroCompletesNaturallyOnlyLimitThreeSpendsWildCards) {
    for (bool aggressive : {false, true}) {
        CompleteStage t;
        auto p = t.Player();
        p->aggressiveTurn = aggressive;
        p->CompleteVarentas();
        EXPECT_EQ(t.MeldColumn(kKing), 7);
        EXPECT_EQ(t.MeldColumn(kQueen), aggressive ? 7 : 4);
        EXPECT_EQ(t.St().opponentVarentas.count, aggressive ? 3 : 2);
        EXPECT_EQ(p->tally().wildsInHand(), aggressive ? 0 : 2);
    }
}

TEST(CompleteVarentas, NeverAFourthWildCardOnAMeld) {
    ExpertStage t;
    t.Melds({Code(kSpade, kQueen), Code(kClub, kQueen), Code(kDiamond, kQueen), kJoker, kJoker,
             kTwoCode});
    t.Hand({Code(kClub, kTwo), Code(kSpade, kFive), Code(kSpade, kSeven)});
    auto p = t.Player();
    p->aggressiveTurn = true;
    p->CompleteVarentas();
    EXPECT_EQ(t.MeldColumn(kQueen), 6);
}

TEST(MeldNaturals, KeepsTwoCardsWithTheNeededVarentas) {
    ExpertStage t;
    t.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce), Code(kHeart, kAce),
             Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
    t.Hand({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), Code(kSpade, kQueen),
            Code(kClub, kQueen), Code(kDiamond, kQueen)});
    auto p = t.Player();
    p->MeldNaturals(1);
    EXPECT_EQ(t.MeldColumn(kKing), 3);
    EXPECT_EQ(t.St().opponentHand.Size(), 3);
}

TEST(LayOutWilds, PairsGetAWildCardAndSpareWildsFillMelds) {
    ExpertStage t;
    t.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce), Code(kHeart, kAce),
             Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
    t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
    t.Hand({Code(kSpade, kNine), Code(kClub, kNine), kJoker, kTwoCode});
    auto p = t.Player();
    p->LayOutWilds();
    EXPECT_EQ(t.St().opponentHand.Size(), 0);
    // The pair takes its wild card, the spare one goes where wild cards may
    // not yet outnumber the naturals, lowest rank first.
    EXPECT_EQ(t.MeldColumn(kNine), 4);
    EXPECT_EQ(t.MeldColumn(kKing), 3);
}

TEST(GoingOutPays, RefusesWhenTheHumanWouldReachTheTargetAhead) {
    ExpertStage t;
    t.St().playerScore = 4980;
    t.St().opponentScore = 1000;
    t.HumanMelds(
        {Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)}); // 30 points on the table
    EXPECT_FALSE(t.Player()->GoingOutPays());
    t.St().opponentScore = 5100; // the computer stays ahead
    EXPECT_TRUE(t.Player()->GoingOutPays());
    t.St().opponentScore = 1000;
    t.St().playerScore = 3000;
    EXPECT_TRUE(t.Player()->GoingOutPays());
}

// ---- discard rules ----------------------------------------------------------

int ThrownRank(ExpertStage& t, ExpertPlayer& p) {
    const DiscardChoice c = p.ExpertChooseDiscard();
    EXPECT_GE(c.handIndex, 0);
    return c.handIndex >= 0 ? t.St().opponentHand[c.handIndex].rank : -1;
}

TEST(ExpertChooseDiscard, OneCardHoldThreesAndSurplusWildCards) {
    ExpertStage t;
    t.Hand({Code(kSpade, kNine)});
    auto p = t.Player();
    EXPECT_EQ(p->ExpertChooseDiscard().handIndex, 0);

    ExpertStage u;
    u.Hand({Code(kSpade, kFour), kBlackThree, Code(kSpade, kNine)});
    u.expert.holdThrees = true;
    auto q = u.Player();
    EXPECT_EQ(q->ExpertChooseDiscard().handIndex, 1);

    ExpertStage w; // five wild cards and no Varenta: a two goes
    w.Hand(
        {kJoker, kJoker, kTwoCode, Code(kClub, kTwo), Code(kDiamond, kTwo), Code(kSpade, kNine)});
    auto r = w.Player();
    EXPECT_EQ(ThrownRank(w, *r), 1);
}

TEST(ExpertChooseDiscard, RedThreeFromTheTableBlocksInATwoVarentaGame) {
    ExpertStage t;
    RuleSet rules;
    rules.numberOfVarentas = 2;
    rules.threeBlock = true;
    t.SetRules(rules);
    t.Melds({kRedThree}, kThreesColumn);
    t.Hand({Code(kSpade, kFour), Code(kSpade, kNine), Code(kSpade, kJack)});
    auto p = t.Player();
    EXPECT_TRUE(p->ExpertChooseDiscard().redThreeFromMelds);
    rules.threeBlock = false;
    t.SetRules(rules);
    EXPECT_FALSE(p->ExpertChooseDiscard().redThreeFromMelds);
}

TEST(ExpertChooseDiscard, ContinuesTheRankItStartedToThrow) {
    ExpertStage t;
    t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
    t.Hand({Code(kSpade, kFour), Code(kSpade, kNine), Code(kSpade, kJack)});
    t.HumanHandSize(26);
    t.expert.discardRank = kNine;
    auto p = t.Player();
    EXPECT_EQ(ThrownRank(t, *p), kNine);
}

// Kings melded, a pile of twenty: the pile is urgent.
struct UrgentStage : ExpertStage {
    UrgentStage(bool frozen) {
        Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
        Hand({Code(kSpade, kAce), Code(kClub, kAce), Code(kSpade, kFive), Code(kSpade, kNine)});
        PileFiller(20);
        HumanHandSize(5);
        St().pileFrozen = frozen;
    }
};

TEST(ExpertChooseDiscard, UrgentPileSkipsPairsWhenFrozen) {
    UrgentStage open(false);
    auto p = open.Player();
    EXPECT_EQ(ThrownRank(open, *p), kAce);
    EXPECT_EQ(open.expert.discardRank, kAce);
    UrgentStage frozen(true);
    auto q = frozen.Player();
    EXPECT_EQ(ThrownRank(frozen, *q), kFive);
}

TEST(ExpertChooseDiscard, FreezesWithAWildCardAgainstACollectingHuman) {
    ExpertStage t;
    t.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce), Code(kHeart, kAce),
             Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
    t.Hand({Code(kSpade, kFive), Code(kSpade, kNine), kJoker});
    for (int r : {kFour, kSix, kEight, kTen}) {
        t.HumanMelds(
            {Code(kSpade, r), Code(kClub, r), Code(kDiamond, r), Code(kHeart, r), Code(kSpade, r)});
    }
    t.HumanHandSize(5);
    t.Pile({Code(kSpade, kSix)});
    auto p = t.Player();
    EXPECT_EQ(ThrownRank(t, *p), 0);
}

TEST(ExpertChooseDiscard, MainSelectionAvoidsWhatTheHumanCollects) {
    ExpertStage t;
    RuleSet open;
    open.initialBlock = false; // the pile is open for the computer
    t.SetRules(open);
    t.Hand({Code(kSpade, kKing), Code(kSpade, kFive), Code(kSpade, kNine)});
    t.HumanMelds({Code(kSpade, kFive), Code(kClub, kFive), Code(kDiamond, kFive)});
    t.HumanHandSize(10);
    t.Pile({Code(kSpade, kSix)});
    auto p = t.Player();
    EXPECT_EQ(ThrownRank(t, *p), kNine);
    EXPECT_EQ(t.expert.discardRank, kNine);
    // Frozen: melds do not matter, only cards known in the human's hand.
    ExpertStage u;
    u.Hand({Code(kSpade, kFive), Code(kSpade, kNine)});
    u.HumanMelds({Code(kSpade, kFive), Code(kClub, kFive), Code(kDiamond, kFive)});
    u.Known({Code(kSpade, kNine), Code(kClub, kNine)});
    u.HumanHandSize(10);
    u.Pile({Code(kSpade, kSix)});
    u.St().pileFrozen = true;
    auto q = u.Player();
    EXPECT_EQ(ThrownRank(u, *q), kFive);
}

TEST(ExpertChooseDiscard, LastCardGuardNeverFeedsTheHumansLastCard) {
    ExpertStage t;
    t.Hand({Code(kSpade, kFive), Code(kSpade, kKing)});
    t.HumanMelds({Code(kSpade, kFive), Code(kClub, kFive), Code(kDiamond, kFive)});
    t.HumanHandSize(1);
    t.St().pileFrozen = true; // the five would be chosen: nothing is known
    auto p = t.Player();
    EXPECT_EQ(ThrownRank(t, *p), kKing);
    t.Pile({Code(kSpade, kSix)}); // with a pile the guard has nothing to prevent
    p->TableChanged();
    p->RefreshTallies();
    EXPECT_EQ(ThrownRank(t, *p), kFive);

    ExpertStage u; // a rank it keeps throwing is guarded too
    u.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
    u.Hand({Code(kSpade, kFive), Code(kClub, kFive), Code(kSpade, kNine)});
    u.HumanMelds({Code(kSpade, kFive), Code(kClub, kFive), Code(kDiamond, kFive)});
    u.HumanHandSize(1);
    u.expert.discardRank = kFive;
    auto q = u.Player();
    EXPECT_EQ(ThrownRank(u, *q), kNine);
}

TEST(ExpertChooseDiscard, NothingSafeThrowsTheHighestCardOrABlackThree) {
    auto stage = [](ExpertStage& t) {
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
    };
    ExpertStage t;
    stage(t);
    t.Hand({Code(kSpade, kFive), Code(kSpade, kKing)});
    auto p = t.Player();
    EXPECT_EQ(ThrownRank(t, *p), kKing);

    ExpertStage u;
    stage(u);
    u.Hand({Code(kSpade, kFive), Code(kSpade, kKing), kBlackThree});
    u.StockFiller(30);
    auto q = u.Player();
    EXPECT_EQ(ThrownRank(u, *q), 2) << "a black three blocks the pile instead";
}

TEST(PileCompletesVarenta, NeedsThePileToReachSeven) {
    ExpertStage t;
    t.Hand({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), kJoker, kJoker});
    t.PileFiller(2);
    t.Pile({Code(kHeart, kKing)});
    EXPECT_FALSE(t.Player()->PileCompletesVarenta());
    t.Hand({kTwoCode});
    EXPECT_TRUE(t.Player()->PileCompletesVarenta());
    t.Hand({Code(kClub, kTwo)}); // the hand alone reaches seven: the pile adds nothing
    EXPECT_FALSE(t.Player()->PileCompletesVarenta());
}

} // namespace
} // namespace varenta::testing

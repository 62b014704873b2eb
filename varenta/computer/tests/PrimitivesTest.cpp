// Tallies, the shared primitives and the turn skeleton.

#include <gtest/gtest.h>

#include "varenta/computer/BeginnerPlayer.h"
#include "varenta/computer/ComputerPlayer.h"
#include "varenta/computer/tests/Stage.h"
#include "varenta/engine/Texts.h"

namespace varenta::testing {
namespace {

TEST(RankTallies, CountWildCardsInTheColumnTheyLieIn) {
    Stage t;
    t.Hand({Code(kSpade, kNine), Code(kClub, kNine), kJoker, kBlackThree});
    t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), kJoker});
    t.HumanMelds({Code(kSpade, kFive), Code(kClub, kFive), kTwoCode});
    t.Pile({Code(kHeart, kKing), Code(kDiamond, kFive)});
    t.Known({Code(kHeart, kFive)});
    BeginnerPlayer p(t.engine, t.settings);
    p.RefreshTallies();
    const RankTally& r = p.tally();
    EXPECT_EQ(r.blackThreesInHand, 1);
    EXPECT_EQ(r.opponentMeldColumn[kKing], 4);
    EXPECT_EQ(r.opponentMeldRank[kKing], 3);
    EXPECT_EQ(r.opponentMeldRank[0], 1);
    EXPECT_EQ(r.playerMeldColumn[kFive], 3);
    EXPECT_EQ(r.playerMeldRank[kFive], 2);
    // Everything the computer has seen of the kings and fives.
    EXPECT_EQ(r.seenRank[kKing], 4);
    EXPECT_EQ(r.seenRank[kFive], 4);
    EXPECT_EQ(p.WildsInMeld(kKing), 1);
}

TEST(RankTallies, AreCountedAgainAfterEveryKindOfMove) {
    // The tallies are kept between counts; after each move the computer
    // makes they must equal a count from scratch.
    struct Case {
        const char* what;
        void (*move)(BeginnerPlayer&);
    };
    const Case cases[] = {
        {"a rank", [](BeginnerPlayer& p) { p.MeldRank(kNine, 0); }},
        {"a wild card", [](BeginnerPlayer& p) { p.MeldWildCard(kKing); }},
        {"the red threes", [](BeginnerPlayer& p) { p.MeldRedThrees(); }},
        {"a whole turn", [](BeginnerPlayer& p) { p.PlayTurn(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        t.Hand({Code(kSpade, kNine), Code(kClub, kNine), Code(kDiamond, kNine), kJoker, kRedThree,
                Code(kSpade, kFour), Code(kSpade, kSix), Code(kHeart, kEight)});
        t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
        t.Pile({Code(kHeart, kFive)});
        t.StockFiller(20);
        BeginnerPlayer p(t.engine, t.settings);
        p.RefreshTallies();
        c.move(p);
        p.RefreshTallies();
        RankTally counted;
        RefreshTallies(t.engine, counted);
        EXPECT_EQ(p.tally(), counted);
    }
}

TEST(ComputerMayTakePile, FollowsTheTakingRules) {
    Stage t;
    t.Hand({Code(kSpade, kQueen), kJoker, Code(kSpade, kFour), Code(kSpade, kFive)});
    t.PileFiller(2);
    BeginnerPlayer p(t.engine, t.settings);
    p.RefreshTallies();
    // A wild card or a three on top is never taken.
    EXPECT_FALSE(p.ComputerMayTakePile(1, false));
    EXPECT_FALSE(p.ComputerMayTakePile(2, false));
    // One natural plus a wild card: only without the natural-pair rule, never frozen.
    EXPECT_FALSE(p.ComputerMayTakePile(kQueen, false));
    RuleSet rules;
    rules.naturalPair = false;
    t.SetRules(rules);
    EXPECT_TRUE(p.ComputerMayTakePile(kQueen, false));
    EXPECT_FALSE(p.ComputerMayTakePile(kQueen, true));

    Stage u;
    u.Hand({Code(kSpade, kQueen), Code(kClub, kQueen), Code(kSpade, kFour)});
    u.PileFiller(1);
    BeginnerPlayer q(u.engine, u.settings);
    q.RefreshTallies();
    EXPECT_TRUE(q.ComputerMayTakePile(kQueen, true)); // natural pair takes a frozen pile
    // A new meld needs hand and pile together to hold four cards.
    u.St().discardPile.Clear();
    EXPECT_FALSE(q.ComputerMayTakePile(kQueen, false));

    Stage v; // onto a complete Varenta only with the rule
    v.Hand({Code(kSpade, kFour)});
    v.Melds({Code(kSpade, kJack), Code(kClub, kJack), Code(kDiamond, kJack), Code(kHeart, kJack),
             Code(kSpade, kJack), Code(kClub, kJack), Code(kDiamond, kJack)});
    BeginnerPlayer w(v.engine, v.settings);
    w.RefreshTallies();
    EXPECT_TRUE(w.ComputerMayTakePile(kJack, false));
    rules = RuleSet{};
    rules.addToVarenta = false;
    v.SetRules(rules);
    EXPECT_FALSE(w.ComputerMayTakePile(kJack, false));
}

TEST(MeldRank, ATwoCardMeldGetsOneWildCardJokerFirstOrTheMeldError) {
    Stage t;
    t.Hand({Code(kSpade, kKing), kTwoCode, Code(kClub, kKing), kJoker, Code(kSpade, kFive)});
    BeginnerPlayer p(t.engine, t.settings);
    p.MeldRank(kKing, 0);
    EXPECT_EQ(t.MeldColumn(kKing), 3);
    EXPECT_EQ(t.HandCount(0), 0) << "the joker goes first";
    EXPECT_EQ(t.St().opponentMeldPoints, 10 + 10 + 50);

    Stage u;
    u.Hand({Code(kSpade, kQueen), Code(kClub, kQueen), Code(kSpade, kFive)});
    BeginnerPlayer q(u.engine, u.settings);
    q.MeldRank(kQueen, 0);
    EXPECT_EQ(u.MeldColumn(kQueen), 2);
    ASSERT_EQ(u.port.messages.size(), 1u);
    EXPECT_EQ(u.port.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(u.port.messages[0].text, texts::kMeldErrorWildcardNotFound);

    Stage v; // at most n cards
    v.Hand({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), Code(kHeart, kKing),
            Code(kSpade, kFive)});
    v.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
    BeginnerPlayer r(v.engine, v.settings);
    r.MeldRank(kKing, 1);
    EXPECT_EQ(v.MeldColumn(kKing), 4);
}

TEST(MeldRank, NeverLaysTheLastCardWithoutTheVarentasNeeded) {
    Stage t; // four kings: three go, one stays
    t.Hand({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), Code(kHeart, kKing)});
    BeginnerPlayer p(t.engine, t.settings);
    EXPECT_EQ(p.MeldRank(kKing, 0), 3);
    EXPECT_EQ(t.St().opponentHand.Size(), 1);

    Stage v; // three kings: two alone would be no meld, so none go
    v.Hand({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
    BeginnerPlayer s(v.engine, v.settings);
    EXPECT_EQ(s.MeldRank(kKing, 0), 0);
    EXPECT_TRUE(v.port.messages.empty());

    Stage u; // the last card completes the Varenta: going out is allowed
    u.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), Code(kHeart, kKing),
             Code(kSpade, kKing), kJoker});
    u.Hand({Code(kClub, kKing)});
    BeginnerPlayer q(u.engine, u.settings);
    EXPECT_EQ(q.MeldRank(kKing, 0), 1);
    EXPECT_EQ(u.St().opponentVarentas.count, 1);

    Stage w; // a wild card as the last card, onto a six-card meld
    w.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), Code(kHeart, kKing),
             Code(kSpade, kKing), Code(kClub, kKing)});
    w.Hand({kTwoCode});
    BeginnerPlayer r(w.engine, w.settings);
    EXPECT_TRUE(r.MeldWildCard(kKing));
    EXPECT_EQ(w.St().opponentVarentas.count, 1);
    EXPECT_FALSE(r.MeldWildCard(kKing)) << "no wild card left";
}

// A turn through the hook, with the human holding enough cards that the
// hand does not end.
struct TurnStage : Stage {
    ComputerPlayer computer;
    TurnStage() { HumanHandSize(10); }
    void Play(ComputerLevel level) {
        ComputerSettings s;
        s.level = level;
        computer.SetSettings(s);
        computer.ComputerTurn(engine);
    }
};

TEST(TurnSkeleton, TooFewCardsAndVarentasPassesTheDiscard) {
    TurnStage t;
    t.StockFiller(3);
    t.Pile({Code(kSpade, kNine)});
    t.Play(ComputerLevel::Beginner); // draws its only card, then cannot discard
    EXPECT_EQ(t.St().opponentHand.Size(), 1);
    EXPECT_EQ(t.St().discardPile.Size(), 1);
    ASSERT_FALSE(t.port.messages.empty());
    EXPECT_EQ(t.port.messages.back().kind, MessageKind::Information);
    EXPECT_EQ(t.port.messages.back().text, texts::kComputerPasses);
    EXPECT_FALSE(t.St().opponentToMove);
}

TEST(TurnSkeleton, DiscardingAWildCardFreezesThePile) {
    TurnStage t;
    t.Hand({kJoker, kJoker, kTwoCode});
    t.StockFiller(3);
    t.Stock({Code(kClub, kTwo)});
    t.Play(ComputerLevel::Beginner);
    ASSERT_FALSE(t.St().discardPile.Empty());
    EXPECT_TRUE(IsWild(t.St().discardPile.Top()));
    EXPECT_TRUE(t.St().pileFrozen);
}

struct DrawCounter : TableObserver {
    int draws = 0;
    void OpponentDrew(const Card&) override { ++draws; }
};

TEST(TurnSkeleton, DrawingStopsAtAnEmptyStockAndAfterARedThreeLastCard) {
    TurnStage t;
    DrawCounter counter;
    t.engine.SetObserver(&counter);
    RuleSet rules;
    rules.numberOfCards = 2;
    t.SetRules(rules);
    t.Hand({Code(kSpade, kFour), Code(kSpade, kNine), Code(kSpade, kJack)});
    t.Stock({kRedThree}); // the last stock card: a red three, nothing after it
    t.Pile({Code(kSpade, kFive)});
    t.Play(ComputerLevel::Beginner);
    EXPECT_EQ(counter.draws, 1);
    EXPECT_EQ(t.MeldColumn(kThreesColumn), 1) << "the red three goes to the melds at once";
    EXPECT_EQ(t.St().opponentHand.Size(), 2);
}

TEST(TurnSkeleton, RedThreeDrawnIsReplacedWithDrawExtra) {
    TurnStage t;
    t.Hand({Code(kSpade, kFour), Code(kSpade, kNine), Code(kSpade, kJack)});
    t.StockFiller(3);
    t.Stock({Code(kSpade, kKing), kRedThree}); // red three on top, the king below it
    t.Play(ComputerLevel::Beginner);
    EXPECT_EQ(t.MeldColumn(kThreesColumn), 1);
    EXPECT_EQ(t.St().stock.Size(), 3);
    EXPECT_EQ(t.St().opponentHand.Size(), 3); // four cards, one discarded
}

TEST(ComputerPlayer, ForgetsTheExpertMemoryWhenANewGameStarts) {
    TurnStage t;
    t.computer.Expert().holdThrees = true;
    t.computer.Expert().discardRank = kNine;
    t.St().playerScore = 120; // a game under way: memory is kept
    t.Hand({Code(kSpade, kFour), Code(kSpade, kNine), Code(kSpade, kJack)});
    t.StockFiller(20);
    t.Pile({Code(kSpade, kFive), Code(kSpade, kSix)});
    t.Play(ComputerLevel::Expert);
    EXPECT_TRUE(t.computer.Expert().holdThrees);
    t.engine.SetComputerHook(&t.computer);
    t.engine.NewGame(); // the engine announces the new game to its computer
    EXPECT_FALSE(t.computer.Expert().holdThrees);
    EXPECT_EQ(t.computer.Expert().discardRank, 0);
}

} // namespace
} // namespace varenta::testing

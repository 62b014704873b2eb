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
    t.Hand({S(kNine), C(kNine), kJoker, kBlackThree});
    t.Melds({S(kKing), C(kKing), D(kKing), kJoker});
    t.HumanMelds({S(kFive), C(kFive), kTwoCode});
    t.Pile({H(kKing), D(kFive)});
    t.Known({H(kFive)});
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
        t.Hand({S(kNine), C(kNine), D(kNine), kJoker, kRedThree, S(kFour), S(kSix), H(kEight)});
        t.Melds({S(kKing), C(kKing), D(kKing)});
        t.Pile({H(kFive)});
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
    t.Hand({S(kQueen), kJoker, S(kFour), S(kFive)});
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
    u.Hand({S(kQueen), C(kQueen), S(kFour)});
    u.PileFiller(1);
    BeginnerPlayer q(u.engine, u.settings);
    q.RefreshTallies();
    EXPECT_TRUE(q.ComputerMayTakePile(kQueen, true)); // natural pair takes a frozen pile
    // A new meld needs hand and pile together to hold four cards.
    u.St().discardPile.Clear();
    EXPECT_FALSE(q.ComputerMayTakePile(kQueen, false));

    Stage v; // onto a complete Varenta only with the rule
    v.Hand({S(kFour)});
    v.Melds({S(kJack), C(kJack), D(kJack), H(kJack), S(kJack), C(kJack), D(kJack)});
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
    t.Hand({S(kKing), kTwoCode, C(kKing), kJoker, S(kFive)});
    BeginnerPlayer p(t.engine, t.settings);
    p.MeldRank(kKing, 0);
    EXPECT_EQ(t.MeldColumn(kKing), 3);
    EXPECT_EQ(t.HandCount(0), 0) << "the joker goes first";
    EXPECT_EQ(t.St().opponentMeldPoints, 10 + 10 + 50);

    Stage u;
    u.Hand({S(kQueen), C(kQueen), S(kFive)});
    BeginnerPlayer q(u.engine, u.settings);
    q.MeldRank(kQueen, 0);
    EXPECT_EQ(u.MeldColumn(kQueen), 2);
    ASSERT_EQ(u.port.messages.size(), 1u);
    EXPECT_EQ(u.port.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(u.port.messages[0].text, texts::kMeldErrorWildcardNotFound);

    Stage v; // at most n cards
    v.Hand({S(kKing), C(kKing), D(kKing), H(kKing), S(kFive)});
    v.Melds({S(kKing), C(kKing), D(kKing)});
    BeginnerPlayer r(v.engine, v.settings);
    r.MeldRank(kKing, 1);
    EXPECT_EQ(v.MeldColumn(kKing), 4);
}

TEST(MeldRank, NeverLaysTheLastCardWithoutTheVarentasNeeded) {
    Stage t; // four kings: three go, one stays
    t.Hand({S(kKing), C(kKing), D(kKing), H(kKing)});
    BeginnerPlayer p(t.engine, t.settings);
    EXPECT_EQ(p.MeldRank(kKing, 0), 3);
    EXPECT_EQ(t.St().opponentHand.Size(), 1);

    Stage v; // three kings: two alone would be no meld, so none go
    v.Hand({S(kKing), C(kKing), D(kKing)});
    BeginnerPlayer s(v.engine, v.settings);
    EXPECT_EQ(s.MeldRank(kKing, 0), 0);
    EXPECT_TRUE(v.port.messages.empty());

    Stage u; // the last card completes the Varenta: going out is allowed
    u.Melds({S(kKing), C(kKing), D(kKing), H(kKing), S(kKing), kJoker});
    u.Hand({C(kKing)});
    BeginnerPlayer q(u.engine, u.settings);
    EXPECT_EQ(q.MeldRank(kKing, 0), 1);
    EXPECT_EQ(u.St().opponentVarentas.count, 1);

    Stage w; // a wild card as the last card, onto a six-card meld
    w.Melds({S(kKing), C(kKing), D(kKing), H(kKing), S(kKing), C(kKing)});
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
    t.Pile({S(kNine)});
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
    t.Stock({C(1)});
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
    t.Hand({S(kFour), S(kNine), S(kJack)});
    t.Stock({kRedThree}); // the last stock card: a red three, nothing after it
    t.Pile({S(kFive)});
    t.Play(ComputerLevel::Beginner);
    EXPECT_EQ(counter.draws, 1);
    EXPECT_EQ(t.MeldColumn(kThreesColumn), 1) << "the red three goes to the melds at once";
    EXPECT_EQ(t.St().opponentHand.Size(), 2);
}

TEST(TurnSkeleton, RedThreeDrawnIsReplacedWithDrawExtra) {
    TurnStage t;
    t.Hand({S(kFour), S(kNine), S(kJack)});
    t.StockFiller(3);
    t.Stock({S(kKing), kRedThree}); // red three on top, the king below it
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
    t.Hand({S(kFour), S(kNine), S(kJack)});
    t.StockFiller(20);
    t.Pile({S(kFive), S(kSix)});
    t.Play(ComputerLevel::Expert);
    EXPECT_TRUE(t.computer.Expert().holdThrees);
    t.engine.SetComputerHook(&t.computer);
    t.engine.NewGame(); // the engine announces the new game to its computer
    EXPECT_FALSE(t.computer.Expert().holdThrees);
    EXPECT_EQ(t.computer.Expert().discardRank, 0);
}

} // namespace
} // namespace varenta::testing

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "varenta/engine/Texts.h"

namespace varenta {
namespace {

using namespace varenta::testing;

constexpr int kJoker = kJokerCode;

// The player to move, not yet drawn, with an unfrozen pile.
Table& Ready(Table& t) {
    t.S().hasDrawn = false;
    t.S().mayTakePile = true;
    RuleSet rules;
    rules.initialBlock = false;
    t.engine.SetRules(rules);
    t.S().pileFrozen = false;
    t.OpponentHand({kClub(kSix)});
    t.Stock({kClub(kNine), kClub(kNine)});
    return t;
}

TEST(TakeRules, WildCardsAndThreesOnTopAreNeverTaken) {
    for (int top : {kJoker, kSpade(kTwo), kSpade(1)}) {
        Table t;
        Ready(t);
        t.Hand({top, top, kSpade(kFive)});
        t.Pile({kHeart(kKing), top});
        EXPECT_FALSE(t.engine.PlayerMayTakePile()) << top;
        t.engine.PlayerTakePile();
        EXPECT_EQ(t.port.LastErrorText(),
                  "Taking the discard pile is not possible now because you cannot meld the top "
                  "card");
        EXPECT_EQ(t.S().discardPile.count, 2);
    }
}

TEST(TakeRules, FrozenNeedsANaturalPair) {
    Table t;
    Ready(t);
    t.S().pileFrozen = true;
    t.Hand({kSpade(kQueen), kJoker, kSpade(kFive)});
    t.Pile({kHeart(kKing), kHeart(kQueen)});
    EXPECT_FALSE(t.engine.PlayerMayTakePile());
    t.Hand({kClub(kQueen)});
    EXPECT_TRUE(t.engine.PlayerMayTakePile());
}

TEST(TakeRules, NaturalPairRuleAndExistingMelds) {
    Table t;
    Ready(t);
    t.Hand({kSpade(kQueen), kJoker, kSpade(kFive)});
    t.Pile({kHeart(kKing), kHeart(kQueen)});
    EXPECT_FALSE(t.engine.PlayerMayTakePile()); // Natural Pair on
    RuleSet rules = t.engine.Rules();
    rules.naturalPair = false;
    t.engine.SetRules(rules);
    EXPECT_TRUE(t.engine.PlayerMayTakePile());
    rules.naturalPair = true;
    t.engine.SetRules(rules);
    t.Melds({kSpade(kQueen), kDiamond(kQueen), kClub(kQueen)});
    EXPECT_TRUE(t.engine.PlayerMayTakePile());
}

TEST(TakeRules, AddToVarenta) {
    Table t;
    Ready(t);
    t.Melds({kSpade(kQueen), kDiamond(kQueen), kClub(kQueen), kSpade(kQueen), kDiamond(kQueen),
             kClub(kQueen), kHeart(kQueen)});
    t.Hand({kHeart(kQueen), kSpade(kFive)});
    t.Pile({kHeart(kKing), kClub(kTen), kDiamond(kQueen)});
    RuleSet rules = t.engine.Rules();
    rules.addToVarenta = false;
    t.engine.SetRules(rules);
    EXPECT_FALSE(t.engine.PlayerMayTakePile());
    rules.addToVarenta = true;
    t.engine.SetRules(rules);
    ASSERT_TRUE(t.engine.PlayerMayTakePile());
    t.engine.PlayerTakePile();
    // The queen went onto the Varenta, squared, and the rest came at once.
    EXPECT_EQ(t.engine.MeldColumnCount(Side::Player, 11), 8);
    EXPECT_EQ(t.S().playerVarentas.count, 1);
    EXPECT_TRUE(t.S().discardPile.Empty());
    EXPECT_FALSE(t.S().topCardPending);
    EXPECT_EQ(t.S().knownPlayerCards.count, 2);
    EXPECT_TRUE(t.reporter.Contains("DRAWPILETOP " + std::to_string(kDiamond(kQueen))));
    EXPECT_EQ(t.reporter.lines.back(), "DRAWPILEREST");
}

TEST(TakeRules, ANewMeldMustLeaveACardToDiscard) {
    Table t;
    Ready(t);
    t.Hand({kSpade(kQueen), kClub(kQueen)});
    t.Pile({kHeart(kQueen)});
    EXPECT_FALSE(t.engine.PlayerMayTakePile()); // 2 + 1 cards, no Varenta
    t.S().discardPile.RemoveAt(0);
    t.Pile({kHeart(kFive), kHeart(kQueen)});
    EXPECT_TRUE(t.engine.PlayerMayTakePile()); // 2 + 2 cards
}

TEST(TakeRules, InitialBlockForEachSide) {
    Table t;
    Ready(t);
    RuleSet rules;
    t.engine.SetRules(rules); // switching Initial Block on freezes the pile
    EXPECT_TRUE(t.S().pileFrozen);
    t.S().pileFrozen = false;
    EXPECT_TRUE(t.engine.PileFrozenFor(Side::Player)); // nobody has melded yet
    EXPECT_TRUE(t.engine.PileFrozenFor(Side::Opponent));
    t.Melds({kSpade(kAce), kHeart(kAce), kClub(kAce)});
    EXPECT_FALSE(t.engine.PileFrozenFor(Side::Player));
    rules.initialBlockForBoth = false;
    t.engine.SetRules(rules);
    EXPECT_FALSE(t.engine.PileFrozenFor(Side::Opponent));
}

TEST(TwoStageTake, TopCardFirstThenTheRest) {
    Table t;
    Ready(t);
    t.Hand({kSpade(kKing), kClub(kKing), kSpade(kFive), kHeart(kSix)});
    t.Pile({kHeart(kAce), kHeart(kKing)});
    t.engine.PlayerTakePile();
    EXPECT_TRUE(t.S().topCardPending);
    EXPECT_TRUE(t.S().pileTopMustMeld);
    EXPECT_EQ(t.S().discardPile.count, 1);
    EXPECT_EQ(t.port.LastHint(), texts::kHintTopCardPending);
    EXPECT_EQ(t.S().pileTopColumnBefore, 0);
    // Discarding now is refused.
    t.engine.PlayerDiscard(t.InHand(kSpade(kFive)));
    EXPECT_EQ(t.port.errors.back().reason, texts::kReasonTopCard);
    // Two kings make three: 30 points are not yet the 50 of the first meld.
    t.engine.MeldSeveral(t.InHand(kSpade(kKing)), MeldMode::Shift);
    EXPECT_TRUE(t.S().topCardPending);
    EXPECT_EQ(t.S().discardPile.count, 1);

    Table u;
    Ready(u);
    u.S().initialMeldMinimum = 15;
    u.Hand({kSpade(kKing), kClub(kKing), kSpade(kFive), kHeart(kSix)});
    u.Pile({kHeart(kAce), kHeart(kKing)});
    u.engine.PlayerTakePile();
    u.engine.MeldSeveral(u.InHand(kSpade(kKing)), MeldMode::Shift);
    EXPECT_FALSE(u.S().topCardPending);
    EXPECT_FALSE(u.S().pileTopMustMeld);
    EXPECT_TRUE(u.S().discardPile.Empty());
    EXPECT_EQ(u.S().playerHand.count, 3);
    EXPECT_TRUE(u.S().undoList.Empty());
    EXPECT_FALSE(u.port.undoEnabled);
    EXPECT_EQ(u.reporter.lines.back(), "DRAWPILEREST");
    u.engine.UndoMeld(); // the completed take cannot be undone
    EXPECT_EQ(u.engine.MeldColumnCount(Side::Player, 12), 3);
}

TEST(TwoStageTake, TopCardCountsOffRaisesTheMinimum) {
    Table t;
    Ready(t);
    RuleSet rules = t.engine.Rules();
    rules.topCardCounts = false;
    t.engine.SetRules(rules);
    t.Hand({kSpade(kKing), kClub(kKing), kSpade(kFive), kHeart(kSix), kSpade(kAce), kHeart(kAce),
            kClub(kAce)});
    t.Pile({kHeart(kAce), kHeart(kKing)});
    t.engine.PlayerTakePile();
    EXPECT_EQ(t.S().initialMeldMinimum, 60);
    t.engine.MeldSeveral(t.InHand(kSpade(kKing)), MeldMode::Shift);
    EXPECT_TRUE(t.S().topCardPending); // 30 < 60
    t.engine.PlayerTakePile();         // click on the pile: undo the take
    EXPECT_EQ(t.S().initialMeldMinimum, 50);
    EXPECT_EQ(t.S().playerScore, -50);
    EXPECT_FALSE(t.S().hasDrawn);
    EXPECT_TRUE(t.S().mayTakePile);
    EXPECT_EQ(t.S().discardPile.Top().code, kHeart(kKing));
    EXPECT_EQ(t.S().discardPile.count, 2);
    EXPECT_EQ(t.S().playerHand.count, 7);
    EXPECT_EQ(t.S().playerMelds.count, 0);
    EXPECT_EQ(t.reporter.lines.back(), "UNDOPILE");
    // Taking it again and undoing again costs again.
    t.engine.PlayerTakePile();
    t.engine.PlayerTakePile();
    EXPECT_EQ(t.S().playerScore, -100);
}

TEST(TwoStageTake, UndoDissolvesAVarentaTheTopCardCompleted) {
    Table t;
    Ready(t);
    t.S().pileFrozen = true;
    t.Melds({kSpade(kJack), kClub(kJack), kDiamond(kJack), kSpade(kJack), kClub(kJack),
             kDiamond(kJack)});
    t.Hand({kHeart(kJack), kHeart(kJack), kSpade(kFive), kSpade(kSix), kSpade(kSeven)});
    t.Pile({kHeart(kAce), kHeart(kJack)});
    t.engine.PlayerTakePile();
    ASSERT_TRUE(t.S().topCardPending);
    EXPECT_EQ(t.S().playerVarentas.count, 1);
    t.engine.MeldOne(t.InHand(kHeart(kJack)));
    EXPECT_FALSE(t.S().undoList.Empty());
    t.engine.PlayerTakePile();
    EXPECT_EQ(t.S().playerVarentas.count, 0);
    EXPECT_EQ(t.S().playerVarentas.kind[10], kNoVarenta);
    EXPECT_EQ(t.engine.MeldColumnCount(Side::Player, 10), 6);
    EXPECT_TRUE(t.S().undoList.Empty());
    EXPECT_FALSE(t.port.undoEnabled);
    EXPECT_EQ(t.S().playerHand.count, 5);
    // The six jacks are spread again.
    EXPECT_EQ(t.S().playerMelds.columns[10].y, t.G().playerMeldRow + 72);
    // Nothing is left to undo: the melds were rolled back with the snapshot.
    t.engine.UndoMeld();
    EXPECT_EQ(t.S().playerHand.count, 5);
}

TEST(TwoStageTake, HugePileSound) {
    for (int size : {12, 13}) {
        Table t;
        Ready(t);
        t.Hand({kSpade(kQueen), kClub(kQueen), kSpade(kFive)});
        for (int i = 1; i < size; ++i) {
            t.Pile({kHeart(kFive)});
        }
        t.Pile({kHeart(kQueen)});
        t.engine.PlayerTakePile();
        const bool played = std::find(t.port.sounds.begin(), t.port.sounds.end(),
                                      texts::kSoundTakeHugePile) != t.port.sounds.end();
        EXPECT_EQ(played, size >= 13) << size;
    }
}

} // namespace
} // namespace varenta

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "TestSupport.h"
#include "varenta/engine/Texts.h"

namespace varenta {
namespace {

using namespace varenta::testing;

// The player to move, not yet drawn, with an unfrozen pile.
Table& Ready(Table& t) {
    t.Undrawn();
    RuleSet rules;
    rules.initialBlock = false;
    t.Rules(rules);
    t.OpponentHand({Code(kClub, kSix)});
    t.Stock({Code(kClub, kNine), Code(kClub, kNine)});
    return t;
}

TEST(TakeRules, WhenThePileMayBeTaken) {
    struct Case {
        const char* what;
        std::vector<int> hand, melds, pile; // pile bottom first
        bool frozen = false, naturalPair = true, addToVarenta = true, allowed = false;
    };
    const int q = Code(kSpade, kQueen);
    const std::vector<int> sevenQueens{q, q, q, q, q, q, q};
    const Case cases[] = {
        {"joker on top", {kJoker, kJoker, Code(kSpade, kFive)}, {}, {q, kJoker}},
        {"two on top",
         {Code(kSpade, kTwo), Code(kSpade, kTwo), Code(kSpade, kFive)},
         {},
         {q, Code(kSpade, kTwo)}},
        {"three on top",
         {Code(kSpade, kThree), Code(kClub, kThree), Code(kSpade, kFive)},
         {},
         {q, Code(kSpade, kThree)}},
        {"frozen, queen + joker", {q, kJoker, Code(kSpade, kFive)}, {}, {q, q}, true},
        {"frozen, natural pair", {q, q, Code(kSpade, kFive)}, {}, {q, q}, true, true, true, true},
        {"queen + joker, Natural Pair", {q, kJoker, Code(kSpade, kFive)}, {}, {q, q}},
        {"queen + joker", {q, kJoker, Code(kSpade, kFive)}, {}, {q, q}, false, false, true, true},
        {"queen meld",
         {q, kJoker, Code(kSpade, kFive)},
         {q, q, q},
         {q, q},
         false,
         true,
         true,
         true},
        {"onto a Varenta", {q, Code(kSpade, kFive)}, sevenQueens, {q, q}, false, true, true, true},
        {"onto a Varenta, rule off",
         {q, Code(kSpade, kFive)},
         sevenQueens,
         {q, q},
         false,
         true,
         false},
        {"new meld leaves nothing", {q, q}, {}, {q}},
        {"new meld leaves a card", {q, q}, {}, {Code(kSpade, kFive), q}, false, true, true, true},
    };
    for (const Case& c : cases) {
        Table t;
        Ready(t);
        RuleSet rules = t.engine.Rules();
        rules.naturalPair = c.naturalPair;
        rules.addToVarenta = c.addToVarenta;
        t.Rules(rules);
        t.S().pileFrozen = c.frozen;
        for (int code : c.hand) {
            t.Hand({code});
        }
        for (int code : c.melds) {
            t.Melds({code});
        }
        for (int code : c.pile) {
            t.Pile({code});
        }
        EXPECT_EQ(t.engine.PlayerMayTakePile(), c.allowed) << c.what;
        if (!c.allowed) {
            t.engine.PlayerTakePile();
            EXPECT_EQ(t.port.LastErrorText(), "Taking the discard pile is not possible now "
                                              "because you cannot meld the top card");
            EXPECT_EQ(t.S().discardPile.count, static_cast<int>(c.pile.size())) << c.what;
        }
    }
}

TEST(TakeRules, AddToAVarentaBringsTheRestAtOnce) {
    Table t;
    Ready(t);
    t.Melds({Code(kSpade, kQueen), Code(kDiamond, kQueen), Code(kClub, kQueen),
             Code(kSpade, kQueen), Code(kDiamond, kQueen), Code(kClub, kQueen),
             Code(kHeart, kQueen)});
    t.Hand({Code(kHeart, kQueen), Code(kSpade, kFive)});
    t.Pile({Code(kHeart, kKing), Code(kClub, kTen), Code(kDiamond, kQueen)});
    t.engine.PlayerTakePile();
    EXPECT_EQ(t.engine.MeldColumnCount(Side::Player, 11), 8);
    EXPECT_EQ(t.S().playerMelds.Top().y, t.G().PlayerSquaredRow());
    EXPECT_EQ(t.S().playerVarentas.count, 1);
    EXPECT_TRUE(t.S().discardPile.Empty());
    EXPECT_FALSE(t.S().topCardPending);
    EXPECT_EQ(t.S().knownPlayerCards.count, 2);
    EXPECT_TRUE(t.reporter.Contains("DRAWPILETOP " + std::to_string(Code(kDiamond, kQueen))));
    EXPECT_EQ(t.reporter.lines.back(), "DRAWPILEREST");
}

TEST(TakeRules, InitialBlockForEachSide) {
    Table t;
    Ready(t);
    RuleSet rules;
    t.Rules(rules); // switching Initial Block on freezes the pile
    EXPECT_TRUE(t.S().pileFrozen);
    t.S().pileFrozen = false;
    EXPECT_TRUE(t.engine.PileFrozenFor(Side::Player)); // nobody has melded yet
    EXPECT_TRUE(t.engine.PileFrozenFor(Side::Opponent));
    t.Melds({Code(kSpade, kAce), Code(kHeart, kAce), Code(kClub, kAce)});
    EXPECT_FALSE(t.engine.PileFrozenFor(Side::Player));
    rules.initialBlockForBoth = false;
    t.Rules(rules);
    EXPECT_FALSE(t.engine.PileFrozenFor(Side::Opponent));
}

TEST(TwoStageTake, TopCardFirstThenTheRest) {
    for (int minimum : {50, 15}) {
        Table t;
        Ready(t);
        t.S().initialMeldMinimum = minimum;
        t.Hand({Code(kSpade, kKing), Code(kClub, kKing), Code(kSpade, kFive), Code(kHeart, kSix)});
        t.Pile({Code(kHeart, kAce), Code(kHeart, kKing)});
        t.engine.PlayerTakePile();
        EXPECT_TRUE(t.S().topCardPending);
        EXPECT_TRUE(t.S().pileTopMustMeld);
        EXPECT_EQ(t.S().discardPile.count, 1);
        EXPECT_EQ(t.port.LastHint(), Hint::TopCardPending);
        t.engine.PlayerDiscard(t.InHand(Code(kSpade, kFive))); // refused while pending
        EXPECT_EQ(t.port.LastErrorText(),
                  "Discarding is not possible now: you have not melded the top card correctly");
        // Two kings make three: 30 points do not reach 50, they reach 15.
        t.engine.MeldSeveral(t.InHand(Code(kSpade, kKing)), MeldMode::Shift);
        EXPECT_EQ(t.S().topCardPending, minimum == 50);
        if (minimum == 15) {
            EXPECT_FALSE(t.S().pileTopMustMeld);
            EXPECT_TRUE(t.S().discardPile.Empty());
            EXPECT_EQ(t.S().playerHand.count, 3);
            EXPECT_TRUE(t.S().undoList.Empty());
            EXPECT_FALSE(t.port.undoEnabled);
            EXPECT_EQ(t.reporter.lines.back(), "DRAWPILEREST");
            t.engine.UndoMeld(); // the completed take cannot be undone
            EXPECT_EQ(t.engine.MeldColumnCount(Side::Player, 12), 3);
        }
    }
}

TEST(TwoStageTake, TopCardCountsOffRaisesTheMinimumAndUndoCosts) {
    Table t;
    Ready(t);
    RuleSet rules = t.engine.Rules();
    rules.topCardCounts = false;
    t.Rules(rules);
    t.Hand({Code(kSpade, kKing), Code(kClub, kKing), Code(kSpade, kFive), Code(kHeart, kSix),
            Code(kSpade, kAce), Code(kHeart, kAce), Code(kClub, kAce)});
    t.Pile({Code(kHeart, kAce), Code(kHeart, kKing)});
    t.engine.PlayerTakePile();
    EXPECT_EQ(t.S().initialMeldMinimum, 60);
    t.engine.MeldSeveral(t.InHand(Code(kSpade, kKing)), MeldMode::Shift);
    EXPECT_TRUE(t.S().topCardPending); // 30 < 60
    t.engine.PlayerTakePile();         // click on the pile: undo the take
    EXPECT_EQ(t.S().initialMeldMinimum, 50);
    EXPECT_EQ(t.S().playerScore, -50);
    EXPECT_FALSE(t.S().hasDrawn);
    EXPECT_TRUE(t.S().mayTakePile);
    EXPECT_EQ(t.S().discardPile.Top().code, Code(kHeart, kKing));
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
    t.Melds({Code(kSpade, kJack), Code(kClub, kJack), Code(kDiamond, kJack), Code(kSpade, kJack),
             Code(kClub, kJack), Code(kDiamond, kJack)});
    t.Hand({Code(kHeart, kJack), Code(kHeart, kJack), Code(kSpade, kFive), Code(kSpade, kSix),
            Code(kSpade, kSeven)});
    t.Pile({Code(kHeart, kAce), Code(kHeart, kJack)});
    t.engine.PlayerTakePile();
    ASSERT_TRUE(t.S().topCardPending);
    EXPECT_EQ(t.S().playerVarentas.count, 1);
    t.engine.MeldOne(t.InHand(Code(kHeart, kJack)));
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
        t.Hand({Code(kSpade, kQueen), Code(kClub, kQueen), Code(kSpade, kFive)});
        for (int i = 1; i < size; ++i) {
            t.Pile({Code(kHeart, kFive)});
        }
        t.Pile({Code(kHeart, kQueen)});
        t.engine.PlayerTakePile();
        EXPECT_EQ(std::count(t.port.sounds.begin(), t.port.sounds.end(), texts::kSoundTakeHugePile),
                  size >= 13 ? 1 : 0);
    }
}

} // namespace
} // namespace varenta

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "varenta/engine/Texts.h"

namespace varenta {
namespace {

using namespace varenta::testing;

TEST(Meld, NeedsADrawFirst) {
    Table t;
    t.S().hasDrawn = false;
    t.Hand({Code(kSpade, kQueen), kJoker});
    t.Melds({Code(kSpade, kNine), Code(kHeart, kNine), Code(kClub, kNine), Code(kDiamond, kNine)});
    t.engine.MeldOne(0);
    EXPECT_EQ(t.port.LastErrorText(), "You cannot meld before drawing; please draw first by "
                                      "clicking on the stock or the discard pile");
    t.port.errors.clear();
    t.engine.MeldWildCards(MeldMode::Plain);
    t.engine.AddWildCardToColumn(8);
    t.engine.FillColumnWithWildCards(8);
    EXPECT_EQ(t.port.errors.size(), 3u);
    EXPECT_EQ(t.S().playerMelds.count, 4);
}

TEST(Meld, TwoQueensGetTheJokerAutomatically) {
    Table t;
    t.Hand({Code(kSpade, kQueen), Code(kHeart, kQueen), kJoker, Code(kSpade, kFive),
            Code(kSpade, kSix)});
    t.engine.MeldOne(t.InHand(Code(kSpade, kQueen)));
    t.engine.MeldOne(t.InHand(Code(kHeart, kQueen)));
    ASSERT_EQ(t.S().playerMelds.count, 3);
    EXPECT_EQ(t.S().playerMelds[2].x, t.G().ColumnX(11));
    EXPECT_EQ(t.S().playerMelds[2].y, t.G().playerMeldRow + 36);
    EXPECT_EQ(t.reporter.lines.back(), "MELDWILDCARD 53 11");
    EXPECT_EQ(t.S().undoList.count, 3);
    EXPECT_TRUE(t.port.undoEnabled);
    // A third queen in the hand: the player decides.
    Table u;
    u.Hand({Code(kSpade, kQueen), Code(kHeart, kQueen), Code(kClub, kQueen), kJoker,
            Code(kSpade, kFive)});
    u.engine.MeldOne(0);
    u.engine.MeldOne(0);
    EXPECT_EQ(u.S().playerMelds.count, 2);
}

TEST(Meld, ShiftAndCtrlMeldSeveral) {
    Table t;
    t.Hand({Code(kSpade, kKing), Code(kHeart, kKing), Code(kClub, kKing), Code(kDiamond, kKing),
            Code(kSpade, kFive)});
    t.engine.MeldSeveral(0, MeldMode::Ctrl);
    EXPECT_EQ(t.S().playerMelds.count, 3);
    t.engine.MeldSeveral(0, MeldMode::Shift);
    EXPECT_EQ(t.S().playerMelds.count, 4);
    EXPECT_EQ(t.reporter.lines.size(), 4u);

    // Shift on the whole hand keeps one card to discard...
    Table u;
    u.Hand({Code(kSpade, kKing), Code(kHeart, kKing), Code(kClub, kKing)});
    u.engine.MeldSeveral(0, MeldMode::Shift);
    EXPECT_EQ(u.S().playerHand.count, 1);
    // ... unless melding them all completes the Varenta needed to go out.
    Table v;
    v.Melds({Code(kSpade, kKing), Code(kHeart, kKing), Code(kClub, kKing), Code(kDiamond, kKing),
             Code(kSpade, kKing)});
    v.Hand({Code(kHeart, kKing), Code(kClub, kKing)});
    v.OpponentHand({Code(kClub, kSix)});
    v.Stock({Code(kClub, kNine)});
    v.engine.MeldSeveral(0, MeldMode::Shift);
    ASSERT_EQ(v.port.handResults.size(), 1u);
    EXPECT_EQ(v.port.handResults[0].wentOut, 0);
}

TEST(Varenta, KindsAndSquaring) {
    Table t;
    t.Melds({Code(kSpade, kQueen), Code(kHeart, kQueen), Code(kClub, kQueen),
             Code(kDiamond, kQueen), kJoker, Code(kSpade, kTwo), Code(kHeart, kTwo)},
            11);
    EXPECT_EQ(t.S().playerVarentas.kind[11], kMixedVarenta);
    EXPECT_EQ(t.S().playerVarentas.naturals[11], 4);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(t.S().playerMelds[i].y, t.G().playerMeldRow + 12);
    }
    EXPECT_EQ(t.S().playerMelds[6].code, Code(kClub, kQueen)); // the last black natural on top
    EXPECT_EQ(t.port.sounds.back(), texts::kSoundMixedVarenta);

    t.KingVarenta();
    EXPECT_EQ(t.S().playerVarentas.kind[12], kNaturalVarenta);
    EXPECT_EQ(t.S().playerMelds.Top().code, Code(kHeart, kKing)); // the last red natural on top
    EXPECT_EQ(t.port.sounds.back(), texts::kSoundNaturalVarenta);

    t.Melds({kJoker, kJoker, Code(kSpade, kTwo), Code(kClub, kTwo), Code(kDiamond, kTwo),
             Code(kHeart, kTwo), kJoker},
            kWildColumn);
    EXPECT_EQ(t.S().playerVarentas.kind[kWildColumn], kWildVarenta);

    // Three naturals and four wild cards are no Varenta.
    t.Melds({Code(kSpade, kNine), Code(kHeart, kNine), Code(kClub, kNine), kJoker,
             Code(kSpade, kTwo), Code(kClub, kTwo), Code(kHeart, kTwo)},
            8);
    EXPECT_EQ(t.S().playerVarentas.kind[8], kNoVarenta);
    EXPECT_EQ(t.S().playerVarentas.count, 3);
}

TEST(Varenta, CountedOnceFromSixToEightAndKeptWhenTheEighthIsUndone) {
    Table t;
    t.Melds({Code(kSpade, kJack), Code(kHeart, kJack), Code(kClub, kJack), Code(kDiamond, kJack),
             Code(kSpade, kJack), Code(kHeart, kJack)});
    t.Hand({Code(kClub, kJack), Code(kDiamond, kJack), Code(kSpade, kFive), Code(kSpade, kFive)});
    t.engine.MeldSeveral(0, MeldMode::Shift); // six to eight in one action
    EXPECT_EQ(t.S().playerVarentas.count, 1);
    EXPECT_EQ(t.S().playerMelds.Top().y, t.G().playerMeldRow + 12);
    t.engine.UndoMeld(); // eight to seven: the Varenta stands
    EXPECT_EQ(t.S().playerVarentas.count, 1);
    EXPECT_EQ(t.S().playerVarentas.kind[10], kNaturalVarenta);
    t.engine.UndoMeld(); // seven to six: dissolved and spread again
    EXPECT_EQ(t.S().playerVarentas.count, 0);
    int row = t.G().playerMeldRow;
    for (int i = 0; i < t.S().playerMelds.count; ++i) {
        row += 12;
        EXPECT_EQ(t.S().playerMelds[i].y, row);
    }
    EXPECT_EQ(t.S().playerMelds.columns[10].y, row);
    EXPECT_FALSE(t.port.undoEnabled);
    t.engine.MeldSeveral(t.InHand(Code(kClub, kJack)), MeldMode::Shift);
    EXPECT_EQ(t.S().playerVarentas.count, 1);
}

TEST(Meld, UndoAllReturnsEveryCardOfTheTurn) {
    Table t;
    // An older joker lies in the queens' meld; the new one goes onto the kings.
    t.Melds({Code(kSpade, kQueen), Code(kHeart, kQueen), Code(kClub, kQueen), kJoker}, 11);
    t.Hand({Code(kSpade, kKing), Code(kHeart, kKing), Code(kClub, kKing), kJoker,
            Code(kSpade, kFive), Code(kSpade, kSix)});
    t.engine.MeldSeveral(0, MeldMode::Shift);
    t.engine.AddWildCardToColumn(12);
    t.engine.UndoMeld();
    EXPECT_EQ(t.engine.MeldColumnCount(Side::Player, 11), 4);
    EXPECT_EQ(t.reporter.lines.back(), "UNDO 12 53");
    t.engine.UndoAll();
    EXPECT_EQ(t.S().playerMelds.count, 4);
    EXPECT_EQ(t.S().playerHand.count, 6);
    EXPECT_EQ(t.S().knownPlayerCards.count, 4);
    EXPECT_EQ(t.S().playerHand.columns[12].y, t.G().handRow + 36);
}

TEST(Meld, WildCardActions) {
    Table t;
    t.Hand(
        {kJoker, Code(kSpade, kTwo), Code(kHeart, kTwo), Code(kSpade, kFive), Code(kSpade, kSix)});
    t.engine.MeldWildCards(MeldMode::Plain);
    EXPECT_EQ(t.port.LastErrorText(),
              "You need at least seven wildcards to create a wildcard Varenta");

    Table u;
    u.Hand({Code(kSpade, kTwo), kJoker, Code(kHeart, kTwo), Code(kClub, kTwo), Code(kDiamond, kTwo),
            kJoker, kJoker, Code(kSpade, kFive), Code(kSpade, kSix)});
    u.engine.MeldWildCards(MeldMode::Ctrl);
    EXPECT_EQ(u.engine.MeldColumnCount(Side::Player, kWildColumn), 3);
    EXPECT_EQ(u.S().playerMelds[0].code, kJoker); // jokers before twos
    u.engine.MeldWildCards(MeldMode::Shift);
    EXPECT_EQ(u.S().playerVarentas.kind[kWildColumn], kWildVarenta);

    // Shift + click on a column of four fills it to seven; a column of three,
    // or the red threes, are left as they are.
    Table v;
    v.Melds({Code(kSpade, kNine), Code(kHeart, kNine), Code(kClub, kNine), Code(kDiamond, kNine)});
    v.Melds({Code(kSpade, kTen), Code(kHeart, kTen), Code(kClub, kTen)});
    v.Melds({Code(kHeart, kThree), Code(kDiamond, kThree), Code(kHeart, kThree),
             Code(kDiamond, kThree)},
            kThreesColumn);
    v.Hand(
        {kJoker, Code(kSpade, kTwo), Code(kHeart, kTwo), Code(kSpade, kFive), Code(kSpade, kSix)});
    v.engine.FillColumnWithWildCards(9);
    v.engine.FillColumnWithWildCards(kThreesColumn);
    EXPECT_EQ(v.S().playerHand.count, 5);
    v.engine.FillColumnWithWildCards(8);
    EXPECT_EQ(v.S().playerVarentas.kind[8], kMixedVarenta);
    EXPECT_EQ(v.S().playerHand.count, 2);

    // One card left, no Varenta, column not at six: a click adds nothing;
    // and a wild card never joins red threes by a click.
    Table x;
    x.Melds({Code(kSpade, kNine), Code(kHeart, kNine), Code(kClub, kNine)});
    x.Melds({Code(kHeart, kThree)}, kThreesColumn);
    x.Hand({kJoker});
    x.engine.AddWildCardToColumn(8);
    x.engine.AddWildCardToColumn(kThreesColumn);
    EXPECT_EQ(x.S().playerHand.count, 1);
}

TEST(Validation, ReasonsInOrder) {
    Table t;
    std::string_view reason;
    EXPECT_TRUE(t.engine.ValidateMelds(reason)); // nothing melded
    t.Hand({Code(kSpade, kFive)});
    t.Melds({Code(kSpade, kNine), Code(kHeart, kNine)});
    t.Melds({Code(kSpade, kTwo), Code(kHeart, kTwo), Code(kClub, kTwo)}, kWildColumn);
    EXPECT_FALSE(t.engine.ValidateMelds(reason));
    EXPECT_EQ(reason, texts::kReasonColumnTooShort);

    Table u;
    u.Hand({Code(kSpade, kFive)});
    u.Melds({Code(kSpade, kNine), Code(kHeart, kNine), Code(kClub, kNine)});
    EXPECT_FALSE(u.engine.ValidateMelds(reason));
    EXPECT_EQ(reason, "your first meld must be at least 50 points (currently 30 points)");
    EXPECT_TRUE(u.engine.ValidateMelds(reason, 0)); // going out waives the minimum
    RuleSet bonus;
    bonus.bonusCounts = true;
    u.Rules(bonus);
    u.S().playerVarentas.count = 1;
    EXPECT_TRUE(u.engine.ValidateMelds(reason));

    Table v;
    v.Hand({Code(kSpade, kFive)});
    v.Melds({Code(kSpade, kNine), Code(kHeart, kNine), Code(kClub, kNine), kJoker, kJoker, kJoker,
             kJoker},
            8);
    EXPECT_FALSE(v.engine.ValidateMelds(reason));
    EXPECT_EQ(reason, texts::kReasonTooManyWildcards);

    Table w;
    w.Hand({Code(kSpade, kFive)});
    w.Melds({Code(kSpade, kAce), Code(kHeart, kAce), Code(kClub, kAce)});
    w.Melds({Code(kSpade, kThree)}, kThreesColumn);
    EXPECT_FALSE(w.engine.ValidateMelds(reason));
    EXPECT_EQ(reason, texts::kReasonBlackThrees);
    w.Melds({Code(kClub, kThree)}, kThreesColumn);
    EXPECT_FALSE(w.engine.ValidateMelds(reason, 0)); // two need a wild card
    w.Melds({kJoker}, kThreesColumn);
    EXPECT_TRUE(w.engine.ValidateMelds(reason, 0));

    w.Melds({kJoker, kJoker, kJoker, kJoker, kJoker, Code(kSpade, kTwo)}, kWildColumn);
    EXPECT_FALSE(w.engine.ValidateMelds(reason, 0));
    EXPECT_EQ(reason, texts::kReasonWildcardsAsVarenta);
    w.S().pileTopMustMeld = true;
    EXPECT_FALSE(w.engine.ValidateMeldsWithTop(reason));
    EXPECT_EQ(reason, texts::kReasonTopCard);
}

TEST(BlackThrees, OnlyAsTheLastCardsWhenGoingOut) {
    Table t;
    t.Hand({Code(kSpade, kThree), Code(kClub, kThree), Code(kSpade, kThree), Code(kSpade, kFive),
            Code(kSpade, kSix)});
    t.engine.MeldOne(0);
    EXPECT_EQ(t.port.LastErrorText(),
              "Black Threes can only be melded as the last cards when going out");
    t.port.errors.clear();
    t.engine.MeldSeveral(0, MeldMode::Shift); // several at once: the same check
    EXPECT_EQ(t.port.LastError(), texts::kErrorBlackThrees);
    EXPECT_EQ(t.S().playerMelds.count, 0);

    // With a Varenta and nothing but black threes and one other card; red
    // threes on the table do not count towards the three a Ctrl + click melds.
    Table u;
    u.KingVarenta();
    u.Melds({Code(kHeart, kThree), Code(kDiamond, kThree), Code(kHeart, kThree)}, kThreesColumn);
    u.Hand({Code(kSpade, kThree), Code(kClub, kThree), Code(kSpade, kThree), Code(kSpade, kFive)});
    u.OpponentHand({Code(kClub, kSix)});
    u.Stock({Code(kClub, kNine)});
    u.engine.MeldSeveral(0, MeldMode::Ctrl);
    EXPECT_TRUE(u.S().blackThreesAllowed);
    EXPECT_EQ(u.S().playerHand.count, 1);
    u.engine.PlayerDiscard(0);
    ASSERT_EQ(u.port.handResults.size(), 1u);
    EXPECT_EQ(u.port.handResults[0].wentOut, 0);

    // Two black threes take a wild card with them.
    Table v;
    v.KingVarenta();
    v.Hand({Code(kSpade, kThree), Code(kClub, kThree), kJoker, Code(kSpade, kFive)});
    v.engine.MeldOne(0);
    v.engine.MeldOne(0);
    EXPECT_EQ(v.engine.MeldColumnCount(Side::Player, kThreesColumn), 3);
}

TEST(GoingOut, NeedsTheRequiredVarentas) {
    Table t;
    t.Melds(
        {Code(kSpade, kAce), Code(kHeart, kAce), Code(kClub, kAce), Code(kDiamond, kAce), kJoker},
        13);
    t.Hand({Code(kSpade, kFive)});
    t.OpponentHand({Code(kClub, kSix)});
    t.Stock({Code(kClub, kNine)});
    t.engine.PlayerDiscard(0);
    EXPECT_EQ(t.port.LastErrorText(),
              "Discarding is not possible now: you need more Varentas to go out");
    t.S().playerHand.Clear();
    t.Hand({Code(kHeart, kAce)});
    t.engine.MeldOne(0);
    EXPECT_EQ(t.port.LastErrorText(), "You need more Varentas to go out");
    t.S().playerHand.Clear();
    t.Hand({kJoker});
    t.engine.AddWildCardToColumn(13); // six cards are no Varenta
    EXPECT_EQ(t.port.LastErrorText(), "You need more Varentas to go out");
    EXPECT_EQ(t.S().playerHand.count, 1);
    EXPECT_EQ(t.S().playerMelds.count, 5);
    EXPECT_FALSE(t.S().opponentToMove);

    // A meld that completes the Varenta itself ends the hand.
    t.S().playerHand.Clear();
    t.Hand({Code(kClub, kAce)});
    t.Melds({Code(kSpade, kAce)}, 13);
    t.engine.MeldOne(0);
    ASSERT_EQ(t.port.handResults.size(), 1u);
    EXPECT_EQ(t.port.handResults[0].wentOut, 0);
    EXPECT_EQ(t.port.handResults[0].player.finishBonus, 200); // concealed
}

TEST(GoingOut, MeldingTheLastCardsCompletesAPendingTake) {
    // While the pile's rest is held back, an empty hand is not going out: the
    // melds that complete the take bring the rest into the hand.
    for (bool withJoker : {false, true}) {
        Table t;
        t.Undrawn();
        RuleSet rules;
        rules.initialBlock = false;
        rules.naturalPair = false;
        t.Rules(rules);
        t.S().initialMeldMinimum = 15;
        t.OpponentHand({Code(kClub, kSix)});
        t.Stock({Code(kClub, kNine)});
        if (withJoker) {
            t.Hand({Code(kSpade, kKing), kJoker});
        } else {
            t.Hand({Code(kSpade, kKing), Code(kClub, kKing)});
        }
        t.Pile({Code(kHeart, kFive), Code(kHeart, kSix), Code(kHeart, kKing)});
        t.engine.PlayerTakePile();
        ASSERT_TRUE(t.S().topCardPending);
        t.engine.MeldSeveral(0, MeldMode::Shift);
        if (withJoker) {
            EXPECT_EQ(t.engine.MeldColumnCount(Side::Player, 12), 3); // the joker came too
        }
        EXPECT_FALSE(t.S().topCardPending) << withJoker;
        EXPECT_EQ(t.S().playerHand.count, 2);
        EXPECT_TRUE(t.port.errors.empty());
    }
}

} // namespace
} // namespace varenta

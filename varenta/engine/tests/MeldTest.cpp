#include <gtest/gtest.h>

#include "TestSupport.h"
#include "varenta/engine/Texts.h"

namespace varenta {
namespace {

using namespace varenta::testing;

constexpr int kJoker = kJokerCode;

TEST(Meld, NeedsADrawFirst) {
    Table t;
    t.S().hasDrawn = false;
    t.Hand({kSpade(kQueen), kJoker});
    t.engine.MeldOne(0);
    EXPECT_EQ(t.port.LastError(), texts::kErrorMeldBeforeDraw);
    t.engine.MeldWildCards(MeldMode::Plain);
    EXPECT_EQ(t.port.LastError(), texts::kErrorMeldBeforeDraw);
    EXPECT_EQ(t.S().playerMelds.count, 0);
}

TEST(Meld, TwoQueensGetTheJokerAutomatically) {
    Table t;
    t.Hand({kSpade(kQueen), kHeart(kQueen), kJoker, kSpade(kFive), kSpade(kSix)});
    t.engine.MeldOne(t.InHand(kSpade(kQueen)));
    EXPECT_EQ(t.S().playerMelds.count, 1);
    t.engine.MeldOne(t.InHand(kHeart(kQueen)));
    ASSERT_EQ(t.S().playerMelds.count, 3);
    EXPECT_EQ(t.S().playerMelds[2].code, kJoker);
    EXPECT_EQ(t.S().playerMelds[2].x, t.G().ColumnX(11));
    EXPECT_EQ(t.S().playerMelds[2].y, t.G().playerMeldRow + 36);
    EXPECT_EQ(t.reporter.lines.back(), "MELDWILDCARD 53 11");
    EXPECT_EQ(t.S().undoList.count, 3);
    EXPECT_TRUE(t.port.undoEnabled);
    // A third queen in the hand would have waited for the player.
    Table u;
    u.Hand({kSpade(kQueen), kHeart(kQueen), kClub(kQueen), kJoker, kSpade(kFive)});
    u.engine.MeldOne(0);
    u.engine.MeldOne(0);
    EXPECT_EQ(u.S().playerMelds.count, 2);
}

TEST(Meld, ShiftAndCtrlMeldSeveral) {
    Table t;
    t.Hand({kSpade(kKing), kHeart(kKing), kClub(kKing), kDiamond(kKing), kSpade(kFive)});
    t.engine.MeldSeveral(0, MeldMode::Ctrl);
    EXPECT_EQ(t.S().playerMelds.count, 3);
    ASSERT_EQ(t.S().playerHand[0].rank, 12);
    t.engine.MeldSeveral(0, MeldMode::Shift);
    EXPECT_EQ(t.S().playerMelds.count, 4);
    EXPECT_EQ(t.S().playerHand.count, 1);
    EXPECT_EQ(t.reporter.lines.size(), 4u);

    // Shift on the whole hand keeps one card to discard...
    Table u;
    u.Hand({kSpade(kKing), kHeart(kKing), kClub(kKing)});
    u.engine.MeldSeveral(0, MeldMode::Shift);
    EXPECT_EQ(u.S().playerMelds.count, 2);
    EXPECT_EQ(u.S().playerHand.count, 1);
    // ... unless melding them all completes the Varenta needed to go out.
    Table v;
    v.Melds({kSpade(kKing), kHeart(kKing), kClub(kKing), kDiamond(kKing), kSpade(kKing)});
    v.Hand({kHeart(kKing), kClub(kKing)});
    v.OpponentHand({kClub(kSix)});
    v.Stock({kClub(kNine)});
    v.engine.MeldSeveral(0, MeldMode::Shift);
    ASSERT_EQ(v.port.handResults.size(), 1u);
    EXPECT_EQ(v.port.handResults[0].wentOut, 0);
}

TEST(Varenta, KindsAndSquaring) {
    Table t;
    // Four natural queens and three wild cards: mixed.
    t.Melds({kSpade(kQueen), kHeart(kQueen), kClub(kQueen), kDiamond(kQueen), kJoker, kSpade(kTwo),
             kHeart(kTwo)},
            11);
    EXPECT_EQ(t.S().playerVarentas.count, 1);
    EXPECT_EQ(t.S().playerVarentas.kind[11], kMixedVarenta);
    EXPECT_EQ(t.S().playerVarentas.naturals[11], 4);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(t.S().playerMelds[i].y, t.G().playerMeldRow + 12);
    }
    // The last black natural card is shown on top.
    EXPECT_EQ(t.S().playerMelds[6].code, kClub(kQueen));
    EXPECT_EQ(t.port.sounds.back(), texts::kSoundMixedVarenta);

    // Seven natural kings: natural, a red king on top.
    t.Melds({kSpade(kKing), kHeart(kKing), kClub(kKing), kDiamond(kKing), kSpade(kKing),
             kClub(kKing), kClub(kKing)});
    EXPECT_EQ(t.S().playerVarentas.kind[12], kNaturalVarenta);
    EXPECT_EQ(t.S().playerMelds[t.S().playerMelds.count - 1].code, kDiamond(kKing));
    EXPECT_EQ(t.port.sounds.back(), texts::kSoundNaturalVarenta);

    // Seven wild cards in column 1: wild-card Varenta.
    t.Melds({kJoker, kJoker, kSpade(kTwo), kClub(kTwo), kDiamond(kTwo), kHeart(kTwo), kJoker},
            kWildColumn);
    EXPECT_EQ(t.S().playerVarentas.kind[kWildColumn], kWildVarenta);
    EXPECT_EQ(t.S().playerVarentas.count, 3);

    // Three naturals and four wild cards are not a Varenta.
    t.Melds({kSpade(kNine), kHeart(kNine), kClub(kNine), kJoker, kSpade(kTwo), kClub(kTwo),
             kHeart(kTwo)},
            8);
    EXPECT_EQ(t.S().playerVarentas.kind[8], kNoVarenta);
    EXPECT_EQ(t.S().playerVarentas.count, 3);
}

TEST(Varenta, CountedOnceWhenSeveralCardsTakeAColumnPastSeven) {
    Table t;
    t.Melds({kSpade(kJack), kHeart(kJack), kClub(kJack), kDiamond(kJack), kSpade(kJack),
             kHeart(kJack)});
    t.Hand({kClub(kJack), kDiamond(kJack), kSpade(kFive), kSpade(kFive)});
    t.engine.MeldSeveral(0, MeldMode::Shift); // six to eight in one action
    EXPECT_EQ(t.S().playerVarentas.count, 1);
    EXPECT_EQ(t.S().playerVarentas.kind[10], kNaturalVarenta);
    // Adding to a complete Varenta keeps the count, and the ninth card is squared.
    t.Hand({kHeart(kJack)});
    t.engine.MeldOne(t.InHand(kHeart(kJack)));
    EXPECT_EQ(t.S().playerVarentas.count, 1);
    EXPECT_EQ(t.S().playerMelds[t.S().playerMelds.count - 1].y, t.G().playerMeldRow + 12);
}

TEST(Varenta, UndoFromEightKeepsItAndFromSevenDissolvesIt) {
    Table t;
    t.Melds({kSpade(kJack), kHeart(kJack), kClub(kJack), kDiamond(kJack), kSpade(kJack),
             kHeart(kJack)});
    t.Hand({kClub(kJack), kDiamond(kJack), kSpade(kFive), kSpade(kFive)});
    t.engine.MeldOne(0);
    t.engine.MeldOne(0);
    ASSERT_EQ(t.S().playerVarentas.count, 1);
    t.engine.UndoMeld();
    EXPECT_EQ(t.S().playerVarentas.count, 1);
    EXPECT_EQ(t.S().playerVarentas.kind[10], kNaturalVarenta);
    t.engine.UndoMeld();
    EXPECT_EQ(t.S().playerVarentas.count, 0);
    EXPECT_EQ(t.S().playerVarentas.kind[10], kNoVarenta);
    // The six cards are spread again, one step apart.
    int row = t.G().playerMeldRow;
    for (int i = 0; i < t.S().playerMelds.count; ++i) {
        row += 12;
        EXPECT_EQ(t.S().playerMelds[i].y, row);
    }
    EXPECT_EQ(t.S().playerMelds.columns[10].y, row);
    EXPECT_EQ(t.S().playerHand.count, 4);
    EXPECT_TRUE(t.reporter.Contains("UNDO 10 " + std::to_string(kDiamond(kJack))));
    EXPECT_FALSE(t.port.undoEnabled);
    // Melding again counts it again, once.
    t.engine.MeldSeveral(t.InHand(kClub(kJack)), MeldMode::Shift);
    EXPECT_EQ(t.S().playerVarentas.count, 1);
}

TEST(Meld, UndoAllReturnsEveryCardOfTheTurn) {
    Table t;
    t.Hand({kSpade(kKing), kHeart(kKing), kClub(kKing), kJoker, kSpade(kFive), kSpade(kSix)});
    t.engine.MeldSeveral(0, MeldMode::Shift);
    t.engine.AddWildCardToColumn(12);
    ASSERT_EQ(t.S().playerMelds.count, 4);
    ASSERT_EQ(t.S().knownPlayerCards.count, 0);
    t.engine.UndoAll();
    EXPECT_EQ(t.S().playerMelds.count, 0);
    EXPECT_EQ(t.S().playerHand.count, 6);
    EXPECT_EQ(t.S().knownPlayerCards.count, 4);
    // Every hand card is back in its rank column, the column closed.
    for (int i = 0; i < t.S().playerHand.count; ++i) {
        EXPECT_EQ(t.S().playerHand[i].x, t.G().ColumnX(t.S().playerHand[i].rank));
    }
    EXPECT_EQ(t.S().playerHand.columns[12].y, t.G().handRow + 36);
    EXPECT_TRUE(t.reporter.Contains("UNDO 12 53"));
}

TEST(Meld, UndoFindsTheCardInItsOwnColumn) {
    Table t;
    // An old joker in the queens' meld, a new joker laid on the kings.
    t.Melds({kSpade(kQueen), kHeart(kQueen), kClub(kQueen), kJoker}, 11);
    t.Melds({kSpade(kKing), kHeart(kKing), kClub(kKing)});
    t.Hand({kJoker, kSpade(kFive), kSpade(kSix)});
    t.engine.AddWildCardToColumn(12);
    // Squaring nothing; but the queens' joker lies later in the pile after a swap.
    std::swap(t.S().playerMelds[3], t.S().playerMelds[t.S().playerMelds.count - 1]);
    std::swap(t.S().playerMelds[3], t.S().playerMelds[t.S().playerMelds.count - 1]);
    t.engine.UndoMeld();
    EXPECT_EQ(t.engine.MeldColumnCount(Side::Player, 11), 4);
    EXPECT_EQ(t.engine.MeldColumnCount(Side::Player, 12), 3);
}

TEST(Meld, WildCardActions) {
    Table t;
    t.Hand({kJoker, kSpade(kTwo), kHeart(kTwo), kSpade(kFive), kSpade(kSix)});
    t.engine.MeldWildCards(MeldMode::Plain);
    EXPECT_EQ(t.port.LastErrorText(),
              "You need at least seven wildcards to create a wildcard Varenta");
    EXPECT_EQ(t.S().playerMelds.count, 0);

    Table u;
    u.Hand({kJoker, kJoker, kSpade(kTwo), kHeart(kTwo), kClub(kTwo), kDiamond(kTwo), kJoker,
            kSpade(kFive), kSpade(kSix)});
    u.engine.MeldWildCards(MeldMode::Ctrl);
    EXPECT_EQ(u.engine.MeldColumnCount(Side::Player, kWildColumn), 3);
    u.engine.MeldWildCards(MeldMode::Shift);
    EXPECT_EQ(u.engine.MeldColumnCount(Side::Player, kWildColumn), 7);
    EXPECT_EQ(u.S().playerVarentas.kind[kWildColumn], kWildVarenta);
    // Jokers go before twos.
    EXPECT_EQ(u.S().playerMelds[0].code, kJoker);

    // Shift + click on a column of four fills it to seven.
    Table v;
    v.Melds({kSpade(kNine), kHeart(kNine), kClub(kNine), kDiamond(kNine)});
    v.Hand({kJoker, kSpade(kTwo), kHeart(kTwo), kSpade(kFive), kSpade(kSix)});
    v.engine.FillColumnWithWildCards(8);
    EXPECT_EQ(v.engine.MeldColumnCount(Side::Player, 8), 7);
    EXPECT_EQ(v.S().playerVarentas.kind[8], kMixedVarenta);
    EXPECT_EQ(v.S().playerHand.count, 2);
    // A column of three is not filled.
    Table w;
    w.Melds({kSpade(kNine), kHeart(kNine), kClub(kNine)});
    w.Hand({kJoker, kSpade(kTwo), kHeart(kTwo), kClub(kTwo), kSpade(kFive)});
    w.engine.FillColumnWithWildCards(8);
    EXPECT_EQ(w.engine.MeldColumnCount(Side::Player, 8), 3);

    // One card left, no Varenta, column not at six: a click adds nothing.
    Table x;
    x.Melds({kSpade(kNine), kHeart(kNine), kClub(kNine)});
    x.Hand({kJoker});
    x.engine.AddWildCardToColumn(8);
    EXPECT_EQ(x.S().playerHand.count, 1);

    // Wild cards never join red threes by a click.
    Table y;
    y.Melds({kHeart(1)}, kThreesColumn);
    y.Hand({kJokerCode, kSpade(kFive), kSpade(kSix)});
    y.engine.AddWildCardToColumn(kThreesColumn);
    EXPECT_EQ(y.S().playerHand.count, 3);
}

TEST(Validation, ReasonsInOrder) {
    Table t;
    std::string_view reason;
    EXPECT_TRUE(t.engine.ValidateMelds(reason)); // nothing melded: total 0

    t.Hand({kSpade(kFive)});
    t.Melds({kSpade(kNine), kHeart(kNine)});
    t.Melds({kSpade(kTwo), kHeart(kTwo), kClub(kTwo)}, kWildColumn);
    EXPECT_FALSE(t.engine.ValidateMelds(reason));
    EXPECT_EQ(reason, texts::kReasonColumnTooShort);

    Table u;
    u.Hand({kSpade(kFive)});
    u.Melds({kSpade(kNine), kHeart(kNine), kClub(kNine)});
    EXPECT_FALSE(u.engine.ValidateMelds(reason));
    EXPECT_EQ(reason, "your first meld must be at least 50 points (currently 30 points)");
    EXPECT_TRUE(u.engine.ValidateMelds(reason, 0)); // going out waives the minimum
    RuleSet bonus;
    bonus.bonusCounts = true;
    u.engine.SetRules(bonus);
    u.S().playerVarentas.count = 1;
    EXPECT_TRUE(u.engine.ValidateMelds(reason));

    Table v;
    v.Hand({kSpade(kFive)});
    v.Melds({kSpade(kNine), kHeart(kNine), kClub(kNine), kJoker, kJoker, kJoker, kJoker}, 8);
    EXPECT_FALSE(v.engine.ValidateMelds(reason));
    EXPECT_EQ(reason, texts::kReasonTooManyWildcards);

    Table w;
    w.Hand({kSpade(kFive)});
    w.Melds({kSpade(kAce), kHeart(kAce), kClub(kAce)});
    w.Melds({kSpade(1)}, kThreesColumn);
    EXPECT_FALSE(w.engine.ValidateMelds(reason));
    EXPECT_EQ(reason, texts::kReasonBlackThrees);
    w.Melds({kClub(1)}, kThreesColumn);
    EXPECT_FALSE(w.engine.ValidateMelds(reason, 0)); // two without a wild card
    w.Melds({kJoker}, kThreesColumn);
    EXPECT_TRUE(w.engine.ValidateMelds(reason, 0));

    Table x;
    x.Hand({kSpade(kFive)});
    x.Melds({kSpade(kAce), kHeart(kAce), kClub(kAce)});
    x.Melds({kJoker, kJoker, kJoker, kJoker, kJoker, kSpade(kTwo)}, kWildColumn);
    EXPECT_FALSE(x.engine.ValidateMelds(reason));
    EXPECT_EQ(reason, texts::kReasonWildcardsAsVarenta);
    x.S().pileTopMustMeld = true;
    EXPECT_FALSE(x.engine.ValidateMeldsWithTop(reason));
    EXPECT_EQ(reason, texts::kReasonTopCard);
}

TEST(Meld, DiscardRefusedWithTooManyWildcards) {
    Table t;
    t.Melds({kSpade(kAce), kHeart(kAce), kClub(kAce), kDiamond(kAce)});
    t.Melds({kSpade(kNine), kHeart(kNine), kClub(kNine)});
    t.Hand({kJoker, kSpade(kTwo), kHeart(kTwo), kClub(kTwo), kSpade(kFive), kSpade(kSix)});
    t.engine.FillColumnWithWildCards(13); // four aces + three wild cards: fine
    ASSERT_EQ(t.S().playerVarentas.count, 1);
    t.engine.AddWildCardToColumn(8);
    t.engine.PlayerDiscard(t.InHand(kSpade(kFive)));
    EXPECT_EQ(t.port.LastError(), 0);
    Table u;
    u.Melds({kSpade(kNine), kHeart(kNine), kClub(kNine), kJoker, kJoker, kJoker, kJoker}, 8);
    u.Hand({kSpade(kFive), kSpade(kSix)});
    u.engine.PlayerDiscard(0);
    EXPECT_EQ(u.port.LastErrorText(),
              "Discarding is not possible now: there are too many wildcards within one column");
}

TEST(BlackThrees, OnlyAsTheLastCardsWhenGoingOut) {
    Table t;
    t.Hand({kSpade(1), kClub(1), kSpade(1), kSpade(kFive), kSpade(kSix)});
    t.engine.MeldOne(0);
    EXPECT_EQ(t.port.LastError(), texts::kErrorBlackThrees);
    // Several at once face the same check.
    t.engine.MeldSeveral(0, MeldMode::Shift);
    EXPECT_EQ(t.port.LastError(), texts::kErrorBlackThrees);
    EXPECT_EQ(t.S().playerMelds.count, 0);
    EXPECT_FALSE(t.S().blackThreesAllowed);

    // With a Varenta and nothing but three black threes and one other card.
    Table u;
    u.Melds({kSpade(kKing), kHeart(kKing), kClub(kKing), kDiamond(kKing), kSpade(kKing),
             kHeart(kKing), kClub(kKing)});
    u.Hand({kSpade(1), kClub(1), kSpade(1), kSpade(kFive)});
    u.engine.MeldSeveral(0, MeldMode::Shift);
    EXPECT_TRUE(u.S().blackThreesAllowed);
    EXPECT_EQ(u.S().playerHand.count, 1);
    u.OpponentHand({kClub(kSix)});
    u.Stock({kClub(kNine)});
    u.engine.PlayerDiscard(0);
    ASSERT_EQ(u.port.handResults.size(), 1u);
    EXPECT_EQ(u.port.handResults[0].wentOut, 0);

    // Two black threes with one wild card: the wild card joins them.
    Table v;
    v.Melds({kSpade(kKing), kHeart(kKing), kClub(kKing), kDiamond(kKing), kSpade(kKing),
             kHeart(kKing), kClub(kKing)});
    v.Hand({kSpade(1), kClub(1), kJoker, kSpade(kFive)});
    v.engine.MeldOne(0);
    v.engine.MeldOne(0);
    EXPECT_EQ(v.engine.MeldColumnCount(Side::Player, kThreesColumn), 3);
    EXPECT_EQ(v.S().playerHand.count, 1);
}

TEST(GoingOut, NeedsTheRequiredVarentas) {
    // Discarding the last card without a Varenta is refused.
    Table t;
    t.Melds({kSpade(kAce), kHeart(kAce), kClub(kAce)});
    t.Hand({kSpade(kFive)});
    t.OpponentHand({kClub(kSix)});
    t.Stock({kClub(kNine)});
    t.engine.PlayerDiscard(0);
    EXPECT_EQ(t.port.LastErrorText(),
              "Discarding is not possible now: you need more Varentas to go out");
    EXPECT_EQ(t.S().playerHand.count, 1);
    EXPECT_FALSE(t.S().opponentToMove);

    // Melding the last card is refused the same way...
    Table u;
    u.Melds({kSpade(kAce), kHeart(kAce), kClub(kAce)});
    u.Hand({kDiamond(kAce)});
    u.engine.MeldOne(0);
    EXPECT_EQ(u.port.LastErrorText(), "You need more Varentas to go out");
    EXPECT_EQ(u.S().playerHand.count, 1);
    EXPECT_EQ(u.S().playerMelds.count, 3);
    // ... also for a wild card.
    Table w;
    w.Melds({kSpade(kAce), kHeart(kAce), kClub(kAce), kDiamond(kAce), kJoker}, 13);
    w.Hand({kJoker});
    w.engine.AddWildCardToColumn(13);
    EXPECT_EQ(w.S().playerHand.count, 1);

    // ... unless this very meld completes the Varenta: then the hand ends.
    Table v;
    v.Melds({kSpade(kAce), kHeart(kAce), kClub(kAce), kDiamond(kAce), kSpade(kAce), kHeart(kAce)});
    v.Hand({kClub(kAce)});
    v.OpponentHand({kClub(kSix)});
    v.Stock({kClub(kNine)});
    v.engine.MeldOne(0);
    ASSERT_EQ(v.port.handResults.size(), 1u);
    EXPECT_EQ(v.port.handResults[0].wentOut, 0);
    EXPECT_EQ(v.port.handResults[0].player.finishBonus, 200); // concealed: not melded before
}

} // namespace
} // namespace varenta

#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"
#include "varenta/engine/Texts.h"

namespace varenta {
namespace {

using namespace varenta::testing;

TEST(OpponentSide, HandRowAddAndRemove) {
    Table t;
    t.OpponentHand({Code(kSpade, kFive), Code(kSpade, kSix), Code(kSpade, kSeven)});
    t.engine.AddToOpponentHand(MakeCard(Code(kHeart, kKing), 0), false);
    EXPECT_EQ(t.S().opponentHand[3].x, t.G().leftMargin + 3 * 10);
    EXPECT_EQ(t.S().opponentHand[3].y, 5);
    EXPECT_FALSE(t.S().opponentHand[3].faceUp);
    EXPECT_EQ(t.engine.RemoveFromOpponentHand(1).code, Code(kSpade, kSix));
    EXPECT_EQ(t.S().opponentHand[1].x, t.G().leftMargin + 10);
    EXPECT_EQ(t.S().opponentHand[2].x, t.G().leftMargin + 20);
    // An index outside the hand is fatal.
    EXPECT_EQ(t.engine.RemoveFromOpponentHand(7).code, 0);
    EXPECT_EQ(t.port.messages.back().text, "Error removing card from computer's hand");
    EXPECT_TRUE(t.port.programEnded);
    EXPECT_EQ(t.S().opponentHand.count, 3);
}

TEST(OpponentSide, MeldsPointsAndVarentas) {
    Table t;
    t.OpponentHand({Code(kSpade, kKing), Code(kHeart, kKing), Code(kClub, kKing),
                    Code(kDiamond, kKing), kJoker, Code(kSpade, kTwo), Code(kHeart, kTwo),
                    Code(kSpade, kFive)});
    for (int i = 0; i < 4; ++i) {
        t.engine.MeldFromOpponentHand(0);
    }
    EXPECT_EQ(t.S().opponentMeldPoints, 40);
    EXPECT_EQ(t.S().opponentMelds[3].y, t.G().opponentMeldRow - 48); // stacked upward
    for (int i = 0; i < 3; ++i) {
        t.engine.OpponentMeldWildCard(0, 12);
    }
    EXPECT_EQ(t.S().opponentMeldPoints, 130);
    EXPECT_EQ(t.S().opponentVarentas.count, 1);
    EXPECT_EQ(t.S().opponentVarentas.kind[12], kMixedVarenta);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(t.S().opponentMelds[i].y, t.G().OpponentSquaredRow());
    }
    EXPECT_TRUE(t.port.sounds.empty());   // the Varenta sounds are the player's
    t.engine.OpponentMeldWildCard(0, 12); // a natural card is no wild card
    EXPECT_EQ(t.S().opponentHand.count, 1);
}

TEST(OpponentSide, DrawTakeDiscardAndPass) {
    Table t;
    t.OpponentHand({Code(kSpade, kQueen), Code(kClub, kQueen)});
    t.Stock({Code(kSpade, kSix), Code(kHeart, kThree)});
    EXPECT_TRUE(t.engine.DrawForOpponent());
    // The red three went to the melds at once, worth no meld points.
    EXPECT_EQ(t.S().opponentHand.count, 2);
    EXPECT_EQ(t.S().opponentMelds.count, 1);
    EXPECT_EQ(t.S().opponentMeldPoints, 0);

    t.S().pileFrozen = true;
    t.Pile({Code(kDiamond, kThree), Code(kHeart, kFive), Code(kHeart, kQueen)});
    EXPECT_EQ(t.S().opponentHand[t.engine.OpponentTakePileTop()].code, Code(kHeart, kQueen));
    t.engine.OpponentTakePileRest();
    EXPECT_FALSE(t.S().pileFrozen);
    EXPECT_TRUE(t.S().discardPile.Empty());
    EXPECT_EQ(t.S().opponentHand.count, 4);
    EXPECT_EQ(t.S().opponentMelds.count, 2);

    t.engine.OpponentDiscard(0);
    EXPECT_FALSE(t.S().pileFrozen);
    t.OpponentHand({kJoker});
    t.engine.OpponentDiscard(t.S().opponentHand.count - 1);
    EXPECT_TRUE(t.S().pileFrozen);
    EXPECT_EQ(t.S().discardPile.count, 2);

    t.S().pileFrozen = false;
    t.engine.OpponentDiscardRedThree(0);
    EXPECT_TRUE(t.S().pileFrozen);
    EXPECT_EQ(t.S().discardPile.Top().code, Code(kHeart, kThree));
    EXPECT_EQ(t.S().opponentMelds.count, 1);

    t.engine.OpponentPassDiscard();
    EXPECT_EQ(t.port.messages.back().text, "The computer passes the discard.");
    t.engine.SetNetworkOpponent("Ann");
    t.engine.OpponentPassDiscard();
    EXPECT_EQ(t.port.messages.back().text, "Ann passes the discard.");
}

TEST(OpponentSide, GoingOutEndsTheHandAtTheEndOfItsTurn) {
    Table t;
    t.Hand({Code(kSpade, kFive)});
    t.OpponentHand({Code(kSpade, kFive)});
    t.OpponentMelds({Code(kSpade, kKing), Code(kHeart, kKing), Code(kClub, kKing),
                     Code(kDiamond, kKing), Code(kSpade, kKing), Code(kHeart, kKing),
                     Code(kClub, kKing)});
    t.Stock({Code(kClub, kNine)});
    t.S().opponentVarentas.count = 1;
    t.S().opponentVarentas.kind[12] = kNaturalVarenta;
    t.engine.BeginOpponentTurn();
    t.engine.OpponentDiscard(0);
    EXPECT_FALSE(t.engine.FinishOpponentTurn());
    ASSERT_EQ(t.port.handResults.size(), 1u);
    EXPECT_EQ(t.port.handResults[0].wentOut, 1);
    EXPECT_EQ(t.port.handResults[0].opponent.total, 70 + 500 + 200); // went out concealed
}

TEST(Geometry, ChangingTheLayoutKeepsColumnsAndSteps) {
    Table t;
    t.Hand({Code(kSpade, kFive), Code(kHeart, kFive), Code(kClub, kKing)});
    t.Melds({Code(kSpade, kAce), Code(kHeart, kAce), Code(kClub, kAce)});
    t.OpponentMelds({Code(kSpade, kNine), Code(kHeart, kNine)});
    t.Stock({Code(kClub, kNine)});
    const TableGeometry big = TableGeometry::ForLayout(2);
    t.engine.ChangeGeometry(big);
    EXPECT_EQ(t.S().playerHand[1].x, big.ColumnX(4));
    EXPECT_EQ(t.S().playerHand[1].y, big.handRow + 24);
    EXPECT_EQ(t.S().playerMelds[2].y, big.playerMeldRow + 36);
    EXPECT_EQ(t.S().playerMelds.columns[13].y, big.playerMeldRow + 36);
    EXPECT_EQ(t.S().opponentMelds[1].y, big.opponentMeldRow - 24);
    EXPECT_EQ(t.S().opponentMelds[1].x, big.ColumnX(8));
    EXPECT_EQ(t.S().stock[0].y, big.stockRow);
    EXPECT_EQ(t.engine.MeldColumnCount(Side::Player, 13), 3);
}

} // namespace
} // namespace varenta

namespace varenta {
namespace {

using namespace varenta::testing;

// The opponent takes a pile with a king on top and lays kings from its hand
// (and wild cards onto the kings): is the take one the player could make?
TEST(OpponentPileTake, HeldToThePlayersTakeRules) {
    struct Case {
        const char* what;
        int meldedKings = 0; // kings already on the table before the take
        bool frozen = false;
        bool topCardCounts = true;
        bool layTop = true;
        int kingsLaid = 0; // from the hand besides the top card
        int jokersLaid = 0;
        int twosLaid = 0;
        bool valid = false;
    };
    const Case cases[] = {
        {"top card left in the hand", 0, false, true, false, 2, 1, 0, false},
        {"new meld of three with a joker", 0, false, true, true, 1, 1, 0, true},
        {"new meld of two", 0, false, true, true, 1, 0, 0, false},
        {"new meld below the minimum", 0, false, true, true, 2, 0, 0, false},
        {"new meld just at the minimum", 0, false, true, true, 2, 0, 1, true},
        {"uncounted top card misses the minimum", 0, false, false, true, 2, 0, 1, false},
        {"uncounted top card, one more two", 0, false, false, true, 2, 0, 2, true},
        {"wild cards outnumber the kings", 0, false, true, true, 1, 1, 2, false},
        {"onto a meld, unfrozen: the top card alone", 3, false, true, true, 0, 0, 0, true},
        {"onto a meld, frozen: one more is too few", 3, true, true, true, 1, 0, 0, false},
        {"onto a meld, frozen: two more", 3, true, true, true, 2, 0, 0, true},
        {"onto a meld, top card not laid", 3, false, true, false, 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Table t;
        RuleSet rules;
        rules.initialBlock = false;
        rules.topCardCounts = c.topCardCounts;
        t.Rules(rules);
        t.S().pileFrozen = c.frozen;
        t.OpponentHand({Code(kSpade, kKing), Code(kHeart, kKing), kJoker, Code(kSpade, kTwo),
                        Code(kSpade, kTwo), Code(kSpade, kFive), Code(kSpade, kSix),
                        Code(kSpade, kSeven)});
        if (c.meldedKings > 0) {
            t.OpponentMelds({Code(kClub, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
            t.OpponentMelds({Code(kClub, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
            t.S().opponentMeldPoints = 90;
        }
        t.Pile({Code(kSpade, kNine), Code(kSpade, kEight), Code(kDiamond, kKing)});
        const Card top = t.S().discardPile.Top();
        const int before = t.engine.MeldColumnCount(Side::Opponent, kKing);
        const bool heldBack = t.engine.PileFrozenFor(Side::Opponent) || before == 0;
        const int index = t.engine.OpponentTakePileTop();
        if (c.layTop) {
            t.engine.MeldFromOpponentHand(index);
        }
        auto layFirst = [&](int rank, int n, bool wild) {
            for (int i = 0; i < n; ++i) {
                const CardPile& hand = t.S().opponentHand;
                int at = 0;
                while (hand[at].rank != rank) {
                    ++at;
                }
                if (wild) {
                    t.engine.OpponentMeldWildCard(at, kKing);
                } else {
                    t.engine.MeldFromOpponentHand(at);
                }
            }
        };
        layFirst(kKing, c.kingsLaid, false);
        layFirst(0, c.jokersLaid, true);
        layFirst(1, c.twosLaid, true);
        std::string_view reason;
        EXPECT_EQ(t.engine.OpponentPileTakeValid(top, before, heldBack, reason), c.valid) << reason;
    }
}

// "Take Huge Pile" sounds for a take by a person: the player's (tested with
// the take) and the remote opponent's, never for the computer's.
TEST(OpponentPileTake, HugePileSoundsOnlyForTheRemoteOpponent) {
    for (int size : {12, 13}) {
        for (bool remote : {false, true}) {
            Table t;
            t.OpponentHand({Code(kSpade, kKing), Code(kHeart, kKing), Code(kSpade, kFive)});
            for (int i = 1; i < size; ++i) {
                t.Pile({Code(kSpade, kNine)});
            }
            t.Pile({Code(kDiamond, kKing)});
            if (remote) {
                t.engine.RemoteDrawPileTop();
            } else {
                t.engine.OpponentTakePileTop();
            }
            const auto huge =
                std::count(t.port.sounds.begin(), t.port.sounds.end(), texts::kSoundTakeHugePile);
            EXPECT_EQ(huge, remote && size >= 13 ? 1 : 0) << size << (remote ? " remote" : "");
        }
    }
}

} // namespace
} // namespace varenta

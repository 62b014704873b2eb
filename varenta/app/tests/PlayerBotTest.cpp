// The player bot's own judgement: what its first meld is worth and when it
// takes the pile.

#include <gtest/gtest.h>

#include <initializer_list>

#include "varenta/app/sim/PlayerBot.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/engine/testing/Cards.h"
#include "varenta/engine/testing/StateAccess.h"

namespace varenta::sim {
namespace {

using namespace varenta::testing;

// An engine with the player's hand and melds laid out by hand.
struct BotTable {
    VarentaEngine engine;
    int deck = 0;

    BotTable() {
        GameState& s = testing::MutableState(engine);
        const TableGeometry& g = engine.Geometry();
        s.playerHand.SetAnchors(g.leftMargin, g.columnWidth, g.handRow);
        s.playerMelds.SetAnchors(g.leftMargin, g.columnWidth, g.playerMeldRow);
        s.initialMeldMinimum = 50;
        s.pileFrozen = false;
    }
    void Hand(std::initializer_list<int> codes) {
        for (int code : codes) {
            Card c = MakeCard(code, deck++ % 2);
            testing::MutableState(engine).playerHand.PlaceInColumn(c, true, false);
            testing::MutableState(engine).playerHand.Append(c);
        }
    }
    void Melds(std::initializer_list<int> codes) {
        for (int code : codes) {
            Card c = MakeCard(code, deck++ % 2);
            testing::MutableState(engine).playerMelds.PlaceInColumn(c, true, false);
            testing::MutableState(engine).playerMelds.Append(c);
        }
    }
    void Pile(std::initializer_list<int> codes) {
        for (int code : codes) {
            testing::MutableState(engine).discardPile.Append(MakeCard(code, deck++ % 2));
        }
    }
};

TEST(PlayerBot, FirstMeldCountsGroupsThenPairsWithWildCards) {
    BotTable t;
    // Three kings (30), a pair of aces with the joker (90), two odd cards.
    t.Hand({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), Code(kSpade, kAce),
            Code(kClub, kAce), kJoker, Code(kSpade, kFive), Code(kClub, kFive)});
    const PlayerBot::HandCounts c = PlayerBot::Count(t.engine);
    EXPECT_EQ(c.hand[kKing], 3);
    EXPECT_EQ(c.jokers, 1);
    EXPECT_EQ(PlayerBot::FirstMeldPoints(c, 2, 0), 120);
    // Keeping six cards leaves room for the kings only.
    EXPECT_EQ(PlayerBot::FirstMeldPoints(c, 5, 0), 30);
    // With a king on the table from the pile, the two others join it.
    EXPECT_EQ(PlayerBot::FirstMeldPoints(c, 2, kKing), 40 + 90);
}

TEST(PlayerBot, TakesThePileOnlyWhenTheTopCardCounts) {
    {
        BotTable t; // a pair of kings but nothing else: 30 points are short of 50
        t.Hand({Code(kSpade, kKing), Code(kClub, kKing), Code(kSpade, kFive), Code(kClub, kFive),
                Code(kDiamond, kSix)});
        t.Pile({Code(kSpade, kSix), Code(kDiamond, kKing)});
        EXPECT_FALSE(PlayerBot::WantPile(t.engine));
    }
    {
        BotTable t; // the pair of aces with the joker makes the first meld
        t.Hand({Code(kSpade, kKing), Code(kClub, kKing), Code(kSpade, kAce), Code(kClub, kAce),
                kJoker, Code(kSpade, kFive), Code(kClub, kFive)});
        t.Pile({Code(kSpade, kSix), Code(kDiamond, kKing)});
        EXPECT_TRUE(PlayerBot::WantPile(t.engine));
    }
    {
        BotTable t; // melded already: the top card joins the king meld
        t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
        t.Hand({Code(kSpade, kFive), Code(kClub, kFive)});
        t.Pile({Code(kSpade, kSix), Code(kHeart, kKing)});
        EXPECT_TRUE(PlayerBot::WantPile(t.engine));
        testing::MutableState(t.engine).pileFrozen = true; // frozen: a natural pair is needed
        EXPECT_FALSE(PlayerBot::WantPile(t.engine));
    }
}

} // namespace
} // namespace varenta::sim

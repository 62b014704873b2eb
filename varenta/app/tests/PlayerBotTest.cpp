// The player bot's own judgement: what its first meld is worth and when it
// takes the pile.

#include <gtest/gtest.h>

#include <initializer_list>

#include "varenta/app/sim/PlayerBot.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta::sim {
namespace {

constexpr int kKing = 12;
constexpr int kAce = 13;
constexpr int kJoker = 53;

// An engine with the player's hand and melds laid out by hand.
struct BotTable {
    VarentaEngine engine;
    int deck = 0;

    BotTable() {
        GameState& s = engine.State();
        const TableGeometry& g = engine.Geometry();
        s.playerHand.SetAnchors(g.leftMargin, g.columnWidth, g.handRow);
        s.playerMelds.SetAnchors(g.leftMargin, g.columnWidth, g.playerMeldRow);
        s.initialMeldMinimum = 50;
        s.pileFrozen = false;
    }
    void Hand(std::initializer_list<int> codes) {
        for (int code : codes) {
            Card c = MakeCard(code, deck++ % 2);
            engine.State().playerHand.PlaceInColumn(c, true, false);
            engine.State().playerHand.Append(c);
        }
    }
    void Melds(std::initializer_list<int> codes) {
        for (int code : codes) {
            Card c = MakeCard(code, deck++ % 2);
            engine.State().playerMelds.PlaceInColumn(c, true, false);
            engine.State().playerMelds.Append(c);
        }
    }
    void Pile(std::initializer_list<int> codes) {
        for (int code : codes) {
            engine.State().discardPile.Append(MakeCard(code, deck++ % 2));
        }
    }
};

TEST(PlayerBot, FirstMeldCountsGroupsThenPairsWithWildCards) {
    BotTable t;
    // Three kings (30), a pair of aces with the joker (90), two odd cards.
    t.Hand({kKing, 13 + kKing, 26 + kKing, kAce, 13 + kAce, kJoker, 4, 18});
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
        t.Hand({kKing, 13 + kKing, 4, 18, 32});
        t.Pile({5, 26 + kKing});
        EXPECT_FALSE(PlayerBot::WantPile(t.engine));
    }
    {
        BotTable t; // the pair of aces with the joker makes the first meld
        t.Hand({kKing, 13 + kKing, kAce, 13 + kAce, kJoker, 4, 18});
        t.Pile({5, 26 + kKing});
        EXPECT_TRUE(PlayerBot::WantPile(t.engine));
    }
    {
        BotTable t; // melded already: the top card joins the king meld
        t.Melds({kKing, 13 + kKing, 26 + kKing});
        t.Hand({4, 18});
        t.Pile({5, 39 + kKing});
        EXPECT_TRUE(PlayerBot::WantPile(t.engine));
        t.engine.State().pileFrozen = true; // frozen: a natural pair is needed
        EXPECT_FALSE(PlayerBot::WantPile(t.engine));
    }
}

} // namespace
} // namespace varenta::sim

// Going out, every level lays its spare wild cards only where a meld can
// carry them: never more wild cards than naturals in one column.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

#include "varenta/computer/AdvancedPlayer.h"
#include "varenta/computer/BeginnerPlayer.h"
#include "varenta/computer/ExpertPlayer.h"
#include "varenta/computer/tests/Stage.h"

namespace varenta::testing {
namespace {

enum class Level { Beginner, Advanced, Expert };

void LayOutWildsAt(Level level, Stage& t) {
    switch (level) {
    case Level::Beginner:
        BeginnerPlayer(t.engine, t.settings).BegLayOutWilds();
        break;
    case Level::Advanced:
        AdvancedPlayer(t.engine, t.settings, t.advanced).LayOutWilds();
        break;
    case Level::Expert:
        ExpertPlayer(t.engine, t.settings, t.expert).LayOutWilds();
        break;
    }
}

// A king Varenta of four kings and three wild cards (room for one more) and
// three fives with `fiveWilds` wild cards; the hand holds `jokers` jokers
// and the given naturals.
void Table(Stage& t, int fiveWilds, int jokers, std::initializer_list<int> naturals) {
    t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), Code(kHeart, kKing),
             kTwoCode, kTwoCode, kJoker});
    t.Melds({Code(kSpade, kFive), Code(kClub, kFive), Code(kDiamond, kFive)});
    for (int i = 0; i < fiveWilds; ++i) {
        t.Melds({kTwoCode}, kFive);
    }
    for (int i = 0; i < jokers; ++i) {
        t.Hand({kJoker});
    }
    t.Hand(naturals);
    t.HumanHandSize(10);
}

TEST(WildCardRoom, GoingOutFillsAMeldOnlyUpToItsNaturals) {
    const int nine = Code(kSpade, kNine);
    struct Case {
        const char* what;
        Level level;
        int fiveWilds, jokers;
        std::initializer_list<int> naturals;
        int fives, kings, held; // cards afterwards
    };
    const Case cases[] = {
        // The Beginner keeps one card for the discard.
        {"Beginner: fives take two, at their limit", Level::Beginner, 1, 2, {nine}, 6, 7, 1},
        {"Beginner: fives take two, the third to the Varenta",
         Level::Beginner,
         1,
         3,
         {nine},
         6,
         8,
         1},
        {"Beginner: full fives, the Varenta takes one", Level::Beginner, 3, 2, {nine}, 6, 8, 2},
        {"Beginner: the Varenta takes one of two", Level::Beginner, 3, 3, {}, 6, 8, 2},
        {"Advanced: fives take two, at their limit", Level::Advanced, 1, 2, {}, 6, 7, 0},
        {"Advanced: the Varenta takes one of three", Level::Advanced, 3, 3, {}, 6, 8, 2},
        {"Advanced: fives two, the Varenta one of two", Level::Advanced, 1, 4, {}, 6, 8, 1},
        {"Expert: fives take two, at their limit", Level::Expert, 1, 2, {}, 6, 7, 0},
        {"Expert: the Varenta takes one of three", Level::Expert, 3, 3, {}, 6, 8, 2},
        {"Expert: the Varenta takes one", Level::Expert, 3, 1, {}, 6, 8, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        Table(t, c.fiveWilds, c.jokers, c.naturals);
        LayOutWildsAt(c.level, t);
        EXPECT_EQ(t.MeldColumn(kFive), c.fives);
        EXPECT_EQ(t.MeldColumn(kKing), c.kings);
        EXPECT_EQ(t.St().opponentHand.count, c.held);
        std::string_view reason;
        EXPECT_TRUE(t.engine.ValidateOpponentMelds(reason, 1)) << reason;
    }
}

// A Beginner left with one joker, whose fives are full and whose Varenta
// can take it: it lays the joker, discards the card it drew and goes out at
// once, instead of trying the full fives turn after turn.
TEST(WildCardRoom, ABeginnerDoesNotKeepItsJokerTurnAfterTurn) {
    Stage t;
    Table(t, 3, 1, {});
    t.Stock({Code(kClub, kSeven), Code(kClub, kJack), Code(kClub, kNine), Code(kClub, kSix),
             Code(kClub, kTen)});
    t.StockFiller(30);
    BeginnerPlayer player(t.engine, t.settings);
    int turns = 0;
    while (t.port.handResults.empty() && turns < 5) {
        ++turns;
        player.PlayTurn();
        MutableState(t.engine).opponentToMove = true;
    }
    EXPECT_EQ(turns, 1);
    EXPECT_EQ(t.port.handResults.size(), 1U);
}

} // namespace
} // namespace varenta::testing

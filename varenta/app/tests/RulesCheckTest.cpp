// The simulator's check that the computer keeps the player's rules.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "varenta/app/sim/Invariants.h"
#include "varenta/computer/tests/Stage.h"

namespace varenta::sim {
namespace {

using namespace varenta::testing;

struct EventCounter : TableObserver {
    int events = 0;
    void OpponentTookPileTop(const Card&) override { ++events; }
    void OpponentTookPileRest() override { ++events; }
    void OpponentDiscarded(const Card&) override { ++events; }
    void OpponentPassed() override { ++events; }
    void HandEnded(int, int, int) override { ++events; }
};

TEST(ComputerRulesCheck, NamesTheFirstRuleBrokenAndPassesEveryReportOn) {
    struct Case {
        const char* what;
        std::function<void(Stage&)> play;
        std::string broken; // the start of the report, empty when all is well
    };
    const Case cases[] = {
        {"valid melds, discard",
         [](Stage& t) {
             t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
             t.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
             t.engine.OpponentDiscard(0);
         },
         ""},
        {"a two-card meld, discard",
         [](Stage& t) {
             t.Melds({Code(kSpade, kKing), Code(kClub, kKing)});
             t.engine.OpponentDiscard(0);
         },
         "the computer discarded with its melds invalid"},
        {"a first meld below the minimum, pass",
         [](Stage& t) {
             t.Melds({Code(kSpade, kFive), Code(kClub, kFive), Code(kDiamond, kFive)});
             t.engine.OpponentPassDiscard();
         },
         "the computer passed the discard with its melds invalid"},
        {"the pile's top card left in the hand",
         [](Stage& t) {
             t.Pile({Code(kSpade, kNine), Code(kDiamond, kQueen)});
             t.engine.OpponentTakePileTop();
             t.engine.OpponentTakePileRest();
         },
         "the computer took the rest of the pile"},
        {"the pile's top card laid with two more and a joker",
         [](Stage& t) {
             t.Hand({kJoker, Code(kClub, kQueen), Code(kHeart, kQueen)});
             t.Pile({Code(kSpade, kNine), Code(kDiamond, kQueen)});
             t.engine.OpponentTakePileTop();
             for (int i = 0; i < 3; ++i) {
                 t.engine.MeldFromOpponentHand(t.St().opponentHand.count - 1);
             }
             t.engine.OpponentMeldWildCard(t.St().opponentHand.count - 1, kQueen);
             t.engine.OpponentTakePileRest();
         },
         ""},
        {"a joker laid while a two is held",
         [](Stage& t) {
             t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
             t.Hand({kTwoCode, kJoker});
             t.engine.OpponentMeldWildCard(t.St().opponentHand.count - 1, kKing);
             t.engine.OpponentDiscard(0);
         },
         ""},
        {"a two laid while a joker is held",
         [](Stage& t) {
             t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
             t.Hand({kTwoCode, kJoker});
             t.engine.OpponentMeldWildCard(t.St().opponentHand.count - 2, kKing);
             t.engine.OpponentDiscard(0);
         },
         "the computer laid a two (1) in column 12 while it held a joker"},
        {"a meld's wild cards up to its naturals",
         [](Stage& t) {
             t.Melds(
                 {Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), kJoker, kJoker});
             t.Hand({kJoker});
             t.engine.OpponentMeldWildCard(t.St().opponentHand.count - 1, kKing);
             t.engine.OpponentDiscard(0);
         },
         ""},
        {"a meld's wild cards beyond its naturals",
         [](Stage& t) {
             t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), kJoker,
                      kJoker, kJoker});
             t.Hand({kJoker});
             t.engine.OpponentMeldWildCard(t.St().opponentHand.count - 1, kKing);
             t.engine.OpponentDiscard(0);
         },
         "the computer laid wild card 4 in column 12, which holds 3 naturals"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        t.Hand({Code(kSpade, kFour), Code(kSpade, kNine), Code(kSpade, kJack)});
        EventCounter counter;
        ComputerRulesCheck check(t.engine, counter);
        t.engine.SetObserver(&check);
        c.play(t);
        EXPECT_EQ(check.broken.substr(0, c.broken.size()), c.broken);
        EXPECT_EQ(check.broken.empty(), c.broken.empty()) << check.broken;
        EXPECT_EQ(check.brokenHand, c.broken.empty() ? 0 : 1);
        EXPECT_GE(counter.events, 1) << "every report reaches the trace";
    }
}

} // namespace
} // namespace varenta::sim

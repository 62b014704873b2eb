// The computer makes only the takes and lays the player's rules allow.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "varenta/computer/BeginnerPlayer.h"
#include "varenta/computer/ComputerBase.h"
#include "varenta/computer/Rehearsal.h"
#include "varenta/computer/tests/Stage.h"
#include "varenta/engine/Texts.h"

namespace varenta::testing {
namespace {

// A level whose melding phase (and whose lays after taking the pile) follow
// a script, so that any sequence of lays can be put to the rules.
class ScriptedLevel : public ComputerBase {
public:
    using Script = std::function<void(ScriptedLevel&)>;
    ScriptedLevel(VarentaEngine& engine, const ComputerSettings& settings, Script script)
        : ComputerBase(engine, settings), script_(std::move(script)) {}

    using ComputerBase::meldAllOfRank;
    using ComputerBase::randomReal;

protected:
    void takeOrDraw() override {}
    void meldPhase() override { script_(*this); }
    DiscardChoice chooseDiscard() override { return DiscardChoice::fromHand(0); }
    void layPileTop() override {
        takePileTopIntoHand();
        script_(*this);
    }
    std::unique_ptr<ComputerBase> understudy(Rehearsal& table) const override {
        return std::make_unique<ScriptedLevel>(table.engine, settings_, script_);
    }
    void adoptMemory(const Rehearsal& /*table*/) override {}

private:
    Script script_;
};

struct LayCounter : TableObserver {
    int lays = 0;
    void OpponentMelded(const Card&) override { ++lays; }
    void OpponentMeldedWildCard(const Card&, int) override { ++lays; }
};

TEST(MeldWithinTheRules, LaysThatLeaveTheMeldsInvalidStayInTheHand) {
    using L = ScriptedLevel;
    const std::vector<int> kingVarenta{Code(kSpade, kKing),
                                       Code(kClub, kKing),
                                       Code(kDiamond, kKing),
                                       Code(kHeart, kKing),
                                       kJoker,
                                       kJoker,
                                       kTwoCode};
    struct Case {
        const char* what;
        std::vector<int> hand;
        bool kingsAndAces; // melds worth 90 on the table already
        std::vector<int> varenta;
        ScriptedLevel::Script script;
        std::map<int, int> columns; // cards per column afterwards
        int handAfter;
    };
    const Case cases[] = {
        {"a valid first meld goes down whole",
         {Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing), kJoker,
          Code(kSpade, kFive), Code(kSpade, kSix)},
         false,
         {},
         [](L& p) {
             p.meldAllOfRank(kKing);
             p.MeldWildCard(kKing);
         },
         {{kKing, 4}},
         2},
        {"a first meld below the minimum stays, the red three goes",
         {Code(kSpade, kFive), Code(kClub, kFive), Code(kDiamond, kFive), kRedThree,
          Code(kSpade, kNine), Code(kSpade, kJack)},
         false,
         {},
         [](L& p) {
             p.MeldRedThrees();
             p.MeldRank(kFive, 0);
         },
         {{kThreesColumn, 1}, {kFive, 0}},
         5},
        {"a two-card meld stays, the rest goes",
         {Code(kSpade, kQueen), Code(kClub, kQueen), Code(kSpade, kKing), Code(kSpade, kNine),
          Code(kSpade, kJack)},
         true,
         {},
         [](L& p) {
             p.meldAllOfRank(kQueen);
             p.meldAllOfRank(kKing);
         },
         {{kQueen, 0}, {kKing, 4}},
         4},
        {"wild cards beyond the naturals stay, newest first",
         {kJoker, kJoker, kTwoCode, Code(kSpade, kFive)},
         false,
         kingVarenta,
         [](L& p) { p.LayOutWilds(); },
         {{kKing, 8}},
         3},
        {"a wild-card column short of seven stays",
         {kJoker, kJoker, kJoker, kTwoCode, kTwoCode, Code(kSpade, kNine), Code(kSpade, kJack)},
         true,
         {},
         [](L& p) {
             for (int i = 0; i < 5; ++i) {
                 p.MeldWildCard(kWildColumn);
             }
         },
         {{kWildColumn, 0}},
         7},
        {"black threes with cards left stay",
         {kBlackThree, Code(kClub, kThree), kBlackThree, Code(kSpade, kNine), Code(kSpade, kJack)},
         true,
         {},
         [](L& p) { p.MeldRank(2, 0); },
         {{kThreesColumn, 0}},
         5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        LayCounter counter;
        t.engine.SetObserver(&counter);
        for (int code : c.hand) {
            t.Hand({code});
        }
        if (c.kingsAndAces) {
            t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
            t.Melds({Code(kSpade, kAce), Code(kClub, kAce), Code(kDiamond, kAce)});
        }
        for (int code : c.varenta) {
            t.Melds({code}, kKing);
        }
        t.HumanHandSize(10);
        const int meldsBefore = t.St().opponentMelds.count;
        ScriptedLevel level(t.engine, t.settings, c.script);
        level.MeldWithinTheRules();
        for (const auto& [column, cards] : c.columns) {
            EXPECT_EQ(t.MeldColumn(column), cards) << "column " << column;
        }
        EXPECT_EQ(t.St().opponentHand.count, c.handAfter);
        // Only what stays on the table was ever laid on it.
        EXPECT_EQ(counter.lays, t.St().opponentMelds.count - meldsBefore);
        std::string_view reason;
        EXPECT_TRUE(t.engine.ValidateOpponentMelds(reason, c.handAfter - 1)) << reason;
    }
}

TEST(MeldWithinTheRules, AWildCardLayLeftOutLeavesItsJokerToTheNext) {
    // The joker the try put on the full fives is left out; the king meld's
    // wild card, a two in the try, is then the joker, as MeldWildCard takes
    // jokers first.
    struct Case {
        const char* what;
        std::vector<int> hand;
        int kingWild, heldAfter; // the rank of the wild card on the kings, and held
    };
    const Case cases[] = {
        {"a joker and a two", {kJoker, kTwoCode, Code(kSpade, kNine), Code(kSpade, kJack)}, 0, 1},
        {"two jokers", {kJoker, kJoker, Code(kSpade, kNine), Code(kSpade, kJack)}, 0, 0},
        {"two twos", {kTwoCode, kTwoCode, Code(kSpade, kNine), Code(kSpade, kJack)}, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        for (int code : c.hand) {
            t.Hand({code});
        }
        t.Melds({Code(kSpade, kFive), Code(kClub, kFive), Code(kDiamond, kFive), kTwoCode, kTwoCode,
                 kJoker});
        t.Melds({Code(kSpade, kKing), Code(kClub, kKing), Code(kDiamond, kKing)});
        t.HumanHandSize(10);
        ScriptedLevel level(t.engine, t.settings, [](ScriptedLevel& p) {
            p.MeldWildCard(kFive);
            p.MeldWildCard(kKing);
        });
        level.MeldWithinTheRules();
        EXPECT_EQ(t.MeldColumn(kFive), 6);
        ASSERT_EQ(t.MeldColumn(kKing), 4);
        EXPECT_EQ(t.St().opponentMelds.Top().rank, c.kingWild);
        EXPECT_EQ(t.HandCount(c.heldAfter), 1);
    }
}

TEST(MeldWithinTheRules, MessagesAndRandomDrawsOfTheTryCarryOver) {
    Stage t;
    t.Hand({Code(kSpade, kNine), Code(kSpade, kJack), Code(kSpade, kQueen)});
    Random expected = t.engine.Rng();
    expected.NextReal();
    expected.NextReal();
    ScriptedLevel level(t.engine, t.settings, [](ScriptedLevel& p) {
        p.randomReal();
        p.randomReal();
        p.MeldWildCard(kQueen); // no wild card: the meld error
    });
    level.MeldWithinTheRules();
    EXPECT_EQ(t.engine.Rng().State(), expected.State());
    ASSERT_EQ(t.port.messages.size(), 1U);
    EXPECT_EQ(t.port.messages[0].text, texts::kMeldErrorWildcardNotFound);
    EXPECT_EQ(t.port.meldPauses, 0);
}

TEST(TopCardCanBeLaid, OnlyWhenTheLaysMakeAMeldThatStands) {
    struct Case {
        const char* what;
        ScriptedLevel::Script script;
        bool legal;
    };
    const Case cases[] = {
        {"top card, two kings and a joker",
         [](ScriptedLevel& p) {
             p.MeldRank(kKing, 0);
             p.MeldWildCard(kKing);
         },
         true},
        {"top card and two kings: 30 points", [](ScriptedLevel& p) { p.MeldRank(kKing, 0); },
         false},
        {"nothing laid", [](ScriptedLevel&) {}, false},
        {"top card and a joker",
         [](ScriptedLevel& p) {
             p.MeldRank(kKing, 1);
             p.MeldWildCard(kKing);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        t.Hand({Code(kSpade, kKing), Code(kClub, kKing), kJoker, Code(kSpade, kNine),
                Code(kSpade, kJack)});
        t.PileFiller(4);
        t.Pile({Code(kDiamond, kKing)});
        ScriptedLevel level(t.engine, t.settings, c.script);
        EXPECT_EQ(level.TopCardCanBeLaid(), c.legal);
        // Only tried: the real table is as it was.
        EXPECT_EQ(t.St().discardPile.count, 5);
        EXPECT_EQ(t.St().opponentHand.count, 5);
        EXPECT_EQ(t.port.meldPauses, 0);
    }
}

TEST(TopCardCanBeLaid, ABeginnerTakeThatCannotReachTheMinimumDrawsInstead) {
    Stage t;
    // Four fours with the top card and a joker: enough on paper for the
    // Beginner's first meld, but it lays the fours alone (20 points).
    t.Hand({Code(kSpade, kFour), Code(kClub, kFour), Code(kDiamond, kFour), kJoker,
            Code(kSpade, kNine), Code(kSpade, kJack)});
    t.Pile({Code(kHeart, kFour), Code(kSpade, kFour), Code(kClub, kFour)});
    t.StockFiller(30);
    t.HumanHandSize(10);
    BeginnerPlayer decide(t.engine, t.settings);
    decide.need = 50;
    ASSERT_TRUE(decide.BegTakePile());
    ASSERT_FALSE(decide.TopCardCanBeLaid());

    BeginnerPlayer player(t.engine, t.settings);
    player.PlayTurn();
    EXPECT_EQ(t.St().opponentMelds.count, 0);
    EXPECT_EQ(t.St().stock.count, 29) << "it drew instead";
    EXPECT_EQ(t.St().discardPile.count, 4);
}

} // namespace
} // namespace varenta::testing

// Whole games between a random player bot and a plain computer, under many
// rule sets: every card stays in exactly one place, no red three stays in a
// hand, and every hand ends.
#include <gtest/gtest.h>

#include "RandomPlayer.h"
#include "TestSupport.h"
#include "varenta/engine/SilentPort.h"

namespace varenta {
namespace {

int Find(const CardPile& p, int rank) {
    for (int i = p.count - 1; i >= 0; --i) {
        if (p[i].rank == rank) {
            return i;
        }
    }
    return -1;
}

int Count(const CardPile& p, int rank) {
    int n = 0;
    for (int i = 0; i < p.count; ++i) {
        n += p[i].rank == rank ? 1 : 0;
    }
    return n;
}

// Takes the pile with a natural pair or draws, melds every rank it holds
// three times, discards at random.
struct PlainComputer : ComputerTurnHook {
    Random& random;
    explicit PlainComputer(Random& r) : random(r) {}

    void ComputerTurn(VarentaEngine& e) override {
        GameState& s = testing::MutableState(e);
        e.BeginOpponentTurn();
        const int top = s.discardPile.Empty() ? 0 : s.discardPile.Top().rank;
        if (top >= 3 && !e.PileFrozenFor(Side::Opponent) && Count(s.opponentHand, top) >= 2 &&
            s.opponentHand.count >= 4) {
            e.MeldFromOpponentHand(e.OpponentTakePileTop());
            e.MeldFromOpponentHand(Find(s.opponentHand, top));
            e.MeldFromOpponentHand(Find(s.opponentHand, top));
            e.OpponentTakePileRest();
        } else {
            for (int i = 0; i < e.Rules().numberOfCards; ++i) {
                e.DrawForOpponent();
            }
        }
        for (int rank = 3; rank < kColumns; ++rank) {
            while (Count(s.opponentHand, rank) >= 3 && s.opponentHand.count > 4) {
                for (int k = 0; k < 3; ++k) {
                    e.MeldFromOpponentHand(Find(s.opponentHand, rank));
                }
            }
        }
        if (s.opponentHand.count < 2 && s.opponentVarentas.count < e.Rules().numberOfVarentas) {
            e.OpponentPassDiscard();
        } else if (s.opponentHand.count > 0) {
            e.OpponentDiscard(random.Next(s.opponentHand.count));
        }
        e.FinishOpponentTurn();
    }
};

struct HandCounter : TableObserver {
    int hands = 0;
    void HandEnded(int, int, int) override { ++hands; }
};

void PlayHands(const RuleSet& rules, std::uint64_t seed, int hands) {
    VarentaEngine e;
    SilentPort port;
    HandCounter counter;
    Random botRandom(seed * 7 + 1);
    PlainComputer computer(botRandom);
    e.SetPort(&port);
    e.SetObserver(&counter);
    e.SetComputerHook(&computer);
    e.SetRules(rules);
    e.StartProgram(seed);
    e.DealHand(true);
    int actions = 0;
    int handAtStart = 0;
    while (counter.hands < hands) {
        ASSERT_FALSE(e.State().opponentToMove) << "the computer left the turn unfinished";
        testing::RandomPlayerTurn(e, botRandom);
        testing::ExpectEveryCardOnce(e.State());
        if (counter.hands != handAtStart) {
            handAtStart = counter.hands;
            actions = 0;
        }
        ASSERT_LT(++actions, 2000)
            << "hand " << counter.hands << " of seed " << seed << " does not end";
    }
}

TEST(WholeGames, DefaultRules) {
    for (std::uint64_t seed = 1; seed <= 6; ++seed) {
        PlayHands(RuleSet{}, seed, 25);
    }
}

TEST(WholeGames, EveryRuleSwitched) {
    RuleSet rules;
    rules.varentaRequired = true;
    rules.numberOfVarentas = 2;
    rules.numberOfCards = 2;
    rules.addToVarenta = false;
    rules.topCardCounts = false;
    rules.initialBlock = false;
    rules.naturalPair = false;
    rules.drawExtra = false;
    rules.threeBlock = true;
    rules.bonusCounts = true;
    for (std::uint64_t seed = 1; seed <= 6; ++seed) {
        PlayHands(rules, seed, 25);
    }
    rules.reuseDiscardPile = false;
    rules.numberOfVarentas = 1;
    for (std::uint64_t seed = 7; seed <= 10; ++seed) {
        PlayHands(rules, seed, 25);
    }
}

} // namespace
} // namespace varenta

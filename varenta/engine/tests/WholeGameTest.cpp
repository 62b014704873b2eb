// Whole games between a random player bot and a plain computer, under many
// rule sets: every card stays in exactly one place, no red three stays in a
// hand, and every hand ends.
#include <gtest/gtest.h>

#include "RandomPlayer.h"
#include "varenta/engine/SilentPort.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta {
namespace {

// Draws, melds every rank it holds three times, discards at random.
class PlainComputer : public ComputerTurnHook {
public:
    explicit PlainComputer(Random& random) : random_(random) {}

    void ComputerTurn(VarentaEngine& e) override {
        GameState& s = e.State();
        e.BeginOpponentTurn();
        if (!TryTakePile(e)) {
            for (int i = 0; i < e.Rules().numberOfCards; ++i) {
                e.DrawForOpponent();
            }
        }
        MeldTriples(e);
        if (s.opponentHand.count < 2 && s.opponentVarentas.count < e.Rules().numberOfVarentas) {
            e.OpponentPassDiscard();
        } else if (s.opponentHand.count > 0) {
            e.OpponentDiscard(random_.Next(s.opponentHand.count));
        }
        e.FinishOpponentTurn();
    }

private:
    bool TryTakePile(VarentaEngine& e) {
        GameState& s = e.State();
        if (s.discardPile.Empty() || e.PileFrozenFor(Side::Opponent)) {
            return false;
        }
        const int rank = s.discardPile.Top().rank;
        if (rank < 3 || Count(s.opponentHand, rank) < 2 || s.opponentHand.count < 4) {
            return false;
        }
        e.MeldFromOpponentHand(e.OpponentTakePileTop());
        for (int k = 0; k < 2; ++k) {
            e.MeldFromOpponentHand(Find(s.opponentHand, rank));
        }
        e.OpponentTakePileRest();
        return true;
    }

    void MeldTriples(VarentaEngine& e) {
        GameState& s = e.State();
        for (int rank = 3; rank < kColumns; ++rank) {
            while (Count(s.opponentHand, rank) >= 3 && s.opponentHand.count > 4) {
                for (int k = 0; k < 3; ++k) {
                    e.MeldFromOpponentHand(Find(s.opponentHand, rank));
                }
            }
        }
    }

    static int Count(const CardPile& p, int rank) {
        int n = 0;
        for (int i = 0; i < p.count; ++i) {
            n += p[i].rank == rank ? 1 : 0;
        }
        return n;
    }
    static int Find(const CardPile& p, int rank) {
        for (int i = p.count - 1; i >= 0; --i) {
            if (p[i].rank == rank) {
                return i;
            }
        }
        return -1;
    }

    Random& random_;
};

struct HandCounter : TableObserver {
    int hands = 0;
    int restocks = 0;
    void HandEnded(int, int, int) override { ++hands; }
    void Restocked() override { ++restocks; }
};

void CheckInvariants(const GameState& s) {
    std::array<int, 54> codes{};
    for (const CardPile* p : {&s.stock, &s.discardPile, &s.playerHand, &s.opponentHand,
                              &s.playerMelds, &s.opponentMelds}) {
        ASSERT_LE(p->count, kDeckSize);
        for (int i = 0; i < p->count; ++i) {
            ++codes[(*p)[i].code];
        }
    }
    for (int code = 1; code <= 52; ++code) {
        ASSERT_EQ(codes[static_cast<std::size_t>(code)], 2) << "code " << code;
    }
    ASSERT_EQ(codes[53], 4);
    for (const CardPile* p : {&s.playerHand, &s.opponentHand}) {
        for (int i = 0; i < p->count; ++i) {
            ASSERT_FALSE(IsRedThree((*p)[i]));
        }
    }
}

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
        CheckInvariants(e.State());
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

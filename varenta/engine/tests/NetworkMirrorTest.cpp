// Two tables joined as in a network game: every move one table reports is
// applied to the other's opponent side. After every move both must hold the
// same cards with the seats swapped, and score the hand alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <tuple>

#include "RandomPlayer.h"
#include "varenta/engine/SilentPort.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta {
namespace {

using Queue = std::deque<std::function<void()>>;

// Sends each reported move to the other table, delivered once the sender's
// operation has returned, as a socket would.
class Wire : public MoveReporter {
public:
    Wire(VarentaEngine& to, Queue& queue) : to_(to), queue_(queue) {}
    void Deal(std::string_view d) override {
        Send([this, deal = std::string(d)] { to_.ReceiveDeal(deal); });
    }
    void DrawNew(const Card&) override {
        Send([this] { to_.RemoteDrawNew(); });
    }
    void DrawPileTop(const Card&) override {
        Send([this] { to_.RemoteDrawPileTop(); });
    }
    void DrawPileRest() override {
        Send([this] { to_.RemoteDrawPileRest(); });
    }
    void UndoPile() override {
        Send([this] { to_.RemoteUndoPile(); });
    }
    void Meld(int code) override {
        Send([this, code] { to_.RemoteMeld(code); });
    }
    void MeldWildCard(int code, int column) override {
        Send([this, code, column] { to_.RemoteMeldWildCard(code, column); });
    }
    void Undo(int column, int code) override {
        Send([this, column, code] { to_.RemoteUndo(column, code); });
    }
    void Discard(int code) override {
        Send([this, code] { to_.RemoteDiscard(code); });
    }
    void DiscardRedThree(int code) override {
        Send([this, code] { to_.RemoteDiscardRedThree(code); });
    }
    void PassDiscard() override {
        Send([this] { to_.RemotePassDiscard(); });
    }

private:
    void Send(std::function<void()> f) { queue_.push_back(std::move(f)); }
    VarentaEngine& to_;
    Queue& queue_;
};

void Deliver(Queue& queue) {
    while (!queue.empty()) {
        auto message = std::move(queue.front());
        queue.pop_front();
        message();
    }
}

struct Ends : TableObserver {
    int hands = 0;
    int player = 0;
    int opponent = 0;
    void HandEnded(int, int a, int b) override {
        ++hands;
        player = a;
        opponent = b;
    }
};

// The pile's codes, sorted; withColumn adds each card's x (same column on both tables).
std::vector<int> Codes(const CardPile& p, bool withColumn = false) {
    std::vector<int> codes;
    for (int i = 0; i < p.count; ++i) {
        codes.push_back(withColumn ? p[i].code * 100 + p[i].x : p[i].code);
    }
    std::sort(codes.begin(), codes.end());
    return codes;
}

void ExpectMirrored(const GameState& a, const GameState& b) {
    ASSERT_EQ(Codes(a.playerHand), Codes(b.opponentHand));
    ASSERT_EQ(Codes(b.playerHand), Codes(a.opponentHand));
    ASSERT_EQ(Codes(a.playerMelds, true), Codes(b.opponentMelds, true));
    ASSERT_EQ(Codes(a.opponentMelds, true), Codes(b.playerMelds, true));
    ASSERT_EQ(Codes(a.discardPile), Codes(b.discardPile));
    ASSERT_EQ(a.stock.count, b.stock.count);
    ASSERT_EQ(a.pileFrozen, b.pileFrozen);
    ASSERT_EQ(a.playerVarentas.count, b.opponentVarentas.count);
    ASSERT_EQ(a.opponentVarentas.count, b.playerVarentas.count);
    ASSERT_EQ(a.playerScore, b.opponentScore);
    ASSERT_NE(a.opponentToMove, b.opponentToMove);
}

void PlayMirroredHands(const RuleSet& rules) {
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        VarentaEngine a;
        VarentaEngine b;
        SilentPort port;
        Ends endsA;
        Ends endsB;
        Queue queue;
        Wire toB(b, queue);
        Wire toA(a, queue);
        for (auto [e, to, ends, name] :
             {std::tuple{&a, &toB, &endsA, "B"}, {&b, &toA, &endsB, "A"}}) {
            e->SetPort(&port);
            e->SetReporter(to);
            e->SetObserver(ends);
            e->SetRules(rules);
            e->SetNetworkOpponent(name);
        }
        a.StartProgram(seed);
        Random r(seed);
        a.DealHand(false);
        for (int moves = 0; endsA.hands == 0; ++moves) {
            Deliver(queue);
            if (endsA.hands > 0) {
                break;
            }
            ExpectMirrored(a.State(), b.State());
            ASSERT_LT(moves, 3000) << "seed " << seed;
            testing::RandomPlayerTurn(a.State().opponentToMove ? b : a, r);
        }
        Deliver(queue);
        ASSERT_EQ(endsB.hands, 1);
        EXPECT_EQ(endsA.player, endsB.opponent) << "seed " << seed;
        EXPECT_EQ(endsA.opponent, endsB.player) << "seed " << seed;
    }
}

TEST(NetworkMirror, BothTablesStayEqualThroughWholeHands) {
    PlayMirroredHands(RuleSet{});
    RuleSet rules;
    rules.numberOfVarentas = 2;
    rules.numberOfCards = 2;
    rules.topCardCounts = false;
    rules.naturalPair = false;
    rules.drawExtra = false;
    rules.threeBlock = true;
    rules.bonusCounts = true;
    PlayMirroredHands(rules);
}

} // namespace
} // namespace varenta

#include "varenta/app/sim/PlayerBot.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "varenta/computer/RankTally.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta::sim {

namespace {

constexpr int kFirstNatural = 3; // four
constexpr int kAce = 13;

} // namespace

PlayerBot::HandCounts PlayerBot::Count(const VarentaEngine& engine) {
    const GameState& s = engine.State();
    HandCounts c;
    for (int i = 0; i < s.playerHand.Size(); ++i) {
        const Card& card = s.playerHand[i];
        c.hand[card.rank] += 1;
        c.jokers += card.rank == 0 ? 1 : 0;
        c.twos += card.rank == 1 ? 1 : 0;
        c.blackThrees += IsBlackThree(card) ? 1 : 0;
    }
    c.size = s.playerHand.Size();
    const ColumnFinder columnOf(engine.Geometry());
    for (int i = 0; i < s.playerMelds.Size(); ++i) {
        const Card& card = s.playerMelds[i];
        const int col = std::clamp(columnOf(card.x), 0, kColumns - 1);
        c.column[col] += 1;
        c.wildsInColumn[col] += IsWild(card) ? 1 : 0;
    }
    return c;
}

int PlayerBot::FirstMeldPoints(const HandCounts& c, int keep, int topRank) {
    int jokers = c.jokers;
    int twos = c.twos;
    auto takeWild = [&]() {
        if (jokers > 0) {
            --jokers;
            return 50;
        }
        if (twos > 0) {
            --twos;
            return 20;
        }
        return 0;
    };
    int budget = c.size - keep;
    int points = 0;
    if (topRank > 0) {
        // The top card lies on the table already; the hand adds its naturals.
        const int held = c.hand[topRank];
        points += RankPoints(topRank) * (held + 1);
        budget -= held;
        if (held + 1 == 2) {
            const int w = takeWild();
            if (w == 0) {
                return 0;
            }
            points += w;
            budget -= 1;
        }
    }
    for (int r = kAce; r >= kFirstNatural; --r) {
        if (r != topRank && c.hand[r] >= 3 && budget - c.hand[r] >= 0) {
            points += RankPoints(r) * c.hand[r];
            budget -= c.hand[r];
        }
    }
    for (int r = kAce; r >= kFirstNatural && jokers + twos > 0; --r) {
        if (r != topRank && c.hand[r] == 2 && budget - 3 >= 0) {
            points += 2 * RankPoints(r) + takeWild();
            budget -= 3;
        }
    }
    return points;
}

bool PlayerBot::WantPile(const VarentaEngine& engine) {
    const GameState& s = engine.State();
    if (s.discardPile.Empty()) {
        return false;
    }
    const int t = s.discardPile.Top().rank;
    const HandCounts c = Count(engine);
    const bool frozen = engine.PileFrozenFor(Side::Player);
    if (c.column[t] >= 3 && !frozen && engine.PlayerMeldValue() > 0) {
        return true; // the top card joins a meld and the rest comes for free
    }
    if (c.hand[t] < 2) {
        return false;
    }
    if (engine.PlayerMeldValue() > 0) {
        return true;
    }
    int minimum = s.initialMeldMinimum;
    if (!engine.Rules().topCardCounts) {
        minimum += s.discardPile.Top().points;
    }
    return FirstMeldPoints(c, 2, t) >= minimum;
}

bool PlayerBot::over() const {
    return *turnEnds_ != startEnds_ || engine_->ProgramEnded() || stopped_;
}

void PlayerBot::LimitActions(std::int64_t limit, const std::int64_t* reports) {
    limit_ = limit;
    reports_ = reports;
}

template <typename Call> void PlayerBot::act(Call&& call) {
    if (stopped_) {
        return; // the run has had all the moves it asked for
    }
    const std::int64_t before = reports_ != nullptr ? *reports_ : 0;
    call();
    countsCurrent_ = false;
    // An action counts when it changed the game, which the engine reports.
    if (reports_ != nullptr && *reports_ != before) {
        ++actions_;
        stopped_ = limit_ > 0 && actions_ >= limit_;
    }
}

const PlayerBot::HandCounts& PlayerBot::counts() {
    if (countsCurrent_) {
#ifndef NDEBUG
        // Debug builds (the tests) prove that no change went unnoticed.
        if (!(Count(*engine_) == counts_)) {
            std::fprintf(stderr, "PlayerBot: the counts missed a change of the table\n");
            std::abort();
        }
#endif
        return counts_;
    }
    counts_ = Count(*engine_);
    countsCurrent_ = true;
    return counts_;
}

int PlayerBot::keepCount() const {
    return engine_->PlayerHasRequiredVarentas() ? 1 : 2;
}

int PlayerBot::findInHand(int rank) const {
    const CardPile& hand = engine_->State().playerHand;
    for (int i = 0; i < hand.Size(); ++i) {
        if (hand[i].rank == rank && !IsRedThree(hand[i])) {
            return i;
        }
    }
    return -1;
}

int PlayerBot::findBlackThree() const {
    const CardPile& hand = engine_->State().playerHand;
    for (int i = 0; i < hand.Size(); ++i) {
        if (IsBlackThree(hand[i])) {
            return i;
        }
    }
    return -1;
}

// Melds every card of the rank (Shift + click); the engine adds a wild card
// to a two-card meld by itself.
bool PlayerBot::meldRank(int rank) {
    const int index = findInHand(rank);
    if (index < 0) {
        return false;
    }
    const int before = engine_->State().playerHand.Size();
    act([&] { engine_->MeldSeveral(index, MeldMode::Shift); });
    return engine_->State().playerHand.Size() != before;
}

bool PlayerBot::PlayTurn(VarentaEngine& engine, const std::int64_t& turnEnds) {
    engine_ = &engine;
    turnEnds_ = &turnEnds;
    startEnds_ = turnEnds;
    countsCurrent_ = false; // the other side has moved since
    failure_.clear();
    const GameState& s = engine.State();
    if (s.opponentToMove) {
        failure_ = "the player was asked to move during the computer's turn";
        return false;
    }
    drawPhase();
    if (over()) {
        return true;
    }
    if (!s.hasDrawn) {
        failure_ = "the player could not draw";
        return false;
    }
    if (engine.PlayerMeldValue() == 0) {
        firstMeld(0);
    }
    if (over()) {
        return true;
    }
    if (engine.PlayerMeldValue() > 0) {
        extendMelds();
        if (!over()) {
            completeVarentas();
        }
        if (!over() && engine.PlayerHasRequiredVarentas()) {
            goOut();
        }
    }
    if (over()) {
        return true;
    }
    return discard();
}

// A big open pile the bot cannot take itself is frozen by throwing one of its
// red threes from the table (when the rules allow it); that ends the turn.
bool PlayerBot::blockWithRedThree() {
    const GameState& s = engine_->State();
    if (!engine_->Rules().threeBlock || s.discardPile.Size() < 12 || s.pileFrozen ||
        engine_->PlayerMayTakePile()) {
        return false;
    }
    for (int i = 0; i < s.playerMelds.Size(); ++i) {
        if (IsRedThree(s.playerMelds[i])) {
            act([&] { engine_->PlayerDiscardRedThree(i); });
            return over();
        }
    }
    return false;
}

void PlayerBot::drawPhase() {
    const GameState& s = engine_->State();
    if (s.hasDrawn || blockWithRedThree()) {
        return;
    }
    if (s.mayTakePile && engine_->PlayerMayTakePile() && WantPile(*engine_)) {
        act([&] { engine_->PlayerTakePile(); });
        if (over()) {
            return;
        }
        if (s.topCardPending) {
            completePendingTake();
            if (over()) {
                return;
            }
        }
        if (s.topCardPending) {
            // The top card cannot be made to count: take everything back
            // (the take costs its 50 points) and draw instead.
            act([&] { engine_->UndoAll(); });
            act([&] { engine_->PlayerTakePile(); });
        }
    }
    for (int i = 0; i < 4 && !s.hasDrawn && !over() && !s.stock.Empty(); ++i) {
        act([&] { engine_->PlayerDraw(); });
    }
}

void PlayerBot::completePendingTake() {
    const GameState& s = engine_->State();
    const int t = s.pileTopRank;
    meldRank(t);
    if (over() || !s.topCardPending) {
        return;
    }
    firstMeld(t);
}

// Lays a first meld that reaches the minimum, or nothing at all.
void PlayerBot::firstMeld(int topRank) {
    const GameState& s = engine_->State();
    const int keep = keepCount();
    HandCounts c = counts();
    if (topRank == 0 && FirstMeldPoints(c, keep, 0) < s.initialMeldMinimum) {
        return;
    }
    auto reached = [&] { return engine_->PlayerMeldValue() >= s.initialMeldMinimum; };
    for (int r = kAce; r >= kFirstNatural && !over(); --r) {
        c = counts();
        if (r != topRank && c.hand[r] >= 3 && c.size - c.hand[r] >= keep) {
            meldRank(r);
        }
    }
    for (int r = kAce; r >= kFirstNatural && !over() && !reached() && !s.playerHand.Empty(); --r) {
        c = counts();
        if (r != topRank && c.hand[r] == 2 && c.wilds() > 0 && c.size - 3 >= keep) {
            meldRank(r);
        }
    }
    for (int r = kAce; r >= kFirstNatural && !over() && !reached(); --r) {
        c = counts();
        const int naturals = c.column[r] - c.wildsInColumn[r];
        if (c.column[r] >= 3 && c.wilds() > 0 && c.wildsInColumn[r] < naturals &&
            c.size - 1 >= keep) {
            act([&] { engine_->AddWildCardToColumn(r); });
        }
    }
    if (!over() && !reached() && !s.topCardPending) {
        act([&] { engine_->UndoAll(); }); // short of the minimum: keep the cards for later
    }
}

void PlayerBot::extendMelds() {
    for (int r = kFirstNatural; r <= kAce && !over(); ++r) {
        const HandCounts c = counts();
        if (c.hand[r] == 0 || c.size - c.hand[r] < keepCount()) {
            continue;
        }
        if (c.column[r] >= 3 || c.hand[r] >= 3) {
            meldRank(r);
        }
    }
}

void PlayerBot::completeVarentas() {
    for (int r = kAce; r >= kFirstNatural && !over(); --r) {
        HandCounts c = counts();
        const int naturals = c.column[r] - c.wildsInColumn[r];
        const int missing = 7 - c.column[r];
        if (c.column[r] < 4 || missing <= 0 || naturals < 4 || c.wilds() < missing ||
            c.wildsInColumn[r] + missing > naturals || c.size - missing < keepCount()) {
            continue;
        }
        for (int i = 0; i < missing && !over(); ++i) {
            act([&] { engine_->AddWildCardToColumn(r); });
        }
    }
    if (over()) {
        return;
    }
    // Seven wild cards make the most valuable Varenta of all.
    const HandCounts c = counts();
    const int missing = 7 - c.column[kWildColumn];
    if (c.column[kWildColumn] < 7 && c.wilds() >= missing && c.size - missing >= keepCount()) {
        int wild = findInHand(0);
        if (wild < 0) {
            wild = findInHand(1);
        }
        if (wild >= 0) {
            act([&] { engine_->MeldSeveral(wild, MeldMode::Shift); });
        }
    }
}

// With the Varentas needed, lays every card it can and keeps one to discard.
void PlayerBot::goOut() {
    for (int r = kAce; r >= kFirstNatural && !over(); --r) {
        const HandCounts c = counts();
        if (c.hand[r] == 2 && c.column[r] == 0 && c.wilds() > 0 && c.size - 3 >= 1) {
            meldRank(r);
        }
    }
    for (int r = kFirstNatural; r <= kAce && !over(); ++r) {
        HandCounts c = counts();
        const int naturals = c.column[r] - c.wildsInColumn[r];
        int room = naturals - c.wildsInColumn[r];
        while (room > 0 && c.wilds() > 0 && c.size > 1 && c.column[r] >= 3 && !over()) {
            act([&] { engine_->AddWildCardToColumn(r); });
            c = counts();
            --room;
        }
    }
    if (over()) {
        return;
    }
    const HandCounts c = counts();
    const int others = c.size - c.blackThrees - c.wilds();
    const bool threesGo = (c.blackThrees >= 3 && c.wilds() == 0) ||
                          (c.blackThrees >= 2 && (c.wilds() == 1 || c.wilds() == 2));
    if (threesGo && others <= 1) {
        const int index = findBlackThree();
        if (index >= 0) {
            act([&] { engine_->MeldSeveral(index, MeldMode::Shift); });
        }
    }
}

bool PlayerBot::tryDiscards() {
    const GameState& s = engine_->State();
    const HandCounts c = counts();
    // Only the computer's meld columns matter here, counted as the engine's
    // column tally counts them.
    std::array<int, kColumns> opponentMeldColumn{};
    const ColumnFinder columnOf(engine_->Geometry());
    for (int i = 0; i < s.opponentMelds.Size(); ++i) {
        const int column = columnOf(s.opponentMelds[i].x);
        if (column >= 0 && column < kColumns) {
            ++opponentMeldColumn[static_cast<std::size_t>(column)];
        }
    }
    // Candidate ranks, best throw first: black threes block the pile; then
    // natural ranks the computer has no meld of and the bot holds few of,
    // cheapest first; wild cards only as a last resort.
    // At most eleven natural ranks and two wild ones: fixed room, nothing
    // allocated on a move the bot makes every turn.
    std::array<int, kAce + 1> naturals{};
    int naturalCount = 0;
    for (int r = kFirstNatural; r <= kAce; ++r) {
        if (c.hand[r] > 0) {
            naturals[static_cast<std::size_t>(naturalCount++)] = r;
        }
    }
    auto throwsFirst = [&](int a, int b) {
        const bool aUseful = opponentMeldColumn[static_cast<std::size_t>(a)] > 0 || c.column[a] > 0;
        const bool bUseful = opponentMeldColumn[static_cast<std::size_t>(b)] > 0 || c.column[b] > 0;
        if (aUseful != bUseful) {
            return !aUseful;
        }
        if (c.hand[a] != c.hand[b]) {
            return c.hand[a] < c.hand[b];
        }
        return RankPoints(a) < RankPoints(b);
    };
    // A stable insertion sort: ranks that compare equal keep their order.
    for (int i = 1; i < naturalCount; ++i) {
        const int rank = naturals[static_cast<std::size_t>(i)];
        int j = i;
        for (; j > 0 && throwsFirst(rank, naturals[static_cast<std::size_t>(j - 1)]); --j) {
            naturals[static_cast<std::size_t>(j)] = naturals[static_cast<std::size_t>(j - 1)];
        }
        naturals[static_cast<std::size_t>(j)] = rank;
    }
    std::array<int, kAce + 4> indices{};
    int indexCount = 0;
    if (c.blackThrees > 0) {
        indices[static_cast<std::size_t>(indexCount++)] = findBlackThree();
    }
    for (int n = 0; n < naturalCount; ++n) {
        indices[static_cast<std::size_t>(indexCount++)] =
            findInHand(naturals[static_cast<std::size_t>(n)]);
    }
    for (int r : {1, 0}) {
        if (c.hand[r] > 0) {
            indices[static_cast<std::size_t>(indexCount++)] = findInHand(r);
        }
    }
    for (int n = 0; n < indexCount; ++n) {
        const int index = indices[static_cast<std::size_t>(n)];
        if (index < 0 || index >= s.playerHand.Size()) {
            continue;
        }
        act([&] { engine_->PlayerDiscard(index); });
        if (over()) {
            return true;
        }
    }
    return false;
}

// A last card that completes a seven-card meld goes out instead of passing.
bool PlayerBot::meldLastCard() {
    const GameState& s = engine_->State();
    if (s.playerHand.Size() != 1 || engine_->PlayerHasRequiredVarentas()) {
        return false;
    }
    const Card last = s.playerHand[0];
    const HandCounts c = counts();
    if (IsNatural(last)) {
        if (last.rank > 2 && c.column[last.rank] == 6) {
            act([&] { engine_->MeldOne(0); });
        }
    } else {
        for (int r = kFirstNatural; r <= kAce && !over(); ++r) {
            if (c.column[r] == 6 && c.wildsInColumn[r] < 3) {
                act([&] { engine_->AddWildCardToColumn(r); });
                break;
            }
        }
    }
    return over();
}

bool PlayerBot::discard() {
    if (meldLastCard() || tryDiscards()) {
        return true;
    }
    // The table is not valid as it stands: take this turn's melds back.
    act([&] { engine_->UndoAll(); });
    if (over()) {
        return true;
    }
    const GameState& s = engine_->State();
    if (s.topCardPending) {
        act([&] { engine_->PlayerTakePile(); }); // undo the take, then draw instead
        for (int i = 0; i < 4 && !s.hasDrawn && !over() && !s.stock.Empty(); ++i) {
            act([&] { engine_->PlayerDraw(); });
        }
        if (over()) {
            return true;
        }
    }
    if (meldLastCard() || tryDiscards()) {
        return true;
    }
    std::string_view reason;
    engine_->ValidateMeldsWithTop(reason, s.playerHand.Size() - 1);
    failure_ = "no discard was accepted (hand of " + std::to_string(s.playerHand.Size()) +
               " cards, " + std::to_string(s.playerVarentas.count) +
               " Varentas): " + std::string(reason);
    return false;
}

} // namespace varenta::sim

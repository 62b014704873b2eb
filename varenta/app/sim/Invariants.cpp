#include "varenta/app/sim/Invariants.h"

#include <array>
#include <cstdint>

#include "varenta/engine/GameState.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta::sim {

namespace {

// How often each physical card lies on a sound table, at code * 2 + deck
// (codes 0..53): suited codes 1..52 once per deck, two jokers per deck, no
// card of code 0.
constexpr std::array<std::uint8_t, 108> kEachCardOnce = [] {
    std::array<std::uint8_t, 108> once{};
    for (int code = 1; code <= kJokerCode; ++code) {
        const std::uint8_t n = code == kJokerCode ? 2 : 1;
        once[static_cast<std::size_t>(code * 2)] = n;
        once[static_cast<std::size_t>(code * 2 + 1)] = n;
    }
    return once;
}();

// The check runs after every move, and on a sound table all it has to prove
// is that the 108 cards are there once each and no hand keeps a red three:
// one counting pass and one comparison answer that. Only a table that fails
// it is looked at again to say what broke.
bool TableIsSound(const GameState& s) {
    const std::array<const CardPile*, 6> heaps{&s.stock,        &s.discardPile, &s.playerHand,
                                               &s.opponentHand, &s.playerMelds, &s.opponentMelds};
    int total = 0;
    for (const CardPile* heap : heaps) {
        total += heap->count;
    }
    // With 108 cards in all no count can pass 255.
    if (total != kDeckSize) {
        return false;
    }
    std::array<std::uint8_t, 108> seen{};
    for (const CardPile* heap : heaps) {
        for (int i = 0; i < heap->Size(); ++i) {
            const Card& c = (*heap)[i];
            if (c.code > kJokerCode || c.deckNo > 1) {
                return false;
            }
            seen[static_cast<std::size_t>(c.code * 2 + c.deckNo)] += 1;
        }
    }
    if (seen != kEachCardOnce) {
        return false;
    }
    for (const CardPile* hand : {&s.playerHand, &s.opponentHand}) {
        for (int i = 0; i < hand->Size(); ++i) {
            if (IsRedThree((*hand)[i])) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

std::string CheckInvariants(const GameState& s) {
    if (TableIsSound(s)) {
        return {};
    }
    struct Heap {
        const char* name;
        const CardPile& pile;
    };
    const std::array<Heap, 6> heaps{{{"stock", s.stock},
                                     {"discard pile", s.discardPile},
                                     {"player hand", s.playerHand},
                                     {"computer hand", s.opponentHand},
                                     {"player melds", s.playerMelds},
                                     {"computer melds", s.opponentMelds}}};
    // Each physical card: suited codes 1..52 once per deck, two jokers per deck.
    std::array<std::array<int, 2>, 54> seen{};
    int total = 0;
    for (const Heap& heap : heaps) {
        if (heap.pile.count > kDeckSize) {
            return std::string(heap.name) + " holds " + std::to_string(heap.pile.count) + " cards";
        }
        for (int i = 0; i < heap.pile.Size(); ++i) {
            const Card& c = heap.pile[i];
            if (c.code < 1 || c.code > kJokerCode || c.deckNo > 1) {
                return std::string(heap.name) + " holds an unknown card (code " +
                       std::to_string(c.code) + ")";
            }
            seen[c.code][c.deckNo] += 1;
            ++total;
        }
    }
    if (total != kDeckSize) {
        return "the table holds " + std::to_string(total) + " cards instead of 108";
    }
    for (int code = 1; code <= kJokerCode; ++code) {
        const int expected = code == kJokerCode ? 2 : 1;
        for (int deck = 0; deck < 2; ++deck) {
            if (seen[code][deck] != expected) {
                return "card " + std::to_string(code) + " of deck " + std::to_string(deck + 1) +
                       " lies " + std::to_string(seen[code][deck]) + " times on the table";
            }
        }
    }
    for (const CardPile* hand : {&s.playerHand, &s.opponentHand}) {
        for (int i = 0; i < hand->Size(); ++i) {
            if (IsRedThree((*hand)[i])) {
                return std::string(hand == &s.playerHand ? "player" : "computer") +
                       " hand holds a red three";
            }
        }
    }
    return {};
}

} // namespace varenta::sim

namespace varenta::sim {

void ComputerRulesCheck::report(const std::string& what) {
    if (broken.empty()) {
        broken = what;
        brokenHand = handsEnded_ + 1;
    }
}

void ComputerRulesCheck::HandDealt(std::string_view dealString) {
    takePending_ = false;
    next_.HandDealt(dealString);
}

void ComputerRulesCheck::OpponentTookPileTop(const Card& card) {
    // Seen before the card joins the hand: the meld it must go to is still
    // as it was, and so is the pile's frozen state.
    takePending_ = true;
    top_ = card;
    columnBefore_ = engine_.MeldColumnCount(Side::Opponent, card.rank);
    heldBack_ = engine_.PileFrozenFor(Side::Opponent) || columnBefore_ == 0;
    next_.OpponentTookPileTop(card);
}

void ComputerRulesCheck::OpponentTookPileRest() {
    if (takePending_) {
        takePending_ = false;
        std::string_view reason;
        if (!engine_.OpponentPileTakeValid(top_, columnBefore_, heldBack_, reason)) {
            report("the computer took the rest of the pile (top card " + std::to_string(top_.code) +
                   ") with its melds invalid: " + std::string(reason));
        }
    }
    next_.OpponentTookPileRest();
}

void ComputerRulesCheck::OpponentMeldedWildCard(const Card& card, int column) {
    // Reported once the card has left the hand.
    const GameState& s = engine_.State();
    if (card.rank == 1) {
        for (int i = 0; i < s.opponentHand.count; ++i) {
            if (s.opponentHand[i].rank == 0) {
                report("the computer laid a two (" + std::to_string(card.code) + ") in column " +
                       std::to_string(column) + " while it held a joker");
                break;
            }
        }
    }
    if (column >= 3 && column < kColumns) {
        int wilds = 0;
        int naturals = 0;
        for (int i = 0; i < s.opponentMelds.count; ++i) {
            if (engine_.Geometry().ColumnOf(s.opponentMelds[i].x) == column) {
                (IsWild(s.opponentMelds[i]) ? wilds : naturals) += 1;
            }
        }
        if (wilds > naturals) {
            report("the computer laid wild card " + std::to_string(wilds) + " in column " +
                   std::to_string(column) + ", which holds " + std::to_string(naturals) +
                   " naturals");
        }
    }
    next_.OpponentMeldedWildCard(card, column);
}

void ComputerRulesCheck::checkTurnEnd(const char* how) {
    std::string_view reason;
    const int hand = engine_.State().opponentHand.count;
    if (!engine_.ValidateOpponentMelds(reason, hand)) {
        report(std::string("the computer ") + how +
               " with its melds invalid: " + std::string(reason));
    }
}

void ComputerRulesCheck::OpponentDiscarded(const Card& card) {
    // Reported once the card has left the hand: judged for the hand that is
    // left, so that a last card discarded is judged as going out.
    checkTurnEnd("discarded");
    next_.OpponentDiscarded(card);
}

void ComputerRulesCheck::OpponentDiscardedRedThree(const Card& card) {
    checkTurnEnd("discarded a red three from the table");
    next_.OpponentDiscardedRedThree(card);
}

void ComputerRulesCheck::OpponentPassed() {
    checkTurnEnd("passed the discard");
    next_.OpponentPassed();
}

void ComputerRulesCheck::HandEnded(int wentOut, int playerHandScore, int opponentHandScore) {
    if (wentOut == 1) {
        checkTurnEnd("went out");
    }
    ++handsEnded_;
    next_.HandEnded(wentOut, playerHandScore, opponentHandScore);
}

} // namespace varenta::sim

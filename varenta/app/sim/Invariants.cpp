#include "varenta/app/sim/Invariants.h"

#include <array>

#include "varenta/engine/GameState.h"

namespace varenta::sim {

std::string CheckInvariants(const GameState& s) {
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

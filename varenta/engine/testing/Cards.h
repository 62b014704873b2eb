#pragma once

// The cards of every test, named once with the engine's own numbering: a
// rank is Card::rank (and the meld column it goes to), a suit the engine's
// suit, and a code suit * 13 + rank.

#include "varenta/engine/Card.h"

namespace varenta::testing {

inline constexpr int kTwo = 1, kThree = 2, kFour = 3, kFive = 4, kSix = 5, kSeven = 6, kEight = 7,
                     kNine = 8, kTen = 9, kJack = 10, kQueen = 11, kKing = 12, kAce = 13;

inline constexpr int kSpade = kSuitSpade, kClub = kSuitClub, kDiamond = kSuitDiamond,
                     kHeart = kSuitHeart;

inline constexpr int kJoker = kJokerCode;

// The code of the card of that suit and rank.
constexpr int Code(int suit, int rank) {
    return suit * 13 + rank;
}

static_assert(CardRank(Code(kSpade, kTwo)) == kTwo && CardRank(Code(kHeart, kAce)) == kAce);
static_assert(CardSuit(Code(kClub, kAce)) == kSuitClub);
static_assert(Code(kSpade, kThree) == kCodeBlackThreeSpade &&
              Code(kHeart, kThree) == kCodeRedThreeHeart);

} // namespace varenta::testing

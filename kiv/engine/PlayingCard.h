#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace kiv {

// Card numbers are 1..32; 0 is the placeholder shown on an empty discard pile.
constexpr int kCardCount = 32;

// Suit codes. The numbering blocks run Karo, Herz, Pik, Kreuz (1..8, 9..16,
// 17..24, 25..32), which is not the code order.
enum SuitCode : int { kNoSuit = 0, kKaro = 1, kHerz = 2, kKreuz = 3, kPik = 4 };

// Rank codes 6..13; codes 1..5 do not occur in this deck.
enum RankCode : int {
    kNoRank = 0,
    kSieben = 6,
    kAcht = 7,
    kNeun = 8,
    kZehn = 9,
    kBube = 10,
    kDame = 11,
    kKoenig = 12,
    kAs = 13
};

// Card image size and the strip a covered hand card shows.
constexpr int kCardWidth = 71;
constexpr int kCardHeight = 96;
constexpr int kHandOffset = 18;

// Suit of each block of eight numbers: Karo, Herz, Pik, Kreuz.
inline constexpr int kBlockSuit[4] = {kKaro, kHerz, kPik, kKreuz};

constexpr bool IsCardNumber(int number) {
    return number >= 1 && number <= kCardCount;
}
// The computer player asks these for every hand card of every choice, so they
// live here where the compiler can inline them.
// SuitCode of card 1..32, 0 for anything else.
constexpr int SuitOfCard(int number) {
    return IsCardNumber(number) ? kBlockSuit[(number - 1) / 8] : kNoSuit;
}
// RankCode of card 1..32, 0 for anything else.
constexpr int RankOfCard(int number) {
    return IsCardNumber(number) ? kSieben + (number - 1) % 8 : kNoRank;
}
// Points left in hand: Bube 20, Dame 3, König 4, As 11.
constexpr int PointsOfCard(int number) {
    switch (RankOfCard(number)) {
    case kBube:
        return 20;
    case kDame:
        return 3;
    case kKoenig:
        return 4;
    case kAs:
        return 11;
    default:
        return 0;
    }
}
int CardNumber(int suit, int rank); // inverse of the two above; 0 when out of range

// ---- Sets of cards as masks: bit n − 1 stands for card n, eight bits per
// suit block, the ranks from Sieben up within each. A hand keeps one
// (Hand::Mask), and the computer and the scoring ask their questions of it.

// The bit of card 1..32; none for anything else.
constexpr std::uint32_t CardBit(int number) {
    return IsCardNumber(number) ? std::uint32_t{1} << (number - 1) : 0;
}
// The lowest-numbered card of a non-empty mask.
constexpr int LowestCardIn(std::uint32_t mask) {
    return std::countr_zero(mask) + 1;
}
// The number of cards in a mask. Written out because std::popcount becomes
// a library call unless the build may assume the processor's instruction.
constexpr int CardsInMask(std::uint32_t v) {
    v = v - ((v >> 1) & 0x55555555u);
    v = (v & 0x33333333u) + ((v >> 2) & 0x33333333u);
    return static_cast<int>((((v + (v >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24);
}
// The cards of a rank in every suit; none for anything but a rank code.
constexpr std::uint32_t RankMask(int rank) {
    return rank >= kSieben && rank <= kAs ? std::uint32_t{0x01010101u} << (rank - kSieben) : 0;
}
// The cards of a suit; none for anything but a suit code. Looked up rather
// than searched for: a search's branches go wrong too often to be cheap.
inline constexpr std::array<std::uint32_t, 5> kSuitMasks = [] {
    std::array<std::uint32_t, 5> masks{};
    for (int block = 0; block < 4; ++block) {
        masks[static_cast<std::size_t>(kBlockSuit[block])] = 0xFFu << (8 * block);
    }
    return masks;
}();
constexpr std::uint32_t SuitMask(int suit) {
    return suit >= kKaro && suit <= kPik ? kSuitMasks[static_cast<std::size_t>(suit)] : 0;
}
int FaceBitmapId(int number);   // bitmap resource 136 + n (0 gives the placeholder 184)
int BackBitmapId(int deckBack); // 1 → 130, 2 → 196, 3 → 197, 4 → 198, other → 130
constexpr int kPlaceholderBitmapId = 184;

// One card of the deck. Created once with the document, never copied.
struct PlayingCard {
    int number = 0;
    int suit = 0; // SuitCode, 0 for the placeholder
    int rank = 0; // RankCode
    int points = 0;
    int x = 0, y = 0;         // current top-left position in view pixels
    int homeX = 0, homeY = 0; // where layout last placed it
    bool covered = false;     // another card of the same hand lies over it
    bool pickable = false;    // lies in a hand and may be picked up
    bool faceUp = true;       // face image selected (false: the back shows)
    int owner = -1;           // seat 0..3, -1 in the stock or on the discard pile

    // Placing sets the position and the home position together.
    void PlaceAt(int px, int py) {
        x = homeX = px;
        y = homeY = py;
    }
    // Visible width: the full card, or the strip when covered.
    int VisibleWidth() const { return covered ? kHandOffset : kCardWidth; }
    // The point lies on the visible part (edges included).
    bool Hit(int px, int py) const {
        return px >= x && px <= x + VisibleWidth() && py >= y && py <= y + kCardHeight;
    }
};

} // namespace kiv

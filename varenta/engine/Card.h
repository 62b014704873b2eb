#pragma once

#include <cstdint>
#include <string_view>

namespace varenta {

// One physical card of the two decks. Positions are table pixels; painting and
// hit testing only read them.
struct Card {
    std::uint8_t code = 0; // 1..52 = suit * 13 + rank index + 1, 53 joker
    std::uint8_t rank = 0; // 0 joker, 1 two, 2 three ... 13 ace; also the meld column
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t points = 0;
    bool faceUp = false;
    std::uint8_t deckNo = 0; // 0 or 1

    bool operator==(const Card&) const = default;
};

inline constexpr int kDeckSize = 108;
inline constexpr int kColumns = 14;
inline constexpr int kJokerCode = 53;
inline constexpr int kCodeBlackThreeSpade = 2;
inline constexpr int kCodeBlackThreeClub = 15;
inline constexpr int kCodeRedThreeDiamond = 28;
inline constexpr int kCodeRedThreeHeart = 41;

inline constexpr int kSuitSpade = 0;
inline constexpr int kSuitClub = 1;
inline constexpr int kSuitDiamond = 2;
inline constexpr int kSuitHeart = 3;

// Column of the wild-card meld and of the threes in a meld area.
inline constexpr int kWildColumn = 1;
inline constexpr int kThreesColumn = 2;

// Rank of a card code: 0 joker, otherwise code mod 13 with 0 read as 13.
constexpr int CardRank(int code) {
    if (code == kJokerCode) {
        return 0;
    }
    const int r = code % 13;
    return r == 0 ? 13 : r;
}

// Point value of a card code.
constexpr int CardPoints(int code) {
    const int rank = CardRank(code);
    if (rank == 0) {
        return 50;
    }
    if (rank == 1 || rank == 13) {
        return 20;
    }
    if (rank == 2) {
        return (code == kCodeRedThreeDiamond || code == kCodeRedThreeHeart) ? 0 : 5;
    }
    if (rank >= 7) {
        return 10; // eight .. king
    }
    return 5; // four .. seven
}

constexpr bool IsWildRank(int rank) {
    return rank < 2;
}
constexpr bool IsWild(const Card& c) {
    return c.rank < 2;
}
constexpr bool IsNatural(const Card& c) {
    return c.rank >= 2;
}
constexpr bool IsRedThree(int code) {
    return code == kCodeRedThreeDiamond || code == kCodeRedThreeHeart;
}
constexpr bool IsBlackThree(int code) {
    return code == kCodeBlackThreeSpade || code == kCodeBlackThreeClub;
}
constexpr bool IsRedThree(const Card& c) {
    return IsRedThree(c.code);
}
constexpr bool IsBlackThree(const Card& c) {
    return IsBlackThree(c.code);
}
// Suit of a suited card (0 spade, 1 club, 2 diamond, 3 heart); -1 for a joker.
constexpr int CardSuit(int code) {
    return code == kJokerCode ? -1 : (code - 1) / 13;
}
constexpr bool IsBlackSuited(int code) {
    return code >= 1 && code <= 26;
}
constexpr bool IsRedSuited(int code) {
    return code >= 27 && code <= 52;
}

// A card record as the shuffle builds it: rank and points from the code.
constexpr Card MakeCard(int code, int deckNo) {
    Card c;
    c.code = static_cast<std::uint8_t>(code);
    c.rank = static_cast<std::uint8_t>(CardRank(code));
    c.points = CardPoints(code);
    c.deckNo = static_cast<std::uint8_t>(deckNo);
    return c;
}

// Suit word and rank letter of a suited card, as used for the card faces.
struct CardNameResult {
    std::string_view suitWord;   // "spade", "club", "diamond", "heart"
    std::string_view rankLetter; // "2" .. "10", "b", "v", "h", "a"
    int code = 0;
};

// Name and code of the card of suit 0..3 and rank index 0..12 (0 two .. 12 ace).
CardNameResult CardName(int suit, int rankIndex);

} // namespace varenta

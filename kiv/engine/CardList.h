#pragma once

#include "kiv/engine/KivRandom.h"
#include "kiv/engine/PlayingCard.h"

#include <array>

namespace kiv {

// An ordered list of card numbers. Positions are 0-based. It never holds more
// than the 32 cards, so it lives in a fixed array and never allocates.
// Asking for a position beyond the end is a programming error and throws
// std::out_of_range.
class CardList {
public:
    int Count() const { return count_; }
    bool Empty() const { return count_ == 0; }
    void Clear() { count_ = 0; }

    void Append(int number);                 // at the end
    void InsertAt(int position, int number); // before position (Count() appends)
    void InsertSorted(int number);           // before the first element not less than it
    int RemoveAt(int position);              // returns the removed number
    int PositionOf(int number) const;        // -1 when absent
    int At(int position) const;              // number at a position
    bool Contains(int number) const { return PositionOf(number) >= 0; }
    int Last() const { return count_ ? items_[count_ - 1] : -1; }

    const int* begin() const { return items_.data(); }
    const int* end() const { return items_.data() + count_; }

private:
    std::array<int, kCardCount> items_{};
    int count_ = 0;
};

// A seat's cards, always in ascending card number (Karo, Herz, Pik, Kreuz,
// each from Sieben to As).
class Hand : public CardList {
public:
    void Add(int number) { InsertSorted(number); }
    // Removing a number the hand does not hold is a programming error
    // (throws std::logic_error).
    void Remove(int number);
};

// The stock and the discard pile.
class CardPile {
public:
    CardList cards;
    int x = 0, y = 0;      // screen position of the 71 × 96 rectangle
    bool drawable = false; // the stock may be drawn from

    int Count() const { return cards.Count(); }
    bool Empty() const { return cards.Empty(); }
    void Push(int number) { cards.Append(number); }
    int Top() const { return cards.Last(); } // -1 when empty
    // Removes a random card: -1 when empty; with one card that card, without
    // consulting the generator; otherwise position Between(1, count).
    int TakeRandom(KivRandom& random);
    int RemoveNumber(int number); // returns the number, or -1 when absent
    bool HitTest(int px, int py) const {
        return px >= x && px <= x + kCardWidth && py >= y && py <= y + kCardHeight;
    }
};

} // namespace kiv

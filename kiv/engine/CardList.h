#pragma once

#include "kiv/engine/KivRandom.h"
#include "kiv/engine/PlayingCard.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace kiv {

// An ordered list of card numbers. Positions are 0-based. It never holds more
// than the 32 cards, so it lives in a fixed array and never allocates.
// Asking for a position beyond the end is a programming error and throws
// std::out_of_range.
//
// Every draw, deal and lay goes through these, so they are defined here where
// the compiler can inline them; the throwing lies out of line.
class CardList {
public:
    int Count() const { return count_; }
    bool Empty() const { return count_ == 0; }
    void Clear() { count_ = 0; }

    // At the end.
    void Append(int number) { InsertAt(count_, number); }
    // Before position (Count() appends).
    void InsertAt(int position, int number) {
        const int count = count_;
        if (position < 0 || position > count || count == kCardCount) {
            ThrowOutOfRange("CardList::InsertAt");
        }
        // The cards from the position on move back in blocks of four, the
        // last block first and the first one starting at the position, so
        // each is read before anything is written over it; the last block
        // may move spare slots too.
        if (position < count) {
            for (int i = position + (count - 1 - position) / kBlock * kBlock; i >= position;
                 i -= kBlock) {
                MoveBlock(i, i + 1);
            }
        }
        items_[position] = number;
        count_ = count + 1;
    }
    // Before the first element not less than it.
    void InsertSorted(int number) {
        int position = 0;
        while (position < count_ && items_[position] < number) {
            ++position;
        }
        InsertAt(position, number);
    }
    // Returns the removed number.
    int RemoveAt(int position) {
        const int count = count_;
        if (position < 0 || position >= count) {
            ThrowOutOfRange("CardList::RemoveAt");
        }
        const int number = items_[position];
        // The cards behind move forward in blocks of four, each read before
        // anything is written over it; a block that reaches past the end
        // moves the spare slots too.
        for (int i = position; i + 1 < count; i += kBlock) {
            MoveBlock(i + 1, i);
        }
        count_ = count - 1;
        return number;
    }
    // -1 when absent.
    int PositionOf(int number) const {
        for (int i = 0; i < count_; ++i) {
            if (items_[i] == number) {
                return i;
            }
        }
        return -1;
    }
    // Number at a position.
    int At(int position) const {
        if (position < 0 || position >= count_) {
            ThrowOutOfRange("CardList::At");
        }
        return items_[position];
    }
    bool Contains(int number) const { return PositionOf(number) >= 0; }
    int Last() const { return count_ ? items_[count_ - 1] : -1; }
    // Bit n − 1 set for each card n 1..32 in the list; other numbers leave no bit.
    std::uint32_t Mask() const {
        std::uint32_t mask = 0;
        for (int number : *this) {
            mask |= IsCardNumber(number) ? std::uint32_t{1} << (number - 1) : 0;
        }
        return mask;
    }

    const int* begin() const { return items_.data(); }
    const int* end() const { return items_.data() + count_; }

private:
    [[noreturn]] static void ThrowOutOfRange(const char* what);

    // Moving a list's cards by one place costs a library call if done card by
    // card (the compiler makes one of the loop); in blocks it is one load and
    // one store each.
    static constexpr int kBlock = 4;
    void MoveBlock(int from, int to) {
        std::array<int, kBlock> block;
        std::memcpy(block.data(), &items_[from], sizeof block);
        std::memcpy(&items_[to], block.data(), sizeof block);
    }

    // Room for the last block an insertion or a removal moves.
    std::array<int, kCardCount + kBlock> items_{};
    int count_ = 0;
};

// A seat's cards, always in ascending card number (Karo, Herz, Pik, Kreuz,
// each from Sieben to As). Cards only come in through Add, so the first card
// of a kind in the hand is also the lowest-numbered one. The hand keeps the
// mask of its cards up to date for the computer, which asks for it every turn.
// While the hand holds only cards, each once (always, in a game), a card's
// position is the number of cards below it in the mask, so adding and
// removing need not search the list.
class Hand : private CardList {
public:
    using CardList::At;
    using CardList::begin;
    using CardList::Contains;
    using CardList::Count;
    using CardList::Empty;
    using CardList::end;
    using CardList::Last;
    using CardList::PositionOf;

    void Clear() {
        CardList::Clear();
        mask_ = 0;
        exact_ = true;
    }
    void Add(int number) {
        const std::uint32_t bit = BitOf(number);
        if (exact_ && bit != 0 && (mask_ & bit) == 0) {
            InsertAt(CountBits(mask_ & (bit - 1)), number);
        } else {
            InsertSorted(number);
            exact_ = false;
        }
        mask_ |= bit;
    }
    // Removing a number the hand does not hold is a programming error
    // (throws std::logic_error).
    void Remove(int number) {
        if (exact_) {
            const std::uint32_t bit = BitOf(number);
            if ((mask_ & bit) == 0) {
                ThrowNotInHand();
            }
            CardList::RemoveAt(CountBits(mask_ & (bit - 1)));
            mask_ &= ~bit;
            return;
        }
        const int position = PositionOf(number);
        if (position < 0) {
            ThrowNotInHand();
        }
        RemoveAt(position);
    }
    // Returns the removed number.
    int RemoveAt(int position) {
        const int number = CardList::RemoveAt(position);
        // A number held twice keeps its bit while a copy is left.
        mask_ = exact_ ? mask_ & ~BitOf(number) : CardList::Mask();
        return number;
    }
    // The hand's cards as CardList::Mask() gives them.
    std::uint32_t Mask() const { return mask_; }

private:
    static std::uint32_t BitOf(int number) {
        return IsCardNumber(number) ? std::uint32_t{1} << (number - 1) : 0;
    }
    // The bits set; written out because std::popcount becomes a library call
    // unless the build may assume the processor's instruction.
    static int CountBits(std::uint32_t v) {
        v = v - ((v >> 1) & 0x55555555u);
        v = (v & 0x33333333u) + ((v >> 2) & 0x33333333u);
        return static_cast<int>((((v + (v >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24);
    }
    [[noreturn]] static void ThrowNotInHand();

    std::uint32_t mask_ = 0;
    bool exact_ = true; // only cards, each once, were added since the last Clear
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
    int TakeRandom(KivRandom& random) {
        const int count = cards.Count();
        if (count == 0) {
            return -1;
        }
        const int position = count == 1 ? 1 : random.Between(1, count);
        return cards.RemoveAt(position - 1);
    }
    // Returns the number, or -1 when absent.
    int RemoveNumber(int number) {
        const int position = cards.PositionOf(number);
        if (position < 0) {
            return -1;
        }
        return cards.RemoveAt(position);
    }
    bool HitTest(int px, int py) const {
        return px >= x && px <= x + kCardWidth && py >= y && py <= y + kCardHeight;
    }
};

} // namespace kiv

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
            mask |= CardBit(number);
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
// of a kind in the hand is also the lowest-numbered one.
//
// While the hand holds only cards, each once (always, in a game), the mask of
// its cards (bit n − 1 for card n) is the hand: a card comes and goes as one
// bit, the computer asks its questions of the mask every turn, and the list
// of numbers is written out from the mask only when someone walks through the
// hand (the window and the scoring, not the turns). Anything else (a number
// twice, a number that is no card) turns the hand into a plain sorted list.
class Hand {
public:
    int Count() const { return count_; }
    bool Empty() const { return count_ == 0; }

    void Clear() {
        list_.Clear();
        mask_ = 0;
        count_ = 0;
        exact_ = true;
        listStale_ = false;
    }
    void Add(int number) {
        const std::uint32_t bit = CardBit(number);
        if (exact_ && bit != 0 && (mask_ & bit) == 0) {
            mask_ |= bit;
            listStale_ = true;
        } else {
            WriteOutList();
            list_.InsertSorted(number);
            exact_ = false;
            mask_ |= bit;
        }
        ++count_;
    }
    // Removing a number the hand does not hold is a programming error
    // (throws std::logic_error).
    void Remove(int number) {
        if (exact_) {
            const std::uint32_t bit = CardBit(number);
            if ((mask_ & bit) == 0) {
                ThrowNotInHand();
            }
            mask_ &= ~bit;
            --count_;
            listStale_ = true;
            return;
        }
        const int position = list_.PositionOf(number);
        if (position < 0) {
            ThrowNotInHand();
        }
        RemoveAt(position);
    }
    // Returns the removed number. Throws std::out_of_range beyond the end.
    int RemoveAt(int position) {
        if (exact_) {
            const int number = At(position);
            mask_ &= ~CardBit(number);
            --count_;
            listStale_ = true;
            return number;
        }
        const int number = list_.RemoveAt(position);
        // A number held twice keeps its bit while a copy is left.
        mask_ = list_.Mask();
        --count_;
        return number;
    }
    // Number at a position; throws std::out_of_range beyond the end.
    int At(int position) const {
        if (!exact_) {
            return list_.At(position);
        }
        if (position < 0 || position >= count_) {
            ThrowOutOfRange();
        }
        std::uint32_t rest = mask_;
        for (int i = 0; i < position; ++i) {
            rest &= rest - 1; // the lowest card off
        }
        return LowestCardIn(rest);
    }
    // -1 when absent.
    int PositionOf(int number) const {
        if (!exact_) {
            return list_.PositionOf(number);
        }
        const std::uint32_t bit = CardBit(number);
        return (mask_ & bit) != 0 ? CardsInMask(mask_ & (bit - 1)) : -1;
    }
    bool Contains(int number) const { return PositionOf(number) >= 0; }
    // The highest card; -1 when empty.
    int Last() const {
        if (!exact_) {
            return list_.Last();
        }
        return mask_ != 0 ? 32 - std::countl_zero(mask_) : -1;
    }
    // The hand's cards as CardList::Mask() gives them.
    std::uint32_t Mask() const { return mask_; }
    // How many of the hand's numbers are cards of `cards` (a mask); a card
    // held twice counts twice.
    int CountIn(std::uint32_t cards) const {
        if (exact_) {
            return CardsInMask(mask_ & cards);
        }
        int count = 0;
        for (int number : list_) {
            count += (CardBit(number) & cards) != 0 ? 1 : 0;
        }
        return count;
    }

    // Walking the hand writes its list out first; the hand must not change
    // during the walk.
    const int* begin() const {
        WriteOutList();
        return list_.begin();
    }
    const int* end() const {
        WriteOutList();
        return list_.end();
    }

private:
    // The list from the mask, while the hand is exact and the list behind.
    void WriteOutList() const {
        if (!listStale_) {
            return;
        }
        list_.Clear();
        for (std::uint32_t rest = mask_; rest != 0; rest &= rest - 1) {
            list_.Append(LowestCardIn(rest));
        }
        listStale_ = false;
    }
    [[noreturn]] static void ThrowNotInHand();
    [[noreturn]] static void ThrowOutOfRange();

    // Written out from the mask on demand while exact_, the hand itself otherwise.
    mutable CardList list_;
    mutable bool listStale_ = false;
    std::uint32_t mask_ = 0;
    int count_ = 0;
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

#include "kiv/engine/CardList.h"

#include <stdexcept>

namespace kiv {

void CardList::Append(int number) {
    InsertAt(count_, number);
}

void CardList::InsertAt(int position, int number) {
    if (position < 0 || position > count_ || count_ == kCardCount) {
        throw std::out_of_range("CardList::InsertAt");
    }
    for (int i = count_; i > position; --i) {
        items_[i] = items_[i - 1];
    }
    items_[position] = number;
    ++count_;
}

void CardList::InsertSorted(int number) {
    int position = 0;
    while (position < count_ && items_[position] < number) {
        ++position;
    }
    InsertAt(position, number);
}

int CardList::RemoveAt(int position) {
    if (position < 0 || position >= count_) {
        throw std::out_of_range("CardList::RemoveAt");
    }
    const int number = items_[position];
    for (int i = position; i + 1 < count_; ++i) {
        items_[i] = items_[i + 1];
    }
    --count_;
    return number;
}

int CardList::PositionOf(int number) const {
    for (int i = 0; i < count_; ++i) {
        if (items_[i] == number) {
            return i;
        }
    }
    return -1;
}

int CardList::At(int position) const {
    if (position < 0 || position >= count_) {
        throw std::out_of_range("CardList::At");
    }
    return items_[position];
}

void Hand::Remove(int number) {
    const int position = PositionOf(number);
    if (position < 0) {
        throw std::logic_error("Hand::Remove: card not in hand");
    }
    RemoveAt(position);
}

int CardPile::TakeRandom(KivRandom& random) {
    const int count = cards.Count();
    if (count == 0) {
        return -1;
    }
    const int position = count == 1 ? 1 : random.Between(1, count);
    return cards.RemoveAt(position - 1);
}

int CardPile::RemoveNumber(int number) {
    const int position = cards.PositionOf(number);
    if (position < 0) {
        return -1;
    }
    return cards.RemoveAt(position);
}

} // namespace kiv

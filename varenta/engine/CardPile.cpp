#include "varenta/engine/CardPile.h"

#include <algorithm>

namespace varenta {

CardPile& CardPile::operator=(const CardPile& other) {
    if (this == &other) {
        return *this;
    }
    std::copy_n(other.cards.begin(), other.count, cards.begin());
    count = other.count;
    columns = other.columns;
    return *this;
}

bool CardPile::Append(const Card& card) {
    if (Full()) {
        return false;
    }
    cards[count] = card;
    ++count;
    return true;
}

Card CardPile::PopTop() {
    if (count == 0) {
        return Card{}; // code 0: no card
    }
    --count;
    return cards[count];
}

Card CardPile::RemoveAt(int index) {
    const Card removed = cards[static_cast<std::size_t>(index)];
    for (int i = index; i + 1 < count; ++i) {
        cards[static_cast<std::size_t>(i)] = cards[static_cast<std::size_t>(i + 1)];
    }
    --count;
    return removed;
}

Card CardPile::RemoveAndUnplace(int index, int column, bool downward, bool squared) {
    const Card removed = RemoveAt(index);
    if (squared || column < 0 || column >= kColumns) {
        return removed;
    }
    const int step = downward ? kStep : -kStep;
    columns[static_cast<std::size_t>(column)].y -= step;
    for (int i = 0; i < count; ++i) {
        Card& c = cards[static_cast<std::size_t>(i)];
        if (c.x != removed.x) {
            continue;
        }
        const bool beyond = downward ? c.y > removed.y : c.y < removed.y;
        if (beyond) {
            c.y -= step;
        }
    }
    return removed;
}

int CardPile::FindByCode(int code) const {
    for (int i = 0; i < count; ++i) {
        if (cards[static_cast<std::size_t>(i)].code == code) {
            return i;
        }
    }
    return -1;
}

int CardPile::FindLastByCode(int code) const {
    for (int i = count - 1; i >= 0; --i) {
        if (cards[static_cast<std::size_t>(i)].code == code) {
            return i;
        }
    }
    return -1;
}

void CardPile::PlaceInColumn(Card& card, bool downward, bool squared) {
    PlaceInColumnAt(card, card.rank, downward, squared);
}

void CardPile::PlaceInColumnAt(Card& card, int column, bool downward, bool squared) {
    ColumnAnchor& anchor = columns[static_cast<std::size_t>(column)];
    card.x = anchor.x;
    if (!squared) {
        anchor.y += downward ? kStep : -kStep;
    }
    card.y = anchor.y;
}

void CardPile::SetAnchors(int leftMargin, int columnWidth, int row) {
    for (int c = 0; c < kColumns; ++c) {
        columns[static_cast<std::size_t>(c)] = ColumnAnchor{leftMargin + c * columnWidth, row};
    }
}

int CardPile::CountInColumn(int column) const {
    const int x = columns[static_cast<std::size_t>(column)].x;
    int n = 0;
    for (int i = 0; i < count; ++i) {
        if (cards[static_cast<std::size_t>(i)].x == x) {
            ++n;
        }
    }
    return n;
}

} // namespace varenta

#pragma once

#include <array>
#include <cstdint>

#include "varenta/engine/Card.h"

namespace varenta {

// Next placement position of one table column of a pile.
struct ColumnAnchor {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const ColumnAnchor&) const = default;
};

// Every heap of cards on the table: a fixed array as large as the whole deck,
// so no pile can overflow and nothing is allocated while playing.
class CardPile {
public:
    static constexpr int kStep = 12; // pixels between stacked cards of a column

    std::array<Card, kDeckSize> cards{};
    std::uint8_t count = 0;
    std::array<ColumnAnchor, kColumns> columns{};

    CardPile() = default;
    CardPile(const CardPile&) = default;
    // Copies the cards in the pile and the anchors; the slots above the top
    // are never read, so they are left as they were. A table copy (undo point,
    // the computer's rehearsal) then moves what lies on the table, not the
    // whole deck's room of every pile.
    CardPile& operator=(const CardPile& other);

    bool Empty() const { return count == 0; }
    bool Full() const { return count >= kDeckSize; }
    int Size() const { return count; }
    Card& operator[](int i) { return cards[static_cast<std::size_t>(i)]; }
    const Card& operator[](int i) const { return cards[static_cast<std::size_t>(i)]; }
    Card& Top() { return cards[static_cast<std::size_t>(count - 1)]; }
    const Card& Top() const { return cards[static_cast<std::size_t>(count - 1)]; }

    // Empties the pile; the column anchors are kept.
    void Clear() { count = 0; }
    // Lays the card on top. Returns false (and changes nothing) when full.
    bool Append(const Card& card);
    // Takes the top card off; an empty pile gives a card with code 0.
    Card PopTop();
    // Takes the card at index out; later cards move down one place.
    Card RemoveAt(int index);
    // Takes the card at index out and closes its column: unless the column is
    // squared, the column's anchor goes back one step and every remaining card
    // of that column (same x) lying beyond the removed one moves back a step.
    // column is the table column the card lies in; downward says the column
    // grows towards larger y.
    Card RemoveAndUnplace(int index, int column, bool downward, bool squared);
    // Index of the first card with that code, or -1.
    int FindByCode(int code) const;
    // Index of the last card with that code, or -1.
    int FindLastByCode(int code) const;
    // Positions the card in the column of its rank (see PlaceInColumnAt).
    void PlaceInColumn(Card& card, bool downward, bool squared);
    // Positions the card in column c: x from the anchor; unless squared the
    // anchor's y advances one step (down or up) and the card takes that y;
    // squared leaves the anchor and gives the card the anchor's y.
    void PlaceInColumnAt(Card& card, int column, bool downward, bool squared);
    // Sets every anchor: x = leftMargin + c * columnWidth, y = row.
    void SetAnchors(int leftMargin, int columnWidth, int row);
    // Number of cards whose x is that of column c's anchor.
    int CountInColumn(int column) const;
};

} // namespace varenta

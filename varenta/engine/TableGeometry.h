#pragma once

#include <cstdint>

namespace varenta {

// Table geometry of one window layout: where the stock, the pile, the hands and
// the meld areas lie. A pure computation; the window recomputes it whenever the
// layout or its client width changes.
struct TableGeometry {
    static constexpr int kLayouts = 4;
    static constexpr int kColumnsPerRow = 14;
    static constexpr int kLeftMargin = 3;
    static constexpr int kOpponentHandY = 5;
    static constexpr int kOpponentSpacingHidden = 10;
    static constexpr int kOpponentSpacingShown = 12;

    int layout = 0; // 0 "640x480", 1 "800x600", 2 "1024x768", 3 "1280x1024"
    int tableWidth = 640;
    int tableHeight = 480;
    int cardWidth = 42;
    int cardHeight = 65;
    int clientWidth = 640;

    int leftMargin = kLeftMargin;
    int columnWidth = 45;
    int middle = 0;
    int stockRow = 0;
    int discardRow = 0;
    int playerMeldRow = 0;
    int opponentMeldRow = 0;
    int handRow = 0;

    // Geometry of a layout (0..3; anything else is taken as 0). The column
    // width follows the client width; a clientWidth <= 0 means the layout's
    // full table width.
    static TableGeometry ForLayout(int layout, int clientWidth = 0);

    // x of the left edge of column c.
    int ColumnX(int column) const { return leftMargin + column * columnWidth; }
    // Column of a card whose left edge is at x.
    int ColumnOf(int x) const { return (x - leftMargin) / columnWidth; }
    // y of the cards of a complete seven-card meld.
    int PlayerSquaredRow() const { return playerMeldRow + 12; }
    int OpponentSquaredRow() const { return opponentMeldRow - 12; }
};

// TableGeometry::ColumnOf for many cards in a row: the division by the column
// width becomes a multiplication by its reciprocal, fixed point with 40
// fraction bits. That is exact for every distance from the margin below 2^24
// and every width below 2^16 (the error of the reciprocal, at most width / 2^40
// per unit of distance, never reaches the next whole column); anything else
// (a card left of the margin, a degenerate width) is divided as before. The
// computer counts every meld card's column several times per move.
class ColumnFinder {
public:
    explicit ColumnFinder(const TableGeometry& geometry)
        : geometry_(geometry),
          reciprocal_(geometry.columnWidth > 0 && geometry.columnWidth < kMaxWidth
                          ? (std::uint64_t{1} << kShift) /
                                    static_cast<std::uint64_t>(geometry.columnWidth) +
                                1
                          : 0) {}

    int operator()(int x) const {
        const std::int64_t distance = std::int64_t{x} - geometry_.leftMargin;
        if (reciprocal_ != 0 && distance >= 0 && distance < kMaxDistance) {
            return static_cast<int>((static_cast<std::uint64_t>(distance) * reciprocal_) >> kShift);
        }
        return geometry_.ColumnOf(x);
    }

private:
    static constexpr int kShift = 40;
    static constexpr std::int64_t kMaxDistance = std::int64_t{1} << 24;
    static constexpr int kMaxWidth = 1 << 16;

    const TableGeometry& geometry_;
    std::uint64_t reciprocal_;
};

// Layout names as stored in the settings ("640x480" ...); "" outside 0..3.
const char* LayoutName(int layout);

} // namespace varenta

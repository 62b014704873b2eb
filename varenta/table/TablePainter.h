// Paints the whole table from the game state, in a fixed order: stock, pile,
// the opponent's hand, both meld areas, the player's hand, the middle band,
// the counters and the labels of completed seven-card melds.
#pragma once

#include "varenta/engine/GameState.h"
#include "varenta/engine/TableGeometry.h"
#include "varenta/table/CardImages.h"

#include <QColor>
#include <QPainter>
#include <QPoint>
#include <QRect>

#include <optional>
#include <vector>

namespace varenta {

// A card in flight: drawn over the table at its own position; the copies of
// that card at its start and its end are not drawn meanwhile.
struct MovingCard {
    int imageIndex = 0; // into the CardImageList
    int code = 0;
    QPoint from;
    QPoint to;
    QPoint at;
    bool inverted = false; // the flash of a drawn or taken card
};

struct TablePicture {
    const GameState* state = nullptr;
    const TableGeometry* geometry = nullptr;
    const CardImageList* images = nullptr;
    qreal imageDensity = 1.0; // device pixels per pixel the images are drawn for
    QColor background;
    std::optional<MovingCard> moving;
};

// The contrast ratio of two colours, from 1 (the same) to 21 (black on white).
double Contrast(const QColor& a, const QColor& b);
// The colour of the stock and pile counts (and the frozen pile's star) on a
// table of this colour.
QColor CounterInk(const QColor& table);

// Image index of a card: its face when face up, else its deck's back.
int CardImageIndex(const Card& card);

void PaintTable(QPainter& p, const TablePicture& picture);

// Where the opponent's card at hand index i is drawn: the hand is shown
// grouped by rank, so the drawn place differs from the card's own x.
std::vector<QPoint> OpponentHandPlaces(const GameState& state, const TableGeometry& geometry);

// Rectangle of the Varenta label of a meld column of either side.
QRect VarentaLabelRect(const TableGeometry& geometry, int column, bool player, int lineHeight);

// The label lines of a column's Varenta ("Mixed" / "4/3", "Natural", "Wild" / "card").
QStringList VarentaLabelLines(int kind, int naturals, int cardsInColumn);

} // namespace varenta

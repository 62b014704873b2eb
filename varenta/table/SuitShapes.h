// The four suit symbols as vector shapes, so they stay crisp at every card size.
#pragma once

#include <QPainter>
#include <QPainterPath>
#include <QRectF>

namespace varenta {

// Suit 0 spade, 1 club, 2 diamond, 3 heart; the shape fills the unit square.
QPainterPath SuitPath(int suit);

// Fills the suit symbol into box, red for diamonds and hearts, black otherwise.
void PaintSuit(QPainter& p, int suit, const QRectF& box);

} // namespace varenta

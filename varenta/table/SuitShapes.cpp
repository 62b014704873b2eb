#include "varenta/table/SuitShapes.h"

#include <QTransform>

namespace varenta {

namespace {

void AddCircle(QPainterPath& path, qreal cx, qreal cy, qreal r) {
    path.addEllipse(QPointF(cx, cy), r, r);
}

void AddTriangle(QPainterPath& path, QPointF a, QPointF b, QPointF c) {
    QPainterPath triangle;
    triangle.moveTo(a);
    triangle.lineTo(b);
    triangle.lineTo(c);
    triangle.closeSubpath();
    path = path.united(triangle);
}

} // namespace

QPainterPath SuitPath(int suit) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    switch (suit) {
    case 0: // spade: an upside-down heart on a stem
        AddCircle(path, 0.28, 0.56, 0.23);
        AddCircle(path, 0.72, 0.56, 0.23);
        path = path.simplified();
        AddTriangle(path, {0.06, 0.5}, {0.94, 0.5}, {0.5, 0.0});
        AddTriangle(path, {0.5, 0.55}, {0.3, 1.0}, {0.7, 1.0});
        break;
    case 1: // club: three leaves on a stem
        AddCircle(path, 0.5, 0.25, 0.22);
        AddCircle(path, 0.25, 0.58, 0.22);
        AddCircle(path, 0.75, 0.58, 0.22);
        path = path.simplified();
        AddTriangle(path, {0.5, 0.4}, {0.32, 1.0}, {0.68, 1.0});
        break;
    case 2: // diamond
        path.moveTo(0.5, 0.0);
        path.lineTo(0.88, 0.5);
        path.lineTo(0.5, 1.0);
        path.lineTo(0.12, 0.5);
        path.closeSubpath();
        break;
    default: // heart
        AddCircle(path, 0.28, 0.3, 0.24);
        AddCircle(path, 0.72, 0.3, 0.24);
        path = path.simplified();
        AddTriangle(path, {0.05, 0.38}, {0.95, 0.38}, {0.5, 0.98});
        break;
    }
    return path;
}

void PaintSuit(QPainter& p, int suit, const QRectF& box) {
    QTransform toBox;
    toBox.translate(box.left(), box.top());
    toBox.scale(box.width(), box.height());
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush((suit == 2 || suit == 3) ? QColor(200, 0, 0) : QColor(20, 20, 20));
    p.drawPath(toBox.map(SuitPath(suit)));
    p.restore();
}

} // namespace varenta

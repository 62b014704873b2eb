#include "varenta/table/CardPatterns.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace varenta {

namespace {

constexpr qreal kPi = std::numbers::pi;

void Beach(QPainter& p, const QRectF& a) {
    QLinearGradient sky(a.topLeft(), QPointF(a.left(), a.center().y()));
    sky.setColorAt(0, QColor(90, 170, 240));
    sky.setColorAt(1, QColor(190, 225, 250));
    p.fillRect(QRectF(a.left(), a.top(), a.width(), a.height() * 0.5), sky);
    p.fillRect(QRectF(a.left(), a.top() + a.height() * 0.5, a.width(), a.height() * 0.22),
               QColor(20, 110, 190));
    p.fillRect(QRectF(a.left(), a.top() + a.height() * 0.72, a.width(), a.height() * 0.28),
               QColor(235, 205, 140));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 40));
    const qreal r = a.width() * 0.14;
    p.drawEllipse(QPointF(a.left() + a.width() * 0.72, a.top() + a.height() * 0.2), r, r);
    p.setPen(QPen(QColor(240, 250, 255), 1));
    for (int i = 0; i < 3; ++i) {
        const qreal y = a.top() + a.height() * (0.56 + 0.05 * i);
        p.drawLine(QPointF(a.left() + a.width() * 0.15 * (i + 1), y),
                   QPointF(a.left() + a.width() * (0.15 * (i + 1) + 0.2), y));
    }
}

void FishShape(QPainter& p, QPointF c, qreal len, const QColor& colour, bool left) {
    p.save();
    p.translate(c);
    if (left) {
        p.scale(-1, 1);
    }
    QPainterPath body;
    body.addEllipse(QPointF(0, 0), len * 0.35, len * 0.18);
    QPainterPath tail;
    tail.moveTo(-len * 0.3, 0);
    tail.lineTo(-len * 0.55, -len * 0.16);
    tail.lineTo(-len * 0.55, len * 0.16);
    tail.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(body.united(tail));
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(len * 0.2, -len * 0.04), len * 0.04, len * 0.04);
    p.restore();
}

void Fish(QPainter& p, const QRectF& a, bool second) {
    p.fillRect(a, second ? QColor(0, 70, 110) : QColor(30, 120, 170));
    const qreal len = a.width() * (second ? 0.42 : 0.5);
    const int rows = second ? 5 : 4;
    for (int row = 0; row < rows; ++row) {
        const qreal y = a.top() + a.height() * (row + 0.5) / rows;
        const qreal x = a.left() + a.width() * ((row % 2 == 0) ? 0.38 : 0.62);
        const QColor colour = second ? QColor(255, 140 + 20 * row, 0) : QColor(250, 200, 40);
        FishShape(p, QPointF(x, y), len, colour, second && row % 2 == 1);
    }
    p.setPen(QPen(QColor(200, 235, 255), 1));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        p.drawEllipse(QPointF(a.left() + a.width() * (0.1 + 0.25 * i),
                              a.top() + a.height() * (0.1 + 0.22 * i)),
                      1.5, 1.5);
    }
}

void Leaf(QPainter& p, QPointF c, qreal len, qreal angle, const QColor& colour) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    QPainterPath leaf;
    leaf.moveTo(-len / 2, 0);
    leaf.quadTo(0, -len * 0.35, len / 2, 0);
    leaf.quadTo(0, len * 0.35, -len / 2, 0);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(leaf);
    p.setPen(QPen(colour.darker(150), 0.8));
    p.drawLine(QPointF(-len / 2, 0), QPointF(len / 2, 0));
    p.restore();
}

void Leaves(QPainter& p, const QRectF& a, bool autumn) {
    p.fillRect(a, autumn ? QColor(110, 60, 20) : QColor(230, 240, 200));
    const qreal len = a.width() * 0.4;
    int n = 0;
    for (qreal y = a.top(); y < a.bottom() + len / 2; y += len * 0.55) {
        for (qreal x = a.left(); x < a.right() + len / 2; x += len * 0.7) {
            const QColor colour = autumn ? QColor(220, 100 + (n * 37) % 120, 20)
                                         : QColor(40, 120 + (n * 29) % 90, 40);
            Leaf(p, QPointF(x + ((n % 2) ? len * 0.3 : 0), y), len, (n * 47) % 180, colour);
            ++n;
        }
    }
}

void Lattice(QPainter& p, const QRectF& a) {
    p.fillRect(a, QColor(0, 40, 130));
    const qreal step = a.width() / 4;
    p.setPen(QPen(QColor(230, 230, 255), 1));
    for (qreal d = -a.height(); d < a.width() + a.height(); d += step) {
        p.drawLine(QPointF(a.left() + d, a.top()), QPointF(a.left() + d + a.height(), a.bottom()));
        p.drawLine(QPointF(a.left() + d, a.bottom()), QPointF(a.left() + d + a.height(), a.top()));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 200, 60));
    for (qreal y = a.top(); y <= a.bottom(); y += step) {
        for (qreal x = a.left(); x <= a.right(); x += step) {
            p.drawEllipse(QPointF(x, y), 1.5, 1.5);
        }
    }
}

void Rings(QPainter& p, const QRectF& a) {
    p.fillRect(a, QColor(150, 20, 30));
    const qreal step = a.width() / 3;
    p.setBrush(Qt::NoBrush);
    for (qreal y = a.top() + step / 2; y < a.bottom() + step; y += step) {
        for (qreal x = a.left() + step / 2; x < a.right() + step; x += step) {
            p.setPen(QPen(QColor(255, 230, 200), 1));
            p.drawEllipse(QPointF(x, y), step * 0.42, step * 0.42);
            p.setPen(QPen(QColor(255, 170, 80), 1));
            p.drawEllipse(QPointF(x, y), step * 0.22, step * 0.22);
        }
    }
}

void Robot(QPainter& p, const QRectF& a) {
    p.fillRect(a, QColor(40, 40, 60));
    const qreal w = a.width();
    const qreal h = a.height();
    const QColor metal(180, 190, 200);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(metal);
    const QRectF head(a.left() + w * 0.28, a.top() + h * 0.14, w * 0.44, h * 0.2);
    p.drawRect(head);
    p.drawRect(QRectF(a.left() + w * 0.22, a.top() + h * 0.38, w * 0.56, h * 0.32));
    p.drawRect(QRectF(a.left() + w * 0.3, a.top() + h * 0.72, w * 0.14, h * 0.18));
    p.drawRect(QRectF(a.left() + w * 0.56, a.top() + h * 0.72, w * 0.14, h * 0.18));
    p.drawRect(QRectF(a.left() + w * 0.08, a.top() + h * 0.4, w * 0.12, h * 0.24));
    p.drawRect(QRectF(a.left() + w * 0.8, a.top() + h * 0.4, w * 0.12, h * 0.24));
    p.setBrush(QColor(255, 60, 60));
    p.drawEllipse(QPointF(head.left() + head.width() * 0.3, head.center().y()), w * 0.05, w * 0.05);
    p.drawEllipse(QPointF(head.left() + head.width() * 0.7, head.center().y()), w * 0.05, w * 0.05);
    p.drawLine(QPointF(head.center().x(), head.top()),
               QPointF(head.center().x(), a.top() + h * 0.06));
    p.setBrush(QColor(80, 200, 120));
    p.drawRect(QRectF(a.left() + w * 0.36, a.top() + h * 0.46, w * 0.28, h * 0.1));
}

void Rose(QPainter& p, const QRectF& a) {
    p.fillRect(a, QColor(250, 225, 230));
    const QPointF c = a.center();
    const qreal r = a.width() * 0.36;
    p.setPen(QPen(QColor(30, 110, 30), 2));
    p.drawLine(c, QPointF(c.x(), a.bottom()));
    Leaf(p, QPointF(c.x() - r * 0.5, c.y() + r * 1.3), r, -30, QColor(40, 140, 40));
    Leaf(p, QPointF(c.x() + r * 0.5, c.y() + r * 1.7), r, 30, QColor(40, 140, 40));
    p.setPen(QPen(QColor(120, 0, 30), 1));
    for (int ring = 0; ring < 3; ++ring) {
        const qreal rr = r * (1.0 - ring * 0.3);
        p.setBrush(QColor(220 - ring * 30, 20, 50 + ring * 10));
        for (int petal = 0; petal < 5; ++petal) {
            const qreal angle = 2 * kPi * petal / 5 + ring * 0.6;
            p.drawEllipse(
                QPointF(c.x() + std::cos(angle) * rr * 0.45, c.y() + std::sin(angle) * rr * 0.45),
                rr * 0.5, rr * 0.5);
        }
    }
}

// A scallop: ribs fanning out from the hinge, a wavy rim with one bump per
// rib, and the two small ears either side of the hinge.
void Shell(QPainter& p, const QRectF& a) {
    p.fillRect(a, QColor(40, 150, 160));
    const QPointF hinge(a.center().x(), a.top() + a.height() * 0.7);
    const qreal r = a.width() * 0.44;
    constexpr int kRibs = 9;
    constexpr qreal kFrom = 15;
    constexpr qreal kTo = 165;
    auto rim = [&](qreal degrees, qreal radius) {
        const qreal angle = degrees * kPi / 180;
        return QPointF(hinge.x() + std::cos(angle) * radius, hinge.y() - std::sin(angle) * radius);
    };
    QPainterPath shell;
    shell.moveTo(hinge);
    shell.lineTo(rim(kFrom, r * 0.95));
    const qreal step = (kTo - kFrom) / kRibs;
    for (int i = 0; i < kRibs; ++i) {
        const qreal start = kFrom + i * step;
        shell.quadTo(rim(start + step / 2, r * 1.1), rim(start + step, r * 0.95));
    }
    shell.closeSubpath();
    QRadialGradient shade(hinge, r);
    shade.setColorAt(0, QColor(255, 190, 150));
    shade.setColorAt(1, QColor(250, 225, 200));
    p.setPen(QPen(QColor(150, 80, 40), 1));
    p.setBrush(shade);
    p.drawPath(shell);
    p.setPen(QPen(QColor(190, 110, 70), 0.8));
    for (int i = 0; i <= kRibs; ++i) {
        p.drawLine(hinge, rim(kFrom + i * step, r * 0.93));
    }
    // the ears
    p.setPen(QPen(QColor(150, 80, 40), 1));
    p.setBrush(QColor(240, 170, 130));
    const qreal ear = r * 0.28;
    for (int side = -1; side <= 1; side += 2) {
        QPolygonF wing;
        wing << QPointF(hinge.x(), hinge.y() - ear * 0.2)
             << QPointF(hinge.x() + side * ear, hinge.y() - ear * 0.45)
             << QPointF(hinge.x() + side * ear, hinge.y() + ear * 0.35)
             << QPointF(hinge.x(), hinge.y() + ear * 0.35);
        p.drawPolygon(wing);
    }
}

} // namespace

void PaintPattern(QPainter& p, int pattern, const QRectF& area) {
    switch (pattern) {
    case 0:
        Beach(p, area);
        break;
    case 1:
        Fish(p, area, false);
        break;
    case 2:
        Fish(p, area, true);
        break;
    case 3:
        Leaves(p, area, false);
        break;
    case 4:
        Leaves(p, area, true);
        break;
    case 5:
        Lattice(p, area);
        break;
    case 6:
        Rings(p, area);
        break;
    case 7:
        Robot(p, area);
        break;
    case 8:
        Rose(p, area);
        break;
    default:
        Shell(p, area);
        break;
    }
}

} // namespace varenta

#include "kiv/shell/KivArt.h"

#include <QApplication>
#include <QFont>
#include <QHash>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

namespace kiv {
namespace {

const QColor kRed(200, 16, 32);
const QColor kBlack(20, 20, 20);

// 0..7 for Sieben, Acht, Neun, Zehn, Bube, Dame, König, As.
int RankIndexOfCard(int card) {
    return RankOfCard(card) - kSieben;
}

QColor SuitColour(int suit) {
    return (suit == kKaro || suit == kHerz) ? kRed : kBlack;
}

// The suit symbol filling `r`.
QPainterPath SuitPath(int suit, const QRectF& r) {
    QPainterPath p;
    const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
    auto heart = [&](QPainterPath& path, double top, double bottom) {
        const double mid = x + w / 2;
        path.moveTo(mid, top + 0.28 * (bottom - top));
        path.cubicTo(mid, top - 0.05 * h, x - 0.02 * w, top, x + 0.02 * w,
                     top + 0.38 * (bottom - top));
        path.cubicTo(x + 0.08 * w, top + 0.65 * (bottom - top), mid - 0.1 * w,
                     top + 0.8 * (bottom - top), mid, bottom);
        path.cubicTo(mid + 0.1 * w, top + 0.8 * (bottom - top), x + 0.92 * w,
                     top + 0.65 * (bottom - top), x + 0.98 * w, top + 0.38 * (bottom - top));
        path.cubicTo(x + 1.02 * w, top, mid, top - 0.05 * h, mid, top + 0.28 * (bottom - top));
        path.closeSubpath();
    };
    switch (suit) {
    case kKaro:
        p.moveTo(x + w / 2, y);
        p.lineTo(x + w * 0.9, y + h / 2);
        p.lineTo(x + w / 2, y + h);
        p.lineTo(x + w * 0.1, y + h / 2);
        p.closeSubpath();
        break;
    case kHerz:
        heart(p, y + 0.05 * h, y + h);
        break;
    case kPik: {
        QPainterPath up;
        heart(up, y, y + 0.78 * h);
        QTransform flip;
        flip.translate(0, 2 * y + 0.78 * h);
        flip.scale(1, -1);
        p = flip.map(up);
        QPainterPath stem;
        stem.moveTo(x + w / 2, y + 0.55 * h);
        stem.lineTo(x + w * 0.68, y + h);
        stem.lineTo(x + w * 0.32, y + h);
        stem.closeSubpath();
        p = p.united(stem);
        break;
    }
    case kKreuz: {
        const double rr = w * 0.24;
        p.addEllipse(QPointF(x + w / 2, y + rr), rr, rr);
        p.addEllipse(QPointF(x + w / 2 - rr * 1.05, y + h * 0.52), rr, rr);
        p.addEllipse(QPointF(x + w / 2 + rr * 1.05, y + h * 0.52), rr, rr);
        QPainterPath stem;
        stem.moveTo(x + w / 2, y + 0.4 * h);
        stem.lineTo(x + w * 0.68, y + h);
        stem.lineTo(x + w * 0.32, y + h);
        stem.closeSubpath();
        p = p.united(stem);
        p.setFillRule(Qt::WindingFill);
        break;
    }
    default:
        break;
    }
    return p;
}

void DrawSuit(QPainter& g, int suit, const QRectF& r) {
    g.fillPath(SuitPath(suit, r), SuitColour(suit));
}

// A transparent picture of `size` (in the program's pixels) for a screen with
// `dpr` device pixels to each of them: everything is drawn at the real pixel
// size, so cards, symbols and text stay sharp on a high-density screen.
QPixmap NewPixmap(QSize size, qreal dpr) {
    QPixmap pm(size * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    return pm;
}

QPixmap NewCard(qreal dpr) {
    return NewPixmap(QSize(kCardWidth, kCardHeight), dpr);
}

void CardOutline(QPainter& g, const QColor& fill) {
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(60, 60, 60), 1));
    g.setBrush(fill);
    g.drawRoundedRect(QRectF(0.5, 0.5, kCardWidth - 1, kCardHeight - 1), 4, 4);
}

// Pip centres of the number cards inside the face's middle field.
QList<QPointF> PipCentres(int rankIndex) {
    const double l = 25.5, c = 35.5, r = 45.5;
    const double t = 17, b = 79;
    const double q1 = t + (b - t) / 3, q2 = t + 2 * (b - t) / 3, m = (t + b) / 2;
    QList<QPointF> pts;
    switch (rankIndex) {
    case 0: // Sieben
        pts = {{l, t}, {r, t}, {l, m}, {r, m}, {l, b}, {r, b}, {c, (t + m) / 2}};
        break;
    case 1: // Acht
        pts = {{l, t}, {r, t}, {l, m}, {r, m}, {l, b}, {r, b}, {c, (t + m) / 2}, {c, (m + b) / 2}};
        break;
    case 2: // Neun
        pts = {{l, t}, {r, t}, {l, q1}, {r, q1}, {l, q2}, {r, q2}, {l, b}, {r, b}, {c, m}};
        break;
    case 3: // Zehn
        pts = {{l, t},  {r, t}, {l, q1}, {r, q1},           {l, q2},
               {r, q2}, {l, b}, {r, b},  {c, (t + q1) / 2}, {c, (q2 + b) / 2}};
        break;
    default:
        break;
    }
    return pts;
}

void DrawIndex(QPainter& g, const QString& label, int suit) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    f.setBold(true);
    g.setFont(f);
    g.setPen(SuitColour(suit));
    g.drawText(QRectF(2, 2, 16, 14), Qt::AlignCenter, label);
    DrawSuit(g, suit, QRectF(4.5, 17, 11, 11));
}

void DrawCourt(QPainter& g, int rankIndex, int suit) {
    const QRectF frame(19.5, 12.5, 32, 71);
    QLinearGradient shade(frame.topLeft(), frame.bottomRight());
    const QColor robe = rankIndex == 4   ? QColor(60, 110, 200)
                        : rankIndex == 5 ? QColor(190, 70, 150)
                                         : QColor(220, 170, 40);
    shade.setColorAt(0, robe.lighter(150));
    shade.setColorAt(1, robe);
    g.setPen(QPen(SuitColour(suit), 1.2));
    g.setBrush(shade);
    g.drawRect(frame);
    // A head and shoulders, mirrored like a double-headed court card.
    for (int half = 0; half < 2; ++half) {
        g.save();
        if (half == 1) {
            g.translate(kCardWidth, kCardHeight);
            g.rotate(180);
        }
        g.setPen(QPen(kBlack, 0.8));
        g.setBrush(QColor(250, 220, 190));
        g.drawEllipse(QPointF(35.5, 30), 7, 8);
        g.setBrush(robe.darker(130));
        QPainterPath body;
        body.moveTo(21, 48);
        body.quadTo(35.5, 34, 50, 48);
        body.closeSubpath();
        g.drawPath(body);
        if (rankIndex == 6) { // König: crown
            QPolygonF crown(
                {{29, 23}, {31, 17}, {33.5, 21}, {35.5, 15}, {37.5, 21}, {40, 17}, {42, 23}});
            g.setBrush(QColor(250, 210, 40));
            g.drawPolygon(crown);
        } else if (rankIndex == 5) { // Dame: veil
            g.setBrush(QColor(255, 255, 255, 160));
            g.drawChord(QRectF(27, 19, 17, 14), 0, 180 * 16);
        } else { // Bube: cap with feather
            g.setBrush(QColor(120, 40, 40));
            g.drawRect(QRectF(29, 20, 13, 4));
            g.setPen(QPen(QColor(40, 140, 60), 1.5));
            g.drawLine(QPointF(41, 21), QPointF(46, 15));
        }
        DrawSuit(g, suit, QRectF(21.5, 14.5, 7, 7));
        g.restore();
    }
}

QPixmap DrawFace(int card, qreal dpr) {
    QPixmap pm = NewCard(dpr);
    QPainter g(&pm);
    CardOutline(g, Qt::white);
    const int suit = SuitOfCard(card);
    const int rank = RankIndexOfCard(card);
    static const char* const kLabels[] = {"7", "8", "9", "10", "B", "D", "K", "A"};
    const QString label = QString::fromLatin1(kLabels[rank]);
    DrawIndex(g, label, suit);
    g.save();
    g.translate(kCardWidth, kCardHeight);
    g.rotate(180);
    DrawIndex(g, label, suit);
    g.restore();
    if (rank <= 3) {
        for (const QPointF& c : PipCentres(rank)) {
            g.save();
            if (c.y() > 50) { // pips of the lower half stand upside down
                g.translate(c.x(), c.y());
                g.rotate(180);
                g.translate(-c.x(), -c.y());
            }
            DrawSuit(g, suit, QRectF(c.x() - 5, c.y() - 5.5, 10, 11));
            g.restore();
        }
    } else if (rank == 7) {
        DrawSuit(g, suit, QRectF(20, 32, 31, 33));
    } else {
        DrawCourt(g, rank, suit);
    }
    return pm;
}

QPixmap DrawBack(int id, qreal dpr) {
    QPixmap pm = NewCard(dpr);
    QPainter g(&pm);
    CardOutline(g, Qt::white);
    const QRectF field(4, 4, kCardWidth - 8, kCardHeight - 8);
    g.setClipRect(field);
    switch (id) {
    case 130: { // blue lattice
        g.fillRect(field, QColor(30, 60, 150));
        g.setPen(QPen(QColor(140, 170, 240), 1));
        for (int d = -100; d < 200; d += 8) {
            g.drawLine(d, 0, d + 100, 100);
            g.drawLine(d + 100, 0, d, 100);
        }
        break;
    }
    case 196: { // red with rows of diamonds
        g.fillRect(field, QColor(170, 20, 30));
        for (int row = 0; row < 9; ++row) {
            for (int col = 0; col < 6; ++col) {
                const double x = 4 + col * 11 + (row % 2) * 5.5;
                const double y = 4 + row * 11;
                g.fillPath(SuitPath(kKaro, QRectF(x, y, 10, 10)), QColor(250, 200, 80));
            }
        }
        break;
    }
    case 197: { // green rings
        g.fillRect(field, QColor(20, 110, 60));
        g.setPen(QPen(QColor(200, 240, 200), 1.2));
        g.setBrush(Qt::NoBrush);
        for (int r = 4; r < 60; r += 6) {
            g.drawEllipse(QPointF(35.5, 48), r, r);
        }
        break;
    }
    default: { // 198: purple star with the four suits
        QRadialGradient glow(QPointF(35.5, 48), 50);
        glow.setColorAt(0, QColor(170, 90, 200));
        glow.setColorAt(1, QColor(60, 20, 90));
        g.fillRect(field, glow);
        g.setPen(QPen(QColor(250, 230, 150), 1));
        for (int i = 0; i < 16; ++i) {
            const double a = i * M_PI / 8;
            g.drawLine(QPointF(35.5, 48), QPointF(35.5 + 40 * std::cos(a), 48 + 40 * std::sin(a)));
        }
        const QColor gold(250, 220, 120);
        g.fillPath(SuitPath(kHerz, QRectF(29, 20, 13, 13)), gold);
        g.fillPath(SuitPath(kKaro, QRectF(29, 63, 13, 13)), gold);
        g.fillPath(SuitPath(kPik, QRectF(10, 42, 13, 13)), gold);
        g.fillPath(SuitPath(kKreuz, QRectF(48, 42, 13, 13)), gold);
        break;
    }
    }
    return pm;
}

QPixmap DrawPlaceholder(qreal dpr) {
    QPixmap pm = NewCard(dpr);
    QPainter g(&pm);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(230, 230, 230, 200), 2, Qt::DashLine));
    g.setBrush(QColor(255, 255, 255, 40));
    g.drawRoundedRect(QRectF(2, 2, kCardWidth - 4, kCardHeight - 4), 5, 5);
    g.setPen(QPen(QColor(230, 230, 230, 160), 2));
    g.setBrush(Qt::NoBrush);
    g.drawEllipse(QPointF(35.5, 48), 16, 16);
    return pm;
}

QPixmap DrawCup(const QColor& metal, const QString& number, qreal dpr) {
    QPixmap pm = NewPixmap(QSize(64, 64), dpr);
    QPainter g(&pm);
    g.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shine(0, 0, 64, 0);
    shine.setColorAt(0, metal.darker(140));
    shine.setColorAt(0.4, metal.lighter(150));
    shine.setColorAt(1, metal.darker(160));
    g.setPen(QPen(metal.darker(200), 1.2));
    g.setBrush(shine);
    if (number.isEmpty()) { // the cup of the winner
        QPainterPath bowl;
        bowl.moveTo(14, 8);
        bowl.lineTo(50, 8);
        bowl.cubicTo(50, 30, 42, 38, 32, 38);
        bowl.cubicTo(22, 38, 14, 30, 14, 8);
        g.drawPath(bowl);
        g.setBrush(Qt::NoBrush);
        g.drawArc(QRectF(5, 11, 14, 14), 90 * 16, 180 * 16);
        g.drawArc(QRectF(45, 11, 14, 14), 270 * 16, 180 * 16);
        g.setBrush(shine);
        g.drawRect(QRectF(29, 38, 6, 10));
        g.drawRect(QRectF(20, 48, 24, 7));
    } else { // a medal on a ribbon
        g.setBrush(QColor(40, 80, 180));
        g.drawPolygon(QPolygonF({{22, 2}, {32, 2}, {36, 26}, {28, 26}}));
        g.setBrush(QColor(200, 40, 40));
        g.drawPolygon(QPolygonF({{42, 2}, {32, 2}, {28, 26}, {36, 26}}));
        g.setBrush(shine);
        g.drawEllipse(QPointF(32, 42), 18, 18);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(20);
        f.setBold(true);
        g.setFont(f);
        g.setPen(metal.darker(250));
        g.drawText(QRectF(14, 24, 36, 36), Qt::AlignCenter, number);
    }
    return pm;
}

QPixmap Draw(int id, qreal dpr);

QPixmap DrawFan(qreal dpr) {
    QPixmap pm = NewPixmap(QSize(96, 80), dpr);
    QPainter g(&pm);
    g.setRenderHint(QPainter::Antialiasing);
    g.setRenderHint(QPainter::SmoothPixmapTransform);
    const int cards[] = {32, 16, 8, 24};
    for (int i = 0; i < 4; ++i) {
        g.save();
        g.translate(48, 78);
        g.rotate(-30 + i * 20);
        // Drawn for this fan alone: the fan is drawn at densities the table
        // never uses, whose faces would otherwise stay in the cache.
        const QPixmap face = Draw(136 + cards[i], dpr);
        g.drawPixmap(QRectF(-20, -70, 40, 54), face, QRectF(QPointF(0, 0), face.size()));
        g.restore();
    }
    return pm;
}

QPixmap DrawLogo(qreal dpr) {
    QPixmap pm = NewPixmap(QSize(96, 48), dpr);
    QPainter g(&pm);
    g.setRenderHint(QPainter::Antialiasing);
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPixelSize(19);
    f.setBold(true);
    f.setItalic(true);
    g.setFont(f);
    g.setPen(QColor(0, 100, 0));
    g.drawText(QRectF(0, 0, 96, 48), Qt::AlignCenter, QStringLiteral("Kiv Kiv"));
    return pm;
}

QPixmap Draw(int id, qreal dpr) {
    if (id >= 137 && id <= 168) {
        return DrawFace(id - 136, dpr);
    }
    switch (id) {
    case 130:
    case 196:
    case 197:
    case 198:
        return DrawBack(id, dpr);
    case kPlaceholderBitmapId:
        return DrawPlaceholder(dpr);
    case 190:
        return DrawCup(QColor(230, 180, 30), QString(), dpr);
    case 192:
        return DrawCup(QColor(190, 190, 200), QStringLiteral("2"), dpr);
    case 193:
        return DrawCup(QColor(190, 120, 60), QStringLiteral("3"), dpr);
    case 194:
        return DrawCup(QColor(120, 150, 120), QStringLiteral("4"), dpr);
    case 201:
        return DrawFan(dpr);
    case 202:
        return DrawLogo(dpr);
    default:
        return QPixmap();
    }
}

QPixmap DrawToolIcon(int command, qreal dpr) {
    QPixmap pm = NewPixmap(QSize(24, 24), dpr);
    QPainter g(&pm);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(kBlack, 1));
    switch (command) {
    case 32772: // new game: two fresh cards
        g.setBrush(Qt::white);
        g.drawRoundedRect(QRectF(3, 4, 11, 16), 2, 2);
        g.drawRoundedRect(QRectF(10, 3, 11, 16), 2, 2);
        DrawSuit(g, kHerz, QRectF(12.5, 7, 6, 6));
        break;
    case 32776: // next player: arrow
        g.setBrush(QColor(30, 120, 30));
        g.drawPolygon(QPolygonF({{3, 9}, {13, 9}, {13, 4}, {21, 12}, {13, 20}, {13, 15}, {3, 15}}));
        break;
    case 32777: // ranking: cup
    {
        const QPixmap cup = KivBitmap(190, dpr);
        g.setRenderHint(QPainter::SmoothPixmapTransform);
        g.drawPixmap(QRectF(0, 0, 24, 24), cup, QRectF(QPointF(0, 0), cup.size()));
    } break;
    case 32775: { // settings: a gear
        g.setBrush(QColor(120, 120, 130));
        QPainterPath gear;
        for (int i = 0; i < 8; ++i) {
            g.save();
            g.translate(12, 12);
            g.rotate(i * 45);
            g.drawRect(QRectF(-2, -10, 4, 5));
            g.restore();
        }
        g.drawEllipse(QPointF(12, 12), 7, 7);
        g.setBrush(Qt::white);
        g.drawEllipse(QPointF(12, 12), 2.5, 2.5);
        break;
    }
    default: { // about: "i"
        g.setBrush(QColor(40, 90, 200));
        g.drawEllipse(QRectF(2, 2, 20, 20));
        QFont f(QStringLiteral("DejaVu Serif"));
        f.setPixelSize(15);
        f.setBold(true);
        g.setFont(f);
        g.setPen(Qt::white);
        g.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("i"));
        break;
    }
    }
    return pm;
}

// An icon drawn only when a size of it is asked for, at that size's own pixel
// density. The program's icons are therefore not drawn before the window is
// on the screen, and only at the densities the screen really uses.
class DrawnIconEngine : public QIconEngine {
public:
    DrawnIconEngine(std::function<QPixmap(qreal)> draw, QSize size, QList<QSize> sizes)
        : draw_(std::move(draw)), size_(size), sizes_(std::move(sizes)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State /*state*/) override {
        if (size.isEmpty()) {
            return QPixmap();
        }
        const qreal density = std::clamp(
            std::max(qreal(size.width()) / size_.width(), qreal(size.height()) / size_.height()),
            0.25, 8.0);
        const int key = static_cast<int>(std::lround(density * 100));
        auto it = drawn_.find(key);
        if (it == drawn_.end()) {
            it = drawn_.emplace(key, draw_(density)).first;
        }
        QPixmap pm = it->second;
        pm.setDevicePixelRatio(1.0);
        if (pm.size() != size) {
            pm = pm.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
        if (mode != QIcon::Normal && mode != QIcon::Active && QApplication::style() != nullptr) {
            QStyleOption option;
            option.palette = QApplication::palette();
            pm = QApplication::style()->generatedIconPixmap(mode, pm, &option);
        }
        return pm;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal dpr =
            painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, pixmap(rect.size() * dpr, mode, state));
    }

    QSize actualSize(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        return size_.scaled(size, Qt::KeepAspectRatio);
    }

    QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        return sizes_;
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(*this); }

private:
    std::function<QPixmap(qreal)> draw_;
    QSize size_;
    QList<QSize> sizes_;
    std::map<int, QPixmap> drawn_; // by density in hundredths
};

} // namespace

QPixmap KivBitmap(int id, qreal dpr) {
    dpr = std::clamp(dpr, 1.0, 8.0);
    // One drawing per picture and pixel density (in hundredths).
    static QHash<QPair<int, int>, QPixmap> cache;
    const QPair<int, int> key(id, static_cast<int>(std::lround(dpr * 100)));
    auto it = cache.find(key);
    if (it == cache.end()) {
        it = cache.insert(key, Draw(id, dpr));
    }
    return it.value();
}

QPixmap DrawKivBitmap(int id, qreal dpr) {
    return Draw(id, std::clamp(dpr, 1.0, 8.0));
}

QPixmap KivPicture(int id, QSize size, qreal dpr) {
    const QPixmap drawn = KivBitmap(id, dpr);
    if (drawn.isNull()) {
        return drawn;
    }
    // Drawn at the density that covers the frame, then fitted to its pixels.
    const QSizeF native = drawn.deviceIndependentSize();
    const qreal density =
        dpr * std::max(size.width() / native.width(), size.height() / native.height());
    QPixmap fitted = Draw(id, std::clamp(density, 1.0, 16.0))
                         .scaled(size * dpr, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(dpr);
    return fitted;
}

QIcon ProgramIcon() {
    // The sizes a window manager is offered: the fan at one, two and four
    // times its size.
    const QSize fan(96, 80);
    return QIcon(new DrawnIconEngine([](qreal dpr) { return Draw(201, dpr); }, fan,
                                     {fan, fan * 2, fan * 4}));
}

QIcon ToolbarIcon(int command) {
    const QSize size(24, 24);
    return QIcon(new DrawnIconEngine([command](qreal dpr) { return DrawToolIcon(command, dpr); },
                                     size, {size}));
}

} // namespace kiv

#include "varenta/table/TablePainter.h"

#include "varenta/table/TableTextConversion.h"

#include "varenta/table/TableTexts.h"

#include <QFont>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iterator>

namespace varenta {

namespace {

constexpr int kJokerImage = 52;

bool IsMovingCopy(const TablePicture& picture, const Card& card, QPoint drawnAt) {
    if (!picture.moving || picture.moving->code != card.code) {
        return false;
    }
    return drawnAt == picture.moving->from || drawnAt == picture.moving->to;
}

void DrawCard(QPainter& p, const TablePicture& picture, const Card& card, QPoint at, bool faceUp) {
    if (IsMovingCopy(picture, card, at)) {
        return;
    }
    Card shown = card;
    shown.faceUp = faceUp;
    p.drawPixmap(at, picture.images->at(static_cast<std::size_t>(CardImageIndex(shown))));
}

void DrawPile(QPainter& p, const TablePicture& picture, const CardPile& pile) {
    for (int i = 0; i < pile.Size(); ++i) {
        DrawCard(p, picture, pile[i], QPoint(pile[i].x, pile[i].y), pile[i].faceUp);
    }
}

// The first of the colours that stands out against the table (a contrast of
// at least 3 to 1, enough for a line or bold type), else the last one.
QColor StandingOut(const QColor& table, std::initializer_list<QColor> colours) {
    for (const QColor& colour : colours) {
        if (Contrast(colour, table) >= 3.0) {
            return colour;
        }
    }
    return *std::prev(colours.end());
}

// The sunken middle band: a dark line with a light line under it across the
// table, and a sunken frame around the stock and pile column. On a dark table
// the dark half is drawn grey, which still lies below the light half, so
// that the band does not vanish into the table.
void PaintMiddleBand(QPainter& p, const TableGeometry& g, int width, const QColor& table) {
    const int right = g.leftMargin + g.cardWidth + 4;
    const int top = g.stockRow - 16;
    const int bottom = g.discardRow + g.cardHeight + 16;
    p.setPen(StandingOut(table, {Qt::black, QColor(128, 128, 128), QColor(192, 192, 192)}));
    p.drawLine(right + 1, g.middle, width, g.middle);
    p.drawLine(0, top, right, top);
    p.drawLine(right, top, right, g.middle);
    p.drawLine(right, g.middle + 2, right, bottom);
    p.setPen(Qt::white);
    p.drawLine(right + 1, g.middle + 1, width, g.middle + 1);
    p.drawLine(0, bottom, right + 1, bottom);
    p.drawLine(right + 1, top, right + 1, g.middle);
    p.drawLine(right + 1, g.middle + 2, right + 1, bottom);
}

void PaintCounters(QPainter& p, const TablePicture& picture) {
    const GameState& s = *picture.state;
    const TableGeometry& g = *picture.geometry;
    // The classic dialog face; the font system substitutes its nearest sans serif.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    font.setBold(true);
    p.setFont(font);
    // Black as on the usual tables; white where black would not be read.
    p.setPen(CounterInk(picture.background));
    const QFontMetrics metrics(font);
    const QString pile =
        (s.pileFrozen ? QStringLiteral("*") : QString()) + QString::number(s.discardPile.Size());
    const int pileTop = g.middle + g.cardHeight + 3;
    p.drawText(QRect(g.leftMargin - 4, pileTop, g.cardWidth + 8, metrics.height()),
               Qt::AlignHCenter | Qt::AlignTop, pile);
    const int stockBottom = g.stockRow - 3;
    p.drawText(
        QRect(g.leftMargin - 4, stockBottom - metrics.height(), g.cardWidth + 8, metrics.height()),
        Qt::AlignHCenter | Qt::AlignBottom, QString::number(s.stock.Size()));
}

// Arial 10 points, made smaller until "Natural" fits into the card width.
QFont LabelFont(const TableGeometry& g) {
    QFont font(QStringLiteral("Arial"));
    font.setBold(g.layout != 0);
    for (int size = 10; size >= 5; --size) {
        font.setPointSize(size);
        if (QFontMetrics(font).horizontalAdvance(Tr(texts::kLabelNatural)) <= g.cardWidth - 4) {
            break;
        }
    }
    return font;
}

void PaintLabels(QPainter& p, const TablePicture& picture) {
    const GameState& s = *picture.state;
    const TableGeometry& g = *picture.geometry;
    const QFont font = LabelFont(g);
    p.setFont(font);
    const int lineHeight = QFontMetrics(font).height();
    for (int side = 0; side < 2; ++side) {
        const bool player = side == 0;
        const VarentaTally& tally = player ? s.playerVarentas : s.opponentVarentas;
        const CardPile& melds = player ? s.playerMelds : s.opponentMelds;
        for (int column = 1; column < kColumns; ++column) {
            const int kind = tally.kind.at(static_cast<std::size_t>(column));
            if (kind == kNoVarenta) {
                continue;
            }
            const QRect box = VarentaLabelRect(g, column, player, lineHeight);
            p.setPen(Qt::black);
            p.setBrush(Qt::yellow);
            p.drawRect(box.adjusted(0, 0, -1, -1));
            const QStringList lines =
                VarentaLabelLines(kind, tally.naturals.at(static_cast<std::size_t>(column)),
                                  melds.CountInColumn(column));
            for (int i = 0; i < lines.size(); ++i) {
                p.drawText(
                    QRect(box.left(), box.top() + 2 + i * lineHeight, box.width(), lineHeight),
                    Qt::AlignHCenter | Qt::AlignTop, lines.at(i));
            }
        }
    }
    p.setBrush(Qt::NoBrush);
}

} // namespace

double Contrast(const QColor& a, const QColor& b) {
    // Relative luminance of an sRGB colour, as accessibility guidelines
    // measure it.
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor CounterInk(const QColor& table) {
    return StandingOut(table, {Qt::black, Qt::white});
}

int CardImageIndex(const Card& card) {
    if (!card.faceUp) {
        return 53 + std::clamp<int>(card.deckNo, 0, 1);
    }
    return card.code >= 1 && card.code <= 52 ? card.code - 1 : kJokerImage;
}

std::vector<QPoint> OpponentHandPlaces(const GameState& state, const TableGeometry& geometry) {
    const CardPile& hand = state.opponentHand;
    std::vector<QPoint> places(static_cast<std::size_t>(hand.Size()));
    int x = geometry.leftMargin;
    for (int rank = 0; rank < kColumns; ++rank) {
        for (int i = 0; i < hand.Size(); ++i) {
            if (hand[i].rank == rank) {
                places.at(static_cast<std::size_t>(i)) = QPoint(x, TableGeometry::kOpponentHandY);
                x += state.opponentHandSpacing;
            }
        }
    }
    return places;
}

QRect VarentaLabelRect(const TableGeometry& g, int column, bool player, int lineHeight) {
    const int height = 2 * lineHeight + 5;
    const int top = player ? g.playerMeldRow + g.cardHeight + 15 : g.opponentMeldRow - 15 - height;
    return QRect(g.ColumnX(column), top, g.cardWidth, height);
}

QStringList VarentaLabelLines(int kind, int naturals, int cardsInColumn) {
    switch (kind) {
    case kMixedVarenta:
        return {Tr(texts::kLabelMixed),
                QString::number(naturals) + "/" + QString::number(cardsInColumn - naturals)};
    case kNaturalVarenta:
        return {Tr(texts::kLabelNatural)};
    case kWildVarenta:
        return {Tr(texts::kLabelWild), Tr(texts::kLabelCard)};
    default:
        return {};
    }
}

void PaintTable(QPainter& p, const TablePicture& picture) {
    const GameState& s = *picture.state;
    const TableGeometry& g = *picture.geometry;
    // A picture painted on counts in device pixels, a widget in its own.
    int width = g.clientWidth;
    int height = g.tableHeight;
    // A table the view scales onto a larger widget ends at its own edges.
    if (const QPaintDevice* d = p.device(); d != nullptr && p.transform().isIdentity()) {
        const bool picture = d->devType() == QInternal::Image || d->devType() == QInternal::Pixmap;
        const qreal ratio = picture ? d->devicePixelRatio() : 1.0;
        width = static_cast<int>(d->width() / ratio);
        height = static_cast<int>(d->height() / ratio);
    }
    p.fillRect(QRect(0, 0, width, height), picture.background);

    if (!s.stock.Empty()) {
        DrawCard(p, picture, s.stock.Top(), QPoint(s.stock.Top().x, s.stock.Top().y), false);
    }
    if (!s.discardPile.Empty()) {
        const Card& top = s.discardPile.Top();
        DrawCard(p, picture, top, QPoint(top.x, top.y), true);
    }
    const std::vector<QPoint> places = OpponentHandPlaces(s, g);
    for (int rank = 0; rank < kColumns; ++rank) {
        for (int i = 0; i < s.opponentHand.Size(); ++i) {
            const Card& card = s.opponentHand[i];
            if (card.rank == rank) {
                DrawCard(p, picture, card, places.at(static_cast<std::size_t>(i)), card.faceUp);
            }
        }
    }
    DrawPile(p, picture, s.opponentMelds);
    DrawPile(p, picture, s.playerMelds);
    for (int i = 0; i < s.playerHand.Size(); ++i) {
        const Card& card = s.playerHand[i];
        DrawCard(p, picture, card, QPoint(card.x, card.y), true);
    }
    PaintMiddleBand(p, g, width, picture.background);
    PaintCounters(p, picture);
    PaintLabels(p, picture);

    if (picture.moving) {
        const MovingCard& m = *picture.moving;
        const QPixmap& image = picture.images->at(static_cast<std::size_t>(m.imageIndex));
        if (m.inverted) {
            QImage inverted = image.toImage().convertToFormat(QImage::Format_ARGB32);
            inverted.invertPixels(QImage::InvertRgb);
            p.drawImage(m.at, inverted);
        } else {
            p.drawPixmap(m.at, image);
        }
    }
}

} // namespace varenta

#include "varenta/table/CardImages.h"

#include "varenta/store/InputFile.h"
#include "varenta/table/CardPatterns.h"
#include "varenta/table/SuitShapes.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

namespace varenta {

namespace {

constexpr std::array<const char*, 4> kSuitWords = {"SPADE", "CLUB", "DIAMOND", "HEART"};
constexpr std::array<const char*, 13> kRankLetters = {"2", "3",  "4", "5", "6", "7", "8",
                                                      "9", "10", "B", "V", "H", "A"};
// What the faces show in their corners: English letters for the court cards.
constexpr std::array<const char*, 13> kIndexTexts = {"2", "3",  "4", "5", "6", "7", "8",
                                                     "9", "10", "J", "Q", "K", "A"};

const QColor kRed(200, 0, 0);
const QColor kBlack(20, 20, 20);

bool IsRed(int suit) {
    return suit == 2 || suit == 3;
}

// The program's own pictures start fully transparent, so that the smoothed
// card edges blend with the table instead of keeping a magenta fringe.
// The canvas holds `dpr` device pixels per table pixel and is painted in
// table pixels, so every picture is drawn afresh at the screen's own
// resolution instead of being blown up from a small one.
QImage BlankCanvas(QSize size, qreal dpr) {
    QImage image(size * dpr, QImage::Format_ARGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    return image;
}

QImage ReadPicture(const std::string& fileName) {
    // Read through the program's input check: a pipe or device named as the
    // picture must not hang the table.
    QByteArray bytes;
    QImage picture;
    if (!fileName.empty() &&
        ReadInputFile(QString::fromStdString(fileName), kMaxPictureInputBytes, bytes) == 0) {
        picture.loadFromData(bytes);
    }
    return picture;
}

void PaintBlank(QPainter& p, QSize size) {
    const qreal radius = std::max(3.0, size.width() / 10.0);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), radius, radius);
}

// Draws text fitted into box: the font is narrowed until the text fits.
void DrawFittedText(QPainter& p, const QRectF& box, const QString& text, qreal pixelSize,
                    bool bold) {
    QFont font("DejaVu Sans");
    font.setPixelSize(std::max(6, static_cast<int>(pixelSize)));
    font.setBold(bold);
    QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(text);
    p.save();
    p.setFont(font);
    p.translate(box.center());
    if (width > box.width()) {
        p.scale(box.width() / width, 1.0);
    }
    const QRectF centred(-std::max(width, box.width()) / 2, -box.height() / 2,
                         std::max(width, box.width()), box.height());
    p.drawText(centred, Qt::AlignCenter, text);
    p.restore();
}

// The rank and a small suit symbol in the top-left corner, and the same turned
// upside down in the bottom-right corner.
void PaintCornerIndex(QPainter& p, QSize size, const QString& text, int suit, bool joker) {
    const qreal w = size.width();
    const qreal h = size.height();
    const qreal boxW = w * 0.24;
    const qreal textH = h * 0.19;
    const qreal pip = w * 0.17;
    for (int corner = 0; corner < 2; ++corner) {
        p.save();
        if (corner == 1) {
            p.translate(w, h);
            p.rotate(180);
        }
        if (joker) {
            const qreal letterH = h * 0.12;
            const QString word = QStringLiteral("JOKER");
            for (int i = 0; i < word.size(); ++i) {
                DrawFittedText(p, QRectF(1.5, 2 + i * letterH, boxW, letterH), word.mid(i, 1),
                               letterH * 1.05, true);
            }
        } else {
            DrawFittedText(p, QRectF(1.5, 1.5, boxW, textH), text, textH * 1.02, true);
            PaintSuit(p, suit, QRectF(1.5 + (boxW - pip) / 2, 2 + textH, pip, pip));
        }
        p.restore();
    }
}

// Pip positions of the number cards in a unit box (x 0 | 0.5 | 1, y 0..1).
std::vector<QPointF> PipLayout(int count) {
    const qreal t = 1.0 / 3;
    switch (count) {
    case 2:
        return {{0.5, 0}, {0.5, 1}};
    case 3:
        return {{0.5, 0}, {0.5, 0.5}, {0.5, 1}};
    case 4:
        return {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    case 5:
        return {{0, 0}, {1, 0}, {0.5, 0.5}, {0, 1}, {1, 1}};
    case 6:
        return {{0, 0}, {1, 0}, {0, 0.5}, {1, 0.5}, {0, 1}, {1, 1}};
    case 7:
        return {{0, 0}, {1, 0}, {0.5, 0.25}, {0, 0.5}, {1, 0.5}, {0, 1}, {1, 1}};
    case 8:
        return {{0, 0}, {1, 0}, {0.5, 0.25}, {0, 0.5}, {1, 0.5}, {0.5, 0.75}, {0, 1}, {1, 1}};
    case 9:
        return {{0, 0}, {1, 0}, {0, t}, {1, t}, {0.5, 0.5}, {0, 2 * t}, {1, 2 * t}, {0, 1}, {1, 1}};
    case 10:
        return {{0, 0},     {1, 0},     {0.5, t / 2},     {0, t}, {1, t},
                {0, 2 * t}, {1, 2 * t}, {0.5, 1 - t / 2}, {0, 1}, {1, 1}};
    default:
        return {};
    }
}

void PaintPips(QPainter& p, QSize size, int suit, int count) {
    const qreal w = size.width();
    const qreal h = size.height();
    const qreal pip = w * 0.2;
    const QRectF centres(w * 0.36, h * 0.2, w * 0.28, h * 0.6);
    for (const QPointF& at : PipLayout(count)) {
        const QPointF c(centres.left() + at.x() * centres.width(),
                        centres.top() + at.y() * centres.height());
        p.save();
        p.translate(c);
        if (at.y() > 0.5) {
            p.rotate(180);
        }
        PaintSuit(p, suit, QRectF(-pip / 2, -pip / 2, pip, pip));
        p.restore();
    }
}

// Jack, queen and king: a framed panel with the large letter over the suit.
void PaintCourt(QPainter& p, QSize size, int suit, const QString& letter) {
    const qreal w = size.width();
    const qreal h = size.height();
    const QRectF panel(w * 0.27, h * 0.14, w * 0.46, h * 0.72);
    p.setPen(QPen(IsRed(suit) ? kRed : kBlack, 1));
    p.setBrush(QColor(255, 236, 150));
    p.drawRect(panel);
    p.setPen(IsRed(suit) ? kRed : kBlack);
    DrawFittedText(p, QRectF(panel.left(), panel.top() + 1, panel.width(), panel.height() * 0.5),
                   letter, panel.height() * 0.42, true);
    const qreal s = panel.width() * 0.62;
    PaintSuit(p, suit,
              QRectF(panel.center().x() - s / 2, panel.top() + panel.height() * 0.52, s, s));
}

void PaintJoker(QPainter& p, QSize size) {
    const qreal w = size.width();
    const qreal h = size.height();
    p.setPen(kRed);
    PaintCornerIndex(p, size, QString(), 0, true);
    // A star in the middle.
    const QPointF c(w / 2, h / 2);
    const qreal outer = w * 0.3;
    const qreal inner = outer * 0.45;
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 == 0) ? outer : inner;
        const qreal a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0) {
            star.moveTo(pt);
        } else {
            star.lineTo(pt);
        }
    }
    star.closeSubpath();
    p.setPen(QPen(kBlack, 1));
    p.setBrush(QColor(230, 180, 0));
    p.drawPath(star);
}

int SuffixLayout(const QString& suffix) {
    if (suffix == "640") {
        return 0;
    }
    if (suffix == "800") {
        return 1;
    }
    if (suffix == "1024") {
        return 2;
    }
    return -1;
}

// Splits "SPADE10640" into its stem and the size suffix.
bool SplitSuffix(const QString& name, QString& stem, int& layout) {
    for (const char* suffix : {"1024", "640", "800"}) {
        if (name.endsWith(QLatin1String(suffix))) {
            stem = name.left(name.size() - static_cast<int>(std::strlen(suffix)));
            layout = SuffixLayout(QLatin1String(suffix));
            return !stem.isEmpty();
        }
    }
    return false;
}

} // namespace

QColor ColorFromSetting(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

std::uint32_t ColorToSetting(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) |
           (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}

QSize CardSizeForLayout(int layout) {
    switch (layout) {
    case 0:
        return {42, 65};
    case 1:
        return {53, 81};
    default:
        return {67, 104};
    }
}

QString BitmapSuffix(int layout) {
    switch (layout) {
    case 0:
        return QStringLiteral("640");
    case 1:
        return QStringLiteral("800");
    default:
        return QStringLiteral("1024");
    }
}

QString CardBitmapName(int code, int layout) {
    if (code == 53) {
        return QStringLiteral("JOKER") + BitmapSuffix(layout);
    }
    const int suit = (code - 1) / 13;
    const int rankIndex = (code - 1) % 13;
    return QLatin1String(kSuitWords.at(static_cast<std::size_t>(suit))) +
           QLatin1String(kRankLetters.at(static_cast<std::size_t>(rankIndex))) +
           BitmapSuffix(layout);
}

QImage DrawNamedBitmap(const QString& name, qreal dpr) {
    QString stem;
    int layout = -1;
    if (!SplitSuffix(name, stem, layout)) {
        return {};
    }
    const QSize size = CardSizeForLayout(layout);
    const QString upper = stem.toUpper();
    if (upper == "JOKER") {
        return DrawCardFace(53, size, dpr);
    }
    for (std::size_t suit = 0; suit < kSuitWords.size(); ++suit) {
        const QLatin1String word(kSuitWords.at(suit));
        if (!upper.startsWith(word)) {
            continue;
        }
        const QString letter = upper.mid(word.size());
        for (std::size_t r = 0; r < kRankLetters.size(); ++r) {
            if (letter == QLatin1String(kRankLetters.at(r))) {
                return DrawCardFace(static_cast<int>(suit * 13 + r + 1), size, dpr);
            }
        }
    }
    for (std::size_t i = 0; i < kPatternNames.size(); ++i) {
        if (stem.compare(QLatin1String(kPatternNames.at(i)), Qt::CaseInsensitive) == 0) {
            return DrawPatternBack(static_cast<int>(i), size, dpr);
        }
    }
    return {};
}

QImage DrawCardFace(int code, QSize size, qreal dpr) {
    QImage image = BlankCanvas(size, dpr);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    PaintBlank(p, size);
    if (code == 53) {
        PaintJoker(p, size);
        return image;
    }
    const int suit = (code - 1) / 13;
    const int rankIndex = (code - 1) % 13;
    const QString text = QLatin1String(kIndexTexts.at(static_cast<std::size_t>(rankIndex)));
    p.setPen(IsRed(suit) ? kRed : kBlack);
    PaintCornerIndex(p, size, text, suit, false);
    if (rankIndex <= 8) {
        PaintPips(p, size, suit, rankIndex + 2);
    } else if (rankIndex == 12) {
        const qreal s = size.width() * 0.46;
        PaintSuit(p, suit, QRectF((size.width() - s) / 2, (size.height() - s) / 2, s, s));
    } else {
        PaintCourt(p, size, suit, text);
    }
    return image;
}

QImage DrawPatternBack(int pattern, QSize size, qreal dpr) {
    QImage image = BlankCanvas(size, dpr);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF card(0.5, 0.5, size.width() - 1, size.height() - 1);
    QPainterPath outline;
    outline.addRoundedRect(card, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(outline);
    const qreal border = std::max(2.0, size.width() / 16.0);
    const QRectF inner = card.adjusted(border, border, -border, -border);
    p.save();
    p.setClipRect(inner);
    PaintPattern(p, std::clamp(pattern, 0, 9), inner);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawPath(outline);
    return image;
}

bool CardBackPictureReadable(const std::string& fileName) {
    return !ReadPicture(fileName).isNull();
}

QImage DrawCardBack(const CardBack& back, QSize size, qreal dpr, bool* unreadable) {
    if (unreadable != nullptr) {
        *unreadable = false;
    }
    if (back.type == kCardBackPattern) {
        return DrawPatternBack(back.pattern, size, dpr);
    }
    if (back.type == kCardBackFile) {
        const QImage picture = ReadPicture(back.fileName);
        if (!picture.isNull()) {
            QImage scaled = WithTransparentKey(picture).scaled(size * dpr, Qt::IgnoreAspectRatio,
                                                               Qt::FastTransformation);
            scaled.setDevicePixelRatio(dpr);
            return scaled;
        }
        // Never a blank card: the deck's plain back, and the caller says why.
        if (unreadable != nullptr) {
            *unreadable = true;
        }
    }
    QImage image = BlankCanvas(size, dpr);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = ColorFromSetting(back.color);
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 6, 6);
    return image;
}

QImage WithTransparentKey(const QImage& image) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0x00FFFFFF) == (kTransparentKey & 0x00FFFFFF)) {
                line[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    return out;
}

CardImageList LoadCardImages(int layout, const std::array<CardBack, 2>& backs, qreal dpr,
                             std::array<bool, 2>* unreadable) {
    CardImageList images;
    const QSize size = CardSizeForLayout(layout);
    for (int code = 1; code <= 53; ++code) {
        images.at(static_cast<std::size_t>(code - 1)) = QPixmap::fromImage(
            WithTransparentKey(DrawNamedBitmap(CardBitmapName(code, layout), dpr)));
    }
    for (std::size_t deck = 0; deck < 2; ++deck) {
        bool fellBack = false;
        images.at(53 + deck) = QPixmap::fromImage(
            WithTransparentKey(DrawCardBack(backs.at(deck), size, dpr, &fellBack)));
        if (unreadable != nullptr) {
            unreadable->at(deck) = fellBack;
        }
    }
    return images;
}

} // namespace varenta

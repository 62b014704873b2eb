// Card pictures of the table: the 52 faces, the joker and the two decks'
// backs, drawn by the program itself at the card size of a layout. The
// pictures are looked up by their bitmap names ("SPADE10640", "JOKER800",
// "rose1024"); magenta is the transparent colour of every picture.
#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <string>

namespace varenta {

// One deck's back: a solid colour, one of the ten patterns, or a picture file.
struct CardBack {
    std::uint8_t type = 0; // 0 solid colour, 1 standard pattern, 2 custom bitmap file
    std::uint32_t color = 128;
    std::string fileName;
    std::uint8_t pattern = 0;
};

inline constexpr int kCardBackSolid = 0;
inline constexpr int kCardBackPattern = 1;
inline constexpr int kCardBackFile = 2;

inline constexpr std::array<const char*, 10> kPatternNames = {
    "beach",    "fish1",    "fish2", "leaves1", "leaves2",
    "pattern1", "pattern2", "robot", "rose",    "shell"};

// The transparent colour of every card picture.
inline constexpr QRgb kTransparentKey = qRgb(255, 0, 255);

// Colours are stored as 0x00BBGGRR integers (red in the low byte).
QColor ColorFromSetting(std::uint32_t value);
std::uint32_t ColorToSetting(const QColor& color);

// Card size and bitmap name suffix of the layouts 0..3.
QSize CardSizeForLayout(int layout);
QString BitmapSuffix(int layout);

// "SPADE2640" ... "HEARTA1024", "JOKER800" for code 1..53 (53 is the joker).
QString CardBitmapName(int code, int layout);

// Draws the picture named like a card face or a pattern bitmap; a null image
// when the name is unknown. Names are matched without regard to case. `dpr`
// is the number of device pixels to each of the picture's pixels: the face
// is drawn for them, at the same size in the program's pixels.
QImage DrawNamedBitmap(const QString& name, qreal dpr = 1.0);

// The face of code 1..53 at the given size (transparent outside the card),
// drawn for `dpr` device pixels per pixel.
QImage DrawCardFace(int code, QSize size, qreal dpr = 1.0);
// Pattern 0..9 as a card back of the given size (transparent outside the
// card), drawn for `dpr` device pixels per pixel.
QImage DrawPatternBack(int pattern, QSize size, qreal dpr = 1.0);
// A back as its record says. A picture file that is missing or cannot be
// read gives the plain back of the deck's colour, and sets *unreadable.
// Magenta pixels of a picture file are transparent.
QImage DrawCardBack(const CardBack& back, QSize size, qreal dpr = 1.0, bool* unreadable = nullptr);
// Whether the file can be shown as a card back.
bool CardBackPictureReadable(const std::string& fileName);

// Turns every magenta pixel transparent.
QImage WithTransparentKey(const QImage& image);

// The 55 pictures of the table for one layout: index code − 1 for the 53
// faces, 53 and 54 for the backs of deck 0 and deck 1, drawn for a screen
// with `dpr` device pixels per pixel.
using CardImageList = std::array<QPixmap, 55>;
// `unreadable` tells for each deck whether its picture file fell back.
CardImageList LoadCardImages(int layout, const std::array<CardBack, 2>& backs, qreal dpr = 1.0,
                             std::array<bool, 2>* unreadable = nullptr);

} // namespace varenta

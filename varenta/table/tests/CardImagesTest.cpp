#include "varenta/table/CardImages.h"

#include <gtest/gtest.h>

#include <QFile>
#include <sys/stat.h>

#include <QPainter>
#include <cstdlib>

namespace varenta {
namespace {

TEST(CardImages, BitmapNamesFollowSuitWordRankLetterAndLayoutSuffix) {
    EXPECT_EQ(CardBitmapName(1, 0), "SPADE2640");
    EXPECT_EQ(CardBitmapName(9, 0), "SPADE10640");
    EXPECT_EQ(CardBitmapName(23, 1), "CLUBB800");
    EXPECT_EQ(CardBitmapName(24, 1), "CLUBV800");
    EXPECT_EQ(CardBitmapName(52, 2), "HEARTA1024");
    EXPECT_EQ(CardBitmapName(52, 3), "HEARTA1024") << "1280 x 1024 uses the 1024 pictures";
    EXPECT_EQ(CardBitmapName(36, 1), "DIAMONDB800");
    EXPECT_EQ(CardBitmapName(53, 0), "JOKER640");
}

TEST(CardImages, NamedBitmapsHaveTheLayoutsCardSize) {
    EXPECT_EQ(DrawNamedBitmap("SPADE10640").size(), QSize(42, 65));
    EXPECT_EQ(DrawNamedBitmap("hearta800").size(), QSize(53, 81)) << "names ignore case";
    EXPECT_EQ(DrawNamedBitmap("JOKER1024").size(), QSize(67, 104));
    EXPECT_EQ(DrawNamedBitmap("rose800").size(), QSize(53, 81));
    EXPECT_TRUE(DrawNamedBitmap("SPADE1640").isNull());
    EXPECT_TRUE(DrawNamedBitmap("SPADE2").isNull());
    EXPECT_TRUE(DrawNamedBitmap("CUP2640").isNull());
}

TEST(CardImages, FacesDifferAndRedSuitsAreRed) {
    const QImage two = DrawCardFace(1, {42, 65});
    const QImage three = DrawCardFace(2, {42, 65});
    const QImage heartTwo = DrawCardFace(40, {42, 65});
    EXPECT_NE(two, three);
    auto countRed = [](const QImage& image) {
        int red = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                red += (c.alpha() == 255 && c.red() > 150 && c.green() < 80 && c.blue() < 80);
            }
        }
        return red;
    };
    EXPECT_EQ(countRed(two), 0);
    EXPECT_GT(countRed(heartTwo), 30);
    // Outside the rounded corner the card is transparent, inside it is white.
    EXPECT_EQ(two.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(two.pixelColor(20, 32), QColor(Qt::white));
}

TEST(CardImages, SolidBackIsARoundedRectangleOfTheDecksColour) {
    CardBack back;
    back.color = 0x4080; // red 0x80, green 0x40
    const QImage image = WithTransparentKey(DrawCardBack(back, {53, 81}));
    EXPECT_EQ(image.pixelColor(26, 40), QColor(0x80, 0x40, 0));
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(ColorFromSetting(0x8000), QColor(0, 0x80, 0));
    EXPECT_EQ(ColorToSetting(QColor(1, 2, 3)), 0x030201u);
}

TEST(CardImages, PatternsAreTenDistinctPictures) {
    std::vector<QImage> seen;
    for (int i = 0; i < 10; ++i) {
        CardBack back;
        back.type = kCardBackPattern;
        back.pattern = static_cast<std::uint8_t>(i);
        const QImage image = DrawCardBack(back, {53, 81});
        for (const QImage& other : seen) {
            EXPECT_NE(image, other) << "pattern " << i;
        }
        seen.push_back(image);
    }
}

TEST(CardImages, PictureFileIsStretchedAndMagentaBecomesTransparent) {
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 255));
    picture.setPixelColor(0, 0, QColor(255, 0, 255));
    const QString path = QString(CARDGAMES_BINARY_DIR) + "/cardback-test.png";
    ASSERT_TRUE(picture.save(path));
    CardBack back;
    back.type = kCardBackFile;
    back.fileName = path.toStdString();
    const QImage image = DrawCardBack(back, {42, 65});
    EXPECT_EQ(image.size(), QSize(42, 65));
    EXPECT_EQ(image.pixelColor(20, 30), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    // An unreadable file falls back to the colour, at once even when it is a
    // pipe nobody writes to or a device that never ends.
    const QString pipe = QString(CARDGAMES_BINARY_DIR) + "/cardback-test.fifo";
    QFile::remove(pipe);
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    for (const QString& odd : {QString("/no/such/picture.bmp"), pipe, QString("/dev/zero"),
                               QString(CARDGAMES_BINARY_DIR)}) {
        back.fileName = odd.toStdString();
        EXPECT_EQ(DrawCardBack(back, {42, 65}).pixelColor(20, 30), QColor(128, 0, 0))
            << odd.toStdString();
    }
    QFile::remove(pipe);
}

TEST(CardImages, ImageListHoldsFacesJokerAndBothBacks) {
    std::array<CardBack, 2> backs;
    backs[1].color = 0x4080;
    const CardImageList images = LoadCardImages(1, backs);
    for (const QPixmap& image : images) {
        EXPECT_EQ(image.size(), QSize(53, 81));
    }
    const QImage joker = DrawCardFace(53, {53, 81});
    const QImage listed = images[52].toImage().convertToFormat(QImage::Format_ARGB32);
    for (const QPoint at : {QPoint(26, 40), QPoint(5, 5), QPoint(40, 70)}) {
        EXPECT_EQ(listed.pixelColor(at), joker.pixelColor(at));
    }
    EXPECT_EQ(images[53].toImage().pixelColor(26, 40), QColor(128, 0, 0));
    EXPECT_EQ(images[54].toImage().pixelColor(26, 40), QColor(0x80, 0x40, 0));
}

} // namespace
} // namespace varenta

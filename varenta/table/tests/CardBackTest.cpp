#include "varenta/store/SettingsFile.h"
#include "varenta/table/CardBackDialog.h"
#include "varenta/table/CardBackSettings.h"

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <algorithm>
#include <cmath>
#include <functional>

namespace varenta {
namespace {

class CardBackTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    SettingsFile store{dir.filePath("varenta.reg")};

    // Every key of both decks holds an old value.
    void FillOld() {
        for (const QString n : {"0", "1"}) {
            store.WriteValues({{"Cardback\\Type" + n, 0},
                               {"Cardback\\Color" + n, 111},
                               {"Cardback\\Pattern" + n, 5},
                               {"Cardback\\Filename" + n, "old.bmp"}});
        }
    }
};

TEST_F(CardBackTest, OnlyTheChosenTypesKeyIsWrittenAndReadsBack) {
    struct Case {
        int type;
        const char* changedKey;
    };
    for (const Case& c : {Case{kCardBackSolid, "Color"}, Case{kCardBackPattern, "Pattern"},
                          Case{kCardBackFile, "Filename"}}) {
        FillOld();
        std::array<CardBack, 2> backs{};
        for (CardBack& back : backs) {
            back.type = static_cast<std::uint8_t>(c.type);
            back.color = 0x123456;
            back.pattern = 8;
            back.fileName = "/pictures/new.png";
        }
        WriteCardBacks(store, backs);
        const std::array<CardBack, 2> read = ReadCardBacks(store, kTableBackColors, 0);
        for (std::size_t deck = 0; deck < 2; ++deck) {
            const CardBack& r = read.at(deck);
            EXPECT_EQ(r.type, c.type);
            const bool colour = c.type == kCardBackSolid;
            const bool pattern = c.type == kCardBackPattern;
            const bool file = c.type == kCardBackFile;
            EXPECT_EQ(r.color, colour ? 0x123456u : 111u) << c.changedKey;
            EXPECT_EQ(r.pattern, pattern ? 8 : 5) << c.changedKey;
            EXPECT_EQ(r.fileName, file ? "/pictures/new.png" : "old.bmp") << c.changedKey;
        }
    }
}

TEST_F(CardBackTest, DefaultsAndOddValues) {
    const auto table = ReadCardBacks(store, kTableBackColors, kTableBackPattern);
    EXPECT_EQ(table[0].color, 128u);
    EXPECT_EQ(table[1].color, 0x4080u);
    EXPECT_EQ(table[0].pattern, 0);
    const auto dialog = ReadCardBacks(store, kDialogBackColors, kDialogBackPattern);
    EXPECT_EQ(dialog[1].color, 128u);
    EXPECT_EQ(dialog[1].pattern, 1);
    store.WriteValues(
        {{"Cardback\\Type0", 7}, {"Cardback\\Pattern0", 40}, {"Cardback\\Type1", -1}});
    const auto odd = ReadCardBacks(store, kTableBackColors, 0);
    EXPECT_EQ(odd[0].type, kCardBackSolid) << "an unknown type shows the colour";
    EXPECT_EQ(odd[0].pattern, 9);
    EXPECT_EQ(odd[1].type, kCardBackSolid);
}

// How crisp a picture is: the mean of the strongest 2 % of the brightness
// steps between neighbouring device pixels. Blowing a small picture up
// spreads every edge over two pixels and about halves it.
// Only the pattern counts, inside the card's white border.
double EdgeContrast(const QImage& image) {
    const qreal dpr = image.devicePixelRatio();
    const QRect inner(QPoint(6, 6) * dpr,
                      (image.deviceIndependentSize().toSize() - QSize(12, 12)) * dpr);
    const QImage grey = image.copy(inner).convertToFormat(QImage::Format_Grayscale8);
    std::vector<int> steps;
    for (int y = 0; y + 1 < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        const uchar* below = grey.constScanLine(y + 1);
        for (int x = 0; x + 1 < grey.width(); ++x) {
            steps.push_back(std::abs(line[x] - line[x + 1]));
            steps.push_back(std::abs(line[x] - below[x]));
        }
    }
    const std::size_t top = std::max<std::size_t>(1, steps.size() / 50);
    std::nth_element(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(top), steps.end(),
                     std::greater<>());
    double sum = 0;
    for (std::size_t i = 0; i < top; ++i) {
        sum += steps[i];
    }
    return sum / static_cast<double>(top);
}

TEST(CardBackPictures, PatternsStaySharpAtEveryLayoutAndDoubleDensity) {
    for (const QSize size : {QSize(42, 65), QSize(67, 104)}) {
        for (int pattern = 0; pattern < 10; ++pattern) {
            const QImage single = DrawPatternBack(pattern, size, 1);
            const QImage dense = DrawPatternBack(pattern, size, 2);
            ASSERT_EQ(dense.size(), size * 2);
            EXPECT_EQ(dense.deviceIndependentSize().toSize(), size);
            QImage blownUp =
                single.scaled(size * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            blownUp.setDevicePixelRatio(2);
            const double sharp = EdgeContrast(dense);
            EXPECT_GT(sharp, 1.5 * EdgeContrast(blownUp))
                << kPatternNames.at(pattern) << " at " << size.width();
            EXPECT_GT(sharp, 0.6 * EdgeContrast(single)) << kPatternNames.at(pattern);
        }
    }
}

TEST(CardBackPictures, ImageListIsDrawnAtTheScreensDensity) {
    std::array<CardBack, 2> backs{};
    backs[1].type = kCardBackFile;
    backs[1].fileName = "/no/such/picture.bmp";
    std::array<bool, 2> unreadable{};
    const CardImageList images = LoadCardImages(2, backs, 2, &unreadable);
    EXPECT_EQ(images[0].size(), QSize(134, 208));
    EXPECT_EQ(images[54].deviceIndependentSize().toSize(), QSize(67, 104));
    EXPECT_FALSE(unreadable[0]);
    EXPECT_TRUE(unreadable[1]) << "the missing picture is reported";
    EXPECT_NE(images[54].toImage().pixelColor(60, 100).alpha(), 0) << "never a blank card";
}

TEST_F(CardBackTest, DialogEditsEachDeckAndStoresOnApply) {
    FillOld();
    std::vector<std::array<CardBack, 2>> applied;
    std::vector<QString> refusals;
    CardBackServices services;
    services.chooseColor = [](const QColor&) { return std::optional<QColor>(QColor(1, 2, 3)); };
    services.choosePattern = [](int current) {
        EXPECT_EQ(current, 5);
        return std::optional<int>(7);
    };
    services.openFile = [this](const QString& caption, const QString&, const QString& filter) {
        EXPECT_EQ(caption, "Select Bitmap");
        EXPECT_EQ(filter, "Bitmaps (*.bmp);;All Files (*)");
        return dir.filePath("nothing-here"); // no such picture, not even nothing-here.bmp
    };
    services.refuse = [&](const QString& text) { refusals.push_back(text); };
    services.apply = [&](const std::array<CardBack, 2>& backs) { applied.push_back(backs); };
    CardBackDialog dialog(store, services);
    auto* apply = dialog.findChild<QPushButton*>("bnApply");
    EXPECT_FALSE(apply->isEnabled());
    dialog.SelectDeck(1);
    dialog.SelectType(kCardBackPattern);
    dialog.ChangeClick();
    EXPECT_EQ(dialog.Backs()[1].pattern, 7);
    EXPECT_TRUE(apply->isEnabled());
    dialog.SelectDeck(0);
    dialog.SelectType(kCardBackFile);
    dialog.ChangeClick();
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_TRUE(refusals[0].contains("nothing-here.bmp")) << refusals[0].toStdString();
    EXPECT_EQ(dialog.Backs()[0].fileName, "old.bmp") << "the refused picture is not kept";
    dialog.SelectType(kCardBackSolid);
    dialog.ChangeClick();
    EXPECT_EQ(dialog.Preview().pixelColor(26, 40), QColor(1, 2, 3));
    ASSERT_TRUE(dialog.ApplyClick());
    EXPECT_FALSE(apply->isEnabled());
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0][1].type, kCardBackPattern);
    EXPECT_EQ(store.ReadInteger("Cardback\\Pattern1", 0), 7);
    EXPECT_EQ(store.ReadInteger("Cardback\\Color1", 0), 111) << "not the type of deck two";
    EXPECT_EQ(store.ReadInteger("Cardback\\Color0", 0), 0x030201);
}

TEST(CardPatternDialog, OnlyALeftClickOnAPictureSelects) {
    PatternGrid grid(3);
    grid.show();
    const QRect seven = PatternGrid::PatternRect(7);
    const QRect zero = PatternGrid::PatternRect(0);
    struct Case {
        QPoint at;
        Qt::MouseButton button;
        int selected;
    };
    for (const Case& c : std::vector<Case>{
             {seven.center(), Qt::RightButton, 3},                // other buttons: nothing
             {zero.topRight() + QPoint(3, 0), Qt::LeftButton, 3}, // between two pictures
             {QPoint(2, 2), Qt::LeftButton, 3},                   // the margin
             {seven.center(), Qt::LeftButton, 7},
             {seven.bottomRight(), Qt::LeftButton, 7}, // the same again
             {PatternGrid::PatternRect(9).topLeft(), Qt::LeftButton, 9}}) {
        QTest::mouseRelease(&grid, c.button, Qt::NoModifier, c.at);
        EXPECT_EQ(grid.Selected(), c.selected) << c.at.x() << "," << c.at.y();
    }
    EXPECT_EQ(grid.Repaints(), 2) << "repainted only when the selection changed";
    EXPECT_EQ(seven, QRect(5 + 2 * 58, 5 + 86, 53, 81));
}

} // namespace
} // namespace varenta

#include "varenta/table/CardImages.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <cstdlib>

namespace varenta {
namespace {

TEST(CardImages, Sheet) {
    const char* out = std::getenv("VARENTA_SHEET");
    if (out == nullptr) {
        GTEST_SKIP();
    }
    for (int layout = 0; layout < 3; ++layout) {
        std::array<CardBack, 2> backs;
        backs[1].color = 0x4080;
        const CardImageList images = LoadCardImages(layout, backs);
        const QSize s = CardSizeForLayout(layout);
        QImage sheet(s.width() * 14 + 20, (s.height() + 4) * 6, QImage::Format_ARGB32);
        sheet.fill(QColor(0, 128, 0));
        QPainter p(&sheet);
        for (int i = 0; i < 55; ++i) {
            p.drawPixmap((i % 14) * (s.width() + 1), (i / 14) * (s.height() + 4), images[i]);
        }
        for (int i = 0; i < 10; ++i) {
            CardBack b;
            b.type = 1;
            b.pattern = i;
            p.drawImage(i * (s.width() + 1), 4 * (s.height() + 4),
                        WithTransparentKey(DrawCardBack(b, s)));
        }
        sheet.save(QString("%1/sheet%2.png").arg(out).arg(layout));
    }
}

} // namespace
} // namespace varenta

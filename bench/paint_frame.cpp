// How long one frame of a card's flight takes to paint, at the table's own
// size and filling a 3840 x 2160 screen: the card's old and new place
// repainted, as the animation does,
// and, for comparison, the whole table. Prints one line per case, in
// microseconds, the best of many frames (a busy machine only makes a frame
// slower).
#include "varenta/store/SettingsFile.h"
#include "varenta/table/TablePainter.h"
#include "varenta/table/TableView.h"
#include "varenta/table/TableWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kFrames = 200;

qint64 BestMicroseconds(const std::function<void()>& frame) {
    qint64 best = -1;
    for (int i = 0; i < kFrames; ++i) {
        QElapsedTimer timer;
        timer.start();
        frame();
        const qint64 us = timer.nsecsElapsed() / 1000;
        best = best < 0 ? us : std::min(best, us);
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    varenta::SettingsFile store(dir.filePath("varenta.ini"));
    store.Write("Settings\\Resolution", QString("0,0,1024x768"));
    store.Write("Settings\\Sound", false);
    store.Write("Settings\\Music", false);
    varenta::TableServices services;
    services.store = &store;
    services.splashTimer = false;
    services.seed = 7;
    services.screenWidth = 3840;
    services.screenHeight = 2160;
    varenta::TableWindow window(services);
    window.ProgramStart();
    varenta::TableView* view = window.View();
    const QSize own = view->TableSize();
    const varenta::TableGeometry& g = window.Engine().Geometry();
    const QRect card(g.leftMargin, g.stockRow, g.cardWidth, g.cardHeight);
    std::printf("%-34s %12s %12s\n", "table 1024 x 768 shown at", "flight frame", "whole table");
    struct Case {
        const char* name;
        QSize size;
        qreal dpr;
    };
    for (const Case& c : {Case{"its own size", own, 1.0}, Case{"3840 x 2160", {3840, 2100}, 1.0}}) {
        view->resize(c.size);
        QImage target(c.size * c.dpr, QImage::Format_ARGB32_Premultiplied);
        target.setDevicePixelRatio(c.dpr);
        view->Render(c.dpr); // card pictures made for this size once, as on screen
        int step = 0;
        const qint64 frame = BestMicroseconds([&] {
            // The card moves 12 pixels a step: its old and new place together.
            const QRect now = card.translated(12 * (step % 40), 0);
            const QRegion region(view->ToWidget(now.united(now.translated(-12, 0))));
            view->render(&target, QPoint(), region, QWidget::DrawChildren);
            ++step;
        });
        const qint64 whole = BestMicroseconds(
            [&] { view->render(&target, QPoint(), QRegion(), QWidget::DrawChildren); });
        std::printf("%-34s %9lld us %9lld us\n", c.name, static_cast<long long>(frame),
                    static_cast<long long>(whole));
    }
    return 0;
}

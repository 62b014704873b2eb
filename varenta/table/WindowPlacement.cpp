#include "varenta/table/WindowPlacement.h"

#include "varenta/store/SettingsFile.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace varenta {

namespace {

// Smaller than this nothing on the table can be read any more; larger than
// this no screen is.
constexpr int kSmallest = 200;
constexpr int kLargest = 16384;

} // namespace

WindowPlacement WindowPlacement::Read(SettingsFile& store) {
    WindowPlacement placement;
    const QStringList parts = store.ReadString(kKeyWindowSize, QString()).split(',');
    if (parts.size() == 2) {
        bool okWidth = false;
        bool okHeight = false;
        const int width = parts.at(0).trimmed().toInt(&okWidth);
        const int height = parts.at(1).trimmed().toInt(&okHeight);
        if (okWidth && okHeight && width >= kSmallest && height >= kSmallest && width <= kLargest &&
            height <= kLargest) {
            placement.size = QSize(width, height);
        }
    }
    placement.fullScreen = store.ReadBool(kKeyFullScreen, false);
    return placement;
}

void WindowPlacement::Write(SettingsFile& store) const {
    SettingsFile::NamedValues values;
    if (size) {
        values.emplace_back(QString::fromLatin1(kKeyWindowSize),
                            QString("%1,%2").arg(size->width()).arg(size->height()));
    }
    values.emplace_back(QString::fromLatin1(kKeyFullScreen), fullScreen);
    store.WriteValues(values);
}

QSize WindowPlacement::FirstStartSize(const QSize& layout, const QRect& screen) {
    if (layout.isEmpty() || screen.isEmpty()) {
        return layout;
    }
    const double scale = 0.8 * std::min(static_cast<double>(screen.width()) / layout.width(),
                                        static_cast<double>(screen.height()) / layout.height());
    return {static_cast<int>(std::lround(layout.width() * scale)),
            static_cast<int>(std::lround(layout.height() * scale))};
}

QSize WindowPlacement::Fitted(const QSize& size, const QRect& screen) {
    if (screen.isEmpty()) {
        return size;
    }
    return size.boundedTo(screen.size());
}

} // namespace varenta

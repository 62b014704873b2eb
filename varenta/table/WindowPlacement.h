// The table window's size on the screen, apart from the layout: the size
// the user gave it and whether it fills the screen, remembered between
// runs, and the size a first start opens at.
#pragma once

#include <QRect>
#include <QSize>

#include <optional>

namespace varenta {

class SettingsFile;

inline constexpr char kKeyWindowSize[] = "Settings\\Window Size";
inline constexpr char kKeyFullScreen[] = "Settings\\Full Screen";

struct WindowPlacement {
    std::optional<QSize> size; // the normal (not maximised, not full-screen) size
    bool fullScreen = false;

    // Unreadable or absurd sizes are left out: the layout's own size is used.
    static WindowPlacement Read(SettingsFile& store);
    void Write(SettingsFile& store) const;

    // About four fifths of the screen, in the layout's proportions.
    static QSize FirstStartSize(const QSize& layout, const QRect& screen);
    // A remembered size that still fits this screen (a smaller screen than
    // the last run's, or another screen).
    static QSize Fitted(const QSize& size, const QRect& screen);
};

} // namespace varenta

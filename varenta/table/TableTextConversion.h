// Texts of the engine's table (UTF-8 string views) as Qt strings.
#pragma once

#include <QString>

#include <string_view>

namespace varenta {

inline QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A stored menu hint is "short|long"; the status bar shows the long part.
inline QString StatusText(std::string_view hint) {
    const QString text = Q(hint);
    const int bar = static_cast<int>(text.indexOf('|'));
    return bar >= 0 ? text.mid(bar + 1) : text;
}

} // namespace varenta

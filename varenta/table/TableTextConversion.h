// Texts of the engine's table (UTF-8 string views) as Qt strings.
#pragma once

#include <QCoreApplication>
#include <QString>

#include <string>
#include <string_view>

namespace varenta {

inline QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The one translation context of every fixed text of the program's tables
// (they are marked for the translation tools with it where they are defined).
inline constexpr const char* kTextContext = "varenta";

// A fixed text as the user reads it: its translation into the language
// installed at start, or the text itself when there is none.
inline QString Tr(const char* text) {
    return QCoreApplication::translate(kTextContext, text);
}

inline QString Tr(std::string_view text) {
    return Tr(std::string(text).c_str());
}

// A stored menu hint is "short|long"; the status bar shows the long part.
inline QString StatusText(std::string_view hint) {
    const QString text = Tr(hint);
    const int bar = static_cast<int>(text.indexOf('|'));
    return bar >= 0 ? text.mid(bar + 1) : text;
}

} // namespace varenta

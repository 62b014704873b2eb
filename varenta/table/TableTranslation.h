// The user's language: the translation of the program's texts that the
// locale selects, and the engine's texts built around a name or a number,
// translated piece by piece where the window shows them.
#pragma once

#include <QLocale>
#include <QString>

#include <string_view>

namespace varenta {

// Installs the program's translation for `locale` (and Qt's own, for the
// buttons of its dialogs), replacing one installed before. English, or a
// language without a translation, keeps the program's own texts. Returns the
// language now shown ("de"), empty for the program's own English.
QString InstallTranslation(const QLocale& locale);

// The language InstallTranslation installed last, empty for English.
QString ShownLanguage();

// A text of the engine as the user reads it: a fixed text translated whole,
// and a text the engine built from fixed pieces and a name or number with
// each piece translated in its place.
QString ShownText(std::string_view text);
QString ShownText(const QString& text);
inline QString ShownText(const char* text) {
    return ShownText(std::string_view(text));
}

} // namespace varenta

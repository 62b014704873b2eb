// The program's string tables. Every user-visible text is addressed by the
// active block base plus an offset: 1000 is the German block, 5000 the second
// block. A few resource strings outside the blocks (window title, tooltips)
// are addressed by their own ids.
#pragma once

#include <QLocale>
#include <QString>

namespace kiv {

inline constexpr int kGermanBase = 1000;
inline constexpr int kSecondBase = 5000;

// The translation context of the program's texts. The German block is the
// program's own language and stays as written; the second block is looked
// up in the translation that InstallTranslation installed, so a language of
// its own needs only a file resources/kiv/translations/kiv_<language>.ts.
inline constexpr const char* kTextContext = "kiv";

// Installs the program's translation for `locale` when one is built in,
// replacing one installed before. False when there is none (the second
// block then stays as written).
bool InstallTranslation(const QLocale& locale);

// Ids outside the two blocks.
inline constexpr int kAppTitleId = 57344;

// The text of string id `id`; an id without a text gives an empty string, as
// the resource loader of the original platform does.
QString LoadText(int id);

// The text of offset `offset` in the block that starts at `base`.
inline QString Text(int base, int offset) {
    return LoadText(base + offset);
}

// True when `id` has a text.
bool HasText(int id);

// The block base the locale selects: German locales give 1000, every other
// locale 5000. Looks at LC_ALL, LC_MESSAGES and LANG in that order (the first
// that is set and not empty decides); nothing set counts as German, the
// program's own language.
int LanguageBaseFromLocale();

// Same, for an explicit locale name such as "de_DE.UTF-8" or "en_US".
int LanguageBaseForLocaleName(const QString& name);

} // namespace kiv

// The second block in a language of its own: a translation installed for
// the locale speaks for it, the German block stays as written, and the
// template for a new language lists every text of the second block.
#include "kiv/shell/KivStrings.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTranslator>

namespace kiv {
namespace {

// A language that marks every text of the program it is asked for.
class MarkingTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override {
        return QLatin1String(context) == QLatin1String(kTextContext)
                   ? QStringLiteral("[xx] ") + QString::fromUtf8(source)
                   : QString();
    }
    bool isEmpty() const override { return false; }
};

TEST(KivLanguage, TranslationSpeaksForTheSecondBlockOnly) {
    EXPECT_FALSE(InstallTranslation(QLocale("fr_FR"))); // none built in
    EXPECT_EQ(Text(kSecondBase, 1), "&Game");
    MarkingTranslator marking;
    QCoreApplication::installTranslator(&marking);
    const QString second[] = {Text(kSecondBase, 1), Text(kSecondBase, 8), Text(kGermanBase, 1),
                              LoadText(kAppTitleId)};
    QCoreApplication::removeTranslator(&marking);
    EXPECT_EQ(second[0], "[xx] &Game");
    EXPECT_EQ(second[1], "[xx] Sprache &festlegen");
    EXPECT_EQ(second[2], "&Spiel");
    EXPECT_EQ(second[3], "Kiv Kiv");
    EXPECT_EQ(Text(kSecondBase, 1), "&Game");
    EXPECT_FALSE(HasText(kSecondBase + 34));
}

TEST(KivLanguage, TemplateListsEveryTextOfTheSecondBlock) {
    QFile file(QStringLiteral(CARDGAMES_SOURCE_DIR "/resources/kiv/translations/kiv_template.ts"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString ts = QString::fromUtf8(file.readAll());
    int listed = 0;
    for (int offset = 1; offset < 200; ++offset) {
        QString text = Text(kSecondBase, offset);
        if (text.isEmpty()) {
            continue;
        }
        ++listed;
        text.replace('&', QLatin1String("&amp;")).replace('"', QLatin1String("&quot;"));
        text.replace('\'', QLatin1String("&apos;")).replace('<', QLatin1String("&lt;"));
        text.replace('>', QLatin1String("&gt;"));
        EXPECT_TRUE(ts.contains("<source>" + text + "</source>")) << offset;
    }
    EXPECT_GT(listed, 130);
}

} // namespace
} // namespace kiv

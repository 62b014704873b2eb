// Where the program finds its sounds and help pages: an installed copy, the
// source tree named by the build folder's note, or the folder
// VARENTA_DATA_DIR names.
#include "varenta/store/StorePaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace varenta {
namespace {

const QString kSourceMedia = QStringLiteral(CARDGAMES_SOURCE_DIR "/resources/varenta");

TEST(VarentaMediaDir, InstalledCopyFirstThenTheSourceTreeUnlessTheEnvironmentNamesOne) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    // A build folder's program lies two folders below the note, as
    // build/varenta/app/varenta does.
    const QString bin = prefix.path() + "/varenta/app";
    const QString share = prefix.path() + "/varenta/share/varenta";
    const QString note = prefix.path() + "/cardgames-resources.txt";
    ASSERT_TRUE(QDir().mkpath(bin));
    const struct {
        const char* what;
        const char* helpIndex; // created below share/varenta, or nothing
        const char* environment;
        const char* noted; // the note's line, or no note
        QString expected;
    } cases[] = {
        {"nothing installed", nullptr, nullptr, CARDGAMES_SOURCE_DIR "/resources\n", kSourceMedia},
        {"a share folder without help pages", "help/other.html", nullptr,
         CARDGAMES_SOURCE_DIR "/resources", kSourceMedia},
        {"no note: the installed place", nullptr, nullptr, nullptr, share},
        {"an empty note: the installed place", nullptr, nullptr, "", share},
        {"an installed copy", "help/index.html", nullptr, CARDGAMES_SOURCE_DIR "/resources", share},
        {"an empty variable is not a folder", "help/index.html", "", nullptr, share},
        {"the variable wins", "help/index.html", "/opt/media", nullptr, "/opt/media"},
    };
    for (const auto& c : cases) {
        QFile::remove(note);
        if (c.noted != nullptr) {
            QFile file(note);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.noted);
        }
        QDir(share).removeRecursively();
        if (c.helpIndex != nullptr) {
            ASSERT_TRUE(QDir().mkpath(share + "/help"));
            QFile page(share + "/" + c.helpIndex);
            ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        }
        if (c.environment != nullptr) {
            setenv("VARENTA_DATA_DIR", c.environment, 1);
        } else {
            unsetenv("VARENTA_DATA_DIR");
        }
        EXPECT_EQ(VarentaMediaDir(bin), c.expected) << c.what;
    }
    unsetenv("VARENTA_DATA_DIR");
    QDir(share).removeRecursively();
    // This build's own note leads to the source tree's sounds and help pages.
    const QString built = QStringLiteral(CARDGAMES_BINARY_DIR "/varenta/app");
    EXPECT_TRUE(QFile::exists(VarentaMediaDir(built) + "/help/index.html"));
    EXPECT_TRUE(QFile::exists(VarentaMediaDir(built) + "/sounds/welcome.wav"));
}

} // namespace
} // namespace varenta

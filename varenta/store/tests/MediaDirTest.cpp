// Where the program finds its sounds and help pages: an installed copy, the
// source tree, or the folder VARENTA_DATA_DIR names.
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
    const QString bin = prefix.path() + "/bin";
    const QString share = prefix.path() + "/share/varenta";
    ASSERT_TRUE(QDir().mkpath(bin));
    const struct {
        const char* what;
        const char* helpIndex; // created below share/varenta, or nothing
        const char* environment;
        QString expected;
    } cases[] = {
        {"nothing installed", nullptr, nullptr, kSourceMedia},
        {"a share folder without help pages", "help/other.html", nullptr, kSourceMedia},
        {"an installed copy", "help/index.html", nullptr, share},
        {"an empty variable is not a folder", "help/index.html", "", share},
        {"the variable wins", "help/index.html", "/opt/media", "/opt/media"},
    };
    for (const auto& c : cases) {
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
    // Sounds and help pages of the source tree are where the lookup points.
    EXPECT_TRUE(QFile::exists(VarentaMediaDir(bin) + "/help/index.html"));
    EXPECT_TRUE(QFile::exists(VarentaMediaDir(bin) + "/sounds/welcome.wav"));
}

} // namespace
} // namespace varenta

// The Varenta program: a splash window while the table window is created,
// then the table. "/setup" first carries an older installation's settings over.
#include "varenta/store/RegFiles.h"
#include "varenta/store/SettingsUpgrade.h"
#include "varenta/table/SmallWindows.h"
#include "varenta/table/TfmVarMain.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSplashScreen>

#include <cstdlib>

namespace {

// Read-only media (waves, help pages): $VARENTA_DATA_DIR, an installed
// share/varenta next to the program, or the source tree's resources.
QString MediaDir() {
    if (const char* dir = std::getenv("VARENTA_DATA_DIR"); dir != nullptr && *dir != '\0') {
        return QString::fromLocal8Bit(dir);
    }
    const QString installed =
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../share/varenta");
    if (QFileInfo(installed + "/help/index.html").exists()) {
        return QDir::cleanPath(installed);
    }
    return QStringLiteral(CARDGAMES_RESOURCE_DIR "/varenta");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("varenta"));

    const QStringList args = QApplication::arguments().mid(1);
    if (args.contains(QStringLiteral("/setup"), Qt::CaseInsensitive)) {
        varenta::RunSettingsUpgrade(varenta::rfMain, varenta::DefaultUpgradeLocations());
    }

    QSplashScreen splash(varenta::DrawTitlePicture({320, 240}));
    splash.show();
    QApplication::processEvents();

    const QString media = MediaDir();
    varenta::TableServices services;
    services.mediaDir = media + "/sounds";
    services.helpDir = media + "/help";
    services.onStarted = [&splash] { splash.close(); };
    varenta::TfmVarMain window(services);
    window.show();
    splash.raise(); // stays in front until the first hand is dealt
    return QApplication::exec();
}

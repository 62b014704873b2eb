// The Varenta program: a splash window while the table window is created,
// then the table. "/setup" first carries an older installation's settings over.
#include "varenta/store/SettingsFile.h"
#include "varenta/store/SettingsUpgrade.h"
#include "varenta/table/SmallWindows.h"
#include "varenta/table/TableWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QSplashScreen>

#include <cstdio>
#include <cstdlib>

namespace {

// Read-only media (waves, tunes, help pages): $VARENTA_DATA_DIR, an installed
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

    // A damaged settings file has been set aside by the store; say so once.
    varenta::rfMain.SetNoticeHandler([](const QString& message) {
        QMessageBox::warning(nullptr, QStringLiteral("Varenta"), message);
    });

    // Another copy holding the settings lock: say so while waiting. The note
    // is made visible with one pass of the event queue that leaves out user
    // input and the network, so no game action runs in the middle of the
    // store call; an empty message ends the wait.
    QSplashScreen* waitNote = nullptr;
    varenta::rfMain.SetWaitHandler([&waitNote](const QString& message) {
        if (message.isEmpty()) {
            if (waitNote != nullptr) {
                waitNote->close();
            }
            return;
        }
        std::fprintf(stderr, "varenta: %s\n", message.toLocal8Bit().constData());
        if (waitNote == nullptr) {
            QPixmap blank(560, 90);
            blank.fill(Qt::white);
            waitNote = new QSplashScreen(blank);
        }
        waitNote->show();
        waitNote->showMessage(message, Qt::AlignCenter | Qt::TextWordWrap);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::ExcludeSocketNotifiers);
    });

    const QStringList args = QApplication::arguments().mid(1);
    if (args.contains(QStringLiteral("/setup"), Qt::CaseInsensitive)) {
        try {
            varenta::RunSettingsUpgrade(varenta::rfMain, varenta::DefaultUpgradeLocations());
        } catch (const varenta::SettingsError& e) {
            // The old settings stay where they were; the program runs on
            // with what the store already holds.
            QMessageBox::critical(nullptr, QStringLiteral("Varenta"), e.Message());
        }
    }

    QSplashScreen splash(varenta::DrawTitlePicture({320, 240}));
    splash.show();
    QApplication::processEvents();

    const QString media = MediaDir();
    varenta::TableServices services;
    services.mediaDir = media + "/sounds";
    services.musicDir = media + "/music";
    services.helpDir = media + "/help";
    services.onStarted = [&splash] { splash.close(); };
    // A saved game named on the command line is resumed instead of the
    // automatic one; "/setup" is an instruction, not a file.
    for (const QString& arg : args) {
        if (arg.compare(QStringLiteral("/setup"), Qt::CaseInsensitive) != 0) {
            services.resumeFile = arg;
            break;
        }
    }
    varenta::TableWindow window(services);
    window.show();
    splash.raise(); // stays in front until the first hand is dealt
    const int status = QApplication::exec();
    varenta::rfMain.SetWaitHandler(nullptr);
    delete waitNote;
    return status;
}

// The Varenta program: a splash window while the table window is created,
// then the table. "/setup" first carries an older installation's settings over.
#include "varenta/app/cli/CommandLine.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/store/SettingsUpgrade.h"
#include "varenta/store/StorePaths.h"
#include "varenta/table/QuitSignals.h"
#include "varenta/table/SmallWindows.h"
#include "varenta/table/TableTranslation.h"
#include "varenta/table/TableWindow.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QSplashScreen>

#include <cstdio>
#include <optional>
#include <string>

int main(int argc, char** argv) {
    // --help and --version need no display.
    if (std::string answer; varenta::AnswersAtOnce(argc, argv, answer)) {
        std::fputs(answer.c_str(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("varenta"));
    QGuiApplication::setDesktopFileName(QStringLiteral(CARDGAMES_APP_ID));
    // The user's language (LANG, LC_MESSAGES, LANGUAGE), before any text is shown.
    varenta::InstallTranslation(QLocale::system());

    // Ctrl+C and kill end the program like its Exit command, from the first
    // message box on.
    varenta::QuitSignals quitSignals;
    varenta::TableWindow* table = nullptr;
    QObject::connect(&quitSignals, &varenta::QuitSignals::Requested, [&table] {
        if (table != nullptr) {
            table->EndOnSignal();
        } else if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            box->reject();
        }
    });

    // A damaged settings file has been set aside by the store; say so once.
    // Scripts and tests that start the program learn when it is playing,
    // and when such a notice waits for an answer.
    const bool readyNotice = !qEnvironmentVariableIsEmpty("VARENTA_READY_NOTICE");
    varenta::rfMain.SetNoticeHandler([readyNotice](const QString& message) {
        std::fprintf(stderr, "varenta: %s\n", message.toLocal8Bit().constData());
        if (readyNotice) {
            std::printf("varenta: notice\n");
            std::fflush(stdout);
        }
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

    QString problem;
    const std::optional<varenta::CommandLine> line =
        varenta::ReadCommandLine(QApplication::arguments().mid(1), problem);
    if (!line) {
        std::fprintf(stderr, "%s\n%s", problem.toLocal8Bit().constData(),
                     varenta::UsageText().c_str());
        return 2;
    }
    if (line->setup) {
        try {
            varenta::RunSettingsUpgrade(varenta::rfMain, varenta::DefaultUpgradeLocations());
        } catch (const varenta::SettingsError& e) {
            // The old settings stay where they were; the program runs on
            // with what the store already holds.
            QMessageBox::critical(nullptr, QStringLiteral("Varenta"), e.Message());
        }
    }

    if (quitSignals.Received() != 0) {
        return varenta::ExitStatusAfterSignal(quitSignals.Received(), 0);
    }

    QSplashScreen splash(varenta::DrawTitlePicture({320, 240}));
    splash.show();
    QApplication::processEvents();

    const QString media = varenta::VarentaMediaDir(QCoreApplication::applicationDirPath());
    varenta::TableServices services;
    services.mediaDir = media + "/sounds";
    services.musicDir = media + "/music";
    services.helpDir = media + "/help";
    services.onStarted = [&splash, readyNotice] {
        splash.close();
        if (readyNotice) {
            std::printf("varenta: ready\n");
            std::fflush(stdout);
        }
    };
    // A saved game named on the command line is resumed instead of the
    // automatic one.
    services.resumeFile = line->savedGame;
    varenta::TableWindow window(services);
    // A signal while the window was being made (a notice about the settings
    // may have been open) ends the program now, not never.
    if (quitSignals.Received() != 0) {
        return varenta::ExitStatusAfterSignal(quitSignals.Received(), 0);
    }
    table = &window;
    window.show();
    splash.raise(); // stays in front until the first hand is dealt
    const int status = QApplication::exec();
    table = nullptr;
    varenta::rfMain.SetWaitHandler(nullptr);
    delete waitNote;
    return varenta::ExitStatusAfterSignal(quitSignals.Received(), status);
}

// The Kiv Kiv program: one document, read from kiv32.ini, shown in one main
// window with the table view.
#include "kiv/app/cli/CommandLine.h"
#include "kiv/engine/KivGame.h"
#include "kiv/shell/KivArt.h"
#include "kiv/shell/KivDocFiles.h"
#include "kiv/shell/KivDocument.h"
#include "kiv/shell/KivFiles.h"
#include "kiv/shell/KivMainWindow.h"
#include "kiv/shell/KivPrompter.h"
#include "kiv/shell/KivQtTexts.h"
#include "kiv/shell/KivQuitSignals.h"
#include "kiv/shell/KivSound.h"
#include "kiv/shell/KivStrings.h"
#include "kiv/shell/KivTableView.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    // --help and --version need no display.
    if (std::string answer; kiv::AnswersAtOnce(argc, argv, answer)) {
        std::fputs(answer.c_str(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    // A language with a translation of its own speaks for the second block.
    kiv::InstallTranslation(QLocale::system());
    QApplication::setApplicationName(QStringLiteral("kiv"));
    if (const QString wrong = kiv::WrongArgument(QApplication::arguments().mid(1));
        !wrong.isEmpty()) {
        std::fprintf(stderr, "%s\n%s", wrong.toLocal8Bit().constData(), kiv::UsageText().c_str());
        return 2;
    }
    QGuiApplication::setDesktopFileName(QStringLiteral(CARDGAMES_APP_ID));

    // Ctrl+C and kill end the program like closing its window, from the
    // first message box on.
    kiv::QuitSignals quitSignals;
    kiv::KivMainWindow* frame = nullptr;
    QObject::connect(&quitSignals, &kiv::QuitSignals::Requested, [&frame] {
        if (frame != nullptr) {
            frame->EndOnSignal();
        } else if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            box->reject();
        }
    });

    kiv::QtPrompter prompter;
    kiv::KivDocument doc(kiv::LanguageBaseFromLocale());
    kiv::FollowLanguageInQtDialogs(doc.Settings().languageBase);
    doc.programFolder = kiv::ConfigFolder().toStdString();
    kiv::EnsureFolder(kiv::ConfigFolder());
    kiv::ReadConfig(doc, prompter);
    if (quitSignals.Received() != 0) {
        return kiv::ExitStatusAfterSignal(quitSignals.Received(), 0);
    }
    prompter.SetLanguageBase(doc.Settings().languageBase);
    kiv::FollowLanguageInQtDialogs(doc.Settings().languageBase);

    kiv::SdlSound sound(doc.Settings().languageBase);
    kiv::KivMainWindow window(doc, prompter, &sound);
    frame = &window;
    // Scripts and tests that start the program learn when it is playing.
    if (!qEnvironmentVariableIsEmpty("KIV_READY_NOTICE")) {
        QObject::connect(window.View(), &kiv::KivTableView::FirstRoundDealt, [] {
            std::printf("kiv: ready\n");
            std::fflush(stdout);
        });
    }
    window.ShowAsRemembered();
    // The icon is drawn once the window is up; a window manager takes a new
    // icon at any time.
    QTimer::singleShot(0, &window, [] { QApplication::setWindowIcon(kiv::ProgramIcon()); });
    const int status = QApplication::exec();
    frame = nullptr;
    return kiv::ExitStatusAfterSignal(quitSignals.Received(), status);
}

// The Kiv Kiv program: one document, read from kiv32.ini, shown in one main
// window with the table view.
#include "kiv/engine/KivGame.h"
#include "kiv/shell/KivArt.h"
#include "kiv/shell/KivDocFiles.h"
#include "kiv/shell/KivFiles.h"
#include "kiv/shell/KivMainWindow.h"
#include "kiv/shell/KivPrompter.h"
#include "kiv/shell/KivSound.h"
#include "kiv/shell/KivStrings.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kiv"));
    QGuiApplication::setDesktopFileName(QStringLiteral(CARDGAMES_APP_ID));
    QApplication::setWindowIcon(QIcon(kiv::KivBitmap(201)));

    kiv::QtPrompter prompter;
    kiv::KivGame doc(kiv::LanguageBaseFromLocale());
    doc.programFolder = kiv::ConfigFolder().toStdString();
    kiv::EnsureFolder(kiv::ConfigFolder());
    kiv::ReadConfig(doc, prompter);
    prompter.SetLanguageBase(doc.languageBase);

    kiv::SdlSound sound;
    kiv::KivMainWindow frame(doc, prompter, &sound);
    frame.show();
    return app.exec();
}

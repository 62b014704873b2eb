#include "kiv/shell/KivQtTexts.h"

#include "kiv/shell/KivStrings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace kiv {

bool FollowLanguageInQtDialogs(int languageBase) {
    static QPointer<QTranslator> german;
    if (languageBase != kGermanBase) {
        if (german != nullptr) {
            QCoreApplication::removeTranslator(german);
        }
        return true;
    }
    if (german == nullptr) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        // qtbase holds the dialogs and standard buttons of the widgets.
        if (!translator->load(QStringLiteral("qtbase_de"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            delete translator;
            return false;
        }
        german = translator;
    }
    // Taken out first so that it is never listed twice.
    QCoreApplication::removeTranslator(german);
    QCoreApplication::installTranslator(german);
    return true;
}

} // namespace kiv

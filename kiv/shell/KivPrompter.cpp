#include "kiv/shell/KivPrompter.h"

#include "kiv/shell/KivStrings.h"

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

namespace kiv {

void QtPrompter::Inform(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, LoadText(kAppTitleId), text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtPrompter::Ask(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, LoadText(kAppTitleId), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    const bool german = languageBase_ == kGermanBase;
    box.button(QMessageBox::Yes)->setText(german ? QStringLiteral("&Ja") : QStringLiteral("&Yes"));
    box.button(QMessageBox::No)->setText(german ? QStringLiteral("&Nein") : QStringLiteral("&No"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

int QtPrompter::Run(QDialog& dialog) {
    return dialog.exec();
}

} // namespace kiv

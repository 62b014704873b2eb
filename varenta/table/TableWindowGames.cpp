// The table window's saved games: Game | Load and Save, the game resumed at
// start and the automatic save when the window closes.
#include "varenta/table/TableWindow.h"

#include "varenta/store/SavedGameFile.h"
#include "varenta/store/SavedGameTexts.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/store/StorePaths.h"
#include "varenta/table/HelpTopics.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

#include <memory>

namespace varenta {

namespace {

// The current player is always stored first, as "name,wins,losses".
constexpr char kKeyCurrentPlayer[] = "Player Names\\PlayerName1";
constexpr char kNoPlayer[] = "none";

std::string Native(const QString& path) {
    return path.toLocal8Bit().toStdString();
}

QString FromNative(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString TableWindow::GameFileDialog(bool save, const QString& suggested) {
    QFileDialog dialog(
        this, QString::fromUtf8(save ? texts::kSaveDialogCaption : texts::kLoadDialogCaption));
    SetHelpTopic(&dialog, topics::kSavedGames);
    dialog.setNameFilters(QString::fromUtf8(texts::kSavedGameFilter).split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(QString::fromUtf8(texts::kSavedGameExtension));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectFile(suggested);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDirectory(suggested);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QString TableWindow::CurrentPlayerName() const {
    if (players_.HasCurrent()) {
        return players_.CurrentName();
    }
    const QString stored =
        store_->ReadString(QString::fromLatin1(kKeyCurrentPlayer), QString::fromLatin1(kNoPlayer));
    if (stored == QLatin1String(kNoPlayer)) {
        return {};
    }
    return stored.section(QLatin1Char(','), 0, 0);
}

bool TableWindow::LoadCheckedGame(const QString& path) {
    // Read and checked whole before the table changes: a file refused here
    // leaves the game on the table exactly as it was.
    auto game = std::make_unique<SavedGame>();
    std::string message;
    if (!ReadSavedGameFile(Native(path), *game, message)) {
        dialogs_.message(MessageKind::Error, FromNative(message));
        TakeFocusBack();
        return false;
    }
    rightClicked_ = {};
    rightCount_ = 0;
    RunEngine([this, &game] { ApplySavedGame(engine_, *game); });
    return true;
}

void TableWindow::LoadClick() {
    if (!started_ || depth_ > 0 || closePending_) {
        return;
    }
    if (engine_.IsNetworkGame()) {
        dialogs_.message(MessageKind::Information, QString::fromUtf8(texts::kLoadInNetworkGame));
        TakeFocusBack();
        return;
    }
    QDir().mkpath(VarentaDataDir());
    const QString path = dialogs_.gameFile(false, VarentaDataDir());
    TakeFocusBack();
    if (path.isEmpty()) {
        return;
    }
    std::string message;
    if (CheckSavedGame(Native(path), message) == SavedGameCheck::Refused) {
        dialogs_.message(MessageKind::Information, FromNative(message));
        TakeFocusBack();
        return;
    }
    // A file gone since the dialog closed is reported by the reading.
    LoadCheckedGame(path);
}

void TableWindow::SaveClick() {
    if (!started_ || depth_ > 0 || closePending_) {
        return;
    }
    switch (CheckSaveAllowed(engine_, false)) {
    case SaveRefusal::TakePending:
        dialogs_.message(MessageKind::Information, QString::fromUtf8(texts::kSaveWhileTaking));
        TakeFocusBack();
        return;
    case SaveRefusal::MeldIncorrect:
        dialogs_.message(MessageKind::Information, QString::fromUtf8(texts::kSaveMeldIncorrect));
        TakeFocusBack();
        return;
    case SaveRefusal::None:
        break;
    }
    QDir().mkpath(VarentaDataDir());
    const QString suggested =
        VarentaDataDir() + QLatin1Char('/') +
        QString::fromStdString(DefaultSaveFileName(CurrentPlayerName().toStdString()));
    const QString path = dialogs_.gameFile(true, suggested);
    TakeFocusBack();
    if (path.isEmpty()) {
        return;
    }
    std::string message;
    if (!WriteSavedGameFile(Native(path), engine_.State(), engine_.Geometry().layout, message)) {
        dialogs_.message(MessageKind::Error, FromNative(message));
        TakeFocusBack();
    }
}

void TableWindow::ResumeAtStart() {
    QString path = services_.resumeFile;
    if (path.isEmpty() && store_->ReadBool(QString::fromLatin1(kKeyAutoSave), true)) {
        path = AutosaveFileName();
    }
    if (!path.isEmpty()) {
        std::string message;
        switch (CheckSavedGame(Native(path), message)) {
        case SavedGameCheck::Ok:
            sounds_->PlaySoundEvent(std::string_view("Start"));
            if (LoadCheckedGame(path)) {
                return;
            }
            break;
        case SavedGameCheck::Refused:
            dialogs_.message(MessageKind::Information, FromNative(message));
            break;
        case SavedGameCheck::Missing:
            break;
        }
    }
    SetWaitCursor(true);
    RunEngine([this] { engine_.DealHand(true); });
    SetWaitCursor(false);
}

void TableWindow::AutoSaveOnExit() {
    // Closed before the first hand: the game of last time was neither
    // resumed nor replaced, so its file stays for the next start.
    if (!started_) {
        return;
    }
    const QString path = AutosaveFileName();
    if (!store_->ReadBool(QString::fromLatin1(kKeyAutoSave), true) ||
        !engine_.State().gameInProgress) {
        QFile::remove(path);
        return;
    }
    if (CheckSaveAllowed(engine_, true) != SaveRefusal::None) {
        return; // a meld that is not correct is not kept
    }
    QDir().mkpath(VarentaDataDir());
    std::string message;
    if (!WriteSavedGameFile(Native(path), engine_.State(), engine_.Geometry().layout, message)) {
        dialogs_.message(MessageKind::Error, FromNative(message));
    }
}

} // namespace varenta

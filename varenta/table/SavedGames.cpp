// The table window's saved games: Game | Load and Save, the game resumed at
// start and the automatic save when the window closes.
#include "varenta/table/SavedGames.h"

#include "varenta/table/TableTextConversion.h"

#include "varenta/engine/VarentaEngine.h"
#include "varenta/net/session/NetworkSession.h"
#include "varenta/store/NetworkGameFile.h"
#include "varenta/store/SavedGameFile.h"
#include "varenta/store/SavedGameTexts.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/store/StorePaths.h"
#include "varenta/table/HelpTopics.h"
#include "varenta/table/NetworkTexts.h"
#include "varenta/table/TableController.h"
#include "varenta/table/TableMedia.h"
#include "varenta/table/TableNetwork.h"
#include "varenta/table/TableRecords.h"
#include "varenta/table/TableWindow.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include <memory>

namespace varenta {

namespace {

std::string Native(const QString& path) {
    return path.toLocal8Bit().toStdString();
}

QString FromNative(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString SavedGames::GameFileDialog(bool save, const QString& suggested) {
    QFileDialog dialog(&window_, Tr(save ? texts::kSaveDialogCaption : texts::kLoadDialogCaption));
    SetHelpTopic(&dialog, topics::kSavedGames);
    dialog.setNameFilters(Tr(texts::kSavedGameFilter).split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(Tr(texts::kSavedGameExtension));
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

bool SavedGames::LoadCheckedGame(const QString& path) {
    // Read and checked whole before the table changes: a file refused here
    // leaves the game on the table exactly as it was.
    auto game = std::make_unique<SavedGame>();
    std::string message;
    if (!ReadSavedGameFile(Native(path), *game, message)) {
        window_.Dialogs().message(MessageKind::Error, FromNative(message));
        window_.TakeFocusBack();
        return false;
    }
    window_.Controller().ForgetRightClick();
    window_.Controller().RunEngine([this, &game] { ApplySavedGame(window_.Engine(), *game); });
    return true;
}

void SavedGames::LoadClick() {
    if (!window_.Started() || window_.Controller().Busy() || window_.Controller().Closing()) {
        return;
    }
    if (window_.Engine().IsNetworkGame()) {
        window_.Dialogs().message(MessageKind::Information, Tr(texts::kLoadInNetworkGame));
        window_.TakeFocusBack();
        return;
    }
    QDir().mkpath(VarentaDataDir());
    const QString path = window_.Dialogs().gameFile(false, VarentaDataDir());
    window_.TakeFocusBack();
    if (path.isEmpty()) {
        return;
    }
    std::string message;
    if (CheckSavedGame(Native(path), message) == SavedGameCheck::Refused) {
        window_.Dialogs().message(MessageKind::Information, FromNative(message));
        window_.TakeFocusBack();
        return;
    }
    // A file gone since the dialog closed is reported by the reading.
    LoadCheckedGame(path);
}

void SavedGames::SaveClick() {
    if (!window_.Started() || window_.Controller().Busy() || window_.Controller().Closing()) {
        return;
    }
    switch (CheckSaveAllowed(window_.Engine(), false)) {
    case SaveRefusal::TakePending:
        window_.Dialogs().message(MessageKind::Information, Tr(texts::kSaveWhileTaking));
        window_.TakeFocusBack();
        return;
    case SaveRefusal::MeldIncorrect:
        window_.Dialogs().message(MessageKind::Information, Tr(texts::kSaveMeldIncorrect));
        window_.TakeFocusBack();
        return;
    case SaveRefusal::None:
        break;
    }
    QDir().mkpath(VarentaDataDir());
    const QString suggested = VarentaDataDir() + QLatin1Char('/') +
                              QString::fromStdString(DefaultSaveFileName(
                                  window_.Records().CurrentPlayerName().toStdString()));
    const QString path = window_.Dialogs().gameFile(true, suggested);
    window_.TakeFocusBack();
    if (path.isEmpty()) {
        return;
    }
    std::string message;
    if (!WriteSavedGameFile(Native(path), window_.Engine().State(),
                            window_.Engine().Geometry().layout, message)) {
        window_.Dialogs().message(MessageKind::Error, FromNative(message));
        window_.TakeFocusBack();
    }
}

QString SavedGames::KeptGamePath() const {
    const QString& kept = window_.Services().keptGameFile;
    return kept.isEmpty() ? KeptNetworkGameFileName() : kept;
}

QString SavedGames::KeepNetworkGame(const std::string& lineRecord) {
    QDir().mkpath(QFileInfo(KeptGamePath()).absolutePath());
    std::string message;
    if (!WriteKeptNetworkGame(Native(KeptGamePath()), window_.Engine().State(),
                              window_.Engine().Geometry().layout, lineRecord, message)) {
        return FromNative(message);
    }
    return {};
}

void SavedGames::ForgetNetworkGame() {
    QFile::remove(KeptGamePath());
}

bool SavedGames::TakeUpKeptGame() {
    KeptNetworkGame kept;
    std::string message;
    bool missing = false;
    if (!ReadKeptNetworkGame(Native(KeptGamePath()), kept, message, missing)) {
        if (!missing) {
            // A damaged file would be offered at every start: it goes, with a word.
            window_.Dialogs().message(MessageKind::Information, FromNative(message));
            ForgetNetworkGame();
        }
        return false;
    }
    const QString partner = QString::fromStdString(PartnerOfKeptLine(kept.lineRecord));
    if (!window_.Dialogs().yesNo(Tr(texts::kAskTakeUpKeptGame).arg(partner))) {
        ForgetNetworkGame();
        return false;
    }
    window_.Controller().RunEngine(
        [this, &kept] { window_.Engine().LoadNetworkPosition(kept.game); });
    if (!window_.Network().TakeUpKeptGame(kept.lineRecord)) {
        // The table holds the game still; it goes on against the computer.
        window_.Controller().RunEngine(
            [this] { window_.Engine().GoOnAgainstComputer(nullptr, false); });
    }
    return true;
}

void SavedGames::ResumeAtStart() {
    // Saves a killed copy left half-written are of no use to anyone.
    RemoveStaleSaves(Native(VarentaDataDir()));
    QString path = window_.Services().resumeFile;
    const bool named = !path.isEmpty();
    // A network game kept over a lost line comes first; the autosave stays
    // for a start without it.
    if (!named && TakeUpKeptGame()) {
        return;
    }
    if (!named && window_.Store().ReadBool(QString::fromLatin1(kKeyAutoSave), true)) {
        path = AutosaveFileName();
    }
    if (!path.isEmpty()) {
        std::string message;
        switch (CheckSavedGame(Native(path), message)) {
        case SavedGameCheck::Ok:
            window_.Media().Sounds().PlaySoundEvent(std::string_view("Start"));
            if (LoadCheckedGame(path)) {
                return;
            }
            break;
        case SavedGameCheck::Refused:
            window_.Dialogs().message(MessageKind::Information, FromNative(message));
            break;
        case SavedGameCheck::Missing:
            // The automatic file is simply not there yet; a file the user
            // named is worth a word.
            if (named) {
                window_.Dialogs().message(MessageKind::Information, FromNative(message));
            }
            break;
        }
        keepEarlierAutosave_ = named;
    }
    window_.Controller().SetWaitCursor(true);
    window_.Controller().RunEngine([this] { window_.Engine().DealHand(true); });
    window_.Controller().SetWaitCursor(false);
}

void SavedGames::AutoSaveOnExit() {
    // Closed before the first hand: the game of last time was neither
    // resumed nor replaced, so its file stays for the next start.
    if (!window_.Started()) {
        return;
    }
    // A network game that waits is kept in its own file (TableNetwork); the
    // autosave stays as it was.
    if (window_.Engine().IsNetworkGame() && window_.Network().Session().GameWaits()) {
        return;
    }
    const QString path = AutosaveFileName();
    const bool autoSave = window_.Store().ReadBool(QString::fromLatin1(kKeyAutoSave), true);
    if (autoSave && keepEarlierAutosave_ && !window_.Engine().State().gameInProgress) {
        return;
    }
    if (!autoSave || !window_.Engine().State().gameInProgress) {
        QFile::remove(path);
        return;
    }
    SaveRefusal refusal = CheckSaveAllowed(window_.Engine(), true);
    if (refusal != SaveRefusal::None) {
        // The turn's melds are unfinished: what is kept is the position
        // before them, the one the player would come back to with Undo.
        window_.Controller().RunEngine([this] { window_.Engine().TakeBackTurn(); });
        refusal = CheckSaveAllowed(window_.Engine(), true);
    }
    if (refusal != SaveRefusal::None) {
        // Left in place, the autosave of an earlier session would come back
        // at the next start as if it were this one.
        QFile::remove(path);
        window_.Dialogs().message(MessageKind::Information, Tr(texts::kAutoSaveMeldIncorrect));
        return;
    }
    QDir().mkpath(VarentaDataDir());
    std::string message;
    if (!WriteSavedGameFile(Native(path), window_.Engine().State(),
                            window_.Engine().Geometry().layout, message)) {
        window_.Dialogs().message(MessageKind::Error, FromNative(message));
    }
}

} // namespace varenta

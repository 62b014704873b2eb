// The table window's card backs, sound and music: the players, the music's
// start and sequence, and the "&Decks..." and "&Sound..." commands.
#include "varenta/store/SettingsFile.h"
#include "varenta/table/CardBackDialog.h"
#include "varenta/table/CardBackSettings.h"
#include "varenta/table/SdlMusicPlayer.h"
#include "varenta/table/SoundDialog.h"
#include "varenta/table/TableTexts.h"
#include "varenta/table/TableView.h"
#include "varenta/table/TableWindow.h"

#include <QDateTime>
#include <QFileDialog>

namespace varenta {

void TableWindow::MakeMediaPlayers() {
    music_ = services_.music;
    if (music_ == nullptr) {
        ownMusic_ = std::make_unique<SdlMusicPlayer>();
        music_ = ownMusic_.get();
    }
    const QString musicDir = services_.musicDir.isEmpty() ? services_.mediaDir : services_.musicDir;
    jukeboxRandom_.seed(static_cast<std::mt19937::result_type>(services_.seed));
    jukebox_ = std::make_unique<Jukebox>(
        *music_, musicDir.toStdString(),
        [this](int n) { return std::uniform_int_distribution<int>(0, n - 1)(jukeboxRandom_); },
        [this] {
            // A new order for every pass through the folder; a test's fixed
            // seed keeps the order it expects.
            if (services_.seed == 0) {
                jukeboxRandom_.seed(
                    static_cast<std::mt19937::result_type>(QDateTime::currentMSecsSinceEpoch()));
            }
        });
    // The mixer's report of a finished piece arrives on the GUI thread.
    music_->finished = [this] {
        if (!closePending_) {
            jukebox_->MusicNext();
        }
    };

    dialogs_.openFile = [this](const QString& caption, const QString& dir, const QString& filter) {
        return QFileDialog::getOpenFileName(this, caption, dir, filter);
    };
    dialogs_.chooseFolder = [this](const QString& caption, const QString& dir) {
        return QFileDialog::getExistingDirectory(this, caption, dir);
    };
    dialogs_.choosePattern = [this](int pattern) -> std::optional<int> {
        CardPatternDialog dialog(pattern, this);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.Pattern();
    };
}

// Loading the tunes is left until the table is up, so it never delays the
// first window.
void TableWindow::StartMusic() {
    jukebox_->MusicNext();
}

void TableWindow::ReportUnreadableBacks(const std::array<bool, 2>& unreadable) {
    for (std::size_t deck = 0; deck < backs_.size(); ++deck) {
        const std::string& file = backs_.at(deck).fileName;
        if (!unreadable.at(deck)) {
            reportedBacks_.at(deck).clear();
            continue;
        }
        if (reportedBacks_.at(deck) == file) {
            continue; // said once; a new layout need not say it again
        }
        reportedBacks_.at(deck) = file;
        pendingBackMessages_.append(QString::fromUtf8(texts::kPictureUnreadable) +
                                    QString::fromStdString(file) +
                                    QString::fromUtf8(texts::kPictureUnreadableEnd));
    }
    ShowPendingBackMessages();
}

void TableWindow::ShowPendingBackMessages() {
    // While the window is still being made the messages wait for the table.
    if (!started_) {
        return;
    }
    const QStringList messages = std::exchange(pendingBackMessages_, {});
    for (const QString& message : messages) {
        dialogs_.message(MessageKind::Warning, message);
    }
}

void TableWindow::TakeCardBacks(const std::array<CardBack, 2>& backs) {
    backs_ = backs;
    LoadCardImages();
    view_->update();
}

void TableWindow::DecksClick() {
    if (depth_ > 0 || closePending_) {
        return;
    }
    CardBackServices services;
    services.chooseColor = dialogs_.chooseColor;
    services.choosePattern = dialogs_.choosePattern;
    services.openFile = dialogs_.openFile;
    services.refuse = [this](const QString& text) { dialogs_.message(MessageKind::Warning, text); };
    services.error = [this](const QString& text) { dialogs_.message(MessageKind::Error, text); };
    services.apply = [this](const std::array<CardBack, 2>& backs) { TakeCardBacks(backs); };
    CardBackDialog dialog(*store_, services, this);
    dialogs_.modal(dialog);
    TakeFocusBack();
}

void TableWindow::TakeSoundSettings(bool soundEnabled, const MusicSettings& music) {
    sounds_->SetEnabled(soundEnabled);
    // New settings start the list afresh; what plays now gives way at once.
    jukebox_->SetSettings(music);
    jukebox_->Restart();
}

void TableWindow::SoundClick() {
    if (depth_ > 0 || closePending_) {
        return;
    }
    SoundServices services;
    services.openFile = dialogs_.openFile;
    services.chooseFolder = dialogs_.chooseFolder;
    services.error = [this](const QString& text) { dialogs_.message(MessageKind::Error, text); };
    services.apply = [this](bool soundEnabled, const MusicSettings& music) {
        TakeSoundSettings(soundEnabled, music);
    };
    SoundDialog dialog(*store_, *sounds_, jukebox_->Folder(), services, this);
    dialogs_.modal(dialog);
    TakeFocusBack();
}

} // namespace varenta

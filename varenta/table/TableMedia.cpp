#include "varenta/table/TableMedia.h"

#include "varenta/table/TableTextConversion.h"

#include "varenta/engine/VarentaEngine.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/table/CardBackDialog.h"
#include "varenta/table/CardBackSettings.h"
#include "varenta/table/SdlMusicPlayer.h"
#include "varenta/table/SdlSoundPlayer.h"
#include "varenta/table/SoundDialog.h"
#include "varenta/table/TableController.h"
#include "varenta/table/TableSettings.h"
#include "varenta/table/TableTexts.h"
#include "varenta/table/TableView.h"
#include "varenta/table/TableWindow.h"

#include <QDateTime>

namespace varenta {

TableMedia::TableMedia(TableWindow& window, SoundPlayer* sound, MusicPlayer* music,
                       const QString& mediaDir, const QString& musicDir, std::uint64_t seed)
    : window_(window), music_(music), seed_(seed) {
    if (sound == nullptr) {
        ownSound_ = std::make_unique<SdlSoundPlayer>();
        sound = ownSound_.get();
    }
    sounds_ = std::make_unique<SoundEvents>(
        *sound, mediaDir.toStdString(), [this](int n) { return window_.Engine().Rng().Next(n); });
    if (music_ == nullptr) {
        ownMusic_ = std::make_unique<SdlMusicPlayer>();
        music_ = ownMusic_.get();
    }
    const QString tunes = musicDir.isEmpty() ? mediaDir : musicDir;
    jukeboxRandom_.seed(static_cast<std::mt19937::result_type>(seed_));
    jukebox_ = std::make_unique<Jukebox>(
        *music_, tunes.toStdString(),
        [this](int n) { return std::uniform_int_distribution<int>(0, n - 1)(jukeboxRandom_); },
        [this] {
            // A new order for every pass through the folder; a test's fixed
            // seed keeps the order it expects.
            if (seed_ == 0) {
                jukeboxRandom_.seed(
                    static_cast<std::mt19937::result_type>(QDateTime::currentMSecsSinceEpoch()));
            }
        });
    // The mixer's report of a finished piece arrives on the GUI thread.
    music_->finished = [this] {
        if (!window_.Controller().Closing()) {
            jukebox_->MusicNext();
        }
    };
}

TableMedia::~TableMedia() {
    music_->finished = nullptr;
}

void TableMedia::ReadSettings(SettingsFile& s) {
    sounds_->SetEnabled(s.ReadBool(kKeySound, true));
    sounds_->ReadLists([&s](const std::string& key) -> std::optional<std::string> {
        const auto [group, name] = SplitSettingName(QString::fromStdString(key));
        if (!s.ValueExists(group, name)) {
            return std::nullopt;
        }
        return s.ReadString(QString::fromStdString(key), QString()).toStdString();
    });
    backs_ = ReadCardBacks(s, kTableBackColors, kTableBackPattern);
    jukebox_->SetSettings(ReadMusicSettings(s, jukebox_->Folder()));
}

void TableMedia::Finish() {
    music_->finished = nullptr;
    music_->Stop();
    sounds_->PlaySoundEvent(std::string_view("Exit"));
}

void TableMedia::StartMusic() {
    jukebox_->MusicNext();
}

void TableMedia::ReportUnreadableBacks(const std::array<bool, 2>& unreadable) {
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
        pendingBackMessages_.append(Tr(texts::kPictureUnreadable) + QString::fromStdString(file) +
                                    Tr(texts::kPictureUnreadableEnd));
    }
    ShowPendingBackMessages();
}

void TableMedia::ShowPendingBackMessages() {
    // While the window is still being made the messages wait for the table.
    if (!window_.Started()) {
        return;
    }
    const QStringList messages = std::exchange(pendingBackMessages_, {});
    for (const QString& message : messages) {
        window_.Dialogs().message(MessageKind::Warning, message);
    }
}

void TableMedia::TakeCardBacks(const std::array<CardBack, 2>& backs) {
    backs_ = backs;
    window_.LoadCardImages();
    window_.View()->update();
}

void TableMedia::DecksClick() {
    if (window_.Controller().Busy() || window_.Controller().Closing()) {
        return;
    }
    CardBackServices services;
    services.chooseColor = window_.Dialogs().chooseColor;
    services.choosePattern = window_.Dialogs().choosePattern;
    services.openFile = window_.Dialogs().openFile;
    services.refuse = [this](const QString& text) {
        window_.Dialogs().message(MessageKind::Warning, text);
    };
    services.error = [this](const QString& text) {
        window_.Dialogs().message(MessageKind::Error, text);
    };
    services.apply = [this](const std::array<CardBack, 2>& backs) { TakeCardBacks(backs); };
    CardBackDialog dialog(window_.Store(), services, &window_);
    window_.Dialogs().modal(dialog);
    window_.TakeFocusBack();
}

void TableMedia::TakeSoundSettings(bool soundEnabled, const MusicSettings& music) {
    sounds_->SetEnabled(soundEnabled);
    // New settings start the list afresh; what plays now gives way at once.
    jukebox_->SetSettings(music);
    jukebox_->Restart();
}

void TableMedia::SoundClick() {
    if (window_.Controller().Busy() || window_.Controller().Closing()) {
        return;
    }
    SoundServices services;
    services.openFile = window_.Dialogs().openFile;
    services.chooseFolder = window_.Dialogs().chooseFolder;
    services.error = [this](const QString& text) {
        window_.Dialogs().message(MessageKind::Error, text);
    };
    services.apply = [this](bool soundEnabled, const MusicSettings& music) {
        TakeSoundSettings(soundEnabled, music);
    };
    SoundDialog dialog(window_.Store(), *sounds_, jukebox_->Folder(), services, &window_);
    window_.Dialogs().modal(dialog);
    window_.TakeFocusBack();
}

} // namespace varenta

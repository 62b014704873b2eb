// The table's card backs, sound and music: the players, the sound events,
// the jukebox and its start, and the "&Decks..." and "&Sound..." commands.
#pragma once

#include "varenta/table/CardImages.h"
#include "varenta/table/Jukebox.h"
#include "varenta/table/SoundEvents.h"

#include <QStringList>

#include <array>
#include <memory>
#include <random>
#include <string>

namespace varenta {

class SettingsFile;
class TableWindow;

class TableMedia {
public:
    // The players may be handed in (tests); nullptr gets SDL2_mixer's.
    // `seed` orders the jukebox's shuffles (0: from the clock).
    TableMedia(TableWindow& window, SoundPlayer* sound, MusicPlayer* music, const QString& mediaDir,
               const QString& musicDir, std::uint64_t seed);
    ~TableMedia();
    TableMedia(const TableMedia&) = delete;
    TableMedia& operator=(const TableMedia&) = delete;

    // The stored switches, sound lists, card backs and music settings.
    void ReadSettings(SettingsFile& store);
    SoundEvents& Sounds() { return *sounds_; }
    Jukebox& Music() { return *jukebox_; }
    const std::array<CardBack, 2>& Backs() const { return backs_; }

    // Loading the tunes waits until the table is up, so it never delays the
    // first window.
    void StartMusic();
    // The window closes: the music stops, the farewell sound plays out
    // (never longer than three seconds).
    void Finish();

    // The menu commands "&Decks..." and "&Sound...".
    void DecksClick();
    void SoundClick();
    // After the card back dialog stored them: new pictures, repainted.
    void TakeCardBacks(const std::array<CardBack, 2>& backs);
    // After the sound dialog stored them: the switches, and the music
    // started again (or stopped) under the new settings.
    void TakeSoundSettings(bool soundEnabled, const MusicSettings& music);
    // Card back pictures that could not be read are said once each; while
    // the table is not up yet the messages wait for ShowPendingBackMessages.
    void ReportUnreadableBacks(const std::array<bool, 2>& unreadable);
    void ShowPendingBackMessages();

private:
    TableWindow& window_;
    std::unique_ptr<SoundPlayer> ownSound_;
    std::unique_ptr<SoundEvents> sounds_;
    std::unique_ptr<MusicPlayer> ownMusic_;
    MusicPlayer* music_ = nullptr;
    std::unique_ptr<Jukebox> jukebox_;
    std::mt19937 jukeboxRandom_; // the jukebox's own, so shuffles leave the deals alone
    std::uint64_t seed_ = 0;
    std::array<CardBack, 2> backs_{};
    // Picture files already reported as unreadable, so that a new layout
    // does not say it again; messages waiting for the table to be shown.
    std::array<std::string, 2> reportedBacks_;
    QStringList pendingBackMessages_;
};

} // namespace varenta

// MIDI music on SDL2_mixer's music channel. The mixer reports the end of a
// piece on its audio thread; the report is handed to the GUI thread as a
// queued call, and only there does `finished` run.
#pragma once

#include "varenta/table/Jukebox.h"

#include <QByteArray>
#include <QObject>

typedef struct _Mix_Music Mix_Music;

namespace varenta {

class SdlMusicPlayer : public QObject, public MusicPlayer {
    Q_OBJECT
public:
    SdlMusicPlayer();
    ~SdlMusicPlayer() override;
    SdlMusicPlayer(const SdlMusicPlayer&) = delete;
    SdlMusicPlayer& operator=(const SdlMusicPlayer&) = delete;

    // Only standard MIDI files are played. Without an audio device a MIDI
    // file "plays" silently and never ends, so the settings behave the same.
    bool Play(const std::string& path) override;
    void Stop() override;
    bool IsPlaying() const override { return playing_; }

    bool HasAudio() const { return opened_; }

    // The mixer's end-of-music hook (audio thread): posts PieceEnded.
    static void MusicFinishedHook();

private:
    bool Open();
    // On the GUI thread: the piece numbered `piece` has ended.
    void PieceEnded(unsigned piece);

    bool triedOpen_ = false;
    bool opened_ = false;
    bool playing_ = false;
    unsigned piece_ = 0; // counts started pieces, so a late report is recognised
    Mix_Music* music_ = nullptr;
    QByteArray bytes_; // what music_ plays from
};

} // namespace varenta

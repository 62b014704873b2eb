#include "varenta/table/SdlMusicPlayer.h"

#include "varenta/store/InputFile.h"
#include "varenta/table/SdlAudio.h"

#include <QMetaObject>
#include <QString>

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <malloc.h>

namespace varenta {

namespace {

// The player whose piece is on the music channel, and that piece's number;
// written on the GUI thread, read by the hook on the audio thread.
std::atomic<SdlMusicPlayer*> gOwner = nullptr;
std::atomic<unsigned> gPiece = 0;

} // namespace

SdlMusicPlayer::SdlMusicPlayer() = default;

SdlMusicPlayer::~SdlMusicPlayer() {
    Stop();
    if (opened_) {
        ReleaseSdlAudio();
    }
}

bool SdlMusicPlayer::Open() {
    if (!triedOpen_) {
        triedOpen_ = true;
        opened_ = AcquireSdlAudio();
    }
    return opened_;
}

bool SdlMusicPlayer::Play(const std::string& path) {
    Stop();
    // Through the input check (a pipe named as a tune must not hang us), and
    // MIDI only: the mixer would otherwise guess at any file it is given.
    QByteArray bytes;
    if (ReadInputFile(QString::fromStdString(path), kMaxSoundInputBytes, bytes) != 0 ||
        !bytes.startsWith("MThd")) {
        return false;
    }
    ++piece_;
    if (!Open()) {
        playing_ = true;
        return true;
    }
    // Played from memory: the bytes stay with the music until it stops.
    bytes_ = std::move(bytes);
    music_ =
        Mix_LoadMUS_RW(SDL_RWFromConstMem(bytes_.constData(), static_cast<int>(bytes_.size())), 1);
    if (music_ == nullptr) {
        bytes_.clear();
        return false;
    }
    gPiece = piece_;
    gOwner = this;
    Mix_HookMusicFinished(&SdlMusicPlayer::MusicFinishedHook);
    if (Mix_PlayMusic(music_, 1) != 0) {
        gOwner = nullptr;
        Mix_FreeMusic(music_);
        music_ = nullptr;
        bytes_.clear();
        return false;
    }
    playing_ = true;
    // Reading the sound font leaves megabytes of freed scratch memory in the
    // allocator; hand it back rather than keep it for the whole game.
    malloc_trim(0);
    return true;
}

void SdlMusicPlayer::Stop() {
    playing_ = false;
    ++piece_; // a report of the stopped piece still on its way is ignored
    // Forget the owner first: halting runs the hook, and a stopped piece has
    // not ended by itself.
    SdlMusicPlayer* self = this;
    gOwner.compare_exchange_strong(self, nullptr);
    if (music_ == nullptr) {
        return;
    }
    Mix_HaltMusic();
    Mix_FreeMusic(music_);
    music_ = nullptr;
    bytes_.clear();
}

void SdlMusicPlayer::MusicFinishedHook() {
    SdlMusicPlayer* owner = gOwner.load();
    if (owner == nullptr) {
        return;
    }
    const unsigned piece = gPiece.load();
    // Never a Qt call on the object from here: only a queued call, which the
    // GUI thread runs (and drops if the player is gone by then).
    QMetaObject::invokeMethod(
        owner, [owner, piece] { owner->PieceEnded(piece); }, Qt::QueuedConnection);
}

void SdlMusicPlayer::PieceEnded(unsigned piece) {
    if (piece != piece_ || !playing_) {
        return; // stopped or replaced meanwhile
    }
    playing_ = false;
    SdlMusicPlayer* self = this;
    gOwner.compare_exchange_strong(self, nullptr);
    if (music_ != nullptr) {
        Mix_FreeMusic(music_);
        music_ = nullptr;
        bytes_.clear();
    }
    if (finished) {
        finished();
    }
}

} // namespace varenta

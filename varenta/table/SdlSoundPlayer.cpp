#include "varenta/table/SdlSoundPlayer.h"

#include "varenta/store/InputFile.h"
#include "varenta/table/SdlAudio.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace varenta {

namespace {
// Waves always play on this one channel, so a new sound cuts the old one off.
constexpr int kWaveChannel = 0;
} // namespace

SdlSoundPlayer::~SdlSoundPlayer() {
    Stop();
    if (opened_) {
        ReleaseSdlAudio();
    }
}

bool SdlSoundPlayer::Open() {
    if (triedOpen_) {
        return opened_;
    }
    triedOpen_ = true;
    opened_ = AcquireSdlAudio();
    return opened_;
}

void SdlSoundPlayer::Play(const std::string& path) {
    if (!Open()) {
        return;
    }
    Stop();
    // Read through the program's input check, so a pipe or a device such as
    // /dev/zero named as a sound is refused instead of read for ever.
    QByteArray bytes;
    if (ReadInputFile(QString::fromStdString(path), kMaxSoundInputBytes, bytes) != 0) {
        return;
    }
    // The mixer copies the decoded sound, so the bytes may go afterwards.
    chunk_ =
        Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.constData(), static_cast<int>(bytes.size())), 1);
    if (chunk_ == nullptr) {
        return; // a missing or unreadable file is simply not heard
    }
    if (Mix_PlayChannel(kWaveChannel, chunk_, 0) < 0) {
        Mix_FreeChunk(chunk_);
        chunk_ = nullptr;
    }
}

void SdlSoundPlayer::Stop() {
    if (!opened_) {
        return;
    }
    Mix_HaltChannel(kWaveChannel);
    if (chunk_ != nullptr) {
        Mix_FreeChunk(chunk_);
        chunk_ = nullptr;
    }
}

bool SdlSoundPlayer::IsPlaying() const {
    return opened_ && chunk_ != nullptr && Mix_Playing(kWaveChannel) != 0;
}

} // namespace varenta

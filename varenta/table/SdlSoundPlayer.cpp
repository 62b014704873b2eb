#include "varenta/table/SdlSoundPlayer.h"

#include "varenta/store/InputFile.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

#include <cstdio>

namespace varenta {

namespace {
// Waves always play on this one channel, so a new sound cuts the old one off.
constexpr int kWaveChannel = 0;

// ALSA reports every step of a failed device search on standard error; on a
// machine without sound (a remote session, a virtual display) that would
// fill the terminal. The player says it once itself instead.
void QuietAlsa(const char* /*file*/, int /*line*/, const char* /*function*/, int /*err*/,
               const char* /*fmt*/, ...) {}

void SayNoSoundDevice(const char* reason) {
    if (reason != nullptr && *reason != '\0') {
        std::fprintf(stderr, "varenta: no sound device found, playing without sound (%s)\n",
                     reason);
    } else {
        std::fprintf(stderr, "varenta: no sound device found, playing without sound\n");
    }
}
} // namespace

SdlSoundPlayer::~SdlSoundPlayer() {
    Stop();
    if (opened_) {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool SdlSoundPlayer::Open() {
    if (triedOpen_) {
        return opened_;
    }
    triedOpen_ = true;
    // SDL would otherwise catch SIGINT and SIGTERM for an event queue this
    // program never reads, and the program could no longer be stopped.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    snd_lib_error_set_handler(&QuietAlsa);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        SayNoSoundDevice(SDL_GetError());
        return false;
    }
    if (Mix_OpenAudio(22050, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        SayNoSoundDevice(Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(2);
    opened_ = true;
    return true;
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

#include "kiv/shell/KivSound.h"

#include "kiv/shell/KivFileAccess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

#include <atomic>
#include <cstdio>
#include <malloc.h>

namespace kiv {
namespace {

// The one SdlSound whose music is playing; the mixer's end-of-music hook runs
// on the audio thread and only posts to it.
std::atomic<SdlSound*> gActive = nullptr;

const char* const kSoundFonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
};

// ALSA reports every step of a failed device search on standard error; on a
// machine without sound (a remote session, a virtual display) that would
// fill the terminal. The program says it once itself instead.
void QuietAlsa(const char* /*file*/, int /*line*/, const char* /*function*/, int /*err*/,
               const char* /*fmt*/, ...) {}

void SayNoSoundDevice(int languageBase, const char* reason) {
    const char* text = languageBase == 5000
                           ? "kiv: no sound device found, playing without sound"
                           : "kiv: kein Tonausgabegerät gefunden, Kiv Kiv spielt ohne Ton";
    if (reason != nullptr && *reason != '\0') {
        std::fprintf(stderr, "%s (%s)\n", text, reason);
    } else {
        std::fprintf(stderr, "%s\n", text);
    }
}

} // namespace

QString DataFolderFor(const QString& programDir) {
    const QString installed = QDir::cleanPath(programDir + QStringLiteral("/../share/kiv"));
    if (QFileInfo(installed + QStringLiteral("/media")).isDir()) {
        return installed;
    }
    // Run from a build folder: its note names the source tree's resources.
    QDir at(programDir);
    for (int up = 0; up < 4; ++up) {
        QFile note(at.filePath(QStringLiteral("cardgames-resources.txt")));
        if (note.open(QIODevice::ReadOnly)) {
            const QString resources = QString::fromLocal8Bit(note.readLine(4096)).trimmed();
            if (!resources.isEmpty()) {
                return QDir::cleanPath(resources + QStringLiteral("/kiv"));
            }
        }
        if (!at.cdUp()) {
            break;
        }
    }
    return installed;
}

QString MediaFolder() {
    return DataFolderFor(QCoreApplication::applicationDirPath()) + QStringLiteral("/media");
}

QString HelpFolder() {
    return DataFolderFor(QCoreApplication::applicationDirPath()) + QStringLiteral("/help");
}

QString ResolveMedia(const QString& name) {
    if (name.isEmpty() || QDir::isAbsolutePath(name)) {
        return name;
    }
    return MediaFolder() + QLatin1Char('/') + name;
}

bool LooksLikeMidiFile(const QString& path) {
    QByteArray bytes;
    return ReadMidiFile(path, bytes);
}

bool ReadMidiFile(const QString& path, QByteArray& bytes) {
    if (path.isEmpty() || ReadInputFile(path, kMaxMediaFileBytes, bytes) != 0) {
        bytes.clear();
        return false;
    }
    return bytes.startsWith("MThd");
}

SdlSound::SdlSound(int languageBase) : languageBase_(languageBase) {}

// The audio device (and the sound library with it) is opened on the first
// sound, after the window is on the screen.
bool SdlSound::Open() {
    if (triedOpen_) {
        return audioOpen_;
    }
    triedOpen_ = true;
    // SDL would otherwise catch SIGINT and SIGTERM for an event queue this
    // program never reads; the program ends on them itself.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    snd_lib_error_set_handler(&QuietAlsa);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        SayNoSoundDevice(languageBase_, SDL_GetError());
        return false;
    }
    if (qEnvironmentVariableIsEmpty("SDL_SOUNDFONTS")) {
        for (const char* font : kSoundFonts) {
            if (QFileInfo::exists(QString::fromLatin1(font))) {
                Mix_SetSoundFonts(font);
                break;
            }
        }
    }
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024) != 0) {
        SayNoSoundDevice(languageBase_, Mix_GetError());
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(1);
    audioOpen_ = true;
    return true;
}

SdlSound::~SdlSound() {
    StopMusic();
    if (audioOpen_) {
        Mix_HaltChannel(-1);
        FreeChunks();
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

void SdlSound::FreeChunks() {
    for (auto& [name, chunk] : chunks_) {
        Mix_FreeChunk(chunk);
    }
    chunks_.clear();
}

void SdlSound::PlayWave(const QString& name) {
    if (!Open()) {
        return;
    }
    Mix_Chunk* chunk = nullptr;
    for (const auto& [known, loaded] : chunks_) {
        if (known == name) {
            chunk = loaded;
        }
    }
    if (chunk == nullptr) {
        // Through the input check: a pipe named as a wave must not hang us.
        // The mixer copies the decoded sound, so the bytes may go afterwards.
        QByteArray bytes;
        if (ReadInputFile(ResolveMedia(name), kMaxMediaFileBytes, bytes) != 0) {
            return;
        }
        chunk = Mix_LoadWAV_RW(
            SDL_RWFromConstMem(bytes.constData(), static_cast<int>(bytes.size())), 1);
        if (chunk == nullptr) {
            return;
        }
        chunks_.append({name, chunk});
    }
    // One channel: the new wave replaces whatever is playing.
    Mix_PlayChannel(0, chunk, 0);
}

bool SdlSound::StartMusic(const QString& file) {
    StopMusic();
    const QString path = ResolveMedia(file);
    // The mixer guesses formats generously; background music is MIDI only.
    QByteArray bytes;
    if (!ReadMidiFile(path, bytes)) {
        return false;
    }
    if (!Open()) {
        playing_ = true;
        musicPath_ = path;
        return true;
    }
    // Played from memory: the bytes stay with the music until it stops.
    musicBytes_ = std::move(bytes);
    music_ = Mix_LoadMUS_RW(
        SDL_RWFromConstMem(musicBytes_.constData(), static_cast<int>(musicBytes_.size())), 1);
    if (music_ == nullptr) {
        musicBytes_.clear();
        return false;
    }
    gActive = this;
    Mix_HookMusicFinished(&SdlSound::MusicFinishedHook);
    if (Mix_PlayMusic(music_, 1) != 0) {
        Mix_FreeMusic(music_);
        music_ = nullptr;
        musicBytes_.clear();
        gActive = nullptr;
        return false;
    }
    musicPath_ = path;
    playing_ = true;
    // Reading the sound font leaves megabytes of freed scratch memory in the
    // allocator; hand it back rather than keep it while the music plays.
    malloc_trim(0);
    return true;
}

void SdlSound::StopMusic() {
    playing_ = false;
    musicPath_.clear();
    if (music_ == nullptr) {
        return;
    }
    // Forget the owner first: halting runs the end-of-music hook, which must
    // not restart what is being stopped.
    gActive = nullptr;
    Mix_HaltMusic();
    Mix_FreeMusic(music_);
    music_ = nullptr;
    musicBytes_.clear();
}

void SdlSound::MusicFinishedHook() {
    if (SdlSound* owner = gActive.load(); owner != nullptr) {
        QMetaObject::invokeMethod(owner, "OnMusicFinished", Qt::QueuedConnection);
    }
}

void SdlSound::OnMusicFinished() {
    if (!playing_) {
        return;
    }
    if (music_ != nullptr && Mix_PlayingMusic() != 0) {
        return; // a stale notice: the music was started again meanwhile
    }
    ++restarts_;
    if (music_ != nullptr && Mix_PlayMusic(music_, 1) != 0) {
        StopMusic();
    }
}

} // namespace kiv

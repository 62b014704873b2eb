// SDL2 and SDL2_mixer are loaded when the program first opens the sound, not
// when it starts: the mixer brings some sixty libraries along (MIDI synthesis,
// sound servers, codecs), and loading them cost about as much processor time
// as Qt itself before the first window could appear. The program calls the
// functions below exactly as SDL declares them; each looks up the real one
// on its first call. SDL_InitSubSystem is always the first call of an audio
// start: without the library it fails as SDL would, and the program is
// silent. (The build links with --as-needed, so a function not listed here
// simply links SDL as before.)
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>

namespace {

void* Library() {
    static void* const handle = [] {
        void* mixer = dlopen("libSDL2_mixer-2.0.so.0", RTLD_NOW | RTLD_GLOBAL);
        if (mixer == nullptr) {
            std::fprintf(stderr, "kiv: no sound: %s\n", dlerror());
        }
        return mixer;
    }();
    return handle;
}

// The library's own function of that name (SDL's too: they come with the
// mixer). Only reached once SDL_InitSubSystem found the library.
template <typename Function> Function Resolve(const char* name) {
    void* const library = Library();
    void* const symbol = library != nullptr ? dlsym(library, name) : nullptr;
    if (symbol == nullptr) {
        std::fprintf(stderr, "kiv: the sound library has no %s\n", name);
        std::abort();
    }
    Function function = nullptr;
    static_assert(sizeof function == sizeof symbol);
    std::memcpy(&function, &symbol, sizeof function);
    return function;
}

} // namespace

extern "C" {

// An audio start begins with these, and asks for the error text when it
// fails: without the library they fail the way SDL does, and the program
// stays silent.
SDL_bool SDL_SetHint(const char* name, const char* value) {
    if (Library() == nullptr) {
        return SDL_FALSE;
    }
    static const auto real = Resolve<decltype(&SDL_SetHint)>("SDL_SetHint");
    return real(name, value);
}

const char* SDL_GetError(void) {
    if (Library() == nullptr) {
        return "the sound library could not be loaded";
    }
    static const auto real = Resolve<decltype(&SDL_GetError)>("SDL_GetError");
    return real();
}

int SDL_InitSubSystem(Uint32 flags) {
    if (Library() == nullptr) {
        return -1;
    }
    static const auto real = Resolve<decltype(&SDL_InitSubSystem)>("SDL_InitSubSystem");
    return real(flags);
}

void SDL_QuitSubSystem(Uint32 flags) {
    static const auto real = Resolve<decltype(&SDL_QuitSubSystem)>("SDL_QuitSubSystem");
    return real(flags);
}

SDL_RWops* SDL_RWFromConstMem(const void* mem, int size) {
    static const auto real = Resolve<decltype(&SDL_RWFromConstMem)>("SDL_RWFromConstMem");
    return real(mem, size);
}

int Mix_Init(int flags) {
    static const auto real = Resolve<decltype(&Mix_Init)>("Mix_Init");
    return real(flags);
}

void Mix_Quit(void) {
    static const auto real = Resolve<decltype(&Mix_Quit)>("Mix_Quit");
    return real();
}

int Mix_OpenAudio(int frequency, Uint16 format, int channels, int chunksize) {
    static const auto real = Resolve<decltype(&Mix_OpenAudio)>("Mix_OpenAudio");
    return real(frequency, format, channels, chunksize);
}

void Mix_CloseAudio(void) {
    static const auto real = Resolve<decltype(&Mix_CloseAudio)>("Mix_CloseAudio");
    return real();
}

int Mix_AllocateChannels(int numchans) {
    static const auto real = Resolve<decltype(&Mix_AllocateChannels)>("Mix_AllocateChannels");
    return real(numchans);
}

Mix_Chunk* Mix_LoadWAV_RW(SDL_RWops* src, int freesrc) {
    static const auto real = Resolve<decltype(&Mix_LoadWAV_RW)>("Mix_LoadWAV_RW");
    return real(src, freesrc);
}

void Mix_FreeChunk(Mix_Chunk* chunk) {
    static const auto real = Resolve<decltype(&Mix_FreeChunk)>("Mix_FreeChunk");
    return real(chunk);
}

int Mix_PlayChannel(int channel, Mix_Chunk* chunk, int loops) {
    static const auto real = Resolve<decltype(&Mix_PlayChannel)>("Mix_PlayChannel");
    return real(channel, chunk, loops);
}

int Mix_HaltChannel(int channel) {
    static const auto real = Resolve<decltype(&Mix_HaltChannel)>("Mix_HaltChannel");
    return real(channel);
}

Mix_Music* Mix_LoadMUS_RW(SDL_RWops* src, int freesrc) {
    static const auto real = Resolve<decltype(&Mix_LoadMUS_RW)>("Mix_LoadMUS_RW");
    return real(src, freesrc);
}

void Mix_FreeMusic(Mix_Music* music) {
    static const auto real = Resolve<decltype(&Mix_FreeMusic)>("Mix_FreeMusic");
    return real(music);
}

int Mix_PlayMusic(Mix_Music* music, int loops) {
    static const auto real = Resolve<decltype(&Mix_PlayMusic)>("Mix_PlayMusic");
    return real(music, loops);
}

int Mix_HaltMusic(void) {
    static const auto real = Resolve<decltype(&Mix_HaltMusic)>("Mix_HaltMusic");
    return real();
}

int Mix_PlayingMusic(void) {
    static const auto real = Resolve<decltype(&Mix_PlayingMusic)>("Mix_PlayingMusic");
    return real();
}

void Mix_HookMusicFinished(void (*music_finished)(void)) {
    static const auto real = Resolve<decltype(&Mix_HookMusicFinished)>("Mix_HookMusicFinished");
    return real(music_finished);
}

int Mix_SetSoundFonts(const char* paths) {
    static const auto real = Resolve<decltype(&Mix_SetSoundFonts)>("Mix_SetSoundFonts");
    return real(paths);
}

} // extern "C"

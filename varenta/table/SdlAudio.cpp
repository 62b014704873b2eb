#include "varenta/table/SdlAudio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace varenta {

namespace {

int gUsers = 0;
bool gFailed = false;

// General MIDI SoundFonts as Debian installs them, the smallest first: the
// mixer plays MIDI through FluidSynth with the first one found.
constexpr std::array<const char*, 3> kSoundFonts = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
};

// ALSA reports every step of a failed device search on standard error; on a
// machine without sound (a remote session, a virtual display) that would
// fill the terminal. The program says it once itself instead.
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

void ChooseSoundFont() {
    if (const char* own = std::getenv("SDL_SOUNDFONTS"); own != nullptr && *own != '\0') {
        return; // the user's choice
    }
    for (const char* font : kSoundFonts) {
        std::error_code error;
        if (std::filesystem::is_regular_file(font, error)) {
            Mix_SetSoundFonts(font);
            return;
        }
    }
}

} // namespace

bool AcquireSdlAudio() {
    if (gUsers > 0) {
        ++gUsers;
        return true;
    }
    if (gFailed) {
        return false;
    }
    // SDL would otherwise catch SIGINT and SIGTERM for an event queue this
    // program never reads, and the program could no longer be stopped.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    snd_lib_error_set_handler(&QuietAlsa);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        SayNoSoundDevice(SDL_GetError());
        gFailed = true;
        return false;
    }
    ChooseSoundFont();
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(22050, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        SayNoSoundDevice(Mix_GetError());
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        gFailed = true;
        return false;
    }
    Mix_AllocateChannels(2);
    gUsers = 1;
    return true;
}

void ReleaseSdlAudio() {
    if (gUsers == 0 || --gUsers > 0) {
        return;
    }
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

} // namespace varenta

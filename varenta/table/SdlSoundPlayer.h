// Wave playback on SDL2_mixer. The audio device is opened on the first sound;
// when no device can be opened the player says so in one line on standard
// error and stays silent for the whole run.
#pragma once

#include "varenta/table/SoundEvents.h"

struct Mix_Chunk;

namespace varenta {

class SdlSoundPlayer : public SoundPlayer {
public:
    SdlSoundPlayer() = default;
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    void Play(const std::string& path) override;
    void Stop() override;
    bool IsPlaying() const override;

    // Whether an audio device is open (false on a machine without audio).
    bool HasAudio() const { return opened_; }

private:
    bool Open();

    bool triedOpen_ = false;
    bool opened_ = false;
    Mix_Chunk* chunk_ = nullptr;
};

} // namespace varenta

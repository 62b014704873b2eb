// Sound events of the table: fourteen named moments of the game, each with up
// to three wave files, one of which is picked at random when it happens.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varenta {

inline constexpr int kSoundEventCount = 14;
inline constexpr std::size_t kMaxSoundsPerEvent = 3;

// The event names in table order (index 0 "Deal" ... 13 "Win Hand").
extern const std::array<const char*, kSoundEventCount> kSoundEventNames;

// Index of an event name (compared without regard to case), or −1.
int SoundEventIndex(std::string_view name);

// The files an event plays when the settings hold nothing for it.
std::vector<std::string> DefaultSoundFiles(int index);

// Plays one wave file at a time; implemented on SDL2_mixer, faked in tests.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void Play(const std::string& path) = 0;
    virtual void Stop() = 0;
    virtual bool IsPlaying() const = 0;
};

// Reads one stored value by its full name ("Sound\Deal1"); nullopt when missing.
using SettingReader = std::function<std::optional<std::string>(const std::string& key)>;
// Uniform integer 0..n − 1.
using RandomIndex = std::function<int(int n)>;

class SoundEvents {
public:
    SoundEvents(SoundPlayer& player, std::string mediaDir, RandomIndex random);

    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Enabled() const { return enabled_; }

    const std::vector<std::string>& Files(int index) const;
    void SetFiles(int index, std::vector<std::string> files);

    // Reads every event's list: a missing first value gives the defaults,
    // "<none>" gives an empty list, otherwise values 1, 2, 3 while present.
    void ReadLists(const SettingReader& read);
    // Every event's list in its stored form, in table order: "Sound\" + name +
    // k for file k, and "<none>" as value 1 of an event without sounds.
    std::vector<std::pair<std::string, std::string>> StoredLists() const;

    void PlaySoundEvent(int index);
    void PlaySoundEvent(std::string_view name);
    // Plays one file (a bare name is looked up in the media folder).
    void PlayFile(const std::string& file);

    // A bare file name lives in the media folder; a path is used as it is.
    std::string ResolvePath(const std::string& file) const;

    SoundPlayer& Player() { return player_; }

private:
    SoundPlayer& player_;
    std::string mediaDir_;
    RandomIndex random_;
    bool enabled_ = true;
    std::array<std::vector<std::string>, kSoundEventCount> files_;
};

} // namespace varenta

// Background music: one MIDI file played over and over, or a shuffled
// "jukebox" of every MIDI file in a folder. `MusicNext` runs whenever a piece
// ends and whenever the music settings change; the player behind it is
// SDL2_mixer in the program and a recording fake in tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace varenta {

// Plays one piece of music at a time. `finished` runs on the GUI thread when
// a piece has ended by itself; stopping a piece never runs it.
class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;
    // False when the file cannot be played.
    virtual bool Play(const std::string& path) = 0;
    virtual void Stop() = 0;
    virtual bool IsPlaying() const = 0;

    std::function<void()> finished;
};

inline constexpr int kMusicSingleFile = 0;
inline constexpr int kMusicJukebox = 1;

struct MusicSettings {
    bool enabled = true;
    int type = kMusicJukebox;
    std::string file = "ARCADIA.MID"; // a bare name lives in the program's music folder
    std::string folder;               // empty: the program's music folder
    bool operator==(const MusicSettings&) const = default;
};

class Jukebox {
public:
    // `random(n)` gives 0..n − 1 for the shuffle; `reseed` runs before each
    // shuffle so that every pass through the folder has a new order.
    Jukebox(MusicPlayer& player, std::string musicDir, std::function<int(int)> random,
            std::function<void()> reseed = {});

    const MusicSettings& Settings() const { return settings_; }
    // New settings; the playlist is built again on the next jukebox piece.
    void SetSettings(MusicSettings settings);

    // Stops the music when it is off; otherwise starts the music file, or the
    // next existing file of the playlist (scanning and shuffling the folder
    // first when the list is used up). Missing and unplayable files are
    // skipped; when a fresh list holds nothing playable the music stays off.
    void MusicNext();
    // Stops what plays and starts again under the current settings.
    void Restart();

    // A bare name is taken from the program's music folder.
    std::string ResolvePath(const std::string& file) const;
    // The folder the jukebox plays (the program's music folder when unset).
    std::string Folder() const;

    const std::vector<std::string>& Playlist() const { return playlist_; }
    int Position() const { return position_; } // −1: build the list anew

private:
    void BuildPlaylist();

    MusicPlayer& player_;
    std::string musicDir_;
    std::function<int(int)> random_;
    std::function<void()> reseed_;
    MusicSettings settings_;
    std::vector<std::string> playlist_;
    int position_ = -1;
};

// Every regular file in `folder` whose name ends in ".mid" (any letter case),
// as full paths sorted by name.
std::vector<std::string> ScanMidiFiles(const std::string& folder);

} // namespace varenta

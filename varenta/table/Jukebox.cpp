#include "varenta/table/Jukebox.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace varenta {

namespace {

bool IsRegularFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

bool HasMidiExtension(const std::string& name) {
    static constexpr std::string_view kExtension = ".mid";
    if (name.size() <= kExtension.size()) {
        return false;
    }
    return std::equal(
        kExtension.begin(), kExtension.end(), name.end() - kExtension.size(),
        [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

} // namespace

std::vector<std::string> ScanMidiFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) {
        return files;
    }
    for (const std::filesystem::directory_entry& entry : it) {
        std::error_code kindError;
        if (HasMidiExtension(entry.path().filename().string()) &&
            entry.is_regular_file(kindError)) {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

Jukebox::Jukebox(MusicPlayer& player, std::string musicDir, std::function<int(int)> random,
                 std::function<void()> reseed)
    : player_(player), musicDir_(std::move(musicDir)), random_(std::move(random)),
      reseed_(std::move(reseed)) {}

void Jukebox::SetSettings(MusicSettings settings) {
    // Folders are kept without a closing separator, however they were typed.
    while (settings.folder.size() > 1 &&
           (settings.folder.back() == '/' || settings.folder.back() == '\\')) {
        settings.folder.pop_back();
    }
    settings_ = std::move(settings);
    position_ = -1;
}

std::string Jukebox::ResolvePath(const std::string& file) const {
    if (file.find('/') != std::string::npos || musicDir_.empty()) {
        return file;
    }
    return musicDir_ + "/" + file;
}

std::string Jukebox::Folder() const {
    return settings_.folder.empty() ? musicDir_ : settings_.folder;
}

void Jukebox::BuildPlaylist() {
    playlist_ = ScanMidiFiles(Folder());
    position_ = 0;
    if (reseed_) {
        reseed_();
    }
    // One swap of two random entries per entry.
    const int count = static_cast<int>(playlist_.size());
    for (int i = 0; i < count; ++i) {
        const int a = std::clamp(random_(count), 0, count - 1);
        const int b = std::clamp(random_(count), 0, count - 1);
        std::swap(playlist_.at(static_cast<std::size_t>(a)),
                  playlist_.at(static_cast<std::size_t>(b)));
    }
}

void Jukebox::MusicNext() {
    if (!settings_.enabled) {
        player_.Stop();
        return;
    }
    if (settings_.type == kMusicSingleFile) {
        const std::string path = ResolvePath(settings_.file);
        player_.Stop();
        if (IsRegularFile(path)) {
            player_.Play(path);
        }
        return;
    }
    // At most one fresh list per call: a folder whose files all vanish or
    // refuse to play leaves the music off instead of scanning for ever.
    bool rebuilt = false;
    for (;;) {
        if (position_ == -1) {
            if (rebuilt) {
                player_.Stop();
                return;
            }
            BuildPlaylist();
            rebuilt = true;
        }
        if (playlist_.empty()) {
            position_ = -1;
            player_.Stop();
            return;
        }
        std::string file;
        do {
            file = playlist_.at(static_cast<std::size_t>(position_));
            ++position_;
            if (position_ >= static_cast<int>(playlist_.size())) {
                position_ = -1;
            }
        } while (!IsRegularFile(file) && position_ != -1);
        player_.Stop();
        if (IsRegularFile(file) && player_.Play(file)) {
            return;
        }
    }
}

void Jukebox::Restart() {
    player_.Stop();
    MusicNext();
}

} // namespace varenta

#include "varenta/table/SoundEvents.h"

#include <QtGlobal>

#include <algorithm>
#include <cctype>

namespace varenta {

// The settings keys of the events; the Sound dialog shows them translated.
const std::array<const char*, kSoundEventCount> kSoundEventNames = {
    QT_TRANSLATE_NOOP("varenta", "Deal"),          QT_TRANSLATE_NOOP("varenta", "Exit"),
    QT_TRANSLATE_NOOP("varenta", "Help (1st)"),    QT_TRANSLATE_NOOP("varenta", "Help (2nd)"),
    QT_TRANSLATE_NOOP("varenta", "Help (3rd)"),    QT_TRANSLATE_NOOP("varenta", "Highscore"),
    QT_TRANSLATE_NOOP("varenta", "Lose Hand"),     QT_TRANSLATE_NOOP("varenta", "Lose Match"),
    QT_TRANSLATE_NOOP("varenta", "Mixed Varenta"), QT_TRANSLATE_NOOP("varenta", "Natural Varenta"),
    QT_TRANSLATE_NOOP("varenta", "Start"),         QT_TRANSLATE_NOOP("varenta", "Take Huge Pile"),
    QT_TRANSLATE_NOOP("varenta", "Win Match"),     QT_TRANSLATE_NOOP("varenta", "Win Hand"),
};

namespace {

// The stored value of an event that stays silent.
constexpr const char* kNoSound = "<none>";

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

int SoundEventIndex(std::string_view name) {
    for (int i = 0; i < kSoundEventCount; ++i) {
        if (SameText(name, kSoundEventNames.at(static_cast<std::size_t>(i)))) {
            return i;
        }
    }
    return -1;
}

std::vector<std::string> DefaultSoundFiles(int index) {
    static const std::array<std::vector<std::string>, kSoundEventCount> defaults = {{
        {"shufl.wav"},
        {"done.wav"},
        {"help.wav"},
        {"manuel.wav"},
        {"nowwhat.wav"},
        {"exelnt.wav"},
        {"toobad.wav"},
        {"toobad.wav", "haha.wav"},
        {"mixed.wav"},
        {"natural.wav"},
        {"welcome.wav"},
        {"yeah.wav"},
        {"wonderfl.wav"},
        {"applause.wav"},
    }};
    if (index < 0 || index >= kSoundEventCount) {
        return {};
    }
    return defaults.at(static_cast<std::size_t>(index));
}

SoundEvents::SoundEvents(SoundPlayer& player, std::string mediaDir, RandomIndex random)
    : player_(player), mediaDir_(std::move(mediaDir)), random_(std::move(random)) {
    for (int i = 0; i < kSoundEventCount; ++i) {
        files_.at(static_cast<std::size_t>(i)) = DefaultSoundFiles(i);
    }
}

const std::vector<std::string>& SoundEvents::Files(int index) const {
    return files_.at(static_cast<std::size_t>(index));
}

void SoundEvents::SetFiles(int index, std::vector<std::string> files) {
    if (files.size() > kMaxSoundsPerEvent) {
        files.resize(kMaxSoundsPerEvent);
    }
    files_.at(static_cast<std::size_t>(index)) = std::move(files);
}

void SoundEvents::ReadLists(const SettingReader& read) {
    for (int i = 0; i < kSoundEventCount; ++i) {
        const std::string base =
            std::string("Sound\\") + kSoundEventNames.at(static_cast<std::size_t>(i));
        const std::optional<std::string> first = read(base + "1");
        if (!first || first->empty()) {
            SetFiles(i, DefaultSoundFiles(i));
            continue;
        }
        std::vector<std::string> files;
        if (*first != kNoSound) {
            files.push_back(*first);
            for (int k = 2; k <= static_cast<int>(kMaxSoundsPerEvent); ++k) {
                const std::optional<std::string> next = read(base + std::to_string(k));
                // An emptied value ends the list like a missing one: an
                // empty name would only ever play nothing.
                if (!next || next->empty()) {
                    break;
                }
                files.push_back(*next);
            }
        }
        SetFiles(i, std::move(files));
    }
}

std::vector<std::pair<std::string, std::string>> SoundEvents::StoredLists() const {
    std::vector<std::pair<std::string, std::string>> values;
    for (int i = 0; i < kSoundEventCount; ++i) {
        const std::string base =
            std::string("Sound\\") + kSoundEventNames.at(static_cast<std::size_t>(i));
        const std::vector<std::string>& files = Files(i);
        if (files.empty()) {
            values.emplace_back(base + "1", kNoSound);
            continue;
        }
        for (std::size_t k = 0; k < files.size(); ++k) {
            values.emplace_back(base + std::to_string(k + 1), files.at(k));
        }
    }
    return values;
}

std::string SoundEvents::ResolvePath(const std::string& file) const {
    if (file.find('/') != std::string::npos || mediaDir_.empty()) {
        return file;
    }
    return mediaDir_ + "/" + file;
}

void SoundEvents::PlaySoundEvent(int index) {
    if (!enabled_ || index < 0 || index >= kSoundEventCount) {
        return;
    }
    const std::vector<std::string>& files = files_.at(static_cast<std::size_t>(index));
    if (files.empty()) {
        return;
    }
    const int n = static_cast<int>(files.size());
    const int pick = std::clamp(n == 1 ? 0 : random_(n), 0, n - 1);
    PlayFile(files.at(static_cast<std::size_t>(pick)));
}

void SoundEvents::PlaySoundEvent(std::string_view name) {
    PlaySoundEvent(SoundEventIndex(name));
}

void SoundEvents::PlayFile(const std::string& file) {
    player_.Stop();
    player_.Play(ResolvePath(file));
}

} // namespace varenta

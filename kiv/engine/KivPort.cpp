#include "kiv/engine/KivPort.h"

namespace kiv {

const char* WaveName(Wave wave) {
    static constexpr const char* kNames[kWaveCount] = {
        "herz.wav", "karo.wav",  "kreuz.wav",  "pik.wav",     "hmm.wav",    "he1.wav",
        "he2.wav",  "karte.wav", "kiv.wav",    "karten.wav",  "falsch.wav", "zurueck.wav",
        "o.wav",    "rang.wav",  "topten.wav", "Jiberish.wav"};
    const int slot = static_cast<int>(wave);
    return slot >= 0 && slot < kWaveCount ? kNames[slot] : "";
}

} // namespace kiv

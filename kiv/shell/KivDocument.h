// The program's document: the game with what only the program around it
// keeps (where its files live, the tune it plays, the table's colour and what
// the About box names), so that the game itself knows nothing of them.
#pragma once

#include "kiv/engine/KivGame.h"

#include <cstdint>
#include <string>

namespace kiv {

class KivDocument : public KivGame {
public:
    using KivGame::KivGame;

    std::string midiFile = "gailrdge.mid";
    std::uint32_t backgroundColor = 0x008000; // COLORREF 0x00BBGGRR
    // The main window's size when not full screen (0 x 0: not known yet) and
    // whether it fills the screen, kept across runs in kiv32.ini.
    int windowWidth = 0;
    int windowHeight = 0;
    bool fullScreen = false;
    std::string programFolder; // where kiv32.ini and kiv32.rng live (set by the program)
    std::string configFileName = "kiv32.ini";
    std::string rankingFileName = "kiv32.rng";
    // The project's one version number, the same as `kiv --version` prints.
    std::string versionText = CARDGAMES_VERSION;
    std::string VersionDate() const {
        return Settings().languageBase == 1000 ? "Januar 1996" : "January 1996";
    }
};

} // namespace kiv

#pragma once

#include "kiv/engine/Seat.h"

#include <array>
#include <string>

namespace kiv {

// What the players choose for a seat.
struct SeatSettings {
    std::string name;
    bool plays = true;     // "Spielt mit"
    bool computer = false; // "Wird vom Rechner gesteuert"

    bool operator==(const SeatSettings&) const = default;
};

// Everything about a game that is chosen rather than played: who sits at the
// table, the rules, and how the game is seen and heard. The program keeps it
// in kiv32.ini; the game changes it only when told to (KivGame::ApplySettings
// and the few setters beside it).
struct GameSettings {
    std::array<SeatSettings, kSeatCount> seats{{{"Peter", true, false},
                                                {"Frank", true, true},
                                                {"Tina", true, true},
                                                {"Linda", true, true}}};
    bool soundOn = true;
    bool musicOn = true;
    int pointsToWin = 200;
    int cardsPerPlayer = 5;
    int computerDelay = 400; // ms
    int cardSpeed = 40;      // 10, 20 or 40
    bool animateCards = true;
    // False when no window shows the game (the simulator): the hands are then
    // not laid out, so hand cards keep neither a position nor a covered flag,
    // and the port is asked for no repainting, layout or status text. The
    // rules never look at any of them.
    bool windowShown = true;
    bool ruleLayAfterDraw = false;
    bool ruleEightOnEight = true;
    bool ruleJackAlways = true;
    bool ruleAnyOnFirstJack = true;
    bool ruleEndOnFirstOut = false;
    int deckBack = 1;
    int languageBase = 1000; // 1000 German, 5000 the second block

    bool operator==(const GameSettings&) const = default;
};

} // namespace kiv

#pragma once

// The one way for tests to write the game directly: staging a position card
// by card, switching a rule in the middle of one, or breaking it on purpose.
// Production code changes the game only through its operations and never
// includes this.

#include "kiv/engine/KivGame.h"

namespace kiv::testing {

class GameAccess {
public:
    static PlayState& State(KivGame& game) { return game.state_; }
    static GameSettings& Settings(KivGame& game) { return game.settings_; }
};

inline PlayState& MutableState(KivGame& game) {
    return GameAccess::State(game);
}

inline GameSettings& MutableSettings(KivGame& game) {
    return GameAccess::Settings(game);
}

} // namespace kiv::testing

#pragma once

// The one way for tests to write the engine's game directly: staging a
// position card by card, or breaking it on purpose. Production code changes
// the game only through the engine's operations and never includes this.

#include "varenta/engine/VarentaEngine.h"

namespace varenta::testing {

class StateAccess {
public:
    static GameState& Of(VarentaEngine& engine) { return engine.state_; }
};

inline GameState& MutableState(VarentaEngine& engine) {
    return StateAccess::Of(engine);
}

} // namespace varenta::testing

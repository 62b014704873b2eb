#pragma once

#include "varenta/engine/VarentaEngine.h"

namespace varenta {

// Marks one engine call on the stack. When the outermost call returns, the
// computer turns it asked for run, one after another, so they never nest.
class VarentaEngine::Scope {
public:
    explicit Scope(VarentaEngine& engine) : engine_(engine) { ++engine_.depth_; }
    ~Scope() {
        if (--engine_.depth_ == 0) {
            engine_.RunPendingComputerTurns();
        }
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

private:
    VarentaEngine& engine_;
};

} // namespace varenta

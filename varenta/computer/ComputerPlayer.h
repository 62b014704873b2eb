#pragma once

#include "varenta/computer/ComputerSettings.h"
#include "varenta/engine/MoveReporter.h"

namespace varenta {

class VarentaEngine;

// The computer opponent as the engine sees it: the engine calls ComputerTurn
// whenever the turn passes to the computer, and the strength chosen in the
// settings plays the whole turn.
class ComputerPlayer : public ComputerTurnHook {
public:
    explicit ComputerPlayer(const ComputerSettings& settings = {}) : settings_(settings) {}

    void ComputerTurn(VarentaEngine& engine) override;
    // The engine announces every new game; the memory of the last one goes.
    void GameStarted(VarentaEngine& engine) override;

    const ComputerSettings& Settings() const { return settings_; }
    void SetSettings(const ComputerSettings& settings) { settings_ = settings; }

    // Forgets everything remembered between turns; called when a game starts.
    void NewGame();

    ExpertMemory& Expert() { return expert_; }
    AdvancedMemory& Advanced() { return advanced_; }

private:
    ComputerSettings settings_;
    ExpertMemory expert_;
    AdvancedMemory advanced_;
};

} // namespace varenta

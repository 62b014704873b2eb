#pragma once

#include "varenta/computer/ComputerSettings.h"
#include "varenta/engine/MoveReporter.h"

#include <memory>

namespace varenta {

class VarentaEngine;
class Rehearsal;

// The computer opponent as the engine sees it: the engine calls ComputerTurn
// whenever the turn passes to the computer, and the strength chosen in the
// settings plays the whole turn.
class ComputerPlayer : public ComputerTurnHook {
public:
    explicit ComputerPlayer(const ComputerSettings& settings = {});
    ~ComputerPlayer() override;
    ComputerPlayer(const ComputerPlayer&) = delete;
    ComputerPlayer& operator=(const ComputerPlayer&) = delete;

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
    // The table copy the levels try their steps on, kept from turn to turn
    // so that a turn copies the table instead of building a new one.
    std::unique_ptr<Rehearsal> rehearsal_;
};

} // namespace varenta

#include "varenta/computer/ComputerPlayer.h"

#include "varenta/computer/AdvancedPlayer.h"
#include "varenta/computer/BeginnerPlayer.h"
#include "varenta/computer/ExpertPlayer.h"
#include "varenta/computer/Rehearsal.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta {

ComputerPlayer::ComputerPlayer(const ComputerSettings& settings) : settings_(settings) {}
ComputerPlayer::~ComputerPlayer() = default;

void ComputerPlayer::NewGame() {
    expert_ = ExpertMemory{};
    advanced_ = AdvancedMemory{};
}

void ComputerPlayer::GameStarted(VarentaEngine& /*engine*/) {
    NewGame();
}

void ComputerPlayer::ComputerTurn(VarentaEngine& engine) {
    switch (settings_.level) {
    case ComputerLevel::Expert: {
        ExpertPlayer player(engine, settings_, expert_);
        player.ShareRehearsal(rehearsal_);
        player.PlayTurn();
        break;
    }
    case ComputerLevel::Advanced: {
        AdvancedPlayer player(engine, settings_, advanced_);
        player.ShareRehearsal(rehearsal_);
        player.PlayTurn();
        break;
    }
    case ComputerLevel::Beginner:
    default: {
        BeginnerPlayer player(engine, settings_);
        player.ShareRehearsal(rehearsal_);
        player.PlayTurn();
        break;
    }
    }
}

} // namespace varenta

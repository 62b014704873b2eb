#include "varenta/computer/ComputerPlayer.h"

#include "varenta/computer/AdvancedPlayer.h"
#include "varenta/computer/BeginnerPlayer.h"
#include "varenta/computer/ExpertPlayer.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta {

void ComputerPlayer::NewGame() {
    expert_ = ExpertMemory{};
    advanced_ = AdvancedMemory{};
}

void ComputerPlayer::ComputerTurn(VarentaEngine& engine) {
    // Both totals back at zero after a game had begun scoring: a new game has
    // started (the table may also call NewGame itself).
    const GameState& s = engine.State();
    const bool scoresZero = s.playerScore == 0 && s.opponentScore == 0;
    if (scoresZero && !scoresWereZero_) {
        NewGame();
    }
    scoresWereZero_ = scoresZero;

    switch (settings_.level) {
    case ComputerLevel::Expert: {
        ExpertPlayer player(engine, settings_, expert_);
        player.PlayTurn();
        break;
    }
    case ComputerLevel::Advanced: {
        AdvancedPlayer player(engine, settings_, advanced_);
        player.PlayTurn();
        break;
    }
    case ComputerLevel::Beginner:
    default: {
        BeginnerPlayer player(engine, settings_);
        player.PlayTurn();
        break;
    }
    }
}

} // namespace varenta

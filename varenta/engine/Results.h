#pragma once

#include <cstdint>
#include <string>

namespace varenta {

// One line of a score sheet: how many, and what they are worth.
struct ScoreLine {
    std::int32_t number = 0;
    std::int32_t value = 0;
    bool operator==(const ScoreLine&) const = default;
};

// A side's score sheet of one hand.
struct ScoreSheet {
    ScoreLine tableCards; // "Cards on the Table"
    ScoreLine handCards;  // "Cards in Hand"
    ScoreLine varentas;   // "Varentas"
    ScoreLine redThrees;  // "Red Threes"
    std::int32_t finishBonus = 0;
    std::int32_t total = 0; // the side's hand score
    bool negative = false;  // the side scored its table negatively
    bool operator==(const ScoreSheet&) const = default;
};

// Data of the "Hand Finished" dialog and of its "Detailed Scoring Results".
struct HandResult {
    ScoreSheet player;
    ScoreSheet opponent;
    std::int32_t difference = 0;    // player's hand score - opponent's
    std::int32_t wentOut = 2;       // 0 player, 1 opponent, 2 nobody
    std::string opponentScoreLabel; // "Computer's Score:" or name + "'s Score:"
    std::string playerTitle;        // player's name, or "Player"
    std::string opponentTitle;      // "Computer", or the remote name
};

enum class GameOutcome { PlayerWon, Draw, PlayerLost };

// Data of the "Game Over" dialog.
struct GameOverResult {
    GameOutcome outcome = GameOutcome::Draw;
    std::string message; // "Congratulations ..." / "It's a draw!" / "Too bad, ..."
    std::int32_t playerScore = 0;
    std::int32_t opponentScore = 0;
    std::int32_t difference = 0;
    std::string opponentScoreLabel; // "Computer's score:" or name + "'s score:"
};

} // namespace varenta

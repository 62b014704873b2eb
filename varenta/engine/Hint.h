#pragma once

namespace varenta {

// The status line's hints of the game. Each value is the place of its text in
// texts::kHints; the three keyboard modes' texts belong to the table window.
enum class Hint {
    Draw = 0,
    // The table shows MeldOrDiscard or MeldOrDiscardTwice, whichever goes
    // with the mouse option, for either of them.
    MeldOrDiscard = 1,
    MeldOrDiscardTwice = 2,
    TopCardPending = 3,
    SecondCard = 4,
    MeldMode = 5,
    DiscardMode = 6,
    WildMode = 7,
    OpponentsTurn = 8,
};

inline constexpr int kHintCount = 9;

constexpr int HintIndex(Hint hint) {
    return static_cast<int>(hint);
}

} // namespace varenta

#pragma once

namespace varenta {

// The computer's strength, in the order of the customize dialog's choices.
enum class ComputerLevel { Beginner = 0, Advanced = 1, Expert = 2 };

struct ComputerSettings {
    ComputerLevel level = ComputerLevel::Beginner;
    int aggression = 50; // 0..100, read by the Expert only
};

// What the Expert remembers from one turn to the next. Cleared when a game
// starts; the pile-related parts also reset themselves on a fresh pile.
struct ExpertMemory {
    bool holdThrees = false;
    int discardRank = 0;
    bool pileMakesVarenta = false;
    int meldPlan = 0;
    int planWilds = 0;
    bool meldPotential = false;
};

// The Advanced level keeps one flag of its own.
struct AdvancedMemory {
    bool holdThrees = false;
};

} // namespace varenta

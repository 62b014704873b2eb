#pragma once

#include <cstdint>

namespace varenta {

// The program's one pseudo-random generator (splitmix64). Seeded once when the
// table window is created; the shuffle and the computer player draw from it,
// so a seed replays a whole game.
class Random {
public:
    explicit Random(std::uint64_t seed = 1) : state_(seed) {}

    void Seed(std::uint64_t seed) { state_ = seed; }
    std::uint64_t State() const { return state_; }

    // Uniform integer 0 .. n - 1; 0 when n <= 0.
    int Next(int n);
    // Uniform real in [0, 1).
    double NextReal();
    // Random(n) and Random of the rules' wording.
    int operator()(int n) { return Next(n); }
    double operator()() { return NextReal(); }

private:
    std::uint64_t NextBits();
    std::uint64_t state_;
};

} // namespace varenta

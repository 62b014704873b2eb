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

    // Uniform integer 0 .. n - 1; 0 when n <= 0. Inline, so that a caller
    // with a fixed n (the shuffle's 108 slots) has the divisions by n turned
    // into multiplications by the compiler.
    int Next(int n) {
        if (n <= 0) {
            return 0;
        }
        // Rejection keeps every value equally likely.
        const std::uint64_t range = static_cast<std::uint64_t>(n);
        const std::uint64_t limit = UINT64_MAX - UINT64_MAX % range;
        std::uint64_t bits = NextBits();
        while (bits >= limit) {
            bits = NextBits();
        }
        return static_cast<int>(bits % range);
    }
    // Uniform real in [0, 1).
    double NextReal();
    // Random(n) and Random of the rules' wording.
    int operator()(int n) { return Next(n); }
    double operator()() { return NextReal(); }

private:
    std::uint64_t NextBits() {
        state_ += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::uint64_t state_;
};

} // namespace varenta

#pragma once

#include <cstdint>

namespace kiv {

// The program's one pseudo-random generator. It starts at state 1 and is never
// reseeded, so every start of the program replays the same sequence of deals.
class KivRandom {
public:
    // Next raw value 0..32767.
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }
    // A number in a..b (inclusive), as a + value mod (b - a + 1).
    int Between(int a, int b) { return a + Next() % (b - a + 1); }

    std::uint32_t State() const { return state_; }
    void SetState(std::uint32_t state) { state_ = state; }

private:
    std::uint32_t state_ = 1;
};

} // namespace kiv

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kiv {

// Every card drawn or dealt asks the generator for a span of at most the 32
// cards, and a division there costs more than the rest of the draw. These
// spans divide by multiplying with ceil(2^32 / span) instead; for the
// generator's values (below 2^15) that quotient is exact, as value · (the
// rounding error, below span) stays below 2^32.
constexpr std::array<std::uint64_t, 33> SmallSpanReciprocals() {
    std::array<std::uint64_t, 33> reciprocals{};
    for (std::uint64_t span = 1; span < reciprocals.size(); ++span) {
        reciprocals[span] = ((std::uint64_t{1} << 32) + span - 1) / span;
    }
    return reciprocals;
}
inline constexpr std::array<std::uint64_t, 33> kSmallSpanReciprocals = SmallSpanReciprocals();

// The program's one pseudo-random generator. It starts at state 1, so a run
// that does not seed it replays the same sequence of deals.
class KivRandom {
public:
    // Next raw value 0..32767.
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }
    // A number in a..b (inclusive), as a + value mod (b - a + 1).
    int Between(int a, int b) {
        const int span = b - a + 1;
        const int value = Next();
        if (span >= 1 && span < static_cast<int>(kSmallSpanReciprocals.size())) {
            const std::uint64_t reciprocal = kSmallSpanReciprocals[static_cast<std::size_t>(span)];
            const auto quotient =
                static_cast<int>((static_cast<std::uint64_t>(value) * reciprocal) >> 32);
            return a + (value - quotient * span);
        }
        return a + value % span;
    }

    std::uint32_t State() const { return state_; }
    void SetState(std::uint32_t state) { state_ = state; }

private:
    std::uint32_t state_ = 1;
};

} // namespace kiv

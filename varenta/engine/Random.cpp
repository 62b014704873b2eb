#include "varenta/engine/Random.h"

namespace varenta {

std::uint64_t Random::NextBits() {
    state_ += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int Random::Next(int n) {
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

double Random::NextReal() {
    return static_cast<double>(NextBits() >> 11) * (1.0 / 9007199254740992.0);
}

} // namespace varenta

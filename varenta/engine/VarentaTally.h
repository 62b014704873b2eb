#pragma once

#include <array>
#include <cstdint>

#include "varenta/engine/Card.h"

namespace varenta {

enum VarentaKind : std::uint8_t {
    kNoVarenta = 0,
    kMixedVarenta = 1,
    kNaturalVarenta = 2,
    kWildVarenta = 3,
};

// Completed seven-card melds of one side.
struct VarentaTally {
    std::int32_t count = 0;
    std::array<std::uint8_t, kColumns> kind{};     // VarentaKind per column
    std::array<std::uint8_t, kColumns> naturals{}; // natural cards when last found complete

    void Clear() { *this = VarentaTally{}; }
    bool operator==(const VarentaTally&) const = default;
};

} // namespace varenta

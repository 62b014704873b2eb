// The rules text: the twelve rule variants in the form in which they travel
// to a network opponent and are compared with theirs.
#pragma once

#include "varenta/engine/RuleSet.h"

#include <array>
#include <string>
#include <string_view>

namespace varenta {

inline constexpr int kRuleCount = 12;
inline constexpr char kRulesSeparator = static_cast<char>(254);
inline constexpr char kFrameTerminator = static_cast<char>(255);

// Twelve fields joined by character 254, in the fixed order: Varenta
// Required, Number of Varentas, Number of Cards, Add to Varenta, Top Card
// Counts, Initial Block, Natural Pair, Draw Extra, Three Block, Bonus
// Counts, Initial Block for Both, Reuse Discard Pile. Flags are "T"/"F",
// counts "1"/"2".
std::string BuildRulesText(const RuleSet& rules);

// The fields of a rules text: each ends at the next character 254 or 255
// (the next field starts after it); fields missing at the end are empty.
std::array<std::string, kRuleCount> ReadRulesText(std::string_view text);

} // namespace varenta

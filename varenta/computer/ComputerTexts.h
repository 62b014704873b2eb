#pragma once

#include <string_view>

namespace varenta::texts {

// Messages of the computer player (the rest of the program's texts live with
// the engine).
inline constexpr std::string_view kMeldErrorWildcardNotFound = "Meld error: Wildcard not found.";
inline constexpr std::string_view kNoCardLeftToDiscard = "No card left to discard.";

} // namespace varenta::texts

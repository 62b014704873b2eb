// The two decks' backs in the settings store: "Cardback\Type" + n, and of the
// other keys only the one its type uses ("Color", "Pattern" or "Filename" + n),
// n = 0 or 1.
#pragma once

#include "varenta/table/CardImages.h"

#include <array>
#include <cstdint>

namespace varenta {

class SettingsFile;

// The table starts with these colours and pattern 0; the card back dialog
// shows colour 128 and pattern 1 for a deck that has none stored.
inline constexpr std::array<std::uint32_t, 2> kTableBackColors = {128, 0x4080};
inline constexpr int kTableBackPattern = 0;
inline constexpr std::array<std::uint32_t, 2> kDialogBackColors = {128, 128};
inline constexpr int kDialogBackPattern = 1;

// An unknown type reads as a solid colour, a pattern out of range as the
// nearest one.
std::array<CardBack, 2> ReadCardBacks(SettingsFile& store,
                                      const std::array<std::uint32_t, 2>& defaultColors,
                                      int defaultPattern);
// Deck 0, then deck 1, in one replacement of the file; the keys of the
// types not chosen keep what they hold. Throws SettingsError.
void WriteCardBacks(SettingsFile& store, const std::array<CardBack, 2>& backs);

} // namespace varenta

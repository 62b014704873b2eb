#pragma once

namespace kiv {

// Offsets of the texts the engine shows; the id passed to the port is
// languageBase + offset (German block 1000, second block 5000). The texts
// themselves live in the window's string table.
namespace text {
constexpr int kResultsTitle = 56; // results dialog texts 56..64
constexpr int kDealing = 88;      // "Karten werden ausgeteilt..."
constexpr int kCollecting = 89;   // "Karten werden eingesammelt..."
constexpr int kReady = 90;        // "Bereit"
constexpr int kJustDrawn = 91;
constexpr int kNoMatch = 92;
constexpr int kCheating = 93;
constexpr int kOnlySevenOnSeven = 94;
constexpr int kSevenMustDraw = 95;
constexpr int kOnlyEightOnEight = 96;
constexpr int kWishHerz = 97;
constexpr int kWishKaro = 98;
constexpr int kWishKreuz = 99;
constexpr int kWishPik = 100;
constexpr int kAllCardsOut = 101;
constexpr int kDrawTooMany = 102;
constexpr int kEightNoDraw = 103;
constexpr int kToLayHerz = 104;
constexpr int kToLayKaro = 105;
constexpr int kToLayKreuz = 106;
constexpr int kToLayPik = 107;
constexpr int kToDraw = 108; // "Zu ziehen: "
constexpr int kLoserBefore = 110;
constexpr int kLoserAfter = 111;
constexpr int kAddToRanking = 114;
constexpr int kReallyNewGame = 115;
constexpr int kDrawFirst = 116;
constexpr int kStartsNewGame = 117;
constexpr int kComputerBusy = 137;
constexpr int kFirstCardEight = 139;
} // namespace text

} // namespace kiv

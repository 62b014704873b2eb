// Plain-text files of the program: the 29-line configuration file
// "kiv32.ini" and the four-line ranking list "kiv32.rng". Both live in the
// program's configuration folder, are read only as regular files of a sane
// size and are always replaced as a whole (see KivFileAccess.h).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace kiv {

inline constexpr char kConfigFileName[] = "kiv32.ini";
inline constexpr char kRankingFileName[] = "kiv32.rng";
inline constexpr char kConfigHeader[] = "Kiv Kiv Initialisierungsdatei";

// $XDG_CONFIG_HOME/kiv, or ~/.config/kiv when the variable is unset or not an
// absolute path. The folder is not created here.
QString ConfigFolder();

// Creates `folder` when missing; false when that is impossible.
bool EnsureFolder(const QString& folder);

// Reading limits of the file format: names and numbers are read up to 19
// characters, the header and the music file name up to 254. The rest of an
// over-long line is skipped.
inline constexpr int kShortLineLimit = 19;
inline constexpr int kLongLineLimit = 254;

// `text` cut to at most `limit` UTF-16 units, never inside a character.
QString CutToLength(const QString& text, int limit);

// The range of the settings sheet for the values it shows as numbers or
// choices; values read from the file are clamped to it.
inline constexpr int kMinComputerDelay = 200;
inline constexpr int kMaxComputerDelay = 9999;
inline constexpr int kMinCardSpeed = 10;
inline constexpr int kMaxCardSpeed = 40;

// Leading decimal integer of `text`: blanks skipped, optional sign, digits up
// to the first non-digit; no digits give 0. Saturates at the 64-bit range.
std::int64_t LeadingInteger(const QString& text);

struct SeatSetup {
    QString name;
    bool plays = true;
    bool computer = true;

    bool operator==(const SeatSetup&) const = default;
};

// Everything kiv32.ini holds, in the program's own field names.
struct KivSettings {
    std::array<SeatSetup, 4> seats{{{"Peter", true, false},
                                    {"Frank", true, true},
                                    {"Tina", true, true},
                                    {"Linda", true, true}}};
    int pointsToWin = 200;
    int cardsPerPlayer = 5;
    bool animateCards = true;
    bool ruleLayAfterDraw = false;
    bool ruleEightOnEight = true;
    bool ruleJackAlways = true;
    bool ruleAnyOnFirstJack = true;
    bool ruleEndOnFirstOut = false;
    bool soundOn = true;
    bool musicOn = true;
    QString midiFile = "gailrdge.mid";
    int deckBack = 1;
    std::uint32_t backgroundColor = 32768; // 0x00BBGGRR, dark green
    int computerDelay = 400;
    int languageBase = 1000;
    int cardSpeed = 40;
    // The main window as it was last closed: its size when not full screen
    // (0 x 0 until a window has been closed once), and whether it filled the
    // screen. They follow the 29 lines of the game, so a program that reads
    // only those lines never sees them, and a file without them reads as 0.
    int windowWidth = 0;
    int windowHeight = 0;
    bool fullScreen = false;

    bool operator==(const KivSettings&) const = default;
};

enum class ConfigRead {
    Missing,  // the file could not be opened: the caller reports and writes defaults
    InitFile, // the first line is "Init": the caller writes defaults silently
    Read,     // the values were read into the settings
};

// Reads the file at `path` into `settings`, which holds the defaults (and the
// detected language) on entry. Lines that are missing read as an empty name or
// 0. Values the game cannot work with are repaired afterwards, see
// RepairSettings.
ConfigRead ReadConfigFile(const QString& path, KivSettings& settings);
// The same for the file's bytes (never Missing).
ConfigRead ParseConfig(const QByteArray& data, KivSettings& settings);

// Repairs values read from a file that would break the game, keeping every
// other value as it was read:
// - seat 0 is the human seat and always plays;
// - a set-up in which seat 0 would play alone gets the other seats back;
// - cards per player outside 3..6, a card speed below 1 and a points target
//   below 1 take their defaults;
// - the card speed is clamped to 10..40, the computer pause to 200..9999 ms;
// - a language base other than 1000 or 5000 takes `detectedLanguage`;
// - a window size that is not positive both ways counts as not known.
void RepairSettings(KivSettings& settings, int detectedLanguage);

// Writes the 29 lines with CR LF line ends, and after them the window's
// width, height and full-screen flag once a window size is known. False when the file cannot be
// written; the old file is then left untouched.
bool WriteConfigFile(const QString& path, const KivSettings& settings);

// The lines as they are written (without line ends), for writing and tests.
QStringList ConfigLines(const KivSettings& settings);
// Lines as the file holds them: UTF-8, each ended by CR LF.
QByteArray FileBytes(const QStringList& lines);

using RankingValues = std::array<std::int64_t, 4>;

// The largest magnitude of a ranking value: with its sign it still fits the
// 19 characters a line is read with, so every value reads back as written.
inline constexpr std::int64_t kRankingLimit = 999'999'999'999'999'999;

// a + b, held at ±kRankingLimit instead of wrapping.
std::int64_t AddSaturating(std::int64_t a, std::int64_t b);

// Reads the four values of a ranking file; false when it cannot be opened.
// Missing lines read as 0, values beyond ±kRankingLimit as that limit.
bool ReadRankingFile(const QString& path, RankingValues& values);

RankingValues ParseRanking(const QByteArray& data);
QStringList RankingLines(const RankingValues& values);

// Writes the four values, each on its own CR LF line; false on failure.
bool WriteRankingFile(const QString& path, const RankingValues& values);

} // namespace kiv

// The Hall of Fame: for each computer level the ten best hand results and
// the ten best game (match) results, kept under the level's name ("Expert")
// and the level's name followed by "Match" ("ExpertMatch") as "Score" + n,
// "Name" + n and "Date" + n for n = 1..10.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace varenta {

class SettingsFile;

enum class HighScoreType { Hand = 0, Match = 1 };

inline constexpr int kHighScoreRows = 10;
inline constexpr int kHighScoreLevels = 3;

// The level names as the settings and the high-score groups spell them.
QString LevelName(int level); // 0 "Beginner", 1 "Advanced", anything else "Expert"
// "Beginner" -> 0, "Advanced" -> 1, any other text -> 2.
int LevelFromName(const QString& name);

struct HighScoreEntry {
    std::int32_t score = 0; // the size of the margin; 0 for an empty row
    QString date;
    QString name;
    bool operator==(const HighScoreEntry&) const = default;
};

using HighScoreTable = std::array<HighScoreEntry, kHighScoreRows>; // rank 1 first

class HighScores {
public:
    HighScoreTable& Table(int level, HighScoreType type);
    const HighScoreTable& Table(int level, HighScoreType type) const;

private:
    std::array<std::array<HighScoreTable, 2>, kHighScoreLevels> tables_{};
};

QString HighScoreGroup(int level, HighScoreType type);

// A missing group reads as an empty table; a stored score below 0 as 0.
HighScoreTable LoadHighScoreTable(SettingsFile& store, int level, HighScoreType type);
HighScores LoadHighScores(SettingsFile& store);
// All ten rows, in one replacement of the file.
void WriteHighScoreTable(SettingsFile& store, int level, HighScoreType type,
                         const HighScoreTable& table);
// Empties the table and deletes its group; the other type of the level stays.
// Enters a score into the table as the settings file holds it now (another
// copy of the program may have added to it since `table` was read) and
// leaves the stored table in `table`; returns the place (0: not entered).
int AddHighScore(SettingsFile& store, int level, HighScoreType type, const HighScoreEntry& entry,
                 HighScoreTable& table);
void ClearHighScoreTable(SettingsFile& store, int level, HighScoreType type, HighScoreTable& table);

// The size of a margin, kept within the stored score's range.
std::int32_t HighScoreValue(std::int64_t margin);
// The rank (1..10) a value takes: below every equal or greater score. 0 when
// it is not greater than the score of rank 10 and so does not enter.
int HighScorePlace(const HighScoreTable& table, std::int32_t value);
// Puts the entry at that rank; the rows below move down and rank 10 drops out.
void InsertHighScore(HighScoreTable& table, int place, const HighScoreEntry& entry);

} // namespace varenta

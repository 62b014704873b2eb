#include "varenta/store/HighScores.h"

#include "varenta/store/SettingsFile.h"

#include <algorithm>
#include <limits>

namespace varenta {

namespace {

constexpr std::array<const char*, kHighScoreLevels> kLevelNames = {"Beginner", "Advanced",
                                                                   "Expert"};

int ClampLevel(int level) {
    return std::clamp(level, 0, kHighScoreLevels - 1);
}

QString ValueName(const QString& group, const char* field, int row) {
    return group + QLatin1Char('\\') + QLatin1String(field) + QString::number(row + 1);
}

// A table's ten rows as `read` finds them, and as the values that store them.
HighScoreTable ReadTable(const QString& group, const SettingsFile::Reader& read) {
    HighScoreTable table;
    for (int row = 0; row < kHighScoreRows; ++row) {
        HighScoreEntry& e = table.at(static_cast<std::size_t>(row));
        e.score = std::max(0, read(ValueName(group, "Score", row), 0).toInt());
        e.name = read(ValueName(group, "Name", row), QString()).toString();
        e.date = read(ValueName(group, "Date", row), QString()).toString();
    }
    return table;
}

SettingsFile::NamedValues TableValues(const QString& group, const HighScoreTable& table) {
    SettingsFile::NamedValues values;
    for (int row = 0; row < kHighScoreRows; ++row) {
        const HighScoreEntry& e = table.at(static_cast<std::size_t>(row));
        values.emplace_back(ValueName(group, "Score", row), e.score);
        values.emplace_back(ValueName(group, "Name", row), e.name);
        values.emplace_back(ValueName(group, "Date", row), e.date);
    }
    return values;
}

} // namespace

QString LevelName(int level) {
    return QString::fromLatin1(kLevelNames.at(static_cast<std::size_t>(ClampLevel(level))));
}

int LevelFromName(const QString& name) {
    if (name == QLatin1String(kLevelNames[0])) {
        return 0;
    }
    if (name == QLatin1String(kLevelNames[1])) {
        return 1;
    }
    return 2;
}

HighScoreTable& HighScores::Table(int level, HighScoreType type) {
    return tables_.at(static_cast<std::size_t>(ClampLevel(level)))
        .at(static_cast<std::size_t>(type));
}

const HighScoreTable& HighScores::Table(int level, HighScoreType type) const {
    return tables_.at(static_cast<std::size_t>(ClampLevel(level)))
        .at(static_cast<std::size_t>(type));
}

QString HighScoreGroup(int level, HighScoreType type) {
    return LevelName(level) + (type == HighScoreType::Match ? QStringLiteral("Match") : QString());
}

HighScoreTable LoadHighScoreTable(SettingsFile& store, int level, HighScoreType type) {
    return ReadTable(
        HighScoreGroup(level, type),
        [&store](const QString& name, const QVariant& def) { return store.Read(name, def); });
}

HighScores LoadHighScores(SettingsFile& store) {
    HighScores scores;
    for (int level = 0; level < kHighScoreLevels; ++level) {
        for (const HighScoreType type : {HighScoreType::Hand, HighScoreType::Match}) {
            scores.Table(level, type) = LoadHighScoreTable(store, level, type);
        }
    }
    return scores;
}

void WriteHighScoreTable(SettingsFile& store, int level, HighScoreType type,
                         const HighScoreTable& table) {
    store.WriteValues(TableValues(HighScoreGroup(level, type), table));
}

int AddHighScore(SettingsFile& store, int level, HighScoreType type, const HighScoreEntry& entry,
                 HighScoreTable& table) {
    const QString group = HighScoreGroup(level, type);
    int place = 0;
    store.Update([&](const SettingsFile::Reader& read) {
        // The table as the file holds it now, with what other copies added.
        table = ReadTable(group, read);
        place = HighScorePlace(table, entry.score);
        if (place == 0) {
            return SettingsFile::NamedValues();
        }
        InsertHighScore(table, place, entry);
        return TableValues(group, table);
    });
    return place;
}

void ClearHighScoreTable(SettingsFile& store, int level, HighScoreType type,
                         HighScoreTable& table) {
    store.DeleteKey(HighScoreGroup(level, type)); // a failure leaves both as they were
    table = HighScoreTable{};
}

std::int32_t HighScoreValue(std::int64_t margin) {
    const std::int64_t value = margin < 0 ? -margin : margin;
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max()));
}

int HighScorePlace(const HighScoreTable& table, std::int32_t value) {
    if (value <= table.back().score) {
        return 0;
    }
    const auto atLeast = std::count_if(
        table.begin(), table.end(), [value](const HighScoreEntry& e) { return e.score >= value; });
    return 1 + static_cast<int>(atLeast);
}

void InsertHighScore(HighScoreTable& table, int place, const HighScoreEntry& entry) {
    if (place < 1 || place > kHighScoreRows) {
        return;
    }
    const auto at = table.begin() + (place - 1);
    std::move_backward(at, table.end() - 1, table.end());
    *at = entry;
}

} // namespace varenta

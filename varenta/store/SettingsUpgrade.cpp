#include "varenta/store/SettingsUpgrade.h"

#include "varenta/store/InputFile.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/store/StorePaths.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace varenta {

namespace {

const QString kOldSection = QStringLiteral("Varenta Settings");

// Old yes/no settings carried over as they are named in the old file; each
// becomes "Settings\" + the same name.
const char* const kImportedFlags[] = {
    "Sound",          "AutoSave",        "Varenta Required", "Draw Extra",   "Three Block",
    "Add to Varenta", "Top card counts", "Initial block",    "Natural pair",
};
const char* const kImportedCounts[] = {"Number of Varentas", "Number of Cards"};

// Older versions named these files in upper case; the names are matched
// without regard to case, as they were on the system they came from.
const char* const kObsoleteFiles[] = {"VAR640.DLL", "VAR800.DLL", "VAR1024.DLL"};

void DeleteMatching(const QString& dir, const std::function<bool(const QString&)>& matches) {
    const QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (matches(name)) {
            QFile::remove(dir + QLatin1Char('/') + name);
        }
    }
}

void DeleteObsoleteFiles(const UpgradeLocations& where) {
    DeleteMatching(where.programDir, [](const QString& name) {
        return std::any_of(
            std::begin(kObsoleteFiles), std::end(kObsoleteFiles), [&name](const char* obsolete) {
                return name.compare(QLatin1String(obsolete), Qt::CaseInsensitive) == 0;
            });
    });
    const QFileInfo profile(where.oldProfile);
    DeleteMatching(profile.absolutePath(), [&profile](const QString& name) {
        return name.compare(profile.fileName(), Qt::CaseInsensitive) == 0;
    });
}

// Only an old file that is really there is imported: importing the defaults
// of a missing file would overwrite the rules the store already holds with
// values nobody chose.
void ImportOldSettings(SettingsFile& store, const ProfileSection& old) {
    if (!old.FileFound()) {
        return;
    }
    SettingsFile::NamedValues values = {
        {"Settings\\Background Color", QString()},
        {"Settings\\Music", old.String("Music", "On") == QLatin1String("On")},
    };
    for (const char* name : kImportedFlags) {
        values.emplace_back(QStringLiteral("Settings\\") + QLatin1String(name),
                            old.String(QLatin1String(name), "Yes") == QLatin1String("Yes"));
    }
    for (const char* name : kImportedCounts) {
        values.emplace_back(QStringLiteral("Settings\\") + QLatin1String(name),
                            old.String(QLatin1String(name), "One") == QLatin1String("One") ? 1 : 2);
    }
    store.WriteValues(values);
}

} // namespace

UpgradeLocations DefaultUpgradeLocations() {
    return {VarentaConfigDir() + "/varenta.ini", VarentaDataDir()};
}

ProfileSection ProfileSection::Load(const QString& path, const QString& section) {
    ProfileSection result;
    QByteArray bytes;
    if (ReadInputFile(path, kMaxSettingsInputBytes, bytes) != 0) {
        return result;
    }
    result.found_ = true;
    bool inSection = false;
    for (const QByteArray& raw : bytes.split('\n')) {
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype end = line.indexOf(QLatin1Char(']'));
            inSection = end > 0 &&
                        line.mid(1, end - 1).trimmed().compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!inSection || eq <= 0 || line.startsWith(QLatin1Char(';'))) {
            continue;
        }
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.front() == value.back() &&
            (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))) {
            value = value.mid(1, value.size() - 2);
        }
        // The first occurrence of a key counts, as the profile functions read it.
        result.values_.try_emplace(line.left(eq).trimmed().toCaseFolded(), value);
    }
    return result;
}

QString ProfileSection::String(const QString& key, const QString& defaultValue) const {
    const auto it = values_.find(key.toCaseFolded());
    return it == values_.end() ? defaultValue : it->second;
}

int ProfileSection::Integer(const QString& key, int defaultValue) const {
    const auto it = values_.find(key.toCaseFolded());
    if (it == values_.end()) {
        return defaultValue;
    }
    // Like the profile functions: the leading number counts, anything else
    // reads as 0.
    static const QRegularExpression leading(QStringLiteral("^[+-]?\\d{1,9}"));
    const QRegularExpressionMatch match = leading.match(it->second);
    return match.hasMatch() ? match.captured(0).toInt() : 0;
}

void RunSettingsUpgrade(SettingsFile& store, const UpgradeLocations& where) {
    const ProfileSection old = ProfileSection::Load(where.oldProfile, kOldSection);
    const int oldVersion =
        std::max(old.Integer("Version", 0), store.ReadInteger("Settings\\Version", 0));
    // Saved games are never deleted here: the data folder is where this
    // program keeps the player's own games (autosave.var among them), and a
    // game of an older format is refused cleanly when it is opened.
    if (oldVersion >= 1 && oldVersion <= 300) {
        ImportOldSettings(store, old);
    }
    if (oldVersion >= 1 && oldVersion <= 399) {
        // Imported before the old file is removed, so the second import
        // still reads it.
        ImportOldSettings(store, old);
        DeleteObsoleteFiles(where);
    }
    store.Write("Settings\\Version", kSettingsVersion);
}

} // namespace varenta

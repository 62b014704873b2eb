// The settings upgrade run by the argument "/setup": carries the settings of
// an older installation (the private profile file varenta.ini) into the
// store, removes files of older versions (never a saved game), and records
// the current version.
#pragma once

#include <QString>

#include <map>

namespace varenta {

class SettingsFile;

inline constexpr int kSettingsVersion = 400;

// Where the upgrade looks: the old profile file, and the folder holding the
// files this program writes (saved games, and what older versions left).
struct UpgradeLocations {
    QString oldProfile;
    QString programDir;
};
UpgradeLocations DefaultUpgradeLocations(); // in VarentaConfigDir() / VarentaDataDir()

// One section of a private profile file: keys matched without regard to
// case, values with surrounding blanks and quotes removed.
class ProfileSection {
public:
    static ProfileSection Load(const QString& path, const QString& section);
    bool FileFound() const { return found_; }
    QString String(const QString& key, const QString& defaultValue) const;
    int Integer(const QString& key, int defaultValue) const;

private:
    bool found_ = false;
    std::map<QString, QString> values_; // keyed by the case-folded key
};

void RunSettingsUpgrade(SettingsFile& store, const UpgradeLocations& where);

} // namespace varenta

// The in-memory form of the settings file: groups of typed values, names
// matched without regard to letter case but kept in the spelling they were
// first written with, and the text form the file is stored in.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <map>

namespace varenta {

// One stored value: the three kinds the store keeps.
struct SettingsValue {
    enum class Kind { Integer, Text, Binary };
    Kind kind = Kind::Integer;
    std::int32_t integer = 0;
    QString text;
    QByteArray binary; // the 16-byte variant record of real numbers and dates

    bool operator==(const SettingsValue&) const = default;
};

struct SettingsEntry {
    QString name; // spelling of the first write
    SettingsValue value;
    bool operator==(const SettingsEntry&) const = default;
};

struct SettingsGroup {
    QString name;
    std::map<QString, SettingsEntry> values; // keyed by the case-folded value name
    bool operator==(const SettingsGroup&) const = default;
};

// All groups of one settings file, keyed by the case-folded group name. The
// group "" holds the values whose names carry no group.
class SettingsTree {
public:
    static QString Fold(const QString& name) { return name.toCaseFolded(); }

    const SettingsEntry* Find(const QString& group, const QString& valueName) const;
    bool HasGroup(const QString& group) const; // the group itself or one below it
    void EnsureGroup(const QString& group);
    void Set(const QString& group, const QString& valueName, const SettingsValue& value);
    bool RemoveValue(const QString& group, const QString& valueName);
    bool RemoveGroup(const QString& group); // with every group below it

    const std::map<QString, SettingsGroup>& Groups() const { return groups_; }
    bool operator==(const SettingsTree&) const = default;

private:
    std::map<QString, SettingsGroup> groups_;
};

// The file's text form. Parsing keeps every well-formed line; `damaged`
// tells whether anything else was found (a bad header, a malformed line,
// text that is not UTF-8), so the caller can keep the original aside.
QByteArray SerializeSettingsTree(const SettingsTree& tree);

struct SettingsParseResult {
    SettingsTree tree;
    bool damaged = false;
    int firstBadLine = 0; // 1-based; 0 when not damaged
};
SettingsParseResult ParseSettingsTree(const QByteArray& bytes);

} // namespace varenta

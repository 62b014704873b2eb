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
struct RegValue {
    enum class Kind { Integer, Text, Binary };
    Kind kind = Kind::Integer;
    std::int32_t integer = 0;
    QString text;
    QByteArray binary; // the 16-byte variant record of real numbers and dates

    bool operator==(const RegValue&) const = default;
};

struct RegEntry {
    QString name; // spelling of the first write
    RegValue value;
    bool operator==(const RegEntry&) const = default;
};

struct RegGroup {
    QString name;
    std::map<QString, RegEntry> values; // keyed by the case-folded value name
    bool operator==(const RegGroup&) const = default;
};

// All groups of one settings file, keyed by the case-folded group name. The
// group "" holds the values whose names carry no group.
class RegTree {
public:
    static QString Fold(const QString& name) { return name.toCaseFolded(); }

    const RegEntry* Find(const QString& group, const QString& valueName) const;
    bool HasGroup(const QString& group) const; // the group itself or one below it
    void EnsureGroup(const QString& group);
    void Set(const QString& group, const QString& valueName, const RegValue& value);
    bool RemoveValue(const QString& group, const QString& valueName);
    bool RemoveGroup(const QString& group); // with every group below it

    const std::map<QString, RegGroup>& Groups() const { return groups_; }
    bool operator==(const RegTree&) const = default;

private:
    std::map<QString, RegGroup> groups_;
};

// The file's text form. Parsing keeps every well-formed line; `damaged`
// tells whether anything else was found (a bad header, a malformed line,
// text that is not UTF-8), so the caller can keep the original aside.
QByteArray SerializeRegTree(const RegTree& tree);

struct RegParseResult {
    RegTree tree;
    bool damaged = false;
    int firstBadLine = 0; // 1-based; 0 when not damaged
};
RegParseResult ParseRegTree(const QByteArray& bytes);

} // namespace varenta

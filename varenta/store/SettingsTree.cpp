#include "varenta/store/SettingsTree.h"

#include <QList>
#include <QStringDecoder>

#include <limits>

namespace varenta {

namespace {

// The first line of every settings file; a file without it is not ours.
constexpr char kHeader[] = "VarentaSettings 1";
constexpr char kIntegerTag[] = "int:";
constexpr char kTextTag[] = "text:";
constexpr char kBinaryTag[] = "bin:";

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

// Names and texts are kept as UTF-8 with %XX for the few bytes the line
// syntax needs (and for line breaks and other control characters), so any
// name or text survives a round trip and a line is always one entry.
QByteArray Escape(const QString& text, bool isName) {
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size());
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        const bool special =
            c == '%' || IsControl(c) || (isName && (c == '=' || c == '[' || c == ']' || c == '#'));
        if (special) {
            out += '%';
            out += QByteArray::number(c, 16).rightJustified(2, '0').toUpper();
        } else {
            out += ch;
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool Unescape(const QByteArray& in, QString& out) {
    QByteArray bytes;
    bytes.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] != '%') {
            if (IsControl(static_cast<unsigned char>(in[i]))) {
                return false;
            }
            bytes += in[i];
            continue;
        }
        if (i + 2 >= in.size()) {
            return false;
        }
        const int hi = HexDigit(in[i + 1]);
        const int lo = HexDigit(in[i + 2]);
        if (hi < 0 || lo < 0) {
            return false;
        }
        bytes += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    // Stateless: a character cut off at the end is an error, not dropped.
    // A leading U+FEFF is part of the name or text (the file's own
    // byte-order mark is taken off before the lines are split), so it must
    // not be swallowed as one.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless |
                                                     QStringConverter::Flag::ConvertInitialBom);
    out = decoder.decode(bytes);
    return !decoder.hasError();
}

bool ParseValue(const QByteArray& data, SettingsValue& value) {
    if (data.startsWith(kIntegerTag)) {
        bool ok = false;
        const qlonglong n = data.mid(sizeof(kIntegerTag) - 1).toLongLong(&ok, 10);
        if (!ok || n < std::numeric_limits<std::int32_t>::min() ||
            n > std::numeric_limits<std::int32_t>::max()) {
            return false;
        }
        value.kind = SettingsValue::Kind::Integer;
        value.integer = static_cast<std::int32_t>(n);
        return true;
    }
    if (data.startsWith(kTextTag)) {
        value.kind = SettingsValue::Kind::Text;
        return Unescape(data.mid(sizeof(kTextTag) - 1), value.text);
    }
    if (data.startsWith(kBinaryTag)) {
        const QByteArray hex = data.mid(sizeof(kBinaryTag) - 1);
        if (hex.size() % 2 != 0) {
            return false;
        }
        for (const char c : hex) {
            if (HexDigit(c) < 0) {
                return false;
            }
        }
        value.kind = SettingsValue::Kind::Binary;
        value.binary = QByteArray::fromHex(hex);
        return true;
    }
    return false;
}

QByteArray FormatValue(const SettingsValue& value) {
    switch (value.kind) {
    case SettingsValue::Kind::Integer:
        return kIntegerTag + QByteArray::number(value.integer);
    case SettingsValue::Kind::Text:
        return kTextTag + Escape(value.text, false);
    case SettingsValue::Kind::Binary:
        return kBinaryTag + value.binary.toHex();
    }
    return {};
}

} // namespace

const SettingsEntry* SettingsTree::Find(const QString& group, const QString& valueName) const {
    const auto g = groups_.find(Fold(group));
    if (g == groups_.end()) {
        return nullptr;
    }
    const auto v = g->second.values.find(Fold(valueName));
    return v == g->second.values.end() ? nullptr : &v->second;
}

bool SettingsTree::HasGroup(const QString& group) const {
    if (group.isEmpty()) {
        return true;
    }
    const QString key = Fold(group);
    const QString below = key + QLatin1Char('\\');
    for (const auto& [folded, g] : groups_) {
        if (folded == key || folded.startsWith(below)) {
            return true;
        }
    }
    return false;
}

void SettingsTree::EnsureGroup(const QString& group) {
    if (group.isEmpty()) {
        // The base always exists (HasGroup says so) and is only stored
        // while it holds values: an empty one has no line in the file, and
        // a tree must read back exactly as it was written.
        return;
    }
    auto [it, inserted] = groups_.try_emplace(Fold(group));
    if (inserted) {
        it->second.name = group;
    }
}

void SettingsTree::Set(const QString& group, const QString& valueName, const SettingsValue& value) {
    EnsureGroup(group);
    auto& values = groups_[Fold(group)].values; // the base is made here when needed
    auto [it, inserted] = values.try_emplace(Fold(valueName));
    if (inserted) {
        it->second.name = valueName;
    }
    it->second.value = value;
}

bool SettingsTree::RemoveValue(const QString& group, const QString& valueName) {
    const auto g = groups_.find(Fold(group));
    if (g == groups_.end() || g->second.values.erase(Fold(valueName)) == 0) {
        return false;
    }
    if (group.isEmpty() && g->second.values.empty()) {
        groups_.erase(g); // see EnsureGroup
    }
    return true;
}

bool SettingsTree::RemoveGroup(const QString& group) {
    if (group.isEmpty()) {
        return false; // the base of the store is never deleted
    }
    const QString key = Fold(group);
    const QString below = key + QLatin1Char('\\');
    bool removed = false;
    for (auto it = groups_.begin(); it != groups_.end();) {
        if (it->first == key || it->first.startsWith(below)) {
            it = groups_.erase(it);
            removed = true;
        } else {
            ++it;
        }
    }
    return removed;
}

QByteArray SerializeSettingsTree(const SettingsTree& tree) {
    QByteArray out = QByteArray(kHeader) + '\n';
    auto writeValues = [&out](const SettingsGroup& group) {
        for (const auto& [folded, entry] : group.values) {
            out += Escape(entry.name, true) + '=' + FormatValue(entry.value) + '\n';
        }
    };
    // Values without a group come first, before any group line.
    const auto root = tree.Groups().find(QString());
    if (root != tree.Groups().end()) {
        writeValues(root->second);
    }
    for (const auto& [folded, group] : tree.Groups()) {
        if (folded.isEmpty()) {
            continue;
        }
        out += '[' + Escape(group.name, true) + "]\n";
        writeValues(group);
    }
    return out;
}

SettingsParseResult ParseSettingsTree(const QByteArray& bytes) {
    SettingsParseResult result;
    auto markBad = [&result](int lineNo) {
        if (!result.damaged) {
            result.damaged = true;
            result.firstBadLine = lineNo;
        }
    };
    // A byte-order mark left by a text editor is not part of the header.
    static const QByteArray kByteOrderMark("\xEF\xBB\xBF");
    const QList<QByteArray> lines =
        (bytes.startsWith(kByteOrderMark) ? bytes.mid(kByteOrderMark.size()) : bytes).split('\n');
    QString group;
    bool headerSeen = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        QByteArray line = lines[i];
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        if (!headerSeen) {
            // An empty file also lacks it: such a file was never finished.
            headerSeen = true;
            if (line != kHeader) {
                markBad(lineNo);
            } else {
                continue;
            }
        }
        if (line.isEmpty()) {
            // Only the final newline may leave an empty last piece; blank
            // lines elsewhere are harmless too.
            continue;
        }
        if (line.startsWith('#')) {
            continue;
        }
        if (line.startsWith('[')) {
            QString name;
            if (!line.endsWith(']') || !Unescape(line.mid(1, line.size() - 2), name)) {
                markBad(lineNo);
                continue;
            }
            group = name;
            result.tree.EnsureGroup(group);
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        QString name;
        SettingsValue value;
        if (eq < 0 || !Unescape(line.left(eq), name) || !ParseValue(line.mid(eq + 1), value)) {
            markBad(lineNo);
            continue;
        }
        result.tree.Set(group, name, value);
    }
    return result;
}

} // namespace varenta

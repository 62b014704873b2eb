#include "varenta/store/Players.h"

#include "varenta/engine/Texts.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/store/StoreTexts.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>
#include <map>
#include <set>

namespace varenta {

namespace {

constexpr char kPlayerNamePrefix[] = "Player Names\\PlayerName";
// What a missing value reads as: the end of the list.
constexpr char kEndOfList[] = "none";
constexpr int kMaxNameLength = 255;

std::int32_t ReadCounter(const QString& text) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok || value < 0) {
        return 0;
    }
    return static_cast<std::int32_t>(
        std::min<qlonglong>(value, std::numeric_limits<std::int32_t>::max()));
}

void CountOne(std::int32_t& counter) {
    if (counter < std::numeric_limits<std::int32_t>::max()) {
        ++counter;
    }
}

void CountOutcome(WinRatio& ratio, GameOutcome outcome) {
    if (outcome == GameOutcome::PlayerWon) {
        CountOne(ratio.wins);
    } else if (outcome == GameOutcome::PlayerLost) {
        CountOne(ratio.losses);
    }
}

} // namespace

QString PlayerList::CurrentName() const {
    return HasCurrent()
               ? players[static_cast<std::size_t>(current)].name
               : QString::fromUtf8(texts::kDefaultPlayerName.data(),
                                   static_cast<qsizetype>(texts::kDefaultPlayerName.size()));
}

int PlayerList::IndexOf(const QString& name) const {
    for (std::size_t i = 0; i < players.size(); ++i) {
        if (players[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

PlayerEntry ParsePlayerValue(const QString& value) {
    PlayerEntry entry;
    const qsizetype first = value.indexOf(QLatin1Char(','));
    if (first < 0) {
        entry.name = value;
        return entry;
    }
    entry.name = value.left(first);
    const QString rest = value.mid(first + 1);
    const qsizetype second = rest.indexOf(QLatin1Char(','));
    entry.ratio.wins = ReadCounter(second < 0 ? rest : rest.left(second));
    if (second >= 0) {
        entry.ratio.losses = ReadCounter(rest.mid(second + 1));
    }
    return entry;
}

QString FormatPlayerValue(const PlayerEntry& entry) {
    // Joined, not formatted: a name may itself hold "%1".
    return entry.name + QLatin1Char(',') + QString::number(entry.ratio.wins) + QLatin1Char(',') +
           QString::number(entry.ratio.losses);
}

PlayerList LoadPlayers(SettingsFile& store) {
    PlayerList list;
    const QString end = QString::fromLatin1(kEndOfList);
    for (int n = 1;; ++n) {
        const QString value =
            store.ReadString(QString::fromLatin1(kPlayerNamePrefix) + QString::number(n), end);
        if (value == end) {
            break;
        }
        list.players.push_back(ParsePlayerValue(value));
    }
    list.current = list.players.empty() ? -1 : 0;
    return list;
}

namespace {

// The stored list: the current player first, then the others in order.
SettingsFile::NamedValues PlayerValues(const PlayerList& list) {
    SettingsFile::NamedValues values;
    auto add = [&values](const PlayerEntry& entry) {
        values.emplace_back(QString::fromLatin1(kPlayerNamePrefix) +
                                QString::number(static_cast<int>(values.size()) + 1),
                            FormatPlayerValue(entry));
    };
    if (list.HasCurrent()) {
        add(list.players[static_cast<std::size_t>(list.current)]);
    }
    for (std::size_t i = 0; i < list.players.size(); ++i) {
        if (static_cast<int>(i) != list.current) {
            add(list.players[i]);
        }
    }
    return values;
}

} // namespace

void SavePlayers(SettingsFile& store, const PlayerList& list, bool rewrite) {
    const SettingsFile::NamedValues values = PlayerValues(list);
    if (rewrite) {
        store.ReplaceGroup(QString::fromLatin1(kPlayerNamesGroup), values);
    } else if (!values.empty()) {
        store.WriteValues(values);
    }
}

void StoreGameResult(SettingsFile& store, PlayerList& list, GameOutcome outcome) {
    if (list.HasCurrent()) {
        StoreGameResults(store, list, {{list.CurrentName(), outcome, false}});
    }
}

void StoreGameResults(SettingsFile& store, PlayerList& list,
                      const std::vector<UnsavedResult>& results) {
    PlayerList counted = list;
    const QString end = QString::fromLatin1(kEndOfList);
    store.Update([&](const SettingsFile::Reader& read) {
        // The players' counts as the file has them now: another copy may
        // have counted games of its own since this one read them.
        std::map<QString, std::pair<QString, WinRatio>> stored; // name -> value name, counts
        for (int n = 1;; ++n) {
            const QString name = QString::fromLatin1(kPlayerNamePrefix) + QString::number(n);
            const QString value = read(name, end).toString();
            if (value == end) {
                break;
            }
            const PlayerEntry entry = ParsePlayerValue(value);
            stored.try_emplace(entry.name, name, entry.ratio);
        }
        counted = list;
        std::set<int> touched;
        bool missing = false;
        for (const UnsavedResult& result : results) {
            const int i = counted.IndexOf(result.name);
            if (i < 0) {
                continue;
            }
            WinRatio& ratio = counted.players[static_cast<std::size_t>(i)].ratio;
            const auto found = stored.find(result.name);
            if (touched.insert(i).second && found != stored.end()) {
                ratio = found->second.second;
            }
            // A player the file lacks keeps the counts held here, which
            // already hold the games counted in memory.
            if (found != stored.end() || !result.counted) {
                CountOutcome(ratio, result.outcome);
            }
            missing = missing || found == stored.end();
        }
        if (missing) {
            return PlayerValues(counted); // the whole list, as it is kept here
        }
        SettingsFile::NamedValues values;
        for (const int i : touched) {
            const PlayerEntry& entry = counted.players[static_cast<std::size_t>(i)];
            values.emplace_back(stored.at(entry.name).first, FormatPlayerValue(entry));
        }
        return values;
    });
    list = std::move(counted);
}

bool CountGameResult(PlayerList& list, GameOutcome outcome) {
    if (!list.HasCurrent()) {
        return false;
    }
    CountOutcome(list.players[static_cast<std::size_t>(list.current)].ratio, outcome);
    return true;
}

QString WinRatioText(const WinRatio& ratio) {
    const long long games = static_cast<long long>(ratio.wins) + ratio.losses;
    if (games <= 0) {
        return QStringLiteral("?");
    }
    const double percent = static_cast<double>(ratio.wins) * 100.0 / static_cast<double>(games);
    return QString::number(std::lround(percent));
}

std::optional<QString> PlayerNameProblem(const QString& name, const std::vector<QString>& others) {
    if (name.trimmed().isEmpty()) {
        return QCoreApplication::translate("varenta", texts::kNameEmpty);
    }
    if (name.contains(QLatin1Char(','))) {
        return QCoreApplication::translate("varenta", texts::kNameComma);
    }
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator) {
            return QCoreApplication::translate("varenta", texts::kNameControl);
        }
    }
    if (name.size() > kMaxNameLength) {
        return QCoreApplication::translate("varenta", texts::kNameTooLong).arg(kMaxNameLength);
    }
    for (const QString& other : others) {
        if (other == name) {
            return QCoreApplication::translate("varenta", texts::kNameTaken).arg(name);
        }
    }
    return std::nullopt;
}

} // namespace varenta

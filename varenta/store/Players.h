// The named players with their win ratios, one of them the current player,
// kept under "Player Names" as "PlayerName1", "PlayerName2", ... each holding
// name + "," + wins + "," + losses. The current player is always stored first,
// so the player chosen last is current again at the next start.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

#include "varenta/engine/Results.h"

namespace varenta {

class SettingsFile;

inline constexpr char kPlayerNamesGroup[] = "Player Names";

struct WinRatio {
    std::int32_t wins = 0;
    std::int32_t losses = 0;
    bool operator==(const WinRatio&) const = default;
};

struct PlayerEntry {
    QString name;
    WinRatio ratio;
    bool operator==(const PlayerEntry&) const = default;
};

struct PlayerList {
    std::vector<PlayerEntry> players;
    int current = -1; // -1 when the list is empty

    bool HasCurrent() const { return current >= 0 && current < static_cast<int>(players.size()); }
    // The current player's name, or "Player" when nobody is current.
    QString CurrentName() const;
    int IndexOf(const QString& name) const; // -1 when absent
    bool operator==(const PlayerList&) const = default;
};

// One stored value: the name up to the first comma, the counters after it.
// Counters that are missing, not decimal or negative read as 0, so a damaged
// value still gives a usable player.
PlayerEntry ParsePlayerValue(const QString& value);
QString FormatPlayerValue(const PlayerEntry& entry);

// Reads "PlayerName1", "PlayerName2", ... until the first one missing; the
// first is the current player.
PlayerList LoadPlayers(SettingsFile& store);
// Writes the current player as "PlayerName1" and the others after it in list
// order. With `rewrite` the group is emptied first, for a list that may have
// become shorter; both happen in one replacement of the file.
void SavePlayers(SettingsFile& store, const PlayerList& list, bool rewrite);

// A game's end for the current player: a win or a loss is counted (a draw
// counts nothing); counters stop at their largest value. Returns whether a
// player was current.
bool CountGameResult(PlayerList& list, GameOutcome outcome);
// Counts a finished game for the current player in the settings file as it
// is now (another copy of the program on the same profile may have counted
// one since this list was read) and takes the stored counts into `list`.
// When the file cannot be written (SettingsError), `list` is as it was.
void StoreGameResult(SettingsFile& store, PlayerList& list, GameOutcome outcome);

// A game's end for the player named, not yet in the settings file;
// `counted`: already counted in the list kept in memory.
struct UnsavedResult {
    QString name;
    GameOutcome outcome = GameOutcome::Draw;
    bool counted = false;
};
// As StoreGameResult, for several games, each counted for the player it
// names (a player no longer in `list` is passed over), in one write.
void StoreGameResults(SettingsFile& store, PlayerList& list,
                      const std::vector<UnsavedResult>& results);

// The ratio shown for a player: wins / games × 100 rounded to the nearest
// integer, or "?" before the first game.
QString WinRatioText(const WinRatio& ratio);

// Why a name typed for a new or renamed player cannot be kept, or nothing
// when it can. `others` are the names it must differ from.
std::optional<QString> PlayerNameProblem(const QString& name, const std::vector<QString>& others);

} // namespace varenta

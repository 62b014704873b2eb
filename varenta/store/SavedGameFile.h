// Saved games: the game on the table as a small text file of thirteen lines,
// and back. A file is checked whole before anything on the table changes, and
// written beside the old one and renamed over it, so neither a damaged file
// nor a crash while saving can spoil a game.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "varenta/engine/GameState.h"
#include "varenta/engine/SavedPosition.h"

namespace varenta {

class VarentaEngine;

// A game as a file holds it (see SavedPosition for the fields that count).
struct SavedGame : SavedPosition {};

// Files larger than this are not saved games (the largest real one is a few
// dozen kilobytes) and are not read.
inline constexpr long long kMaxSavedGameSize = 1024 * 1024;

// The file's text, exactly: CR LF line ends, one space after every number,
// nothing after the last one.
std::string SerializeSavedGame(const GameState& state, int layout);

// Reads a whole file's text. On any fault returns false with `problem`
// naming the first one (with its line); `out` is then of no use.
bool ParseSavedGame(std::string_view bytes, SavedGame& out, std::string& problem);

enum class SavedGameCheck { Missing, Refused, Ok };

// Does the file exist and begin with the saved-game signature? A missing file
// gives Missing, anything else that is not a saved game Refused; both with
// the message to show to whoever asked for that file by name.
SavedGameCheck CheckSavedGame(const std::string& path, std::string& message);

// Reads and checks the whole file; false with the message to show (naming the
// file and the first problem) when it cannot be loaded.
bool ReadSavedGameFile(const std::string& path, SavedGame& out, std::string& message);

// Writes the game to a new file in the same folder and renames it over
// `path`; the old file stays whole until then. `beforeReplace` runs when the
// new file is complete and synced, just before the rename (tests stand a
// crash there). False with the message to show when it could not be written.
bool WriteSavedGameFile(const std::string& path, const GameState& state, int layout,
                        std::string& message, const std::function<void()>& beforeReplace = {});

// A fixed text of the game files in the user's language, with %1 and %2
// filled in (the messages above are made with it).
std::string FormatGameFileText(const char* text, std::string_view a = {}, std::string_view b = {});

// The bytes of a game file, read and written as saved games are: only a
// regular file no larger than kMaxSavedGameSize is read (`missing` tells a
// file that is not there), and a new file is written beside the old one,
// synced and renamed over it. False with the message to show.
bool ReadGameFileBytes(const std::string& path, std::string& bytes, std::string& message,
                       bool& missing);
bool WriteGameFileBytes(const std::string& path, std::string_view bytes, std::string& message,
                        const std::function<void()>& beforeReplace = {});

// Removes what saves killed in the middle left in `folder` (".NAME.saving-PID"
// of a process that no longer runs); a save still running in another copy
// keeps its file. Returns how many were removed.
int RemoveStaleSaves(const std::string& folder);

// Puts a checked game on the table: the stored fields replace the engine's,
// positions are carried to the current layout, the undo list is emptied, the
// hint of the turn shown and the table repainted. The player is on turn.
void ApplySavedGame(VarentaEngine& engine, const SavedGame& game);

enum class SaveRefusal { None, TakePending, MeldIncorrect };

// Whether the game may be saved now; the automatic save on exit does not ask
// about a pending pile take (its meld check refuses that anyway).
SaveRefusal CheckSaveAllowed(const VarentaEngine& engine, bool automatic);

// The save dialog's proposal for a player: the name without the characters a
// file name cannot hold, cut to 250 characters, with ".var"; "player.var"
// without a player (or with nothing left of the name).
std::string DefaultSaveFileName(std::string_view playerName);

} // namespace varenta

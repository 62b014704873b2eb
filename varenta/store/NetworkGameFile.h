// A network game kept over a lost connection, so that either side may go on
// with it after a restart: the table as a saved game holds it, the turn's
// bookkeeping a saved game leaves out (whose turn, the draws made, the
// pile take under way), and the line's record, which the session writes
// and reads itself. It lives in a file of its own beside autosave.var.
#pragma once

#include "varenta/store/SavedGameFile.h"

#include <string>
#include <string_view>

namespace varenta {

struct KeptNetworkGame {
    SavedGame game;         // with the turn's bookkeeping in game.state
    std::string lineRecord; // the session's, as it gave it
};

// The line record may hold only these characters (the session writes
// numbers, hex and plain keywords, one item per line).
bool IsLineRecordText(std::string_view record);

std::string SerializeKeptNetworkGame(const GameState& state, int layout,
                                     std::string_view lineRecord);
// False with the first problem named when the text is no whole kept game.
bool ParseKeptNetworkGame(std::string_view bytes, KeptNetworkGame& out, std::string& problem);

bool WriteKeptNetworkGame(const std::string& path, const GameState& state, int layout,
                          std::string_view lineRecord, std::string& message);
// False with the message to show; `missing` when there is no such file (then
// there is nothing to tell).
bool ReadKeptNetworkGame(const std::string& path, KeptNetworkGame& out, std::string& message,
                         bool& missing);

} // namespace varenta

#include "varenta/store/NetworkGameFile.h"

#include "varenta/engine/Card.h"
#include "varenta/store/SavedGameTexts.h"

#include <charconv>
#include <vector>

namespace varenta {

namespace {

constexpr std::string_view kTurnMark = "\r\nTURN ";
constexpr std::string_view kLineMark = "\r\nLINE\r\n";
// The table's flags and counts of the turn, then the ranks discarded.
constexpr int kTurnFields = 10 + kColumns;
constexpr long long kMaxCount = 10000000;

} // namespace

bool IsLineRecordText(std::string_view record) {
    for (const char c : record) {
        const bool ok =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c == ' ' || c == '\n' || c == '-';
        if (!ok) {
            return false;
        }
    }
    return true;
}

std::string SerializeKeptNetworkGame(const GameState& s, int layout, std::string_view lineRecord) {
    std::string out = texts::kNetworkGameSignature;
    out += "\r\n";
    out += SerializeSavedGame(s, layout);
    out += kTurnMark;
    const long long fields[] = {s.opponentToMove,       s.playerDrawsFirst,
                                s.mayTakePile,          s.stockDraws,
                                s.pileTopRaisedMinimum, s.restocksThisHand,
                                s.opponentTopPending,   s.opponentMeldPointsBackup,
                                s.playerMeldedBefore,   s.opponentMeldedBefore};
    for (const long long n : fields) {
        out += std::to_string(n) + ' ';
    }
    for (const std::int32_t n : s.discardedRank) {
        out += std::to_string(n) + ' ';
    }
    out += kLineMark;
    out += lineRecord;
    return out;
}

bool ParseKeptNetworkGame(std::string_view bytes, KeptNetworkGame& out, std::string& problem) {
    const std::string head = std::string(texts::kNetworkGameSignature) + "\r\n";
    if (bytes.substr(0, head.size()) != head) {
        problem = texts::kNoNetworkGame;
        return false;
    }
    bytes.remove_prefix(head.size());
    const std::size_t turnAt = bytes.find(kTurnMark);
    const std::size_t lineAt = bytes.find(kLineMark);
    if (turnAt == std::string_view::npos || lineAt == std::string_view::npos || lineAt < turnAt) {
        problem = texts::kNetworkGameCut;
        return false;
    }
    if (!ParseSavedGame(bytes.substr(0, turnAt), out.game, problem)) {
        return false;
    }
    // The turn's fields: numbers each followed by one space, nothing else.
    std::string_view turn =
        bytes.substr(turnAt + kTurnMark.size(), lineAt - turnAt - kTurnMark.size());
    std::vector<long long> n;
    while (!turn.empty()) {
        long long value = 0;
        const auto [end, error] = std::from_chars(turn.data(), turn.data() + turn.size(), value);
        if (error != std::errc() || end == turn.data() + turn.size() || *end != ' ' ||
            value < -kMaxCount || value > kMaxCount) {
            problem = texts::kNetworkGameTurn;
            return false;
        }
        n.push_back(value);
        turn.remove_prefix(static_cast<std::size_t>(end - turn.data()) + 1);
    }
    const auto flag = [&n](int i) {
        return n[static_cast<std::size_t>(i)] == 0 || n[static_cast<std::size_t>(i)] == 1;
    };
    if (n.size() != kTurnFields || !flag(0) || !flag(1) || !flag(2) || !flag(4) || !flag(6) ||
        n[3] < 0 || n[3] > 2 || n[5] < 0 || n[5] > 3) {
        problem = texts::kNetworkGameTurn;
        return false;
    }
    GameState& s = out.game.state;
    s.opponentToMove = n[0] != 0;
    s.playerDrawsFirst = n[1] != 0;
    s.mayTakePile = n[2] != 0;
    s.stockDraws = static_cast<std::int32_t>(n[3]);
    s.pileTopRaisedMinimum = n[4] != 0;
    s.restocksThisHand = static_cast<std::int32_t>(n[5]);
    s.opponentTopPending = n[6] != 0;
    s.opponentMeldPointsBackup = static_cast<std::int32_t>(n[7]);
    s.playerMeldedBefore = static_cast<std::int32_t>(n[8]);
    s.opponentMeldedBefore = static_cast<std::int32_t>(n[9]);
    for (int i = 0; i < kColumns; ++i) {
        const long long count = n[static_cast<std::size_t>(10 + i)];
        if (count < 0 || count > kDeckSize) {
            problem = texts::kNetworkGameTurn;
            return false;
        }
        s.discardedRank[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(count);
    }
    const std::string_view record = bytes.substr(lineAt + kLineMark.size());
    if (!IsLineRecordText(record)) {
        problem = texts::kNetworkGameLine;
        return false;
    }
    out.lineRecord.assign(record);
    return true;
}

bool WriteKeptNetworkGame(const std::string& path, const GameState& state, int layout,
                          std::string_view lineRecord, std::string& message) {
    return WriteGameFileBytes(path, SerializeKeptNetworkGame(state, layout, lineRecord), message);
}

bool ReadKeptNetworkGame(const std::string& path, KeptNetworkGame& out, std::string& message,
                         bool& missing) {
    std::string bytes;
    if (!ReadGameFileBytes(path, bytes, message, missing)) {
        return false;
    }
    std::string problem;
    if (!ParseKeptNetworkGame(bytes, out, problem)) {
        message = FormatGameFileText(texts::kNetworkGameDamaged, path,
                                     FormatGameFileText(problem.c_str()));
        return false;
    }
    return true;
}

} // namespace varenta

// Any text as a stored player: reading never crashes, the counters are
// never negative, and a player whose name would be accepted when typed
// survives a write and a second read unchanged.
#include "varenta/store/HighScores.h"
#include "varenta/store/Players.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const varenta::PlayerEntry entry = varenta::ParsePlayerValue(text);
    if (entry.ratio.wins < 0 || entry.ratio.losses < 0) {
        std::abort();
    }
    (void)varenta::WinRatioText(entry.ratio);
    if (!varenta::PlayerNameProblem(entry.name, {})) {
        const varenta::PlayerEntry again =
            varenta::ParsePlayerValue(varenta::FormatPlayerValue(entry));
        if (!(again == entry)) {
            std::abort();
        }
    }
    // The same bytes as a table of high scores kept in memory: a place is
    // always a rank or nothing.
    varenta::HighScoreTable table;
    for (std::size_t i = 0; i < table.size() && i < size; ++i) {
        table.at(i).score = static_cast<std::int32_t>(data[i]) * 37;
    }
    const int place = varenta::HighScorePlace(table, static_cast<std::int32_t>(size));
    if (place < 0 || place > varenta::kHighScoreRows) {
        std::abort();
    }
    varenta::InsertHighScore(table, place, {static_cast<std::int32_t>(size), {}, entry.name});
    return 0;
}

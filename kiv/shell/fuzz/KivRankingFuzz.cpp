// Any bytes as kiv32.rng: reading never crashes, the values survive a write
// and a second read, and adding a score to them never overflows.
#include "kiv/shell/KivFiles.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const kiv::RankingValues first = kiv::ParseRanking(bytes);
    if (!(kiv::ParseRanking(kiv::FileBytes(kiv::RankingLines(first))) == first)) {
        std::abort();
    }
    for (std::int64_t v : first) {
        // Scores of a game are far smaller than an int; these are its extremes.
        kiv::AddSaturating(v, 2147483647);
        kiv::AddSaturating(v, -2147483647 - 1);
    }
    return 0;
}

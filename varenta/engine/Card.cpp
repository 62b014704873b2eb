#include "varenta/engine/Card.h"

namespace varenta {

CardNameResult CardName(int suit, int rankIndex) {
    static constexpr std::string_view kSuitWords[4] = {"spade", "club", "diamond", "heart"};
    static constexpr std::string_view kRankLetters[13] = {"2", "3",  "4", "5", "6", "7", "8",
                                                          "9", "10", "b", "v", "h", "a"};
    CardNameResult result;
    if (suit < 0 || suit > 3 || rankIndex < 0 || rankIndex > 12) {
        return result;
    }
    result.suitWord = kSuitWords[suit];
    result.rankLetter = kRankLetters[rankIndex];
    result.code = suit * 13 + rankIndex + 1;
    return result;
}

} // namespace varenta

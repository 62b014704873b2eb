#include "kiv/engine/PlayingCard.h"

namespace kiv {

int CardNumber(int suit, int rank) {
    if (rank < kSieben || rank > kAs) {
        return 0;
    }
    for (int block = 0; block < 4; ++block) {
        if (kBlockSuit[block] == suit) {
            return block * 8 + (rank - kSieben) + 1;
        }
    }
    return 0;
}

int FaceBitmapId(int number) {
    return IsCardNumber(number) ? 136 + number : kPlaceholderBitmapId;
}

int BackBitmapId(int deckBack) {
    switch (deckBack) {
    case 2:
        return 196;
    case 3:
        return 197;
    case 4:
        return 198;
    default:
        return 130;
    }
}

} // namespace kiv

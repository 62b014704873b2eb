#include "kiv/engine/PlayingCard.h"

namespace kiv {

namespace {
// Suit of each block of eight numbers: Karo, Herz, Pik, Kreuz.
constexpr int kBlockSuit[4] = {kKaro, kHerz, kPik, kKreuz};
bool IsCard(int number) {
    return number >= 1 && number <= kCardCount;
}
} // namespace

int SuitOfCard(int number) {
    return IsCard(number) ? kBlockSuit[(number - 1) / 8] : kNoSuit;
}

int RankOfCard(int number) {
    return IsCard(number) ? kSieben + (number - 1) % 8 : kNoRank;
}

int PointsOfCard(int number) {
    switch (RankOfCard(number)) {
    case kBube:
        return 20;
    case kDame:
        return 3;
    case kKoenig:
        return 4;
    case kAs:
        return 11;
    default:
        return 0;
    }
}

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
    return IsCard(number) ? 136 + number : kPlaceholderBitmapId;
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

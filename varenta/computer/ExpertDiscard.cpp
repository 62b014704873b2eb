// The Expert's discard: the card least useful to itself and to the human.

#include "varenta/computer/ExpertPlayer.h"

#include <algorithm>

namespace varenta {

DiscardChoice ExpertPlayer::chooseDiscard() {
    return ExpertChooseDiscard();
}

// How much the human is known to collect a rank: its melds of that rank (they
// only matter while it may take the pile) and what it took from the pile.
int ExpertPlayer::danger(int rank) const {
    return (frozenForMe() ? 0 : tally_.playerMeldColumn[rank]) + tally_.knownPlayerRank[rank];
}

int ExpertPlayer::wildThrowIndex() const {
    return findWild();
}

int ExpertPlayer::highestCardIndex() const {
    for (int r = 13; r >= 2; --r) {
        const int index = FindInHand(r);
        if (index >= 0) {
            return index;
        }
    }
    const int two = FindInHand(1);
    return two >= 0 ? two : FindInHand(0);
}

DiscardChoice ExpertPlayer::ExpertChooseDiscard() {
    RefreshTallies();
    const int hand = handSize();
    // A turn never comes to its discard with an empty hand: == 1 and == 0 read the same.
    if (hand == 1) {
        return DiscardChoice::fromHand(0);
    }
    if (memory_.holdThrees && blackThreeHeld()) {
        return DiscardChoice::fromHand(findBlackThree());
    }
    const bool frozen = frozenForMe();
    if (wildsInHand() > 2 * needed() + 2 && (frozen || ownVarentas() < needed())) {
        return DiscardChoice::fromHand(wildThrowIndex());
    }
    // Without meld points the threes column holds red threes only (black threes go down only
    // when going out, and they count points): "some there" and "a red three there" read the same.
    if (tally_.opponentMeldColumn[2] >= 1 && tally_.opponentRedThreesInMelds > 0 && needed() == 2 &&
        ownMeldPoints() == 0 && hand < 14 && rules().threeBlock) {
        return DiscardChoice::redThree();
    }
    if (memory_.discardRank != 0 && FindInHand(memory_.discardRank) >= 0 &&
        MaySpare(memory_.discardRank)) {
        return DiscardChoice::fromHand(lastCardGuard(FindInHand(memory_.discardRank)));
    }

    memory_.discardRank = 0;
    int chosen = -1; // only asked whether below 0: any negative start reads the same
    if (PileIsUrgent()) {
        chosen = blackThreeHeld() ? findBlackThree() : urgentDiscard();
    }

    // Freezing the pile with a wild card when the human is collecting hard.
    const int unknown = humanHandSize() - tally_.knownPlayerRank[0] - tally_.knownPlayerRank[1] -
                        tally_.knownPlayerRank[2];
    // With no wild card the throw below finds none and the choice goes on: 0 and 1 read the same.
    const bool wildToSpare =
        wildsInHand() >= 4 || (wildsInHand() >= 1 && ownVarentas() >= needed());
    if (wildToSpare && unknown < 8 && humanMeldCards() >= 20 && !frozen && !memory_.holdThrees) {
        chosen = wildThrowIndex();
    }

    if (chosen < 0) {
        chosen = mainSelection();
    }
    if (chosen < 0) {
        if (!blackThreeHeld() || stockSize() >= 70) {
            chosen = highestCardIndex();
        } else {
            chosen = findBlackThree();
        }
    }
    return DiscardChoice::fromHand(lastCardGuard(chosen));
}

// Throws from the ranks the computer holds most of but can spare, while the
// pile is worth keeping away from the human.
int ExpertPlayer::urgentDiscard() {
    const bool frozen = frozenForMe();
    // Without a wild card neither test below holds: the wild-card limit reads the same.
    if (handSize() >= 12 && humanHandSize() < 21 && wildsInHand() > 0) {
        if (tally_.opponentHandRank[1] > 0 && MaySpare(1)) {
            return FindInHand(1);
        }
        if (tally_.opponentHandRank[0] > 0 && MaySpare(0)) {
            return FindInHand(0);
        }
    }
    int ceiling = 9;
    while (true) {
        int largest = 0;
        // A black three was thrown before this is asked: walks from the threes read the same.
        for (int r = 3; r <= 13; ++r) {
            const int c = tally_.opponentHandRank[r];
            if (c >= 1 && c < ceiling && !(frozen && c == 2)) {
                largest = std::max(largest, c);
            }
        }
        if (largest == 0) {
            return -1; // only asked whether below 0: any negative reads the same
        }
        // No black three is in the hand here: a walk from the threes reads the same.
        for (int r = 3; r <= 13; ++r) {
            if (tally_.opponentHandRank[r] == largest && danger(r) < 2 && MaySpare(r)) {
                memory_.discardRank = r;
                return FindInHand(r);
            }
        }
        ceiling = largest;
    }
}

int ExpertPlayer::mainSelection() {
    const bool frozen = frozenForMe();
    auto groupSize = [&](int r) {
        return tally_.opponentHandRank[r] + tally_.opponentMeldColumn[r];
    };
    auto safeToThrow = [&](int r) {
        const int collected = tally_.playerMeldColumn[r] + tally_.knownPlayerRank[r];
        return (frozen && tally_.knownPlayerRank[r] < 2) ||
               collected + tally_.discardPileRank[r] < 6 || collected >= 7;
    };
    const bool humanRich =
        ownVarentas() < needed() && (frozen ? 0 : humanMeldCards()) + humanHandSize() >= 26;

    int floor = 0;
    int g = 0;
    while (true) {
        g = 0;
        for (int r = 3; r <= 13; ++r) {
            const int s = groupSize(r);
            if (s > floor && (g == 0 || s < g)) {
                g = s;
            }
        }
        if (g == 0) {
            // The caller only asks whether the index is below 0: any negative value reads the same.
            return -1; // every rank has been looked at
        }
        if (g < 2 || !blackThreeHeld() || stockSize() >= 70) {
            int ceiling = 1;
            while (true) {
                int best = -1000;
                for (int r = 3; r <= 13; ++r) {
                    if (groupSize(r) == g && -danger(r) < ceiling) {
                        best = std::max(best, -danger(r));
                    }
                }
                if (best < -8) {
                    break; // nothing left that is safe enough to consider
                }
                for (int r = 3; r <= 13; ++r) {
                    if (groupSize(r) != g || -danger(r) != best ||
                        tally_.opponentHandRank[r] == 0) {
                        continue;
                    }
                    if (humanRich || safeToThrow(r)) {
                        memory_.discardRank = r;
                        return FindInHand(r);
                    }
                }
                ceiling = best;
            }
        } else {
            memory_.discardRank = 2;
            return findBlackThree();
        }
        floor = g;
        if (g >= 9) {
            break;
        }
    }
    for (int r = 3; r <= 13; ++r) {
        if (tally_.opponentHandRank[r] > 0 &&
            tally_.playerMeldColumn[r] != tally_.playerMeldRank[r]) {
            memory_.discardRank = r;
            return FindInHand(r);
        }
    }
    return -1;
}

// Never hand the human its last-card pile onto one of its own melds while
// another rank can go.
int ExpertPlayer::lastCardGuard(int chosen) const {
    if (chosen < 0 || pileSize() != 0 || humanHandSize() != 1) {
        return chosen;
    }
    const int rank = handCard(chosen).rank;
    if (rank < 3 || tally_.playerMeldColumn[rank] == 0) {
        return chosen;
    }
    for (int r = 3; r <= 13; ++r) {
        if (tally_.opponentHandRank[r] > 0 && tally_.playerMeldColumn[r] == 0) {
            return FindInHand(r);
        }
    }
    return highestCardIndex();
}

} // namespace varenta

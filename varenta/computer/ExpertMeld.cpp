// The Expert's melding phase: it lays cards to complete seven-card melds, to
// rush at the end of the hand, or to go out.

#include "varenta/computer/ExpertPlayer.h"

#include <algorithm>

namespace varenta {

void ExpertPlayer::meldPhase() {
    ExpertMeldPhase();
}

void ExpertPlayer::ExpertMeldPhase() {
    MeldRedThrees();
    NaturalVarentas();
    GoOutCheck();
    RefreshTallies();

    const int stock = stockSize();
    const bool humanHasNeeded = humanVarentas() >= needed();
    const bool endGame =
        stock < 6 ||
        (!opponentThreat &&
         ((humanHasNeeded && humanHandSize() < 10) ||
          (humanVarentas() == 0 && needed() == 1 && stock < 55 && humanMeldCards() < 5)));
    if (endGame) {
        CompleteVarentas();
        if (ownVarentas() >= needed()) {
            MeldNaturals(0);
            LayOutWilds();
        }
    }

    if (needed() == 2) {
        RefreshTallies();
        const ReachableResult reach = ReachableVarentas();
        const int hand = handSize();
        // Below six cards in the stock the rush above has completed what it can: the 5 reads
        // the same from 4 to 6.
        if ((reach.varentas >= 2 && hand - reach.cardsUsed != 2) || stock < 5) {
            CompleteVarentas();
        }
        if (hand - reach.cardsUsed < 2 && reach.varentas >= 2) {
            MeldNaturals(0);
            LayOutWilds();
        }
    }

    if (ownVarentas() >= needed()) {
        if (!attemptGoingOut()) {
            RefreshTallies();
            const bool humanOnlyRedThrees = humanMeldCards() == tally_.playerMeldRedThrees;
            // Below six cards in the stock the rush above has completed and laid what it can: the
            // 5 reads the same from 4 to 6.
            if (humanHandSize() < 6 || stock < 5 ||
                (stock < 60 && humanOnlyRedThrees && aggressiveTurn)) {
                CompleteVarentas();
                // The same; and a human with its Varentas has melds that are not only red
                // threes, so with six cards or more it only comes here through the stock: the 6
                // reads the same one step up.
                if (stock < 5 || (humanHandSize() < 6 && humanHasNeeded)) {
                    MeldNaturals(1);
                }
            }
        }
    } else if (!rules().varentaRequired && humanHasNeeded && humanHandSize() < 5 &&
               !opponentThreat) {
        // With one Varenta of two the budget below keeps fourteen cards back, far above this
        // limit: the factor of the Varentas on the table reads the same.
        if (handSize() + ownMeldCards() >= 7 * needed() + 10 - 7 * ownVarentas() &&
            // Meld points come in fives (red threes count none): any limit from 1 to 5 here reads
            // the same.
            ownMeldPoints() >= 1) {
            // Without its Varentas the budget keeps no cards by this count: it reads the same.
            MeldNaturals(1);
        }
    }

    RefreshTallies();
    if (stock <= 3 * needed() + 68 && tally_.blackThreesInHand >= 2) {
        memory_.holdThrees = true;
    }
}

// Returns whether the hand was laid out to go out.
bool ExpertPlayer::attemptGoingOut() {
    RefreshTallies();
    const int mine = (frozenForMe() ? 0 : ownMeldCards()) + handSize();
    const int humanCards = humanHandSize() + humanMeldCards();
    bool attempt = false;
    if (aggressiveTurn) {
        attempt = !(humanVarentas() < needed() - 1 && humanCards < 35 && mine >= 15);
    } else {
        attempt =
            humanCards >= 35 || mine < 7 || (humanVarentas() >= needed() && humanHandSize() < 4);
    }
    if (!attempt || !LeftoverCount().canGoOut || !GoingOutPays()) {
        return false;
    }
    MeldNaturals(0);
    CompleteVarentas();
    LayOutWilds();
    return true;
}

void ExpertPlayer::NaturalVarentas() {
    for (int r = 3; r <= 13; ++r) {
        RefreshTallies();
        const bool enough = tally_.opponentHandRank[r] + tally_.opponentMeldColumn[r] >= 7;
        const bool noWilds = tally_.opponentMeldColumn[r] == tally_.opponentMeldRank[r];
        // Meld points come in fives (red threes count none): any limit from 1 to 5 here reads the
        // same.
        const bool meldOk = ownMeldPoints() >= 1 || 7 * RankPoints(r) >= initialMeldNeed;
        // With none of the rank in hand there is nothing to lay: > 0 and >= 0 read the same.
        if (enough && noWilds && meldOk && tally_.opponentHandRank[r] > 0) {
            MeldRank(r, 0);
        }
    }
}

bool ExpertPlayer::GoOutCheck() {
    RefreshTallies();
    int spare = wildsInHand();
    bool ok = true;
    int singles = 0;
    int varentas = ownVarentas();
    for (int size = 8; size >= 1; --size) {
        for (int r = 3; r <= 13 && ok; ++r) {
            const int s = tally_.opponentHandRank[r] + tally_.opponentMeldColumn[r];
            if (s != size) {
                continue;
            }
            // A meld that is already a Varenta is counted in varentas already.
            if (varentas < needed() && size >= 4 && spare >= 7 - size &&
                tally_.opponentMeldColumn[r] < 7) {
                spare -= 7 - size;
                varentas += 1;
            }
            if (size == 2) {
                if (spare < 1) {
                    ok = false;
                } else {
                    spare -= 1;
                }
            }
            if (size == 1) {
                singles += 1;
            }
        }
    }
    const int b = tally_.blackThreesInHand;
    const bool good = ok && singles <= 1 && (b == 0 || b >= 3 || (b == 1 && singles == 1));
    if (good && varentas >= needed() && aggressiveTurn) {
        CompleteVarentas();
        MeldNaturals(0);
        LayOutWilds();
    }
    return good;
}

bool ExpertPlayer::completeVarentasLimitIsThree() const {
    return aggressiveTurn || ownVarentas() < needed() || ownVarentas() < humanVarentas() ||
           wildsInHand() >= 6 || LeftoverCount().canGoOut;
}

void ExpertPlayer::CompleteVarentas() {
    RefreshTallies();
    std::array<int, 14> wildsFor{};
    wildsFor.fill(-1);
    for (int r = 13; r >= 3; --r) {
        const int h = tally_.opponentHandRank[r] + tally_.opponentMeldColumn[r];
        // Fewer than 7 would ask more wild cards than the hand holds, fewer than four naturals
        // more than three wild cards: both limits read the same one step down.
        if (h + wildsInHand() >= 7 && h >= 4 && tally_.opponentMeldColumn[r] < 7) {
            const int k = std::max(0, 7 - h);
            // A meld never carries more than three wild cards.
            if (3 - WildsInMeld(r) >= k) {
                wildsFor[r] = k;
            }
        }
    }
    for (int k = 0; k <= 3; ++k) {
        for (int r = 13; r >= 3; --r) {
            if (wildsFor[r] != k) {
                continue;
            }
            RefreshTallies();
            if (wildsInHand() >= k && handSize() >= tally_.opponentHandRank[r] + k) {
                meldAllOfRank(r);
                for (int i = 0; i < k; ++i) {
                    MeldWildCard(r);
                }
            }
        }
        RefreshTallies();
        if (!completeVarentasLimitIsThree()) {
            break;
        }
    }
    RefreshTallies();
}

void ExpertPlayer::MeldNaturals(int keep) {
    RefreshTallies();
    const int budget =
        ownVarentas() < needed() ? handSize() - (6 * needed() + 2) : handSize() - 2 * keep;
    meldNaturalsWithin(budget, false);
}

ReachableResult ExpertPlayer::ReachableVarentas() const {
    int varentas = ownVarentas();
    int spare = wildsInHand();
    int used = spare;
    for (int size = 8; size >= 4 && spare >= 0; --size) {
        for (int r = 3; r <= 13; ++r) {
            const int s = tally_.opponentHandRank[r] + tally_.opponentMeldColumn[r];
            if (s == size && tally_.opponentMeldColumn[r] < 7 && spare >= 7 - size) {
                spare -= 7 - size;
                varentas += 1;
                used += tally_.opponentHandRank[r];
            }
        }
    }
    return {varentas, used};
}

bool ExpertPlayer::GoingOutPays() const {
    const int human = humanScore() + 300 * humanVarentas() + tally_.playerMeldPoints;
    const int mine = ownScore() + 300 * ownVarentas() + tally_.opponentMeldCardPoints;
    return human < mine || human < 5000;
}

} // namespace varenta

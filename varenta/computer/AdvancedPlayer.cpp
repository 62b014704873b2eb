#include "varenta/computer/AdvancedPlayer.h"

#include "varenta/computer/Rehearsal.h"
#include "varenta/engine/VarentaEngine.h"

#include <algorithm>

namespace varenta {

SimpleMeldCount CountSimpleMeld(const RankTally& tally, int meldPoints, int need) {
    SimpleMeldCount m;
    m.points = meldPoints;
    for (int r = 3; r <= 13 && m.points < need; ++r) {
        if (tally.opponentHandRank[r] >= 3) {
            m.points += RankPoints(r) * tally.opponentHandRank[r];
            m.cards += tally.opponentHandRank[r];
        }
    }
    int jokers = tally.opponentHandRank[0];
    int twos = tally.opponentHandRank[1];
    for (int r = 13; r >= 3 && m.points < need && jokers + twos > 0; --r) {
        if (tally.opponentHandRank[r] != 2) {
            continue;
        }
        m.points += 2 * RankPoints(r);
        if (jokers > 0) {
            --jokers;
            m.points += 50;
        } else {
            --twos;
            m.points += 20;
        }
        m.cards += 3;
        m.pairs += 1;
    }
    return m;
}

AdvancedPlayer::AdvancedPlayer(VarentaEngine& engine, const ComputerSettings& settings,
                               AdvancedMemory& memory)
    : ComputerBase(engine, settings), memory_(memory) {}

MeldCheckResult AdvancedPlayer::AdvMeldCheck() const {
    const SimpleMeldCount m = CountSimpleMeld(tally_, ownMeldPoints(), need);
    const bool pairsOk =
        // Without pairs any minimum passes and from 120 on any number of them: the first 90 and
        // the first 120 read the same one step up.
        (need < 90 && m.pairs == 0) || (need >= 90 && need < 120 && m.pairs < 2) || need >= 120;
    return {m.cards < tally_.handSize - 6 && m.points >= need && pairsOk, m.pairs};
}

int AdvancedPlayer::AdvVarentaPlan() const {
    const int wilds = wildsInHand();
    int jokers = tally_.opponentHandRank[0];
    int result = 0;
    for (int r = 13; r >= 3; --r) {
        const int held = tally_.opponentHandRank[r];
        if (held < 4 || held + wilds < 7) {
            continue;
        }
        int points = RankPoints(r) * held;
        for (int i = 0; i < 7 - held; ++i) {
            if (jokers > 0) {
                --jokers;
                points += 50;
            } else {
                points += 20;
            }
        }
        if (points >= need) {
            result = r; // the lowest qualifying rank wins
        }
    }
    return result;
}

bool AdvancedPlayer::AdvTakePile() {
    RefreshTallies();
    const int n = pileSize();
    if (n == 0) {
        return false;
    }
    const int t = pileTopRank();
    if (!ComputerMayTakePile(t, frozenForMe())) {
        return false;
    }
    const int savedNeed = need;
    if (!rules().topCardCounts) {
        need += RankPoints(t);
    }
    const SavedTallies saved = saveTallies();
    talliesToChange().opponentHandRank[t] += 1;
    talliesToChange().handSize += 1;
    const MeldCheckResult check = AdvMeldCheck();
    // Meld points come in fives (red threes count none): any limit from 1 to 5 here reads the
    // same.
    const bool feasible = ownMeldPoints() >= 1 || check.ok;
    const int held = tally_.opponentHandRank[t];
    const int meld = tally_.opponentMeldColumn[t];

    bool yes = false;
    if (ownVarentas() < needed() && rules().varentaRequired) {
        yes = feasible && SevenCardTargetInReach(t, check.pairs);
        // A draw exactly at the bound is as rare as none: > or >= here cannot change the play.
        if (feasible && !yes && randomReal() > 25.0 / (n * n)) {
            yes = true;
        }
    } else {
        const int s = held + meld + tally_.discardPileRank[t];
        // With a meld of the rank on the table s is five at least (the top card counts in the
        // hand and in the pile), and without one every branch below asks for three held: the 4
        // reads the same from 3 to 5.
        if (s >= 4 && s + wildsInHand() >= 7) {
            // A meld holds no card or three and more: a limit of 1, 2 or 3 on it reads the same.
            yes = feasible && (held >= 3 || meld >= 3);
            // A draw exactly at the bound is as rare as none: <= or < cannot change the play.
        } else if (randomReal() <= 16.0 / (n * n)) {
            yes = feasible && held >= 3; // a small pile needs a natural group
        } else {
            // A meld holds three cards or more: a limit of 2 or 3 on it reads the same.
            yes = feasible && (held >= 3 || meld >= 3);
        }
    }
    restoreTallies(saved);
    if (!yes) {
        need = savedNeed;
    }
    return yes;
}

std::unique_ptr<ComputerBase> AdvancedPlayer::understudy(Rehearsal& table) const {
    table.advanced = memory_;
    auto copy = std::make_unique<AdvancedPlayer>(table.engine, settings_, table.advanced);
    copy->need = need;
    return copy;
}

void AdvancedPlayer::adoptMemory(const Rehearsal& table) {
    memory_ = table.advanced;
}

void AdvancedPlayer::takeOrDraw() {
    need = MeldMinimumForMe();
    const int plainNeed = need;
    // A take whose top card cannot be laid as the rules ask is not made.
    if (!AdvTakePile() || !TopCardCanBeLaid()) {
        need = plainNeed;
        drawFromStock();
        return;
    }
    layPileTop();
    takePileRestIntoHand();
}

void AdvancedPlayer::layPileTop() {
    meldDelay();
    const int t = takePileTopIntoHand();
    RefreshTallies();
    if (ownMeldPoints() == 0 && AdvVarentaPlan() == t) {
        meldAllOfRank(t);
        RefreshTallies();
        // The plan holds wild cards enough for seven, so the column reaches seven first: the
        // wild-card limit here reads the same.
        while (tally_.opponentMeldColumn[t] < 7 && wildsInHand() > 0 && MeldWildCard(t)) {
            RefreshTallies();
        }
    } else {
        MeldRank(t, 0);
    }
    AdvInitialMelds();
}

void AdvancedPlayer::AdvInitialMelds() {
    RefreshTallies();
    const int pairs = AdvMeldCheck().pairs;
    int laid = 0;
    for (int r = 13; r >= 3 && laid < pairs; --r) {
        if (tally_.opponentHandRank[r] == 2) {
            MeldRank(r, 0);
            ++laid;
        }
    }
    while (ownMeldPoints() < need) {
        RefreshTallies();
        // No rank yet: any negative start reads the same.
        int rank = -1;
        for (int i = 0; i < handSize() && rank < 0; ++i) {
            const int r = handCard(i).rank;
            if (r >= 3 && tally_.opponentHandRank[r] + tally_.opponentMeldColumn[r] >= 3) {
                rank = r;
            }
        }
        // rank is -1 or four and up: < 0, <= 0 and < 1 read the same.
        if (rank < 0 || MeldRank(rank, 0) == 0) {
            break;
        }
    }
    RefreshTallies();
}

void AdvancedPlayer::AdvMeldNaturals() {
    RefreshTallies();
    meldNaturalsWithin(ownVarentas() < needed() ? handSize() - 6 : handSize(), false);
}

void AdvancedPlayer::meldPhase() {
    MeldRedThrees();
    if (ownMeldPoints() == 0) {
        RefreshTallies();
        const MeldCheckResult check = AdvMeldCheck();
        // AdvMeldCheck already refuses pairs below 90 and a second pair below 120, so this limit
        // cannot change the play.
        if (check.ok && (check.pairs < 2 || need >= 51)) {
            AdvInitialMelds();
        }
    }
    // Meld points come in fives (red threes count none): any limit from 1 to 5 here reads the
    // same.
    if (ownMeldPoints() >= 1) {
        AdvCompleteVarentas();
    }
    RefreshTallies();
    if (ownVarentas() >= needed()) {
        const double x = randomReal();
        const int humanHand = humanHandSize();
        const bool stay =
            humanHand + humanMeldCards() < 31 &&
            // With its Varentas the computer has seven meld cards and a card in
            // hand: the 7 reads the same from 6 to 8.
            (ownMeldCards() + handSize() >= 7 || memory_.holdThrees) &&
            // The human always holds a card in the computer's turn, and a draw
            // exactly at the bound is as rare as none: the 0 and the >= read the same.
            (humanHand > 0 && x >= 16.0 / (humanHand * humanHand)) && handSize() != 2;
        if (!stay) {
            AdvMeldNaturals();
            LayOutWilds();
        }
        // Meld points come in fives (red threes count none): any limit from 1 to 5 here reads the
        // same.
    } else if (!rules().varentaRequired && humanVarentas() >= needed() && ownMeldPoints() >= 1 &&
               humanHandSize() < 7) {
        AdvMeldNaturals();
    }
    RefreshTallies();
    if (ownMeldCards() >= 21 && ownVarentas() >= needed() && blackThreeHeld()) {
        memory_.holdThrees = true;
    }
}

// A human meld that is a complete Varenta the pile's top card cannot join.
bool AdvancedPlayer::completeForHuman(int rank) const {
    return tally_.playerMeldColumn[rank] >= 7 && !rules().addToVarenta;
}

DiscardChoice AdvancedPlayer::AdvChooseDiscard() {
    RefreshTallies();
    const int hand = handSize();
    // A turn never ends with an empty hand to discard from: == 1 and == 0 read the same.
    if (hand == 1) {
        return DiscardChoice::fromHand(0);
    }
    const int wilds = wildsInHand();
    if (wilds >= 3 && wilds >= hand - 4 && (frozenForMe() || ownVarentas() < needed())) {
        return DiscardChoice::fromHand(findWild());
    }
    return pileSize() > 5 ? bigPileDiscard() : smallPileDiscard();
}

DiscardChoice AdvancedPlayer::bigPileDiscard() {
    if (blackThreeHeld()) {
        return DiscardChoice::fromHand(findBlackThree());
    }
    // No three is in the hand here (red threes are laid at once, a black three went above): the
    // walks below read the same from the threes.
    for (int r = 3; r <= 13; ++r) {
        const int c = tally_.opponentHandRank[r];
        if ((c == 1 || c == 4 || c == 5) &&
            (tally_.playerMeldColumn[r] < 3 || completeForHuman(r))) {
            return DiscardChoice::fromHand(FindInHand(r));
        }
    }
    for (int u = 0; u <= 15; ++u) {
        // No rank yet: any negative start reads the same.
        int best = -1;
        // Threes are never in the hand here: a start at the threes reads the same.
        for (int r = 3; r <= 13; ++r) {
            // Each u lets in what the one before did and more, so the first u that finds a rank
            // picks the same one with < u: the two read the same.
            if (tally_.opponentHandRank[r] == 0 ||
                !(tally_.playerMeldColumn[r] <= u || completeForHuman(r))) {
                continue;
            }
            // best is -1 or a rank from four up: < 0, <= 0 and < 1 read the same.
            if (best < 0 || tally_.opponentHandRank[r] < tally_.opponentHandRank[best]) {
                best = r;
            }
        }
        // best is -1 or a rank from four up: < 0, <= 0 and < 1 read the same.
        if (best < 0) {
            continue;
        }
        if (wildsInHand() > 0 && humanHandSize() < 10 && tally_.playerMeldColumn[best] >= 2 &&
            !frozenForMe()) {
            return DiscardChoice::fromHand(findWild());
        }
        return DiscardChoice::fromHand(FindInHand(best));
    }
    return DiscardChoice::fromHand(0);
}

DiscardChoice AdvancedPlayer::smallPileDiscard() {
    for (int g = 1; g <= 15; ++g) {
        // A draw exactly at the bound is as rare as none: < or <= cannot change the play.
        const bool upward = randomReal() < 0.8;
        for (int i = 0; i <= 10; ++i) {
            const int r = upward ? 3 + i : 13 - i;
            const int held = tally_.opponentHandRank[r];
            if (held == 0 || held + tally_.opponentMeldColumn[r] != g) {
                continue;
            }
            if (held >= 2 && blackThreeHeld()) {
                return DiscardChoice::fromHand(findBlackThree());
            }
            if (tally_.playerMeldColumn[r] == 6) {
                continue; // it would complete the human's Varenta
            }
            return DiscardChoice::fromHand(FindInHand(r));
        }
    }
    return DiscardChoice::fromHand(blackThreeHeld() ? findBlackThree() : 0);
}

} // namespace varenta

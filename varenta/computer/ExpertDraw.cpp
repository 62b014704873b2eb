// The Expert's draw-or-take decision and its first melds after a take.

#include "varenta/computer/ExpertPlayer.h"

#include "varenta/computer/Rehearsal.h"

#include <algorithm>

namespace varenta {

ExpertPlayer::ExpertPlayer(VarentaEngine& engine, const ComputerSettings& settings,
                           ExpertMemory& memory)
    : ComputerBase(engine, settings), memory_(memory) {}

void ExpertPlayer::takeOrDraw() {
    ExpertDrawOrTake();
}

std::unique_ptr<ComputerBase> ExpertPlayer::understudy(Rehearsal& table) const {
    table.expert = memory_;
    auto copy = std::make_unique<ExpertPlayer>(table.engine, settings_, table.expert);
    copy->aggressiveTurn = aggressiveTurn;
    copy->opponentThreat = opponentThreat;
    copy->initialMeldNeed = initialMeldNeed;
    return copy;
}

void ExpertPlayer::adoptMemory(const Rehearsal& table) {
    memory_ = table.expert;
}

void ExpertPlayer::BeginExpertTurn() {
    const int stock = stockSize();
    // The fuller the stock, the rarer an aggressive turn; near the end of the
    // hand it becomes certain.
    aggressiveTurn = randomInt(stock) < 0.6 * settings_.aggression + 10;
    initialMeldNeed = MeldMinimumForMe();
    RefreshTallies();
    if (pileSize() == 1) {
        // A fresh pile: what the computer was blocking or throwing is moot.
        if (tally_.blackThreesInHand < 2) {
            memory_.holdThrees = false;
        }
        memory_.discardRank = 0;
    }
    const int unseen = stock + pileSize();
    opponentThreat = unseen < 62 && humanHandSize() + humanMeldCards() >= (77 - unseen) / 2 + 21 &&
                     ownMeldPoints() == 0;
}

bool ExpertPlayer::ExpertDrawOrTake() {
    BeginExpertTurn();
    const int plainNeed = initialMeldNeed;
    // A take whose top card cannot be laid as the rules ask is not made.
    if (!ShouldTakePile() || !TopCardCanBeLaid()) {
        initialMeldNeed = plainNeed;
        drawFromStock();
        return false;
    }
    memory_.discardRank = 0;
    layPileTop();
    memory_.pileMakesVarenta = false;
    takePileRestIntoHand();
    return true;
}

void ExpertPlayer::layPileTop() {
    const bool frozen = frozenForMe();
    const int rank = takePileTopIntoHand();
    RefreshTallies();
    // A meld holds three cards or more: a limit of 2 or 3 reads the same.
    if (tally_.opponentMeldColumn[rank] >= 3) {
        MeldRank(rank, frozen ? 3 : 1);
        // Meld points come in fives (red threes count none): any limit from 1 to 5 here reads the
        // same.
    } else if (ownMeldPoints() < 1) {
        if (tally_.opponentHandRank[rank] == 2) {
            memory_.planWilds -= 1; // the pair's wild card is laid here already
        }
        MeldRank(rank, 0);
        InitialMelds();
    } else {
        MeldRank(rank, 3);
    }
}

bool ExpertPlayer::branchDefault(int t, int n) {
    const int hand = tally_.opponentHandRank[t];
    const int meld = tally_.opponentMeldColumn[t];
    const int s = hand + meld + tally_.discardPileRank[t];
    if (s >= 5 && meld < 7 && s + wildsInHand() >= 8) {
        return true;
    }
    const int stock = stockSize();
    if (needed() == 2) {
        // A meld holds three cards or more, and one card of the rank with the top card is only
        // taken with a wild card: the meld limits and the wild-card limit read the same.
        return (n >= 3 && (meld >= 1 || hand >= 3)) ||
               (n >= 6 && (meld >= 1 || (hand == 2 && wildsInHand() > 0)));
    }
    // A meld on the table holds three cards or more at the start of a turn: 1, 2 or 3 read the
    // same.
    if (meld >= 1 && !frozenForMe()) {
        return n >= 4;
    }
    if (hand >= 4) {
        return stock <= 15 * needed() + 46;
    }
    if (hand == 3) {
        return n >= 15 - 7 * needed() && stock <= 15 * needed() + 46;
    }
    return false;
}

bool ExpertPlayer::ShouldTakePile() {
    RefreshTallies();
    const int n = pileSize();
    if (n == 0) {
        return false;
    }
    const int t = pileTopRank();
    // A top card that does not count raises the minimum for judging this
    // pile, and for the first meld after taking it; a pile left lying must not
    // make the rest of the turn ask for more.
    const int plainNeed = initialMeldNeed;
    if (!rules().topCardCounts) {
        initialMeldNeed += RankPoints(t);
    }
    if (!ComputerMayTakePile(t, frozenForMe())) {
        initialMeldNeed = plainNeed;
        return false;
    }
    memory_.pileMakesVarenta = PileCompletesVarenta();
    const int l0 = LeftoverCount().leftover;

    // Judge the hand as if the top card were in it already.
    const SavedTallies saved = saveTallies();
    talliesToChange().opponentHandRank[t] += 1;
    talliesToChange().handSize += 1;
    const bool feasible =
        // Meld points come in fives (red threes count none): any limit from 1 to 5 here reads the
        // same.
        ownMeldPoints() >= 1 || InitialMeldPlan(t, memory_.pileMakesVarenta, true);

    auto answer = [&]() -> bool {
        if (PileIsUrgent()) {
            if (blackThreeHeld() || memory_.discardRank != 0) {
                return false;
            }
            if (tally_.handSize >= 25 && humanHandSize() < 21 &&
                ((tally_.opponentHandRank[1] > 0 && MaySpare(1)) ||
                 (tally_.opponentHandRank[0] > 0 && MaySpare(0)))) {
                return false;
            }
            if (stockSize() >= 71 || n < 3) {
                return feasible && tally_.pileWilds > 0;
            }
            return feasible;
        }

        RankTally withPile = tally_;
        for (int r = 0; r < 14; ++r) {
            withPile.opponentHandRank[r] += tally_.discardPileRank[r] - (r == t ? 1 : 0);
        }
        withPile.handSize += n - 1;
        withPile.blackThreesInHand += tally_.pileBlackThrees;
        const int l1 = LeftoverCount(withPile).leftover;

        const int hand = tally_.opponentHandRank[t];
        const int meld = tally_.opponentMeldColumn[t];
        const bool frozen = frozenForMe();
        const bool haveNeeded = ownVarentas() >= needed();
        if (memory_.holdThrees) {
            const bool ok = (aggressiveTurn && haveNeeded && l0 < 3) ? l0 + 1 >= l1 : true;
            const bool extends = hand >= 3 || (meld >= 1 && !frozen);
            const bool plain = !blackThreeHeld() && memory_.discardRank == 0 && ok &&
                               (extends || (haveNeeded && n >= 8 / needed()));
            return feasible && (plain || (memory_.pileMakesVarenta && extends));
        }

        bool yes = false;
        if (!haveNeeded && rules().varentaRequired) {
            yes = feasible && SevenCardTargetInReach(t, memory_.planWilds);
            // A draw exactly at the bound is as rare as none: > or >= cannot change the play.
            if (feasible && !yes && randomReal() > 25.0 / (n * n)) {
                yes = true;
            }
        } else if (aggressiveTurn && haveNeeded && l0 < 3) {
            yes = feasible && l1 <= l0 + 1;
        } else {
            yes = feasible && branchDefault(t, n);
        }
        if (yes && needed() == 1) {
            yes = stockSize() < 68;
        }
        return yes;
    };
    const bool take = answer();
    restoreTallies(saved);
    if (!take) {
        initialMeldNeed = plainNeed;
    }
    return take;
}

bool ExpertPlayer::InitialMeldPlan(int topRank, bool pileMakesVarenta, bool checkCards) {
    const RankTally& t = tally_;
    const int need = initialMeldNeed;
    struct Plan {
        int points = 0; // set from the hand below: the start reads the same
        int cards = 0;
        int wilds = 0;
        int jokers = 0; // set from the hand below: the start reads the same
        int twos = 0;   // set from the hand below: the start reads the same
        bool useWild() {
            if (jokers > 0) {
                --jokers;
                points += 50;
            } else if (twos > 0) {
                --twos;
                points += 20;
            } else {
                return false;
            }
            ++wilds;
            return true;
        }
        bool wildLeft() const { return jokers + twos > 0; }
    };
    Plan base;
    base.points = ownMeldPoints();
    base.jokers = t.opponentHandRank[0];
    base.twos = t.opponentHandRank[1];

    if (topRank != 0) {
        const int count = t.opponentHandRank[topRank];
        base.points += RankPoints(topRank) * count;
        base.cards += count;
        if (count == 2) {
            base.useWild();
        }
    }
    for (int r = 3; r <= 13 && base.points < need; ++r) {
        if (t.opponentHandRank[r] >= 3 && r != topRank) {
            base.points += RankPoints(r) * t.opponentHandRank[r];
            base.cards += t.opponentHandRank[r];
        }
    }
    auto fill = [&](Plan& plan) {
        for (int r = 13; r >= 3 && plan.points < need && plan.wildLeft(); --r) {
            if (t.opponentHandRank[r] < 3) {
                continue;
            }
            for (int i = 0; i < 3 && plan.points < need && plan.useWild(); ++i) {
            }
        }
    };
    Plan one = base;
    fill(one);
    Plan two = base;
    for (int r = 13; r >= 3 && two.points < need && two.wildLeft(); --r) {
        if (t.opponentHandRank[r] == 2 && r != topRank) {
            two.points += 2 * RankPoints(r);
            two.cards += 2;
            two.useWild();
        }
    }
    fill(two);

    const bool oneOk = one.points >= need;
    const bool twoOk = two.points >= need;
    const Plan* chosen = &one;
    if (oneOk && twoOk) {
        memory_.meldPlan = two.wilds < one.wilds ? 2 : 1;
    } else if (oneOk) {
        memory_.meldPlan = 1;
    } else if (twoOk) {
        memory_.meldPlan = 2;
    } else {
        memory_.meldPlan = 0;
    }
    if (memory_.meldPlan == 2) {
        chosen = &two;
    }
    // A plan is only chosen when it meets the minimum, which is 15 at least: with none the
    // points of 0 or 1, and the five points' grace below, read the same.
    const int points = memory_.meldPlan == 0 ? 0 : chosen->points;
    memory_.planWilds = chosen->wilds;

    const int pile = pileSize();
    const int need2 = needed();
    const bool cardsOk = !checkCards ||
                         (t.handSize + pile - 9 - 3 * need2 >= chosen->cards + chosen->wilds) ||
                         (need2 == 1 && pileMakesVarenta);
    // The chosen plan meets the minimum or counts 0 (see above): the grace reads the same.
    const bool pointsOk = points >= need || (!checkCards && points >= need - 5);

    bool wildsOk = true;
    if (need2 == 1 && pile < 20) {
        const int extra = chosen->wilds - t.pileWilds;
        // Set in every branch below: the start reads the same.
        int allowed = 0;
        if (need < 90) {
            allowed = pile >= 15 ? 1 : 0;
        } else if (need < 120) {
            allowed = pile >= 7 ? 1 : 0;
        } else {
            allowed = pile <= 5 ? 0 : (pile <= 10 ? 1 : 2);
        }
        wildsOk = extra <= allowed;
    }
    return cardsOk && pointsOk && wildsOk;
}

bool ExpertPlayer::MaySpare(int rank) {
    // Meld points come in fives: any limit from 0 to 4 here reads the same.
    if (ownMeldPoints() > 0) {
        return true;
    }
    if (tally_.opponentHandRank[rank] == 0) {
        return false;
    }
    const SavedTallies saved = saveTallies();
    const int savedPlan = memory_.meldPlan;
    const int savedWilds = memory_.planWilds;
    talliesToChange().opponentHandRank[rank] -= 1;
    talliesToChange().handSize -= 1;
    // The plan reads no count of black threes: these limits read the same.
    if (rank == 2 && tally_.blackThreesInHand > 0) {
        talliesToChange().blackThreesInHand -= 1;
    }
    const bool result = InitialMeldPlan(0, false, false);
    restoreTallies(saved);
    memory_.meldPlan = savedPlan;
    memory_.planWilds = savedWilds;
    return result;
}

LeftoverResult ExpertPlayer::LeftoverCount(const RankTally& t) {
    const int blackThrees = t.blackThreesInHand;
    int pairs = 0;
    int naturals = 0;
    for (int r = 3; r <= 13; ++r) {
        const int s = t.opponentHandRank[r] + t.opponentMeldColumn[r];
        if (s == 2) {
            ++pairs;
            // Two was asked just above: >= 2 and >= 3 read the same.
        } else if (s >= 3) {
            naturals += t.opponentHandRank[r];
        }
    }
    int wilds = t.wildsInHand() - pairs;
    int left = t.handSize - 3 * pairs - naturals - wilds;
    // Two black threes without a wild card keep a count of two or more and none to spare
    // either way: the 1 reads the same as 0.
    if (blackThrees == 3 || blackThrees == 4 || (blackThrees == 2 && wilds >= 1)) {
        left -= blackThrees;
        // Only ever a wild card there was to spare: skipping it reads the same.
        if (blackThrees == 2) {
            wilds -= 1;
        }
    }
    // Nothing to add for no wild card short: < 0, <= 0 and < 1 read the same.
    if (wilds < 0) {
        left += 2 * -wilds;
    }
    return {wilds >= 0 && (left == 0 || left == 1), left};
}

bool ExpertPlayer::PileCompletesVarenta() const {
    const int wilds = wildsInHand();
    for (int r = 3; r <= 13; ++r) {
        const int g =
            tally_.opponentHandRank[r] + tally_.opponentMeldRank[r] + tally_.discardPileRank[r];
        if (g >= 4 && g + wilds >= 7 && g + wilds - tally_.discardPileRank[r] < 7 &&
            tally_.opponentMeldColumn[r] < 7) {
            return true;
        }
    }
    return false;
}

bool ExpertPlayer::PileIsUrgent() {
    if (pileSize() == 0) {
        return false;
    }
    const int t = pileTopRank();
    const int wilds = wildsInHand();
    int threes = 0;
    int fours = 0;
    int pairs = 0;
    for (int r = 3; r <= 13; ++r) {
        const int s = tally_.opponentHandRank[r] + tally_.opponentMeldColumn[r];
        threes += s == 3 ? 1 : 0;
        fours += s >= 4 ? 1 : 0;
        pairs += tally_.opponentHandRank[r] >= 2 ? 1 : 0;
    }
    memory_.meldPotential =
        (threes >= 1 && threes + wilds >= 3) || (fours >= 1 && fours + wilds >= 2);
    if (opponentThreat) {
        return false;
    }
    // Meld points come in fives (red threes count none): any limit from 1 to 5 here reads the
    // same.
    if (ownMeldPoints() < 1 && memory_.discardRank == 0) {
        // Only a question: the plan chosen for a take stays as it was.
        const int savedPlan = memory_.meldPlan;
        const int savedWilds = memory_.planWilds;
        const bool canMeld = InitialMeldPlan(0, false, false);
        memory_.meldPlan = savedPlan;
        memory_.planWilds = savedWilds;
        if (!canMeld) {
            return false;
        }
    }
    const int humanCards = humanHandSize() + humanMeldCards() + tally_.playerHandRank[0] +
                           tally_.playerHandRank[1] + tally_.playerHandRank[2];
    if (humanCards >= 26) {
        return false;
    }
    if ((needed() != 2 || pairs < 5) && (memory_.meldPotential || ownVarentas() >= 1) &&
        pileSize() < 20 && (tally_.handSize < 20 || ownVarentas() < needed())) {
        const int collected = tally_.playerMeldColumn[t] + tally_.knownPlayerRank[t];
        return collected + tally_.discardPileRank[t] >= 7 && collected < 7;
    }
    return true;
}

void ExpertPlayer::InitialMelds() {
    auto short_ = [&] { return ownMeldPoints() < initialMeldNeed; };
    RefreshTallies();
    std::array<bool, 14> marked{};
    for (int r = 13; r >= 3 && short_(); --r) {
        if (tally_.opponentHandRank[r] >= 3) {
            marked[r] = true;
            MeldRank(r, 3);
        }
    }
    for (int r = 13; r >= 3 && short_(); --r) {
        if (marked[r]) {
            MeldRank(r, 0);
        }
    }
    if (memory_.meldPlan == 2) {
        int laid = 0;
        for (int r = 13; r >= 3 && laid < memory_.planWilds && short_(); --r) {
            if (tally_.opponentHandRank[r] == 2) {
                MeldRank(r, 0);
                ++laid;
            }
        }
    }
    for (int size = 8; size >= 3; --size) {
        for (int r = 13; r >= 3; --r) {
            // A meld holds no card or three and more: a limit of 1 or 2 reads the same.
            if (tally_.opponentMeldColumn[r] < 1 ||
                tally_.opponentMeldColumn[r] + tally_.discardPileRank[r] != size) {
                continue;
            }
            for (int added = 0; added < 4 && wildsInHand() > 0 && short_(); ++added) {
                MeldWildCard(r);
                RefreshTallies();
            }
        }
    }
}

} // namespace varenta

#include "varenta/computer/BeginnerPlayer.h"

#include "varenta/computer/Rehearsal.h"
#include "varenta/engine/Texts.h"
#include "varenta/engine/VarentaEngine.h"

#include <algorithm>

namespace varenta {

BeginnerPlayer::BeginnerPlayer(VarentaEngine& engine, const ComputerSettings& settings)
    : ComputerBase(engine, settings) {}

// The Beginner only ever melds ranks four to ace, where its meld-the-rank
// step is MeldRank without a count limit.
int BeginnerPlayer::begMeldRank(int rank) {
    return MeldRank(rank, 0);
}

int BeginnerPlayer::wildOrder() const {
    return findWild();
}

MeldCheckResult BeginnerPlayer::BegMeldCheck() const {
    const SimpleMeldCount m = CountSimpleMeld(tally_, ownMeldPoints(), need);
    return {m.points >= need && m.cards < tally_.handSize, m.pairs};
}

bool BeginnerPlayer::BegTakePile() {
    RefreshTallies();
    if (pileSize() == 0) {
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

    bool yes = false;
    if (ownVarentas() >= needed()) {
        // A meld holds no card or three and more: a limit of 2 or 3 on it reads the same.
        yes = tally_.opponentHandRank[t] >= 3 ||
              (tally_.opponentMeldColumn[t] >= 3 && pileSize() >= 3);
    } else {
        bool ok = true;
        int wildsNeeded = 0;
        if (ownMeldPoints() == 0) {
            int points = 0;
            for (int r = 3; r <= 13; ++r) {
                if (tally_.opponentHandRank[r] >= 3) {
                    points += RankPoints(r) * tally_.opponentHandRank[r];
                }
            }
            int jokers = tally_.opponentHandRank[0];
            int twos = tally_.opponentHandRank[1];
            if (points + 50 * jokers + 20 * twos < need) {
                ok = false;
            } else {
                for (; points < need && jokers > 0; --jokers, ++wildsNeeded) {
                    points += 50;
                }
                for (; points < need && twos > 0; --twos, ++wildsNeeded) {
                    points += 20;
                }
            }
        }
        yes = ok && SevenCardTargetInReach(t, wildsNeeded);
    }
    restoreTallies(saved);
    if (!yes) {
        need = savedNeed;
    }
    return yes;
}

std::unique_ptr<ComputerBase> BeginnerPlayer::understudy(Rehearsal& table) const {
    auto copy = std::make_unique<BeginnerPlayer>(table.engine, settings_);
    copy->need = need;
    return copy;
}

void BeginnerPlayer::takeOrDraw() {
    need = MeldMinimumForMe();
    const int plainNeed = need;
    // A take whose top card cannot be laid as the rules ask is not made.
    if (!BegTakePile() || !TopCardCanBeLaid()) {
        need = plainNeed;
        drawFromStock();
        return;
    }
    layPileTop();
    takePileRestIntoHand();
}

void BeginnerPlayer::layPileTop() {
    meldDelay();
    const int t = takePileTopIntoHand();
    begMeldRank(t);
    BegInitialMelds();
}

void BeginnerPlayer::BegInitialMelds() {
    RefreshTallies();
    const int pairs = BegMeldCheck().pairs;
    int laid = 0;
    for (int r = 13; r >= 3 && laid < pairs; --r) {
        // The pairs counted never outnumber the wild cards: the wild-card limit reads the same.
        if (tally_.opponentHandRank[r] == 2 && wildsInHand() > 0) {
            begMeldRank(r);
            ++laid;
        }
    }
    while (ownMeldPoints() < need) {
        RefreshTallies();
        int rank = -1; // only asked whether below 0: any negative start reads the same
        for (int i = 0; i < handSize() && rank < 0; ++i) {
            const int r = handCard(i).rank;
            if (r >= 3 && tally_.opponentHandRank[r] + tally_.opponentMeldColumn[r] >= 3) {
                rank = r;
            }
        }
        // rank is -1 or four and up: < 0, <= 0 and < 1 read the same.
        if (rank < 0 || begMeldRank(rank) == 0) {
            break;
        }
    }
    RefreshTallies();
}

void BeginnerPlayer::BegMeldNaturals() {
    RefreshTallies();
    meldNaturalsWithin(ownVarentas() < needed() ? handSize() - 6 : handSize(), true);
}

void BeginnerPlayer::BegLayOutWilds() {
    RefreshTallies();
    int pairs = 0;
    for (int r = 3; r <= 13; ++r) {
        pairs += tally_.opponentHandRank[r] == 2 ? 1 : 0;
    }
    const int wilds = wildsInHand() - pairs;
    const int left = handSize() - 3 * pairs - wilds;
    if (wilds < 0 || left >= 2) {
        return;
    }
    for (int r = 13; r >= 3; --r) {
        if (tally_.opponentHandRank[r] == 2) {
            begMeldRank(r);
        }
    }
    RefreshTallies();
    std::array<int, 14> room{};
    for (int r = 3; r <= 13; ++r) {
        // What the meld can still carry: as many wild cards as naturals.
        room[r] = tally_.opponentMeldColumn[r] >= 7 ? 0 : wildRoom(r);
    }
    // One card always stays for the discard: the odd card, or a wild card.
    int toPlace = wilds - 1 + left;
    // The threes have no room above: a walk from them reads the same.
    for (int r = 3; r <= 13 && toPlace > 0; ++r) {
        const int n = std::min(room[r], toPlace);
        for (int i = 0; i < n; ++i) {
            MeldWildCard(r);
        }
        toPlace -= std::max(n, 0);
    }
    if (toPlace > 0) {
        RefreshTallies();
        placeOnLowestVarenta(toPlace);
    }
    RefreshTallies();
}

void BeginnerPlayer::meldPhase() {
    MeldRedThrees();
    if (ownMeldPoints() == 0) {
        RefreshTallies();
        if (BegMeldCheck().ok) {
            BegInitialMelds();
        }
    }
    // Meld points come in fives (red threes count none): any limit from 1 to 5 here reads the
    // same.
    if (ownMeldPoints() >= 1) {
        BegCompleteVarentas();
    }
    RefreshTallies();
    if (ownVarentas() >= needed()) {
        BegMeldNaturals();
        BegLayOutWilds();
    }
}

DiscardChoice BeginnerPlayer::BegChooseDiscard() {
    RefreshTallies();
    if (handSize() == 0) {
        engine_.Port().ShowMessage(MessageKind::Error, texts::kNoCardLeftToDiscard);
        return {};
    }
    bool humanNearVarenta = false;
    bool naturalsHeld = false;
    for (int r = 3; r <= 13; ++r) {
        if (tally_.opponentHandRank[r] > 0) {
            naturalsHeld = true;
            humanNearVarenta = humanNearVarenta || tally_.playerMeldColumn[r] == 5 ||
                               tally_.playerMeldColumn[r] == 6;
        }
    }
    // Freeze (or block) the pile before the human completes a Varenta with it.
    if (humanNearVarenta && wildsInHand() > 0 && !frozenForMe()) {
        return DiscardChoice::fromHand(blackThreeHeld() ? findBlackThree() : wildOrder());
    }
    if (naturalsHeld) {
        // No rank holds more than eight cards: the 9 reads the same from 8 to 10.
        for (int c = 1; c <= 9; ++c) {
            int found = -1;
            // The human's melds hold no card or three and more: a start at 1 reads the same.
            for (int limit = 2; limit <= 5 && found < 0; ++limit) {
                for (int r = 3; r <= 13; ++r) {
                    if (tally_.opponentHandRank[r] == c && tally_.playerMeldColumn[r] <= limit) {
                        found = r;
                        break;
                    }
                }
            }
            for (int r = 3; r <= 13 && found < 0; ++r) {
                if (tally_.opponentHandRank[r] == c && tally_.playerMeldColumn[r] >= 7) {
                    found = r;
                }
            }
            if (found < 0) {
                continue;
            }
            const bool lastSingle = c == 1 && handSize() - tally_.blackThreesInHand == 1;
            if (blackThreeHeld() && (lastSingle || c >= 2)) {
                return DiscardChoice::fromHand(findBlackThree());
            }
            return DiscardChoice::fromHand(FindInHand(found));
        }
        return DiscardChoice::fromHand(blackThreeHeld() ? findBlackThree() : 0);
    }
    if (blackThreeHeld()) {
        return DiscardChoice::fromHand(findBlackThree());
    }
    return DiscardChoice::fromHand(wildOrder());
}

} // namespace varenta

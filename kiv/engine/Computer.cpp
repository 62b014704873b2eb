// The computer seats: one turn, the card choice and the suit named after a jack.
#include "kiv/engine/KivGame.h"

#include <array>
#include <cstdint>

namespace kiv {

namespace {
// High-scoring cards first, jacks kept for last.
constexpr int kPreference[] = {kAs, kKoenig, kDame, kSieben, kAcht, kNeun, kZehn};

// For each set of ranks (bit r for rank kSieben + r), the r of its rank that
// comes first in the order of preference; -1 when it holds none of them (the
// jack is not in the order).
constexpr std::array<int, 256> BestRankOfSets() {
    std::array<int, 256> best{};
    for (int set = 0; set < 256; ++set) {
        best[static_cast<std::size_t>(set)] = -1;
        for (int rank : kPreference) {
            if (set & (1 << (rank - kSieben))) {
                best[static_cast<std::size_t>(set)] = rank - kSieben;
                break;
            }
        }
    }
    return best;
}
constexpr std::array<int, 256> kBestRankOfSet = BestRankOfSets();

// The card of the mask whose rank comes first in the order of preference,
// the first such card when several suits hold it; -1 when there is none.
int PreferredCard(std::uint32_t mask) {
    const std::uint32_t ranks = (mask | mask >> 8 | mask >> 16 | mask >> 24) & 0xFFu;
    const int best = kBestRankOfSet[ranks];
    return best < 0 ? -1 : LowestCardIn(mask & (RankMask(kSieben) << best));
}
} // namespace

void KivGame::StartComputerMove() {
    QueueComputerMoveIfDue();
    RunComputerMoves();
}

// The trampoline: a move that passes the turn to a computer seat only queues
// that seat's move; it runs here after the passing move has finished, so a
// chain of computer seats of any length uses constant stack.
void KivGame::RunComputerMoves() {
    if (runningComputerMoves_) {
        return;
    }
    runningComputerMoves_ = true;
    state_.computerBusy = true;
    while (computerMoveQueued_ && port_->ContinueComputerMoves()) {
        computerMoveQueued_ = false;
        ComputerMove();
    }
    runningComputerMoves_ = false;
    state_.computerBusy = false;
}

DrawResult KivGame::ComputerDraw() {
    const DrawResult result = DrawCard(true);
    if (result == DrawResult::Drawn) {
        LayoutHand(state_.currentSeat, true);
    }
    return result;
}

void KivGame::ComputerMove() {
    const int s = state_.currentSeat;
    if (!SetUp(s).computer || !SetUp(s).plays || !Current().inRound) {
        return;
    }
    const bool wasBusy = state_.computerBusy;
    state_.computerBusy = true;
    port_->Pause(settings_.computerDelay);
    const int choice = ChooseComputerCard();
    if (choice >= 1) {
        state_.heldCard = choice;
        PlayCard(true);
    } else {
        bool laid = false;
        if (choice == kChooseSitOut) {
            state_.eightServed = true;
            PlayWave(Wave::O);
            Emit(GameEventKind::SitOut, s);
        } else {
            if (state_.cardsToDraw == 0) {
                ComputerDraw();
            } else {
                while (state_.cardsToDraw > 0 && ComputerDraw() == DrawResult::Drawn) {
                }
            }
            if (settings_.ruleLayAfterDraw) {
                port_->Pause(settings_.computerDelay);
                const int again = ChooseComputerCard();
                if (again >= 1) {
                    state_.heldCard = again;
                    PlayCard(true);
                    laid = true;
                }
            }
        }
        state_.heldCard = 0;
        port_->Pause(settings_.computerDelay);
        // Laying a card already passed the turn (and may even have ended the
        // round); the seven flag then belongs to the next seat.
        if (!laid) {
            state_.sevenPending = false;
            NextSeat();
            QueueComputerMoveIfDue();
        }
    }
    state_.heldCard = 0;
    state_.computerBusy = wasBusy;
}

int KivGame::FindHandCard(int suit, int rank) {
    const Hand& hand = Current().hand;
    if (suit == 0 && rank == 0) {
        return hand.Empty() ? -1 : hand.At(0);
    }
    std::uint32_t mask = hand.Mask();
    if (suit != 0) {
        mask &= SuitMask(suit);
    }
    if (rank != 0) {
        mask &= RankMask(rank);
    }
    return mask != 0 ? LowestCardIn(mask) : -1;
}

int KivGame::PreferredHandCard(int suit) {
    const std::uint32_t mask = Current().hand.Mask();
    return PreferredCard(suit == 0 ? mask : mask & SuitMask(suit));
}

// The computer's choice is the simulator's inner loop, so it looks at the
// hand's cards as one mask instead of card by card.
int KivGame::ChooseComputerCard() {
    const int top = TopCard();
    if (top < 0) {
        return kChooseDraw;
    }
    if (settings_.ruleAnyOnFirstJack && state_.firstJackOpen) {
        return FindHandCard(0, 0);
    }
    const int ts = SuitOfCard(top);
    const int tr = RankOfCard(top);
    if (tr == kSieben && state_.cardsToDraw > 0) {
        return FindHandCard(0, kSieben);
    }
    if (tr == kAcht && !state_.eightServed) {
        if (settings_.ruleEightOnEight) {
            const int eight = FindHandCard(0, kAcht);
            return eight > 0 ? eight : kChooseSitOut;
        }
        return kChooseSitOut;
    }
    if (state_.wishedSuit != 0) {
        const int card = PreferredHandCard(state_.wishedSuit);
        if (card > 0) {
            return card;
        }
        // With the rule off only the jack lying on the pile would fit, so the
        // computer never answers a wish with a jack then.
        return FindHandCard(settings_.ruleJackAlways ? 0 : ts, kBube);
    }
    const Hand& hand = Current().hand;
    const std::uint32_t held = hand.Mask();
    if (ts == 0) {
        // A top that is no card matches every card by suit and by rank.
        const int preferred = PreferredCard(held);
        return preferred > 0 ? preferred : FindHandCard(0, 0);
    }
    // The order of choice: the preferred card of the top card's suit, else
    // the first card of its rank, else the first of its suit (by then only
    // its jack), else, where the rule allows, the first jack.
    const std::uint32_t sameSuit = held & SuitMask(ts);
    const int preferred = PreferredCard(sameSuit);
    if (preferred > 0) {
        return preferred;
    }
    if (const std::uint32_t sameRank = held & RankMask(tr); sameRank != 0) {
        return LowestCardIn(sameRank);
    }
    if (sameSuit != 0) {
        return LowestCardIn(sameSuit);
    }
    const std::uint32_t jacks = held & RankMask(kBube);
    return settings_.ruleJackAlways && jacks != 0 ? LowestCardIn(jacks) : -1;
}

int KivGame::ChooseComputerSuit() {
    const Hand& hand = Current().hand;
    int count[5] = {};
    for (int suit : {kKaro, kHerz, kKreuz, kPik}) {
        count[suit] = hand.CountIn(SuitMask(suit));
    }
    int best = kHerz;
    for (int suit : {kKaro, kKreuz, kPik}) {
        if (count[suit] > count[best]) {
            best = suit;
        }
    }
    return best;
}

} // namespace kiv

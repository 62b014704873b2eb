// The computer seats: one turn, the card choice and the suit named after a jack.
#include "kiv/engine/KivGame.h"

#include <array>
#include <iterator>

namespace kiv {

namespace {
// High-scoring cards first, jacks kept for last.
constexpr int kPreference[] = {kAs, kKoenig, kDame, kSieben, kAcht, kNeun, kZehn};
constexpr int kNotPreferred = 99;

// Place of each rank code in kPreference; kNotPreferred for the jack.
constexpr std::array<int, kAs + 1> PreferenceOrder() {
    std::array<int, kAs + 1> order{};
    order.fill(kNotPreferred);
    for (int i = 0; i < static_cast<int>(std::size(kPreference)); ++i) {
        order[static_cast<std::size_t>(kPreference[i])] = i;
    }
    return order;
}
constexpr std::array<int, kAs + 1> kPreferenceOrder = PreferenceOrder();
} // namespace

void KivGame::QueueComputerMoveIfDue() {
    const Seat& seat = Current();
    if (seat.computer && seat.plays && seat.inRound) {
        computerMoveQueued_ = true;
    }
}

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
    computerBusy = true;
    while (computerMoveQueued_ && port_->ContinueComputerMoves()) {
        computerMoveQueued_ = false;
        ComputerMove();
    }
    runningComputerMoves_ = false;
    computerBusy = false;
}

DrawResult KivGame::ComputerDraw() {
    const DrawResult result = DrawCard(true);
    if (result == DrawResult::Drawn) {
        LayoutHand(currentSeat, true);
    }
    return result;
}

void KivGame::ComputerMove() {
    const Seat& seat = Current();
    if (!seat.computer || !seat.plays || !seat.inRound) {
        return;
    }
    const int s = currentSeat;
    const bool wasBusy = computerBusy;
    computerBusy = true;
    port_->Pause(computerDelay);
    const int choice = ChooseComputerCard();
    if (choice >= 1) {
        heldCard = choice;
        PlayCard(true);
    } else {
        bool laid = false;
        if (choice == kChooseSitOut) {
            eightServed = true;
            PlayWave(Wave::O);
            Emit(GameEventKind::SitOut, s);
        } else {
            if (cardsToDraw == 0) {
                ComputerDraw();
            } else {
                while (cardsToDraw > 0 && ComputerDraw() == DrawResult::Drawn) {
                }
            }
            if (ruleLayAfterDraw) {
                port_->Pause(computerDelay);
                const int again = ChooseComputerCard();
                if (again >= 1) {
                    heldCard = again;
                    PlayCard(true);
                    laid = true;
                }
            }
        }
        heldCard = 0;
        port_->Pause(computerDelay);
        // Laying a card already passed the turn (and may even have ended the
        // round); the seven flag then belongs to the next seat.
        if (!laid) {
            sevenPending = false;
            NextSeat();
            QueueComputerMoveIfDue();
        }
    }
    heldCard = 0;
    computerBusy = wasBusy;
}

int KivGame::FindHandCard(int suit, int rank) {
    for (int number : Current().hand) {
        if ((suit == 0 || SuitOfCard(number) == suit) &&
            (rank == 0 || RankOfCard(number) == rank)) {
            return number;
        }
    }
    return -1;
}

// One pass over the hand instead of one search per rank of the preference
// list: the answer is the same (the best rank first, then the first such card
// in the hand), and the computer's choice is the simulator's inner loop.
int KivGame::PreferredHandCard(int suit) {
    int best = -1;
    int bestPlace = kNotPreferred;
    for (int number : Current().hand) {
        if (suit != 0 && SuitOfCard(number) != suit) {
            continue;
        }
        const int place = kPreferenceOrder[static_cast<std::size_t>(RankOfCard(number))];
        if (place < bestPlace) {
            best = number;
            bestPlace = place;
        }
    }
    return best;
}

int KivGame::ChooseComputerCard() {
    const int top = TopCard();
    if (top < 0) {
        return kChooseDraw;
    }
    if (ruleAnyOnFirstJack && firstJackOpen) {
        return FindHandCard(0, 0);
    }
    const int ts = SuitOfCard(top);
    const int tr = RankOfCard(top);
    if (tr == kSieben && cardsToDraw > 0) {
        return FindHandCard(0, kSieben);
    }
    if (tr == kAcht && !eightServed) {
        if (ruleEightOnEight) {
            const int eight = FindHandCard(0, kAcht);
            return eight > 0 ? eight : kChooseSitOut;
        }
        return kChooseSitOut;
    }
    if (wishedSuit != 0) {
        const int card = PreferredHandCard(wishedSuit);
        if (card > 0) {
            return card;
        }
        // With the rule off only the jack lying on the pile would fit, so the
        // computer never answers a wish with a jack then.
        return FindHandCard(ruleJackAlways ? 0 : ts, kBube);
    }
    // One pass for the whole order of choice: the preferred card of the top
    // card's suit, else the first card of its rank, else the first of its
    // suit (by then only its jack), else, where the rule allows, any jack.
    int preferred = -1;
    int place = kNotPreferred;
    int sameRank = -1;
    int sameSuit = -1;
    int jack = -1;
    for (int number : Current().hand) {
        const int rank = RankOfCard(number);
        if (ts == 0 || SuitOfCard(number) == ts) {
            const int p = kPreferenceOrder[static_cast<std::size_t>(rank)];
            if (p < place) {
                preferred = number;
                place = p;
            }
            sameSuit = sameSuit < 0 ? number : sameSuit;
        }
        if (sameRank < 0 && (tr == 0 || rank == tr)) {
            sameRank = number;
        }
        if (jack < 0 && rank == kBube) {
            jack = number;
        }
    }
    if (preferred > 0) {
        return preferred;
    }
    if (sameRank >= 0) {
        return sameRank;
    }
    if (sameSuit >= 0) {
        return sameSuit;
    }
    return ruleJackAlways ? jack : -1;
}

int KivGame::ChooseComputerSuit() {
    int count[5] = {};
    for (int number : Current().hand) {
        ++count[SuitOfCard(number)];
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

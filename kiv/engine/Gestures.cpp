// The human seat's mouse gestures on the table.
#include "kiv/engine/KivGame.h"

namespace kiv {

namespace {
// The pointer holds a dragged card at its centre.
constexpr int kGripX = kCardWidth / 2;
constexpr int kGripY = kCardHeight / 2;
} // namespace

void KivGame::PickUp(int card, int x, int y) {
    state_.heldCard = card;
    state_.heldCardWasCovered = state_.cards[card].covered;
    state_.cards[card].covered = false;
    if (!state_.justDrew) {
        LayoutHand(state_.currentSeat, false);
    }
    MoveCard(card, x - kGripX, y - kGripY);
}

void KivGame::PutBack(int card) {
    state_.cards[card].covered = state_.heldCardWasCovered;
    LayoutHand(state_.currentSeat, true);
    state_.heldCard = 0;
}

void KivGame::LeftButtonDown(int x, int y) {
    if (state_.computerBusy || state_.rightButtonGesture || state_.heldCard != 0) {
        return;
    }
    state_.justDrew = false;
    int hit = HitTestCard(x, y);
    // An empty stock is tried too: the draw rebuilds it from the discard
    // pile, or lets a penalty that cannot be paid lapse.
    if (hit == 0 && state_.stock.HitTest(x, y) && !SetUp(state_.currentSeat).computer) {
        if (DrawCard(false) != DrawResult::Drawn) {
            return;
        }
        hit = state_.heldCard;
    }
    if (hit != 0 && state_.cards[hit].owner == state_.currentSeat) {
        PickUp(hit, x, y);
    } else {
        state_.heldCard = 0;
    }
}

void KivGame::DragHeldCard(int x, int y) {
    if (state_.heldCard != 0) {
        MoveCard(state_.heldCard, x - kGripX, y - kGripY);
    }
}

void KivGame::LeftButtonUp(int x, int y) {
    if (state_.computerBusy || state_.rightButtonGesture || state_.heldCard == 0) {
        return;
    }
    const int card = state_.heldCard;
    if (state_.discardPile.HitTest(x, y) && CheckPlay()) {
        PlayCard(false);
    } else {
        state_.cards[card].covered = state_.heldCardWasCovered;
        if (!state_.justDrew) {
            PlayWave(Wave::Zurueck);
            ReturnHome(card, settings_.animateCards);
        } else if (settings_.animateCards) {
            AnimateCard(card, Current().handX, Current().handY);
        }
        PutBack(card);
        if (!settings_.ruleLayAfterDraw && state_.justDrew && state_.cardsToDraw == 0) {
            state_.sevenPending = false;
            NextSeat();
            QueueComputerMoveIfDue();
        }
    }
    RunComputerMoves();
}

void KivGame::RightButtonDown(int x, int y) {
    if (state_.computerBusy || state_.heldCard != 0) {
        return;
    }
    state_.rightButtonGesture = true;
    const int hit = HitTestCard(x, y);
    if (hit == 0 || state_.cards[hit].owner != state_.currentSeat) {
        return; // the gesture stays set until the button is released
    }
    state_.heldCard = hit; // what the legality test looks at
    if (CheckPlay()) {
        PickUp(hit, x, y);
    } else {
        state_.heldCard = 0;
        state_.rightButtonGesture = false;
    }
}

void KivGame::RightButtonUp(int /*x*/, int /*y*/) {
    if (!state_.rightButtonGesture) {
        return;
    }
    state_.rightButtonGesture = false;
    if (state_.heldCard == 0) {
        return;
    }
    if (CheckPlay()) {
        PlayCard(true);
    } else {
        PutBack(state_.heldCard);
    }
    RunComputerMoves();
}

} // namespace kiv

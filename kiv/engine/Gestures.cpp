// The human seat's mouse gestures on the table.
#include "kiv/engine/KivGame.h"

namespace kiv {

namespace {
// The pointer holds a dragged card at its centre.
constexpr int kGripX = kCardWidth / 2;
constexpr int kGripY = kCardHeight / 2;
} // namespace

void KivGame::PickUp(int card, int x, int y) {
    heldCard = card;
    heldCardWasCovered = cards[card].covered;
    cards[card].covered = false;
    if (!justDrew) {
        LayoutHand(currentSeat, false);
    }
    MoveCard(card, x - kGripX, y - kGripY);
}

void KivGame::PutBack(int card) {
    cards[card].covered = heldCardWasCovered;
    LayoutHand(currentSeat, true);
    heldCard = 0;
}

void KivGame::LeftButtonDown(int x, int y) {
    if (computerBusy || rightButtonGesture || heldCard != 0) {
        return;
    }
    justDrew = false;
    int hit = HitTestCard(x, y);
    // An empty stock is tried too: the draw rebuilds it from the discard
    // pile, or lets a penalty that cannot be paid lapse.
    if (hit == 0 && stock.HitTest(x, y) && !Current().computer) {
        if (DrawCard(false) != DrawResult::Drawn) {
            return;
        }
        hit = heldCard;
    }
    if (hit != 0 && cards[hit].owner == currentSeat) {
        PickUp(hit, x, y);
    } else {
        heldCard = 0;
    }
}

void KivGame::DragHeldCard(int x, int y) {
    if (heldCard != 0) {
        MoveCard(heldCard, x - kGripX, y - kGripY);
    }
}

void KivGame::LeftButtonUp(int x, int y) {
    if (computerBusy || rightButtonGesture || heldCard == 0) {
        return;
    }
    const int card = heldCard;
    if (discardPile.HitTest(x, y) && CheckPlay()) {
        PlayCard(false);
    } else {
        cards[card].covered = heldCardWasCovered;
        if (!justDrew) {
            PlayWave(Wave::Zurueck);
            ReturnHome(card, animateCards);
        } else if (animateCards) {
            AnimateCard(card, Current().handX, Current().handY);
        }
        PutBack(card);
        if (!ruleLayAfterDraw && justDrew && cardsToDraw == 0) {
            sevenPending = false;
            NextSeat();
            QueueComputerMoveIfDue();
        }
    }
    RunComputerMoves();
}

void KivGame::RightButtonDown(int x, int y) {
    if (computerBusy || heldCard != 0) {
        return;
    }
    rightButtonGesture = true;
    const int hit = HitTestCard(x, y);
    if (hit == 0 || cards[hit].owner != currentSeat) {
        return; // the gesture stays set until the button is released
    }
    heldCard = hit; // what the legality test looks at
    if (CheckPlay()) {
        PickUp(hit, x, y);
    } else {
        heldCard = 0;
        rightButtonGesture = false;
    }
}

void KivGame::RightButtonUp(int /*x*/, int /*y*/) {
    if (!rightButtonGesture) {
        return;
    }
    rightButtonGesture = false;
    if (heldCard == 0) {
        return;
    }
    if (CheckPlay()) {
        PlayCard(true);
    } else {
        PutBack(heldCard);
    }
    RunComputerMoves();
}

} // namespace kiv

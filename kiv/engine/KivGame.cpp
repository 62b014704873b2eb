#include "kiv/engine/KivGame.h"

namespace kiv {

KivGame::KivGame(int languageBase) {
    settings_.languageBase = languageBase;
    for (int i = 0; i < kSeatCount; ++i) {
        Seat& seat = state_.seats[i];
        seat.index = i;
        seat.handX = 100;
        seat.handY = i * 100 + 10;
    }
    for (int n = 0; n <= kCardCount; ++n) {
        PlayingCard& card = state_.cards[n];
        card.number = n;
        card.suit = SuitOfCard(n);
        card.rank = RankOfCard(n);
        card.points = n == 0 ? 0 : PointsOfCard(n);
    }
}

void KivGame::SetPort(KivPort* port) {
    port_ = port ? port : &silentPort_;
}

void KivGame::ApplySettings(const GameSettings& settings) {
    settings_ = settings;
    for (int i = 0; i < kSeatCount; ++i) {
        state_.seats[i].inRound = settings_.seats[i].plays;
    }
}

void KivGame::Refuse(int offset) {
    PlayWave(Wave::Falsch);
    port_->ShowMessage(TextId(offset));
}

int KivGame::CardsAccountedFor() const {
    int total = state_.stock.Count() + state_.discardPile.Count();
    for (const Seat& seat : state_.seats) {
        total += seat.hand.Count();
    }
    return total;
}

// ---- Table -----------------------------------------------------------------

void KivGame::LayoutTable(int width, int height) {
    if (width <= 0 || height <= 0) {
        return;
    }
    state_.stock.x = width - 81;
    state_.stock.y = height - 262;
    state_.discardPile.x = width - 81;
    state_.discardPile.y = height - 146;
    for (int n = 1; n <= kCardCount; ++n) {
        if (state_.cards[n].owner < 0) {
            state_.cards[n].PlaceAt(state_.stock.x, state_.stock.y);
        }
    }
}

void KivGame::StartFirstRound() {
    state_.wishedSuit = 0;
    state_.stock.cards.Clear();
    state_.discardPile.cards.Clear();
    for (Seat& seat : state_.seats) {
        seat.hand.Clear();
    }
    for (int n = 1; n <= kCardCount; ++n) {
        PlayingCard& card = state_.cards[n];
        card.owner = -1;
        card.pickable = false;
        card.covered = false;
        card.PlaceAt(state_.stock.x, state_.stock.y);
        state_.stock.Push(n);
    }
    state_.computerBusy = false;
    NewRound();
    RunComputerMoves();
}

int KivGame::HitTestCard(int x, int y) const {
    int hit = 0;
    for (int n = 1; n <= kCardCount; ++n) {
        if (state_.cards[n].pickable && state_.cards[n].Hit(x, y)) {
            hit = n;
        }
    }
    return hit;
}

void KivGame::PlaceCard(int card, int x, int y) {
    state_.cards[card].PlaceAt(x, y);
}

void KivGame::ReturnHome(int card, bool animated) {
    const PlayingCard& c = state_.cards[card];
    if (animated) {
        AnimateCard(card, c.homeX, c.homeY);
    } else {
        MoveCard(card, c.homeX, c.homeY);
    }
}

void KivGame::LayoutHand(int seatIndex, bool includeHeld) {
    if (!settings_.windowShown) {
        return;
    }
    Seat& seat = state_.seats[seatIndex];
    const Hand& hand = seat.hand;
    int last = hand.Last();
    if (!includeHeld && last == state_.heldCard && hand.Count() > 1) {
        last = hand.At(hand.Count() - 2);
    }
    int k = 0;
    for (int n : hand) {
        if (!includeHeld && n == state_.heldCard) {
            continue;
        }
        PlayingCard& card = state_.cards[n];
        card.covered = n != last;
        card.PlaceAt(seat.handX + kHandOffset * k, seat.handY);
        ++k;
    }
    port_->HandLaidOut(seatIndex);
}

} // namespace kiv

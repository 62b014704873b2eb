#include "kiv/engine/KivGame.h"

namespace kiv {

namespace {
constexpr const char* kDefaultNames[kSeatCount] = {"Peter", "Frank", "Tina", "Linda"};
} // namespace

KivGame::KivGame(int languageBase) : languageBase(languageBase) {
    for (int i = 0; i < kSeatCount; ++i) {
        Seat& seat = seats[i];
        seat.index = i;
        seat.handX = 100;
        seat.handY = i * 100 + 10;
        seat.name = kDefaultNames[i];
        seat.computer = i != 0;
    }
    for (int n = 0; n <= kCardCount; ++n) {
        PlayingCard& card = cards[n];
        card.number = n;
        card.suit = SuitOfCard(n);
        card.rank = RankOfCard(n);
        card.points = n == 0 ? 0 : PointsOfCard(n);
    }
}

void KivGame::SetPort(KivPort* port) {
    port_ = port ? port : &silentPort_;
}

void KivGame::Refuse(int offset) {
    PlayWave(Wave::Falsch);
    port_->ShowMessage(TextId(offset));
}

int KivGame::CardsAccountedFor() const {
    int total = stock.Count() + discardPile.Count();
    for (const Seat& seat : seats) {
        total += seat.hand.Count();
    }
    return total;
}

// ---- Table -----------------------------------------------------------------

void KivGame::LayoutTable(int width, int height) {
    if (width <= 0 || height <= 0) {
        return;
    }
    stock.x = width - 81;
    stock.y = height - 262;
    discardPile.x = width - 81;
    discardPile.y = height - 146;
    for (int n = 1; n <= kCardCount; ++n) {
        if (cards[n].owner < 0) {
            cards[n].PlaceAt(stock.x, stock.y);
        }
    }
}

void KivGame::StartFirstRound() {
    wishedSuit = 0;
    stock.cards.Clear();
    discardPile.cards.Clear();
    for (Seat& seat : seats) {
        seat.hand.Clear();
    }
    for (int n = 1; n <= kCardCount; ++n) {
        PlayingCard& card = cards[n];
        card.owner = -1;
        card.pickable = false;
        card.covered = false;
        card.PlaceAt(stock.x, stock.y);
        stock.Push(n);
    }
    computerBusy = false;
    NewRound();
    RunComputerMoves();
}

int KivGame::HitTestCard(int x, int y) const {
    int hit = 0;
    for (int n = 1; n <= kCardCount; ++n) {
        if (cards[n].pickable && cards[n].Hit(x, y)) {
            hit = n;
        }
    }
    return hit;
}

void KivGame::PlaceCard(int card, int x, int y) {
    cards[card].PlaceAt(x, y);
}

void KivGame::ReturnHome(int card, bool animated) {
    const PlayingCard& c = cards[card];
    if (animated) {
        AnimateCard(card, c.homeX, c.homeY);
    } else {
        MoveCard(card, c.homeX, c.homeY);
    }
}

void KivGame::LayoutHand(int seatIndex, bool includeHeld) {
    if (!windowShown) {
        return;
    }
    Seat& seat = seats[seatIndex];
    const Hand& hand = seat.hand;
    int last = hand.Last();
    if (!includeHeld && last == heldCard && hand.Count() > 1) {
        last = hand.At(hand.Count() - 2);
    }
    int k = 0;
    for (int n : hand) {
        if (!includeHeld && n == heldCard) {
            continue;
        }
        PlayingCard& card = cards[n];
        card.covered = n != last;
        card.PlaceAt(seat.handX + kHandOffset * k, seat.handY);
        ++k;
    }
    port_->HandLaidOut(seatIndex);
}

} // namespace kiv

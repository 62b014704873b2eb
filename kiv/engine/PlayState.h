#pragma once

#include "kiv/engine/CardList.h"
#include "kiv/engine/KivRandom.h"
#include "kiv/engine/PlayingCard.h"
#include "kiv/engine/Seat.h"

#include <array>

namespace kiv {

// Where the game stands: the cards and where they lie, the seats' hands and
// scores, whose turn it is and what the cards on the table still demand.
// Only the game's own operations change it (KivGame::State() is const).
struct PlayState {
    std::array<PlayingCard, kCardCount + 1> cards; // [0] is the placeholder
    std::array<Seat, kSeatCount> seats;
    CardPile stock;
    CardPile discardPile;
    KivRandom random; // state 1 unless seeded (KivGame::SeedRandom)

    int currentSeat = 0;
    int cardsToDraw = 0;      // penalty cards still to draw after sevens
    bool eightServed = false; // the eight on top already made a seat sit out
    bool firstJackOpen = false;
    bool sevenPending = false; // consulted when the rule LayAfterDraw is off
    bool justDrew = false;     // the current seat drew in the current gesture
    int wishedSuit = 0;        // suit named after a jack, 0 = none
    bool computerBusy = false; // a computer move runs (menu commands refused)

    // Table gesture state (kept here because the rules consult it).
    int heldCard = 0; // card being dragged, 0 = none
    bool heldCardWasCovered = false;
    bool rightButtonGesture = false;
};

} // namespace kiv

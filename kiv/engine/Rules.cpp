// The rule engine: dealing, what may be laid on what, drawing, passing the turn.
#include "kiv/engine/KivGame.h"

#include <charconv>
#include <string_view>

namespace kiv {

void KivGame::NewRound() {
    Emit(GameEventKind::Round);
    heldCard = 0;
    CollectCards();
    cardsToDraw = 0;
    wishedSuit = 0;
    sevenPending = false;
    eightServed = false;
    justDrew = false;
    firstJackOpen = false;
    for (Seat& seat : seats) {
        seat.inRound = seat.plays;
        seat.hasDrawn = false;
    }
    RepaintDiscardPile();
    discardPile.drawable = false;
    stock.drawable = true;
    while (!discardPile.Empty()) {
        const int card = discardPile.TakeRandom(random);
        cards[card].PlaceAt(stock.x, stock.y);
        stock.Push(card);
    }
    currentSeat = 0;
    DealRound();
    UpdateSuitStatus();
    RepaintStock();
    SetStatusText(0, TextId(text::kReady), "");
    if (windowShown) {
        port_->RepaintAll();
    }
}

void KivGame::CollectCards() {
    SetStatusText(0, TextId(text::kCollecting), "");
    for (int s = 0; s < kSeatCount; ++s) {
        Hand& hand = seats[s].hand;
        while (!hand.Empty()) {
            const int number = hand.Last();
            PlayingCard& card = cards[number];
            card.covered = false;
            card.owner = -1;
            card.faceUp = true;
            card.pickable = false;
            stock.Push(number);
            const bool moreLeft = hand.Count() > 1;
            hand.RemoveAt(hand.Count() - 1);
            if (moreLeft) {
                LayoutHand(s, false);
            }
            AnimateCard(number, stock.x, stock.y);
            card.PlaceAt(stock.x, stock.y);
        }
    }
    SetStatusText(0, TextId(text::kReady), "");
}

void KivGame::DealRound() {
    SetStatusText(0, TextId(text::kDealing), "");
    PlayWave(Wave::Karten);
    for (int s = 0; s < kSeatCount; ++s) {
        Seat& seat = seats[s];
        if (!seat.plays) {
            continue;
        }
        for (int i = 0; i < cardsPerPlayer; ++i) {
            const int number = stock.TakeRandom(random);
            if (number < 0) {
                break; // more cards asked for than the deck holds
            }
            PlayingCard& card = cards[number];
            card.faceUp = !seat.computer;
            card.owner = s;
            card.pickable = true;
            seat.hand.Add(number);
            Emit(GameEventKind::Deal, s, number);
            if (animateCards) {
                AnimateCard(number, seat.handX, seat.handY);
            }
            LayoutHand(s, true);
            RepaintDiscardPile();
        }
    }
    TurnUpCard(-1);
    if (windowShown) {
        port_->SetStatusReadyLiteral();
    }
}

void KivGame::TurnUpCard(int card) {
    const int number = card < 0 ? stock.TakeRandom(random) : stock.RemoveNumber(card);
    if (number < 0) {
        port_->ShowMessage(TextId(text::kAllCardsOut));
        return;
    }
    cards[number].PlaceAt(discardPile.x, discardPile.y);
    cards[number].faceUp = true;
    discardPile.Push(number);
    Emit(GameEventKind::Up, -1, number);
    RepaintDiscardPile();
    const int rank = RankOfCard(number);
    if (rank == kSieben) {
        cardsToDraw = 2;
        sevenPending = true;
        UpdateSuitStatus();
    } else if (rank == kAcht && !ruleEightOnEight) {
        port_->ShowMessage(TextId(text::kFirstCardEight));
        eightServed = true;
        NextSeat();
        QueueComputerMoveIfDue();
    } else if (rank == kBube && ruleAnyOnFirstJack) {
        firstJackOpen = true;
    }
}

void KivGame::FlyBackToHandOrigin(int card) {
    const Seat& seat = seats[currentSeat];
    AnimateCard(card, seat.handX, seat.handY);
    LayoutHand(currentSeat, true);
}

bool KivGame::CheckPlay() {
    const int held = heldCard;
    if (ruleAnyOnFirstJack && firstJackOpen) {
        return true;
    }
    const int top = TopCard();
    if (top < 0) {
        return true;
    }
    if (justDrew && !ruleLayAfterDraw) {
        Refuse(text::kJustDrawn);
        FlyBackToHandOrigin(held);
        return false;
    }
    const int cs = SuitOfCard(held);
    const int cr = RankOfCard(held);
    const int ts = SuitOfCard(top);
    const int tr = RankOfCard(top);
    bool allowed = true;
    if (!(cr == tr || cs == ts || wishedSuit != 0 || (ruleJackAlways && cr == kBube))) {
        Refuse(text::kNoMatch);
        allowed = false;
    }
    if (allowed && tr == kSieben && cardsToDraw > 0 && ruleLayAfterDraw) {
        if (Current().hasDrawn) {
            Refuse(text::kCheating);
            allowed = false;
        }
        if (cr != kSieben) {
            Refuse(text::kOnlySevenOnSeven);
            allowed = false;
        } else {
            PlayWave(Wave::He2);
        }
    }
    if (allowed && tr == kSieben && sevenPending && !ruleLayAfterDraw) {
        if (cr != kSieben || Current().hasDrawn) {
            Refuse(text::kSevenMustDraw);
            FlyBackToHandOrigin(held);
            allowed = false;
        } else {
            PlayWave(Wave::He2);
        }
    }
    if (allowed && tr == kAcht && ruleEightOnEight && !eightServed && cr != kAcht) {
        Refuse(text::kOnlyEightOnEight);
        allowed = false;
    }
    if (allowed && wishedSuit != 0 && cs != wishedSuit && cr != kBube) {
        Refuse(WishRefusalText(wishedSuit));
        allowed = false;
    }
    return allowed;
}

int KivGame::WishRefusalText(int suit) {
    switch (suit) {
    case kHerz:
        return text::kWishHerz;
    case kKaro:
        return text::kWishKaro;
    case kKreuz:
        return text::kWishKreuz;
    default:
        return text::kWishPik;
    }
}

void KivGame::PlayCard(bool animated) {
    const int number = heldCard;
    if (number <= 0) {
        return;
    }
    const int s = currentSeat;
    Seat& seat = seats[s];
    PlayingCard& card = cards[number];
    const int rank = RankOfCard(number);
    if (rank == kAcht) {
        eightServed = false;
    }
    card.covered = false;
    if (animated) {
        LayoutHand(s, false);
        AnimateCard(number, discardPile.x, discardPile.y);
    } else {
        MoveCard(number, discardPile.x, discardPile.y);
    }
    PlayWave(Wave::Karte);
    seat.hand.Remove(number);
    card.owner = -1;
    card.pickable = false;
    card.faceUp = true;
    RepaintDiscardPile();
    if (rank == kSieben) {
        cardsToDraw += 2;
        sevenPending = true;
        if (seat.computer) {
            PlayWave(Wave::He1);
        }
        UpdateSuitStatus();
    }
    firstJackOpen = false;
    discardPile.Push(number);
    Emit(GameEventKind::Play, s, number);
    wishedSuit = 0;
    UpdateSuitStatus();
    if (rank == kBube) {
        int suit;
        if (seat.computer) {
            suit = ChooseComputerSuit();
        } else {
            PlayWave(Wave::Hmm);
            suit = port_->AskJackSuit();
            if (suit < kKaro || suit > kPik) {
                suit = kKaro; // the dialog's initial choice
            }
        }
        wishedSuit = suit;
        Emit(GameEventKind::Wish, s, suit);
        UpdateSuitStatus();
    }
    heldCard = 0;
    if (seat.hand.Empty()) {
        SeatOut(s);
        return;
    }
    NextSeat();
    QueueComputerMoveIfDue();
}

DrawResult KivGame::DrawCard(bool animated) {
    Seat& seat = Current();
    bool refused = false;
    if (seat.hasDrawn && cardsToDraw == 0) {
        Refuse(text::kDrawTooMany);
        refused = true;
    }
    const int top = TopCard();
    if (top > 0 && RankOfCard(top) == kAcht && ruleEightOnEight && !eightServed) {
        Refuse(text::kEightNoDraw);
        refused = true;
    }
    if (stock.Empty()) {
        RebuildStock();
        if (stock.Empty()) {
            RepaintStock();
            stock.drawable = false;
        }
    }
    if (refused) {
        return DrawResult::Refused;
    }
    if (!stock.drawable || stock.Empty()) {
        if (cardsToDraw == 0) {
            return DrawResult::NoCard;
        }
        // The penalty cannot be paid: it lapses, and the seat counts as
        // having drawn so that it can pass.
        cardsToDraw = 0;
        sevenPending = false;
        seat.hasDrawn = true;
        Emit(GameEventKind::Lapse, currentSeat);
        UpdateSuitStatus();
        return DrawResult::Lapsed;
    }
    const int number = stock.TakeRandom(random);
    PlayingCard& card = cards[number];
    heldCard = number;
    card.faceUp = !seat.computer;
    if (cardsToDraw > 0) {
        --cardsToDraw;
        UpdateSuitStatus();
    }
    if (animated) {
        AnimateCard(number, seat.handX, seat.handY);
    } else {
        card.PlaceAt(seat.handX, seat.handY);
    }
    card.owner = currentSeat;
    card.pickable = true;
    seat.hand.Add(number);
    seat.hasDrawn = true;
    justDrew = true;
    Emit(GameEventKind::Draw, currentSeat, number);
    RepaintStock();
    return DrawResult::Drawn;
}

void KivGame::RebuildStock() {
    const int top = discardPile.Top();
    // Bottom card first, so the stock keeps the pile's order; the generator
    // is not consulted (drawing from the stock is random anyway).
    for (int number : discardPile.cards) {
        cards[number].PlaceAt(stock.x, stock.y);
        stock.Push(number);
    }
    discardPile.cards.Clear();
    if (top > 0) {
        stock.RemoveNumber(top);
        cards[top].PlaceAt(discardPile.x, discardPile.y);
        cards[top].faceUp = true;
        discardPile.Push(top);
    }
    if (!stock.Empty()) {
        stock.drawable = true;
    }
    Emit(GameEventKind::Rebuild, -1, stock.Count());
    RepaintStock();
    RepaintDiscardPile();
}

void KivGame::NextSeat() {
    Current().hasDrawn = false;
    justDrew = false;
    int steps = 1;
    const int top = TopCard();
    if (top > 0 && RankOfCard(top) == kAcht && !ruleEightOnEight && !eightServed) {
        eightServed = true;
        steps = 2;
    }
    int seat = currentSeat;
    for (int step = 0; step < steps; ++step) {
        // At most one full circle: with no seat left in the round the turn stays.
        for (int tries = 0; tries < kSeatCount; ++tries) {
            seat = seat + 1 < kSeatCount ? seat + 1 : 0;
            if (seats[seat].plays && seats[seat].inRound) {
                break;
            }
        }
    }
    currentSeat = seat;
    RepaintSeatPanels();
    Emit(GameEventKind::Turn, currentSeat);
}

void KivGame::UpdateSuitStatus() {
    if (wishedSuit != 0) {
        static constexpr int kText[5] = {0, text::kToLayKaro, text::kToLayHerz, text::kToLayKreuz,
                                         text::kToLayPik};
        static constexpr Wave kWave[5] = {Wave::Karo, Wave::Karo, Wave::Herz, Wave::Kreuz,
                                          Wave::Pik};
        SetStatusText(1, TextId(kText[wishedSuit]), "");
        if (cardsToDraw == 0) {
            PlayWave(kWave[wishedSuit]);
        }
    } else if (cardsToDraw >= 1) {
        if (windowShown) { // the number is only written out to be shown
            char suffix[16] = " ";
            const auto end = std::to_chars(suffix + 1, suffix + sizeof suffix, cardsToDraw).ptr;
            SetStatusText(1, TextId(text::kToDraw),
                          std::string_view(suffix, static_cast<size_t>(end - suffix)));
        }
    } else {
        SetStatusText(1, 0, " ");
    }
}

void KivGame::NextPlayerCommand() {
    if (computerBusy) {
        port_->ShowMessage(TextId(text::kComputerBusy));
        return;
    }
    const int top = TopCard();
    if (top > 0 && RankOfCard(top) == kAcht && ruleEightOnEight && !eightServed) {
        NextSeat();
        eightServed = true;
        PlayWave(Wave::O);
    } else if ((!Current().hasDrawn && !NothingToDraw()) || cardsToDraw > 0) {
        port_->ShowMessage(TextId(text::kDrawFirst));
        return;
    } else {
        NextSeat();
    }
    QueueComputerMoveIfDue();
    RunComputerMoves();
}

bool KivGame::NothingToDraw() const {
    // Every card but the pile's top is in the hands: no draw and no rebuild
    // can produce a card, so a seat that cannot lay may pass without one.
    return stock.Empty() && discardPile.Count() <= 1;
}

void KivGame::ResetScoresOfPlayingSeats() {
    for (Seat& seat : seats) {
        if (seat.plays) {
            seat.score = 0;
        }
    }
}

void KivGame::NewGameCommand() {
    if (computerBusy) {
        port_->ShowMessage(TextId(text::kComputerBusy));
        return;
    }
    if (!port_->AskYesNo(TextId(text::kReallyNewGame))) {
        return;
    }
    ResetScoresOfPlayingSeats();
    NewRound();
    RunComputerMoves();
}

} // namespace kiv

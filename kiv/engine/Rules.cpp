// The rule engine: dealing, what may be laid on what, drawing, passing the turn.
#include "kiv/engine/KivGame.h"

#include <charconv>
#include <string_view>

namespace kiv {

void KivGame::NewRound() {
    Emit(GameEventKind::Round);
    port_->DealBegins();
    state_.heldCard = 0;
    CollectCards();
    state_.cardsToDraw = 0;
    state_.wishedSuit = 0;
    state_.sevenPending = false;
    state_.eightServed = false;
    state_.justDrew = false;
    state_.firstJackOpen = false;
    for (int s = 0; s < kSeatCount; ++s) {
        state_.seats[s].inRound = SetUp(s).plays;
        state_.seats[s].hasDrawn = false;
    }
    state_.discardPile.drawable = false;
    state_.stock.drawable = true;
    while (!state_.discardPile.Empty()) {
        const int card = state_.discardPile.TakeRandom(state_.random);
        state_.cards[card].PlaceAt(state_.stock.x, state_.stock.y);
        state_.stock.Push(card);
    }
    // The emptied pile is shown before the first card of the deal flies.
    RepaintDiscardPile();
    state_.currentSeat = 0;
    DealRound();
    UpdateSuitStatus();
    RepaintStock();
    SetStatusText(0, TextId(text::kReady), "");
    if (settings_.windowShown) {
        port_->RepaintAll();
    }
    port_->DealEnds();
}

void KivGame::NewRoundWithoutAnimation() {
    const bool animate = settings_.animateCards;
    settings_.animateCards = false;
    NewRound();
    settings_.animateCards = animate;
}

void KivGame::CollectCards() {
    SetStatusText(0, TextId(text::kCollecting), "");
    for (int s = 0; s < kSeatCount; ++s) {
        Hand& hand = state_.seats[s].hand;
        while (!hand.Empty()) {
            const int number = hand.Last();
            PlayingCard& card = state_.cards[number];
            card.covered = false;
            card.owner = -1;
            card.faceUp = true;
            card.pickable = false;
            state_.stock.Push(number);
            const bool moreLeft = hand.Count() > 1;
            hand.RemoveAt(hand.Count() - 1);
            if (moreLeft) {
                LayoutHand(s, false);
            }
            AnimateCard(number, state_.stock.x, state_.stock.y);
            card.PlaceAt(state_.stock.x, state_.stock.y);
        }
    }
    SetStatusText(0, TextId(text::kReady), "");
}

void KivGame::DealRound() {
    SetStatusText(0, TextId(text::kDealing), "");
    PlayWave(Wave::Karten);
    for (int s = 0; s < kSeatCount; ++s) {
        Seat& seat = state_.seats[s];
        if (!SetUp(s).plays) {
            continue;
        }
        for (int i = 0; i < settings_.cardsPerPlayer; ++i) {
            const int number = state_.stock.TakeRandom(state_.random);
            if (number < 0) {
                break; // more cards asked for than the deck holds
            }
            PlayingCard& card = state_.cards[number];
            card.faceUp = !SetUp(s).computer;
            card.owner = s;
            card.pickable = true;
            seat.hand.Add(number);
            Emit(GameEventKind::Deal, s, number);
            if (settings_.animateCards) {
                AnimateCard(number, seat.handX, seat.handY);
            }
            LayoutHand(s, true);
            RepaintDiscardPile();
        }
    }
    TurnUpCard(-1);
    if (settings_.windowShown) {
        port_->SetStatusReadyLiteral();
    }
}

void KivGame::TurnUpCard(int card) {
    const int number =
        card < 0 ? state_.stock.TakeRandom(state_.random) : state_.stock.RemoveNumber(card);
    if (number < 0) {
        port_->ShowMessage(TextId(text::kAllCardsOut));
        return;
    }
    state_.cards[number].PlaceAt(state_.discardPile.x, state_.discardPile.y);
    state_.cards[number].faceUp = true;
    state_.discardPile.Push(number);
    Emit(GameEventKind::Up, -1, number);
    RepaintDiscardPile();
    const int rank = RankOfCard(number);
    if (rank == kSieben) {
        state_.cardsToDraw = 2;
        state_.sevenPending = true;
        UpdateSuitStatus();
    } else if (rank == kAcht && !settings_.ruleEightOnEight) {
        port_->ShowMessage(TextId(text::kFirstCardEight));
        state_.eightServed = true;
        NextSeat();
        QueueComputerMoveIfDue();
    } else if (rank == kBube && settings_.ruleAnyOnFirstJack) {
        state_.firstJackOpen = true;
    }
}

void KivGame::FlyBackToHandOrigin(int card) {
    const Seat& seat = state_.seats[state_.currentSeat];
    AnimateCard(card, seat.handX, seat.handY);
    LayoutHand(state_.currentSeat, true);
}

bool KivGame::CheckPlay() {
    const int held = state_.heldCard;
    if (settings_.ruleAnyOnFirstJack && state_.firstJackOpen) {
        return true;
    }
    const int top = TopCard();
    if (top < 0) {
        return true;
    }
    if (state_.justDrew && !settings_.ruleLayAfterDraw) {
        Refuse(text::kJustDrawn);
        FlyBackToHandOrigin(held);
        return false;
    }
    const int cs = SuitOfCard(held);
    const int cr = RankOfCard(held);
    const int ts = SuitOfCard(top);
    const int tr = RankOfCard(top);
    bool allowed = true;
    if (!(cr == tr || cs == ts || state_.wishedSuit != 0 ||
          (settings_.ruleJackAlways && cr == kBube))) {
        Refuse(text::kNoMatch);
        allowed = false;
    }
    if (allowed && tr == kSieben && state_.cardsToDraw > 0 && settings_.ruleLayAfterDraw) {
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
    if (allowed && tr == kSieben && state_.sevenPending && !settings_.ruleLayAfterDraw) {
        if (cr != kSieben || Current().hasDrawn) {
            Refuse(text::kSevenMustDraw);
            FlyBackToHandOrigin(held);
            allowed = false;
        } else {
            PlayWave(Wave::He2);
        }
    }
    if (allowed && tr == kAcht && settings_.ruleEightOnEight && !state_.eightServed &&
        cr != kAcht) {
        Refuse(text::kOnlyEightOnEight);
        allowed = false;
    }
    if (allowed && state_.wishedSuit != 0 && cs != state_.wishedSuit && cr != kBube) {
        Refuse(WishRefusalText(state_.wishedSuit));
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
    const int number = state_.heldCard;
    if (number <= 0) {
        return;
    }
    const int s = state_.currentSeat;
    Seat& seat = state_.seats[s];
    PlayingCard& card = state_.cards[number];
    const int rank = RankOfCard(number);
    if (rank == kAcht) {
        state_.eightServed = false;
    }
    card.covered = false;
    if (animated) {
        LayoutHand(s, false);
        AnimateCard(number, state_.discardPile.x, state_.discardPile.y);
    } else {
        MoveCard(number, state_.discardPile.x, state_.discardPile.y);
    }
    PlayWave(Wave::Karte);
    seat.hand.Remove(number);
    card.owner = -1;
    card.pickable = false;
    card.faceUp = true;
    RepaintDiscardPile();
    if (rank == kSieben) {
        state_.cardsToDraw += 2;
        state_.sevenPending = true;
        if (SetUp(s).computer) {
            PlayWave(Wave::He1);
        }
        UpdateSuitStatus();
    }
    state_.firstJackOpen = false;
    state_.discardPile.Push(number);
    Emit(GameEventKind::Play, s, number);
    state_.wishedSuit = 0;
    UpdateSuitStatus();
    if (rank == kBube) {
        int suit;
        if (SetUp(s).computer) {
            suit = ChooseComputerSuit();
        } else {
            PlayWave(Wave::Hmm);
            suit = port_->AskJackSuit();
            if (suit < kKaro || suit > kPik) {
                suit = kKaro; // the dialog's initial choice
            }
        }
        state_.wishedSuit = suit;
        Emit(GameEventKind::Wish, s, suit);
        UpdateSuitStatus();
    }
    state_.heldCard = 0;
    if (seat.hand.Empty()) {
        SeatOut(s);
        return;
    }
    NextSeat();
    QueueComputerMoveIfDue();
}

DrawResult KivGame::DrawCard(bool animated) {
    Seat& seat = state_.seats[state_.currentSeat];
    bool refused = false;
    if (seat.hasDrawn && state_.cardsToDraw == 0) {
        Refuse(text::kDrawTooMany);
        refused = true;
    }
    const int top = TopCard();
    if (top > 0 && RankOfCard(top) == kAcht && settings_.ruleEightOnEight && !state_.eightServed) {
        Refuse(text::kEightNoDraw);
        refused = true;
    }
    if (state_.stock.Empty()) {
        RebuildStock();
        if (state_.stock.Empty()) {
            RepaintStock();
            state_.stock.drawable = false;
        }
    }
    if (refused) {
        return DrawResult::Refused;
    }
    if (!state_.stock.drawable || state_.stock.Empty()) {
        if (state_.cardsToDraw == 0) {
            return DrawResult::NoCard;
        }
        // The penalty cannot be paid: it lapses, and the seat counts as
        // having drawn so that it can pass.
        state_.cardsToDraw = 0;
        state_.sevenPending = false;
        seat.hasDrawn = true;
        Emit(GameEventKind::Lapse, state_.currentSeat);
        UpdateSuitStatus();
        return DrawResult::Lapsed;
    }
    const int number = state_.stock.TakeRandom(state_.random);
    PlayingCard& card = state_.cards[number];
    state_.heldCard = number;
    card.faceUp = !SetUp(state_.currentSeat).computer;
    if (state_.cardsToDraw > 0) {
        --state_.cardsToDraw;
        UpdateSuitStatus();
    }
    if (animated) {
        AnimateCard(number, seat.handX, seat.handY);
    } else {
        card.PlaceAt(seat.handX, seat.handY);
    }
    card.owner = state_.currentSeat;
    card.pickable = true;
    seat.hand.Add(number);
    seat.hasDrawn = true;
    state_.justDrew = true;
    Emit(GameEventKind::Draw, state_.currentSeat, number);
    RepaintStock();
    return DrawResult::Drawn;
}

void KivGame::RebuildStock() {
    const int top = state_.discardPile.Top();
    // Bottom card first, so the stock keeps the pile's order; the generator
    // is not consulted (drawing from the stock is random anyway).
    for (int number : state_.discardPile.cards) {
        state_.cards[number].PlaceAt(state_.stock.x, state_.stock.y);
        state_.stock.Push(number);
    }
    state_.discardPile.cards.Clear();
    if (top > 0) {
        state_.stock.RemoveNumber(top);
        state_.cards[top].PlaceAt(state_.discardPile.x, state_.discardPile.y);
        state_.cards[top].faceUp = true;
        state_.discardPile.Push(top);
    }
    if (!state_.stock.Empty()) {
        state_.stock.drawable = true;
    }
    Emit(GameEventKind::Rebuild, -1, state_.stock.Count());
    RepaintStock();
    RepaintDiscardPile();
}

void KivGame::NextSeat() {
    state_.seats[state_.currentSeat].hasDrawn = false;
    state_.justDrew = false;
    int steps = 1;
    const int top = TopCard();
    if (top > 0 && RankOfCard(top) == kAcht && !settings_.ruleEightOnEight && !state_.eightServed) {
        state_.eightServed = true;
        steps = 2;
    }
    int seat = state_.currentSeat;
    for (int step = 0; step < steps; ++step) {
        // At most one full circle: with no seat left in the round the turn stays.
        for (int tries = 0; tries < kSeatCount; ++tries) {
            seat = seat + 1 < kSeatCount ? seat + 1 : 0;
            if (SetUp(seat).plays && state_.seats[seat].inRound) {
                break;
            }
        }
    }
    state_.currentSeat = seat;
    RepaintSeatPanels();
    Emit(GameEventKind::Turn, state_.currentSeat);
}

void KivGame::UpdateSuitStatus() {
    if (state_.wishedSuit != 0) {
        static constexpr int kText[5] = {0, text::kToLayKaro, text::kToLayHerz, text::kToLayKreuz,
                                         text::kToLayPik};
        static constexpr Wave kWave[5] = {Wave::Karo, Wave::Karo, Wave::Herz, Wave::Kreuz,
                                          Wave::Pik};
        SetStatusText(1, TextId(kText[state_.wishedSuit]), "");
        if (state_.cardsToDraw == 0) {
            PlayWave(kWave[state_.wishedSuit]);
        }
    } else if (state_.cardsToDraw >= 1) {
        if (settings_.windowShown) { // the number is only written out to be shown
            char suffix[16] = " ";
            const auto end =
                std::to_chars(suffix + 1, suffix + sizeof suffix, state_.cardsToDraw).ptr;
            SetStatusText(1, TextId(text::kToDraw),
                          std::string_view(suffix, static_cast<size_t>(end - suffix)));
        }
    } else {
        SetStatusText(1, 0, " ");
    }
}

void KivGame::NextPlayerCommand() {
    if (state_.computerBusy) {
        port_->ShowMessage(TextId(text::kComputerBusy));
        return;
    }
    const int top = TopCard();
    if (top > 0 && RankOfCard(top) == kAcht && settings_.ruleEightOnEight && !state_.eightServed) {
        NextSeat();
        state_.eightServed = true;
        PlayWave(Wave::O);
    } else if ((!Current().hasDrawn && !NothingToDraw()) || state_.cardsToDraw > 0) {
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
    return state_.stock.Empty() && state_.discardPile.Count() <= 1;
}

void KivGame::ResetScoresOfPlayingSeats() {
    for (int s = 0; s < kSeatCount; ++s) {
        if (SetUp(s).plays) {
            state_.seats[s].score = 0;
        }
    }
}

void KivGame::ResetAllScores() {
    for (Seat& seat : state_.seats) {
        seat.score = 0;
    }
}

void KivGame::NewGameCommand() {
    if (state_.computerBusy) {
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

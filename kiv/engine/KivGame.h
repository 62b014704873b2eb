#pragma once

#include "kiv/engine/CardList.h"
#include "kiv/engine/GameSettings.h"
#include "kiv/engine/KivPort.h"
#include "kiv/engine/PlayState.h"
#include "kiv/engine/PlayingCard.h"
#include "kiv/engine/Seat.h"
#include "kiv/engine/TextIds.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kiv {

namespace testing {
class GameAccess;
} // namespace testing

// What a computer's card choice answers besides a card number.
constexpr int kChooseDraw = -1;
constexpr int kChooseSitOut = -2;

enum class DrawResult {
    Drawn,   // a card was drawn; it is the held card
    Refused, // a rule refused the draw (message shown)
    NoCard,  // no card could be drawn; nothing changed
    Lapsed,  // no card could be drawn and the seat's penalty lapsed
};

// The whole game: its settings, where the play stands and every rule. One
// per program run. All output goes through the port; everything else only
// reads the game and changes it through its operations.
class KivGame {
public:
    // languageBase is decided by the caller (1000 German, 5000 the second block).
    explicit KivGame(int languageBase = 1000);
    KivGame(const KivGame&) = delete;
    KivGame& operator=(const KivGame&) = delete;

    // The port receives every message, question, sound, move and pause. Until
    // one is set, a silent one is used. The port must outlive its use.
    void SetPort(KivPort* port);
    KivPort& Port() { return *port_; }

    // ---- State and settings -----------------------------------------------
    // The game is read here and changed only through the operations below.
    const PlayState& State() const { return state_; }
    const GameSettings& Settings() const { return settings_; }
    // Takes new settings. Every seat's inRound follows its plays, so a new
    // set-up of the seats is meant to be followed by a new round.
    void ApplySettings(const GameSettings& settings);
    // The menu's one-off switches, which leave the seats as they are.
    void SetSoundOn(bool on) { settings_.soundOn = on; }
    void SetMusicOn(bool on) { settings_.musicOn = on; }
    void SetAnimateCards(bool on) { settings_.animateCards = on; }
    void SetDeckBack(int deckBack) { settings_.deckBack = deckBack; }
    // The text block: 1000 German, 5000 the second; any other value is ignored.
    void SetLanguageBase(int base) {
        if (base == 1000 || base == 5000) {
            settings_.languageBase = base;
        }
    }
    // The generator starts at state 1, so every run that does not seed it
    // deals the same games (the simulator relies on that); the window seeds
    // it once at start.
    void SeedRandom(std::uint32_t seed) { state_.random.SetState(seed); }

    int TextId(int offset) const { return settings_.languageBase + offset; }
    int TopCard() const { return state_.discardPile.Top(); }
    const Seat& Current() const { return state_.seats[state_.currentSeat]; }
    int BackBitmap() const { return BackBitmapId(settings_.deckBack); }

    // ---- Table ------------------------------------------------------------
    // Pile positions for a client area W × H: stock (W − 81, H − 262),
    // discard pile (W − 81, H − 146); every card without owner is placed on
    // the stock. Ignored for a non-positive size.
    void LayoutTable(int width, int height);
    // First showing of the table: clears the wish, pushes cards 1..32 onto the
    // stock in number order and deals the first round.
    void StartFirstRound();
    // The highest-numbered pickable card whose visible part holds the point; 0 if none.
    int HitTestCard(int x, int y) const;
    void PlaceCard(int card, int x, int y);   // sets position and home
    void MoveCard(int card, int x, int y);    // sets position, repaints both rectangles
    void AnimateCard(int card, int x, int y); // flies with cardSpeed when animateCards, else moves
    void ReturnHome(int card, bool animated); // back to homeX, homeY
    // Places a seat's cards in a row (18 pixels apart, all but the last
    // covered); the held card is left out unless includeHeld. Nothing while
    // no window is shown.
    void LayoutHand(int seat, bool includeHeld);

    // ---- Round and turn ---------------------------------------------------
    // These only queue a computer move when they pass the turn to a computer
    // seat; see RunComputerMoves.
    void NewRound(); // collect, reset, deal
    // The same with every card jumping to its place, for a new deal after the
    // settings changed; the setting itself stays.
    void NewRoundWithoutAnimation();
    void CollectCards(); // all hand cards back to the stock
    void DealRound();    // deal cardsPerPlayer to each playing seat, turn up
    // Card `card`, or a random one for -1, from the stock onto the pile with
    // the first-card effects.
    void TurnUpCard(int card);
    bool CheckPlay();                   // may the held card be laid now (refusals shown)
    void PlayCard(bool animated);       // lay the held card of the current seat
    DrawResult DrawCard(bool animated); // the current seat draws one card
    void RebuildStock();                // discard pile below its top back into the stock
    void NextSeat();                    // pass the turn (an unserved eight skips one seat)
    void UpdateSuitStatus();            // status pane 1 and the suit's wave
    // The menu commands; both are refused with text 137 while computerBusy.
    void NextPlayerCommand();   // "Nächster Spieler"
    bool NothingToDraw() const; // neither the stock nor a rebuild can give a card
    void NewGameCommand();      // "Neues Spiel": asks, zeroes playing seats' scores, new round
    void ResetScoresOfPlayingSeats();
    void ResetAllScores(); // playing or not: the players were chosen anew

    // ---- Human gestures on the table (ignored while computerBusy) ----------
    void LeftButtonDown(int x, int y);
    void DragHeldCard(int x, int y); // pointer at the held card's centre
    void LeftButtonUp(int x, int y);
    void RightButtonDown(int x, int y);
    void RightButtonUp(int x, int y);

    // ---- Computer seats ---------------------------------------------------
    // Queues a move for the current seat if it is a computer seat and runs the
    // queue unless a move is already running (then the running chain takes it
    // up when the current move has finished). Moves never nest.
    void StartComputerMove();
    // Runs queued computer moves one after another until none is queued or
    // the port says stop. The gesture and command operations above call it
    // before they return; call it yourself after calling NewRound, PlayCard,
    // NextSeat or TurnUpCard directly. Does nothing while already running.
    void RunComputerMoves();
    bool ComputerMoveQueued() const { return computerMoveQueued_; }
    void ComputerMove();                  // one whole turn of the current (computer) seat
    int ChooseComputerCard();             // card number, kChooseDraw or kChooseSitOut
    int FindHandCard(int suit, int rank); // first current-hand card matching (0 = any); -1
    // The current hand's card of that suit (0 = any) whose rank comes first
    // in the computer's order of preference (jacks are not in it); -1.
    int PreferredHandCard(int suit);
    int ChooseComputerSuit(); // suit with the most cards; ties to Herz, Karo, Kreuz, Pik

    // ---- Scoring ----------------------------------------------------------
    void SeatOut(int seat);      // seat laid its last card: score, then go on or end the round
    void GameOver();             // results, ranking question, scores of playing seats to 0
    GameResults Results() const; // the results dialog's content, best first
    void ShowResults();
    // Seat indices from best to worst value; of equal values the later seat
    // ranks higher.
    static std::array<int, 4> RankOrder(const std::array<int, 4>& values);
    static int GoingOutBonus(int seatsInRound);

    // The sum of cards in stock, discard pile and hands (always 32).
    int CardsAccountedFor() const;

private:
    friend class testing::GameAccess;

    const SeatSettings& SetUp(int seat) const { return settings_.seats[seat]; }
    void Refuse(int offset); // "falsch.wav", then the message
    void PlayWave(Wave wave);
    // What only a window shows: asked of the port while windowShown.
    void RepaintStock();
    void RepaintDiscardPile();
    void RepaintSeatPanels();
    void SetStatusText(int pane, int textId, std::string_view suffix);
    void Emit(GameEventKind kind, int seat = -1, int value = 0);
    void QueueComputerMoveIfDue();
    DrawResult ComputerDraw();
    void FlyBackToHandOrigin(int card);
    static int WishRefusalText(int suit);
    void PickUp(int card, int x, int y);
    void PutBack(int card);

    GameSettings settings_;
    PlayState state_;
    KivPort silentPort_;
    KivPort* port_ = &silentPort_;
    bool computerMoveQueued_ = false;
    bool runningComputerMoves_ = false;
};

// Every card moved, sound asked for, event told and turn passed goes through these,
// so they are defined here where the compiler can inline them.
inline void KivGame::MoveCard(int card, int x, int y) {
    PlayingCard& c = state_.cards[card];
    const int oldX = c.x;
    const int oldY = c.y;
    c.x = x;
    c.y = y;
    if (settings_.windowShown) {
        port_->CardMoved(card, oldX, oldY);
    }
}

inline void KivGame::AnimateCard(int card, int x, int y) {
    if (settings_.animateCards) {
        port_->AnimateCard(card, x, y, settings_.cardSpeed);
    }
    MoveCard(card, x, y);
}

inline void KivGame::PlayWave(Wave wave) {
    if (settings_.soundOn) {
        port_->PlayWave(wave);
    }
}

inline void KivGame::RepaintStock() {
    if (settings_.windowShown) {
        port_->RepaintStock();
    }
}

inline void KivGame::RepaintDiscardPile() {
    if (settings_.windowShown) {
        port_->RepaintDiscardPile();
    }
}

inline void KivGame::RepaintSeatPanels() {
    if (settings_.windowShown) {
        port_->RepaintSeatPanels();
    }
}

inline void KivGame::SetStatusText(int pane, int textId, std::string_view suffix) {
    if (settings_.windowShown) {
        port_->SetStatusText(pane, textId, suffix);
    }
}

// After every move that passes the turn.
inline void KivGame::QueueComputerMoveIfDue() {
    const SeatSettings& setUp = SetUp(state_.currentSeat);
    if (setUp.computer && setUp.plays && Current().inRound) {
        computerMoveQueued_ = true;
    }
}

inline void KivGame::Emit(GameEventKind kind, int seat, int value) {
    GameEvent event;
    event.kind = kind;
    event.seat = seat;
    event.value = value;
    port_->OnGameEvent(event);
}

} // namespace kiv

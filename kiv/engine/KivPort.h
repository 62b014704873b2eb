#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kiv {

// The sixteen wave slots; WaveName() gives the file name of each.
enum class Wave {
    Herz,
    Karo,
    Kreuz,
    Pik,
    Hmm,
    He1,
    He2,
    Karte,
    Kiv,
    Karten,
    Falsch,
    Zurueck,
    O,
    Rang,
    Topten,
    Jiberish
};
constexpr int kWaveCount = 16;
const char* WaveName(Wave wave);

// One line of the game's event log, as the simulator traces it. The window
// may ignore these.
enum class GameEventKind {
    Round,    // a round begins (before collecting); value = nothing
    Deal,     // seat received card value
    Up,       // card value turned up as the first card
    Play,     // seat laid card value
    Wish,     // seat named suit value after a jack
    Draw,     // seat drew card value
    Rebuild,  // the stock was rebuilt; value = cards now in it
    SitOut,   // seat sat out on an eight by the computer's choice
    Lapse,    // seat's penalty lapsed because no card could be drawn
    Turn,     // the turn passed to seat
    Out,      // seat laid its last card and scored value points
    Score,    // the round ended; four = the seat scores
    GameOver, // the game ended; four = the seats from best to worst
};
struct GameEvent {
    GameEventKind kind = GameEventKind::Round;
    int seat = -1;
    int value = 0;
    std::array<int, 4> four{};
};

// One line of the results dialog "Die Ergebnisse dieses Spiels".
struct ResultsEntry {
    int seat = 0;
    std::string name;
    int score = 0;
};
using GameResults = std::array<ResultsEntry, 4>; // best first

// Everything the engine shows, asks, plays or waits for. The window
// implements it with real dialogs, sounds and painting; tests record the
// calls; the simulator answers silently and never waits. Text ids are
// complete ids (languageBase + offset). Sounds are only requested when the
// document's soundOn is set, so an implementation just plays them.
class KivPort {
public:
    virtual ~KivPort() = default;

    // Modal message box with the text textId (after which the game goes on).
    virtual void ShowMessage(int textId) { (void)textId; }
    // The message about the seat left holding cards: text before, a blank,
    // the name, a blank, text after.
    virtual void ShowLoserMessage(int textBefore, const std::string& seatName, int textAfter) {
        (void)textBefore, (void)seatName, (void)textAfter;
    }
    // Yes/No question with a question icon; true for Yes.
    virtual bool AskYesNo(int textId) {
        (void)textId;
        return false;
    }
    // Play a wave asynchronously.
    virtual void PlayWave(Wave wave) { (void)wave; }
    // Status bar pane 0 (progress) or 1 (suit / cards to draw): the text of
    // textId (0: no text) followed by suffix; repainted at once.
    virtual void SetStatusText(int pane, int textId, std::string_view suffix) {
        (void)pane, (void)textId, (void)suffix;
    }
    // Pane 0 shows the fixed word "Bereit" whatever the language (the end of a deal).
    virtual void SetStatusReadyLiteral() {}

    // A card's x, y changed from (oldX, oldY): invalidate both 71 × 96
    // rectangles and repaint at once.
    virtual void CardMoved(int card, int oldX, int oldY) { (void)card, (void)oldX, (void)oldY; }
    // Fly a card to (x, y) step by step with the given speed, repainting as
    // it goes; returns when it has arrived. The engine sets the final
    // position itself afterwards, so an implementation that does nothing is
    // correct too.
    virtual void AnimateCard(int card, int x, int y, int speed) {
        (void)card, (void)x, (void)y, (void)speed;
    }
    // A seat's hand was laid out anew (positions and covered flags changed).
    virtual void HandLaidOut(int seat) { (void)seat; }
    virtual void RepaintStock() {}
    virtual void RepaintDiscardPile() {}
    virtual void RepaintSeatPanels() {} // the strip x 0..100 with "Am Zug"
    virtual void RepaintAll() {}        // the whole view, seat panels included
    // A new round is collected and dealt between these two (messages of the
    // first card included); a window takes no input meanwhile.
    virtual void DealBegins() {}
    virtual void DealEnds() {}

    // Wait about ms milliseconds keeping the window responsive; returns the
    // elapsed milliseconds.
    virtual int Pause(int ms) { return ms; }
    // The jack's dialog "Bube ausgelegt" for a human seat: the suit code
    // chosen (2 Herz, 1 Karo, 3 Kreuz, 4 Pik). The engine plays "hmm.wav"
    // before calling it.
    virtual int AskJackSuit() { return 1; }
    // The results dialog; the engine plays "rang.wav" before calling it.
    virtual void ShowResults(const GameResults& results) { (void)results; }
    // The user agreed to enter the game's four seat scores (still in the
    // seats) into the ranking list: add them, then show the list.
    virtual void AddResultsToRanking() {}

    // Asked before each queued computer move starts; false leaves the move
    // queued and returns control (the window closing, the simulator done).
    virtual bool ContinueComputerMoves() { return true; }
    // Every game event, in order.
    virtual void OnGameEvent(const GameEvent& event) { (void)event; }
};

} // namespace kiv

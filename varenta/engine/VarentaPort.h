#pragma once

#include <string_view>

#include "varenta/engine/Card.h"
#include "varenta/engine/Hint.h"
#include "varenta/engine/Results.h"

namespace varenta {

enum class MessageKind { Information, Warning, Error };

// Everything the engine shows, asks, plays or waits for. The table window
// implements it; tests record it; the simulators use SilentPort. Every method
// has a harmless default so an implementation overrides what it needs.
class VarentaPort {
public:
    virtual ~VarentaPort() = default;

    // Status line: the hint of the game's moment (MeldOrDiscard and
    // MeldOrDiscardTwice follow the mouse option).
    virtual void ShowHint(Hint /*hint*/) {}
    // Status line error by index (texts::kErrors), red with a beep. reason is
    // the validation reason for error 4, empty otherwise.
    virtual void ShowError(int /*errorIndex*/, std::string_view /*reason*/) {}
    // Status hint of the Rules menu item.
    virtual void SetRulesMenuHint(std::string_view /*text*/) {}
    // Enables or disables "Undo Meld" and "Undo All".
    virtual void SetUndoEnabled(bool /*enabled*/) {}
    // Modal message box.
    virtual void ShowMessage(MessageKind /*kind*/, std::string_view /*text*/) {}
    // Modal Yes/No question; true for Yes.
    virtual bool AskYesNo(std::string_view /*question*/) { return true; }
    // Who draws first (shown for 1500 ms when the Show Turns setting is on).
    virtual void ShowTurnNotice(std::string_view /*text*/) {}
    // "Hand Finished" with its "&Details >>" (the window shows the computer's
    // hand while the details are open, outside network games).
    virtual void ShowHandResult(const HandResult& /*result*/) {}
    // "Game Over"; returns the answer to "Do you want to play another game?".
    virtual bool ShowGameOver(const GameOverResult& /*result*/) { return true; }
    // Sound event by name ("Deal", "Start", "Take Huge Pile", ...).
    virtual void PlaySound(std::string_view /*eventName*/) {}
    // Animates one card from one place to another; flash marks a card the
    // player drew or took (drawn inverted for a moment at its destination).
    virtual void MoveCard(const Card& /*card*/, int /*fromX*/, int /*fromY*/, int /*toX*/,
                          int /*toY*/, bool /*flash*/) {}
    // Repaints one area of the table at once.
    virtual void RepaintRect(int /*x*/, int /*y*/, int /*width*/, int /*height*/) {}
    // Repaints the whole table.
    virtual void RepaintTable() {}
    // Waits while the window stays responsive (nothing in the simulators).
    virtual void Delay(int /*milliseconds*/) {}
    // The pause after each card the opponent melds (the window's Delay setting).
    virtual void OpponentMeldPause() {}
    // Hourglass pointer on or off.
    virtual void SetWaitCursor(bool /*on*/) {}
    // The Initial Block setting as stored now (read again at every deal).
    virtual bool InitialBlockSetting(bool current) { return current; }
    // A hand's difference (player minus opponent), offered to the hand high scores.
    virtual void RecordHandResult(int /*difference*/) {}
    // A game's result: match high scores, win or loss count of the current
    // player, storing the player list.
    virtual void RecordGameResult(GameOutcome /*outcome*/, int /*difference*/) {}
    // The player declined another game, or a fatal error happened: delete the
    // autosave file, switch saving on exit off and close the program.
    virtual void EndProgram() {}
};

} // namespace varenta

#pragma once

#include <string_view>

#include "varenta/engine/Card.h"

namespace varenta {

// The player's moves that a network opponent must see, one call per session
// message. The card arguments of DrawNew, DrawPileTop and the like do not
// travel (those messages are empty); they are there for traces.
class MoveReporter {
public:
    virtual ~MoveReporter() = default;

    // "DEAL": '0' + playerDrawsFirst, then per card in build order its stock
    // slot + 1 as one byte (109 bytes).
    virtual void Deal(std::string_view /*dealString*/) {}
    virtual void DrawNew(const Card& /*card*/) {}              // "DRAWNEW"
    virtual void DrawPileTop(const Card& /*card*/) {}          // "DRAWPILETOP"
    virtual void DrawPileRest() {}                             // "DRAWPILEREST"
    virtual void UndoPile() {}                                 // "UNDOPILE"
    virtual void Meld(int /*code*/) {}                         // "MELD" code
    virtual void MeldWildCard(int /*code*/, int /*column*/) {} // "MELDWILDCARD" code, column
    virtual void Undo(int /*column*/, int /*code*/) {}         // "UNDO" column, code
    virtual void Discard(int /*code*/) {}                      // "DISCARD" code
    virtual void DiscardRedThree(int /*code*/) {}              // "DISCARDREDTHREE" code
    virtual void PassDiscard() {}                              // "PASSDISCARD"
    virtual void Rules(std::string_view /*rulesText*/) {}      // "RULES" rules text
    // The hand was just scored, before the next deal or the end of the game:
    // the moment at which both network tables must hold the same game.
    virtual void HandScored() {}
};

// What happens on the opponent's side and to the hand as a whole; read by the
// simulator's trace (and by anyone who wants to watch). Empty by default.
class TableObserver {
public:
    virtual ~TableObserver() = default;

    virtual void HandDealt(std::string_view /*dealString*/) {}
    virtual void OpponentDrew(const Card& /*card*/) {}
    virtual void OpponentTookPileTop(const Card& /*card*/) {}
    virtual void OpponentTookPileRest() {}
    virtual void OpponentMelded(const Card& /*card*/) {}
    virtual void OpponentMeldedWildCard(const Card& /*card*/, int /*column*/) {}
    virtual void OpponentDiscarded(const Card& /*card*/) {}
    virtual void OpponentDiscardedRedThree(const Card& /*card*/) {}
    virtual void OpponentPassed() {}
    virtual void Restocked() {}
    virtual void HandEnded(int /*wentOut*/, int /*playerHandScore*/, int /*opponentHandScore*/) {}
    virtual void GameOver(int /*playerScore*/, int /*opponentScore*/) {}
};

class VarentaEngine;

// The computer player. The engine calls ComputerTurn when the turn passes to
// the computer outside network games: after the player's discard, red-three
// discard or pass, and after a deal in which the computer draws first. The
// call never nests: a turn asked for while one runs starts after it returns.
class ComputerTurnHook {
public:
    virtual ~ComputerTurnHook() = default;
    virtual void ComputerTurn(VarentaEngine& engine) = 0;
    // A new game starts (Game | New, or Yes to another game): the computer
    // forgets what it remembered of the last one.
    virtual void GameStarted(VarentaEngine& /*engine*/) {}
};

} // namespace varenta

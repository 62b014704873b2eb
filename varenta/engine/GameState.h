#pragma once

#include <array>
#include <cstdint>

#include "varenta/engine/Card.h"
#include "varenta/engine/CardPile.h"
#include "varenta/engine/VarentaTally.h"

namespace varenta {

// One card the player melded this turn, with the column width in force when it
// was laid (so its column can be found again after a layout change).
struct UndoEntry {
    Card card;
    std::int32_t columnWidth = 0;
};

// The player's melds of this turn, newest last in storage (newest first when
// read as the list). Fixed size: there are only 108 cards.
struct UndoList {
    std::array<UndoEntry, kDeckSize> entries{};
    int count = 0;

    bool Empty() const { return count == 0; }
    void Clear() { count = 0; }
    void Push(const UndoEntry& e) {
        if (count < kDeckSize) {
            entries[static_cast<std::size_t>(count++)] = e;
        }
    }
    UndoEntry Pop() { return entries[static_cast<std::size_t>(--count)]; }
    // i = 0 is the newest entry.
    const UndoEntry& Newest(int i = 0) const {
        return entries[static_cast<std::size_t>(count - 1 - i)];
    }
};

// Whole state of a hand and of a game, seen from the local player ("player");
// the other side is the "opponent" (the computer or a remote human). One
// instance lives as long as the table; it is reset, not reallocated, per hand.
struct GameState {
    CardPile stock;
    CardPile discardPile;
    CardPile playerHand;
    CardPile opponentHand;
    CardPile playerMelds;
    CardPile opponentMelds;
    CardPile knownPlayerCards; // copies: cards the player took with the pile and still holds

    // Undo snapshot (SaveUndoPoint). During a remote opponent's pile take the
    // hand and meld snapshots hold the opponent's side instead.
    CardPile discardPileBackup;
    CardPile playerHandBackup;
    CardPile playerMeldsBackup;

    VarentaTally playerVarentas;
    VarentaTally opponentVarentas;
    VarentaTally playerVarentasBackup;

    std::int32_t playerScore = 0;
    std::int32_t opponentScore = 0;
    std::int32_t opponentMeldPoints = 0;
    std::int32_t playerMeldedBefore = 0;
    std::int32_t opponentMeldedBefore = 0;
    std::int32_t wentOut = 2; // 0 player, 1 opponent, 2 nobody
    bool pileFrozen = false;
    std::int32_t initialMeldMinimum = 50;
    bool playerDrawsFirst = true;
    bool opponentToMove = false;
    bool gameInProgress = false;

    // Turn flags of the player.
    bool hasDrawn = false;
    bool mayTakePile = true;
    std::int32_t stockDraws = 0;
    bool topCardPending = false;
    bool pileTopMustMeld = false;
    bool blackThreesAllowed = false;

    Card pileTopCard;
    std::uint8_t pileTopRank = 0;
    std::int32_t pileTopColumnBefore = 0;
    // The pending top card raised initialMeldMinimum (Top Card Counts off);
    // undoing the take lowers it again.
    bool pileTopRaisedMinimum = false;

    std::array<std::int32_t, kColumns> discardedRank{};

    UndoList undoList;

    // The opponent's cards are shown face up (Ctrl + F11) and the spacing of
    // its hand row that goes with it.
    bool opponentCardsShown = false;
    std::int32_t opponentHandSpacing = 10;

    // Times the discard pile was turned into a new stock this hand; a hand
    // ends after the third (see EndOfHandCheck).
    std::int32_t restocksThisHand = 0;

    // A remote opponent's meld points when it took the pile's top card, so
    // that undoing the take gives back exactly what the take changed.
    std::int32_t opponentMeldPointsBackup = 0;
    // A remote opponent took the pile's top card and the rest is still held back.
    bool opponentTopPending = false;
};

} // namespace varenta

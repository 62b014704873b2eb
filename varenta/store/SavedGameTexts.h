// Texts of saved games: the refusals, the file dialogs and the messages of a
// file that cannot be read or written. Tests compare against these.
#pragma once

#include <QtGlobal>

namespace varenta::texts {

inline constexpr char kSavedGameSignature[] = "VarentaSavedGame";
// Follows the file name in capitals.
inline constexpr char kNotSavedGame[] =
    QT_TRANSLATE_NOOP("varenta", " : this file is not a Varenta saved game");
inline constexpr char kSaveWhileTaking[] =
    QT_TRANSLATE_NOOP("varenta", "A game cannot be saved while taking the discard pile");
inline constexpr char kSaveMeldIncorrect[] =
    QT_TRANSLATE_NOOP("varenta", "This game cannot be saved now because your meld is incorrect");
// Closing with this turn's melds unfinished where they cannot be taken back
// (a network game): the game of an earlier session must not come back instead.
inline constexpr char kAutoSaveMeldIncorrect[] = QT_TRANSLATE_NOOP(
    "varenta", "The game was not kept for the next start because your meld is incorrect.");

// The other table would go on with the game that was replaced.
inline constexpr char kLoadInNetworkGame[] =
    QT_TRANSLATE_NOOP("varenta", "A saved game cannot be loaded while a network game is running");

inline constexpr char kSaveDialogCaption[] = QT_TRANSLATE_NOOP("varenta", "Save Varenta Game");
inline constexpr char kLoadDialogCaption[] = QT_TRANSLATE_NOOP("varenta", "Load Varenta Game");
inline constexpr char kSavedGameFilter[] =
    QT_TRANSLATE_NOOP("varenta", "Varenta Games (*.var);;All Files (*)");
inline constexpr char kSavedGameExtension[] = "var";
inline constexpr char kDefaultSaveName[] = "player.var";

// %1 file, %2 the input/output error
inline constexpr char kSavedGameUnreadable[] =
    QT_TRANSLATE_NOOP("varenta", "The saved game %1 could not be read: %2.");
// %1 file, %2 the first problem found
inline constexpr char kSavedGameDamaged[] =
    QT_TRANSLATE_NOOP("varenta", "The saved game %1 cannot be loaded: %2.");
// %1 file, %2 the input/output error
inline constexpr char kSavedGameNotWritten[] =
    QT_TRANSLATE_NOOP("varenta", "The game could not be saved to %1: %2.");
inline constexpr char kSavedGameTooLarge[] =
    QT_TRANSLATE_NOOP("varenta", "it is far larger than any saved game");

// A network game kept over a lost connection (a file of its own).
inline constexpr char kNetworkGameSignature[] = "VarentaNetworkGame 1";
// %1 file, %2 the first problem found
inline constexpr char kNetworkGameDamaged[] =
    QT_TRANSLATE_NOOP("varenta", "The kept network game %1 cannot be resumed: %2.");
inline constexpr char kNoNetworkGame[] =
    QT_TRANSLATE_NOOP("varenta", "it is not a kept network game");
inline constexpr char kNetworkGameCut[] = QT_TRANSLATE_NOOP("varenta", "it is not whole");
inline constexpr char kNetworkGameTurn[] =
    QT_TRANSLATE_NOOP("varenta", "the turn's record is damaged");
inline constexpr char kNetworkGameLine[] =
    QT_TRANSLATE_NOOP("varenta", "the connection's record is damaged");

} // namespace varenta::texts

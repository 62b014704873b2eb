#pragma once

#include <string_view>

#include "varenta/engine/Hint.h"

// Marks a text for the translation tools (an alias of the one the window's
// toolkit knows, so the engine stays free of it): the context names the
// program's one text table, and the window translates the text where it shows
// it.
#define VARENTA_TEXT(context, text) text

// Every text the engine shows, asks or names, in one table.
namespace varenta::texts {

// Status hints by HintIndex(Hint). The keyboard modes' texts belong to the
// table window; they are empty here.
inline constexpr std::string_view kHints[kHintCount] = {
    VARENTA_TEXT("varenta", "Draw a card by clicking on the stock or the discard pile"),
    VARENTA_TEXT("varenta", "Meld a card by clicking it, discard a card by right-clicking it"),
    VARENTA_TEXT("varenta", "Meld by clicking a card, discard by right-clicking it twice"),
    VARENTA_TEXT("varenta", "Meld by clicking left, undo taking discard pile by clicking it"),
    VARENTA_TEXT("varenta", "Draw a second card from the stock"),
    "",
    "",
    "",
    VARENTA_TEXT("varenta", "It's the turn of your opponent now."),
};

// Error texts by index (red, with a beep). Index 0 means "no error"; error 4
// is followed by the validation reason. Error 8 refuses a meld that would leave
// the player with an empty hand but too few Varentas.
inline constexpr std::string_view kErrors[9] = {
    "",
    VARENTA_TEXT(
        "varenta",
        "You cannot meld before drawing; please draw first by clicking on the stock or the discard "
        "pile"),
    VARENTA_TEXT(
        "varenta",
        "You cannot discard before drawing; please draw first by clicking on the stock or the "
        "discard pile"),
    VARENTA_TEXT("varenta", "You have already drawn"),
    VARENTA_TEXT("varenta", "Discarding is not possible now: "),
    VARENTA_TEXT(
        "varenta",
        "Taking the discard pile is not possible now because you cannot meld the top card"),
    VARENTA_TEXT("varenta", "Black Threes can only be melded as the last cards when going out"),
    VARENTA_TEXT("varenta", "You need at least seven wildcards to create a wildcard Varenta"),
    VARENTA_TEXT("varenta", "You need more Varentas to go out"),
};
inline constexpr int kErrorMeldBeforeDraw = 1;
inline constexpr int kErrorDiscardBeforeDraw = 2;
inline constexpr int kErrorAlreadyDrawn = 3;
inline constexpr int kErrorDiscardNotPossible = 4;
inline constexpr int kErrorCannotTakePile = 5;
inline constexpr int kErrorBlackThrees = 6;
inline constexpr int kErrorSevenWildcards = 7;
inline constexpr int kErrorNeedVarentas = 8;

// Validation reasons (follow "Discarding is not possible now: ").
inline constexpr std::string_view kReasonColumnTooShort =
    VARENTA_TEXT("varenta", "every column on the table must contain at least three cards");
inline constexpr std::string_view kReasonFirstMeldPrefix =
    VARENTA_TEXT("varenta", "your first meld must be at least ");
inline constexpr std::string_view kReasonFirstMeldMiddle =
    VARENTA_TEXT("varenta", " points (currently ");
inline constexpr std::string_view kReasonFirstMeldSuffix = VARENTA_TEXT("varenta", " points)");
inline constexpr std::string_view kReasonTooManyWildcards =
    VARENTA_TEXT("varenta", "there are too many wildcards within one column");
inline constexpr std::string_view kReasonBlackThrees =
    VARENTA_TEXT("varenta", "the Black Threes have not been melded correctly");
inline constexpr std::string_view kReasonWildcardsAsVarenta =
    VARENTA_TEXT("varenta", "wildcards must be melded as a varenta");
inline constexpr std::string_view kReasonTopCard =
    VARENTA_TEXT("varenta", "you have not melded the top card correctly");
inline constexpr std::string_view kReasonNeedVarentas =
    VARENTA_TEXT("varenta", "you need more Varentas to go out");

// Hints of the Rules menu item.
inline constexpr std::string_view kRulesHintAtDeal =
    VARENTA_TEXT("varenta", "|Adjust the rules of Varenta to your local variant");
inline constexpr std::string_view kRulesHintLocked =
    VARENTA_TEXT("varenta", " Changing the rules is only possible when starting a new game");

// Turn notice at the deal.
inline constexpr std::string_view kTurnNoticePlayer =
    VARENTA_TEXT("varenta", "It's your turn to draw first.");
inline constexpr std::string_view kTurnNoticeComputer =
    VARENTA_TEXT("varenta", "It's the computer's turn to draw first.");
inline constexpr std::string_view kTurnNoticeRemotePrefix = VARENTA_TEXT("varenta", "It's ");
inline constexpr std::string_view kTurnNoticeRemoteSuffix =
    VARENTA_TEXT("varenta", "'s turn to draw first.");

// Message boxes.
inline constexpr std::string_view kMustPass = VARENTA_TEXT(
    "varenta",
    "You only have one card left, and not enough Varentas to go out.\r You have to pass the "
    "discard.");
inline constexpr std::string_view kRemotePassesSuffix =
    VARENTA_TEXT("varenta", " passes the discard.");
inline constexpr std::string_view kComputerPasses =
    VARENTA_TEXT("varenta", "The computer passes the discard.");
inline constexpr std::string_view kMeldErrorWildcardNotFound =
    VARENTA_TEXT("varenta", "Meld error: Wildcard not found.");
inline constexpr std::string_view kNoCardLeftToDiscard =
    VARENTA_TEXT("varenta", "No card left to discard.");
inline constexpr std::string_view kUndoPileFailed = VARENTA_TEXT(
    "varenta",
    "An error occurred while undoing taking the discard pile. A new hand will be dealt.");
inline constexpr std::string_view kNoCheating =
    VARENTA_TEXT("varenta", "Sorry, no cheating allowed...");
inline constexpr std::string_view kErrorRemovingOpponentCard =
    VARENTA_TEXT("varenta", "Error removing card from computer's hand");

// Sound events.
inline constexpr std::string_view kSoundDeal = VARENTA_TEXT("varenta", "Deal");
inline constexpr std::string_view kSoundStart = VARENTA_TEXT("varenta", "Start");
inline constexpr std::string_view kSoundMixedVarenta = VARENTA_TEXT("varenta", "Mixed Varenta");
inline constexpr std::string_view kSoundNaturalVarenta = VARENTA_TEXT("varenta", "Natural Varenta");
inline constexpr std::string_view kSoundTakeHugePile = VARENTA_TEXT("varenta", "Take Huge Pile");
inline constexpr std::string_view kSoundWinHand = VARENTA_TEXT("varenta", "Win Hand");
inline constexpr std::string_view kSoundLoseHand = VARENTA_TEXT("varenta", "Lose Hand");
inline constexpr std::string_view kSoundWinMatch = VARENTA_TEXT("varenta", "Win Match");
inline constexpr std::string_view kSoundLoseMatch = VARENTA_TEXT("varenta", "Lose Match");

// Result dialogs.
inline constexpr std::string_view kHandResultCaption = VARENTA_TEXT("varenta", "Hand Finished");
inline constexpr std::string_view kHandResultTitle = VARENTA_TEXT("varenta", "Scoring Results");
inline constexpr std::string_view kDetailsButton = VARENTA_TEXT("varenta", "&Details >>");
inline constexpr std::string_view kDetailsCaption =
    VARENTA_TEXT("varenta", "Detailed Scoring Results");
inline constexpr std::string_view kYourScore = VARENTA_TEXT("varenta", "Your Score:");
inline constexpr std::string_view kComputersScore = VARENTA_TEXT("varenta", "Computer's Score:");
inline constexpr std::string_view kRemoteScoreSuffix = VARENTA_TEXT("varenta", "'s Score:");
inline constexpr std::string_view kDifference = VARENTA_TEXT("varenta", "Difference:");
inline constexpr std::string_view kLineCardsOnTable = VARENTA_TEXT("varenta", "Cards on the Table");
inline constexpr std::string_view kLineCardsInHand = VARENTA_TEXT("varenta", "Cards in Hand");
inline constexpr std::string_view kLineVarentas = VARENTA_TEXT("varenta", "Varentas");
inline constexpr std::string_view kLineRedThrees = VARENTA_TEXT("varenta", "Red Threes");
inline constexpr std::string_view kLineFinishBonus = VARENTA_TEXT("varenta", "Finish Bonus");
inline constexpr std::string_view kLineTotal = VARENTA_TEXT("varenta", "TOTAL");
inline constexpr std::string_view kDefaultPlayerName = VARENTA_TEXT("varenta", "Player");
inline constexpr std::string_view kComputerName = VARENTA_TEXT("varenta", "Computer");

// Game over.
inline constexpr std::string_view kGameOverCaption = VARENTA_TEXT("varenta", "Game Over");
inline constexpr std::string_view kOpponentTheComputer = VARENTA_TEXT("varenta", "the computer");
inline constexpr std::string_view kGameOverScoreSuffix = VARENTA_TEXT("varenta", "'s score:");
inline constexpr std::string_view kAnotherGame =
    VARENTA_TEXT("varenta", "Do you want to play another game?");
inline constexpr std::string_view kCongratulations = VARENTA_TEXT("varenta", "Congratulations ");
inline constexpr std::string_view kYouCrushed = VARENTA_TEXT("varenta", "You crushed ");
inline constexpr std::string_view kYouDefeated = VARENTA_TEXT("varenta", "You defeated ");
inline constexpr std::string_view kYouBeat = VARENTA_TEXT("varenta", "You beat ");
inline constexpr std::string_view kWonClose =
    VARENTA_TEXT("varenta", "You won, but it was pretty close!");
inline constexpr std::string_view kYouWon = VARENTA_TEXT("varenta", "You won.");
inline constexpr std::string_view kDraw = VARENTA_TEXT("varenta", "It's a draw!");
inline constexpr std::string_view kTooBad = VARENTA_TEXT("varenta", "Too bad, ");
inline constexpr std::string_view kCrushedYou = VARENTA_TEXT("varenta", " crushed you.");
inline constexpr std::string_view kDefeatedYou = VARENTA_TEXT("varenta", " defeated you.");
inline constexpr std::string_view kBeatYou = VARENTA_TEXT("varenta", " beat you.");
inline constexpr std::string_view kLostClose =
    VARENTA_TEXT("varenta", "you lost but it was pretty close.");
inline constexpr std::string_view kYouLost = VARENTA_TEXT("varenta", "you lost.");

} // namespace varenta::texts

#pragma once

#include <string_view>

#include "varenta/engine/Hint.h"

// Every text the engine shows, asks or names, in one table.
namespace varenta::texts {

// Status hints by HintIndex(Hint). The keyboard modes' texts belong to the
// table window; they are empty here.
inline constexpr std::string_view kHints[kHintCount] = {
    "Draw a card by clicking on the stock or the discard pile",
    "Meld a card by clicking it, discard a card by right-clicking it",
    "Meld by clicking a card, discard by right-clicking it twice",
    "Meld by clicking left, undo taking discard pile by clicking it",
    "Draw a second card from the stock",
    "",
    "",
    "",
    "It's the turn of your opponent now.",
};

// Error texts by index (red, with a beep). Index 0 means "no error"; error 4
// is followed by the validation reason. Error 8 refuses a meld that would leave
// the player with an empty hand but too few Varentas.
inline constexpr std::string_view kErrors[9] = {
    "",
    "You cannot meld before drawing; please draw first by clicking on the stock or the discard "
    "pile",
    "You cannot discard before drawing; please draw first by clicking on the stock or the "
    "discard pile",
    "You have already drawn",
    "Discarding is not possible now: ",
    "Taking the discard pile is not possible now because you cannot meld the top card",
    "Black Threes can only be melded as the last cards when going out",
    "You need at least seven wildcards to create a wildcard Varenta",
    "You need more Varentas to go out",
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
    "every column on the table must contain at least three cards";
inline constexpr std::string_view kReasonFirstMeldPrefix = "your first meld must be at least ";
inline constexpr std::string_view kReasonFirstMeldMiddle = " points (currently ";
inline constexpr std::string_view kReasonFirstMeldSuffix = " points)";
inline constexpr std::string_view kReasonTooManyWildcards =
    "there are too many wildcards within one column";
inline constexpr std::string_view kReasonBlackThrees =
    "the Black Threes have not been melded correctly";
inline constexpr std::string_view kReasonWildcardsAsVarenta =
    "wildcards must be melded as a varenta";
inline constexpr std::string_view kReasonTopCard = "you have not melded the top card correctly";
inline constexpr std::string_view kReasonNeedVarentas = "you need more Varentas to go out";

// Hints of the Rules menu item.
inline constexpr std::string_view kRulesHintAtDeal =
    "|Adjust the rules of Varenta to your local variant";
inline constexpr std::string_view kRulesHintLocked =
    " Changing the rules is only possible when starting a new game";

// Turn notice at the deal.
inline constexpr std::string_view kTurnNoticePlayer = "It's your turn to draw first.";
inline constexpr std::string_view kTurnNoticeComputer = "It's the computer's turn to draw first.";
inline constexpr std::string_view kTurnNoticeRemotePrefix = "It's ";
inline constexpr std::string_view kTurnNoticeRemoteSuffix = "'s turn to draw first.";

// Message boxes.
inline constexpr std::string_view kMustPass =
    "You only have one card left, and not enough Varentas to go out.\r You have to pass the "
    "discard.";
inline constexpr std::string_view kRemotePassesSuffix = " passes the discard.";
inline constexpr std::string_view kComputerPasses = "The computer passes the discard.";
inline constexpr std::string_view kMeldErrorWildcardNotFound = "Meld error: Wildcard not found.";
inline constexpr std::string_view kNoCardLeftToDiscard = "No card left to discard.";
inline constexpr std::string_view kUndoPileFailed =
    "An error occurred while undoing taking the discard pile. A new hand will be dealt.";
inline constexpr std::string_view kNoCheating = "Sorry, no cheating allowed...";
inline constexpr std::string_view kErrorRemovingOpponentCard =
    "Error removing card from computer's hand";

// Sound events.
inline constexpr std::string_view kSoundDeal = "Deal";
inline constexpr std::string_view kSoundStart = "Start";
inline constexpr std::string_view kSoundMixedVarenta = "Mixed Varenta";
inline constexpr std::string_view kSoundNaturalVarenta = "Natural Varenta";
inline constexpr std::string_view kSoundTakeHugePile = "Take Huge Pile";
inline constexpr std::string_view kSoundWinHand = "Win Hand";
inline constexpr std::string_view kSoundLoseHand = "Lose Hand";
inline constexpr std::string_view kSoundWinMatch = "Win Match";
inline constexpr std::string_view kSoundLoseMatch = "Lose Match";

// Result dialogs.
inline constexpr std::string_view kHandResultCaption = "Hand Finished";
inline constexpr std::string_view kHandResultTitle = "Scoring Results";
inline constexpr std::string_view kDetailsButton = "&Details >>";
inline constexpr std::string_view kDetailsCaption = "Detailed Scoring Results";
inline constexpr std::string_view kYourScore = "Your Score:";
inline constexpr std::string_view kComputersScore = "Computer's Score:";
inline constexpr std::string_view kRemoteScoreSuffix = "'s Score:";
inline constexpr std::string_view kDifference = "Difference:";
inline constexpr std::string_view kLineCardsOnTable = "Cards on the Table";
inline constexpr std::string_view kLineCardsInHand = "Cards in Hand";
inline constexpr std::string_view kLineVarentas = "Varentas";
inline constexpr std::string_view kLineRedThrees = "Red Threes";
inline constexpr std::string_view kLineFinishBonus = "Finish Bonus";
inline constexpr std::string_view kLineTotal = "TOTAL";
inline constexpr std::string_view kDefaultPlayerName = "Player";
inline constexpr std::string_view kComputerName = "Computer";

// Game over.
inline constexpr std::string_view kGameOverCaption = "Game Over";
inline constexpr std::string_view kOpponentTheComputer = "the computer";
inline constexpr std::string_view kGameOverScoreSuffix = "'s score:";
inline constexpr std::string_view kAnotherGame = "Do you want to play another game?";
inline constexpr std::string_view kCongratulations = "Congratulations ";
inline constexpr std::string_view kYouCrushed = "You crushed ";
inline constexpr std::string_view kYouDefeated = "You defeated ";
inline constexpr std::string_view kYouBeat = "You beat ";
inline constexpr std::string_view kWonClose = "You won, but it was pretty close!";
inline constexpr std::string_view kYouWon = "You won.";
inline constexpr std::string_view kDraw = "It's a draw!";
inline constexpr std::string_view kTooBad = "Too bad, ";
inline constexpr std::string_view kCrushedYou = " crushed you.";
inline constexpr std::string_view kDefeatedYou = " defeated you.";
inline constexpr std::string_view kBeatYou = " beat you.";
inline constexpr std::string_view kLostClose = "you lost but it was pretty close.";
inline constexpr std::string_view kYouLost = "you lost.";

} // namespace varenta::texts

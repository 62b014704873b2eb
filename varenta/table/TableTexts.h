// Every fixed text of the table window that the engine's text table
// (varenta/engine/Texts.h, same namespace) does not already hold: caption,
// menus and their status hints, panel tooltips, keyboard-mode hints, labels.
// Tests compare against these tables, so a wording changes in one place only.
// Each shown text is marked for the translation tools and translated where it
// is shown (Tr); the caption and the file extensions stay as they are.
#pragma once

#include <QtGlobal>

namespace varenta::texts {

inline constexpr const char* kCaption = "Varenta 4.0";

// Menus (caption, status hint). A leading "|" in a hint is part of the
// stored text and is not shown.
inline constexpr const char* kMenuGame = QT_TRANSLATE_NOOP("varenta", "&Game");
inline constexpr const char* kMenuNew = QT_TRANSLATE_NOOP("varenta", "&New");
inline constexpr const char* kHintNew = QT_TRANSLATE_NOOP("varenta", "|Start a new Varenta game");
inline constexpr const char* kMenuLoad = QT_TRANSLATE_NOOP("varenta", "&Load...");
inline constexpr const char* kHintLoad =
    QT_TRANSLATE_NOOP("varenta", "Load a saved Varenta game from disk");
inline constexpr const char* kMenuSave = QT_TRANSLATE_NOOP("varenta", "&Save...");
inline constexpr const char* kHintSave =
    QT_TRANSLATE_NOOP("varenta", "|Save the current Varenta game to disk");
inline constexpr const char* kMenuUndoMeld = QT_TRANSLATE_NOOP("varenta", "&Undo Meld");
inline constexpr const char* kHintUndoMeld =
    QT_TRANSLATE_NOOP("varenta", "|Undo the last meld, if any");
inline constexpr const char* kMenuUndoAll = QT_TRANSLATE_NOOP("varenta", "Undo &All");
inline constexpr const char* kHintUndoAll = QT_TRANSLATE_NOOP(
    "varenta", "|Undo all melds since your last discard or taking of the discard pile, if any");
inline constexpr const char* kMenuHiscores = QT_TRANSLATE_NOOP("varenta", "&Hiscores...");
inline constexpr const char* kHintHiscores =
    QT_TRANSLATE_NOOP("varenta", "|Show the Top Ten highscores");
inline constexpr const char* kMenuWinRatio = QT_TRANSLATE_NOOP("varenta", "&Win Ratio...");
inline constexpr const char* kHintWinRatio =
    QT_TRANSLATE_NOOP("varenta", "|Show the player's win/loss ratio ");
inline constexpr const char* kMenuExit = QT_TRANSLATE_NOOP("varenta", "E&xit");
inline constexpr const char* kHintExit = QT_TRANSLATE_NOOP("varenta", "|Exit Varenta");
inline constexpr const char* kMenuOptions = QT_TRANSLATE_NOOP("varenta", "&Options");
inline constexpr const char* kMenuCustomize = QT_TRANSLATE_NOOP("varenta", "&Customize...");
inline constexpr const char* kHintCustomize = QT_TRANSLATE_NOOP(
    "varenta", "|Create players, set the computer level and change the window size and color");
inline constexpr const char* kMenuDecks = QT_TRANSLATE_NOOP("varenta", "&Decks...");
inline constexpr const char* kHintDecks =
    QT_TRANSLATE_NOOP("varenta", "|Select a color or image for the backside of the cards");
inline constexpr const char* kMenuSound = QT_TRANSLATE_NOOP("varenta", "&Sound...");
inline constexpr const char* kHintSound = QT_TRANSLATE_NOOP(
    "varenta", "|Enable or disable sound and music, and select sound effects and melodies");
inline constexpr const char* kMenuRules = QT_TRANSLATE_NOOP("varenta", "&Rules...");
// The Rules hint until the first deal; the engine changes it at each deal and draw.
inline constexpr const char* kHintRules =
    QT_TRANSLATE_NOOP("varenta", "|Adjust the rules of Varenta to your local variant (only "
                                 "possible when starting a new game)");
inline constexpr const char* kMenuFullScreen = QT_TRANSLATE_NOOP("varenta", "&Full Screen");
inline constexpr const char* kHintFullScreen = QT_TRANSLATE_NOOP(
    "varenta", "|Show the table on the whole screen, or back in its window (F11)");
inline constexpr const char* kMenuHelp = QT_TRANSLATE_NOOP("varenta", "&Help");
inline constexpr const char* kMenuHelpTopics = QT_TRANSLATE_NOOP("varenta", "&Help Topics");
inline constexpr const char* kMenuAbout = QT_TRANSLATE_NOOP("varenta", "&About...");

// Status bar panels.
inline constexpr const char* kTipPlayerMeld = QT_TRANSLATE_NOOP("varenta", "Your Current Meld");
inline constexpr const char* kTipMinimumPrefix = QT_TRANSLATE_NOOP("varenta", "(Minimum is ");
inline constexpr const char* kTipMinimumSuffix = QT_TRANSLATE_NOOP("varenta", ")");
inline constexpr const char* kTipOpponentMeld =
    QT_TRANSLATE_NOOP("varenta", "Computer's Current Meld");
inline constexpr const char* kTipPlayerScore = QT_TRANSLATE_NOOP("varenta", "Your Current Score");
inline constexpr const char* kTipOpponentScore =
    QT_TRANSLATE_NOOP("varenta", "Computer's Current Score");

// Status hints of the keyboard modes (the engine's hint table has no texts
// for indices 5, 6 and 7).
inline constexpr const char* kHintMeldMode =
    QT_TRANSLATE_NOOP("varenta", "Meld mode: press 2-9, 0 (ten), J, Q, K, A, or W for wild");
inline constexpr const char* kHintDiscardMode =
    QT_TRANSLATE_NOOP("varenta", "Discard mode: press 2-9, 0 (ten), J, Q, K, A, or W for wild");
inline constexpr const char* kHintWildMode = QT_TRANSLATE_NOOP(
    "varenta", "Wild card mode: press 4-9, 0 (ten), J, Q, K, A to add a wild card");

// Result dialogs (the engine's text table holds the rest of their wording).
inline constexpr const char* kColumnNumber = QT_TRANSLATE_NOOP("varenta", "Number");
inline constexpr const char* kColumnValue = QT_TRANSLATE_NOOP("varenta", "Value");
inline constexpr const char* kOk = QT_TRANSLATE_NOOP("varenta", "OK");
inline constexpr const char* kYes = QT_TRANSLATE_NOOP("varenta", "&Yes");
inline constexpr const char* kNo = QT_TRANSLATE_NOOP("varenta", "&No");

// Varenta labels on the table.
inline constexpr const char* kLabelMixed = QT_TRANSLATE_NOOP("varenta", "Mixed");
inline constexpr const char* kLabelNatural = QT_TRANSLATE_NOOP("varenta", "Natural");
inline constexpr const char* kLabelWild = QT_TRANSLATE_NOOP("varenta", "Wild");
inline constexpr const char* kLabelCard = QT_TRANSLATE_NOOP("varenta", "card");

// Hall of Fame, and the name box of a new high score.
inline constexpr const char* kHallOfFameCaption =
    QT_TRANSLATE_NOOP("varenta", "Varenta Hall of Fame");
inline constexpr const char* kGroupLevel = QT_TRANSLATE_NOOP("varenta", "&Level");
inline constexpr const char* kLevelBeginner = QT_TRANSLATE_NOOP("varenta", "&Beginner");
inline constexpr const char* kLevelAdvanced = QT_TRANSLATE_NOOP("varenta", "&Advanced");
inline constexpr const char* kLevelExpert = QT_TRANSLATE_NOOP("varenta", "&Expert");
inline constexpr const char* kGroupScoreType = QT_TRANSLATE_NOOP("varenta", "&Type of Highscore");
inline constexpr const char* kTypeHand = QT_TRANSLATE_NOOP("varenta", "&Hand");
inline constexpr const char* kTypeMatch = QT_TRANSLATE_NOOP("varenta", "&Match");
inline constexpr const char* kHeadingRanking = QT_TRANSLATE_NOOP("varenta", "Ranking");
inline constexpr const char* kHeadingPlayer = QT_TRANSLATE_NOOP("varenta", "Player");
inline constexpr const char* kHeadingDate = QT_TRANSLATE_NOOP("varenta", "Date");
inline constexpr const char* kHeadingScore = QT_TRANSLATE_NOOP("varenta", "Score");
inline constexpr const char* kClear = QT_TRANSLATE_NOOP("varenta", "&Clear");
// + level name + kClearQuestionEnd
inline constexpr const char* kClearQuestion =
    QT_TRANSLATE_NOOP("varenta", "Are you sure you want to clear all highscores for the ");
inline constexpr const char* kClearQuestionEnd = QT_TRANSLATE_NOOP("varenta", " level?");
inline constexpr const char* kHandScoreTitle =
    QT_TRANSLATE_NOOP("varenta", "Hand Score in Highscore List");
inline constexpr const char* kMatchScoreTitle =
    QT_TRANSLATE_NOOP("varenta", "Match Score in Highscore List");
inline constexpr const char* kEnterYourName = QT_TRANSLATE_NOOP("varenta", "Enter your name:");
inline constexpr const char* kSoundHighscore = QT_TRANSLATE_NOOP("varenta", "Highscore");

// Win Ratio.
inline constexpr const char* kWinRatioCaption = QT_TRANSLATE_NOOP("varenta", "Win Ratio");
inline constexpr const char* kNoPlayers = QT_TRANSLATE_NOOP(
    "varenta", "There are no players defined to show statistics for. To create players, select "
               "Options|Customize...|Player and press 'New...'");
inline constexpr const char* kWinRatioPlayer = QT_TRANSLATE_NOOP("varenta", "&Player:");
inline constexpr const char* kWinRatioWins = QT_TRANSLATE_NOOP("varenta", "Games won:");
inline constexpr const char* kWinRatioLosses = QT_TRANSLATE_NOOP("varenta", "Games lost:");
inline constexpr const char* kWinRatioRatio = QT_TRANSLATE_NOOP("varenta", "Win ratio (%):");
inline constexpr const char* kReset = QT_TRANSLATE_NOOP("varenta", "&Reset");
// + name + "?", also asked by the Customize dialog's "Reset &Stats"
inline constexpr const char* kResetQuestion =
    QT_TRANSLATE_NOOP("varenta", "Do you want to reset the win ratio statistics for player ");

// Customize Varenta.
inline constexpr const char* kCustomizeCaption = QT_TRANSLATE_NOOP("varenta", "Customize Varenta");
inline constexpr const char* kTabScreen = QT_TRANSLATE_NOOP("varenta", "Screen");
inline constexpr const char* kTabPlayers = QT_TRANSLATE_NOOP("varenta", "Players");
inline constexpr const char* kTabLevel = QT_TRANSLATE_NOOP("varenta", "Level");
inline constexpr const char* kTabOptions = QT_TRANSLATE_NOOP("varenta", "General");
inline constexpr const char* kGroupBackground = QT_TRANSLATE_NOOP("varenta", "Background Color");
inline constexpr const char* kChangeColor = QT_TRANSLATE_NOOP("varenta", "&Change...");
inline constexpr const char* kGroupWindowSize = QT_TRANSLATE_NOOP("varenta", "Window Size");
inline constexpr const char* kSize640 = QT_TRANSLATE_NOOP("varenta", "&640 x 480");
inline constexpr const char* kSize800 = QT_TRANSLATE_NOOP("varenta", "&800 x 600");
inline constexpr const char* kSize1024 = QT_TRANSLATE_NOOP("varenta", "&1024 x 768");
inline constexpr const char* kSize1280 = QT_TRANSLATE_NOOP("varenta", "1&280 x 1024");
inline constexpr const char* kShowStatusbar = QT_TRANSLATE_NOOP("varenta", "&Show statusbar");
inline constexpr const char* kShowWhoseTurn =
    QT_TRANSLATE_NOOP("varenta", "Show my turn/your turn &messages");
inline constexpr const char* kShowHighscores = QT_TRANSLATE_NOOP("varenta", "Show &highscores");
inline constexpr const char* kGroupPlayers = QT_TRANSLATE_NOOP("varenta", "Players");
inline constexpr const char* kCurrentPlayer = QT_TRANSLATE_NOOP("varenta", "Current Player");
inline constexpr const char* kNewPlayer = QT_TRANSLATE_NOOP("varenta", "&New...");
inline constexpr const char* kRenamePlayer = QT_TRANSLATE_NOOP("varenta", "&Rename...");
inline constexpr const char* kDeletePlayer = QT_TRANSLATE_NOOP("varenta", "&Delete");
inline constexpr const char* kSetCurrentPlayer =
    QT_TRANSLATE_NOOP("varenta", "Set as &Current Player");
inline constexpr const char* kResetStats = QT_TRANSLATE_NOOP("varenta", "Reset &Stats");
inline constexpr const char* kNewPlayerTitle = QT_TRANSLATE_NOOP("varenta", "New Player");
inline constexpr const char* kNewPlayerPrompt =
    QT_TRANSLATE_NOOP("varenta", "Enter the name of the new player:");
inline constexpr const char* kRenamePlayerTitle = QT_TRANSLATE_NOOP("varenta", "Rename Player");
inline constexpr const char* kRenamePlayerPrompt =
    QT_TRANSLATE_NOOP("varenta", "Enter the new name of the player:");
// + name + "?"
inline constexpr const char* kDeletePlayerQuestion =
    QT_TRANSLATE_NOOP("varenta", "Do you want to delete the player ");
inline constexpr const char* kComputerLevel = QT_TRANSLATE_NOOP("varenta", "Computer &Level");
inline constexpr const char* kAggression = QT_TRANSLATE_NOOP("varenta", "Expert's &aggression:");
inline constexpr const char* kLevelLocked = QT_TRANSLATE_NOOP(
    "varenta",
    "The level cannot be changed now, because a game is in progress. Press OK and then F2 to "
    "start a new game. The current game will be aborted.");
inline constexpr const char* kDiscarding = QT_TRANSLATE_NOOP("varenta", "D&iscarding");
inline constexpr const char* kOneRightClick = QT_TRANSLATE_NOOP("varenta", "&One Right Click");
inline constexpr const char* kTwoRightClicks = QT_TRANSLATE_NOOP("varenta", "&Two Right Clicks");
inline constexpr const char* kComputerMelding = QT_TRANSLATE_NOOP("varenta", "Computer &Melding");
inline constexpr const char* kNoAnimation = QT_TRANSLATE_NOOP("varenta", "&No Animation");
inline constexpr const char* kCardAnimation = QT_TRANSLATE_NOOP("varenta", "&Card Animation");
inline constexpr const char* kSlow = QT_TRANSLATE_NOOP("varenta", "Slow");
inline constexpr const char* kFast = QT_TRANSLATE_NOOP("varenta", "Fast");
inline constexpr const char* kSaveExit =
    QT_TRANSLATE_NOOP("varenta", "&AutoSave on Exit and AutoLoad on Start");
inline constexpr const char* kCancel = QT_TRANSLATE_NOOP("varenta", "Cancel");
inline constexpr const char* kApply = QT_TRANSLATE_NOOP("varenta", "&Apply");

// Select Card Back and Select Card Back Pattern.
inline constexpr const char* kCardBackCaption = QT_TRANSLATE_NOOP("varenta", "Select Card Back");
inline constexpr const char* kGroupSelectDeck = QT_TRANSLATE_NOOP("varenta", "Select Deck");
inline constexpr const char* kDeckOne = QT_TRANSLATE_NOOP("varenta", "Deck One");
inline constexpr const char* kDeckTwo = QT_TRANSLATE_NOOP("varenta", "Deck Two");
inline constexpr const char* kGroupCardbackType = QT_TRANSLATE_NOOP("varenta", "Cardback Type");
inline constexpr const char* kSolidColor = QT_TRANSLATE_NOOP("varenta", "&Solid Color");
inline constexpr const char* kStandardPattern = QT_TRANSLATE_NOOP("varenta", "S&tandard Pattern");
inline constexpr const char* kCustomPattern = QT_TRANSLATE_NOOP("varenta", "C&ustom Pattern");
inline constexpr const char* kCurrentCardback = QT_TRANSLATE_NOOP("varenta", "Current Cardback");
inline constexpr const char* kPatternCaption =
    QT_TRANSLATE_NOOP("varenta", "Select Card Back Pattern");
inline constexpr const char* kSelectBitmap = QT_TRANSLATE_NOOP("varenta", "Select Bitmap");
inline constexpr const char* kBitmapFilter =
    QT_TRANSLATE_NOOP("varenta", "Bitmaps (*.bmp);;All Files (*)");
inline constexpr const char* kBitmapExtension = "bmp";
// + file name + kPictureUnreadableEnd
inline constexpr const char* kPictureUnreadable =
    QT_TRANSLATE_NOOP("varenta", "The picture file \"");
inline constexpr const char* kPictureUnreadableEnd = QT_TRANSLATE_NOOP(
    "varenta", "\" cannot be read as a picture. The deck keeps its plain colored back instead.");

// Varenta Sound.
inline constexpr const char* kSoundCaption = QT_TRANSLATE_NOOP("varenta", "Varenta Sound");
inline constexpr const char* kSoundTab = QT_TRANSLATE_NOOP("varenta", "Sound");
inline constexpr const char* kMusicTab = QT_TRANSLATE_NOOP("varenta", "Music");
inline constexpr const char* kSoundEnabled = QT_TRANSLATE_NOOP("varenta", "&Sound Enabled");
inline constexpr const char* kMusicEnabled = QT_TRANSLATE_NOOP("varenta", "&Music Enabled");
inline constexpr const char* kSoundEvents = QT_TRANSLATE_NOOP("varenta", "Varenta &Events");
inline constexpr const char* kAssociatedSounds = QT_TRANSLATE_NOOP("varenta", "&Associated Sounds");
inline constexpr const char* kAddSound = QT_TRANSLATE_NOOP("varenta", "&Add...");
inline constexpr const char* kRemoveSound = QT_TRANSLATE_NOOP("varenta", "&Remove");
inline constexpr const char* kDefaultSounds = QT_TRANSLATE_NOOP("varenta", "&Default");
inline constexpr const char* kPlaySound = QT_TRANSLATE_NOOP("varenta", "&Play");
inline constexpr const char* kSelectSoundFile = QT_TRANSLATE_NOOP("varenta", "Select Sound File");
inline constexpr const char* kSoundFilter =
    QT_TRANSLATE_NOOP("varenta", "Sound Files (*.wav);;All Files (*)");
inline constexpr const char* kSoundExtension = "wav";
inline constexpr const char* kJukeboxFolder = QT_TRANSLATE_NOOP("varenta", "&Jukebox Folder");
inline constexpr const char* kSingleMusicFile = QT_TRANSLATE_NOOP("varenta", "&Single Music File");
inline constexpr const char* kBrowse = "...";
inline constexpr const char* kSelectMusicFile = QT_TRANSLATE_NOOP("varenta", "Select Music File");
inline constexpr const char* kMusicFilter =
    QT_TRANSLATE_NOOP("varenta", "Music Files (*.mid);;All Files (*)");
inline constexpr const char* kMusicExtension = "mid";
inline constexpr const char* kSelectJukeboxFolder =
    QT_TRANSLATE_NOOP("varenta", "Select Jukebox Folder");

// Help and about.
inline constexpr const char* kHelpCaption = QT_TRANSLATE_NOOP("varenta", "Varenta Help");
inline constexpr const char* kHelpContents = QT_TRANSLATE_NOOP("varenta", "&Contents");
inline constexpr const char* kHelpBack = QT_TRANSLATE_NOOP("varenta", "&Back");
inline constexpr const char* kHelpClose = QT_TRANSLATE_NOOP("varenta", "Close");
inline constexpr const char* kAboutCaption = QT_TRANSLATE_NOOP("varenta", "About Varenta");
inline constexpr const char* kAboutText = QT_TRANSLATE_NOOP(
    "varenta", "<h3>Varenta 4.0</h3><p>Two-handed rummy with two decks, wild jokers and twos, "
               "seven-card Varentas and red-three bonuses, played to 5000 points.</p>"
               "<p>Card pictures and sounds are made by the program itself.</p>"
               "<p>Free software under the GNU General Public License, version 3 or later: you may "
               "share and change it under its terms. It comes with no warranty.</p>");

} // namespace varenta::texts

// Every fixed text of the table window that the engine's text table
// (varenta/engine/Texts.h, same namespace) does not already hold: caption,
// menus and their status hints, panel tooltips, keyboard-mode hints, labels.
// Tests compare against these tables, so a wording changes in one place only.
#pragma once

namespace varenta::texts {

inline constexpr const char* kCaption = "Varenta 4.0";

// Menus (caption, status hint). A leading "|" in a hint is part of the
// stored text and is not shown.
inline constexpr const char* kMenuGame = "&Game";
inline constexpr const char* kMenuNew = "&New";
inline constexpr const char* kHintNew = "|Start a new Varenta game";
inline constexpr const char* kMenuLoad = "&Load...";
inline constexpr const char* kHintLoad = "Load a saved Varenta game from disk";
inline constexpr const char* kMenuSave = "&Save...";
inline constexpr const char* kHintSave = "|Save the current Varenta game to disk";
inline constexpr const char* kMenuUndoMeld = "&Undo Meld";
inline constexpr const char* kHintUndoMeld = "|Undo the last meld, if any";
inline constexpr const char* kMenuUndoAll = "Undo &All";
inline constexpr const char* kHintUndoAll =
    "|Undo all melds since your last discard or taking of the discard pile, if any";
inline constexpr const char* kMenuHiscores = "&Hiscores...";
inline constexpr const char* kHintHiscores = "|Show the Top Ten highscores";
inline constexpr const char* kMenuWinRatio = "&Win Ratio...";
inline constexpr const char* kHintWinRatio = "|Show the player's win/loss ratio ";
inline constexpr const char* kMenuExit = "E&xit";
inline constexpr const char* kHintExit = "|Exit Varenta";
inline constexpr const char* kMenuOptions = "&Options";
inline constexpr const char* kMenuCustomize = "&Customize...";
inline constexpr const char* kHintCustomize =
    "|Create players, set the computer level and change the window size and color";
inline constexpr const char* kMenuDecks = "&Decks...";
inline constexpr const char* kHintDecks = "|Select a color or image for the backside of the cards";
inline constexpr const char* kMenuSound = "&Sound...";
inline constexpr const char* kHintSound =
    "|Enable or disable sound and music, and select sound effects and melodies";
inline constexpr const char* kMenuRules = "&Rules...";
// The Rules hint until the first deal; the engine changes it at each deal and draw.
inline constexpr const char* kHintRules =
    "|Adjust the rules of Varenta to your local variant (only "
    "possible when starting a new game)";
inline constexpr const char* kMenuFullScreen = "&Full Screen";
inline constexpr const char* kHintFullScreen =
    "|Show the table on the whole screen, or back in its window (F11)";
inline constexpr const char* kMenuHelp = "&Help";
inline constexpr const char* kMenuHelpTopics = "&Help Topics";
inline constexpr const char* kMenuAbout = "&About...";

// Status bar panels.
inline constexpr const char* kTipPlayerMeld = "Your Current Meld";
inline constexpr const char* kTipMinimumPrefix = "(Minimum is ";
inline constexpr const char* kTipMinimumSuffix = ")";
inline constexpr const char* kTipOpponentMeld = "Computer's Current Meld";
inline constexpr const char* kTipPlayerScore = "Your Current Score";
inline constexpr const char* kTipOpponentScore = "Computer's Current Score";

// Status hints of the keyboard modes (the engine's hint table has no texts
// for indices 5, 6 and 7).
inline constexpr const char* kHintMeldMode =
    "Meld mode: press 2-9, 0 (ten), J, Q, K, A, or W for wild";
inline constexpr const char* kHintDiscardMode =
    "Discard mode: press 2-9, 0 (ten), J, Q, K, A, or W for wild";
inline constexpr const char* kHintWildMode =
    "Wild card mode: press 4-9, 0 (ten), J, Q, K, A to add a wild card";

// Result dialogs (the engine's text table holds the rest of their wording).
inline constexpr const char* kColumnNumber = "Number";
inline constexpr const char* kColumnValue = "Value";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kYes = "&Yes";
inline constexpr const char* kNo = "&No";

// Varenta labels on the table.
inline constexpr const char* kLabelMixed = "Mixed";
inline constexpr const char* kLabelNatural = "Natural";
inline constexpr const char* kLabelWild = "Wild";
inline constexpr const char* kLabelCard = "card";

// Hall of Fame, and the name box of a new high score.
inline constexpr const char* kHallOfFameCaption = "Varenta Hall of Fame";
inline constexpr const char* kGroupLevel = "&Level";
inline constexpr const char* kLevelBeginner = "&Beginner";
inline constexpr const char* kLevelAdvanced = "&Advanced";
inline constexpr const char* kLevelExpert = "&Expert";
inline constexpr const char* kGroupScoreType = "&Type of Highscore";
inline constexpr const char* kTypeHand = "&Hand";
inline constexpr const char* kTypeMatch = "&Match";
inline constexpr const char* kHeadingRanking = "Ranking";
inline constexpr const char* kHeadingPlayer = "Player";
inline constexpr const char* kHeadingDate = "Date";
inline constexpr const char* kHeadingScore = "Score";
inline constexpr const char* kClear = "&Clear";
// + level name + kClearQuestionEnd
inline constexpr const char* kClearQuestion =
    "Are you sure you want to clear all highscores for the ";
inline constexpr const char* kClearQuestionEnd = " level?";
inline constexpr const char* kHandScoreTitle = "Hand Score in Highscore List";
inline constexpr const char* kMatchScoreTitle = "Match Score in Highscore List";
inline constexpr const char* kEnterYourName = "Enter your name:";
inline constexpr const char* kSoundHighscore = "Highscore";

// Win Ratio.
inline constexpr const char* kWinRatioCaption = "Win Ratio";
inline constexpr const char* kNoPlayers =
    "There are no players defined to show statistics for. To create players, select "
    "Options|Customize...|Player and press 'New...'";
inline constexpr const char* kWinRatioPlayer = "&Player:";
inline constexpr const char* kWinRatioWins = "Games won:";
inline constexpr const char* kWinRatioLosses = "Games lost:";
inline constexpr const char* kWinRatioRatio = "Win ratio (%):";
inline constexpr const char* kReset = "&Reset";
// + name + "?", also asked by the Customize dialog's "Reset &Stats"
inline constexpr const char* kResetQuestion =
    "Do you want to reset the win ratio statistics for player ";

// Customize Varenta.
inline constexpr const char* kCustomizeCaption = "Customize Varenta";
inline constexpr const char* kTabScreen = "Screen";
inline constexpr const char* kTabPlayers = "Players";
inline constexpr const char* kTabLevel = "Level";
inline constexpr const char* kTabOptions = "General";
inline constexpr const char* kGroupBackground = "Background Color";
inline constexpr const char* kChangeColor = "&Change...";
inline constexpr const char* kGroupWindowSize = "Window Size";
inline constexpr const char* kSize640 = "&640 x 480";
inline constexpr const char* kSize800 = "&800 x 600";
inline constexpr const char* kSize1024 = "&1024 x 768";
inline constexpr const char* kSize1280 = "1&280 x 1024";
inline constexpr const char* kShowStatusbar = "&Show statusbar";
inline constexpr const char* kShowWhoseTurn = "Show my turn/your turn &messages";
inline constexpr const char* kShowHighscores = "Show &highscores";
inline constexpr const char* kGroupPlayers = "Players";
inline constexpr const char* kCurrentPlayer = "Current Player";
inline constexpr const char* kNewPlayer = "&New...";
inline constexpr const char* kRenamePlayer = "&Rename...";
inline constexpr const char* kDeletePlayer = "&Delete";
inline constexpr const char* kSetCurrentPlayer = "Set as &Current Player";
inline constexpr const char* kResetStats = "Reset &Stats";
inline constexpr const char* kNewPlayerTitle = "New Player";
inline constexpr const char* kNewPlayerPrompt = "Enter the name of the new player:";
inline constexpr const char* kRenamePlayerTitle = "Rename Player";
inline constexpr const char* kRenamePlayerPrompt = "Enter the new name of the player:";
// + name + "?"
inline constexpr const char* kDeletePlayerQuestion = "Do you want to delete the player ";
inline constexpr const char* kComputerLevel = "Computer &Level";
inline constexpr const char* kAggression = "Expert's &aggression:";
inline constexpr const char* kLevelLocked =
    "The level cannot be changed now, because a game is in progress. Press OK and then F2 to "
    "start a new game. The current game will be aborted.";
inline constexpr const char* kDiscarding = "D&iscarding";
inline constexpr const char* kOneRightClick = "&One Right Click";
inline constexpr const char* kTwoRightClicks = "&Two Right Clicks";
inline constexpr const char* kComputerMelding = "Computer &Melding";
inline constexpr const char* kNoAnimation = "&No Animation";
inline constexpr const char* kCardAnimation = "&Card Animation";
inline constexpr const char* kSlow = "Slow";
inline constexpr const char* kFast = "Fast";
inline constexpr const char* kSaveExit = "&AutoSave on Exit and AutoLoad on Start";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kApply = "&Apply";

// Select Card Back and Select Card Back Pattern.
inline constexpr const char* kCardBackCaption = "Select Card Back";
inline constexpr const char* kGroupSelectDeck = "Select Deck";
inline constexpr const char* kDeckOne = "Deck One";
inline constexpr const char* kDeckTwo = "Deck Two";
inline constexpr const char* kGroupCardbackType = "Cardback Type";
inline constexpr const char* kSolidColor = "&Solid Color";
inline constexpr const char* kStandardPattern = "S&tandard Pattern";
inline constexpr const char* kCustomPattern = "C&ustom Pattern";
inline constexpr const char* kCurrentCardback = "Current Cardback";
inline constexpr const char* kPatternCaption = "Select Card Back Pattern";
inline constexpr const char* kSelectBitmap = "Select Bitmap";
inline constexpr const char* kBitmapFilter = "Bitmaps (*.bmp);;All Files (*)";
inline constexpr const char* kBitmapExtension = "bmp";
// + file name + kPictureUnreadableEnd
inline constexpr const char* kPictureUnreadable = "The picture file \"";
inline constexpr const char* kPictureUnreadableEnd =
    "\" cannot be read as a picture. The deck keeps its plain colored back instead.";

// Varenta Sound.
inline constexpr const char* kSoundCaption = "Varenta Sound";
inline constexpr const char* kSoundTab = "Sound";
inline constexpr const char* kMusicTab = "Music";
inline constexpr const char* kSoundEnabled = "&Sound Enabled";
inline constexpr const char* kMusicEnabled = "&Music Enabled";
inline constexpr const char* kSoundEvents = "Varenta &Events";
inline constexpr const char* kAssociatedSounds = "&Associated Sounds";
inline constexpr const char* kAddSound = "&Add...";
inline constexpr const char* kRemoveSound = "&Remove";
inline constexpr const char* kDefaultSounds = "&Default";
inline constexpr const char* kPlaySound = "&Play";
inline constexpr const char* kSelectSoundFile = "Select Sound File";
inline constexpr const char* kSoundFilter = "Sound Files (*.wav);;All Files (*)";
inline constexpr const char* kSoundExtension = "wav";
inline constexpr const char* kJukeboxFolder = "&Jukebox Folder";
inline constexpr const char* kSingleMusicFile = "&Single Music File";
inline constexpr const char* kBrowse = "...";
inline constexpr const char* kSelectMusicFile = "Select Music File";
inline constexpr const char* kMusicFilter = "Music Files (*.mid);;All Files (*)";
inline constexpr const char* kMusicExtension = "mid";
inline constexpr const char* kSelectJukeboxFolder = "Select Jukebox Folder";

// Help and about.
inline constexpr const char* kHelpCaption = "Varenta Help";
inline constexpr const char* kAboutCaption = "About Varenta";
inline constexpr const char* kAboutText =
    "<h3>Varenta 4.0</h3><p>Two-handed rummy with two decks, wild jokers and twos, "
    "seven-card Varentas and red-three bonuses, played to 5000 points.</p>"
    "<p>Card pictures and sounds are made by the program itself.</p>"
    "<p>Free software under the GNU General Public License, version 3 or later: you may "
    "share and change it under its terms. It comes with no warranty.</p>";

} // namespace varenta::texts

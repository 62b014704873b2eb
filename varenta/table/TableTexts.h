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
inline constexpr const char* kMenuExit = "E&xit";
inline constexpr const char* kHintExit = "|Exit Varenta";
inline constexpr const char* kMenuOptions = "&Options";
inline constexpr const char* kMenuRules = "&Rules...";
// The Rules hint until the first deal; the engine changes it at each deal and draw.
inline constexpr const char* kHintRules =
    "|Adjust the rules of Varenta to your local variant (only "
    "possible when starting a new game)";
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

// Help and about.
inline constexpr const char* kHelpCaption = "Varenta Help";
inline constexpr const char* kAboutCaption = "About Varenta";
inline constexpr const char* kAboutText =
    "<h3>Varenta 4.0</h3><p>Two-handed rummy with two decks, wild jokers and twos, "
    "seven-card Varentas and red-three bonuses, played to 5000 points.</p>"
    "<p>Card pictures and sounds are made by the program itself.</p>";

} // namespace varenta::texts

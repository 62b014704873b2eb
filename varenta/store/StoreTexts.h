// Texts of the settings store and of the rule variants, with the captions
// of the Rules and Rule Differences dialogs. Tests compare against these.
// The namespace is shared with the table's text table: a name used there
// too would be one symbol with two meanings, so these carry their own.
#pragma once

#include <QtGlobal>

namespace varenta::texts {

// The settings file's name holds something that must not be replaced by a
// file (a device, a pipe, a folder, a link to nothing).
inline constexpr char kSettingsNotReplaced[] =
    QT_TRANSLATE_NOOP("varenta", "The settings file %1 was not written: %2.");
inline constexpr char kSettingsErrorPrefix[] = QT_TRANSLATE_NOOP("varenta", "Reg Error: ");
inline constexpr char kInvalidVariantType[] = QT_TRANSLATE_NOOP("varenta", "Invalid variant type");
// A file that could not be read at all. %1 file, %2 reason, %3 name the
// file was kept under
inline constexpr char kSettingsDamaged[] = QT_TRANSLATE_NOOP(
    "varenta", "The settings file %1 could not be read (%2). It has been kept as %3, and the "
               "settings it held start from their defaults.");
// %1 file, %2 reason, %3 why it could not be moved
inline constexpr char kSettingsDamagedKept[] = QT_TRANSLATE_NOOP(
    "varenta",
    "The settings file %1 could not be read (%2) and could not be moved aside (%3). The "
    "settings it held start from their defaults, and no setting will be saved until the file "
    "is repaired or removed.");
// A file of which some lines could not be read: the others are kept.
// %1 file, %2 reason, %3 name the file was kept under
inline constexpr char kSettingsPartlyRead[] = QT_TRANSLATE_NOOP(
    "varenta",
    "Part of the settings file %1 could not be read (%2). The original has been kept as %3. "
    "Every setting that could be read is kept; the others start from their defaults.");
// %1 file, %2 reason, %3 why it could not be moved
inline constexpr char kSettingsPartlyReadKept[] = QT_TRANSLATE_NOOP(
    "varenta",
    "Part of the settings file %1 could not be read (%2), and the file could not be moved "
    "aside (%3). Every setting that could be read is used and the others start from their "
    "defaults, but no setting will be saved until the file is repaired or removed.");
inline constexpr char kSettingsUnreachable[] = QT_TRANSLATE_NOOP(
    "varenta", "The settings file %1 could not be reached (%2). The defaults are used.");
// %1 file
inline constexpr char kSettingsLockWait[] = QT_TRANSLATE_NOOP(
    "varenta",
    "Another copy of Varenta is changing the settings file %1. Waiting for it to finish...");
inline constexpr char kDamagedBadLine[] = QT_TRANSLATE_NOOP("varenta", "line %1 is not a setting");

// Player names that could not be stored and read back as typed.
inline constexpr char kNameEmpty[] =
    QT_TRANSLATE_NOOP("varenta", "Please enter a name for the player.");
inline constexpr char kNameComma[] = QT_TRANSLATE_NOOP(
    "varenta", "A player's name cannot contain a comma, because the win ratio is stored after it.");
inline constexpr char kNameControl[] = QT_TRANSLATE_NOOP(
    "varenta", "A player's name cannot contain tabs, line breaks or other control characters.");
inline constexpr char kNameTooLong[] =
    QT_TRANSLATE_NOOP("varenta", "A player's name can be at most %1 characters long.");
inline constexpr char kNameTaken[] =
    QT_TRANSLATE_NOOP("varenta", "There is already a player named \"%1\".");

// Rules dialog
inline constexpr char kRulesCaption[] = QT_TRANSLATE_NOOP("varenta", "Rules");
inline constexpr char kTabGeneral[] = QT_TRANSLATE_NOOP("varenta", "General");
inline constexpr char kTabDiscardPile[] = QT_TRANSLATE_NOOP("varenta", "Discard Pile");
inline constexpr char kTabRedThrees[] = QT_TRANSLATE_NOOP("varenta", "Red Threes");
inline constexpr char kGroupDiscardPile[] = QT_TRANSLATE_NOOP("varenta", "&Discard Pile options");
inline constexpr char kGroupRedThree[] = QT_TRANSLATE_NOOP("varenta", "&Red Three options");
inline constexpr char kVarentaRequired[] =
    QT_TRANSLATE_NOOP("varenta", "&Varenta(s) required for positive score");
inline constexpr char kRequiredOne[] =
    QT_TRANSLATE_NOOP("varenta", "At least one Varenta required for positive score");
inline constexpr char kRequiredTwo[] =
    QT_TRANSLATE_NOOP("varenta", "At least two Varentas required for positive score");
inline constexpr char kNumberOfVarentas[] =
    QT_TRANSLATE_NOOP("varenta", "&Number of Varentas needed to go out");
inline constexpr char kVarentasOne[] = QT_TRANSLATE_NOOP("varenta", "&One");
inline constexpr char kVarentasTwo[] = QT_TRANSLATE_NOOP("varenta", "&Two");
inline constexpr char kNumberOfCards[] =
    QT_TRANSLATE_NOOP("varenta", "Number of &Cards drawn each turn");
inline constexpr char kCardsOne[] = QT_TRANSLATE_NOOP("varenta", "On&e");
inline constexpr char kCardsTwo[] = QT_TRANSLATE_NOOP("varenta", "T&wo");
inline constexpr char kAddToVarenta[] = QT_TRANSLATE_NOOP("varenta", "&Add top card to Varenta");
inline constexpr char kTopCardCounts[] =
    QT_TRANSLATE_NOOP("varenta", "&Top card counts for initial meld");
inline constexpr char kInitiallyFrozen[] = QT_TRANSLATE_NOOP("varenta", "&Initially frozen");
inline constexpr char kSeparatelyFrozen[] =
    QT_TRANSLATE_NOOP("varenta", "&Separately frozen for each player");
inline constexpr char kNaturalPair[] = QT_TRANSLATE_NOOP("varenta", "&Natural pair required");
inline constexpr char kDrawExtra[] = QT_TRANSLATE_NOOP("varenta", "&Draw extra card");
inline constexpr char kThreeBlock[] = QT_TRANSLATE_NOOP("varenta", "&Freeze discard pile");
inline constexpr char kBonusCounts[] =
    QT_TRANSLATE_NOOP("varenta", "Varenta &bonus counts for initial meld");
inline constexpr char kReuseDiscardPile[] =
    QT_TRANSLATE_NOOP("varenta", "Re&use discard pile when stock is empty");
inline constexpr char kGameInProgress[] = QT_TRANSLATE_NOOP(
    "varenta",
    "The rules cannot be changed now, because a game is in progress. Press OK and then F2 to "
    "start a new game. The current game will be aborted.");
inline constexpr char kRulesOk[] = QT_TRANSLATE_NOOP("varenta", "OK");
inline constexpr char kRulesCancel[] = QT_TRANSLATE_NOOP("varenta", "Cancel");

// Rule Differences dialog
inline constexpr char kDifferencesCaption[] = QT_TRANSLATE_NOOP("varenta", "Rule Differences");
inline constexpr char kDifferencesText[] = QT_TRANSLATE_NOOP(
    "varenta",
    "The following differences in rules exists between you and your opponent. Please resolve "
    "these before starting to play by changing them in the Options | Rules dialog.");
inline constexpr char kColumnRule[] = QT_TRANSLATE_NOOP("varenta", "Rule");
inline constexpr char kColumnYours[] = QT_TRANSLATE_NOOP("varenta", "Your Setting");
inline constexpr char kColumnOpponents[] = QT_TRANSLATE_NOOP("varenta", "Opponent's Setting");
inline constexpr char kHide[] = QT_TRANSLATE_NOOP("varenta", "Hide");
inline constexpr char kRuleYes[] = QT_TRANSLATE_NOOP("varenta", "Yes");
inline constexpr char kRuleNo[] = QT_TRANSLATE_NOOP("varenta", "No");
inline constexpr char kRuleOne[] = QT_TRANSLATE_NOOP("varenta", "One");
inline constexpr char kRuleTwo[] = QT_TRANSLATE_NOOP("varenta", "Two");

// The comparison rows, in the order of the rules text.
inline constexpr const char* kRuleRows[12] = {
    QT_TRANSLATE_NOOP("varenta", "Varenta Required for Positive Score"),
    QT_TRANSLATE_NOOP("varenta", "Number of Varentas required to go out"),
    QT_TRANSLATE_NOOP("varenta", "Number of Cards drawn each turn"),
    QT_TRANSLATE_NOOP("varenta", "Add top card from pile to Varenta"),
    QT_TRANSLATE_NOOP("varenta", "Top card of pile counts for initial meld"),
    QT_TRANSLATE_NOOP("varenta", "Pile initially frozen"),
    QT_TRANSLATE_NOOP("varenta", "Natural pair required for taking pile"),
    QT_TRANSLATE_NOOP("varenta", "Draw extra card for Red Three"),
    QT_TRANSLATE_NOOP("varenta", "Discarding Red Three freezes pile"),
    QT_TRANSLATE_NOOP("varenta", "Varenta Bonus counts for initial meld"),
    QT_TRANSLATE_NOOP("varenta", "Initial Freeze for both players"),
    QT_TRANSLATE_NOOP("varenta", "Reuse discard pile when deck is empty"),
};

} // namespace varenta::texts

// Texts of the settings store and of the rule variants, with the captions
// of the Rules and Rule Differences dialogs. Tests compare against these.
// The namespace is shared with the table's text table: a name used there
// too would be one symbol with two meanings, so these carry their own.
#pragma once

namespace varenta::texts {

// The settings file's name holds something that must not be replaced by a
// file (a device, a pipe, a folder, a link to nothing).
inline constexpr char kSettingsNotReplaced[] = "The settings file %1 was not written: %2.";
inline constexpr char kSettingsErrorPrefix[] = "Reg Error: ";
inline constexpr char kInvalidVariantType[] = "Invalid variant type";
// A file that could not be read at all. %1 file, %2 reason, %3 name the
// file was kept under
inline constexpr char kSettingsDamaged[] =
    "The settings file %1 could not be read (%2). It has been kept as %3, and the "
    "settings it held start from their defaults.";
// %1 file, %2 reason, %3 why it could not be moved
inline constexpr char kSettingsDamagedKept[] =
    "The settings file %1 could not be read (%2) and could not be moved aside (%3). The "
    "settings it held start from their defaults, and no setting will be saved until the file "
    "is repaired or removed.";
// A file of which some lines could not be read: the others are kept.
// %1 file, %2 reason, %3 name the file was kept under
inline constexpr char kSettingsPartlyRead[] =
    "Part of the settings file %1 could not be read (%2). The original has been kept as %3. "
    "Every setting that could be read is kept; the others start from their defaults.";
// %1 file, %2 reason, %3 why it could not be moved
inline constexpr char kSettingsPartlyReadKept[] =
    "Part of the settings file %1 could not be read (%2), and the file could not be moved "
    "aside (%3). Every setting that could be read is used and the others start from their "
    "defaults, but no setting will be saved until the file is repaired or removed.";
inline constexpr char kSettingsUnreachable[] =
    "The settings file %1 could not be reached (%2). The defaults are used.";
// %1 file
inline constexpr char kSettingsLockWait[] =
    "Another copy of Varenta is changing the settings file %1. Waiting for it to finish...";
inline constexpr char kDamagedBadLine[] = "line %1 is not a setting";

// Player names that could not be stored and read back as typed.
inline constexpr char kNameEmpty[] = "Please enter a name for the player.";
inline constexpr char kNameComma[] =
    "A player's name cannot contain a comma, because the win ratio is stored after it.";
inline constexpr char kNameControl[] =
    "A player's name cannot contain tabs, line breaks or other control characters.";
inline constexpr char kNameTooLong[] = "A player's name can be at most %1 characters long.";
inline constexpr char kNameTaken[] = "There is already a player named \"%1\".";

// Rules dialog
inline constexpr char kRulesCaption[] = "Rules";
inline constexpr char kTabGeneral[] = "General";
inline constexpr char kTabDiscardPile[] = "Discard Pile";
inline constexpr char kTabRedThrees[] = "Red Threes";
inline constexpr char kGroupDiscardPile[] = "&Discard Pile options";
inline constexpr char kGroupRedThree[] = "&Red Three options";
inline constexpr char kVarentaRequired[] = "&Varenta(s) required for positive score";
inline constexpr char kRequiredOne[] = "At least one Varenta required for positive score";
inline constexpr char kRequiredTwo[] = "At least two Varentas required for positive score";
inline constexpr char kNumberOfVarentas[] = "&Number of Varentas needed to go out";
inline constexpr char kVarentasOne[] = "&One";
inline constexpr char kVarentasTwo[] = "&Two";
inline constexpr char kNumberOfCards[] = "Number of &Cards drawn each turn";
inline constexpr char kCardsOne[] = "On&e";
inline constexpr char kCardsTwo[] = "T&wo";
inline constexpr char kAddToVarenta[] = "&Add top card to Varenta";
inline constexpr char kTopCardCounts[] = "&Top card counts for initial meld";
inline constexpr char kInitiallyFrozen[] = "&Initially frozen";
inline constexpr char kSeparatelyFrozen[] = "&Separately frozen for each player";
inline constexpr char kNaturalPair[] = "&Natural pair required";
inline constexpr char kDrawExtra[] = "&Draw extra card";
inline constexpr char kThreeBlock[] = "&Freeze discard pile";
inline constexpr char kBonusCounts[] = "Varenta &bonus counts for initial meld";
inline constexpr char kReuseDiscardPile[] = "Re&use discard pile when stock is empty";
inline constexpr char kGameInProgress[] =
    "The rules cannot be changed now, because a game is in progress. Press OK and then F2 to "
    "start a new game. The current game will be aborted.";
inline constexpr char kRulesOk[] = "OK";
inline constexpr char kRulesCancel[] = "Cancel";

// Rule Differences dialog
inline constexpr char kDifferencesCaption[] = "Rule Differences";
inline constexpr char kDifferencesText[] =
    "The following differences in rules exists between you and your opponent. Please resolve "
    "these before starting to play by changing them in the Options | Rules dialog.";
inline constexpr char kColumnRule[] = "Rule";
inline constexpr char kColumnYours[] = "Your Setting";
inline constexpr char kColumnOpponents[] = "Opponent's Setting";
inline constexpr char kHide[] = "Hide";
inline constexpr char kRuleYes[] = "Yes";
inline constexpr char kRuleNo[] = "No";
inline constexpr char kRuleOne[] = "One";
inline constexpr char kRuleTwo[] = "Two";

// The comparison rows, in the order of the rules text.
inline constexpr const char* kRuleRows[12] = {
    "Varenta Required for Positive Score",      "Number of Varentas required to go out",
    "Number of Cards drawn each turn",          "Add top card from pile to Varenta",
    "Top card of pile counts for initial meld", "Pile initially frozen",
    "Natural pair required for taking pile",    "Draw extra card for Red Three",
    "Discarding Red Three freezes pile",        "Varenta Bonus counts for initial meld",
    "Initial Freeze for both players",          "Reuse discard pile when deck is empty",
};

} // namespace varenta::texts

// The twelve rule variants in the settings store, and how a rules text
// (varenta/engine/RuleText.h) compares with an opponent's.
#pragma once

#include <QString>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "varenta/engine/RuleSet.h"
#include "varenta/engine/RuleText.h"

namespace varenta {

class SettingsFile;

// Store keys of the rules.
inline constexpr char kKeyVarentaRequired[] = "Settings\\Varenta Required";
// Older versions wrote the key in this spelling; the store matches names
// without regard to case, so both reach the same value.
inline constexpr char kKeyVarentaRequiredRead[] = "Settings\\Varenta required";
inline constexpr char kKeyNumberOfVarentas[] = "Settings\\Number of Varentas";
inline constexpr char kKeyNumberOfCards[] = "Settings\\Number of Cards";
inline constexpr char kKeyAddToVarenta[] = "Settings\\Add to Varenta";
inline constexpr char kKeyTopCardCounts[] = "Settings\\Top Card Counts";
inline constexpr char kKeyInitialBlock[] = "Settings\\Initial Block";
inline constexpr char kKeyInitialBlockForBoth[] = "Settings\\Initial Block for Both";
inline constexpr char kKeyNaturalPair[] = "Settings\\Natural Pair";
inline constexpr char kKeyDrawExtra[] = "Settings\\Draw Extra";
inline constexpr char kKeyThreeBlock[] = "Settings\\Three Block";
inline constexpr char kKeyBonusCounts[] = "Settings\\Bonus Counts";
inline constexpr char kKeyReuseDiscardPile[] = "Settings\\Reuse Discard Pile";

// Each key read with the rule's default; a count other than 2 reads as 1.
RuleSet ReadRules(SettingsFile& store);
void WriteRules(SettingsFile& store, const RuleSet& rules);
// Read again at every deal.
bool ReadInitialBlock(SettingsFile& store);

struct RuleDifference {
    QString rule;
    QString yours;
    QString opponents;
    bool operator==(const RuleDifference&) const = default;
};

// One row per field whose values differ, in the order of the rules text.
std::vector<RuleDifference> CompareRules(std::string_view localText, std::string_view opponentText);

} // namespace varenta

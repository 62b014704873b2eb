#include "varenta/store/RuleVariants.h"

#include "varenta/store/SettingsFile.h"
#include "varenta/store/StoreTexts.h"

#include <QCoreApplication>

namespace varenta {

namespace {

// Positions of the two counts in the rules text; every other field is a flag.
constexpr int kNumberOfVarentasField = 1;
constexpr int kNumberOfCardsField = 2;

int ReadCount(SettingsFile& store, const char* key) {
    return store.ReadInteger(key, 1) == 2 ? 2 : 1;
}

QString ShowValue(int field, const std::string& value) {
    if (field == kNumberOfVarentasField || field == kNumberOfCardsField) {
        return QCoreApplication::translate("varenta",
                                           value == "1" ? texts::kRuleOne : texts::kRuleTwo);
    }
    return QCoreApplication::translate("varenta", value == "T" ? texts::kRuleYes : texts::kRuleNo);
}

} // namespace

RuleSet ReadRules(SettingsFile& store) {
    const RuleSet d; // the defaults
    RuleSet r;
    r.varentaRequired = store.ReadBool(kKeyVarentaRequiredRead, d.varentaRequired);
    r.drawExtra = store.ReadBool(kKeyDrawExtra, d.drawExtra);
    r.threeBlock = store.ReadBool(kKeyThreeBlock, d.threeBlock);
    r.addToVarenta = store.ReadBool(kKeyAddToVarenta, d.addToVarenta);
    r.topCardCounts = store.ReadBool(kKeyTopCardCounts, d.topCardCounts);
    r.initialBlock = store.ReadBool(kKeyInitialBlock, d.initialBlock);
    r.numberOfVarentas = ReadCount(store, kKeyNumberOfVarentas);
    r.numberOfCards = ReadCount(store, kKeyNumberOfCards);
    r.naturalPair = store.ReadBool(kKeyNaturalPair, d.naturalPair);
    r.bonusCounts = store.ReadBool(kKeyBonusCounts, d.bonusCounts);
    r.reuseDiscardPile = store.ReadBool(kKeyReuseDiscardPile, d.reuseDiscardPile);
    r.initialBlockForBoth = store.ReadBool(kKeyInitialBlockForBoth, d.initialBlockForBoth);
    return r;
}

void WriteRules(SettingsFile& store, const RuleSet& r) {
    // One replacement of the file: the rules change together or not at all.
    store.WriteValues({
        {kKeyVarentaRequired, r.varentaRequired},
        {kKeyNumberOfVarentas, r.numberOfVarentas == 2 ? 2 : 1},
        {kKeyNumberOfCards, r.numberOfCards == 2 ? 2 : 1},
        {kKeyAddToVarenta, r.addToVarenta},
        {kKeyTopCardCounts, r.topCardCounts},
        {kKeyInitialBlock, r.initialBlock},
        {kKeyInitialBlockForBoth, r.initialBlockForBoth},
        {kKeyNaturalPair, r.naturalPair},
        {kKeyDrawExtra, r.drawExtra},
        {kKeyThreeBlock, r.threeBlock},
        {kKeyBonusCounts, r.bonusCounts},
        {kKeyReuseDiscardPile, r.reuseDiscardPile},
    });
}

bool ReadInitialBlock(SettingsFile& store) {
    return store.ReadBool(kKeyInitialBlock, RuleSet().initialBlock);
}

std::vector<RuleDifference> CompareRules(std::string_view localText,
                                         std::string_view opponentText) {
    const auto local = ReadRulesText(localText);
    const auto opponent = ReadRulesText(opponentText);
    std::vector<RuleDifference> rows;
    for (int i = 0; i < kRuleCount; ++i) {
        if (local[i] != opponent[i]) {
            rows.push_back({QCoreApplication::translate("varenta", texts::kRuleRows[i]),
                            ShowValue(i, local[i]), ShowValue(i, opponent[i])});
        }
    }
    return rows;
}

} // namespace varenta

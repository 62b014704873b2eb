#include "varenta/store/RuleVariants.h"

#include "varenta/store/SettingsFile.h"
#include "varenta/store/StoreTexts.h"

namespace varenta {

namespace {

// Positions of the two counts in the rules text; every other field is a flag.
constexpr int kNumberOfVarentasField = 1;
constexpr int kNumberOfCardsField = 2;

int ReadCount(SettingsFile& store, const char* key) {
    return store.ReadInteger(key, 1) == 2 ? 2 : 1;
}

char Flag(bool on) {
    return on ? 'T' : 'F';
}
char Count(int n) {
    return n == 2 ? '2' : '1';
}

QString ShowValue(int field, const std::string& value) {
    if (field == kNumberOfVarentasField || field == kNumberOfCardsField) {
        return QString::fromLatin1(value == "1" ? texts::kRuleOne : texts::kRuleTwo);
    }
    return QString::fromLatin1(value == "T" ? texts::kRuleYes : texts::kRuleNo);
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

std::string BuildRulesText(const RuleSet& r) {
    const char fields[kRuleCount] = {
        Flag(r.varentaRequired), Count(r.numberOfVarentas),   Count(r.numberOfCards),
        Flag(r.addToVarenta),    Flag(r.topCardCounts),       Flag(r.initialBlock),
        Flag(r.naturalPair),     Flag(r.drawExtra),           Flag(r.threeBlock),
        Flag(r.bonusCounts),     Flag(r.initialBlockForBoth), Flag(r.reuseDiscardPile),
    };
    std::string text;
    for (int i = 0; i < kRuleCount; ++i) {
        if (i > 0) {
            text += kRulesSeparator;
        }
        text += fields[i];
    }
    return text;
}

std::array<std::string, kRuleCount> ReadRulesText(std::string_view text) {
    std::array<std::string, kRuleCount> fields;
    size_t pos = 0;
    for (auto& field : fields) {
        if (pos >= text.size()) {
            break;
        }
        const size_t end = text.find_first_of(std::string_view("\xFE\xFF", 2), pos);
        field = std::string(text.substr(pos, end == std::string_view::npos ? end : end - pos));
        if (end == std::string_view::npos) {
            break; // later fields stay empty
        }
        pos = end + 1;
    }
    return fields;
}

std::vector<RuleDifference> CompareRules(std::string_view localText,
                                         std::string_view opponentText) {
    const auto local = ReadRulesText(localText);
    const auto opponent = ReadRulesText(opponentText);
    std::vector<RuleDifference> rows;
    for (int i = 0; i < kRuleCount; ++i) {
        if (local[i] != opponent[i]) {
            rows.push_back({QString::fromLatin1(texts::kRuleRows[i]), ShowValue(i, local[i]),
                            ShowValue(i, opponent[i])});
        }
    }
    return rows;
}

} // namespace varenta

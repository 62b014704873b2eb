#include "varenta/store/RuleVariants.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/store/StoreTexts.h"
#include "varenta/store/tests/PrivateHome.h"

#include <gtest/gtest.h>

namespace varenta {
namespace {

using RuleStoreTest = testing::PrivateHome;

std::string Text(std::initializer_list<const char*> fields, char separator = kRulesSeparator) {
    std::string text;
    bool first = true;
    for (const char* f : fields) {
        if (!first) {
            text += separator;
        }
        text += f;
        first = false;
    }
    return text;
}

RuleSet EveryRuleAgainstItsDefault() {
    RuleSet r;
    r.varentaRequired = true;
    r.numberOfVarentas = 2;
    r.numberOfCards = 2;
    r.addToVarenta = false;
    r.topCardCounts = false;
    r.initialBlock = false;
    r.initialBlockForBoth = false;
    r.naturalPair = false;
    r.drawExtra = false;
    r.threeBlock = true;
    r.bonusCounts = true;
    r.reuseDiscardPile = false;
    return r;
}

TEST_F(RuleStoreTest, AFreshStoreGivesTheDefaults) {
    SettingsFile store;
    EXPECT_EQ(ReadRules(store), RuleSet());
    EXPECT_TRUE(ReadInitialBlock(store));
}

TEST_F(RuleStoreTest, EveryRuleGoesToItsOwnKeyAndBack) {
    SettingsFile store;
    const RuleSet changed = EveryRuleAgainstItsDefault();
    WriteRules(store, changed);
    EXPECT_EQ(ReadRules(store), changed);
    EXPECT_FALSE(ReadInitialBlock(store));

    // The keys as other parts of the program and older versions name them.
    EXPECT_TRUE(store.ValueExists("Settings", "Varenta Required"));
    EXPECT_TRUE(store.ReadBool("Settings\\Varenta required", false));
    EXPECT_EQ(store.ReadInteger("Settings\\Number of Cards", 1), 2);
    EXPECT_TRUE(store.ReadBool("Settings\\Three Block", false));
    EXPECT_FALSE(store.ReadBool("Settings\\Initial Block for Both", true));
    EXPECT_FALSE(store.ReadBool("Settings\\Reuse Discard Pile", true));
}

TEST_F(RuleStoreTest, ACountOtherThanTwoReadsAsOne) {
    SettingsFile store;
    store.Write("Settings\\Number of Varentas", 7);
    store.Write("Settings\\Number of Cards", 2);
    const RuleSet r = ReadRules(store);
    EXPECT_EQ(r.numberOfVarentas, 1);
    EXPECT_EQ(r.numberOfCards, 2);
}

TEST(RulesTextTest, FieldsInTheirFixedOrder) {
    EXPECT_EQ(BuildRulesText(RuleSet()),
              Text({"F", "1", "1", "T", "T", "T", "T", "T", "F", "F", "T", "T"}));
    EXPECT_EQ(BuildRulesText(EveryRuleAgainstItsDefault()),
              Text({"T", "2", "2", "F", "F", "F", "F", "F", "T", "T", "F", "F"}));
}

TEST(RulesTextTest, FieldsEndAt254Or255) {
    // Either character ends a field; the next one starts right after it.
    const auto fields = ReadRulesText(Text({"T", "2", "1", "F"}) + "\xFF" +
                                      "T\xFF\xFE"
                                      "2");
    EXPECT_EQ(fields[0], "T");
    EXPECT_EQ(fields[1], "2");
    EXPECT_EQ(fields[3], "F");
    EXPECT_EQ(fields[4], "T");
    EXPECT_EQ(fields[5], "");
    EXPECT_EQ(fields[6], "2");
    EXPECT_EQ(fields[7], "");
    EXPECT_EQ(ReadRulesText(BuildRulesText(RuleSet()) + "\xFF")[11], "T"); // a whole frame
    EXPECT_EQ(ReadRulesText("")[0], "");
    EXPECT_EQ(ReadRulesText(Text({"", "TT", ""}))[1], "TT");
}

TEST(CompareRulesTest, EveryRowWithItsTextAndValues) {
    const auto rows =
        CompareRules(BuildRulesText(RuleSet()), BuildRulesText(EveryRuleAgainstItsDefault()));
    ASSERT_EQ(rows.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(rows[i].rule, texts::kRuleRows[i]);
    }
    EXPECT_EQ(rows[0], (RuleDifference{"Varenta Required for Positive Score", "No", "Yes"}));
    EXPECT_EQ(rows[1], (RuleDifference{"Number of Varentas required to go out", "One", "Two"}));
    EXPECT_EQ(rows[2].yours, "One");
    EXPECT_EQ(rows[10], (RuleDifference{"Initial Freeze for both players", "Yes", "No"}));
    EXPECT_EQ(rows[11], (RuleDifference{"Reuse discard pile when deck is empty", "Yes", "No"}));
}

TEST(CompareRulesTest, AShortOrStrangeOpponentTextCountsAsDifferent) {
    // Only the first field agrees; a count that is not "1" shows as "Two",
    // a flag that is not "T" as "No".
    const auto rows = CompareRules(BuildRulesText(RuleSet()), Text({"F", "x"}));
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[0], (RuleDifference{"Number of Varentas required to go out", "One", "Two"}));
    EXPECT_EQ(rows[1], (RuleDifference{"Number of Cards drawn each turn", "One", "Two"}));
    EXPECT_EQ(rows[2], (RuleDifference{"Add top card from pile to Varenta", "Yes", "No"}));
}

} // namespace
} // namespace varenta

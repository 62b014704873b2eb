#include "varenta/table/RulesDialog.h"
#include "varenta/engine/MoveReporter.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/engine/testing/StateAccess.h"
#include "varenta/store/RuleVariants.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/store/StoreTexts.h"
#include "varenta/table/RuleDifferencesDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace varenta {
namespace {

class RecordingReporter : public MoveReporter {
public:
    void Rules(std::string_view text) override { sent.emplace_back(text); }
    std::vector<std::string> sent;
};

class RulesDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        store = std::make_unique<SettingsFile>(dir.path() + "/settings.conf");
    }

    // Opens the dialog the way the window does, shown so clicks reach it.
    std::unique_ptr<RulesDialog> Open() {
        auto dialog = std::make_unique<RulesDialog>(engine, *store);
        dialog->show();
        return dialog;
    }
    template <typename W> static W* Find(const RulesDialog& dialog, const char* name) {
        W* widget = dialog.findChild<W*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static void Click(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    QTemporaryDir dir;
    std::unique_ptr<SettingsFile> store;
    VarentaEngine engine;
};

const char* const kRuleControls[] = {
    "ckVarentaRequired", "rgNumberOfVarentas", "rgNumberOfCards", "ckBonusCounts",
    "ckAddToVarenta",    "ckTopCardCounts",    "ckInitialBlock",  "ckInitialBlockForBoth",
    "ckNaturalPair",     "ckReuseDiscardPile", "ckDrawExtra",     "ckThreeBlock",
};

TEST_F(RulesDialogTest, ShowsTheRulesInForceWithTheirCaptionsOnTheirTabs) {
    RuleSet rules;
    rules.numberOfVarentas = 2;
    rules.threeBlock = true;
    engine.SetRules(rules);
    auto dialog = Open();
    EXPECT_EQ(dialog->ChosenRules(), rules);
    EXPECT_FALSE(Find<QLabel>(*dialog, "lbWarning")->isVisibleTo(dialog.get()));
    EXPECT_EQ(dialog->windowTitle(), "Rules");
    auto* tabs = Find<QTabWidget>(*dialog, "pcRules");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "General");
    EXPECT_EQ(tabs->tabText(1), "Discard Pile");
    EXPECT_EQ(tabs->tabText(2), "Red Threes");
    // name, caption, tab (-1: below the tabs)
    const std::tuple<const char*, const char*, int> controls[] = {
        {"rgNumberOfVarentas", "&Number of Varentas needed to go out", 0},
        {"rbVarentasOne", "&One", 0},
        {"rbVarentasTwo", "&Two", 0},
        {"rgNumberOfCards", "Number of &Cards drawn each turn", 0},
        {"rbCardsOne", "On&e", 0},
        {"rbCardsTwo", "T&wo", 0},
        {"ckBonusCounts", "Varenta &bonus counts for initial meld", 0},
        {"gbDiscardPile", "&Discard Pile options", 1},
        {"ckAddToVarenta", "&Add top card to Varenta", 1},
        {"ckTopCardCounts", "&Top card counts for initial meld", 1},
        {"ckInitialBlock", "&Initially frozen", 1},
        {"ckInitialBlockForBoth", "&Separately frozen for each player", 1},
        {"ckNaturalPair", "&Natural pair required", 1},
        {"ckReuseDiscardPile", "Re&use discard pile when stock is empty", 1},
        {"gbRedThree", "&Red Three options", 2},
        {"ckDrawExtra", "&Draw extra card", 2},
        {"ckThreeBlock", "&Freeze discard pile", 2},
        {"bnOK", "OK", -1},
        {"bnCancel", "Cancel", -1},
    };
    for (const auto& [name, caption, tab] : controls) {
        QWidget* widget = Find<QWidget>(*dialog, name);
        ASSERT_NE(widget, nullptr);
        auto* box = qobject_cast<QGroupBox*>(widget);
        const QString shown = box ? box->title() : qobject_cast<QAbstractButton*>(widget)->text();
        EXPECT_EQ(shown.toStdString(), caption) << name;
        EXPECT_EQ(tab >= 0 && tabs->widget(tab)->isAncestorOf(widget), tab >= 0) << name;
    }
}

TEST_F(RulesDialogTest, RequiredCaptionFollowsTheNumberOfVarentas) {
    RuleSet rules;
    rules.numberOfVarentas = 2;
    engine.SetRules(rules);
    auto dialog = Open();
    auto* required = Find<QCheckBox>(*dialog, "ckVarentaRequired");
    EXPECT_EQ(required->text(), "At least two Varentas required for positive score");
    Click(Find<QRadioButton>(*dialog, "rbVarentasOne"));
    EXPECT_EQ(required->text(), "At least one Varenta required for positive score");
    Click(Find<QRadioButton>(*dialog, "rbVarentasTwo"));
    EXPECT_EQ(required->text(), "At least two Varentas required for positive score");
}

TEST_F(RulesDialogTest, UncheckingInitiallyFrozenUnfreezesThePileOnOk) {
    testing::MutableState(engine).pileFrozen = true;
    auto dialog = Open();
    auto* frozen = Find<QCheckBox>(*dialog, "ckInitialBlock");
    auto* separately = Find<QCheckBox>(*dialog, "ckInitialBlockForBoth");
    EXPECT_TRUE(separately->isEnabled());
    Click(frozen);
    EXPECT_FALSE(frozen->isChecked());
    EXPECT_FALSE(separately->isEnabled()); // at once, before OK
    Click(frozen);
    EXPECT_TRUE(separately->isEnabled());
    Click(frozen);

    Click(Find<QPushButton>(*dialog, "bnOK"));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(engine.Rules().initialBlock);
    EXPECT_FALSE(engine.State().pileFrozen);
    EXPECT_FALSE(ReadInitialBlock(*store));
    EXPECT_EQ(ReadRules(*store), engine.Rules());
}

TEST_F(RulesDialogTest, CancelChangesNothing) {
    testing::MutableState(engine).pileFrozen = true;
    auto dialog = Open();
    Click(Find<QCheckBox>(*dialog, "ckInitialBlock"));
    Click(Find<QCheckBox>(*dialog, "ckThreeBlock"));
    Click(Find<QPushButton>(*dialog, "bnCancel"));
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(engine.Rules(), RuleSet());
    EXPECT_TRUE(engine.State().pileFrozen);
    EXPECT_FALSE(store->ValueExists("Settings", "Three Block"));
}

TEST_F(RulesDialogTest, AGameInProgressLocksEveryRule) {
    engine.MarkGameInProgress();
    auto dialog = Open();
    for (const char* name : kRuleControls) {
        EXPECT_FALSE(Find<QWidget>(*dialog, name)->isEnabled()) << name;
    }
    EXPECT_FALSE(Find<QRadioButton>(*dialog, "rbVarentasTwo")->isEnabled());
    auto* warning = Find<QLabel>(*dialog, "lbWarning");
    EXPECT_TRUE(warning->isVisibleTo(dialog.get()));
    EXPECT_EQ(warning->text(), texts::kGameInProgress);
    EXPECT_EQ(warning->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_TRUE(Find<QPushButton>(*dialog, "bnOK")->isEnabled());
}

TEST_F(RulesDialogTest, ReopensOnTheTabLastShown) {
    {
        auto dialog = Open();
        Find<QTabWidget>(*dialog, "pcRules")->setCurrentIndex(2);
        dialog->reject();
    }
    auto dialog = Open();
    EXPECT_EQ(Find<QTabWidget>(*dialog, "pcRules")->currentIndex(), 2);
    Find<QTabWidget>(*dialog, "pcRules")->setCurrentIndex(0);
    dialog->accept();
}

TEST_F(RulesDialogTest, OkInANetworkGameSendsTheRulesAndComparesThemAgain) {
    RecordingReporter reporter;
    RuleDifferencesDialog differences;
    engine.SetNetworkOpponent("Ann");
    auto dialog = Open();
    dialog->SetNetwork(&reporter, &differences, [] { return BuildRulesText(RuleSet()); });
    Click(Find<QCheckBox>(*dialog, "ckThreeBlock"));
    Click(Find<QPushButton>(*dialog, "bnOK"));

    RuleSet expected;
    expected.threeBlock = true;
    ASSERT_EQ(reporter.sent.size(), 1u);
    EXPECT_EQ(reporter.sent[0], BuildRulesText(expected));
    EXPECT_TRUE(differences.isVisible());
    ASSERT_EQ(differences.List()->topLevelItemCount(), 1);
    EXPECT_EQ(differences.List()->topLevelItem(0)->text(0), "Discarding Red Three freezes pile");
}

TEST_F(RulesDialogTest, OkAgainstTheComputerSendsNothing) {
    RecordingReporter reporter;
    auto dialog = Open();
    dialog->SetNetwork(&reporter, nullptr, nullptr);
    Click(Find<QPushButton>(*dialog, "bnOK"));
    EXPECT_TRUE(reporter.sent.empty());
}

TEST_F(RulesDialogTest, F1AsksForTheTopicOfTheControl) {
    auto dialog = Open();
    QSignalSpy help(dialog.get(), &RulesDialog::helpRequested);
    Find<QTabWidget>(*dialog, "pcRules")->setCurrentIndex(1);
    Find<QCheckBox>(*dialog, "ckInitialBlockForBoth")->setFocus();
    QTest::keyClick(dialog->focusWidget(), Qt::Key_F1);
    Find<QTabWidget>(*dialog, "pcRules")->setCurrentIndex(0);
    Find<QRadioButton>(*dialog, "rbVarentasTwo")->setFocus();
    QTest::keyClick(dialog->focusWidget(), Qt::Key_F1);
    ASSERT_EQ(help.count(), 2);
    EXPECT_EQ(help[0][0].toInt(), 1104);
    EXPECT_EQ(help[1][0].toInt(), 1072);
    EXPECT_EQ(RulesDialog::HelpTopic(Find<QWidget>(*dialog, "bnCancel")), 1020);
    EXPECT_EQ(RulesDialog::HelpTopic(Find<QWidget>(*dialog, "ckReuseDiscardPile")), 1108);
}

TEST(RuleDifferencesTest, ShownOnlyWhileRulesDiffer) {
    RuleDifferencesDialog window;
    EXPECT_EQ(window.windowTitle(), "Rule Differences");
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::CustomizeWindowHint)); // no title buttons
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    auto* header = window.List()->headerItem();
    EXPECT_EQ(header->text(0), "Rule");
    EXPECT_EQ(header->text(1), "Your Setting");
    EXPECT_EQ(header->text(2), "Opponent's Setting");
    const QLabel* text = window.findChild<QLabel*>();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), "The following differences in rules exists between you and your "
                            "opponent. Please resolve these before starting to play by changing "
                            "them in the Options | Rules dialog.");
    EXPECT_EQ(window.HideButton()->text(), "Hide");

    RuleSet theirs;
    theirs.numberOfCards = 2;
    theirs.bonusCounts = true;
    EXPECT_EQ(window.CompareRules(BuildRulesText(RuleSet()), BuildRulesText(theirs)), 2);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.List()->topLevelItem(0)->text(1), "One");
    EXPECT_EQ(window.List()->topLevelItem(0)->text(2), "Two");
    EXPECT_EQ(window.List()->topLevelItem(1)->text(0), "Varenta Bonus counts for initial meld");
    EXPECT_EQ(window.List()->topLevelItem(1)->text(1).toStdString(), "No");
    EXPECT_EQ(window.List()->topLevelItem(1)->text(2).toStdString(), "Yes");

    window.HideButton()->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.CompareRules(BuildRulesText(theirs), BuildRulesText(RuleSet())), 2);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.CompareRules(BuildRulesText(theirs), BuildRulesText(theirs)), 0);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.List()->topLevelItemCount(), 0);
}

} // namespace
} // namespace varenta

// The help: every topic number and every link of the pages reaches an
// existing section, F1 in the table's dialogs opens their sections, and the
// pages' dialog links reach the window command 9999.
#include "TableFixture.h"

#include "varenta/table/ConnectDialog.h"
#include "varenta/table/HelpWindow.h"
#include "varenta/table/NetworkSetupDialog.h"
#include "varenta/table/ResultDialogs.h"

#include <gmock/gmock.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <algorithm>
#include <map>
#include <set>

namespace varenta::testing {
namespace {

QString HelpDir() {
    return QString(CARDGAMES_SOURCE_DIR) + "/resources/varenta/help";
}

QString Page(const QString& name) {
    QFile file(HelpDir() + "/" + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return QString::fromUtf8(file.readAll());
}

// The anchors of every page, by page name.
std::map<QString, std::set<QString>> Anchors() {
    std::map<QString, std::set<QString>> anchors;
    static const QRegularExpression name(R"re(<a\s+name="([^"]+)")re");
    for (const QString& page : QDir(HelpDir()).entryList({"*.html"})) {
        std::set<QString>& names = anchors[page];
        for (const auto& match : name.globalMatch(Page(page))) {
            names.insert(match.captured(1));
        }
    }
    return anchors;
}

bool Reaches(const std::map<QString, std::set<QString>>& anchors, const QString& target) {
    const QString page = target.section('#', 0, 0);
    const QString anchor = target.section('#', 1);
    const auto it = anchors.find(page);
    return it != anchors.end() && (anchor.isEmpty() || it->second.count(anchor) == 1);
}

TEST(HelpPages, EveryTopicKeywordAndLinkReachesASection) {
    const auto anchors = Anchors();
    // The Rules dialog's numbers are fixed; every dialog has one of its own.
    const std::vector<int> numbers = HelpTopicNumbers();
    for (int fixed : {1019, 1020, 1072, 1073, 1074, 1075, 1076, 1077, 1078, 1079, 1080, 1081, 1082,
                      1083, 1104, 1108}) {
        EXPECT_THAT(numbers, ::testing::Contains(fixed));
    }
    for (int topic : numbers) {
        EXPECT_TRUE(Reaches(anchors, HelpTopicUrl(topic))) << topic;
    }
    for (const char* caption :
         {"Customize Varenta", "Rules", "Select Card Back", "Select Card Back Pattern",
          "Varenta Sound", "Select Jukebox Folder", "Varenta Hall of Fame", "Win Ratio",
          "Hand Finished", "Detailed Scoring Results", "Game Over", "Connect to Opponent",
          "Network Setup", "Varenta Chat Window", "Rule Differences", "About Varenta",
          "Load Varenta Game", "Hand Score in Highscore List", "&Varenta Sound"}) {
        EXPECT_TRUE(Reaches(anchors, HelpKeywordUrl(caption))) << caption;
    }
    EXPECT_TRUE(HelpKeywordUrl("Select Colour").isEmpty());
    EXPECT_TRUE(HelpTopicUrl(0).isEmpty());

    // Links between the pages, and the dialogs the pages open.
    static const QRegularExpression link(R"re(<a\s+href="([^"]+)")re");
    std::set<int> commands;
    for (const auto& [page, names] : anchors) {
        for (const auto& match : link.globalMatch(Page(page))) {
            const QString target = match.captured(1);
            if (target.startsWith("command:")) {
                const QUrl url(target);
                EXPECT_EQ(url.path(), "9999") << target.toStdString();
                commands.insert(url.query().toInt());
                continue;
            }
            const QString full = target.startsWith('#') ? page + target : target;
            EXPECT_TRUE(Reaches(anchors, full))
                << page.toStdString() << " -> " << target.toStdString();
        }
    }
    EXPECT_EQ(commands, (std::set<int>{0, 1, 2, 3, 4}));
}

TEST(HelpPages, F1LeadsToTheNearestTopicThenToTheWindowsCaption) {
    QWidget table;
    QDialog dialog(&table);
    dialog.setWindowTitle("Customize Varenta");
    QWidget page(&dialog);
    QWidget control(&page);
    QDialog nameBox(&control); // a box opened by a control of the tab
    nameBox.setWindowTitle("New Player");
    QDialog colour(&dialog);
    colour.setWindowTitle("Select Colour");
    QDialog sound(&table);
    sound.setWindowTitle("Varenta Sound");
    QWidget soundControl(&sound);

    struct Case {
        const char* what;
        QWidget* pressed;
        QString target;
    };
    const auto check = [](std::initializer_list<Case> cases) {
        for (const Case& c : cases) {
            EXPECT_EQ(HelpTargetFor(c.pressed), c.target) << c.what;
        }
    };
    check({{"a dialog found by its caption", &control, "options.html#customize"},
           {"an unknown window", &table, ""}});
    SetHelpTopic(&dialog, topics::kCustomize);
    SetHelpTopic(&page, topics::kCustomizePlayers);
    SetHelpTopic(&soundControl, 4711); // a number the help does not know
    check({{"the tab's topic", &control, "options.html#players"},
           {"the dialog's own topic", &dialog, "options.html#customize"},
           {"a box's caption before its owner's topic", &nameBox, "options.html#players"},
           {"a box without a caption of its own", &colour, "options.html#customize"},
           {"an unknown number gives way to the caption", &soundControl, "options.html#sound"}});
    SetHelpTopic(&control, topics::kNaturalPair);
    check({{"the control's own topic", &control, "rules.html#natural-pair"}});
}

// ---- the table window ---------------------------------------------------------

class HelpTest : public TableFixture {
protected:
    void OpenAnswering() {
        Open();
        window->show();
        window->Dialogs().modal = [this](QDialog& dialog) { Inside(dialog); };
        window->Dialogs().connect = [this](ConnectDialog& dialog) {
            Inside(dialog);
            return false;
        };
        window->Dialogs().networkSetup = [this](NetworkSetupDialog& dialog) {
            Inside(dialog);
            return false;
        };
    }

    // Runs `inside` in the next modal dialog that exec() opens.
    void InNextModal(std::function<void(QDialog&)> then) {
        QTimer::singleShot(0, [this, then] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            then(*dialog);
            dialog->reject();
        });
    }

    void Inside(QDialog& dialog) {
        ++shown;
        if (inside) {
            inside(dialog);
        }
    }

    QString HelpShown() {
        return window->Help()->isVisible() ? window->Help()->CurrentSource().toString() : QString();
    }

    std::function<void(QDialog&)> inside;
    int shown = 0;
};

void PressF1(QDialog& dialog, const char* control) {
    QWidget* target = control[0] != '\0' ? dialog.findChild<QWidget*>(control) : &dialog;
    ASSERT_NE(target, nullptr) << control;
    QTest::keyClick(target, Qt::Key_F1);
}

TEST_F(HelpTest, F1InEachDialogOpensItsSection) {
    store->Write("Player Names\\PlayerName1", "Ann,3,1");
    OpenAnswering();
    struct Case {
        const char* action;
        const char* control; // empty: the dialog itself
        const char* target;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"Customize1", "ckShowStatusbar", "options.html#screen"},
             {"Customize1", "bnOK", "options.html#customize"},
             {"Hiscore1", "rbMatch", "records.html#hiscores"},
             {"WinRatio1", "cbPlayers", "records.html#winratio"},
             {"ConnecttoPartner1", "edNickname", "network.html#connect"},
             {"Network2", "", "network.html#setup"},
         }) {
        window->Help()->close();
        inside = [&c](QDialog& dialog) { PressF1(dialog, c.control); };
        window->Action(c.action)->trigger();
        EXPECT_EQ(HelpShown(), c.target) << c.action << " " << c.control;
    }

    // The result boxes, as the end of a hand opens them.
    HandResult result;
    HandResultDialog hand(result, {}, window.get());
    DetailedScoringDialog details(result, window.get());
    GameOverResult over;
    GameOverDialog gameOver(over, window.get());
    for (const auto& [dialog, target] :
         {std::pair<QDialog*, const char*>{&hand, "scoring.html#hand-result"},
          {&details, "scoring.html#details"},
          {&gameOver, "scoring.html#game-over"}}) {
        PressF1(*dialog, "");
        EXPECT_EQ(HelpShown(), target);
    }
}

TEST(HelpPlace, BesideTheAskingWindowWhereTheScreenHasRoom) {
    const QSize help(640, 560);
    struct Case {
        const char* what;
        QRect asker;
        QPoint at;
        QRect screen = QRect(0, 0, 1920, 1080);
    };
    for (const Case& c : std::initializer_list<Case>{
             {"room on the right", {0, 0, 640, 480}, {648, 0}},
             {"right edge exactly reached", {0, 100, 1272, 480}, {1280, 100}},
             {"one pixel short on the right: left", {700, 100, 573, 480}, {52, 100}},
             {"room on the left only", {1200, 50, 700, 480}, {552, 50}},
             {"no room: over the wider side", {100, 0, 1500, 900}, {1280, 0}},
             {"no room, wider side left", {400, 0, 1500, 900}, {0, 0}},
             {"low asker: help kept on the screen", {0, 800, 400, 250}, {408, 520}},
             {"screen smaller than the help", {0, 0, 400, 300}, {0, 0}, {0, 0, 600, 500}},
             {"a second screen's own coordinates",
              {1920, 0, 640, 480},
              {2568, 0},
              {1920, 0, 1920, 1080}},
         }) {
        EXPECT_EQ(HelpWindow::PlaceBeside(c.asker, help, c.screen), c.at) << c.what;
    }
}

TEST_F(HelpTest, HelpFromAModalDialogIsUsableThereAndStaysOpenAfterIt) {
    OpenAnswering();
    QWidget* owner = nullptr;
    InNextModal([&](QDialog& rules) {
        rules.findChild<QTabWidget*>("pcRules")->setCurrentIndex(1);
        PressF1(rules, "ckNaturalPair");
        owner = window->Help()->parentWidget();
        EXPECT_EQ(owner, &rules) << "a window outside the modal dialog takes no input";
        const QRect screen = rules.screen()->availableGeometry();
        EXPECT_EQ(window->Help()->pos(),
                  HelpWindow::PlaceBeside(rules.frameGeometry(),
                                          window->Help()->frameGeometry().size(), screen))
            << "beside the dialog that asked, not at the screen's corner";
    });
    window->Action("Rules1")->trigger();
    EXPECT_NE(owner, nullptr);
    EXPECT_EQ(window->Help()->parentWidget(), window.get());
    EXPECT_EQ(HelpShown(), "rules.html#natural-pair");
}

TEST_F(HelpTest, DialogLinksOfThePagesReachTheWindowCommand) {
    OpenAnswering();
    window->Action("HelpTopics1")->trigger();
    QTextBrowser* browser = window->Help()->Browser();
    QString tab;
    inside = [&](QDialog& dialog) {
        auto* tabs = dialog.findChild<QTabWidget*>("pcCustomize");
        tab = tabs->tabText(tabs->currentIndex());
    };
    const auto follow = [&](const QString& link) {
        tab.clear();
        if (link.contains("9999?2") || link.contains("9999?3") || link.contains("9999?4")) {
            InNextModal([&](QDialog& rules) {
                auto* tabs = rules.findChild<QTabWidget*>("pcRules");
                tab = tabs->tabText(tabs->currentIndex());
            });
        }
        emit browser->anchorClicked(QUrl(link));
        return tab;
    };
    for (const auto& [link, shownTab] :
         {std::pair<const char*, const char*>{"command:9999?0", "Players"},
          {"command:9999?1", "General"},
          {"command:9999?2", "Red Threes"},
          {"command:9999?3", "General"},
          {"command:9999?4", "Discard Pile"},
          {"command:9999?5", ""},
          {"command:9998?0", ""},
          {"command:9999", ""}}) {
        EXPECT_EQ(follow(link), shownTab) << link;
    }
    EXPECT_EQ(shown, 2) << "only the two Customize links opened it";

    // A link followed while a dialog is open does not open a second one.
    bool refused = false;
    InNextModal([&](QDialog&) { refused = !window->Command(9999, 3); });
    window->Action("Rules1")->trigger();
    EXPECT_TRUE(refused);
}

TEST_F(HelpTest, EveryMenuItemIsThereInOrderWithItsShortcutAndHint) {
    OpenAnswering();
    struct Item {
        const char* menu;
        const char* name;
        const char* caption;
        QKeySequence shortcut;
        const char* hint;
    };
    const std::vector<Item> items = {
        {"&Game", "New1", "&New", Qt::Key_F2, "Start a new Varenta game"},
        {"&Game", "Load1", "&Load...", Qt::Key_F3, "Load a saved Varenta game from disk"},
        {"&Game", "Save1", "&Save...", Qt::Key_F4, "Save the current Varenta game to disk"},
        {"&Game", "Hiscore1", "&Hiscores...", {}, "Show the Top Ten highscores"},
        {"&Game", "WinRatio1", "&Win Ratio...", {}, "Show the player's win/loss ratio "},
        {"&Game", "UndoMeld1", "&Undo Meld", Qt::Key_Delete, "Undo the last meld, if any"},
        {"&Game", "UndoAll1", "Undo &All", Qt::CTRL | Qt::Key_Delete,
         "Undo all melds since your last discard or taking of the discard pile, if any"},
        {"&Game", "Exit1", "E&xit", {}, "Exit Varenta"},
        {"&Options",
         "Customize1",
         "&Customize...",
         {},
         "Create players, set the computer level and change the window size and color"},
        {"&Options",
         "Rules1",
         "&Rules...",
         {},
         "Adjust the rules of Varenta to your local variant"},
        {"&Network",
         "ConnecttoPartner1",
         "&Connect to Opponent...",
         {},
         "Connect to another person over a network"},
        {"&Network",
         "ShowRuleDifferences1",
         "&Rule Differences...",
         {},
         "Shows the differences in rule settings between you and your opponent, if there are "
         "any"},
        {"&Network", "StopWaiting1", "&Disconnect", {}, "Cancel network connection"},
        {"&Network",
         "HideChatWindow1",
         "&Hide Chat Window",
         {},
         "Hide the chat window during a network game"},
        {"&Network", "Network2", "&Setup...", {}, "Set information needed for email connections"},
        {"&Help", "HelpTopics1", "&Help Topics", Qt::Key_F1, ""},
        {"&Help", "About1", "&About...", {}, ""},
    };
    // The items in menu order; items of other menus may lie between them.
    std::vector<QAction*> shown;
    for (QAction* menu : window->menuBar()->actions()) {
        for (QAction* action : menu->menu()->actions()) {
            if (!action->isSeparator()) {
                action->setProperty("menuCaption", menu->text());
                shown.push_back(action);
            }
        }
    }
    auto at = shown.begin();
    for (const Item& item : items) {
        at = std::find_if(at, shown.end(),
                          [&](QAction* action) { return action->objectName() == item.name; });
        ASSERT_NE(at, shown.end()) << item.name << " missing or out of order";
        QAction* action = *at;
        EXPECT_EQ(action->property("menuCaption").toString(), item.menu) << item.name;
        EXPECT_EQ(action->text(), item.caption) << item.name;
        EXPECT_EQ(action->shortcut(), item.shortcut) << item.name;
        EXPECT_EQ(action->statusTip(), item.hint) << item.name;
    }
}

TEST_F(HelpTest, AboutPlaysItsTuneWhileTheBoxIsOpenWhenSoundIsOn) {
    for (const bool on : {true, false}) {
        store->Write("Settings\\Sound", on);
        OpenAnswering();
        sound.played.clear();
        QString caption;
        InNextModal([&](QDialog& about) { caption = about.windowTitle(); });
        window->Action("About1")->trigger();
        EXPECT_EQ(caption, "About Varenta");
        EXPECT_EQ(sound.played,
                  on ? std::vector<std::string>{"/media/about.wav"} : std::vector<std::string>{});
    }
}

} // namespace
} // namespace varenta::testing

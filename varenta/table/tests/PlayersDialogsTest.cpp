// Players, win ratio, Hall of Fame and the Customize dialog, offscreen, with
// every modal window answered by the test.
#include "TableFixture.h"

#include "varenta/store/Players.h"
#include "varenta/table/CustomizeDialog.h"
#include "varenta/table/HighScoresDialog.h"
#include "varenta/table/TableTexts.h"
#include "varenta/table/WinRatioDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <deque>

namespace varenta::testing {
namespace {

class PlayersTest : public TableFixture {
protected:
    std::deque<std::optional<QString>> answers; // to the input boxes, in turn
    std::vector<QString> inputTitles;
    std::function<void(QDialog&)> onModal;
    int modals = 0;

    void OpenWith(std::initializer_list<const char*> stored) {
        int n = 1;
        for (const char* value : stored) {
            store->Write("Player Names\\PlayerName" + QString::number(n++), value);
        }
        Open();
        window->Dialogs().input = [this](const QString& title, const QString&,
                                         const QString& text) -> std::optional<QString> {
            inputTitles.push_back(title);
            if (answers.empty()) {
                return text;
            }
            std::optional<QString> answer = answers.front();
            answers.pop_front();
            return answer;
        };
        window->Dialogs().modal = [this](QDialog& dialog) {
            ++modals;
            if (onModal) {
                onModal(dialog);
            }
        };
    }

    template <typename W> static W* Child(QObject& parent, const char* name) {
        auto* child = parent.findChild<W*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
};

// ---- high scores ------------------------------------------------------------------

TEST_F(PlayersTest, AWonHandAsksTheNameOnceAndShowsTheTableWithTheRowInBold) {
    OpenWith({"Ann,0,0"});
    answers = {QString("Annie")};
    int bold = 0;
    QString shownName;
    std::vector<HighScoreType> shown;
    onModal = [&](QDialog& dialog) {
        auto& hall = dynamic_cast<HighScoresDialog&>(dialog);
        bold = 0;
        for (int row = 1; row <= 10; ++row) {
            bold += hall.RowBold(row) ? row : 0;
        }
        shownName = hall.CellText(1, 1);
        shown.push_back(hall.ShownType());
    };
    sound.played.clear();
    window->Records().RecordHandResult(700);
    EXPECT_EQ(inputTitles, (std::vector<QString>{"Hand Score in Highscore List"}));
    EXPECT_EQ(sound.played, (std::vector<std::string>{"/media/exelnt.wav"}));
    EXPECT_EQ(bold, 1);
    EXPECT_EQ(shownName, "Annie");
    // The game ends with the same hand: the match entry takes the name given.
    window->Records().RecordGameResult(GameOutcome::PlayerWon, 2000);
    EXPECT_EQ(inputTitles.size(), 1u);
    EXPECT_EQ(store->ReadString("BeginnerMatch\\Name1", ""), "Annie");
    EXPECT_EQ(store->ReadInteger("Beginner\\Score1", 0), 700);
    EXPECT_EQ(window->Records().Players().players[0].ratio, (WinRatio{1, 0}));
    EXPECT_EQ(store->ReadString("Player Names\\PlayerName1", ""), "Ann,1,0");
    // The next hand asks again; the box's prefilled name is kept.
    window->Records().RecordHandResult(700);
    EXPECT_EQ(inputTitles.size(), 2u);
    EXPECT_EQ(bold, 2); // below the equal score
    EXPECT_EQ(window->Records().Scores().Table(0, HighScoreType::Hand)[1].name, "Ann");
    EXPECT_EQ(shown, (std::vector<HighScoreType>{HighScoreType::Hand, HighScoreType::Match,
                                                 HighScoreType::Hand}));
}

TEST_F(PlayersTest, LostHandsNameTheOpponentAndTiesNeverEnter) {
    OpenWith({});
    window->Records().RecordHandResult(-300);
    window->Records().RecordHandResult(0);
    window->Records().RecordGameResult(GameOutcome::Draw, 0);
    const HighScoreTable& hand = window->Records().Scores().Table(0, HighScoreType::Hand);
    EXPECT_EQ(hand[0].score, 300);
    EXPECT_EQ(hand[0].name, "Computer");
    EXPECT_EQ(hand[1].score, 0);
    EXPECT_TRUE(inputTitles.empty());
    EXPECT_EQ(modals, 1);
    EXPECT_EQ(window->Records().Scores().Table(0, HighScoreType::Match)[0].score, 0);
}

TEST_F(PlayersTest, WithoutShowHighscoresNothingIsAskedOrShownButTheScoreIsKept) {
    store->Write("Settings\\Show Highscores", false);
    OpenWith({"Ann,0,0"});
    sound.played.clear();
    window->Records().RecordHandResult(450);
    EXPECT_TRUE(inputTitles.empty());
    EXPECT_EQ(modals, 0);
    EXPECT_TRUE(sound.played.empty());
    EXPECT_EQ(store->ReadString("Beginner\\Name1", ""), "Ann");
    EXPECT_FALSE(store->ReadString("Beginner\\Date1", "").isEmpty());
}

TEST_F(PlayersTest, ResultsAFullDiskRefusedAreShownKeptAndWrittenWithTheNextWrite) {
    OpenWith({"Ann,4,4"});
    bool full = true;
    store->SetBeforeReplaceHook([&full] {
        if (full) {
            throw SettingsError::FromCode(ENOSPC);
        }
    });
    const auto stored = [this](const char* name) {
        return SettingsFile(store->FileName()).ReadString(QString::fromLatin1(name), "-");
    };
    const TableRecords& records = window->Records();
    window->Records().RecordHandResult(500);
    window->Records().RecordGameResult(GameOutcome::PlayerWon, 1000);
    // The hand's and the match's high score and the win: one box each, with
    // the system's reason under the code.
    const QString box = QStringLiteral("Reg Error: 0000001C\n") + std::strerror(ENOSPC);
    EXPECT_EQ(messages, std::vector<QString>(3, box));
    EXPECT_EQ(records.Scores().Table(0, HighScoreType::Hand)[0].score, 500);
    EXPECT_EQ(records.Scores().Table(0, HighScoreType::Match)[0].score, 1000);
    EXPECT_EQ(records.Players().players[0].ratio, (WinRatio{5, 4}));
    EXPECT_EQ(stored("Beginner\\Score1"), "-");
    EXPECT_EQ(stored("Player Names\\PlayerName1"), "Ann,4,4");

    // The next write that succeeds takes everything kept with it, once.
    full = false;
    window->Records().RecordHandResult(300);
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_EQ(stored("Beginner\\Score1"), "500");
    EXPECT_EQ(stored("Beginner\\Score2"), "300");
    EXPECT_EQ(stored("BeginnerMatch\\Score1"), "1000");
    EXPECT_EQ(stored("Player Names\\PlayerName1"), "Ann,5,4");
    EXPECT_EQ(records.Players().players[0].ratio, (WinRatio{5, 4}));
    EXPECT_FALSE(records.HasUnsaved());

    // Or, when no other write comes, the end of the program.
    full = true;
    window->Records().RecordGameResult(GameOutcome::PlayerLost, 0);
    EXPECT_EQ(messages.size(), 4u);
    full = false;
    window->close();
    EXPECT_EQ(stored("Player Names\\PlayerName1"), "Ann,5,5");
}

TEST_F(PlayersTest, HallOfFameSwitchesTablesAndClearsOnlyTheOneShown) {
    store->Write("Settings\\Level", "Expert");
    store->Write("Settings\\Show Highscores", false);
    OpenWith({});
    window->Records().RecordHandResult(100);
    window->Records().RecordGameResult(GameOutcome::PlayerWon, 900);
    onModal = [&](QDialog& dialog) {
        auto& hall = dynamic_cast<HighScoresDialog&>(dialog);
        EXPECT_EQ(hall.windowTitle(), "Varenta Hall of Fame");
        EXPECT_EQ(hall.ShownLevel(), 2);
        EXPECT_EQ(hall.CellText(1, 3), "100");
        EXPECT_EQ(hall.CellText(2, 0), "2");
        EXPECT_EQ(hall.CellText(2, 3), "");
        Child<QRadioButton>(hall, "rbMatch")->setChecked(true);
        EXPECT_EQ(hall.CellText(1, 3), "900");
        Child<QPushButton>(hall, "bnClear")->click();
        EXPECT_EQ(hall.CellText(1, 3), "");
        Child<QRadioButton>(hall, "rbHand")->setChecked(true);
        EXPECT_EQ(hall.CellText(1, 3), "100");
    };
    window->Action("Hiscore1")->trigger();
    EXPECT_EQ(modals, 1);
    EXPECT_EQ(questions,
              (std::vector<QString>{
                  "Are you sure you want to clear all highscores for the Expert level?"}));
    EXPECT_FALSE(store->KeyExists("ExpertMatch"));
    EXPECT_EQ(store->ReadInteger("Expert\\Score1", 0), 100);
}

// ---- win ratio ------------------------------------------------------------------

TEST_F(PlayersTest, WinRatioShowsEachPlayerAndResetsOne) {
    OpenWith({});
    window->Action("WinRatio1")->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].startsWith("There are no players defined"));
    EXPECT_EQ(modals, 0);

    store->Write("Player Names\\PlayerName1", "Ann,12,3");
    store->Write("Player Names\\PlayerName2", "Bob,0,0");
    OpenWith({});
    onModal = [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Win Ratio");
        auto* players = Child<QComboBox>(dialog, "cbPlayers");
        EXPECT_EQ(players->currentText(), "Ann");
        EXPECT_EQ(Child<QLabel>(dialog, "lbWins")->text(), "12");
        EXPECT_EQ(Child<QLabel>(dialog, "lbLosses")->text(), "3");
        EXPECT_EQ(Child<QLabel>(dialog, "lbRatio")->text(), "80");
        players->setCurrentIndex(1);
        EXPECT_EQ(Child<QLabel>(dialog, "lbRatio")->text(), "?");
        players->setCurrentIndex(0);
        Child<QPushButton>(dialog, "bnReset")->click();
        EXPECT_EQ(Child<QLabel>(dialog, "lbRatio")->text(), "?");
    };
    window->Action("WinRatio1")->trigger();
    EXPECT_EQ(questions.back(), "Do you want to reset the win ratio statistics for player Ann?");
    EXPECT_EQ(store->ReadString("Player Names\\PlayerName1", ""), "Ann,0,0");
    EXPECT_EQ(store->ReadString("Player Names\\PlayerName2", ""), "Bob,0,0");
}

// ---- Customize ------------------------------------------------------------------

TEST(CustomizeMappingTest, MeldingPositionAndDelay) {
    const struct {
        int delay, position;
    } opening[] = {{300, 9}, {0, 10},  {3000, 0},  {450, 9},
                   {599, 9}, {600, 8}, {10000, 0}, {-5, 10}};
    for (const auto& c : opening) {
        EXPECT_EQ(CustomizeDialog::DelayPosition(c.delay), c.position) << c.delay;
    }
    const struct { int position, delay; } storing[] = {{10, 0}, {0, 3000}, {9, 300}, {5, 1500}};
    for (const auto& c : storing) {
        EXPECT_EQ(CustomizeDialog::PositionDelay(c.position), c.delay) << c.position;
    }
}

TEST_F(PlayersTest, CustomizeShowsTheSettingsAndStoresThemOnApplyButNotOnCancel) {
    store->Write("Settings\\Delay", 450);
    store->Write("Settings\\Card Movement", false);
    store->Write("Settings\\Mouse options", "Double Right Click");
    store->Write("Settings\\Level", "Advanced");
    OpenWith({"Ann,1,2"});
    S().gameInProgress = false;
    onModal = [&](QDialog& dialog) {
        auto& c = dynamic_cast<CustomizeDialog&>(dialog);
        EXPECT_EQ(c.windowTitle(), "Customize Varenta");
        auto* tabs = Child<QTabWidget>(c, "pcCustomize");
        QStringList tabNames;
        for (int i = 0; i < tabs->count(); ++i) {
            tabNames << tabs->tabText(i);
        }
        EXPECT_EQ(tabNames, (QStringList{"Screen", "Players", "Level", "General"}));
        EXPECT_EQ(Child<QSlider>(c, "tbDelay")->value(), 9);
        EXPECT_TRUE(Child<QCheckBox>(c, "ckCardMoves")->isChecked());
        EXPECT_FALSE(Child<QSlider>(c, "tbCardMoves")->isEnabled());
        EXPECT_TRUE(Child<QRadioButton>(c, "rbTwoClicks")->isChecked());
        EXPECT_TRUE(Child<QRadioButton>(c, "rbAdvanced")->isChecked());
        EXPECT_FALSE(Child<QSlider>(c, "tbAggressive")->isEnabled());
        EXPECT_TRUE(Child<QLabel>(c, "lbWarning")->isHidden());
        EXPECT_EQ(c.CurrentPlayerShown(), "Ann");
        auto* apply = Child<QPushButton>(c, "bnApply");
        EXPECT_FALSE(apply->isEnabled());

        Child<QRadioButton>(c, "rbExpert")->setChecked(true);
        EXPECT_TRUE(Child<QSlider>(c, "tbAggressive")->isEnabled());
        Child<QSlider>(c, "tbAggressive")->setValue(80);
        EXPECT_EQ(Child<QLabel>(c, "lbAggressive")->text(), "80");
        Child<QSlider>(c, "tbDelay")->setValue(10);
        Child<QCheckBox>(c, "ckCardMoves")->setChecked(false);
        EXPECT_TRUE(Child<QSlider>(c, "tbCardMoves")->isEnabled());
        Child<QSlider>(c, "tbCardMoves")->setValue(4);
        Child<QRadioButton>(c, "rbOneClick")->setChecked(true);
        Child<QRadioButton>(c, "rb800")->setChecked(true);
        Child<QCheckBox>(c, "ckShowStatusbar")->setChecked(false);
        EXPECT_TRUE(apply->isEnabled());
        apply->click();
        EXPECT_FALSE(apply->isEnabled());
        // Taken over at once, before the dialog closes.
        EXPECT_EQ(window->Layout(), 1);
        EXPECT_EQ(window->ComputerLevelIndex(), 2);

        Child<QSlider>(c, "tbDelay")->setValue(0);
        c.reject(); // this change is not kept
    };
    window->Action("Customize1")->trigger();
    EXPECT_EQ(modals, 1);
    EXPECT_EQ(store->ReadInteger("Settings\\Delay", -1), 0);
    EXPECT_EQ(store->ReadString("Settings\\Level", ""), "Expert");
    EXPECT_EQ(store->ReadInteger("Settings\\Aggression", -1), 80);
    EXPECT_EQ(store->ReadString("Settings\\Mouse Options", ""), "Single Right Click");
    EXPECT_TRUE(store->ReadBool("Settings\\Card Movement", false));
    EXPECT_EQ(store->ReadInteger("Settings\\Card Speed", -1), 4);
    EXPECT_FALSE(store->ReadBool("Settings\\Show Statusbar", true));
    const TableOptions now = window->Options();
    EXPECT_EQ(now.meldDelay, 0);
    EXPECT_EQ(now.mouseOption, 0);
    EXPECT_FALSE(window->StatusLine()->isVisibleTo(window.get()));
}

TEST_F(PlayersTest, AGameInProgressLocksTheLevelEvenForTheExpert) {
    store->Write("Settings\\Level", "Expert");
    OpenWith({});
    S().gameInProgress = true;
    onModal = [&](QDialog& dialog) {
        EXPECT_FALSE(Child<QWidget>(dialog, "rgLevel")->isEnabled());
        EXPECT_FALSE(Child<QSlider>(dialog, "tbAggressive")->isEnabled());
        EXPECT_FALSE(Child<QLabel>(dialog, "lbWarning")->isHidden());
        // Layouts above the screen's limit are not offered.
        EXPECT_TRUE(Child<QRadioButton>(dialog, "rb1280")->isEnabled());
    };
    window->Action("Customize1")->trigger();
    EXPECT_EQ(modals, 1);
}

TEST_F(PlayersTest, PlayerButtonsWorkOnACopyThatOkStoresWithTheCurrentPlayerFirst) {
    OpenWith({"Ann,12,3", "Bob,1,1", "Carl,4,5"});
    answers = {QString("Smith, John"), QString("  Dora  "), QString("Bob"), QString("Bobby"),
               std::nullopt};
    onModal = [&](QDialog& dialog) {
        auto& c = dynamic_cast<CustomizeDialog&>(dialog);
        auto* list = Child<QListWidget>(c, "lbPlayers");
        c.NewPlayerClick(); // refused: a comma
        c.NewPlayerClick(); // "Dora", trimmed
        EXPECT_EQ(list->count(), 4);
        EXPECT_EQ(list->currentItem()->text(), "Dora");
        c.RenamePlayerClick();                     // refused: Bob exists
        c.RenamePlayerClick();                     // Dora becomes Bobby
        EXPECT_EQ(list->item(2)->text(), "Bobby"); // sorted by name
        c.RenamePlayerClick();                     // cancelled
        list->setCurrentRow(3);                    // Carl
        c.SetCurrentClick();
        EXPECT_EQ(c.CurrentPlayerShown(), "Carl");
        list->setCurrentRow(2);
        c.DeletePlayerClick(); // Bobby goes; the first is selected and current
        EXPECT_EQ(c.CurrentPlayerShown(), "Ann");
        list->setCurrentRow(2);
        c.SetCurrentClick();
        c.accept();
    };
    window->Action("Customize1")->trigger();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[0].contains("comma"));
    EXPECT_TRUE(messages[1].contains("already a player named \"Bob\""));
    EXPECT_EQ(store->ReadString("Player Names\\PlayerName1", ""), "Carl,4,5");
    EXPECT_EQ(store->ReadString("Player Names\\PlayerName2", ""), "Ann,12,3");
    EXPECT_EQ(store->ReadString("Player Names\\PlayerName3", ""), "Bob,1,1");
    EXPECT_FALSE(store->ValueExists("Player Names", "PlayerName4"));
    EXPECT_EQ(window->Records().Players().CurrentName(), "Carl");
}

TEST_F(PlayersTest, AMouseClickOnAPlayerEnablesTheButtonsThatNeedASelection) {
    OpenWith({"Ann,1,0", "Bob,0,1", "Carl,2,2"});
    onModal = [&](QDialog& dialog) {
        auto& c = dynamic_cast<CustomizeDialog&>(dialog);
        Child<QTabWidget>(c, "pcCustomize")->setCurrentIndex(1);
        c.show();
        auto* list = Child<QListWidget>(c, "lbPlayers");
        auto* setCurrent = Child<QPushButton>(c, "bnSetCurrent");
        auto* resetStats = Child<QPushButton>(c, "bnResetStats");
        for (const int row : {1, 2, 0, 2}) {
            const QRect at = list->visualItemRect(list->item(row));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at.center());
            EXPECT_TRUE(list->item(row)->isSelected()) << row;
            EXPECT_TRUE(setCurrent->isEnabled()) << row;
            EXPECT_TRUE(resetStats->isEnabled()) << row;
        }
        list->clearSelection(); // nothing selected: nothing to act on
        EXPECT_FALSE(setCurrent->isEnabled());
        EXPECT_FALSE(resetStats->isEnabled());
        c.reject();
    };
    window->Action("Customize1")->trigger();
    EXPECT_EQ(modals, 1);
}

TEST_F(PlayersTest, RenamingTheCurrentPlayerKeepsItCurrentAndDeletingTheLastLeavesNobody) {
    OpenWith({"Ann,1,0", "Bob,0,1"});
    answers = {QString("Anna")};
    onModal = [&](QDialog& dialog) {
        auto& c = dynamic_cast<CustomizeDialog&>(dialog);
        c.RenamePlayerClick(); // Ann, selected as the current player
        EXPECT_EQ(c.CurrentPlayerShown(), "Anna");
        c.DeletePlayerClick();
        c.DeletePlayerClick();
        EXPECT_EQ(c.CurrentPlayerShown(), "Player");
        EXPECT_FALSE(Child<QPushButton>(c, "bnDelete")->isEnabled());
        EXPECT_FALSE(Child<QPushButton>(c, "bnRename")->isEnabled());
        c.reject();
    };
    window->Action("Customize1")->trigger();
    EXPECT_EQ(window->Records().Players().CurrentName(), "Ann"); // cancelled: nothing changed

    answers = {QString("Anna")};
    onModal = [&](QDialog& dialog) {
        auto& c = dynamic_cast<CustomizeDialog&>(dialog);
        c.RenamePlayerClick();
        c.accept();
    };
    window->Action("Customize1")->trigger();
    EXPECT_EQ(window->Records().Players().CurrentName(), "Anna");
    EXPECT_EQ(store->ReadString("Player Names\\PlayerName1", ""), "Anna,1,0");
}

TEST_F(PlayersTest, ResetStatsTakesEffectAtOnceEvenWhenCancelledAndSurvivesOk) {
    OpenWith({"Ann,12,3", "Bob,2,2"});
    for (const bool ok : {false, true}) {
        onModal = [&](QDialog& dialog) {
            auto& c = dynamic_cast<CustomizeDialog&>(dialog);
            c.ResetStatsClick(); // Ann is selected
            ok ? c.accept() : c.reject();
        };
        window->Action("Customize1")->trigger();
        EXPECT_EQ(window->Records().Players().players[0].ratio, (WinRatio{0, 0})) << ok;
        EXPECT_EQ(store->ReadString("Player Names\\PlayerName1", ""), "Ann,0,0") << ok;
        EXPECT_EQ(store->ReadString("Player Names\\PlayerName2", ""), "Bob,2,2") << ok;
        store->Write("Player Names\\PlayerName1", "Ann,12,3");
        window->Records().TakePlayers(LoadPlayers(*store));
    }
}

TEST_F(PlayersTest, AutoSaveOffDeletesTheAutosaveFile) {
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QDir().mkpath(data.path() + "/varenta");
    const QString autosave = data.path() + "/varenta/autosave.var";
    OpenWith({});
    for (const bool autoSave : {true, false}) {
        { QFile(autosave).open(QIODevice::WriteOnly); }
        onModal = [&](QDialog& dialog) {
            Child<QCheckBox>(dialog, "ckSaveExit")->setChecked(autoSave);
            Child<QPushButton>(dialog, "bnApply")->click();
            EXPECT_EQ(QFile::exists(autosave), autoSave);
        };
        window->Action("Customize1")->trigger();
    }
    EXPECT_FALSE(window->AutoSave());
    qunsetenv("XDG_DATA_HOME");
}

TEST_F(PlayersTest, MenuItemsAndTheWindowCommandsOpenTheRightTab) {
    OpenWith({});
    EXPECT_EQ(window->Action("Hiscore1")->statusTip(), "Show the Top Ten highscores");
    EXPECT_EQ(window->Action("WinRatio1")->statusTip(), "Show the player's win/loss ratio ");
    EXPECT_EQ(window->Action("Customize1")->statusTip(),
              "Create players, set the computer level and change the window size and color");
    std::vector<int> tabs;
    onModal = [&](QDialog& dialog) {
        auto* pages = Child<QTabWidget>(dialog, "pcCustomize");
        tabs.push_back(pages->currentIndex());
        if (tabs.size() == 2) {
            pages->setCurrentIndex(2);
        }
    };
    window->WindowCommand(0);
    window->WindowCommand(1);
    window->Action("Customize1")->trigger(); // where it was last closed
    EXPECT_EQ(tabs, (std::vector<int>{1, 3, 2}));
}

} // namespace
} // namespace varenta::testing

// The table window's card backs, sound dialog and music.
#include "TableFixture.h"

#include "varenta/table/CardBackDialog.h"
#include "varenta/table/HelpTopics.h"
#include "varenta/table/SoundDialog.h"

#include <gmock/gmock.h>

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest/QTest>

#include <filesystem>
#include <fstream>

namespace varenta::testing {
namespace {

using ::testing::ElementsAre;

class MediaTest : public TableFixture {
protected:
    QTemporaryDir tunes;
    std::vector<QString> openCaptions;
    QString chosenFile;

    MediaTest() {
        for (const char* name : {"one.mid", "two.mid"}) {
            std::ofstream(tunes.filePath(name).toStdString()) << "MThd";
        }
        customize = [this](TableServices& services) { services.musicDir = tunes.path(); };
    }
    void OpenTable() {
        Open();
        window->Dialogs().openFile = [this](const QString& caption, const QString&,
                                            const QString&) {
            openCaptions.push_back(caption);
            return chosenFile;
        };
        window->Dialogs().chooseFolder = [this](const QString& caption, const QString&) {
            openCaptions.push_back(caption);
            return tunes.path();
        };
    }
    static std::string Name(const std::string& path) {
        return std::filesystem::path(path).filename().string();
    }
};

TEST_F(MediaTest, OptionsMenuNamesBothCommandsWithTheirHints) {
    OpenTable();
    struct Case {
        const char* name;
        const char* caption;
        const char* hint;
    };
    for (const Case& c :
         {Case{"Decks1", "&Decks...", "Select a color or image for the backside of the cards"},
          Case{"Sound1", "&Sound...",
               "Enable or disable sound and music, and select sound effects and melodies"}}) {
        QAction* action = window->Action(c.name);
        ASSERT_NE(action, nullptr) << c.name;
        EXPECT_EQ(action->text(), c.caption);
        EXPECT_EQ(action->statusTip(), c.hint);
    }
}

TEST_F(MediaTest, MusicStartsWithTheTableAndEachEndPlaysTheNextTune) {
    OpenTable();
    ASSERT_EQ(music.played.size(), 1u) << "the jukebox folder is the music folder";
    music.End();
    music.End(); // the list is used up: scanned and shuffled again
    ASSERT_EQ(music.played.size(), 3u);
    EXPECT_NE(Name(music.played[0]), Name(music.played[1]));
    window->close();
    const std::size_t played = music.played.size();
    music.End();
    EXPECT_EQ(music.played.size(), played) << "closing stops the music for good";
}

TEST_F(MediaTest, MusicPlaysBeforeTheComputerTakesTheGamesFirstTurn) {
    // Dealing the first hand runs the computer's whole turn when it draws
    // first, pauses and all; the music must not wait for that turn to end.
    int computerFirst = 0;
    for (int seed = 1; seed <= 30 && computerFirst < 2; ++seed) {
        customize = [this, seed](TableServices& services) {
            services.musicDir = tunes.path();
            services.seed = static_cast<std::uint64_t>(seed);
        };
        music.played.clear();
        opponent.turns = 0;
        std::size_t playedDuringFirstTurn = 0;
        opponent.during = [&](VarentaEngine&) {
            if (opponent.turns == 1) {
                playedDuringFirstTurn = music.played.size();
            }
        };
        Open();
        if (opponent.turns > 0) {
            ++computerFirst;
            EXPECT_EQ(playedDuringFirstTurn, 1u) << "seed " << seed;
        }
        window.reset();
    }
    EXPECT_EQ(computerFirst, 2) << "no seed let the computer begin";
}

TEST_F(MediaTest, SoundDialogEditsTheEventsAndOkStoresAndRestartsTheMusic) {
    OpenTable();
    chosenFile = "/sounds/new";
    window->Dialogs().modal = [this](QDialog& shown) {
        auto& dialog = dynamic_cast<SoundDialog&>(shown);
        auto* list = dialog.findChild<QListWidget*>("lbSounds");
        auto* add = dialog.findChild<QPushButton*>("bnAdd");
        auto* remove = dialog.findChild<QPushButton*>("bnRemove");
        dialog.SelectEvent(7); // "Lose Match": toobad.wav, haha.wav
        EXPECT_EQ(list->count(), 2);
        QTest::keyClick(list, Qt::Key_Insert);
        EXPECT_EQ(list->count(), 3);
        EXPECT_EQ(list->item(2)->text(), "/sounds/new.wav") << "the filter's extension";
        EXPECT_FALSE(add->isEnabled()) << "three files at most";
        QTest::keyClick(list, Qt::Key_Insert);
        EXPECT_EQ(openCaptions.size(), 1u) << "Insert only while Add could be pressed";
        dialog.SelectSound(2);
        dialog.PlayClick();
        EXPECT_EQ(sound.played.back(), "/sounds/new.wav");
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(list, Qt::Key_Delete);
        }
        EXPECT_EQ(list->count(), 0);
        EXPECT_FALSE(remove->isEnabled());
        dialog.SelectEvent(0);
        dialog.DefaultClick();
        dialog.findChild<QCheckBox*>("ckSound")->setChecked(false);
        dialog.JukeboxFolderClick();
        EXPECT_TRUE(dialog.findChild<QRadioButton*>("rbJukebox")->isChecked());
        dialog.accept();
    };
    const int stops = music.stops;
    window->Action("Sound1")->trigger();
    EXPECT_EQ(store->ReadString("Sound\\Lose Match1", ""), "<none>");
    EXPECT_FALSE(store->ValueExists("Sound", "Lose Match2"));
    EXPECT_EQ(store->ReadString("Sound\\Deal1", ""), "shufl.wav");
    EXPECT_FALSE(store->ReadBool("Settings\\Sound", true));
    EXPECT_EQ(store->ReadString("Music\\Dir", ""), tunes.path());
    EXPECT_FALSE(window->Media().Sounds().Enabled());
    EXPECT_GT(music.stops, stops);
    EXPECT_EQ(music.played.size(), 2u) << "OK starts the music again";
}

TEST_F(MediaTest, SoundDialogCancelKeepsTheEditsForThisRunOnly) {
    OpenTable();
    window->Dialogs().modal = [](QDialog& shown) {
        auto& dialog = dynamic_cast<SoundDialog&>(shown);
        dialog.SelectEvent(1);
        dialog.RemoveClick();
        dialog.findChild<QCheckBox*>("ckMusic")->setChecked(false);
        dialog.reject();
    };
    window->Action("Sound1")->trigger();
    EXPECT_TRUE(window->Media().Sounds().Files(1).empty()) << "the edit acts at once";
    EXPECT_FALSE(store->KeyExists("Sound")) << "but is stored only by OK";
    EXPECT_TRUE(window->Media().Music().Settings().enabled);
}

TEST_F(MediaTest, SwitchingMusicOffAndToASingleFile) {
    OpenTable();
    chosenFile = tunes.filePath("two.mid");
    auto run = [this](bool enabled) {
        window->Dialogs().modal = [this, enabled](QDialog& shown) {
            auto& dialog = dynamic_cast<SoundDialog&>(shown);
            dialog.MusicFileClick();
            EXPECT_TRUE(dialog.findChild<QRadioButton*>("rbSingle")->isChecked());
            EXPECT_EQ(dialog.findChild<QLineEdit*>("edFile")->text(), chosenFile)
                << "the name keeps its letters as chosen";
            dialog.findChild<QCheckBox*>("ckMusic")->setChecked(enabled);
            dialog.accept();
        };
        window->Action("Sound1")->trigger();
    };
    run(false);
    EXPECT_FALSE(music.playing);
    EXPECT_EQ(store->ReadInteger("Settings\\Music Type", 1), 0);
    music.played.clear();
    run(true);
    EXPECT_THAT(music.played, ElementsAre(chosenFile.toStdString()));
    music.End();
    EXPECT_EQ(music.played.size(), 2u) << "a single file plays over and over";
}

TEST_F(MediaTest, DecksDialogRepaintsTheBacksAndAMissingPictureIsReportedOnce) {
    store->WriteValues({{"Cardback\\Type1", 2}, {"Cardback\\Filename1", "/gone/picture.bmp"}});
    OpenTable();
    ASSERT_EQ(messages.size(), 1u) << "said when the table is up";
    EXPECT_TRUE(messages[0].contains("/gone/picture.bmp"));
    window->ApplyLayout(1);
    EXPECT_EQ(messages.size(), 1u) << "not again for a new layout";
    window->Dialogs().choosePattern = [](int) { return std::optional<int>(8); };
    window->Dialogs().modal = [](QDialog& shown) {
        auto& dialog = dynamic_cast<CardBackDialog&>(shown);
        dialog.SelectDeck(1);
        dialog.SelectType(kCardBackPattern);
        dialog.ChangeClick();
        dialog.accept();
    };
    window->Action("Decks1")->trigger();
    EXPECT_EQ(window->Media().Backs()[1].type, kCardBackPattern);
    EXPECT_EQ(window->Media().Backs()[1].pattern, 8);
    const QImage shown = window->Images()[54].toImage();
    const QImage rose = DrawPatternBack(8, CardSizeForLayout(1), shown.devicePixelRatio());
    EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32).pixelColor(26, 40),
              rose.pixelColor(26, 40));
    EXPECT_EQ(messages.size(), 1u);
}

} // namespace
} // namespace varenta::testing

namespace varenta::testing {
namespace {

TEST_F(MediaTest, F1InTheDialogsLeadsToTheirHelpSections) {
    OpenTable();
    CardBackDialog decks(*store, CardBackServices{});
    CardPatternDialog patterns(0);
    SoundDialog sounds(*store, window->Media().Sounds(), "", SoundServices{});
    auto* tabs = sounds.findChild<QTabWidget*>("pcSound");
    struct Case {
        const QWidget* widget;
        const char* section;
    };
    for (const Case& c : std::vector<Case>{
             {decks.findChild<QPushButton*>("bnChange"), "options.html#decks"},
             {patterns.Grid(), "options.html#patterns"},
             {sounds.findChild<QListWidget*>("lbSounds"), "options.html#sound-events"},
             {sounds.findChild<QLineEdit*>("edFolder"), "options.html#music"},
             {sounds.findChild<QPushButton*>("bnFolder"), "options.html#jukebox-folder"},
             {sounds.findChild<QPushButton*>("bnOK"), "options.html#sound"}}) {
        ASSERT_NE(c.widget, nullptr) << c.section;
        EXPECT_EQ(HelpTargetFor(c.widget), c.section);
    }
    EXPECT_EQ(tabs->count(), 2);
}

} // namespace
} // namespace varenta::testing

#include "kiv/shell/KivDocFiles.h"
#include "kiv/engine/testing/GameAccess.h"
#include "kiv/shell/KivStrings.h"
#include "kiv/shell/tests/ShellFakes.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kiv {
namespace {

class KivDocFiles : public ::testing::Test {
protected:
    KivDocFiles() : doc_(5000) { doc_.programFolder = dir_.path().toStdString(); }

    void WriteRaw(const char* name, const QByteArray& data) {
        QFile f(dir_.path() + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    QByteArray ReadRaw(const char* name) {
        QFile f(dir_.path() + "/" + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void SetScores(int a, int b, int c, int d) {
        PlayState& state = testing::MutableState(doc_);
        state.seats[0].score = a;
        state.seats[1].score = b;
        state.seats[2].score = c;
        state.seats[3].score = d;
    }

    PrivateRuntimeFolder runtime_;
    QTemporaryDir dir_;
    KivDocument doc_;
    FakePrompter prompter_;
};

TEST_F(KivDocFiles, MissingConfigGivesText83AndTheLocalesLanguageButInitIsSilent) {
    ReadConfig(doc_, prompter_);
    EXPECT_EQ(prompter_.informed, QStringList{LoadText(5083)}); // the locale's block
    EXPECT_EQ(doc_.Settings().languageBase, 5000) << "a first start keeps the locale's language";
    const QByteArray written = ReadRaw("kiv32.ini");
    EXPECT_TRUE(written.startsWith("Kiv Kiv Initialisierungsdatei\r\nPeter\r\n1\r\n0\r\n"));
    EXPECT_TRUE(written.endsWith("\r\n400\r\n5000\r\n40\r\n"));

    testing::MutableSettings(doc_).languageBase = 5000;
    WriteRaw("kiv32.ini", "Init\r\n");
    ReadConfig(doc_, prompter_);
    EXPECT_EQ(prompter_.informed.size(), 1);
    EXPECT_EQ(doc_.Settings().languageBase, 5000); // the detected language stays
    EXPECT_EQ(ReadRaw("kiv32.ini").count("\r\n"), 29);
}

TEST(KivDocDefaults, TheFilesDefaultsAreTheDocumentsDefaults) {
    // The configuration file keeps its own copy of the defaults for repairs;
    // it must never drift from the document's.
    const KivDocument fresh(kGermanBase);
    EXPECT_EQ(SettingsFromDoc(fresh), KivSettings{});
}

TEST_F(KivDocFiles, ValuesReadGoIntoTheDocumentAndBackOut) {
    KivSettings s;
    s.seats[2] = {"Ute", false, true};
    s.computerDelay = 250;
    s.languageBase = 1000;
    s.deckBack = 7;
    s.midiFile = "x.mid";
    ASSERT_TRUE(WriteConfigFile(dir_.path() + "/kiv32.ini", s));
    ReadConfig(doc_, prompter_);
    EXPECT_TRUE(prompter_.informed.isEmpty());
    EXPECT_EQ(doc_.Settings().seats[2].name, "Ute");
    EXPECT_FALSE(doc_.Settings().seats[2].plays);
    EXPECT_FALSE(doc_.State().seats[2].inRound);
    EXPECT_EQ(doc_.Settings().computerDelay, 250);
    EXPECT_EQ(doc_.Settings().languageBase, 1000);
    EXPECT_EQ(doc_.Settings().deckBack, 7);
    EXPECT_EQ(doc_.BackBitmap(), 130);
    EXPECT_EQ(doc_.midiFile, "x.mid");
    EXPECT_EQ(SettingsFromDoc(doc_), s);
}

TEST_F(KivDocFiles, AddingScoresSumsPerSeatAndTheListOrdersByPoints) {
    WriteRaw("kiv32.rng", "100\r\n500\r\n0\r\n0\r\n");
    SetScores(230, 40, 0, 15);
    ASSERT_TRUE(AddToRanking(doc_, prompter_));
    EXPECT_EQ(ReadRaw("kiv32.rng"), "330\r\n540\r\n0\r\n15\r\n");
    const FourPlaces places = RankingPlaces(doc_, {330, 540, 0, 15});
    EXPECT_EQ((QStringList{places[0].name, places[1].name, places[2].name, places[3].name}),
              (QStringList{"Frank", "Peter", "Linda", "Tina"}));
    EXPECT_EQ(places[0].points, 540);
    EXPECT_TRUE(prompter_.informed.isEmpty());

    testing::MutableSettings(doc_).seats[2].name = "Ute"; // renamed without resetting the list
    const FourPlaces ties = RankingPlaces(doc_, {7, 7, 7, 7});
    EXPECT_EQ((QStringList{ties[0].name, ties[1].name, ties[2].name, ties[3].name}),
              (QStringList{"Linda", "Ute", "Frank", "Peter"}));
}

TEST_F(KivDocFiles, RankingSumsSaturateAtTheLimits) {
    // The limit still fits a line of the file with its sign; anything beyond
    // it in a file reads as the limit.
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kLimit = 999'999'999'999'999'999;
    WriteRaw("kiv32.rng", "999999999999999990\r\n-999999999999999990\r\n5\r\n"
                          "9223372036854775807\r\n");
    // Seat 1's score is negative only to reach the lower limit.
    SetScores(100, -100, 7, 0);
    ASSERT_TRUE(AddToRanking(doc_, prompter_));
    EXPECT_EQ(ReadRaw("kiv32.rng").toStdString(),
              "999999999999999999\r\n-999999999999999999\r\n12\r\n999999999999999999\r\n");
    const struct {
        std::int64_t a, b, sum;
    } cases[] = {{kLimit, 1, kLimit},      {kLimit - 1, 2, kLimit},
                 {-kLimit, -1, -kLimit},   {kMax, 1, kLimit},
                 {-kMax - 1, -1, -kLimit}, {kLimit, -kLimit, 0},
                 {kLimit - 1, 1, kLimit},  {-5, 3, -2}};
    for (const auto& c : cases) {
        EXPECT_EQ(AddSaturating(c.a, c.b), c.sum) << c.a << " + " << c.b;
    }
}

TEST_F(KivDocFiles, TwoCopiesAddingAtOnceLoseNoScore) {
    constexpr int kAdds = 25;
    WriteRaw("kiv32.rng", "0\r\n0\r\n0\r\n0\r\n");
    SetScores(1, 2, 3, 4);
    auto adder = [this] {
        FakePrompter prompter;
        for (int i = 0; i < kAdds; ++i) {
            AddToRanking(doc_, prompter);
        }
    };
    std::thread first(adder);
    std::thread second(adder);
    first.join();
    second.join();
    EXPECT_EQ(ReadRaw("kiv32.rng"), "50\r\n100\r\n150\r\n200\r\n");
}

TEST_F(KivDocFiles, StartingRemovesWhatACrashedCopyLeftBehind) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0); // a process id that is surely gone
    const QByteArray dead = QByteArray::number(child);
    const QByteArray alive = QByteArray::number(::getpid());
    WriteRaw(("kiv32.rng.tmp-" + dead + "-aB3xYz").constData(), "12");
    WriteRaw(("kiv32.ini.tmp-" + alive + "-aB3xYz").constData(), "writing right now");
    WriteRaw(("notes.tmp-" + dead + "-short").constData(), "not ours");
    ReadConfig(doc_, prompter_);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files),
              QStringList({"kiv32.ini", "kiv32.ini.tmp-" + alive + "-aB3xYz",
                           "notes.tmp-" + dead + "-short"}));
}

TEST_F(KivDocFiles, MissingListOnAddingIsCreatedAfterText113) {
    SetScores(10, 20, 30, 40);
    ASSERT_TRUE(AddToRanking(doc_, prompter_));
    EXPECT_EQ(prompter_.informed, QStringList{LoadText(5113)});
    EXPECT_EQ(ReadRaw("kiv32.rng"), "10\r\n20\r\n30\r\n40\r\n");
}

TEST_F(KivDocFiles, UnwritableFilesReportText84And112AndAddNothing) {
    doc_.programFolder = (dir_.path() + "/file-not-folder").toStdString();
    WriteRaw("file-not-folder", "x");
    EXPECT_FALSE(WriteConfig(doc_, prompter_));
    EXPECT_EQ(prompter_.informed, QStringList{LoadText(5084)});
    prompter_.informed.clear();
    EXPECT_FALSE(ResetRanking(doc_, prompter_));
    EXPECT_FALSE(AddToRanking(doc_, prompter_));
    EXPECT_EQ(prompter_.informed, QStringList({LoadText(5112), LoadText(5113), LoadText(5112)}));
}

TEST_F(KivDocFiles, ShowingReadsZerosWhenMissingAndAddsOnlyWhenAsked) {
    FakeSound sound;
    QStringList shown;
    prompter_.onDialog = [&](QDialog& dialog) {
        shown.append(dialog.findChild<QLabel*>("rankPoints1")->text());
        return QDialog::Accepted;
    };
    SetScores(5, 0, 0, 0);
    ShowRanking(doc_, false, prompter_, &sound);
    EXPECT_TRUE(ReadRaw("kiv32.rng").isEmpty()); // showing writes nothing
    ShowRanking(doc_, true, prompter_, &sound);
    EXPECT_EQ(shown, QStringList({"0", "5"}));
    EXPECT_EQ(prompter_.dialogs, QStringList({"Rangliste", "Rangliste"}));
    EXPECT_EQ(sound.waves, QStringList({"topten.wav", "topten.wav"}));
    doc_.SetSoundOn(false);
    ShowRanking(doc_, false, prompter_, &sound);
    EXPECT_EQ(sound.waves.size(), 2);
}

} // namespace
} // namespace kiv

#include "kiv/shell/KivFiles.h"
#include "kiv/shell/KivFileAccess.h"
#include "kiv/shell/tests/ShellFakes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace kiv {
namespace {

class KivFiles : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir_.path() + "/" + name; }

    void WriteRaw(const QString& path, const QByteArray& data) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    QByteArray ReadRaw(const QString& path) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
    // A complete file with the defaults, lines joined by CR LF.
    QByteArray DefaultFile(int replaceLine = 0, const QByteArray& with = {}) {
        QStringList lines = ConfigLines(KivSettings{});
        if (replaceLine > 0) {
            lines[replaceLine - 1] = QString::fromUtf8(with);
        }
        return (lines.join("\r\n") + "\r\n").toUtf8();
    }

    PrivateRuntimeFolder runtime_;
    QTemporaryDir dir_;
};

TEST_F(KivFiles, WritesTheTwentyNineLinesWithCrLf) {
    KivSettings s;
    s.languageBase = 5000;
    ASSERT_TRUE(WriteConfigFile(Path("kiv32.ini"), s));
    const QByteArray expected = "Kiv Kiv Initialisierungsdatei\r\nPeter\r\n1\r\n0\r\n"
                                "Frank\r\n1\r\n1\r\nTina\r\n1\r\n1\r\nLinda\r\n1\r\n1\r\n"
                                "200\r\n5\r\n1\r\n0\r\n1\r\n1\r\n1\r\n0\r\n1\r\n1\r\n"
                                "gailrdge.mid\r\n1\r\n32768\r\n400\r\n5000\r\n40\r\n";
    EXPECT_EQ(ReadRaw(Path("kiv32.ini")), expected);
}

TEST_F(KivFiles, EveryValueSurvivesARoundTrip) {
    KivSettings s;
    s.seats[0].name = QString::fromUtf8("Jürgen");
    s.seats[2] = {"Ute", false, false};
    s.pointsToWin = 12345;
    s.cardsPerPlayer = 6;
    s.animateCards = false;
    s.ruleLayAfterDraw = true;
    s.ruleEightOnEight = false;
    s.ruleJackAlways = false;
    s.ruleAnyOnFirstJack = false;
    s.ruleEndOnFirstOut = true;
    s.soundOn = false;
    s.musicOn = false;
    s.midiFile = "/home/u/music/Tanz.mid";
    s.deckBack = 3;
    s.backgroundColor = 0x00FF8040;
    s.computerDelay = 200; // the shortest pause the sheet allows
    s.languageBase = 5000;
    s.cardSpeed = 10;
    ASSERT_TRUE(WriteConfigFile(Path("kiv32.ini"), s));
    KivSettings back;
    ASSERT_EQ(ReadConfigFile(Path("kiv32.ini"), back), ConfigRead::Read);
    RepairSettings(back, 1000);
    EXPECT_EQ(back, s);
}

// The window's lines follow the game's 29 only once a size is known; a file
// without them, or with a size that makes no sense, reads as no size.
TEST_F(KivFiles, TheWindowsSizeAndFullScreenFollowTheGamesLines) {
    struct Case {
        int width, height;
        bool fullScreen;
        qsizetype lines;
        int readWidth, readHeight;
        bool readFullScreen;
    };
    const Case cases[] = {
        {0, 0, false, 29, 0, 0, false},         {1024, 768, true, 32, 1024, 768, true},
        {640, 480, false, 32, 640, 480, false}, {900, -5, true, 29, 0, 0, true},
        {-1, 600, false, 29, 0, 0, false},
    };
    for (const Case& c : cases) {
        KivSettings s;
        s.windowWidth = c.width;
        s.windowHeight = c.height;
        s.fullScreen = c.fullScreen;
        // Written as a file would hold them, even where the program itself
        // would never write them.
        QStringList lines = ConfigLines(s);
        if (lines.size() == 29 && c.width != 0) {
            lines << QString::number(c.width) << QString::number(c.height)
                  << QString::number(c.fullScreen ? 1 : 0);
        }
        EXPECT_EQ(ConfigLines(s).size(), c.lines) << c.width;
        KivSettings read;
        ASSERT_EQ(ParseConfig(FileBytes(lines), read), ConfigRead::Read);
        RepairSettings(read, 1000);
        EXPECT_EQ(read.windowWidth, c.readWidth) << c.width;
        EXPECT_EQ(read.windowHeight, c.readHeight) << c.width;
        EXPECT_EQ(read.fullScreen, c.readFullScreen) << c.width;
        // The game's values are the same whether or not the lines follow.
        read.windowWidth = read.windowHeight = 0;
        read.fullScreen = false;
        EXPECT_EQ(read, KivSettings{}) << c.width;
    }
}

TEST_F(KivFiles, MissingInitLongNamesAndLeadingIntegers) {
    KivSettings s;
    EXPECT_EQ(ReadConfigFile(Path("nothing.ini"), s), ConfigRead::Missing);
    for (const char* init : {"Init\r\n", "Init"}) {
        WriteRaw(Path("kiv32.ini"), init);
        EXPECT_EQ(ReadConfigFile(Path("kiv32.ini"), s), ConfigRead::InitFile);
    }
    EXPECT_EQ(s, KivSettings{});
    WriteRaw(Path("kiv32.ini"), DefaultFile(1, "Initialisierung")); // any other header is fine
    EXPECT_EQ(ReadConfigFile(Path("kiv32.ini"), s), ConfigRead::Read);

    s.seats[1].name = "Maximilian-Alexander von Hohenberg";
    ASSERT_TRUE(WriteConfigFile(Path("kiv32.ini"), s));
    EXPECT_TRUE(ReadRaw(Path("kiv32.ini")).contains("Maximilian-Alexander von Hohenberg\r\n"));
    KivSettings back;
    ASSERT_EQ(ReadConfigFile(Path("kiv32.ini"), back), ConfigRead::Read);
    EXPECT_EQ(back.seats[1].name, "Maximilian-Alexande"); // 19 characters, the rest skipped
    EXPECT_TRUE(back.seats[1].plays && back.seats[1].computer);
    EXPECT_EQ(back.seats[2].name, "Tina");

    EXPECT_EQ((std::array{LeadingInteger("  42abc"), LeadingInteger("-17"), LeadingInteger("+8"),
                          LeadingInteger("x12"), LeadingInteger("")}),
              (std::array<std::int64_t, 5>{42, -17, 8, 0, 0}));
    EXPECT_EQ(LeadingInteger("99999999999999999999999"), INT64_MAX);
    WriteRaw(Path("kiv32.ini"), DefaultFile(14, " 300 Punkte"));
    ASSERT_EQ(ReadConfigFile(Path("kiv32.ini"), s), ConfigRead::Read);
    EXPECT_EQ(s.pointsToWin, 300);
    WriteRaw(Path("kiv32.ini"), DefaultFile(17, "7"));
    ASSERT_EQ(ReadConfigFile(Path("kiv32.ini"), s), ConfigRead::Read);
    EXPECT_TRUE(s.ruleLayAfterDraw); // any non-zero flag is on
}

TEST_F(KivFiles, TruncatedFilesReadEmptyAndZeroAndOnlyUnplayableValuesAreRepaired) {
    WriteRaw(Path("kiv32.ini"), "Kiv Kiv Initialisierungsdatei\r\nAnna\r\n1\r\n0\r\nBert");
    KivSettings s;
    ASSERT_EQ(ReadConfigFile(Path("kiv32.ini"), s), ConfigRead::Read);
    EXPECT_EQ((QStringList{s.seats[0].name, s.seats[1].name, s.seats[3].name, s.midiFile}),
              (QStringList{"Anna", "Bert", "", ""}));
    EXPECT_EQ((std::array{s.pointsToWin, s.languageBase, int{s.seats[1].plays}, int{s.soundOn}}),
              (std::array{0, 0, 0, 0}));
    RepairSettings(s, 5000);
    // Seat 0 would play alone: the others are back.
    EXPECT_TRUE(s.seats[1].plays && s.seats[2].plays && s.seats[3].plays);
    EXPECT_EQ((std::array{s.pointsToWin, s.cardsPerPlayer, s.cardSpeed, s.languageBase}),
              (std::array{200, 5, 40, 5000}));
    // The pause is held to the sheet's range; what the game can work with
    // stays as read.
    EXPECT_EQ((std::array{s.computerDelay, s.deckBack, int{s.soundOn}}), (std::array{200, 0, 0}));

    KivSettings odd;
    odd.seats[0] = {"Peter", false, true};
    odd.seats[2].plays = false;
    odd.cardsPerPlayer = 9;
    odd.cardSpeed = 25;
    odd.pointsToWin = 50;
    odd.computerDelay = 100;
    odd.deckBack = 7;
    RepairSettings(odd, 1000);
    EXPECT_TRUE(odd.seats[0].plays && !odd.seats[0].computer); // seat 0 is the human seat
    EXPECT_FALSE(odd.seats[2].plays);                          // one other seat is enough
    EXPECT_EQ((std::array{odd.cardsPerPlayer, odd.cardSpeed, odd.pointsToWin, odd.computerDelay,
                          odd.deckBack}),
              (std::array{5, 25, 50, 200, 7}));
    odd.cardsPerPlayer = 2;
    RepairSettings(odd, 1000);
    EXPECT_EQ(odd.cardsPerPlayer, 5);

    QByteArray garbage;
    for (int i = 0; i < 5000; ++i) {
        garbage.append(static_cast<char>((i * 37 + 11) % 256));
    }
    WriteRaw(Path("kiv32.ini"), garbage);
    ASSERT_EQ(ReadConfigFile(Path("kiv32.ini"), s), ConfigRead::Read);
    RepairSettings(s, 1000);
    EXPECT_TRUE(s.cardsPerPlayer >= 3 && s.cardsPerPlayer <= 6 && s.cardSpeed >= 1 &&
                s.pointsToWin >= 1);
    for (const SeatSetup& seat : s.seats) {
        EXPECT_LE(seat.name.size(), 19);
    }
}

TEST_F(KivFiles, SpeedsAndPausesAreHeldToWhatTheSheetOffers) {
    const struct {
        int line;
        QByteArray text;
        int speed, delay;
    } cases[] = {
        {29, "2147483647", 40, 400}, {29, "99999999999999999999", 40, 400},
        {29, "5", 10, 400},          {29, "-2147483648", 40, 400},
        {29, "20", 20, 400},         {27, "2000000000", 40, 9999},
        {27, "199", 40, 200},        {27, "-5", 40, 200},
        {27, "9999", 40, 9999},      {27, "200", 40, 200},
    };
    for (const auto& c : cases) {
        WriteRaw(Path("kiv32.ini"), DefaultFile(c.line, c.text));
        KivSettings s;
        ASSERT_EQ(ReadConfigFile(Path("kiv32.ini"), s), ConfigRead::Read);
        RepairSettings(s, 1000);
        EXPECT_EQ(s.cardSpeed, c.speed) << c.line << ": " << c.text.constData();
        EXPECT_EQ(s.computerDelay, c.delay) << c.line << ": " << c.text.constData();
    }
}

TEST_F(KivFiles, NamesAreCutBetweenCharacters) {
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units
    const struct {
        QString text;
        int limit;
        QString cut;
    } cases[] = {
        {QString(18, 'a') + smile, 19, QString(18, 'a')},
        {QString(17, 'a') + smile + "b", 19, QString(17, 'a') + smile},
        {smile + smile, 3, smile},
        {smile, 1, ""},
        {"abc" + smile.left(1), 19, "abc"}, // half a character cut elsewhere
        {"abc", 19, "abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CutToLength(c.text, c.limit), c.cut) << c.text.toStdString();
    }
    WriteRaw(Path("kiv32.ini"), DefaultFile(2, (QString(18, 'a') + smile).toUtf8()));
    KivSettings s;
    ASSERT_EQ(ReadConfigFile(Path("kiv32.ini"), s), ConfigRead::Read);
    EXPECT_EQ(s.seats[0].name, QString(18, 'a'));
}

TEST_F(KivFiles, OnlyRegularFilesOfASaneSizeAreRead) {
    // A pipe would hang a plain read, a device never ends, a folder is no
    // file: each counts as missing, and the program goes on with defaults.
    ASSERT_EQ(::mkfifo(Path("pipe").toLocal8Bit().constData(), 0600), 0);
    QDir().mkpath(Path("folder"));
    WriteRaw(Path("huge"), QByteArray(kMaxTextFileBytes + 1, '1'));
    for (const QString& odd : {Path("pipe"), Path("folder"), QString("/dev/zero"), Path("huge")}) {
        KivSettings s;
        EXPECT_EQ(ReadConfigFile(odd, s), ConfigRead::Missing) << odd.toStdString();
        RankingValues v{};
        EXPECT_FALSE(ReadRankingFile(odd, v)) << odd.toStdString();
    }
    // A byte-order mark an editor put first is no part of the text.
    WriteRaw(Path("kiv32.rng"), "\xEF\xBB\xBF"
                                "12\r\n3\r\n");
    RankingValues v{};
    ASSERT_TRUE(ReadRankingFile(Path("kiv32.rng"), v));
    EXPECT_EQ(v, (RankingValues{12, 3, 0, 0}));
}

// The lock of the ranking list lives in the run-time folder, never beside
// the list: the settings folder holds nothing but the program's two files.
// Every spelling of the list's path shares one lock; another folder's list
// has its own. Without a run-time folder the user's own temporary one serves.
TEST_F(KivFiles, RankingLocksLiveInTheRuntimeFolderOneForEachList) {
    const QString runtime = runtime_.Path();
    ASSERT_TRUE(QDir().mkpath(Path("other")));
    FileLock::Waiting once = FileLock::Waiting::Real();
    once.giveUpAfter = std::chrono::milliseconds(0);
    {
        const FileLock lock(Path("kiv32.rng"), once);
        EXPECT_TRUE(lock.Locked());
        ASSERT_TRUE(WriteRankingFile(Path("kiv32.rng"), {1, 2, 3, 4}));
        EXPECT_FALSE(FileLock(dir_.path() + "/other/../kiv32.rng", once).Locked());
        EXPECT_TRUE(FileLock(Path("other/kiv32.rng"), once).Locked());
        EXPECT_EQ(QDir(runtime).entryList(QDir::Files).size(), 2);
    }
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kiv32.rng"});
    EXPECT_TRUE(LockPathFor(Path("kiv32.rng")).startsWith(runtime + "/kiv32.rng-"));

    for (const char* unusable : {"", "relative/run", "/nonexistent/run"}) {
        qputenv("XDG_RUNTIME_DIR", unusable);
        const QString own = QDir::tempPath() + "/kiv-" + QString::number(::getuid());
        EXPECT_EQ(LockFolder(), own) << unusable;
        EXPECT_TRUE(FileLock(Path("kiv32.rng"), once).Locked()) << unusable;
    }
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kiv32.rng"});
}

TEST_F(KivFiles, ARankingLockHeldTooLongIsGivenUpAfterItsLimit) {
    // A fake clock that moves only when the lock waits: the wait must end at
    // the limit, not before and not never.
    std::chrono::milliseconds clock{0};
    int pauses = 0;
    FileLock::Waiting waiting;
    waiting.now = [&clock] { return clock; };
    waiting.pause = [&clock, &pauses](std::chrono::milliseconds span) {
        clock += span;
        ++pauses;
    };
    waiting.retryEvery = std::chrono::milliseconds(50);
    waiting.giveUpAfter = std::chrono::milliseconds(500);
    {
        const FileLock free(Path("kiv32.rng"), waiting);
        EXPECT_TRUE(free.Locked());
        EXPECT_EQ(pauses, 0);
        // Another copy (its own open file) now finds it taken.
        const FileLock second(Path("kiv32.rng"), waiting);
        EXPECT_FALSE(second.Locked());
        EXPECT_EQ(pauses, 10);
        EXPECT_EQ(clock, std::chrono::milliseconds(500));
    }
    const FileLock again(Path("kiv32.rng"), waiting);
    EXPECT_TRUE(again.Locked()); // released with its holder
}

TEST_F(KivFiles, ALinkAtTheFilesNameIsReplacedNotWrittenThrough) {
    WriteRaw(Path("victim"), "keep me");
    ASSERT_EQ(::symlink(Path("victim").toLocal8Bit().constData(),
                        Path("kiv32.rng").toLocal8Bit().constData()),
              0);
    ASSERT_TRUE(WriteRankingFile(Path("kiv32.rng"), {1, 2, 3, 4}));
    EXPECT_EQ(ReadRaw(Path("victim")), "keep me");
    EXPECT_FALSE(QFileInfo(Path("kiv32.rng")).isSymLink());
    EXPECT_EQ(ReadRaw(Path("kiv32.rng")), "1\r\n2\r\n3\r\n4\r\n");
}

TEST_F(KivFiles, LinesWithLfOnlyAndLatin1NamesAreRead) {
    QByteArray data = DefaultFile().replace("\r\n", "\n");
    data.replace("Tina", "J\xfcrgen"); // an older file in Latin-1
    WriteRaw(Path("kiv32.ini"), data);
    KivSettings s;
    ASSERT_EQ(ReadConfigFile(Path("kiv32.ini"), s), ConfigRead::Read);
    EXPECT_EQ(s.seats[2].name, QString::fromUtf8("Jürgen"));
    EXPECT_EQ(s.cardSpeed, 40);
}

TEST_F(KivFiles, WritingReplacesTheFileAsAWholeAndCreatesTheFolder) {
    const QString nested = dir_.path() + "/a/b/kiv32.ini";
    ASSERT_TRUE(WriteConfigFile(nested, KivSettings{}));
    ASSERT_TRUE(WriteConfigFile(nested, KivSettings{}));
    // Nothing but the file is left behind: the temporary file was renamed.
    EXPECT_EQ(QDir(dir_.path() + "/a/b").entryList(QDir::Files), QStringList{"kiv32.ini"});
    // A file standing where the folder should be makes writing fail cleanly.
    WriteRaw(Path("blocker"), "x");
    EXPECT_FALSE(WriteConfigFile(Path("blocker") + "/kiv32.ini", KivSettings{}));
    EXPECT_FALSE(WriteRankingFile(Path("blocker") + "/kiv32.rng", {1, 2, 3, 4}));
}

TEST_F(KivFiles, RankingFileRoundTripAndShortFiles) {
    ASSERT_TRUE(WriteRankingFile(Path("kiv32.rng"), {330, 540, 0, 15}));
    EXPECT_EQ(ReadRaw(Path("kiv32.rng")), "330\r\n540\r\n0\r\n15\r\n");
    RankingValues v{};
    ASSERT_TRUE(ReadRankingFile(Path("kiv32.rng"), v));
    EXPECT_EQ(v, (RankingValues{330, 540, 0, 15}));

    WriteRaw(Path("kiv32.rng"), "7\n12 Punkte");
    ASSERT_TRUE(ReadRankingFile(Path("kiv32.rng"), v));
    EXPECT_EQ(v, (RankingValues{7, 12, 0, 0}));
    EXPECT_FALSE(ReadRankingFile(Path("none.rng"), v));
}

TEST_F(KivFiles, ConfigFolderFollowsXdgConfigHome) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/xdg-test");
    EXPECT_EQ(ConfigFolder(), "/tmp/xdg-test/kiv");
    qputenv("XDG_CONFIG_HOME", "relative/path");
    EXPECT_EQ(ConfigFolder(), QDir::homePath() + "/.config/kiv");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(ConfigFolder(), QDir::homePath() + "/.config/kiv");
    if (!saved.isNull()) {
        qputenv("XDG_CONFIG_HOME", saved);
    }
}

} // namespace
} // namespace kiv

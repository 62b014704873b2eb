#include "varenta/store/SettingsFile.h"
#include "varenta/store/StorePaths.h"
#include "varenta/store/StoreTexts.h"
#include "varenta/store/tests/PrivateHome.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPoint>
#include <QVariantList>
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace varenta {
namespace {

using SettingsFileTest = testing::PrivateHome;

TEST(SplitSettingNameTest, SplitsAtTheLastSingleBackslash) {
    using P = std::pair<QString, QString>;
    EXPECT_EQ(SplitSettingName("Settings\\Sound"), P("Settings", "Sound"));
    EXPECT_EQ(SplitSettingName("Beginner\\Match\\Score3"), P("Beginner\\Match", "Score3"));
    EXPECT_EQ(SplitSettingName("Version"), P("", "Version"));
    // A doubled backslash is one literal backslash and never a split point.
    EXPECT_EQ(SplitSettingName("Music\\C:\\\\midi"), P("Music", "C:\\midi"));
    EXPECT_EQ(SplitSettingName("Music\\dir\\\\"), P("Music", "dir\\"));
    EXPECT_EQ(SplitSettingName("a\\\\b"), P("", "a\\b"));
}

TEST_F(SettingsFileTest, MainStoreFollowsTheConfigFolderAndReadingCreatesTheGroup) {
    EXPECT_EQ(rfMain.FileName(), ConfigDir() + "/settings.conf");
    EXPECT_FALSE(rfMain.KeyExists("Settings"));
    EXPECT_EQ(rfMain.Read("Settings\\Delay", 300), QVariant(300));
    EXPECT_TRUE(rfMain.KeyExists("Settings"));
    EXPECT_FALSE(rfMain.ValueExists("Settings", "Delay"));
    EXPECT_TRUE(SettingsFile().KeyExists("settings")); // on disk, not only in memory
}

TEST_F(SettingsFileTest, NamesMatchWithoutRegardToCase) {
    SettingsFile store;
    store.Write("Settings\\Varenta Required", true);
    EXPECT_TRUE(store.ReadBool("Settings\\Varenta required", false));
    EXPECT_TRUE(store.ValueExists("SETTINGS", "varenta REQUIRED"));
    store.Write("settings\\VARENTA REQUIRED", false);
    EXPECT_FALSE(store.ReadBool("Settings\\Varenta Required", true));
    // One value, kept in the spelling of its first write.
    const QByteArray file = Contents(store.FileName());
    EXPECT_EQ(file.count("Varenta Required="), 1) << file.constData();
    EXPECT_EQ(file.count("[Settings]"), 1);
}

TEST_F(SettingsFileTest, ValuesKeepTheirKind) {
    SettingsFile store;
    store.Write("Settings\\On", true);
    store.Write("Settings\\Off", false);
    store.Write("Settings\\Delay", 450);
    store.Write("Settings\\Colour", 0xFFFFFFFFu);
    store.Write("Settings\\Level", QStringLiteral("Expert"));
    store.Write("Settings\\Odd", QStringLiteral("a=b %41 [x]\nline two\t\u00e9\u20ac"));
    store.Write("Settings\\Ratio", 0.625);
    store.Write("#Odd [group]\\#odd=name", 5);
    const QDateTime when(QDate(2026, 12, 8), QTime(4, 30), Qt::UTC);
    store.Write("Settings\\When", when);

    SettingsFile fresh; // everything read back from the file
    EXPECT_EQ(fresh.Read("Settings\\On", 0).typeId(), QMetaType::Int);
    EXPECT_NE(fresh.Read("Settings\\On", 0).toInt(), 0);
    EXPECT_EQ(fresh.Read("Settings\\Off", 1), QVariant(0));
    EXPECT_EQ(fresh.Read("Settings\\Delay", 300), QVariant(450));
    EXPECT_EQ(fresh.Read("Settings\\Colour", 0), QVariant(-1));
    EXPECT_EQ(fresh.Read("Settings\\Level", "Beginner"), QVariant(QStringLiteral("Expert")));
    EXPECT_EQ(fresh.ReadString("Settings\\Odd", ""),
              QStringLiteral("a=b %41 [x]\nline two\t\u00e9\u20ac"));
    EXPECT_EQ(fresh.Read("Settings\\Ratio", 0), QVariant(0.625));
    EXPECT_EQ(fresh.ReadInteger("#odd [GROUP]\\#Odd=Name", 0), 5);
    EXPECT_EQ(fresh.Read("Settings\\When", QVariant()).toDateTime(), when);
    EXPECT_EQ(fresh.Read("Settings\\Missing", "dflt"), QVariant(QStringLiteral("dflt")));
    EXPECT_EQ(fresh.ReadInteger("Settings\\Level", 7), 7); // text that is no number
}

TEST_F(SettingsFileTest, OtherKindsAreRefusedBeforeAnythingIsWritten) {
    SettingsFile store;
    store.Write("Settings\\Delay", 300);
    const QByteArray before = Contents(store.FileName());
    for (const QVariant& bad :
         {QVariant(QVariantList{1, 2}), QVariant(), QVariant(static_cast<qlonglong>(1) << 40),
          QVariant(QPoint(1, 2))}) {
        try {
            store.Write("Settings\\Delay", bad);
            ADD_FAILURE() << "accepted " << bad.typeName();
        } catch (const SettingsError& e) {
            EXPECT_STREQ(e.what(), texts::kInvalidVariantType);
        }
    }
    // A batch with one refused value writes none of them.
    EXPECT_THROW(store.WriteValues({{"Settings\\Sound", false}, {"Settings\\Odd", QVariant()}}),
                 SettingsError);
    EXPECT_EQ(Contents(store.FileName()), before);
}

TEST_F(SettingsFileTest, DeletingValuesAndGroups) {
    SettingsFile store;
    store.Write("Player Names\\PlayerName0", "Ann");
    store.Write("Player Names\\PlayerName1", "Bob");
    store.Write("Beginner\\Score0", 10);
    store.Write("Beginner\\Match\\Score0", 20);
    EXPECT_TRUE(store.DeleteValue("player names", "playername0"));
    EXPECT_FALSE(store.DeleteValue("Player Names", "PlayerName0"));
    EXPECT_EQ(store.ReadString("Player Names\\PlayerName1", ""), "Bob");

    EXPECT_TRUE(store.DeleteKey("Beginner"));
    EXPECT_FALSE(store.KeyExists("Beginner"));
    EXPECT_FALSE(store.KeyExists("Beginner\\Match"));
    EXPECT_FALSE(store.DeleteKey("Beginner"));
    EXPECT_TRUE(SettingsFile().ValueExists("Player Names", "PlayerName1"));
}

TEST_F(SettingsFileTest, TwoCopiesKeepEachOthersValues) {
    SettingsFile first;
    SettingsFile second;
    first.Write("Settings\\Sound", false);
    second.Write("Network\\Nickname", "Ann");
    first.Write("Settings\\Delay", 500); // must not write back a copy without Nickname
    EXPECT_EQ(first.ReadString("Network\\Nickname", ""), "Ann"); // seen without writing
    second.Write("Settings\\Delay", 200);                        // both wrote: last one wins
    second.DeleteValue("Settings", "Sound");

    SettingsFile third;
    EXPECT_EQ(third.ReadString("Network\\Nickname", ""), "Ann");
    EXPECT_EQ(third.ReadInteger("Settings\\Delay", 300), 200);
    EXPECT_TRUE(third.ReadBool("Settings\\Sound", true));
    EXPECT_EQ(first.ReadInteger("Settings\\Delay", 300), 200);
}

TEST_F(SettingsFileTest, ACrashBeforeTheRenameLeavesTheOldFile) {
    SettingsFile store;
    store.Write("Settings\\Delay", 100);
    const QByteArray before = Contents(store.FileName());
    struct Crash {};
    store.SetBeforeReplaceHook([] { throw Crash(); });
    EXPECT_THROW(store.Write("Settings\\Delay", 999), Crash);
    EXPECT_EQ(Contents(store.FileName()), before);

    SettingsFile restarted; // the half-done change is gone, the old value is there
    EXPECT_EQ(restarted.ReadInteger("Settings\\Delay", 300), 100);
    restarted.Write("Settings\\Sound", false); // the leftover does not get in the way
    EXPECT_EQ(SettingsFile().ReadInteger("Settings\\Delay", 300), 100);
    EXPECT_FALSE(SettingsFile().ReadBool("Settings\\Sound", true));
}

TEST_F(SettingsFileTest, AGarbageFileIsReportedOnceAndKeptAside) {
    QDir().mkpath(ConfigDir());
    const QString path = ConfigDir() + "/settings.conf";
    static const char raw[] = "\x01\x02not a settings file\xff\n[";
    const QByteArray garbage(raw, sizeof raw - 1);
    Put(path, garbage);

    SettingsFile store;
    QStringList notices;
    EXPECT_EQ(store.ReadInteger("Settings\\Delay", 300), 300);
    store.SetNoticeHandler([&notices](const QString& m) { notices << m; });
    EXPECT_EQ(store.ReadInteger("Settings\\Card Speed", 10), 10);
    ASSERT_EQ(notices.size(), 1); // waited for the handler, and only once
    EXPECT_TRUE(notices[0].contains(path + ".damaged")) << notices[0].toStdString();
    EXPECT_EQ(Contents(path + ".damaged"), garbage);

    store.Write("Settings\\Delay", 400);
    EXPECT_EQ(SettingsFile().ReadInteger("Settings\\Delay", 300), 400);
    EXPECT_EQ(notices.size(), 1);

    Put(path, garbage); // a second damaged file does not replace the first one kept
    EXPECT_EQ(store.ReadInteger("Settings\\Delay", 300), 300);
    EXPECT_EQ(notices.size(), 2);
    EXPECT_EQ(Contents(path + ".damaged"), garbage);
    EXPECT_EQ(Contents(path + ".damaged-2"), garbage);
}

TEST_F(SettingsFileTest, NoticesComeWhenTheFileIsNoLongerLocked) {
    // The handler shows a box and runs events; anything it does with the
    // store, here or in another copy of the program, must not wait on us.
    QDir().mkpath(ConfigDir());
    const QString path = ConfigDir() + "/settings.conf";
    Put(path, "garbage");
    SettingsFile store;
    int seen = 0;
    bool lockFree = false;
    store.SetNoticeHandler([&](const QString&) {
        ++seen;
        const int fd = ::open((path + ".lock").toLocal8Bit().constData(), O_RDWR | O_CREAT, 0600);
        lockFree = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (fd >= 0) {
            ::close(fd);
        }
        if (lockFree) {
            store.Write("Settings\\Sound", false);
        }
    });
    store.Write("Settings\\Delay", 1); // finds the damage while holding the lock
    EXPECT_EQ(seen, 1);
    EXPECT_TRUE(lockFree);
    SettingsFile check;
    EXPECT_EQ(check.ReadInteger("Settings\\Delay", 300), 1);
    EXPECT_FALSE(check.ReadBool("Settings\\Sound", true));
}

TEST_F(SettingsFileTest, WhatCanBeReadOfADamagedFileIsKept) {
    SettingsFile store;
    store.Write("Settings\\Delay", 450);
    store.Write("Network\\Nickname", "Ann");
    QByteArray text = Contents(store.FileName());
    text.insert(text.indexOf("[Settings]"), "Nickname=half a line\n");
    Put(store.FileName(), text);

    SettingsFile reader;
    EXPECT_EQ(reader.ReadInteger("Settings\\Delay", 300), 450);
    EXPECT_EQ(reader.ReadString("Network\\Nickname", ""), "Ann");
    EXPECT_EQ(Contents(store.FileName() + ".damaged"), text);
}

TEST_F(SettingsFileTest, HostileFilesNeverHangOrCrashAndAreKeptAside) {
    QDir().mkpath(ConfigDir());
    const QString path = ConfigDir() + "/settings.conf";
    // A truncated header, NUL bytes, text cut inside a character, a value
    // cut short, a file far too large to be ours, and a pipe that never ends.
    const QByteArray kinds[] = {QByteArray("VarentaSett"), QByteArray(64, '\0'),
                                QByteArray("VarentaSettings 1\n[Settings]\nLevel=text:\xC3"),
                                QByteArray("VarentaSettings 1\n[Settings]\nDelay=in")};
    auto expectRecovers = [&](const char* what) {
        SettingsFile store;
        int notices = 0;
        store.SetNoticeHandler([&notices](const QString&) { ++notices; });
        EXPECT_EQ(store.ReadInteger("Settings\\Delay", 300), 300) << what;
        EXPECT_EQ(notices, 1) << what;
        store.Write("Settings\\Sound", false);
        EXPECT_FALSE(SettingsFile().ReadBool("Settings\\Sound", true)) << what;
        QFile::remove(path);
    };
    for (const QByteArray& bytes : kinds) {
        Put(path, bytes);
        expectRecovers(bytes.toHex().left(24).constData());
    }
    Put(path, "VarentaSettings 1\n");
    ASSERT_EQ(::truncate(path.toLocal8Bit().constData(), 64LL * 1024 * 1024), 0);
    expectRecovers("huge");
    ASSERT_EQ(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
    expectRecovers("pipe");
    EXPECT_EQ(QDir(ConfigDir())
                  .entryList({"settings.conf.damaged*"}, QDir::AllEntries | QDir::System)
                  .size(),
              6);

    // Nor is such a file ever written: the value is refused, the rest stays.
    SettingsFile store;
    store.Write("Settings\\Delay", 5);
    try {
        store.Write("Settings\\Big", QString(17 * 1024 * 1024, QLatin1Char('x')));
        ADD_FAILURE() << "a file too large to read back was written";
    } catch (const SettingsError& e) {
        EXPECT_STREQ(e.what(), "Reg Error: 0000001B"); // EFBIG
    }
    EXPECT_EQ(SettingsFile().ReadInteger("Settings\\Delay", 300), 5);
    EXPECT_FALSE(store.ValueExists("Settings", "Big"));
}

TEST_F(SettingsFileTest, ALinkLeftAtTheTemporaryNameIsNotFollowed) {
    QDir().mkpath(ConfigDir());
    const QString victim = Root() + "/victim.txt";
    Put(victim, "keep me");
    const QString path = ConfigDir() + "/settings.conf";
    ASSERT_EQ(
        ::symlink(victim.toLocal8Bit().constData(), (path + ".new").toLocal8Bit().constData()), 0);
    SettingsFile store;
    store.Write("Settings\\Delay", 1);
    EXPECT_EQ(Contents(victim), "keep me");
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_EQ(SettingsFile().ReadInteger("Settings\\Delay", 300), 1);
}

// A link at the lock's name, dangling or not, is never followed: nothing is
// made or changed where it points, and the write fails as a store error.
TEST_F(SettingsFileTest, ALinkAtTheLocksNameIsNotFollowed) {
    for (const bool dangling : {true, false}) {
        QDir().mkpath(ConfigDir());
        const QString target = Root() + (dangling ? "/made-by-nobody" : "/victim.txt");
        QFile::remove(target);
        if (!dangling) {
            Put(target, "keep me");
        }
        const QString lock = ConfigDir() + "/settings.conf.lock";
        QFile::remove(lock);
        ASSERT_EQ(::symlink(target.toLocal8Bit().constData(), lock.toLocal8Bit().constData()), 0);
        SettingsFile store;
        EXPECT_THROW(store.Write("Settings\\Delay", 1), SettingsError) << dangling;
        EXPECT_EQ(QFileInfo::exists(target), !dangling);
        if (!dangling) {
            EXPECT_EQ(Contents(target), "keep me");
        }
        QFile::remove(lock);
    }
}

TEST_F(SettingsFileTest, CopiesWritingAtTheSameTimeLoseNothing) {
    constexpr int kWrites = 40;
    auto writer = [](const QString& group) {
        SettingsFile store;
        for (int i = 0; i < kWrites; ++i) {
            store.Write(group + "\\Value" + QString::number(i), i);
        }
    };
    std::thread first(writer, QStringLiteral("First"));
    std::thread second(writer, QStringLiteral("Second"));
    first.join();
    second.join();
    SettingsFile check;
    for (int i = 0; i < kWrites; ++i) {
        EXPECT_EQ(check.ReadInteger("First\\Value" + QString::number(i), -1), i);
        EXPECT_EQ(check.ReadInteger("Second\\Value" + QString::number(i), -1), i);
    }
}

TEST_F(SettingsFileTest, AnUnusableFolderIsAStoreError) {
    // A file where the settings folder should be: no copy of the program
    // can create the folder, whoever runs it.
    QDir().mkpath(Root() + "/config");
    Put(ConfigDir(), "not a folder");
    SettingsFile store;
    EXPECT_EQ(store.ReadInteger("Settings\\Delay", 300), 300);
    try {
        store.Write("Settings\\Delay", 1);
        FAIL() << "the write was reported as done";
    } catch (const SettingsError& e) {
        EXPECT_STREQ(e.what(), "Reg Error: 00000014"); // ENOTDIR
    }
}

TEST_F(SettingsFileTest, ALockHeldElsewhereIsWaitedForThenGivenUp) {
    SettingsFile store;
    store.Write("Settings\\Delay", 1);
    const int held = ::open((store.FileName() + ".lock").toLocal8Bit().constData(), O_RDWR);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);

    // A clock that only moves when the store pauses: no test time passes.
    std::chrono::milliseconds now{0};
    int pauses = 0;
    SettingsFile::LockWaiting waiting;
    waiting.now = [&now] { return now; };
    waiting.pause = [&](std::chrono::milliseconds ms) {
        now += ms;
        ++pauses;
    };
    store.SetLockWaiting(waiting);
    QStringList said;
    store.SetWaitHandler([&](const QString& m) { said << m + "@" + QString::number(now.count()); });

    try {
        store.Write("Settings\\Delay", 2);
        ADD_FAILURE() << "the write was reported as done";
    } catch (const SettingsError& e) {
        EXPECT_STREQ(e.what(), "Reg Error: 0000006E"); // ETIMEDOUT
    }
    EXPECT_EQ(now, waiting.giveUpAfter);
    ASSERT_EQ(said.size(), 2);
    EXPECT_EQ(said[0], QString::fromLatin1(texts::kSettingsLockWait).arg(store.FileName()) + "@" +
                           QString::number(waiting.tellAfter.count()));
    EXPECT_TRUE(said[1].startsWith("@")); // the wait is over

    // Having given up, the next call does not wait all over again...
    pauses = 0;
    EXPECT_THROW(store.Write("Settings\\Delay", 3), SettingsError);
    EXPECT_EQ(pauses, 0);
    // ...and reading still works without the lock.
    EXPECT_EQ(store.ReadInteger("Settings\\Delay", 300), 1);

    // Once the other copy lets go, everything is back to normal.
    ::close(held);
    store.Write("Settings\\Delay", 4);
    EXPECT_EQ(SettingsFile().ReadInteger("Settings\\Delay", 300), 4);
}

TEST_F(SettingsFileTest, TheDamageNoticeSaysWhatWasKept) {
    QDir().mkpath(ConfigDir());
    const QString path = ConfigDir() + "/settings.conf";
    const struct {
        QByteArray bytes;
        const char* text;
    } cases[] = {
        {"VarentaSettings 1\n[Settings]\nDelay=int:5\nbroken\n", texts::kSettingsPartlyRead},
        {"garbage\n", texts::kSettingsDamaged},
    };
    for (const auto& c : cases) {
        Put(path, c.bytes);
        SettingsFile store;
        QStringList notices;
        store.SetNoticeHandler([&notices](const QString& m) { notices << m; });
        store.ReadInteger("Settings\\Delay", 300);
        ASSERT_EQ(notices.size(), 1);
        const QString expected = QString::fromLatin1(c.text).arg(
            path, QString::fromLatin1(texts::kDamagedBadLine).arg(c.bytes.count('\n')),
            path + ".damaged");
        EXPECT_EQ(notices[0], expected);
        QFile::remove(path + ".damaged");
    }
}

} // namespace
} // namespace varenta

#include "varenta/store/SettingsUpgrade.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/store/tests/PrivateHome.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace varenta {
namespace {

class SettingsUpgradeTest : public testing::PrivateHome {
protected:
    void SetUp() override {
        PrivateHome::SetUp();
        QDir().mkpath(ConfigDir());
        QDir().mkpath(DataDir());
        where = DefaultUpgradeLocations();
    }
    void PutOldProfile(const QByteArray& settingsSection) {
        Put(where.oldProfile, "[Other]\nVersion=999\nSound=No\n\n[Varenta Settings]\n" +
                                  settingsSection + "\n[Later]\nMusic=On\n");
    }
    bool InData(const QString& name) const { return QFileInfo::exists(DataDir() + "/" + name); }

    UpgradeLocations where;
    SettingsFile store;
};

TEST_F(SettingsUpgradeTest, Version250KeepsSavedGamesAndImportsTheRules) {
    EXPECT_EQ(where.oldProfile, ConfigDir() + "/varenta.ini");
    PutOldProfile("Version=250\nSound=No\nmusic=Off\nVarenta Required=Yes\n"
                  "Draw Extra=yes\nThree Block=Yes\nAdd to Varenta=No\n"
                  "Number of Varentas=Two\nNumber of Cards = One \nInitial block=\"No\"\n");
    for (const char* name : {"autosave.var", "Game1.VAR", "VAR800.DLL", "notes.txt"}) {
        Put(DataDir() + "/" + name, "old");
    }
    store.Write("Settings\\Delay", 123);
    store.Write("Settings\\Background Color", 255);

    RunSettingsUpgrade(store, where);

    // The player's games stay, whatever version left them.
    EXPECT_TRUE(InData("autosave.var"));
    EXPECT_TRUE(InData("Game1.VAR"));
    EXPECT_FALSE(InData("VAR800.DLL"));
    EXPECT_TRUE(InData("notes.txt"));
    EXPECT_FALSE(QFileInfo::exists(where.oldProfile));

    SettingsFile after;
    EXPECT_EQ(after.ReadInteger("Settings\\Version", 0), 400);
    EXPECT_FALSE(after.ReadBool("Settings\\Sound", true));
    EXPECT_FALSE(after.ReadBool("Settings\\Music", true));
    EXPECT_TRUE(after.ReadBool("Settings\\Varenta required", false));
    EXPECT_FALSE(after.ReadBool("Settings\\Draw Extra", true)); // "yes" is not "Yes"
    EXPECT_TRUE(after.ReadBool("Settings\\Three Block", false));
    EXPECT_FALSE(after.ReadBool("Settings\\Add to Varenta", true));
    EXPECT_TRUE(after.ReadBool("Settings\\Top Card Counts", false)); // missing: "Yes"
    EXPECT_FALSE(after.ReadBool("Settings\\Initial Block", true));
    EXPECT_EQ(after.ReadInteger("Settings\\Number of Varentas", 1), 2);
    EXPECT_EQ(after.ReadInteger("Settings\\Number of Cards", 2), 1);
    EXPECT_EQ(after.ReadInteger("Settings\\Background Color", 32768), 32768); // reset
    EXPECT_EQ(after.ReadInteger("Settings\\Delay", 300), 123);                // untouched
}

TEST_F(SettingsUpgradeTest, Version350WithoutAnOldFileKeepsTheStoredRules) {
    // With no old file to import the rules already in the store are not
    // overwritten, and the saved game stays.
    store.Write("Settings\\Version", 350);
    store.Write("Settings\\Three Block", false);
    Put(DataDir() + "/autosave.var", "old");
    RunSettingsUpgrade(store, where);
    EXPECT_EQ(Contents(DataDir() + "/autosave.var"), "old");
    EXPECT_FALSE(store.ReadBool("Settings\\Three Block", true));
    EXPECT_EQ(store.ReadInteger("Settings\\Version", 0), 400);
}

TEST_F(SettingsUpgradeTest, CurrentOrNoOldVersionChangesNothingButTheVersion) {
    for (int version : {0, 400}) {
        store.Write("Settings\\Version", version);
        PutOldProfile("Sound=No\n"); // no Version: 0
        Put(DataDir() + "/autosave.var", "new");
        RunSettingsUpgrade(store, where);
        EXPECT_TRUE(InData("autosave.var")) << version;
        EXPECT_TRUE(QFileInfo::exists(where.oldProfile)) << version;
        EXPECT_TRUE(store.ReadBool("Settings\\Sound", true)) << version;
        EXPECT_EQ(store.ReadInteger("Settings\\Version", 0), 400);
    }
}

TEST_F(SettingsUpgradeTest, AnOldProfileThatIsNoFileIsNotRead) {
    // A pipe would hang a plain read; it counts as no old file at all.
    ASSERT_EQ(::mkfifo(where.oldProfile.toLocal8Bit().constData(), 0600), 0);
    store.Write("Settings\\Version", 250);
    RunSettingsUpgrade(store, where);
    EXPECT_TRUE(store.ReadBool("Settings\\Sound", true)); // nothing imported
    EXPECT_EQ(store.ReadInteger("Settings\\Version", 0), 400);
}

TEST(ProfileSectionTest, ReadsLikeThePrivateProfileFunctions) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/p.ini";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("; comment\r\n[ varenta settings ]\r\nVERSION= 310 beta\r\nName = 'Ann' \r\n"
               "Version=1\r\nBad=abc\r\n");
    file.close();
    const ProfileSection s = ProfileSection::Load(path, "Varenta Settings");
    EXPECT_TRUE(s.FileFound());
    EXPECT_EQ(s.Integer("version", 0), 310);
    EXPECT_EQ(s.Integer("Bad", 7), 0);
    EXPECT_EQ(s.Integer("Missing", 7), 7);
    EXPECT_EQ(s.String("name", ""), "Ann");
    EXPECT_FALSE(ProfileSection::Load(dir.path() + "/none.ini", "x").FileFound());
}

} // namespace
} // namespace varenta

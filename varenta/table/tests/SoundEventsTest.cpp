#include "varenta/table/SoundEvents.h"
#include "testsupport/StderrCapture.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/table/SdlSoundPlayer.h"

#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sys/stat.h>

namespace varenta {
namespace {

class RecordingPlayer : public SoundPlayer {
public:
    void Play(const std::string& path) override { played.push_back(path); }
    void Stop() override { ++stops; }
    bool IsPlaying() const override { return false; }
    std::vector<std::string> played;
    int stops = 0;
};

TEST(SoundEvents, DefaultListsFollowTheEventTable) {
    ASSERT_EQ(kSoundEventNames.size(), 14u);
    EXPECT_STREQ(kSoundEventNames[0], "Deal");
    EXPECT_STREQ(kSoundEventNames[4], "Help (3rd)");
    EXPECT_STREQ(kSoundEventNames[13], "Win Hand");
    EXPECT_EQ(DefaultSoundFiles(0), std::vector<std::string>{"shufl.wav"});
    EXPECT_EQ(DefaultSoundFiles(7), (std::vector<std::string>{"toobad.wav", "haha.wav"}));
    EXPECT_EQ(DefaultSoundFiles(10), std::vector<std::string>{"welcome.wav"});
    EXPECT_EQ(SoundEventIndex("take huge pile"), 11);
    EXPECT_EQ(SoundEventIndex("Nothing"), -1);
}

TEST(SoundEvents, EveryDefaultWaveFileIsInstalled) {
    for (int i = 0; i < kSoundEventCount; ++i) {
        for (const std::string& file : DefaultSoundFiles(i)) {
            const std::string path =
                std::string(CARDGAMES_SOURCE_DIR) + "/resources/varenta/sounds/" + file;
            EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
        }
    }
}

TEST(SoundEvents, PlaysAFileOfTheEventFromTheMediaFolder) {
    RecordingPlayer player;
    int pick = 1;
    SoundEvents events(player, "/media", [&](int n) { return pick % n; });
    events.PlaySoundEvent("Lose Match");
    pick = 0;
    events.PlaySoundEvent(7);
    events.SetFiles(0, {"/elsewhere/x.wav"});
    events.PlaySoundEvent("Deal");
    EXPECT_THAT(player.played,
                testing::ElementsAre("/media/haha.wav", "/media/toobad.wav", "/elsewhere/x.wav"));
    EXPECT_EQ(player.stops, 3) << "each sound stops the one before";
}

TEST(SoundEvents, TwoFilesAreEachChosenAboutHalfOfTheTime) {
    RecordingPlayer player;
    std::uint32_t state = 12345;
    SoundEvents events(player, "", [&](int n) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) % static_cast<std::uint32_t>(n));
    });
    for (int i = 0; i < 1000; ++i) {
        events.PlaySoundEvent("Lose Match");
    }
    const auto haha = std::count(player.played.begin(), player.played.end(), "haha.wav");
    EXPECT_GT(haha, 420);
    EXPECT_LT(haha, 580);
}

TEST(SoundEvents, SilentWhenSwitchedOffOrWithoutFiles) {
    RecordingPlayer player;
    SoundEvents events(player, "", [](int) { return 0; });
    events.SetEnabled(false);
    events.PlaySoundEvent("Deal");
    events.SetEnabled(true);
    events.SetFiles(1, {});
    events.PlaySoundEvent("Exit");
    events.PlaySoundEvent("no such event");
    EXPECT_TRUE(player.played.empty());
}

TEST(SoundEvents, StoredListsReplaceTheDefaults) {
    std::map<std::string, std::string> store = {
        {"Sound\\Deal1", "<none>"}, {"Sound\\Exit1", "a.wav"},
        {"Sound\\Exit2", "b.wav"},  {"Sound\\Exit4", "never read.wav"},
        {"Sound\\Start1", "c.wav"}, {"Sound\\Start3", "skipped because 2 is missing.wav"},
    };
    RecordingPlayer player;
    SoundEvents events(player, "", [](int) { return 0; });
    events.ReadLists([&](const std::string& key) -> std::optional<std::string> {
        auto it = store.find(key);
        return it == store.end() ? std::nullopt : std::optional<std::string>(it->second);
    });
    EXPECT_TRUE(events.Files(0).empty()) << "<none> stays silent";
    EXPECT_EQ(events.Files(1), (std::vector<std::string>{"a.wav", "b.wav"}));
    EXPECT_EQ(events.Files(10), std::vector<std::string>{"c.wav"});
    EXPECT_EQ(events.Files(13), DefaultSoundFiles(13)) << "missing values give the defaults";
}

// A machine without a sound device: ALSA is asked for a device that does not
// exist. One line on the terminal instead of ALSA's report, then silence.
TEST(SdlSoundPlayer, WithoutADeviceSaysSoOnceAndStaysSilent) {
    const ScopedEnv driver("SDL_AUDIODRIVER", "alsa");
    const ScopedEnv device("AUDIODEV", "cardgames-no-such-device");
    const std::string wave =
        std::string(CARDGAMES_SOURCE_DIR) + "/resources/varenta/sounds/applause.wav";
    StderrCapture capture;
    {
        SdlSoundPlayer player;
        player.Play(wave);
        player.Play(wave);
        EXPECT_FALSE(player.HasAudio());
        EXPECT_FALSE(player.IsPlaying());
    }
    const std::string text = capture.Text();
    EXPECT_EQ(text.rfind("varenta: no sound device found, playing without sound", 0), 0u) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
}

TEST(SdlSoundPlayer, PlaysOnTheDummyDriverAndStops) {
    SdlSoundPlayer player;
    player.Play(std::string(CARDGAMES_SOURCE_DIR) + "/resources/varenta/sounds/applause.wav");
    if (!player.HasAudio()) {
        GTEST_SKIP() << "no audio driver at all";
    }
    EXPECT_TRUE(player.IsPlaying());
    player.Stop();
    EXPECT_FALSE(player.IsPlaying());
    player.Play("/no/such/file.wav");
    EXPECT_FALSE(player.IsPlaying());
    // Files that are not what they seem are refused at once: a device that
    // never ends, a pipe nobody writes to, a folder.
    const std::string pipe = std::string(CARDGAMES_BINARY_DIR) + "/sound-test.fifo";
    std::filesystem::remove(pipe);
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& odd : {std::string("/dev/zero"), pipe, std::string("/tmp")}) {
        player.Play(odd);
        EXPECT_FALSE(player.IsPlaying()) << odd;
    }
    std::filesystem::remove(pipe);
}

} // namespace
} // namespace varenta

namespace varenta {
namespace {

// The stored form, written and read back through a real settings file.
TEST(SoundEvents, StoredFormRoundTripsThroughTheSettingsFile) {
    QTemporaryDir dir;
    SettingsFile store(dir.filePath("varenta.reg"));
    RecordingPlayer player;
    SoundEvents events(player, "", [](int) { return 0; });
    events.SetFiles(0, {});                             // silent
    events.SetFiles(1, {"/x/a.wav", "b.wav", "c.wav"}); // full
    events.SetFiles(7, {"only.wav"});                   // shorter than its default
    const auto stored = events.StoredLists();
    SettingsFile::NamedValues values;
    for (const auto& [name, file] : stored) {
        values.emplace_back(QString::fromStdString(name), QString::fromStdString(file));
    }
    store.ReplaceGroup("Sound", values);
    struct Case {
        const char* key;
        const char* value; // nullptr: not stored
    };
    for (const Case& c : std::vector<Case>{{"Sound\\Deal1", "<none>"},
                                           {"Sound\\Deal2", nullptr},
                                           {"Sound\\Exit3", "c.wav"},
                                           {"Sound\\Lose Match1", "only.wav"},
                                           {"Sound\\Lose Match2", nullptr},
                                           {"Sound\\Win Hand1", "applause.wav"}}) {
        const auto [group, name] = SplitSettingName(c.key);
        EXPECT_EQ(store.ValueExists(group, name), c.value != nullptr) << c.key;
        if (c.value != nullptr) {
            EXPECT_EQ(store.ReadString(c.key, ""), c.value) << c.key;
        }
    }
    SoundEvents back(player, "", [](int) { return 0; });
    back.ReadLists([&store](const std::string& key) -> std::optional<std::string> {
        const auto [group, name] = SplitSettingName(QString::fromStdString(key));
        if (!store.ValueExists(group, name)) {
            return std::nullopt;
        }
        return store.ReadString(QString::fromStdString(key), QString()).toStdString();
    });
    for (int i = 0; i < kSoundEventCount; ++i) {
        EXPECT_EQ(back.Files(i), events.Files(i)) << kSoundEventNames.at(i);
    }
}

} // namespace
} // namespace varenta

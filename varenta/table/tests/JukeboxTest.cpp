#include "varenta/table/Jukebox.h"
#include "varenta/table/SdlMusicPlayer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>

#include <deque>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

namespace varenta {
namespace {

using ::testing::ElementsAre;

// Plays what it is given, except the files it is told to refuse.
class RecordingPlayer : public MusicPlayer {
public:
    bool Play(const std::string& path) override {
        tried.push_back(Name(path));
        if (refuse.count(Name(path)) != 0) {
            return false;
        }
        played.push_back(Name(path));
        return true;
    }
    void Stop() override { ++stops; }
    bool IsPlaying() const override { return false; }
    static std::string Name(const std::string& path) {
        return std::filesystem::path(path).filename().string();
    }
    std::vector<std::string> tried;
    std::vector<std::string> played;
    std::set<std::string> refuse;
    int stops = 0;
};

class JukeboxTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    RecordingPlayer player;
    std::deque<int> randoms; // scripted; 0 when used up
    int reseeds = 0;
    Jukebox jukebox{player, dir.path().toStdString(),
                    [this](int) {
                        const int r = randoms.empty() ? 0 : randoms.front();
                        if (!randoms.empty()) {
                            randoms.pop_front();
                        }
                        return r;
                    },
                    [this] { ++reseeds; }};

    std::string Make(const std::string& name) {
        const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path) << "MThd";
        return path;
    }
    void UseJukebox(const std::string& folder = {}) {
        MusicSettings music;
        music.type = kMusicJukebox;
        music.folder = folder;
        jukebox.SetSettings(music);
    }
};

TEST_F(JukeboxTest, ScanTakesMidiFilesOfAnyCaseOnly) {
    for (const char* name : {"b.MID", "a.mid", "c.Mid", "notes.txt", "mid", "x.midi"}) {
        Make(name);
    }
    std::filesystem::create_directory(dir.filePath("folder.mid").toStdString());
    std::vector<std::string> names;
    for (const std::string& path : ScanMidiFiles(dir.path().toStdString())) {
        names.push_back(RecordingPlayer::Name(path));
    }
    EXPECT_THAT(names, ElementsAre("a.mid", "b.MID", "c.Mid"));
    EXPECT_TRUE(ScanMidiFiles("/no/such/folder").empty());
}

TEST_F(JukeboxTest, SingleFileAndSwitchedOff) {
    Make("ARCADIA.MID");
    struct Case {
        bool enabled;
        std::string file;
        std::vector<std::string> played;
    };
    const std::vector<Case> cases = {
        {true, "ARCADIA.MID", {"ARCADIA.MID"}},   // a bare name: the music folder
        {true, Make("other.mid"), {"other.mid"}}, // a path as it is
        {true, "missing.mid", {}},                // nothing to play: silence
        {false, "ARCADIA.MID", {}},               // switched off
    };
    for (const Case& c : cases) {
        player.played.clear();
        const int stops = player.stops;
        MusicSettings music;
        music.enabled = c.enabled;
        music.type = kMusicSingleFile;
        music.file = c.file;
        jukebox.SetSettings(music);
        jukebox.MusicNext();
        jukebox.MusicNext(); // the end of the piece starts it again
        EXPECT_EQ(player.played.size(), 2 * c.played.size()) << c.file;
        EXPECT_EQ(player.stops, stops + 2) << "what played before always stops";
    }
}

TEST_F(JukeboxTest, ShufflesOnceEachPassAndRescansAtTheEnd) {
    for (const char* name : {"a.mid", "b.mid", "c.mid"}) {
        Make(name);
    }
    UseJukebox();
    // One swap of two random entries per entry: (0,1) (1,2) (2,2) turns
    // a b c into b c a.
    randoms = {0, 1, 1, 2, 2, 2};
    for (int i = 0; i < 3; ++i) {
        jukebox.MusicNext();
    }
    EXPECT_THAT(player.played, ElementsAre("b.mid", "c.mid", "a.mid"));
    EXPECT_EQ(jukebox.Position(), -1) << "the list is used up";
    EXPECT_EQ(reseeds, 1);
    Make("d.mid"); // found by the next scan
    randoms = {3, 0, 0, 0, 0, 0, 0, 0};
    jukebox.MusicNext();
    EXPECT_EQ(reseeds, 2);
    EXPECT_THAT(jukebox.Playlist().size(), 4u);
    EXPECT_EQ(player.played.back(), "d.mid") << "swap (3,0) put d first";
}

TEST_F(JukeboxTest, SkipsFilesGoneOrUnplayableAndNeverLoops) {
    for (const char* name : {"a.mid", "b.mid", "c.mid"}) {
        Make(name);
    }
    UseJukebox();
    jukebox.MusicNext(); // no swaps that change anything: a b c
    ASSERT_THAT(player.played, ElementsAre("a.mid"));
    std::filesystem::remove(dir.filePath("b.mid").toStdString());
    jukebox.MusicNext();
    EXPECT_EQ(player.played.back(), "c.mid") << "b was deleted after the list was made";
    // The last entry gone: the folder is scanned again and playing goes on.
    std::filesystem::remove(dir.filePath("c.mid").toStdString());
    Make("e.mid");
    jukebox.MusicNext();
    EXPECT_EQ(player.played.back(), "a.mid");
    // Files that exist but will not play are passed over; when a fresh list
    // holds nothing playable the music stays off instead of scanning for ever.
    player.refuse = {"a.mid", "e.mid"};
    player.played.clear();
    const std::size_t before = player.tried.size();
    jukebox.MusicNext(); // e, then a fresh list: a, e
    jukebox.MusicNext(); // a fresh list: a, e
    EXPECT_TRUE(player.played.empty());
    EXPECT_EQ(player.tried.size() - before, 5u);
}

TEST_F(JukeboxTest, EmptyOrMissingFolderLeavesTheMusicStopped) {
    for (const std::string& folder : {std::string(), std::string("/no/such/folder")}) {
        UseJukebox(folder);
        const int stops = player.stops;
        jukebox.MusicNext();
        EXPECT_TRUE(player.tried.empty()) << folder;
        EXPECT_GT(player.stops, stops);
        EXPECT_EQ(jukebox.Position(), -1) << "a later call looks again";
    }
    Make("late.mid");
    UseJukebox(dir.path().toStdString() + "//");
    EXPECT_EQ(jukebox.Folder(), dir.path().toStdString()) << "closing separators go";
    jukebox.MusicNext();
    EXPECT_THAT(player.played, ElementsAre("late.mid"));
}

// The mixer reports the end of a piece on its audio thread; the player runs
// `finished` only later, on the GUI thread, and not for a stopped piece.
TEST(SdlMusicPlayer, EndOfMusicReachesTheGuiThreadOnly) {
    SdlMusicPlayer player;
    int finished = 0;
    bool onGuiThread = false;
    player.finished = [&] {
        ++finished;
        onGuiThread = QThread::currentThread() == QCoreApplication::instance()->thread();
    };
    const std::string tune =
        std::string(CARDGAMES_SOURCE_DIR) + "/resources/varenta/music/ARCADIA.MID";
    EXPECT_FALSE(
        player.Play(std::string(CARDGAMES_SOURCE_DIR) + "/resources/varenta/sounds/done.wav"))
        << "music is MIDI only";
    ASSERT_TRUE(player.Play(tune));
    if (!player.HasAudio()) {
        GTEST_SKIP() << "no audio driver at all";
    }
    std::thread([] { SdlMusicPlayer::MusicFinishedHook(); }).join();
    EXPECT_EQ(finished, 0) << "nothing runs on the audio thread";
    QCoreApplication::processEvents();
    EXPECT_EQ(finished, 1);
    EXPECT_TRUE(onGuiThread);
    ASSERT_TRUE(player.Play(tune));
    player.Stop();
    std::thread([] { SdlMusicPlayer::MusicFinishedHook(); }).join();
    const int before = finished;
    QCoreApplication::processEvents();
    EXPECT_EQ(finished, before) << "a stopped piece has not ended by itself";
    EXPECT_FALSE(player.IsPlaying());
}

} // namespace
} // namespace varenta

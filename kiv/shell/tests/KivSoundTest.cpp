#include "kiv/shell/KivSound.h"
#include "testsupport/StderrCapture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <SDL_mixer.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>

namespace kiv {
namespace {

const char* const kWaves[] = {"herz.wav", "karo.wav",   "kreuz.wav",  "pik.wav",
                              "hmm.wav",  "he1.wav",    "he2.wav",    "karte.wav",
                              "kiv.wav",  "karten.wav", "falsch.wav", "zurueck.wav",
                              "o.wav",    "rang.wav",   "topten.wav", "Jiberish.wav"};

TEST(KivMedia, EveryWaveAndTheMusicAreInstalledWhereTheProgramLooks) {
    for (const char* wave : kWaves) {
        QFile f(ResolveMedia(wave));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << wave;
        EXPECT_EQ(f.read(4), "RIFF") << wave;
    }
    EXPECT_TRUE(LooksLikeMidiFile(ResolveMedia("gailrdge.mid")));
    EXPECT_TRUE(QFileInfo::exists(HelpFolder() + "/index.html"));
    // Relative names come from the media folder.
    EXPECT_EQ(ResolveMedia("/abs/x.mid"), "/abs/x.mid");
    EXPECT_EQ(ResolveMedia("x.mid"), MediaFolder() + "/x.mid");
    EXPECT_EQ(ResolveMedia(""), "");
}

TEST(KivMedia, AnInstalledCopyBesideTheProgramComesBeforeTheSourceTree) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QString bin = prefix.path() + "/bin";
    const QString source = QStringLiteral(CARDGAMES_SOURCE_DIR "/resources/kiv");
    EXPECT_EQ(DataFolderFor(bin), prefix.path() + "/share/kiv")
        << "without an install or a build folder's note: where an install would be";
    QFile note(prefix.path() + "/cardgames-resources.txt");
    ASSERT_TRUE(note.open(QIODevice::WriteOnly));
    note.write(CARDGAMES_SOURCE_DIR "/resources\n");
    note.close();
    EXPECT_EQ(DataFolderFor(bin), source) << "a build folder's note names the source tree";
    ASSERT_TRUE(QDir().mkpath(prefix.path() + "/share/kiv/help"));
    EXPECT_EQ(DataFolderFor(bin), source) << "help pages alone are not an installed copy";
    ASSERT_TRUE(QDir().mkpath(prefix.path() + "/share/kiv/media"));
    EXPECT_EQ(DataFolderFor(bin), prefix.path() + "/share/kiv");
    EXPECT_EQ(DataFolderFor(bin + "/"), prefix.path() + "/share/kiv");
    EXPECT_EQ(DataFolderFor(QStringLiteral(CARDGAMES_BINARY_DIR "/kiv/app")), source)
        << "this build's own note";
}

TEST(KivSdlSound, MusicStartsOnlyForPlayableMidiFiles) {
    SdlSound sound;
    QTemporaryDir dir;
    QFile junk(dir.path() + "/junk.mid");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is no music");
    junk.close();

    EXPECT_FALSE(sound.StartMusic(dir.path() + "/missing.mid"));
    EXPECT_FALSE(sound.MusicPlaying());
    EXPECT_FALSE(sound.StartMusic(junk.fileName()));
    EXPECT_FALSE(sound.MusicPlaying());
    ASSERT_TRUE(sound.StartMusic("gailrdge.mid"));
    EXPECT_TRUE(sound.MusicPlaying());
    sound.StopMusic();
    EXPECT_FALSE(sound.MusicPlaying());
    sound.PlayWave("does-not-exist.wav"); // a missing wave is no reason to stop

    // Names of things that are no files are refused at once, never read:
    // a pipe nobody writes to, a device that never ends, a folder.
    const QString pipe = dir.path() + "/pipe.mid";
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    for (const QString& odd : {pipe, QString("/dev/zero"), dir.path()}) {
        EXPECT_FALSE(LooksLikeMidiFile(odd)) << odd.toStdString();
        EXPECT_FALSE(sound.StartMusic(odd)) << odd.toStdString();
        sound.PlayWave(odd);
    }
    EXPECT_FALSE(sound.MusicPlaying());
}

// A machine without a sound device: ALSA is asked for a device that does not
// exist. The player stays silent, music still "starts", and the terminal
// gets one line in the program's language instead of ALSA's report.
TEST(KivSdlSound, WithoutADeviceSaysSoInOneLineAndStaysSilent) {
    const struct {
        int base;
        const char* line;
    } cases[] = {{1000, "kiv: kein Tonausgabegerät gefunden"},
                 {5000, "kiv: no sound device found, playing without sound"}};
    const ScopedEnv driver("SDL_AUDIODRIVER", "alsa");
    const ScopedEnv device("AUDIODEV", "cardgames-no-such-device");
    for (const auto& c : cases) {
        StderrCapture capture;
        {
            SdlSound sound(c.base);
            EXPECT_FALSE(sound.HasAudio());
            sound.PlayWave("karte.wav");
            EXPECT_TRUE(sound.StartMusic("gailrdge.mid"));
        }
        const std::string text = capture.Text();
        EXPECT_EQ(text.rfind(c.line, 0), 0u) << text;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
        EXPECT_EQ(text.find("ALSA lib"), std::string::npos) << text;
    }
}

TEST(KivSdlSound, EndedMusicStartsAgainUnlessStopped) {
    SdlSound sound;
    ASSERT_TRUE(sound.StartMusic("gailrdge.mid"));
    if (sound.HasAudio()) {
        Mix_HaltMusic(); // as if the piece had ended
    }
    sound.OnMusicFinished();
    EXPECT_EQ(sound.Restarts(), 1);
    EXPECT_TRUE(sound.MusicPlaying());
    sound.StopMusic();
    sound.OnMusicFinished(); // a late notice after stopping changes nothing
    EXPECT_EQ(sound.Restarts(), 1);
    EXPECT_FALSE(sound.MusicPlaying());
}

} // namespace
} // namespace kiv

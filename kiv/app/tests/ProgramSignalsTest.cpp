// The real program, started offscreen with a private set of files, ends
// cleanly on Ctrl+C (SIGINT) and on kill (SIGTERM): its exit status tells the
// signal, and its configuration and ranking list are left whole.
#include "testsupport/ProgramRun.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(KivProgram, EndsCleanlyOnSigintAndSigterm) {
    // A configuration with every seat playing and a ranking list of four
    // seats; both must look exactly the same afterwards.
    const std::string config =
        "Kiv Kiv Initialisierungsdatei\r\nAnna\r\n1\r\n0\r\nFrank\r\n1\r\n1\r\nTina\r\n1\r\n1\r\n"
        "Linda\r\n1\r\n1\r\n200\r\n5\r\n1\r\n0\r\n1\r\n1\r\n1\r\n0\r\n1\r\n1\r\ngailrdge.mid\r\n"
        "2\r\n32768\r\n400\r\n1000\r\n40\r\n";
    const std::string ranking = "330\r\n540\r\n0\r\n15\r\n";
    // The second run has no sound device, as over SSH: one line says so.
    const struct {
        int signalNumber;
        int status;
        const char* audio;
    } cases[] = {{SIGINT, 130, "SDL_AUDIODRIVER=dummy"}, {SIGTERM, 143, "SDL_AUDIODRIVER=alsa"}};
    for (const auto& c : cases) {
        const fs::path home =
            fs::path(CARDGAMES_BINARY_DIR) / ("kiv-signal-" + std::to_string(c.signalNumber));
        fs::remove_all(home);
        fs::create_directories(home / "config/kiv");
        fs::create_directories(home / "runtime");
        fs::permissions(home / "runtime", fs::perms::owner_all);
        WriteFile(home / "config/kiv/kiv32.ini", config);
        WriteFile(home / "config/kiv/kiv32.rng", ranking);

        const std::string errors = (home / "stderr.txt").string();
        ProgramRun run(KIV_PROGRAM, {},
                       {"QT_QPA_PLATFORM=offscreen", c.audio, "AUDIODEV=cardgames-no-such-device",
                        "KIV_READY_NOTICE=1", "XDG_CONFIG_HOME=" + (home / "config").string(),
                        "XDG_DATA_HOME=" + (home / "data").string(),
                        "XDG_RUNTIME_DIR=" + (home / "runtime").string()},
                       errors);
        ASSERT_TRUE(run.Started());
        std::string line;
        ASSERT_TRUE(run.ReadLine(line)) << ProgramRun::FileText(errors);
        EXPECT_EQ(line, "kiv: ready");
        run.Signal(c.signalNumber);
        const int status = run.Wait();
        ASSERT_TRUE(WIFEXITED(status)) << "status " << status << "\n"
                                       << ProgramRun::FileText(errors);
        EXPECT_EQ(WEXITSTATUS(status), c.status) << ProgramRun::FileText(errors);
        EXPECT_EQ(ProgramRun::FileText((home / "config/kiv/kiv32.ini").string()), config);
        EXPECT_EQ(ProgramRun::FileText((home / "config/kiv/kiv32.rng").string()), ranking);
        const std::string said = ProgramRun::FileText(errors);
        EXPECT_EQ(said.find("ALSA lib"), std::string::npos) << said;
        EXPECT_EQ(said.find("kiv: kein Tonausgabegerät gefunden") != std::string::npos,
                  c.signalNumber == SIGTERM)
            << said;
    }
}

} // namespace

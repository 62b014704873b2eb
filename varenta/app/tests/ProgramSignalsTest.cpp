// The real program, started offscreen with a private set of files on a game
// in progress, ends cleanly on Ctrl+C (SIGINT) and on kill (SIGTERM) as its
// Exit command does: the exit status tells the signal, the game is kept in
// autosave.var and the window's place in the settings.
#include "testsupport/ProgramRun.h"
#include "varenta/store/SavedGameFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>

namespace varenta {
namespace {

namespace fs = std::filesystem;

TEST(VarentaProgram, EndsOnSigintAndSigtermKeepingTheGame) {
    const fs::path base = fs::path(CARDGAMES_BINARY_DIR) / "varenta-signal";
    fs::remove_all(base);
    fs::create_directories(base);
    // A game some moves in, marked as in progress as the first click does.
    const std::string game = (base / "game.var").string();
    ASSERT_EQ(std::system((std::string(VARENTA_SIM) + " --seed 4 --moves 5 --save " + game +
                           " >/dev/null 2>&1")
                              .c_str()),
              0);
    auto saved = std::make_unique<SavedGame>();
    std::string message;
    ASSERT_TRUE(ReadSavedGameFile(game, *saved, message)) << message;
    saved->state.gameInProgress = true;
    ASSERT_TRUE(WriteSavedGameFile(game, saved->state, saved->layout, message)) << message;

    const struct {
        int signalNumber;
        int status;
    } cases[] = {{SIGINT, 130}, {SIGTERM, 143}};
    for (const auto& c : cases) {
        const fs::path home = base / std::to_string(c.signalNumber);
        fs::create_directories(home / "runtime");
        fs::permissions(home / "runtime", fs::perms::owner_all);
        const std::string errors = (home / "stderr.txt").string();
        ProgramRun run(VARENTA_PROGRAM, {game},
                       {"QT_QPA_PLATFORM=offscreen", "SDL_AUDIODRIVER=dummy",
                        "VARENTA_READY_NOTICE=1", "XDG_CONFIG_HOME=" + (home / "config").string(),
                        "XDG_DATA_HOME=" + (home / "data").string(),
                        "XDG_RUNTIME_DIR=" + (home / "runtime").string()},
                       errors);
        ASSERT_TRUE(run.Started());
        std::string line;
        ASSERT_TRUE(run.ReadLine(line)) << ProgramRun::FileText(errors);
        EXPECT_EQ(line, "varenta: ready");
        run.Signal(c.signalNumber);
        const int status = run.Wait();
        ASSERT_TRUE(WIFEXITED(status)) << "status " << status << "\n"
                                       << ProgramRun::FileText(errors);
        EXPECT_EQ(WEXITSTATUS(status), c.status) << ProgramRun::FileText(errors);

        auto kept = std::make_unique<SavedGame>();
        ASSERT_TRUE(
            ReadSavedGameFile((home / "data/varenta/autosave.var").string(), *kept, message))
            << message;
        EXPECT_TRUE(kept->state.gameInProgress);
        EXPECT_EQ(kept->state.playerHand.Size(), saved->state.playerHand.Size());
        EXPECT_NE(ProgramRun::FileText((home / "config/varenta/settings.conf").string())
                      .find("Resolution="),
                  std::string::npos);
        EXPECT_EQ(ProgramRun::FileText(errors).find("ALSA"), std::string::npos);
    }
}

// A settings file that cannot be read is set aside with a notice at start;
// a signal while that notice waits for an answer ends the program at once.
TEST(VarentaProgram, ASignalDuringTheStartNoticeEndsTheProgram) {
    const fs::path home = fs::path(CARDGAMES_BINARY_DIR) / "varenta-signal-notice";
    fs::remove_all(home);
    fs::create_directories(home / "config/varenta");
    fs::create_directories(home / "runtime");
    fs::permissions(home / "runtime", fs::perms::owner_all);
    {
        std::ofstream garbage(home / "config/varenta/settings.conf", std::ios::binary);
        garbage << std::string(64, '\x01') << "\n[broken\n";
    }
    const std::string errors = (home / "stderr.txt").string();
    ProgramRun run(VARENTA_PROGRAM, {},
                   {"QT_QPA_PLATFORM=offscreen", "SDL_AUDIODRIVER=dummy", "VARENTA_READY_NOTICE=1",
                    "XDG_CONFIG_HOME=" + (home / "config").string(),
                    "XDG_DATA_HOME=" + (home / "data").string(),
                    "XDG_RUNTIME_DIR=" + (home / "runtime").string()},
                   errors);
    ASSERT_TRUE(run.Started());
    std::string line;
    ASSERT_TRUE(run.ReadLine(line)) << ProgramRun::FileText(errors);
    ASSERT_EQ(line, "varenta: notice");
    run.Signal(SIGTERM);
    const int status = run.Wait();
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status << "\n" << ProgramRun::FileText(errors);
    EXPECT_EQ(WEXITSTATUS(status), 143) << ProgramRun::FileText(errors);
}

} // namespace
} // namespace varenta

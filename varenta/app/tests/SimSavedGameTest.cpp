// varenta-sim with saved games: --moves stops the bot, --save writes what
// Game | Save writes, --load goes on from a file and refuses a bad one.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <sys/wait.h>

#include "varenta/app/sim/Simulator.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/store/SavedGameFile.h"

namespace varenta::sim {
namespace {

std::string LastLine(const std::string& text) {
    const std::size_t end = text.find_last_not_of('\n');
    const std::size_t start = text.rfind('\n', end);
    return text.substr(start == std::string::npos ? 0 : start + 1, end - start);
}

TEST(SimMoves, StopsAfterTheBotsNthMoveAlsoWithinAHand) {
    for (const std::int64_t moves : {1, 2, 7, 40}) {
        SimOptions options;
        options.seed = 5;
        options.moves = moves;
        std::ostringstream trace;
        const SimSummary summary = RunSimulation(options, &trace);
        ASSERT_TRUE(summary.ok) << summary.error;
        EXPECT_EQ(summary.botMoves, moves);
        if (moves < 10) {
            EXPECT_EQ(summary.hands, 0) << "a short run stops within the first hand";
        }
    }
    SimOptions options;
    options.seed = 5;
    options.moves = 1000000;
    options.hands = 1;
    const SimSummary summary = RunSimulation(options, nullptr);
    ASSERT_TRUE(summary.ok) << summary.error;
    EXPECT_EQ(summary.hands, 1) << "--hands still applies";
    EXPECT_LT(summary.botMoves, 1000000);
}

TEST(SimLoad, GoesOnFromASavedGameWithThePlayerOnTurnAndNoDeal) {
    SimOptions first;
    first.seed = 8;
    first.moves = 9;
    auto engine = std::make_unique<VarentaEngine>();
    ASSERT_TRUE(RunSimulation(first, nullptr, nullptr, engine.get()).ok);
    const std::string text = SerializeSavedGame(engine->State(), engine->Geometry().layout);
    auto game = std::make_unique<SavedGame>();
    std::string problem;
    ASSERT_TRUE(ParseSavedGame(text, *game, problem)) << problem;

    SimOptions next;
    next.seed = 8;
    next.hands = 2;
    std::ostringstream trace;
    auto table = std::make_unique<VarentaEngine>();
    const SimSummary summary = RunSimulation(next, &trace, game.get(), table.get());
    ASSERT_TRUE(summary.ok) << summary.error;
    EXPECT_EQ(summary.hands, 2);
    EXPECT_EQ(trace.str().rfind("P ", 0), 0u) << trace.str().substr(0, 80);
    // The scores went on from the file's.
    EXPECT_EQ(LastLine(trace.str()).rfind("END ", 0), 0u);
    EXPECT_NE(table->State().playerScore + table->State().opponentScore,
              engine->State().playerScore + engine->State().opponentScore);
}

// The program itself: its exit status and what it leaves on disk.
class SimProgram : public ::testing::Test {
protected:
    std::string dir = ::testing::TempDir() + "/simsaved-" + std::to_string(::getpid());
    void SetUp() override { std::system(("mkdir -p " + dir).c_str()); }
    void TearDown() override { std::system(("rm -rf " + dir).c_str()); }
    int Run(const std::string& args) {
        const int status = std::system(
            (std::string(VARENTA_SIM) + " " + args + " 2>" + dir + "/err >" + dir + "/out")
                .c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Read(const std::string& name) {
        std::ifstream in(dir + "/" + name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool Exists(const std::string& name) { return std::ifstream(dir + "/" + name).good(); }
};

TEST_F(SimProgram, SavesLoadsAndRefusesABadFileWritingNothing) {
    ASSERT_EQ(Run("--seed 3 --moves 6 --save " + dir + "/a.var"), 0) << Read("err");
    const std::string saved = Read("a.var");
    auto game = std::make_unique<SavedGame>();
    std::string problem;
    ASSERT_TRUE(ParseSavedGame(saved, *game, problem)) << problem;

    ASSERT_EQ(Run("--seed 3 --load " + dir + "/a.var --moves 4 --trace " + dir + "/t --save " +
                  dir + "/b.var"),
              0)
        << Read("err");
    EXPECT_EQ(Read("t").rfind("P ", 0), 0u);
    EXPECT_TRUE(Exists("b.var"));

    std::ofstream(dir + "/bad.var", std::ios::binary) << saved.substr(0, saved.size() - 3) << "x ";
    EXPECT_EQ(Run("--load " + dir + "/bad.var --trace " + dir + "/t2 --save " + dir + "/c.var"), 1);
    EXPECT_NE(Read("err").find(dir + "/bad.var"), std::string::npos) << Read("err");
    EXPECT_FALSE(Exists("t2"));
    EXPECT_FALSE(Exists("c.var"));
    EXPECT_EQ(Read("out"), "");
}

} // namespace
} // namespace varenta::sim

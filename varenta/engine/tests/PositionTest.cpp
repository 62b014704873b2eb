#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "TestSupport.h"

namespace varenta {
namespace {

using namespace varenta::testing;

// A saved position's bookkeeping of the hand that was on the table does not
// survive the load; the stored fields do, and the hint follows the draw.
TEST(Position, LoadKeepsTheStoredFieldsAndStartsTheTurnsBookkeepingAfresh) {
    for (const bool drawn : {false, true}) {
        SCOPED_TRACE(drawn ? "drawn" : "not drawn");
        Table t;
        GameState& s = t.S();
        s.stockDraws = 2;
        s.restocksThisHand = 3;
        s.pileTopRaisedMinimum = true;
        s.opponentTopPending = true;
        s.undoList.Push({MakeCard(Code(kSpade, kKing), 0), 40});

        SavedPosition saved;
        saved.layout = t.G().layout;
        saved.columnWidth = t.G().columnWidth;
        saved.state.playerScore = 1230;
        saved.state.opponentScore = 870;
        saved.state.hasDrawn = drawn;
        saved.state.mayTakePile = drawn; // the opposite of what the load makes of it
        saved.state.initialMeldMinimum = 90;
        saved.state.stockDraws = 1;
        saved.state.opponentToMove = true; // not a stored field
        saved.state.stock.Append(MakeCard(Code(kHeart, kFive), 1));
        t.engine.LoadPosition(saved);

        EXPECT_EQ(s.playerScore, 1230);
        EXPECT_EQ(s.opponentScore, 870);
        EXPECT_EQ(s.initialMeldMinimum, 90);
        EXPECT_EQ(s.stock.count, 1);
        EXPECT_EQ(s.hasDrawn, drawn);
        EXPECT_EQ(s.mayTakePile, !drawn);
        EXPECT_FALSE(s.opponentToMove);
        EXPECT_EQ(s.stockDraws, 0);
        EXPECT_EQ(s.restocksThisHand, 0);
        EXPECT_FALSE(s.pileTopRaisedMinimum);
        EXPECT_FALSE(s.opponentTopPending);
        EXPECT_TRUE(s.undoList.Empty());
        EXPECT_FALSE(t.port.undoEnabled);
        EXPECT_EQ(t.port.LastHint(), drawn ? Hint::MeldOrDiscard : Hint::Draw);
    }
}

TEST(Position, AwaitingThePartnersDealClearsTheScoresAndHoldsThePlayer) {
    Table t;
    t.S().playerScore = 450;
    t.S().opponentScore = 300;
    t.S().gameInProgress = true;
    t.engine.AwaitPartnerDeal();
    EXPECT_EQ(t.S().playerScore, 0);
    EXPECT_EQ(t.S().opponentScore, 0);
    EXPECT_FALSE(t.S().gameInProgress);
    EXPECT_TRUE(t.S().opponentToMove);
    t.Undrawn();
    t.Stock({Code(kClub, kNine)});
    t.engine.PlayerDraw();
    EXPECT_EQ(t.S().playerHand.count, 0) << "no card action until the deal";
}

// The copy is the other table as it stands: taking its rules must not
// re-freeze a pile that was thawed, and the random numbers go on alike.
TEST(Position, ACopiedTableHasTheSameRulesGameAndRandomNumbers) {
    Table real;
    RuleSet rules;
    rules.initialBlock = false;
    rules.numberOfCards = 2;
    real.Rules(rules);
    real.engine.StartProgram(77);
    real.engine.DealHand(false);
    real.S().pileFrozen = true;

    VarentaEngine copy;
    copy.CopyTableFrom(real.engine);
    EXPECT_EQ(copy.Rules(), real.engine.Rules());
    EXPECT_EQ(copy.Geometry().layout, real.engine.Geometry().layout);
    EXPECT_TRUE(copy.State().pileFrozen);
    EXPECT_EQ(copy.GameDigest(false, true, true), real.engine.GameDigest(false, true, true));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(copy.Rng().Next(1000), real.engine.Rng().Next(1000));
    }
}

// Production code changes the game only through the engine's operations; the
// test door stays in the tests.
TEST(Position, NoProductionSourceIncludesTheTestDoor) {
    namespace fs = std::filesystem;
    const fs::path root = CARDGAMES_SOURCE_DIR;
    int scanned = 0;
    for (const char* top : {"varenta", "kiv"}) {
        for (const fs::directory_entry& e : fs::recursive_directory_iterator(root / top)) {
            const std::string path = e.path().generic_string();
            const std::string ext = e.path().extension().string();
            if (!e.is_regular_file() || (ext != ".cpp" && ext != ".h") ||
                path.find("tests/") != std::string::npos ||
                path.find("/testing/") != std::string::npos) {
                continue;
            }
            std::ifstream in(e.path());
            std::stringstream text;
            text << in.rdbuf();
            ++scanned;
            EXPECT_EQ(text.str().find("#include \"varenta/engine/testing/"), std::string::npos)
                << path;
        }
    }
    EXPECT_GT(scanned, 100);
}

} // namespace
} // namespace varenta

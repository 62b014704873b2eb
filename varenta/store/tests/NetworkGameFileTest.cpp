// The kept network game's file: what a saved game leaves out comes back, and
// a file damaged anywhere is refused with its problem named.
#include "varenta/store/NetworkGameFile.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/engine/testing/StateAccess.h"
#include "varenta/store/SavedGameTexts.h"
#include "varenta/store/StorePaths.h"
#include "varenta/store/tests/PrivateHome.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace varenta {
namespace {

std::unique_ptr<VarentaEngine> PartnersTurnMidway() {
    auto engine = std::make_unique<VarentaEngine>();
    engine->StartProgram(5);
    engine->DealHand(true);
    GameState& s = testing::MutableState(*engine);
    s.gameInProgress = true;
    s.opponentToMove = true;
    s.playerDrawsFirst = false;
    s.mayTakePile = false;
    s.stockDraws = 1;
    s.restocksThisHand = 2;
    s.opponentTopPending = true;
    s.opponentMeldPointsBackup = 40;
    s.playerMeldedBefore = 70;
    s.opponentMeldedBefore = 55;
    s.discardedRank[4] = 3;
    return engine;
}

constexpr char kRecord[] = "role server\nlisten 31415\nsent 3\n";

TEST(KeptNetworkGame, TheTurnAndTheLineComeBackAsTheyWere) {
    const auto engine = PartnersTurnMidway();
    const std::string text = SerializeKeptNetworkGame(engine->State(), 2, kRecord);
    KeptNetworkGame kept;
    std::string problem;
    ASSERT_TRUE(ParseKeptNetworkGame(text, kept, problem)) << problem;
    const GameState& in = engine->State();
    const GameState& out = kept.game.state;
    EXPECT_EQ(kept.lineRecord, kRecord);
    EXPECT_EQ(kept.game.layout, 2);
    EXPECT_EQ(out.opponentToMove, in.opponentToMove);
    EXPECT_EQ(out.playerDrawsFirst, in.playerDrawsFirst);
    EXPECT_EQ(out.mayTakePile, in.mayTakePile);
    EXPECT_EQ(out.stockDraws, in.stockDraws);
    EXPECT_EQ(out.restocksThisHand, in.restocksThisHand);
    EXPECT_EQ(out.opponentTopPending, in.opponentTopPending);
    EXPECT_EQ(out.opponentMeldPointsBackup, in.opponentMeldPointsBackup);
    EXPECT_EQ(out.playerMeldedBefore, in.playerMeldedBefore);
    EXPECT_EQ(out.opponentMeldedBefore, in.opponentMeldedBefore);
    EXPECT_EQ(out.discardedRank, in.discardedRank);

    // On the table the partner's turn stays the partner's.
    VarentaEngine table;
    table.StartProgram(9);
    table.DealHand(true);
    table.LoadNetworkPosition(kept.game);
    EXPECT_TRUE(table.State().opponentToMove);
    EXPECT_EQ(table.GameDigest(false, true, true), engine->GameDigest(false, true, true));
}

TEST(KeptNetworkGame, ADamagedFileIsRefusedWithItsProblem) {
    const auto engine = PartnersTurnMidway();
    const std::string good = SerializeKeptNetworkGame(engine->State(), 0, kRecord);
    const std::size_t turn = good.find("\r\nTURN ") + 7;
    const auto with = [&good](std::size_t at, std::size_t length, const std::string& instead) {
        return good.substr(0, at) + instead + good.substr(at + length);
    };
    struct Row {
        std::string text;
        const char* problem;
    };
    const Row rows[] = {
        {"VarentaSavedGame" + good.substr(20), texts::kNoNetworkGame},
        {good.substr(0, good.find("\r\nLINE")), texts::kNetworkGameCut},
        {with(turn, 1, "2"), texts::kNetworkGameTurn},     // whose turn: 0 or 1
        {with(turn, 2, ""), texts::kNetworkGameTurn},      // a field short
        {with(turn, 0, "0 "), texts::kNetworkGameTurn},    // a field too many
        {with(turn, 1, "x"), texts::kNetworkGameTurn},     // no number
        {with(turn + 6, 1, "3"), texts::kNetworkGameTurn}, // draws beyond two
        {good + "ROLE\r\n", texts::kNetworkGameLine},      // what the session never writes
        {with(good.find(" ", 24), 0, "999"), nullptr},     // the saved game's own refusal
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.substr(0, 40));
        KeptNetworkGame kept;
        std::string problem;
        EXPECT_FALSE(ParseKeptNetworkGame(row.text, kept, problem));
        if (row.problem != nullptr) {
            EXPECT_EQ(problem, row.problem);
        } else {
            EXPECT_FALSE(problem.empty());
        }
    }
}

class KeptNetworkGameFile : public testing::PrivateHome {};

TEST_F(KeptNetworkGameFile, LiesBesideTheAutosaveAndIsReadBack) {
    const std::string path = KeptNetworkGameFileName().toStdString();
    EXPECT_EQ(QFileInfo(KeptNetworkGameFileName()).dir(), QFileInfo(AutosaveFileName()).dir());
    EXPECT_NE(KeptNetworkGameFileName(), AutosaveFileName());
    QDir().mkpath(VarentaDataDir());
    KeptNetworkGame kept;
    std::string message;
    bool missing = false;
    EXPECT_FALSE(ReadKeptNetworkGame(path, kept, message, missing));
    EXPECT_TRUE(missing);
    const auto engine = PartnersTurnMidway();
    ASSERT_TRUE(WriteKeptNetworkGame(path, engine->State(), 1, kRecord, message)) << message;
    ASSERT_TRUE(ReadKeptNetworkGame(path, kept, message, missing)) << message;
    EXPECT_EQ(kept.lineRecord, kRecord);
}

} // namespace
} // namespace varenta

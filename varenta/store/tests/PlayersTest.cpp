#include "varenta/store/Players.h"
#include "varenta/store/HighScores.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/store/StoreTexts.h"
#include "varenta/store/tests/PrivateHome.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <limits>
#include <vector>

namespace varenta {
namespace {

using PlayerStoreTest = testing::PrivateHome;

constexpr std::int32_t kMaxCounter = std::numeric_limits<std::int32_t>::max();

TEST(PlayerValueTest, StoredTextsReadAsNameAndCounters) {
    const struct {
        const char* stored;
        const char* name;
        std::int32_t wins, losses;
    } cases[] = {
        {"Ann,12,3", "Ann", 12, 3},
        {"Ann,0,0", "Ann", 0, 0},
        {"Ann", "Ann", 0, 0},         // no counters at all
        {"Ann,7", "Ann", 7, 0},       // the losses missing
        {"Ann,x,-4", "Ann", 0, 0},    // damaged counters start again
        {"Ann,3,4,5", "Ann", 3, 0},   // a third comma spoils the losses
        {"Ann, 5 , 6 ", "Ann", 5, 6}, // spaces around numbers are harmless
        {"Ann,99999999999,2", "Ann", kMaxCounter, 2},
        {",1,2", "", 1, 2},
        {"none,1,1", "none", 1, 1}, // only the bare word ends the list
    };
    for (const auto& c : cases) {
        const PlayerEntry e = ParsePlayerValue(QString::fromUtf8(c.stored));
        EXPECT_EQ(e.name, QString::fromUtf8(c.name)) << c.stored;
        EXPECT_EQ(e.ratio.wins, c.wins) << c.stored;
        EXPECT_EQ(e.ratio.losses, c.losses) << c.stored;
    }
    EXPECT_EQ(FormatPlayerValue({"Ann", {12, 3}}), "Ann,12,3");
    // Found by the fuzzer: a name holding a place marker of a text format.
    EXPECT_EQ(FormatPlayerValue({"B%0 %1", {4, 5}}), "B%0 %1,4,5");
}

TEST(PlayerValueTest, RatioIsRoundedPercentOrQuestionMark) {
    const struct {
        std::int32_t wins, losses;
        const char* shown;
    } cases[] = {
        {12, 3, "80"}, {0, 0, "?"}, {1, 2, "33"},  {2, 1, "67"},
        {1, 1, "50"},  {0, 5, "0"}, {5, 0, "100"}, {kMaxCounter, kMaxCounter, "50"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WinRatioText({c.wins, c.losses}), QString::fromLatin1(c.shown))
            << c.wins << "/" << c.losses;
    }
}

TEST(PlayerValueTest, NamesThatCannotBeReadBackAreRefused) {
    const std::vector<QString> others = {"Ann", "Bob"};
    const struct {
        QString name;
        const char* problem; // nullptr: accepted
    } cases[] = {
        {"Carl", nullptr},
        {"ann", nullptr}, // another spelling is another player
        {"Zoë Ünal", nullptr},
        {QString(255, 'x'), nullptr},
        {"", texts::kNameEmpty},
        {"   ", texts::kNameEmpty},
        {"Smith, John", texts::kNameComma},
        {"Tab\tName", texts::kNameControl},
        {"Two\nLines", texts::kNameControl},
        {QString("Nul") + QChar(0) + "Byte", texts::kNameControl},
        {QString("Para") + QChar(QChar::ParagraphSeparator), texts::kNameControl},
        {QString(256, 'x'), texts::kNameTooLong},
        {"Bob", texts::kNameTaken},
    };
    for (const auto& c : cases) {
        const auto problem = PlayerNameProblem(c.name, others);
        if (c.problem == nullptr) {
            EXPECT_FALSE(problem) << c.name.toStdString();
        } else {
            ASSERT_TRUE(problem) << c.name.toStdString();
            EXPECT_TRUE(problem->startsWith(QString::fromLatin1(c.problem).section('%', 0, 0)))
                << problem->toStdString();
        }
    }
}

TEST(PlayerValueTest, OnlyAWinOrALossOfTheCurrentPlayerCounts) {
    PlayerList list{{{"Ann", {1, 1}}, {"Bob", {0, kMaxCounter}}}, 1};
    EXPECT_TRUE(CountGameResult(list, GameOutcome::PlayerWon));
    EXPECT_TRUE(CountGameResult(list, GameOutcome::Draw));
    EXPECT_TRUE(CountGameResult(list, GameOutcome::PlayerLost)); // stays at the largest value
    EXPECT_EQ(list.players[0].ratio, (WinRatio{1, 1}));
    EXPECT_EQ(list.players[1].ratio, (WinRatio{1, kMaxCounter}));
    PlayerList nobody;
    EXPECT_FALSE(CountGameResult(nobody, GameOutcome::PlayerWon));
    EXPECT_EQ(nobody.CurrentName(), "Player");
}

TEST_F(PlayerStoreTest, TheListGoesToTheStoreAndBackWithTheCurrentPlayerFirst) {
    SettingsFile store;
    EXPECT_EQ(LoadPlayers(store), PlayerList());
    store.Write("Player Names\\PlayerName1", "Ann,12,3");
    store.Write("Player Names\\PlayerName2", "Bob,0,0");
    store.Write("Player Names\\PlayerName3", "Carl,4,5");
    store.Write("Player Names\\PlayerName5", "Dora,1,1"); // after a gap: not read
    PlayerList list = LoadPlayers(store);
    ASSERT_EQ(list.players.size(), 3u);
    EXPECT_EQ(list.current, 0);
    EXPECT_EQ(list.CurrentName(), "Ann");
    EXPECT_EQ(WinRatioText(list.players[0].ratio), "80");

    list.current = 2;
    list.players.erase(list.players.begin() + 1); // Bob leaves; Carl is current
    list.current = 1;
    SavePlayers(store, list, true);
    EXPECT_EQ(store.ReadString("Player Names\\PlayerName1", ""), "Carl,4,5");
    EXPECT_EQ(store.ReadString("Player Names\\PlayerName2", ""), "Ann,12,3");
    EXPECT_FALSE(store.ValueExists("Player Names", "PlayerName3"));
    EXPECT_FALSE(store.ValueExists("Player Names", "PlayerName5"));

    const PlayerList again = LoadPlayers(store);
    EXPECT_EQ(again.CurrentName(), "Carl");
    EXPECT_EQ(again.players[1], (PlayerEntry{"Ann", {12, 3}}));

    // Without rewriting, a longer list only overwrites; an empty one is a no-op.
    SavePlayers(store, PlayerList{}, false);
    EXPECT_EQ(LoadPlayers(store), again);
    SavePlayers(store, PlayerList{}, true);
    EXPECT_FALSE(store.KeyExists("Player Names"));
}

HighScoreTable Scores(std::initializer_list<std::int32_t> scores) {
    HighScoreTable table;
    int row = 0;
    for (const std::int32_t s : scores) {
        table.at(static_cast<std::size_t>(row)) = {s, "1/2/26", "P" + QString::number(row + 1)};
        ++row;
    }
    return table;
}

TEST(HighScorePlaceTest, NewScoresGoBelowEqualOnes) {
    const HighScoreTable full = Scores({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    const HighScoreTable partial = Scores({900, 600, 600});
    const struct {
        const HighScoreTable* table;
        std::int32_t value;
        int place;
    } cases[] = {
        {&full, 600, 5}, // equal to rank 4, greater than rank 5
        {&full, 601, 4},  {&full, 901, 1},    {&full, 900, 2},
        {&full, 51, 10},  {&full, 50, 0}, // equal to rank 10: does not enter
        {&full, 10, 0},   {&partial, 600, 4}, {&partial, 1, 4},
        {&partial, 0, 0}, // nothing to remember about a tie
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HighScorePlace(*c.table, c.value), c.place) << c.value;
    }
    const HighScoreTable empty{};
    EXPECT_EQ(HighScorePlace(empty, 1), 1);
    EXPECT_EQ(HighScoreValue(-300), 300);
    EXPECT_EQ(HighScoreValue(std::numeric_limits<std::int64_t>::min() + 1),
              std::numeric_limits<std::int32_t>::max());
}

TEST(HighScorePlaceTest, InsertingMovesTheRowsBelowDownAndDropsTheLast) {
    HighScoreTable table = Scores({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    InsertHighScore(table, 5, {600, "today", "New"});
    EXPECT_EQ(table[3].name, "P4");
    EXPECT_EQ(table[4], (HighScoreEntry{600, "today", "New"}));
    EXPECT_EQ(table[5].name, "P5");
    EXPECT_EQ(table[9].name, "P9"); // P10 dropped out
    InsertHighScore(table, 10, {60, "today", "Last"});
    EXPECT_EQ(table[9].name, "Last");
    const HighScoreTable before = table;
    InsertHighScore(table, 0, {1, "", "x"});
    InsertHighScore(table, 11, {1, "", "x"});
    EXPECT_EQ(table, before);
}

TEST_F(PlayerStoreTest, HighScoreTablesAreStoredPerLevelAndType) {
    SettingsFile store;
    EXPECT_EQ(HighScoreGroup(1, HighScoreType::Match), "AdvancedMatch");
    EXPECT_EQ(HighScoreGroup(2, HighScoreType::Hand), "Expert");
    EXPECT_EQ(LevelFromName("Beginner"), 0);
    EXPECT_EQ(LevelFromName("Advanced"), 1);
    EXPECT_EQ(LevelFromName("beginner"), 2);

    HighScores scores = LoadHighScores(store);
    EXPECT_EQ(scores.Table(1, HighScoreType::Hand), HighScoreTable{});
    const HighScoreTable hand = Scores({900, 800});
    const HighScoreTable match = Scores({5000});
    WriteHighScoreTable(store, 1, HighScoreType::Hand, hand);
    WriteHighScoreTable(store, 1, HighScoreType::Match, match);
    EXPECT_EQ(store.ReadInteger("Advanced\\Score2", 0), 800);
    EXPECT_EQ(store.ReadString("AdvancedMatch\\Name1", ""), "P1");
    store.Write("Expert\\Score3", -7); // a damaged score reads as an empty row's
    scores = LoadHighScores(store);
    EXPECT_EQ(scores.Table(1, HighScoreType::Hand), hand);
    EXPECT_EQ(scores.Table(1, HighScoreType::Match), match);
    EXPECT_EQ(scores.Table(2, HighScoreType::Hand)[2].score, 0);

    ClearHighScoreTable(store, 1, HighScoreType::Hand, scores.Table(1, HighScoreType::Hand));
    EXPECT_EQ(scores.Table(1, HighScoreType::Hand), HighScoreTable{});
    EXPECT_FALSE(store.KeyExists("Advanced"));
    EXPECT_TRUE(store.KeyExists("AdvancedMatch"));
    EXPECT_EQ(LoadHighScores(store).Table(1, HighScoreType::Match), match);
}

} // namespace
} // namespace varenta

namespace varenta {
namespace {

// Two copies of the program on one profile, each with what it read at its
// start: both finish a game, and the file keeps both games and both scores.
TEST_F(PlayerStoreTest, TwoCopiesOnOneProfileKeepEveryResultAndScore) {
    SettingsFile setup;
    PlayerList ann;
    ann.players.push_back(ParsePlayerValue("Ann,4,4"));
    ann.current = 0;
    SavePlayers(setup, ann, true);

    SettingsFile first;
    SettingsFile second;
    PlayerList firstList = LoadPlayers(first);
    PlayerList secondList = LoadPlayers(second);
    HighScoreTable firstTable = LoadHighScoreTable(first, 0, HighScoreType::Hand);
    HighScoreTable secondTable = LoadHighScoreTable(second, 0, HighScoreType::Hand);

    StoreGameResult(first, firstList, GameOutcome::PlayerWon);
    StoreGameResult(second, secondList, GameOutcome::PlayerWon);
    EXPECT_EQ(FormatPlayerValue(secondList.players[0]), "Ann,6,4") << "the other win is counted";
    EXPECT_EQ(FormatPlayerValue(LoadPlayers(setup).players[0]), "Ann,6,4");

    HighScoreEntry high{700, "1.1.27", "Ann"};
    HighScoreEntry low{500, "1.1.27", "Ann"};
    EXPECT_EQ(AddHighScore(first, 0, HighScoreType::Hand, high, firstTable), 1);
    EXPECT_EQ(AddHighScore(second, 0, HighScoreType::Hand, low, secondTable), 2);
    const HighScoreTable stored = LoadHighScoreTable(setup, 0, HighScoreType::Hand);
    EXPECT_EQ(stored[0].score, 700);
    EXPECT_EQ(stored[1].score, 500);
    EXPECT_EQ(secondTable[0].score, 700) << "the table shown is the stored one";

    // A score that no longer makes the list enters nothing.
    HighScoreTable full = stored;
    for (int i = 0; i < kHighScoreRows; ++i) {
        HighScoreEntry e{10000 - i, "1.1.27", "Bob"};
        AddHighScore(first, 0, HighScoreType::Hand, e, full);
    }
    EXPECT_EQ(AddHighScore(second, 0, HighScoreType::Hand, low, secondTable), 0);
    EXPECT_EQ(LoadHighScoreTable(setup, 0, HighScoreType::Hand)[kHighScoreRows - 1].score,
              10000 - kHighScoreRows + 1);
}

// Games kept in memory after a failed write are stored later, each for its
// player: counted from the file's counts where the file has the player, and
// on top of the counts held here (which may hold them already) where not.
TEST_F(PlayerStoreTest, KeptResultsAreStoredPerPlayerAndAFailedWriteChangesNothing) {
    SettingsFile store;
    store.Write("Player Names\\PlayerName1", "Ann,10,0"); // another copy counted more
    PlayerList list;
    list.players = {ParsePlayerValue("Ann,5,4"), ParsePlayerValue("Bob,1,1")}; // Bob not stored
    list.current = 0;
    const PlayerList before = list;
    bool full = true;
    store.SetBeforeReplaceHook([&full] {
        if (full) {
            throw SettingsError::FromCode(ENOSPC);
        }
    });
    const std::vector<UnsavedResult> kept = {{"Ann", GameOutcome::PlayerWon, true},
                                             {"Bob", GameOutcome::PlayerLost, true},
                                             {"Bob", GameOutcome::PlayerWon, false},
                                             {"Gone", GameOutcome::PlayerWon, false}};
    EXPECT_THROW(StoreGameResults(store, list, kept), SettingsError);
    EXPECT_EQ(list, before);
    full = false;
    StoreGameResults(store, list, kept);
    const PlayerList stored = LoadPlayers(store);
    ASSERT_EQ(stored.players.size(), 2u);
    EXPECT_EQ(FormatPlayerValue(stored.players[0]), "Ann,11,0");
    EXPECT_EQ(FormatPlayerValue(stored.players[1]), "Bob,2,1");
    EXPECT_EQ(list, stored);
}

} // namespace
} // namespace varenta

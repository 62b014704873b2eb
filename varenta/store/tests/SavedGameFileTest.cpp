#include "varenta/store/SavedGameFile.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/engine/testing/Cards.h"
#include "varenta/engine/testing/RecordingPort.h"
#include "varenta/engine/testing/StateAccess.h"
#include "varenta/store/SavedGameTexts.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/store/StorePaths.h"
#include "varenta/store/tests/PrivateHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace varenta {
namespace {

using testing::PrivateHome;
using testing::RecordingPort;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::string Zeros(int n) {
    std::string zeros;
    for (int i = 0; i < n; ++i) {
        zeros += "0 ";
    }
    return zeros;
}

// A dealt hand at a layout, with a few cards moved from the stock onto both
// meld areas so that every kind of pile holds cards.
std::unique_ptr<VarentaEngine> DealtTable(int layout, std::uint64_t seed = 3) {
    auto engine = std::make_unique<VarentaEngine>();
    engine->SetGeometry(TableGeometry::ForLayout(layout));
    engine->StartProgram(seed);
    engine->DealHand(true);
    GameState& s = testing::MutableState(*engine);
    // Three cards of one rank from the stock for each side: melds as the
    // game makes them (the loader refuses shorter ones).
    for (const bool player : {true, false}) {
        const int rank = player ? testing::kKing : testing::kNine;
        CardPile& melds = player ? s.playerMelds : s.opponentMelds;
        for (int moved = 0, i = s.stock.count - 1; moved < 3 && i >= 0; --i) {
            if (s.stock[i].rank != rank) {
                continue;
            }
            Card c = s.stock.RemoveAt(i);
            c.faceUp = true;
            melds.PlaceInColumn(c, player, false);
            melds.Append(c);
            ++moved;
        }
    }
    engine->SaveUndoPoint();
    s.gameInProgress = true;
    s.playerScore = 1234;
    s.opponentScore = -65;
    return engine;
}

std::string Saved(const VarentaEngine& engine) {
    return SerializeSavedGame(engine.State(), engine.Geometry().layout);
}

TEST(SavedGameText, FreshHandIsThirteenLinesOfNumbersEachFollowedByOneSpace) {
    const auto engine = DealtTable(0);
    const std::string text = Saved(*engine);
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0].rfind("VarentaSavedGame ", 0), 0u);
    EXPECT_NE(text.back(), '\n'); // no line end after the last value
    // numbers per line: form A 1 + 7n, form B 1 + 7n + 28, tallies 27, state 14
    const GameState& s = testing::MutableState(*engine);
    const std::vector<std::size_t> expected = {1u + 7u * s.stock.count +
                                                   1u, // the signature counts as a word here
                                               1u + 7u * s.discardPile.count,
                                               1u + 7u * s.opponentHand.count,
                                               1u + 7u * s.discardPileBackup.count,
                                               29u + 7u * s.opponentMelds.count,
                                               29u + 7u * s.playerHand.count,
                                               29u + 7u * s.playerMelds.count,
                                               29u + 7u * s.playerHandBackup.count,
                                               29u + 7u * s.playerMeldsBackup.count,
                                               27u,
                                               27u,
                                               27u,
                                               14u};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.back(), ' ') << "line " << i + 1;
        EXPECT_EQ(line.find("  "), std::string::npos) << "line " << i + 1;
        EXPECT_EQ(static_cast<std::size_t>(std::count(line.begin(), line.end(), ' ')), expected[i])
            << "line " << i + 1;
    }
    EXPECT_EQ(lines[12],
              "1 0 0 0 0 1 0 0 10 0 -65 1234 " + std::to_string(s.initialMeldMinimum) + " 0 ");
}

TEST(SavedGameText, EmptyPilesAreTheirCountAloneOrWithTheirAnchors) {
    GameState s;
    s.playerHand.SetAnchors(3, 45, 372);
    const std::vector<std::string> lines = Lines(SerializeSavedGame(s, 2));
    EXPECT_EQ(lines[0], "VarentaSavedGame 0 ");
    EXPECT_EQ(lines[1], "0 ");
    std::string anchors = "0 ";
    for (int c = 0; c < kColumns; ++c) {
        anchors += std::to_string(3 + 45 * c) + " 372 ";
    }
    EXPECT_EQ(lines[5], anchors);
    EXPECT_EQ(lines[6], "0 " + Zeros(28)); // no anchors laid out yet
    EXPECT_EQ(lines[9], "0 " + Zeros(26)); // a tally without Varentas
}

// Saved at one layout and loaded at another, every card keeps its column and
// its 12-pixel step; carried back, the file is byte for byte the same.
TEST(SavedGameLayouts, PositionsAreCarriedBetweenEveryPairOfLayouts) {
    for (int from = 0; from < TableGeometry::kLayouts; ++from) {
        for (int to = 0; to < TableGeometry::kLayouts; ++to) {
            SCOPED_TRACE(std::to_string(from) + " -> " + std::to_string(to));
            const auto original = DealtTable(from);
            const std::string text = Saved(*original);
            auto game = std::make_unique<SavedGame>();
            std::string problem;
            ASSERT_TRUE(ParseSavedGame(text, *game, problem)) << problem;

            const auto there = DealtTable(to, 99);
            RecordingPort port;
            there->SetPort(&port);
            ApplySavedGame(*there, *game);
            const TableGeometry& a = original->Geometry();
            const TableGeometry& b = there->Geometry();
            ASSERT_EQ(b.layout, to);
            const GameState& was = original->State();
            const GameState& now = there->State();
            struct Area {
                const CardPile& before;
                const CardPile& after;
                int rowBefore, rowAfter;
            };
            for (const Area& area :
                 {Area{was.playerHand, now.playerHand, a.handRow, b.handRow},
                  Area{was.playerMelds, now.playerMelds, a.playerMeldRow, b.playerMeldRow},
                  Area{was.opponentMelds, now.opponentMelds, a.opponentMeldRow,
                       b.opponentMeldRow}}) {
                ASSERT_EQ(area.before.count, area.after.count);
                for (int i = 0; i < area.before.count; ++i) {
                    EXPECT_EQ(b.ColumnOf(area.after[i].x), a.ColumnOf(area.before[i].x));
                    EXPECT_EQ(area.after[i].x, b.ColumnX(a.ColumnOf(area.before[i].x)));
                    EXPECT_EQ(area.after[i].y - area.rowAfter, area.before[i].y - area.rowBefore);
                }
            }
            for (int i = 0; i < now.stock.count; ++i) {
                EXPECT_EQ(now.stock[i].y, b.stockRow);
            }
            EXPECT_EQ(now.discardPile.Top().y, b.discardRow);

            auto back = std::make_unique<SavedGame>();
            ASSERT_TRUE(ParseSavedGame(Saved(*there), *back, problem)) << problem;
            const auto home = DealtTable(from, 7);
            ApplySavedGame(*home, *back);
            EXPECT_EQ(Saved(*home), text);
        }
    }
}

class SavedGameFiles : public PrivateHome {};

TEST_F(SavedGameFiles, CheckTellsMissingFromRefusedFromSavedGames) {
    QTemporaryDir dir;
    const std::string missing = dir.filePath("nothing.var").toStdString();
    std::string message;
    EXPECT_EQ(CheckSavedGame(missing, message), SavedGameCheck::Missing);
    EXPECT_NE(message.find("nothing.var could not be read: "), std::string::npos) << message;

    const QString other = dir.filePath("notes.var");
    Put(other, "VarentaSavedGamf 0 \r\n");
    EXPECT_EQ(CheckSavedGame(other.toStdString(), message), SavedGameCheck::Refused);
    EXPECT_EQ(message, other.toUpper().toStdString() + " : this file is not a Varenta saved game");

    EXPECT_EQ(CheckSavedGame(dir.path().toStdString(), message), SavedGameCheck::Refused);
    EXPECT_NE(message.find("could not be read"), std::string::npos) << message;

    const QString huge = dir.filePath("huge.var");
    Put(huge, QByteArray("VarentaSavedGame ") + QByteArray(kMaxSavedGameSize, ' '));
    EXPECT_EQ(CheckSavedGame(huge.toStdString(), message), SavedGameCheck::Refused);
    EXPECT_NE(message.find(texts::kSavedGameTooLarge), std::string::npos) << message;

    const QString fifo = dir.filePath("pipe.var");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(CheckSavedGame(fifo.toStdString(), message), SavedGameCheck::Refused);

    const QString good = dir.filePath("good.var");
    std::string written;
    ASSERT_TRUE(WriteSavedGameFile(good.toStdString(), DealtTable(0)->State(), 0, written));
    EXPECT_EQ(CheckSavedGame(good.toStdString(), message), SavedGameCheck::Ok);
}

TEST_F(SavedGameFiles, ASaveCutShortBeforeTheRenameLeavesThePreviousSaveWhole) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("game.var").toStdString();
    const auto first = DealtTable(0, 1);
    std::string message;
    ASSERT_TRUE(WriteSavedGameFile(path, first->State(), 0, message)) << message;
    const QByteArray before = Contents(QString::fromStdString(path));
    EXPECT_EQ(before.toStdString(), Saved(*first));

    const auto second = DealtTable(2, 2);
    struct Crash {};
    EXPECT_THROW(WriteSavedGameFile(path, second->State(), 2, message, [] { throw Crash(); }),
                 Crash);
    EXPECT_EQ(Contents(QString::fromStdString(path)), before);

    // The next save is not hindered by what the crash left behind.
    ASSERT_TRUE(WriteSavedGameFile(path, second->State(), 2, message)) << message;
    EXPECT_EQ(Contents(QString::fromStdString(path)).toStdString(), Saved(*second));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // A folder that does not exist: refused, with the file named.
    const std::string nowhere = dir.filePath("no/such/folder/game.var").toStdString();
    EXPECT_FALSE(WriteSavedGameFile(nowhere, second->State(), 2, message));
    EXPECT_NE(message.find(nowhere), std::string::npos) << message;
}

// What stands at the name of a saved game or of the settings file decides
// whether it is replaced: a regular file (also one a link names, the link
// kept) is; a link to nothing, and for a saved game a pipe or a folder, is
// refused with a word and left as it was. (The settings file's reader sets
// a pipe or a folder aside with a notice before anything is written.)
TEST_F(SavedGameFiles, OnlyRegularFilesAreReplacedAndLinksStayLinks) {
    enum class Kind { Nothing, Regular, LinkToRegular, DanglingLink, Fifo, Folder };
    const struct {
        Kind kind;
        bool written;
        const char* reason;
    } rows[] = {
        {Kind::Nothing, true, ""},
        {Kind::Regular, true, ""},
        {Kind::LinkToRegular, true, ""},
        {Kind::DanglingLink, false, "it is a link to a file that does not exist"},
        {Kind::Fifo, false, "it is not a regular file"},
        {Kind::Folder, false, "it is not a regular file"},
    };
    const auto engine = DealtTable(0);
    for (const auto& row : rows) {
        for (const bool settings : {false, true}) {
            if (settings && (row.kind == Kind::Fifo || row.kind == Kind::Folder)) {
                continue;
            }
            SCOPED_TRACE(static_cast<int>(row.kind) * 2 + (settings ? 1 : 0));
            QTemporaryDir dir;
            const std::string path = dir.filePath("target").toStdString();
            const std::string elsewhere = dir.filePath("elsewhere").toStdString();
            switch (row.kind) {
            case Kind::Nothing:
                break;
            case Kind::Regular:
                QFile(QString::fromStdString(path)).open(QIODevice::WriteOnly);
                break;
            case Kind::LinkToRegular:
                if (settings) { // a settings file as a program wrote it
                    SettingsFile(QString::fromStdString(elsewhere)).Write("Settings\\Sound", true);
                } else {
                    QFile(QString::fromStdString(elsewhere)).open(QIODevice::WriteOnly);
                }
                ASSERT_EQ(::symlink(elsewhere.c_str(), path.c_str()), 0);
                break;
            case Kind::DanglingLink:
                ASSERT_EQ(::symlink(elsewhere.c_str(), path.c_str()), 0);
                break;
            case Kind::Fifo:
                ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
                break;
            case Kind::Folder:
                ASSERT_TRUE(QDir().mkpath(QString::fromStdString(path)));
                break;
            }
            std::string message;
            bool written = true;
            if (settings) {
                SettingsFile store(QString::fromStdString(path));
                try {
                    store.Write("Settings\\Delay", 7);
                } catch (const SettingsError& e) {
                    written = false;
                    message = e.Message().toStdString();
                }
            } else {
                written = WriteSavedGameFile(path, engine->State(), 0, message);
            }
            EXPECT_EQ(written, row.written) << message;
            if (!row.written) {
                EXPECT_NE(message.find(row.reason), std::string::npos) << message;
                EXPECT_NE(message.find(path), std::string::npos) << message;
            }
            struct stat info {};
            ASSERT_EQ(::lstat(path.c_str(), &info),
                      row.kind == Kind::Nothing && !row.written ? -1 : 0);
            const bool wasLink = row.kind == Kind::LinkToRegular || row.kind == Kind::DanglingLink;
            EXPECT_EQ(S_ISLNK(info.st_mode), wasLink) << "a link stays a link";
            if (row.kind == Kind::LinkToRegular) {
                EXPECT_GT(Contents(QString::fromStdString(elsewhere)).size(), 0)
                    << "written through";
            }
            EXPECT_EQ(QFileInfo::exists(QString::fromStdString(elsewhere)),
                      row.kind == Kind::LinkToRegular);
        }
    }
}

// Moves `count` wild cards of the stock into the opponent's meld in `column`.
void MeldWild(GameState& s, int column, int count) {
    const TableGeometry g = TableGeometry::ForLayout(0);
    for (int i = s.stock.count - 1; i >= 0 && count > 0; --i) {
        if (IsWild(s.stock[i])) {
            Card c = s.stock.RemoveAt(i);
            c.faceUp = true;
            c.x = g.ColumnX(column);
            s.opponentMelds.Append(c);
            --count;
        }
    }
    ASSERT_EQ(count, 0);
}

// Well-formed files of positions the rules cannot reach are refused like
// damaged ones: a meld of fewer than three cards, a first-meld minimum the
// game never sets.
TEST(SavedGameText, PositionsTheRulesCannotReachAreRefused) {
    const struct {
        const char* what;
        std::function<void(GameState&)> change;
        const char* problem;
    } rows[] = {
        {"a meld of two",
         [](GameState& s) {
             s.opponentHand.Append(s.opponentMelds.RemoveAt(s.opponentMelds.count - 1));
         },
         "line 5: the meld in column 8 holds 2 cards"},
        {"a meld of one",
         [](GameState& s) {
             s.opponentHand.Append(s.playerMelds.RemoveAt(s.playerMelds.count - 1));
             s.opponentHand.Append(s.playerMelds.RemoveAt(s.playerMelds.count - 1));
         },
         "line 7: the meld in column 12 holds 1 card"},
        {"a natural card in another rank's meld",
         [](GameState& s) {
             s.opponentMelds[s.opponentMelds.count - 1].x +=
                 TableGeometry::ForLayout(0).columnWidth;
         },
         "line 5: card "},
        {"more wild cards than natural ones", [](GameState& s) { MeldWild(s, 8, 4); },
         "line 5: the meld in column 8 holds 4 wild cards and 3 natural ones"},
        {"as many wild cards as natural ones", [](GameState& s) { MeldWild(s, 8, 3); }, ""},
        {"wild cards alone, fewer than seven", [](GameState& s) { MeldWild(s, kWildColumn, 3); },
         "line 5: the wild cards' meld holds 3 cards"},
        {"minimum 255 before any meld",
         [](GameState& s) {
             while (s.playerMelds.count > 0) {
                 s.stock.Append(s.playerMelds.RemoveAt(s.playerMelds.count - 1));
             }
             s.initialMeldMinimum = 255;
         },
         "the first meld's minimum 255 is none the game sets"},
        {"minimum 0", [](GameState& s) { s.initialMeldMinimum = 0; },
         "the first meld's minimum 0 is none"},
        {"minimum raised by a joker", [](GameState& s) { s.initialMeldMinimum = 170; }, ""},
        // Takes of the pile without Top Card Counts, after the first meld.
        {"minimum raised by three takes", [](GameState& s) { s.initialMeldMinimum = 85; }, ""},
        {"minimum raised by an odd amount", [](GameState& s) { s.initialMeldMinimum = 53; },
         "the first meld's minimum 53 is none"},
        // A card is worth what its code says, wherever it lies.
        {"a stock card worth one point more",
         [](GameState& s) { s.stock[0].points = CardPoints(s.stock[0].code) + 1; },
         "line 1: card 1"},
        {"a hand card worth nothing", [](GameState& s) { s.playerHand[1].points = 0; },
         "line 6: card 2"},
        {"a meld card worth a joker", [](GameState& s) { s.playerMelds[0].points = 50; },
         "line 7: card 1"},
        {"a card worth less than nothing",
         [](GameState& s) { s.opponentHand[0].points = -CardPoints(s.opponentHand[0].code); },
         "line 3: card 1"},
    };
    for (const auto& row : rows) {
        const auto engine = DealtTable(0);
        GameState& s = testing::MutableState(*engine);
        row.change(s);
        const std::string text = SerializeSavedGame(s, 0);
        auto game = std::make_unique<SavedGame>();
        std::string problem;
        const bool read = ParseSavedGame(text, *game, problem);
        EXPECT_EQ(read, *row.problem == 0) << row.what << ": " << problem;
        EXPECT_EQ(problem.rfind(row.problem, 0), 0u) << row.what << ": " << problem;
    }
}

// What killed saves left is removed at the next start; a save of a copy
// still running, and everything that is not such a leftover, stays.
TEST(StaleSaves, OnlyLeftoversOfProcessesThatAreGoneAreRemoved) {
    QTemporaryDir dir;
    const std::string own = std::to_string(::getpid());
    const struct {
        std::string name;
        bool removed;
    } files[] = {
        {".autosave.var.saving-2147483646", true}, // no such process
        {".game.var.saving-2147483645", true},
        {".game.var.saving-" + own, false},    // this process is alive
        {".game.var.saving-1", false},         // neither may init's be touched
        {"game.var.saving-2147483646", false}, // not a hidden leftover
        {".game.var.saving-12x", false},
        {".game.var.saving-", false},
        {"autosave.var", false},
    };
    for (const auto& f : files) {
        QFile file(dir.filePath(QString::fromStdString(f.name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(RemoveStaleSaves(dir.path().toStdString()), 2);
    for (const auto& f : files) {
        EXPECT_EQ(QFile::exists(dir.filePath(QString::fromStdString(f.name))), !f.removed)
            << f.name;
    }
    EXPECT_EQ(RemoveStaleSaves(dir.filePath("missing").toStdString()), 0);
}

TEST(SavedGameNames, DefaultFileNameDropsWhatAFileNameCannotHold) {
    const struct {
        std::string player;
        std::string file;
    } cases[] = {
        {"", "player.var"},
        {"Ann", "Ann.var"},
        {"Dr: Who?", "Dr Who.var"},
        {"a\"b*c:d?e\\f/g", "abcdefg.var"},
        {":?*", "player.var"},
        {"Zoë", "Zoë.var"},
        {std::string(300, 'x'), std::string(250, 'x') + ".var"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DefaultSaveFileName(c.player), c.file) << c.player;
    }
}

class AutosavePath : public PrivateHome {};

TEST_F(AutosavePath, LiesInTheDataFolder) {
    EXPECT_EQ(AutosaveFileName(), Root() + "/data/varenta/autosave.var");
}

} // namespace
} // namespace varenta

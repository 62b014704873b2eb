#include "varenta/store/SavedGameFile.h"
#include "varenta/store/SavedGameTexts.h"
#include "varenta/store/StorePaths.h"
#include "varenta/table/TableStatusBar.h"
#include "varenta/table/tests/TableFixture.h"

#include <QAction>
#include <QDir>
#include <QFile>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace varenta::testing {
namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Put(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Replaces the number at `index` of line `line` (both from 1; the signature
// is the first word of line 1) of a saved game's text.
std::string WithNumber(std::string text, int line, int index, const std::string& value) {
    std::size_t at = 0;
    for (int l = 1; l < line; ++l) {
        at = text.find("\r\n", at) + 2;
    }
    for (int i = 1; i < index; ++i) {
        at = text.find(' ', at) + 1;
    }
    const std::size_t end = text.find(' ', at);
    return text.replace(at, end - at, value);
}

class SavedGames : public TableFixture {
protected:
    QString chosen;            // what the file dialog answers
    std::vector<bool> dialogs; // save (true) or load, per dialog shown
    std::vector<QString> suggestions;

    void OpenTable(int layout = 0) {
        Open(layout);
        window->Dialogs().gameFile = [this](bool save, const QString& suggested) {
            dialogs.push_back(save);
            suggestions.push_back(suggested);
            return chosen;
        };
    }
    void Trigger(const char* action) { window->Action(QString::fromLatin1(action))->trigger(); }
    std::string Table() { return SerializeSavedGame(S(), G().layout); }
    // Plays until the player has drawn, so that the table is mid-turn.
    void Draw() {
        PlayersTurn();
        ClickStock();
        ASSERT_TRUE(S().hasDrawn);
    }
};

TEST_F(SavedGames, SaveWritesTheTableUnderThePlayersNameAndLoadPutsItBack) {
    store->Write("Player Names\\PlayerName1", "Ann: the \"best\",3,4");
    OpenTable(1);
    Draw();
    const std::string saved = Table();
    const QString path = QDir(dir.path()).filePath("mine.var");
    chosen = path;
    Trigger("Save1");
    ASSERT_EQ(dialogs, std::vector<bool>{true});
    EXPECT_EQ(suggestions.back(), VarentaDataDir() + "/Ann the best.var");
    EXPECT_TRUE(QDir(VarentaDataDir()).exists());
    EXPECT_EQ(Contents(path).toStdString(), saved);

    Trigger("New1");
    ASSERT_NE(Table(), saved);
    EXPECT_EQ(window->Action("Load1")->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(window->Action("Save1")->shortcut(), QKeySequence(Qt::Key_F4));
    Trigger("Load1");
    EXPECT_EQ(dialogs.back(), false);
    EXPECT_EQ(suggestions.back(), VarentaDataDir());
    EXPECT_EQ(Table(), saved);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Line(), window->Controller().HintText(Hint::MeldOrDiscard));
    EXPECT_FALSE(window->Action("UndoMeld1")->isEnabled());

    // Cancel in either dialog changes nothing.
    chosen.clear();
    QFile::remove(path);
    Trigger("Save1");
    EXPECT_FALSE(QFile::exists(path));
    Trigger("Load1");
    EXPECT_EQ(Table(), saved);
}

TEST_F(SavedGames, RefusedWhileTakingThePileWithAnIncorrectMeldOrLoadingInANetworkGame) {
    OpenTable();
    Draw();
    chosen = QDir(dir.path()).filePath("x.var");
    S().topCardPending = true;
    S().pileTopMustMeld = true;
    Trigger("Save1");
    S().topCardPending = false;
    Trigger("Save1");
    E().SetNetworkOpponent("Bo");
    Trigger("Load1");
    EXPECT_EQ(messages, (std::vector<QString>{texts::kSaveWhileTaking, texts::kSaveMeldIncorrect,
                                              texts::kLoadInNetworkGame}));
    EXPECT_TRUE(dialogs.empty());
    EXPECT_FALSE(QFile::exists(chosen));
}

// Every kind of bad file is refused with a message naming it and the first
// problem, and the table stays exactly as it was.
TEST_F(SavedGames, ABadFileIsRefusedAndTheTableStaysAsItWas) {
    OpenTable();
    Draw();
    const std::string good = Table();
    const QString path = QDir(dir.path()).filePath("bad.var");
    const GameState state = S();
    auto changed = [&](const std::function<void(GameState&)>& change) {
        GameState s = state;
        change(s);
        return SerializeSavedGame(s, 0);
    };
    // Line 1 holds the signature, the stock's count and its cards (7 numbers
    // each: code, rank, x, y, points, face, deck); line 6 the hand's count,
    // its cards and its anchors; line 13 the fourteen state values.
    const struct {
        const char* what;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"signature", "VarentaSavedGamf" + good.substr(16),
         path.toUpper().toStdString() + " : this file is not a Varenta saved game"},
        {"empty file", "", " : this file is not a Varenta saved game"},
        {"count", WithNumber(good, 1, 2, "109"),
         "line 1: the number of cards is 109, not 0 to 108"},
        {"code", WithNumber(good, 1, 3, "54"), "line 1: card 1's code is 54"},
        {"rank", WithNumber(good, 6, 3, "0"), "line 6: card 1 has the rank 0"},
        {"points", WithNumber(good, 6, 6, "7"), "line 6: card 1 is worth 7 points"},
        {"deck", WithNumber(good, 1, 9, "2"), "card 1's deck is 2, not 0 to 1"},
        {"not a number", WithNumber(good, 2, 1, "1x"),
         "line 2: the number of cards is not a number"},
        {"too wide", WithNumber(good, 13, 12, "99999999999999999999"),
         "line 13: the player's score is far too large"},
        {"position", WithNumber(good, 6, 4, "2147483647"), "line 6: card 1's x is 2147483647"},
        {"layout", WithNumber(good, 13, 14, "4"), "line 13: the table layout is 4, not 0 to 3"},
        {"tally", WithNumber(good, 10, 1, "14"), "line 10: the number of Varentas is 14"},
        {"varenta kind", WithNumber(good, 11, 2, "4"), "line 11: the kind of Varenta 1 is 4"},
        {"trailing", good + "7", "line 13: there is more after the last value"},
        {"cut short", good.substr(0, good.size() / 2), "the file ends before"},
        {"card twice", changed([](GameState& s) { s.stock[0] = s.stock[1]; }),
         "the card with the code"},
        {"outside columns",
         changed([this](GameState& s) { s.playerHand[0].x = G().ColumnX(kColumns); }),
         "line 6: card 1 lies outside the table's 14 columns"},
        {"anchors", changed([](GameState& s) { s.playerHand.columns[5].x += 1; }),
         "line 6: the column anchors of the hand are not one column apart"},
        {"red three in hand", changed([](GameState& s) {
             for (CardPile* pile : {&s.stock, &s.discardPile, &s.playerMelds, &s.opponentMelds}) {
                 const int i = pile->FindByCode(kCodeRedThreeHeart);
                 if (i >= 0) {
                     std::swap((*pile)[i].code, s.playerHand[0].code);
                     std::swap((*pile)[i].rank, s.playerHand[0].rank);
                     std::swap((*pile)[i].points, s.playerHand[0].points);
                     std::swap((*pile)[i].deckNo, s.playerHand[0].deckNo);
                     return;
                 }
             }
         }),
         "line 6: card 1 is a red three"},
    };
    chosen = path;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        Put(path, c.bytes);
        Trigger("Load1");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].toStdString().find(c.message), std::string::npos)
            << messages[0].toStdString();
        if (c.message.find(" : this file") == std::string::npos) {
            EXPECT_TRUE(messages[0].contains(path)); // named as it is, not in capitals
        }
        EXPECT_EQ(Table(), good);
    }
    // Not a file at all.
    messages.clear();
    chosen = dir.path();
    Trigger("Load1");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains("could not be read")) << messages[0].toStdString();
    EXPECT_EQ(Table(), good);
}

// A table whose start and services the test chooses.
class Autosave : public SavedGames {
protected:
    void OpenWith(const QString& resumeFile, bool start = true) {
        TableServices services;
        services.store = store.get();
        services.clock = &clock;
        services.sound = &sound;
        services.music = &music;
        services.computer = computer;
        services.screenWidth = 1920;
        services.screenHeight = 1200;
        services.splashTimer = false;
        services.seed = 5;
        services.resumeFile = resumeFile;
        window = std::make_unique<TableWindow>(services);
        window->Dialogs().message = [this](MessageKind, const QString& text) {
            messages.push_back(text);
        };
        if (start) {
            window->ProgramStart();
        }
    }
    QString AutoFile() const { return AutosaveFileName(); }
};

TEST_F(Autosave, AGameInProgressIsSavedOnExitAndResumedAtTheNextStart) {
    OpenTable();
    Draw(); // the first click puts a game in progress
    ASSERT_TRUE(S().gameInProgress);
    const std::string atExit = Table();
    window->close();
    EXPECT_EQ(Contents(AutoFile()).toStdString(), atExit);

    OpenWith({});
    EXPECT_EQ(Table(), atExit);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Autosave, TheFileIsDeletedWithoutAGameOrWithAutoSaveOff) {
    for (const bool autoSaveOn : {true, false}) {
        SCOPED_TRACE(autoSaveOn);
        store->Write("Settings\\AutoSave", autoSaveOn);
        QDir().mkpath(VarentaDataDir());
        Put(AutoFile(), "VarentaSavedGame 0 ");
        OpenWith({}, false);
        window->ProgramStart(); // the broken file is reported, a hand dealt
        if (autoSaveOn) {
            Draw();
            S().gameInProgress = false;
        } else {
            Draw();
        }
        window->close();
        EXPECT_FALSE(QFile::exists(AutoFile()));
        messages.clear();
    }
}

TEST_F(Autosave, AnIncorrectMeldIsNotSavedOnExit) {
    OpenTable();
    Draw();
    S().pileTopMustMeld = true; // nothing to take back makes this meld right
    QDir().mkpath(VarentaDataDir());
    Put(AutoFile(), "VarentaSavedGame of an earlier session");
    window->close();
    EXPECT_FALSE(QFile::exists(AutoFile()));
    EXPECT_EQ(messages, std::vector<QString>{texts::kAutoSaveMeldIncorrect});
}

// Closing in the middle of a turn keeps the game as it stood before the
// turn's unfinished melds, never the autosave of an earlier session.
TEST_F(Autosave, UnfinishedMeldsAreTakenBackAndTheGameKept) {
    for (const bool takePile : {false, true}) {
        SCOPED_TRACE(takePile ? "the pile taken, still pending" : "one card melded after the draw");
        QDir().mkpath(VarentaDataDir());
        OpenTable();
        PlayersTurn();
        GameState& s = S();
        s.pileFrozen = false;
        s.initialMeldMinimum = 15;
        s.gameInProgress = true;
        // A rank the dealt hand holds two naturals of; the pile's top becomes
        // one of the stock's cards of that rank (swapped, so every card is
        // still in the game once).
        int rank = 0;
        for (int r = kFour; r <= kAce && rank == 0; ++r) {
            int held = 0;
            for (int i = 0; i < s.playerHand.Size(); ++i) {
                held += s.playerHand[i].code != kJoker && s.playerHand[i].rank == r ? 1 : 0;
            }
            rank = held >= 2 ? r : 0;
        }
        ASSERT_NE(rank, 0);
        if (takePile) {
            int inStock = -1;
            for (int i = 0; i < s.stock.Size() && inStock < 0; ++i) {
                inStock = s.stock[i].code != kJoker && s.stock[i].rank == rank ? i : -1;
            }
            ASSERT_GE(inStock, 0);
            Card& top = s.discardPile.Top();
            Card& other = s.stock[inStock];
            std::swap(top.code, other.code);
            std::swap(top.rank, other.rank);
            std::swap(top.points, other.points);
            std::swap(top.deckNo, other.deckNo);
        } else {
            ClickStock();
        }
        // The cards where they lie (a hand's order aside) and the turn.
        const auto position = [this] {
            const GameState& g = S();
            return std::tuple(E().GameDigest(false, true, true), g.hasDrawn, g.mayTakePile,
                              g.topCardPending, g.initialMeldMinimum, g.playerScore);
        };
        const auto before = position();
        Put(AutoFile(), "VarentaSavedGame of an earlier session");
        if (takePile) {
            Key(Qt::Key_F7);
            ASSERT_TRUE(S().topCardPending);
        } else {
            int natural = -1;
            for (int i = 0; i < s.playerHand.Size() && natural < 0; ++i) {
                natural = s.playerHand[i].code != kJoker && s.playerHand[i].rank == rank ? i : -1;
            }
            Click(HandCard(natural));
            ASSERT_EQ(S().playerMelds.CountInColumn(rank), 1);
        }
        window->close();
        EXPECT_TRUE(messages.empty()) << messages.front().toStdString();

        OpenWith({});
        // The same position, and no charge for an undo the player did not ask for.
        EXPECT_EQ(position(), before);
        EXPECT_TRUE(messages.empty()) << messages.front().toStdString();
        window.reset();
    }
}

TEST_F(Autosave, ClosingBeforeTheFirstHandKeepsTheFileOfLastTime) {
    QDir().mkpath(VarentaDataDir());
    Put(AutoFile(), "kept");
    OpenWith({}, false);
    window->close();
    EXPECT_EQ(Contents(AutoFile()), "kept");
}

TEST_F(Autosave, AFileNamedAtStartIsResumedInsteadAndAStrangerIsReported) {
    OpenTable();
    Draw();
    const std::string mine = Table();
    const QString named = QDir(dir.path()).filePath("named.var");
    Put(named, mine);
    window->close(); // leaves an autosave of the same game behind
    Put(AutoFile(), WithNumber(mine, 13, 12, "4321"));

    OpenWith(named);
    EXPECT_EQ(Table(), mine);
    window.reset();

    const QString stranger = QDir(dir.path()).filePath("letter.txt");
    Put(stranger, "Dear Ann,");
    OpenWith(stranger);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], stranger.toUpper() + " : this file is not a Varenta saved game");
    EXPECT_EQ(S().playerHand.Size() + S().playerMelds.Size() > 0, true); // a hand was dealt
    EXPECT_FALSE(S().gameInProgress);
}

// A file named at start that is not loaded says why, and the autosave it
// stood in for is still there after closing without a game.
TEST_F(Autosave, ANamedFileNotLoadedIsReportedAndLeavesTheAutosaveAlone) {
    struct Case {
        const char* name;
        const char* contents; // nullptr: no such file
        const char* reported;
    };
    const Case cases[] = {
        {"gone.var", nullptr, "could not be read: "},
        {"letter.txt", "Dear Ann,", " : this file is not a Varenta saved game"},
        {"broken.var", "VarentaSavedGame 0 ", "cannot be loaded: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir().mkpath(VarentaDataDir());
        Put(AutoFile(), "the game of last time");
        const QString named = QDir(dir.path()).filePath(QString::fromLatin1(c.name));
        if (c.contents != nullptr) {
            Put(named, c.contents);
        }
        messages.clear();
        OpenWith(named);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(messages[0].contains(QString::fromLatin1(c.reported)))
            << messages[0].toStdString();
        EXPECT_TRUE(messages[0].contains(named, Qt::CaseInsensitive)) << messages[0].toStdString();
        EXPECT_FALSE(S().gameInProgress);
        window->close();
        EXPECT_EQ(Contents(AutoFile()), "the game of last time");
        window.reset();
    }
    // Once a game of this run is under way, it is what closing keeps.
    messages.clear();
    OpenWith(QDir(dir.path()).filePath("gone.var"));
    Draw();
    const std::string atExit = Table();
    window->close();
    EXPECT_EQ(Contents(AutoFile()).toStdString(), atExit);
}

} // namespace
} // namespace varenta::testing

// Two table windows whose connection is lost in the middle of a game: both
// keep the table, say whom they wait for, reconnect by themselves and go on;
// a player who no longer waits gives the game up.
#include "varenta/table/TableNetwork.h"
#include "varenta/table/nettests/NetTables.h"

#include "varenta/net/session/NetworkSession.h"
#include "varenta/store/StorePaths.h"
#include "varenta/table/ChatWindow.h"
#include "varenta/table/NetworkTexts.h"

#include <QFileInfo>
#include <QPlainTextEdit>

#include <functional>

namespace varenta::testing {
namespace {

std::vector<int> Sorted(const CardPile& pile) {
    std::vector<int> codes;
    for (int i = 0; i < pile.Size(); ++i) {
        codes.push_back(pile[i].code);
    }
    std::sort(codes.begin(), codes.end());
    return codes;
}

// Both tables are connected, neither waits, and both hold the same deal.
bool Established(Table& ann, Table& bob) {
    return ann.window->Network().Connection() == ConnectionStatus::Established &&
           bob.window->Network().Connection() == ConnectionStatus::Established &&
           !ann.window->Network().Session().GameWaits() &&
           !bob.window->Network().Session().GameWaits() &&
           bob.S().stock.Size() == ann.S().stock.Size();
}

// Ann listens, Bob connects; both hold the first deal.
void ConnectAnnAndBob(Table& ann, Table& bob) {
    ann.Open("192.168.1.20", "0", 5);
    ann.Connect("Ann", "127.0.0.1"); // asked which side listens, Ann says Yes
    const int port = ann.window->Network().Session().ListenPort();
    ASSERT_GT(port, 0);
    bob.Open("192.168.1.20", std::to_string(port), 9);
    bob.answer = false;
    bob.Connect("Bob", "127.0.0.1");
    bob.answer = true;
    ASSERT_TRUE(PumpUntil([&] { return Established(ann, bob); }));
}

TEST(ResumeTablesTest, ALostLineKeepsBothTablesWaitingThenTheGameGoesOn) {
    Table ann;
    Table bob;
    ConnectAnnAndBob(ann, bob);
    const auto established = [&] { return Established(ann, bob); };
    const auto hand = Sorted(ann.S().playerHand);
    const bool annToMove = !ann.S().opponentToMove;

    // The line goes: both tables keep the game and wait; asked, both wait.
    ann.questions.clear();
    bob.questions.clear();
    ann.window->Network().Session().DropConnection();
    ASSERT_TRUE(PumpUntil([&] { return !ann.questions.empty() && !bob.questions.empty(); }));
    for (Table* t : {&ann, &bob}) {
        EXPECT_TRUE(t->window->Engine().IsNetworkGame());
        EXPECT_TRUE(t->questions.back().startsWith("The connection to "));
        ASSERT_NE(t->window->Network().Chat(), nullptr);
        EXPECT_TRUE(t->window->Network().Chat()->OppChat()->toPlainText().contains(
            "The game is kept and waits for your opponent to come back."));
        EXPECT_TRUE(t->messages.empty()) << "no box: the game is not over";
    }
    EXPECT_TRUE(ann.Panel() == "Waiting for Bob to come back..." ||
                ann.window->Network().Connection() == ConnectionStatus::Established);
    // ...and come back by themselves, the same deal and the same player on turn.
    ASSERT_TRUE(PumpUntil(established));
    EXPECT_EQ(ann.Panel(), "Connection established with Bob");
    EXPECT_EQ(bob.Panel(), "Connection established with Ann");
    EXPECT_EQ(Sorted(ann.S().playerHand), hand);
    EXPECT_EQ(!ann.S().opponentToMove, annToMove);
    ExpectMirrored(ann, bob);

    // The side to move draws; the other table follows over the new line.
    Table& mover = ann.S().opponentToMove ? bob : ann;
    Table& other = &mover == &ann ? bob : ann;
    mover.window->Controller().FormKeyDown(Qt::Key_F6, Qt::NoModifier);
    ASSERT_TRUE(
        PumpUntil([&] { return other.S().opponentHand.Size() == mover.S().playerHand.Size(); }));

    // Cut again; Bob gives the game up and plays the computer, Ann waits
    // until she disconnects herself.
    bob.choice = "&Give Up";
    bob.questions.clear();
    bob.window->Network().Session().DropConnection();
    ASSERT_TRUE(PumpUntil([&] {
        return !bob.questions.empty() &&
               bob.window->Network().Connection() == ConnectionStatus::NotConnected;
    }));
    ASSERT_TRUE(PumpUntil([&] { return bob.S().playerHand.Size() == 15; }));
    EXPECT_FALSE(bob.window->Engine().IsNetworkGame());
    EXPECT_EQ(bob.Panel(), "Not connected");
    ASSERT_TRUE(PumpUntil([&] { return ann.window->Network().Session().GameWaits(); }));
    EXPECT_EQ(ann.Panel(), "Waiting for Bob to come back...");
    ann.window->Action("StopWaiting1")->trigger();
    ASSERT_TRUE(PumpUntil([&] { return ann.S().playerHand.Size() == 15; }));
    EXPECT_FALSE(ann.window->Engine().IsNetworkGame());
    EXPECT_EQ(ann.window->Network().Connection(), ConnectionStatus::NotConnected);
}

TEST(ResumeTablesTest, ATableClosedOrKilledWhileItsGameWaitsTakesItUpWhenStartedAgain) {
    for (const bool killed : {false, true}) {
        SCOPED_TRACE(killed ? "killed" : "closed");
        Table ann;
        Table bob;
        ConnectAnnAndBob(ann, bob);
        const auto established = [&] { return Established(ann, bob); };
        const std::string port = std::to_string(ann.window->Network().Session().ListenPort());
        const auto hand = Sorted(bob.S().playerHand);
        const bool bobToMove = !bob.S().opponentToMove;
        const QString kept = bob.dir.filePath("network-game.kept");
        const bool autosaveBefore = QFileInfo::exists(AutosaveFileName());
        EXPECT_FALSE(QFileInfo::exists(kept));

        // The line goes; Bob, asked, waits, then closes his program.
        bob.window->Network().Session().DropConnection();
        ASSERT_TRUE(PumpUntil([&] { return !bob.questions.empty() && !ann.questions.empty(); }));
        EXPECT_TRUE(QFileInfo::exists(kept)) << "kept as soon as the line went";
        if (!killed) {
            bob.window->close();
        }
        bob.window.reset(); // killed: nothing more than what the loss wrote
        EXPECT_TRUE(QFileInfo::exists(kept));
        EXPECT_EQ(QFileInfo::exists(AutosaveFileName()), autosaveBefore)
            << "the autosave is not it";

        // Started again, Bob is asked, takes the game up and calls Ann again.
        bob.questions.clear();
        bob.Open("192.168.1.20", port, 11);
        ASSERT_FALSE(bob.questions.empty());
        EXPECT_EQ(bob.questions.front(), QString(texts::kAskTakeUpKeptGame).arg("Ann"));
        EXPECT_TRUE(bob.window->Engine().IsNetworkGame());
        ASSERT_TRUE(PumpUntil(established));
        EXPECT_EQ(Sorted(bob.S().playerHand), hand) << "the same deal";
        EXPECT_EQ(!bob.S().opponentToMove, bobToMove) << "the turn did not pass";
        EXPECT_EQ(bob.Panel(), "Connection established with Ann");
        ExpectMirrored(ann, bob);
        EXPECT_FALSE(QFileInfo::exists(kept)) << "forgotten once the game goes on";

        // And the game goes on over the new line.
        Table& mover = ann.S().opponentToMove ? bob : ann;
        Table& other = &mover == &ann ? bob : ann;
        mover.window->Controller().FormKeyDown(Qt::Key_F6, Qt::NoModifier);
        ASSERT_TRUE(PumpUntil(
            [&] { return other.S().opponentHand.Size() == mover.S().playerHand.Size(); }));
        EXPECT_TRUE(ann.messages.empty() && bob.messages.empty());
    }
}

TEST(ResumeTablesTest, APlayerWhoNoLongerWaitsPlaysTheComputerFromWhereTheGameStands) {
    Table ann;
    Table bob;
    ConnectAnnAndBob(ann, bob);
    const auto hand = Sorted(bob.S().playerHand);
    const bool annOnTurn = bob.S().opponentToMove;
    const int stock = bob.S().stock.Size();

    bob.choice = "Play the &Computer";
    bob.questions.clear();
    bob.window->Network().Session().DropConnection();
    ASSERT_TRUE(PumpUntil([&] {
        return !bob.questions.empty() &&
               bob.window->Network().Connection() == ConnectionStatus::NotConnected;
    }));
    EXPECT_EQ(bob.questions.front(), QString(texts::kAskWaitForPartner).arg("Ann"));
    EXPECT_FALSE(bob.window->Engine().IsNetworkGame());
    EXPECT_EQ(bob.Panel(), "Not connected");
    EXPECT_EQ(Sorted(bob.S().playerHand), hand) << "no new deal";
    // Ann's turn, not begun yet, is the computer's: one card drawn, one laid.
    EXPECT_EQ(bob.computer.turns, annOnTurn ? 1 : 0);
    EXPECT_EQ(bob.S().stock.Size(), stock - (annOnTurn ? 1 : 0));
    EXPECT_FALSE(bob.S().opponentToMove);
    EXPECT_FALSE(QFileInfo::exists(bob.dir.filePath("network-game.kept")));
    EXPECT_TRUE(bob.messages.empty());
    ASSERT_TRUE(PumpUntil([&] { return ann.window->Network().Session().GameWaits(); }));
}

} // namespace
} // namespace varenta::testing

// A partner's frames may arrive at any moment of this table's own move: in
// the middle of a card's flight, during a pause, while a result box is open.
// They must wait for the move and then apply in order; nothing is dropped.
#include "varenta/table/TableNetwork.h"
#include "varenta/table/nettests/NetTables.h"

#include "varenta/net/session/NetworkSession.h"
#include "varenta/net/socket/NotifierWatcher.h"
#include "varenta/net/socket/TcpSocket.h"
#include "varenta/net/socket/testing/SocketTestSupport.h"
#include "varenta/store/RuleVariants.h"
#include "varenta/table/ChatWindow.h"
#include "varenta/table/NetworkTexts.h"

#include <QPlainTextEdit>

namespace varenta::testing {
namespace {

const std::string FE(1, kFieldSeparator);
const std::string FF(1, kFrameEnd);

// A clock whose pauses let the loop run and can hand the test a moment in
// the middle of an animation (the n-th pause since it was armed).
class PumpingClock : public ManualClock {
public:
    void Pause(int milliseconds) override {
        ManualClock::Pause(milliseconds);
        ++sinceArmed;
        if (atPause) {
            atPause(sinceArmed);
        }
        QCoreApplication::processEvents();
    }
    void Arm(std::function<void(int)> call) {
        sinceArmed = 0;
        atPause = std::move(call);
    }
    int sinceArmed = 0;
    std::function<void(int)> atPause;
};

// The other program, written by hand: it listens, greets, deals and then
// sends whatever the test tells it, at the moment the test chooses.
struct ScriptedPeer {
    NotifierWatcher watcher;
    TcpSocket socket{watcher};
    RecordingEvents events;
    ScriptedPeer() {
        socket.SetEvents(&events);
        socket.Port = "0";
        socket.Listen();
    }
    std::string Port() const { return std::to_string(socket.ListenPort()); }
    void Send(const std::string& bytes) { socket.SendText(bytes); }
    int Count(std::string_view keyword) {
        std::vector<std::string> frames;
        int oversized = 0;
        FrameReader reader;
        reader.Feed(events.received, frames, oversized);
        return static_cast<int>(
            std::count_if(frames.begin(), frames.end(), [&](const std::string& f) {
                return ParseFrame(f).keywordText == keyword;
            }));
    }
};

// A deal string: the n-th card of the deck goes to stock slot n.
std::string DealFrame(char firstDigit) {
    std::string deal(1, firstDigit);
    for (int slot = 1; slot <= kDeckSize; ++slot) {
        deal += static_cast<char>(slot);
    }
    return "DEAL" + FE + deal + FF;
}

// A table connected to the scripted peer, with the deal on it and its
// player to move (firstDigit '0': the dealer lets this side start).
struct TableAndPeer {
    PumpingClock clock;
    ScriptedPeer peer;
    Table table;
    std::vector<std::string> notes;

    bool Open(char firstDigit = '0', RuleSet rules = {}) {
        WriteRules(table.store, rules);
        table.ownClock = &clock;
        table.Open("192.168.1.20", peer.Port(), 4);
        table.window->Controller().SetCardMovement(true, 1); // slow: many steps per card
        table.answer = false;                                // not the server: this side connects
        table.Connect("Bea", "127.0.0.1");
        if (!PumpUntil([&] { return peer.socket.Connected(); })) {
            return false;
        }
        peer.Send("PLAYERID" + FE + "Ann" + FE + "400" + FF);
        peer.Send(DealFrame(firstDigit));
        return PumpUntil([&] {
            return table.window->Network().Connection() == ConnectionStatus::Established &&
                   table.S().playerHand.Size() > 0;
        });
    }
    QString ChatText() {
        ChatWindow* chat = table.window->Network().Chat();
        return chat != nullptr ? chat->OppChat()->toPlainText() : QString();
    }
    // Right-click on the player's newest card: the discard.
    void DiscardNewest() {
        const Card card = table.S().playerHand[table.S().playerHand.Size() - 1];
        table.window->Controller().FormMouseUp(Qt::RightButton, Qt::NoModifier, card.x + 2,
                                               card.y + 2);
    }
};

// The partner draws the moment this side's discard leaves: its DRAWNEW
// reaches this table at the first, a middle or the last step of the card's
// flight to the pile, and is applied once the card has landed.
TEST(NetworkTimingTest, AMoveArrivingDuringTheDiscardsFlightIsAppliedAfterIt) {
    for (const int atStep : {1, 4, 1000}) {
        SCOPED_TRACE(atStep);
        TableAndPeer t;
        ASSERT_TRUE(t.Open());
        t.table.window->Controller().FormKeyDown(Qt::Key_F6, Qt::NoModifier);
        ASSERT_TRUE(t.table.S().hasDrawn);
        const int opponentCards = t.table.S().opponentHand.Size();
        const int stock = t.table.S().stock.Size();
        int sentAt = 0;
        int cardsSeenAfterSending = -1;
        t.clock.Arm([&](int pause) {
            if (sentAt == 0 && t.peer.Count("DISCARD") == 1 && (pause >= atStep || pause > 60)) {
                sentAt = pause;
                t.peer.Send("DRAWNEW" + FE + FF);
            } else if (sentAt > 0 && cardsSeenAfterSending < 0 && pause > sentAt + 1) {
                cardsSeenAfterSending = t.table.S().opponentHand.Size();
            }
        });
        t.DiscardNewest();
        ASSERT_GT(sentAt, 0) << "the discard flew in steps";
        ASSERT_TRUE(PumpUntil([&] { return t.table.S().opponentHand.Size() == opponentCards + 1; }))
            << t.ChatText().toStdString();
        EXPECT_TRUE(cardsSeenAfterSending < 0 || cardsSeenAfterSending == opponentCards)
            << "the draw waited for the discard to land";
        EXPECT_EQ(t.table.S().stock.Size(), stock - 1);
        EXPECT_FALSE(t.ChatText().contains("wrong moment")) << t.ChatText().toStdString();
    }
}

// The stock runs out with this side's discard, so that discard ends the hand;
// the partner, who scored it first and won, deals at once. Its DEAL waits
// for this table's scoring and result box, then brings the new hand.
TEST(NetworkTimingTest, ADealArrivingDuringTheLastDiscardWaitsForTheHandsEnd) {
    RuleSet rules;
    rules.reuseDiscardPile = false;
    TableAndPeer t;
    ASSERT_TRUE(t.Open('0', rules));
    GameState& s = t.table.S();
    s.stock.count = 1;        // one card left to draw
    s.opponentHand.count = 1; // the partner holds one card: it wins the hand
    int boxes = 0;
    int handAtBox = -1;
    t.table.window->Dialogs().handResult = [&](HandResultDialog&) {
        ++boxes;
        handAtBox = s.playerHand.Size();
        PumpBriefly(); // the box stays open while more frames arrive
    };
    t.table.window->Controller().FormKeyDown(Qt::Key_F6, Qt::NoModifier);
    bool dealt = false;
    t.clock.Arm([&](int) {
        if (!dealt && t.peer.Count("DISCARD") == 1) {
            dealt = true; // at the first step of the card's flight
            t.peer.Send(DealFrame('1'));
        }
    });
    t.DiscardNewest();
    ASSERT_TRUE(PumpUntil([&] { return boxes == 1 && s.playerHand.Size() == 15; }))
        << "boxes " << boxes << ", hand " << s.playerHand.Size();
    EXPECT_EQ(handAtBox, 15) << "the box showed the hand that ended";
    EXPECT_NE(s.playerScore, 0);
    EXPECT_NE(s.opponentScore, 0);
    EXPECT_EQ(s.opponentHand.Size(), 15);
    EXPECT_TRUE(s.opponentToMove) << "the dealer draws first";
    EXPECT_EQ(t.peer.Count("DEAL"), 0) << "the losing side does not deal";
}

// There is no message for a new game: both the menu item and its key F2
// are refused with a word while the network game runs.
TEST(NetworkTimingTest, NewGameIsRefusedDuringANetworkGame) {
    TableAndPeer t;
    ASSERT_TRUE(t.Open());
    const int stock = t.table.S().stock.Size();
    t.table.window->Controller().FormKeyDown(Qt::Key_F6, Qt::NoModifier);
    t.table.window->Action("New1")->trigger();
    ASSERT_FALSE(t.table.messages.empty());
    EXPECT_EQ(t.table.messages.back(), QString::fromLatin1(texts::kNewInNetworkGame));
    EXPECT_EQ(t.table.window->Action("New1")->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(t.table.S().stock.Size(), stock - 1) << "the game on the table goes on";
    PumpBriefly();
    EXPECT_EQ(t.peer.Count("DEAL"), 0);
    EXPECT_EQ(t.table.window->Network().Connection(), ConnectionStatus::Established);
}

// Two windows: Ann's cards fly slowly and her result boxes stay open while
// the loop runs; Bob plays the moment his turn comes, from inside Ann's
// pauses. Whole hands are played and the tables agree after every turn.
TEST(NetworkTimingTest, ASlowTableAndAnInstantOneAgreeAfterEveryTurn) {
    RuleSet rules;
    rules.reuseDiscardPile = false; // hands of one stock each
    PumpingClock annClock;
    Table ann;
    WriteRules(ann.store, rules);
    ann.ownClock = &annClock;
    ann.Open("10.0.0.1", "0", 5);
    ann.window->Controller().SetCardMovement(true, 1);
    int annBoxes = 0;
    ann.window->Dialogs().handResult = [&](HandResultDialog&) {
        ++annBoxes;
        PumpBriefly();
    };
    ann.Connect("Ann", "127.0.0.1");
    ASSERT_EQ(ann.window->Network().Session().sessionRole(), SessionRole::Server);
    Table bob;
    WriteRules(bob.store, rules);
    bob.Open("127.0.0.2", std::to_string(ann.window->Network().Session().ListenPort()), 9);
    int bobBoxes = 0;
    bob.window->Dialogs().handResult = [&](HandResultDialog&) { ++bobBoxes; };
    bob.answer = false; // Ann is the server
    bob.Connect("Bob", "127.0.0.1");

    // A turn: draw, then discard the first card the table lets go.
    const auto playTurn = [](Table& t) {
        if (!t.S().hasDrawn) {
            t.window->Controller().FormKeyDown(Qt::Key_F6, Qt::NoModifier);
        }
        for (int i = t.S().playerHand.Size() - 1; i >= 0 && !t.S().opponentToMove; --i) {
            const Card card = t.S().playerHand[i];
            t.window->Controller().FormMouseUp(Qt::RightButton, Qt::NoModifier, card.x + 2,
                                               card.y + 2);
        }
    };
    bool inBobsTurn = false;
    annClock.Arm([&](int) {
        // Bob answers at once, in the middle of Ann's animation.
        if (!inBobsTurn && !bob.window->Controller().Busy() && !bob.S().opponentToMove &&
            bob.S().playerHand.Size() > 0 &&
            bob.window->Network().Connection() == ConnectionStatus::Established) {
            inBobsTurn = true;
            playTurn(bob);
            inBobsTurn = false;
        }
    });
    ASSERT_TRUE(PumpUntil([&] {
        return ann.window->Network().Connection() == ConnectionStatus::Established &&
               bob.window->Network().Connection() == ConnectionStatus::Established &&
               bob.S().stock.Size() == ann.S().stock.Size() && bob.S().playerHand.Size() > 0;
    }));
    const auto quiet = [&] {
        return !ann.window->Controller().Busy() && !bob.window->Controller().Busy() &&
               !ann.window->Network().Session().HasHeldFrames() &&
               !bob.window->Network().Session().HasHeldFrames() &&
               ann.S().opponentToMove != bob.S().opponentToMove &&
               ann.S().stock.Size() == bob.S().stock.Size() &&
               ann.S().playerHand.Size() == bob.S().opponentHand.Size() &&
               ann.S().opponentHand.Size() == bob.S().playerHand.Size();
    };
    for (int turn = 0; annBoxes < 2; ++turn) {
        ASSERT_LT(turn, 600);
        ASSERT_TRUE(PumpUntil(quiet)) << "turn " << turn;
        ExpectMirrored(ann, bob);
        ASSERT_EQ(ann.S().playerScore, bob.S().opponentScore);
        ASSERT_EQ(ann.S().opponentScore, bob.S().playerScore);
        playTurn(ann.S().opponentToMove ? bob : ann);
    }
    EXPECT_EQ(annBoxes, bobBoxes);
    for (Table* t : {&ann, &bob}) {
        EXPECT_TRUE(t->window->Network().Session().PartnerChecks());
        EXPECT_EQ(t->window->Network().Connection(), ConnectionStatus::Established);
        EXPECT_TRUE(t->messages.empty()) << t->messages.front().toStdString();
    }
    EXPECT_GE(ann.window->Network().Session().HandsCompared() +
                  bob.window->Network().Session().HandsCompared(),
              2);
}

} // namespace
} // namespace varenta::testing

// Two table windows in one process connect over loopback through the real
// flow (connect dialog, role decision, session) and play against each other.
#include "varenta/table/TableNetwork.h"
#include "varenta/table/nettests/NetTables.h"

#include "varenta/engine/Texts.h"
#include "varenta/net/session/NetworkSession.h"
#include "varenta/net/socket/NotifierWatcher.h"
#include "varenta/net/socket/TcpSocket.h"
#include "varenta/store/RuleVariants.h"
#include "varenta/table/ChatWindow.h"
#include "varenta/table/ConnectDialog.h"
#include "varenta/table/NetworkTexts.h"
#include "varenta/table/RuleDifferencesDialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

namespace varenta::testing {
namespace {

TEST(TwoTablesTest, ConnectPlayChatAndDisconnectOverLoopback) {
    // Two copies on a machine with a LAN address: both type the loopback,
    // both are asked which one listens, and Ann says Yes.
    Table ann;
    ann.Open("192.168.1.20", "0", 5);
    ann.Connect("Ann", "127.0.0.1");
    ASSERT_EQ(ann.questions.size(), 1U);
    EXPECT_TRUE(ann.questions[0].startsWith(texts::kAskSameAddress));
    ASSERT_EQ(ann.window->Network().Session().sessionRole(), SessionRole::Server);
    EXPECT_EQ(ann.Panel(), "Waiting for Connection...");
    const int port = ann.window->Network().Session().ListenPort();
    ASSERT_GT(port, 0);

    Table bob;
    RuleSet bobsRules;
    bobsRules.numberOfVarentas = 2;
    WriteRules(bob.store, bobsRules);
    bob.Open("192.168.1.20", std::to_string(port), 9);
    bob.answer = false;
    bob.Connect("Bob", "127.0.0.1");
    EXPECT_EQ(bob.questions, ann.questions);
    EXPECT_EQ(bob.window->Network().Session().sessionRole(), SessionRole::Client);
    ASSERT_TRUE(PumpUntil([&] {
        return ann.window->Network().Connection() == ConnectionStatus::Established &&
               bob.window->Network().Connection() == ConnectionStatus::Established &&
               bob.S().stock.Size() == ann.S().stock.Size();
    }));
    EXPECT_EQ(ann.Panel(), "Connection established with Bob");
    EXPECT_EQ(bob.Panel(), "Connection established with Ann");
    EXPECT_FALSE(bob.window->Network().TryingToConnect());
    EXPECT_TRUE(bob.window->Network().AddressExchangeStopped());
    for (Table* t : {&ann, &bob}) {
        ASSERT_NE(t->window->Network().Chat(), nullptr);
        EXPECT_TRUE(t->window->Network().Chat()->isVisible());
        EXPECT_TRUE(t->window->Engine().IsNetworkGame());
        EXPECT_FALSE(t->window->Action("ConnecttoPartner1")->isEnabled());
        EXPECT_TRUE(t->messages.empty()) << t->messages.front().toStdString();
    }
    EXPECT_TRUE(
        bob.window->Network().Chat()->OppChat()->toPlainText().contains("Messages from Ann"));
    ExpectMirrored(ann, bob);
    // Each side sees where the other's rules differ from its own.
    for (Table* t : {&ann, &bob}) {
        ASSERT_NE(t->window->Network().RuleDifferences(), nullptr);
        EXPECT_TRUE(t->window->Network().RuleDifferences()->isVisible());
        EXPECT_EQ(t->window->Network().RuleDifferences()->List()->topLevelItemCount(), 1);
    }

    // The side to move draws and discards; the other table follows.
    Table& mover = ann.S().opponentToMove ? bob : ann;
    Table& other = &mover == &ann ? bob : ann;
    mover.window->Controller().FormKeyDown(Qt::Key_F6, Qt::NoModifier);
    ASSERT_TRUE(
        PumpUntil([&] { return other.S().opponentHand.Size() == mover.S().playerHand.Size(); }));
    const int pile = mover.S().discardPile.Size();
    for (int i = mover.S().playerHand.Size() - 1; i >= 0 && mover.S().discardPile.Size() == pile;
         --i) {
        const Card& card = mover.S().playerHand[i];
        mover.window->Controller().FormMouseUp(Qt::RightButton, Qt::NoModifier, card.x + 2,
                                               card.y + 2);
    }
    ASSERT_EQ(mover.S().discardPile.Size(), pile + 1);
    ASSERT_TRUE(PumpUntil([&] { return !other.S().opponentToMove; }));
    ExpectMirrored(ann, bob);
    EXPECT_TRUE(mover.S().opponentToMove);

    // A chat line, and keys typed on the table go to the chat input.
    QTest::keyClicks(mover.window->Network().Chat()->SelfChat(), "hello");
    QTest::keyClick(mover.window->Network().Chat()->SelfChat(), Qt::Key_Return);
    ASSERT_TRUE(PumpUntil([&] {
        return other.window->Network().Chat()->OppChat()->toPlainText().endsWith("hello");
    }));
    EXPECT_TRUE(other.window->Network().Chat()->Highlighted());
    QTest::keyClicks(other.window->View(), "hi");
    EXPECT_TRUE(other.window->Network().Chat()->SelfChat()->toPlainText().endsWith("hi"));
    QTest::keyClick(other.window->View(), Qt::Key_F11, Qt::ControlModifier);
    ASSERT_FALSE(other.messages.empty());
    EXPECT_EQ(other.messages.back(), QString::fromUtf8(texts::kNoCheating.data()));
    EXPECT_FALSE(other.S().opponentCardsShown);

    // What the session could not use is noted in the chat window.
    other.window->Network().Session().ReceiveBytes(std::string(300, 'x') + "\xFF");
    EXPECT_TRUE(other.window->Network().Chat()->OppChat()->toPlainText().endsWith(
        QString::fromUtf8(texts::kNoteFrameTooLong.data())));
    ExpectMirrored(ann, bob);

    // Hide and show from the menu.
    QAction* chatItem = other.window->Action("HideChatWindow1");
    chatItem->trigger();
    EXPECT_FALSE(other.window->Network().Chat()->isVisible());
    EXPECT_EQ(chatItem->text(), "&Show Chat Window");
    chatItem->trigger();
    EXPECT_TRUE(other.window->Network().Chat()->isVisible());
    EXPECT_EQ(chatItem->text(), "&Hide Chat Window");

    // Quitting during a network game asks first; No keeps the window.
    ann.answer = false;
    EXPECT_FALSE(ann.window->close());
    EXPECT_EQ(ann.questions.back(),
              "You have a network game running. Are you sure you want to quit?");
    ann.answer = true;

    // Ann disconnects (after the question); Bob is told and plays the computer again.
    ann.window->Action("StopWaiting1")->trigger();
    EXPECT_EQ(ann.questions.back(), "Are you sure you want to disconnect?");
    EXPECT_EQ(ann.window->Network().Connection(), ConnectionStatus::NotConnected);
    ASSERT_TRUE(PumpUntil(
        [&] { return bob.window->Network().Connection() == ConnectionStatus::NotConnected; }));
    ASSERT_FALSE(bob.messages.empty());
    EXPECT_EQ(bob.messages.back(), "Connection to Ann lost. The network game will now terminate.");
    for (Table* t : {&ann, &bob}) {
        EXPECT_EQ(t->window->Network().Chat(), nullptr);
        EXPECT_FALSE(t->window->Engine().IsNetworkGame());
        EXPECT_TRUE(t->window->Action("ConnecttoPartner1")->isEnabled());
        EXPECT_FALSE(t->window->Action("StopWaiting1")->isEnabled());
        EXPECT_EQ(t->Panel(), "Not connected");
        EXPECT_EQ(t->S().playerHand.Size(), 15) << "a fresh hand against the computer";
    }

    // The next session starts cleanly, this time Bob listening.
    bob.window->Action("ConnecttoPartner1")->trigger(); // same dialog answers: Bob connects
    EXPECT_EQ(bob.window->Network().Session().sessionRole(), SessionRole::Client);
    bob.window->Action("StopWaiting1")->trigger();
    EXPECT_EQ(bob.window->Network().Session().sessionRole(), SessionRole::Idle);
    EXPECT_FALSE(bob.window->Network().TryingToConnect());
}

} // namespace
} // namespace varenta::testing

namespace varenta::testing {
namespace {

// Two copies on one machine without a network: both users take the loopback,
// both compare "127.0.0.1" with itself, and the answers decide who listens.
TEST(TwoTablesTest, OnOneMachineTheSameAddressQuestionDecides) {
    for (const bool yes : {true, false}) {
        Table t;
        t.Open("unused", "0", 3);
        // Yes to the loopback, then the answer under test.
        t.window->Dialogs().yesNo = [&t, yes](const QString& text) {
            t.questions.push_back(text);
            return t.questions.size() == 1 || yes;
        };
        t.window->Dialogs().connect = [](ConnectDialog& dialog) {
            dialog.findChild<QLineEdit*>("edIDServer")->clear();
            dialog.findChild<QRadioButton*>("rbInternet")->click(); // no Internet address: empty
            dialog.findChild<QRadioButton*>("rbIPnumber")->click();
            dialog.findChild<QLineEdit*>("edNickname")->setText("Solo");
            dialog.findChild<QComboBox*>("cbIPPartner")->setEditText("127.0.0.1");
            dialog.findChild<QPushButton*>("bnConnect")->click();
            return dialog.result() == QDialog::Accepted;
        };
        t.window->Action("ConnecttoPartner1")->trigger();
        ASSERT_EQ(t.questions.size(), 2U);
        EXPECT_TRUE(t.questions[1].startsWith("You and your partner have the same IP address."));
        EXPECT_TRUE(t.questions[1].endsWith("\nNote: this means that your partner must choose "
                                            "'No' here."));
        EXPECT_EQ(t.window->Network().Session().sessionRole(),
                  yes ? SessionRole::Server : SessionRole::Client);
        EXPECT_EQ(t.window->Network().TryingToConnect(), !yes);
        EXPECT_EQ(t.window->Network().Connection(), ConnectionStatus::Waiting);
        t.window->Action("StopWaiting1")->trigger();
        EXPECT_EQ(t.window->Network().Connection(), ConnectionStatus::NotConnected);
        EXPECT_FALSE(t.window->Network().TryingToConnect());
    }
}

// Both copies chose to listen: the second finds the port taken and, when
// its partner is on this machine, is told to answer No next time.
TEST(TwoTablesTest, ASecondServerForTheSamePortIsToldWhy) {
    struct Case {
        const char* own;
        const char* partner;
        bool hinted;
    };
    const Case cases[] = {
        {"192.168.1.20", "127.0.0.1", true},
        {"10.0.0.1", "10.0.0.2", false}, // elsewhere: some other program may hold it
    };
    for (const Case& c : cases) {
        Table ann;
        ann.Open(c.own, "0", 5);
        ann.Connect("Ann", c.partner);
        ASSERT_EQ(ann.window->Network().Session().sessionRole(), SessionRole::Server) << c.partner;
        const std::string port = std::to_string(ann.window->Network().Session().ListenPort());
        Table bob;
        bob.Open(c.own, port, 9);
        bob.Connect("Bob", c.partner);
        ASSERT_EQ(bob.messages.size(), 1U) << c.partner;
        const QString plain =
            QString::fromUtf8(texts::kSocketProblem.data(),
                              static_cast<qsizetype>(texts::kSocketProblem.size())) +
            "\nAddress already in use";
        const QString hint =
            QString(texts::kPortTakenByOtherCopy).arg(QString::fromStdString(port));
        EXPECT_EQ(bob.messages[0], c.hinted ? plain + "\n\n" + hint : plain);
        EXPECT_EQ(bob.window->Network().Connection(), ConnectionStatus::NotConnected);
        EXPECT_EQ(bob.window->Network().Session().sessionRole(), SessionRole::Idle);
        EXPECT_TRUE(bob.window->Action("ConnecttoPartner1")->isEnabled());
        EXPECT_EQ(ann.window->Network().Session().sessionRole(), SessionRole::Server)
            << "Ann waits on";
    }
}

// Both copies chose to connect: after ten refused attempts the hint line
// says that nobody listens, and the retries go on.
TEST(TwoTablesTest, TenRefusedConnectsSayThatNobodyListens) {
    NotifierWatcher watcher;
    TcpSocket probe(watcher);
    probe.Port = "0";
    ASSERT_TRUE(probe.Listen());
    const QString port = QString::number(probe.ListenPort());
    probe.CancelListen(); // nobody listens there now

    Table bob;
    bob.Open("192.168.1.20", port.toStdString(), 9);
    bob.answer = false;
    bob.Connect("Bob", "127.0.0.1");
    ASSERT_EQ(bob.window->Network().Session().sessionRole(), SessionRole::Client);
    const auto refused = [&bob] { return bob.window->Network().Session().RefusedAttempts(); };
    const auto hint = [&] {
        return QString(texts::kNobodyListens).arg("127.0.0.1", port).arg(refused());
    };
    for (int attempt = 1; attempt <= NetworkPlay::kRefusalsBeforeHint; ++attempt) {
        ASSERT_TRUE(PumpUntil([&] { return refused() >= attempt; })) << attempt;
        EXPECT_FALSE(bob.window->StatusLine()->LineText().startsWith("Nobody")) << attempt;
        bob.window->Network().tmTryConnectTimer();
    }
    EXPECT_EQ(bob.window->StatusLine()->LineText(), hint());
    EXPECT_TRUE(bob.messages.empty()) << "no box";
    EXPECT_TRUE(bob.window->Network().TryingToConnect());
    EXPECT_EQ(bob.window->Network().Connection(), ConnectionStatus::Waiting);

    // Told once per run of ten: the next tick leaves the hint line alone.
    bob.window->StatusLine()->ShowHintText("something else");
    const int now = refused();
    ASSERT_TRUE(PumpUntil([&] { return refused() > now; }));
    if (refused() < 2 * NetworkPlay::kRefusalsBeforeHint) {
        bob.window->Network().tmTryConnectTimer();
        EXPECT_EQ(bob.window->StatusLine()->LineText(), "something else");
    }
    bob.window->Action("StopWaiting1")->trigger();
    EXPECT_FALSE(bob.window->Network().TryingToConnect());
}

} // namespace
} // namespace varenta::testing

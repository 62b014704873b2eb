#include "varenta/table/ChatWindow.h"
#include "varenta/net/session/NetworkSession.h"
#include "varenta/table/NetworkTexts.h"

#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace varenta {
namespace {

class ChatWindowTest : public ::testing::Test {
protected:
    ChatWindowTest() {
        chat.maySend = [this] { return sessionExists; };
        chat.send = [this](const QString& line) { sent.push_back(line); };
        chat.inform = [this](const QString& text) { informed.push_back(text); };
    }
    void Type(const QString& text) { QTest::keyClicks(chat.SelfChat(), text); }
    void Enter() { QTest::keyClick(chat.SelfChat(), Qt::Key_Return); }

    ChatWindow chat;
    bool sessionExists = true;
    std::vector<QString> sent;
    std::vector<QString> informed;
};

TEST_F(ChatWindowTest, EnterSendsTheLastLineOnceAndTypingGoesOnBelowIt) {
    chat.Greet("Bob");
    EXPECT_EQ(chat.OppChat()->toPlainText(), "Messages from Bob will appear here.");
    Type("hello");
    Enter();
    Type("second");
    Enter();
    Enter(); // an empty line sends nothing, and never the line above again
    EXPECT_EQ(sent, (std::vector<QString>{"hello", "second"}));
    EXPECT_EQ(chat.SelfChat()->toPlainText(),
              QString::fromUtf8(texts::kSelfChatGreeting.data()) + "\nhello\nsecond\n");
    EXPECT_EQ(chat.SelfChat()->textCursor().position(),
              chat.SelfChat()->toPlainText().size()); // on the new empty last line
    EXPECT_TRUE(informed.empty());
}

TEST_F(ChatWindowTest, LinesAreCutTheSantaBoxStillSendsAndNothingGoesWithoutASession) {
    Type(QString(300, 'x'));
    Enter();
    ASSERT_EQ(sent.size(), 1U);
    EXPECT_EQ(sent[0].size(), ChatWindow::kMaxLineLength);

    Type("What the FUCK");
    Enter();
    EXPECT_EQ(informed, (std::vector<QString>{texts::kSanta}));
    EXPECT_EQ(sent.back(), "What the FUCK");

    sessionExists = false;
    Type("lost");
    Enter();
    EXPECT_EQ(sent.size(), 2U);
    EXPECT_TRUE(chat.SelfChat()->toPlainText().endsWith("lost")) << "Enter typed no line break";
}

TEST_F(ChatWindowTest, BothAreasKeepTheLast101Lines) {
    for (int i = 1; i <= 150; ++i) {
        chat.ReceiveLine(QString::number(i));
    }
    const QStringList lines = chat.OppChat()->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), ChatWindow::kMaxLines);
    EXPECT_EQ(lines.first(), "50");
    EXPECT_EQ(lines.last(), "150");

    for (int i = 1; i <= 120; ++i) {
        Type(QString::number(i));
        Enter();
    }
    const QStringList own = chat.SelfChat()->toPlainText().split('\n');
    EXPECT_EQ(own.size(), ChatWindow::kMaxLines); // the last of them the empty typing line
    EXPECT_EQ(own.at(own.size() - 2), "120");
}

TEST_F(ChatWindowTest, AReceivedLineLightsUpEvenWhileHiddenAndTheCloseBoxOnlyHides) {
    const QColor normal = chat.OppChat()->palette().color(QPalette::Base);
    chat.show();
    chat.close();
    EXPECT_FALSE(chat.isVisible());
    chat.ReceiveLine("psst");
    EXPECT_TRUE(chat.Highlighted());
    EXPECT_EQ(chat.OppChat()->palette().color(QPalette::Base), QColor(255, 255, 128));
    chat.AddNote("a note is not highlighted on its own");
    chat.EndHighlight();
    EXPECT_EQ(chat.OppChat()->palette().color(QPalette::Base), normal);
    chat.show();
    EXPECT_TRUE(chat.OppChat()->toPlainText().startsWith("psst"));
}

TEST_F(ChatWindowTest, KeysFromTheTableLandInTheInputAndTheSelfAreaTakesHalfTheHeight) {
    chat.TypeKey(Qt::Key_H, Qt::NoModifier, "h");
    chat.TypeKey(Qt::Key_I, Qt::NoModifier, "i");
    chat.TypeKey(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(sent, (std::vector<QString>{"hi"}));
    chat.show();
    chat.resize(300, 201);
    EXPECT_EQ(chat.SelfChat()->height(), 100);
    EXPECT_EQ(chat.OppChat()->height(), 101);
    EXPECT_EQ(chat.OppChat()->toolTip(),
              "This area shows the messages that your partner sent you.");
}

} // namespace
} // namespace varenta

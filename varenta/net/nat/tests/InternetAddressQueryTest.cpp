#include "varenta/net/nat/InternetAddressQuery.h"

#include "varenta/net/socket/NotifierWatcher.h"
#include "varenta/net/socket/SocketErrors.h"
#include "varenta/net/socket/TcpSocket.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace varenta {
namespace {

// Runs the loop until the answer came, with a ticking timer so that an
// answer that never comes fails after a bounded number of rounds.
std::optional<QString> AnswerOf(InternetAddressQuery& query, const QString& server) {
    std::optional<QString> answer;
    query.Start(server, [&answer](const QString& address) { answer = address; });
    EXPECT_FALSE(answer.has_value()) << "never from inside Start";
    QTimer tick;
    tick.start(10);
    for (int round = 0; round < 3000 && !answer; ++round) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return answer;
}

TEST(InternetAddressQueryTest, AnswersWithTheOwnEndOfTheConnectionOrNothing) {
    NotifierWatcher watcher;
    TcpSocket server(watcher);
    // Any free port; assigning a plain literal here trips a false -Wrestrict
    // of g++ 12 at -O3.
    server.Port.assign(1, '0');
    ASSERT_TRUE(server.Listen());
    const std::string port = std::to_string(server.ListenPort());

    InternetAddressQuery reached(port);
    EXPECT_EQ(AnswerOf(reached, "127.0.0.1").value_or("none"), "127.0.0.1");
    EXPECT_EQ(reached.Problem(), "");
    // The same query can ask again.
    EXPECT_EQ(AnswerOf(reached, "localhost").value_or("none"), "127.0.0.1");

    // Nothing found, and why, in words the connect dialog shows.
    server.CancelListen();
    InternetAddressQuery refused(port);
    EXPECT_EQ(AnswerOf(refused, "127.0.0.1").value_or("none"), "");
    EXPECT_EQ(refused.Problem(), "Connection refused");
    InternetAddressQuery unknown(port);
    EXPECT_EQ(AnswerOf(unknown, "no-such-host.invalid").value_or("none"), "");
    EXPECT_EQ(unknown.Problem(), SocketErrorText(kErrorHostNotFound));
    // A later answer forgets the earlier problem.
    server.Port.assign(port);
    ASSERT_TRUE(server.Listen());
    EXPECT_EQ(AnswerOf(refused, "127.0.0.1").value_or("none"), "127.0.0.1");
    EXPECT_EQ(refused.Problem(), "");
}

TEST(InternetAddressQueryTest, ACancelledQueryNeverAnswers) {
    NotifierWatcher watcher;
    TcpSocket server(watcher);
    // Any free port; assigning a plain literal here trips a false -Wrestrict
    // of g++ 12 at -O3.
    server.Port.assign(1, '0');
    ASSERT_TRUE(server.Listen());
    InternetAddressQuery query(std::to_string(server.ListenPort()));
    bool answered = false;
    query.Start("127.0.0.1", [&answered](const QString&) { answered = true; });
    query.Cancel();
    for (int round = 0; round < 20; ++round) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    EXPECT_FALSE(answered);
}

} // namespace
} // namespace varenta

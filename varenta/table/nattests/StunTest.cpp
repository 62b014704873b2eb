// The public address by STUN: the messages of servers old and new, the
// query's repeats, time-out and refusals against a scripted server, and a
// real STUN server (coturn, started privately on loopback by the fixture).
#include "varenta/net/NotifierWatcher.h"
#include "varenta/net/StunQuery.h"
#include "varenta/table/StunAddressQuery.h"
#include "varenta/table/nattests/ScriptedServers.h"
#include "varenta/table/nattests/StunTestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace varenta::testing {
namespace {

const StunTransactionId kId = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

TEST(StunMessageTest, TheRequestIsABindingWithTheCookieAndTheId) {
    const std::string request = StunBindingRequest(kId);
    ASSERT_EQ(request.size(), kStunHeaderSize);
    EXPECT_EQ(request.substr(0, 8), std::string("\x00\x01\x00\x00\x21\x12\xa4\x42", 8));
    EXPECT_EQ(IdOf(request), kId);
}

TEST(StunMessageTest, AnswersOfEveryKindOfServer) {
    using Kind = StunAnswer::Kind;
    const std::string req = StunBindingRequest(kId);
    StunTransactionId otherId = kId;
    otherId[11] ^= 1;
    const std::string other = StunBindingRequest(otherId);
    const std::string xor4 = XorMapped(req, "203.0.113.5", 40000);
    std::string badFamily = xor4;
    badFamily[5] = 3;
    std::string longAttribute = Success(req, xor4);
    longAttribute[23] = 40; // claims more than the message holds
    struct Case {
        const char* name;
        std::string datagram;
        Kind kind;
        std::string address;
        int port;
        int errorCode;
    };
    const Case cases[] = {
        {"XOR-MAPPED-ADDRESS, IPv4", Success(req, xor4), Kind::Address, "203.0.113.5", 40000, 0},
        {"XOR-MAPPED-ADDRESS, IPv6", Success(req, XorMapped(req, "2001:db8::7", 3478)),
         Kind::Address, "2001:db8::7", 3478, 0},
        {"an old server's plain MAPPED-ADDRESS", Success(req, Mapped("198.51.100.2", 1234)),
         Kind::Address, "198.51.100.2", 1234, 0},
        {"the draft's attribute number", Success(req, XorMapped(req, "203.0.113.5", 9, 0x8020)),
         Kind::Address, "203.0.113.5", 9, 0},
        {"both: the XOR-ed one wins", Success(req, Mapped("10.0.0.1", 1) + xor4), Kind::Address,
         "203.0.113.5", 40000, 0},
        {"unknown attributes are stepped over",
         Success(req, Attribute(0x8022, "coturn") + Attribute(0x0004, "x") + xor4), Kind::Address,
         "203.0.113.5", 40000, 0},
        {"another transaction", Success(other, XorMapped(other, "203.0.113.5", 1)), Kind::Foreign,
         "", 0, 0},
        {"a request, not an answer", Message(0x0001, req, ""), Kind::Foreign, "", 0, 0},
        {"not STUN (top bits set)", "\x81" + Success(req, xor4).substr(1), Kind::Foreign, "", 0, 0},
        {"shorter than a header", req.substr(0, 19), Kind::Foreign, "", 0, 0},
        {"an error answer with its code",
         Message(0x0111, req, Attribute(0x0009, std::string("\0\0\x04\x14", 4) + "Unknown")),
         Kind::Refused, "", 0, 420},
        {"cut short", Success(req, xor4).substr(0, 28), Kind::Malformed, "", 0, 0},
        {"an attribute longer than the message", longAttribute, Kind::Malformed, "", 0, 0},
        {"success without an address", Success(req, ""), Kind::Malformed, "", 0, 0},
        {"an unknown address family", Success(req, badFamily), Kind::Malformed, "", 0, 0},
        {"port zero", Success(req, XorMapped(req, "203.0.113.5", 0)), Kind::Malformed, "", 0, 0},
    };
    for (const Case& c : cases) {
        const StunAnswer answer = ReadStunAnswer(c.datagram, kId);
        EXPECT_EQ(answer.kind, c.kind) << c.name;
        EXPECT_EQ(answer.address, c.address) << c.name;
        EXPECT_EQ(answer.port, c.port) << c.name;
        EXPECT_EQ(answer.errorCode, c.errorCode) << c.name;
    }
}

sockaddr_storage Loopback(int port, socklen_t& length) {
    sockaddr_storage storage{};
    auto& in = reinterpret_cast<sockaddr_in&>(storage);
    in.sin_family = AF_INET;
    in.sin_port = htons(static_cast<std::uint16_t>(port));
    in.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    length = sizeof in;
    return storage;
}

// Handles what is ready now (readable sockets included), without waiting.
void Drain() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

// One query against a server, with the timer in the test's hand.
struct QueryRun {
    NotifierWatcher watcher;
    ManualNetTimer* timer = new ManualNetTimer;
    StunQuery query{watcher, std::unique_ptr<NetTimer>(timer)};
    std::optional<StunQuery::Result> result;

    void Start(int port) {
        socklen_t length = 0;
        const sockaddr_storage server = Loopback(port, length);
        query.Start(server, length, [this](const StunQuery::Result& r) { result = r; });
        EXPECT_FALSE(result) << "never from inside Start";
    }
    int Total() const {
        int sum = 0;
        for (const int ms : timer->starts) {
            sum += ms;
        }
        return sum;
    }
};

TEST(StunQueryTest, RepeatsWhileNoAnswerComesAndGivesUpAfterThreeSeconds) {
    // answerAt: the request (0, 1, 2) the server answers; -1 never.
    struct Case {
        const char* name;
        int answerAt;
        std::function<std::string(const std::string&)> answer;
        bool found;
        int requests;
        std::vector<int> starts;
        std::string problem;
    };
    const auto good = [](const std::string& r) {
        return Success(r, XorMapped(r, "203.0.113.5", 40000));
    };
    const Case cases[] = {
        {"answered at once", 0, good, true, 1, {500}, ""},
        {"two replies lost", 2, good, true, 3, {500, 1000, 1500}, ""},
        {"silent server", -1, good, false, 3, {500, 1000, 1500}, "the STUN server did not answer"},
        {"only an unreadable answer",
         0,
         [](const std::string& r) { return Success(r, ""); },
         false,
         3,
         {500, 1000, 1500},
         "the STUN server's answer could not be read"},
        {"an answer to another request is ignored",
         0,
         [](const std::string& r) {
             std::string other = r;
             other[19] ^= 1;
             return Success(other, XorMapped(other, "198.51.100.1", 1));
         },
         false,
         3,
         {500, 1000, 1500},
         "the STUN server did not answer"},
        {"refused",
         0,
         [](const std::string& r) {
             return Message(0x0111, r, Attribute(0x0009, std::string("\0\0\x05\x00", 4)));
         },
         false,
         1,
         {500},
         "the STUN server refused the request (error 500)"},
    };
    for (const Case& c : cases) {
        ScriptedUdpServer server([&c](const std::string& request, int index) {
            return index == c.answerAt ? std::optional<std::string>(c.answer(request))
                                       : std::nullopt;
        });
        ASSERT_TRUE(server.Bound());
        QueryRun run;
        run.Start(server.Port());
        for (int sent = 1; !run.result && sent <= 4; ++sent) {
            ASSERT_TRUE(PumpUntil([&] { return server.Count() >= sent; })) << c.name;
            // The server answers before it counts a request, so its answer
            // is waiting on the socket: read before the time runs on.
            Drain();
            if (!run.result && run.timer->running) {
                run.timer->Fire();
            }
        }
        ASSERT_TRUE(run.result) << c.name;
        EXPECT_EQ(run.result->found, c.found) << c.name;
        EXPECT_EQ(run.result->problem, c.problem) << c.name;
        EXPECT_EQ(server.Count(), c.requests) << c.name;
        EXPECT_EQ(run.timer->starts, c.starts) << c.name;
        EXPECT_LE(run.Total(), StunQuery::kGiveUpMs) << c.name;
        EXPECT_FALSE(run.query.Running()) << c.name;
        if (c.found) {
            EXPECT_EQ(run.result->address, "203.0.113.5") << c.name;
            EXPECT_EQ(run.result->port, 40000) << c.name;
        }
        // Every repeat carries the same transaction, so a late answer to
        // the first request still counts.
        for (const std::string& request : server.Requests()) {
            EXPECT_EQ(request, server.Requests().front()) << c.name;
        }
    }
}

TEST(StunQueryTest, ANewIdEveryQueryAndNoAnswerAfterCancel) {
    ScriptedUdpServer server([](const std::string&, int) { return std::nullopt; });
    QueryRun run;
    run.Start(server.Port());
    ASSERT_TRUE(PumpUntil([&] { return server.Count() == 1; }));
    run.Start(server.Port()); // replaces the first query
    ASSERT_TRUE(PumpUntil([&] { return server.Count() == 2; }));
    EXPECT_NE(IdOf(server.Requests()[0]), IdOf(server.Requests()[1]));
    run.query.Cancel();
    EXPECT_FALSE(run.timer->running);
    run.timer->Fire();
    EXPECT_FALSE(run.result);
    EXPECT_EQ(server.Count(), 2);
}

TEST(StunQueryTest, NobodyAtTheServersPortEndsTheQueryAtOnce) {
    int port = 0;
    {
        ScriptedUdpServer gone([](const std::string&, int) { return std::nullopt; });
        port = gone.Port();
    }
    QueryRun run;
    run.Start(port);
    ASSERT_TRUE(PumpUntil([&] { return run.result.has_value(); }));
    EXPECT_FALSE(run.result->found);
    EXPECT_NE(run.result->problem.find("cannot be reached"), std::string::npos)
        << run.result->problem;
    EXPECT_EQ(run.timer->starts.size(), 1U) << "no waiting for the time-out";
}

// The port the private STUN server listens on (the fixture wrote it).
int StunServerPort() {
    QFile file(QStringLiteral(STUN_SERVER_DIR "/port"));
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    return file.readAll().trimmed().toInt();
}

TEST(RealStunServerTest, TellsTheAddressAndPortItSawOnLoopback) {
    const int port = StunServerPort();
    ASSERT_GT(port, 0) << "the stun server fixture did not start";
    QueryRun run;
    run.Start(port);
    const int localPort = run.query.LocalPort();
    ASSERT_GT(localPort, 0);
    ASSERT_TRUE(PumpUntil([&] { return run.result.has_value(); }));
    EXPECT_TRUE(run.result->found) << run.result->problem;
    EXPECT_EQ(run.result->address, "127.0.0.1");
    EXPECT_EQ(run.result->port, localPort);
}

TEST(RealStunServerTest, TheDialogsQueryTakesTheServerAsTypedOrAnswersEmpty) {
    const int port = StunServerPort();
    ASSERT_GT(port, 0) << "the stun server fixture did not start";
    struct Case {
        QString server;
        QString address;
    };
    const Case cases[] = {
        {QString("127.0.0.1:%1").arg(port), "127.0.0.1"},
        {QString(" localhost:%1 ").arg(port), "127.0.0.1"},
        {"127.0.0.1:0", ""},
        {"127.0.0.1:99999", ""},
        {"two words", ""},
    };
    for (const Case& c : cases) {
        StunAddressQuery query;
        std::optional<QString> answer;
        query.Start(c.server, [&answer](const QString& address) { answer = address; });
        EXPECT_FALSE(answer) << "never from inside Start";
        ASSERT_TRUE(PumpUntil([&] { return answer.has_value(); })) << c.server.toStdString();
        EXPECT_EQ(*answer, c.address) << c.server.toStdString();
    }
}

} // namespace
} // namespace varenta::testing

// The public address by STUN: the answers of servers old and new, the
// query's repeats, time-out and refusals against a scripted server, and a
// real STUN server (coturn, started privately on loopback by the fixture).
#include "varenta/net/nat/StunAddressQuery.h"
#include "varenta/net/nat/StunQuery.h"
#include "varenta/net/nat/nattests/NatTestSupport.h"
#include "varenta/net/socket/NotifierWatcher.h"

#include <QFile>
#include <gtest/gtest.h>

namespace varenta::testing {
namespace {

TEST(StunMessageTest, AnswersOfEveryKindOfServer) {
    using Kind = StunAnswer::Kind;
    const StunTransactionId id = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const std::string req = StunBindingRequest(id);
    ASSERT_EQ(req.substr(0, 8), std::string("\x00\x01\x00\x00\x21\x12\xa4\x42", 8));
    ASSERT_EQ(IdOf(req), id);
    std::string other = req;
    other[19] ^= 1;
    const std::string xor4 = XorMapped(req, "203.0.113.5", 40000);
    std::string badFamily = xor4;
    badFamily[5] = 3;
    // Changed in place: g++ 12 at -O3 wrongly warns (-Wrestrict) on a
    // literal joined to a substring.
    std::string notStun = Success(req, xor4);
    notStun[0] = '\x81';
    std::string tooLong = Success(req, xor4);
    tooLong[23] = 40; // the attribute claims more than the message holds
    const struct {
        const char* name;
        std::string datagram;
        Kind kind;
        std::string address;
        int port;
    } cases[] = {
        {"XOR-MAPPED-ADDRESS", Success(req, xor4), Kind::Address, "203.0.113.5", 40000},
        {"IPv6", Success(req, XorMapped(req, "2001:db8::7", 3478)), Kind::Address, "2001:db8::7",
         3478},
        {"an old server's MAPPED-ADDRESS",
         Success(req, AddressAttribute(0x0001, req, "198.51.100.2", 1234)), Kind::Address,
         "198.51.100.2", 1234},
        {"the draft's number", Success(req, AddressAttribute(0x8020, req, "203.0.113.5", 9)),
         Kind::Address, "203.0.113.5", 9},
        {"XOR-ed wins, unknown attributes skipped",
         Success(req,
                 AddressAttribute(0x0001, req, "10.0.0.1", 1) + Attribute(0x8022, "coturn") + xor4),
         Kind::Address, "203.0.113.5", 40000},
        {"another transaction", Success(other, XorMapped(other, "203.0.113.5", 1)), Kind::Foreign,
         "", 0},
        {"a request", Message(0x0001, req, ""), Kind::Foreign, "", 0},
        {"not STUN", notStun, Kind::Foreign, "", 0},
        {"shorter than a header", req.substr(0, 19), Kind::Foreign, "", 0},
        {"an error answer", ErrorAnswer(req, 420), Kind::Refused, "", 0},
        {"cut short", Success(req, xor4).substr(0, 28), Kind::Malformed, "", 0},
        {"an attribute too long", tooLong, Kind::Malformed, "", 0},
        {"no address", Success(req, ""), Kind::Malformed, "", 0},
        {"unknown family", Success(req, badFamily), Kind::Malformed, "", 0},
        {"port zero", Success(req, XorMapped(req, "203.0.113.5", 0)), Kind::Malformed, "", 0},
    };
    for (const auto& c : cases) {
        const StunAnswer answer = ReadStunAnswer(c.datagram, id);
        EXPECT_EQ(answer.kind, c.kind) << c.name;
        EXPECT_EQ(answer.address, c.address) << c.name;
        EXPECT_EQ(answer.port, c.port) << c.name;
        EXPECT_EQ(answer.errorCode, c.kind == Kind::Refused ? 420 : 0) << c.name;
    }
}

// One query to 127.0.0.1:port, with the timer in the test's hand.
struct QueryRun {
    NotifierWatcher watcher;
    ManualNetTimer* timer = new ManualNetTimer;
    StunQuery query{watcher, std::unique_ptr<NetTimer>(timer)};
    std::optional<StunQuery::Result> result;

    void Start(int port) {
        sockaddr_storage server{};
        auto& in = reinterpret_cast<sockaddr_in&>(server);
        in.sin_family = AF_INET;
        in.sin_port = htons(static_cast<std::uint16_t>(port));
        in.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        query.Start(server, sizeof in, [this](const StunQuery::Result& r) { result = r; });
        EXPECT_FALSE(result) << "never from inside Start";
    }
};

TEST(StunQueryTest, RepeatsWhileNoAnswerComesAndGivesUpAfterThreeSeconds) {
    const auto good = [](const std::string& r) {
        return Success(r, XorMapped(r, "203.0.113.5", 40000));
    };
    const std::vector<int> all = {500, 1000, 1500}; // sends at 0, 0.5 and 1.5 s; 3 s in all
    const struct {
        const char* name;
        int answerAt; // the request the server answers (-1: none)
        std::function<std::string(const std::string&)> answer;
        std::vector<int> starts;
        std::string problem; // empty: found
    } cases[] = {
        {"answered at once", 0, good, {500}, ""},
        {"two replies lost", 2, good, all, ""},
        {"silent server", -1, good, all, "the STUN server did not answer"},
        {"only an unreadable answer", 0, [](const std::string& r) { return Success(r, ""); }, all,
         "the STUN server's answer could not be read"},
        {"an answer to another request", 0,
         [](const std::string& r) {
             std::string other = r;
             other[19] ^= 1;
             return Success(other, XorMapped(other, "198.51.100.1", 1));
         },
         all, "the STUN server did not answer"},
        {"refused",
         0,
         [](const std::string& r) { return ErrorAnswer(r, 500); },
         {500},
         "the STUN server refused the request (error 500)"},
    };
    for (const auto& c : cases) {
        ScriptedServer server(SOCK_DGRAM, [&c](const std::string& request, int index) {
            return index == c.answerAt ? std::optional<std::string>(c.answer(request))
                                       : std::nullopt;
        });
        QueryRun run;
        run.Start(server.Port());
        for (int sent = 1; !run.result && sent <= 4; ++sent) {
            ASSERT_TRUE(PumpUntil([&] { return server.Count() >= sent; })) << c.name;
            // An answer is sent before its request is counted, so it waits
            // on the socket now: read it before the time runs on.
            for (int i = 0; i < 3; ++i) {
                QCoreApplication::processEvents();
            }
            if (!run.result && run.timer->running) {
                run.timer->Fire();
            }
        }
        ASSERT_TRUE(run.result) << c.name;
        EXPECT_EQ(run.result->found, c.problem.empty()) << c.name;
        EXPECT_EQ(run.result->problem, c.problem) << c.name;
        EXPECT_EQ(run.timer->starts, c.starts) << c.name;
        EXPECT_EQ(server.Count(), static_cast<int>(c.starts.size())) << c.name;
        if (c.problem.empty()) {
            EXPECT_EQ(run.result->address + ":" + std::to_string(run.result->port),
                      "203.0.113.5:40000");
        }
        // Every repeat is the same transaction: a late answer still counts.
        for (const std::string& request : server.Requests()) {
            EXPECT_EQ(request, server.Requests().front()) << c.name;
        }
    }
}

TEST(StunQueryTest, ANewIdEachQueryNoAnswerAfterCancelAndNoWaitForNobody) {
    ScriptedServer server(SOCK_DGRAM, [](const std::string&, int) { return std::nullopt; });
    QueryRun run;
    run.Start(server.Port());
    run.Start(server.Port()); // replaces the first query
    ASSERT_TRUE(PumpUntil([&] { return server.Count() == 2; }));
    EXPECT_NE(IdOf(server.Requests()[0]), IdOf(server.Requests()[1]));
    run.query.Cancel();
    run.timer->Fire();
    EXPECT_FALSE(run.result);

    // Nobody at the port: the refusal ends the query without a time-out.
    int port = 0;
    {
        ScriptedServer gone(SOCK_DGRAM, [](const std::string&, int) { return std::nullopt; });
        port = gone.Port();
    }
    QueryRun refused;
    refused.Start(port);
    ASSERT_TRUE(PumpUntil([&] { return refused.result.has_value(); }));
    EXPECT_NE(refused.result->problem.find("cannot be reached"), std::string::npos);
    EXPECT_EQ(refused.timer->starts.size(), 1U);
}

TEST(RealStunServerTest, TellsTheAddressAndPortItSawAndTheDialogsQueryTakesTypedNames) {
    QFile file(QStringLiteral(STUN_SERVER_DIR "/port"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the stun server fixture did not start";
    const int port = file.readAll().trimmed().toInt();
    QueryRun run;
    run.Start(port);
    const int localPort = run.query.LocalPort();
    ASSERT_TRUE(PumpUntil([&] { return run.result.has_value(); }));
    EXPECT_EQ(run.result->address + ":" + std::to_string(run.result->port),
              "127.0.0.1:" + std::to_string(localPort))
        << run.result->problem;

    const QString cases[][2] = {
        {QString("127.0.0.1:%1").arg(port), "127.0.0.1"},
        {QString(" localhost:%1 ").arg(port), "127.0.0.1"},
        {"127.0.0.1:0", ""},
        {"two words", ""},
    };
    for (const auto& c : cases) {
        StunAddressQuery query;
        std::optional<QString> answer;
        query.Start(c[0], [&answer](const QString& address) { answer = address; });
        EXPECT_FALSE(answer) << "never from inside Start";
        ASSERT_TRUE(PumpUntil([&] { return answer.has_value(); })) << c[0].toStdString();
        EXPECT_EQ(*answer, c[1]) << c[0].toStdString();
    }
}

} // namespace
} // namespace varenta::testing

#include "varenta/net/socket/testing/SocketTestSupport.h"

#include "varenta/net/socket/NotifierWatcher.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace varenta {
namespace {

using testing::PumpBriefly;
using testing::PumpUntil;
using testing::RecordingEvents;

// Blocking calls whose wait runs out at once when told to: the time-out path
// without waiting on the clock.
class ExpiringWatcher : public NotifierWatcher {
public:
    bool expire = true;
    int waits = 0;
    WaitResult WaitFor(int fd, bool write, int timeoutSeconds) override {
        ++waits;
        return expire ? WaitResult::TimedOut : NotifierWatcher::WaitFor(fd, write, timeoutSeconds);
    }
};

struct Pair {
    Pair() { watcher.expire = false; }
    ExpiringWatcher watcher;
    RecordingEvents serverEvents;
    RecordingEvents clientEvents;
    TcpSocket server{watcher};
    TcpSocket client{watcher};

    bool Open(const std::string& host = "127.0.0.1") {
        server.SetEvents(&serverEvents);
        client.SetEvents(&clientEvents);
        server.Port = "0";
        if (!server.Listen()) {
            return false;
        }
        client.IPAddr = host;
        client.Port = std::to_string(server.ListenPort());
        return client.Connect() &&
               PumpUntil([this] { return server.Connected() && client.Connected(); });
    }
};

TEST(SocketErrors, TableTextsAndErrnoMapping) {
    EXPECT_EQ(SocketErrorText(10061), "Connection refused");
    EXPECT_EQ(SocketErrorText(11004), "No Data");
    EXPECT_EQ(SocketErrorText(10000), "Not a WinSock error");
    const std::pair<int, int> mapped[] = {{ECONNREFUSED, 10061}, {EAGAIN, 10035},
                                          {EINPROGRESS, 10036},  {ECONNRESET, 10054},
                                          {EADDRINUSE, 10048},   {ETIMEDOUT, 10060}};
    for (const auto& row : mapped) {
        EXPECT_EQ(SocketErrorFromErrno(row.first), row.second) << row.first;
    }
    EXPECT_EQ(SocketErrorBoxText(MakeSocketError(10061, "FD_CONNECT")),
              "Error 10061 in function FD_CONNECT\r\nConnection refused");
}

TEST(TcpSocket, PortIsAServiceNameOrDigits) {
    const std::pair<const char*, int> rows[] = {
        {"31415", 31415}, {"http", 80},  {"0", 0},
        {"65535", 65535}, {"65536", -1}, {"-1", -1},
        {"", -1},         {"12ab", -1},  {"no-such-service-here", -1}};
    for (const auto& row : rows) {
        EXPECT_EQ(TcpSocket::ResolvePort(row.first), row.second) << row.first;
    }
}

TEST(TcpSocket, LoopbackConnectAcceptAndExchangeOverEachAddressKind) {
    for (const char* host : {"127.0.0.1", "localhost", "::1"}) {
        SCOPED_TRACE(host);
        Pair pair;
        ASSERT_TRUE(pair.Open(host));
        EXPECT_EQ(pair.clientEvents.Count("connected"), 1);
        EXPECT_EQ(pair.serverEvents.Count("available"), 1);
        ASSERT_TRUE(pair.client.SendText("hello"));
        ASSERT_TRUE(pair.server.SendText("there"));
        ASSERT_TRUE(PumpUntil([&] {
            return pair.serverEvents.received == "hello" && pair.clientEvents.received == "there";
        }));
        EXPECT_TRUE(pair.serverEvents.errors.empty());
        EXPECT_TRUE(pair.clientEvents.errors.empty());
    }
}

TEST(TcpSocket, ServiceNameListensWhereTheDigitsConnect) {
    Pair pair;
    pair.server.SetEvents(&pair.serverEvents);
    pair.client.SetEvents(&pair.clientEvents);
    pair.server.Port = "http-alt";
    if (!pair.server.Listen()) {
        GTEST_SKIP() << "port 8080 is taken on this machine";
    }
    EXPECT_EQ(pair.server.ListenPort(), 8080);
    pair.client.IPAddr = "127.0.0.1";
    pair.client.Port = "8080";
    ASSERT_TRUE(pair.client.Connect());
    EXPECT_TRUE(PumpUntil([&] { return pair.server.Connected() && pair.client.Connected(); }));
}

TEST(TcpSocket, RefusedConnectArrivesAsConnectEvent) {
    NotifierWatcher watcher;
    RecordingEvents events;
    TcpSocket probe(watcher);
    probe.Port = "0";
    ASSERT_TRUE(probe.Listen());
    const int port = probe.ListenPort();
    probe.CancelListen(); // nobody listens there now

    TcpSocket client(watcher);
    client.SetEvents(&events);
    client.IPAddr = "127.0.0.1";
    client.Port = std::to_string(port);
    EXPECT_TRUE(client.Connect());
    EXPECT_TRUE(events.seen.empty()) << "the outcome must not arrive inside Connect";
    ASSERT_TRUE(PumpUntil([&] { return !events.errors.empty(); }));
    EXPECT_EQ(events.errors[0].code, 10061);
    EXPECT_EQ(events.errors[0].function, "FD_CONNECT");
    EXPECT_EQ(events.errors[0].text, "Connection refused");
    EXPECT_FALSE(client.Connected());
    EXPECT_EQ(client.Socket(), -1);
}

TEST(TcpSocket, MissingPortOrAddressAndUnknownHostAreReported) {
    NotifierWatcher watcher;
    RecordingEvents events;
    TcpSocket client(watcher);
    client.SetEvents(&events);
    EXPECT_FALSE(client.Connect());
    client.Port = "31415";
    EXPECT_FALSE(client.Connect());
    client.IPAddr = "no-such-host.invalid";
    EXPECT_FALSE(client.Connect());
    ASSERT_EQ(events.errors.size(), 3u);
    EXPECT_EQ(events.errors[0].text, "No Port Specified");
    EXPECT_EQ(events.errors[1].text, "No IP Address Specified");
    EXPECT_GE(events.errors[2].code, 11001);
    EXPECT_LE(events.errors[2].code, 11004);
    EXPECT_EQ(events.errors[2].function, "SConnect (socket)");
}

TEST(TcpSocket, BlockingCallsEndWithTimeOutError) {
    ExpiringWatcher watcher;
    RecordingEvents events;
    TcpSocket server(watcher);
    server.SetEvents(&events);
    server.NonBlocking = false;
    server.Port = "0";
    ASSERT_TRUE(server.Listen());
    EXPECT_FALSE(server.Accept()); // nobody connects: the wait runs out
    ASSERT_EQ(events.errors.size(), 1u);
    EXPECT_EQ(events.errors[0].code, 10060);
    EXPECT_EQ(events.errors[0].text, "Blocking call timed out");
    EXPECT_EQ(events.errors[0].function, "Accept");
    EXPECT_EQ(watcher.waits, 1);
}

TEST(TcpSocket, BlockingReceiveReturnsDataOrTimesOut) {
    Pair pair;
    ASSERT_TRUE(pair.Open());
    // In blocking mode the client's calls wait instead of raising events.
    pair.client.NonBlocking = false;
    pair.clientEvents.readOnData = false;
    ASSERT_TRUE(pair.server.SendText("abc"));
    char buffer[16] = {};
    EXPECT_EQ(pair.client.Receive(buffer, sizeof(buffer)), 3);
    EXPECT_EQ(std::string(buffer, 3), "abc");
    pair.watcher.expire = true;
    EXPECT_EQ(pair.client.Receive(buffer, sizeof(buffer)), -1);
    ASSERT_EQ(pair.clientEvents.errors.size(), 1u);
    EXPECT_EQ(pair.clientEvents.errors[0].code, 10060);
    EXPECT_EQ(pair.clientEvents.errors[0].function, "SReceive");
    EXPECT_TRUE(pair.client.Connected()) << "a timed-out receive keeps the connection";
}

TEST(TcpSocket, DisconnectEndsABlockingCallInProgress) {
    Pair pair;
    ASSERT_TRUE(pair.Open());
    pair.client.NonBlocking = false;
    pair.client.Timeout = 0; // no limit: only the disconnect ends the wait
    // Runs inside the wait's own event loop, as a menu command would.
    QTimer::singleShot(0, [&] { pair.client.Disconnect(); });
    char buffer[4];
    EXPECT_EQ(pair.client.Receive(buffer, sizeof(buffer)), -1);
    EXPECT_EQ(pair.client.Socket(), -1);
    EXPECT_TRUE(pair.clientEvents.errors.empty());
    EXPECT_TRUE(PumpUntil([&] { return pair.serverEvents.Count("closed") == 1; }));
}

TEST(TcpSocket, PartialSendsAreCompletedInOrder) {
    Pair pair;
    ASSERT_TRUE(pair.Open());
    const int small = 4096;
    ::setsockopt(pair.client.Socket(), SOL_SOCKET, SO_SNDBUF, &small, sizeof(small));
    pair.serverEvents.readOnData = false; // the server reads nothing yet
    std::string payload;
    for (int i = 0; i < 1000000; ++i) {
        payload += static_cast<char>('a' + i % 26);
    }
    payload += "END";
    ASSERT_TRUE(pair.client.SendText(payload.substr(0, 500000)));
    ASSERT_TRUE(pair.client.SendText(payload.substr(500000)));
    EXPECT_GT(pair.client.PendingSendBytes(), 0u) << "the system took everything at once";
    pair.serverEvents.readOnData = true;
    EXPECT_TRUE(PumpUntil([&] {
        if (pair.serverEvents.received.size() < payload.size()) {
            pair.serverEvents.received += pair.server.ReceiveAvailable();
        }
        return pair.serverEvents.received.size() >= payload.size();
    }));
    EXPECT_EQ(pair.serverEvents.received.size(), payload.size());
    EXPECT_TRUE(pair.serverEvents.received == payload);
    EXPECT_EQ(pair.client.PendingSendBytes(), 0u);
    ASSERT_TRUE(PumpUntil([&] { return pair.clientEvents.Count("needed") == 1; }));
}

TEST(TcpSocket, PeerCloseOrResetIsReportedOnce) {
    for (const bool reset : {false, true}) {
        SCOPED_TRACE(reset ? "reset" : "close");
        Pair pair;
        ASSERT_TRUE(pair.Open());
        if (reset) {
            // A bare socket that aborts: a zero linger time makes close send a reset.
            const int raw = ::socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in to{};
            to.sin_family = AF_INET;
            to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            to.sin_port = htons(static_cast<std::uint16_t>(pair.server.ListenPort()));
            ASSERT_EQ(::connect(raw, reinterpret_cast<const sockaddr*>(&to), sizeof(to)), 0);
            ASSERT_TRUE(PumpUntil([&] { return pair.serverEvents.Count("available") == 2; }));
            const linger abort{1, 0};
            ::setsockopt(raw, SOL_SOCKET, SO_LINGER, &abort, sizeof(abort));
            ::close(raw);
        } else {
            pair.client.SendText("last words");
            pair.client.Disconnect();
        }
        ASSERT_TRUE(PumpUntil([&] { return pair.serverEvents.Count("closed") > 0; }));
        char buffer[8];
        pair.server.Receive(buffer, sizeof(buffer));
        PumpBriefly();
        EXPECT_EQ(pair.serverEvents.Count("closed"), 1);
        EXPECT_TRUE(pair.serverEvents.errors.empty());
        if (!reset) {
            EXPECT_EQ(pair.serverEvents.received, "last words");
        }
    }
}

TEST(TcpSocket, LocalAddressIsDottedForIpv4) {
    Pair pair;
    ASSERT_TRUE(pair.Open());
    EXPECT_EQ(TcpSocket::LocalAddress(pair.client.Socket()), "127.0.0.1");
    EXPECT_EQ(TcpSocket::LocalAddress(pair.server.Socket()), "127.0.0.1"); // dual-stack side
    EXPECT_EQ(TcpSocket::LocalAddress(-1), "");
}

} // namespace
} // namespace varenta

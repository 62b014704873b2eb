// The relay: its messages signed and read, the allocation's dialogue with a
// scripted server (credentials asked for, stale nonces, refusals, answers
// that cannot be trusted, the refresh on the timer), a partner's connection
// bound and handed over, and a real relay server (coturn, started privately
// on loopback by the fixture) that lets through only the permitted peer.
#include "varenta/net/nat/TurnRelay.h"
#include "varenta/net/nat/nattests/NatTestSupport.h"
#include "varenta/net/nat/testing/ScriptedTurnServer.h"
#include "varenta/net/socket/NotifierWatcher.h"

#include <QFile>
#include <gtest/gtest.h>

#include <fcntl.h>

namespace varenta::testing {
namespace {

using Class = TurnMessage::Class;
const std::string kRealm = "realm.test";
const std::string kKey = TurnKey("u", kRealm, "pw");

TurnMessage Parsed(const std::string& bytes, const std::string* key = nullptr) {
    const TurnRead read = ReadTurnMessage(bytes, key);
    return read.message.value_or(TurnMessage{});
}

TEST(TurnMessageTest, SignsWithTheLongTermKeyAndRefusesWhatDoesNotAddUp) {
    // The key is the MD5 of user:realm:password (as md5sum prints it), and a
    // signed request reads back signed only with the right key.
    const std::string key = TurnKey("user", "example.org", "pass");
    EXPECT_EQ(QByteArray::fromStdString(key).toHex().toStdString(),
              "abca35356f4b00fbc33e2d8c2c43b9d6");
    TurnMessage request(turn::kAllocate, Class::Request, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    request.AddNumber(turn::kLifetime, 600).AddAddress(turn::kXorPeerAddress, "2001:db8::1", 7);
    const TurnCredentials credentials{"u", kRealm, "nonce", kKey};
    const std::string bytes = request.Encode(&credentials);
    ASSERT_EQ(stun::Get16(bytes, 0), 0x0003);
    EXPECT_EQ(TurnMessageType(turn::kConnectionAttempt, Class::Indication), 0x001C);
    EXPECT_EQ(TurnMessageType(turn::kConnectionBind, Class::Success), 0x010B);
    EXPECT_EQ(TurnMessageType(turn::kAllocate, Class::Error), 0x0113);

    const TurnMessage back = Parsed(bytes, &kKey);
    EXPECT_TRUE(back.authenticated);
    EXPECT_EQ(back.method, turn::kAllocate);
    EXPECT_EQ(back.Number(turn::kLifetime), 600U);
    ASSERT_TRUE(back.Address(turn::kXorPeerAddress));
    EXPECT_EQ(back.Address(turn::kXorPeerAddress)->address, "2001:db8::1");
    EXPECT_EQ(*back.Find(turn::kNonce), "nonce");
    EXPECT_FALSE(Parsed(bytes).authenticated) << "no key, nothing vouched for";

    const std::string wrongKey = TurnKey("u", kRealm, "other");
    std::string flipped = bytes;
    flipped[26] ^= 1; // inside the LIFETIME
    std::string fingerprintOnly = bytes;
    fingerprintOnly[fingerprintOnly.size() - 1] ^= 1;
    std::string overLong = bytes;
    overLong[3] = static_cast<char>(overLong[3] + 4);
    const struct {
        const char* name;
        std::string bytes;
        const std::string* key;
        std::string problem;
    } refused[] = {
        {"the wrong password", bytes, &wrongKey, "a message integrity that does not match"},
        {"a changed byte", flipped, nullptr, "a wrong fingerprint"},
        {"a wrong fingerprint", fingerprintOnly, &kKey, "a wrong fingerprint"},
        {"a header longer than the bytes", overLong, nullptr, "not a STUN message"},
        {"no STUN at all", "GET / HTTP/1.1\r\n\r\n", nullptr, "not a STUN message"},
        {"cut short", bytes.substr(0, 19), nullptr, "not a STUN message"},
    };
    for (const auto& c : refused) {
        const TurnRead read = ReadTurnMessage(c.bytes, c.key);
        EXPECT_FALSE(read.message) << c.name;
        EXPECT_EQ(read.problem, c.problem) << c.name;
    }

    // The frame of a message on a stream: wait for the header, then its length.
    EXPECT_EQ(TurnFrameLength(bytes.substr(0, 19)), 0U);
    EXPECT_EQ(TurnFrameLength(bytes + "next"), bytes.size());
    EXPECT_FALSE(TurnFrameLength("\x80"));

    TurnMessage error(turn::kAllocate, Class::Error, {});
    error.Add(turn::kErrorCode, ErrorValue(438, "Stale\x01 Nonce"));
    EXPECT_EQ(error.ErrorCode(), 438);
    EXPECT_EQ(error.ErrorReason(), "Stale Nonce");
    error.attributes[0].second = ErrorValue(299, "");
    EXPECT_EQ(error.ErrorCode(), 0) << "below the error classes";
}

// A relay server as the standard has it: a request without credentials is
// asked for them (realm.test, nonce "n1"), a signed one is answered signed.
std::string GoodServer(const std::string& request, const std::string& nonce = "n1") {
    const TurnMessage m = Parsed(request);
    if (m.Find(turn::kUsername) == nullptr) {
        return TurnAnswer(request, Class::Error,
                          {{turn::kErrorCode, ErrorValue(401, "Unauthorized")},
                           {turn::kRealm, kRealm},
                           {turn::kNonce, nonce}});
    }
    TurnMessage answer(m.method, Class::Success, m.id);
    if (m.method == turn::kAllocate) {
        answer.AddAddress(turn::kXorRelayedAddress, "203.0.113.9", 50000)
            .AddAddress(turn::kXorMappedAddress, "198.51.100.1", 40000)
            .AddNumber(turn::kLifetime, 600);
    } else if (m.method == turn::kRefresh) {
        answer.AddNumber(turn::kLifetime, *m.Number(turn::kLifetime));
    }
    return answer.EncodeAnswer(&kKey);
}

struct RelayRun {
    NotifierWatcher watcher;
    ManualNetTimer* timer = new ManualNetTimer;
    TurnRelay relay{watcher, std::unique_ptr<NetTimer>(timer)};
    std::optional<std::string> ready;
    std::optional<std::string> failed;
    std::vector<std::string> notes;
    std::unique_ptr<TcpSocket> partner;
    std::string peer;

    // Where the relay is reached: TLS with these authorities, when tls.
    std::string host = "127.0.0.1";
    bool tls = false;
    std::string trustFile;

    void Start(int port, const std::string& password = "pw",
               std::vector<std::string> peers = {"198.51.100.4"}, const std::string& user = "u") {
        TurnRelay::Events events;
        events.ready = [this](const std::string& relayed) { ready = relayed; };
        events.failed = [this](const std::string& problem) { failed = problem; };
        events.note = [this](const std::string& text) { notes.push_back(text); };
        events.partner = [this](std::unique_ptr<TcpSocket> socket, const std::string& from) {
            partner = std::move(socket);
            peer = from;
        };
        relay.Start({host, port, user, password, tls, trustFile}, std::move(peers),
                    std::move(events));
        EXPECT_FALSE(ready || failed) << "never from inside Start";
    }
    bool Settled() const { return ready || failed; }
};

TEST(TurnRelayTest, AllocatesWithCredentialsRenewsStaleNoncesAndRefusesWhatItCannotTrust) {
    const std::string otherKey = TurnKey("u", kRealm, "not the password");
    // The server's answer to request number `index` (0 the first).
    using Script = std::function<std::string(const std::string&, int)>;
    const auto server = [](const std::string& request, int) { return GoodServer(request); };
    const auto relayed = [](const std::string& request,
                            std::vector<std::pair<std::uint16_t, std::string>> extra,
                            const std::string* key) {
        return TurnAnswer(request, Class::Success, std::move(extra), key);
    };
    const auto at = [](int wanted, Script answer) -> Script {
        return [wanted, answer](const std::string& request, int index) {
            return index == wanted ? answer(request, index) : GoodServer(request);
        };
    };
    const auto stale = [](const std::string& request, int index) {
        return TurnAnswer(request, Class::Error,
                          {{turn::kErrorCode, ErrorValue(438, "Stale Nonce")},
                           {turn::kNonce, "n" + std::to_string(index + 1)}});
    };
    const std::string name = "The relay at 127.0.0.1:";
    const struct {
        const char* name;
        Script script;
        std::vector<std::string> nonces; // of the requests, in order ("" unsigned)
        std::string failure;             // empty: the relayed address is ready
        int permissions = 0;             // permission requests after them
    } cases[] = {
        {"401, then allocated and permitted", server, {"", "n1"}, "", 1},
        {"a stale nonce renewed", at(1, stale), {"", "n1", "n2"}, "", 1},
        {"the wrong password",
         at(1,
            [](const std::string& request, int) {
                return TurnAnswer(request, Class::Error,
                                  {{turn::kErrorCode, ErrorValue(401, "Unauthorized")},
                                   {turn::kRealm, kRealm},
                                   {turn::kNonce, "n9"}});
            }),
         {"", "n1"},
         "%refused the user name or password."},
        {"stale nonces without end",
         [&stale](const std::string& request, int index) {
             return index == 0 ? GoodServer(request) : stale(request, index);
         },
         {"", "n1", "n2", "n3", "n4"},
         "%refused to relay (error 438: Stale Nonce)"},
        {"a refusal",
         at(1,
            [](const std::string& request, int) {
                return TurnAnswer(
                    request, Class::Error,
                    {{turn::kErrorCode, ErrorValue(486, "Allocation Quota Reached")}});
            }),
         {"", "n1"},
         "%refused to relay (error 486: Allocation Quota Reached)"},
        {"an unsigned success",
         at(1, [&](const std::string& request, int) { return relayed(request, {}, nullptr); }),
         {"", "n1"},
         "%answered without proof that it knows the password."},
        {"signed with another password",
         at(1, [&](const std::string& request, int) { return relayed(request, {}, &otherKey); }),
         {"", "n1"},
         "%sent an answer that cannot be read (a message integrity that does not match)"},
        {"no relayed address",
         at(1,
            [&](const std::string& request, int) {
                return relayed(request, {{turn::kLifetime, std::string("\0\0\2\x58", 4)}}, &kKey);
            }),
         {"", "n1"},
         "%sent an answer that cannot be read (no relayed address and lifetime)"},
        {"not STUN at all",
         at(0, [](const std::string&, int) { return std::string("HTTP/1.1"); }),
         {""},
         "%sent an answer that cannot be read (not a relay's message)"},
        {"the permission refused",
         at(2,
            [](const std::string& request, int) {
                return TurnAnswer(request, Class::Error,
                                  {{turn::kErrorCode, ErrorValue(403, "Forbidden")}}, &kKey);
            }),
         {"", "n1"},
         "%refused to relay (error 403: Forbidden)",
         1},
    };
    for (const auto& c : cases) {
        ScriptedTurnServer scripted(
            [&c](int, const std::string& request, int index) { return c.script(request, index); });
        RelayRun run;
        run.Start(scripted.Port());
        ASSERT_TRUE(PumpUntil([&] {
            return run.Settled() &&
                   scripted.Count() == static_cast<int>(c.nonces.size()) + c.permissions;
        })) << c.name;
        std::string failure = c.failure;
        if (!failure.empty()) {
            failure.replace(0, 1, name + std::to_string(scripted.Port()) + " ");
        }
        EXPECT_EQ(run.failed.value_or(""), failure) << c.name;
        EXPECT_EQ(run.ready.value_or(""), failure.empty() ? "203.0.113.9:50000" : "") << c.name;
        EXPECT_EQ(run.relay.Running(), failure.empty()) << c.name;
        const auto requests = scripted.Requests();
        ASSERT_EQ(requests.size(), c.nonces.size() + static_cast<std::size_t>(c.permissions))
            << c.name;
        for (std::size_t i = 0; i < requests.size(); ++i) {
            const TurnMessage request = Parsed(requests[i].second, &kKey);
            const std::string* nonce = request.Find(turn::kNonce);
            const bool permission = i >= c.nonces.size();
            EXPECT_EQ(nonce != nullptr ? *nonce : "", permission ? c.nonces.back() : c.nonces[i])
                << c.name << " " << i;
            EXPECT_EQ(request.authenticated, nonce != nullptr) << c.name << " " << i;
            EXPECT_EQ(request.method, permission ? turn::kCreatePermission : turn::kAllocate)
                << c.name << " " << i;
        }
        if (failure.empty()) {
            const TurnMessage permission = Parsed(requests.back().second);
            ASSERT_TRUE(permission.Address(turn::kXorPeerAddress)) << c.name;
            EXPECT_EQ(permission.Address(turn::kXorPeerAddress)->address, "198.51.100.4");
            EXPECT_EQ(*Parsed(requests[1].second).Number(turn::kLifetime), 600U);
        }
    }
}

TEST(TurnRelayTest, RefreshesBeforeTheLifetimeOrThePermissionEnds) {
    const struct {
        std::uint32_t lifetime;
        int delayMs;
    } delays[] = {{600, 240000}, {300, 240000}, {200, 140000},
                  {120, 60000},  {60, 30000},   {1, 1000}};
    for (const auto& d : delays) {
        EXPECT_EQ(TurnRelay::RefreshDelayMs(d.lifetime), d.delayMs) << d.lifetime;
    }

    // The refresh asks for the whole lifetime again and renews the
    // permission; the server grants 120 seconds, so the next comes sooner.
    // The permission's nonce has gone stale meanwhile.
    ScriptedTurnServer scripted([](int, const std::string& request, int index) {
        const TurnMessage m = Parsed(request);
        if (index == 4) {
            return TurnAnswer(
                request, Class::Error,
                {{turn::kErrorCode, ErrorValue(438, "Stale Nonce")}, {turn::kNonce, "n2"}});
        }
        if (m.method == turn::kRefresh) {
            return TurnAnswer(request, Class::Success,
                              {{turn::kLifetime, std::string("\0\0\0\x78", 4)}}, &kKey);
        }
        return GoodServer(request);
    });
    RelayRun run;
    run.Start(scripted.Port());
    ASSERT_TRUE(PumpUntil([&] { return run.ready.has_value(); }));
    EXPECT_EQ(run.timer->starts, std::vector<int>{240000});
    run.timer->Fire();
    // Refresh, CreatePermission (its nonce stale: renewed), CreatePermission.
    ASSERT_TRUE(PumpUntil([&] { return scripted.Count() == 6 && run.timer->running; }));
    EXPECT_EQ(run.timer->starts, (std::vector<int>{240000, 60000}));
    const auto requests = scripted.Requests();
    const std::vector<std::uint16_t> methods = {turn::kRefresh, turn::kCreatePermission,
                                                turn::kCreatePermission};
    for (std::size_t i = 0; i < methods.size(); ++i) {
        const TurnMessage request = Parsed(requests[3 + i].second, &kKey);
        EXPECT_EQ(request.method, methods[i]) << i;
        EXPECT_TRUE(request.authenticated) << i;
    }
    EXPECT_EQ(*Parsed(requests[5].second).Find(turn::kNonce), "n2");
    EXPECT_EQ(Parsed(requests[3].second).Number(turn::kLifetime), 600U);
    EXPECT_FALSE(run.failed);
}

TEST(TurnRelayTest, APartnersConnectionIsBoundAndHandedOverWithItsFirstBytes) {
    ScriptedTurnServer scripted([](int connection, const std::string& request, int) {
        const TurnMessage m = Parsed(request, &kKey);
        if (connection == 0 || m.method != turn::kConnectionBind) {
            return GoodServer(request);
        }
        if (connection == 1) { // the first partner's binding is refused
            return TurnAnswer(request, Class::Error,
                              {{turn::kErrorCode, ErrorValue(446, "Connection Already Exists")}},
                              &kKey);
        }
        // The partner's bytes follow the answer at once, in the same write.
        return TurnAnswer(request, Class::Success, {}, &kKey) + "PLAYERID\xfe";
    });
    RelayRun run;
    run.Start(scripted.Port());
    ASSERT_TRUE(PumpUntil([&] { return run.ready.has_value(); }));
    const auto attempt = [&](std::uint32_t id) {
        TurnMessage indication(turn::kConnectionAttempt, Class::Indication, {9, 8, 7});
        indication.AddNumber(turn::kConnectionId, id)
            .AddAddress(turn::kXorPeerAddress, "198.51.100.4", 6000);
        scripted.Push(0, indication.Encode());
    };
    attempt(77);
    ASSERT_TRUE(PumpUntil([&] { return !run.notes.empty(); }));
    EXPECT_EQ(run.notes[0], "A partner's connection through the relay at 127.0.0.1:" +
                                std::to_string(scripted.Port()) +
                                " could not be taken (error 446: Connection Already Exists)");
    EXPECT_FALSE(run.partner);
    struct : SocketEvents {
        std::string received;
        int closed = 0;
        void DataAvailable(TcpSocket& socket) override { received += socket.ReceiveAvailable(); }
        void SessionClosed(TcpSocket&) override { ++closed; }
    } events;
    attempt(78);
    ASSERT_TRUE(PumpUntil([&] { return run.partner != nullptr; }));
    EXPECT_EQ(run.peer, "198.51.100.4:6000");
    run.partner->SetEvents(&events);
    ASSERT_TRUE(PumpUntil([&] { return !events.received.empty(); }));
    EXPECT_EQ(events.received, "PLAYERID\xfe");
    // The server's thread records a request after its answer went out.
    ASSERT_TRUE(PumpUntil([&] { return scripted.Requests().back().first == 2; }));
    const auto requests = scripted.Requests();
    const TurnMessage bind = Parsed(requests.back().second, &kKey);
    EXPECT_EQ(requests.back().first, 2);
    EXPECT_EQ(bind.method, turn::kConnectionBind);
    EXPECT_TRUE(bind.authenticated);
    EXPECT_EQ(bind.Number(turn::kConnectionId), 78U);

    // The server vanishes: the relay is lost, and so is the partner's line.
    scripted.Vanish();
    ASSERT_TRUE(PumpUntil([&] { return run.failed && events.closed == 1; }));
    EXPECT_EQ(*run.failed, "The connection to the relay at 127.0.0.1:" +
                               std::to_string(scripted.Port()) + " was lost.");
    EXPECT_FALSE(run.relay.Running());
}

// A plain TCP partner from a given loopback address, as an older program
// connects: no relay of its own. Non-blocking once connected.
struct Partner {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::string received;
    bool closed = false;

    Partner(const char* from, const std::string& relayed) {
        sockaddr_in own{};
        own.sin_family = AF_INET;
        inet_pton(AF_INET, from, &own.sin_addr);
        EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&own), sizeof own), 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port =
            htons(static_cast<std::uint16_t>(std::stoi(relayed.substr(relayed.rfind(':') + 1))));
        inet_pton(AF_INET, relayed.substr(0, relayed.rfind(':')).c_str(), &to.sin_addr);
        EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to), 0) << from;
        ::fcntl(fd, F_SETFL, O_NONBLOCK);
    }
    ~Partner() { ::close(fd); }
    Partner(const Partner&) = delete;
    Partner& operator=(const Partner&) = delete;
    // Reads what is there; true once the relay closed the line.
    void Read() {
        std::array<char, 512> buffer{};
        for (;;) {
            const auto got = ::recv(fd, buffer.data(), buffer.size(), 0);
            if (got > 0) {
                received.append(buffer.data(), static_cast<std::size_t>(got));
                continue;
            }
            closed = closed || got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
            return;
        }
    }
};

int FixturePort(const char* file = "port") {
    QFile read(QStringLiteral(TURN_SERVER_DIR "/") + QLatin1String(file));
    return read.open(QIODevice::ReadOnly) ? read.readAll().trimmed().toInt() : 0;
}

// A plain TCP partner from 127.0.0.2 reaches the relayed address, and the
// bytes go both ways unchanged.
void ExpectRelayedBothWays(RelayRun& run) {
    Partner partner("127.0.0.2", *run.ready);
    ASSERT_TRUE(PumpUntil([&] { return run.partner != nullptr; })) << run.notes.size();
    EXPECT_EQ(run.peer.rfind("127.0.0.2:", 0), 0U) << run.peer;
    struct : SocketEvents {
        std::string received;
        void DataAvailable(TcpSocket& socket) override { received += socket.ReceiveAvailable(); }
    } events;
    run.partner->SetEvents(&events);
    const std::string hello = "PLAYERID\xfe"
                              "Anna\xfe"
                              "400\xff";
    ASSERT_EQ(::send(partner.fd, hello.data(), hello.size(), MSG_NOSIGNAL),
              static_cast<long>(hello.size()));
    ASSERT_TRUE(PumpUntil([&] { return events.received.size() >= hello.size(); }));
    EXPECT_EQ(events.received, hello);
    run.partner->SendText("OK\xff");
    ASSERT_TRUE(PumpUntil([&] {
        partner.Read();
        return partner.received.size() >= 3;
    }));
    EXPECT_EQ(partner.received, "OK\xff");
    EXPECT_FALSE(partner.closed);
    run.partner->SetEvents(nullptr);
}

TEST(RealTurnServerTest, RelaysThePermittedPartnerBothWaysAndNobodyElse) {
    const int port = FixturePort();
    ASSERT_NE(port, 0) << "the turn server fixture did not start";
    RelayRun run;
    run.Start(port, "relay-secret", {"127.0.0.2"}, "varenta");
    ASSERT_TRUE(PumpUntil([&] { return run.Settled(); }));
    ASSERT_TRUE(run.ready) << *run.failed;
    EXPECT_EQ(run.ready->rfind("127.0.0.1:", 0), 0U) << *run.ready;

    // 127.0.0.1 has no permission: the relay turns it away unseen.
    Partner stranger("127.0.0.1", *run.ready);
    ASSERT_TRUE(PumpUntil([&] {
        stranger.Read();
        return stranger.closed;
    }));
    EXPECT_FALSE(run.partner);
    ExpectRelayedBothWays(run);

    // The wrong password is refused with words the user understands.
    RelayRun refused;
    refused.Start(port, "not the secret", {"127.0.0.2"}, "varenta");
    ASSERT_TRUE(PumpUntil([&] { return refused.Settled(); }));
    EXPECT_EQ(refused.failed.value_or(""), "The relay at 127.0.0.1:" + std::to_string(port) +
                                               " refused the user name or password.");
}

// A game's last frames are written and the line closed at once; the
// allocation outlives them until the server has passed them on, where
// ending it at once would drop what the server still held.
TEST(RealTurnServerTest, TheLastBytesReachThePartnerBeforeTheAllocationEnds) {
    const int port = FixturePort();
    ASSERT_NE(port, 0) << "the turn server fixture did not start";
    RelayRun run;
    run.Start(port, "relay-secret", {"127.0.0.2"}, "varenta");
    ASSERT_TRUE(PumpUntil([&] { return run.Settled(); }));
    ASSERT_TRUE(run.ready) << *run.failed;
    Partner partner("127.0.0.2", *run.ready);
    ASSERT_TRUE(PumpUntil([&] { return run.partner != nullptr; }));
    std::string last(1 << 20, '\0');
    for (std::size_t i = 0; i < last.size(); ++i) {
        last[i] = static_cast<char>('a' + i % 26);
    }
    run.partner->SendText(last);
    ASSERT_TRUE(PumpUntil([&] {
        partner.Read();
        return run.partner->PendingSendBytes() == 0;
    }));
    run.partner->Disconnect();
    run.relay.Linger();
    EXPECT_FALSE(run.relay.Running());
    EXPECT_TRUE(run.relay.Lingering());
    EXPECT_EQ(TcpSocket::LingeringCloses(), 1);
    ASSERT_TRUE(PumpUntil([&] {
        partner.Read();
        return partner.closed || partner.received.size() >= last.size();
    }));
    EXPECT_EQ(partner.received.size(), last.size());
    EXPECT_TRUE(partner.received == last);
    // The partner closes: this side's line ends then, not before.
    ::shutdown(partner.fd, SHUT_RDWR);
    ASSERT_TRUE(PumpUntil([&] { return TcpSocket::LingeringCloses() == 0; }));
    EXPECT_EQ(run.timer->lastMs, TurnRelay::kLingerMs);
    run.timer->Fire();
    EXPECT_FALSE(run.relay.Lingering());
    EXPECT_FALSE(run.failed) << "a lingering relay has nothing more to say";
}

// The relay's certificate names 127.0.0.1 only and is signed by the test's
// own authority: only a program that trusts that authority and typed that
// address gets its relayed address; the game's bytes then go through TLS.
TEST(RealTurnServerTest, OverTlsTheCertificateMustBeTrustedAndNameTheHost) {
    const int port = FixturePort("tls-port");
    ASSERT_NE(port, 0) << "the turn server fixture did not start its TLS listener";
    const std::string ca = TURN_SERVER_DIR "/ca.pem";
    const std::string notTrusted = "the server's certificate is not trusted: ";
    struct Case {
        const char* host;
        std::string trust;
        std::string refusal; // empty: the relay is ready
    };
    const Case cases[] = {
        {"127.0.0.1", ca, {}},
        {"127.0.0.1", TURN_SERVER_DIR "/other-ca.pem", notTrusted},
        {"127.0.0.1", {}, notTrusted}, // the system's authorities never signed it
        {"localhost", ca, notTrusted}, // the certificate names another host
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.host) + " trusting " + c.trust);
        RelayRun run;
        run.host = c.host;
        run.tls = true;
        run.trustFile = c.trust;
        run.Start(port, "relay-secret", {"127.0.0.2"}, "varenta");
        ASSERT_TRUE(PumpUntil([&] { return run.Settled(); }));
        if (c.refusal.empty()) {
            ASSERT_TRUE(run.ready) << *run.failed;
            ExpectRelayedBothWays(run);
            continue;
        }
        ASSERT_TRUE(run.failed);
        const std::string start = "The relay at " + std::string(c.host) + ":" +
                                  std::to_string(port) + " cannot be reached (" + c.refusal;
        EXPECT_EQ(run.failed->rfind(start, 0), 0U) << *run.failed;
    }
}

} // namespace
} // namespace varenta::testing

// A listening side whose partner comes through a relay server (scripted):
// the relayed address is told, the partner's bound connection becomes the
// session's, the path is named, and the relay's vanishing ends the game as
// any lost connection does; a relay that cannot be had ends the waiting.
#include "varenta/net/session/NetworkPlay.h"

#include "varenta/engine/SilentPort.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/net/nat/testing/ScriptedTurnServer.h"
#include "varenta/net/socket/NotifierWatcher.h"
#include "varenta/net/socket/testing/ManualNetTimer.h"
#include "varenta/net/socket/testing/SocketTestSupport.h"

#include <gtest/gtest.h>

#include <optional>

namespace varenta {
namespace {

using namespace testing;
using Class = TurnMessage::Class;
using Ending = SessionListener::Ending;
const std::string kKey = TurnKey("u", "realm.test", "pw");

// The partner's first frame follows its binding.
const std::string kPartnerHello = "PLAYERID\xfe"
                                  "Bea\xfe"
                                  "400\xff";

struct Seen : NetworkPlayListener {
    std::vector<std::string> relayed, hints, notes, failures, boxes;
    std::vector<Ending> endings;
    std::vector<bool> ended;
    void RelayReady(const QString& address) override { relayed.push_back(address.toStdString()); }
    void RelayFailed(const QString& problem) override { failures.push_back(problem.toStdString()); }
    void Hint(const QString& text) override { hints.push_back(text.toStdString()); }
    void ChatNote(const QString& text) override { notes.push_back(text.toStdString()); }
    void Box(MessageKind, const QString& text) override { boxes.push_back(text.toStdString()); }
    void SessionClosed(Ending ending, std::string_view) override { endings.push_back(ending); }
    void SessionEnded(bool hadGame) override { ended.push_back(hadGame); }
};

struct RelayedPlay {
    explicit RelayedPlay(std::string sessionPort = {}) {
        engine.SetPort(&port);
        engine.StartProgram(1);
        NetworkPlayServices services;
        services.sessionPort = std::move(sessionPort);
        services.portMapper = [] { return nullptr; };
        services.retryTimer = std::make_unique<ManualNetTimer>();
        services.relayTimer = std::make_unique<ManualNetTimer>();
        play = std::make_unique<NetworkPlay>(engine, watcher, std::move(services));
        play->SetListener(&seen);
    }
    ~RelayedPlay() { play->Session().CloseSession(); }
    void Start(int relayPort, const std::string& password) {
        play->BecomeRelayedServer({"127.0.0.1", relayPort, "u", password, false, {}},
                                  {"198.51.100.4"});
    }
    SilentPort port;
    VarentaEngine engine;
    NotifierWatcher watcher;
    Seen seen;
    std::unique_ptr<NetworkPlay> play;
};

TEST(RelayedPlayTest, ThePartnerComesThroughTheRelayAndTheRelaysEndIsALostConnection) {
    ScriptedTurnServer server(GrantingRelay(kKey, "realm.test", kPartnerHello));
    RelayedPlay side;
    side.Start(server.Port(), "pw");
    EXPECT_EQ(side.play->Status(), ConnectionStatus::Waiting);
    ASSERT_TRUE(PumpUntil([&] { return !side.seen.relayed.empty(); }));
    EXPECT_EQ(side.seen.relayed, std::vector<std::string>{"203.0.113.9:50000"});
    EXPECT_FALSE(side.play->Session().Socket().Listening()) << "nothing listens on this machine";

    // Nobody may hand a connection to a side that does not wait for one.
    RelayedPlay direct;
    auto stray = std::make_unique<TcpSocket>(direct.watcher);
    EXPECT_FALSE(direct.play->Session().TakeConnection(std::move(stray)));

    TurnMessage attempt(turn::kConnectionAttempt, Class::Indication, {1});
    attempt.AddNumber(turn::kConnectionId, 5).AddAddress(turn::kXorPeerAddress, "198.51.100.4", 1);
    server.Push(0, attempt.Encode());
    ASSERT_TRUE(PumpUntil([&] { return side.play->Status() == ConnectionStatus::Established; }));
    EXPECT_EQ(side.play->Session().partnerNickname(), "Bea");
    const std::string path =
        "Connected through the relay at 127.0.0.1:" + std::to_string(server.Port()) + ".";
    EXPECT_EQ(side.play->PathText().toStdString(), path);
    EXPECT_EQ(side.seen.hints.back(), path);
    EXPECT_EQ(side.seen.notes.back(), path);

    server.Vanish();
    ASSERT_TRUE(PumpUntil([&] { return !side.seen.ended.empty(); }));
    EXPECT_EQ(side.seen.endings, std::vector<Ending>{Ending::ConnectionLost});
    EXPECT_EQ(side.seen.boxes, std::vector<std::string>{
                                   "Connection to Bea lost. The network game will now terminate."});
    EXPECT_EQ(side.seen.ended, std::vector<bool>{true});
    EXPECT_TRUE(side.seen.failures.empty()) << "the session tells of the loss, not the relay";
    EXPECT_EQ(side.play->Status(), ConnectionStatus::NotConnected);
    EXPECT_EQ(side.play->Relay(), nullptr);
    EXPECT_TRUE(side.play->PathText().isEmpty());
}

// A game that just ended through the relay keeps its allocation a moment for
// its last frames, also when the next game asks the relay for an address.
TEST(RelayedPlayTest, TheNextGamesRelayLeavesTheLastGamesLingering) {
    ScriptedTurnServer server(GrantingRelay(kKey, "realm.test", kPartnerHello));
    RelayedPlay side;
    side.Start(server.Port(), "pw");
    ASSERT_TRUE(PumpUntil([&] { return !side.seen.relayed.empty(); }));
    side.play->LingerRelay();
    EXPECT_TRUE(side.play->RelayLingers());
    std::optional<std::string> relayed;
    side.play->PrepareRelay(
        {"127.0.0.1", server.Port(), "u", "pw", false, {}},
        [&](const std::string& address, const std::string&) { relayed = address; });
    EXPECT_TRUE(side.play->RelayLingers()) << "the last game's allocation was ended early";
    ASSERT_TRUE(PumpUntil([&] { return relayed.has_value(); }));
    EXPECT_EQ(*relayed, "203.0.113.9:50000");
    side.play->EndPreparedRelay();
}

TEST(RelayedPlayTest, ARelayThatRefusesEndsTheWaitWithABox) {
    ScriptedTurnServer server(GrantingRelay(kKey, "realm.test", kPartnerHello));
    RelayedPlay side;
    side.Start(server.Port(), "wrong");
    ASSERT_TRUE(PumpUntil([&] { return !side.seen.ended.empty(); }));
    const std::string refused = "The relay at 127.0.0.1:" + std::to_string(server.Port()) +
                                " refused the user name or password.";
    EXPECT_EQ(side.seen.failures, std::vector<std::string>{refused});
    EXPECT_EQ(side.seen.boxes, std::vector<std::string>{refused});
    EXPECT_EQ(side.seen.ended, std::vector<bool>{false});
    EXPECT_EQ(side.play->Status(), ConnectionStatus::NotConnected);
}

TEST(RelayedPlayTest, APartnerNamedWithItsPortIsCalledThereAndThePathIsDirect) {
    const struct {
        const char* text;
        std::string host; // empty: no port named
        int port;
    } partners[] = {
        {"203.0.113.9:50000", "203.0.113.9", 50000},
        {" [2001:db8::1]:50000 ", "2001:db8::1", 50000},
        {"relay.example.org:50000", "relay.example.org", 50000},
        {"203.0.113.9", "", 0},
        {"2001:db8::1", "", 0},
        {"203.0.113.9:0", "", 0},
    };
    for (const auto& p : partners) {
        const auto found = NetworkPlay::PartnerWithPort(p.text);
        EXPECT_EQ(found ? found->host : std::string(), p.host) << p.text;
        EXPECT_EQ(found ? found->port : 0, p.port) << p.text;
    }

    // The listening side's port is not the game's usual one; the other side
    // is told it and calls there, whatever the addresses' order says.
    RelayedPlay listener("0");
    ASSERT_TRUE(listener.play->BecomeServer());
    const int port = listener.play->Session().ListenPort();
    RelayedPlay caller;
    caller.play->DecideRole("10.0.0.2", "127.0.0.1:" + QString::number(port));
    ASSERT_TRUE(PumpUntil([&] {
        return listener.play->Status() == ConnectionStatus::Established &&
               caller.play->Status() == ConnectionStatus::Established;
    }));
    for (RelayedPlay* side : {&listener, &caller}) {
        EXPECT_EQ(side->play->PathText().toStdString(), "Connected directly.");
        EXPECT_EQ(side->seen.hints.back(), "Connected directly.");
        EXPECT_EQ(side->seen.notes.back(), "Connected directly.");
    }
}

} // namespace
} // namespace varenta

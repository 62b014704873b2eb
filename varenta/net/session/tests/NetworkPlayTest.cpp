// The connection's life without a window: which side listens and whether
// the router is asked, the retries on a hand-fired clock, the router's
// answers, and what is left after the session ends.
#include "varenta/net/session/NetworkPlay.h"

#include "varenta/engine/SilentPort.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/net/session/NetworkPlayTexts.h"
#include "varenta/net/socket/NotifierWatcher.h"
#include "varenta/net/socket/testing/ManualNetTimer.h"

#include <gtest/gtest.h>

namespace varenta {
namespace {

using testing::ManualNetTimer;

// A router that records what it is asked and answers when the test says so.
struct FakeRouter : PortMapper {
    std::vector<int> opened;
    int closes = 0;
    Answer pending;
    void Open(int port, Answer done) override {
        opened.push_back(port);
        pending = std::move(done);
    }
    void Close() override {
        ++closes;
        pending = nullptr;
    }
    void AskAddress(Answer) override {}
    void Answer(bool ok, const char* problem = "") {
        RouterAnswer answer;
        answer.ok = ok;
        answer.problem = problem;
        pending(answer);
    }
    // The IPv6 firewall: "address port" of each pinhole asked for.
    std::vector<std::string> pinholes;
    int pinholeCloses = 0;
    PortMapper::Answer pendingPinhole;
    void OpenPinhole(const std::string& address, int port, PortMapper::Answer done) override {
        pinholes.push_back(address + " " + std::to_string(port));
        pendingPinhole = std::move(done);
    }
    void ClosePinhole() override {
        ++pinholeCloses;
        pendingPinhole = nullptr;
    }
};

struct Recorder : NetworkPlayListener {
    std::vector<ConnectionStatus> statuses;
    std::vector<QString> hints, chatNotes;
    std::vector<bool> ended; // hadGame of each end
    int gaveUp = 0;
    void ConnectionChanged(ConnectionStatus status) override { statuses.push_back(status); }
    void Hint(const QString& text) override { hints.push_back(text); }
    void ChatNote(const QString& text) override { chatNotes.push_back(text); }
    void SessionEnded(bool hadGame) override { ended.push_back(hadGame); }
    void ConnectGivenUp() override { ++gaveUp; }
};

struct Fixture {
    explicit Fixture(int connectAttempts = 0, bool sameAddressAnswer = true,
                     std::vector<std::string> ownIPv6 = {}) {
        engine.SetPort(&port);
        engine.StartProgram(1);
        NetworkPlayServices services;
        services.ownIPv6 = [ownIPv6] { return ownIPv6; };
        services.sessionPort = "0"; // any free port when listening
        services.portMapper = [this] {
            auto made = std::make_unique<FakeRouter>();
            router = made.get();
            return made;
        };
        services.yesNo = [this, sameAddressAnswer](const QString& question) {
            questions.push_back(question);
            return sameAddressAnswer;
        };
        auto timer = std::make_unique<ManualNetTimer>();
        clock = timer.get();
        services.retryTimer = std::move(timer);
        services.connectAttempts = connectAttempts;
        play = std::make_unique<NetworkPlay>(engine, watcher, std::move(services));
        play->SetListener(&seen);
    }
    ~Fixture() { play->Session().CloseSession(); }
    SilentPort port;
    VarentaEngine engine;
    NotifierWatcher watcher;
    FakeRouter* router = nullptr;
    ManualNetTimer* clock = nullptr;
    std::vector<QString> questions;
    Recorder seen;
    std::unique_ptr<NetworkPlay> play;
};

TEST(NetworkPlayTest, TheAddressPairDecidesWhoListensAndWhetherTheRouterIsAsked) {
    struct Case {
        const char* own;
        const char* partner;
        bool sameAddressAnswer;
        SessionRole role;
        bool routerAsked;
        bool asked;
    } cases[] = {
        {"10.0.0.1", "10.0.0.2", true, SessionRole::Server, true, false},
        {"127.0.0.1", "127.0.0.2", true, SessionRole::Server, false, false}, // on this machine
        {"127.0.0.2", "127.0.0.1", true, SessionRole::Client, false, false},
        {"127.0.0.1", "127.0.0.1", true, SessionRole::Server, false, true},
        {"127.0.0.1", "127.0.0.1", false, SessionRole::Client, false, true},
    };
    for (const Case& c : cases) {
        Fixture f(0, c.sameAddressAnswer);
        f.play->DecideRole(c.own, c.partner);
        const std::string name = std::string(c.own) + " vs " + c.partner;
        EXPECT_EQ(f.play->Session().sessionRole(), c.role) << name;
        EXPECT_EQ(f.play->Status(), ConnectionStatus::Waiting) << name;
        EXPECT_EQ(f.play->TryingToConnect(), c.role == SessionRole::Client) << name;
        EXPECT_EQ(f.router != nullptr && !f.router->opened.empty(), c.routerAsked) << name;
        EXPECT_EQ(f.questions.size(), c.asked ? 1u : 0u) << name;
        if (c.routerAsked) {
            EXPECT_EQ(f.router->opened[0], f.play->Session().ListenPort()) << name;
        }
    }
}

TEST(NetworkPlayTest, TheRoutersAnswersAreToldAndTheMappingGoesWithTheSession) {
    Fixture f;
    f.play->DecideRole("10.0.0.1", "10.0.0.2");
    ASSERT_NE(f.router, nullptr);
    const int port = f.play->Session().ListenPort();
    const struct {
        bool ok;
        const char* problem;
        QString note;
    } answers[] = {
        {true, "", QString::fromLatin1(texts::kPortOpened).arg(port)},
        {false, "lease gone", QString::fromLatin1(texts::kPortLost).arg(port).arg("lease gone")},
        {false, "refused", QString::fromLatin1(texts::kPortNotOpened).arg(port).arg("refused")},
    };
    for (const auto& a : answers) {
        f.router->Answer(a.ok, a.problem);
        EXPECT_EQ(f.play->RouterPortNote(), a.note);
        EXPECT_EQ(f.seen.hints.back(), a.note);
        EXPECT_EQ(f.seen.chatNotes.back(), a.note);
    }
    f.play->CloseSession();
    EXPECT_EQ(f.router->closes, 1);
    EXPECT_TRUE(f.play->RouterPortNote().isEmpty());
    EXPECT_EQ(f.play->Status(), ConnectionStatus::NotConnected);
    EXPECT_EQ(f.seen.ended, std::vector<bool>{false});
}

TEST(NetworkPlayTest, TheIPv6FirewallIsAskedForAPinholeThatGoesWithTheSession) {
    for (const bool hasIPv6 : {false, true}) {
        Fixture f(0, true,
                  hasIPv6 ? std::vector<std::string>{"2001:db8:a::2", "2001:db8:a::9"}
                          : std::vector<std::string>{});
        f.play->DecideRole("10.0.0.1", "10.0.0.2");
        ASSERT_NE(f.router, nullptr);
        const int port = f.play->Session().ListenPort();
        if (!hasIPv6) {
            EXPECT_TRUE(f.router->pinholes.empty()) << "no IPv6 address: nothing to open";
            continue;
        }
        ASSERT_EQ(f.router->pinholes,
                  std::vector<std::string>{"2001:db8:a::2 " + std::to_string(port)});
        const QString address = QStringLiteral("2001:db8:a::2");
        const struct {
            bool ok;
            const char* problem;
            QString note;
        } answers[] = {
            {true, "", QString::fromLatin1(texts::kPinholeOpened).arg(port).arg(address)},
            {false, "lease gone",
             QString::fromLatin1(texts::kPinholeLost).arg(port).arg(address, "lease gone")},
            {false, "refused",
             QString::fromLatin1(texts::kPinholeNotOpened).arg(port).arg(address, "refused")},
        };
        for (const auto& a : answers) {
            RouterAnswer answer;
            answer.ok = a.ok;
            answer.problem = a.problem;
            f.router->pendingPinhole(answer);
            EXPECT_EQ(f.seen.hints.back(), a.note);
            EXPECT_EQ(f.seen.chatNotes.back(), a.note);
        }
        EXPECT_EQ(f.router->pinholeCloses, 0);
        f.play->CloseSession();
        EXPECT_EQ(f.router->pinholeCloses, 1);
    }
}

TEST(NetworkPlayTest, RetriesRunOnTheirClockUntilStoppedOrGivenUp) {
    {
        Fixture f; // the window's way: until the user stops
        f.play->DecideRole("127.0.0.2", "127.0.0.1");
        for (int i = 0; i < 5; ++i) {
            f.clock->Fire();
        }
        EXPECT_TRUE(f.play->TryingToConnect());
        EXPECT_EQ(f.clock->starts, std::vector<int>(6, NetworkPlay::kTryConnectMs));
        int stops = 0;
        f.play->stopAddressMail = [&stops] { ++stops; };
        f.play->StopAddressExchange();
        EXPECT_FALSE(f.play->TryingToConnect());
        EXPECT_FALSE(f.clock->running);
        EXPECT_TRUE(f.play->AddressExchangeStopped());
        EXPECT_EQ(stops, 1);
        EXPECT_EQ(f.seen.gaveUp, 0);
    }
    {
        Fixture f(3); // the simulator's way: three attempts
        f.play->ConnectTo("127.0.0.1");
        f.clock->Fire();
        f.clock->Fire();
        EXPECT_EQ(f.seen.gaveUp, 0);
        EXPECT_TRUE(f.play->TryingToConnect());
        f.clock->Fire();
        EXPECT_EQ(f.seen.gaveUp, 1);
        EXPECT_FALSE(f.play->TryingToConnect());
    }
}

TEST(NetworkPlayTest, OneStatusTextForEachState) {
    const std::pair<ConnectionStatus, const char*> cases[] = {
        {ConnectionStatus::NotConnected, "Not connected"},
        {ConnectionStatus::Waiting, "Waiting for Connection..."},
        {ConnectionStatus::Established, "Connection established with Ann"},
    };
    for (const auto& [status, text] : cases) {
        EXPECT_EQ(ConnectionStatusText(status, "Ann"), text);
    }
}

} // namespace
} // namespace varenta

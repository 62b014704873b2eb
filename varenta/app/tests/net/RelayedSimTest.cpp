// Two varenta-sim processes play each other through a relay server (coturn,
// started privately on loopback by the fixture): the listening side takes
// a relayed address (over plain TCP, or over TLS with the relay's
// certificate checked), the other connects to it as to any listening
// program, and the game is the very one they play directly.
#include "varenta/app/tests/net/SimProcess.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using namespace varenta::testing;

// The relay's plain port, or its TLS port.
QString RelayServer(const char* port = "port") {
    QFile file(QStringLiteral(RELAY_SERVER_DIR "/") + QLatin1String(port));
    return file.open(QIODevice::ReadOnly) ? "127.0.0.1:" + file.readAll().trimmed() : QString();
}

QStringList RelayOptions(const QString& server, const QString& password) {
    return {"--turn",          server,   "--turn-user", "varenta",
            "--turn-password", password, "--turn-peer", "127.0.0.1"};
}

// Plays seeds 21 (listening) and 22 to the end; the traces' lines.
struct Game {
    std::vector<std::string> listener;
    std::vector<std::string> partner;
};

Game Play(const char* name, const QStringList& relay) {
    SimRun server;
    SimRun client;
    const std::string serverTrace = TracePath((std::string(name) + "-listener").c_str());
    const std::string clientTrace = TracePath((std::string(name) + "-partner").c_str());
    const std::string address =
        StartListener(server,
                      QStringList{"--seed", "21", "--hands", "3", "--trace",
                                  QString::fromStdString(serverTrace)} +
                          relay,
                      relay.isEmpty() ? "varenta-sim: listening on " : "relayed address: ");
    EXPECT_FALSE(address.empty()) << server.errors;
    if (address.empty()) {
        return {};
    }
    client.process.start(VARENTA_SIM,
                         {"--connect", QString::fromStdString(address), "--seed", "22", "--hands",
                          "3", "--trace", QString::fromStdString(clientTrace)});
    EXPECT_EQ(Finish(client), 0) << client.errors;
    EXPECT_EQ(Finish(server), 0) << server.errors;
    return {Lines(serverTrace), Lines(clientTrace)};
}

TEST(RelayedSim, AGameThroughTheRelayIsTheDirectGame) {
    const QString relay = RelayServer();
    ASSERT_FALSE(relay.isEmpty()) << "the relay server fixture did not start";
    const Game relayed = Play("relayed", RelayOptions(relay, "relay-secret"));
    const QString tlsRelay = RelayServer("tls-port");
    ASSERT_FALSE(tlsRelay.isEmpty()) << "the relay server fixture has no TLS listener";
    const Game overTls = Play(
        "relayed-tls", RelayOptions(tlsRelay, "relay-secret") +
                           QStringList{"--turn-tls", "--turn-trust", RELAY_SERVER_DIR "/ca.pem"});
    const Game direct = Play("direct", {});
    ASSERT_GT(direct.listener.size(), 30U);
    EXPECT_EQ(relayed.listener, direct.listener);
    EXPECT_EQ(relayed.partner, direct.partner);
    EXPECT_EQ(overTls.listener, direct.listener);
    EXPECT_EQ(overTls.partner, direct.partner);
}

TEST(RelayedSim, ARelayThatRefusesThePasswordEndsTheRunWithItsReason) {
    const QString relay = RelayServer();
    ASSERT_FALSE(relay.isEmpty()) << "the relay server fixture did not start";
    SimRun server;
    App();
    server.process.start(VARENTA_SIM,
                         QStringList{"--listen", "0"} + RelayOptions(relay, "not the secret"));
    EXPECT_EQ(Finish(server), 1) << server.errors;
    EXPECT_NE(server.errors.find("The relay at " + relay.toStdString() +
                                 " refused the user name or password."),
              std::string::npos)
        << server.errors;
}

} // namespace

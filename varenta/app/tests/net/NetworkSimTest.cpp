// Two varenta-sim processes play each other over loopback; each trace must be
// the other's with the seats swapped.
#include "varenta/app/tests/net/SimProcess.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace varenta::testing;

// A trace line as the other table writes it: P and O swapped, and in END and
// GAMEOVER the two sides' numbers swapped. Deals are left out: each side
// names the first player from its own seat.
std::string AsSeenByTheOther(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) {
        words.push_back(w);
    }
    if (words.empty()) {
        return line;
    }
    if (words[0] == "P" || words[0] == "O") {
        words[0] = words[0] == "P" ? "O" : "P";
    } else if (words[0] == "END" && words.size() == 4) {
        words[1] = words[1] == "0" ? "1" : words[1] == "1" ? "0" : words[1];
        std::swap(words[2], words[3]);
    } else if (words[0] == "GAMEOVER" && words.size() == 3) {
        std::swap(words[1], words[2]);
    }
    std::string out;
    for (const std::string& w : words) {
        out += (out.empty() ? "" : " ") + w;
    }
    return out;
}

std::vector<std::string> WithoutDeals(const std::vector<std::string>& lines) {
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        if (line.rfind("DEAL ", 0) != 0) {
            kept.push_back(line);
        }
    }
    return kept;
}

TEST(NetworkSim, TwoSimulatorsPlayAWholeGameAndTheirTracesMirror) {
    SimRun server;
    SimRun client;
    const std::string serverTrace = TracePath("server");
    const std::string clientTrace = TracePath("client");
    const std::string port = StartListener(
        server, {"--nick", "Ann", "--seed", "11", "--trace", QString::fromStdString(serverTrace)});
    ASSERT_FALSE(port.empty()) << server.errors;
    client.process.start(VARENTA_SIM, {"--connect", QString::fromStdString("127.0.0.1:" + port),
                                       "--nick", "Bea", "--seed", "12", "--trace",
                                       QString::fromStdString(clientTrace), "--json"});
    ASSERT_EQ(Finish(client), 0) << client.errors;
    ASSERT_EQ(Finish(server), 0) << server.errors;
    const std::string json = client.process.readAllStandardOutput().toStdString();
    EXPECT_NE(json.find("\"games\":1"), std::string::npos) << json;

    const auto serverLines = WithoutDeals(Lines(serverTrace));
    const auto clientLines = WithoutDeals(Lines(clientTrace));
    ASSERT_GT(serverLines.size(), 100u);
    ASSERT_EQ(serverLines.size(), clientLines.size());
    for (std::size_t i = 0; i < serverLines.size(); ++i) {
        ASSERT_EQ(AsSeenByTheOther(serverLines[i]), clientLines[i]) << "line " << i + 1;
    }
    EXPECT_EQ(serverLines.back().rfind("GAMEOVER ", 0), 0u) << serverLines.back();
}

TEST(NetworkSim, APartnerThatStopsEarlyIsALostConnection) {
    SimRun server;
    SimRun client;
    const std::string port = StartListener(server, {"--seed", "5", "--hands", "1"});
    ASSERT_FALSE(port.empty()) << server.errors;
    client.process.start(VARENTA_SIM, {"--connect", QString::fromStdString("127.0.0.1:" + port),
                                       "--seed", "6", "--hands", "3"});
    EXPECT_EQ(Finish(server), 0) << server.errors;
    EXPECT_EQ(Finish(client), 1) << client.errors;
    EXPECT_NE(client.errors.find("lost"), std::string::npos) << client.errors;
}

TEST(NetworkSim, NetworkOptionsAreChecked) {
    App();
    const QStringList bad[] = {{"--listen", "70000"},
                               {"--connect", "localhost:"},
                               {"--connect", "host:0"},
                               {"--listen", "0", "--connect", "h:1"},
                               {"--listen", "0", "--moves", "3"},
                               {"--nick", ""},
                               {"--listen", "0", "--drop-after", "5"},
                               {"--resume"},
                               {"--listen", "0", "--resume", "--drop-after", "9,3"},
                               {"--listen", "0", "--resume", "--drop-after", "0"},
                               {"--stun", "198.51.100.1:3478"},
                               {"--listen", "0", "--stun", "198.51.100.1"},
                               {"--listen", "0", "--stun"},
                               {"--map-port"},
                               {"--timing"},
                               {"--connect", "h:1", "--map-port"},
                               {"--turn", "127.0.0.1:3478", "--turn-user", "u", "--turn-password",
                                "p", "--turn-peer", "127.0.0.1"},
                               {"--listen", "0", "--turn", "127.0.0.1:3478", "--turn-user", "u",
                                "--turn-peer", "127.0.0.1"},
                               {"--listen", "0", "--turn", "127.0.0.1", "--turn-user", "u",
                                "--turn-password", "p", "--turn-peer", "127.0.0.1"},
                               {"--listen", "0", "--turn", "127.0.0.1:3478", "--turn-user", "u",
                                "--turn-password", "p", "--turn-peer", "partner.example"},
                               {"--listen", "0", "--turn-peer", "127.0.0.1"},
                               {"--listen", "0", "--turn-tls"},
                               {"--listen", "0", "--turn", "127.0.0.1:5349", "--turn-user", "u",
                                "--turn-password", "p", "--turn-peer", "127.0.0.1", "--turn-trust",
                                "ca.pem"}};
    for (const QStringList& args : bad) {
        QProcess p;
        p.start(VARENTA_SIM, args);
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 2) << args.join(' ').toStdString();
    }
}

// Between the two simulators: every byte passes on alone, and after every
// fifth frame towards the listening side a line of garbage with an unknown
// keyword is slipped in. Plain blocking sockets on two threads of its own.
class ChoppingRelay {
public:
    explicit ChoppingRelay(int serverPort) : serverPort_(serverPort) {
        listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(listen_, reinterpret_cast<sockaddr*>(&address), length);
        ::listen(listen_, 1);
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Run(); });
    }
    ~ChoppingRelay() {
        ::shutdown(listen_, SHUT_RDWR);
        thread_.join();
        ::close(listen_);
    }
    int Port() const { return port_; }
    std::atomic<int> garbageSent{0};

private:
    void Run() {
        const int front = ::accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
        if (front < 0) {
            return;
        }
        const int back = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<std::uint16_t>(serverPort_));
        if (::connect(back, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            std::thread answers([&] { Pump(back, front, false); });
            Pump(front, back, true);
            answers.join();
        }
        ::close(back);
        ::close(front);
    }
    void Pump(int from, int to, bool garbage) {
        char buffer[4096];
        int frames = 0;
        for (;;) {
            const long n = ::recv(from, buffer, sizeof buffer, 0);
            if (n <= 0) {
                ::shutdown(to, SHUT_WR);
                return;
            }
            for (long i = 0; i < n; ++i) {
                ::send(to, &buffer[i], 1, MSG_NOSIGNAL);
                if (garbage && buffer[i] == '\xFF' && ++frames % 5 == 0) {
                    static const char kGarbage[] = "GARBAGE\xFEjunk\xFF";
                    ::send(to, kGarbage, sizeof kGarbage - 1, MSG_NOSIGNAL);
                    ++garbageSent;
                }
            }
        }
    }
    int serverPort_;
    int listen_ = -1;
    int port_ = 0;
    std::thread thread_;
};

TEST(NetworkSim, ChoppedFramesAndUnknownKeywordsDoNotPartTheTables) {
    SimRun server;
    SimRun client;
    const std::string serverTrace = TracePath("chopped-server");
    const std::string clientTrace = TracePath("chopped-client");
    const std::string port = StartListener(
        server, {"--seed", "21", "--hands", "3", "--trace", QString::fromStdString(serverTrace)});
    ASSERT_FALSE(port.empty()) << server.errors;
    ChoppingRelay relay(std::stoi(port));
    client.process.start(
        VARENTA_SIM,
        {"--connect", QString::fromStdString("127.0.0.1:" + std::to_string(relay.Port())), "--seed",
         "22", "--hands", "3", "--trace", QString::fromStdString(clientTrace)});
    ASSERT_EQ(Finish(client), 0) << client.errors;
    ASSERT_EQ(Finish(server), 0) << server.errors;
    EXPECT_GT(relay.garbageSent, 10);
    EXPECT_NE(server.errors.find("ignored: Unknown token: GARBAGE junk"), std::string::npos)
        << server.errors;
    const auto serverLines = WithoutDeals(Lines(serverTrace));
    const auto clientLines = WithoutDeals(Lines(clientTrace));
    ASSERT_EQ(serverLines.size(), clientLines.size());
    for (std::size_t i = 0; i < serverLines.size(); ++i) {
        ASSERT_EQ(AsSeenByTheOther(serverLines[i]), clientLines[i]) << "line " << i + 1;
    }
}

std::vector<std::string> WithoutComments(const std::vector<std::string>& lines) {
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        if (line.rfind("#", 0) != 0) {
            kept.push_back(line);
        }
    }
    return kept;
}

// Plays one whole game between two simulators with the seeds 31 and 32;
// the traces go to the two files.
void PlayGame(const char* name, const QStringList& serverExtra, const QStringList& clientExtra,
              std::vector<std::string>& serverLines, std::vector<std::string>& clientLines) {
    SimRun server;
    SimRun client;
    const std::string serverTrace = TracePath((std::string(name) + "-server").c_str());
    const std::string clientTrace = TracePath((std::string(name) + "-client").c_str());
    const std::string port = StartListener(
        server,
        QStringList{"--seed", "31", "--trace", QString::fromStdString(serverTrace)} + serverExtra);
    ASSERT_FALSE(port.empty()) << server.errors;
    client.process.start(
        VARENTA_SIM, QStringList{"--connect", QString::fromStdString("127.0.0.1:" + port), "--seed",
                                 "32", "--trace", QString::fromStdString(clientTrace)} +
                         clientExtra);
    ASSERT_EQ(Finish(client), 0) << client.errors;
    ASSERT_EQ(Finish(server), 0) << server.errors;
    serverLines = Lines(serverTrace);
    clientLines = Lines(clientTrace);
}

// The line is cut three times, by either side, mid-hand: each time both
// tables keep the game, reconnect and go on, and the game is the very one
// played without a cut.
TEST(NetworkSim, AGameCutThreeTimesAndResumedIsTheUncutGame) {
    std::vector<std::string> uncutServer, uncutClient, cutServer, cutClient;
    PlayGame("uncut", {}, {}, uncutServer, uncutClient);
    ASSERT_GT(uncutServer.size(), 300u);
    PlayGame("cut", {"--resume", "--drop-after", "25,290"}, {"--resume", "--drop-after", "150"},
             cutServer, cutClient);
    int cuts = 0;
    int resumes = 0;
    for (const auto* lines : {&cutServer, &cutClient}) {
        for (const std::string& line : *lines) {
            cuts += line.rfind("# cut after move ", 0) == 0 ? 1 : 0;
            resumes += line.rfind("# resumed after move ", 0) == 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(cuts, 3);
    EXPECT_EQ(resumes, 6) << "each cut resumed on both sides";
    EXPECT_EQ(WithoutComments(cutServer), uncutServer);
    EXPECT_EQ(WithoutComments(cutClient), uncutClient);
    EXPECT_EQ(uncutServer.back().rfind("GAMEOVER ", 0), 0u) << uncutServer.back();
}

} // namespace

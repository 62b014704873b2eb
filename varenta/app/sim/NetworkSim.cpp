#include "varenta/app/sim/NetworkSim.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <algorithm>
#include <chrono>
#include <iomanip>
#include <memory>
#include <optional>
#include <sstream>
#include <vector>

#include "varenta/app/sim/Invariants.h"
#include "varenta/app/sim/PlayerBot.h"
#include "varenta/app/sim/SimTrace.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/net/nat/OwnAddresses.h"
#include "varenta/net/nat/PortMapping.h"
#include "varenta/net/nat/StunAddressQuery.h"
#include "varenta/net/session/NetworkPlay.h"
#include "varenta/net/socket/NotifierWatcher.h"

namespace varenta::sim {

namespace {

// How long a connecting run keeps retrying, once a second, before it gives up.
constexpr int kConnectAttempts = 30;

// Shows nothing and answers Yes, but remembers an error box: the engine shows
// one only for a fault.
class NetworkSimPort : public VarentaPort {
public:
    void ShowMessage(MessageKind kind, std::string_view text) override {
        if (kind == MessageKind::Error && error.empty()) {
            error = std::string(text);
        }
    }
    std::string error;
};

// The trace of a network game: the opponent's lines come from the frames the
// other program sent, named as that program's own P lines are.
class NetworkTrace : public SimTrace {
public:
    using SimTrace::SimTrace;

    bool handInProgress = false;
    bool dealtAfterStop = false;

    void HandDealt(std::string_view dealString) override {
        handInProgress = true;
        dealtAfterStop = Closed();
        SimTrace::HandDealt(dealString);
    }
    void HandEnded(int wentOut, int playerHandScore, int opponentHandScore) override {
        handInProgress = false;
        SimTrace::HandEnded(wentOut, playerHandScore, opponentHandScore);
    }
    void OpponentDrew(const Card&) override {}
    void OpponentTookPileTop(const Card&) override {}
    void OpponentTookPileRest() override {}
    void OpponentMelded(const Card&) override {}
    void OpponentMeldedWildCard(const Card&, int) override {}
    void OpponentDiscarded(const Card&) override {}
    void OpponentDiscardedRedThree(const Card&) override {}
    void OpponentPassed() override {}

    // Before the move is applied, so the stock's and the pile's top cards are
    // the ones it takes.
    void Received(const SessionMessage& m, const GameState& s) {
        const auto field = [&](std::size_t i) {
            return i < m.fields.size() ? ParseNumberField(m.fields[i], 0, 999).value_or(-1) : -1;
        };
        const std::string name = "O " + std::string(KeywordText(m.keyword));
        switch (m.keyword) {
        case Keyword::DrawNew:
            move(name, s.stock.Empty() ? -1 : s.stock[s.stock.count - 1].code);
            break;
        case Keyword::DrawPileTop:
            move(name, s.discardPile.Empty() ? -1 : s.discardPile[s.discardPile.count - 1].code);
            break;
        case Keyword::DrawPileRest:
        case Keyword::UndoPile:
        case Keyword::PassDiscard:
            move(name);
            break;
        case Keyword::Meld:
        case Keyword::Discard:
        case Keyword::DiscardRedThree:
            move(name, field(0));
            break;
        case Keyword::MeldWildCard:
        case Keyword::Undo:
            move(name, field(0), field(1));
            break;
        default:
            break; // the deal has its own line
        }
    }
};

// How long the network took, for the benchmark: from the connect to the
// session's handshake done (the connecting side), and from the end of each
// own turn to the partner's first move after it.
struct NetworkTiming {
    using Clock = std::chrono::steady_clock;
    std::optional<Clock::time_point> connected;
    std::optional<double> handshakeMs;
    std::optional<Clock::time_point> turnEnded;
    std::vector<double> roundTripsMs;

    static double MsSince(Clock::time_point start) {
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    void Opened() {
        if (connected && !handshakeMs) {
            handshakeMs = MsSince(*connected);
        }
    }
    void Moved() {
        if (turnEnded) {
            roundTripsMs.push_back(MsSince(*turnEnded));
            turnEnded.reset();
        }
    }
    std::string Text() const {
        std::ostringstream out;
        out << std::fixed << std::setprecision(3) << "varenta-sim: timing: handshake ";
        if (handshakeMs) {
            out << *handshakeMs << " ms";
        } else {
            out << "-";
        }
        std::vector<double> sorted = roundTripsMs;
        std::sort(sorted.begin(), sorted.end());
        out << ", move round trip ";
        if (sorted.empty()) {
            out << "-";
        } else {
            out << sorted[sorted.size() / 2] << " ms median, " << sorted[sorted.size() * 9 / 10]
                << " ms 90th percentile";
        }
        out << " (" << sorted.size() << " turns)";
        return out.str();
    }
};

// What the session tells: failures end the run, the other moves are traced
// and checked against this table's own view of the hand.
class RunWatcher : public NetworkPlayListener {
public:
    RunWatcher(VarentaEngine& engine, NetworkTrace& trace, std::ostream& messages,
               std::string partner)
        : engine_(engine), trace_(trace), messages_(messages), partner_(std::move(partner)) {}

    std::string failure;
    bool ended = false; // the connection closed after the stop
    NetworkTiming timing;

    void SessionOpened(std::string_view) override { timing.Opened(); }

    void Note(std::string_view text) override {
        Fail("the other program sent what this table cannot follow: " + std::string(text));
    }
    // An unknown keyword is the other program's business: the session goes on.
    void UnknownToken(std::string_view text) override {
        messages_ << "varenta-sim: ignored: " << text << std::endl;
    }
    void MoveReceived(const SessionMessage& message) override {
        timing.Moved();
        if (message.keyword == Keyword::Deal) {
            if (trace_.handInProgress) {
                Fail("the other table dealt while the hand goes on here");
            }
            return;
        }
        if (!trace_.handInProgress) {
            Fail("the other table played on after the hand ended here");
            return;
        }
        trace_.Received(message, engine_.State());
    }
    void SessionClosed(Ending ending, std::string_view message) override {
        if (ending == Ending::ConnectionLost && trace_.Closed()) {
            ended = true;
            return;
        }
        Fail(message.empty() ? std::string("the session closed") : std::string(message));
    }
    void ConnectGivenUp() override { Fail("no program answered at " + partner_); }
    void RelayReady(const QString& relayed) override {
        messages_ << "relayed address: " << relayed.toStdString() << std::endl;
    }
    void RelayFailed(const QString& problem) override { Fail(problem.toStdString()); }
    void ConnectionInterrupted(std::string_view) override {
        trace_.Comment("connection lost after move " + std::to_string(trace_.moves));
    }
    void GameResumed(std::string_view) override {
        trace_.Comment("resumed after move " + std::to_string(trace_.moves));
    }
    void GameNotResumed(std::string_view) override {
        Fail("the other program came back without the game");
    }
    void Fail(std::string what) {
        if (failure.empty()) {
            failure = std::move(what);
        }
    }

private:
    VarentaEngine& engine_;
    NetworkTrace& trace_;
    std::ostream& messages_;
    std::string partner_; // host:port of a connecting run
};

// This side's public address as the STUN server sees it, asked before the
// game as the connect dialog asks it when it opens; the query's problem
// when nothing was found.
bool LearnPublicAddress(const std::string& server, std::ostream& messages, std::string& problem) {
    StunAddressQuery query;
    bool done = false;
    QString found;
    query.Start(QString::fromStdString(server), [&](const QString& address) {
        found = address;
        done = true;
    });
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (found.isEmpty()) {
        problem = "no public address from the STUN server at " + server + ": " + query.Problem();
        return false;
    }
    messages << "public address: " << found.toStdString() << std::endl;
    return true;
}

// The game port on the home router while this side listens: forwarded over
// IPv4, and let through the router's IPv6 firewall to this machine's global
// IPv6 address when it has one; each named once the router took it. A run
// that got neither ends, since no partner out there could reach this side.
class RouterPort {
public:
    RouterPort(std::ostream& messages, RunWatcher& watch) : messages_(messages), watch_(watch) {}
    ~RouterPort() { Remove(); }
    RouterPort(const RouterPort&) = delete;
    RouterPort& operator=(const RouterPort&) = delete;

    void Open(int port) {
        mapping_ = std::make_unique<PortMapping>();
        const std::vector<std::string> ipv6 = GlobalIPv6Addresses();
        waiting_ = ipv6.empty() ? 1 : 2;
        mapping_->Open(port, [this](const RouterAnswer& answer) {
            Answered(
                answer,
                "mapped address: " +
                    (answer.externalAddress.empty() ? std::string("?") : answer.externalAddress) +
                    ':' + std::to_string(answer.port) + " (" + answer.method + ")",
                mappedNamed_);
        });
        if (!ipv6.empty()) {
            mapping_->OpenPinhole(ipv6.front(), port, [this](const RouterAnswer& answer) {
                Answered(answer,
                         "pinhole: [" + answer.externalAddress + "]:" + std::to_string(answer.port),
                         pinholeNamed_);
            });
        }
    }
    // Takes mapping and pinhole back from the router and waits until it did.
    void Remove() {
        if (mapping_) {
            mapping_->Close();
            mapping_->ClosePinhole();
            mapping_.reset();
        }
    }

private:
    void Answered(const RouterAnswer& answer, const std::string& line, bool& named) {
        if (answer.ok) {
            ++opened_;
            if (!named) {
                named = true;
                messages_ << line << std::endl;
            }
        } else {
            messages_ << "varenta-sim: the router did not open the way in: " << answer.problem
                      << std::endl;
        }
        if (--waiting_ == 0 && opened_ == 0) {
            watch_.Fail("the router opened no way in for the partner");
        }
    }

    std::ostream& messages_;
    RunWatcher& watch_;
    std::unique_ptr<PortMapping> mapping_;
    int waiting_ = 0; // first answers still to come
    int opened_ = 0;
    bool mappedNamed_ = false;
    bool pinholeNamed_ = false;
};

} // namespace

SimSummary RunNetworkSimulation(const SimOptions& options, std::ostream* traceStream,
                                std::ostream& messages) {
    SimSummary summary;
    summary.seed = options.seed;
    // The socket's events come from a Qt event loop.
    std::unique_ptr<QCoreApplication> app;
    static int argc = 1;
    static char name[] = "varenta-sim";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }

    VarentaEngine engine;
    NetworkSimPort port;
    NetworkTrace trace(traceStream);
    engine.SetPort(&port);
    engine.SetObserver(&trace);
    engine.SetRules(options.rules);
    trace.stopAfterHand = [&] { return options.hands > 0 && trace.hands >= options.hands; };
    trace.stopAfterGame = [&] { return options.hands == 0 && trace.games >= options.games; };
    engine.StartProgram(options.seed);

    NotifierWatcher watcher;
    NetworkPlayServices services;
    const bool listening = !options.listenPort.empty();
    services.sessionPort = listening ? options.listenPort : options.connectPort;
    services.portMapper = [] { return nullptr; }; // loopback only: no router
    services.portTakenHint = false;
    services.connectAttempts = kConnectAttempts;
    services.resumable = options.resume;
    NetworkPlay play(engine, watcher, std::move(services));
    NetworkSession& session = play.Session();
    RunWatcher watch(engine, trace, messages, options.connectHost + ":" + options.connectPort);
    play.SetListener(&watch);
    session.SetAlsoReport(&trace);
    session.ownNickname = options.nick;

    auto fail = [&](const std::string& what) {
        summary.ok = false;
        summary.error = "seed " + std::to_string(options.seed) + ", hand " +
                        std::to_string(trace.hands + 1) + ": " + what;
    };

    if (!options.stunServer.empty()) {
        std::string problem;
        if (!LearnPublicAddress(options.stunServer, messages, problem)) {
            fail(problem);
            return summary;
        }
    }
    RouterPort routerPort(messages, watch);
    if (options.Relayed()) {
        play.BecomeRelayedServer({options.turnHost, options.turnPort, options.turnUser,
                                  options.turnPassword, options.turnTls, options.turnTrust},
                                 options.turnPeers);
    } else if (listening) {
        if (!play.BecomeServer()) {
            fail(watch.failure.empty() ? "cannot listen on port " + options.listenPort
                                       : watch.failure);
            return summary;
        }
        messages << "varenta-sim: listening on 127.0.0.1:" << session.ListenPort() << std::endl;
        if (options.mapPort) {
            routerPort.Open(session.ListenPort());
        }
    } else {
        watch.timing.connected = NetworkTiming::Clock::now();
        play.ConnectTo(QString::fromStdString(options.connectHost));
    }

    PlayerBot bot;
    std::size_t nextDrop = 0;
    while (watch.failure.empty() && !watch.ended) {
        if (nextDrop < options.dropAfter.size() && trace.moves >= options.dropAfter[nextDrop] &&
            !trace.Closed() && session.connectionStatus() == ConnectionStatus::Established &&
            !session.GameWaits()) {
            ++nextDrop;
            trace.Comment("cut after move " + std::to_string(trace.moves));
            session.DropConnection();
            continue;
        }
        if (!port.error.empty()) {
            watch.Fail("error shown: " + port.error);
            break;
        }
        if (trace.movesThisHand > kMaxMovesPerHand) {
            watch.Fail("the hand ran past " + std::to_string(kMaxMovesPerHand) + " moves");
            break;
        }
        if (trace.Closed() && trace.dealtAfterStop) {
            break; // this side dealt the next hand: the deal is sent, the run ends here
        }
        const bool myTurn = session.connectionStatus() == ConnectionStatus::Established &&
                            !session.GameWaits() && trace.handInProgress && !trace.Closed() &&
                            !engine.State().opponentToMove;
        if (!myTurn) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            continue;
        }
        if (!bot.PlayTurn(engine, trace.playerTurnEnds)) {
            watch.Fail("the player bot is stuck: " + bot.Failure());
            break;
        }
        // The turn's frames are written: the partner's answer is timed from here.
        watch.timing.turnEnded = NetworkTiming::Clock::now();
        const std::string broken = CheckInvariants(engine.State());
        if (!broken.empty()) {
            watch.Fail("after the player's turn: " + broken);
        }
        // Let the frames of this turn go out before the next turn is played.
        QCoreApplication::processEvents();
    }
    if (!watch.failure.empty()) {
        fail(watch.failure);
    }
    play.SetListener(nullptr);
    session.CloseSession();
    // Through a relay, the last frames pass before this side's line and the
    // allocation end (or their time is up).
    play.LingerRelay();
    while (play.RelayLingers() && TcpSocket::LingeringCloses() > 0) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    routerPort.Remove();
    if (options.timing) {
        messages << watch.timing.Text() << std::endl;
    }

    summary.games = trace.games;
    summary.hands = trace.hands;
    summary.playerWins = trace.playerHandWins;
    summary.computerWins = trace.computerHandWins;
    summary.draws = trace.handDraws;
    summary.moves = trace.moves;
    if (trace.hands > 0) {
        summary.avgPlayerHand = static_cast<double>(trace.playerHandPoints) / trace.hands;
        summary.avgComputerHand = static_cast<double>(trace.computerHandPoints) / trace.hands;
    }
    if (traceStream != nullptr) {
        traceStream->flush();
    }
    return summary;
}

} // namespace varenta::sim

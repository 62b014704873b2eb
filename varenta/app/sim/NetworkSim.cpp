#include "varenta/app/sim/NetworkSim.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <memory>

#include "varenta/app/sim/Invariants.h"
#include "varenta/app/sim/PlayerBot.h"
#include "varenta/app/sim/SimTrace.h"
#include "varenta/engine/VarentaEngine.h"
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

// What the session tells: failures end the run, the other moves are traced
// and checked against this table's own view of the hand.
class RunWatcher : public NetworkPlayListener {
public:
    RunWatcher(VarentaEngine& engine, NetworkTrace& trace, std::ostream& messages,
               std::string partner)
        : engine_(engine), trace_(trace), messages_(messages), partner_(std::move(partner)) {}

    std::string failure;
    bool ended = false; // the connection closed after the stop

    void Note(std::string_view text) override {
        Fail("the other program sent what this table cannot follow: " + std::string(text));
    }
    // An unknown keyword is the other program's business: the session goes on.
    void UnknownToken(std::string_view text) override {
        messages_ << "varenta-sim: ignored: " << text << std::endl;
    }
    void MoveReceived(const SessionMessage& message) override {
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

    if (options.Relayed()) {
        play.BecomeRelayedServer(
            {options.turnHost, options.turnPort, options.turnUser, options.turnPassword, false},
            options.turnPeers);
    } else if (listening) {
        if (!play.BecomeServer()) {
            fail(watch.failure.empty() ? "cannot listen on port " + options.listenPort
                                       : watch.failure);
            return summary;
        }
        messages << "varenta-sim: listening on 127.0.0.1:" << session.ListenPort() << std::endl;
    } else {
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

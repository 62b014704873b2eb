// A network game whose connection is lost goes on where it stopped: both
// tables keep it, reconnect, send what the other missed and compare.
#include "varenta/net/socket/testing/SocketTestSupport.h"

#include "varenta/engine/RuleText.h"
#include "varenta/engine/SilentPort.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/engine/tests/RandomPlayer.h"
#include "varenta/net/nat/testing/ScriptedTurnServer.h"
#include "varenta/net/session/NetworkPlay.h"
#include "varenta/net/session/NetworkSession.h"
#include "varenta/net/socket/NotifierWatcher.h"
#include "varenta/net/socket/testing/ManualNetTimer.h"
#include "varenta/store/NetworkGameFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

namespace varenta {
namespace {

using testing::PumpUntil;
using testing::RecordingEvents;

const std::string FE(1, kFieldSeparator);
const std::string FF(1, kFrameEnd);

struct Listener : SessionListener {
    std::vector<std::string> notes;
    std::vector<std::pair<Ending, std::string>> closed;
    int interrupted = 0;
    int resumed = 0;
    int notResumed = 0;
    void Note(std::string_view text) override { notes.emplace_back(text); }
    void SessionClosed(Ending ending, std::string_view message) override {
        closed.emplace_back(ending, std::string(message));
    }
    void ConnectionInterrupted(std::string_view) override { ++interrupted; }
    void GameResumed(std::string_view) override { ++resumed; }
    void GameNotResumed(std::string_view) override { ++notResumed; }
    // The table as it stood when the partner's turn under way began.
    const VarentaEngine* engine = nullptr;
    std::optional<GameState> turnStart;
    void MoveReceived(const SessionMessage& m) override {
        const bool ends = m.keyword == Keyword::Discard || m.keyword == Keyword::PassDiscard ||
                          m.keyword == Keyword::DiscardRedThree || m.keyword == Keyword::Deal;
        if (ends) {
            turnStart.reset();
        } else if (!turnStart) {
            turnStart = engine->State();
        }
    }
};

// Cuts its own side's connection right after the first frame of one kind
// (after `skip` of them), in the middle of the engine's operation.
struct CutAt : MoveReporter {
    std::string kind;
    int skip = 0;
    std::function<void()> cut;
    bool* done = nullptr;
    void On(std::string_view k) {
        if (*done || k != kind || skip-- > 0) {
            return;
        }
        *done = true;
        cut();
    }
    void Deal(std::string_view) override { On("DEAL"); }
    void DrawNew(const Card&) override { On("DRAWNEW"); }
    void DrawPileTop(const Card&) override { On("DRAWPILETOP"); }
    void DrawPileRest() override { On("DRAWPILEREST"); }
    void Meld(int) override { On("MELD"); }
    void MeldWildCard(int, int) override { On("MELD"); }
    void Discard(int) override { On("DISCARD"); }
    void DiscardRedThree(int) override { On("DISCARDREDTHREE"); }
    void PassDiscard() override { On("PASSDISCARD"); }
    void HandScored() override { On("HAND"); }
};

struct Program {
    Program(NotifierWatcher& watcher, const char* nick, std::uint64_t seed, const RuleSet& rules)
        : session(engine, watcher) {
        engine.SetPort(&port);
        engine.SetRules(rules);
        engine.StartProgram(seed);
        session.SetListener(&listener);
        listener.engine = &engine;
        session.SetAlsoReport(&cutter);
        session.SetResumable(true);
        session.ownNickname = nick;
    }
    SilentPort port;
    VarentaEngine engine;
    NetworkSession session;
    Listener listener;
    CutAt cutter;
};

std::vector<int> Sorted(const CardPile& pile) {
    std::vector<int> codes;
    for (int i = 0; i < pile.count; ++i) {
        codes.push_back(pile[i].code);
    }
    std::sort(codes.begin(), codes.end());
    return codes;
}

std::vector<int> InOrder(const CardPile& pile) {
    std::vector<int> codes;
    for (int i = 0; i < pile.count; ++i) {
        codes.push_back(pile[i].code);
    }
    return codes;
}

// Card for card, with the seats swapped.
void ExpectMirrored(const GameState& x, const GameState& y) {
    EXPECT_EQ(Sorted(x.playerHand), Sorted(y.opponentHand));
    EXPECT_EQ(Sorted(x.opponentHand), Sorted(y.playerHand));
    EXPECT_EQ(Sorted(x.playerMelds), Sorted(y.opponentMelds));
    EXPECT_EQ(Sorted(x.opponentMelds), Sorted(y.playerMelds));
    EXPECT_EQ(InOrder(x.discardPile), InOrder(y.discardPile));
    EXPECT_EQ(InOrder(x.stock), InOrder(y.stock));
    EXPECT_EQ(x.pileFrozen, y.pileFrozen);
    EXPECT_EQ(x.playerScore, y.opponentScore);
    EXPECT_EQ(x.opponentScore, y.playerScore);
    EXPECT_NE(x.opponentToMove, y.opponentToMove);
}

TEST(Resume, ACutAtEveryKindOfMoveIsResumedAndBothTablesStayEqual) {
    struct Row {
        const char* kind;
        int skip;
    };
    const Row rows[] = {
        {"DRAWNEW", 3},         {"DRAWPILETOP", 0}, {"MELD", 2}, {"DISCARD", 4},
        {"DISCARDREDTHREE", 0}, {"PASSDISCARD", 0}, {"HAND", 0}, {"DEAL", 1},
    };
    RuleSet rules;
    rules.threeBlock = true; // red threes may be discarded from the table
    for (const Row& row : rows) {
        bool cutSeen = false;
        for (std::uint64_t seed = 1; seed <= 4 && !cutSeen; ++seed) {
            SCOPED_TRACE(std::string(row.kind) + " seed " + std::to_string(seed));
            NotifierWatcher watcher;
            Program a(watcher, "Ann", seed, rules);
            Program b(watcher, "Bea", seed + 100, rules);
            bool cut = false;
            for (Program* p : {&a, &b}) {
                p->cutter.kind = row.kind;
                p->cutter.skip = row.skip;
                p->cutter.done = &cut;
                p->cutter.cut = [p] { p->session.DropConnection(); };
            }
            ASSERT_TRUE(a.session.Listen("0"));
            b.session.Connect("127.0.0.1", std::to_string(a.session.ListenPort()));
            // Also the reconnect: the connecting side calls again while it waits.
            const auto settled = [&](const std::function<bool()>& done) {
                return PumpUntil([&] {
                    if (b.session.GameWaits() &&
                        b.session.connectionStatus() == ConnectionStatus::Waiting) {
                        b.session.TryConnect();
                    }
                    return !a.session.GameWaits() && !b.session.GameWaits() &&
                           a.session.connectionStatus() == ConnectionStatus::Established &&
                           b.session.connectionStatus() == ConnectionStatus::Established && done();
                });
            };
            ASSERT_TRUE(settled([&] {
                return b.engine.State().playerHand.count > 0 &&
                       a.engine.State().playerHand.count > 0;
            }));
            Random r(seed);
            for (int turns = 0; a.port.HandsScored() < 4 && !(cut && a.port.HandsScored() >= 1);
                 ++turns) {
                ASSERT_LT(turns, 3000);
                const bool aMoves = !a.engine.State().opponentToMove;
                Program& mover = aMoves ? a : b;
                Program& other = aMoves ? b : a;
                const int handsBefore = mover.port.HandsScored();
                testing::RandomPlayerTurn(mover.engine, r);
                if (!mover.engine.State().opponentToMove &&
                    mover.port.HandsScored() == handsBefore) {
                    continue;
                }
                ASSERT_TRUE(settled([&] {
                    if (mover.port.HandsScored() > handsBefore) {
                        return other.port.HandsScored() == mover.port.HandsScored() &&
                               a.engine.State().opponentToMove != b.engine.State().opponentToMove &&
                               a.engine.State().playerHand.count > 0 &&
                               b.engine.State().stock.count == a.engine.State().stock.count;
                    }
                    return !other.engine.State().opponentToMove;
                })) << "waits "
                    << a.session.GameWaits() << b.session.GameWaits();
                ExpectMirrored(a.engine.State(), b.engine.State());
                if (::testing::Test::HasFailure()) {
                    return;
                }
            }
            if (!cut) {
                continue; // this deal never made such a move; the next may
            }
            cutSeen = true;
            EXPECT_EQ(a.listener.interrupted, 1);
            EXPECT_EQ(b.listener.interrupted, 1);
            EXPECT_EQ(a.listener.resumed, 1);
            EXPECT_EQ(b.listener.resumed, 1);
            EXPECT_EQ(a.session.MovesSent(), b.session.MovesReceived());
            EXPECT_EQ(b.session.MovesSent(), a.session.MovesReceived());
            EXPECT_TRUE(a.listener.closed.empty() && b.listener.closed.empty());
            EXPECT_TRUE(a.listener.notes.empty()) << a.listener.notes.front();
            EXPECT_TRUE(b.listener.notes.empty()) << b.listener.notes.front();
        }
        EXPECT_TRUE(cutSeen) << "no deal made a " << row.kind;
    }
}

// What the side that waits at a relayed address sees of the game's line.
struct RelayedListener : NetworkPlayListener {
    std::vector<std::string> notes, boxes;
    std::vector<Ending> closed;
    int interrupted = 0;
    int resumed = 0;
    int relayFailures = 0;
    void Note(std::string_view text) override { notes.emplace_back(text); }
    void Box(MessageKind, const QString& text) override { boxes.push_back(text.toStdString()); }
    void SessionClosed(Ending ending, std::string_view) override { closed.push_back(ending); }
    void ConnectionInterrupted(std::string_view) override { ++interrupted; }
    void GameResumed(std::string_view) override { ++resumed; }
    void RelayFailed(const QString&) override { ++relayFailures; }
};

// The listening side of a relayed game: a whole NetworkPlay, as the table
// and the simulator run it, waiting at the relay's relayed address.
struct RelayedProgram {
    RelayedProgram(NotifierWatcher& watcher, std::uint64_t seed, const RuleSet& rules) {
        engine.SetPort(&port);
        engine.SetRules(rules);
        engine.StartProgram(seed);
        NetworkPlayServices services;
        services.portMapper = [] { return nullptr; };
        services.retryTimer = std::make_unique<testing::ManualNetTimer>();
        services.relayTimer = std::make_unique<testing::ManualNetTimer>();
        services.resumable = true;
        play = std::make_unique<NetworkPlay>(engine, watcher, std::move(services));
        play->SetListener(&listener);
        play->Session().SetAlsoReport(&cutter);
        play->Session().ownNickname = "Ann";
    }
    ~RelayedProgram() { play->Session().CloseSession(); }
    SilentPort port;
    VarentaEngine engine;
    RelayedListener listener;
    CutAt cutter;
    std::unique_ptr<NetworkPlay> play;
};

// The relay loses the partner's line in the middle of a move; the partner
// calls the relayed address again, the relay hands the new line in, and the
// game goes on card for card.
TEST(Resume, ALineCutAtTheRelayIsTakenUpThroughTheRelay) {
    struct Row {
        const char* kind;
        int skip;
    };
    const Row rows[] = {{"DRAWNEW", 3}, {"MELD", 2}, {"DISCARD", 4}, {"HAND", 0}, {"DEAL", 1}};
    const std::string key = TurnKey("u", "realm.test", "pw");
    for (const Row& row : rows) {
        bool cutSeen = false;
        for (std::uint64_t seed = 1; seed <= 4 && !cutSeen; ++seed) {
            SCOPED_TRACE(std::string(row.kind) + " seed " + std::to_string(seed));
            testing::ScriptedTurnServer relay(testing::GrantingRelay(key, "realm.test", {}), true);
            NotifierWatcher watcher;
            RelayedProgram a(watcher, seed, RuleSet{});
            Program b(watcher, "Bea", seed + 100, RuleSet{});
            bool cut = false;
            for (CutAt* cutter : {&a.cutter, &b.cutter}) {
                cutter->kind = row.kind;
                cutter->skip = row.skip;
                cutter->done = &cut;
                cutter->cut = [&relay] { relay.CutRelayed(); };
            }
            a.play->BecomeRelayedServer({"127.0.0.1", relay.Port(), "u", "pw", false, {}},
                                        {"127.0.0.1"});
            ASSERT_TRUE(PumpUntil([&] { return a.play->Relay() && a.play->Relay()->Ready(); }));
            b.session.Connect("127.0.0.1", std::to_string(relay.RelayedPort()));
            NetworkSession& as = a.play->Session();
            const auto settled = [&](const std::function<bool()>& done) {
                return PumpUntil([&] {
                    if (b.session.GameWaits() &&
                        b.session.connectionStatus() == ConnectionStatus::Waiting) {
                        b.session.TryConnect();
                    }
                    return !as.GameWaits() && !b.session.GameWaits() &&
                           as.connectionStatus() == ConnectionStatus::Established &&
                           b.session.connectionStatus() == ConnectionStatus::Established && done();
                });
            };
            ASSERT_TRUE(settled([&] {
                return b.engine.State().playerHand.count > 0 &&
                       a.engine.State().playerHand.count > 0;
            }));
            Random r(seed);
            for (int turns = 0; a.port.HandsScored() < 3 && !(cut && a.port.HandsScored() >= 1);
                 ++turns) {
                ASSERT_LT(turns, 3000);
                const bool aMoves = !a.engine.State().opponentToMove;
                VarentaEngine& mover = aMoves ? a.engine : b.engine;
                SilentPort& moverPort = aMoves ? a.port : b.port;
                SilentPort& otherPort = aMoves ? b.port : a.port;
                VarentaEngine& other = aMoves ? b.engine : a.engine;
                const int handsBefore = moverPort.HandsScored();
                testing::RandomPlayerTurn(mover, r);
                if (!mover.State().opponentToMove && moverPort.HandsScored() == handsBefore) {
                    continue;
                }
                ASSERT_TRUE(settled([&] {
                    if (moverPort.HandsScored() > handsBefore) {
                        return otherPort.HandsScored() == moverPort.HandsScored() &&
                               a.engine.State().opponentToMove != b.engine.State().opponentToMove &&
                               a.engine.State().playerHand.count > 0 &&
                               b.engine.State().stock.count == a.engine.State().stock.count;
                    }
                    return !other.State().opponentToMove;
                })) << "waits "
                    << as.GameWaits() << b.session.GameWaits();
                ExpectMirrored(a.engine.State(), b.engine.State());
                if (::testing::Test::HasFailure()) {
                    return;
                }
            }
            if (!cut) {
                continue;
            }
            cutSeen = true;
            EXPECT_GE(relay.PartnersSeen(), 2) << "the partner came in again through the relay";
            EXPECT_GE(a.listener.interrupted, 1);
            EXPECT_GE(b.listener.interrupted, 1);
            EXPECT_EQ(a.listener.resumed, 1);
            EXPECT_EQ(b.listener.resumed, 1);
            EXPECT_EQ(as.MovesSent(), b.session.MovesReceived());
            EXPECT_EQ(b.session.MovesSent(), as.MovesReceived());
            EXPECT_TRUE(a.listener.closed.empty() && b.listener.closed.empty());
            EXPECT_TRUE(a.listener.boxes.empty()) << a.listener.boxes.front();
            EXPECT_EQ(a.listener.relayFailures, 0);
            EXPECT_TRUE(b.listener.notes.empty()) << b.listener.notes.front();
            EXPECT_EQ(a.play->PathText().toStdString(),
                      "Connected through the relay at 127.0.0.1:" + std::to_string(relay.Port()) +
                          ".");
        }
        EXPECT_TRUE(cutSeen) << "no deal made a " << row.kind;
    }
}

// A program closed while its game waits, and started again from the kept
// game's file: the new program goes on with the same game, whichever side it
// is, wherever the line went.
TEST(Resume, ASideStartedAgainFromItsKeptGameGoesOn) {
    struct Row {
        const char* kind;
        int skip;
        bool serverRestarts;
    };
    const Row rows[] = {
        {"DRAWNEW", 3, false}, {"MELD", 2, true},  {"DISCARD", 4, false},
        {"DISCARD", 5, true},  {"HAND", 0, false}, {"DEAL", 1, true},
    };
    RuleSet rules;
    rules.threeBlock = true;
    for (const Row& row : rows) {
        bool cutSeen = false;
        for (std::uint64_t seed = 1; seed <= 4 && !cutSeen; ++seed) {
            SCOPED_TRACE(std::string(row.kind) + " seed " + std::to_string(seed) +
                         (row.serverRestarts ? " server" : " client"));
            NotifierWatcher watcher;
            auto a = std::make_unique<Program>(watcher, "Ann", seed, rules);
            auto b = std::make_unique<Program>(watcher, "Bea", seed + 100, rules);
            bool cut = false;
            for (Program* p : {a.get(), b.get()}) {
                p->cutter.kind = row.kind;
                p->cutter.skip = row.skip;
                p->cutter.done = &cut;
                p->cutter.cut = [p] { p->session.DropConnection(); };
            }
            ASSERT_TRUE(a->session.Listen("0"));
            b->session.Connect("127.0.0.1", std::to_string(a->session.ListenPort()));
            const auto settled = [&](const std::function<bool()>& done) {
                return PumpUntil([&] {
                    if (b->session.GameWaits() &&
                        b->session.connectionStatus() == ConnectionStatus::Waiting) {
                        b->session.TryConnect();
                    }
                    return !a->session.GameWaits() && !b->session.GameWaits() &&
                           a->session.connectionStatus() == ConnectionStatus::Established &&
                           b->session.connectionStatus() == ConnectionStatus::Established && done();
                });
            };
            ASSERT_TRUE(settled([&] { return b->engine.State().playerHand.count > 0; }));
            Random r(seed);
            bool restarted = false;
            int movesAfter = 0;
            for (int turns = 0; movesAfter < 40; ++turns) {
                ASSERT_LT(turns, 3000);
                Program& mover = !a->engine.State().opponentToMove ? *a : *b;
                testing::RandomPlayerTurn(mover.engine, r);
                if (cut && !restarted) {
                    restarted = true;
                    ASSERT_TRUE(PumpUntil(
                        [&] { return a->session.GameWaits() && b->session.GameWaits(); }));
                    std::unique_ptr<Program>& old = row.serverRestarts ? a : b;
                    const std::string bytes =
                        SerializeKeptNetworkGame(old->engine.State(), old->engine.Geometry().layout,
                                                 old->session.KeptLineRecord());
                    const GameState before = old->engine.State();
                    old.reset(); // closed: its socket goes with it
                    old = std::make_unique<Program>(watcher, row.serverRestarts ? "Ann" : "Bea",
                                                    seed + 500, rules);
                    old->cutter.done = &cut; // one cut in the game
                    KeptNetworkGame kept;
                    std::string problem;
                    ASSERT_TRUE(ParseKeptNetworkGame(bytes, kept, problem)) << problem;
                    old->engine.LoadNetworkPosition(kept.game);
                    ASSERT_TRUE(old->session.WaitWithKeptLine(kept.lineRecord));
                    EXPECT_EQ(old->engine.State().opponentToMove, before.opponentToMove);
                    EXPECT_TRUE(old->engine.IsNetworkGame());
                }
                ASSERT_TRUE(settled([&] {
                    return a->engine.State().opponentToMove != b->engine.State().opponentToMove &&
                           a->engine.State().stock.count == b->engine.State().stock.count &&
                           a->engine.State().playerScore == b->engine.State().opponentScore &&
                           a->engine.State().opponentScore == b->engine.State().playerScore &&
                           a->engine.State().playerHand.count > 0;
                }));
                ExpectMirrored(a->engine.State(), b->engine.State());
                if (::testing::Test::HasFailure()) {
                    return;
                }
                movesAfter += restarted ? 1 : 0;
                if (!restarted && a->port.HandsScored() >= 2) {
                    break; // this deal never made such a move; the next may
                }
            }
            if (!restarted) {
                continue;
            }
            cutSeen = true;
            EXPECT_EQ(a->session.MovesSent(), b->session.MovesReceived());
            EXPECT_EQ(b->session.MovesSent(), a->session.MovesReceived());
            EXPECT_TRUE(a->listener.closed.empty() && b->listener.closed.empty());
            EXPECT_TRUE(a->listener.notes.empty()) << a->listener.notes.front();
            EXPECT_TRUE(b->listener.notes.empty()) << b->listener.notes.front();
        }
        EXPECT_TRUE(cutSeen) << "no deal made a " << row.kind;
    }
}

// The computer's seat: draws one card and discards the last one.
struct DrawDiscard : ComputerTurnHook {
    int turns = 0;
    void ComputerTurn(VarentaEngine& engine) override {
        ++turns;
        engine.BeginOpponentTurn();
        engine.DrawForOpponent();
        engine.OpponentDiscard(engine.State().opponentHand.count - 1);
        engine.FinishOpponentTurn();
    }
};

// A player who no longer waits plays on against the computer from where the
// game stands: a turn the partner had begun is the computer's from its
// start, a deal awaited is dealt, and the player's own turn stays theirs.
TEST(Resume, APlayerWhoNoLongerWaitsPlaysOnAgainstTheComputer) {
    struct Row {
        const char* kind; // the cut comes with the mover's move of this kind
        int skip;
        const char* then; // "computer plays", "dealt", "own turn"
    };
    const Row rows[] = {
        {"DRAWNEW", 2, "computer plays"},
        {"MELD", 1, "computer plays"},
        {"DISCARD", 2, "own turn"},
        {"HAND", 0, "dealt"},
    };
    for (const Row& row : rows) {
        bool seen = false;
        for (std::uint64_t seed = 1; seed <= 6 && !seen; ++seed) {
            SCOPED_TRACE(std::string(row.kind) + " seed " + std::to_string(seed));
            NotifierWatcher watcher;
            Program a(watcher, "Ann", seed, RuleSet{});
            Program b(watcher, "Bea", seed + 100, RuleSet{});
            bool cut = false;
            Program* mover = nullptr;
            for (Program* p : {&a, &b}) {
                p->cutter.kind = row.kind;
                p->cutter.skip = row.skip;
                p->cutter.done = &cut;
                p->cutter.cut = [p, &mover] {
                    mover = p;
                    p->session.DropConnection();
                };
            }
            ASSERT_TRUE(a.session.Listen("0"));
            b.session.Connect("127.0.0.1", std::to_string(a.session.ListenPort()));
            ASSERT_TRUE(PumpUntil([&] {
                return b.session.connectionStatus() == ConnectionStatus::Established &&
                       b.engine.State().playerHand.count > 0;
            }));
            Random r(seed);
            for (int turns = 0; !cut && turns < 400 && a.port.HandsScored() < 3; ++turns) {
                Program& p = !a.engine.State().opponentToMove ? a : b;
                testing::RandomPlayerTurn(p.engine, r);
                PumpUntil([&] {
                    return cut ||
                           a.engine.State().opponentToMove != b.engine.State().opponentToMove;
                });
            }
            if (!cut) {
                continue;
            }
            seen = true;
            ASSERT_TRUE(PumpUntil([&] { return a.session.GameWaits() && b.session.GameWaits(); }));
            // The mover's partner no longer waits.
            Program& quits = mover == &a ? b : a;
            DrawDiscard computer;
            quits.engine.SetComputerHook(&computer);
            const GameState before = quits.engine.State();
            ASSERT_TRUE(quits.session.CanHandOverToComputer());
            ASSERT_TRUE(quits.session.HandOverToComputer());
            const GameState& now = quits.engine.State();
            EXPECT_FALSE(quits.engine.IsNetworkGame());
            EXPECT_EQ(quits.session.sessionRole(), SessionRole::Idle);
            EXPECT_EQ(quits.session.connectionStatus(), ConnectionStatus::NotConnected);
            EXPECT_FALSE(now.opponentToMove) << "the player is on turn";
            const std::string then = row.then;
            if (then == "computer plays") {
                EXPECT_EQ(computer.turns, 1);
                // The partner's part of the turn is taken back: one card
                // drawn for the whole turn, the partner's new melds gone.
                ASSERT_TRUE(quits.listener.turnStart.has_value());
                const GameState& start = *quits.listener.turnStart;
                EXPECT_EQ(now.stock.count, start.stock.count - 1);
                EXPECT_EQ(Sorted(now.opponentMelds), Sorted(start.opponentMelds));
                EXPECT_EQ(Sorted(now.playerHand), Sorted(before.playerHand));
            } else if (then == "dealt") {
                EXPECT_LE(computer.turns, 1) << "the computer plays when it draws first";
                EXPECT_NE(Sorted(now.playerHand), Sorted(before.playerHand)) << "a new hand";
            } else {
                EXPECT_EQ(computer.turns, 0);
                EXPECT_EQ(Sorted(now.playerHand), Sorted(before.playerHand));
                EXPECT_EQ(now.hasDrawn, before.hasDrawn);
            }
            EXPECT_TRUE(quits.listener.closed.empty()) << "no box: the player chose this";
            EXPECT_TRUE(a.listener.notes.empty() && b.listener.notes.empty());
        }
        EXPECT_TRUE(seen) << "no deal made a " << row.kind;
    }
}

// A damaged line record is refused whole: nothing of it is taken.
TEST(Resume, AKeptLineRecordIsTakenWholeOrNotAtAll) {
    const std::string good =
        "role client\nlisten 0\nhost 3132372e302e302e31\nport 3331343135\n"
        "nick 416e6e\nrules \nsent 0\nreceived 1\nhands 0\nmidturn 0\ndeal 0\n";
    const char* bad[] = {
        "role client\n",              // the rest is missing
        "role server\nrole server\n", // twice
        "role judge\nlisten 0\n",     // no such role
        "listen 70000\n",             // no port
        "sent -1\n",                  // no count
        "frame 4142\n",               // a frame without its end
        "nick 4\n",                   // half a byte
        "colour 0\n",                 // no such item
        "sent 1\nreceived 1\n" /* no newline at the end */ "hands 0",
    };
    NotifierWatcher watcher;
    {
        Program p(watcher, "Bea", 1, RuleSet{});
        EXPECT_TRUE(p.session.WaitWithKeptLine(good));
        EXPECT_TRUE(p.session.GameWaits());
        EXPECT_EQ(p.session.partnerNickname(), "Ann");
        EXPECT_EQ(p.session.MovesReceived(), 1);
        EXPECT_FALSE(p.session.WaitWithKeptLine(good)) << "a game waits already";
    }
    for (const char* damage : bad) {
        SCOPED_TRACE(damage);
        Program p(watcher, "Bea", 1, RuleSet{});
        EXPECT_FALSE(p.session.WaitWithKeptLine(std::string(damage) + good));
        EXPECT_FALSE(p.session.GameWaits());
        EXPECT_FALSE(p.engine.IsNetworkGame());
        EXPECT_EQ(p.session.sessionRole(), SessionRole::Idle);
    }
}

std::string Hex16(std::uint64_t v) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(v));
    return text;
}

std::string DealFrame() {
    std::string deal(1, '1'); // the peer draws first
    for (int slot = 1; slot <= kDeckSize; ++slot) {
        deal += static_cast<char>(slot);
    }
    return "DEAL" + FE + deal + FF;
}

// A resumable client against a hand-written listening peer: the game is
// dealt (one move received, none sent), then the line goes and the client
// calls again; what the peer says then is the row's.
TEST(Resume, TheReconnectCheckGoesOnGivesUpOrStartsAfresh) {
    struct Row {
        const char* what;
        bool announces; // the peer can resume
        bool bySilence; // the line goes silent instead of closing
        std::function<std::string(const VarentaEngine&)> after; // the peer's frames
        const char* outcome;                                    // "resumed", "parted", "fresh"
        const char* sent;              // the RESUME and DIGEST frames the client sent back
        RuleSet rulesBack = RuleSet{}; // the peer's rules after the reconnect
    };
    RuleSet otherRules;
    otherRules.threeBlock = true;
    // The peer's CHECK as a table would send it that holds this game under
    // `peerRules` and saw the client's own.
    const auto check = [](bool mirrored, const RuleSet& peerRules = RuleSet{}) {
        return [mirrored, peerRules](const VarentaEngine& e) {
            const std::uint64_t digest =
                ResumeDigest(e, BuildRulesText(e.Rules()), BuildRulesText(peerRules), mirrored);
            return "RESUME" + FE + "FROM" + FE + "1" + FE + "0" + FF + "RESUME" + FE + "READY" +
                   FF + "RESUME" + FE + "CHECK" + FE + "1" + FE + "0" + FE + Hex16(digest) + FF;
        };
    };
    const Row rows[] = {
        {"both agree", true, false, check(true), "resumed",
         "RESUME FROM;RESUME READY;RESUME CHECK;"},
        {"a silent line, noticed by the keep-alive", true, true, check(true), "resumed",
         "RESUME FROM;RESUME READY;RESUME CHECK;"},
        {"the digests differ", true, false, check(false), "parted",
         "RESUME FROM;RESUME READY;RESUME CHECK;DIGEST PARTED;RESUME END;"},
        {"the peer came back under other rules", true, false, check(true, otherRules), "parted",
         "RESUME FROM;RESUME READY;RESUME CHECK;DIGEST PARTED;RESUME END;", otherRules},
        {"counts that cannot be", true, false,
         [](const VarentaEngine&) { return "RESUME" + FE + "FROM" + FE + "1" + FE + "5" + FF; },
         "parted", "RESUME FROM;DIGEST PARTED;RESUME END;"},
        {"the partner kept no game", true, false,
         [](const VarentaEngine&) { return "RESUME" + FE + "NONE" + FF; }, "fresh", "RESUME FROM;"},
        {"a partner without the feature", false, false,
         [](const VarentaEngine&) { return std::string(); }, "fresh", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        NotifierWatcher watcher;
        Program c(watcher, "Bea", 7, RuleSet{});
        auto alive = std::make_unique<testing::ManualNetTimer>();
        auto silenceTimer = std::make_unique<testing::ManualNetTimer>();
        testing::ManualNetTimer* silence = silenceTimer.get();
        c.session.SetKeepAliveTimers(std::move(alive), std::move(silenceTimer));
        TcpSocket peer(watcher);
        RecordingEvents events;
        peer.SetEvents(&events);
        peer.Port = "0";
        ASSERT_TRUE(peer.Listen());
        const auto greet = [&](bool resume, const RuleSet& rules) {
            peer.SendText((resume ? ResumeAnnouncement() : std::string()) + "PLAYERID" + FE +
                          "Ann" + FE + "400" + FF + ChecksAnnouncement() + "RULES" + FE +
                          BuildRulesText(rules) + FF);
        };
        c.session.Connect("127.0.0.1", std::to_string(peer.ListenPort()));
        ASSERT_TRUE(PumpUntil([&] { return peer.Connected(); }));
        greet(true, c.engine.Rules());
        peer.SendText(DealFrame());
        ASSERT_TRUE(PumpUntil([&] { return c.engine.State().playerHand.count > 0; }));
        ASSERT_TRUE(c.session.PartnerResumes());
        const GameState before = c.engine.State();

        if (row.bySilence) {
            silence->Fire();
        } else {
            peer.Disconnect();
        }
        ASSERT_TRUE(PumpUntil([&] { return c.session.GameWaits() && c.listener.interrupted; }));
        EXPECT_TRUE(c.listener.closed.empty()) << "the game is kept, not ended";
        EXPECT_TRUE(c.engine.IsNetworkGame());
        EXPECT_EQ(c.session.connectionStatus(), ConnectionStatus::Waiting);
        if (row.bySilence) {
            ASSERT_TRUE(PumpUntil([&] { return events.Count("closed") >= 1; }));
            peer.Disconnect();
        }

        events.received.clear();
        ASSERT_TRUE(PumpUntil([&] {
            c.session.TryConnect();
            return peer.Connected();
        }));
        greet(row.announces, row.rulesBack);
        peer.SendText(row.after(c.engine));
        const std::string outcome = row.outcome;
        ASSERT_TRUE(PumpUntil([&] {
            if (outcome == "resumed") {
                return c.listener.resumed > 0;
            }
            if (outcome == "parted") {
                return !c.listener.closed.empty();
            }
            return c.listener.notResumed > 0;
        }));
        testing::PumpBriefly();
        std::vector<std::string> frames;
        int oversized = 0;
        FrameReader reader;
        reader.Feed(events.received, frames, oversized);
        std::string resumes;
        for (const std::string& f : frames) {
            const SessionMessage m = ParseFrame(f);
            if (m.keyword == Keyword::Resume || m.keyword == Keyword::Digest) {
                resumes += m.keywordText + " " + (m.fields.empty() ? "" : m.fields[0]) + ";";
            }
        }
        // Nothing of the resume reaches a partner that did not announce it;
        // one that finds the tables differ is told.
        EXPECT_EQ(resumes, row.sent);
        const GameState& now = c.engine.State();
        if (outcome == "resumed") {
            EXPECT_FALSE(c.session.GameWaits());
            EXPECT_EQ(Sorted(now.playerHand), Sorted(before.playerHand)) << "the deal is kept";
            EXPECT_EQ(InOrder(now.stock), InOrder(before.stock));
            EXPECT_EQ(now.opponentToMove, before.opponentToMove) << "the turn does not pass";
            EXPECT_TRUE(c.listener.closed.empty());
        } else if (outcome == "parted") {
            ASSERT_EQ(c.listener.closed.size(), 1u);
            EXPECT_EQ(c.listener.closed[0].first, SessionListener::Ending::TablesParted);
            EXPECT_FALSE(c.engine.IsNetworkGame());
        } else {
            EXPECT_FALSE(c.session.GameWaits());
            EXPECT_TRUE(c.listener.closed.empty());
            EXPECT_EQ(c.session.MovesReceived(), 0);
            EXPECT_FALSE(now.gameInProgress) << "waits for the new game's deal";
        }
        EXPECT_TRUE(c.listener.notes.empty()) << c.listener.notes.front();
    }
}

// A partner that never announced the resume: the loss ends the game as it
// always did, and no frame it does not know is sent.
TEST(Resume, WithoutThePartnersWordALostLineEndsTheGame) {
    NotifierWatcher watcher;
    Program c(watcher, "Bea", 7, RuleSet{});
    TcpSocket peer(watcher);
    RecordingEvents events;
    peer.SetEvents(&events);
    peer.Port = "0";
    ASSERT_TRUE(peer.Listen());
    c.session.Connect("127.0.0.1", std::to_string(peer.ListenPort()));
    ASSERT_TRUE(PumpUntil([&] { return peer.Connected(); }));
    peer.SendText("PLAYERID" + FE + "Ann" + FE + "400" + FF + DealFrame());
    ASSERT_TRUE(PumpUntil([&] { return c.engine.State().playerHand.count > 0; }));
    peer.Disconnect();
    ASSERT_TRUE(PumpUntil([&] { return !c.listener.closed.empty(); }));
    EXPECT_EQ(c.listener.closed[0].first, SessionListener::Ending::ConnectionLost);
    EXPECT_FALSE(c.session.GameWaits());
    EXPECT_EQ(c.listener.interrupted, 0);
    std::vector<std::string> frames;
    int oversized = 0;
    FrameReader reader;
    reader.Feed(events.received, frames, oversized);
    for (const std::string& f : frames) {
        const SessionMessage m = ParseFrame(f);
        // Only the keywords every program knows; the announcements are made
        // of keywords it ignores without a word.
        EXPECT_LT(static_cast<int>(m.keyword), static_cast<int>(Keyword::Digest)) << f;
        for (const std::string& field : m.fields) {
            if (m.keyword == Keyword::Ok) {
                const Keyword k = LookUpKeyword(field);
                EXPECT_TRUE(k == Keyword::Ok || k == Keyword::SendAgain || k == Keyword::Quit);
            }
        }
    }
}

} // namespace
} // namespace varenta

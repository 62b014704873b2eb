#include "varenta/net/socket/testing/SocketTestSupport.h"

#include "varenta/engine/RuleText.h"
#include "varenta/engine/SilentPort.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/engine/tests/RandomPlayer.h"
#include "varenta/net/session/NetworkSession.h"
#include "varenta/net/socket/NotifierWatcher.h"
#include "varenta/net/socket/testing/ManualNetTimer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace varenta {
namespace {

using testing::PumpUntil;
using testing::RecordingEvents;

const std::string FE(1, kFieldSeparator);
const std::string FF(1, kFrameEnd);

struct Listener : SessionListener {
    std::vector<std::string> notes;
    std::vector<std::string> chats;
    std::vector<std::string> rules;
    std::vector<std::pair<Ending, std::string>> closed;
    std::string openedWith;
    void SessionOpened(std::string_view nick) override { openedWith = nick; }
    void ChatReceived(std::string_view line) override { chats.emplace_back(line); }
    void Note(std::string_view text) override { notes.emplace_back(text); }
    void TablesCompared(std::string_view text) override { compared.emplace_back(text); }
    std::vector<std::string> compared;
    void RulesReceived(std::string_view text) override { rules.emplace_back(text); }
    void SessionClosed(Ending ending, std::string_view message) override {
        closed.emplace_back(ending, std::string(message));
    }
};

// One program: its engine, its session and what its user would see.
struct Program {
    explicit Program(NotifierWatcher& watcher, const char* nick, std::uint64_t seed)
        : session(engine, watcher) {
        engine.SetPort(&port);
        engine.StartProgram(seed);
        session.SetListener(&listener);
        session.ownNickname = nick;
    }
    SilentPort port;
    VarentaEngine engine;
    NetworkSession session;
    Listener listener;
};

// The other end written by hand, to see and send exact bytes.
struct Peer {
    explicit Peer(NotifierWatcher& watcher) : socket(watcher) { socket.SetEvents(&events); }
    TcpSocket socket;
    RecordingEvents events;
    // The frames of the protocol every program speaks: the announcement of
    // the added checks, which any program ignores, is counted apart.
    std::vector<std::string> Frames() {
        std::vector<std::string> frames;
        int oversized = 0;
        FrameReader reader;
        reader.Feed(events.received, frames, oversized);
        announcements =
            static_cast<int>(std::count(frames.begin(), frames.end(), ChecksAnnouncement()));
        frames.erase(std::remove(frames.begin(), frames.end(), ChecksAnnouncement()), frames.end());
        return frames;
    }
    int announcements = 0;
    bool WaitForFrames(std::size_t n) {
        return PumpUntil([&] { return Frames().size() >= n; });
    }
};

std::string Keywords(const std::vector<std::string>& frames) {
    std::string text;
    for (const std::string& f : frames) {
        text += std::string(ParseFrame(f).keywordText) + " ";
    }
    return text;
}

std::string DealFrame(char firstDigit) {
    std::string deal(1, firstDigit);
    for (int slot = 1; slot <= kDeckSize; ++slot) {
        deal += static_cast<char>(slot);
    }
    return "DEAL" + FE + deal + FF;
}

// A client program connected to a hand-written server that has sent its
// PLAYERID: the handshake of the connecting side.
struct ClientWithPeer {
    NotifierWatcher watcher;
    Program client{watcher, "Bea", 7};
    Peer server{watcher};

    bool Open(const std::string& version = "400") {
        server.socket.Port = "0";
        if (!server.socket.Listen()) {
            return false;
        }
        client.session.Connect("127.0.0.1", std::to_string(server.socket.ListenPort()));
        if (!PumpUntil([&] { return server.socket.Connected(); })) {
            return false;
        }
        server.socket.SendText("PLAYERID" + FE + "Ann" + FE + version + FF);
        return PumpUntil(
            [&] { return client.session.connectionStatus() != ConnectionStatus::Waiting; });
    }
};

TEST(NetworkSession, ConnectingSideAnswersPlayerIdThenSendsItsRules) {
    ClientWithPeer t;
    ASSERT_TRUE(t.Open());
    ASSERT_TRUE(t.server.WaitForFrames(2));
    const auto frames = t.server.Frames();
    EXPECT_EQ(Keywords(frames), "PLAYERID RULES ");
    EXPECT_EQ(frames[0], "PLAYERID" + FE + "Bea" + FE + "400" + FF);
    EXPECT_EQ(ParseFrame(frames[1]).payload, BuildRulesText(t.client.engine.Rules()));
    EXPECT_EQ(t.client.session.connectionStatus(), ConnectionStatus::Established);
    EXPECT_EQ(t.client.session.StatusText(), "Connection established with Ann");
    EXPECT_EQ(t.client.listener.openedWith, "Ann");
    EXPECT_TRUE(t.client.engine.IsNetworkGame());
    EXPECT_TRUE(t.client.engine.State().opponentToMove) << "no card actions before the deal";

    // The deal: first digit 1 means the dealer draws first.
    t.server.socket.SendText(DealFrame('1'));
    ASSERT_TRUE(PumpUntil([&] { return t.client.engine.State().playerHand.count > 0; }));
    EXPECT_TRUE(t.client.engine.State().opponentToMove);
}

TEST(NetworkSession, ListeningSideGreetsDealsAndSendsRulesInOrder) {
    NotifierWatcher watcher;
    Program server(watcher, "Ann", 3);
    Peer client(watcher);
    ASSERT_TRUE(server.session.Listen("0"));
    EXPECT_EQ(server.session.StatusText(), "Waiting for Connection...");
    client.socket.IPAddr = "127.0.0.1";
    client.socket.Port = std::to_string(server.session.ListenPort());
    ASSERT_TRUE(client.socket.Connect());
    ASSERT_TRUE(client.WaitForFrames(1));
    EXPECT_EQ(client.Frames()[0], "PLAYERID" + FE + "Ann" + FE + "400" + FF);
    EXPECT_FALSE(server.session.Socket().Listening()) << "one partner only";
    client.socket.SendText("PLAYERID" + FE + "Bea" + FE + "400" + FF);
    ASSERT_TRUE(client.WaitForFrames(3));
    const auto frames = client.Frames();
    EXPECT_EQ(Keywords(frames), "PLAYERID DEAL RULES ");
    const SessionMessage deal = ParseFrame(frames[1]);
    ASSERT_EQ(deal.fields.size(), 1u);
    ASSERT_EQ(deal.fields[0].size(), 109u);
    EXPECT_EQ(deal.fields[0][0], server.engine.State().opponentToMove ? '0' : '1');
    EXPECT_EQ(server.session.partnerNickname(), "Bea");
}

TEST(NetworkSession, VersionMismatchClosesWithTheVersionBox) {
    for (const char* version : {"399", "", "4OO"}) {
        ClientWithPeer t;
        ASSERT_TRUE(t.Open(version));
        ASSERT_EQ(t.client.listener.closed.size(), 1u) << version;
        const std::string shown = std::string(version) == "399" ? "399" : "0";
        EXPECT_EQ(t.client.listener.closed[0].first, SessionListener::Ending::VersionMismatch);
        EXPECT_EQ(t.client.listener.closed[0].second,
                  "You have version 400 and your opponent has version " + shown +
                      ". Please use the same version.");
        EXPECT_EQ(t.client.session.connectionStatus(), ConnectionStatus::NotConnected);
        EXPECT_EQ(t.client.session.sessionRole(), SessionRole::Idle);
        EXPECT_FALSE(t.client.session.sessionOpen());
        EXPECT_TRUE(PumpUntil([&] { return t.server.events.Count("closed") == 1; }));
    }
}

TEST(NetworkSession, FramesAreHandledInOrderWhateverTheReadsCut) {
    for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
        SCOPED_TRACE(piece);
        ClientWithPeer t;
        ASSERT_TRUE(t.Open());
        t.server.socket.SendText(DealFrame('1'));
        ASSERT_TRUE(PumpUntil([&] { return t.client.engine.State().playerHand.count > 0; }));
        const GameState& s = t.client.engine.State();
        const int stock = s.stock.count;
        // The opponent's newest card after its draw is the stock's top card.
        const int drawn = s.stock[s.stock.count - 1].code;
        const std::string bytes = "QUIT" + FE + FF + "DRAWNEW" + FE + FF + "DISCARD" + FE +
                                  std::to_string(drawn) + FF + "CHAT" + FE + "hello" + FF;
        for (std::size_t i = 0; i < bytes.size(); i += piece) {
            t.client.session.ReceiveBytes(std::string_view(bytes).substr(i, piece));
        }
        EXPECT_EQ(s.stock.count, stock - 1);
        ASSERT_GT(s.discardPile.count, 0);
        EXPECT_EQ(s.discardPile[s.discardPile.count - 1].code, drawn);
        EXPECT_FALSE(s.opponentToMove) << "the discard gives the turn back";
        EXPECT_EQ(t.client.listener.chats, std::vector<std::string>{"hello"});
        EXPECT_TRUE(t.client.listener.notes.empty());
    }
}

TEST(NetworkSession, BadFramesAreDroppedWithANoteAndChangeNothing) {
    ClientWithPeer t;
    ASSERT_TRUE(t.Open());
    t.server.socket.SendText(DealFrame('1'));
    ASSERT_TRUE(PumpUntil([&] { return t.client.engine.State().playerHand.count > 0; }));
    const GameState before = t.client.engine.State();
    const std::pair<std::string, std::string> rows[] = {
        {"FOO" + FE + "bar" + FF, "Unknown token: FOO bar"},
        {"DISCARD" + FE + "x" + FF, "could not be read"},
        {"DISCARD" + FE + "99" + FF, "could not be read"},
        {"MELDWILDCARD" + FE + "53" + FF, "could not be read"},
        {"DISCARD" + FE + "17" + FE, ""}, // no terminator yet: nothing happens
        {std::string(300, 'Q') + FF, "longer than 255 bytes"},
        {"DEAL" + FE + "1abc" + FF, "could not be read"},
        {"PLAYERID" + FE + "Eve" + FE + "400" + FF, "wrong moment"},
        {"RULES" + FE + "T" + FF, "could not be read"},
    };
    for (const auto& row : rows) {
        t.client.listener.notes.clear();
        t.client.session.ReceiveBytes(row.first);
        if (row.second.empty()) {
            EXPECT_TRUE(t.client.listener.notes.empty());
        } else {
            ASSERT_EQ(t.client.listener.notes.size(), 1u) << row.second;
            EXPECT_NE(t.client.listener.notes[0].find(row.second), std::string::npos)
                << t.client.listener.notes[0];
        }
    }
    // The frame left open above is closed by garbage: a card that is not
    // there changes nothing.
    t.client.listener.notes.clear();
    t.client.session.ReceiveBytes(FF);
    EXPECT_EQ(t.client.engine.State().discardPile.count, before.discardPile.count);
    EXPECT_EQ(t.client.engine.State().opponentHand.count, before.opponentHand.count);
    EXPECT_EQ(t.client.engine.State().stock.count, before.stock.count);
    EXPECT_EQ(t.client.session.partnerNickname(), "Ann");
    EXPECT_EQ(t.client.session.connectionStatus(), ConnectionStatus::Established);
}

int CardsOnTable(const GameState& s) {
    return s.stock.count + s.discardPile.count + s.playerHand.count + s.opponentHand.count +
           s.playerMelds.count + s.opponentMelds.count;
}

TEST(NetworkSession, GarbageBytesNeitherCrashNorLoseCards) {
    ClientWithPeer t;
    ASSERT_TRUE(t.Open());
    t.server.socket.SendText(DealFrame('1'));
    ASSERT_TRUE(PumpUntil([&] { return t.client.engine.State().playerHand.count > 0; }));
    Random r(99);
    std::string garbage;
    for (int i = 0; i < 200000; ++i) {
        // Mostly printable, with separators and terminators mixed in.
        const int pick = r.Next(40);
        garbage += pick == 0   ? kFrameEnd
                   : pick == 1 ? kFieldSeparator
                               : static_cast<char>(r.Next(256));
    }
    t.server.socket.SendText(garbage);
    t.server.socket.SendText(FF + "CHAT" + FE + "still here" + FF);
    ASSERT_TRUE(PumpUntil([&] { return !t.client.listener.chats.empty(); }));
    EXPECT_EQ(t.client.listener.chats.back(), "still here");
    EXPECT_FALSE(t.client.listener.notes.empty());
    EXPECT_EQ(CardsOnTable(t.client.engine.State()), kDeckSize);
    EXPECT_EQ(t.client.session.connectionStatus(), ConnectionStatus::Established);
}

TEST(NetworkSession, RulesCountOnlyInsideAnOpenSession) {
    NotifierWatcher watcher;
    Program idle(watcher, "Ann", 1);
    const std::string rules = BuildRulesText(RuleSet{});
    idle.session.ReceiveBytes("RULES" + FE + rules + FF);
    EXPECT_TRUE(idle.listener.rules.empty());
    EXPECT_TRUE(idle.session.partnerRules().empty());

    ClientWithPeer t;
    ASSERT_TRUE(t.Open());
    RuleSet other;
    other.numberOfVarentas = 2;
    const std::string otherText = BuildRulesText(other);
    t.server.socket.SendText("RULES" + FE + otherText + FF);
    ASSERT_TRUE(PumpUntil([&] { return !t.client.listener.rules.empty(); }));
    EXPECT_EQ(t.client.listener.rules[0], otherText);
    EXPECT_EQ(t.client.session.partnerRules(), otherText);
}

TEST(NetworkSession, ChatLinesAreCutToOneFrame) {
    ClientWithPeer t;
    ASSERT_TRUE(t.Open());
    t.client.session.SendChat(std::string(300, 'c'));
    ASSERT_TRUE(t.server.WaitForFrames(3));
    const std::string chat = t.server.Frames()[2];
    EXPECT_EQ(chat.size(), 255u);
    EXPECT_EQ(chat.back(), kFrameEnd);
}

TEST(NetworkSession, ALostConnectionEndsCleanlyAndANewSessionStartsAfresh) {
    ClientWithPeer t;
    ASSERT_TRUE(t.Open());
    t.server.socket.SendText(DealFrame('0'));
    ASSERT_TRUE(PumpUntil([&] { return t.client.engine.State().playerHand.count > 0; }));
    EXPECT_FALSE(t.client.engine.State().opponentToMove) << "the dealer let this side start";
    t.server.socket.SendText("DRAWN"); // half a frame, then the line drops
    t.server.socket.Disconnect();
    ASSERT_TRUE(PumpUntil([&] { return !t.client.listener.closed.empty(); }));
    EXPECT_EQ(t.client.listener.closed[0].first, SessionListener::Ending::ConnectionLost);
    EXPECT_EQ(t.client.listener.closed[0].second,
              "Connection to Ann lost. The network game will now terminate.");
    EXPECT_EQ(t.client.session.sessionRole(), SessionRole::Idle);
    EXPECT_EQ(t.client.session.StatusText(), "Not connected");
    EXPECT_FALSE(t.client.engine.IsNetworkGame());

    // Again, against a new partner: nothing of the old session leaks in.
    Peer second(t.watcher);
    second.socket.Port = "0";
    ASSERT_TRUE(second.socket.Listen());
    t.client.session.Connect("127.0.0.1", std::to_string(second.socket.ListenPort()));
    EXPECT_EQ(t.client.session.partnerNickname(), "<none>");
    ASSERT_TRUE(PumpUntil([&] { return second.socket.Connected(); }));
    second.socket.SendText("PLAYERID" + FE + "Cid" + FE + "400" + FF);
    ASSERT_TRUE(second.WaitForFrames(2));
    EXPECT_EQ(t.client.session.partnerNickname(), "Cid");
    EXPECT_EQ(t.client.listener.closed.size(), 1u);
}

TEST(NetworkSession, FailedConnectAttemptsAreSilentWhileWaiting) {
    NotifierWatcher watcher;
    Program client(watcher, "Bea", 1);
    TcpSocket probe(watcher);
    probe.Port = "0";
    ASSERT_TRUE(probe.Listen());
    const std::string port = std::to_string(probe.ListenPort());
    probe.CancelListen();
    client.session.Connect("127.0.0.1", port);
    ASSERT_TRUE(PumpUntil([&] { return client.session.RefusedAttempts() == 1; }));
    EXPECT_TRUE(client.listener.closed.empty());
    EXPECT_EQ(client.session.connectionStatus(), ConnectionStatus::Waiting);
    for (int attempt = 2; attempt <= 3; ++attempt) {
        ASSERT_TRUE(client.session.TryConnect()) << "the retry timer may try again";
        ASSERT_TRUE(PumpUntil([&] { return client.session.RefusedAttempts() == attempt; }));
    }
    EXPECT_TRUE(client.listener.closed.empty());
    client.session.Connect("127.0.0.1", port);
    EXPECT_LE(client.session.RefusedAttempts(), 1) << "a new partner starts the count afresh";
}

TEST(NetworkSession, APortTakenAlreadyEndsListeningWithTheCallersHint) {
    NotifierWatcher watcher;
    Program first(watcher, "Ann", 1);
    ASSERT_TRUE(first.session.Listen("0"));
    const std::string port = std::to_string(first.session.ListenPort());
    for (const std::string hint : {"", "Another copy listens."}) {
        Program second(watcher, "Bea", 2);
        EXPECT_FALSE(second.session.Listen(port, hint));
        EXPECT_EQ(second.session.sessionRole(), SessionRole::Idle);
        ASSERT_EQ(second.listener.closed.size(), 1U);
        EXPECT_EQ(second.listener.closed[0].first, SessionListener::Ending::SocketProblem);
        const std::string plain = std::string(texts::kSocketProblem) + "\nAddress already in use";
        EXPECT_EQ(second.listener.closed[0].second, hint.empty() ? plain : plain + "\n\n" + hint);
    }
    EXPECT_TRUE(first.session.Socket().Listening()) << "the first one keeps its port";
}

std::vector<int> Codes(const CardPile& pile) {
    std::vector<int> codes;
    for (int i = 0; i < pile.count; ++i) {
        codes.push_back(pile[i].code);
    }
    std::sort(codes.begin(), codes.end());
    return codes;
}

// Two programs over loopback, each player played by a random bot: after
// every turn both tables hold the same cards with the seats swapped.
TEST(NetworkSession, TwoProgramsPlayWholeHandsMirrored) {
    for (std::uint64_t seed = 1; seed <= 3; ++seed) {
        SCOPED_TRACE(seed);
        NotifierWatcher watcher;
        Program a(watcher, "Ann", seed);
        Program b(watcher, "Bea", seed + 100);
        ASSERT_TRUE(a.session.Listen("0"));
        b.session.Connect("127.0.0.1", std::to_string(a.session.ListenPort()));
        ASSERT_TRUE(PumpUntil([&] {
            return b.engine.State().playerHand.count > 0 && !a.listener.rules.empty() &&
                   !b.listener.rules.empty();
        }));
        Random r(seed);
        const int handsToPlay = 2;
        for (int turns = 0; a.port.HandsScored() < handsToPlay; ++turns) {
            ASSERT_LT(turns, 2000);
            const bool aMoves = !a.engine.State().opponentToMove;
            Program& mover = aMoves ? a : b;
            Program& other = aMoves ? b : a;
            const int handsBefore = mover.port.HandsScored();
            testing::RandomPlayerTurn(mover.engine, r);
            if (!mover.engine.State().opponentToMove && mover.port.HandsScored() == handsBefore) {
                continue; // the bot found no discard this time; it tries again
            }
            // Wait until the other table has the turn (or the hand ended on
            // both and the next deal arrived).
            ASSERT_TRUE(PumpUntil([&] {
                if (mover.port.HandsScored() > handsBefore) {
                    return other.port.HandsScored() == mover.port.HandsScored() &&
                           a.engine.State().opponentToMove != b.engine.State().opponentToMove &&
                           a.engine.State().playerHand.count > 0 &&
                           b.engine.State().stock.count == a.engine.State().stock.count;
                }
                return !other.engine.State().opponentToMove;
            })) << "hands "
                << mover.port.HandsScored() << "/" << other.port.HandsScored() << " to move "
                << a.engine.State().opponentToMove << b.engine.State().opponentToMove;
            const GameState& x = a.engine.State();
            const GameState& y = b.engine.State();
            ASSERT_EQ(Codes(x.playerHand), Codes(y.opponentHand));
            ASSERT_EQ(Codes(x.opponentHand), Codes(y.playerHand));
            ASSERT_EQ(Codes(x.playerMelds), Codes(y.opponentMelds));
            ASSERT_EQ(Codes(x.opponentMelds), Codes(y.playerMelds));
            ASSERT_EQ(Codes(x.discardPile), Codes(y.discardPile));
            ASSERT_EQ(x.pileFrozen, y.pileFrozen);
            ASSERT_EQ(x.stock.count, y.stock.count);
            ASSERT_EQ(x.playerScore, y.opponentScore);
            ASSERT_EQ(x.opponentScore, y.playerScore);
            ASSERT_NE(x.opponentToMove, y.opponentToMove);
            // Asked at this quiet moment, both tables find they agree.
            const std::size_t before = a.listener.compared.size();
            ASSERT_TRUE(mover.session.CompareTables());
            ASSERT_TRUE(PumpUntil([&] {
                return a.listener.compared.size() > before && b.listener.compared.size() > before;
            }));
            ASSERT_EQ(a.listener.compared.back(), texts::kTablesAgree);
            ASSERT_EQ(b.listener.compared.back(), texts::kTablesAgree);
        }
        // Every hand was compared as it was scored, and found equal.
        EXPECT_TRUE(a.session.PartnerChecks() && b.session.PartnerChecks());
        EXPECT_GE(a.session.HandsCompared() + b.session.HandsCompared(), handsToPlay);
        EXPECT_TRUE(a.listener.closed.empty() && b.listener.closed.empty());
        EXPECT_TRUE(a.listener.notes.empty()) << a.listener.notes.front();
        EXPECT_TRUE(b.listener.notes.empty()) << b.listener.notes.front();
    }
}

// A client whose peer announced the added checks and dealt, with timers
// the test fires.
struct CheckedClient {
    ClientWithPeer t;
    testing::ManualNetTimer* alive = nullptr;
    testing::ManualNetTimer* silence = nullptr;
    bool Open(bool announce = true) {
        auto a = std::make_unique<testing::ManualNetTimer>();
        auto b = std::make_unique<testing::ManualNetTimer>();
        alive = a.get();
        silence = b.get();
        t.client.session.SetKeepAliveTimers(std::move(a), std::move(b));
        if (!t.Open()) {
            return false;
        }
        if (announce) {
            t.server.socket.SendText(ChecksAnnouncement());
        }
        t.server.socket.SendText("RULES" + FE + BuildRulesText(t.client.engine.Rules()) + FF);
        t.server.socket.SendText(DealFrame('1'));
        return PumpUntil([&] {
            return t.client.engine.State().playerHand.count > 0 &&
                   t.client.session.PartnerChecks() == announce;
        });
    }
    Program& C() { return t.client; }
    std::string Digest(bool mirrored) const {
        return Hex16(t.client.engine.GameDigest(mirrored, true, true));
    }
    static std::string Hex16(std::uint64_t v) {
        char text[17];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(v));
        return text;
    }
};

TEST(SessionChecks, TheAnnouncementIsMadeOfKeywordsEveryProgramIgnores) {
    const SessionMessage m = ParseFrame(ChecksAnnouncement());
    EXPECT_EQ(m.keyword, Keyword::Ok);
    for (const std::string& field : m.fields) {
        const Keyword k = LookUpKeyword(field);
        EXPECT_TRUE(k == Keyword::Ok || k == Keyword::SendAgain || k == Keyword::Quit) << field;
    }
    // Both sides announce right after their PLAYERID.
    ClientWithPeer t;
    ASSERT_TRUE(t.Open());
    ASSERT_TRUE(t.server.WaitForFrames(2));
    EXPECT_EQ(t.server.announcements, 1);
    EXPECT_FALSE(t.client.session.PartnerChecks()) << "the peer did not announce";
}

// What the client does with DIGEST frames: the tables' counts of moves are
// 1 received (the deal) and 0 sent.
TEST(SessionChecks, DigestsAreComparedOnlyInStepAndPartedTablesEndOnBothSides) {
    struct Row {
        const char* what;
        bool announce;
        std::function<std::string(CheckedClient&)> frame;
        const char* compared; // the listener's text, or empty
        const char* note;     // a note's beginning, or empty
        bool parted;
        const char* answer; // the DIGEST kind sent back, or empty
    };
    const Row rows[] = {
        {"equal", true,
         [](CheckedClient& c) {
             return "DIGEST" + FE + "ASK" + FE + "1" + FE + "0" + FE + c.Digest(true) + FF;
         },
         "Both tables hold the same game.", "", false, "TELL"},
        {"unequal", true,
         [](CheckedClient& c) {
             return "DIGEST" + FE + "ASK" + FE + "1" + FE + "0" + FE + c.Digest(false) + FF;
         },
         "", "", true, "TELL"},
        {"a move on its way", true,
         [](CheckedClient& c) {
             return "DIGEST" + FE + "ASK" + FE + "2" + FE + "0" + FE + c.Digest(true) + FF;
         },
         "The tables could not be compared just now because a move was on its way. Try again.", "",
         false, "TELL"},
        {"the answer", true,
         [](CheckedClient& c) {
             return "DIGEST" + FE + "TELL" + FE + "1" + FE + "0" + FE + c.Digest(true) + FF;
         },
         "Both tables hold the same game.", "", false, ""},
        {"the partner found it", true,
         [](CheckedClient&) { return "DIGEST" + FE + "PARTED" + FE + "x" + FF; }, "", "", true, ""},
        {"malformed", true,
         [](CheckedClient&) {
             return "DIGEST" + FE + "ASK" + FE + "1" + FE + "0" + FE + "xyz" + FF;
         },
         "", "A message from your opponent could not be read", false, ""},
        {"not announced", false,
         [](CheckedClient& c) {
             return "DIGEST" + FE + "ASK" + FE + "1" + FE + "0" + FE + c.Digest(true) + FF;
         },
         "", "Unknown token: DIGEST ASK", false, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CheckedClient c;
        ASSERT_TRUE(c.Open(row.announce));
        const std::size_t framesBefore = c.t.server.Frames().size();
        c.C().session.ReceiveBytes(row.frame(c));
        if (row.parted) {
            // A parting ends from the loop, after the frame is handled.
            ASSERT_TRUE(PumpUntil([&] { return !c.C().listener.closed.empty(); }));
        }
        EXPECT_EQ(c.C().listener.compared.empty() ? "" : c.C().listener.compared.back(),
                  row.compared);
        if (*row.note != 0) {
            ASSERT_EQ(c.C().listener.notes.size(), 1u);
            EXPECT_EQ(c.C().listener.notes[0].rfind(row.note, 0), 0u) << c.C().listener.notes[0];
        } else {
            EXPECT_TRUE(c.C().listener.notes.empty());
        }
        EXPECT_EQ(!c.C().listener.closed.empty(), row.parted);
        if (row.parted) {
            EXPECT_EQ(c.C().listener.closed[0].first, SessionListener::Ending::TablesParted);
            EXPECT_NE(c.C().listener.closed[0].second.find(
                          "The network game is given up on both tables."),
                      std::string::npos);
            EXPECT_EQ(c.C().session.sessionRole(), SessionRole::Idle);
        }
        // Whatever was sent back, then (when this side found the difference) PARTED.
        const bool tellsParting = row.parted && std::string(row.what) != "the partner found it";
        const std::size_t expected = framesBefore + (*row.answer != 0) + (tellsParting ? 1 : 0);
        ASSERT_TRUE(PumpUntil([&] { return c.t.server.Frames().size() >= expected; }));
        const auto frames = c.t.server.Frames();
        ASSERT_EQ(frames.size(), expected);
        if (*row.answer != 0) {
            const SessionMessage answer = ParseFrame(frames[framesBefore]);
            EXPECT_EQ(answer.keyword, Keyword::Digest);
            ASSERT_EQ(answer.fields.size(), 4u);
            EXPECT_EQ(answer.fields[0], row.answer);
            EXPECT_EQ(answer.fields[1], "0");
            EXPECT_EQ(answer.fields[2], "1");
            EXPECT_EQ(answer.fields[3], c.Digest(false)) << "the table as this side sees it";
        }
        if (tellsParting) {
            EXPECT_EQ(ParseFrame(frames.back()).fields.at(0), "PARTED");
        }
    }
}

TEST(SessionChecks, AKeepAliveGoesOutWhenIdleAndASilentPartnerIsLost) {
    CheckedClient c;
    ASSERT_TRUE(c.Open());
    EXPECT_TRUE(c.alive->running);
    EXPECT_TRUE(c.silence->running);
    EXPECT_EQ(c.alive->starts.back(), 5000);
    EXPECT_EQ(c.silence->starts.back(), 15000);
    const std::size_t before = c.t.server.Frames().size();
    c.alive->Fire();
    ASSERT_TRUE(c.t.server.WaitForFrames(before + 1));
    EXPECT_EQ(ParseFrame(c.t.server.Frames().back()).keyword, Keyword::Alive);
    EXPECT_TRUE(c.alive->running) << "again after the next idle stretch";
    // Bytes from the partner start its silence anew; silence ends the game.
    const std::size_t silenceStarts = c.silence->starts.size();
    c.t.server.socket.SendText("ALIVE" + FE + FF);
    ASSERT_TRUE(PumpUntil([&] { return c.silence->starts.size() > silenceStarts; }));
    EXPECT_TRUE(c.C().listener.notes.empty());
    c.silence->Fire();
    ASSERT_TRUE(PumpUntil([&] { return !c.C().listener.closed.empty(); }));
    EXPECT_EQ(c.C().listener.closed[0].first, SessionListener::Ending::ConnectionLost);
    EXPECT_EQ(c.C().listener.closed[0].second,
              "Connection to Ann lost. The network game will now terminate.");
    EXPECT_FALSE(c.alive->running);
    EXPECT_TRUE(PumpUntil([&] { return c.t.server.events.Count("closed") == 1; }));

    // A partner that never announced is never expected to say anything.
    CheckedClient old;
    ASSERT_TRUE(old.Open(false));
    EXPECT_FALSE(old.alive->running);
    EXPECT_FALSE(old.silence->running);
}

// The table's own move is running: what the partner sends waits, then
// applies in order, and a close that came behind it ends the session last.
TEST(SessionChecks, HeldFramesWaitForTheGateAndApplyInOrder) {
    ClientWithPeer t;
    ASSERT_TRUE(t.Open());
    t.server.socket.SendText(DealFrame('0')); // this side starts
    ASSERT_TRUE(PumpUntil([&] { return t.client.engine.State().playerHand.count > 0; }));
    const GameState& s = t.client.engine.State();
    ASSERT_FALSE(s.opponentToMove);
    bool open = false;
    t.client.session.SetGate([&] { return open; });
    const int hand = s.opponentHand.count;
    const int drawn = s.stock[s.stock.count - 1].code;
    // Out of turn, as a fast partner's move may seem: still applied.
    t.server.socket.SendText("DRAWNEW" + FE + FF + "DISCARD" + FE + std::to_string(drawn) + FF);
    t.server.socket.Disconnect();
    ASSERT_TRUE(PumpUntil([&] { return t.client.session.HasHeldFrames(); }));
    for (int round = 0; round < 20; ++round) {
        QCoreApplication::processEvents(); // the close is noticed too
    }
    EXPECT_TRUE(t.client.listener.closed.empty()) << "the close waits behind the moves";
    EXPECT_EQ(s.opponentHand.count, hand);
    open = true;
    t.client.session.ApplyHeldFrames();
    EXPECT_EQ(s.discardPile.count > 0 ? s.discardPile[s.discardPile.count - 1].code : 0, drawn);
    EXPECT_EQ(s.opponentHand.count, hand);
    EXPECT_TRUE(t.client.listener.notes.empty()) << t.client.listener.notes.front();
    ASSERT_EQ(t.client.listener.closed.size(), 1u);
    EXPECT_EQ(t.client.listener.closed[0].first, SessionListener::Ending::ConnectionLost);
    EXPECT_FALSE(t.client.session.HasHeldFrames());
}

} // namespace
} // namespace varenta

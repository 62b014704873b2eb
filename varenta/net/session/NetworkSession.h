// A network game's session: the connection to the other program, the
// handshake, the frames both ways, and the other player's moves applied to
// this table's opponent side. The table window (or the simulator) listens
// for what the user must see.
#pragma once

#include <QtGlobal>

#include "varenta/engine/GameState.h"
#include "varenta/engine/MoveReporter.h"
#include "varenta/net/session/ConnectionStatus.h"
#include "varenta/net/session/SessionFrames.h"
#include "varenta/net/socket/NetTimer.h"
#include "varenta/net/socket/TcpSocket.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace varenta {

class VarentaEngine;

enum class SessionRole { Client = 0, Server = 1, Idle = 2 };

namespace texts {
inline constexpr std::string_view kNoPartnerYet = "<none>";
inline constexpr std::string_view kVersionMismatch[3] = {
    QT_TRANSLATE_NOOP("varenta", "You have version "),
    QT_TRANSLATE_NOOP("varenta", " and your opponent has version "),
    QT_TRANSLATE_NOOP("varenta", ". Please use the same version.")};
inline constexpr std::string_view kConnectionLost[2] = {
    QT_TRANSLATE_NOOP("varenta", "Connection to "),
    QT_TRANSLATE_NOOP("varenta", " lost. The network game will now terminate.")};
inline constexpr std::string_view kSocketProblem =
    QT_TRANSLATE_NOOP("varenta", "The following problem occurred using TCP/IP functionality: ");
inline constexpr std::string_view kUnknownToken = QT_TRANSLATE_NOOP("varenta", "Unknown token: ");
inline constexpr std::string_view kSelfChatGreeting = QT_TRANSLATE_NOOP(
    "varenta", "Connection established. Type text and press ENTER to send a message.");
inline constexpr std::string_view kOppChatGreeting[2] = {
    QT_TRANSLATE_NOOP("varenta", "Messages from "),
    QT_TRANSLATE_NOOP("varenta", " will appear here.")};
inline constexpr std::string_view kConfirmDisconnect =
    QT_TRANSLATE_NOOP("varenta", "Are you sure you want to disconnect?");
inline constexpr std::string_view kConfirmQuitNetworkGame =
    QT_TRANSLATE_NOOP("varenta", "You have a network game running. Are you sure you want to quit?");
// Notes for the chat window about what the other program sent and this one
// could not use; the session goes on.
inline constexpr std::string_view kNoteFrameTooLong = QT_TRANSLATE_NOOP(
    "varenta", "A message from your opponent was longer than 255 bytes and was ignored.");
inline constexpr std::string_view kNoteMalformed = QT_TRANSLATE_NOOP(
    "varenta", "A message from your opponent could not be read and was ignored: ");
inline constexpr std::string_view kNoteNotNow = QT_TRANSLATE_NOOP(
    "varenta", "A message from your opponent came at the wrong moment and was ignored: ");
inline constexpr std::string_view kNoteMoveRefused = QT_TRANSLATE_NOOP(
    "varenta", "Your opponent's move does not match this table and was ignored: ");
// The two tables compared their games (after a hand, or when asked to).
inline constexpr std::string_view kTablesParted[2] = {
    QT_TRANSLATE_NOOP("varenta", "Your table and your opponent's no longer hold the same game ("),
    QT_TRANSLATE_NOOP("varenta", "). The network game is given up on both tables.")};
inline constexpr std::string_view kPartedAfterHand =
    QT_TRANSLATE_NOOP("varenta", "found after hand ");
inline constexpr std::string_view kPartedNow =
    QT_TRANSLATE_NOOP("varenta", "found when the tables were compared");
inline constexpr std::string_view kPartedByPartner =
    QT_TRANSLATE_NOOP("varenta", "found by your opponent's table");
inline constexpr std::string_view kTablesAgree =
    QT_TRANSLATE_NOOP("varenta", "Both tables hold the same game.");
inline constexpr std::string_view kTablesNotCompared = QT_TRANSLATE_NOOP(
    "varenta",
    "The tables could not be compared just now because a move was on its way. Try again.");
inline constexpr std::string_view kTablesRulesDiffer = QT_TRANSLATE_NOOP(
    "varenta", "The tables are not compared while your rules and your opponent's differ.");
inline constexpr std::string_view kTablesCannotCompare =
    QT_TRANSLATE_NOOP("varenta", "Your opponent's program cannot compare tables.");
// A lost connection that keeps the game, and its return.
inline constexpr std::string_view kPartnerAway[2] = {
    QT_TRANSLATE_NOOP("varenta", "The connection to "),
    QT_TRANSLATE_NOOP("varenta",
                      " was lost. The game is kept and waits for your opponent to come back.")};
inline constexpr std::string_view kGameResumed = QT_TRANSLATE_NOOP(
    "varenta", "The connection is back and both tables hold the same game: play goes on.");
inline constexpr std::string_view kPartedAtResume =
    QT_TRANSLATE_NOOP("varenta", "found when the game was to go on");
inline constexpr std::string_view kNothingToResume = QT_TRANSLATE_NOOP(
    "varenta", "Your opponent's table holds no game to go on with: a new game begins.");
} // namespace texts

// The frame by which a program says that it understands the added keywords
// (DIGEST, ALIVE). It is made of keywords that every program ignores without
// a word, so a partner that knows nothing of them sees nothing at all.
std::string ChecksAnnouncement();
// The frame by which a program says that it can go on with a game after a
// lost connection (RESUME). Ignored keywords again, but a different frame
// than the checks' one, so a program that knows only the checks ignores it
// as well. It goes out before PLAYERID, so that each side knows it when the
// handshake decides between a fresh deal and the kept game.
std::string ResumeAnnouncement();
// The partner's nickname in a kept line's record (empty when it has none).
std::string PartnerOfKeptLine(std::string_view record);
// Game frames this side keeps after sending them, to send again to a partner
// that did not receive them before the connection was lost.
inline constexpr std::size_t kResendKept = 512;
// The fingerprint both tables compare before a kept game goes on: the game
// as GameDigest sees it (mirrored: as the other table sees this one), and
// the rules each side plays by, this side's as they are now and the
// partner's as they were when the line was lost. A side whose rules changed
// while it was away (a restart with other settings) does not go on.
std::uint64_t ResumeDigest(const VarentaEngine& engine, std::string_view ownRules,
                           std::string_view partnerRules, bool mirrored);
inline constexpr int kAliveIntervalMs = 5000; // an idle side says it is still there
inline constexpr int kSilenceLimitMs = 15000; // a partner this long silent is gone

// What the user sees of the session. Every call comes from the event loop,
// after the session's own state is settled, so a listener may show a modal
// box or call back into the session.
class SessionListener {
public:
    virtual ~SessionListener() = default;
    // The connecting side reached the other program, or the listening side
    // accepted it: stop the address exchange and its timers.
    virtual void PartnerReached(SessionRole /*role*/) {}
    // The handshake is done: ConnectionStatus 2 with this partner. The chat
    // window shows kSelfChatGreeting and kOppChatGreeting now.
    virtual void SessionOpened(std::string_view /*partnerNickname*/) {}
    virtual void ChatReceived(std::string_view /*line*/) {}
    // A line for the chat window about a frame that was dropped.
    virtual void Note(std::string_view /*text*/) {}
    // A frame with a keyword this program does not know; the session goes on.
    virtual void UnknownToken(std::string_view text) { Note(text); }
    // The outcome of comparing the two tables when the user asked for it
    // (they agree, or could not be compared just now).
    virtual void TablesCompared(std::string_view /*text*/) {}
    // The partner's rules text (twelve fields): compare and show differences.
    virtual void RulesReceived(std::string_view /*partnerRules*/) {}
    virtual void StatusChanged(ConnectionStatus /*status*/) {}
    // A deal or move of the other player arrived and is about to be applied
    // to this table (it was well formed and came in the opponent's turn).
    virtual void MoveReceived(const SessionMessage& /*message*/) {}
    // The session ended by itself (CloseSession has run; a CloseSession this
    // program asks for is not reported). How it ended, with the text of the
    // box to show: a version mismatch (information), the connection lost
    // (warning), a socket problem (error), or the two tables found holding
    // different games (warning; the game is given up on both).
    enum class Ending { VersionMismatch, ConnectionLost, SocketProblem, TablesParted };
    virtual void SessionClosed(Ending /*ending*/, std::string_view /*message*/) {}
    // The connection was lost but the game is kept (both programs can go on
    // with it): the session waits for the partner to come back. A listening
    // side listens again by itself; a connecting side is reconnected by its
    // caller (TryConnect).
    virtual void ConnectionInterrupted(std::string_view /*message*/) {}
    // After the reconnect both tables found they hold the same game.
    virtual void GameResumed(std::string_view /*message*/) {}
    // The partner came back without the game (a fresh program): the kept
    // game is dropped and a new one begins.
    virtual void GameNotResumed(std::string_view /*message*/) {}
};

class NetworkSession : public MoveReporter, private SocketEvents {
public:
    // The session plays the engine's opponent side; the watcher is the loop
    // its socket lives in. Both must outlive the session.
    NetworkSession(VarentaEngine& engine, SocketWatcher& watcher);
    ~NetworkSession() override;
    NetworkSession(const NetworkSession&) = delete;
    NetworkSession& operator=(const NetworkSession&) = delete;

    void SetListener(SessionListener* listener) {
        listener_ = listener != nullptr ? listener : &defaultListener_;
    }
    // Every local move sent is also reported here (a trace, say), since the
    // session is the engine's one move reporter while it is open.
    void SetAlsoReport(MoveReporter* reporter) {
        alsoReport_ = reporter != nullptr ? reporter : &defaultReporter_;
    }
    // Whether received frames may be applied now. The table holds them while
    // an operation of its own runs (a card on its way, a pause, an open
    // box): they wait, in order, for ApplyHeldFrames. Default: always.
    void SetGate(std::function<bool()> mayApply) {
        mayApply_ = mayApply ? std::move(mayApply) : [] { return true; };
    }
    // Frames (or the end of the session) waiting for the gate to open.
    bool HasHeldFrames() const { return !frames_.empty() || pendingEnd_.has_value(); }
    void ApplyHeldFrames() { ProcessFrames(); }
    // The keep-alive's two timers: when to say this side is still there, and
    // how long the partner may be silent (tests hand in timers they fire).
    void SetKeepAliveTimers(std::unique_ptr<NetTimer> alive, std::unique_ptr<NetTimer> silence);

    // Becomes the listening side on port (31415 in the game; "0" picks one).
    // When the port is taken already, portTakenHint (if any) ends the
    // message of the socket problem: the caller knows who may hold it.
    bool Listen(std::string_view port, std::string_view portTakenHint = {});
    // Becomes the listening side of a partner who comes through a relay:
    // nothing listens here, TakeConnection hands each partner in.
    void AwaitRelayed();
    bool AwaitsRelayed() const { return relayed_; }
    // A partner's connection made elsewhere (the relay's), taken as an
    // accepted one would be; false (and the connection dropped) when this
    // side waits for nobody.
    bool TakeConnection(std::unique_ptr<TcpSocket> connection);
    // Becomes the connecting side and starts one connect attempt; a failed
    // attempt is silent while waiting, so a timer may simply call TryConnect
    // again.
    bool Connect(std::string_view host, std::string_view port);
    bool TryConnect();
    // Connect attempts refused in a row since Connect: nobody listens there.
    int RefusedAttempts() const { return refusedAttempts_; }
    // CloseSession: ends listening or the connection, whatever the state.
    // A partner that can resume is told first that this is no lost link.
    void CloseSession();

    // Keeps the game when the connection is lost to a partner that can go on
    // with it (announced only when set; default: off, the game ends).
    void SetResumable(bool resumable) { resumable_ = resumable; }
    bool Resumable() const { return resumable_; }
    bool PartnerResumes() const { return partnerResume_; }
    // The connection was lost and the game waits: from the loss until both
    // tables agreed after the reconnect. No move may be made meanwhile.
    bool GameWaits() const { return suspended_; }
    // What the session must know to go on with a waiting game after this
    // program was closed: whom it plays, where to find them, the moves
    // counted and the frames kept for a resend. Plain lines of numbers, hex
    // and keywords; empty unless a game waits.
    std::string KeptLineRecord() const;
    // A program that starts again with a kept game: the session waits for
    // that partner as it did when the line was lost, listening again on the
    // same port or connecting to the same address (the caller retries).
    // False, with nothing changed, for a record that is no whole line record
    // or while a session is open.
    bool WaitWithKeptLine(std::string_view record);
    // The player no longer waits for the partner and plays on against the
    // computer from here: the session ends without a new deal, and a turn
    // the partner had begun is taken back so that the computer plays it
    // from its start (or deals, when the next hand's deal was awaited).
    // Not possible while the partner's turn is under way in a game taken up
    // again after a restart (its start is not known then).
    bool CanHandOverToComputer() const { return suspended_ && !partnerMidTurnUnknown_; }
    bool HandOverToComputer();
    // Cuts the connection without a word, as a failing line would (the
    // simulator's and the tests' cuts).
    void DropConnection();
    // Game frames sent and received in this game (across reconnects).
    int MovesSent() const { return movesSent_; }
    int MovesReceived() const { return movesReceived_; }

    void SendChat(std::string_view line);
    // Sends this side's rules (after the Rules dialog was confirmed).
    void SendRules();
    // Asks the partner to compare both tables as they stand; false when the
    // partner's program cannot (or no session is open).
    bool CompareTables();
    // The partner said it understands DIGEST and ALIVE.
    bool PartnerChecks() const { return partnerChecks_; }
    // Hands whose digests both tables compared in this session.
    int HandsCompared() const { return handsCompared_; }
    // Feeds received bytes as if read from the socket (tests, fuzzing).
    void ReceiveBytes(std::string_view bytes);

    // MoveReporter: the local player's moves, one frame each.
    void Deal(std::string_view dealString) override;
    void DrawNew(const Card& card) override;
    void DrawPileTop(const Card& card) override;
    void DrawPileRest() override;
    void UndoPile() override;
    void Meld(int code) override;
    void MeldWildCard(int code, int column) override;
    void Undo(int column, int code) override;
    void Discard(int code) override;
    void DiscardRedThree(int code) override;
    void PassDiscard() override;
    void Rules(std::string_view rulesText) override;
    void HandScored() override;

    SessionRole sessionRole() const { return role_; }
    ConnectionStatus connectionStatus() const { return connectionStatus_; }
    bool sessionOpen() const { return sessionOpen_; }
    const std::string& partnerNickname() const { return partnerNickname_; }
    const std::string& partnerRules() const { return partnerRules_; }
    std::string ownNickname;
    // The status bar's text for the current ConnectionStatus.
    std::string StatusText() const;
    TcpSocket& Socket() { return *socket_; }
    int ListenPort() const { return socket_->ListenPort(); }

private:
    void DataAvailable(TcpSocket& socket) override;
    void SessionAvailable(TcpSocket& socket) override;
    void Accepted();
    void SessionConnected(TcpSocket& socket) override;
    void SessionClosed(TcpSocket& socket) override;
    void ErrorOccurred(TcpSocket& socket, const SocketError& error) override;

    void SendSessionMessage(Keyword keyword, std::string_view payload);
    void ProcessFrames();
    void HandleFrame(std::string_view frame);
    void HandleDigest(const SessionMessage& message);
    void CompareHand(int hand);
    bool RulesAgree() const;
    void SendTablesNow(std::string_view kind);
    // Gives the game up on both tables: tells the partner, then ends.
    void Part(const std::string& where, bool tellPartner);
    void StartKeepAlive();
    void StopKeepAlive();
    void ForgetLine();
    void PartnerSilent();
    // Ends the session once the frames before it are applied (afterFrames)
    // or before any other frame.
    // `partedWhere` not empty: the partner is told first that the tables parted.
    void EndWhenApplied(SessionListener::Ending ending, std::string message, bool afterFrames,
                        std::string partedWhere = {});
    void HandlePlayerId(const SessionMessage& message);
    void HandleResume(const SessionMessage& message);
    bool KeepsGame() const;
    void CutLine();
    void Suspend();
    void DropKeptGame();
    void StartGame();
    void HandleRules(const SessionMessage& message);
    bool ApplyMove(const SessionMessage& message);
    void SetStatus(ConnectionStatus status);
    void StartSession(SessionRole role);
    void End(SessionListener::Ending ending, const std::string& message);
    void Note(std::string_view prefix, const SessionMessage& message);

    VarentaEngine& engine_;
    std::unique_ptr<TcpSocket> socket_;
    SessionListener defaultListener_;
    SessionListener* listener_ = &defaultListener_;
    MoveReporter defaultReporter_;
    MoveReporter* alsoReport_ = &defaultReporter_;
    FrameReader reader_;
    std::deque<std::string> frames_; // cut, not yet handled
    bool handling_ = false;          // a frame is being handled (boxes may nest)
    std::function<bool()> mayApply_ = [] { return true; };
    struct PendingEnd {
        SessionListener::Ending ending;
        std::string message;
        bool afterFrames = true;
        std::string partedWhere; // the partner is told first when the tables parted
    };
    std::optional<PendingEnd> pendingEnd_;
    SocketWatcher& watcher_;
    // The added checks: whether the partner understands them, the digests
    // of the hands scored (this table's own, and the partner's, by hand
    // number), and the game moves sent and received in this session.
    bool partnerChecks_ = false;
    int handsScored_ = 0;
    int handsCompared_ = 0;
    struct HandDigests {
        std::optional<std::uint64_t> expected; // the partner's, as this table sees it
        std::optional<std::uint64_t> partner;  // as the partner sent it
    };
    std::map<int, HandDigests> handDigests_;
    int movesSent_ = 0;
    int movesReceived_ = 0;
    std::deque<std::string> sentLog_; // the last game frames sent, for a resend
    // The resume: whether it may and whether the partner can, a game kept
    // over a lost connection, and a partner that left on purpose.
    bool resumable_ = false;
    bool partnerResume_ = false;
    bool suspended_ = false;
    bool partnerLeft_ = false;
    bool rulesDifferNoted_ = false;
    std::string keptPartnerRules_; // the partner's rules when the line was lost
    // The table before the partner's turn under way, whether that start is
    // unknown (a game taken up again mid-turn), and whether the next move is
    // a new hand's deal.
    std::optional<GameState> partnerTurnStart_;
    bool partnerMidTurnUnknown_ = false;
    bool dealAwaited_ = false;
    std::unique_ptr<NetTimer> aliveTimer_;
    std::unique_ptr<NetTimer> silenceTimer_;
    SessionRole role_ = SessionRole::Idle;
    ConnectionStatus connectionStatus_ = ConnectionStatus::NotConnected;
    bool sessionOpen_ = false;
    bool handshakeDone_ = false;
    int refusedAttempts_ = 0;
    int listenedPort_ = 0; // where a listening side listens again after a loss
    bool relayed_ = false; // the listening side's partners come through a relay
    std::string portTakenHint_;
    std::string partnerNickname_{texts::kNoPartnerYet};
    std::string partnerRules_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace varenta

// A relayed address on a relay server (TURN with TCP relaying), for a
// listening side that no partner can reach: the allocation is asked for over
// a control connection, kept alive before its lifetime ends, and opened to
// the partners' addresses only. When a partner connects to the relayed
// address the server says so on the control connection; a new connection to
// the server is then bound to it and, from then on, carries the partner's
// bytes exactly as an accepted socket would. Events come from the watcher's
// loop, never from inside a call of the owner.
#pragma once

#include <QtGlobal>

#include "varenta/net/nat/TurnMessage.h"
#include "varenta/net/socket/NetTimer.h"
#include "varenta/net/socket/TcpSocket.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace varenta {

struct TurnServer {
    std::string host;
    int port = kTurnDefaultPort;
    std::string user;
    std::string password;
    bool tls = false; // TURN over TLS, the server's certificate checked
    // The authorities a TLS server's certificate must chain to, a PEM file;
    // empty: the system's store.
    std::string trustFile;
    // host:port as the user wrote it, for the texts.
    std::string Name() const;
    bool operator==(const TurnServer&) const = default;
};

namespace texts {
inline constexpr std::string_view kRelayLogin[2] = {
    QT_TRANSLATE_NOOP("varenta", "The relay at "),
    QT_TRANSLATE_NOOP("varenta", " refused the user name or password.")};
inline constexpr std::string_view kRelayRefused[2] = {
    QT_TRANSLATE_NOOP("varenta", "The relay at "),
    QT_TRANSLATE_NOOP("varenta", " refused to relay (")};
inline constexpr std::string_view kRelayUnreadable[2] = {
    QT_TRANSLATE_NOOP("varenta", "The relay at "),
    QT_TRANSLATE_NOOP("varenta", " sent an answer that cannot be read (")};
inline constexpr std::string_view kRelayUnsigned[2] = {
    QT_TRANSLATE_NOOP("varenta", "The relay at "),
    QT_TRANSLATE_NOOP("varenta", " answered without proof that it knows the password.")};
inline constexpr std::string_view kRelayUnreachable[2] = {
    QT_TRANSLATE_NOOP("varenta", "The relay at "),
    QT_TRANSLATE_NOOP("varenta", " cannot be reached (")};
inline constexpr std::string_view kRelayLost[2] = {
    QT_TRANSLATE_NOOP("varenta", "The connection to the relay at "),
    QT_TRANSLATE_NOOP("varenta", " was lost.")};
inline constexpr std::string_view kRelayBindFailed[2] = {
    QT_TRANSLATE_NOOP("varenta", "A partner's connection through the relay at "),
    QT_TRANSLATE_NOOP("varenta", " could not be taken (")};
// The reasons inside those parentheses.
inline constexpr std::string_view kRelayErrorCode = QT_TRANSLATE_NOOP("varenta", "error ");
inline constexpr std::string_view kRelayAnError = QT_TRANSLATE_NOOP("varenta", "an error");
inline constexpr std::string_view kRelayNotAnswer =
    QT_TRANSLATE_NOOP("varenta", "not a relay's answer");
inline constexpr std::string_view kRelayBindClosed =
    QT_TRANSLATE_NOOP("varenta", "the server closed it");
inline constexpr std::string_view kRelayOtherAnswer =
    QT_TRANSLATE_NOOP("varenta", "an answer to another request");
inline constexpr std::string_view kRelayNoAnswer = QT_TRANSLATE_NOOP("varenta", "not an answer");
inline constexpr std::string_view kRelayAnswerUnsigned =
    QT_TRANSLATE_NOOP("varenta", "the answer is not signed");
inline constexpr std::string_view kRelayNotMessage =
    QT_TRANSLATE_NOOP("varenta", "not a relay's message");
inline constexpr std::string_view kRelayNoLifetime = QT_TRANSLATE_NOOP("varenta", "no lifetime");
inline constexpr std::string_view kRelayNoAddress =
    QT_TRANSLATE_NOOP("varenta", "no relayed address and lifetime");
} // namespace texts

class TurnRelay {
public:
    // The allocation's lifetime asked for; a permission lasts five minutes.
    static constexpr std::uint32_t kAskedLifetimeS = 600;
    static constexpr std::uint32_t kPermissionLifetimeS = 300;
    static constexpr std::uint32_t kRefreshMarginS = 60;
    // Stale nonces replaced in a row before the server is given up on.
    static constexpr int kNonceRenewals = 3;
    // How long the allocation outlives a game that ended (Linger).
    static constexpr int kLingerMs = 2000;

    struct Events {
        // The relayed address ("IP:PORT", "[IPv6]:PORT") is held, before any
        // peer may come in: what the player can give the partner already.
        std::function<void(const std::string& relayed)> allocated;
        // The relayed address is open to the peers.
        std::function<void(const std::string& relayed)> ready;
        // A peer connected: the bound connection, and the peer's address.
        std::function<void(std::unique_ptr<TcpSocket> connection, const std::string& peer)> partner;
        // The allocation was refused, or the relay was lost: the relay has
        // stopped. Once per Start.
        std::function<void(const std::string& problem)> failed;
        // A peer's connection could not be bound; the relay goes on.
        std::function<void(const std::string& text)> note;
    };
    // Makes the sockets to the server; by default a TLS one for a server
    // with tls, a plain one otherwise.
    using SocketMaker =
        std::function<std::unique_ptr<TcpSocket>(SocketWatcher&, const TurnServer&)>;

    explicit TurnRelay(SocketWatcher& watcher, std::unique_ptr<NetTimer> refreshTimer = nullptr,
                       SocketMaker makeSocket = nullptr);
    ~TurnRelay();
    TurnRelay(const TurnRelay&) = delete;
    TurnRelay& operator=(const TurnRelay&) = delete;

    // Asks the server for a relayed TCP address open to the peers' IP
    // addresses (the port of a peer does not matter). A running relay is
    // stopped first, without a word.
    void Start(TurnServer server, std::vector<std::string> peers, Events events);
    // Asks for the relayed address alone, open to nobody yet: it is kept
    // and refreshed until Permit names the peers (or Stop ends it).
    void Allocate(TurnServer server, Events events);
    // Opens the running allocation to the peers' IP addresses, now or as
    // soon as the server granted it; the events replace the ones given.
    void Permit(std::vector<std::string> peers, Events events);
    // Closes the control connection (which ends the allocation) and every
    // connection not yet handed over.
    void Stop();
    // Stops once the last bytes written to the partners have had time to
    // pass: the server ends an allocation's connections with it, and would
    // drop what it had not yet passed on. No more events, no more partners.
    void Linger();
    bool Running() const { return running_ && !lingering_; }
    bool Lingering() const { return lingering_; }
    bool Ready() const { return ready_; }
    const std::string& RelayedAddress() const { return relayed_; }
    const TurnServer& Server() const { return server_; }

    // The pause before the allocation and permissions are refreshed, for the
    // lifetime the server granted: a minute before the earlier of the two
    // ends, or half way when that is shorter.
    static int RefreshDelayMs(std::uint32_t lifetimeS);

private:
    class ControlEvents;
    class Binding;
    struct Pending {
        TurnMessage request; // unsigned; signed on each sending
        bool sentSigned = false;
        int nonceRenewals = 0;
    };

    void Connect();
    void SendRequest(TurnMessage request, int nonceRenewals = 0);
    void Send(const stun::TransactionId& id);
    void ControlReadable();
    void ControlClosed();
    void ControlError(const SocketError& error);
    void Handle(std::string_view frame);
    void Answered(Pending pending, const TurnMessage& answer);
    void Allocated(const TurnMessage& answer);
    void GrantPermissions();
    void Refresh();
    void Attempt(const TurnMessage& indication);
    void Bound(Binding& binding, bool ok, const std::string& problem);
    // Takes a 401's or 438's realm and nonce; false when it gives none.
    bool TakeNonce(const TurnMessage& answer);
    void Fail(const std::string& problem);
    void RetireBindings();
    void Close();
    std::string Text(const std::string_view (&parts)[2]) const;

    SocketWatcher& watcher_;
    std::unique_ptr<NetTimer> timer_;
    SocketMaker makeSocket_;
    TurnServer server_;
    std::vector<std::string> peers_;
    Events events_;
    std::unique_ptr<ControlEvents> controlEvents_;
    std::unique_ptr<TcpSocket> control_;
    std::string buffer_; // the control stream, not yet a whole message
    std::optional<TurnCredentials> credentials_;
    std::map<stun::TransactionId, Pending> pending_;
    std::vector<std::unique_ptr<Binding>> bindings_;
    std::string relayed_;
    bool running_ = false;
    bool ready_ = false;
    bool lingering_ = false;
    std::shared_ptr<int> generation_ = std::make_shared<int>(0);
};

} // namespace varenta

// The connection's whole life for a table or the simulator: which side
// listens, the connect retries, the game port on the router while this side
// listens, the address exchange by e-mail, and what happens when the session
// ends. What the user must see goes to a listener; the window (or the
// simulator) keeps only the showing.
#pragma once

#include "varenta/engine/VarentaPort.h"
#include "varenta/net/mail/MailAccount.h"
#include "varenta/net/nat/PortMapping.h"
#include "varenta/net/nat/TurnRelay.h"
#include "varenta/net/session/ConnectionStatus.h"
#include "varenta/net/session/NetworkSession.h"
#include "varenta/net/socket/HostPort.h"
#include "varenta/net/socket/NetTimer.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varenta {

class AddressExchange;

// What the user sees of the connection. Besides the session's own reports
// (which arrive here too, after this side's part is done):
class NetworkPlayListener : public SessionListener {
public:
    virtual void ConnectionChanged(ConnectionStatus /*status*/) {}
    // A line for the status bar, and one for the chat window if it is open.
    virtual void Hint(const QString& /*text*/) {}
    virtual void ChatNote(const QString& /*text*/) {}
    // A message box of the connection's end (the session ended by itself).
    virtual void Box(MessageKind /*kind*/, const QString& /*text*/) {}
    // The session is over and the connection's part of that is done; a game
    // had been played with the partner when hadGame.
    virtual void SessionEnded(bool /*hadGame*/) {}
    // The connecting side gave up after the attempts it was given.
    virtual void ConnectGivenUp() {}
    // The relayed address ("IP:PORT") is open to the partner: the address
    // to give them.
    virtual void RelayReady(const QString& /*relayed*/) {}
    // The relay could not be had, or was lost before a partner came; a box
    // with the same text follows.
    virtual void RelayFailed(const QString& /*problem*/) {}
};

struct NetworkPlayServices {
    std::string sessionPort;                                 // empty: kSessionPort
    std::function<std::unique_ptr<PortMapper>()> portMapper; // empty: the router; nothing: none
    std::function<bool(const QString&)> yesNo;               // the same-address question
    // This machine's global IPv6 addresses, the first of which the router's
    // firewall is asked to let partners through to (empty: the machine's own).
    std::function<std::vector<std::string>()> ownIPv6;
    std::unique_ptr<NetTimer> retryTimer; // the connect retries' clock
    // How an event that does not come from the session's socket runs (the
    // partner's address from the mail exchange): the table runs it as a
    // socket event. Empty: at once.
    std::function<void(const std::function<void()>&)> runEvent;
    // Whether a listening side whose port is taken is told that another
    // copy on this computer may hold it.
    bool portTakenHint = true;
    // Connect retries before giving up (0: until the user stops).
    int connectAttempts = 0;
    // A game is kept over a lost connection to a partner that can go on with
    // it, and the link is made again by itself.
    bool resumable = false;
    // The address exchange by e-mail (made only when mailExchange is set).
    bool mailExchange = false;
    MailAccount mailAccount;
    // The relay's refresh clock and its sockets (tests, TLS); empty: a Qt
    // timer, plain TCP.
    std::unique_ptr<NetTimer> relayTimer;
    TurnRelay::SocketMaker relaySockets;
    QString mailTrustFile; // authorities for the mail servers' TLS; empty: the system's
};

class NetworkPlay : private NetworkPlayListener {
public:
    static constexpr int kTryConnectMs = 1000;
    static constexpr const char* kSessionPort = "31415";
    // Refused connect attempts in a row after which the user is told that
    // nobody listens there (and again after each further such run).
    static constexpr int kRefusalsBeforeHint = 10;
    // The reconnect after a lost link: the first pause, doubled after every
    // attempt up to the longest.
    static constexpr int kReconnectFirstMs = 250;
    static constexpr int kReconnectLongestMs = 8000;

    // The session plays the engine's opponent side in the watcher's loop;
    // both must outlive this.
    NetworkPlay(VarentaEngine& engine, SocketWatcher& watcher, NetworkPlayServices services = {});
    ~NetworkPlay() override;
    NetworkPlay(const NetworkPlay&) = delete;
    NetworkPlay& operator=(const NetworkPlay&) = delete;

    void SetListener(NetworkPlayListener* listener);
    NetworkSession& Session() { return *session_; }
    const NetworkSession& Session() const { return *session_; }

    ConnectionStatus Status() const { return status_; }
    std::string StatusText() const;
    // Sets the status and tells the listener (the connect dialog was
    // confirmed: Waiting; the mail exchange could not start: NotConnected).
    void SetStatus(ConnectionStatus status);

    // Which side listens, from the own and the partner's address text; the
    // e-mail exchange calls it too once the partner's address arrived.
    void DecideRole(const QString& own, const QString& partner);
    // Listens on the session port; false when that failed (the session
    // reported why).
    bool BecomeServer();
    void BecomeClient(const QString& partner);
    // The partner's text as "host:port" ("[IPv6]:port"): a side listening
    // at that port. Nothing for an address alone.
    static std::optional<HostPort> PartnerWithPort(const QString& partner);
    // Listens through the relay server instead, for partners from these IP
    // addresses; the relayed address comes to RelayReady. An allocation
    // prepared on the same server is the one taken.
    void BecomeRelayedServer(const TurnServer& server, std::vector<std::string> peers);
    // Takes a relayed address before the partner is known (the connect
    // dialog shows it while the player still types): told, once, either the
    // address or why there is none, with the other text empty. It stays,
    // open to nobody, until BecomeRelayedServer or EndPreparedRelay.
    void
    PrepareRelay(const TurnServer& server,
                 std::function<void(const std::string& relayed, const std::string& problem)> told);
    // The prepared allocation is not wanted (the dialog was cancelled, or
    // the game goes another way): the relay lets it go.
    void EndPreparedRelay();
    // The relay in use (nothing when this side takes its partner directly).
    const TurnRelay* Relay() const { return relay_ && relay_->Running() ? relay_.get() : nullptr; }
    // Ends the relay after a moment in which the last frames reach the
    // partner (a program about to end waits while it lingers).
    void LingerRelay() {
        if (relay_) {
            relay_->Linger();
        }
    }
    bool RelayLingers() const {
        return (relay_ && relay_->Lingering()) || (lingeringRelay_ && lingeringRelay_->Lingering());
    }
    // "Connected through the relay at HOST:PORT." or "Connected directly."
    // for the session open now; empty while none is.
    QString PathText() const;
    // Connects to partner and retries every kTryConnectMs while nobody
    // answers.
    void ConnectTo(const QString& partner);
    // One connect retry, as the retry timer runs it.
    void tmTryConnectTimer();
    bool TryingToConnect() const { return retrying_; }
    // Waiting for the partner of a kept game to come back.
    bool Reconnecting() const { return reconnecting_; }
    // The pause before the next reconnect attempt.
    int ReconnectPauseMs() const { return reconnectPauseMs_; }
    std::string SessionPort() const;

    // A new connect: the address exchange may start again.
    void BeginConnecting() { addressExchangeStopped_ = false; }
    // The address exchange by e-mail plugs in here: starting it after the
    // connect dialog (own addresses, partner's mail address), and stopping
    // it. Both are the mail exchange's when it is made.
    std::function<void(const QStringList&, const QString&)> startAddressMail;
    std::function<void()> stopAddressMail;
    AddressExchange& MailExchange() { return *mailExchange_; }
    void SetMailAccount(const MailAccount& account);
    // Ends the address exchange: polling, connect retries.
    void StopAddressExchange();
    bool AddressExchangeStopped() const { return addressExchangeStopped_; }

    // The user disconnects: ends the session and the connection's part.
    void CloseSession();
    // The line record of a game that waits for its partner (empty when none
    // waits), and a program started again that waits with it: listening
    // again, or calling the partner with the growing pause of a lost line.
    std::string KeptLineRecord() const { return session_->KeptLineRecord(); }
    bool WaitWithKeptGame(std::string_view record);
    // The player no longer waits and plays on against the computer (see
    // NetworkSession::HandOverToComputer); the session ends without a deal.
    bool HandOverToComputer();

    // The router's port mapping, made the first time network play needs it
    // (nothing before, so a game against the computer never starts it).
    PortMapper* Router();
    PortMapper* RouterPortMapper() const { return portMapper_.get(); }
    // The last news about the game port on the router (empty: none).
    const QString& RouterPortNote() const { return routerNote_; }
    // Gives the game port on the router up (the program ends).
    void CloseRouterPort();
    // Removes the mapping now (the window closes).
    void ReleaseRouter();

private:
    // The session's reports.
    void PartnerReached(SessionRole role) override;
    void SessionOpened(std::string_view partnerNickname) override;
    void ChatReceived(std::string_view line) override;
    void Note(std::string_view text) override;
    void UnknownToken(std::string_view text) override;
    void TablesCompared(std::string_view text) override;
    void RulesReceived(std::string_view partnerRules) override;
    void StatusChanged(ConnectionStatus status) override;
    void MoveReceived(const SessionMessage& message) override;
    void SessionClosed(Ending ending, std::string_view message) override;
    void ConnectionInterrupted(std::string_view message) override;
    void GameResumed(std::string_view message) override;
    void GameNotResumed(std::string_view message) override;
    void ReconnectTimer();

    void SessionEnded(bool hadGame);
    void StartRetries();
    void StopRetries();
    void OpenRouterPort(int port);
    void RouterPortAnswered(int port, bool ok, const QString& problem);
    void PinholeAnswered(const QString& address, int port, bool ok, const QString& problem);
    void AttachAddressExchange();
    void RelayFailed(const std::string& problem);
    void MakeRelay();

    NetworkPlayServices services_;
    SocketWatcher& watcher_;
    std::unique_ptr<NetworkSession> session_;
    NetworkPlayListener defaultListener_;
    NetworkPlayListener* listener_ = &defaultListener_;
    std::unique_ptr<AddressExchange> mailExchange_;
    ConnectionStatus status_ = ConnectionStatus::NotConnected;
    QString partnerAddress_;  // for the connect retries
    std::string partnerPort_; // the partner's own port, when it named one
    bool addressExchangeStopped_ = false;
    bool retrying_ = false;
    bool reconnecting_ = false;
    int reconnectPauseMs_ = kReconnectFirstMs;
    int retries_ = 0; // since ConnectTo
    std::unique_ptr<PortMapper> portMapper_;
    bool portMapperMade_ = false;
    bool mapRouterPort_ = false; // the partner is not on this machine
    int refusalHintsShown_ = 0;  // runs of refused connects already told
    bool routerPortOpen_ = false;
    bool pinholeOpen_ = false;
    QString routerNote_;
    std::unique_ptr<TurnRelay> relay_;
    std::unique_ptr<TurnRelay> lingeringRelay_; // the last game's, letting its last frames pass
    bool relayPrepared_ = false;                // relay_ holds an allocation for the dialog
    QString relayName_;                         // the relay of the open session; empty: direct
};

} // namespace varenta

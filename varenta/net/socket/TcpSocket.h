// One TCP endpoint: connect or listen and accept, send and receive bytes,
// failures reported with the failing function's name and a code of the
// socket error table. Non-blocking (events from the watcher's loop) or
// blocking with a time-out per call. No GUI library in here.
#pragma once

#include "varenta/net/socket/SocketErrors.h"
#include "varenta/net/socket/SocketWatcher.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <vector>

namespace varenta {

class TcpSocket;

// Events of a socket, all called from the watcher's loop (never from inside
// a call of the owner), each at most once per occurrence.
class SocketEvents {
public:
    virtual ~SocketEvents() = default;
    virtual void DataAvailable(TcpSocket& /*socket*/) {}    // read with Receive
    virtual void DataNeeded(TcpSocket& /*socket*/) {}       // queued bytes all sent
    virtual void SessionAvailable(TcpSocket& /*socket*/) {} // call Accept
    virtual void SessionConnected(TcpSocket& /*socket*/) {}
    // The peer closed or reset the connection; reported once per connection.
    virtual void SessionClosed(TcpSocket& /*socket*/) {}
    virtual void ErrorOccurred(TcpSocket& /*socket*/, const SocketError& /*error*/) {}
};

class TcpSocket {
public:
    explicit TcpSocket(SocketWatcher& watcher);
    virtual ~TcpSocket();
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    void SetEvents(SocketEvents* events) { events_ = events; }

    int MaximumReceiveLength = 8192; // largest read of ReceiveAvailable
    std::string IPAddr;              // host name, dotted IPv4 or IPv6 address
    std::string Port;                // service name or decimal port number
    bool NonBlocking = true;
    int Timeout = 30; // seconds per blocking call; zero or less: none
    // More than zero: after Disconnect the connection stays open, unseen by
    // the owner, until what is queued is sent and the peer closes its end,
    // at most this long. For a relay, which drops what it still holds for
    // the peer as soon as this side's end closes.
    int CloseLingerMs = 0;

    // An address to connect to, its port included (as a name look-up gives it).
    struct Endpoint {
        sockaddr_storage address;
        socklen_t length;
    };

    // Each returns false when it failed; the failure has then been reported.
    virtual bool Connect(); // to IPAddr and Port, looked up here
    // To addresses already looked up, tried in order until one answers;
    // IPAddr and Port are not used.
    bool ConnectTo(std::vector<Endpoint> endpoints);
    bool Listen();
    bool Accept();
    void CancelListen();
    // Closes the connection after handing the kernel what is still queued, so
    // bytes already sent reach the peer.
    virtual void Disconnect();
    // Sends all of text: what the system does not take at once is queued and
    // sent as the socket becomes writable (blocking mode: waited for).
    bool SendText(std::string_view text);
    // One receive of at most size bytes: the count, 0 when nothing is there
    // (a closed peer is reported by SessionClosed), -1 after a reported error.
    long Receive(void* buffer, std::size_t size);
    // Receive of at most MaximumReceiveLength bytes as a string.
    std::string ReceiveAvailable();

    int Socket() const { return fd_; }
    int ListenSocket() const { return listenFd_; }
    bool Connected() const { return state_ == State::Connected; }
    bool Connecting() const { return state_ == State::Connecting; }
    bool Listening() const { return listenFd_ >= 0; }
    std::size_t PendingSendBytes() const { return sendQueue_.size() - sendOffset_; }
    // The port the listening socket is bound to (useful after Port "0").
    int ListenPort() const;
    // The own end's address of a socket: dotted IPv4 (also for IPv4 reached
    // over a dual-stack socket), otherwise the IPv6 text. Empty on failure.
    static std::string LocalAddress(int fd);
    // A service name for tcp or decimal digits; -1 when it is neither.
    static int ResolvePort(std::string_view port);
    // Connections of this process still lingering after their Disconnect:
    // a program about to end waits until there are none.
    static int LingeringCloses();

protected:
    // Takes fd, a connected stream socket made elsewhere, as this socket's
    // connection; SessionConnected follows from the loop.
    void Adopt(int fd);
    void ReportErrorText(int code, std::string_view function, std::string_view text);

    // The connection's byte stream with send/recv semantics (-1 and errno on
    // failure). A subclass may wrap it, for example in TLS, after connect.
    virtual long RawReceive(int fd, void* buffer, std::size_t size);
    virtual long RawSend(int fd, const void* data, std::size_t size);

private:
    enum class State { Idle, Connecting, Connected };

    int OpenNextCandidate();
    bool StartNextCandidate();
    bool FinishConnect(int soError);
    bool ConnectBlocking();
    void OnReady(int fd, bool readable, bool writable);
    void OnListenReady();
    void OnConnectionReadable();
    bool FlushQueue(); // false after a reported failure
    void UpdateWatch();
    void CloseConnection();
    void ReportError(int code, std::string_view function);
    void ReportSystemError(int err, std::string_view function); // err: errno
    void ReportClosedLater();
    void ReportConnectedLater();
    bool Alive(const std::weak_ptr<bool>& token) const { return !token.expired(); }

    SocketWatcher& watcher_;
    SocketEvents* events_ = nullptr;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    State state_ = State::Idle;
    int fd_ = -1;
    int listenFd_ = -1;
    bool readArmed_ = true;   // re-armed by Receive, as a classic FD_READ is
    bool listenArmed_ = true; // re-armed by Accept
    bool closedReported_ = false;
    bool waiting_ = false;
    int connection_ = 0; // counts connections, so a late report of one is dropped
    std::vector<Endpoint> candidates_;
    std::size_t nextCandidate_ = 0;
    std::string sendQueue_;
    std::size_t sendOffset_ = 0;
};

} // namespace varenta

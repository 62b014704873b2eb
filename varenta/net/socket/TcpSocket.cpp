#include "varenta/net/socket/TcpSocket.h"

#include "varenta/net/socket/NetTimer.h"

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <unistd.h>

namespace varenta {

namespace {

constexpr int kListenBacklog = 5;

// Game moves are a few small frames each: sent at once, not held back to be
// merged with the next one.
void SendWithoutDelay(int fd) {
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on));
}

void CloseQuietly(int fd) {
    if (fd >= 0) {
        ::close(fd);
    }
}

std::atomic<int> lingering{0};

// A disconnected connection kept open until its queue is sent and the peer
// has closed its end (what the peer still sends is read and dropped), or
// until its time is up. It owns itself through the watcher's call; the
// watcher ending first closes it at once.
class LingeringClose : public std::enable_shared_from_this<LingeringClose> {
public:
    LingeringClose(SocketWatcher& watcher, int fd, std::string rest)
        : watcher_(watcher), fd_(fd), rest_(std::move(rest)) {
        ++lingering;
    }
    ~LingeringClose() {
        --lingering;
        CloseQuietly(fd_);
    }
    LingeringClose(const LingeringClose&) = delete;
    LingeringClose& operator=(const LingeringClose&) = delete;

    void Begin(int milliseconds) {
        std::weak_ptr<LingeringClose> self = weak_from_this();
        timer_.expired = [self] {
            if (auto alive = self.lock()) {
                alive->Finish();
            }
        };
        timer_.Start(milliseconds);
        Watch();
    }

private:
    void Watch() {
        auto self = shared_from_this();
        watcher_.Watch(fd_, true, !rest_.empty(), [self](int, bool readable, bool writable) {
            self->Ready(readable, writable);
        });
    }
    void Ready(bool readable, bool writable) {
        if (fd_ < 0) {
            return;
        }
        if (writable && !rest_.empty()) {
            const long sent = ::send(fd_, rest_.data(), rest_.size(), MSG_NOSIGNAL);
            if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                Finish();
                return;
            }
            rest_.erase(0, sent > 0 ? static_cast<std::size_t>(sent) : 0);
        }
        if (readable) {
            char drop[4096];
            const long got = ::recv(fd_, drop, sizeof drop, MSG_DONTWAIT);
            if (got == 0 ||
                (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
                Finish();
                return;
            }
        }
        Watch();
    }
    void Finish() {
        if (fd_ < 0) {
            return;
        }
        auto self = shared_from_this(); // the watcher's call holds it no more
        timer_.Stop();
        watcher_.Watch(fd_, false, false, nullptr);
        ::shutdown(fd_, SHUT_RDWR);
        CloseQuietly(fd_);
        fd_ = -1;
        watcher_.Defer([self] {});
    }

    SocketWatcher& watcher_;
    int fd_;
    std::string rest_;
    QtNetTimer timer_;
};

} // namespace

int TcpSocket::LingeringCloses() {
    return lingering.load();
}

TcpSocket::TcpSocket(SocketWatcher& watcher) : watcher_(watcher) {}

TcpSocket::~TcpSocket() {
    alive_.reset();
    if (waiting_) {
        watcher_.CancelWait();
    }
    if (fd_ >= 0) {
        watcher_.Watch(fd_, false, false, nullptr);
        CloseQuietly(fd_);
    }
    if (listenFd_ >= 0) {
        watcher_.Watch(listenFd_, false, false, nullptr);
        CloseQuietly(listenFd_);
    }
}

int TcpSocket::ResolvePort(std::string_view port) {
    if (port.empty() || port.size() > 32) {
        return -1;
    }
    const std::string name(port);
    if (const servent* service = ::getservbyname(name.c_str(), "tcp")) {
        return ntohs(static_cast<std::uint16_t>(service->s_port));
    }
    if (!std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        name.size() > 5) {
        return -1;
    }
    const int value = std::stoi(name);
    return value <= 65535 ? value : -1;
}

bool TcpSocket::Connect() {
    if (Port.empty()) {
        ReportErrorText(kErrorInvalidArgument, "Connect", texts::kNoPortSpecified);
        return false;
    }
    if (IPAddr.empty()) {
        ReportErrorText(kErrorInvalidArgument, "Connect", texts::kNoAddressSpecified);
        return false;
    }
    const int port = ResolvePort(Port);
    if (port <= 0) {
        ReportError(kErrorInvalidArgument, "SConnect (getservbyname)");
        return false;
    }
    CloseConnection();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    const int resolved = ::getaddrinfo(IPAddr.c_str(), nullptr, &hints, &found);
    if (resolved != 0) {
        ReportError(SocketErrorFromResolver(resolved), "SConnect (socket)");
        return false;
    }
    std::vector<Endpoint> endpoints;
    for (const addrinfo* a = found; a != nullptr; a = a->ai_next) {
        if ((a->ai_family != AF_INET && a->ai_family != AF_INET6) ||
            a->ai_addrlen > sizeof(sockaddr_storage)) {
            continue;
        }
        Endpoint endpoint{};
        std::memcpy(&endpoint.address, a->ai_addr, a->ai_addrlen);
        endpoint.length = a->ai_addrlen;
        const auto netPort = htons(static_cast<std::uint16_t>(port));
        if (a->ai_family == AF_INET) {
            reinterpret_cast<sockaddr_in*>(&endpoint.address)->sin_port = netPort;
        } else {
            reinterpret_cast<sockaddr_in6*>(&endpoint.address)->sin6_port = netPort;
        }
        endpoints.push_back(endpoint);
    }
    ::freeaddrinfo(found);
    if (endpoints.empty()) {
        ReportError(11004, "SConnect (socket)");
        return false;
    }
    return ConnectTo(std::move(endpoints));
}

bool TcpSocket::ConnectTo(std::vector<Endpoint> endpoints) {
    CloseConnection();
    if (endpoints.empty()) {
        ReportError(11004, "SConnect (socket)");
        return false;
    }
    candidates_ = std::move(endpoints);
    nextCandidate_ = 0;
    ++connection_;
    closedReported_ = false;
    return NonBlocking ? StartNextCandidate() : ConnectBlocking();
}

// Opens a socket for the next address and starts connecting it: 0 when it
// connected at once, else connect's errno; -1 when no socket could be made
// (reported).
int TcpSocket::OpenNextCandidate() {
    const Endpoint& candidate = candidates_[nextCandidate_++];
    fd_ = ::socket(candidate.address.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) {
        ReportSystemError(errno, "SConnect (socket)");
        return -1;
    }
    state_ = State::Connecting;
    return ::connect(fd_, reinterpret_cast<const sockaddr*>(&candidate.address),
                     candidate.length) == 0
               ? 0
               : errno;
}

// Non-blocking: tries the next resolved address; a name with an IPv6 and an
// IPv4 address reaches a peer that listens on only one of them.
bool TcpSocket::StartNextCandidate() {
    while (nextCandidate_ < candidates_.size()) {
        const int err = OpenNextCandidate();
        if (err < 0) {
            return false;
        }
        if (err == 0) {
            SendWithoutDelay(fd_);
            state_ = State::Connected;
            readArmed_ = true;
            UpdateWatch();
            ReportConnectedLater();
            return true;
        }
        if (err == EINPROGRESS || err == EAGAIN) {
            UpdateWatch();
            return true;
        }
        CloseQuietly(fd_);
        fd_ = -1;
        state_ = State::Idle;
        if (nextCandidate_ >= candidates_.size()) {
            // The outcome of a non-blocking connect always arrives as an event.
            const int connection = connection_;
            std::weak_ptr<bool> token = alive_;
            watcher_.Defer([this, token, err, connection] {
                if (Alive(token) && connection == connection_) {
                    ReportSystemError(err, "FD_CONNECT");
                }
            });
            return true;
        }
    }
    return false;
}

bool TcpSocket::FinishConnect(int soError) {
    if (soError == 0) {
        SendWithoutDelay(fd_);
        state_ = State::Connected;
        readArmed_ = true;
        candidates_.clear();
        UpdateWatch();
        return true;
    }
    watcher_.Watch(fd_, false, false, nullptr);
    CloseQuietly(fd_);
    fd_ = -1;
    state_ = State::Idle;
    return false;
}

bool TcpSocket::ConnectBlocking() {
    while (nextCandidate_ < candidates_.size()) {
        int err = OpenNextCandidate();
        if (err < 0) {
            return false;
        }
        if (err == EINPROGRESS) {
            const int fd = fd_;
            waiting_ = true;
            const WaitResult waited = watcher_.WaitFor(fd, true, Timeout);
            waiting_ = false;
            if (waited == WaitResult::Cancelled || fd_ != fd) {
                return false; // Disconnect ended the call
            }
            if (waited == WaitResult::TimedOut) {
                FinishConnect(ETIMEDOUT);
                ReportErrorText(kErrorTimedOut, "SConnect (connect)", texts::kBlockingCallTimedOut);
                return false;
            }
            socklen_t length = sizeof(err);
            if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &err, &length) != 0) {
                err = errno;
            }
        }
        if (FinishConnect(err)) {
            return true;
        }
        if (nextCandidate_ >= candidates_.size()) {
            ReportSystemError(err, "SConnect (connect)");
            return false;
        }
    }
    return false;
}

bool TcpSocket::Listen() {
    if (Port.empty()) {
        ReportErrorText(kErrorInvalidArgument, "Listen", texts::kNoPortSpecified);
        return false;
    }
    const int port = ResolvePort(Port);
    if (port < 0) {
        ReportError(kErrorInvalidArgument, "Bind");
        return false;
    }
    CancelListen();
    const int flags = SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC;
    // All local addresses: one dual-stack socket, or IPv4 alone where the
    // system has no IPv6.
    int fd = ::socket(AF_INET6, flags, 0);
    sockaddr_storage address{};
    socklen_t length = 0;
    if (fd >= 0) {
        const int off = 0;
        ::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &off, sizeof(off));
        auto* in6 = reinterpret_cast<sockaddr_in6*>(&address);
        in6->sin6_family = AF_INET6;
        in6->sin6_addr = in6addr_any;
        in6->sin6_port = htons(static_cast<std::uint16_t>(port));
        length = sizeof(sockaddr_in6);
    } else {
        fd = ::socket(AF_INET, flags, 0);
        if (fd < 0) {
            ReportSystemError(errno, "Bind");
            return false;
        }
        auto* in4 = reinterpret_cast<sockaddr_in*>(&address);
        in4->sin_family = AF_INET;
        in4->sin_addr.s_addr = htonl(INADDR_ANY);
        in4->sin_port = htons(static_cast<std::uint16_t>(port));
        length = sizeof(sockaddr_in);
    }
    // A game ended a moment ago must not keep the port from being reused.
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on));
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        const int err = errno;
        CloseQuietly(fd);
        ReportSystemError(err, "Bind");
        return false;
    }
    if (::listen(fd, kListenBacklog) != 0) {
        const int err = errno;
        CloseQuietly(fd);
        ReportSystemError(err, "Listen");
        return false;
    }
    listenFd_ = fd;
    listenArmed_ = true;
    UpdateWatch();
    return true;
}

int TcpSocket::ListenPort() const {
    sockaddr_storage address{};
    socklen_t length = sizeof(address);
    if (listenFd_ < 0 ||
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return -1;
    }
    if (address.ss_family == AF_INET6) {
        return ntohs(reinterpret_cast<const sockaddr_in6*>(&address)->sin6_port);
    }
    return ntohs(reinterpret_cast<const sockaddr_in*>(&address)->sin_port);
}

bool TcpSocket::Accept() {
    if (listenFd_ < 0) {
        ReportError(kErrorInvalidArgument, "Accept");
        return false;
    }
    if (!NonBlocking) {
        UpdateWatch();
        waiting_ = true;
        const int listenFd = listenFd_;
        const WaitResult waited = watcher_.WaitFor(listenFd, false, Timeout);
        waiting_ = false;
        if (waited == WaitResult::Cancelled || listenFd_ != listenFd) {
            return false;
        }
        if (waited == WaitResult::TimedOut) {
            ReportErrorText(kErrorTimedOut, "Accept", texts::kBlockingCallTimedOut);
            return false;
        }
    }
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    listenArmed_ = true;
    if (fd < 0) {
        const int err = errno;
        UpdateWatch();
        if (err == EAGAIN || err == EWOULDBLOCK) {
            return false; // the partner gave up before we got to it
        }
        ReportSystemError(err, "Accept");
        return false;
    }
    CloseConnection();
    SendWithoutDelay(fd);
    fd_ = fd;
    state_ = State::Connected;
    readArmed_ = true;
    closedReported_ = false;
    ++connection_;
    UpdateWatch();
    return true;
}

void TcpSocket::Adopt(int fd) {
    CloseConnection();
    fd_ = fd;
    state_ = State::Connected;
    readArmed_ = true;
    closedReported_ = false;
    ++connection_;
    UpdateWatch();
    ReportConnectedLater();
}

void TcpSocket::CancelListen() {
    if (listenFd_ < 0) {
        return;
    }
    watcher_.Watch(listenFd_, false, false, nullptr);
    ::shutdown(listenFd_, SHUT_RDWR);
    const int fd = listenFd_;
    listenFd_ = -1;
    if (::close(fd) != 0) {
        ReportSystemError(errno, "CancelListen (closesocket)");
    }
}

void TcpSocket::Disconnect() {
    if (waiting_) {
        watcher_.CancelWait();
        waiting_ = false;
    }
    if (fd_ < 0) {
        CloseConnection();
        return;
    }
    if (state_ == State::Connected && PendingSendBytes() > 0) {
        FlushQueue(); // what the kernel takes now still reaches the peer
    }
    watcher_.Watch(fd_, false, false, nullptr);
    if (CloseLingerMs > 0 && NonBlocking && state_ == State::Connected && !closedReported_) {
        auto close = std::make_shared<LingeringClose>(
            watcher_, fd_, sendQueue_.substr(std::min(sendOffset_, sendQueue_.size())));
        fd_ = -1;
        CloseConnection();
        close->Begin(CloseLingerMs);
        return;
    }
    ::shutdown(fd_, SHUT_RDWR);
    const int fd = fd_;
    fd_ = -1;
    CloseConnection();
    if (::close(fd) != 0) {
        ReportSystemError(errno, "Disconnect (closesocket)");
    }
}

void TcpSocket::CloseConnection() {
    if (fd_ >= 0) {
        watcher_.Watch(fd_, false, false, nullptr);
        CloseQuietly(fd_);
        fd_ = -1;
    }
    ++connection_;
    state_ = State::Idle;
    candidates_.clear();
    nextCandidate_ = 0;
    sendQueue_.clear();
    sendOffset_ = 0;
}

bool TcpSocket::SendText(std::string_view text) {
    if (state_ != State::Connected) {
        ReportError(kErrorNotConnected, "SetText (Send)");
        return false;
    }
    if (closedReported_) {
        return false; // the peer is gone; that was reported once already
    }
    sendQueue_.append(text);
    if (!FlushQueue()) {
        return false;
    }
    while (!NonBlocking && PendingSendBytes() > 0) {
        const int fd = fd_;
        waiting_ = true;
        const WaitResult waited = watcher_.WaitFor(fd, true, Timeout);
        waiting_ = false;
        if (waited == WaitResult::Cancelled || fd_ != fd) {
            return false;
        }
        if (waited == WaitResult::TimedOut) {
            ReportErrorText(kErrorTimedOut, "SetText (Send)", texts::kBlockingCallTimedOut);
            return false;
        }
        if (!FlushQueue()) {
            return false;
        }
    }
    UpdateWatch();
    return true;
}

bool TcpSocket::FlushQueue() {
    while (PendingSendBytes() > 0) {
        const long sent = RawSend(fd_, sendQueue_.data() + sendOffset_, PendingSendBytes());
        if (sent > 0) {
            sendOffset_ += static_cast<std::size_t>(sent);
            continue;
        }
        const int err = sent < 0 ? errno : EAGAIN;
        if (err == EINTR) {
            continue;
        }
        if (err == EAGAIN || err == EWOULDBLOCK) {
            break;
        }
        sendQueue_.clear();
        sendOffset_ = 0;
        if (err == EPIPE || err == ECONNRESET) {
            ReportClosedLater();
        } else {
            ReportSystemError(err, "SetText (Send)");
        }
        return false;
    }
    if (PendingSendBytes() == 0) {
        sendQueue_.clear();
        sendOffset_ = 0;
    } else if (sendOffset_ > 65536) {
        sendQueue_.erase(0, sendOffset_);
        sendOffset_ = 0;
    }
    return true;
}

long TcpSocket::Receive(void* buffer, std::size_t size) {
    if (state_ != State::Connected) {
        ReportError(kErrorNotConnected, "SReceive");
        return -1;
    }
    if (!NonBlocking) {
        UpdateWatch();
        const int fd = fd_;
        waiting_ = true;
        const WaitResult waited = watcher_.WaitFor(fd, false, Timeout);
        waiting_ = false;
        if (waited == WaitResult::Cancelled || fd_ != fd) {
            return -1;
        }
        if (waited == WaitResult::TimedOut) {
            ReportErrorText(kErrorTimedOut, "SReceive", texts::kBlockingCallTimedOut);
            return -1;
        }
    }
    long got = -1;
    do {
        got = RawReceive(fd_, buffer, size);
    } while (got < 0 && errno == EINTR);
    const int err = errno;
    readArmed_ = true;
    UpdateWatch();
    if (got > 0) {
        return got;
    }
    if (got == 0 && size > 0) {
        ReportClosedLater();
        return 0;
    }
    if (got < 0 && err != EAGAIN && err != EWOULDBLOCK) {
        if (err == ECONNRESET || err == EPIPE) {
            ReportClosedLater();
            return 0;
        }
        ReportSystemError(err, "SReceive");
        return -1;
    }
    return 0;
}

std::string TcpSocket::ReceiveAvailable() {
    std::string data(static_cast<std::size_t>(std::max(1, MaximumReceiveLength)), '\0');
    const long got = Receive(data.data(), data.size());
    data.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return data;
}

long TcpSocket::RawReceive(int fd, void* buffer, std::size_t size) {
    return ::recv(fd, buffer, size, 0);
}

long TcpSocket::RawSend(int fd, const void* data, std::size_t size) {
    // MSG_NOSIGNAL: a peer that went away is an error code, not a signal.
    return ::send(fd, data, size, MSG_NOSIGNAL);
}

std::string TcpSocket::LocalAddress(int fd) {
    sockaddr_storage address{};
    socklen_t length = sizeof(address);
    if (fd < 0 || ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return {};
    }
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET) {
        const auto* in4 = reinterpret_cast<const sockaddr_in*>(&address);
        ::inet_ntop(AF_INET, &in4->sin_addr, text, sizeof(text));
        return text;
    }
    const auto* in6 = reinterpret_cast<const sockaddr_in6*>(&address);
    if (IN6_IS_ADDR_V4MAPPED(&in6->sin6_addr)) {
        ::inet_ntop(AF_INET, &in6->sin6_addr.s6_addr[12], text, sizeof(text));
    } else {
        ::inet_ntop(AF_INET6, &in6->sin6_addr, text, sizeof(text));
    }
    return text;
}

void TcpSocket::UpdateWatch() {
    if (!NonBlocking) {
        // A blocking socket waits in its calls and has no events.
        if (fd_ >= 0) {
            watcher_.Watch(fd_, false, false, nullptr);
        }
        if (listenFd_ >= 0) {
            watcher_.Watch(listenFd_, false, false, nullptr);
        }
        return;
    }
    std::weak_ptr<bool> token = alive_;
    auto ready = [this, token](int fd, bool readable, bool writable) {
        if (Alive(token)) {
            OnReady(fd, readable, writable);
        }
    };
    if (fd_ >= 0) {
        const bool read = state_ == State::Connected && readArmed_ && !closedReported_;
        const bool write =
            state_ == State::Connecting || (state_ == State::Connected && PendingSendBytes() > 0);
        watcher_.Watch(fd_, read, write, ready);
    }
    if (listenFd_ >= 0) {
        watcher_.Watch(listenFd_, listenArmed_, false, ready);
    }
}

void TcpSocket::OnReady(int fd, bool readable, bool writable) {
    if (fd == listenFd_ && fd >= 0) {
        if (readable && listenArmed_) {
            OnListenReady();
        }
        return;
    }
    if (fd != fd_ || fd_ < 0) {
        return; // a report for a descriptor already closed
    }
    std::weak_ptr<bool> token = alive_;
    if (state_ == State::Connecting && writable) {
        int err = 0;
        socklen_t length = sizeof(err);
        if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &err, &length) != 0) {
            err = errno;
        }
        if (FinishConnect(err)) {
            if (events_ != nullptr) {
                events_->SessionConnected(*this);
            }
        } else if (nextCandidate_ < candidates_.size()) {
            StartNextCandidate();
        } else {
            ReportSystemError(err, "FD_CONNECT");
        }
        return;
    }
    if (state_ != State::Connected) {
        return;
    }
    if (writable && PendingSendBytes() > 0) {
        const int connection = connection_;
        if (!FlushQueue() || !Alive(token) || connection != connection_) {
            return;
        }
        UpdateWatch();
        if (PendingSendBytes() == 0 && events_ != nullptr) {
            events_->DataNeeded(*this);
            if (!Alive(token) || connection != connection_) {
                return;
            }
        }
    }
    if (readable && readArmed_ && !closedReported_) {
        OnConnectionReadable();
    }
}

void TcpSocket::OnListenReady() {
    // Like a classic FD_ACCEPT: reported once until Accept is called.
    listenArmed_ = false;
    UpdateWatch();
    if (events_ != nullptr) {
        events_->SessionAvailable(*this);
    }
}

void TcpSocket::OnConnectionReadable() {
    char probe = 0;
    const long peeked = ::recv(fd_, &probe, 1, MSG_PEEK | MSG_DONTWAIT);
    const int err = errno;
    if (peeked > 0) {
        // Like a classic FD_READ: reported once until Receive is called.
        readArmed_ = false;
        UpdateWatch();
        if (events_ != nullptr) {
            events_->DataAvailable(*this);
        }
        return;
    }
    if (peeked == 0 || err == ECONNRESET || err == EPIPE) {
        closedReported_ = true;
        UpdateWatch();
        if (events_ != nullptr) {
            events_->SessionClosed(*this);
        }
        return;
    }
    if (err != EAGAIN && err != EWOULDBLOCK && err != EINTR) {
        readArmed_ = false;
        UpdateWatch();
        ReportSystemError(err, "FD_READ");
    }
}

void TcpSocket::ReportClosedLater() {
    if (closedReported_) {
        return;
    }
    closedReported_ = true;
    UpdateWatch();
    const int connection = connection_;
    std::weak_ptr<bool> token = alive_;
    watcher_.Defer([this, token, connection] {
        if (Alive(token) && connection == connection_ && events_ != nullptr) {
            events_->SessionClosed(*this);
        }
    });
}

void TcpSocket::ReportConnectedLater() {
    const int connection = connection_;
    std::weak_ptr<bool> token = alive_;
    watcher_.Defer([this, token, connection] {
        if (Alive(token) && connection == connection_ && events_ != nullptr) {
            events_->SessionConnected(*this);
        }
    });
}

void TcpSocket::ReportError(int code, std::string_view function) {
    if (events_ != nullptr) {
        events_->ErrorOccurred(*this, MakeSocketError(code, function));
    }
}

void TcpSocket::ReportSystemError(int err, std::string_view function) {
    if (events_ != nullptr) {
        SocketError error = MakeSocketError(SocketErrorFromErrno(err), function);
        error.systemError = err;
        events_->ErrorOccurred(*this, error);
    }
}

void TcpSocket::ReportErrorText(int code, std::string_view function, std::string_view text) {
    if (events_ != nullptr) {
        events_->ErrorOccurred(*this,
                               SocketError{code, std::string(function), std::string(text), 0});
    }
}

} // namespace varenta

#include "varenta/net/socket/TlsClientSocket.h"

#include "varenta/net/socket/TlsStream.h"

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace varenta {

namespace {

constexpr std::size_t kChunk = 16384;

} // namespace

// The real connection's events, handed to the bridge.
class TlsClientSocket::WireEvents : public SocketEvents {
public:
    explicit WireEvents(TlsClientSocket& socket) : socket_(socket) {}
    void SessionConnected(TcpSocket&) override { socket_.WireConnected(); }
    void DataAvailable(TcpSocket&) override { socket_.WireReadable(); }
    void SessionClosed(TcpSocket&) override { socket_.WireClosed(); }
    void ErrorOccurred(TcpSocket&, const SocketError& error) override { socket_.WireFailed(error); }

private:
    TlsClientSocket& socket_;
};

TlsClientSocket::TlsClientSocket(SocketWatcher& watcher, std::string trustFile)
    : TcpSocket(watcher), loop_(watcher), trustFile_(std::move(trustFile)) {}

TlsClientSocket::~TlsClientSocket() {
    alive_.reset();
    EndBridge();
}

void TlsClientSocket::Disconnect() {
    TcpSocket::Disconnect();
    if (wire_) {
        wire_->CloseLingerMs = CloseLingerMs;
    }
    EndBridge();
}

void TlsClientSocket::EndBridge() {
    // What the owner wrote just before it let go still goes out.
    if (secured_ && bridge_ >= 0 && wire_) {
        TakeFromOwner();
    }
    CloseBridge();
    DropWire();
}

bool TlsClientSocket::Connect() {
    CloseBridge();
    DropWire();
    tls_.reset();
    toOwner_.clear();
    secured_ = false;
    serverEnded_ = false;
    wireEvents_ = std::make_unique<WireEvents>(*this);
    wire_ = std::make_unique<TcpSocket>(loop_);
    wire_->SetEvents(wireEvents_.get());
    wire_->IPAddr = IPAddr;
    wire_->Port = Port;
    wire_->Timeout = Timeout;
    return wire_->Connect(); // a failure is reported to WireFailed
}

// The real connection dies outside its own events: the loop ends it later,
// after handing the kernel what is still queued.
void TlsClientSocket::DropWire() {
    if (!wire_) {
        return;
    }
    wire_->SetEvents(nullptr);
    wire_->Disconnect();
    auto wire = std::shared_ptr<TcpSocket>(std::move(wire_));
    auto events = std::shared_ptr<WireEvents>(std::move(wireEvents_));
    auto tls = std::shared_ptr<TlsStream>(std::move(tls_));
    loop_.Defer([wire, events, tls] {});
}

void TlsClientSocket::CloseBridge() {
    if (bridge_ < 0) {
        return;
    }
    loop_.Watch(bridge_, false, false, nullptr);
    ::close(bridge_);
    bridge_ = -1;
}

void TlsClientSocket::Fail(std::string_view text) {
    const bool wasSecured = secured_;
    CloseBridge(); // a secured owner sees its connection end
    DropWire();
    secured_ = false;
    if (!wasSecured) {
        ReportErrorText(kErrorNotSecured, "TLS", text);
    }
}

void TlsClientSocket::WireConnected() {
    tls_ = std::make_unique<TlsStream>(*wire_);
    if (!tls_->Begin(QString::fromStdString(IPAddr), QString::fromStdString(trustFile_))) {
        Fail(std::string(texts::kTlsFailed) + tls_->Problem().trimmed().toStdString());
        return;
    }
    Handshake();
}

void TlsClientSocket::Handshake() {
    const TlsStream::Step step = tls_->Handshake();
    if (step == TlsStream::Step::Failed) {
        Fail(std::string(tls_->NotVerified() ? texts::kTlsNotTrusted : texts::kTlsFailed) +
             tls_->Problem().trimmed().toStdString());
    } else if (step == TlsStream::Step::Done) {
        Secured();
    }
}

void TlsClientSocket::Secured() {
    int pair[2] = {-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, pair) != 0) {
        Fail(std::string(texts::kTlsFailed) + std::strerror(errno));
        return;
    }
    secured_ = true;
    bridge_ = pair[1];
    Adopt(pair[0]);
    WatchBridge();
    if (tls_->HasUnread()) {
        Decrypt(); // the server's first bytes came with the handshake's last
    }
}

void TlsClientSocket::WireReadable() {
    if (!wire_ || !tls_) {
        return;
    }
    const std::string bytes = wire_->ReceiveAvailable();
    if (bytes.empty()) {
        return;
    }
    tls_->Feed(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (secured_) {
        Decrypt();
    } else {
        Handshake();
    }
}

void TlsClientSocket::WireClosed() {
    if (!tls_ || !secured_) {
        Fail(texts::kTlsClosed);
        return;
    }
    tls_->End();
    Decrypt();
}

void TlsClientSocket::WireFailed(const SocketError& error) {
    if (secured_) {
        Fail({}); // the owner sees its connection end, as with a plain one
        return;
    }
    const bool wasConnecting = tls_ == nullptr;
    DropWire();
    if (wasConnecting) {
        ReportErrorText(error.code, error.function, error.text);
    } else {
        ReportErrorText(kErrorNotSecured, "TLS", error.text);
    }
}

void TlsClientSocket::Decrypt() {
    QByteArray plain;
    const TlsStream::Step step = tls_->Read(plain);
    toOwner_.append(plain.constData(), static_cast<std::size_t>(plain.size()));
    if (step == TlsStream::Step::Failed) {
        Fail({});
        return;
    }
    serverEnded_ = serverEnded_ || step == TlsStream::Step::Done;
    FlushToOwner();
}

// Hands the decrypted bytes to the pair; once the server has ended and all
// is handed, the owner reads the end of its connection.
void TlsClientSocket::FlushToOwner() {
    while (!toOwner_.empty() && bridge_ >= 0) {
        const ssize_t sent = ::send(bridge_, toOwner_.data(), toOwner_.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            toOwner_.erase(0, static_cast<std::size_t>(sent));
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        } else {
            Fail({}); // the owner's end is gone
            return;
        }
    }
    if (toOwner_.empty() && serverEnded_ && bridge_ >= 0) {
        ::shutdown(bridge_, SHUT_WR);
        DropWire();
    }
    WatchBridge();
}

void TlsClientSocket::WatchBridge() {
    if (bridge_ < 0) {
        return;
    }
    std::weak_ptr<bool> token = alive_;
    loop_.Watch(bridge_, wire_ != nullptr, !toOwner_.empty(),
                [this, token](int /*fd*/, bool readable, bool writable) {
                    if (!token.expired()) {
                        BridgeReady(readable, writable);
                    }
                });
}

void TlsClientSocket::BridgeReady(bool readable, bool writable) {
    if (writable && !toOwner_.empty()) {
        FlushToOwner();
    }
    if (readable && bridge_ >= 0 && wire_) {
        TakeFromOwner();
    }
}

// What the owner wrote, encrypted onto the real connection; the owner's
// Disconnect ends the real connection too.
void TlsClientSocket::TakeFromOwner() {
    char buffer[kChunk];
    for (;;) {
        const ssize_t got = ::recv(bridge_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (got > 0) {
            if (!tls_->Write(QByteArray(buffer, static_cast<qsizetype>(got)))) {
                Fail({});
                return;
            }
            continue;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return;
        }
        CloseBridge(); // closed by the owner, or broken
        DropWire();
        return;
    }
}

} // namespace varenta

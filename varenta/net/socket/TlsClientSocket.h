// A client connection secured with TLS that its owner uses exactly as a
// plain TcpSocket: Connect reaches IPAddr and Port, checks that the server's
// certificate chains to a trusted authority (the system's store, or the
// authorities of a PEM file) and names IPAddr, and only then reports
// SessionConnected. The owner's socket is one end of a local socket pair; a
// bridge behind it runs TlsStream on the real connection, so reads, writes,
// events and Disconnect are a plain socket's, and the socket can be handed
// on (to the session) like any accepted one. Non-blocking mode only.
#pragma once

#include <QtGlobal>

#include "varenta/net/socket/TcpSocket.h"

#include <memory>
#include <string>
#include <string_view>

namespace varenta {

class TlsStream;

namespace texts {
inline constexpr std::string_view kTlsNotTrusted =
    QT_TRANSLATE_NOOP("varenta", "the server's certificate is not trusted: ");
inline constexpr std::string_view kTlsFailed =
    QT_TRANSLATE_NOOP("varenta", "the secure connection failed: ");
inline constexpr std::string_view kTlsClosed =
    QT_TRANSLATE_NOOP("varenta", "the server closed the connection before it was secured");
} // namespace texts

class TlsClientSocket : public TcpSocket {
public:
    // trustFile: a PEM file of the authorities to trust; empty: the system's.
    explicit TlsClientSocket(SocketWatcher& watcher, std::string trustFile = {});
    ~TlsClientSocket() override;

    bool Connect() override;
    // Also ends the real connection, after what the owner wrote is sent.
    void Disconnect() override;

    // The code of the socket error table a failed handshake is reported with.
    static constexpr int kErrorNotSecured = 10053;

private:
    class WireEvents;

    void WireConnected();
    void WireReadable();
    void WireClosed();
    void WireFailed(const SocketError& error);
    void Handshake();
    void Secured();
    void Decrypt();
    void FlushToOwner();
    void BridgeReady(bool readable, bool writable);
    void TakeFromOwner();
    void WatchBridge();
    void CloseBridge();
    void EndBridge();
    void DropWire();
    void Fail(std::string_view text);

    SocketWatcher& loop_;
    std::string trustFile_;
    std::unique_ptr<WireEvents> wireEvents_;
    std::unique_ptr<TcpSocket> wire_; // the real connection to the server
    std::unique_ptr<TlsStream> tls_;
    int bridge_ = -1;      // the pair's end behind the owner's socket
    std::string toOwner_;  // decrypted bytes the pair has not taken yet
    bool secured_ = false; // the handshake is done and the owner connected
    bool serverEnded_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace varenta

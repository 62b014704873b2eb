#include "varenta/net/socket/TlsStream.h"

#include "varenta/net/socket/TcpSocket.h"
#include "varenta/net/socket/TlsOnDemand.h"

#include <gnutls/gnutls.h>
#include <gnutls/x509.h>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <string_view>

namespace varenta {

namespace {

constexpr qsizetype kReadChunk = 16384;

bool IsAddressLiteral(const QByteArray& host) {
    unsigned char buffer[sizeof(in6_addr)];
    return inet_pton(AF_INET, host.constData(), buffer) == 1 ||
           inet_pton(AF_INET6, host.constData(), buffer) == 1;
}

} // namespace

struct TlsStream::Session {
    gnutls_session_t session = nullptr;
    gnutls_certificate_credentials_t credentials = nullptr;
    QByteArray hostName; // the session keeps a pointer to it for the verification
    ~Session() {
        if (session != nullptr) {
            gnutls_deinit(session);
        }
        if (credentials != nullptr) {
            gnutls_certificate_free_credentials(credentials);
        }
    }
};

TlsStream::TlsStream(TcpSocket& socket) : socket_(socket) {}

TlsStream::~TlsStream() = default;

bool TlsStream::Begin(const QString& host, const QString& trustFile) {
    session_ = std::make_unique<Session>();
    int result = gnutls_certificate_allocate_credentials(&session_->credentials);
    if (result >= 0) {
        result = trustFile.isEmpty()
                     ? gnutls_certificate_set_x509_system_trust(session_->credentials)
                     : gnutls_certificate_set_x509_trust_file(session_->credentials,
                                                              trustFile.toLocal8Bit().constData(),
                                                              GNUTLS_X509_FMT_PEM);
        // Both return the number of certificates loaded; none at all means
        // nothing could ever verify.
        if (result == 0) {
            result = GNUTLS_E_NO_CERTIFICATE_FOUND;
        }
    }
    session_->hostName = host.toUtf8();
    const QByteArray& name = session_->hostName;
    if (result >= 0) {
        result = gnutls_init(&session_->session, GNUTLS_CLIENT | GNUTLS_NONBLOCK);
    }
    if (result >= 0) {
        result = gnutls_set_default_priority(session_->session);
    }
    if (result >= 0) {
        result = gnutls_credentials_set(session_->session, GNUTLS_CRD_CERTIFICATE,
                                        session_->credentials);
    }
    if (result >= 0 && !IsAddressLiteral(name)) {
        result = gnutls_server_name_set(session_->session, GNUTLS_NAME_DNS, name.constData(),
                                        static_cast<size_t>(name.size()));
    }
    if (result < 0) {
        Failed(result);
        return false;
    }
    // The server's certificate must chain to a trusted authority and name
    // the host the user typed.
    gnutls_session_set_verify_cert(session_->session, name.constData(), 0);
    gnutls_transport_set_ptr(session_->session, this);
    gnutls_transport_set_push_function(session_->session, &TlsStream::Push);
    gnutls_transport_set_pull_function(session_->session, &TlsStream::Pull);
    gnutls_transport_set_pull_timeout_function(session_->session, &TlsStream::PullTimeout);
    gnutls_handshake_set_timeout(session_->session, 0);
    return true;
}

void TlsStream::Feed(const char* data, qsizetype size) {
    if (inboundRead_ > 0 && inboundRead_ == inbound_.size()) {
        inbound_.clear();
        inboundRead_ = 0;
    }
    inbound_.append(data, size);
}

TlsStream::Step TlsStream::Handshake() {
    const int result = gnutls_handshake(session_->session);
    if (result == GNUTLS_E_AGAIN || result == GNUTLS_E_INTERRUPTED) {
        return Step::Again;
    }
    if (result < 0) {
        return Failed(result);
    }
    return Step::Done;
}

TlsStream::Step TlsStream::Read(QByteArray& out) {
    QByteArray buffer(kReadChunk, Qt::Uninitialized);
    qsizetype before = inboundRead_;
    for (;;) {
        const ssize_t count = gnutls_record_recv(session_->session, buffer.data(),
                                                 static_cast<size_t>(buffer.size()));
        if (count == GNUTLS_E_AGAIN || count == GNUTLS_E_INTERRUPTED) {
            // After a message of its own (a session ticket, say) the library
            // stops although fed bytes wait; it is asked again while it
            // makes progress.
            if (inboundRead_ != before || gnutls_record_check_pending(session_->session) > 0) {
                before = inboundRead_;
                continue;
            }
            return Step::Again;
        }
        // A server that skips the TLS goodbye has still closed.
        if (count == 0 || count == GNUTLS_E_PREMATURE_TERMINATION) {
            return Step::Done;
        }
        if (count < 0) {
            return Failed(static_cast<int>(count));
        }
        out.append(buffer.constData(), count);
    }
}

bool TlsStream::Write(const QByteArray& data) {
    qsizetype at = 0;
    while (at < data.size()) {
        const ssize_t count =
            gnutls_record_send(session_->session, data.constData() + at,
                               static_cast<size_t>(std::min(data.size() - at, kReadChunk)));
        if (count == GNUTLS_E_INTERRUPTED) {
            continue;
        }
        if (count < 0) {
            Failed(static_cast<int>(count));
            return false;
        }
        at += count;
    }
    return true;
}

bool TlsStream::HasUnread() const {
    return inboundRead_ < inbound_.size() || (session_ && session_->session != nullptr &&
                                              gnutls_record_check_pending(session_->session) > 0);
}

TlsStream::Step TlsStream::Failed(int result) {
    notVerified_ = result == GNUTLS_E_CERTIFICATE_VERIFICATION_ERROR;
    problem_ = QString::fromUtf8(gnutls_strerror(result));
    if (notVerified_) {
        const unsigned status = gnutls_session_get_verify_cert_status(session_->session);
        gnutls_datum_t text{};
        problem_ = QStringLiteral("?");
        if (gnutls_certificate_verification_status_print(status, GNUTLS_CRT_X509, &text, 0) == 0) {
            problem_ = QString::fromUtf8(reinterpret_cast<const char*>(text.data),
                                         static_cast<qsizetype>(text.size));
            FreeTlsText(text.data);
        }
    }
    return Step::Failed;
}

// The library's writes go into the socket's queue, which takes everything;
// only a connection already gone refuses them.
ssize_t TlsStream::Push(void* self, const void* data, size_t size) {
    auto* stream = static_cast<TlsStream*>(self);
    if (!stream->socket_.SendText(std::string_view(static_cast<const char*>(data), size))) {
        gnutls_transport_set_errno(stream->session_->session, EPIPE);
        return -1;
    }
    return static_cast<ssize_t>(size);
}

ssize_t TlsStream::Pull(void* self, void* data, size_t size) {
    auto* stream = static_cast<TlsStream*>(self);
    const qsizetype available = stream->inbound_.size() - stream->inboundRead_;
    if (available == 0) {
        if (stream->ended_) {
            return 0;
        }
        gnutls_transport_set_errno(stream->session_->session, EAGAIN);
        return -1;
    }
    const qsizetype count = std::min(available, static_cast<qsizetype>(size));
    std::memcpy(data, stream->inbound_.constData() + stream->inboundRead_,
                static_cast<size_t>(count));
    stream->inboundRead_ += count;
    return static_cast<ssize_t>(count);
}

// Never waits: the session is non-blocking, and the socket's events say
// when more bytes have come.
int TlsStream::PullTimeout(void* self, unsigned /*milliseconds*/) {
    const auto* stream = static_cast<const TlsStream*>(self);
    return stream->inboundRead_ < stream->inbound_.size() || stream->ended_ ? 1 : 0;
}

} // namespace varenta

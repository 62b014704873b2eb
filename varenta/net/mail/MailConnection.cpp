#include "varenta/net/mail/MailConnection.h"

#include "varenta/net/mail/MailTexts.h"
#include "varenta/net/mail/TlsOnDemand.h"

#include <QSocketNotifier>
#include <QTimer>

#include <gnutls/gnutls.h>
#include <gnutls/x509.h>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

namespace varenta {

namespace {

constexpr int kReadChunk = 16384;

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

bool IsAddressLiteral(const QByteArray& host) {
    unsigned char buffer[sizeof(in6_addr)];
    return inet_pton(AF_INET, host.constData(), buffer) == 1 ||
           inet_pton(AF_INET6, host.constData(), buffer) == 1;
}

QString ErrnoText(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

} // namespace

// ---- connection ----------------------------------------------------------------

struct MailConnection::AddressList {
    addrinfo* head = nullptr;
    addrinfo* next = nullptr;
    ~AddressList() {
        if (head != nullptr) {
            freeaddrinfo(head);
        }
    }
};

struct MailConnection::Tls {
    gnutls_session_t session = nullptr;
    gnutls_certificate_credentials_t credentials = nullptr;
    QByteArray hostName; // the session keeps a pointer to it for the verification
    ~Tls() {
        if (session != nullptr) {
            gnutls_deinit(session);
        }
        if (credentials != nullptr) {
            gnutls_certificate_free_credentials(credentials);
        }
    }
};

MailConnection::MailConnection(std::unique_ptr<NetTimer> timer, QObject* parent)
    : QObject(parent), timer_(timer ? std::move(timer) : std::make_unique<QtNetTimer>()) {
    timer_->expired = [this] { Fail(Text(texts::kMailServerSilent).arg(host_)); };
}

MailConnection::~MailConnection() {
    Release();
}

void MailConnection::Open(const QString& host, quint16 port, bool implicitTls) {
    Close();
    host_ = host;
    port_ = port;
    implicitTls_ = implicitTls;
    phase_ = Phase::Connecting;
    const unsigned generation = generation_;
    Arm();

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_ADDRCONFIG;
    addresses_ = std::make_unique<AddressList>();
    const QByteArray service = QByteArray::number(port);
    const int result =
        getaddrinfo(host.toUtf8().constData(), service.constData(), &hints, &addresses_->head);
    QString failure;
    if (result != 0) {
        failure =
            Text(texts::kMailResolveFailed).arg(host, QString::fromLocal8Bit(gai_strerror(result)));
    } else {
        addresses_->next = addresses_->head;
        if (!TryNextAddress()) {
            failure = Text(texts::kMailConnectFailed).arg(host, ErrnoText(lastConnectError_));
        }
    }
    if (!failure.isEmpty()) {
        // Reported from the event loop, so the caller's Open returns first.
        QTimer::singleShot(0, this, [this, generation, failure] {
            if (generation == generation_) {
                Fail(failure);
            }
        });
    }
}

bool MailConnection::TryNextAddress() {
    CloseSocket();
    while (addresses_ && addresses_->next != nullptr) {
        const addrinfo* address = addresses_->next;
        addresses_->next = address->ai_next;
        const int fd =
            ::socket(address->ai_family, address->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                     address->ai_protocol);
        if (fd < 0) {
            lastConnectError_ = errno;
            continue;
        }
        if (::connect(fd, address->ai_addr, address->ai_addrlen) != 0 && errno != EINPROGRESS) {
            lastConnectError_ = errno;
            ::close(fd);
            continue;
        }
        fd_ = fd;
        readNotifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        writeNotifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
        connect(readNotifier_.get(), &QSocketNotifier::activated, this, [this] { Readable(); });
        connect(writeNotifier_.get(), &QSocketNotifier::activated, this, [this] { Writable(); });
        readNotifier_->setEnabled(false);
        writeNotifier_->setEnabled(true); // a finished connect makes the socket writable
        return true;
    }
    return false;
}

void MailConnection::Connecting() {
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
        error = errno;
    }
    if (error != 0) {
        lastConnectError_ = error;
        if (!TryNextAddress()) {
            Fail(Text(texts::kMailConnectFailed).arg(host_, ErrnoText(lastConnectError_)));
        }
        return;
    }
    addresses_.reset();
    readNotifier_->setEnabled(true);
    writeNotifier_->setEnabled(false);
    Arm();
    if (implicitTls_) {
        BeginTls();
        return;
    }
    phase_ = Phase::Open;
    if (handlers_.connected) {
        handlers_.connected();
    }
}

void MailConnection::Writable() {
    switch (phase_) {
    case Phase::Connecting:
        Connecting();
        return;
    case Phase::Handshake:
        ContinueHandshake();
        return;
    case Phase::Open:
        Flush();
        return;
    case Phase::Idle:
        return;
    }
}

void MailConnection::Readable() {
    if (phase_ == Phase::Handshake) {
        ContinueHandshake();
        return;
    }
    if (phase_ != Phase::Open) {
        return;
    }
    const unsigned generation = generation_;
    QByteArray buffer(kReadChunk, Qt::Uninitialized);
    for (;;) {
        ssize_t count = 0;
        if (tls_) {
            count = gnutls_record_recv(tls_->session, buffer.data(), kReadChunk);
            if (count == GNUTLS_E_AGAIN || count == GNUTLS_E_INTERRUPTED) {
                return;
            }
            if (count == GNUTLS_E_PREMATURE_TERMINATION) {
                count = 0; // a server that skips the TLS goodbye has still closed
            } else if (count < 0) {
                Fail(Text(texts::kMailConnectionLost)
                         .arg(host_, QString::fromUtf8(gnutls_strerror(static_cast<int>(count)))));
                return;
            }
        } else {
            count = ::recv(fd_, buffer.data(), kReadChunk, 0);
            if (count < 0) {
                if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
                    return;
                }
                Fail(Text(texts::kMailConnectionLost).arg(host_, ErrnoText(errno)));
                return;
            }
        }
        if (count == 0) {
            Release();
            ++generation_;
            if (handlers_.closed) {
                handlers_.closed();
            }
            return;
        }
        Arm();
        Deliver(buffer.left(count), generation);
        if (generation != generation_ || phase_ != Phase::Open) {
            return; // closed, reopened or switching to TLS inside a handler
        }
    }
}

void MailConnection::Deliver(const QByteArray& bytes, unsigned generation) {
    const QByteArrayList lines = reader_.Feed(bytes);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        batchRemaining_ = lines.size() - i - 1;
        if (handlers_.line) {
            handlers_.line(lines[i]);
        }
        if (generation != generation_ || phase_ != Phase::Open) {
            return;
        }
    }
    batchRemaining_ = 0;
    if (reader_.Overflowed()) {
        Fail(Text(texts::kMailLineTooLong));
    }
}

void MailConnection::SendLine(const QByteArray& line) {
    if (fd_ < 0) {
        return;
    }
    out_ += line;
    out_ += "\r\n";
    Arm();
    if (phase_ == Phase::Open) {
        Flush();
    }
}

void MailConnection::Flush() {
    while (!out_.isEmpty()) {
        ssize_t count = 0;
        const auto size = static_cast<size_t>(std::min<qsizetype>(out_.size(), kReadChunk));
        if (tls_) {
            count = gnutls_record_send(tls_->session, out_.constData(), size);
            if (count == GNUTLS_E_AGAIN || count == GNUTLS_E_INTERRUPTED) {
                UpdateWriteInterest(true);
                return;
            }
            if (count < 0) {
                Fail(Text(texts::kMailConnectionLost)
                         .arg(host_, QString::fromUtf8(gnutls_strerror(static_cast<int>(count)))));
                return;
            }
        } else {
            count = ::send(fd_, out_.constData(), size, MSG_NOSIGNAL);
            if (count < 0) {
                if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
                    UpdateWriteInterest(true);
                    return;
                }
                Fail(Text(texts::kMailConnectionLost).arg(host_, ErrnoText(errno)));
                return;
            }
        }
        out_.remove(0, count);
    }
    UpdateWriteInterest(false);
}

void MailConnection::UpdateWriteInterest(bool wantWrite) {
    if (writeNotifier_) {
        writeNotifier_->setEnabled(wantWrite);
    }
}

void MailConnection::StartTls() {
    if (phase_ != Phase::Open || tls_) {
        return;
    }
    // Anything the server sent after its go-ahead was not protected by the
    // secure connection and must not be taken for part of it.
    if (batchRemaining_ > 0 || !reader_.Pending().isEmpty()) {
        Fail(Text(texts::kMailDataBeforeTls));
        return;
    }
    BeginTls();
}

void MailConnection::BeginTls() {
    tls_ = std::make_unique<Tls>();
    int result = gnutls_certificate_allocate_credentials(&tls_->credentials);
    if (result >= 0) {
        result = trustFile_.isEmpty()
                     ? gnutls_certificate_set_x509_system_trust(tls_->credentials)
                     : gnutls_certificate_set_x509_trust_file(tls_->credentials,
                                                              trustFile_.toLocal8Bit().constData(),
                                                              GNUTLS_X509_FMT_PEM);
        // Both return the number of certificates loaded; none at all means
        // nothing could ever verify.
        if (result == 0) {
            result = GNUTLS_E_NO_CERTIFICATE_FOUND;
        }
    }
    tls_->hostName = host_.toUtf8();
    const QByteArray& host = tls_->hostName;
    if (result >= 0) {
        result = gnutls_init(&tls_->session, GNUTLS_CLIENT | GNUTLS_NONBLOCK);
    }
    if (result >= 0) {
        result = gnutls_set_default_priority(tls_->session);
    }
    if (result >= 0) {
        result = gnutls_credentials_set(tls_->session, GNUTLS_CRD_CERTIFICATE, tls_->credentials);
    }
    if (result >= 0 && !IsAddressLiteral(host)) {
        result = gnutls_server_name_set(tls_->session, GNUTLS_NAME_DNS, host.constData(),
                                        static_cast<size_t>(host.size()));
    }
    if (result < 0) {
        Fail(Text(texts::kMailTlsFailed).arg(host_, QString::fromUtf8(gnutls_strerror(result))));
        return;
    }
    // The server's certificate must chain to a trusted authority and name
    // the host the user typed.
    gnutls_session_set_verify_cert(tls_->session, host.constData(), 0);
    gnutls_transport_set_int(tls_->session, fd_);
    gnutls_handshake_set_timeout(tls_->session, 0);
    phase_ = Phase::Handshake;
    ContinueHandshake();
}

void MailConnection::ContinueHandshake() {
    const int result = gnutls_handshake(tls_->session);
    if (result == GNUTLS_E_AGAIN || result == GNUTLS_E_INTERRUPTED) {
        UpdateWriteInterest(gnutls_record_get_direction(tls_->session) == 1);
        return;
    }
    if (result < 0) {
        if (result == GNUTLS_E_CERTIFICATE_VERIFICATION_ERROR) {
            const unsigned status = gnutls_session_get_verify_cert_status(tls_->session);
            gnutls_datum_t text{};
            QString reason = QStringLiteral("?");
            if (gnutls_certificate_verification_status_print(status, GNUTLS_CRT_X509, &text, 0) ==
                0) {
                reason = QString::fromUtf8(reinterpret_cast<const char*>(text.data),
                                           static_cast<qsizetype>(text.size));
                FreeTlsText(text.data);
            }
            Fail(Text(texts::kMailNotVerified).arg(host_, reason));
        } else {
            Fail(
                Text(texts::kMailTlsFailed).arg(host_, QString::fromUtf8(gnutls_strerror(result))));
        }
        return;
    }
    secured_ = true;
    phase_ = Phase::Open;
    Arm();
    Flush();
    if (phase_ != Phase::Open) {
        return;
    }
    const auto& handler = implicitTls_ ? handlers_.connected : handlers_.tlsReady;
    const unsigned generation = generation_;
    if (handler) {
        handler();
    }
    // Records that arrived with the end of the handshake wait in the TLS
    // layer, where the socket notifier cannot see them.
    if (generation == generation_ && phase_ == Phase::Open &&
        gnutls_record_check_pending(tls_->session) > 0) {
        Readable();
    }
}

void MailConnection::Arm() {
    if (timeoutMs_ > 0) {
        timer_->Start(timeoutMs_);
    }
}

void MailConnection::Fail(const QString& message) {
    Release();
    ++generation_;
    if (handlers_.failed) {
        handlers_.failed(message);
    }
}

void MailConnection::Close() {
    Release();
    ++generation_;
}

void MailConnection::CloseSocket() {
    readNotifier_.reset();
    writeNotifier_.reset();
    tls_.reset();
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

void MailConnection::Release() {
    timer_->Stop();
    CloseSocket();
    addresses_.reset();
    batchRemaining_ = 0;
    phase_ = Phase::Idle;
    secured_ = false;
    reader_.Reset();
    out_.clear();
}

} // namespace varenta

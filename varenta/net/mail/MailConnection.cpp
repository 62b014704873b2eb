#include "varenta/net/mail/MailConnection.h"

#include "varenta/net/mail/MailTexts.h"

#include <QCoreApplication>

#include <cstring>

namespace varenta {

namespace {

constexpr std::size_t kReadChunk = 16384;

// A fixed text in the user's language (the program's one translation context).
QString Text(const char* text) {
    return QCoreApplication::translate("varenta", text);
}

// The system's own words where the failure came from the system.
QString ReasonOf(const SocketError& error) {
    if (error.systemError != 0) {
        return QString::fromLocal8Bit(std::strerror(error.systemError));
    }
    return QString::fromStdString(error.text);
}

} // namespace

MailConnection::MailConnection(std::unique_ptr<NetTimer> timer, QObject* parent)
    : QObject(parent), timer_(timer ? std::move(timer) : std::make_unique<QtNetTimer>()) {
    timer_->expired = [this] { Fail(Text(texts::kMailServerSilent).arg(host_)); };
    socket_.SetEvents(this);
}

MailConnection::~MailConnection() {
    socket_.SetEvents(nullptr);
    Release();
}

void MailConnection::Open(const QString& host, quint16 port, bool implicitTls) {
    Close();
    host_ = host;
    implicitTls_ = implicitTls;
    phase_ = Phase::LookingUp;
    Arm();
    const std::string name = host.toStdString();
    // An address needs no name server: it is taken at once, but still from
    // the event loop, so the caller's Open returns before any outcome.
    NameLookup::Answer literal = NameLookup::LookUpNow(name, port, true);
    if (!literal.addresses.empty()) {
        const unsigned generation = generation_;
        watcher_.Defer([this, generation, literal = std::move(literal)] {
            if (generation == generation_) {
                ConnectTo(literal);
            }
        });
        return;
    }
    lookup_.Start(name, port, [this](const NameLookup::Answer& answer) { ConnectTo(answer); });
}

void MailConnection::ConnectTo(const NameLookup::Answer& answer) {
    if (answer.addresses.empty()) {
        Fail(Text(texts::kMailResolveFailed).arg(host_, QString::fromStdString(answer.problem)));
        return;
    }
    std::vector<TcpSocket::Endpoint> endpoints;
    endpoints.reserve(answer.addresses.size());
    for (const NameLookup::Address& address : answer.addresses) {
        endpoints.push_back({address.address, address.length});
    }
    phase_ = Phase::Connecting;
    Arm();
    socket_.ConnectTo(std::move(endpoints)); // a failure arrives as ErrorOccurred
}

void MailConnection::SessionConnected(TcpSocket& /*socket*/) {
    if (phase_ != Phase::Connecting) {
        return;
    }
    Arm();
    if (implicitTls_) {
        BeginTls();
        return;
    }
    phase_ = Phase::Open;
    const unsigned generation = generation_;
    Flush();
    if (generation == generation_ && handlers_.connected) {
        handlers_.connected();
    }
}

void MailConnection::DataAvailable(TcpSocket& /*socket*/) {
    if (phase_ != Phase::Handshake && phase_ != Phase::Open) {
        return;
    }
    QByteArray buffer(kReadChunk, Qt::Uninitialized);
    const long count = socket_.Receive(buffer.data(), kReadChunk);
    if (count <= 0) {
        return; // nothing yet, or a close or failure that is reported on its own
    }
    buffer.truncate(count);
    Arm();
    if (tls_) {
        tls_->Feed(buffer.constData(), count);
        if (phase_ == Phase::Handshake) {
            ContinueHandshake();
        } else {
            ReadTls();
        }
        return;
    }
    Deliver(buffer, generation_);
}

void MailConnection::SessionClosed(TcpSocket& /*socket*/) {
    if (tls_ && (phase_ == Phase::Handshake || phase_ == Phase::Open)) {
        // What the server sent before it closed is still read and handed on.
        tls_->End();
        if (phase_ == Phase::Handshake) {
            ContinueHandshake();
        } else {
            ReadTls();
        }
        return;
    }
    if (phase_ != Phase::Idle) {
        ServerClosed();
    }
}

void MailConnection::ErrorOccurred(TcpSocket& /*socket*/, const SocketError& error) {
    if (phase_ == Phase::Idle) {
        return; // the connection was already given up
    }
    if (insideTls_) {
        failureInsideTls_ = error;
        return;
    }
    SocketFailed(error);
}

void MailConnection::SocketFailed(const SocketError& error) {
    const char* text =
        phase_ == Phase::Connecting ? texts::kMailConnectFailed : texts::kMailConnectionLost;
    Fail(Text(text).arg(host_, ReasonOf(error)));
}

bool MailConnection::ReportFailureAfterTls() {
    insideTls_ = false;
    if (!failureInsideTls_) {
        return false;
    }
    const SocketError error = *failureInsideTls_;
    failureInsideTls_.reset();
    SocketFailed(error);
    return true;
}

void MailConnection::ReadTls() {
    const unsigned generation = generation_;
    QByteArray plain;
    insideTls_ = true;
    const TlsStream::Step step = tls_->Read(plain);
    if (ReportFailureAfterTls()) {
        return;
    }
    if (!plain.isEmpty()) {
        Deliver(plain, generation);
        if (generation != generation_ || phase_ != Phase::Open) {
            return; // closed or reopened inside a handler
        }
    }
    if (step == TlsStream::Step::Done) {
        ServerClosed();
    } else if (step == TlsStream::Step::Failed) {
        Fail(Text(texts::kMailConnectionLost).arg(host_, tls_->Problem()));
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
            return; // closed, reopened or switching to TLS inside a handler
        }
    }
    batchRemaining_ = 0;
    if (reader_.Overflowed()) {
        Fail(Text(texts::kMailLineTooLong));
    }
}

void MailConnection::SendLine(const QByteArray& line) {
    if (phase_ == Phase::Idle) {
        return;
    }
    out_ += line;
    out_ += "\r\n";
    Arm();
    if (phase_ == Phase::Open) {
        Flush();
    }
}

// The socket queues what the system does not take at once, so everything
// leaves here in one go.
void MailConnection::Flush() {
    if (out_.isEmpty()) {
        return;
    }
    const QByteArray bytes = std::exchange(out_, QByteArray());
    if (!tls_) {
        socket_.SendText(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        return;
    }
    insideTls_ = true;
    const bool written = tls_->Write(bytes);
    if (!ReportFailureAfterTls() && !written) {
        Fail(Text(texts::kMailConnectionLost).arg(host_, tls_->Problem()));
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
    tls_ = std::make_unique<TlsStream>(socket_);
    if (!tls_->Begin(host_, trustFile_)) {
        Fail(Text(texts::kMailTlsFailed).arg(host_, tls_->Problem()));
        return;
    }
    phase_ = Phase::Handshake;
    ContinueHandshake();
}

void MailConnection::ContinueHandshake() {
    insideTls_ = true;
    const TlsStream::Step step = tls_->Handshake();
    if (ReportFailureAfterTls() || step == TlsStream::Step::Again) {
        return;
    }
    if (step == TlsStream::Step::Failed) {
        const char* text = tls_->NotVerified() ? texts::kMailNotVerified : texts::kMailTlsFailed;
        Fail(Text(text).arg(host_, tls_->Problem()));
        return;
    }
    secured_ = true;
    phase_ = Phase::Open;
    Arm();
    const unsigned generation = generation_;
    Flush();
    if (generation != generation_ || phase_ != Phase::Open) {
        return;
    }
    const auto& handler = implicitTls_ ? handlers_.connected : handlers_.tlsReady;
    if (handler) {
        handler();
    }
    // Records that came with the end of the handshake were fed already; no
    // socket event will tell of them again.
    if (generation == generation_ && phase_ == Phase::Open && tls_->HasUnread()) {
        ReadTls();
    }
}

void MailConnection::ServerClosed() {
    Release();
    ++generation_;
    if (handlers_.closed) {
        handlers_.closed();
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

void MailConnection::Release() {
    timer_->Stop();
    phase_ = Phase::Idle; // first: what the socket reports while it closes is not news
    lookup_.Cancel();
    tls_.reset();
    insideTls_ = false;
    failureInsideTls_.reset();
    socket_.Disconnect();
    batchRemaining_ = 0;
    secured_ = false;
    reader_.Reset();
    out_.clear();
}

} // namespace varenta

// The line connection beneath the mail clients: the server's name looked up
// off the GUI thread, a non-blocking TcpSocket whose events arrive on the GUI
// thread, optionally secured with TLS on top of that socket (from the start,
// or switched on later by STARTTLS/STLS), handing the server's reply lines to
// its owner one by one. Every wait, for the name, the connection and each
// reply, is limited by a time-out.
#pragma once

#include "varenta/net/mail/MailLineReader.h"
#include "varenta/net/socket/NameLookup.h"
#include "varenta/net/socket/NetTimer.h"
#include "varenta/net/socket/NotifierWatcher.h"
#include "varenta/net/socket/TcpSocket.h"
#include "varenta/net/socket/TlsStream.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace varenta {

class MailConnection : public QObject, private SocketEvents {
    Q_OBJECT
public:
    static constexpr int kDefaultTimeoutMs = 30000;

    struct Handlers {
        std::function<void()> connected; // the dialogue may begin (TLS done if implicit)
        std::function<void(const QByteArray&)> line;
        std::function<void()> tlsReady;             // after StartTls()
        std::function<void()> closed;               // the server closed the connection
        std::function<void(const QString&)> failed; // the connection is dead
    };

    explicit MailConnection(std::unique_ptr<NetTimer> timer = nullptr, QObject* parent = nullptr);
    ~MailConnection() override;

    void SetHandlers(Handlers handlers) { handlers_ = std::move(handlers); }
    void SetTimeout(int milliseconds) { timeoutMs_ = milliseconds; }
    // Certificates of authorities to trust instead of the system's store
    // (a PEM file); empty: the system store.
    void SetTrustFile(const QString& path) { trustFile_ = path; }
    NetTimer& Timer() { return *timer_; }

    // Starts connecting; the outcome arrives as `connected` or `failed`,
    // never before Open returns.
    void Open(const QString& host, quint16 port, bool implicitTls);
    void SendLine(const QByteArray& line);
    void StartTls();
    // Ends the connection at once; no handler runs for it afterwards.
    void Close();

    bool IsOpen() const { return phase_ != Phase::Idle; }
    bool Secured() const { return secured_; }

private:
    enum class Phase { Idle, LookingUp, Connecting, Handshake, Open };

    void ConnectTo(const NameLookup::Answer& answer);
    void SessionConnected(TcpSocket& socket) override;
    void DataAvailable(TcpSocket& socket) override;
    void SessionClosed(TcpSocket& socket) override;
    void ErrorOccurred(TcpSocket& socket, const SocketError& error) override;
    void SocketFailed(const SocketError& error);
    void ReadTls();
    void BeginTls();
    void ContinueHandshake();
    // A socket failure reported while the TLS library was inside one of its
    // calls is kept until that call has returned: the session must not be
    // taken down beneath it. True when there was one (and it was reported).
    bool ReportFailureAfterTls();
    void Flush();
    void Deliver(const QByteArray& bytes, unsigned generation);
    void ServerClosed();
    void Arm();
    void Fail(const QString& message);
    void Release();

    Handlers handlers_;
    std::unique_ptr<NetTimer> timer_;
    int timeoutMs_ = kDefaultTimeoutMs;
    QString trustFile_;

    QString host_;
    bool implicitTls_ = false;
    Phase phase_ = Phase::Idle;
    bool secured_ = false;
    NotifierWatcher watcher_;
    TcpSocket socket_{watcher_};
    NameLookup lookup_;
    std::unique_ptr<TlsStream> tls_;
    bool insideTls_ = false;
    std::optional<SocketError> failureInsideTls_;
    MailLineReader reader_;
    qsizetype batchRemaining_ = 0; // lines of the current read not yet handed on
    QByteArray out_;
    unsigned generation_ = 0; // changes whenever the connection ends
};

} // namespace varenta

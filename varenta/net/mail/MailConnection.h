// The line socket beneath the mail clients: a non-blocking TCP connection
// whose events arrive on the GUI thread through QSocketNotifier, optionally
// secured with TLS (from the start, or switched on later by STARTTLS/STLS),
// handing the server's reply lines to its owner one by one. Every wait, for
// the connection and for each reply, is limited by a time-out.
#pragma once

#include "varenta/net/mail/MailLineReader.h"
#include "varenta/net/socket/NetTimer.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QSocketNotifier;
class QTimer;

namespace varenta {

class MailConnection : public QObject {
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

    bool IsOpen() const { return fd_ >= 0; }
    bool Secured() const { return secured_; }

private:
    struct Tls;
    enum class Phase { Idle, Connecting, Handshake, Open };

    bool TryNextAddress();
    void Connecting();
    void Readable();
    void Writable();
    void BeginTls();
    void ContinueHandshake();
    void Flush();
    void Deliver(const QByteArray& bytes, unsigned generation);
    void UpdateWriteInterest(bool wantWrite);
    void Arm();
    void Fail(const QString& message);
    void CloseSocket();
    void Release();

    Handlers handlers_;
    std::unique_ptr<NetTimer> timer_;
    int timeoutMs_ = kDefaultTimeoutMs;
    QString trustFile_;

    QString host_;
    quint16 port_ = 0;
    bool implicitTls_ = false;
    struct AddressList;
    std::unique_ptr<AddressList> addresses_;
    int fd_ = -1;
    int lastConnectError_ = 0;
    Phase phase_ = Phase::Idle;
    bool secured_ = false;
    std::unique_ptr<Tls> tls_;
    std::unique_ptr<QSocketNotifier> readNotifier_;
    std::unique_ptr<QSocketNotifier> writeNotifier_;
    MailLineReader reader_;
    qsizetype batchRemaining_ = 0; // lines of the current read not yet handed on
    QByteArray out_;
    unsigned generation_ = 0; // changes whenever the connection ends
};

} // namespace varenta

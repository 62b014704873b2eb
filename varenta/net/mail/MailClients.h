// The two mail clients of the address exchange: SendMail sends one message
// over SMTP, GetMail examines a mailbox over POP3. Each owns its own line
// socket and runs one action at a time; OnDone fires exactly once for every
// started action, after the connection is closed, with Success() telling
// whether the dialogue ended normally and ErrorText() saying why not.
#pragma once

#include "varenta/net/mail/MailConnection.h"
#include "varenta/net/mail/MailDialogue.h"
#include "varenta/net/mail/MailMessage.h"
#include "varenta/net/mail/Pop3Dialogue.h"
#include "varenta/net/mail/SmtpDialogue.h"

#include <QObject>
#include <QSet>

#include <functional>
#include <memory>

namespace varenta {

// What both clients share: the server, how the connection is protected, the
// time-out and the trusted authorities, and the OnDone bookkeeping.
class MailClient : public QObject, protected MailDialogueSink {
    Q_OBJECT
public:
    // The server as the user typed it: "host" or "host:port".
    QString Host;
    MailSecurity Security = MailSecurity::None;
    // Certificates to trust instead of the system store (tests); empty: system.
    QString TrustFile;
    int TimeoutMs = MailConnection::kDefaultTimeoutMs;

    std::function<void()> OnDone;

    bool Busy() const { return busy_; }
    bool Success() const { return success_; }
    // The last action was ended by the owner, not by the server.
    bool Cancelled() const { return cancelled_; }
    QString ErrorText() const { return error_; }
    MailConnection& Connection() { return connection_; }

protected:
    explicit MailClient(std::unique_ptr<NetTimer> timer);

    // Connects to Host with the given default port; false (and OnDone
    // already queued) when the server text is unusable or `refusal` says
    // why the action cannot start.
    bool Begin(quint16 defaultPort, const QString& refusal = {});
    void Cancel();
    MailDialogueSink& Sink() { return *this; }
    void FailAtOnce(const QString& message);
    void SendLine(const QByteArray& line) override;
    void StartTls() override;
    void Finish(bool success, const QString& message) override;

    // The running dialogue, as seen by the connection's handlers.
    virtual void DialogueConnected() = 0;
    virtual void DialogueLine(const QByteArray& line) = 0;
    virtual void DialogueTlsReady() = 0;
    virtual void DialogueClosed() = 0;
    virtual void AbortDialogue() = 0;
    // A finished dialogue may still be on the call stack; it is destroyed
    // by the next event instead of at once.
    virtual void RetireDialogue() = 0;
    virtual void DropRetired() = 0;

private:
    MailConnection connection_;
    bool busy_ = false;
    unsigned action_ = 0; // counts started actions
    bool success_ = false;
    bool cancelled_ = false;
    QString error_;
};

class SendMail : public MailClient {
    Q_OBJECT
public:
    enum class ActionKind { None, Send_Mail, Cancel_SendMail };
    static constexpr quint16 kPlainPort = 25;
    static constexpr quint16 kStartTlsPort = 587;
    static constexpr quint16 kTlsPort = 465;

    explicit SendMail(std::unique_ptr<NetTimer> timer = nullptr);
    ~SendMail() override;

    QString FROM_Name;
    QString FROM_Address;
    QString Subject;
    QStringList ListTo;
    QStringList MailText;
    QStringList Headers;
    // AUTH with these over a secured connection.
    bool Login = false;
    QString User;
    QString Password;
    // The name said in HELO; empty: this machine's host name.
    QString LocalHost;

    // Send_Mail starts a send, Cancel_SendMail ends a running one.
    void Action(ActionKind action);
    // Recipients the server refused during the last send.
    QStringList Refused() const;

private:
    void DialogueConnected() override;
    void DialogueLine(const QByteArray& line) override;
    void DialogueTlsReady() override;
    void DialogueClosed() override;
    void AbortDialogue() override;
    void RetireDialogue() override;
    void DropRetired() override;

    std::unique_ptr<SmtpDialogue> dialogue_;
    std::unique_ptr<SmtpDialogue> retired_;
    QStringList refused_;
};

class GetMail : public MailClient {
    Q_OBJECT
public:
    enum class ActionKind { None, Get_Mail, Cancel_GetMail };
    static constexpr quint16 kPlainPort = 110;
    static constexpr quint16 kTlsPort = 995;

    explicit GetMail(std::unique_ptr<NetTimer> timer = nullptr);
    ~GetMail() override;

    QString User_ID;
    QString User_Password;
    bool Opt_Preview = true;
    // Set by OnHeadersLoaded to pass over the message, by OnMessageLoaded to
    // have it deleted; both are cleared before each event.
    bool Opt_Skip = false;
    bool Opt_Delete = false;

    std::function<void()> OnHeadersLoaded;
    std::function<void()> OnMessageLoaded;

    // The message at hand: its Subject and its lines (the header alone in
    // OnHeadersLoaded, header, empty line and body in OnMessageLoaded).
    QString Subject;
    QByteArrayList MessageLines;

    void Mail_Action(ActionKind action);
    // Identifiers examined during this run.
    const QSet<QByteArray>& Seen() const { return seen_; }

private:
    void DialogueConnected() override;
    void DialogueLine(const QByteArray& line) override;
    void DialogueTlsReady() override;
    void DialogueClosed() override;
    void AbortDialogue() override;
    void RetireDialogue() override;
    void DropRetired() override;
    bool HeadersLoaded(const QByteArrayList& header);
    bool MessageLoaded(const QByteArrayList& message);

    std::unique_ptr<Pop3Dialogue> dialogue_;
    std::unique_ptr<Pop3Dialogue> retired_;
    QSet<QByteArray> seen_;
};

// The Subject of a header (continuation lines joined), empty when there is
// none; and the body, the lines after the first empty line.
QString MailSubject(const QByteArrayList& lines);
QByteArrayList MailBody(const QByteArrayList& lines);

} // namespace varenta

// What a mail dialogue asks of the connection beneath it. The SMTP and POP3
// dialogues are state machines fed with the server's reply lines; they never
// touch a socket, so every turn of a dialogue can be tested with lines alone.
#pragma once

#include <QByteArray>
#include <QString>

namespace varenta {

class MailDialogueSink {
public:
    virtual ~MailDialogueSink() = default;
    // One command line; the connection adds CR LF.
    virtual void SendLine(const QByteArray& line) = 0;
    // Switch the connection to TLS; the dialogue continues with TlsReady().
    virtual void StartTls() = 0;
    // The dialogue is over: the connection is closed and the action reported.
    // `message` says what went wrong (empty on success).
    virtual void Finish(bool success, const QString& message) = 0;
};

// How a mail connection is protected.
enum class MailSecurity {
    None = 0,     // the plain dialogue
    StartTls = 1, // plain connect, then STARTTLS (SMTP) or STLS (POP3)
    Tls = 2,      // TLS from the first byte
};

} // namespace varenta

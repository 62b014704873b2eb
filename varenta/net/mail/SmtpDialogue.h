// The SMTP side of one send: greeting, HELO (EHLO when the connection is to
// be secured or signed in), MAIL FROM, RCPT TO for every recipient, DATA
// with the composed message, QUIT. Replies of several lines are waited over
// until their last line; 4xx and 5xx replies end the send, except for a
// refused recipient, which is noted while the others are still tried.
#pragma once

#include "varenta/net/mail/MailDialogue.h"
#include "varenta/net/mail/MailMessage.h"

#include <QByteArrayList>
#include <QString>
#include <QStringList>

namespace varenta {

struct SmtpOptions {
    QString localHost; // said in HELO / EHLO
    MailSecurity security = MailSecurity::None;
    bool login = false; // AUTH with the user name and password
    QString user;
    QString password;
};

class SmtpDialogue {
public:
    SmtpDialogue(MailDialogueSink& sink, SmtpOptions options, OutgoingMail mail);

    // The connection is up (and, for implicit TLS, secured): the greeting
    // is awaited.
    void Connected() {}
    void ReplyLine(const QByteArray& line);
    void TlsReady();
    // The server closed the connection. After QUIT was sent this is the
    // normal end; earlier it is a failure.
    void Closed();

    bool Finished() const { return state_ == State::Done; }
    // The owner ended the action: nothing more is sent or reported.
    void Abort() { state_ = State::Done; }
    // Recipients the server refused, with its reply.
    const QStringList& Refused() const { return refused_; }

private:
    enum class State {
        Greeting,
        Helo,
        StartTls,
        TlsHandshake,
        AuthPlain,
        AuthLogin,
        AuthUser,
        AuthPassword,
        MailFrom,
        RcptTo,
        Data,
        Message,
        Quit,
        Done,
    };

    void Reply(int code, const QByteArray& last);
    void SayHello();
    void AfterHello();
    void SendMailFrom();
    void SendNextRecipient();
    void Fail(const QString& message);
    void Succeed();

    MailDialogueSink& sink_;
    SmtpOptions options_;
    OutgoingMail mail_;
    State state_ = State::Greeting;
    bool secured_ = false;
    QByteArrayList replyLines_; // the lines of the reply under way
    QByteArrayList capabilities_;
    int nextRecipient_ = 0;
    int accepted_ = 0;
    QStringList refused_;
};

} // namespace varenta

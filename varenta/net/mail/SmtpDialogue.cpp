#include "varenta/net/mail/SmtpDialogue.h"

#include "varenta/net/mail/MailLineReader.h"
#include "varenta/net/mail/MailTexts.h"

#include <QCoreApplication>

#include <utility>

namespace varenta {

namespace {

// A reply of more lines than any server sends for these commands is a
// broken peer, not a reply.
constexpr qsizetype kMaxReplyLines = 200;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A fixed text in the user's language (the program's one translation context).
QString Text(const char* text) {
    return QCoreApplication::translate("varenta", text);
}

QByteArray AddressPart(const QString& recipient) {
    const qsizetype bar = recipient.indexOf(QLatin1Char('|'));
    return (bar >= 0 ? recipient.left(bar) : recipient).toUtf8();
}

} // namespace

SmtpDialogue::SmtpDialogue(MailDialogueSink& sink, SmtpOptions options, OutgoingMail mail)
    : sink_(sink), options_(std::move(options)), mail_(std::move(mail)),
      secured_(options_.security == MailSecurity::Tls) {}

void SmtpDialogue::ReplyLine(const QByteArray& line) {
    if (state_ == State::Done || state_ == State::TlsHandshake) {
        return;
    }
    const bool wellFormed = line.size() >= 3 && IsDigit(line[0]) && IsDigit(line[1]) &&
                            IsDigit(line[2]) &&
                            (line.size() == 3 || line[3] == ' ' || line[3] == '-');
    if (!wellFormed) {
        Fail(Text(texts::kMailMalformedReply).arg(PrintableReply(line)));
        return;
    }
    if (line.size() > 3 && line[3] == '-') {
        if (replyLines_.size() >= kMaxReplyLines) {
            Fail(Text(texts::kMailMalformedReply).arg(PrintableReply(line)));
            return;
        }
        replyLines_.append(line);
        return;
    }
    replyLines_.append(line);
    Reply((line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0'), line);
    replyLines_.clear();
}

void SmtpDialogue::Reply(int code, const QByteArray& last) {
    const int kind = code / 100;
    const QString unexpected = Text(texts::kMailUnexpectedResponse).arg(PrintableReply(last));
    switch (state_) {
    case State::Greeting:
        kind == 2 ? SayHello() : Fail(unexpected);
        return;
    case State::Helo:
        if (kind != 2) {
            Fail(unexpected);
            return;
        }
        capabilities_ = replyLines_;
        if (options_.security == MailSecurity::StartTls && !secured_) {
            bool offered = false;
            for (const QByteArray& capability : capabilities_) {
                offered = offered || capability.mid(4).trimmed().toUpper() == "STARTTLS";
            }
            if (!offered) {
                Fail(Text(texts::kMailNoStartTls));
                return;
            }
            state_ = State::StartTls;
            sink_.SendLine("STARTTLS");
            return;
        }
        AfterHello();
        return;
    case State::StartTls:
        if (code != 220) {
            Fail(unexpected);
            return;
        }
        state_ = State::TlsHandshake;
        sink_.StartTls();
        return;
    case State::AuthPlain:
    case State::AuthPassword:
        code == 235 ? SendMailFrom()
                    : Fail(Text(texts::kMailLoginRefused).arg(PrintableReply(last)));
        return;
    case State::AuthLogin:
    case State::AuthUser:
        if (code != 334) {
            Fail(Text(texts::kMailLoginRefused).arg(PrintableReply(last)));
            return;
        }
        if (state_ == State::AuthLogin) {
            state_ = State::AuthUser;
            sink_.SendLine(options_.user.toUtf8().toBase64());
        } else {
            state_ = State::AuthPassword;
            sink_.SendLine(options_.password.toUtf8().toBase64());
        }
        return;
    case State::MailFrom:
        kind == 2 ? SendNextRecipient() : Fail(unexpected);
        return;
    case State::RcptTo:
        if (kind == 2) {
            ++accepted_;
        } else {
            refused_.append(QString::fromUtf8(AddressPart(mail_.to[nextRecipient_ - 1])) +
                            QStringLiteral(": ") + PrintableReply(last));
        }
        SendNextRecipient();
        return;
    case State::Data:
        if (kind != 3) {
            Fail(unexpected);
            return;
        }
        state_ = State::Message;
        for (const QByteArray& line : ComposeMessage(mail_)) {
            sink_.SendLine(line);
        }
        sink_.SendLine(".");
        return;
    case State::Message:
        if (kind != 2) {
            Fail(unexpected);
            return;
        }
        state_ = State::Quit;
        sink_.SendLine("QUIT");
        return;
    case State::Quit:
        Succeed();
        return;
    case State::TlsHandshake:
    case State::Done:
        return;
    }
}

void SmtpDialogue::SayHello() {
    // The plain dialogue greets with HELO; securing or signing in needs the
    // server's list of extensions, which only EHLO returns.
    const bool extended = options_.security != MailSecurity::None || options_.login;
    const QString host =
        options_.localHost.isEmpty() ? QStringLiteral("localhost") : options_.localHost;
    state_ = State::Helo;
    sink_.SendLine((extended ? "EHLO " : "HELO ") + host.toUtf8());
}

void SmtpDialogue::TlsReady() {
    if (state_ != State::TlsHandshake) {
        return;
    }
    secured_ = true;
    SayHello();
}

void SmtpDialogue::AfterHello() {
    if (!options_.login) {
        SendMailFrom();
        return;
    }
    bool plain = false, login = false;
    for (const QByteArray& capability : capabilities_) {
        const QByteArray text = capability.mid(4).trimmed().toUpper();
        if (text.startsWith("AUTH ") || text.startsWith("AUTH=")) {
            for (const QByteArray& word : text.mid(5).split(' ')) {
                plain = plain || word == "PLAIN";
                login = login || word == "LOGIN";
            }
        }
    }
    if (plain) {
        state_ = State::AuthPlain;
        const QByteArray credentials = QByteArray(1, '\0') + options_.user.toUtf8() +
                                       QByteArray(1, '\0') + options_.password.toUtf8();
        sink_.SendLine("AUTH PLAIN " + credentials.toBase64());
    } else if (login) {
        state_ = State::AuthLogin;
        sink_.SendLine("AUTH LOGIN");
    } else {
        Fail(Text(texts::kMailNoLogin));
    }
}

void SmtpDialogue::SendMailFrom() {
    state_ = State::MailFrom;
    sink_.SendLine("MAIL FROM:<" + mail_.fromAddress.toUtf8() + ">");
}

void SmtpDialogue::SendNextRecipient() {
    if (nextRecipient_ < mail_.to.size()) {
        state_ = State::RcptTo;
        sink_.SendLine("RCPT TO:<" + AddressPart(mail_.to[nextRecipient_++]) + ">");
        return;
    }
    if (accepted_ == 0) {
        // Without a single accepted recipient DATA can only fail; say why.
        Fail(Text(texts::kMailNoRecipient).arg(refused_.isEmpty() ? QString() : refused_.last()));
        return;
    }
    state_ = State::Data;
    sink_.SendLine("DATA");
}

void SmtpDialogue::Closed() {
    if (state_ == State::Quit) {
        Succeed();
    } else if (state_ != State::Done) {
        Fail(Text(texts::kMailServerClosed));
    }
}

void SmtpDialogue::Fail(const QString& message) {
    state_ = State::Done;
    sink_.Finish(false, message);
}

void SmtpDialogue::Succeed() {
    state_ = State::Done;
    sink_.Finish(true, QString());
}

} // namespace varenta

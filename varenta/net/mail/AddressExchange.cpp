#include "varenta/net/mail/AddressExchange.h"

#include "varenta/net/mail/MailTexts.h"

#include <QCoreApplication>

namespace varenta {

namespace {

// A fixed text in the user's language (the program's one translation context).
QString Text(const char* text) {
    return QCoreApplication::translate("varenta", text);
}

bool HasExchangeSubject(const QString& subject) {
    return subject.contains(QString::fromUtf8(texts::kMailSubject));
}

} // namespace

QString PartnerAddressFromBody(const QByteArrayList& body) {
    if (body.isEmpty()) {
        return {};
    }
    const QByteArray line = body.first().trimmed();
    if (line.isEmpty() || line.size() > 255) {
        return {};
    }
    // Letters, digits, dots, hyphens and colons cover dotted IPv4, IPv6 and
    // host names; anything else is not an address the program could use.
    for (const char c : line) {
        const bool allowed = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                             (c >= 'A' && c <= 'Z') || c == '.' || c == '-' || c == ':';
        if (!allowed) {
            return {};
        }
    }
    return QString::fromLatin1(line);
}

AddressExchange::AddressExchange(std::unique_ptr<SendMail> sendMail,
                                 std::unique_ptr<GetMail> getMail, QObject* parent)
    : QObject(parent), sendMail_(sendMail ? std::move(sendMail) : std::make_unique<SendMail>()),
      getMail_(getMail ? std::move(getMail) : std::make_unique<GetMail>()) {
    tmGetMail_.setInterval(kPollMs);
    tmGetMail_.setSingleShot(false);
    connect(&tmGetMail_, &QTimer::timeout, this, [this] { tmGetMailTimer(); });
    sendMail_->OnDone = [this] { SendMail1Done(); };
    getMail_->OnHeadersLoaded = [this] { GetMail1HeadersLoaded(); };
    getMail_->OnMessageLoaded = [this] { GetMail1MessageLoaded(); };
    getMail_->OnDone = [this] { GetMail1Done(); };
}

AddressExchange::~AddressExchange() {
    sendMail_->OnDone = nullptr;
    getMail_->OnDone = nullptr;
}

void AddressExchange::SetTrustFile(const QString& path) {
    sendMail_->TrustFile = path;
    getMail_->TrustFile = path;
}

void AddressExchange::SendAddressMail(const QStringList& ownAddressList,
                                      const QString& partnerMail) {
    stopped_ = false;
    ownAddressList_ = ownAddressList;
    SendMail& mail = *sendMail_;
    mail.Host = account_.smtpServer;
    mail.Security = account_.smtpSecurity;
    mail.Login = account_.smtpLogin;
    mail.User = account_.username;
    mail.Password = account_.password;
    mail.FROM_Name = account_.emailName;
    mail.FROM_Address = account_.emailAddress;
    mail.Subject = QString::fromUtf8(texts::kMailSubject);
    mail.ListTo = QStringList{partnerMail.trimmed()};
    mail.MailText = ownAddressList;
    mail.Headers = QStringList{QString::fromUtf8(texts::kMailer)};
    mailSendPending_ = true;
    mail.Action(SendMail::ActionKind::Send_Mail);
    Status(Text(texts::kMailSendingMessage));
}

void AddressExchange::SendMail1Done() {
    if (sendMail_->Cancelled()) {
        mailSendPending_ = false;
        return;
    }
    if (!sendMail_->Success()) {
        mailSendPending_ = false;
        Status(Text(texts::kMailSendError) + QLatin1Char(' ') + sendMail_->ErrorText());
        return;
    }
    if (!mailSendPending_ || stopped_) {
        return;
    }
    mailSendPending_ = false;
    Status(Text(texts::kMailWaitingForReply));
    replyReceived_ = false;
    pollFailed_ = false;
    tmGetMail_.start();
}

void AddressExchange::tmGetMailTimer() {
    tmGetMail_.stop();
    GetMail& get = *getMail_;
    get.Mail_Action(GetMail::ActionKind::Cancel_GetMail);
    get.Host = account_.popServer;
    get.Security = account_.popSecurity;
    get.User_ID = account_.username;
    get.User_Password = account_.password;
    get.Opt_Preview = true;
    get.Mail_Action(GetMail::ActionKind::Get_Mail);
}

void AddressExchange::GetMail1HeadersLoaded() {
    getMail_->Opt_Skip = !HasExchangeSubject(getMail_->Subject);
}

void AddressExchange::GetMail1MessageLoaded() {
    if (!HasExchangeSubject(getMail_->Subject)) {
        return; // stays on the server
    }
    // An exchange mail is used up once read, whatever it holds.
    getMail_->Opt_Delete = true;
    const QString partner = PartnerAddressFromBody(MailBody(getMail_->MessageLines));
    if (partner.isEmpty()) {
        // A role decision on an empty address would leave this side waiting
        // for a connection that never comes; keep waiting for a usable reply.
        Status(Text(texts::kMailReplyWithoutAddress));
        return;
    }
    replyReceived_ = true;
    Status(Text(texts::kMailReplyReceived));
    ownAddress_ = ownAddressList_.isEmpty() ? QString() : ownAddressList_.first();
    partnerAddress_ = partner;
}

void AddressExchange::GetMail1Done() {
    if (getMail_->Cancelled() || stopped_) {
        return;
    }
    if (!getMail_->Success()) {
        // A dropped line or a mail server restarting must not end the
        // exchange: the user sees why, and the next poll tries again.
        pollFailed_ = true;
        Status(Text(texts::kMailPollError).arg(getMail_->ErrorText()));
    } else if (pollFailed_) {
        pollFailed_ = false;
        if (!replyReceived_) {
            // The mailbox answers again: the error shown is no longer true.
            Status(Text(texts::kMailWaitingForReply));
        }
    }
    // A reply read before the poll failed counts: the mailbox would not
    // offer that message again during this run.
    if (replyReceived_) {
        replyReceived_ = false;
        if (decideRole) {
            decideRole(ownAddress_, partnerAddress_);
        }
    }
    if (!stopped_) {
        tmGetMail_.start();
    }
}

void AddressExchange::StopAddressExchange() {
    stopped_ = true;
    pollFailed_ = false;
    mailSendPending_ = false;
    replyReceived_ = false;
    tmGetMail_.stop();
    sendMail_->Action(SendMail::ActionKind::Cancel_SendMail);
    getMail_->Mail_Action(GetMail::ActionKind::Cancel_GetMail);
}

void AddressExchange::Status(const QString& text) {
    if (showStatus) {
        showStatus(text.left(255));
    }
}

} // namespace varenta

#include "varenta/net/mail/MailClients.h"

#include "varenta/net/mail/MailTexts.h"
#include "varenta/net/socket/HostPort.h"

#include <QCoreApplication>
#include <QTimer>

#include <unistd.h>

namespace varenta {

namespace {

// A fixed text in the user's language (the program's one translation context).
QString Text(const char* text) {
    return QCoreApplication::translate("varenta", text);
}

bool HasControl(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            return true;
        }
    }
    return false;
}

QString OwnHostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) {
        return {};
    }
    return QString::fromLocal8Bit(name);
}

} // namespace

// ---- shared part ---------------------------------------------------------------

MailClient::MailClient(std::unique_ptr<NetTimer> timer) : connection_(std::move(timer)) {
    connection_.SetHandlers({
        .connected =
            [this] {
                DropRetired();
                DialogueConnected();
            },
        .line =
            [this](const QByteArray& line) {
                DropRetired();
                DialogueLine(line);
            },
        .tlsReady =
            [this] {
                DropRetired();
                DialogueTlsReady();
            },
        .closed =
            [this] {
                DropRetired();
                DialogueClosed();
            },
        .failed = [this](const QString& message) { Finish(false, message); },
    });
}

bool MailClient::Begin(quint16 defaultPort, const QString& refusal) {
    if (busy_) {
        Cancel();
    }
    busy_ = true;
    ++action_;
    success_ = false;
    cancelled_ = false;
    error_.clear();
    if (!refusal.isEmpty()) {
        FailAtOnce(refusal);
        return false;
    }
    if (Host.trimmed().isEmpty()) {
        FailAtOnce(Text(texts::kMailNoServer));
        return false;
    }
    const std::optional<HostPort> server = ParseHostPort(Host.toStdString(), defaultPort);
    if (!server) {
        FailAtOnce(Text(texts::kMailBadServer).arg(Host));
        return false;
    }
    connection_.SetTimeout(TimeoutMs);
    connection_.SetTrustFile(TrustFile);
    connection_.Open(QString::fromStdString(server->host), static_cast<quint16>(server->port),
                     Security == MailSecurity::Tls);
    return true;
}

void MailClient::FailAtOnce(const QString& message) {
    // Reported from the event loop like every other outcome, so OnDone never
    // runs inside the call that started the action.
    const unsigned action = action_;
    QTimer::singleShot(0, this, [this, action, message] {
        if (busy_ && action == action_) {
            Finish(false, message);
        }
    });
}

void MailClient::Cancel() {
    if (!busy_) {
        return;
    }
    cancelled_ = true;
    Finish(false, QString());
}

void MailClient::SendLine(const QByteArray& line) {
    connection_.SendLine(line);
}

void MailClient::StartTls() {
    connection_.StartTls();
}

void MailClient::Finish(bool success, const QString& message) {
    if (!busy_) {
        return;
    }
    busy_ = false;
    connection_.Close();
    AbortDialogue();
    RetireDialogue();
    success_ = success;
    error_ = message;
    if (OnDone) {
        OnDone();
    }
}

// ---- SMTP ----------------------------------------------------------------------

SendMail::SendMail(std::unique_ptr<NetTimer> timer) : MailClient(std::move(timer)) {}

SendMail::~SendMail() {
    Connection().Close();
}

void SendMail::Action(ActionKind action) {
    if (action == ActionKind::Cancel_SendMail) {
        Cancel();
        return;
    }
    if (action != ActionKind::Send_Mail) {
        return;
    }
    const quint16 port = Security == MailSecurity::Tls        ? kTlsPort
                         : Security == MailSecurity::StartTls ? kStartTlsPort
                                                              : kPlainPort;
    refused_.clear();
    QString bad; // null while every address is usable
    for (const QString& address : QStringList{FROM_Address} + ListTo) {
        const QString plain = address.section(QLatin1Char('|'), 0, 0);
        if (bad.isNull() && !IsUsableMailAddress(plain)) {
            bad = plain.isNull() ? QStringLiteral("") : plain;
        }
    }
    if (ListTo.isEmpty() && bad.isEmpty()) {
        bad = QStringLiteral("");
    }
    // A line break in a sign-in value would end the command and start another.
    const bool unusable = !bad.isNull() || HasControl(User) || HasControl(Password);
    if (!Begin(port, unusable ? Text(texts::kMailBadAddress).arg(bad) : QString())) {
        return;
    }
    SmtpOptions options;
    options.localHost = LocalHost.isEmpty() ? OwnHostName() : LocalHost;
    options.security = Security;
    options.login = Login && Security != MailSecurity::None;
    options.user = User;
    options.password = Password;
    OutgoingMail mail{FROM_Name, FROM_Address, Subject, ListTo, MailText, Headers};
    dialogue_ = std::make_unique<SmtpDialogue>(Sink(), options, mail);
}

QStringList SendMail::Refused() const {
    return dialogue_ ? dialogue_->Refused() : retired_ ? retired_->Refused() : refused_;
}

void SendMail::DialogueConnected() {
    if (dialogue_) {
        dialogue_->Connected();
    }
}

void SendMail::DialogueLine(const QByteArray& line) {
    if (dialogue_) {
        dialogue_->ReplyLine(line);
    }
}

void SendMail::DialogueTlsReady() {
    if (dialogue_) {
        dialogue_->TlsReady();
    }
}

void SendMail::DialogueClosed() {
    if (dialogue_) {
        dialogue_->Closed();
    } else {
        Finish(false, Text(texts::kMailServerClosed));
    }
}

void SendMail::AbortDialogue() {
    if (dialogue_) {
        dialogue_->Abort();
    }
}

void SendMail::RetireDialogue() {
    if (dialogue_) {
        refused_ = dialogue_->Refused();
        retired_ = std::move(dialogue_);
    }
}

void SendMail::DropRetired() {
    retired_.reset();
}

// ---- POP3 ----------------------------------------------------------------------

GetMail::GetMail(std::unique_ptr<NetTimer> timer) : MailClient(std::move(timer)) {}

GetMail::~GetMail() {
    Connection().Close();
}

void GetMail::Mail_Action(ActionKind action) {
    if (action == ActionKind::Cancel_GetMail) {
        Cancel();
        return;
    }
    if (action != ActionKind::Get_Mail) {
        return;
    }
    // A line break would end the command early and start another one.
    const bool unusable = HasControl(User_ID) || HasControl(User_Password);
    if (!Begin(Security == MailSecurity::Tls ? kTlsPort : kPlainPort,
               unusable ? Text(texts::kMailAccessDenied) : QString())) {
        return;
    }
    Pop3Options options;
    options.security = Security;
    options.user = User_ID;
    options.password = User_Password;
    options.preview = Opt_Preview;
    dialogue_ = std::make_unique<Pop3Dialogue>(Sink(), options, seen_);
    dialogue_->headersLoaded = [this](const QByteArrayList& header) {
        return HeadersLoaded(header);
    };
    dialogue_->messageLoaded = [this](const QByteArrayList& message) {
        return MessageLoaded(message);
    };
}

bool GetMail::HeadersLoaded(const QByteArrayList& header) {
    Subject = MailSubject(header);
    MessageLines = header;
    Opt_Skip = false;
    if (OnHeadersLoaded) {
        OnHeadersLoaded();
    }
    return Opt_Skip;
}

bool GetMail::MessageLoaded(const QByteArrayList& message) {
    Subject = MailSubject(message);
    MessageLines = message;
    Opt_Delete = false;
    if (OnMessageLoaded) {
        OnMessageLoaded();
    }
    return Opt_Delete;
}

void GetMail::DialogueConnected() {
    if (dialogue_) {
        dialogue_->Connected();
    }
}

void GetMail::DialogueLine(const QByteArray& line) {
    if (dialogue_) {
        dialogue_->ReplyLine(line);
    }
}

void GetMail::DialogueTlsReady() {
    if (dialogue_) {
        dialogue_->TlsReady();
    }
}

void GetMail::DialogueClosed() {
    if (dialogue_) {
        dialogue_->Closed();
    } else {
        Finish(false, Text(texts::kMailServerClosed));
    }
}

void GetMail::AbortDialogue() {
    if (dialogue_) {
        dialogue_->Abort();
    }
}

void GetMail::RetireDialogue() {
    retired_ = std::move(dialogue_);
}

void GetMail::DropRetired() {
    retired_.reset();
}

// ---- reading a message ---------------------------------------------------------

QString MailSubject(const QByteArrayList& lines) {
    QByteArray subject;
    bool inSubject = false;
    for (const QByteArray& line : lines) {
        if (line.isEmpty()) {
            break;
        }
        if (inSubject && (line.startsWith(' ') || line.startsWith('\t'))) {
            subject += line;
            continue;
        }
        inSubject = line.size() >= 8 && line.left(8).toLower() == "subject:";
        if (inSubject) {
            subject = line.mid(8).trimmed();
        } else if (!subject.isEmpty()) {
            break;
        }
    }
    return QString::fromUtf8(subject);
}

QByteArrayList MailBody(const QByteArrayList& lines) {
    const qsizetype end = lines.indexOf(QByteArray());
    return end < 0 ? QByteArrayList() : lines.mid(end + 1);
}

} // namespace varenta

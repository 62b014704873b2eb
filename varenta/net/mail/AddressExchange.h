// The address exchange by e-mail: this program mails its own addresses to
// the partner, then checks its own mailbox every five seconds until the
// partner's mail arrives, whose first body line is the partner's address.
// That address goes to the role decision, as a typed one would; polling
// goes on until the connection is made or the user disconnects, also after
// a poll that failed (the status line then says why).
#pragma once

#include "varenta/net/mail/MailAccount.h"
#include "varenta/net/mail/MailClients.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

namespace varenta {

class AddressExchange : public QObject {
    Q_OBJECT
public:
    static constexpr int kPollMs = 5000;

    // The clients may be given (tests hand in ones with a fake timer).
    explicit AddressExchange(std::unique_ptr<SendMail> sendMail = nullptr,
                             std::unique_ptr<GetMail> getMail = nullptr, QObject* parent = nullptr);
    ~AddressExchange() override;

    // What the exchange tells its window.
    std::function<void(const QString&)> showStatus;
    std::function<void(const QString& own, const QString& partner)> decideRole;

    void SetAccount(const MailAccount& account) { account_ = account; }
    const MailAccount& Account() const { return account_; }
    // Authorities to trust instead of the system store (tests).
    void SetTrustFile(const QString& path);

    // Connect with "Email": mails `ownAddressList` to `partnerMail` and
    // begins the exchange (clearing an earlier stop).
    void SendAddressMail(const QStringList& ownAddressList, const QString& partnerMail);
    // Ends the exchange: no mail is sent or fetched any more.
    void StopAddressExchange();

    // One poll (what the timer runs).
    void tmGetMailTimer();

    QTimer& tmGetMail() { return tmGetMail_; }
    SendMail& SendMail1() { return *sendMail_; }
    GetMail& GetMail1() { return *getMail_; }
    bool Stopped() const { return stopped_; }
    bool MailSendPending() const { return mailSendPending_; }

private:
    void SendMail1Done();
    void GetMail1HeadersLoaded();
    void GetMail1MessageLoaded();
    void GetMail1Done();
    void Status(const QString& text);

    std::unique_ptr<SendMail> sendMail_;
    std::unique_ptr<GetMail> getMail_;
    QTimer tmGetMail_;
    MailAccount account_;
    bool mailSendPending_ = false;
    bool replyReceived_ = false;
    bool pollFailed_ = false; // the last poll failed (its error is shown)
    bool stopped_ = true;
    QString ownAddress_;
    QString partnerAddress_;
    QStringList ownAddressList_;
};

// The partner's address as a mail gives it: the first body line, trimmed,
// when it is a usable address (dotted IPv4, IPv6 or a host name); empty
// otherwise.
QString PartnerAddressFromBody(const QByteArrayList& body);

} // namespace varenta

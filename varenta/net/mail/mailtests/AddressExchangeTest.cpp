// The address exchange end to end: two programs' exchanges mail each other
// through the private servers and each finds the other's address; failures
// of either server leave a clear status and an exchange that can start again.
#include "MailTestSupport.h"

#include "varenta/net/mail/AddressExchange.h"
#include "varenta/net/mail/MailTexts.h"
#include "varenta/net/session/DecideRole.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace varenta {
namespace {

using testing::MailServers;
using testing::ScriptedServer;

struct Side {
    AddressExchange exchange;
    QStringList statuses;
    QStringList decided; // "own partner"

    Side(const QString& user, const MailServers& servers) {
        MailAccount account;
        account.smtpServer = QStringLiteral("127.0.0.1:%1").arg(servers.smtpPlain);
        account.popServer = QStringLiteral("127.0.0.1:%1").arg(servers.pop3Plain);
        account.emailName = "Player " + user;
        account.emailAddress = user + "@test.example";
        account.username = user;
        account.password = "secret";
        exchange.SetAccount(account);
        exchange.showStatus = [this](const QString& text) { statuses.append(text); };
        exchange.decideRole = [this](const QString& own, const QString& partner) {
            decided.append(own + " " + partner);
        };
    }
    QString Status() const { return statuses.isEmpty() ? QString() : statuses.last(); }
    bool WaitForStatus(const QString& text) {
        return QTest::qWaitFor([&] { return Status().startsWith(text); }, 30000);
    }
    // One poll, as the timer would run it, waited for to its end.
    void Poll() {
        exchange.tmGetMailTimer();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !exchange.GetMail1().Busy(); }, 30000));
    }
};

TEST(AddressExchangeTest, TwoProgramsFindEachOtherAndExactlyOneListens) {
    const MailServers servers = MailServers::Read();
    Side a("user10", servers), b("user11", servers);
    a.exchange.SendAddressMail({"192.168.1.20", "10.0.0.5"}, "user11@test.example");
    b.exchange.SendAddressMail({"192.168.1.3"}, " user10@test.example ");
    EXPECT_EQ(a.Status(), texts::kMailSendingMessage);
    ASSERT_TRUE(a.WaitForStatus(texts::kMailWaitingForReply)) << a.Status().toStdString();
    ASSERT_TRUE(b.WaitForStatus(texts::kMailWaitingForReply)) << b.Status().toStdString();
    EXPECT_TRUE(a.exchange.tmGetMail().isActive());
    EXPECT_EQ(a.exchange.tmGetMail().interval(), AddressExchange::kPollMs);
    ASSERT_TRUE(MailServers::WaitForMail("user10", 1));
    ASSERT_TRUE(MailServers::WaitForMail("user11", 1));

    a.Poll();
    b.Poll();
    EXPECT_EQ(a.decided, QStringList{"192.168.1.20 192.168.1.3"});
    EXPECT_EQ(b.decided, QStringList{"192.168.1.3 192.168.1.20"});
    EXPECT_TRUE(a.statuses.contains(texts::kMailReplyReceived));
    const auto never = [] { return false; };
    EXPECT_EQ(DecideRole("192.168.1.20", "192.168.1.3", never), DecidedRole::Server);
    EXPECT_EQ(DecideRole("192.168.1.3", "192.168.1.20", never), DecidedRole::Client);
    // Read mails are deleted; polling goes on until the exchange is stopped.
    EXPECT_EQ(MailServers::MailCount("user10") + MailServers::MailCount("user11"), 0);
    EXPECT_TRUE(a.exchange.tmGetMail().isActive());
    a.Poll();
    EXPECT_EQ(a.decided.size(), 1);
    a.exchange.StopAddressExchange();
    EXPECT_FALSE(a.exchange.tmGetMail().isActive());
}

TEST(AddressExchangeTest, AReplyWithoutAUsableAddressIsUsedUpAndWaitingGoesOn) {
    const MailServers servers = MailServers::Read();
    Side a("user12", servers), b("user13", servers);
    b.exchange.SendAddressMail({"not an address; rm -rf"}, "user12@test.example");
    ASSERT_TRUE(b.WaitForStatus(texts::kMailWaitingForReply)) << b.Status().toStdString();
    ASSERT_TRUE(MailServers::WaitForMail("user12", 1));
    a.exchange.SendAddressMail({"10.0.0.1"}, "user13@test.example");
    ASSERT_TRUE(a.WaitForStatus(texts::kMailWaitingForReply));
    a.Poll();
    EXPECT_EQ(a.Status(), texts::kMailReplyWithoutAddress);
    EXPECT_TRUE(a.decided.isEmpty());
    EXPECT_EQ(MailServers::MailCount("user12"), 0);
    EXPECT_TRUE(a.exchange.tmGetMail().isActive());
    a.exchange.StopAddressExchange();
    b.exchange.StopAddressExchange();
}

TEST(AddressExchangeTest, FailuresLeaveAClearStatusAndTheExchangeCanStartAgain) {
    const MailServers servers = MailServers::Read();
    ScriptedServer refusing({"220 hi", "502 HELO not implemented"});
    Side a("user14", servers);
    MailAccount account = a.exchange.Account();
    account.smtpServer = refusing.Address();
    a.exchange.SetAccount(account);
    a.exchange.SendAddressMail({"10.0.0.1"}, "user15@test.example");
    ASSERT_TRUE(a.WaitForStatus(texts::kMailSendError));
    EXPECT_EQ(a.Status(),
              QString(texts::kMailSendError) + " Unexpected response: 502 HELO not implemented");
    EXPECT_FALSE(a.exchange.tmGetMail().isActive());

    // Started again with a good server but a wrong password: the poll fails.
    account.smtpServer = QStringLiteral("127.0.0.1:%1").arg(servers.smtpPlain);
    account.password = "wrong";
    a.exchange.SetAccount(account);
    a.exchange.SendAddressMail({"10.0.0.1"}, "user15@test.example");
    ASSERT_TRUE(a.WaitForStatus(texts::kMailWaitingForReply));
    a.Poll();
    EXPECT_EQ(a.Status(), QString::fromUtf8(texts::kMailPollError).arg(texts::kMailAccessDenied));
    EXPECT_TRUE(a.exchange.tmGetMail().isActive()) << "a failed poll is tried again";
    // The password mended: the next poll clears the error from the status line.
    account.password = "secret";
    a.exchange.SetAccount(account);
    a.Poll();
    EXPECT_EQ(a.Status(), texts::kMailWaitingForReply);
    a.exchange.StopAddressExchange();
}

TEST(AddressExchangeTest, AFailingPollIsReportedEachTimeAndALaterOneStillFindsTheReply) {
    const MailServers servers = MailServers::Read();
    Side a("user17", servers), b("user18", servers);
    b.exchange.SendAddressMail({"192.168.1.3"}, "user17@test.example");
    ASSERT_TRUE(b.WaitForStatus(texts::kMailWaitingForReply)) << b.Status().toStdString();
    ASSERT_TRUE(MailServers::WaitForMail("user17", 1));
    a.exchange.SendAddressMail({"192.168.1.20"}, "user18@test.example");
    ASSERT_TRUE(a.WaitForStatus(texts::kMailWaitingForReply)) << a.Status().toStdString();

    // The mail server is gone for a while: a port where nobody listens.
    const MailAccount good = a.exchange.Account();
    MailAccount away = good;
    {
        QTcpServer closed;
        ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
        away.popServer = QStringLiteral("127.0.0.1:%1").arg(closed.serverPort());
    }
    a.exchange.SetAccount(away);
    const QString failed = QString::fromUtf8(texts::kMailPollError).arg("");
    for (int poll = 1; poll <= 2; ++poll) {
        const qsizetype before = a.statuses.size();
        a.Poll();
        EXPECT_EQ(a.statuses.size(), before + 1) << "said once on each poll";
        EXPECT_TRUE(a.Status().startsWith(failed)) << a.Status().toStdString();
        EXPECT_TRUE(a.Status().contains("could not be reached")) << a.Status().toStdString();
        EXPECT_TRUE(a.exchange.tmGetMail().isActive()) << "poll " << poll;
        EXPECT_TRUE(a.decided.isEmpty());
    }
    a.exchange.SetAccount(good);
    a.Poll();
    EXPECT_EQ(a.decided, QStringList{"192.168.1.20 192.168.1.3"});
    EXPECT_EQ(a.Status(), texts::kMailReplyReceived);
    EXPECT_TRUE(a.exchange.tmGetMail().isActive());
    a.exchange.StopAddressExchange();
    b.exchange.StopAddressExchange();
}

TEST(AddressExchangeTest, StoppingEndsARunningPollWithoutAWord) {
    ScriptedServer silent({"<silent>"});
    Side a("user16", MailServers::Read());
    MailAccount account = a.exchange.Account();
    account.popServer = silent.Address();
    a.exchange.SetAccount(account);
    a.exchange.tmGetMailTimer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return silent.connections == 1; }));
    const qsizetype statuses = a.statuses.size();
    a.exchange.StopAddressExchange();
    EXPECT_FALSE(a.exchange.GetMail1().Busy());
    QTest::qWait(0);
    EXPECT_EQ(a.statuses.size(), statuses);
    EXPECT_FALSE(a.exchange.tmGetMail().isActive());
    EXPECT_TRUE(a.decided.isEmpty());
}

TEST(MailAccountTest, OnlyTheFirstBodyLineAsAnAddressIsThePartner) {
    const std::pair<QByteArrayList, const char*> cases[] = {
        {{"192.168.1.3", "10.0.0.1"}, "192.168.1.3"},
        {{"  10.0.0.9\t"}, "10.0.0.9"},
        {{"fe80::1"}, "fe80::1"},
        {{"partner.example.org"}, "partner.example.org"},
        {{}, ""},
        {{""}, ""},
        {{"10.0.0.1; echo"}, ""},
        {{QByteArray(256, '1')}, ""},
    };
    for (const auto& [body, partner] : cases) {
        EXPECT_EQ(PartnerAddressFromBody(body), partner);
    }
}

} // namespace
} // namespace varenta

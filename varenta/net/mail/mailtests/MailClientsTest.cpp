// SendMail and GetMail over real sockets: against the private OpenSMTPD and
// Dovecot servers, plain and over TLS, and against a scripted server for
// the replies and failures a real server will not produce on request.
#include "MailTestSupport.h"

#include "varenta/net/mail/MailClients.h"
#include "varenta/net/mail/MailTexts.h"

#include <gtest/gtest.h>

namespace varenta {
namespace {

using testing::MailServers;
using testing::ManualNetTimer;
using testing::ScriptedServer;

QString Address(const QString& user) {
    return user + "@test.example";
}

// Runs one action to its end and checks OnDone came exactly once.
template <typename Client, typename Start> void RunToEnd(Client& client, Start start) {
    int done = 0;
    client.OnDone = [&] { ++done; };
    start();
    EXPECT_EQ(done, 0) << "OnDone inside the call that started the action";
    ASSERT_TRUE(QTest::qWaitFor([&] { return done > 0; }, 30000));
    QCoreApplication::processEvents();
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(client.Busy());
}

void Prepare(SendMail& mail, const QString& server, const QString& from, const QString& to,
             const QString& subject, const QStringList& body) {
    mail.Host = server;
    mail.FROM_Name = "Test " + from;
    mail.FROM_Address = Address(from);
    mail.Subject = subject;
    mail.ListTo = {Address(to)};
    mail.MailText = body;
    mail.Headers = {QString::fromUtf8(texts::kMailer)};
}

bool Send(SendMail& mail) {
    RunToEnd(mail, [&] { mail.Action(SendMail::ActionKind::Send_Mail); });
    return mail.Success();
}

// A poll that previews every message, fetches those with the exchange
// subject, and deletes what it fetched.
struct Poll {
    QStringList previewed, fetched;
    QByteArrayList firstBodyLines;
    void Run(GetMail& get) {
        get.OnHeadersLoaded = [&] {
            previewed.append(get.Subject);
            get.Opt_Skip = !get.Subject.contains(QString::fromUtf8(texts::kMailSubject));
        };
        get.OnMessageLoaded = [&] {
            fetched.append(get.Subject);
            const QByteArrayList body = MailBody(get.MessageLines);
            firstBodyLines.append(body.isEmpty() ? QByteArray() : body.first());
            get.Opt_Delete = true;
        };
        RunToEnd(get, [&] { get.Mail_Action(GetMail::ActionKind::Get_Mail); });
    }
};

void Prepare(GetMail& get, const QString& server, const QString& user) {
    get.Host = server;
    get.User_ID = user;
    get.User_Password = "secret";
}

QString Local(quint16 port) {
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

TEST(MailServersTest, TheAddressMailIsFoundDeletedAndNotSeenAgainWhileOtherMailStays) {
    const MailServers servers = MailServers::Read();
    SendMail send;
    Prepare(send, Local(servers.smtpPlain), "user1", "user2", "Lunch?", {"Shall we?"});
    ASSERT_TRUE(Send(send));
    Prepare(send, Local(servers.smtpPlain), "user1", "user2",
            QString::fromUtf8(texts::kMailSubject), {"192.168.1.20", "10.0.0.1"});
    ASSERT_TRUE(Send(send));
    ASSERT_TRUE(MailServers::WaitForMail("user2", 2));

    GetMail get;
    Prepare(get, Local(servers.pop3Plain), "user2");
    Poll first;
    first.Run(get);
    ASSERT_TRUE(get.Success()) << get.ErrorText().toStdString();
    EXPECT_EQ(first.previewed.size(), 2);
    EXPECT_EQ(first.fetched, QStringList{QString::fromUtf8(texts::kMailSubject)});
    EXPECT_EQ(first.firstBodyLines, QByteArrayList{"192.168.1.20"});
    EXPECT_EQ(MailServers::MailCount("user2"), 1); // the unrelated mail stays

    // The same run looks at nothing it has examined before.
    Poll second;
    second.Run(get);
    EXPECT_TRUE(get.Success());
    EXPECT_TRUE(second.previewed.isEmpty());

    // A new run sees only the mail that stayed, and only its header.
    GetMail fresh;
    Prepare(fresh, Local(servers.pop3Plain), "user2");
    Poll third;
    third.Run(fresh);
    EXPECT_TRUE(fresh.Success());
    EXPECT_EQ(third.previewed, QStringList{"Lunch?"});
    EXPECT_TRUE(third.fetched.isEmpty());
}

TEST(MailServersTest, AWrongPasswordIsAccessDenied) {
    GetMail get;
    Prepare(get, Local(MailServers::Read().pop3Plain), "user3");
    get.User_Password = "wrong";
    Poll poll;
    poll.Run(get);
    EXPECT_FALSE(get.Success());
    EXPECT_EQ(get.ErrorText(), texts::kMailAccessDenied);
}

TEST(MailServersTest, SecuredConnectionsSendAndReceive) {
    const MailServers servers = MailServers::Read();
    struct Case {
        MailSecurity smtp;
        quint16 smtpPort;
        MailSecurity pop;
        quint16 popPort;
        const char* user;
    } cases[] = {
        {MailSecurity::StartTls, servers.smtpStartTls, MailSecurity::StartTls, servers.pop3Plain,
         "user4"},
        {MailSecurity::Tls, servers.smtpTls, MailSecurity::Tls, servers.pop3Tls, "user5"},
    };
    for (const Case& c : cases) {
        SendMail send;
        Prepare(send, QStringLiteral("localhost:%1").arg(c.smtpPort), "user6", c.user,
                QString::fromUtf8(texts::kMailSubject), {"10.1.1.1"});
        send.Security = c.smtp;
        send.TrustFile = MailServers::Ca();
        send.Login = true;
        send.User = "user6";
        send.Password = "secret";
        ASSERT_TRUE(Send(send)) << send.ErrorText().toStdString();
        ASSERT_TRUE(MailServers::WaitForMail(c.user, 1));

        GetMail get;
        Prepare(get, QStringLiteral("localhost:%1").arg(c.popPort), c.user);
        get.Security = c.pop;
        get.TrustFile = MailServers::Ca();
        Poll poll;
        poll.Run(get);
        EXPECT_TRUE(get.Success()) << get.ErrorText().toStdString();
        EXPECT_EQ(poll.firstBodyLines, QByteArrayList{"10.1.1.1"});
    }
}

TEST(MailServersTest, ACertificateThatDoesNotVerifyIsRefused) {
    const MailServers servers = MailServers::Read();
    struct Case {
        MailSecurity security;
        quint16 port;
        bool smtp;
        const char* host;
        const char* trust;
    } cases[] = {
        {MailSecurity::Tls, servers.smtpTls, true, "localhost", "other"},
        {MailSecurity::StartTls, servers.smtpStartTls, true, "localhost", "other"},
        {MailSecurity::Tls, servers.pop3Tls, false, "localhost", "other"},
        {MailSecurity::StartTls, servers.pop3Plain, false, "localhost", "other"},
        // The right authority, but a name the certificate does not carry.
        {MailSecurity::Tls, servers.pop3Tls, false, "127.0.0.2", "ca"},
    };
    for (const Case& c : cases) {
        const QString host = QStringLiteral("%1:%2").arg(c.host).arg(c.port);
        const QString trust = QString(c.trust) == "ca" ? MailServers::Ca() : MailServers::OtherCa();
        QString error;
        bool success = true;
        if (c.smtp) {
            SendMail send;
            Prepare(send, host, "user7", "user8", "x", {"y"});
            send.Security = c.security;
            send.TrustFile = trust;
            success = Send(send);
            error = send.ErrorText();
        } else {
            GetMail get;
            Prepare(get, host, "user8");
            get.Security = c.security;
            get.TrustFile = trust;
            Poll poll;
            poll.Run(get);
            success = get.Success();
            error = get.ErrorText();
        }
        EXPECT_FALSE(success);
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(texts::kMailNotVerified).arg(c.host, "")))
            << error.toStdString();
    }
    EXPECT_EQ(MailServers::MailCount("user8"), 0);
}

// ---- replies and failures from a scripted server -------------------------------

TEST(ScriptedMailServerTest, WithoutUidlTheMailboxIsWalkedThroughStat) {
    ScriptedServer server({"+OK hi", "+OK", "+OK", "-ERR what?", "+OK 1 100",
                           "+OK\r\nSubject: Re: Varenta IP Address Exchange\r\n.",
                           "+OK\r\nSubject: Re: Varenta IP Address Exchange\r\n\r\n10.0.0.2\r\n.",
                           "+OK", "+OK bye"});
    GetMail get;
    Prepare(get, server.Address(), "bob");
    Poll poll;
    poll.Run(get);
    EXPECT_TRUE(get.Success()) << get.ErrorText().toStdString();
    EXPECT_EQ(server.received, (QByteArrayList{"USER bob", "PASS secret", "UIDL", "STAT", "TOP 1 0",
                                               "RETR 1", "DELE 1", "QUIT"}));
    EXPECT_EQ(poll.firstBodyLines, QByteArrayList{"10.0.0.2"});
}

TEST(ScriptedMailServerTest, EveryBrokenServerEndsTheActionWithAClearText) {
    const QString longLine(MailLineReader::kMaxLineLength + 10, 'x');
    struct Case {
        std::vector<QByteArray> replies;
        QString error;
    } cases[] = {
        {{"220 hi", "502 HELO not implemented"}, "Unexpected response: 502 HELO not implemented"},
        {{"220 hi", "250 ok", "<close>"}, texts::kMailServerClosed},
        {{"<close>"}, texts::kMailServerClosed},
        {{"220 " + longLine.toLatin1()}, texts::kMailLineTooLong},
        {{"HTTP/1.1 400 Bad Request"},
         "The mail server sent a malformed reply: HTTP/1.1 400 Bad Request"},
    };
    for (const Case& c : cases) {
        ScriptedServer server(c.replies);
        SendMail send;
        Prepare(send, server.Address(), "alice", "bob", "s", {"b"});
        EXPECT_FALSE(Send(send));
        EXPECT_EQ(send.ErrorText(), c.error);
    }
}

TEST(ScriptedMailServerTest, ASilentServerTimesOutAtEveryStep) {
    // Silent at the greeting, and silent after a command.
    for (const std::vector<QByteArray>& replies :
         {std::vector<QByteArray>{"<silent>"}, std::vector<QByteArray>{"+OK hi", "<silent>"}}) {
        ScriptedServer server(replies);
        auto timer = std::make_unique<ManualNetTimer>();
        ManualNetTimer* clock = timer.get();
        GetMail get(std::move(timer));
        get.TimeoutMs = 15000;
        Prepare(get, server.Address(), "bob");
        int done = 0;
        get.OnDone = [&] { ++done; };
        get.Mail_Action(GetMail::ActionKind::Get_Mail);
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return static_cast<std::size_t>(server.received.size()) + 1 >= replies.size();
        }));
        QTest::qWait(0);
        EXPECT_TRUE(clock->running);
        EXPECT_EQ(clock->lastMs, 15000);
        EXPECT_EQ(done, 0);
        clock->Fire();
        EXPECT_EQ(done, 1);
        EXPECT_EQ(get.ErrorText(), QString::fromUtf8(texts::kMailServerSilent).arg("127.0.0.1"));
        EXPECT_FALSE(clock->running);
    }
}

TEST(ScriptedMailServerTest, ConnectionAndServerTextFailuresAreReported) {
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        closedPort = probe.serverPort();
    }
    const std::pair<QString, QString> cases[] = {
        {Local(closedPort),
         QString::fromUtf8(texts::kMailConnectFailed)
             .arg("127.0.0.1", QString::fromLocal8Bit(std::strerror(ECONNREFUSED)))},
        {"", texts::kMailNoServer},
        {"mail server", QString::fromUtf8(texts::kMailBadServer).arg("mail server")},
    };
    for (const auto& [host, error] : cases) {
        GetMail get;
        Prepare(get, host, "bob");
        Poll poll;
        poll.Run(get);
        EXPECT_FALSE(get.Success());
        EXPECT_TRUE(get.ErrorText().startsWith(error)) << get.ErrorText().toStdString();
    }
}

TEST(ScriptedMailServerTest, ANewActionMayStartFromOnDoneAndACancelEndsTheOldOne) {
    ScriptedServer server({"+OK hi", "+OK", "+OK", "+OK\r\n.", "+OK bye", "+OK hi", "<silent>"});
    GetMail get;
    Prepare(get, server.Address(), "bob");
    int done = 0;
    get.OnDone = [&] {
        if (++done == 1) {
            get.Mail_Action(GetMail::ActionKind::Get_Mail); // polling again at once
        }
    };
    get.Mail_Action(GetMail::ActionKind::Get_Mail);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return server.connections == 2 && server.received.size() == 5; }));
    EXPECT_EQ(done, 1);
    EXPECT_TRUE(get.Busy());
    get.Mail_Action(GetMail::ActionKind::Cancel_GetMail);
    EXPECT_EQ(done, 2);
    EXPECT_TRUE(get.Cancelled());
    EXPECT_FALSE(get.Busy());
    QTest::qWait(0);
    EXPECT_EQ(done, 2);
}

TEST(ScriptedMailServerTest, AddressesThatCouldCarryCommandsAreNeverSent) {
    ScriptedServer server({"220 hi", "250 ok", "250 ok", "250 ok", "354 go", "250 ok", "221 bye"});
    SendMail send;
    Prepare(send, server.Address(), "alice", "bob", "s", {"b"});
    send.ListTo = {"bob@test.example>\r\nRCPT TO:<eve@test.example"};
    RunToEnd(send, [&] { send.Action(SendMail::ActionKind::Send_Mail); });
    EXPECT_FALSE(send.Success());
    EXPECT_TRUE(send.ErrorText().startsWith("The mail address"));
    EXPECT_EQ(server.connections, 0);
}

} // namespace
} // namespace varenta

// The SMTP and POP3 dialogues driven by reply lines alone: what each one
// sends, when it asks for TLS, and how every kind of refusal ends it.
#include "varenta/net/mail/MailTexts.h"
#include "varenta/net/mail/Pop3Dialogue.h"
#include "varenta/net/mail/SmtpDialogue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace varenta {
namespace {

struct RecordingSink : MailDialogueSink {
    QByteArrayList sent;
    int tlsRequests = 0;
    std::optional<bool> success;
    QString message;
    int finishes = 0;
    void SendLine(const QByteArray& line) override { sent.append(line); }
    void StartTls() override { ++tlsRequests; }
    void Finish(bool ok, const QString& why) override {
        success = ok;
        message = why;
        ++finishes;
    }
};

OutgoingMail AddressMail(QStringList to = {"bob@test.example"}) {
    return {"Alice", "alice@test.example", texts::kMailSubject, to, {"10.0.0.9"}, {texts::kMailer}};
}

// Feeds `replies` one by one; "~tls" stands for a finished TLS handshake.
template <typename Dialogue>
void Play(Dialogue& dialogue, const std::vector<const char*>& replies) {
    for (const char* reply : replies) {
        if (std::string(reply) == "~tls") {
            dialogue.TlsReady();
        } else {
            dialogue.ReplyLine(reply);
        }
    }
}

TEST(SmtpDialogueTest, PlainSendSaysHeloAndSendsTheWholeMessage) {
    RecordingSink sink;
    SmtpDialogue smtp(sink, {"table", MailSecurity::None, false, {}, {}}, AddressMail());
    // Multi-line replies are waited over until their last line.
    Play(smtp, {"220-first", "220 ready", "250 hi", "250 ok", "250 ok", "354 go", "250 queued",
                "221 bye"});
    ASSERT_EQ(sink.success, true);
    const QByteArrayList expected = {
        "HELO table",
        "MAIL FROM:<alice@test.example>",
        "RCPT TO:<bob@test.example>",
        "DATA",
        "From: Alice <alice@test.example>",
        "To: bob@test.example;",
        "Subject: Varenta IP Address Exchange",
        "Mime-Version: 1.0",
        "Content-Type: text/plain; charset=\"us-ascii\"",
        "X-Mailer: Varenta for Windows",
        "",
        "10.0.0.9",
        ".",
        "QUIT",
    };
    EXPECT_EQ(sink.sent, expected);
}

TEST(SmtpDialogueTest, RefusalsEndTheSendWithTheReply) {
    struct Case {
        std::vector<const char*> replies;
        QString message;
    } cases[] = {
        {{"220 ready", "502 HELO not implemented"},
         "Unexpected response: 502 HELO not implemented"},
        {{"554 go away"}, "Unexpected response: 554 go away"},
        {{"220 ready", "250 hi", "451 try later"}, "Unexpected response: 451 try later"},
        {{"220 ready", "250 hi", "250 ok", "250 ok", "554 no data"},
         "Unexpected response: 554 no data"},
        {{"220 ready", "250 hi", "250 ok", "250 ok", "354 go", "552 too big"},
         "Unexpected response: 552 too big"},
        {{"220 ready", "hello there"}, "The mail server sent a malformed reply: hello there"},
        {{"22"}, "The mail server sent a malformed reply: 22"},
        {{"220 ready", "250x"}, "The mail server sent a malformed reply: 250x"},
    };
    for (const Case& c : cases) {
        RecordingSink sink;
        SmtpDialogue smtp(sink, {}, AddressMail());
        Play(smtp, c.replies);
        EXPECT_EQ(sink.success, false) << c.message.toStdString();
        EXPECT_EQ(sink.message, c.message);
        // Nothing after the refusal: no further command and no second report.
        const qsizetype sent = sink.sent.size();
        smtp.ReplyLine("250 late");
        smtp.Closed();
        EXPECT_EQ(sink.sent.size(), sent);
        EXPECT_EQ(sink.finishes, 1);
    }
}

TEST(SmtpDialogueTest, ARefusedRecipientIsNotedAndTheOthersStillGetTheMail) {
    RecordingSink sink;
    SmtpDialogue smtp(sink, {}, AddressMail({"nobody@test.example", "bob@test.example|Bob"}));
    Play(smtp, {"220 ready", "250 hi", "250 ok", "550 no such user", "250 ok", "354 go"});
    EXPECT_EQ(sink.sent.last(), ".");
    EXPECT_TRUE(sink.sent.contains("To: Bob <bob@test.example>"));
    EXPECT_EQ(smtp.Refused(), QStringList{"nobody@test.example: 550 no such user"});

    RecordingSink none;
    SmtpDialogue all(none, {}, AddressMail());
    Play(all, {"220 ready", "250 hi", "250 ok", "550 no such user"});
    EXPECT_EQ(none.success, false);
    EXPECT_EQ(none.message,
              "The mail server refused every recipient: bob@test.example: 550 no such user");
    EXPECT_FALSE(none.sent.contains("DATA"));
}

TEST(SmtpDialogueTest, TheServerClosingIsAFailureUntilQuitWasSent) {
    RecordingSink early;
    SmtpDialogue a(early, {}, AddressMail());
    Play(a, {"220 ready", "250 hi"});
    a.Closed();
    EXPECT_EQ(early.success, false);
    EXPECT_EQ(early.message, texts::kMailServerClosed);

    RecordingSink late;
    SmtpDialogue b(late, {}, AddressMail());
    Play(b, {"220 ready", "250 hi", "250 ok", "250 ok", "354 go", "250 queued"});
    b.Closed();
    EXPECT_EQ(late.success, true);
}

TEST(SmtpDialogueTest, StartTlsThenSignInWithTheMethodTheServerOffers) {
    struct Case {
        const char* authLine;
        QByteArrayList signIn;
        std::vector<const char*> answers;
    } cases[] = {
        {"250 AUTH LOGIN PLAIN", {"AUTH PLAIN AGFsaWNlAHNlY3JldA=="}, {"235 ok"}},
        {"250 AUTH=LOGIN",
         {"AUTH LOGIN", "YWxpY2U=", "c2VjcmV0"},
         {"334 VXNlcm5hbWU6", "334 UGFzc3dvcmQ6", "235 ok"}},
    };
    for (const Case& c : cases) {
        RecordingSink sink;
        SmtpOptions options{"table", MailSecurity::StartTls, true, "alice", "secret"};
        SmtpDialogue smtp(sink, options, AddressMail());
        Play(smtp, {"220 ready", "250-hi", "250 STARTTLS"});
        EXPECT_EQ(sink.sent, (QByteArrayList{"EHLO table", "STARTTLS"}));
        Play(smtp, {"220 go ahead"});
        EXPECT_EQ(sink.tlsRequests, 1);
        // Lines before the handshake is over are not part of the dialogue.
        smtp.ReplyLine("250 injected");
        EXPECT_EQ(sink.sent.size(), 2);
        Play(smtp, {"~tls", "250-hi", c.authLine});
        Play(smtp, c.answers);
        EXPECT_EQ(sink.sent.mid(2, 1 + c.signIn.size()), QByteArrayList{"EHLO table"} + c.signIn);
        EXPECT_EQ(sink.sent.last(), "MAIL FROM:<alice@test.example>");
    }
}

TEST(SmtpDialogueTest, SecuringAndSigningInFailClearly) {
    struct Case {
        SmtpOptions options;
        std::vector<const char*> replies;
        QString message;
    } cases[] = {
        {{"h", MailSecurity::StartTls, false, {}, {}},
         {"220 ready", "250 hi"},
         texts::kMailNoStartTls},
        {{"h", MailSecurity::Tls, true, "a", "b"}, {"220 ready", "250 hi"}, texts::kMailNoLogin},
        {{"h", MailSecurity::Tls, true, "a", "b"},
         {"220 ready", "250 AUTH PLAIN", "535 bad credentials"},
         "The mail server refused the user name or password: 535 bad credentials"},
    };
    for (const Case& c : cases) {
        RecordingSink sink;
        SmtpDialogue smtp(sink, c.options, AddressMail());
        Play(smtp, c.replies);
        EXPECT_EQ(sink.success, false);
        EXPECT_EQ(sink.message, c.message);
    }
}

// ---- POP3 ----------------------------------------------------------------------

struct Pop3Run {
    RecordingSink sink;
    QSet<QByteArray> seen;
    std::vector<QByteArrayList> headers, messages;
    Pop3Dialogue pop;
    explicit Pop3Run(Pop3Options options = {MailSecurity::None, "bob", "secret", true})
        : pop(sink, options, seen) {
        // Skip everything whose header says "skip"; delete what says "delete".
        pop.headersLoaded = [this](const QByteArrayList& header) {
            headers.push_back(header);
            return header.contains("Subject: skip");
        };
        pop.messageLoaded = [this](const QByteArrayList& message) {
            messages.push_back(message);
            return message.contains("Subject: delete");
        };
    }
};

TEST(Pop3DialogueTest, UidlListsTheNewMessagesWhichArePreviewedFetchedAndDeleted) {
    Pop3Run run;
    Play(run.pop, {"+OK ready", "+OK", "+OK logged in", "+OK list", "1 aaa", "2 bbb", "."});
    Play(run.pop, {"+OK", "Subject: skip", "."});
    Play(run.pop, {"+OK", "Subject: delete", "."});
    Play(run.pop, {"+OK", "Subject: delete", "", "..10.0.0.9", "."});
    Play(run.pop, {"+OK deleted", "+OK bye"});
    EXPECT_EQ(run.sink.sent, (QByteArrayList{"USER bob", "PASS secret", "UIDL", "TOP 1 0",
                                             "TOP 2 0", "RETR 2", "DELE 2", "QUIT"}));
    EXPECT_EQ(run.sink.success, true);
    // The stuffed dot of a data line is removed.
    EXPECT_EQ(run.messages.at(0), (QByteArrayList{"Subject: delete", "", ".10.0.0.9"}));
    EXPECT_EQ(run.seen, (QSet<QByteArray>{"aaa", "bbb"}));

    // The next check of this run examines only what is new.
    Pop3Dialogue again(run.sink, {MailSecurity::None, "bob", "secret", true}, run.seen);
    run.sink.sent.clear();
    Play(again,
         {"+OK ready", "+OK", "+OK", "+OK", "1 aaa", "2 ccc", ".", "+OK", "Subject: x", "."});
    EXPECT_EQ(run.sink.sent,
              (QByteArrayList{"USER bob", "PASS secret", "UIDL", "TOP 2 0", "RETR 2"}));
}

TEST(Pop3DialogueTest, WithoutUidlStatGivesTheMessagesToExamine) {
    Pop3Run run;
    Play(run.pop, {"+OK ready", "+OK", "+OK", "-ERR unknown command", "+OK 2 320"});
    EXPECT_EQ(run.sink.sent.mid(2), (QByteArrayList{"UIDL", "STAT", "TOP 1 0"}));
    Play(run.pop, {"+OK", "Subject: skip", ".", "+OK", "Subject: skip", ".", "+OK bye"});
    EXPECT_EQ(run.sink.sent.mid(5), (QByteArrayList{"TOP 2 0", "QUIT"}));
    EXPECT_EQ(run.sink.success, true);
    EXPECT_TRUE(run.seen.isEmpty()); // nothing to remember without identifiers
}

TEST(Pop3DialogueTest, RefusalsAndBrokenRepliesEndTheCheck) {
    struct Case {
        std::vector<const char*> replies;
        QString message;
    } cases[] = {
        {{"-ERR busy"}, "Unexpected response: -ERR busy"},
        {{"+OK ready", "-ERR no such user"}, texts::kMailAccessDenied},
        {{"+OK ready", "+OK", "-ERR authentication failed"}, texts::kMailAccessDenied},
        {{"+OK ready", "+OK", "+OK", "-ERR", "-ERR no STAT either"},
         "Unexpected response: -ERR no STAT either"},
        {{"+OK ready", "+OK", "+OK", "-ERR", "+OK many"},
         "The mail server sent a malformed reply: +OK many"},
        {{"+OK ready", "+OK", "+OK", "+OK", "x y"}, "The mail server sent a malformed reply: x y"},
        {{"+OK ready", "+OK", "+OK", "+OK", "0 aaa"},
         "The mail server sent a malformed reply: 0 aaa"},
        {{"+OK ready", "+OK", "+OK", "+OK", "1 aaa", ".", "-ERR gone"},
         "Unexpected response: -ERR gone"},
        {{"* OK imap here"}, "The mail server sent a malformed reply: * OK imap here"},
    };
    for (const Case& c : cases) {
        Pop3Run run;
        Play(run.pop, c.replies);
        EXPECT_EQ(run.sink.success, false) << c.message.toStdString();
        EXPECT_EQ(run.sink.message, c.message);
        EXPECT_EQ(run.sink.finishes, 1);
    }
}

TEST(Pop3DialogueTest, StlsComesBeforeTheLogin) {
    Pop3Run run({MailSecurity::StartTls, "bob", "secret", true});
    Play(run.pop, {"+OK ready", "+OK begin"});
    EXPECT_EQ(run.sink.sent, QByteArrayList{"STLS"});
    EXPECT_EQ(run.sink.tlsRequests, 1);
    Play(run.pop, {"~tls"});
    EXPECT_EQ(run.sink.sent.last(), "USER bob");

    Pop3Run refused({MailSecurity::StartTls, "bob", "secret", true});
    Play(refused.pop, {"+OK ready", "-ERR no"});
    EXPECT_EQ(refused.sink.message, texts::kMailNoStartTls);
}

TEST(Pop3DialogueTest, AnOversizedMessageIsReadToItsEndButKeptShort) {
    Pop3Run run({MailSecurity::None, "bob", "secret", false});
    Play(run.pop, {"+OK", "+OK", "+OK", "+OK", "1 aaa", ".", "+OK"});
    for (int i = 0; i < Pop3Dialogue::kMaxKeptLines + 50; ++i) {
        run.pop.ReplyLine("line");
    }
    run.pop.ReplyLine(".");
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0].size(), Pop3Dialogue::kMaxKeptLines);
    EXPECT_EQ(run.sink.sent.last(), "QUIT");
}

} // namespace
} // namespace varenta

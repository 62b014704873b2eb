// The text rules of mail: cutting received bytes into lines, composing the
// outgoing message safely, reading a received one, and server names.
#include "varenta/net/mail/MailClients.h"
#include "varenta/net/mail/MailConnection.h"
#include "varenta/net/mail/MailLineReader.h"
#include "varenta/net/mail/MailMessage.h"

#include <gtest/gtest.h>

namespace varenta {
namespace {

TEST(MailLineReaderTest, RepliesSplitOverReadsOrJoinedInOneReadGiveTheSameLines) {
    const QByteArray stream = "220 ready\r\n250-one\r\n250 two\n\r\n+OK\r\n";
    const QByteArrayList expected = {"220 ready", "250-one", "250 two", "", "+OK"};
    for (int chunk : {1, 2, 3, 7, 100}) {
        MailLineReader reader;
        QByteArrayList lines;
        for (qsizetype at = 0; at < stream.size(); at += chunk) {
            lines += reader.Feed(stream.mid(at, chunk));
        }
        EXPECT_EQ(lines, expected) << "chunk " << chunk;
        EXPECT_TRUE(reader.Pending().isEmpty());
    }
}

TEST(MailLineReaderTest, AnOverlongLineStopsTheReader) {
    MailLineReader exact;
    EXPECT_EQ(exact.Feed(QByteArray(MailLineReader::kMaxLineLength, 'x') + "\r\n").size(), 1);
    EXPECT_FALSE(exact.Overflowed());

    MailLineReader joined;
    EXPECT_TRUE(joined.Feed("ok\r\n" + QByteArray(MailLineReader::kMaxLineLength + 1, 'x') + "\r\n")
                    .size() == 1);
    EXPECT_TRUE(joined.Overflowed());
    EXPECT_TRUE(joined.Feed("more\r\n").isEmpty());

    // No line end at all: the reader gives up instead of growing for ever.
    MailLineReader endless;
    for (int i = 0; i < 10 && !endless.Overflowed(); ++i) {
        endless.Feed(QByteArray(4096, 'y'));
    }
    EXPECT_TRUE(endless.Overflowed());
    EXPECT_TRUE(endless.Pending().isEmpty());
}

TEST(MailLineReaderTest, PrintableReplyHidesControlBytesAndCutsLongText) {
    EXPECT_EQ(PrintableReply(QByteArray("550 \x01no\x7f", 8)), "550 ?no?");
    EXPECT_EQ(PrintableReply(QByteArray(200, 'a'), 10), "aaaaaaaaaa...");
}

TEST(MailMessageTest, LinesThatBeginWithADotAreStuffed) {
    const QByteArrayList lines =
        ComposeMessage({"A", "a@b.c", "s", {"d@e.f"}, {".", ".hidden", "a.b", ""}, {}});
    const QByteArrayList body = lines.mid(lines.indexOf(QByteArray()) + 1);
    EXPECT_EQ(body, (QByteArrayList{"..", "..hidden", "a.b", ""}));
}

TEST(MailMessageTest, HeaderTextOutsideAsciiIsEncodedAndLineBreaksNeverSurvive) {
    EXPECT_EQ(EncodeHeaderText("Plain Name"), "Plain Name");
    EXPECT_EQ(EncodeHeaderText(QString::fromUtf8("J\u00fcrgen M\u00fcller")),
              "=?ISO-8859-1?Q?J=FCrgen_M=FCller?=");
    EXPECT_EQ(EncodeHeaderText(QString::fromUtf8("\u041e\u043b\u044f")),
              "=?UTF-8?Q?=D0=9E=D0=BB=D1=8F?=");
    // A long name becomes several words, none longer than mail readers take.
    const QByteArray longName = EncodeHeaderText(QString(100, QChar(0xE9)));
    for (const QByteArray& word : longName.split(' ')) {
        EXPECT_LE(word.size(), 200);
        EXPECT_TRUE(word.startsWith("=?ISO-8859-1?Q?"));
    }
    // A subject with a line break must not start a header of its own.
    const QByteArrayList lines = ComposeMessage(
        {"Eve\r\nBcc: x@y.z", "e@v.e", "Hi\nX-Evil: 1", {"d@e.f"}, {"body"}, {"X-A: 1\r\nX-B: 2"}});
    for (const QByteArray& line : lines) {
        EXPECT_FALSE(line.contains('\r') || line.contains('\n')) << line.constData();
        EXPECT_FALSE(line.startsWith("Bcc:") || line.startsWith("X-Evil") ||
                     line.startsWith("X-B"));
    }
}

TEST(MailMessageTest, BodiesThatNeedItTravelQuotedPrintable) {
    EXPECT_FALSE(BodyNeedsQuotedPrintable({"10.0.0.1", "192.168.1.20", "\ttab"}));
    EXPECT_TRUE(BodyNeedsQuotedPrintable({QString::fromUtf8("gr\u00fc\u00df")}));
    EXPECT_TRUE(BodyNeedsQuotedPrintable({QString(999, 'a')}));

    EXPECT_EQ(QuotedPrintableLines(QString::fromUtf8("a=b \u00e9 ")),
              QByteArrayList{"a=3Db =C3=A9=20"});
    EXPECT_EQ(QuotedPrintableLines(".start"), QByteArrayList{"=2Estart"});
    const QByteArrayList wrapped = QuotedPrintableLines(QString(200, 'x'));
    ASSERT_EQ(wrapped.size(), 3);
    for (qsizetype i = 0; i < wrapped.size(); ++i) {
        EXPECT_LE(wrapped[i].size(), 76);
        EXPECT_EQ(wrapped[i].endsWith('='), i + 1 < wrapped.size());
    }

    const QByteArrayList lines =
        ComposeMessage({"A", "a@b.c", "s", {"d@e.f"}, {QString::fromUtf8("\u00e9")}, {}});
    EXPECT_TRUE(lines.contains("Content-Transfer-Encoding: quoted-printable"));
    EXPECT_TRUE(lines.contains("Content-Type: text/plain; charset=\"utf-8\""));
    EXPECT_EQ(lines.last(), "=C3=A9");
}

TEST(MailMessageTest, OnlyAddressesThatCannotCarryCommandsAreUsable) {
    const std::pair<const char*, bool> cases[] = {
        {"bob@test.example", true},
        {"a.b+c@d", true},
        {"", false},
        {"bob", false},
        {"@test.example", false},
        {"bob@", false},
        {"bob @x.y", false},
        {"bob@x.y>", false},
        {"<bob@x.y", false},
        {"bob@x.y\r\nRCPT", false},
        {"a|b@c.d", false},
    };
    for (const auto& [address, usable] : cases) {
        EXPECT_EQ(IsUsableMailAddress(QString::fromUtf8(address)), usable) << address;
    }
}

TEST(MailMessageTest, SubjectAndBodyOfAReceivedMessage) {
    const QByteArrayList message = {"From: a@b.c",
                                    "subject: Re: Varenta IP",
                                    "\t Address Exchange",
                                    "To: d@e.f",
                                    "",
                                    "10.0.0.9",
                                    "",
                                    "x"};
    EXPECT_EQ(MailSubject(message), "Re: Varenta IP\t Address Exchange");
    EXPECT_EQ(MailBody(message), (QByteArrayList{"10.0.0.9", "", "x"}));
    EXPECT_EQ(MailSubject({"From: a", "", "Subject: in the body"}), "");
    EXPECT_TRUE(MailBody({"Subject: only a header"}).isEmpty());
}

} // namespace
} // namespace varenta

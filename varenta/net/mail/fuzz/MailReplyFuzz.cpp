// Any bytes as a mail server's replies: the line reader, both dialogues and
// the reading of a received message never crash, never report an action's
// end twice, and never hand on a line longer than the reader allows.
#include "varenta/net/mail/AddressExchange.h"
#include "varenta/net/mail/MailLineReader.h"
#include "varenta/net/mail/Pop3Dialogue.h"
#include "varenta/net/mail/SmtpDialogue.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct CountingSink : varenta::MailDialogueSink {
    int finishes = 0;
    void SendLine(const QByteArray&) override {}
    void StartTls() override {}
    void Finish(bool, const QString&) override { ++finishes; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte chooses how the bytes are cut into reads and which
    // options the dialogues run with.
    const int chunk = 1 + data[0] % 64;
    const auto security = static_cast<varenta::MailSecurity>(data[0] % 3);
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1),
                           static_cast<qsizetype>(size - 1));

    CountingSink smtpSink, popSink;
    varenta::SmtpDialogue smtp(smtpSink, {"fuzz", security, (data[0] & 0x40) != 0, "u", "p"},
                               {"N", "a@b.c", "s", {"d@e.f", "g@h.i"}, {"1.2.3.4"}, {}});
    QSet<QByteArray> seen;
    varenta::Pop3Dialogue pop(popSink, {security, "u", "p", (data[0] & 0x80) != 0}, seen);
    pop.headersLoaded = [](const QByteArrayList& header) {
        return varenta::MailSubject(header).size() % 2 == 0;
    };
    pop.messageLoaded = [](const QByteArrayList& message) {
        return !varenta::PartnerAddressFromBody(varenta::MailBody(message)).isEmpty();
    };

    varenta::MailLineReader reader;
    for (qsizetype at = 0; at < bytes.size(); at += chunk) {
        for (const QByteArray& line : reader.Feed(bytes.mid(at, chunk))) {
            if (line.size() > varenta::MailLineReader::kMaxLineLength) {
                std::abort();
            }
            smtp.ReplyLine(line);
            pop.ReplyLine(line);
            if (line.size() == 1) {
                smtp.TlsReady();
                pop.TlsReady();
            }
        }
    }
    smtp.Closed();
    pop.Closed();
    if (smtpSink.finishes != 1 || popSink.finishes != 1) {
        std::abort();
    }
    return 0;
}

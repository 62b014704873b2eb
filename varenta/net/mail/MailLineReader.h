// Cuts the bytes a mail server sends into lines. A server may split one
// reply over several reads or put several replies into one read; lines end
// with CR LF, and a bare LF is accepted as well. A line longer than any mail
// server may send means the peer is not speaking the protocol: the reader
// stops and reports it instead of buffering without end.
#pragma once

#include <QByteArray>
#include <QByteArrayList>

namespace varenta {

class MailLineReader {
public:
    // Mail lines are limited to 1000 bytes; this leaves room for servers that
    // stretch the rule without letting a broken peer fill the memory.
    static constexpr qsizetype kMaxLineLength = 8192;

    // Appends `bytes` and returns the lines completed by them, without their
    // line ends. After an over-long line nothing more is returned.
    QByteArrayList Feed(const QByteArray& bytes);

    bool Overflowed() const { return overflowed_; }
    // Bytes received after the last complete line.
    const QByteArray& Pending() const { return pending_; }
    void Reset();

private:
    QByteArray pending_;
    bool overflowed_ = false;
};

// A reply line fit for a status text: control bytes shown as "?", cut to
// `maxLength` characters with "..." when longer.
QString PrintableReply(const QByteArray& line, int maxLength = 120);

} // namespace varenta

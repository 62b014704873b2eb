#include "varenta/net/mail/MailLineReader.h"

#include <QString>

namespace varenta {

QByteArrayList MailLineReader::Feed(const QByteArray& bytes) {
    QByteArrayList lines;
    if (overflowed_) {
        return lines;
    }
    pending_.append(bytes);
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = pending_.indexOf('\n', start);
        if (end < 0) {
            break;
        }
        qsizetype length = end - start;
        if (length > 0 && pending_[end - 1] == '\r') {
            --length;
        }
        if (length > kMaxLineLength) {
            overflowed_ = true;
            pending_.clear();
            return lines;
        }
        lines.append(pending_.mid(start, length));
        start = end + 1;
    }
    pending_.remove(0, start);
    if (pending_.size() > kMaxLineLength + 1) {
        overflowed_ = true;
        pending_.clear();
    }
    return lines;
}

void MailLineReader::Reset() {
    pending_.clear();
    overflowed_ = false;
}

QString PrintableReply(const QByteArray& line, int maxLength) {
    QString text;
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        text += (byte >= 0x20 && byte < 0x7F) ? QChar(byte) : QChar('?');
    }
    if (text.size() > maxLength) {
        text = text.left(maxLength) + QStringLiteral("...");
    }
    return text;
}

} // namespace varenta

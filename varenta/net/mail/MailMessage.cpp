#include "varenta/net/mail/MailMessage.h"

namespace varenta {

namespace {

constexpr int kMaxWireLine = 998;
constexpr int kQuotedPrintableWidth = 76;
constexpr int kEncodedWordChunk = 40; // characters of text per encoded word

const char kHex[] = "0123456789ABCDEF";

void AppendHex(QByteArray& out, unsigned char byte) {
    out += '=';
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
}

bool IsAscii(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            return false;
        }
    }
    return true;
}

bool IsLatin1(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() > 0xFF) {
            return false;
        }
    }
    return true;
}

QString WithoutLineBreaks(const QString& text) {
    QString flat = text;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' '));
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return flat;
}

QByteArray EncodedWord(const QByteArray& bytes, const char* charset) {
    QByteArray word = QByteArray("=?") + charset + "?Q?";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == ' ') {
            word += '_';
        } else if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
                   (byte >= 'a' && byte <= 'z') || byte == '!' || byte == '*' || byte == '+' ||
                   byte == '-' || byte == '/') {
            word += static_cast<char>(byte);
        } else {
            AppendHex(word, byte);
        }
    }
    return word + "?=";
}

QByteArray DotStuffed(QByteArray line) {
    if (line.startsWith('.')) {
        line.prepend('.');
    }
    return line;
}

} // namespace

QByteArray EncodeHeaderText(const QString& text) {
    const QString flat = WithoutLineBreaks(text);
    if (IsAscii(flat)) {
        return flat.toLatin1();
    }
    const bool latin1 = IsLatin1(flat);
    // Several short words keep each one within the length mail readers accept;
    // the space between two encoded words is not part of the text.
    QByteArray encoded;
    for (qsizetype at = 0; at < flat.size(); at += kEncodedWordChunk) {
        qsizetype length = kEncodedWordChunk;
        if (at + length < flat.size() && flat[at + length - 1].isHighSurrogate()) {
            ++length; // a character outside the basic plane stays whole
        }
        const QString part = flat.mid(at, length);
        if (!encoded.isEmpty()) {
            encoded += ' ';
        }
        encoded += latin1 ? EncodedWord(part.toLatin1(), "ISO-8859-1")
                          : EncodedWord(part.toUtf8(), "UTF-8");
        at += length - kEncodedWordChunk;
    }
    return encoded;
}

bool BodyNeedsQuotedPrintable(const QStringList& lines) {
    for (const QString& line : lines) {
        if (line.size() > kMaxWireLine) {
            return true;
        }
        for (const QChar c : line) {
            const char16_t u = c.unicode();
            if (u >= 0x7F || (u < 0x20 && u != '\t')) {
                return true;
            }
        }
    }
    return false;
}

QByteArrayList QuotedPrintableLines(const QString& line) {
    QByteArrayList out;
    QByteArray current;
    const QByteArray bytes = line.toUtf8();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const bool last = i + 1 == bytes.size();
        QByteArray piece;
        // Trailing blanks would be dropped on the way; a dot at the start of a
        // line is encoded so the line can never be the end-of-data mark.
        const bool plain =
            (byte >= 0x21 && byte <= 0x7E && byte != '=' && !(byte == '.' && current.isEmpty())) ||
            ((byte == ' ' || byte == '\t') && !last);
        if (plain) {
            piece += static_cast<char>(byte);
        } else {
            AppendHex(piece, byte);
        }
        if (current.size() + piece.size() > kQuotedPrintableWidth - 1) {
            out.append(current + '=');
            current.clear();
            if (piece == ".") {
                piece = "=2E";
            }
        }
        current += piece;
    }
    out.append(current);
    return out;
}

bool IsUsableMailAddress(const QString& address) {
    if (address.isEmpty() || address.size() > 254) {
        return false;
    }
    for (const QChar c : address) {
        const char16_t u = c.unicode();
        if (u <= 0x20 || u == 0x7F || u == '<' || u == '>' || u == '|') {
            return false;
        }
    }
    const qsizetype at = address.lastIndexOf(QLatin1Char('@'));
    return at > 0 && at < address.size() - 1;
}

QByteArrayList ComposeMessage(const OutgoingMail& mail) {
    QByteArrayList lines;
    lines.append("From: " + EncodeHeaderText(mail.fromName) + " <" +
                 WithoutLineBreaks(mail.fromAddress).toUtf8() + ">");
    for (const QString& recipient : mail.to) {
        const qsizetype bar = recipient.indexOf(QLatin1Char('|'));
        if (bar >= 0) {
            lines.append("To: " + EncodeHeaderText(recipient.mid(bar + 1)) + " <" +
                         WithoutLineBreaks(recipient.left(bar)).toUtf8() + ">");
        } else {
            lines.append("To: " + WithoutLineBreaks(recipient).toUtf8() + ";");
        }
    }
    lines.append("Subject: " + EncodeHeaderText(mail.subject));
    lines.append("Mime-Version: 1.0");
    const bool quoted = BodyNeedsQuotedPrintable(mail.text);
    // The body's characters are sent as UTF-8 once it leaves US-ASCII.
    lines.append(quoted ? QByteArray("Content-Type: text/plain; charset=\"utf-8\"")
                        : QByteArray("Content-Type: text/plain; charset=\"us-ascii\""));
    if (quoted) {
        lines.append("Content-Transfer-Encoding: quoted-printable");
    }
    for (const QString& header : mail.headers) {
        lines.append(WithoutLineBreaks(header).toUtf8());
    }
    lines.append(QByteArray());
    for (const QString& text : mail.text) {
        // A line break inside one body entry starts a new line on the wire.
        QString normal = text;
        normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        for (const QString& line : normal.split(QLatin1Char('\n'))) {
            if (quoted) {
                lines.append(QuotedPrintableLines(line));
            } else {
                lines.append(line.toLatin1());
            }
        }
    }
    for (QByteArray& line : lines) {
        line = DotStuffed(line);
    }
    return lines;
}

} // namespace varenta

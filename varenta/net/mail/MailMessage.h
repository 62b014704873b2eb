// The text of one outgoing mail as it travels after DATA: the header lines,
// an empty line and the body, every line already made safe for the wire
// (line length, non-ASCII text, lines that begin with a dot).
#pragma once

#include <QByteArrayList>
#include <QString>
#include <QStringList>

namespace varenta {

struct OutgoingMail {
    QString fromName;
    QString fromAddress;
    QString subject;
    QStringList to;      // plain addresses, or address + "|" + display name
    QStringList text;    // body lines
    QStringList headers; // extra header lines, written as given
};

// The lines after DATA, without the closing ".". Lines that begin with "."
// carry an extra "." so the server does not take them for the end.
QByteArrayList ComposeMessage(const OutgoingMail& mail);

// A header text with characters outside US-ASCII as encoded words
// ("=?ISO-8859-1?Q?...?=", or UTF-8 for characters Latin-1 lacks); plain
// ASCII text is returned unchanged. Line breaks never survive into a header.
QByteArray EncodeHeaderText(const QString& text);

// Whether the body must travel quoted-printable: characters outside
// US-ASCII, control characters or lines too long for the wire.
bool BodyNeedsQuotedPrintable(const QStringList& lines);
// One body line in quoted-printable form, split by soft line breaks.
QByteArrayList QuotedPrintableLines(const QString& line);

// An address that can stand between "<" and ">" in a mail command: no
// spaces, no control characters, no angle brackets, one "@" with text on
// both sides. Anything else could smuggle commands to the server.
bool IsUsableMailAddress(const QString& address);

} // namespace varenta

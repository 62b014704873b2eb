// The mail account of the address exchange: the six settings of the
// Network Setup dialog and how the two connections are protected. The
// password is kept scrambled in the settings file, every byte replaced by
// its complement, so it is not readable at a glance (this is no encryption).
#pragma once

#include "varenta/net/mail/MailDialogue.h"

#include <QString>

namespace varenta {

class SettingsFile;

struct MailAccount {
    static constexpr int kMaxLength = 255; // each text, as the dialog allows

    QString smtpServer;   // "Network\SMTP Server", "host" or "host:port"
    QString popServer;    // "Network\POP Server"
    QString emailName;    // "Network\Email Name"
    QString emailAddress; // "Network\Email Address"
    QString username;     // "Network\Username"
    QString password;     // "Network\Password", plain in memory
    MailSecurity smtpSecurity = MailSecurity::None;
    bool smtpLogin = false; // sign in to the SMTP server (secured connections only)
    MailSecurity popSecurity = MailSecurity::None;

    // All six texts are filled in.
    bool Complete() const;
    static MailAccount Read(SettingsFile& store);
    void Write(SettingsFile& store) const;
};

// The stored form of a password and back (the same operation both ways):
// each byte of its UTF-8 form becomes 255 minus that byte; the bytes are
// kept as Latin-1 characters, so an ASCII password keeps its length.
QString ScramblePassword(const QString& password);
QString UnscramblePassword(const QString& stored);

} // namespace varenta

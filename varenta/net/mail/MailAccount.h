// The mail account of the address exchange: the six settings of the
// Network Setup dialog and how the two connections are protected, handed in
// by the table, which keeps them in the settings store.
#pragma once

#include "varenta/net/mail/MailDialogue.h"

#include <QString>

namespace varenta {

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
};

} // namespace varenta

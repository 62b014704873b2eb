#include "varenta/net/mail/MailAccount.h"

namespace varenta {

bool MailAccount::Complete() const {
    return !smtpServer.isEmpty() && !popServer.isEmpty() && !emailName.isEmpty() &&
           !emailAddress.isEmpty() && !username.isEmpty() && !password.isEmpty();
}

} // namespace varenta

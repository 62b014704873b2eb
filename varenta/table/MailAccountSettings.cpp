#include "varenta/table/MailAccountSettings.h"

#include "varenta/store/SettingsFile.h"

#include <algorithm>

namespace varenta {

namespace {

constexpr char kSmtpServer[] = "Network\\SMTP Server";
constexpr char kPopServer[] = "Network\\POP Server";
constexpr char kEmailName[] = "Network\\Email Name";
constexpr char kEmailAddress[] = "Network\\Email Address";
constexpr char kUsername[] = "Network\\Username";
constexpr char kPassword[] = "Network\\Password";
constexpr char kSmtpSecurity[] = "Network\\SMTP Security";
constexpr char kSmtpLogin[] = "Network\\SMTP Login";
constexpr char kPopSecurity[] = "Network\\POP Security";

QString Name(const char* key) {
    return QString::fromUtf8(key);
}

QString ReadText(SettingsFile& store, const char* key) {
    return store.ReadString(Name(key), QString()).left(MailAccount::kMaxLength);
}

MailSecurity ReadSecurity(SettingsFile& store, const char* key) {
    return static_cast<MailSecurity>(std::clamp(store.ReadInteger(Name(key), 0), 0, 2));
}

QByteArray Complemented(QByteArray bytes) {
    for (char& c : bytes) {
        c = static_cast<char>(255 - static_cast<unsigned char>(c));
    }
    return bytes;
}

} // namespace

QString ScramblePassword(const QString& password) {
    return QString::fromLatin1(Complemented(password.toUtf8()));
}

QString UnscramblePassword(const QString& stored) {
    return QString::fromUtf8(Complemented(stored.toLatin1()));
}

MailAccount ReadMailAccount(SettingsFile& store) {
    MailAccount account;
    account.smtpServer = ReadText(store, kSmtpServer);
    account.popServer = ReadText(store, kPopServer);
    account.emailName = ReadText(store, kEmailName);
    account.emailAddress = ReadText(store, kEmailAddress);
    account.username = ReadText(store, kUsername);
    account.password = UnscramblePassword(store.ReadString(Name(kPassword), QString()))
                           .left(MailAccount::kMaxLength);
    account.smtpSecurity = ReadSecurity(store, kSmtpSecurity);
    account.smtpLogin = store.ReadBool(Name(kSmtpLogin), false);
    account.popSecurity = ReadSecurity(store, kPopSecurity);
    return account;
}

void WriteMailAccount(SettingsFile& store, const MailAccount& account) {
    store.WriteValues({
        {Name(kSmtpServer), account.smtpServer},
        {Name(kPopServer), account.popServer},
        {Name(kEmailName), account.emailName},
        {Name(kEmailAddress), account.emailAddress},
        {Name(kUsername), account.username},
        {Name(kPassword), ScramblePassword(account.password)},
        {Name(kSmtpSecurity), static_cast<int>(account.smtpSecurity)},
        {Name(kSmtpLogin), account.smtpLogin},
        {Name(kPopSecurity), static_cast<int>(account.popSecurity)},
    });
}

} // namespace varenta

#include "varenta/table/MailAccountSettings.h"

#include "varenta/store/SettingsFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace varenta {
namespace {

TEST(MailAccountSettingsTest, ThePasswordIsStoredComplementedAndReadBack) {
    QTemporaryDir dir;
    SettingsFile store(dir.path() + "/settings.conf");
    MailAccount account;
    account.smtpServer = "smtp.example.org:465";
    account.password = QString::fromUtf8("s3cr\u00e9t \u20ac");
    account.smtpSecurity = MailSecurity::Tls;
    account.smtpLogin = true;
    account.popSecurity = MailSecurity::StartTls;
    WriteMailAccount(store, account);

    EXPECT_EQ(ScramblePassword("ab"), QString(QChar(255 - 'a')) + QChar(255 - 'b'));
    EXPECT_EQ(ScramblePassword(""), "");
    EXPECT_EQ(UnscramblePassword(ScramblePassword("secret")), "secret");
    EXPECT_EQ(store.ReadString("Network\\Password", {}), ScramblePassword(account.password));

    SettingsFile again(dir.path() + "/settings.conf");
    const MailAccount read = ReadMailAccount(again);
    EXPECT_EQ(read.password, account.password);
    EXPECT_EQ(read.smtpServer, account.smtpServer);
    EXPECT_EQ(read.smtpSecurity, MailSecurity::Tls);
    EXPECT_TRUE(read.smtpLogin);
    EXPECT_EQ(read.popSecurity, MailSecurity::StartTls);
    EXPECT_FALSE(read.Complete());

    // Out-of-range choices and over-long texts from a hand-edited file.
    again.Write("Network\\POP Security", 7);
    again.Write("Network\\Email Name", QString(300, 'n'));
    const MailAccount clamped = ReadMailAccount(again);
    EXPECT_EQ(clamped.popSecurity, MailSecurity::Tls);
    EXPECT_EQ(clamped.emailName.size(), MailAccount::kMaxLength);
}

} // namespace
} // namespace varenta

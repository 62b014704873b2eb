// The Network Setup dialog: shows the stored account, keeps every text
// within 255 characters, hides the password, offers the SMTP sign-in only
// with a secured connection, and stores on OK alone.
#include "varenta/table/NetworkSetupDialog.h"

#include "varenta/net/mail/MailTexts.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/table/MailAccountSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace varenta {
namespace {

class NetworkSetupDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        store = std::make_unique<SettingsFile>(dir.path() + "/settings.conf");
        MailAccount account;
        account.smtpServer = "smtp.example.org";
        account.popServer = "pop.example.org:995";
        account.emailName = "Ann";
        account.emailAddress = "ann@example.org";
        account.username = "ann";
        account.password = "pw";
        account.popSecurity = MailSecurity::Tls;
        WriteMailAccount(*store, account);
    }
    template <typename W> W* Find(NetworkSetupDialog& dialog, const char* name) {
        W* widget = dialog.findChild<W*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QTemporaryDir dir;
    std::unique_ptr<SettingsFile> store;
};

TEST_F(NetworkSetupDialogTest, ShowsTheStoredAccountInTheNamedControls) {
    NetworkSetupDialog dialog(*store);
    EXPECT_EQ(dialog.windowTitle(), texts::kMailSetupCaption);
    const std::pair<const char*, const char*> fields[] = {
        {"edSMTPServer", "smtp.example.org"},
        {"edPOPServer", "pop.example.org:995"},
        {"edOwnName", "Ann"},
        {"edOwnEmailAddress", "ann@example.org"},
        {"edUsername", "ann"},
        {"edPassword", "pw"},
    };
    for (const auto& [name, value] : fields) {
        QLineEdit* edit = Find<QLineEdit>(dialog, name);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), value) << name;
        EXPECT_EQ(edit->maxLength(), 255) << name;
    }
    EXPECT_EQ(Find<QLineEdit>(dialog, "edPassword")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Find<QComboBox>(dialog, "cbPOPSecurity")->currentIndex(), 2);
    QStringList groups;
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
        groups << group->title();
    }
    EXPECT_TRUE(groups.contains(texts::kMailGroupProvider));
    EXPECT_TRUE(groups.contains(texts::kMailGroupAccount));
}

TEST_F(NetworkSetupDialogTest, TheSmtpSignInIsOfferedOnlyOverASecuredConnection) {
    NetworkSetupDialog dialog(*store);
    auto* security = Find<QComboBox>(dialog, "cbSMTPSecurity");
    auto* login = Find<QCheckBox>(dialog, "ckSMTPLogin");
    EXPECT_FALSE(login->isEnabled());
    security->setCurrentIndex(1);
    EXPECT_TRUE(login->isEnabled());
    login->setChecked(true);
    EXPECT_TRUE(dialog.ChosenAccount().smtpLogin);
    security->setCurrentIndex(0);
    EXPECT_FALSE(dialog.ChosenAccount().smtpLogin);
}

TEST_F(NetworkSetupDialogTest, OkStoresTheAccountAndCancelLeavesItAlone) {
    {
        NetworkSetupDialog dialog(*store);
        Find<QLineEdit>(dialog, "edPassword")->setText("changed");
        dialog.reject();
    }
    EXPECT_EQ(ReadMailAccount(*store).password, "pw");

    NetworkSetupDialog dialog(*store);
    Find<QLineEdit>(dialog, "edSMTPServer")->setText("  mail.example.org:587 ");
    Find<QLineEdit>(dialog, "edPassword")->setText("new secret");
    Find<QComboBox>(dialog, "cbSMTPSecurity")->setCurrentIndex(1);
    Find<QCheckBox>(dialog, "ckSMTPLogin")->setChecked(true);
    dialog.accept();
    const MailAccount stored = ReadMailAccount(*store);
    EXPECT_EQ(stored.smtpServer, "mail.example.org:587");
    EXPECT_EQ(stored.password, "new secret");
    EXPECT_EQ(store->ReadString("Network\\Password", {}), ScramblePassword("new secret"));
    EXPECT_EQ(stored.smtpSecurity, MailSecurity::StartTls);
    EXPECT_TRUE(stored.smtpLogin);
    EXPECT_TRUE(stored.Complete());
}

} // namespace
} // namespace varenta

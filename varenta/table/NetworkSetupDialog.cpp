#include "varenta/table/NetworkSetupDialog.h"

#include "varenta/table/TableTextConversion.h"

#include "varenta/net/mail/MailTexts.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/table/HelpTopics.h"
#include "varenta/table/MailAccountSettings.h"
#include "varenta/table/NetworkTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace varenta {

namespace {

QString Text(const char* text) {
    return Tr(text);
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& value) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(MailAccount::kMaxLength);
    edit->setText(value);
    return edit;
}

QComboBox* MakeSecurityBox(QWidget* parent, const char* name, const char* startTls, const char* tls,
                           MailSecurity value) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItem(Text(texts::kMailSecurityNone));
    box->addItem(Text(startTls));
    box->addItem(Text(tls));
    box->setCurrentIndex(static_cast<int>(value));
    return box;
}

} // namespace

NetworkSetupDialog::NetworkSetupDialog(SettingsFile& store, QWidget* parent, SecretStore* secrets)
    : QDialog(parent), store_(store), secrets_(secrets) {
    setWindowTitle(Text(texts::kMailSetupCaption));
    SetHelpTopic(this, topics::kNetworkSetup);
    const MailAccount account = ReadMailAccount(store_);

    auto* provider = new QGroupBox(Text(texts::kMailGroupProvider), this);
    edSMTPServer_ = MakeEdit(provider, "edSMTPServer", account.smtpServer);
    edPOPServer_ = MakeEdit(provider, "edPOPServer", account.popServer);
    auto* providerForm = new QFormLayout(provider);
    providerForm->addRow(Text(texts::kMailLabelSmtpServer), edSMTPServer_);
    providerForm->addRow(Text(texts::kMailLabelPopServer), edPOPServer_);
    auto* hint = new QLabel(Text(texts::kMailServerHint), provider);
    hint->setEnabled(false);
    providerForm->addRow(hint);

    auto* own = new QGroupBox(Text(texts::kMailGroupAccount), this);
    edOwnName_ = MakeEdit(own, "edOwnName", account.emailName);
    edOwnEmailAddress_ = MakeEdit(own, "edOwnEmailAddress", account.emailAddress);
    edUsername_ = MakeEdit(own, "edUsername", account.username);
    edPassword_ = MakeEdit(own, "edPassword", account.password);
    edPassword_->setEchoMode(QLineEdit::Password);
    auto* ownForm = new QFormLayout(own);
    ownForm->addRow(Text(texts::kMailLabelOwnName), edOwnName_);
    ownForm->addRow(Text(texts::kMailLabelOwnAddress), edOwnEmailAddress_);
    ownForm->addRow(Text(texts::kMailLabelUsername), edUsername_);
    ownForm->addRow(Text(texts::kMailLabelPassword), edPassword_);

    auto* security = new QGroupBox(Text(texts::kMailGroupSecurity), this);
    cbSMTPSecurity_ = MakeSecurityBox(security, "cbSMTPSecurity", texts::kMailSmtpStartTls,
                                      texts::kMailSmtpTls, account.smtpSecurity);
    ckSMTPLogin_ = new QCheckBox(Text(texts::kMailSmtpLogin), security);
    ckSMTPLogin_->setObjectName(QStringLiteral("ckSMTPLogin"));
    ckSMTPLogin_->setChecked(account.smtpLogin);
    cbPOPSecurity_ = MakeSecurityBox(security, "cbPOPSecurity", texts::kMailPopStartTls,
                                     texts::kMailPopTls, account.popSecurity);
    auto* securityForm = new QFormLayout(security);
    securityForm->addRow(Text(texts::kMailLabelSmtpSecurity), cbSMTPSecurity_);
    securityForm->addRow(ckSMTPLogin_);
    securityForm->addRow(Text(texts::kMailLabelPopSecurity), cbPOPSecurity_);

    const RelaySetup relaySetup = ReadRelaySetup(store_, secrets_);
    auto* relay = new QGroupBox(Text(texts::kRelayGroup), this);
    edRelayServer_ = MakeEdit(relay, "edRelayServer", relaySetup.server);
    edRelayUser_ = MakeEdit(relay, "edRelayUser", relaySetup.user);
    edRelayPassword_ = MakeEdit(relay, "edRelayPassword", relaySetup.password);
    for (QLineEdit* edit : {edRelayServer_, edRelayUser_, edRelayPassword_}) {
        edit->setMaxLength(RelaySetup::kMaxLength);
    }
    edRelayPassword_->setEchoMode(QLineEdit::Password);
    ckRelayTls_ = new QCheckBox(Text(texts::kRelayTls), relay);
    ckRelayTls_->setObjectName(QStringLiteral("ckRelayTls"));
    ckRelayTls_->setChecked(relaySetup.tls);
    auto* relayForm = new QFormLayout(relay);
    relayForm->addRow(Text(texts::kRelayLabelServer), edRelayServer_);
    relayForm->addRow(Text(texts::kRelayLabelUser), edRelayUser_);
    relayForm->addRow(Text(texts::kRelayLabelPassword), edRelayPassword_);
    relayForm->addRow(ckRelayTls_);
    auto* relayHint = new QLabel(Text(texts::kRelayHint), relay);
    relayHint->setWordWrap(true);
    relayHint->setEnabled(false);
    relayForm->addRow(relayHint);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &NetworkSetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &NetworkSetupDialog::reject);
    connect(cbSMTPSecurity_, &QComboBox::currentIndexChanged, this,
            &NetworkSetupDialog::SecurityChanged);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(provider);
    layout->addWidget(own);
    layout->addWidget(security);
    layout->addWidget(relay);
    layout->addWidget(buttons);
    SecurityChanged();
}

void NetworkSetupDialog::SecurityChanged() {
    // The password goes to the SMTP server only over a secured connection.
    ckSMTPLogin_->setEnabled(cbSMTPSecurity_->currentIndex() != 0);
}

MailAccount NetworkSetupDialog::ChosenAccount() const {
    MailAccount account;
    account.smtpServer = edSMTPServer_->text().trimmed();
    account.popServer = edPOPServer_->text().trimmed();
    account.emailName = edOwnName_->text();
    account.emailAddress = edOwnEmailAddress_->text().trimmed();
    account.username = edUsername_->text();
    account.password = edPassword_->text();
    account.smtpSecurity = static_cast<MailSecurity>(cbSMTPSecurity_->currentIndex());
    account.smtpLogin = ckSMTPLogin_->isChecked() && ckSMTPLogin_->isEnabled();
    account.popSecurity = static_cast<MailSecurity>(cbPOPSecurity_->currentIndex());
    return account;
}

RelaySetup NetworkSetupDialog::ChosenRelay() const {
    return {edRelayServer_->text().trimmed(), edRelayUser_->text(), edRelayPassword_->text(),
            ckRelayTls_->isChecked()};
}

void NetworkSetupDialog::accept() {
    WriteMailAccount(store_, ChosenAccount());
    WriteRelaySetup(store_, secrets_, ChosenRelay());
    QDialog::accept();
}

} // namespace varenta

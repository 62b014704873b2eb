// The "Network Setup" dialog (Network | Setup...): the mail account the
// address exchange uses, six texts in two groups, how the connections to
// the two servers are protected, and the relay server for a side nobody can
// reach. OK stores them (the mail password scrambled, the relay's in the
// secret store where there is one); Cancel changes nothing.
#pragma once

#include "varenta/net/mail/MailAccount.h"
#include "varenta/table/RelaySettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace varenta {

class SecretStore;
class SettingsFile;

class NetworkSetupDialog : public QDialog {
    Q_OBJECT
public:
    // Every control is named as in the account's table (edSMTPServer, ...).
    // secrets may be null: the relay's password goes to the settings file.
    NetworkSetupDialog(SettingsFile& store, QWidget* parent = nullptr,
                       SecretStore* secrets = nullptr);

    // The account the controls show now.
    MailAccount ChosenAccount() const;
    RelaySetup ChosenRelay() const;

public slots:
    void accept() override;

private:
    void SecurityChanged();

    SettingsFile& store_;
    SecretStore* secrets_;
    QLineEdit* edSMTPServer_;
    QLineEdit* edPOPServer_;
    QLineEdit* edOwnName_;
    QLineEdit* edOwnEmailAddress_;
    QLineEdit* edUsername_;
    QLineEdit* edPassword_;
    QComboBox* cbSMTPSecurity_;
    QCheckBox* ckSMTPLogin_;
    QComboBox* cbPOPSecurity_;
    QLineEdit* edRelayServer_;
    QLineEdit* edRelayUser_;
    QLineEdit* edRelayPassword_;
    QCheckBox* ckRelayTls_;
};

} // namespace varenta

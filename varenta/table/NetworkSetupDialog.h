// The "Network Setup" dialog (Network | Setup...): the mail account the
// address exchange uses, six texts in two groups, and how the connections
// to the two servers are protected. OK stores them (the password scrambled);
// Cancel changes nothing.
#pragma once

#include "varenta/net/mail/MailAccount.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace varenta {

class SettingsFile;

class NetworkSetupDialog : public QDialog {
    Q_OBJECT
public:
    // Every control is named as in the account's table (edSMTPServer, ...).
    NetworkSetupDialog(SettingsFile& store, QWidget* parent = nullptr);

    // The account the controls show now.
    MailAccount ChosenAccount() const;

public slots:
    void accept() override;

private:
    void SecurityChanged();

    SettingsFile& store_;
    QLineEdit* edSMTPServer_;
    QLineEdit* edPOPServer_;
    QLineEdit* edOwnName_;
    QLineEdit* edOwnEmailAddress_;
    QLineEdit* edUsername_;
    QLineEdit* edPassword_;
    QComboBox* cbSMTPSecurity_;
    QCheckBox* ckSMTPLogin_;
    QComboBox* cbPOPSecurity_;
};

} // namespace varenta

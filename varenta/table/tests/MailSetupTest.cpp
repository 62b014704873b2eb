// The table window's side of the address exchange by e-mail: the Setup item
// and its dialog, and a Connect by e-mail whose mail cannot be sent.
#include "TableFixture.h"

#include "varenta/net/mail/AddressExchange.h"
#include "varenta/net/mail/MailTexts.h"
#include "varenta/table/ConnectDialog.h"
#include "varenta/table/MailAccountSettings.h"
#include "varenta/table/NetworkSetupDialog.h"
#include "varenta/table/TableNetwork.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace varenta::testing {
namespace {

// A loopback port where nobody listens.
int ClosedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

class MailSetupTest : public TableFixture {
protected:
    void FillSetup(const QString& smtp) {
        window->Dialogs().networkSetup = [smtp](NetworkSetupDialog& dialog) {
            const std::pair<const char*, QString> fields[] = {
                {"edSMTPServer", smtp}, {"edPOPServer", "127.0.0.1:1"},
                {"edOwnName", "Ann"},   {"edOwnEmailAddress", "ann@test.example"},
                {"edUsername", "ann"},  {"edPassword", "secret"},
            };
            for (const auto& [name, value] : fields) {
                dialog.findChild<QLineEdit*>(name)->setText(value);
            }
            dialog.accept();
            return true;
        };
        window->Action("Network2")->trigger();
    }
};

TEST_F(MailSetupTest, SetupIsTheLastNetworkItemAndOkStoresTheAccount) {
    Open();
    QAction* setup = window->Action("Network2");
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(setup->text(), "&Setup...");
    EXPECT_EQ(setup->statusTip(), "Set information needed for email connections");
    EXPECT_EQ(window->Network().NetworkMenu()->actions().last(), setup);
    EXPECT_TRUE(setup->isEnabled());

    FillSetup("smtp.test.example:587");
    EXPECT_EQ(store->ReadString("Network\\SMTP Server", {}), "smtp.test.example:587");
    EXPECT_EQ(store->ReadString("Network\\Password", {}), ScramblePassword("secret"));
    EXPECT_EQ(window->Network().MailExchange().Account().smtpServer, "smtp.test.example:587");

    // Cancel keeps what was there.
    window->Dialogs().networkSetup = [](NetworkSetupDialog& dialog) {
        dialog.findChild<QLineEdit*>("edSMTPServer")->setText("other");
        dialog.reject();
        return false;
    };
    setup->trigger();
    EXPECT_EQ(window->Network().MailExchange().Account().smtpServer, "smtp.test.example:587");
}

TEST_F(MailSetupTest, AMailThatCannotBeSentIsReportedAndDisconnectEndsTheExchange) {
    customize = [](TableServices& services) {
        services.localAddresses = [] { return std::vector<std::string>{"192.168.1.20"}; };
        services.ownAddressQuery = [] { return std::unique_ptr<OwnAddressQuery>(); };
    };
    Open();
    FillSetup(QStringLiteral("127.0.0.1:%1").arg(ClosedPort()));
    window->Dialogs().connect = [](ConnectDialog& dialog) {
        dialog.findChild<QLineEdit*>("edIDServer")->clear();
        dialog.findChild<QLineEdit*>("edNickname")->setText("Ann");
        dialog.findChild<QRadioButton*>("rbLAN")->click();
        dialog.findChild<QRadioButton*>("rbEmail")->click();
        dialog.findChild<QComboBox*>("cbEmailPartner")->setEditText("bob@test.example");
        dialog.findChild<QPushButton*>("bnConnect")->click();
        return dialog.result() == QDialog::Accepted;
    };
    window->Action("ConnecttoPartner1")->trigger();
    EXPECT_EQ(Line(), texts::kMailSendingMessage);
    EXPECT_TRUE(window->Network().MailExchange().SendMail1().Busy());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !window->Network().MailExchange().SendMail1().Busy(); }));
    EXPECT_TRUE(Line().startsWith(QString(texts::kMailSendError) + " The mail server 127.0.0.1"))
        << Line().toStdString();
    EXPECT_FALSE(window->Network().MailExchange().tmGetMail().isActive());

    window->Action("StopWaiting1")->trigger();
    EXPECT_TRUE(window->Network().MailExchange().Stopped());
    EXPECT_EQ(window->Network().Connection(), ConnectionStatus::NotConnected);
}

} // namespace
} // namespace varenta::testing

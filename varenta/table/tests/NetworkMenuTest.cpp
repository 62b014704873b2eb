#include "TableFixture.h"

#include "varenta/net/session/NetworkSession.h"
#include "varenta/table/ConnectDialog.h"
#include "varenta/table/NetworkTexts.h"
#include "varenta/table/TableNetwork.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace varenta::testing {
namespace {

// Connecting by e-mail opens no socket: the window waits for the exchange.
class NetworkMenuTest : public TableFixture {
protected:
    void OpenWithMail() {
        customize = [](TableServices& services) {
            services.localAddresses = [] { return std::vector<std::string>{"192.168.1.20"}; };
            services.ownAddressQuery = [] { return std::unique_ptr<OwnAddressQuery>(); };
        };
        Open();
        window->Network().Play().startAddressMail = [this](const QStringList& own,
                                                           const QString& partner) {
            mails.push_back(own.join(',') + " -> " + partner);
        };
        window->Network().Play().stopAddressMail = [this] { ++stops; };
        window->Dialogs().connect = [this](ConnectDialog& dialog) {
            // No identification server: the own addresses are there at once.
            dialog.findChild<QLineEdit*>("edIDServer")->clear();
            dialog.findChild<QLineEdit*>("edNickname")->setText("Ann");
            dialog.findChild<QRadioButton*>("rbLAN")->click();
            dialog.findChild<QComboBox*>("cbEmailPartner")->setEditText("bob@example.org");
            dialog.findChild<QPushButton*>("bnConnect")->click();
            return dialog.result() == QDialog::Accepted;
        };
        for (const char* key :
             {"SMTP Server", "POP Server", "Email Name", "Email Address", "Username", "Password"}) {
            store->Write(QString("Network\\") + key, QString("x"));
        }
    }
    std::vector<bool> Enabled() {
        std::vector<bool> enabled;
        for (const char* name :
             {"ConnecttoPartner1", "StopWaiting1", "HideChatWindow1", "ShowRuleDifferences1"}) {
            enabled.push_back(window->Action(name)->isEnabled());
        }
        return enabled;
    }
    std::vector<QString> mails;
    int stops = 0;
};

TEST_F(NetworkMenuTest, ItemsHintsAndEnablingFollowTheConnectionState) {
    OpenWithMail();
    struct Item {
        const char* name;
        const char* caption;
        const char* hint;
    };
    const Item items[] = {
        {"ConnecttoPartner1", "&Connect to Opponent...",
         "Connect to another person over a network"},
        {"ShowRuleDifferences1", "&Rule Differences...",
         "Shows the differences in rule settings between you and your opponent, if there are any"},
        {"StopWaiting1", "&Disconnect", "Cancel network connection"},
        {"HideChatWindow1", "&Hide Chat Window", "Hide the chat window during a network game"},
    };
    for (const Item& item : items) {
        ASSERT_NE(window->Action(item.name), nullptr) << item.name;
        EXPECT_EQ(window->Action(item.name)->text(), item.caption);
        EXPECT_EQ(window->Action(item.name)->statusTip(), item.hint);
    }
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false, false}));
    auto* panel = window->findChild<QLabel*>("pnConnection");
    EXPECT_FALSE(panel->isVisibleTo(window.get())) << "no room taken before a connection";

    window->Action("ConnecttoPartner1")->trigger();
    EXPECT_EQ(window->Network().Connection(), ConnectionStatus::Waiting);
    EXPECT_EQ(Enabled(), (std::vector<bool>{false, true, true, true}));
    EXPECT_EQ(panel->text(), "Waiting for Connection...");
    EXPECT_TRUE(panel->isVisibleTo(window.get()));
    EXPECT_EQ(Line(), "Sending message to partner...");
    ASSERT_EQ(mails.size(), 1U);
    EXPECT_EQ(mails[0], "192.168.1.20 -> bob@example.org");
    EXPECT_EQ(window->Network().OwnNickname(), "Ann");
    EXPECT_FALSE(window->Network().AddressExchangeStopped());

    // Without an open session Disconnect asks nothing.
    window->Action("StopWaiting1")->trigger();
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(window->Network().AddressExchangeStopped());
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(panel->text(), "Not connected");
    EXPECT_TRUE(messages.empty());
}

TEST_F(NetworkMenuTest, ACancelledDialogChangesNothingButKeepsWhatWasTyped) {
    OpenWithMail();
    window->Dialogs().connect = [](ConnectDialog& dialog) {
        dialog.findChild<QLineEdit*>("edNickname")->setText("Zoe");
        dialog.reject();
        return false;
    };
    window->Action("ConnecttoPartner1")->trigger();
    EXPECT_EQ(window->Network().Connection(), ConnectionStatus::NotConnected);
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(store->ReadString("Network\\Nickname", ""), "Zoe");
    EXPECT_TRUE(mails.empty());
}

TEST_F(NetworkMenuTest, WithoutTheMailExchangeTheUserIsToldAndNothingWaits) {
    OpenWithMail();
    window->Network().Play().startAddressMail = nullptr;
    window->Action("ConnecttoPartner1")->trigger();
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_EQ(messages[0], texts::kMailNotAvailable);
    EXPECT_EQ(window->Network().Connection(), ConnectionStatus::NotConnected);
}

} // namespace
} // namespace varenta::testing

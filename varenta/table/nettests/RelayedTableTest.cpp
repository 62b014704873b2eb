// A table whose player set up a relay and chose "Internet": it asks the
// relay (scripted here) for an address instead of listening, tells the
// player which address to give, takes the partner the relay hands in, and
// names the path in the status line and the chat window.
#include "varenta/net/nat/testing/ScriptedTurnServer.h"
#include "varenta/net/socket/testing/ManualNetTimer.h"
#include "varenta/table/ChatWindow.h"
#include "varenta/table/RelaySettings.h"
#include "varenta/table/SecretStore.h"
#include "varenta/table/TableNetwork.h"
#include "varenta/table/TableStatusBar.h"
#include "varenta/table/nettests/NetTables.h"

#include <QPlainTextEdit>
#include <QTextEdit>

namespace varenta::testing {
namespace {

using Class = TurnMessage::Class;
const std::string kKey = TurnKey("ann", "realm.test", "pw");

// The partner's first frame follows its binding.
const std::string kPartnerHello = "PLAYERID\xfe"
                                  "Bea\xfe"
                                  "400\xff";

struct NoSecrets : SecretStore {
    bool Available() override { return false; }
    std::optional<QString> Lookup(const QString&) override { return std::nullopt; }
    bool Store(const QString&, const QString&, const QString&) override { return false; }
};

TEST(RelayedTableTest, AnInternetGameWithARelayWaitsAtTheRelayedAddressAndSaysSo) {
    ScriptedTurnServer relay(GrantingRelay(kKey, "realm.test", kPartnerHello));
    Table ann;
    ann.customize = [](TableServices& services) {
        services.secretStore = [] { return std::make_unique<NoSecrets>(); };
        services.relayTimer = [] { return std::make_unique<ManualNetTimer>(); };
    };
    const QString relayName = "127.0.0.1:" + QString::number(relay.Port());
    WriteRelaySetup(ann.store, nullptr, {relayName, "ann", "pw"});
    ann.Open("192.168.1.20", "0", 1);
    QString pathInDialog;
    ann.window->Dialogs().connect = [&pathInDialog](ConnectDialog& dialog) {
        dialog.findChild<QLineEdit*>("edIDServer")->clear();
        dialog.findChild<QRadioButton*>("rbInternet")->click();
        dialog.findChild<QRadioButton*>("rbIPnumber")->click();
        dialog.findChild<QLineEdit*>("edNickname")->setText("Ann");
        dialog.findChild<QComboBox*>("cbIPPartner")->setEditText("198.51.100.4");
        pathInDialog = dialog.findChild<QLabel*>("lbRelayPath")->text();
        dialog.findChild<QPushButton*>("bnConnect")->click();
        return dialog.result() == QDialog::Accepted;
    };
    ann.window->Action("ConnecttoPartner1")->trigger();
    EXPECT_EQ(pathInDialog.toStdString(),
              "Through the relay at " + relayName.toStdString() +
                  ": this side waits at a relayed address, named once you press Connect. Give "
                  "that address to your partner.");
    EXPECT_EQ(ann.window->Network().Connection(), ConnectionStatus::Waiting);
    const QString ready = "Give your partner the relayed address 203.0.113.9:50000 (through "
                          "the relay at " +
                          relayName + ").";
    ASSERT_TRUE(PumpUntil([&] { return ann.window->StatusLine()->LineText() == ready; }))
        << ann.window->StatusLine()->LineText().toStdString();
    EXPECT_FALSE(ann.window->Network().Session().Socket().Listening());
    // The permission is for the partner typed in.
    const TurnMessage permission = ReadTurnMessage(relay.Requests().back().second).message.value();
    EXPECT_EQ(permission.method, turn::kCreatePermission);
    EXPECT_EQ(permission.Address(turn::kXorPeerAddress)->address, "198.51.100.4");

    TurnMessage attempt(turn::kConnectionAttempt, Class::Indication, {1});
    attempt.AddNumber(turn::kConnectionId, 5).AddAddress(turn::kXorPeerAddress, "198.51.100.4", 1);
    relay.Push(0, attempt.Encode());
    ASSERT_TRUE(PumpUntil(
        [&] { return ann.window->Network().Connection() == ConnectionStatus::Established; }));
    const QString path = "Connected through the relay at " + relayName + ".";
    EXPECT_EQ(ann.window->StatusLine()->LineText(), path);
    ASSERT_NE(ann.window->Network().Chat(), nullptr);
    bool noted = false;
    for (const QTextEdit* text : ann.window->Network().Chat()->findChildren<QTextEdit*>()) {
        noted = noted || text->toPlainText().contains(path);
    }
    for (const QPlainTextEdit* text :
         ann.window->Network().Chat()->findChildren<QPlainTextEdit*>()) {
        noted = noted || text->toPlainText().contains(path);
    }
    EXPECT_TRUE(noted) << "the chat window names the path too";
    ann.window->Network().CloseSession();
}

} // namespace
} // namespace varenta::testing

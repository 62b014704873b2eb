// A table whose player set up a relay and chose "Internet": it asks the
// relay (scripted here) for an address instead of listening, and the connect
// dialog lists that address while it is open; Connect opens it to the
// partner typed in, the table takes the partner the relay hands in, and
// names the path in the status line and the chat window. A cancelled
// dialog lets the address go; a relay that refuses says so in the dialog.
#include "varenta/net/nat/testing/ScriptedTurnServer.h"
#include "varenta/net/socket/testing/ManualNetTimer.h"
#include "varenta/table/ChatWindow.h"
#include "varenta/table/RelaySettings.h"
#include "varenta/table/SecretStore.h"
#include "varenta/table/TableNetwork.h"
#include "varenta/table/TableStatusBar.h"
#include "varenta/table/nettests/NetTables.h"

#include <QListWidget>
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

std::vector<std::uint16_t> Methods(const ScriptedTurnServer& relay) {
    std::vector<std::uint16_t> methods;
    for (const auto& [connection, bytes] : relay.Requests()) {
        methods.push_back(ReadTurnMessage(bytes).message.value_or(TurnMessage{}).method);
    }
    return methods;
}

// A table with the relay set up, its refresh clock at hand, and its dialog
// opened on "LAN" with the partner typed by IP number.
struct RelayTable {
    explicit RelayTable(const ScriptedTurnServer& relay, const char* password) {
        ann.customize = [this](TableServices& services) {
            services.secretStore = [] { return std::make_unique<NoSecrets>(); };
            services.relayTimer = [this] {
                auto made = std::make_unique<ManualNetTimer>();
                timer = made.get();
                return made;
            };
        };
        relayName = "127.0.0.1:" + QString::number(relay.Port());
        WriteRelaySetup(ann.store, nullptr, {relayName, "ann", password});
        ann.store.WriteValues({{"Network\\LANorInternet", true}, {"Network\\EmailorIP", false}});
        ann.Open("192.168.1.20", "0", 1);
    }
    static void Fill(ConnectDialog& dialog) {
        dialog.findChild<QLineEdit*>("edIDServer")->clear();
        dialog.findChild<QLineEdit*>("edSTUNServer")->clear();
        dialog.findChild<QLineEdit*>("edNickname")->setText("Ann");
        dialog.findChild<QComboBox*>("cbIPPartner")->setEditText("198.51.100.4");
    }
    static QString Path(ConnectDialog& dialog) {
        return dialog.findChild<QLabel*>("lbRelayPath")->text();
    }
    static QStringList Listed(ConnectDialog& dialog) {
        QStringList items;
        const auto* list = dialog.findChild<QListWidget*>("lbIPAddress");
        for (int i = 0; i < list->count(); ++i) {
            items << list->item(i)->text();
        }
        return items;
    }
    Table ann;
    ManualNetTimer* timer = nullptr;
    QString relayName;
};

TEST(RelayedTableTest, AnInternetGameWithARelayWaitsAtTheRelayedAddressAndSaysSo) {
    ScriptedTurnServer relay(GrantingRelay(kKey, "realm.test", kPartnerHello));
    RelayTable table(relay, "pw");
    Table& ann = table.ann;
    const QString relayName = table.relayName;
    const QString ready = "Give your partner the relayed address 203.0.113.9:50000 (through "
                          "the relay at " +
                          relayName + ").";
    ann.window->Dialogs().connect = [&](ConnectDialog& dialog) {
        RelayTable::Fill(dialog);
        // A LAN game asks no relay.
        PumpBriefly();
        EXPECT_EQ(relay.Connections(), 0);
        EXPECT_TRUE(RelayTable::Path(dialog).isEmpty());
        dialog.findChild<QRadioButton*>("rbInternet")->click();
        EXPECT_EQ(RelayTable::Path(dialog),
                  "Asking the relay at " + relayName + " for an address...");
        EXPECT_TRUE(PumpUntil([&] { return !dialog.RelayedAddress().isEmpty(); }));
        // Listed before Connect, first, and named with its path; opened to nobody yet.
        EXPECT_EQ(RelayTable::Listed(dialog).value(0), "203.0.113.9:50000");
        EXPECT_EQ(RelayTable::Path(dialog), ready);
        EXPECT_EQ(Methods(relay), (std::vector<std::uint16_t>{turn::kAllocate, turn::kAllocate}));
        // Kept while the player types.
        EXPECT_TRUE(table.timer != nullptr && table.timer->running);
        if (table.timer != nullptr) {
            table.timer->Fire();
        }
        EXPECT_TRUE(PumpUntil([&] { return relay.Count() == 3; }));
        EXPECT_EQ(Methods(relay).back(), turn::kRefresh);
        EXPECT_TRUE(PumpUntil([&] { return table.timer != nullptr && table.timer->running; }))
            << "and refreshed again";
        EXPECT_EQ(RelayTable::Path(dialog), ready);
        dialog.findChild<QPushButton*>("bnConnect")->click();
        return dialog.result() == QDialog::Accepted;
    };
    ann.window->Action("ConnecttoPartner1")->trigger();
    EXPECT_EQ(ann.window->Network().Connection(), ConnectionStatus::Waiting);
    ASSERT_TRUE(PumpUntil([&] { return ann.window->StatusLine()->LineText() == ready; }))
        << ann.window->StatusLine()->LineText().toStdString();
    EXPECT_FALSE(ann.window->Network().Session().Socket().Listening());
    // The same allocation, now open to the partner typed in.
    EXPECT_EQ(relay.Connections(), 1);
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

TEST(RelayedTableTest, TheDialogsRelayedAddressGoesWithItsCancelAndARefusalIsSaidInIt) {
    const struct {
        const char* password;
        bool granted;
    } rows[] = {{"pw", true}, {"wrong", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.password);
        ScriptedTurnServer relay(GrantingRelay(kKey, "realm.test", kPartnerHello));
        RelayTable table(relay, row.password);
        QString path;
        QStringList listed;
        table.ann.window->Dialogs().connect = [&](ConnectDialog& dialog) {
            RelayTable::Fill(dialog);
            dialog.findChild<QRadioButton*>("rbInternet")->click();
            EXPECT_TRUE(PumpUntil([&] {
                return !dialog.RelayedAddress().isEmpty() ||
                       !RelayTable::Path(dialog).startsWith("Asking");
            }));
            path = RelayTable::Path(dialog);
            listed = RelayTable::Listed(dialog);
            dialog.findChild<QPushButton*>("bnCancel")->click();
            return false;
        };
        table.ann.window->Action("ConnecttoPartner1")->trigger();
        if (row.granted) {
            EXPECT_TRUE(listed.contains("203.0.113.9:50000"));
            // Cancel closes the control connection, which ends the allocation.
            EXPECT_TRUE(PumpUntil([&] { return relay.Closed(0); }));
        } else {
            EXPECT_EQ(path,
                      "The relay at " + table.relayName + " refused the user name or password.");
            EXPECT_TRUE(listed.isEmpty());
        }
        EXPECT_TRUE(table.ann.messages.empty()) << "no box while the dialog is open";
        EXPECT_EQ(table.ann.window->Network().Play().Relay(), nullptr);
        EXPECT_EQ(table.ann.window->Network().Connection(), ConnectionStatus::NotConnected);
        for (const std::uint16_t method : Methods(relay)) {
            EXPECT_NE(method, turn::kCreatePermission) << "nobody was let in";
        }
    }
}

} // namespace
} // namespace varenta::testing

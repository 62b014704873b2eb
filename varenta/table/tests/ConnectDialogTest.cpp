#include "varenta/table/ConnectDialog.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/table/NetworkTexts.h"
#include "varenta/table/tests/FakeAddressQuery.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varenta {
namespace {

using FakeQuery = FakeAddressQuery;

class ConnectDialogTest : public ::testing::Test {
protected:
    ConnectDialogTest() : store(dir.filePath("settings.conf")) {}

    // The identification server always, a STUN server when asked for.
    std::unique_ptr<ConnectDialog> Open(bool withStun = false) {
        ConnectServices services;
        services.localAddresses = [this] { return local; };
        services.localAddressTowards = [this](const std::string& server) {
            towards.push_back(server);
            return facing;
        };
        services.routerAddress = [this](std::function<void(const QString&)>) { ++routerAsks; };
        auto fake = std::make_unique<FakeQuery>();
        query = fake.get();
        query->timeoutMs = 30000;
        services.query = std::move(fake);
        stun = nullptr;
        if (withStun) {
            auto fakeStun = std::make_unique<FakeQuery>();
            stun = fakeStun.get();
            stun->timeoutMs = 6000;
            services.stunQuery = std::move(fakeStun);
        }
        services.message = [this](MessageKind, const QString& text) { messages.push_back(text); };
        services.yesNo = [this](const QString& text) {
            questions.push_back(text);
            return answer;
        };
        auto dialog = std::make_unique<ConnectDialog>(store, std::move(services));
        dialog->show();
        return dialog;
    }
    template <typename W> static W* Find(const ConnectDialog& dialog, const char* name) {
        W* widget = dialog.findChild<W*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static QStringList Items(const QListWidget* list) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i) {
            items << list->item(i)->text();
        }
        return items;
    }
    void UseIpNumber(const ConnectDialog& d, const QString& nick, const QString& partner) {
        Find<QRadioButton>(d, "rbIPnumber")->click();
        Find<QLineEdit>(d, "edNickname")->setText(nick);
        Find<QComboBox>(d, "cbIPPartner")->setEditText(partner);
    }

    QTemporaryDir dir;
    SettingsFile store;
    std::vector<std::string> local = {"192.168.1.20", "10.8.0.2"};
    FakeQuery* query = nullptr;
    FakeQuery* stun = nullptr;
    std::optional<std::string> facing; // the own end of the route to the ID server
    std::vector<std::string> towards;  // the servers that route was asked for
    int routerAsks = 0;
    std::vector<QString> messages;
    std::vector<QString> questions;
    bool answer = true;
};

TEST_F(ConnectDialogTest, OpensWithTheDefaultsAndTheConnectRuleFollowsTheControls) {
    auto d = Open();
    EXPECT_EQ(d->windowTitle(), "Connect to Opponent");
    EXPECT_TRUE(Find<QRadioButton>(*d, "rbInternet")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(*d, "rbEmail")->isChecked());
    EXPECT_EQ(Find<QLineEdit>(*d, "edIDServer")->text(), ConnectDialog::kDefaultIdServer);
    EXPECT_FALSE(Find<QComboBox>(*d, "cbIPPartner")->isEnabled());
    auto* connect = Find<QPushButton>(*d, "bnConnect");
    EXPECT_TRUE(connect->isDefault());
    query->Answer("10.8.0.2");

    struct Step {
        const char* nick;
        bool ip;
        const char* ipPartner;
        const char* emailPartner;
        bool enabled;
        const char* why; // what the label says Connect still needs
    };
    const Step steps[] = {
        {"", true, "10.0.0.1", "", false, texts::kNeedNickname},
        {"me", true, "", "bob@x", false, texts::kNeedIpPartner},
        {"me", true, "10.0.0.1", "", true, ""},
        {"me", false, "10.0.0.1", "", false, texts::kNeedEmailPartner},
        {"me", false, "", "bob@x", true, ""},
    };
    for (const Step& s : steps) {
        Find<QRadioButton>(*d, s.ip ? "rbIPnumber" : "rbEmail")->click();
        Find<QLineEdit>(*d, "edNickname")->setText(s.nick);
        Find<QComboBox>(*d, "cbIPPartner")->setEditText(s.ipPartner);
        Find<QComboBox>(*d, "cbEmailPartner")->setEditText(s.emailPartner);
        EXPECT_EQ(connect->isEnabled(), s.enabled) << s.nick << s.ip << s.ipPartner;
        EXPECT_EQ(d->AddressStatus(), s.why) << s.nick << s.ip << s.ipPartner;
        EXPECT_EQ(Find<QComboBox>(*d, "cbIPPartner")->isEnabled(), s.ip);
        EXPECT_EQ(Find<QLabel>(*d, "lbEmailPartner")->isEnabled(), !s.ip);
    }
}

TEST_F(ConnectDialogTest, TheOwnAddressListDependsOnLanOrInternetAndTheServersAnswer) {
    auto d = Open();
    auto* list = Find<QListWidget>(*d, "lbIPAddress");
    UseIpNumber(*d, "me", "10.0.0.1");
    EXPECT_TRUE(d->Refreshing());
    EXPECT_FALSE(Find<QPushButton>(*d, "bnConnect")->isEnabled()) << "not before the answer";
    query->Answer("10.8.0.2");
    EXPECT_EQ(Items(list), QStringList{"10.8.0.2"}); // Internet: the facing address alone
    EXPECT_TRUE(Find<QPushButton>(*d, "bnConnect")->isEnabled());

    // LAN: the facing address comes from the route, at once, and stays out.
    facing = "10.8.0.2";
    Find<QRadioButton>(*d, "rbLAN")->click();
    EXPECT_FALSE(d->Refreshing());
    EXPECT_EQ(towards, std::vector<std::string>{ConnectDialog::kDefaultIdServer});
    EXPECT_EQ(Items(list), QStringList{"192.168.1.20"});
    EXPECT_TRUE(Find<QPushButton>(*d, "bnConnect")->isEnabled());

    facing.reset(); // no route (or a server given by name): nothing to take out
    Find<QPushButton>(*d, "bnRefreshIP")->click();
    EXPECT_EQ(Items(list), (QStringList{"192.168.1.20", "10.8.0.2"}));
    EXPECT_EQ(query->servers.size(), 1U) << "a LAN list asks no server";

    Find<QRadioButton>(*d, "rbInternet")->click();
    query->Answer("");
    EXPECT_TRUE(Items(list).isEmpty());

    Find<QLineEdit>(*d, "edIDServer")->clear();
    Find<QPushButton>(*d, "bnRefreshIP")->click();
    EXPECT_FALSE(query->Running()) << "no server, no query";
    EXPECT_EQ(query->servers.front(), ConnectDialog::kDefaultIdServer);
    EXPECT_TRUE(messages.empty()) << "an unreachable server is no error";
}

TEST_F(ConnectDialogTest, OnlyInternetAsksTheOutsideAndLanConnectsAtOnce) {
    struct Case {
        bool lan;
        std::size_t stunStarts, idStarts, towardsAsked;
        int routerAsks;
        bool connect; // enabled right after opening
        QString status;
    };
    const Case cases[] = {
        {true, 0, 0, 1, 0, true, ""},
        {false, 1, 0, 0, 1, false,
         QString(texts::kAskingStun).arg(ConnectDialog::kDefaultStunServer).arg(6)},
    };
    for (const Case& c : cases) {
        store.Write("Network\\LANorInternet", c.lan);
        store.Write("Network\\EmailorIP", false);
        store.Write("Network\\Nickname", QString("me"));
        store.Write("Network\\LANAddress", QString("10.0.0.1"));
        towards.clear();
        routerAsks = 0;
        auto d = Open(true);
        EXPECT_EQ(stun->servers.size(), c.stunStarts) << c.lan;
        EXPECT_EQ(query->servers.size(), c.idStarts) << c.lan;
        EXPECT_EQ(towards.size(), c.towardsAsked) << c.lan;
        EXPECT_EQ(routerAsks, c.routerAsks) << c.lan;
        EXPECT_EQ(Find<QPushButton>(*d, "bnConnect")->isEnabled(), c.connect) << c.lan;
        EXPECT_EQ(Find<QPushButton>(*d, "bnRefreshIP")->isEnabled(), c.connect) << c.lan;
        EXPECT_EQ(d->AddressStatus(), c.status) << c.lan;
        EXPECT_EQ(Find<QLabel>(*d, "lbAddressStatus")->isVisible(), !c.status.isEmpty());
        // Back and forth: the router is asked once, the LAN list never asks.
        for (const char* button : {"rbInternet", "rbLAN", "rbInternet", "rbLAN"}) {
            Find<QRadioButton>(*d, button)->click();
        }
        EXPECT_EQ(routerAsks, 1);
        EXPECT_EQ(stun->servers.size(), c.stunStarts + 2);
        EXPECT_EQ(query->servers.size(), 0U) << "the STUN server never answered";
        EXPECT_FALSE(stun->Running()) << "LAN forgets the running question";
        EXPECT_TRUE(Find<QPushButton>(*d, "bnConnect")->isEnabled());
    }
}

TEST_F(ConnectDialogTest, TheLabelSaysWhatIsAskedAndWhyNoInternetAddressWasFound) {
    const QString stunServer = "stun.example:3478";
    const QString idServer = "198.51.100.7";
    const QString stunSilent = QString(texts::kStunNoAnswer).arg(stunServer);
    const QString idSilent = QString(texts::kIdServerNoAnswer).arg(idServer);
    struct Case {
        QString stun, id;
        const char* stunAnswer; // nullptr: not asked
        const char* idAnswer;
        QString why; // empty: the address was found
    };
    const Case cases[] = {
        {stunServer, idServer, "", "", QString(texts::kReasonsJoined).arg(stunSilent, idSilent)},
        {stunServer, idServer, "203.0.113.5", nullptr, ""},
        {stunServer, idServer, "", "192.168.1.20", ""},
        {"", idServer, nullptr, "", idSilent},
        {"", idServer, nullptr, "10.1.1.1",
         QString(texts::kIdServerNotOwn).arg(idServer, "10.1.1.1")},
        {stunServer, "", "", nullptr, stunSilent},
        {"", "", nullptr, nullptr, texts::kNoServerGiven},
    };
    for (const Case& c : cases) {
        auto d = Open(true);
        stun->Answer(""); // Refresh waits for the question asked on opening
        query->Answer("");
        UseIpNumber(*d, "me", "10.0.0.1");
        Find<QLineEdit>(*d, "edSTUNServer")->setText(c.stun);
        Find<QLineEdit>(*d, "edIDServer")->setText(c.id);
        Find<QPushButton>(*d, "bnRefreshIP")->click();
        auto* connect = Find<QPushButton>(*d, "bnConnect");
        if (c.stunAnswer != nullptr) {
            EXPECT_EQ(d->AddressStatus(), QString(texts::kAskingStun).arg(c.stun).arg(6));
            EXPECT_FALSE(connect->isEnabled());
            stun->Answer(c.stunAnswer);
        }
        if (c.idAnswer != nullptr) {
            EXPECT_EQ(d->AddressStatus(), QString(texts::kAskingIdServer).arg(c.id).arg(30));
            EXPECT_FALSE(connect->isEnabled());
            query->Answer(c.idAnswer);
        }
        EXPECT_FALSE(d->Refreshing()) << c.stun.toStdString() << c.id.toStdString();
        EXPECT_TRUE(connect->isEnabled()) << "a failed query does not hold Connect back";
        const QString expected =
            c.why.isEmpty() ? QString() : QString(texts::kNoInternetAddress).arg(c.why);
        EXPECT_EQ(d->AddressStatus(), expected) << c.stun.toStdString() << c.id.toStdString();
        EXPECT_EQ(Find<QListWidget>(*d, "lbIPAddress")->count(), c.why.isEmpty() ? 1 : 0);
    }
}

TEST_F(ConnectDialogTest, TheLabelGivesTheServersOwnReasonsWhereTheQueriesLearntThem) {
    auto d = Open(true);
    stun->Answer("");
    query->Answer("");
    UseIpNumber(*d, "me", "10.0.0.1");
    Find<QLineEdit>(*d, "edSTUNServer")->setText("stun.example");
    Find<QLineEdit>(*d, "edIDServer")->setText("198.51.100.7");
    stun->problem = "the STUN server's name is unknown";
    query->problem = "Network is unreachable";
    Find<QPushButton>(*d, "bnRefreshIP")->click();
    stun->Answer("");
    query->Answer("");
    EXPECT_EQ(d->AddressStatus(),
              QString(texts::kNoInternetAddress)
                  .arg("the STUN server's name is unknown, and the identification server "
                       "198.51.100.7 could not be reached (Network is unreachable)"));
}

TEST_F(ConnectDialogTest, CopySelectsALoneEntryAndCopiesTheSelection) {
    auto d = Open();
    query->Answer("10.8.0.2");
    QApplication::clipboard()->setText("before");
    Find<QPushButton>(*d, "bnCopy")->click();
    EXPECT_EQ(QApplication::clipboard()->text(), "10.8.0.2");

    Find<QRadioButton>(*d, "rbLAN")->click();
    QApplication::clipboard()->setText("before");
    Find<QPushButton>(*d, "bnCopy")->click();
    EXPECT_EQ(QApplication::clipboard()->text(), "before") << "two entries, none selected";
    Find<QListWidget>(*d, "lbIPAddress")->setCurrentRow(1);
    Find<QPushButton>(*d, "bnCopy")->click();
    EXPECT_EQ(QApplication::clipboard()->text(), "10.8.0.2");
}

TEST_F(ConnectDialogTest, ConnectByIpNumberResolvesNamesAndOffersTheLoopback) {
    {
        auto d = Open();
        query->Answer("10.8.0.2");
        UseIpNumber(*d, "me", "no-such-host.invalid");
        Find<QPushButton>(*d, "bnConnect")->click();
        EXPECT_EQ(messages, (std::vector<QString>{texts::kCannotResolve}));
        EXPECT_TRUE(d->isVisible());
        EXPECT_TRUE(Find<QPushButton>(*d, "bnConnect")->isEnabled());
    }
    // A partner on this computer, typed or named, makes the own address the
    // loopback too, so that both copies are asked which one listens.
    struct Partner {
        const char* typed;
        const char* own;
        const char* partner;
    };
    const Partner partners[] = {
        {"127.0.0.1", "127.0.0.1", "127.0.0.1"},
        {"localhost", "127.0.0.1", "127.0.0.1"},
        {"127.0.0.2", "127.0.0.1", "127.0.0.1"},
        {"192.168.1.3", "10.8.0.2", "192.168.1.3"},
    };
    for (const Partner& p : partners) {
        auto d = Open();
        query->Answer("10.8.0.2");
        UseIpNumber(*d, "me", p.typed);
        Find<QPushButton>(*d, "bnConnect")->click();
        EXPECT_EQ(d->result(), QDialog::Accepted) << p.typed;
        EXPECT_EQ(d->OwnAddress(), p.own) << p.typed;
        EXPECT_EQ(d->PartnerAddress(), p.partner) << p.typed;
        EXPECT_EQ(d->OwnAddressList(), QStringList{"10.8.0.2"});
    }
    EXPECT_TRUE(questions.empty()) << "the own list was not empty";
    local.clear();
    for (const bool yes : {false, true}) {
        answer = yes;
        auto d = Open();
        query->Answer("");
        UseIpNumber(*d, "me", "192.168.1.3");
        Find<QPushButton>(*d, "bnConnect")->click();
        EXPECT_EQ(questions.back(), texts::kAskLoopback);
        EXPECT_EQ(d->isVisible(), !yes);
        if (yes) {
            EXPECT_EQ(d->OwnAddress(), "127.0.0.1");
            EXPECT_EQ(d->PartnerAddress(), "127.0.0.1");
        }
    }
}

TEST_F(ConnectDialogTest, ConnectByEmailNeedsTheAccountAndAnOwnAddress) {
    auto d = Open();
    query->Answer("");
    Find<QLineEdit>(*d, "edNickname")->setText("me");
    Find<QComboBox>(*d, "cbEmailPartner")->setEditText("bob@example.org");
    Find<QPushButton>(*d, "bnConnect")->click();
    EXPECT_EQ(messages.back(), texts::kMailSetupIncomplete);
    for (const char* key :
         {"SMTP Server", "POP Server", "Email Name", "Email Address", "Username", "Password"}) {
        store.Write(QString("Network\\") + key, QString("x"));
    }
    Find<QPushButton>(*d, "bnConnect")->click();
    EXPECT_EQ(messages.back(), texts::kNoAddressForMail); // Internet and no server answer
    EXPECT_TRUE(d->isVisible());
    Find<QRadioButton>(*d, "rbLAN")->click();
    Find<QPushButton>(*d, "bnConnect")->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->ChosenMethod(), ConnectDialog::Method::Email);
    EXPECT_EQ(d->EmailPartner(), "bob@example.org");
    EXPECT_EQ(d->OwnAddressList(), (QStringList{"192.168.1.20", "10.8.0.2"}));
}

TEST_F(ConnectDialogTest, ClosingWritesTheSettingsAndTheTenNewestPartners) {
    for (int i = 0; i < 11; ++i) {
        auto d = Open();
        UseIpNumber(*d, "nick", QString("10.0.0.%1").arg(i));
        Find<QRadioButton>(*d, "rbLAN")->click();
        Find<QComboBox>(*d, "cbEmailPartner")->setEditText(i == 0 ? "a@b" : "");
        Find<QLineEdit>(*d, "edIDServer")->setText("198.51.100.7");
        d->reject(); // cancelled dialogs keep what was typed too
    }
    auto d = Open();
    auto* history = Find<QComboBox>(*d, "cbIPPartner");
    ASSERT_EQ(history->count(), 10);
    EXPECT_EQ(history->itemText(0), "10.0.0.10");
    EXPECT_EQ(history->itemText(9), "10.0.0.1");
    EXPECT_EQ(history->currentText(), "10.0.0.10");
    EXPECT_EQ(Find<QComboBox>(*d, "cbEmailPartner")->count(), 1);
    EXPECT_EQ(d->Nickname(), "nick");
    EXPECT_TRUE(Find<QRadioButton>(*d, "rbLAN")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(*d, "rbIPnumber")->isChecked());
    EXPECT_EQ(store.ReadString("Network\\ID Server", ""), "198.51.100.7");
    EXPECT_FALSE(store.ValueExists("Network", "LANHist10"));
    // A partner already in the history keeps its place.
    history->setEditText("10.0.0.5");
    d->accept();
    EXPECT_EQ(store.ReadString("Network\\LANHist0", ""), "10.0.0.10");
}

} // namespace
} // namespace varenta

// The public address and the router's port as the player meets them: the
// connect dialog asks the STUN server first and the identification server
// only when that fails, shows what the router reports beside it, and the
// table window opens the game port on the router while it listens, says
// what came of it, and removes it at the end of the session and on close,
// without ever making a game wait for the router.
#include "varenta/table/TableNetwork.h"
#include "varenta/table/tests/FakeAddressQuery.h"
#include "varenta/table/tests/TableFixture.h"

#include "varenta/net/nat/nattests/NatTestSupport.h"
#include "varenta/net/session/NetworkSession.h"
#include "varenta/net/socket/NotifierWatcher.h"
#include "varenta/net/socket/TcpSocket.h"
#include "varenta/table/ChatWindow.h"
#include "varenta/table/ConnectDialog.h"
#include "varenta/table/NetworkTexts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace varenta::testing {
namespace {

using FakeQuery = FakeAddressQuery;

class PublicAddressDialogTest : public ::testing::Test {
protected:
    PublicAddressDialogTest() : store(dir.filePath("settings.conf")) {}
    std::unique_ptr<ConnectDialog> Open(bool router = true) {
        ConnectServices services;
        services.localAddresses = [] { return std::vector<std::string>{"192.168.1.20"}; };
        services.localAddressTowards = [](const std::string&) { return std::nullopt; };
        auto id = std::make_unique<FakeQuery>();
        auto stun = std::make_unique<FakeQuery>();
        idQuery = id.get();
        stunQuery = stun.get();
        services.query = std::move(id);
        services.stunQuery = std::move(stun);
        if (router) {
            services.routerAddress = [this](std::function<void(const QString&)> done) {
                routerDone = std::move(done);
            };
        }
        services.message = [](MessageKind, const QString&) {};
        return std::make_unique<ConnectDialog>(store, std::move(services));
    }
    static QStringList Items(const ConnectDialog& d) {
        const auto* list = d.findChild<QListWidget*>("lbIPAddress");
        QStringList items;
        for (int i = 0; i < list->count(); ++i) {
            items << list->item(i)->text();
        }
        return items;
    }
    QTemporaryDir dir;
    SettingsFile store;
    FakeQuery* idQuery = nullptr;
    FakeQuery* stunQuery = nullptr;
    std::function<void(const QString&)> routerDone;
};

TEST_F(PublicAddressDialogTest, StunFirstTheIdentificationServerOnlyWhenItFails) {
    auto d = Open();
    EXPECT_EQ(d->findChild<QLineEdit*>("edSTUNServer")->text(), ConnectDialog::kDefaultStunServer);
    ASSERT_EQ(stunQuery->servers, std::vector<QString>{ConnectDialog::kDefaultStunServer});
    EXPECT_FALSE(idQuery->Running());
    EXPECT_TRUE(d->Refreshing());
    // The public address is no address of this machine, and yet it is the
    // one to tell a partner on the Internet.
    stunQuery->Answer("203.0.113.5");
    EXPECT_FALSE(d->Refreshing());
    EXPECT_EQ(Items(*d), QStringList{"203.0.113.5"});
    EXPECT_TRUE(idQuery->servers.empty());
    // LAN: no public address needed, and nobody outside is asked.
    d->findChild<QRadioButton*>("rbLAN")->click();
    EXPECT_FALSE(stunQuery->Running());
    EXPECT_FALSE(idQuery->Running());
    EXPECT_FALSE(d->Refreshing());
    EXPECT_EQ(Items(*d), QStringList{"192.168.1.20"});

    // No STUN answer in time: the identification server is asked.
    d->findChild<QRadioButton*>("rbInternet")->click();
    stunQuery->Answer("");
    EXPECT_TRUE(d->Refreshing());
    ASSERT_EQ(idQuery->servers, std::vector<QString>{ConnectDialog::kDefaultIdServer});
    idQuery->Answer("192.168.1.20");
    EXPECT_EQ(Items(*d), QStringList{"192.168.1.20"});
    // Its answer counts only as an address of this machine.
    d->findChild<QPushButton*>("bnRefreshIP")->click();
    stunQuery->Answer("");
    idQuery->Answer("198.51.100.1");
    EXPECT_TRUE(Items(*d).isEmpty());

    // No STUN server named: straight to the identification server.
    d->findChild<QLineEdit*>("edSTUNServer")->setText("  ");
    d->findChild<QPushButton*>("bnRefreshIP")->click();
    EXPECT_FALSE(stunQuery->Running());
    EXPECT_TRUE(idQuery->Running());
}

TEST_F(PublicAddressDialogTest, TheRoutersAddressBesideTheStunAnswer) {
    struct Case {
        const char* router;
        const char* stun;
        QString note;
    };
    const Case cases[] = {
        {"", "203.0.113.5", ""},
        {"203.0.113.5", "203.0.113.5", QString(texts::kRouterReports).arg("203.0.113.5")},
        {"100.64.0.9", "203.0.113.5",
         QString(texts::kRouterSecondNat).arg("100.64.0.9", "203.0.113.5")},
        {"100.64.0.9", "", QString(texts::kRouterReports).arg("100.64.0.9")},
    };
    for (const Case& c : cases) {
        auto d = Open();
        d->show();
        ASSERT_TRUE(routerDone);
        routerDone(c.router); // before or after the STUN answer, the same note
        stunQuery->Answer(c.stun);
        idQuery->Answer("");
        const auto* label = d->findChild<QLabel*>("lbRouterAddress");
        EXPECT_EQ(d->RouterNote(), c.note) << c.router;
        EXPECT_EQ(label->text(), c.note);
        EXPECT_EQ(label->isVisible(), !c.note.isEmpty()) << c.router;
    }
    // The dialog may be gone before the router answers.
    auto d = Open();
    d.reset();
    routerDone("203.0.113.5");
}

TEST_F(PublicAddressDialogTest, TheStunServerIsKeptBesideTheIdentificationServer) {
    {
        auto d = Open(false);
        d->findChild<QLineEdit*>("edSTUNServer")->setText("stun.example.org:3479");
        d->reject();
    }
    EXPECT_EQ(store.ReadString("Network\\STUN Server", ""), "stun.example.org:3479");
    auto d = Open(false);
    EXPECT_EQ(stunQuery->servers, std::vector<QString>{"stun.example.org:3479"});
}

// ---- the table window and the router ---------------------------------------------------

struct MapperLog {
    std::vector<int> opens;
    int closes = 0;
    int asks = 0;
    bool destroyed = false;
    PortMapper::Answer pending;
};

class RecordingMapper : public PortMapper {
public:
    explicit RecordingMapper(MapperLog& log) : log_(log) {}
    ~RecordingMapper() override { log_.destroyed = true; }
    void Open(int port, Answer done) override {
        log_.opens.push_back(port);
        log_.pending = std::move(done);
    }
    void Close() override {
        ++log_.closes;
        log_.pending = nullptr;
    }
    void AskAddress(Answer) override { ++log_.asks; }

private:
    MapperLog& log_;
};

class RouterPortTest : public TableFixture {
protected:
    void OpenTable(const char* own) {
        customize = [this, own](TableServices& services) {
            services.sessionPort = "0";
            services.localAddresses = [own] { return std::vector<std::string>{own}; };
            services.ownAddressQuery = [] { return std::unique_ptr<OwnAddressQuery>(); };
            services.portMapper = [this]() -> std::unique_ptr<PortMapper> {
                ++made;
                return mapperFactory ? mapperFactory() : std::make_unique<RecordingMapper>(log);
            };
        };
        Open();
    }
    void Connect(const QString& partner) {
        window->Dialogs().connect = [partner](ConnectDialog& dialog) {
            dialog.findChild<QRadioButton*>("rbLAN")->click();
            dialog.findChild<QRadioButton*>("rbIPnumber")->click();
            dialog.findChild<QLineEdit*>("edNickname")->setText("Ann");
            dialog.findChild<QComboBox*>("cbIPPartner")->setEditText(partner);
            dialog.findChild<QPushButton*>("bnConnect")->click();
            return dialog.result() == QDialog::Accepted;
        };
        window->Action("ConnecttoPartner1")->trigger();
    }
    QString Hint() const { return window->StatusLine()->LineText(); }
    MapperLog log;
    int made = 0;
    std::function<std::unique_ptr<PortMapper>()> mapperFactory;
};

TEST_F(RouterPortTest, AGameAgainstTheComputerNeverTouchesTheRouter) {
    OpenTable("192.168.1.20");
    window->Controller().FormKeyDown(Qt::Key_F6, Qt::NoModifier);
    EXPECT_EQ(made, 0);
    window.reset();
    EXPECT_EQ(made, 0);
}

TEST_F(RouterPortTest, WhoseSideListensAndWhereThePartnerIs) {
    struct Case {
        const char* own;
        const char* partner;
        bool opened; // the port was asked for
    };
    const Case cases[] = {
        {"192.168.1.20", "192.168.1.30", true},  // this side listens
        {"192.168.1.40", "192.168.1.30", false}, // this side connects
        {"192.168.1.20", "127.0.0.1", false},    // the partner on this machine
    };
    for (const Case& c : cases) {
        log = {};
        OpenTable(c.own);
        Connect(c.partner);
        ASSERT_NE(window->Network().Connection(), ConnectionStatus::NotConnected) << c.own;
        if (c.opened) {
            ASSERT_EQ(log.opens, std::vector<int>{window->Network().Session().ListenPort()});
        } else {
            EXPECT_TRUE(log.opens.empty()) << c.own << " " << c.partner;
        }
        window.reset();
    }
}

TEST_F(RouterPortTest, TheAnswerIsShownAndTheMappingGoesWithTheSession) {
    OpenTable("192.168.1.20");
    Connect("192.168.1.30");
    ASSERT_EQ(window->Network().Session().sessionRole(), SessionRole::Server);
    const int port = window->Network().Session().ListenPort();
    ASSERT_TRUE(log.pending);
    EXPECT_EQ(log.asks, 1) << "the connect dialog asked for the router's address";
    // The window listens without waiting for the router.
    EXPECT_TRUE(window->Network().Session().Socket().Listening());

    RouterAnswer refused;
    refused.problem = "the UPnP router refused (error 718 ConflictInMappingEntry)";
    log.pending(refused);
    EXPECT_EQ(Hint(), QString(texts::kPortNotOpened).arg(port).arg(refused.problem.c_str()));
    RouterAnswer opened;
    opened.ok = true;
    log.pending(opened);
    EXPECT_EQ(Hint(), QString("Port %1 opened on the router").arg(port));
    log.pending(refused); // a renewal failed
    EXPECT_EQ(Hint(), QString(texts::kPortLost).arg(port).arg(refused.problem.c_str()));
    log.pending(opened);

    // "Disconnect" ends the session and the mapping.
    window->Action("StopWaiting1")->trigger();
    EXPECT_EQ(log.closes, 1);
    EXPECT_TRUE(window->Network().RouterPortNote().isEmpty());
    EXPECT_FALSE(log.destroyed);
    window->close();
    EXPECT_GE(log.closes, 2);
    window.reset();
    EXPECT_TRUE(log.destroyed);
}

TEST_F(RouterPortTest, APartnerConnectsWhileTheRouterHasNotAnsweredYet) {
    OpenTable("192.168.1.20");
    Connect("192.168.1.30");
    ASSERT_TRUE(log.pending);
    NotifierWatcher watcher;
    TcpSocket partner(watcher);
    partner.IPAddr = "127.0.0.1";
    const int port = window->Network().Session().ListenPort();
    partner.Port = std::to_string(port);
    ASSERT_TRUE(partner.Connect());
    ASSERT_TRUE(PumpUntil([&] { return window->Network().Chat() != nullptr; }));
    // The router's late answer reaches the chat window too.
    RouterAnswer opened;
    opened.ok = true;
    log.pending(opened);
    EXPECT_TRUE(window->Network().Chat()->OppChat()->toPlainText().contains(
        QString(texts::kPortOpened).arg(port)));
}

// The real mapping against a scripted UPnP router: opened while the
// window listens, removed when the window closes.
TEST_F(RouterPortTest, TheRealMappingIsRemovedWhenTheWindowCloses) {
    UpnpRouter router;
    mapperFactory = [&router] { return std::make_unique<PortMapping>(router.Access()); };
    OpenTable("192.168.1.20");
    Connect("192.168.1.30");
    const int port = window->Network().Session().ListenPort();
    ASSERT_TRUE(PumpUntil([&] { return Hint() == QString(texts::kPortOpened).arg(port); }))
        << Hint().toStdString();
    EXPECT_EQ(router.With("AddPortMapping").size(), 1U);
    EXPECT_TRUE(router.With("DeletePortMapping").empty());
    window->close();
    window.reset();
    EXPECT_EQ(router.With("DeletePortMapping").size(), 1U);
}

} // namespace
} // namespace varenta::testing

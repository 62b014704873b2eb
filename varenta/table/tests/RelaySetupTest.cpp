// The relay in Network | Setup: its three texts shown and stored on OK, the
// password in the desktop's secret store when there is one (and then never
// in the settings file), scrambled in the file when there is none; and
// which texts make a relay to use.
#include "varenta/store/SettingsFile.h"
#include "varenta/table/MailAccountSettings.h"
#include "varenta/table/NetworkSetupDialog.h"
#include "varenta/table/NetworkTexts.h"
#include "varenta/table/RelaySettings.h"
#include "varenta/table/SecretStore.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

namespace varenta {
namespace {

struct FakeSecrets : SecretStore {
    bool available = true;
    bool refuses = false; // the store is there but will not keep it
    std::map<QString, QString> kept;
    bool Available() override { return available; }
    std::optional<QString> Lookup(const QString& key) override {
        const auto found = kept.find(key);
        return available && found != kept.end() ? std::optional<QString>(found->second)
                                                : std::nullopt;
    }
    bool Store(const QString& key, const QString&, const QString& password) override {
        if (refuses) {
            return false;
        }
        kept[key] = password;
        return true;
    }
};

QLineEdit* Edit(NetworkSetupDialog& dialog, const char* name) {
    auto* edit = dialog.findChild<QLineEdit*>(QLatin1String(name));
    EXPECT_NE(edit, nullptr) << name;
    return edit;
}

TEST(RelaySetupTest, ThePasswordGoesToTheSecretStoreWhereThereIsOneAndScrambledToTheFileElse) {
    const struct {
        const char* name;
        bool haveStore; // a store at all (a desktop session)
        bool available;
        bool refuses;
        bool inStore; // where the password ends up
    } cases[] = {
        {"a desktop's store", true, true, false, true},
        {"a store without its service", true, false, false, false},
        {"a store that refuses", true, true, true, false},
        {"no store at all", false, false, false, false},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        SettingsFile store(dir.filePath("settings.conf"));
        FakeSecrets secrets;
        secrets.available = c.available;
        secrets.refuses = c.refuses;
        SecretStore* given = c.haveStore ? &secrets : nullptr;
        {
            NetworkSetupDialog dialog(store, nullptr, given);
            Edit(dialog, "edRelayServer")->setText(" relay.example.org:3478 ");
            Edit(dialog, "edRelayUser")->setText("ann");
            Edit(dialog, "edRelayPassword")->setText("s3cret");
            dialog.findChild<QCheckBox*>(QStringLiteral("ckRelayTls"))->setChecked(c.inStore);
            EXPECT_EQ(Edit(dialog, "edRelayPassword")->echoMode(), QLineEdit::Password);
            dialog.accept();
        }
        const QString inFile = store.ReadString("Network\\Relay Password", {});
        EXPECT_EQ(inFile, c.inStore ? QString() : ScramblePassword("s3cret")) << c.name;
        EXPECT_EQ(secrets.kept.count("relay"), c.inStore ? 1U : 0U) << c.name;
        const RelaySetup read = ReadRelaySetup(store, given);
        EXPECT_EQ(read.server, "relay.example.org:3478") << c.name;
        EXPECT_EQ(read.user, "ann") << c.name;
        EXPECT_EQ(read.password, "s3cret") << c.name;
        EXPECT_EQ(read.tls, c.inStore) << c.name;
        // The dialog shows what is stored.
        NetworkSetupDialog again(store, nullptr, given);
        EXPECT_EQ(Edit(again, "edRelayPassword")->text(), "s3cret") << c.name;
        EXPECT_EQ(again.findChild<QCheckBox*>(QStringLiteral("ckRelayTls"))->isChecked(), c.inStore)
            << c.name;
        again.reject();
    }

    // A password kept in the store is not looked for in the file when the
    // store is gone (another session): the user types it again.
    QTemporaryDir dir;
    SettingsFile store(dir.filePath("settings.conf"));
    FakeSecrets secrets;
    WriteRelaySetup(store, &secrets, {"relay.example.org", "ann", "s3cret"});
    secrets.available = false;
    EXPECT_TRUE(ReadRelaySetup(store, &secrets).password.isEmpty());
    EXPECT_TRUE(ReadRelaySetup(store, nullptr).password.isEmpty());
}

TEST(RelaySetupTest, ARelayIsUsedOnlyWithAServerAUserAndAPassword) {
    const struct {
        RelaySetup setup;
        std::string host; // empty: no relay
        int port;
    } cases[] = {
        {{"relay.example.org:5000", "ann", "pw"}, "relay.example.org", 5000},
        {{"relay.example.org", "ann", "pw"}, "relay.example.org", 3478},
        {{"relay.example.org", "ann", "pw", true}, "relay.example.org", 5349},
        {{"relay.example.org:443", "ann", "pw", true}, "relay.example.org", 443},
        {{"[2001:db8::1]:3479", "ann", "pw"}, "2001:db8::1", 3479},
        {{"", "ann", "pw"}, "", 0},
        {{"relay.example.org", "", "pw"}, "", 0},
        {{"relay.example.org", "ann", ""}, "", 0},
        {{"relay.example.org:70000", "ann", "pw"}, "", 0},
        {{"two words", "ann", "pw"}, "", 0},
    };
    for (const auto& c : cases) {
        const auto server = c.setup.Server();
        EXPECT_EQ(server ? server->host : std::string(), c.host) << c.setup.server.toStdString();
        EXPECT_EQ(server ? server->port : 0, c.port) << c.setup.server.toStdString();
        if (server) {
            EXPECT_EQ(server->user, "ann");
            EXPECT_EQ(server->password, "pw");
            EXPECT_EQ(server->tls, c.setup.tls);
            EXPECT_TRUE(server->trustFile.empty()) << "the system's authorities";
        }
    }
}

TEST(RelaySetupTest, TheRelayHasAGroupOfItsOwnAndCancelStoresNothing) {
    QTemporaryDir dir;
    SettingsFile store(dir.filePath("settings.conf"));
    NetworkSetupDialog dialog(store, nullptr, nullptr);
    QStringList groups;
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
        groups << group->title();
    }
    EXPECT_TRUE(groups.contains(texts::kRelayGroup));
    Edit(dialog, "edRelayServer")->setText("relay.example.org");
    dialog.reject();
    EXPECT_TRUE(ReadRelaySetup(store, nullptr).server.isEmpty());
}

} // namespace
} // namespace varenta

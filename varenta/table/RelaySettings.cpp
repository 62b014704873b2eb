#include "varenta/table/RelaySettings.h"

#include "varenta/net/socket/HostPort.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/table/MailAccountSettings.h"
#include "varenta/table/SecretStore.h"

namespace varenta {

namespace {

constexpr char kServer[] = "Network\\Relay Server";
constexpr char kUser[] = "Network\\Relay User";
constexpr char kPassword[] = "Network\\Relay Password";
constexpr char kTls[] = "Network\\Relay TLS";
// The password is in the secret store, not in this file.
constexpr char kInSecretStore[] = "Network\\Relay Password Kept";
constexpr char kSecretKey[] = "relay";
constexpr char kSecretLabel[] = "Varenta: the relay's password";

QString Name(const char* key) {
    return QString::fromUtf8(key);
}

QString ReadText(SettingsFile& store, const char* key) {
    return store.ReadString(Name(key), QString()).left(RelaySetup::kMaxLength);
}

} // namespace

std::optional<TurnServer> RelaySetup::Server() const {
    const std::optional<HostPort> at =
        ParseHostPort(server.toStdString(), tls ? kTurnTlsPort : kTurnDefaultPort);
    if (!at || user.isEmpty() || password.isEmpty()) {
        return std::nullopt;
    }
    return TurnServer{at->host, at->port, user.toStdString(), password.toStdString(), tls, {}};
}

RelaySetup ReadRelaySetup(SettingsFile& store, SecretStore* secrets) {
    RelaySetup setup;
    setup.server = ReadText(store, kServer);
    setup.user = ReadText(store, kUser);
    setup.tls = store.ReadBool(Name(kTls), false);
    if (store.ReadBool(Name(kInSecretStore), false)) {
        if (secrets != nullptr) {
            setup.password = secrets->Lookup(Name(kSecretKey)).value_or(QString());
        }
    } else {
        setup.password = UnscramblePassword(store.ReadString(Name(kPassword), QString()));
    }
    setup.password = setup.password.left(RelaySetup::kMaxLength);
    return setup;
}

void WriteRelaySetup(SettingsFile& store, SecretStore* secrets, const RelaySetup& setup) {
    const bool kept = secrets != nullptr && secrets->Available() &&
                      secrets->Store(Name(kSecretKey), Name(kSecretLabel), setup.password);
    store.WriteValues({
        {Name(kServer), setup.server.trimmed()},
        {Name(kUser), setup.user},
        {Name(kTls), setup.tls},
        {Name(kPassword), kept ? QString() : ScramblePassword(setup.password)},
        {Name(kInSecretStore), kept},
    });
}

} // namespace varenta

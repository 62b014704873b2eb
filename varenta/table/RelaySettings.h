// The relay server the players name in Network | Setup, as the settings
// store keeps it ("Network\\Relay ..."): host:port, user name and password,
// and whether the relay is reached over TLS.
// The password goes to the desktop's secret store where the session offers
// one, and is kept scrambled in the settings file (as the mail password is)
// only where it does not.
#pragma once

#include "varenta/net/nat/TurnRelay.h"

#include <QString>

#include <optional>

namespace varenta {

class SecretStore;
class SettingsFile;

struct RelaySetup {
    static constexpr int kMaxLength = 255;
    QString server; // "host:port" (the port may be left out: 3478)
    QString user;
    QString password;
    bool tls = false; // the certificate checked against the system's authorities
    // The server to use: nothing unless all three are given and the
    // server's text reads as host and port (the port left out: 3478, or
    // 5349 over TLS).
    std::optional<TurnServer> Server() const;
};

// secrets may be null: the settings file alone.
RelaySetup ReadRelaySetup(SettingsFile& store, SecretStore* secrets);
void WriteRelaySetup(SettingsFile& store, SecretStore* secrets, const RelaySetup& setup);

} // namespace varenta

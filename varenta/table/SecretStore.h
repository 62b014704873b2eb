// Where a password is kept when the desktop session offers a secret store
// (the Secret Service over D-Bus, through libsecret): out of the settings
// file. The library is opened on the first use, not at start-up, and a
// machine without it or without a session bus simply has no store.
#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace varenta {

class SecretStore {
public:
    virtual ~SecretStore() = default;
    // Whether passwords can be kept here now.
    virtual bool Available() = 0;
    // The password kept under key; nothing when none is (or on failure).
    virtual std::optional<QString> Lookup(const QString& key) = 0;
    // Keeps (or, for an empty password, forgets) the password under key,
    // with a label the desktop's password manager shows; false on failure.
    virtual bool Store(const QString& key, const QString& label, const QString& password) = 0;
};

// The desktop's store through libsecret.
std::unique_ptr<SecretStore> DesktopSecretStore();

} // namespace varenta

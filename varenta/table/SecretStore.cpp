// Before any Qt header: GLib names a field "signals", which Qt defines as a
// keyword of its own.
#include <libsecret/secret.h>

#include "varenta/table/SecretStore.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>

namespace varenta {

namespace {

// The library and its own dependencies (GLib), opened once; nothing when
// the machine has no libsecret.
void* Library() {
    static void* const handle = dlopen("libsecret-1.so.0", RTLD_NOW | RTLD_LOCAL);
    return handle;
}

template <typename Function> Function Resolve(const char* name) {
    void* const symbol = Library() != nullptr ? dlsym(Library(), name) : nullptr;
    Function function = nullptr;
    static_assert(sizeof function == sizeof symbol);
    std::memcpy(&function, &symbol, sizeof function);
    return function;
}

// Every password of this program is one attribute, its key, in this schema.
const SecretSchema* Schema() {
    static const SecretSchema schema = {
        "org.varenta.Password",
        SECRET_SCHEMA_NONE,
        {{"key", SECRET_SCHEMA_ATTRIBUTE_STRING}, {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
        0,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr};
    return &schema;
}

class LibsecretStore : public SecretStore {
public:
    bool Available() override {
        // No session bus, no desktop store: asking would only wait for D-Bus.
        const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        if (bus == nullptr || *bus == '\0' || lookup_ == nullptr || store_ == nullptr ||
            clear_ == nullptr || free_ == nullptr || errorFree_ == nullptr) {
            return false;
        }
        if (!probed_) {
            probed_ = true;
            GError* error = nullptr;
            gchar* found = lookup_(Schema(), nullptr, &error, "key", "", nullptr);
            available_ = error == nullptr;
            Done(found, error);
        }
        return available_;
    }
    std::optional<QString> Lookup(const QString& key) override {
        if (!Available()) {
            return std::nullopt;
        }
        GError* error = nullptr;
        const QByteArray name = key.toUtf8();
        gchar* found = lookup_(Schema(), nullptr, &error, "key", name.constData(), nullptr);
        std::optional<QString> password;
        if (error == nullptr && found != nullptr) {
            password = QString::fromUtf8(found);
        }
        Done(found, error);
        return password;
    }
    bool Store(const QString& key, const QString& label, const QString& password) override {
        if (!Available()) {
            return false;
        }
        GError* error = nullptr;
        const QByteArray name = key.toUtf8();
        if (password.isEmpty()) {
            clear_(Schema(), nullptr, &error, "key", name.constData(), nullptr);
        } else {
            store_(Schema(), SECRET_COLLECTION_DEFAULT, label.toUtf8().constData(),
                   password.toUtf8().constData(), nullptr, &error, "key", name.constData(),
                   nullptr);
        }
        const bool ok = error == nullptr;
        Done(nullptr, error);
        return ok;
    }

private:
    void Done(gchar* found, GError* error) {
        if (found != nullptr) {
            free_(found);
        }
        if (error != nullptr) {
            errorFree_(error);
        }
    }

    decltype(&secret_password_lookup_sync) lookup_ =
        Resolve<decltype(&secret_password_lookup_sync)>("secret_password_lookup_sync");
    decltype(&secret_password_store_sync) store_ =
        Resolve<decltype(&secret_password_store_sync)>("secret_password_store_sync");
    decltype(&secret_password_clear_sync) clear_ =
        Resolve<decltype(&secret_password_clear_sync)>("secret_password_clear_sync");
    decltype(&secret_password_free) free_ =
        Resolve<decltype(&secret_password_free)>("secret_password_free");
    decltype(&g_error_free) errorFree_ = Resolve<decltype(&g_error_free)>("g_error_free");
    bool probed_ = false;
    bool available_ = false;
};

} // namespace

std::unique_ptr<SecretStore> DesktopSecretStore() {
    return std::make_unique<LibsecretStore>();
}

} // namespace varenta

// The TLS library is loaded when a mail exchange or a relay first secures
// its connection, not when the program starts: with the libraries it brings
// (PKCS #11, IDN, big numbers, ASN.1) it cost a tenth of the start-up before
// the first window, for features most games never use. TlsStream calls
// the functions below exactly as the library declares them; each looks up
// the real one on its first call. Credentials are always allocated first:
// without the library that fails like any other TLS failure, and the
// connection's owner reports it.
#include "varenta/net/socket/TlsOnDemand.h"

#include <gnutls/gnutls.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>

namespace {

void* Library() {
    static void* const handle = [] {
        void* tls = dlopen("libgnutls.so.30", RTLD_NOW | RTLD_LOCAL);
        if (tls == nullptr) {
            std::fprintf(stderr, "varenta: no secure connections: %s\n", dlerror());
        }
        return tls;
    }();
    return handle;
}

void* Symbol(const char* name) {
    void* const library = Library();
    void* const symbol = library != nullptr ? dlsym(library, name) : nullptr;
    if (symbol == nullptr) {
        std::fprintf(stderr, "varenta: the TLS library has no %s\n", name);
        std::abort();
    }
    return symbol;
}

// The library's own function of that name. Only reached once credentials
// could be allocated, that is with the library loaded.
template <typename Function> Function Resolve(const char* name) {
    void* const symbol = Symbol(name);
    Function function = nullptr;
    static_assert(sizeof function == sizeof symbol);
    std::memcpy(&function, &symbol, sizeof function);
    return function;
}

} // namespace

#define TLS_FUNCTION(name) static const auto real = Resolve<decltype(&name)>(#name)

namespace varenta {

void FreeTlsText(void* data) {
    if (data == nullptr || Library() == nullptr) {
        return;
    }
    // The library's release function is a variable it exports, not a function.
    static const gnutls_free_function release =
        *static_cast<gnutls_free_function*>(Symbol("gnutls_free"));
    release(data);
}

} // namespace varenta

extern "C" {

int gnutls_certificate_allocate_credentials(gnutls_certificate_credentials_t* res) {
    if (Library() == nullptr) {
        *res = nullptr;
        return GNUTLS_E_INTERNAL_ERROR;
    }
    TLS_FUNCTION(gnutls_certificate_allocate_credentials);
    return real(res);
}

const char* gnutls_strerror(int error) {
    if (Library() == nullptr) {
        return varenta::texts::kTlsLibraryMissing;
    }
    TLS_FUNCTION(gnutls_strerror);
    return real(error);
}

void gnutls_certificate_free_credentials(gnutls_certificate_credentials_t sc) {
    TLS_FUNCTION(gnutls_certificate_free_credentials);
    real(sc);
}

int gnutls_certificate_set_x509_system_trust(gnutls_certificate_credentials_t cred) {
    TLS_FUNCTION(gnutls_certificate_set_x509_system_trust);
    return real(cred);
}

int gnutls_certificate_set_x509_trust_file(gnutls_certificate_credentials_t cred,
                                           const char* cafile, gnutls_x509_crt_fmt_t type) {
    TLS_FUNCTION(gnutls_certificate_set_x509_trust_file);
    return real(cred, cafile, type);
}

int gnutls_init(gnutls_session_t* session, unsigned int flags) {
    TLS_FUNCTION(gnutls_init);
    return real(session, flags);
}

void gnutls_deinit(gnutls_session_t session) {
    TLS_FUNCTION(gnutls_deinit);
    real(session);
}

int gnutls_set_default_priority(gnutls_session_t session) {
    TLS_FUNCTION(gnutls_set_default_priority);
    return real(session);
}

int gnutls_credentials_set(gnutls_session_t session, gnutls_credentials_type_t type, void* cred) {
    TLS_FUNCTION(gnutls_credentials_set);
    return real(session, type, cred);
}

int gnutls_server_name_set(gnutls_session_t session, gnutls_server_name_type_t type,
                           const void* name, size_t name_length) {
    TLS_FUNCTION(gnutls_server_name_set);
    return real(session, type, name, name_length);
}

void gnutls_session_set_verify_cert(gnutls_session_t session, const char* hostname,
                                    unsigned flags) {
    TLS_FUNCTION(gnutls_session_set_verify_cert);
    real(session, hostname, flags);
}

void gnutls_transport_set_ptr(gnutls_session_t session, gnutls_transport_ptr_t ptr) {
    TLS_FUNCTION(gnutls_transport_set_ptr);
    real(session, ptr);
}

void gnutls_transport_set_push_function(gnutls_session_t session, gnutls_push_func push_func) {
    TLS_FUNCTION(gnutls_transport_set_push_function);
    real(session, push_func);
}

void gnutls_transport_set_pull_function(gnutls_session_t session, gnutls_pull_func pull_func) {
    TLS_FUNCTION(gnutls_transport_set_pull_function);
    real(session, pull_func);
}

void gnutls_transport_set_pull_timeout_function(gnutls_session_t session,
                                                gnutls_pull_timeout_func func) {
    TLS_FUNCTION(gnutls_transport_set_pull_timeout_function);
    real(session, func);
}

void gnutls_transport_set_errno(gnutls_session_t session, int err) {
    TLS_FUNCTION(gnutls_transport_set_errno);
    real(session, err);
}

void gnutls_handshake_set_timeout(gnutls_session_t session, unsigned int ms) {
    TLS_FUNCTION(gnutls_handshake_set_timeout);
    real(session, ms);
}

int gnutls_handshake(gnutls_session_t session) {
    TLS_FUNCTION(gnutls_handshake);
    return real(session);
}

unsigned gnutls_session_get_verify_cert_status(gnutls_session_t session) {
    TLS_FUNCTION(gnutls_session_get_verify_cert_status);
    return real(session);
}

int gnutls_certificate_verification_status_print(unsigned int status,
                                                 gnutls_certificate_type_t type,
                                                 gnutls_datum_t* out, unsigned int flags) {
    TLS_FUNCTION(gnutls_certificate_verification_status_print);
    return real(status, type, out, flags);
}

ssize_t gnutls_record_recv(gnutls_session_t session, void* data, size_t data_size) {
    TLS_FUNCTION(gnutls_record_recv);
    return real(session, data, data_size);
}

ssize_t gnutls_record_send(gnutls_session_t session, const void* data, size_t data_size) {
    TLS_FUNCTION(gnutls_record_send);
    return real(session, data, data_size);
}

size_t gnutls_record_check_pending(gnutls_session_t session) {
    TLS_FUNCTION(gnutls_record_check_pending);
    return real(session);
}

} // extern "C"

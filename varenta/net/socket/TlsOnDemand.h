// The TLS library is opened on its first use (TlsOnDemand.cpp); TlsStream
// calls its functions as declared in <gnutls/gnutls.h>.
#pragma once

#include <QtGlobal>

namespace varenta {

namespace texts {
// The TLS library's word for every failure when it could not be opened; the
// mail exchange shows it as the reason of its failure.
inline constexpr const char* kTlsLibraryMissing =
    QT_TRANSLATE_NOOP("varenta", "the TLS library (libgnutls.so.30) could not be loaded");
} // namespace texts

// Releases a text the TLS library allocated (its gnutls_free).
void FreeTlsText(void* data);

} // namespace varenta

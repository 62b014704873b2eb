// The TLS library is opened on its first use (TlsOnDemand.cpp); TlsStream
// calls its functions as declared in <gnutls/gnutls.h>.
#pragma once

namespace varenta {

// Releases a text the TLS library allocated (its gnutls_free).
void FreeTlsText(void* data);

} // namespace varenta

// Any bytes as a STUN server's answer: reading them never crashes, and an
// address is only ever reported with a port and a text the system can read
// back as an IPv4 or IPv6 address.
#include "varenta/net/nat/StunMessage.h"

#include <arpa/inet.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The transaction id is taken from the input itself half of the time,
    // so that answers to "this" request are reached, not only foreign ones.
    varenta::StunTransactionId id{};
    if (size >= varenta::kStunHeaderSize && (data[0] & 1) != 0) {
        for (std::size_t i = 0; i < id.size(); ++i) {
            id[i] = data[8 + i];
        }
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const varenta::StunAnswer answer = varenta::ReadStunAnswer(bytes, id);
    if (answer.kind == varenta::StunAnswer::Kind::Address) {
        std::array<unsigned char, 16> raw{};
        const bool v4 = inet_pton(AF_INET, answer.address.c_str(), raw.data()) == 1;
        const bool v6 = inet_pton(AF_INET6, answer.address.c_str(), raw.data()) == 1;
        if ((!v4 && !v6) || answer.port <= 0 || answer.port > 65535) {
            std::abort();
        }
    }
    if (answer.kind == varenta::StunAnswer::Kind::Refused &&
        (answer.errorCode < 0 || answer.errorCode > 799)) {
        std::abort();
    }
    return 0;
}

// Any bytes as what a relay server sends on its TCP stream: framing and
// reading them never crash, a message read back is whole (its type, id and
// attributes encode again into a message that reads back the same), and
// what the relay takes from it stays within its limits.
#include "varenta/net/nat/TurnMessage.h"

#include <arpa/inet.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

bool IsAddress(const std::string& text) {
    std::array<unsigned char, 16> raw{};
    return inet_pton(AF_INET, text.c_str(), raw.data()) == 1 ||
           inet_pton(AF_INET6, text.c_str(), raw.data()) == 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The stream as the relay cuts it: messages one after the other.
    std::string_view rest = bytes;
    static const std::string key = varenta::TurnKey("u", "realm", "pw");
    while (!rest.empty()) {
        const auto length = varenta::TurnFrameLength(rest);
        if (!length || *length == 0 || *length > rest.size()) {
            break;
        }
        Check(*length >= varenta::stun::kHeaderSize && *length % 4 == 0);
        // Half of the messages are read with a key, as answers to signed requests.
        const bool withKey = (rest[1] & 1) != 0;
        const varenta::TurnRead read =
            varenta::ReadTurnMessage(rest.substr(0, *length), withKey ? &key : nullptr);
        Check(read.message.has_value() == read.problem.empty());
        if (read.message) {
            const varenta::TurnMessage& m = *read.message;
            Check(!m.authenticated || withKey);
            const int code = m.ErrorCode();
            Check(code == 0 || (code >= 300 && code <= 699));
            for (const char c : m.ErrorReason()) {
                Check(c >= ' ' && c <= '~');
            }
            for (const std::uint16_t type :
                 {varenta::turn::kXorRelayedAddress, varenta::turn::kXorPeerAddress,
                  varenta::turn::kXorMappedAddress}) {
                if (const auto address = m.Address(type)) {
                    Check(IsAddress(address->address) && address->port >= 0 &&
                          address->port <= 65535);
                }
            }
            (void)m.Number(varenta::turn::kLifetime);
            // What was read encodes again into the same message.
            const varenta::TurnRead again = varenta::ReadTurnMessage(m.Encode());
            Check(again.message.has_value());
            Check(again.message->method == m.method && again.message->kind == m.kind &&
                  again.message->id == m.id && again.message->attributes == m.attributes);
        }
        rest.remove_prefix(*length);
    }
    return 0;
}

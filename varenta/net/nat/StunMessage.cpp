#include "varenta/net/nat/StunMessage.h"

#include <optional>

namespace varenta {

namespace {

constexpr std::uint16_t kBindingRequest = 0x0001;
constexpr std::uint16_t kBindingSuccess = 0x0101;
constexpr std::uint16_t kBindingError = 0x0111;
constexpr std::uint16_t kMappedAddress = 0x0001;
constexpr std::uint16_t kErrorCode = 0x0009;
constexpr std::uint16_t kXorMappedAddress = 0x0020;
// Servers written against a draft of the standard used this number.
constexpr std::uint16_t kXorMappedAddressDraft = 0x8020;

} // namespace

std::string StunBindingRequest(const StunTransactionId& id) {
    return stun::Header(kBindingRequest, 0, id);
}

StunAnswer ReadStunAnswer(std::string_view datagram, const StunTransactionId& id) {
    StunAnswer answer;
    if (datagram.size() < kStunHeaderSize || (static_cast<std::uint8_t>(datagram[0]) & 0xC0) != 0) {
        return answer; // not STUN at all
    }
    if (!stun::Answers(datagram, id)) {
        return answer;
    }
    const std::uint16_t type = stun::Get16(datagram, 0);
    if (type != kBindingSuccess && type != kBindingError) {
        return answer;
    }
    answer.kind = StunAnswer::Kind::Malformed;
    const auto attributes = stun::Attributes(datagram);
    if (!attributes) {
        return answer;
    }
    std::optional<stun::Endpoint> plain;
    std::optional<stun::Endpoint> xored;
    int errorCode = 0;
    for (const stun::Attribute& attribute : *attributes) {
        const std::string_view value = attribute.value;
        if (attribute.type == kXorMappedAddress || attribute.type == kXorMappedAddressDraft) {
            if (!xored) {
                xored = stun::ReadAddress(value, true, id);
                if (!xored) {
                    return answer;
                }
            }
        } else if (attribute.type == kMappedAddress) {
            if (!plain) {
                plain = stun::ReadAddress(value, false, id);
                if (!plain) {
                    return answer;
                }
            }
        } else if (attribute.type == kErrorCode && value.size() >= 4) {
            errorCode = (value[2] & 0x07) * 100 + static_cast<std::uint8_t>(value[3]) % 100;
        }
    }
    if (type == kBindingError) {
        answer.kind = StunAnswer::Kind::Refused;
        answer.errorCode = errorCode;
        return answer;
    }
    const std::optional<stun::Endpoint>& found = xored ? xored : plain;
    if (!found || found->port == 0) {
        return answer;
    }
    answer.kind = StunAnswer::Kind::Address;
    answer.address = found->address;
    answer.port = found->port;
    return answer;
}

} // namespace varenta

#include "varenta/net/nat/StunMessage.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <optional>

namespace varenta {

namespace {

constexpr std::uint16_t kBindingRequest = 0x0001;
constexpr std::uint16_t kBindingSuccess = 0x0101;
constexpr std::uint16_t kBindingError = 0x0111;
constexpr std::uint32_t kMagicCookie = 0x2112A442;
constexpr std::uint16_t kMappedAddress = 0x0001;
constexpr std::uint16_t kErrorCode = 0x0009;
constexpr std::uint16_t kXorMappedAddress = 0x0020;
// Servers written against a draft of the standard used this number.
constexpr std::uint16_t kXorMappedAddressDraft = 0x8020;
constexpr std::uint8_t kFamilyIPv4 = 0x01;
constexpr std::uint8_t kFamilyIPv6 = 0x02;

std::uint16_t Get16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>((static_cast<std::uint8_t>(bytes[at]) << 8) |
                                      static_cast<std::uint8_t>(bytes[at + 1]));
}

void Put16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value >> 8);
    out += static_cast<char>(value & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, static_cast<std::uint16_t>(value >> 16));
    Put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
}

// The 16 bytes an XOR-ed address is combined with: cookie, then the id.
std::array<std::uint8_t, 16> XorPad(const StunTransactionId& id) {
    std::array<std::uint8_t, 16> pad{0x21, 0x12, 0xA4, 0x42};
    for (std::size_t i = 0; i < id.size(); ++i) {
        pad[4 + i] = id[i];
    }
    return pad;
}

struct Endpoint {
    std::string address;
    int port = 0;
};

// An address attribute's value: reserved byte, family, port, address.
std::optional<Endpoint> ReadAddress(std::string_view value, bool xored,
                                    const StunTransactionId& id) {
    if (value.size() < 4) {
        return std::nullopt;
    }
    const auto family = static_cast<std::uint8_t>(value[1]);
    const std::size_t length = family == kFamilyIPv4 ? 4 : family == kFamilyIPv6 ? 16 : 0;
    if (length == 0 || value.size() != 4 + length) {
        return std::nullopt;
    }
    const auto pad = XorPad(id);
    std::uint16_t port = Get16(value, 2);
    std::array<std::uint8_t, 16> raw{};
    for (std::size_t i = 0; i < length; ++i) {
        raw[i] = static_cast<std::uint8_t>(value[4 + i]);
        if (xored) {
            raw[i] ^= pad[i];
        }
    }
    if (xored) {
        port ^= static_cast<std::uint16_t>(kMagicCookie >> 16);
    }
    std::array<char, INET6_ADDRSTRLEN> text{};
    if (inet_ntop(family == kFamilyIPv4 ? AF_INET : AF_INET6, raw.data(), text.data(),
                  text.size()) == nullptr) {
        return std::nullopt;
    }
    return Endpoint{text.data(), port};
}

} // namespace

std::string StunBindingRequest(const StunTransactionId& id) {
    std::string out;
    out.reserve(kStunHeaderSize);
    Put16(out, kBindingRequest);
    Put16(out, 0);
    Put32(out, kMagicCookie);
    for (const std::uint8_t byte : id) {
        out += static_cast<char>(byte);
    }
    return out;
}

StunAnswer ReadStunAnswer(std::string_view datagram, const StunTransactionId& id) {
    StunAnswer answer;
    if (datagram.size() < kStunHeaderSize || (static_cast<std::uint8_t>(datagram[0]) & 0xC0) != 0) {
        return answer; // not STUN at all
    }
    // The cookie and the id are echoed by every server, old ones included
    // (for them the cookie is simply part of a 16-byte id).
    const auto pad = XorPad(id);
    for (std::size_t i = 0; i < pad.size(); ++i) {
        if (static_cast<std::uint8_t>(datagram[4 + i]) != pad[i]) {
            return answer;
        }
    }
    const std::uint16_t type = Get16(datagram, 0);
    if (type != kBindingSuccess && type != kBindingError) {
        return answer;
    }
    answer.kind = StunAnswer::Kind::Malformed;
    const std::size_t length = Get16(datagram, 2);
    if (length % 4 != 0 || datagram.size() != kStunHeaderSize + length) {
        return answer;
    }
    std::optional<Endpoint> plain;
    std::optional<Endpoint> xored;
    int errorCode = 0;
    for (std::size_t at = kStunHeaderSize; at < datagram.size();) {
        if (datagram.size() - at < 4) {
            return answer;
        }
        const std::uint16_t attribute = Get16(datagram, at);
        const std::size_t size = Get16(datagram, at + 2);
        const std::size_t padded = (size + 3) / 4 * 4;
        if (datagram.size() - at - 4 < padded) {
            return answer;
        }
        const std::string_view value = datagram.substr(at + 4, size);
        if (attribute == kXorMappedAddress || attribute == kXorMappedAddressDraft) {
            if (!xored) {
                xored = ReadAddress(value, true, id);
                if (!xored) {
                    return answer;
                }
            }
        } else if (attribute == kMappedAddress) {
            if (!plain) {
                plain = ReadAddress(value, false, id);
                if (!plain) {
                    return answer;
                }
            }
        } else if (attribute == kErrorCode && value.size() >= 4) {
            errorCode = (value[2] & 0x07) * 100 + static_cast<std::uint8_t>(value[3]) % 100;
        }
        at += 4 + padded;
    }
    if (type == kBindingError) {
        answer.kind = StunAnswer::Kind::Refused;
        answer.errorCode = errorCode;
        return answer;
    }
    const std::optional<Endpoint>& found = xored ? xored : plain;
    if (!found || found->port == 0) {
        return answer;
    }
    answer.kind = StunAnswer::Kind::Address;
    answer.address = found->address;
    answer.port = found->port;
    return answer;
}

} // namespace varenta

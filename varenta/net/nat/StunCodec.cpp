#include "varenta/net/nat/StunCodec.h"

#include <arpa/inet.h>
#include <netinet/in.h>

namespace varenta::stun {

namespace {

constexpr std::uint8_t kFamilyIPv4 = 0x01;
constexpr std::uint8_t kFamilyIPv6 = 0x02;

// The 16 bytes an XOR-ed address is combined with: cookie, then the id.
std::array<std::uint8_t, 16> XorPad(const TransactionId& id) {
    std::array<std::uint8_t, 16> pad{0x21, 0x12, 0xA4, 0x42};
    for (std::size_t i = 0; i < id.size(); ++i) {
        pad[4 + i] = id[i];
    }
    return pad;
}

} // namespace

std::uint16_t Get16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>((static_cast<std::uint8_t>(bytes[at]) << 8) |
                                      static_cast<std::uint8_t>(bytes[at + 1]));
}

std::uint32_t Get32(std::string_view bytes, std::size_t at) {
    return (static_cast<std::uint32_t>(Get16(bytes, at)) << 16) | Get16(bytes, at + 2);
}

void Put16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value >> 8);
    out += static_cast<char>(value & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, static_cast<std::uint16_t>(value >> 16));
    Put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
}

std::string Header(std::uint16_t type, std::size_t bodyLength, const TransactionId& id) {
    std::string out;
    out.reserve(kHeaderSize + bodyLength);
    Put16(out, type);
    Put16(out, static_cast<std::uint16_t>(bodyLength));
    Put32(out, kMagicCookie);
    for (const std::uint8_t byte : id) {
        out += static_cast<char>(byte);
    }
    return out;
}

bool Answers(std::string_view message, const TransactionId& id) {
    if (message.size() < kHeaderSize) {
        return false;
    }
    const auto pad = XorPad(id);
    for (std::size_t i = 0; i < pad.size(); ++i) {
        if (static_cast<std::uint8_t>(message[4 + i]) != pad[i]) {
            return false;
        }
    }
    return true;
}

TransactionId IdOf(std::string_view message) {
    TransactionId id{};
    for (std::size_t i = 0; i < id.size(); ++i) {
        id[i] = static_cast<std::uint8_t>(message[8 + i]);
    }
    return id;
}

std::optional<std::vector<Attribute>> Attributes(std::string_view message) {
    if (message.size() < kHeaderSize) {
        return std::nullopt;
    }
    const std::size_t length = Get16(message, 2);
    if (length % 4 != 0 || message.size() != kHeaderSize + length) {
        return std::nullopt;
    }
    std::vector<Attribute> found;
    for (std::size_t at = kHeaderSize; at < message.size();) {
        if (message.size() - at < 4) {
            return std::nullopt;
        }
        const std::uint16_t type = Get16(message, at);
        const std::size_t size = Get16(message, at + 2);
        const std::size_t padded = (size + 3) / 4 * 4;
        if (message.size() - at - 4 < padded) {
            return std::nullopt;
        }
        found.push_back({type, message.substr(at + 4, size), at});
        at += 4 + padded;
    }
    return found;
}

std::string AttributeBytes(std::uint16_t type, std::string_view value) {
    std::string out;
    Put16(out, type);
    Put16(out, static_cast<std::uint16_t>(value.size()));
    out.append(value);
    out.append((4 - value.size() % 4) % 4, '\0');
    return out;
}

std::optional<Endpoint> ReadAddress(std::string_view value, bool xored, const TransactionId& id) {
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

std::optional<std::string> AddressValue(const std::string& address, int port, bool xored,
                                        const TransactionId& id) {
    std::array<std::uint8_t, 16> raw{};
    std::size_t length = 4;
    std::uint8_t family = kFamilyIPv4;
    if (inet_pton(AF_INET, address.c_str(), raw.data()) != 1) {
        if (inet_pton(AF_INET6, address.c_str(), raw.data()) != 1) {
            return std::nullopt;
        }
        length = 16;
        family = kFamilyIPv6;
    }
    auto wirePort = static_cast<std::uint16_t>(port);
    const auto pad = XorPad(id);
    if (xored) {
        wirePort ^= static_cast<std::uint16_t>(kMagicCookie >> 16);
    }
    std::string value(1, '\0');
    value += static_cast<char>(family);
    Put16(value, wirePort);
    for (std::size_t i = 0; i < length; ++i) {
        value += static_cast<char>(xored ? raw[i] ^ pad[i] : raw[i]);
    }
    return value;
}

} // namespace varenta::stun

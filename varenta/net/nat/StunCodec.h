// The byte layout shared by every STUN message this program reads or writes
// (the public address query over UDP, the relay's messages over TCP): the
// header, attributes in type-length-value form padded to four bytes, and
// addresses plain or XOR-ed with the magic cookie and the transaction id.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varenta::stun {

using TransactionId = std::array<std::uint8_t, 12>;

inline constexpr std::size_t kHeaderSize = 20;
inline constexpr std::uint32_t kMagicCookie = 0x2112A442;

std::uint16_t Get16(std::string_view bytes, std::size_t at);
std::uint32_t Get32(std::string_view bytes, std::size_t at);
void Put16(std::string& out, std::uint16_t value);
void Put32(std::string& out, std::uint32_t value);

// The header: type, body length, cookie, id.
std::string Header(std::uint16_t type, std::size_t bodyLength, const TransactionId& id);
// Whether the header's cookie and id are these (old servers echo the
// cookie as part of a 16-byte id, so this holds for them too).
bool Answers(std::string_view message, const TransactionId& id);
TransactionId IdOf(std::string_view message); // the header's id; message >= 20 bytes

struct Attribute {
    std::uint16_t type = 0;
    std::string_view value;
    std::size_t offset = 0; // of its type field within the message
};

// The attributes of a whole message whose header says exactly how long it
// is; nothing when a length runs past the end or the body is not padded.
std::optional<std::vector<Attribute>> Attributes(std::string_view message);
// One attribute, padded.
std::string AttributeBytes(std::uint16_t type, std::string_view value);

struct Endpoint {
    std::string address; // dotted IPv4 or the IPv6 text
    int port = 0;
};

// An address attribute's value: reserved byte, family, port, address.
std::optional<Endpoint> ReadAddress(std::string_view value, bool xored, const TransactionId& id);
// The value for an address text (IPv4 or IPv6); nothing for other text.
std::optional<std::string> AddressValue(const std::string& address, int port, bool xored,
                                        const TransactionId& id);

} // namespace varenta::stun

// Building STUN answers the way servers of every age send them, and a timer
// the test fires by hand.
#pragma once

#include "varenta/net/NetTimer.h"
#include "varenta/net/StunMessage.h"

#include <arpa/inet.h>

#include <cstdint>
#include <string>
#include <vector>

namespace varenta::testing {

class ManualNetTimer : public NetTimer {
public:
    void Start(int milliseconds) override {
        starts.push_back(milliseconds);
        running = true;
    }
    void Stop() override { running = false; }
    // Fires as if the time had passed.
    void Fire() {
        running = false;
        if (expired) {
            expired();
        }
    }
    std::vector<int> starts;
    bool running = false;
};

inline std::string Bytes16(unsigned value) {
    return {static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)};
}

// An attribute: type, length, value, padded to four bytes.
inline std::string Attribute(unsigned type, const std::string& value) {
    std::string out = Bytes16(type) + Bytes16(static_cast<unsigned>(value.size())) + value;
    out.append((4 - value.size() % 4) % 4, '\0');
    return out;
}

// An address value (IPv4 or IPv6 text), XOR-ed with cookie and id when
// `xored`.
inline std::string AddressValue(const std::string& ip, int port, bool xored,
                                const std::string& cookieAndId) {
    std::string raw(16, '\0');
    const bool v6 = ip.find(':') != std::string::npos;
    inet_pton(v6 ? AF_INET6 : AF_INET, ip.c_str(), raw.data());
    raw.resize(v6 ? 16 : 4);
    unsigned p = static_cast<unsigned>(port);
    if (xored) {
        p ^= 0x2112;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            raw[i] = static_cast<char>(raw[i] ^ cookieAndId[i]);
        }
    }
    return std::string(1, '\0') + std::string(1, v6 ? '\x02' : '\x01') + Bytes16(p) + raw;
}

// A whole message of `type` answering `request` (its cookie and id copied).
inline std::string Message(unsigned type, const std::string& request, const std::string& body) {
    return Bytes16(type) + Bytes16(static_cast<unsigned>(body.size())) + request.substr(4, 16) +
           body;
}

inline std::string XorMapped(const std::string& request, const std::string& ip, int port,
                             unsigned attribute = 0x0020) {
    return Attribute(attribute, AddressValue(ip, port, true, request.substr(4, 16)));
}

inline std::string Mapped(const std::string& ip, int port) {
    return Attribute(0x0001, AddressValue(ip, port, false, {}));
}

inline std::string Success(const std::string& request, const std::string& body) {
    return Message(0x0101, request, body);
}

inline StunTransactionId IdOf(const std::string& request) {
    StunTransactionId id{};
    for (std::size_t i = 0; i < id.size(); ++i) {
        id[i] = static_cast<std::uint8_t>(request[8 + i]);
    }
    return id;
}

} // namespace varenta::testing

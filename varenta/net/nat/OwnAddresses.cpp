#include "varenta/net/nat/OwnAddresses.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace varenta {

namespace {

std::string Dotted(const sockaddr_in& address) {
    std::array<char, INET_ADDRSTRLEN> text{};
    if (inet_ntop(AF_INET, &address.sin_addr, text.data(), text.size()) == nullptr) {
        return {};
    }
    return text.data();
}

} // namespace

bool IsGlobalIPv6(const std::string& text) {
    in6_addr address{};
    if (inet_pton(AF_INET6, text.c_str(), &address) != 1) {
        return false;
    }
    const std::uint8_t first = address.s6_addr[0];
    const bool linkLocal = first == 0xFE && (address.s6_addr[1] & 0xC0) == 0x80;
    const bool uniqueLocal = (first & 0xFE) == 0xFC;
    return !IN6_IS_ADDR_LOOPBACK(&address) && !IN6_IS_ADDR_UNSPECIFIED(&address) &&
           !IN6_IS_ADDR_V4MAPPED(&address) && !IN6_IS_ADDR_MULTICAST(&address) && !linkLocal &&
           !uniqueLocal;
}

std::vector<std::string> GlobalIPv6Addresses() {
    std::vector<std::string> addresses;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return addresses;
    }
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET6 ||
            (entry->ifa_flags & IFF_UP) == 0) {
            continue;
        }
        sockaddr_in6 address{};
        std::memcpy(&address, entry->ifa_addr, sizeof address);
        std::array<char, INET6_ADDRSTRLEN> text{};
        if (inet_ntop(AF_INET6, &address.sin6_addr, text.data(), text.size()) != nullptr &&
            IsGlobalIPv6(text.data())) {
            addresses.emplace_back(text.data());
        }
    }
    freeifaddrs(list);
    return addresses;
}

std::vector<std::string> LocalIPv4Addresses() {
    std::vector<std::string> addresses;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return addresses;
    }
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) {
            continue;
        }
        if ((entry->ifa_flags & IFF_UP) == 0 || (entry->ifa_flags & IFF_LOOPBACK) != 0) {
            continue;
        }
        sockaddr_in address{};
        std::memcpy(&address, entry->ifa_addr, sizeof address);
        std::string text = Dotted(address);
        if (!text.empty()) {
            addresses.push_back(std::move(text));
        }
    }
    freeifaddrs(list);
    return addresses;
}

std::optional<std::string> LocalAddressTowards(const std::string& dottedIPv4) {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(80); // any port will do: nothing is sent
    if (inet_pton(AF_INET, dottedIPv4.c_str(), &target.sin_addr) != 1) {
        return std::nullopt;
    }
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<std::string> found;
    sockaddr_in own{};
    socklen_t length = sizeof own;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&own), &length) == 0 &&
        own.sin_family == AF_INET && own.sin_addr.s_addr != htonl(INADDR_ANY)) {
        found = Dotted(own);
    }
    ::close(fd);
    return found;
}

bool IsLoopbackIPv4(const std::string& text) {
    in_addr address{};
    return inet_pton(AF_INET, text.c_str(), &address) == 1 && (ntohl(address.s_addr) >> 24) == 127;
}

bool IsHostName(std::string_view text) {
    for (const char c : text) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> ResolveIPv4(const std::string& hostName) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* result = nullptr;
    if (getaddrinfo(hostName.c_str(), nullptr, &hints, &result) != 0 || result == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> found;
    for (const addrinfo* entry = result; entry != nullptr && !found; entry = entry->ai_next) {
        if (entry->ai_family != AF_INET || entry->ai_addrlen < sizeof(sockaddr_in)) {
            continue;
        }
        sockaddr_in address{};
        std::memcpy(&address, entry->ai_addr, sizeof address);
        if (address.sin_addr.s_addr == htonl(INADDR_ANY)) {
            break; // "0.0.0.0" names no partner
        }
        std::string text = Dotted(address);
        if (!text.empty()) {
            found = std::move(text);
        }
    }
    freeaddrinfo(result);
    return found;
}

} // namespace varenta

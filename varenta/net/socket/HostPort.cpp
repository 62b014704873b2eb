#include "varenta/net/socket/HostPort.h"

#include <algorithm>

namespace varenta {

namespace {

constexpr std::size_t kMaxHostLength = 253; // the longest name the name service allows

std::string_view Trimmed(std::string_view text) {
    const auto space = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
    };
    while (!text.empty() && space(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && space(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<int> PortNumber(std::string_view text) {
    // Leading zeros are allowed, but not so many that the value could overflow.
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 65535) {
        return std::nullopt;
    }
    return value;
}

bool UsableHost(std::string_view host) {
    if (host.empty() || host.size() > kMaxHostLength) {
        return false;
    }
    return std::none_of(host.begin(), host.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7F || c == '/';
    });
}

} // namespace

std::optional<HostPort> ParseHostPort(std::string_view text, int defaultPort) {
    const std::string_view trimmed = Trimmed(text);
    std::string_view host = trimmed;
    std::optional<std::string_view> port;
    if (!trimmed.empty() && trimmed.front() == '[') {
        const std::size_t close = trimmed.find(']');
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        host = trimmed.substr(1, close - 1);
        const std::string_view rest = trimmed.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':') {
                return std::nullopt;
            }
            port = rest.substr(1);
        }
    } else {
        const auto colons = std::count(trimmed.begin(), trimmed.end(), ':');
        if (colons == 1 || (colons > 1 && defaultPort == 0)) {
            const std::size_t colon = trimmed.rfind(':');
            host = trimmed.substr(0, colon);
            port = trimmed.substr(colon + 1);
        }
    }
    if (!UsableHost(host)) {
        return std::nullopt;
    }
    HostPort parsed{std::string(host), defaultPort};
    if (port) {
        const std::optional<int> number = PortNumber(*port);
        if (!number) {
            return std::nullopt;
        }
        parsed.port = *number;
    }
    if (parsed.port == 0) {
        return std::nullopt;
    }
    return parsed;
}

} // namespace varenta

// A server named in one line of text: "host", "host:port" or
// "[IPv6 address]:port". A bare IPv6 address (several colons, no brackets)
// is a host without a port, unless a port must be given: then the part after
// its last colon is the port.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varenta {

struct HostPort {
    std::string host;
    int port = 0;
};

// The text is trimmed first. defaultPort is taken when the text names none;
// 0 means a port must be given. Nothing for a text that is neither form: an
// empty or over-long host, one with spaces, control characters or '/', a
// port that is not 1..65535 written in digits, a trailing colon.
std::optional<HostPort> ParseHostPort(std::string_view text, int defaultPort);

} // namespace varenta

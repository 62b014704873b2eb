#include "varenta/net/socket/HostPort.h"

#include <gtest/gtest.h>

namespace varenta {
namespace {

struct Case {
    const char* text;
    const char* host; // nullptr: refused
    int port;
};

template <std::size_t N> void Check(const Case (&cases)[N], int defaultPort) {
    for (const Case& c : cases) {
        const std::optional<HostPort> parsed = ParseHostPort(c.text, defaultPort);
        if (c.host == nullptr) {
            EXPECT_FALSE(parsed.has_value()) << c.text;
        } else {
            ASSERT_TRUE(parsed.has_value()) << c.text;
            EXPECT_EQ(parsed->host, c.host) << c.text;
            EXPECT_EQ(parsed->port, c.port) << c.text;
        }
    }
}

// A mail or STUN server: the port may be left out.
TEST(HostPortTest, AServerMayCarryAPort) {
    const Case cases[] = {
        {"mail.example.org", "mail.example.org", 25},
        {" mail.example.org:587 ", "mail.example.org", 587},
        {"127.0.0.1:2525", "127.0.0.1", 2525},
        {"[::1]:995", "::1", 995},
        {"::1", "::1", 25},
        {"[::1]", "::1", 25},
        {"host:65535", "host", 65535},
        {"", nullptr, 0},
        {":25", nullptr, 0},
        {"host:", nullptr, 0},
        {"host:0", nullptr, 0},
        {"host:65536", nullptr, 0},
        {"host:+25", nullptr, 0},
        {"host:2x", nullptr, 0},
        {"two words", nullptr, 0},
        {"[::1", nullptr, 0},
        {"[::1]x", nullptr, 0},
        {"[::1]:", nullptr, 0},
        {"a/b:25", nullptr, 0},
        {"host:99999999999", nullptr, 0},
    };
    Check(cases, 25);
}

// The simulator's partner: the port must be given, so the last colon of a
// bare IPv6 address introduces it.
TEST(HostPortTest, APortThatMustBeGiven) {
    const Case cases[] = {
        {"127.0.0.1:31415", "127.0.0.1", 31415},
        {"[::1]:5", "::1", 5},
        {"::1:5", "::1", 5},
        {"localhost", nullptr, 0},
        {"host:0", nullptr, 0},
        {"[::1]", nullptr, 0},
        {":5", nullptr, 0},
    };
    Check(cases, 0);
}

} // namespace
} // namespace varenta

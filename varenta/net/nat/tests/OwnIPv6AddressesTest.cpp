// Which IPv6 addresses a partner on the Internet could call: the ones the
// listening side opens its router's firewall for.
#include "varenta/net/nat/OwnAddresses.h"

#include <gtest/gtest.h>

namespace varenta {
namespace {

TEST(OwnIPv6AddressesTest, OnlyAddressesOfGlobalReachCount) {
    const struct {
        const char* text;
        bool global;
    } cases[] = {
        {"2001:db8:a::2", true}, {"2a00:1450::1", true},      {"fe80::1", false},
        {"febf::1", false},      {"fec0::1", true},           {"fc00::1", false},
        {"fdff::1", false},      {"fe00::1", true},           {"::1", false},
        {"::", false},           {"::ffff:192.0.2.1", false}, {"ff02::c", false},
        {"192.168.1.2", false},  {"2001:db8::g", false},      {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsGlobalIPv6(c.text), c.global) << c.text;
    }
    for (const std::string& address : GlobalIPv6Addresses()) {
        EXPECT_TRUE(IsGlobalIPv6(address)) << address;
    }
}

} // namespace
} // namespace varenta

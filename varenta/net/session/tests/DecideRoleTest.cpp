#include "varenta/net/session/DecideRole.h"
#include "varenta/net/nat/OwnAddresses.h"

#include <gtest/gtest.h>

#include <string>

namespace varenta {
namespace {

struct RoleCase {
    const char* own;
    const char* partner;
    DecidedRole expected;
};

TEST(DecideRoleTest, TheSmallerAddressTextListensOnBothSides) {
    const RoleCase cases[] = {
        {"192.168.1.20", "192.168.1.3", DecidedRole::Server}, // '2' < '3'
        {"10.0.0.9", "10.0.0.10", DecidedRole::Client},       // text, not number
        {"10.0.0.1", "10.0.0.10", DecidedRole::Server},       // a proper prefix is smaller
        {"", "10.0.0.1", DecidedRole::Server},
        {"10.0.0.1", "", DecidedRole::Client},     // an empty partner never makes a server
        {"host-b", "Host-b", DecidedRole::Client}, // bytes, not letters without case
    };
    for (const RoleCase& c : cases) {
        int asked = 0;
        const auto ask = [&asked] {
            ++asked;
            return true;
        };
        EXPECT_EQ(DecideRole(c.own, c.partner, ask), c.expected) << c.own << " vs " << c.partner;
        // The partner's program sees the same pair the other way round.
        const DecidedRole mirrored =
            c.expected == DecidedRole::Server ? DecidedRole::Client : DecidedRole::Server;
        EXPECT_EQ(DecideRole(c.partner, c.own, ask), mirrored) << c.partner << " vs " << c.own;
        EXPECT_EQ(asked, 0) << "different texts never ask";
    }
}

TEST(DecideRoleTest, EqualTextsLeaveTheChoiceToTheUser) {
    int asked = 0;
    EXPECT_EQ(DecideRole("127.0.0.1", "127.0.0.1",
                         [&asked] {
                             ++asked;
                             return true;
                         }),
              DecidedRole::Server);
    EXPECT_EQ(DecideRole("127.0.0.1", "127.0.0.1",
                         [&asked] {
                             ++asked;
                             return false;
                         }),
              DecidedRole::Client);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(DecideRole("127.0.0.1", "127.0.0.1", nullptr), DecidedRole::Client);
}

TEST(OwnAddressesTest, LettersMakeAHostNameAndNamesResolveToDottedAddresses) {
    EXPECT_TRUE(IsHostName("localhost"));
    EXPECT_TRUE(IsHostName("10.0.0.x"));
    EXPECT_FALSE(IsHostName("192.168.1.3"));
    EXPECT_FALSE(IsHostName(""));
    EXPECT_EQ(ResolveIPv4("localhost").value_or(""), "127.0.0.1");
    EXPECT_FALSE(ResolveIPv4("no-such-host.invalid").has_value());
    EXPECT_FALSE(ResolveIPv4("0.0.0.0").has_value());
    for (const std::string& address : LocalIPv4Addresses()) {
        EXPECT_NE(address.rfind("127.", 0), 0U) << "the loopback interface is left out";
    }
}

TEST(OwnAddressesTest, TheAddressTowardsAServerIsFoundWithoutLookingUpNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"127.0.0.1", "127.0.0.1"},
        {"127.3.2.1", "127.0.0.1"}, // the loopback network answers from its first address
        {"localhost", ""},          // a name is not looked up
        {"no-such-host.invalid", ""},
        {"", ""},
        {"1.2.3", ""},
        {"256.1.1.1", ""},
        {" 127.0.0.1", ""},
    };
    for (const auto& [server, own] : cases) {
        EXPECT_EQ(LocalAddressTowards(server).value_or(""), own) << server;
    }
}

TEST(OwnAddressesTest, OnlyDottedAddressesOfTheLoopbackNetworkAreLoopback) {
    const std::pair<const char*, bool> cases[] = {
        {"127.0.0.1", true},  {"127.255.0.9", true}, {"126.0.0.1", false}, {"128.0.0.1", false},
        {"localhost", false}, {"::1", false},        {"127.0.0", false},   {"", false},
    };
    for (const auto& [text, loopback] : cases) {
        EXPECT_EQ(IsLoopbackIPv4(text), loopback) << text;
    }
}

} // namespace
} // namespace varenta

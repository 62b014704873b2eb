#include "varenta/net/socket/NameLookup.h"

#include "varenta/net/socket/testing/SocketTestSupport.h"

#include <gtest/gtest.h>

#include <netinet/in.h>

#include <optional>

namespace varenta::testing {
namespace {

TEST(NameLookupTest, LiteralsAreAnsweredAtOnceAndNamesOnlyByTheThread) {
    struct Case {
        const char* host;
        int family; // 0: no address without a name server
    };
    for (const Case& c : {Case{"127.0.0.1", AF_INET}, Case{"::1", AF_INET6}, Case{"localhost", 0},
                          Case{"", 0}, Case{"300.1.1.1", 0}}) {
        const NameLookup::Answer answer = NameLookup::LookUpNow(c.host, 3478, true);
        if (c.family == 0) {
            EXPECT_TRUE(answer.addresses.empty()) << c.host;
            EXPECT_FALSE(answer.problem.empty()) << c.host;
            continue;
        }
        ASSERT_EQ(answer.addresses.size(), 1u) << c.host;
        const sockaddr_storage& a = answer.addresses[0].address;
        EXPECT_EQ(a.ss_family, c.family) << c.host;
        const in_port_t port = c.family == AF_INET
                                   ? reinterpret_cast<const sockaddr_in&>(a).sin_port
                                   : reinterpret_cast<const sockaddr_in6&>(a).sin6_port;
        EXPECT_EQ(ntohs(port), 3478) << c.host;
    }
}

TEST(NameLookupTest, AnswersFromTheLoopAndForgetsWhatWasCancelled) {
    NameLookup lookup;
    std::optional<NameLookup::Answer> first;
    std::optional<NameLookup::Answer> second;
    lookup.Start("localhost", 53, [&](const NameLookup::Answer& a) { first = a; });
    EXPECT_TRUE(lookup.Running());
    // A new look-up cancels the running one: only the new one answers.
    lookup.Start("localhost", 54, [&](const NameLookup::Answer& a) { second = a; });
    EXPECT_FALSE(second) << "never from inside Start";
    ASSERT_TRUE(PumpUntil([&] { return second.has_value(); }));
    EXPECT_FALSE(lookup.Running());
    EXPECT_FALSE(second->addresses.empty()) << second->problem;
    PumpBriefly();
    EXPECT_FALSE(first);

    // An unknown name answers with the reason and no address.
    std::optional<NameLookup::Answer> unknown;
    lookup.Start("", 1, [&](const NameLookup::Answer& a) { unknown = a; });
    ASSERT_TRUE(PumpUntil([&] { return unknown.has_value(); }));
    EXPECT_TRUE(unknown->addresses.empty());
    EXPECT_FALSE(unknown->problem.empty());

    // Cancelled, or gone before the answer: nothing is called, nothing
    // touches the freed object (the sanitizers watch this).
    bool called = false;
    lookup.Start("localhost", 1, [&](const NameLookup::Answer&) { called = true; });
    lookup.Cancel();
    {
        NameLookup gone;
        gone.Start("localhost", 1, [&](const NameLookup::Answer&) { called = true; });
    }
    std::optional<NameLookup::Answer> last;
    lookup.Start("localhost", 2, [&](const NameLookup::Answer& a) { last = a; });
    ASSERT_TRUE(PumpUntil([&] { return last.has_value(); }));
    PumpBriefly();
    EXPECT_FALSE(called);
}

} // namespace
} // namespace varenta::testing

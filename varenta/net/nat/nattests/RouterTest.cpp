// The game port on the router: UPnP IGD against a scripted device on
// loopback (its description URL given directly, so no multicast), NAT-PMP
// against a scripted gateway on a loopback address, the IPv6 pinhole
// against the scripted device's firewall control; the leases renewed by
// timers the test fires, mapping and pinhole removed on Close and with the
// object.
#include "varenta/net/nat/PortMapping.h"
#include "varenta/net/nat/nattests/NatTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>

namespace varenta::testing {
namespace {

// A mapping object with its renewal timer in the test's hand.
struct Mapping {
    ManualNetTimer* renewal = new ManualNetTimer;
    ManualNetTimer* pinholeRenewal = new ManualNetTimer;
    std::unique_ptr<PortMapping> mapping;
    std::vector<RouterAnswer> answers;
    explicit Mapping(const RouterAccess& access)
        : mapping(std::make_unique<PortMapping>(access, std::unique_ptr<NetTimer>(renewal),
                                                std::unique_ptr<NetTimer>(pinholeRenewal))) {}
    bool Open(int port, std::size_t answersAfter = 1) {
        mapping->Open(port, [this](const RouterAnswer& answer) { answers.push_back(answer); });
        return PumpUntil([&] { return answers.size() >= answersAfter; });
    }
    bool OpenPinhole(const std::string& address, int port) {
        mapping->OpenPinhole(address, port,
                             [this](const RouterAnswer& answer) { answers.push_back(answer); });
        return PumpUntil([&] { return !answers.empty(); });
    }
    RouterAnswer Address() {
        std::optional<RouterAnswer> answer;
        mapping->AskAddress([&answer](const RouterAnswer& a) { answer = a; });
        PumpUntil([&] { return answer.has_value(); });
        return answer.value_or(RouterAnswer{});
    }
};

TEST(UpnpMappingTest, OpensRenewsAndRemovesThePort) {
    UpnpRouter router;
    Mapping m(router.Access());
    EXPECT_EQ(m.Address().externalAddress, "203.0.113.7");
    ASSERT_TRUE(m.Open(31415));
    const RouterAnswer& first = m.answers.front();
    EXPECT_TRUE(first.ok) << first.problem;
    EXPECT_EQ(first.method + " " + first.externalAddress, "UPnP 203.0.113.7");
    EXPECT_EQ(first.leaseSeconds, RouterClient::kLeaseSeconds);
    const std::string add = router.With("AddPortMapping").at(0);
    for (const auto& [name, value] :
         std::vector<std::pair<std::string, std::string>>{{"NewExternalPort", "31415"},
                                                          {"NewInternalPort", "31415"},
                                                          {"NewInternalClient", "127.0.0.1"},
                                                          {"NewProtocol", "TCP"},
                                                          {"NewLeaseDuration", "3600"}}) {
        EXPECT_EQ(UpnpRouter::Argument(add, name), value) << name;
    }
    // Renewed at half the lease; a renewal that goes through is no news.
    EXPECT_EQ(m.renewal->starts, std::vector<int>{1800 * 1000});
    m.renewal->Fire();
    ASSERT_TRUE(PumpUntil([&] { return m.renewal->starts.size() == 2; }));
    EXPECT_EQ(router.With("AddPortMapping").size(), 2U);
    EXPECT_EQ(m.answers.size(), 1U);

    m.mapping->Close();
    EXPECT_FALSE(m.renewal->running);
    ASSERT_TRUE(PumpUntil([&] { return router.With("DeletePortMapping").size() == 1; }));
    EXPECT_EQ(UpnpRouter::Argument(router.With("DeletePortMapping")[0], "NewExternalPort"),
              "31415");
    m.mapping.reset(); // nothing left to remove
    EXPECT_EQ(router.With("DeletePortMapping").size(), 1U);
}

TEST(UpnpMappingTest, RefusalsAndPermanentOnlyRouters) {
    const struct {
        std::vector<int> codes; // the answers to AddPortMapping in turn
        int lease;
        std::string problem; // empty: opened
    } cases[] = {
        {{725, 0}, 0, ""}, // only permanent mappings: asked again without a lease
        {{718}, 0, "the UPnP router refused (error 718 ConflictInMappingEntry)"},
    };
    for (const auto& c : cases) {
        UpnpRouter router;
        std::atomic<std::size_t> calls{0};
        router.add = [&c, &calls](const std::string&) {
            const std::size_t i = calls++;
            return i < c.codes.size() ? c.codes[i] : 0;
        };
        Mapping m(router.Access());
        ASSERT_TRUE(m.Open(31415));
        EXPECT_EQ(m.answers[0].ok, c.problem.empty());
        EXPECT_EQ(m.answers[0].problem, c.problem);
        EXPECT_EQ(m.answers[0].leaseSeconds, c.lease);
        EXPECT_EQ(calls.load(), c.codes.size());
        EXPECT_FALSE(m.renewal->running) << "nothing to renew";
    }
}

TEST(UpnpMappingTest, ALateAnswerIsDroppedAndTheMappingGoesWithTheObject) {
    UpnpRouter router;
    {
        Mapping m(router.Access());
        m.mapping->Open(31415, [&m](const RouterAnswer& a) { m.answers.push_back(a); });
        // Closed before the router answered: no answer comes, and the
        // mapping made meanwhile is taken back.
        m.mapping->Close();
        ASSERT_TRUE(PumpUntil([&] { return router.With("DeletePortMapping").size() == 1; }));
        EXPECT_TRUE(m.answers.empty());
        ASSERT_TRUE(m.Open(31416));
    } // destroyed while open: the removal is waited for
    ASSERT_EQ(router.With("DeletePortMapping").size(), 2U);
    EXPECT_EQ(UpnpRouter::Argument(router.With("DeletePortMapping")[1], "NewExternalPort"),
              "31416");
}

// ---- the IPv6 pinhole --------------------------------------------------------------

TEST(UpnpPinholeTest, OpensRenewsAndClosesTheWayIn) {
    UpnpRouter router;
    Mapping m(router.Access());
    ASSERT_TRUE(m.OpenPinhole("2001:db8:a::2", 31415));
    const RouterAnswer& first = m.answers.front();
    EXPECT_TRUE(first.ok) << first.problem;
    EXPECT_EQ(first.method + " " + first.externalAddress, "UPnP 2001:db8:a::2");
    EXPECT_EQ(first.leaseSeconds, RouterClient::kLeaseSeconds);
    const std::string add = router.With("AddPinhole").at(0);
    for (const auto& [name, value] :
         std::vector<std::pair<std::string, std::string>>{{"RemotePort", "0"},
                                                          {"InternalClient", "2001:db8:a::2"},
                                                          {"InternalPort", "31415"},
                                                          {"Protocol", "6"},
                                                          {"LeaseTime", "3600"}}) {
        EXPECT_EQ(UpnpRouter::Argument(add, name), value) << name;
    }
    // From anyone: the partner's address is not known yet.
    EXPECT_TRUE(UpnpRouter::Argument(add, "RemoteHost") == "" ||
                UpnpRouter::Argument(add, "RemoteHost") == "empty")
        << add;

    // Renewed at half the lease by the pinhole's name; a pinhole the router
    // forgot meanwhile is asked for anew. Neither is news.
    EXPECT_EQ(m.pinholeRenewal->starts, std::vector<int>{1800 * 1000});
    EXPECT_FALSE(m.renewal->running);
    m.pinholeRenewal->Fire();
    ASSERT_TRUE(PumpUntil([&] { return m.pinholeRenewal->starts.size() == 2; }));
    ASSERT_EQ(router.With("UpdatePinhole").size(), 1U);
    EXPECT_EQ(UpnpRouter::Argument(router.With("UpdatePinhole")[0], "UniqueID"), "7");
    EXPECT_EQ(UpnpRouter::Argument(router.With("UpdatePinhole")[0], "NewLeaseTime"), "3600");
    router.update = [](const std::string&) { return 704; };
    m.pinholeRenewal->Fire();
    ASSERT_TRUE(PumpUntil([&] { return m.pinholeRenewal->starts.size() == 3; }));
    EXPECT_EQ(router.With("AddPinhole").size(), 2U);
    EXPECT_EQ(m.answers.size(), 1U);

    m.mapping->ClosePinhole();
    EXPECT_FALSE(m.pinholeRenewal->running);
    ASSERT_TRUE(PumpUntil([&] { return router.With("DeletePinhole").size() == 1; }));
    EXPECT_EQ(UpnpRouter::Argument(router.With("DeletePinhole")[0], "UniqueID"), "7");
    m.mapping.reset(); // nothing left to close
    EXPECT_EQ(router.With("DeletePinhole").size(), 1U);
    EXPECT_TRUE(router.With("AddPortMapping").empty()) << "IPv6 needs no port mapping";
}

TEST(UpnpPinholeTest, RoutersThatCannotOrNeedNotOpenIt) {
    const struct {
        const char* what;
        std::string address;
        bool firewallControl, firewallEnabled, inboundAllowed;
        int refusal;         // the answer to AddPinhole
        std::string problem; // empty: open
        std::size_t adds;
    } cases[] = {
        {"IGD v1 only", "2001:db8:a::2", false, true, true, 0,
         "the UPnP router has no IPv6 firewall control", 0},
        {"firewall off", "2001:db8:a::2", true, false, true, 0, "", 0},
        {"no pinholes allowed", "2001:db8:a::2", true, true, false, 0,
         "the UPnP router lets no connection through its IPv6 firewall", 0},
        {"refused", "2001:db8:a::2", true, true, true, 606,
         "the UPnP router refused (error 606 Action not authorized)", 1},
        {"an IPv4 address", "192.168.1.2", true, true, true, 0,
         "no IPv6 address to open the firewall for", 0},
    };
    for (const auto& c : cases) {
        UpnpRouter router;
        router.firewallControl = c.firewallControl;
        router.firewallEnabled = c.firewallEnabled;
        router.inboundAllowed = c.inboundAllowed;
        router.pinhole = [&c](const std::string&) { return c.refusal; };
        Mapping m(router.Access());
        ASSERT_TRUE(m.OpenPinhole(c.address, 31415)) << c.what;
        EXPECT_EQ(m.answers[0].ok, c.problem.empty()) << c.what;
        EXPECT_EQ(m.answers[0].problem, c.problem) << c.what;
        EXPECT_EQ(router.With("AddPinhole").size(), c.adds) << c.what;
        EXPECT_FALSE(m.pinholeRenewal->running) << c.what << ": nothing to renew";
        m.mapping.reset();
        EXPECT_TRUE(router.With("DeletePinhole").empty()) << c.what << ": nothing to close";
    }
}

TEST(UpnpPinholeTest, ThePinholeGoesWithTheObjectAndALateAnswerIsDropped) {
    UpnpRouter router;
    {
        Mapping m(router.Access());
        m.mapping->OpenPinhole("2001:db8:a::2", 31415,
                               [&m](const RouterAnswer& a) { m.answers.push_back(a); });
        m.mapping->ClosePinhole();
        ASSERT_TRUE(PumpUntil([&] { return router.With("DeletePinhole").size() == 1; }));
        EXPECT_TRUE(m.answers.empty());
        ASSERT_TRUE(m.OpenPinhole("2001:db8:a::2", 31416));
    } // destroyed while open: the pinhole is closed before it goes
    ASSERT_EQ(router.With("DeletePinhole").size(), 2U);
    EXPECT_EQ(UpnpRouter::Argument(router.With("AddPinhole").back(), "InternalPort"), "31416");
}

// ---- a NAT-PMP gateway ------------------------------------------------------------

std::uint32_t Get32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    }
    return value;
}

std::string Be32(std::uint32_t v) {
    return Bytes16(v >> 16) + Bytes16(v & 0xFFFF);
}

// The protocol's port is fixed, so each gateway gets a loopback address of
// its own. It tells the public address 203.0.113.9 and answers mapping
// requests with `result` (0: granted), the public port `offer` (0: the one
// asked for) and a lifetime of 7200 s.
struct NatPmpGateway {
    std::atomic<int> result{0};
    std::atomic<unsigned> offer{0};
    std::string address;
    std::unique_ptr<ScriptedServer> server;
    explicit NatPmpGateway(int n)
        : address("127.0." + std::to_string(1 + getpid() % 200) + "." + std::to_string(2 + n)) {
        server = std::make_unique<ScriptedServer>(
            SOCK_DGRAM,
            [this](const std::string& r, int) -> std::optional<std::string> {
                if (r == std::string(2, '\0')) {
                    return Bytes16(128) + Bytes16(0) + Be32(1) + Be32(0xCB007109);
                }
                const unsigned port = offer != 0 ? offer.load() : Get32(r, 4) & 0xFFFF;
                return Bytes16(130) + Bytes16(static_cast<unsigned>(result.load())) + Be32(1) +
                       r.substr(4, 2) + Bytes16(port) + Be32(Get32(r, 8) == 0 ? 0 : 7200);
            },
            address.c_str(), 5351);
    }
    RouterAccess Access() const {
        RouterAccess access;
        access.discover = false;
        access.natPmpGateway = address;
        return access;
    }
    // The lifetimes asked for by the mapping requests, in order.
    std::vector<std::uint32_t> Lifetimes() const {
        std::vector<std::uint32_t> lifetimes;
        for (const std::string& r : server->Requests()) {
            if (r.size() == 12) {
                lifetimes.push_back(Get32(r, 8));
            }
        }
        return lifetimes;
    }
};

TEST(NatPmpMappingTest, GrantedRefusedOrAnotherPortOffered) {
    const struct {
        int result;
        unsigned offer;
        std::string problem; // empty: granted
        std::vector<std::uint32_t> lifetimes;
    } cases[] = {
        {0, 0, "", {3600}},
        {2, 0, "the NAT-PMP router refused (not allowed)", {3600}},
        {4, 0, "the NAT-PMP router has no room for another mapping", {3600}},
        {0, 40000, "the NAT-PMP router offered port 40000 instead", {3600, 0}}, // taken back
    };
    int n = 0;
    for (const auto& c : cases) {
        NatPmpGateway gateway(n++);
        ASSERT_TRUE(gateway.server->Bound()) << gateway.address;
        gateway.result = c.result;
        gateway.offer = c.offer;
        Mapping m(gateway.Access());
        ASSERT_TRUE(m.Open(31415));
        EXPECT_EQ(m.answers[0].problem, c.problem);
        PumpUntil([&] { return gateway.Lifetimes().size() >= c.lifetimes.size(); });
        EXPECT_EQ(gateway.Lifetimes(), c.lifetimes) << c.problem;
        if (c.problem.empty()) {
            EXPECT_EQ(m.answers[0].method + " " + m.answers[0].externalAddress,
                      "NAT-PMP 203.0.113.9");
            EXPECT_EQ(m.renewal->starts.back(), 3600 * 1000) << "half the lifetime granted";
            // A renewal that fails is news.
            gateway.result = 3;
            m.renewal->Fire();
            ASSERT_TRUE(PumpUntil([&] { return m.answers.size() == 2; }));
            EXPECT_EQ(m.answers[1].problem, "the NAT-PMP router has no Internet connection");
            EXPECT_EQ(m.Address().externalAddress, "203.0.113.9");
        }
    }
}

TEST(NatPmpMappingTest, NoRouterAtAllIsAHintAndTheClosedMappingIsRemoved) {
    RouterAccess nobody;
    nobody.discover = false;
    nobody.natPmpGateway = "127.0.0.1"; // nothing listens on its NAT-PMP port
    Mapping none(nobody);
    ASSERT_TRUE(none.Open(31415));
    EXPECT_EQ(none.answers[0].problem, RouterClient::kNoRouter);
    EXPECT_FALSE(none.Address().ok);

    NatPmpGateway gateway(10);
    Mapping m(gateway.Access());
    ASSERT_TRUE(m.Open(31415));
    m.mapping->Close();
    ASSERT_TRUE(PumpUntil([&] { return gateway.Lifetimes().size() == 2; }));
    EXPECT_EQ(gateway.Lifetimes().back(), 0U) << "lifetime 0 removes the mapping";
}

} // namespace
} // namespace varenta::testing

// The game port on the router: UPnP IGD against a scripted device on
// loopback (its description URL given directly, so no multicast), NAT-PMP
// against a scripted gateway on a loopback address; the lease renewed by a
// timer the test fires, the mapping removed on Close and when the mapping
// object goes.
#include "varenta/net/PortMapping.h"
#include "varenta/table/nattests/ScriptedServers.h"
#include "varenta/table/nattests/StunTestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <optional>

namespace varenta::testing {
namespace {

// ---- a UPnP router ------------------------------------------------------------------

const char* const kDescription = R"(<?xml version="1.0"?>
<root xmlns="urn:schemas-upnp-org:device-1-0">
<specVersion><major>1</major><minor>0</minor></specVersion>
<device>
<deviceType>urn:schemas-upnp-org:device:InternetGatewayDevice:1</deviceType>
<friendlyName>Test router</friendlyName>
<deviceList><device>
<deviceType>urn:schemas-upnp-org:device:WANDevice:1</deviceType>
<serviceList><service>
<serviceType>urn:schemas-upnp-org:service:WANCommonInterfaceConfig:1</serviceType>
<serviceId>urn:upnp-org:serviceId:WANCommonIFC1</serviceId>
<controlURL>/ctl/CmnIfCfg</controlURL><eventSubURL>/evt/CmnIfCfg</eventSubURL>
<SCPDURL>/WANCfg.xml</SCPDURL>
</service></serviceList>
<deviceList><device>
<deviceType>urn:schemas-upnp-org:device:WANConnectionDevice:1</deviceType>
<serviceList><service>
<serviceType>urn:schemas-upnp-org:service:WANIPConnection:1</serviceType>
<serviceId>urn:upnp-org:serviceId:WANIPConn1</serviceId>
<controlURL>/ctl/IPConn</controlURL><eventSubURL>/evt/IPConn</eventSubURL>
<SCPDURL>/WANIPCn.xml</SCPDURL>
</service></serviceList>
</device></deviceList>
</device></deviceList>
</device>
</root>
)";

std::string Envelope(const std::string& body) {
    return R"(<?xml version="1.0"?><s:Envelope xmlns:s="http://schemas.xmlsoap.org/soap/envelope/" )"
           R"(s:encodingStyle="http://schemas.xmlsoap.org/soap/encoding/"><s:Body>)" +
           body + "</s:Body></s:Envelope>";
}

HttpReply Fault(int code, const char* text) {
    return {500, Envelope("<s:Fault><faultcode>s:Client</faultcode><faultstring>UPnPError"
                          "</faultstring><detail><UPnPError xmlns=\"urn:schemas-upnp-org:control-"
                          "1-0\"><errorCode>" +
                          std::to_string(code) + "</errorCode><errorDescription>" + text +
                          "</errorDescription></UPnPError></detail></s:Fault>")};
}

// Plays a router: its description, its public address, and AddPortMapping
// as `add` says (0: accepted, else the error code), DeletePortMapping
// always accepted.
struct UpnpRouter {
    std::function<int(const HttpRequest&)> add = [](const HttpRequest&) { return 0; };
    ScriptedHttpServer server{[this](const HttpRequest& request) { return Answer(request); }};

    HttpReply Answer(const HttpRequest& request) {
        const std::string u = "xmlns:u=\"urn:schemas-upnp-org:service:WANIPConnection:1\"";
        if (request.path == "/rootDesc.xml") {
            return {200, kDescription};
        }
        const auto hash = request.soapAction.find('#');
        const std::string action =
            hash == std::string::npos ? "" : request.soapAction.substr(hash + 1);
        if (action == "GetExternalIPAddress") {
            return {200, Envelope("<u:GetExternalIPAddressResponse " + u +
                                  "><NewExternalIPAddress>203.0.113.7</NewExternalIPAddress>"
                                  "</u:GetExternalIPAddressResponse>")};
        }
        if (action == "AddPortMapping") {
            const int code = add(request);
            if (code == 718) {
                return Fault(718, "ConflictInMappingEntry");
            }
            if (code == 725) {
                return Fault(725, "OnlyPermanentLeasesSupported");
            }
            return {200, Envelope("<u:AddPortMappingResponse " + u + "/>")};
        }
        if (action == "DeletePortMapping") {
            return {200, Envelope("<u:DeletePortMappingResponse " + u + "/>")};
        }
        return Fault(401, "Invalid Action");
    }
    RouterAccess Access() const {
        RouterAccess access;
        access.discover = false;
        access.descriptionUrl = server.Url("/rootDesc.xml");
        return access;
    }
    std::vector<std::string> Actions() const { return server.Actions(); }
    // The value of an argument of the n-th request.
    std::string Argument(std::size_t n, const std::string& name) const {
        const std::vector<HttpRequest> requests = server.Requests();
        if (n >= requests.size()) {
            return "?";
        }
        const std::string& body = requests[n].body;
        const auto start = body.find("<" + name + ">");
        const auto end = body.find("</" + name + ">");
        if (start == std::string::npos || end == std::string::npos) {
            return "?";
        }
        return body.substr(start + name.size() + 2, end - start - name.size() - 2);
    }
    // The index of the last request with this action.
    std::size_t Last(const std::string& action) const {
        const std::vector<HttpRequest> requests = server.Requests();
        for (std::size_t i = requests.size(); i-- > 0;) {
            if (requests[i].soapAction.find("#" + action) != std::string::npos) {
                return i;
            }
        }
        return requests.size();
    }
};

std::size_t Count(const std::vector<std::string>& actions, const std::string& action) {
    return static_cast<std::size_t>(std::count(actions.begin(), actions.end(), action));
}

// A mapping object with its renewal timer in the test's hand.
struct Mapping {
    ManualNetTimer* renewal = new ManualNetTimer;
    std::unique_ptr<PortMapping> mapping;
    std::vector<RouterAnswer> answers;
    explicit Mapping(const RouterAccess& access)
        : mapping(std::make_unique<PortMapping>(access, std::unique_ptr<NetTimer>(renewal))) {}
    void Open(int port) {
        mapping->Open(port, [this](const RouterAnswer& answer) { answers.push_back(answer); });
    }
    bool WaitAnswers(std::size_t n) {
        return PumpUntil([&] { return answers.size() >= n; });
    }
};

TEST(UpnpMappingTest, OpensRenewsAndRemovesThePort) {
    UpnpRouter router;
    ASSERT_TRUE(router.server.Bound());
    Mapping m(router.Access());
    m.Open(31415);
    ASSERT_TRUE(m.WaitAnswers(1));
    const RouterAnswer& first = m.answers.front();
    EXPECT_TRUE(first.ok) << first.problem;
    EXPECT_EQ(first.method, "UPnP");
    EXPECT_EQ(first.port, 31415);
    EXPECT_EQ(first.leaseSeconds, RouterClient::kLeaseSeconds);
    EXPECT_EQ(first.externalAddress, "203.0.113.7");
    const std::size_t add = router.Last("AddPortMapping");
    EXPECT_EQ(router.Argument(add, "NewExternalPort"), "31415");
    EXPECT_EQ(router.Argument(add, "NewInternalPort"), "31415");
    EXPECT_EQ(router.Argument(add, "NewInternalClient"), "127.0.0.1");
    EXPECT_EQ(router.Argument(add, "NewProtocol"), "TCP");
    EXPECT_EQ(router.Argument(add, "NewLeaseDuration"), "3600");
    // Renewed at half the lease; a renewal that goes through is no news.
    ASSERT_TRUE(m.renewal->running);
    EXPECT_EQ(m.renewal->starts.back(), 1800 * 1000);
    m.renewal->Fire();
    ASSERT_TRUE(PumpUntil([&] { return Count(router.Actions(), "AddPortMapping") == 2; }));
    ASSERT_TRUE(PumpUntil([&] { return m.renewal->running; }));
    EXPECT_EQ(m.answers.size(), 1U);

    m.mapping->Close();
    EXPECT_FALSE(m.renewal->running);
    ASSERT_TRUE(PumpUntil([&] { return Count(router.Actions(), "DeletePortMapping") == 1; }));
    const std::size_t del = router.Last("DeletePortMapping");
    EXPECT_EQ(router.Argument(del, "NewExternalPort"), "31415");
    EXPECT_EQ(router.Argument(del, "NewProtocol"), "TCP");
    m.mapping.reset(); // nothing left to remove
    EXPECT_EQ(Count(router.Actions(), "DeletePortMapping"), 1U);
}

TEST(UpnpMappingTest, RefusalsAndPermanentOnlyRouters) {
    struct Case {
        const char* name;
        std::vector<int> codes; // the answers to AddPortMapping in turn
        bool ok;
        int lease;
        std::string problem;
    };
    const Case cases[] = {
        {"only permanent leases: asked again without one", {725, 0}, true, 0, ""},
        {"the port belongs to another machine",
         {718},
         false,
         0,
         "the UPnP router refused (error 718 ConflictInMappingEntry)"},
    };
    for (const Case& c : cases) {
        UpnpRouter router;
        std::atomic<int> calls{0};
        router.add = [&c, &calls](const HttpRequest&) {
            const auto i = static_cast<std::size_t>(calls++);
            return i < c.codes.size() ? c.codes[i] : 0;
        };
        Mapping m(router.Access());
        m.Open(31415);
        ASSERT_TRUE(m.WaitAnswers(1)) << c.name;
        EXPECT_EQ(m.answers[0].ok, c.ok) << c.name;
        EXPECT_EQ(m.answers[0].leaseSeconds, c.lease) << c.name;
        EXPECT_EQ(m.answers[0].problem, c.problem) << c.name;
        EXPECT_EQ(calls.load(), static_cast<int>(c.codes.size())) << c.name;
        EXPECT_FALSE(m.renewal->running) << c.name << ": nothing to renew";
        if (c.ok) {
            EXPECT_EQ(router.Argument(router.Last("AddPortMapping"), "NewLeaseDuration"), "0");
        }
    }
}

TEST(UpnpMappingTest, TheMappingGoesWithTheObjectAndALateAnswerIsDropped) {
    UpnpRouter router;
    {
        Mapping m(router.Access());
        m.Open(31415);
        // Closed before the router answered: the answer never comes, and
        // the mapping made meanwhile is taken back.
        m.mapping->Close();
        PumpUntil([&] { return Count(router.Actions(), "DeletePortMapping") == 1; });
        EXPECT_TRUE(m.answers.empty());
        m.Open(31416);
        ASSERT_TRUE(m.WaitAnswers(1));
    } // destroyed while open: the removal is waited for
    const std::vector<std::string> actions = router.Actions();
    EXPECT_EQ(Count(actions, "AddPortMapping"), 2U);
    ASSERT_EQ(Count(actions, "DeletePortMapping"), 2U);
    EXPECT_EQ(router.Argument(router.Last("DeletePortMapping"), "NewExternalPort"), "31416");
}

TEST(UpnpMappingTest, TheRoutersPublicAddress) {
    UpnpRouter router;
    Mapping m(router.Access());
    std::optional<RouterAnswer> answer;
    m.mapping->AskAddress([&answer](const RouterAnswer& a) { answer = a; });
    ASSERT_TRUE(PumpUntil([&] { return answer.has_value(); }));
    EXPECT_TRUE(answer->ok);
    EXPECT_EQ(answer->externalAddress, "203.0.113.7");
    EXPECT_EQ(router.Actions(), std::vector<std::string>{"GetExternalIPAddress"});
}

// ---- a NAT-PMP gateway ----------------------------------------------------------------

// The protocol's port is fixed, so each test's gateway gets a loopback
// address of its own.
std::string GatewayAddress(int offset) {
    return "127.0." + std::to_string(1 + getpid() % 200) + "." + std::to_string(2 + offset);
}

std::string Be16(unsigned v) {
    return Bytes16(v);
}
std::string Be32(std::uint32_t v) {
    return Bytes16(v >> 16) + Bytes16(v & 0xFFFF);
}

// Answers the public-address request with 203.0.113.9 and mapping requests
// with `result` (0 granted), the public port `offer` (0: the one asked for)
// and `lifetime`.
std::uint32_t Get32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    }
    return value;
}

struct NatPmpGateway {
    std::atomic<int> result{0};
    std::atomic<unsigned> offer{0};
    std::uint32_t lifetime = 7200;
    std::string address;
    std::unique_ptr<ScriptedUdpServer> server;
    explicit NatPmpGateway(int offset) : address(GatewayAddress(offset)) {
        server = std::make_unique<ScriptedUdpServer>(
            [this](const std::string& request, int) -> std::optional<std::string> {
                if (request.size() == 2 && request[1] == 0) {
                    return Be16(128) + Be16(0) + Be32(1) + Be32(0xCB007109); // 203.0.113.9
                }
                if (request.size() != 12 || request[1] != 2) {
                    return std::nullopt;
                }
                const std::string inside = request.substr(4, 2);
                const std::uint32_t asked = Get32(request, 8);
                const std::string outside = offer != 0 ? Be16(offer) : request.substr(6, 2);
                return Be16(130) + Be16(static_cast<unsigned>(result)) + Be32(1) + inside +
                       outside + Be32(asked == 0 ? 0 : lifetime);
            },
            address.c_str(), 5351);
    }
    RouterAccess Access() const {
        RouterAccess access;
        access.discover = false;
        access.natPmpGateway = address;
        return access;
    }
    // The lifetimes of the mapping requests, in order.
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
    struct Case {
        const char* name;
        int result;
        unsigned offer;
        bool ok;
        std::string problem;
        std::vector<std::uint32_t> lifetimes; // of the requests made by Open
    };
    const Case cases[] = {
        {"granted", 0, 0, true, "", {3600}},
        {"not allowed", 2, 0, false, "the NAT-PMP router refused (not allowed)", {3600}},
        {"out of room", 4, 0, false, "the NAT-PMP router has no room for another mapping", {3600}},
        {"another port offered: taken back",
         0,
         40000,
         false,
         "the NAT-PMP router offered port 40000 instead",
         {3600, 0}},
    };
    int offset = 0;
    for (const Case& c : cases) {
        NatPmpGateway gateway(offset++);
        ASSERT_TRUE(gateway.server->Bound()) << gateway.address;
        gateway.result = c.result;
        gateway.offer = c.offer;
        Mapping m(gateway.Access());
        m.Open(31415);
        ASSERT_TRUE(m.WaitAnswers(1)) << c.name;
        const RouterAnswer& answer = m.answers[0];
        EXPECT_EQ(answer.ok, c.ok) << c.name;
        EXPECT_EQ(answer.problem, c.problem) << c.name;
        // The gateway counts a request once its answer went out.
        PumpUntil([&] { return gateway.Lifetimes().size() >= c.lifetimes.size(); });
        EXPECT_EQ(gateway.Lifetimes(), c.lifetimes) << c.name;
        if (c.ok) {
            EXPECT_EQ(answer.method, "NAT-PMP");
            EXPECT_EQ(answer.externalAddress, "203.0.113.9");
            EXPECT_EQ(answer.leaseSeconds, 7200); // as granted, not as asked
            EXPECT_EQ(m.renewal->starts.back(), 3600 * 1000);
            m.mapping->Close();
            ASSERT_TRUE(PumpUntil([&] { return gateway.Lifetimes().size() == 2; }));
            EXPECT_EQ(gateway.Lifetimes().back(), 0U) << "lifetime 0 removes the mapping";
        }
    }
}

TEST(NatPmpMappingTest, NoRouterAtAllIsAHintNotAnError) {
    // Nobody at the gateway's port, and no UPnP device to try.
    RouterAccess access;
    access.discover = false;
    access.natPmpGateway = GatewayAddress(10);
    Mapping m(access);
    m.Open(31415);
    ASSERT_TRUE(m.WaitAnswers(1));
    EXPECT_FALSE(m.answers[0].ok);
    EXPECT_EQ(m.answers[0].problem, RouterClient::kNoRouter);
    std::optional<RouterAnswer> address;
    m.mapping->AskAddress([&address](const RouterAnswer& a) { address = a; });
    ASSERT_TRUE(PumpUntil([&] { return address.has_value(); }));
    EXPECT_FALSE(address->ok);
}

TEST(NatPmpMappingTest, TheRenewalThatFailsIsReported) {
    NatPmpGateway gateway(20);
    Mapping m(gateway.Access());
    m.Open(31415);
    ASSERT_TRUE(m.WaitAnswers(1));
    ASSERT_TRUE(m.answers[0].ok);
    gateway.result = 3; // the router lost its Internet connection meanwhile
    m.renewal->Fire();
    ASSERT_TRUE(m.WaitAnswers(2));
    EXPECT_FALSE(m.answers[1].ok);
    EXPECT_EQ(m.answers[1].problem, "the NAT-PMP router has no Internet connection");
    EXPECT_FALSE(m.renewal->running);
}

} // namespace
} // namespace varenta::testing

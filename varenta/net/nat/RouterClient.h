// Asking the home router to forward the game port to this machine, and to
// tell its public address: UPnP IGD first (found by discovery on the local
// network, or at a given device description), NAT-PMP at the default gateway
// second. Over IPv6 nothing is translated, but the router's firewall keeps
// partners out: a pinhole for the port is asked of its UPnP IGD's IPv6
// firewall control. Every call blocks until the router answered or gave up; the port
// mapping (RouterPortMapping) runs them away from the window's thread.
#pragma once

#include <optional>
#include <string>

namespace varenta {

// Where the router is looked for.
struct RouterAccess {
    // Look on the local network: UPnP discovery by multicast, NAT-PMP at the
    // gateway of the default route.
    bool discover = true;
    int discoveryMs = 2000;
    // A UPnP device description to use instead of discovery (and the only
    // UPnP device tried when set).
    std::string descriptionUrl;
    // A dotted IPv4 address to ask over NAT-PMP instead of the default
    // route's gateway (and the only NAT-PMP gateway tried when set).
    std::string natPmpGateway;
    // How long NAT-PMP requests are repeated before the router counts as
    // silent.
    int natPmpGiveUpMs = 2000;
};

// What the router answered.
struct RouterAnswer {
    bool ok = false;
    std::string method;          // "UPnP" or "NAT-PMP"
    int port = 0;                // the mapped port, outside and inside
    int leaseSeconds = 0;        // 0: the mapping stays until removed
    std::string externalAddress; // the router's public address, when it told it
    std::string problem;         // why not, for a hint line
    bool answered = false;       // a router answered at all (perhaps with a refusal)
};

class RouterClient {
public:
    static constexpr int kLeaseSeconds = 3600;
    static constexpr const char* kDescription = "Varenta";
    static constexpr const char* kNoRouter = "no router answered (neither UPnP nor NAT-PMP)";

    explicit RouterClient(RouterAccess access) : access_(std::move(access)) {}

    // Forwards TCP port `port` of the router to the same port here.
    RouterAnswer Map(int port);
    // Removes the mapping Map made (nothing when there is none); whether the
    // router took the removal.
    bool Unmap();
    // Lets TCP connections from anywhere through the router's IPv6 firewall
    // to port `port` of `address` (this machine's global IPv6 address), for
    // kLeaseSeconds; asked again, renews the lease. A router whose firewall
    // is off answers ok with nothing to open.
    RouterAnswer OpenPinhole(const std::string& address, int port);
    // Closes the pinhole OpenPinhole made; whether the router took it.
    bool ClosePinhole();
    // The router's public address (ok false when no router tells one).
    RouterAnswer ExternalAddress();
    const std::optional<RouterAnswer>& Current() const { return current_; }

private:
    struct Igd;
    struct Pinhole {
        std::string address;
        int port = 0;
        std::string id; // the router's name for it
    };
    bool FindIgd(Igd& igd, std::string& problem);
    // The router with IPv6 firewall control, found over IPv6: it opens
    // pinholes only for the address that asks.
    bool FindFirewallIgd(Igd& igd, std::string& problem);
    RouterAnswer MapUpnp(Igd& igd, int port);
    RouterAnswer MapNatPmp(int port, int lifetime);
    bool NatPmpGateway(unsigned& gateway, std::string& problem) const;

    RouterAccess access_;
    std::string foundDescription_;  // the device that answered discovery
    std::string foundDescription6_; // the one that answered it over IPv6
    std::optional<RouterAnswer> current_;
    std::optional<Pinhole> pinhole_;
};

} // namespace varenta

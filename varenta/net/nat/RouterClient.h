// Asking the home router to forward the game port to this machine, and to
// tell its public address: UPnP IGD first (found by discovery on the local
// network, or at a given device description), NAT-PMP at the default gateway
// second. Over IPv6 nothing is translated, but the router's firewall keeps
// partners out: a pinhole for the port is asked of its UPnP IGD's IPv6
// firewall control. Every call blocks until the router answered or gave up; the port
// mapping (RouterPortMapping) runs them away from the window's thread.
#pragma once

#include <QtGlobal>

#include <optional>
#include <string>
#include <string_view>

namespace varenta {

// Why the router did not do what was asked, for a hint line; the window
// translates them where they show up inside its longer messages. A number
// follows the pieces that end in a space.
namespace texts {
inline constexpr std::string_view kUpnpSilent =
    QT_TRANSLATE_NOOP("varenta", "the UPnP router did not answer");
inline constexpr std::string_view kUpnpNotAsked = QT_TRANSLATE_NOOP("varenta", "no UPnP router");
inline constexpr std::string_view kUpnpNobody =
    QT_TRANSLATE_NOOP("varenta", "no UPnP router answered");
inline constexpr std::string_view kUpnpNobodyIPv6 =
    QT_TRANSLATE_NOOP("varenta", "no UPnP router answered over IPv6");
inline constexpr std::string_view kUpnpOffline =
    QT_TRANSLATE_NOOP("varenta", "the UPnP router reports no Internet connection");
inline constexpr std::string_view kUpnpNoFirewallControl =
    QT_TRANSLATE_NOOP("varenta", "the UPnP router has no IPv6 firewall control");
inline constexpr std::string_view kUpnpFirewallShut =
    QT_TRANSLATE_NOOP("varenta", "the UPnP router lets no connection through its IPv6 firewall");
// Followed by the code, the library's name for it and ")".
inline constexpr std::string_view kUpnpRefused =
    QT_TRANSLATE_NOOP("varenta", "the UPnP router refused (error ");
inline constexpr std::string_view kNoIPv6Address =
    QT_TRANSLATE_NOOP("varenta", "no IPv6 address to open the firewall for");
inline constexpr std::string_view kNatPmpNoGateway =
    QT_TRANSLATE_NOOP("varenta", "no gateway to ask over NAT-PMP");
inline constexpr std::string_view kNatPmpNobody =
    QT_TRANSLATE_NOOP("varenta", "no NAT-PMP router answered");
inline constexpr std::string_view kNatPmpNotAllowed =
    QT_TRANSLATE_NOOP("varenta", "the NAT-PMP router refused (not allowed)");
inline constexpr std::string_view kNatPmpOffline =
    QT_TRANSLATE_NOOP("varenta", "the NAT-PMP router has no Internet connection");
inline constexpr std::string_view kNatPmpFull =
    QT_TRANSLATE_NOOP("varenta", "the NAT-PMP router has no room for another mapping");
inline constexpr std::string_view kNatPmpNoMapping =
    QT_TRANSLATE_NOOP("varenta", "the NAT-PMP router does not support port mapping");
inline constexpr std::string_view kNatPmpError = QT_TRANSLATE_NOOP("varenta", "NAT-PMP error ");
inline constexpr std::string_view kNatPmpBadGateway =
    QT_TRANSLATE_NOOP("varenta", "the NAT-PMP gateway address is not usable");
inline constexpr std::string_view kNatPmpNotAsked =
    QT_TRANSLATE_NOOP("varenta", "no NAT-PMP router");
inline constexpr std::string_view kNatPmpMismatch =
    QT_TRANSLATE_NOOP("varenta", "the NAT-PMP router's answer does not fit the request");
inline constexpr std::string_view kNatPmpOtherPort[2] = {
    QT_TRANSLATE_NOOP("varenta", "the NAT-PMP router offered port "),
    QT_TRANSLATE_NOOP("varenta", " instead")};
} // namespace texts

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
    static constexpr const char* kNoRouter =
        QT_TRANSLATE_NOOP("varenta", "no router answered (neither UPnP nor NAT-PMP)");

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

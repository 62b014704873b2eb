#include "varenta/net/nat/RouterClient.h"

#include <arpa/inet.h>
#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>
#include <miniupnpc/upnperrors.h>
#include <natpmp.h>
#include <poll.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>

namespace varenta {

namespace {

constexpr const char* kUpnp = "UPnP";
constexpr const char* kNatPmp = "NAT-PMP";
// The router's answer to a lease it cannot give: only permanent mappings.
constexpr int kOnlyPermanentLeases = 725;

std::string NatPmpProblem(int code) {
    switch (code) {
    case NATPMP_ERR_CANNOTGETGATEWAY:
        return std::string(texts::kNatPmpNoGateway);
    case NATPMP_ERR_NOGATEWAYSUPPORT:
    case NATPMP_TRYAGAIN:
    case NATPMP_ERR_RECVFROM:
        return std::string(texts::kNatPmpNobody);
    case NATPMP_ERR_NOTAUTHORIZED:
        return std::string(texts::kNatPmpNotAllowed);
    case NATPMP_ERR_NETWORKFAILURE:
        return std::string(texts::kNatPmpOffline);
    case NATPMP_ERR_OUTOFRESOURCES:
        return std::string(texts::kNatPmpFull);
    case NATPMP_ERR_UNSUPPORTEDVERSION:
    case NATPMP_ERR_UNSUPPORTEDOPCODE:
        return std::string(texts::kNatPmpNoMapping);
    default:
        return std::string(texts::kNatPmpError) + std::to_string(-code);
    }
}

// Codes that mean no NAT-PMP router is there at all.
bool NobodyAnswered(int code) {
    return code == NATPMP_ERR_CANNOTGETGATEWAY || code == NATPMP_ERR_NOGATEWAYSUPPORT ||
           code == NATPMP_TRYAGAIN || code == NATPMP_ERR_RECVFROM ||
           code == NATPMP_ERR_SOCKETERROR || code == NATPMP_ERR_CONNECTERR;
}

std::string UpnpProblem(int code) {
    const char* text = strupnperror(code);
    return std::string(texts::kUpnpRefused) + std::to_string(code) +
           (text != nullptr ? std::string(" ") + text : std::string()) + ")";
}

// Waits for the answer to the request just sent, repeating it as the
// library schedules, at most giveUpMs in all.
int NatPmpAnswer(natpmp_t& session, natpmpresp_t& response, int giveUpMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(giveUpMs);
    for (;;) {
        const int result = readnatpmpresponseorretry(&session, &response);
        if (result != NATPMP_TRYAGAIN) {
            return result;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              end - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            return NATPMP_TRYAGAIN;
        }
        timeval retry{};
        getnatpmprequesttimeout(&session, &retry);
        const long long retryMs =
            static_cast<long long>(retry.tv_sec) * 1000 + retry.tv_usec / 1000;
        pollfd wait{session.s, POLLIN, 0};
        poll(&wait, 1, static_cast<int>(std::clamp<long long>(retryMs, 1, left)));
    }
}

} // namespace

struct RouterClient::Igd {
    UPNPUrls urls{};
    IGDdatas data{};
    std::array<char, 64> lan{};
    Igd() = default;
    Igd(const Igd&) = delete;
    Igd& operator=(const Igd&) = delete;
    ~Igd() { FreeUPNPUrls(&urls); }
};

bool RouterClient::FindIgd(Igd& igd, std::string& problem) {
    const std::string known =
        !access_.descriptionUrl.empty() ? access_.descriptionUrl : foundDescription_;
    if (!known.empty()) {
        if (UPNP_GetIGDFromUrl(known.c_str(), &igd.urls, &igd.data, igd.lan.data(),
                               static_cast<int>(igd.lan.size())) == 1 &&
            igd.urls.controlURL != nullptr && igd.data.first.servicetype[0] != '\0') {
            return true;
        }
        FreeUPNPUrls(&igd.urls);
        igd.urls = {};
        problem = texts::kUpnpSilent;
        if (!access_.descriptionUrl.empty()) {
            return false;
        }
        foundDescription_.clear(); // it may have moved: look again
    }
    if (!access_.discover) {
        problem = texts::kUpnpNotAsked;
        return false;
    }
    int error = 0;
    UPNPDev* devices =
        upnpDiscover(access_.discoveryMs, nullptr, nullptr, UPNP_LOCAL_PORT_ANY, 0, 2, &error);
    if (devices == nullptr) {
        problem = texts::kUpnpNobody;
        return false;
    }
    const int found = UPNP_GetValidIGD(devices, &igd.urls, &igd.data, igd.lan.data(),
                                       static_cast<int>(igd.lan.size()));
    freeUPNPDevlist(devices);
    if (found == 1) {
        if (igd.urls.rootdescURL != nullptr) {
            foundDescription_ = igd.urls.rootdescURL;
        }
        return true;
    }
    problem = found == 2 ? texts::kUpnpOffline : texts::kUpnpNobody;
    return false;
}

bool RouterClient::FindFirewallIgd(Igd& igd, std::string& problem) {
    const std::string known =
        !access_.descriptionUrl.empty() ? access_.descriptionUrl : foundDescription6_;
    bool found = false;
    if (!known.empty()) {
        found = UPNP_GetIGDFromUrl(known.c_str(), &igd.urls, &igd.data, igd.lan.data(),
                                   static_cast<int>(igd.lan.size())) == 1;
        if (!found) {
            FreeUPNPUrls(&igd.urls);
            igd.urls = {};
            problem = texts::kUpnpSilent;
            if (!access_.descriptionUrl.empty()) {
                return false;
            }
            foundDescription6_.clear();
        }
    }
    if (!found) {
        if (!access_.discover) {
            problem = texts::kUpnpNotAsked;
            return false;
        }
        int error = 0;
        UPNPDev* devices =
            upnpDiscover(access_.discoveryMs, nullptr, nullptr, UPNP_LOCAL_PORT_ANY, 1, 2, &error);
        if (devices == nullptr) {
            problem = texts::kUpnpNobodyIPv6;
            return false;
        }
        // Whether the router's IPv4 side counts as connected is of no matter
        // to its IPv6 firewall.
        const int valid = UPNP_GetValidIGD(devices, &igd.urls, &igd.data, igd.lan.data(),
                                           static_cast<int>(igd.lan.size()));
        freeUPNPDevlist(devices);
        if (valid != 1 && valid != 2) {
            problem = texts::kUpnpNobodyIPv6;
            return false;
        }
        if (igd.urls.rootdescURL != nullptr) {
            foundDescription6_ = igd.urls.rootdescURL;
        }
    }
    if (igd.urls.controlURL_6FC == nullptr || igd.data.IPv6FC.servicetype[0] == '\0') {
        problem = texts::kUpnpNoFirewallControl;
        return false;
    }
    return true;
}

RouterAnswer RouterClient::OpenPinhole(const std::string& address, int port) {
    RouterAnswer answer;
    answer.method = kUpnp;
    answer.port = port;
    answer.externalAddress = address; // reachable as it is: nothing is translated
    in6_addr parsed{};
    if (inet_pton(AF_INET6, address.c_str(), &parsed) != 1) {
        answer.problem = texts::kNoIPv6Address;
        return answer;
    }
    if (pinhole_ && (pinhole_->address != address || pinhole_->port != port)) {
        ClosePinhole();
    }
    Igd igd;
    if (!FindFirewallIgd(igd, answer.problem)) {
        return answer;
    }
    answer.answered = true;
    const char* control = igd.urls.controlURL_6FC;
    const char* service = igd.data.IPv6FC.servicetype;
    int enabled = 1;
    int inboundAllowed = 1;
    int result = UPNP_GetFirewallStatus(control, service, &enabled, &inboundAllowed);
    if (result == UPNPCOMMAND_SUCCESS && enabled == 0) {
        answer.ok = true; // nothing blocks the port
        return answer;
    }
    if (result == UPNPCOMMAND_SUCCESS && inboundAllowed == 0) {
        answer.problem = texts::kUpnpFirewallShut;
        return answer;
    }
    const std::string lease = std::to_string(kLeaseSeconds);
    // A lease kept alive is renewed; one the router forgot is asked for again.
    if (pinhole_ && UPNP_UpdatePinhole(control, service, pinhole_->id.c_str(), lease.c_str()) ==
                        UPNPCOMMAND_SUCCESS) {
        answer.ok = true;
        answer.leaseSeconds = kLeaseSeconds;
        return answer;
    }
    pinhole_.reset();
    std::array<char, 8> id{};
    result = UPNP_AddPinhole(control, service, "", "0", address.c_str(),
                             std::to_string(port).c_str(), "6", lease.c_str(), id.data());
    if (result != UPNPCOMMAND_SUCCESS) {
        answer.problem = UpnpProblem(result);
        return answer;
    }
    pinhole_ = Pinhole{address, port, std::string(id.data(), strnlen(id.data(), id.size()))};
    answer.ok = true;
    answer.leaseSeconds = kLeaseSeconds;
    return answer;
}

bool RouterClient::ClosePinhole() {
    if (!pinhole_) {
        return false;
    }
    const Pinhole pinhole = *pinhole_;
    pinhole_.reset();
    Igd igd;
    std::string problem;
    if (!FindFirewallIgd(igd, problem)) {
        return false;
    }
    return UPNP_DeletePinhole(igd.urls.controlURL_6FC, igd.data.IPv6FC.servicetype,
                              pinhole.id.c_str()) == UPNPCOMMAND_SUCCESS;
}

RouterAnswer RouterClient::MapUpnp(Igd& igd, int port) {
    RouterAnswer answer;
    answer.method = kUpnp;
    answer.port = port;
    const std::string text = std::to_string(port);
    const char* control = igd.urls.controlURL;
    const char* service = igd.data.first.servicetype;
    answer.leaseSeconds = kLeaseSeconds;
    int result =
        UPNP_AddPortMapping(control, service, text.c_str(), text.c_str(), igd.lan.data(),
                            kDescription, "TCP", nullptr, std::to_string(kLeaseSeconds).c_str());
    if (result == kOnlyPermanentLeases) {
        answer.leaseSeconds = 0;
        result = UPNP_AddPortMapping(control, service, text.c_str(), text.c_str(), igd.lan.data(),
                                     kDescription, "TCP", nullptr, "0");
    }
    if (result != UPNPCOMMAND_SUCCESS) {
        answer.leaseSeconds = 0;
        answer.problem = UpnpProblem(result);
        return answer;
    }
    answer.ok = true;
    std::array<char, 64> external{};
    if (UPNP_GetExternalIPAddress(control, service, external.data()) == UPNPCOMMAND_SUCCESS) {
        answer.externalAddress = external.data();
    }
    return answer;
}

bool RouterClient::NatPmpGateway(unsigned& gateway, std::string& problem) const {
    gateway = 0;
    if (!access_.natPmpGateway.empty()) {
        in_addr address{};
        if (inet_pton(AF_INET, access_.natPmpGateway.c_str(), &address) != 1) {
            problem = texts::kNatPmpBadGateway;
            return false;
        }
        gateway = address.s_addr;
        return true;
    }
    if (!access_.discover) {
        problem = texts::kNatPmpNotAsked;
        return false;
    }
    return true; // the library finds the default route's gateway
}

RouterAnswer RouterClient::MapNatPmp(int port, int lifetime) {
    RouterAnswer answer;
    answer.method = kNatPmp;
    answer.port = port;
    unsigned gateway = 0;
    if (!NatPmpGateway(gateway, answer.problem)) {
        return answer;
    }
    natpmp_t session{};
    int result = initnatpmp(&session, gateway != 0 ? 1 : 0, gateway);
    if (result < 0) {
        answer.problem = NatPmpProblem(result);
        return answer;
    }
    natpmpresp_t response{};
    if (lifetime > 0 && sendpublicaddressrequest(&session) >= 0 &&
        NatPmpAnswer(session, response, access_.natPmpGiveUpMs) == 0 &&
        response.type == NATPMP_RESPTYPE_PUBLICADDRESS) {
        std::array<char, INET_ADDRSTRLEN> text{};
        if (inet_ntop(AF_INET, &response.pnu.publicaddress.addr, text.data(), text.size()) !=
            nullptr) {
            answer.externalAddress = text.data();
        }
    }
    const auto wanted = static_cast<std::uint16_t>(port);
    result =
        sendnewportmappingrequest(&session, NATPMP_PROTOCOL_TCP, wanted, lifetime > 0 ? wanted : 0,
                                  static_cast<std::uint32_t>(lifetime));
    if (result >= 0) {
        result = NatPmpAnswer(session, response, access_.natPmpGiveUpMs);
    }
    closenatpmp(&session);
    answer.answered = result >= 0 || !NobodyAnswered(result);
    if (result < 0) {
        answer.problem = NatPmpProblem(result);
        return answer;
    }
    if (response.type != NATPMP_RESPTYPE_TCPPORTMAPPING ||
        response.pnu.newportmapping.privateport != wanted) {
        answer.problem = texts::kNatPmpMismatch;
        return answer;
    }
    if (lifetime > 0 && response.pnu.newportmapping.mappedpublicport != wanted) {
        // Partners always call the game's own port; another one is of no use.
        answer.problem = std::string(texts::kNatPmpOtherPort[0]) +
                         std::to_string(response.pnu.newportmapping.mappedpublicport) +
                         std::string(texts::kNatPmpOtherPort[1]);
        MapNatPmp(port, 0); // take the useless mapping back
        return answer;
    }
    answer.ok = true;
    answer.leaseSeconds =
        static_cast<int>(std::min<std::uint32_t>(response.pnu.newportmapping.lifetime, 0x7FFFFFFF));
    return answer;
}

RouterAnswer RouterClient::Map(int port) {
    if (current_ && current_->port != port) {
        Unmap();
    }
    std::optional<RouterAnswer> upnp;
    if (!current_ || current_->method == kUpnp) {
        Igd igd;
        std::string problem;
        if (FindIgd(igd, problem)) {
            upnp = MapUpnp(igd, port);
            upnp->answered = true;
            if (upnp->ok) {
                current_ = upnp;
                return *upnp;
            }
        }
    }
    RouterAnswer answer = MapNatPmp(port, kLeaseSeconds);
    if (answer.ok) {
        current_ = answer;
        return answer;
    }
    // The router that answered says why; a refusal over UPnP counts more
    // than a silent NAT-PMP.
    if (answer.answered) {
        return answer;
    }
    if (upnp) {
        return *upnp;
    }
    answer.method.clear();
    answer.problem = kNoRouter;
    return answer;
}

bool RouterClient::Unmap() {
    if (!current_) {
        return false;
    }
    const RouterAnswer mapping = *current_;
    current_.reset();
    if (mapping.method == kUpnp) {
        Igd igd;
        std::string problem;
        if (!FindIgd(igd, problem)) {
            return false;
        }
        const std::string text = std::to_string(mapping.port);
        return UPNP_DeletePortMapping(igd.urls.controlURL, igd.data.first.servicetype, text.c_str(),
                                      "TCP", nullptr) == UPNPCOMMAND_SUCCESS;
    }
    return MapNatPmp(mapping.port, 0).ok;
}

RouterAnswer RouterClient::ExternalAddress() {
    RouterAnswer answer;
    Igd igd;
    std::string problem;
    if (FindIgd(igd, problem)) {
        std::array<char, 64> external{};
        answer.method = kUpnp;
        answer.answered = true;
        const int result = UPNP_GetExternalIPAddress(igd.urls.controlURL,
                                                     igd.data.first.servicetype, external.data());
        answer.ok = result == UPNPCOMMAND_SUCCESS && external[0] != '\0';
        if (answer.ok) {
            answer.externalAddress = external.data();
            return answer;
        }
        answer.problem = UpnpProblem(result);
        return answer;
    }
    answer.method = kNatPmp;
    answer.problem = kNoRouter;
    unsigned gateway = 0;
    if (!NatPmpGateway(gateway, problem)) {
        return answer;
    }
    natpmp_t session{};
    int result = initnatpmp(&session, gateway != 0 ? 1 : 0, gateway);
    natpmpresp_t response{};
    if (result >= 0) {
        result = sendpublicaddressrequest(&session);
        if (result >= 0) {
            result = NatPmpAnswer(session, response, access_.natPmpGiveUpMs);
        }
        closenatpmp(&session);
    }
    if (result < 0 || response.type != NATPMP_RESPTYPE_PUBLICADDRESS) {
        answer.answered = result >= 0 || !NobodyAnswered(result);
        if (answer.answered) {
            answer.problem = NatPmpProblem(result);
        }
        return answer;
    }
    answer.answered = true;
    std::array<char, INET_ADDRSTRLEN> text{};
    if (inet_ntop(AF_INET, &response.pnu.publicaddress.addr, text.data(), text.size()) != nullptr) {
        answer.ok = true;
        answer.externalAddress = text.data();
    }
    return answer;
}

} // namespace varenta

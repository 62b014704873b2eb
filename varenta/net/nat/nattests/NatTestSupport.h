// What the nat tests share: servers on threads of their own (the router
// calls under test block on them), a UDP one answering as the test's script
// says and an HTTP one playing a router's UPnP device; STUN answers as
// servers of every age send them; a timer the test fires by hand.
#pragma once

#include "varenta/net/nat/RouterClient.h"
#include "varenta/net/nat/StunMessage.h"
#include "varenta/net/socket/NetTimer.h"
#include "varenta/net/socket/testing/ManualNetTimer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace varenta::testing {

// Runs the event loop until done, with a ticking timer so that something
// that never happens fails after a bounded number of rounds.
inline bool PumpUntil(const std::function<bool()>& done) {
    QTimer tick;
    tick.start(5);
    for (int round = 0; round < 4000 && !done(); ++round) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return done();
}

// A server socket on 127.x.y.z and a thread answering on it; each request
// is recorded after its answer went out. answer(request, index) gives the
// bytes to send back (nothing: the request is dropped).
class ScriptedServer {
public:
    using Answer = std::function<std::optional<std::string>(const std::string&, int)>;
    ScriptedServer(int type, Answer answer, const char* ip = "127.0.0.1", int port = 0)
        : answer_(std::move(answer)), type_(type) {
        fd_ = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        inet_pton(AF_INET, ip, &address.sin_addr);
        socklen_t length = sizeof address;
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            (type == SOCK_STREAM && ::listen(fd_, 8) != 0)) {
            return;
        }
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Run(); });
    }
    ~ScriptedServer() {
        if (thread_.joinable()) {
            const std::uint64_t one = 1;
            (void)!::write(stop_, &one, sizeof one);
            thread_.join();
        }
        ::close(fd_);
        ::close(stop_);
    }
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;
    int Port() const { return port_; }
    bool Bound() const { return port_ != 0; }
    std::vector<std::string> Requests() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }
    int Count() const { return static_cast<int>(Requests().size()); }
    std::string Url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    void Run() {
        std::array<pollfd, 2> wait{{{fd_, POLLIN, 0}, {stop_, POLLIN, 0}}};
        while (::poll(wait.data(), wait.size(), -1) > 0 && (wait[1].revents & POLLIN) == 0) {
            if (type_ == SOCK_DGRAM) {
                Datagram();
            } else {
                Connection();
            }
        }
    }
    void Datagram() {
        std::array<char, 1500> buffer{};
        sockaddr_in from{};
        socklen_t length = sizeof from;
        const auto got = ::recvfrom(fd_, buffer.data(), buffer.size(), 0,
                                    reinterpret_cast<sockaddr*>(&from), &length);
        const std::string request(buffer.data(), static_cast<std::size_t>(std::max<long>(got, 0)));
        if (const auto reply = answer_(request, Count())) {
            ::sendto(fd_, reply->data(), reply->size(), 0, reinterpret_cast<sockaddr*>(&from),
                     length);
        }
        Record(request);
    }
    // One HTTP request per connection: head, then Content-Length bytes.
    void Connection() {
        const int client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
        timeval limit{5, 0};
        setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        std::string request;
        std::array<char, 4096> buffer{};
        for (std::size_t end = std::string::npos;;) {
            const auto got = ::recv(client, buffer.data(), buffer.size(), 0);
            if (got <= 0) {
                break;
            }
            request.append(buffer.data(), static_cast<std::size_t>(got));
            const auto head = request.find("\r\n\r\n");
            const auto length = request.find("Content-Length:");
            if (head != std::string::npos) {
                end = head + 4 + (length < head ? std::stoul(request.substr(length + 15)) : 0);
            }
            if (request.size() >= end) {
                break;
            }
        }
        Record(request);
        const std::string body = answer_(request, 0).value_or("");
        const bool fault = body.find("<s:Fault>") != std::string::npos;
        const std::string reply =
            std::string("HTTP/1.1 ") + (fault ? "500 Error" : "200 OK") +
            "\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(body.size()) +
            "\r\nConnection: close\r\n\r\n" + body;
        ::send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
        ::close(client);
    }
    void Record(const std::string& request) {
        const std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
    }

    Answer answer_;
    int type_;
    int fd_ = -1;
    int stop_ = eventfd(0, EFD_CLOEXEC);
    int port_ = 0;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// ---- a UPnP router ---------------------------------------------------------------

inline std::string Soap(const std::string& body) {
    return R"(<?xml version="1.0"?><s:Envelope xmlns:s="http://schemas.xmlsoap.org/soap/envelope/">)"
           R"(<s:Body>)" +
           body + "</s:Body></s:Envelope>";
}

// Plays a router's description, its public address 203.0.113.7 and port
// mappings: AddPortMapping answered with add(request) (0: accepted, else a
// UPnP error code), DeletePortMapping accepted. With firewallControl (IGD
// v2) it also keeps IPv6 pinholes: the firewall's state as the two flags
// say, AddPinhole answered with pinhole(request) (accepted as the pinhole
// named 7), UpdatePinhole with update(request), DeletePinhole accepted.
struct UpnpRouter {
    std::function<int(const std::string&)> add = [](const std::string&) { return 0; };
    std::function<int(const std::string&)> pinhole = [](const std::string&) { return 0; };
    std::function<int(const std::string&)> update = [](const std::string&) { return 0; };
    bool firewallControl = true;
    bool firewallEnabled = true;
    bool inboundAllowed = true;
    ScriptedServer server{SOCK_STREAM, [this](const std::string& request, int) {
                              return std::optional<std::string>(Answer(request));
                          }};

    std::string Answer(const std::string& request) const {
        if (request.rfind("GET /rootDesc.xml", 0) == 0) {
            const std::string firewall =
                firewallControl
                    ? "<service><serviceType>urn:schemas-upnp-org:service:WANIPv6Firewall"
                      "Control:1</serviceType><serviceId>urn:upnp-org:serviceId:WANIPv6Firewall"
                      "Control1</serviceId><controlURL>/ctl/IP6FCtl</controlURL><eventSubURL>"
                      "/evt/IP6FCtl</eventSubURL><SCPDURL>/WANIP6FC.xml</SCPDURL></service>"
                    : "";
            return "<?xml version=\"1.0\"?><root xmlns=\"urn:schemas-upnp-org:device-1-0\"><device>"
                   "<deviceType>urn:schemas-upnp-org:device:InternetGatewayDevice:1</deviceType>"
                   "<deviceList><device><deviceType>urn:schemas-upnp-org:device:WANDevice:1"
                   "</deviceType><deviceList><device><deviceType>urn:schemas-upnp-org:device:"
                   "WANConnectionDevice:1</deviceType><serviceList><service><serviceType>urn:"
                   "schemas-upnp-org:service:WANIPConnection:1</serviceType><serviceId>urn:upnp-"
                   "org:serviceId:WANIPConn1</serviceId><controlURL>/ctl/IPConn</controlURL>"
                   "<eventSubURL>/evt/IPConn</eventSubURL><SCPDURL>/WANIPCn.xml</SCPDURL>"
                   "</service>" +
                   firewall +
                   "</serviceList></device></deviceList></device></deviceList>"
                   "</device></root>";
        }
        const int code = Is(request, "AddPortMapping")  ? add(request)
                         : Is(request, "AddPinhole")    ? pinhole(request)
                         : Is(request, "UpdatePinhole") ? update(request)
                                                        : 0;
        if (code != 0) {
            return Soap("<s:Fault><faultcode>s:Client</faultcode><faultstring>UPnPError"
                        "</faultstring><detail><UPnPError><errorCode>" +
                        std::to_string(code) + "</errorCode></UPnPError></detail></s:Fault>");
        }
        return Soap("<u:Response><NewExternalIPAddress>203.0.113.7</NewExternalIPAddress>"
                    "<FirewallEnabled>" +
                    std::string(firewallEnabled ? "1" : "0") +
                    "</FirewallEnabled><InboundPinholeAllowed>" + (inboundAllowed ? "1" : "0") +
                    "</InboundPinholeAllowed><UniqueID>7</UniqueID></u:Response>");
    }
    static bool Is(const std::string& request, const std::string& action) {
        return request.find("#" + action + "\"") != std::string::npos;
    }
    // The requests with this SOAP action, in order.
    std::vector<std::string> With(const std::string& action) const {
        std::vector<std::string> found;
        for (const std::string& request : server.Requests()) {
            if (Is(request, action)) {
                found.push_back(request);
            }
        }
        return found;
    }
    static std::string Argument(const std::string& request, const std::string& name) {
        const auto start = request.find("<" + name + ">");
        const auto end = request.find("</" + name + ">");
        return start < end && end != std::string::npos
                   ? request.substr(start + name.size() + 2, end - start - name.size() - 2)
                   : "?";
    }
    RouterAccess Access() const {
        RouterAccess access;
        access.discover = false;
        access.descriptionUrl = server.Url("/rootDesc.xml");
        return access;
    }
};

// ---- STUN answers ----------------------------------------------------------------

inline std::string Bytes16(unsigned value) {
    return {static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)};
}

inline std::string Attribute(unsigned type, const std::string& value) {
    std::string out = Bytes16(type) + Bytes16(static_cast<unsigned>(value.size())) + value;
    return out.append((4 - value.size() % 4) % 4, '\0');
}

// An address attribute for `request`: XOR-ed with its cookie and id (type
// 0x0020, or the draft's 0x8020), or plain (0x0001).
inline std::string AddressAttribute(unsigned type, const std::string& request,
                                    const std::string& ip, int port) {
    const bool v6 = ip.find(':') != std::string::npos;
    std::string raw(16, '\0');
    inet_pton(v6 ? AF_INET6 : AF_INET, ip.c_str(), raw.data());
    raw.resize(v6 ? 16 : 4);
    auto p = static_cast<unsigned>(port);
    if (type != 0x0001) {
        p ^= 0x2112;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            raw[i] = static_cast<char>(raw[i] ^ request[4 + i]);
        }
    }
    return Attribute(type, std::string("\0", 1) + (v6 ? '\x02' : '\x01') + Bytes16(p) + raw);
}

inline std::string XorMapped(const std::string& request, const std::string& ip, int port) {
    return AddressAttribute(0x0020, request, ip, port);
}

// A whole message of `type` answering `request` (its cookie and id copied).
inline std::string Message(unsigned type, const std::string& request, const std::string& body) {
    return Bytes16(type) + Bytes16(static_cast<unsigned>(body.size())) + request.substr(4, 16) +
           body;
}

inline std::string Success(const std::string& request, const std::string& body) {
    return Message(0x0101, request, body);
}

inline std::string ErrorAnswer(const std::string& request, int code) {
    return Message(0x0111, request,
                   Attribute(0x0009, std::string("\0\0", 2) + static_cast<char>(code / 100) +
                                         static_cast<char>(code % 100) + "Why"));
}

inline StunTransactionId IdOf(const std::string& request) {
    StunTransactionId id{};
    std::copy(request.begin() + 8, request.begin() + 20, id.begin());
    return id;
}

} // namespace varenta::testing

// For tests only: a relay server that answers as the test's script says,
// on 127.0.0.1 and a thread of its own. Every connection's messages are
// cut by their header's length and handed to the script with the
// connection's number (0: the first, normally the control connection); what
// the script returns is sent back at once, as one write. The test may also
// send on a connection by itself and close them all, as a vanishing server.
// One that relays also listens at a relayed port of its own: a partner who
// connects there is announced on connection 0 (a ConnectionAttempt), and
// once the script grants a ConnectionBind for it, that connection and the
// partner's carry each other's bytes, until either closes or the test cuts
// every relayed line.
#pragma once

#include "varenta/net/nat/TurnMessage.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace varenta::testing {

class ScriptedTurnServer {
public:
    // The script: (connection, request bytes, index of the request on all
    // connections) -> bytes to send back (empty: nothing).
    using Script = std::function<std::string(int, const std::string&, int)>;

    explicit ScriptedTurnServer(Script script, bool relays = false) : script_(std::move(script)) {
        listen_ = ListenOnLoopback(port_);
        if (relays) {
            relayedListen_ = ListenOnLoopback(relayedPort_);
        }
        if (port_ != 0) {
            thread_ = std::thread([this] { Run(); });
        }
    }
    ~ScriptedTurnServer() {
        if (thread_.joinable()) {
            Wake(kStop);
            thread_.join();
        }
        for (const Connection& c : connections_) {
            if (c.fd >= 0) {
                ::close(c.fd);
            }
        }
        for (const Partner& p : partners_) {
            if (p.fd >= 0) {
                ::close(p.fd);
            }
        }
        ::close(listen_);
        if (relayedListen_ >= 0) {
            ::close(relayedListen_);
        }
        ::close(wake_);
    }
    ScriptedTurnServer(const ScriptedTurnServer&) = delete;
    ScriptedTurnServer& operator=(const ScriptedTurnServer&) = delete;

    int Port() const { return port_; }
    // Where partners connect to be relayed (0: this server relays nobody).
    int RelayedPort() const { return relayedPort_; }
    // Partners that connected to the relayed port so far.
    int PartnersSeen() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return static_cast<int>(partners_.size());
    }
    // Closes every relayed line (both its ends), as a relay that lost them;
    // the control connection and the relayed port stay.
    void CutRelayed() {
        cut_ = true;
        Wake(1);
    }
    // The requests so far, each with its connection's number.
    std::vector<std::pair<int, std::string>> Requests() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }
    int Count() const { return static_cast<int>(Requests().size()); }
    int Connections() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return static_cast<int>(connections_.size());
    }
    // Whether that connection was made and is closed now (by either side).
    bool Closed(int connection) const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return connection < static_cast<int>(connections_.size()) &&
               connections_[static_cast<std::size_t>(connection)].fd < 0;
    }
    // Sends bytes on a connection from the server's side.
    void Push(int connection, std::string bytes) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            pushes_.emplace_back(connection, std::move(bytes));
        }
        Wake(1);
    }
    // Closes every connection and stops listening: the server is gone.
    void Vanish() { Wake(kVanish); }

private:
    static constexpr std::uint64_t kStop = 1000;
    static constexpr std::uint64_t kVanish = 100000;
    struct Connection {
        int fd = -1;
        std::string buffer;
        int partner = -1; // the partner it carries, once bound
    };
    struct Partner {
        int fd = -1;
        std::uint32_t id = 0;
        int connection = -1; // the bound connection (-1: not yet)
        std::string early;   // bytes that came before the binding
    };

    static int ListenOnLoopback(int& port) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(fd, 8) != 0) {
            return fd;
        }
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(address.sin_port);
        return fd;
    }
    void CloseLine(Partner& p) {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (p.connection >= 0) {
            Connection& c = connections_[static_cast<std::size_t>(p.connection)];
            if (c.fd >= 0) {
                ::close(c.fd);
                c.fd = -1;
            }
        }
        if (p.fd >= 0) {
            ::close(p.fd);
            p.fd = -1;
        }
    }

    void Wake(std::uint64_t value) { (void)!::write(wake_, &value, sizeof value); }

    void Run() {
        for (;;) {
            std::vector<pollfd> wait{
                {wake_, POLLIN, 0}, {listen_, POLLIN, 0}, {relayedListen_, POLLIN, 0}};
            for (const Connection& c : connections_) {
                wait.push_back({c.fd, static_cast<short>(c.fd >= 0 ? POLLIN : 0), 0});
            }
            for (const Partner& p : partners_) {
                wait.push_back({p.fd, static_cast<short>(p.fd >= 0 ? POLLIN : 0), 0});
            }
            const std::size_t firstPartner = 3 + connections_.size();
            if (::poll(wait.data(), wait.size(), -1) <= 0) {
                continue;
            }
            if ((wait[0].revents & POLLIN) != 0) {
                std::uint64_t value = 0;
                (void)!::read(wake_, &value, sizeof value);
                if (value >= kVanish) {
                    for (Partner& p : partners_) {
                        CloseLine(p);
                    }
                    const std::lock_guard<std::mutex> lock(mutex_);
                    for (Connection& c : connections_) {
                        if (c.fd >= 0) {
                            ::close(c.fd);
                            c.fd = -1;
                        }
                    }
                    ::shutdown(listen_, SHUT_RDWR);
                    continue;
                }
                if (cut_.exchange(false)) {
                    for (Partner& p : partners_) {
                        CloseLine(p);
                    }
                }
                if (value >= kStop) {
                    return;
                }
                SendPushes();
                continue;
            }
            if ((wait[1].revents & POLLIN) != 0) {
                const int fd = ::accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
                if (fd >= 0) {
                    const std::lock_guard<std::mutex> lock(mutex_);
                    connections_.push_back({fd, {}});
                }
            }
            if ((wait[2].revents & POLLIN) != 0) {
                AcceptPartner();
            }
            for (std::size_t i = 3; i < firstPartner; ++i) {
                if ((wait[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
                    Read(static_cast<int>(i - 3));
                }
            }
            for (std::size_t i = firstPartner; i < wait.size(); ++i) {
                if ((wait[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
                    ReadPartner(partners_[i - firstPartner]);
                }
            }
        }
    }
    void SendPushes() {
        std::vector<std::pair<int, std::string>> pushes;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            pushes.swap(pushes_);
        }
        for (const auto& [connection, bytes] : pushes) {
            const int fd = connections_.at(static_cast<std::size_t>(connection)).fd;
            ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        }
    }
    void AcceptPartner() {
        sockaddr_in from{};
        socklen_t length = sizeof from;
        const int fd =
            ::accept4(relayedListen_, reinterpret_cast<sockaddr*>(&from), &length, SOCK_CLOEXEC);
        if (fd < 0) {
            return;
        }
        std::uint32_t id = 0;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            partners_.push_back({fd, static_cast<std::uint32_t>(partners_.size() + 1), -1, {}});
            id = partners_.back().id;
        }
        TurnMessage attempt(turn::kConnectionAttempt, TurnMessage::Class::Indication,
                            {static_cast<std::uint8_t>(id)});
        attempt.AddNumber(turn::kConnectionId, id)
            .AddAddress(turn::kXorPeerAddress, "127.0.0.1", ntohs(from.sin_port));
        const std::string bytes = attempt.Encode();
        if (!connections_.empty() && connections_[0].fd >= 0) {
            ::send(connections_[0].fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        }
    }
    void ReadPartner(Partner& p) {
        std::array<char, 4096> buffer{};
        const auto got = ::recv(p.fd, buffer.data(), buffer.size(), 0);
        if (got <= 0) {
            CloseLine(p);
            return;
        }
        if (p.connection < 0) {
            p.early.append(buffer.data(), static_cast<std::size_t>(got));
            return;
        }
        const int fd = connections_[static_cast<std::size_t>(p.connection)].fd;
        ::send(fd, buffer.data(), static_cast<std::size_t>(got), MSG_NOSIGNAL);
    }
    // A granted binding joins the connection to its partner.
    void Bind(int index, const std::string& request, const std::string& answer) {
        const TurnRead asked = ReadTurnMessage(request);
        const TurnRead granted =
            ReadTurnMessage(answer.substr(0, TurnFrameLength(answer).value_or(0)));
        if (!asked.message || asked.message->method != turn::kConnectionBind || !granted.message ||
            granted.message->kind != TurnMessage::Class::Success) {
            return;
        }
        const auto id = asked.message->Number(turn::kConnectionId);
        for (Partner& p : partners_) {
            if (id && p.id == *id && p.connection < 0 && p.fd >= 0) {
                p.connection = index;
                Connection& c = connections_[static_cast<std::size_t>(index)];
                c.partner = static_cast<int>(&p - partners_.data());
                ::send(c.fd, p.early.data(), p.early.size(), MSG_NOSIGNAL);
                p.early.clear();
                ::send(p.fd, c.buffer.data(), c.buffer.size(), MSG_NOSIGNAL);
                c.buffer.clear();
                return;
            }
        }
    }
    void Read(int index) {
        Connection& c = connections_[static_cast<std::size_t>(index)];
        std::array<char, 4096> buffer{};
        const auto got = ::recv(c.fd, buffer.data(), buffer.size(), 0);
        if (got <= 0) {
            if (c.partner >= 0) {
                CloseLine(partners_[static_cast<std::size_t>(c.partner)]);
                return;
            }
            const std::lock_guard<std::mutex> lock(mutex_);
            ::close(c.fd);
            c.fd = -1;
            return;
        }
        if (c.partner >= 0) { // a relayed line: the bytes go on as they are
            const int fd = partners_[static_cast<std::size_t>(c.partner)].fd;
            ::send(fd, buffer.data(), static_cast<std::size_t>(got), MSG_NOSIGNAL);
            return;
        }
        c.buffer.append(buffer.data(), static_cast<std::size_t>(got));
        for (;;) {
            const auto length = TurnFrameLength(c.buffer);
            if (!length || *length == 0 || c.buffer.size() < *length) {
                return;
            }
            const std::string request = c.buffer.substr(0, *length);
            c.buffer.erase(0, *length);
            // Recorded before it is answered: a test that saw the answer
            // finds its request.
            int count = 0;
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                count = static_cast<int>(requests_.size());
                requests_.emplace_back(index, request);
            }
            const std::string answer = script_(index, request, count);
            if (!answer.empty()) {
                ::send(c.fd, answer.data(), answer.size(), MSG_NOSIGNAL);
            }
            if (relayedListen_ >= 0 && !answer.empty()) {
                Bind(index, request, answer);
                if (connections_[static_cast<std::size_t>(index)].partner >= 0) {
                    return; // what follows is the partner's
                }
            }
        }
    }

    Script script_;
    int listen_ = -1;
    int relayedListen_ = -1;
    int wake_ = eventfd(0, EFD_CLOEXEC);
    int port_ = 0;
    int relayedPort_ = 0;
    mutable std::mutex mutex_;
    std::vector<Connection> connections_;
    std::vector<Partner> partners_;
    std::vector<std::pair<int, std::string>> requests_;
    std::vector<std::pair<int, std::string>> pushes_;
    std::atomic<bool> cut_ = false;
    std::thread thread_;
};

// An answer to a request's bytes, of the given class, with these attributes,
// signed with key when one is given.
inline std::string TurnAnswer(const std::string& request, TurnMessage::Class kind,
                              std::vector<std::pair<std::uint16_t, std::string>> attributes,
                              const std::string* key = nullptr) {
    const TurnRead read = ReadTurnMessage(request);
    TurnMessage answer(read.message ? read.message->method : 0, kind, stun::IdOf(request));
    answer.attributes = std::move(attributes);
    return answer.EncodeAnswer(key);
}

inline std::string ErrorValue(int code, const std::string& reason) {
    return std::string("\0\0", 2) + static_cast<char>(code / 100) + static_cast<char>(code % 100) +
           reason;
}

// A relay that asks for the credentials, grants every request signed with
// key (the relayed address 203.0.113.9:50000, ten minutes at a time), and follows a partner's
// binding at once with that partner's first bytes.
inline ScriptedTurnServer::Script GrantingRelay(std::string key, std::string realm,
                                                std::string partnerBytes) {
    return [key, realm, partnerBytes](int, const std::string& request, int) {
        using Class = TurnMessage::Class;
        const TurnMessage m = ReadTurnMessage(request, &key).message.value_or(TurnMessage{});
        if (!m.authenticated) { // unsigned, or signed with another password
            return TurnAnswer(request, Class::Error,
                              {{turn::kErrorCode, ErrorValue(401, "Unauthorized")},
                               {turn::kRealm, realm},
                               {turn::kNonce, "n1"}});
        }
        TurnMessage answer(m.method, Class::Success, m.id);
        if (m.method == turn::kAllocate) {
            answer.AddAddress(turn::kXorRelayedAddress, "203.0.113.9", 50000);
        }
        if (m.method == turn::kAllocate || m.method == turn::kRefresh) {
            answer.AddNumber(turn::kLifetime, 600);
        }
        const std::string bytes = answer.EncodeAnswer(&key);
        return m.method == turn::kConnectionBind ? bytes + partnerBytes : bytes;
    };
}

} // namespace varenta::testing

// For tests only: a relay server that answers as the test's script says,
// on 127.0.0.1 and a thread of its own. Every connection's messages are
// cut by their header's length and handed to the script with the
// connection's number (0: the first, normally the control connection); what
// the script returns is sent back at once, as one write. The test may also
// send on a connection by itself and close them all, as a vanishing server.
#pragma once

#include "varenta/net/nat/TurnMessage.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
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

    explicit ScriptedTurnServer(Script script) : script_(std::move(script)) {
        listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(listen_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(listen_, 8) != 0) {
            return;
        }
        getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Run(); });
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
        ::close(listen_);
        ::close(wake_);
    }
    ScriptedTurnServer(const ScriptedTurnServer&) = delete;
    ScriptedTurnServer& operator=(const ScriptedTurnServer&) = delete;

    int Port() const { return port_; }
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
    };

    void Wake(std::uint64_t value) { (void)!::write(wake_, &value, sizeof value); }

    void Run() {
        for (;;) {
            std::vector<pollfd> wait{{wake_, POLLIN, 0}, {listen_, POLLIN, 0}};
            for (const Connection& c : connections_) {
                wait.push_back({c.fd, static_cast<short>(c.fd >= 0 ? POLLIN : 0), 0});
            }
            if (::poll(wait.data(), wait.size(), -1) <= 0) {
                continue;
            }
            if ((wait[0].revents & POLLIN) != 0) {
                std::uint64_t value = 0;
                (void)!::read(wake_, &value, sizeof value);
                if (value >= kVanish) {
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
            for (std::size_t i = 2; i < wait.size(); ++i) {
                if ((wait[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
                    Read(static_cast<int>(i - 2));
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
    void Read(int index) {
        Connection& c = connections_[static_cast<std::size_t>(index)];
        std::array<char, 4096> buffer{};
        const auto got = ::recv(c.fd, buffer.data(), buffer.size(), 0);
        if (got <= 0) {
            const std::lock_guard<std::mutex> lock(mutex_);
            ::close(c.fd);
            c.fd = -1;
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
            const std::string answer = script_(index, request, Count());
            if (!answer.empty()) {
                ::send(c.fd, answer.data(), answer.size(), MSG_NOSIGNAL);
            }
            const std::lock_guard<std::mutex> lock(mutex_);
            requests_.emplace_back(index, request);
        }
    }

    Script script_;
    int listen_ = -1;
    int wake_ = eventfd(0, EFD_CLOEXEC);
    int port_ = 0;
    mutable std::mutex mutex_;
    std::vector<Connection> connections_;
    std::vector<std::pair<int, std::string>> requests_;
    std::vector<std::pair<int, std::string>> pushes_;
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

// Small servers for the nat tests, each on its own thread so that code
// under test may block on them (the router calls do): a UDP server that
// answers each datagram as the test's script says, and an HTTP server that
// plays a router's UPnP description and control. Loopback only.
#pragma once

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

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

// The thread and the descriptor both kinds of server share.
class ServerThread {
public:
    ServerThread() : stop_(eventfd(0, EFD_CLOEXEC)) {}
    virtual ~ServerThread() { Stop(); }
    ServerThread(const ServerThread&) = delete;
    ServerThread& operator=(const ServerThread&) = delete;

    int Port() const { return port_; }
    bool Bound() const { return fd_ >= 0; }

protected:
    // Binds fd_ (of the given type) to ip:port; port 0 picks one.
    void Bind(int type, const char* ip, int port) {
        fd_ = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
        const int on = 1;
        setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        inet_pton(AF_INET, ip, &address.sin_addr);
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            (type == SOCK_STREAM && ::listen(fd_, 8) != 0)) {
            ::close(fd_);
            fd_ = -1;
            return;
        }
        socklen_t length = sizeof address;
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Run(); });
    }
    // Waits until fd_ is readable; false when the server stops.
    bool WaitReadable() {
        std::array<pollfd, 2> wait{{{fd_, POLLIN, 0}, {stop_, POLLIN, 0}}};
        return ::poll(wait.data(), wait.size(), -1) > 0 && (wait[1].revents & POLLIN) == 0;
    }
    void Stop() {
        if (thread_.joinable()) {
            const std::uint64_t one = 1;
            (void)!::write(stop_, &one, sizeof one);
            thread_.join();
        }
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
        if (stop_ >= 0) {
            ::close(stop_);
            stop_ = -1;
        }
    }
    virtual void Run() = 0;

    int fd_ = -1;
    mutable std::mutex mutex_;

private:
    int stop_;
    int port_ = 0;
    std::thread thread_;
};

// Answers datagram number i (from 0) with reply(request, i), or drops it
// when that gives nothing.
class ScriptedUdpServer : public ServerThread {
public:
    using Reply = std::function<std::optional<std::string>(const std::string&, int)>;
    ScriptedUdpServer(Reply reply, const char* ip = "127.0.0.1", int port = 0)
        : reply_(std::move(reply)) {
        Bind(SOCK_DGRAM, ip, port);
    }
    ~ScriptedUdpServer() override { Stop(); }
    std::vector<std::string> Requests() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }
    int Count() const { return static_cast<int>(Requests().size()); }

private:
    void Run() override {
        while (WaitReadable()) {
            std::array<char, 1500> buffer{};
            sockaddr_in from{};
            socklen_t length = sizeof from;
            const auto got = ::recvfrom(fd_, buffer.data(), buffer.size(), 0,
                                        reinterpret_cast<sockaddr*>(&from), &length);
            if (got < 0) {
                continue;
            }
            const std::string request(buffer.data(), static_cast<std::size_t>(got));
            int index = 0;
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                index = static_cast<int>(requests_.size());
            }
            const auto answer = reply_(request, index);
            if (answer) {
                ::sendto(fd_, answer->data(), answer->size(), 0, reinterpret_cast<sockaddr*>(&from),
                         length);
            }
            // Recorded after the answer went, so a test that saw the count
            // grow knows the answer is on its way.
            const std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(request);
        }
    }
    Reply reply_;
    std::vector<std::string> requests_;
};

// One HTTP request as the server saw it.
struct HttpRequest {
    std::string method;
    std::string path;
    std::string soapAction; // the SOAPACTION header, quotes removed
    std::string body;
};

struct HttpReply {
    int status = 200;
    std::string body;
};

// Answers every request with reply(request); one request per connection.
class ScriptedHttpServer : public ServerThread {
public:
    using Reply = std::function<HttpReply(const HttpRequest&)>;
    explicit ScriptedHttpServer(Reply reply) : reply_(std::move(reply)) {
        Bind(SOCK_STREAM, "127.0.0.1", 0);
    }
    ~ScriptedHttpServer() override { Stop(); }
    std::string Url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(Port()) + path;
    }
    std::vector<HttpRequest> Requests() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }
    // The SOAP actions asked for, in order ("AddPortMapping", ...).
    std::vector<std::string> Actions() const {
        std::vector<std::string> actions;
        for (const HttpRequest& request : Requests()) {
            const auto hash = request.soapAction.find('#');
            if (hash != std::string::npos) {
                actions.push_back(request.soapAction.substr(hash + 1));
            }
        }
        return actions;
    }

private:
    static std::string Header(const std::string& head, const std::string& name) {
        std::string lower = head;
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        const auto at = lower.find("\n" + name + ":");
        if (at == std::string::npos) {
            return {};
        }
        const auto start = at + name.size() + 2;
        const auto end = head.find('\r', start);
        std::string value = head.substr(start, end - start);
        std::string trimmed;
        for (const char c : value) {
            if (c != '"' && c != ' ') {
                trimmed += c;
            }
        }
        return trimmed;
    }
    void Run() override {
        while (WaitReadable()) {
            const int client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) {
                continue;
            }
            timeval limit{5, 0};
            setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
            std::string data;
            std::array<char, 4096> buffer{};
            std::size_t headEnd = std::string::npos;
            std::size_t wanted = 0;
            for (;;) {
                const auto got = ::recv(client, buffer.data(), buffer.size(), 0);
                if (got <= 0) {
                    break;
                }
                data.append(buffer.data(), static_cast<std::size_t>(got));
                if (headEnd == std::string::npos) {
                    headEnd = data.find("\r\n\r\n");
                    if (headEnd != std::string::npos) {
                        const std::string length =
                            Header(data.substr(0, headEnd), "content-length");
                        wanted = headEnd + 4 + (length.empty() ? 0 : std::stoul(length));
                    }
                }
                if (headEnd != std::string::npos && data.size() >= wanted) {
                    break;
                }
            }
            HttpRequest request;
            if (headEnd != std::string::npos) {
                const std::string head = data.substr(0, headEnd);
                const auto space = head.find(' ');
                const auto space2 = head.find(' ', space + 1);
                request.method = head.substr(0, space);
                request.path = head.substr(space + 1, space2 - space - 1);
                request.soapAction = Header(head, "soapaction");
                request.body = data.substr(headEnd + 4);
            }
            const HttpReply reply = reply_(request);
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                requests_.push_back(request);
            }
            const std::string answer =
                "HTTP/1.1 " + std::to_string(reply.status) +
                (reply.status == 200 ? " OK" : " Internal Server Error") +
                "\r\nContent-Type: text/xml; charset=\"utf-8\"\r\nContent-Length: " +
                std::to_string(reply.body.size()) + "\r\nConnection: close\r\n\r\n" + reply.body;
            ::send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
            ::shutdown(client, SHUT_WR);
            ::close(client);
        }
    }
    Reply reply_;
    std::vector<HttpRequest> requests_;
};

} // namespace varenta::testing

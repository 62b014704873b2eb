#include "varenta/net/nat/StunQuery.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <random>

namespace varenta {

namespace {

bool SamePeer(const sockaddr_storage& a, const sockaddr_storage& b) {
    if (a.ss_family != b.ss_family) {
        return false;
    }
    if (a.ss_family == AF_INET) {
        const auto& x = reinterpret_cast<const sockaddr_in&>(a);
        const auto& y = reinterpret_cast<const sockaddr_in&>(b);
        return x.sin_port == y.sin_port && x.sin_addr.s_addr == y.sin_addr.s_addr;
    }
    const auto& x = reinterpret_cast<const sockaddr_in6&>(a);
    const auto& y = reinterpret_cast<const sockaddr_in6&>(b);
    return x.sin6_port == y.sin6_port &&
           std::memcmp(&x.sin6_addr, &y.sin6_addr, sizeof x.sin6_addr) == 0;
}

std::string Unreachable() {
    return std::string(texts::kStunUnreachable) + std::strerror(errno) + ")";
}

StunTransactionId NewTransactionId() {
    // Unpredictable, so that a stranger cannot answer in the server's place.
    std::random_device random;
    StunTransactionId id{};
    for (auto& byte : id) {
        byte = static_cast<std::uint8_t>(random() & 0xFF);
    }
    return id;
}

} // namespace

StunQuery::StunQuery(SocketWatcher& watcher, std::unique_ptr<NetTimer> timer)
    : watcher_(watcher), timer_(timer ? std::move(timer) : std::make_unique<QtNetTimer>()) {
    timer_->expired = [this] { Expired(); };
}

StunQuery::~StunQuery() {
    Cancel();
    timer_->expired = nullptr;
}

int StunQuery::LocalPort() const {
    sockaddr_storage own{};
    socklen_t length = sizeof own;
    if (fd_ < 0 || getsockname(fd_, reinterpret_cast<sockaddr*>(&own), &length) != 0) {
        return 0;
    }
    return ntohs(own.ss_family == AF_INET ? reinterpret_cast<sockaddr_in&>(own).sin_port
                                          : reinterpret_cast<sockaddr_in6&>(own).sin6_port);
}

void StunQuery::Start(const sockaddr_storage& server, socklen_t length,
                      std::function<void(const Result&)> done) {
    Cancel();
    done_ = std::move(done);
    server_ = server;
    serverLength_ = length;
    id_ = NewTransactionId();
    request_ = StunBindingRequest(id_);
    elapsedMs_ = 0;
    nextMs_ = 0;
    repeatMs_ = kFirstRepeatMs;
    unreadable_.clear();
    fd_ = ::socket(server.ss_family, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    // A connected UDP socket takes datagrams from the server alone, and
    // hears of an ICMP "port unreachable" at once.
    if (fd_ >= 0 &&
        ::connect(fd_, reinterpret_cast<const sockaddr*>(&server_), serverLength_) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (fd_ < 0) {
        const std::string problem = std::strerror(errno);
        watcher_.Defer(
            [this, problem, generation = std::weak_ptr<int>(generation_), number = *generation_] {
                if (!generation.expired() && number == *generation_) {
                    Finish({false, {}, 0, problem});
                }
            });
        return;
    }
    watcher_.Watch(fd_, true, false, [this](int, bool, bool) { Readable(); });
    Send();
}

void StunQuery::Send() {
    // A lost send is repeated. A repeated one that fails hears of an
    // earlier refusal (the first one never can: its socket is new, so no
    // answer is given from inside Start).
    if (::send(fd_, request_.data(), request_.size(), MSG_NOSIGNAL) < 0 && elapsedMs_ > 0 &&
        errno == ECONNREFUSED) {
        Finish({false, {}, 0, Unreachable()});
        return;
    }
    nextMs_ = std::min(elapsedMs_ + repeatMs_, kGiveUpMs);
    repeatMs_ *= 2;
    timer_->Start(nextMs_ - elapsedMs_);
}

void StunQuery::Expired() {
    if (!Running()) {
        return;
    }
    elapsedMs_ = nextMs_;
    if (elapsedMs_ >= kGiveUpMs) {
        Finish({false, {}, 0, unreadable_.empty() ? std::string(texts::kStunSilent) : unreadable_});
        return;
    }
    Send();
}

void StunQuery::Readable() {
    std::array<char, 1500> buffer{};
    while (Running()) {
        sockaddr_storage from{};
        socklen_t fromLength = sizeof from;
        const auto got = ::recvfrom(fd_, buffer.data(), buffer.size(), 0,
                                    reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (got < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
                return;
            }
            // An ICMP "port unreachable" for an earlier send: nobody serves
            // STUN there, so there is no point in waiting.
            Finish({false, {}, 0, Unreachable()});
            return;
        }
        if (!SamePeer(from, server_)) {
            continue; // a stranger's datagram is no answer
        }
        const StunAnswer answer =
            ReadStunAnswer(std::string_view(buffer.data(), static_cast<std::size_t>(got)), id_);
        switch (answer.kind) {
        case StunAnswer::Kind::Address:
            Finish({true, answer.address, answer.port, {}});
            return;
        case StunAnswer::Kind::Refused:
            Finish({false,
                    {},
                    0,
                    std::string(texts::kStunRefused) + std::to_string(answer.errorCode) + ")"});
            return;
        case StunAnswer::Kind::Malformed:
            unreadable_ = texts::kStunUnreadable;
            break;
        case StunAnswer::Kind::Foreign:
            break;
        }
    }
}

void StunQuery::Finish(Result result) {
    auto done = std::move(done_);
    done_ = nullptr;
    CloseSocket();
    if (done) {
        done(result);
    }
}

void StunQuery::CloseSocket() {
    timer_->Stop();
    ++*generation_;
    if (fd_ >= 0) {
        watcher_.Watch(fd_, false, false, nullptr);
        ::close(fd_);
        fd_ = -1;
    }
}

void StunQuery::Cancel() {
    done_ = nullptr;
    CloseSocket();
}

} // namespace varenta

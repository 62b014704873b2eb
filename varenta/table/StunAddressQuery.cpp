#include "varenta/table/StunAddressQuery.h"

#include "varenta/net/MailConnection.h"

#include <QHostAddress>
#include <QHostInfo>

#include <arpa/inet.h>
#include <netinet/in.h>

#include <cstring>

namespace varenta {

namespace {

// A socket address for the server, IPv4 preferred (most STUN servers and
// home routers speak it).
bool ToSocketAddress(const QHostAddress& host, int port, sockaddr_storage& out, socklen_t& length) {
    out = {};
    bool isIPv4 = false;
    const quint32 v4 = host.toIPv4Address(&isIPv4);
    if (isIPv4) {
        auto& in = reinterpret_cast<sockaddr_in&>(out);
        in.sin_family = AF_INET;
        in.sin_port = htons(static_cast<std::uint16_t>(port));
        in.sin_addr.s_addr = htonl(v4);
        length = sizeof(sockaddr_in);
        return true;
    }
    if (host.protocol() != QAbstractSocket::IPv6Protocol) {
        return false;
    }
    auto& in6 = reinterpret_cast<sockaddr_in6&>(out);
    in6.sin6_family = AF_INET6;
    in6.sin6_port = htons(static_cast<std::uint16_t>(port));
    const Q_IPV6ADDR bytes = host.toIPv6Address();
    std::memcpy(&in6.sin6_addr, &bytes, sizeof in6.sin6_addr);
    length = sizeof(sockaddr_in6);
    return true;
}

} // namespace

StunAddressQuery::StunAddressQuery(std::unique_ptr<NetTimer> lookupTimer,
                                   std::unique_ptr<NetTimer> queryTimer)
    : lookupTimer_(lookupTimer ? std::move(lookupTimer) : std::make_unique<QtNetTimer>()),
      query_(watcher_, std::move(queryTimer)) {
    // A name that takes longer to look up than the whole query may take
    // counts as no answer.
    lookupTimer_->expired = [this] {
        auto done = std::move(done_);
        Cancel();
        done_ = std::move(done);
        Finish({false, {}, 0, "the STUN server's name could not be looked up in time"});
    };
}

StunAddressQuery::~StunAddressQuery() {
    lookupTimer_->expired = nullptr;
    Cancel();
}

void StunAddressQuery::Start(const QString& server, std::function<void(const QString&)> done) {
    Cancel();
    auto parsed = ParseMailServer(server.trimmed(), static_cast<quint16>(kStunDefaultPort));
    done_ = std::move(done);
    if (!parsed) {
        // Answered from the loop, as every other outcome is.
        QMetaObject::invokeMethod(
            &lookupContext_,
            [this, generation = generation_] {
                if (generation == generation_) {
                    Finish({false, {}, 0, "the STUN server's name is not usable"});
                }
            },
            Qt::QueuedConnection);
        return;
    }
    const QHostAddress literal(parsed->host);
    if (!literal.isNull()) {
        sockaddr_storage address{};
        socklen_t length = 0;
        ToSocketAddress(literal, parsed->port, address, length);
        Ask(address, length);
        return;
    }
    const int port = parsed->port;
    lookupTimer_->Start(StunQuery::kGiveUpMs);
    lookupId_ =
        QHostInfo::lookupHost(parsed->host, &lookupContext_,
                              [this, port, generation = generation_](const QHostInfo& info) {
                                  LookedUp(info, port, generation);
                              });
}

void StunAddressQuery::LookedUp(const QHostInfo& info, int port, unsigned generation) {
    if (generation != generation_) {
        return;
    }
    lookupId_ = -1;
    lookupTimer_->Stop();
    sockaddr_storage address{};
    socklen_t length = 0;
    bool usable = false;
    // An IPv4 address first, IPv6 only when there is none.
    for (const bool wantIPv4 : {true, false}) {
        for (const QHostAddress& host : info.addresses()) {
            const bool isIPv4 = host.protocol() == QAbstractSocket::IPv4Protocol;
            if (!usable && isIPv4 == wantIPv4) {
                usable = ToSocketAddress(host, port, address, length);
            }
        }
    }
    if (!usable) {
        Finish({false, {}, 0, "the STUN server's name is unknown"});
        return;
    }
    Ask(address, length);
}

void StunAddressQuery::Ask(const sockaddr_storage& server, socklen_t length) {
    query_.Start(server, length, [this](const StunQuery::Result& result) { Finish(result); });
}

void StunAddressQuery::Finish(const StunQuery::Result& result) {
    last_ = result;
    auto done = std::move(done_);
    done_ = nullptr;
    if (done) {
        done(result.found ? QString::fromStdString(result.address) : QString());
    }
}

void StunAddressQuery::Cancel() {
    done_ = nullptr;
    lookupTimer_->Stop();
    if (lookupId_ >= 0) {
        QHostInfo::abortHostLookup(lookupId_);
        lookupId_ = -1;
    }
    ++generation_;
    query_.Cancel();
}

} // namespace varenta

#include "varenta/net/nat/StunAddressQuery.h"

#include "varenta/net/socket/HostPort.h"

#include <netinet/in.h>

namespace varenta {

namespace {

// The address to ask, IPv4 preferred (most STUN servers and home routers
// speak it); false when there is neither.
bool PickAddress(const NameLookup::Answer& answer, sockaddr_storage& out, socklen_t& length) {
    for (const int family : {AF_INET, AF_INET6}) {
        for (const NameLookup::Address& a : answer.addresses) {
            if (a.address.ss_family == family) {
                out = a.address;
                length = a.length;
                return true;
            }
        }
    }
    return false;
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
        Finish({false, {}, 0, std::string(texts::kStunLookupSlow)});
    };
}

StunAddressQuery::~StunAddressQuery() {
    lookupTimer_->expired = nullptr;
    Cancel();
}

void StunAddressQuery::Start(const QString& server, std::function<void(const QString&)> done) {
    Cancel();
    auto parsed = ParseHostPort(server.trimmed().toStdString(), kStunDefaultPort);
    done_ = std::move(done);
    if (!parsed) {
        // Answered from the loop, as every other outcome is.
        QMetaObject::invokeMethod(
            &answerContext_,
            [this, generation = generation_] {
                if (generation == generation_) {
                    Finish({false, {}, 0, std::string(texts::kStunNameUnusable)});
                }
            },
            Qt::QueuedConnection);
        return;
    }
    const std::string host = parsed->host;
    const int port = parsed->port;
    // An address literal needs no name server.
    const NameLookup::Answer literal = NameLookup::LookUpNow(host, port, true);
    if (!literal.addresses.empty()) {
        LookedUp(literal);
        return;
    }
    lookupTimer_->Start(StunQuery::kGiveUpMs);
    lookup_.Start(host, port, [this](const NameLookup::Answer& answer) {
        lookupTimer_->Stop();
        LookedUp(answer);
    });
}

void StunAddressQuery::LookedUp(const NameLookup::Answer& answer) {
    sockaddr_storage address{};
    socklen_t length = 0;
    if (!PickAddress(answer, address, length)) {
        Finish({false, {}, 0, std::string(texts::kStunNameUnknown)});
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
    lookup_.Cancel();
    ++generation_;
    query_.Cancel();
}

} // namespace varenta

#include "varenta/net/socket/NameLookup.h"

#include <QMetaObject>

#include <netdb.h>

#include <cstring>
#include <mutex>
#include <thread>

namespace varenta {

// What the thread shares with its asker. The asker marks it cancelled under
// the lock before it goes, and the thread posts its answer under the same
// lock, so an answer is never posted to a NameLookup that is gone.
struct NameLookup::Pending {
    std::mutex mutex;
    bool cancelled = false;
    std::function<void(const Answer&)> done;
};

NameLookup::NameLookup(QObject* parent) : QObject(parent) {}

NameLookup::~NameLookup() {
    Cancel();
}

NameLookup::Answer NameLookup::LookUpNow(const std::string& host, int port, bool literalOnly) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_flags = AI_NUMERICSERV | (literalOnly ? AI_NUMERICHOST : 0);
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    Answer answer;
    const int result = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
    if (result != 0) {
        answer.problem = ::gai_strerror(result);
        return answer;
    }
    for (const addrinfo* a = found; a != nullptr; a = a->ai_next) {
        Address address;
        if (a->ai_addrlen <= sizeof address.address) {
            std::memcpy(&address.address, a->ai_addr, a->ai_addrlen);
            address.length = a->ai_addrlen;
            answer.addresses.push_back(address);
        }
    }
    ::freeaddrinfo(found);
    return answer;
}

void NameLookup::Start(const std::string& host, int port, std::function<void(const Answer&)> done) {
    Cancel();
    auto pending = std::make_shared<Pending>();
    pending->done = std::move(done);
    pending_ = pending;
    // Detached: a name server may take its time, and nobody waits for it;
    // the shared part outlives whichever side ends first.
    std::thread([this, pending, host, port] {
        const Answer answer = LookUpNow(host, port, false);
        const std::lock_guard<std::mutex> lock(pending->mutex);
        if (!pending->cancelled) {
            QMetaObject::invokeMethod(
                this, [this, pending, answer] { Deliver(pending, answer); }, Qt::QueuedConnection);
        }
    }).detach();
}

void NameLookup::Deliver(const std::shared_ptr<Pending>& pending, const Answer& answer) {
    if (pending != pending_) {
        return; // cancelled after the answer was posted
    }
    pending_.reset();
    auto done = std::move(pending->done);
    if (done) {
        done(answer);
    }
}

void NameLookup::Cancel() {
    if (pending_ == nullptr) {
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(pending_->mutex);
        pending_->cancelled = true;
    }
    pending_->done = nullptr; // released here, not on the look-up's thread
    pending_.reset();
}

} // namespace varenta

#include "varenta/net/nat/PortMapping.h"

#include <QObject>

#include <algorithm>

namespace varenta {

namespace {

// Renewed at half the lease, so one lost renewal still leaves time for the
// next; at least every half minute, at most once a day.
int RenewalMsFor(int leaseSeconds) {
    const long long half = std::clamp(leaseSeconds / 2, 30, 24 * 3600);
    return static_cast<int>(half * 1000);
}

} // namespace

PortMapping::PortMapping(RouterAccess access, std::unique_ptr<NetTimer> renewal,
                         std::unique_ptr<NetTimer> pinholeRenewal)
    : renewal_(renewal ? std::move(renewal) : std::make_unique<QtNetTimer>()),
      pinholeRenewal_(pinholeRenewal ? std::move(pinholeRenewal) : std::make_unique<QtNetTimer>()),
      context_(std::make_unique<QObject>()), client_(std::move(access)) {
    renewal_->expired = [this] { Renew(); };
    pinholeRenewal_->expired = [this] { RenewPinhole(); };
    // Started last: everything the worker touches exists by now.
    worker_ = std::thread([this] { Work(); });
}

PortMapping::~PortMapping() {
    renewal_->expired = nullptr;
    renewal_->Stop();
    pinholeRenewal_->expired = nullptr;
    pinholeRenewal_->Stop();
    // Whatever is still mapped goes before the worker ends. Questions not
    // yet put to the router are dropped, so closing waits at most for the
    // one running now and the removal; a mapping made by the running one is
    // removed as well, since the removal runs after it.
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        jobs_.clear();
        jobs_.push_back([this] {
            client_.Unmap();
            client_.ClosePinhole();
        });
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void PortMapping::Queue(std::function<void()> job) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_all();
}

void PortMapping::Work() {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty()) {
                return;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
}

void PortMapping::Open(int port, Answer done) {
    ++generation_;
    done_ = std::move(done);
    port_ = port;
    renewalMs_ = 0;
    renewal_->Stop();
    Queue([this, port, generation = generation_] { Deliver(generation, client_.Map(port), true); });
}

void PortMapping::Close() {
    ++generation_;
    done_ = nullptr;
    port_ = 0;
    renewalMs_ = 0;
    renewal_->Stop();
    Queue([this] { client_.Unmap(); });
}

void PortMapping::AskAddress(Answer done) {
    const unsigned ask = ++lastAsk_;
    asks_[ask] = std::move(done);
    Queue([this, ask] {
        const RouterAnswer answer = client_.ExternalAddress();
        QMetaObject::invokeMethod(
            context_.get(), [this, ask, answer] { AddressAnswered(ask, answer); },
            Qt::QueuedConnection);
    });
}

void PortMapping::Deliver(unsigned generation, const RouterAnswer& answer, bool first) {
    QMetaObject::invokeMethod(
        context_.get(), [this, generation, answer, first] { Answered(generation, answer, first); },
        Qt::QueuedConnection);
}

void PortMapping::Answered(unsigned generation, const RouterAnswer& answer, bool first) {
    if (generation != generation_) {
        return; // a newer Open or a Close came in between
    }
    if (answer.ok && answer.leaseSeconds > 0) {
        renewalMs_ = RenewalMsFor(answer.leaseSeconds);
        renewal_->Start(renewalMs_);
    } else {
        renewalMs_ = 0;
    }
    // A renewal that went through is no news; one that failed is.
    if ((first || !answer.ok) && done_) {
        const Answer done = done_;
        done(answer);
    }
}

void PortMapping::AddressAnswered(unsigned ask, const RouterAnswer& answer) {
    const auto found = asks_.find(ask);
    if (found == asks_.end()) {
        return;
    }
    const Answer done = std::move(found->second);
    asks_.erase(found);
    if (done) {
        done(answer);
    }
}

void PortMapping::OpenPinhole(const std::string& address, int port, Answer done) {
    ++pinholeGeneration_;
    pinholeDone_ = std::move(done);
    pinholeAddress_ = address;
    pinholePort_ = port;
    pinholeRenewalMs_ = 0;
    pinholeRenewal_->Stop();
    RenewPinhole();
}

void PortMapping::ClosePinhole() {
    ++pinholeGeneration_;
    pinholeDone_ = nullptr;
    pinholePort_ = 0;
    pinholeRenewalMs_ = 0;
    pinholeRenewal_->Stop();
    Queue([this] { client_.ClosePinhole(); });
}

void PortMapping::RenewPinhole() {
    if (pinholePort_ == 0) {
        return;
    }
    const bool first = pinholeRenewalMs_ == 0;
    Queue([this, address = pinholeAddress_, port = pinholePort_, generation = pinholeGeneration_,
           first] {
        const RouterAnswer answer = client_.OpenPinhole(address, port);
        QMetaObject::invokeMethod(
            context_.get(),
            [this, generation, answer, first] { PinholeAnswered(generation, answer, first); },
            Qt::QueuedConnection);
    });
}

void PortMapping::PinholeAnswered(unsigned generation, const RouterAnswer& answer, bool first) {
    if (generation != pinholeGeneration_) {
        return; // a newer OpenPinhole or a ClosePinhole came in between
    }
    pinholeRenewalMs_ =
        answer.ok && answer.leaseSeconds > 0 ? RenewalMsFor(answer.leaseSeconds) : 0;
    if (pinholeRenewalMs_ > 0) {
        pinholeRenewal_->Start(pinholeRenewalMs_);
    }
    if ((first || !answer.ok) && pinholeDone_) {
        const Answer done = pinholeDone_;
        done(answer);
    }
}

void PortMapping::Renew() {
    if (port_ == 0) {
        return;
    }
    Queue([this, port = port_, generation = generation_] {
        Deliver(generation, client_.Map(port), false);
    });
}

} // namespace varenta

// An address server (identification or STUN) that answers when the test
// says so, for the connect dialog's tests.
#pragma once

#include "varenta/table/ConnectDialog.h"

#include <QString>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace varenta {

class FakeAddressQuery : public OwnAddressQuery {
public:
    void Start(const QString& server, std::function<void(const QString&)> done) override {
        servers.push_back(server);
        done_ = std::move(done);
    }
    void Cancel() override { done_ = nullptr; }
    int TimeoutMs() const override { return timeoutMs; }
    std::string Problem() const override { return problem; }
    void Answer(const QString& address) {
        auto done = std::move(done_);
        done_ = nullptr;
        if (done) {
            done(address);
        }
    }
    bool Running() const { return static_cast<bool>(done_); }
    std::vector<QString> servers; // one per Start
    int timeoutMs = 3000;
    std::string problem; // why an empty answer found nothing

private:
    std::function<void(const QString&)> done_;
};

} // namespace varenta

// A one-shot timer for the network helpers that wait for answers over UDP
// (the public address query, the router's port mapping). Tests hand in one
// they fire by hand, so no test waits for real time.
#pragma once

#include <functional>
#include <memory>

class QTimer;

namespace varenta {

class NetTimer {
public:
    virtual ~NetTimer() = default;
    // (Re)starts: expired runs once after that many milliseconds.
    virtual void Start(int milliseconds) = 0;
    virtual void Stop() = 0;
    std::function<void()> expired;
};

class QtNetTimer : public NetTimer {
public:
    QtNetTimer();
    ~QtNetTimer() override;
    void Start(int milliseconds) override;
    void Stop() override;

private:
    std::unique_ptr<QTimer> timer_;
};

} // namespace varenta

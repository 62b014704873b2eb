// The game port opened on the home router while this program listens for
// a partner, without ever holding up the window: the router is asked on a
// worker thread of its own (the router libraries only block), and every
// answer comes back on the window's thread from its event loop. The mapping
// is renewed at half its lease and removed on Close and when the mapping
// object goes (the program closing waits for that removal, briefly).
#pragma once

#include "varenta/net/nat/RouterClient.h"
#include "varenta/net/socket/NetTimer.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class QObject;

namespace varenta {

// What the window needs from a port mapping; tests hand in a recording one.
class PortMapper {
public:
    using Answer = std::function<void(const RouterAnswer&)>;
    virtual ~PortMapper() = default;
    // Forwards the port to this machine and keeps it forwarded until Close.
    // done runs with the first answer and again whenever a renewal fails.
    virtual void Open(int port, Answer done) = 0;
    // Removes the mapping (if any); a running Open answers no more.
    virtual void Close() = 0;
    // The router's public address (ok false when no router tells it).
    virtual void AskAddress(Answer done) = 0;
    // Lets partners through the router's IPv6 firewall to port `port` of
    // this machine's global IPv6 address until ClosePinhole; done as Open's.
    // A mapper without IPv6 firewall control asks nothing.
    virtual void OpenPinhole(const std::string& /*address*/, int /*port*/, Answer /*done*/) {}
    virtual void ClosePinhole() {}
};

class PortMapping : public PortMapper {
public:
    // The timers that renew the leases may be given (tests fire them by hand).
    explicit PortMapping(RouterAccess access = {}, std::unique_ptr<NetTimer> renewal = nullptr,
                         std::unique_ptr<NetTimer> pinholeRenewal = nullptr);
    ~PortMapping() override;
    PortMapping(const PortMapping&) = delete;
    PortMapping& operator=(const PortMapping&) = delete;

    void Open(int port, Answer done) override;
    void Close() override;
    void AskAddress(Answer done) override;

    // Over IPv6: lets partners through the router's firewall to the port at
    // this machine's global address, and keeps the way open until
    // ClosePinhole; done answers as Open's does.
    void OpenPinhole(const std::string& address, int port, Answer done) override;
    void ClosePinhole() override;
    bool RenewingPinhole() const { return pinholeRenewalMs_ > 0; }

    // The port kept open (0 when none is wanted).
    int WantedPort() const { return port_; }
    bool Renewing() const { return renewalMs_ > 0; }
    int RenewalMs() const { return renewalMs_; }

private:
    void Queue(std::function<void()> job);
    void Work();
    // Hands an answer to the window's thread; dropped when a newer Open or
    // Close came in between.
    void Deliver(unsigned generation, const RouterAnswer& answer, bool first);
    void Answered(unsigned generation, const RouterAnswer& answer, bool first);
    void AddressAnswered(unsigned ask, const RouterAnswer& answer);
    void Renew();
    void PinholeAnswered(unsigned generation, const RouterAnswer& answer, bool first);
    void RenewPinhole();

    std::unique_ptr<NetTimer> renewal_;
    std::unique_ptr<NetTimer> pinholeRenewal_;
    Answer pinholeDone_;
    std::string pinholeAddress_;
    int pinholePort_ = 0;
    int pinholeRenewalMs_ = 0;
    unsigned pinholeGeneration_ = 0;   // window thread only
    std::unique_ptr<QObject> context_; // answers are delivered through it
    Answer done_;
    std::map<unsigned, Answer> asks_; // AskAddress calls waiting for the router
    unsigned lastAsk_ = 0;
    int port_ = 0;
    int renewalMs_ = 0;
    unsigned generation_ = 0; // window thread only

    // Shared with the worker.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    bool stopping_ = false;
    RouterClient client_; // worker thread only
    std::thread worker_;
};

} // namespace varenta

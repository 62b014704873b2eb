// A host name looked up on a thread of its own, so that the window never
// waits for a slow name server. The answer comes back on the thread that
// asked, through its event loop. A look-up that is cancelled, or whose
// NameLookup is gone, is simply forgotten when the name server answers.
#pragma once

#include <QObject>

#include <sys/socket.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace varenta {

class NameLookup : public QObject {
public:
    struct Address {
        sockaddr_storage address{};
        socklen_t length = 0;
    };
    struct Answer {
        std::vector<Address> addresses; // in the name server's order
        std::string problem;            // why there are none
    };

    explicit NameLookup(QObject* parent = nullptr);
    ~NameLookup() override;
    NameLookup(const NameLookup&) = delete;
    NameLookup& operator=(const NameLookup&) = delete;

    // Looks up `host` with `port` (each address once, as good for TCP as for
    // UDP); `done` is called once, from the event loop, unless Cancel comes
    // first. A running look-up is cancelled.
    void Start(const std::string& host, int port, std::function<void(const Answer&)> done);
    void Cancel();
    bool Running() const { return pending_ != nullptr; }

    // The same look-up, answered at once (it blocks): for address literals,
    // which need no name server, and for the thread itself.
    static Answer LookUpNow(const std::string& host, int port, bool literalOnly);

private:
    struct Pending;
    void Deliver(const std::shared_ptr<Pending>& pending, const Answer& answer);

    std::shared_ptr<Pending> pending_;
};

} // namespace varenta

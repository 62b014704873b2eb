// Learns the address of this machine's end of a connection to a server;
// done runs once, later, from the event loop: the dotted address, or empty
// when the server cannot be reached in time.
#pragma once

#include <QString>

#include <functional>
#include <string>

namespace varenta {

class OwnAddressQuery {
public:
    virtual ~OwnAddressQuery() = default;
    virtual void Start(const QString& server, std::function<void(const QString&)> done) = 0;
    // Forgets a running query; its done never runs.
    virtual void Cancel() = 0;
    // The longest a query can take before done runs (what the user is told).
    virtual int TimeoutMs() const = 0;
    // Why the last query found no address, in words for the user ("Connection
    // refused"); empty when it found one or the reason is not known.
    virtual std::string Problem() const { return {}; }
};

} // namespace varenta

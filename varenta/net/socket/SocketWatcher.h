// What a socket needs from the event loop it lives in: readiness calls for
// its descriptors, calls deferred to the loop, and bounded waits for the
// blocking mode. The socket itself stays free of any GUI library; the Qt
// adapter (NotifierWatcher) delivers everything on the GUI thread.
#pragma once

#include <functional>

namespace varenta {

enum class WaitResult { Ready, TimedOut, Cancelled };

class SocketWatcher {
public:
    using ReadyCall = std::function<void(int fd, bool readable, bool writable)>;

    virtual ~SocketWatcher() = default;

    // From now on onReady runs from the loop while fd is readable (read) or
    // writable (write). Both false forgets fd; a new call replaces the old.
    virtual void Watch(int fd, bool read, bool write, ReadyCall onReady) = 0;
    // Runs call once from the loop, never inside the caller.
    virtual void Defer(std::function<void()> call) = 0;
    // Blocks until fd is readable (or writable), at most timeoutSeconds
    // (zero or less: no limit), or until CancelWait.
    virtual WaitResult WaitFor(int fd, bool write, int timeoutSeconds) = 0;
    virtual void CancelWait() = 0;
};

} // namespace varenta

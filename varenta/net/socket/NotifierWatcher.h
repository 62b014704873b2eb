// The socket's loop on the Qt event loop: readiness through QSocketNotifier,
// deferred calls through zero-time timers, and blocking waits as a nested
// event loop so windows keep painting while a blocking call runs.
#pragma once

#include "varenta/net/socket/SocketWatcher.h"

#include <QObject>
#include <QPointer>

#include <map>

class QEventLoop;
class QSocketNotifier;

namespace varenta {

class NotifierWatcher : public QObject, public SocketWatcher {
    Q_OBJECT
public:
    explicit NotifierWatcher(QObject* parent = nullptr);
    ~NotifierWatcher() override;

    void Watch(int fd, bool read, bool write, ReadyCall onReady) override;
    void Defer(std::function<void()> call) override;
    WaitResult WaitFor(int fd, bool write, int timeoutSeconds) override;
    void CancelWait() override;

private:
    struct Entry {
        QSocketNotifier* read = nullptr;
        QSocketNotifier* write = nullptr;
        ReadyCall call;
    };
    void Activated(int fd, bool readable);
    static void Retire(QSocketNotifier* notifier);

    std::map<int, Entry> entries_;
    QPointer<QEventLoop> waitLoop_;
};

} // namespace varenta

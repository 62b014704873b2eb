#include "varenta/net/socket/NotifierWatcher.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

namespace varenta {

namespace {

constexpr int kExitReady = 0;
constexpr int kExitTimedOut = 1;
constexpr int kExitCancelled = 2;

} // namespace

NotifierWatcher::NotifierWatcher(QObject* parent) : QObject(parent) {}

NotifierWatcher::~NotifierWatcher() {
    CancelWait();
    for (auto& item : entries_) {
        delete item.second.read;
        delete item.second.write;
    }
}

// A notifier may be the one whose signal is running right now, so it is
// switched off at once and deleted later.
void NotifierWatcher::Retire(QSocketNotifier* notifier) {
    if (notifier != nullptr) {
        notifier->setEnabled(false);
        notifier->deleteLater();
    }
}

void NotifierWatcher::Watch(int fd, bool read, bool write, ReadyCall onReady) {
    if (!read && !write) {
        const auto found = entries_.find(fd);
        if (found != entries_.end()) {
            Retire(found->second.read);
            Retire(found->second.write);
            entries_.erase(found);
        }
        return;
    }
    Entry& entry = entries_[fd];
    entry.call = std::move(onReady);
    if (read && entry.read == nullptr) {
        entry.read = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(entry.read, &QSocketNotifier::activated, this, [this, fd] { Activated(fd, true); });
    }
    if (write && entry.write == nullptr) {
        entry.write = new QSocketNotifier(fd, QSocketNotifier::Write, this);
        connect(entry.write, &QSocketNotifier::activated, this,
                [this, fd] { Activated(fd, false); });
    }
    if (entry.read != nullptr) {
        entry.read->setEnabled(read);
    }
    if (entry.write != nullptr) {
        entry.write->setEnabled(write);
    }
}

void NotifierWatcher::Activated(int fd, bool readable) {
    const auto found = entries_.find(fd);
    if (found == entries_.end()) {
        return;
    }
    // The call may replace or forget this entry; run a copy.
    const ReadyCall call = found->second.call;
    if (call) {
        call(fd, readable, !readable);
    }
}

void NotifierWatcher::Defer(std::function<void()> call) {
    QTimer::singleShot(0, this, std::move(call));
}

WaitResult NotifierWatcher::WaitFor(int fd, bool write, int timeoutSeconds) {
    QEventLoop loop;
    QSocketNotifier notifier(fd, write ? QSocketNotifier::Write : QSocketNotifier::Read);
    connect(&notifier, &QSocketNotifier::activated, &loop, [&loop] { loop.exit(kExitReady); });
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, [&loop] { loop.exit(kExitTimedOut); });
    if (timeoutSeconds > 0) {
        timer.start(timeoutSeconds * 1000);
    }
    QPointer<QEventLoop> outer = waitLoop_;
    waitLoop_ = &loop;
    const int result = loop.exec();
    waitLoop_ = outer;
    switch (result) {
    case kExitReady:
        return WaitResult::Ready;
    case kExitTimedOut:
        return WaitResult::TimedOut;
    default:
        return WaitResult::Cancelled;
    }
}

void NotifierWatcher::CancelWait() {
    if (waitLoop_ != nullptr) {
        waitLoop_->exit(kExitCancelled);
    }
}

} // namespace varenta

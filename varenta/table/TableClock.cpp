#include "varenta/table/TableClock.h"

#include <QEventLoop>
#include <QTimer>

namespace varenta {

void EventLoopClock::Pause(int milliseconds) {
    if (aborted_ || milliseconds <= 0) {
        return;
    }
    // A nested loop instead of a busy wait: the window repaints and sees
    // input (which it refuses while the engine is busy) until the time is up.
    const std::int64_t end = NowMs() + milliseconds;
    while (!aborted_) {
        const std::int64_t left = end - NowMs();
        if (left <= 0) {
            break;
        }
        QEventLoop loop;
        QEventLoop* outer = loop_;
        loop_ = &loop;
        QTimer::singleShot(static_cast<int>(left), &loop, &QEventLoop::quit);
        loop.exec();
        loop_ = outer;
    }
}

void EventLoopClock::Abort() {
    aborted_ = true;
    if (loop_ != nullptr) {
        loop_->quit();
    }
}

} // namespace varenta

#include "varenta/net/socket/NetTimer.h"

#include <QTimer>

namespace varenta {

QtNetTimer::QtNetTimer() : timer_(std::make_unique<QTimer>()) {
    timer_->setSingleShot(true);
    QObject::connect(timer_.get(), &QTimer::timeout, [this] {
        // The call may destroy this timer's owner: run a copy.
        const auto call = expired;
        if (call) {
            call();
        }
    });
}

QtNetTimer::~QtNetTimer() = default;

void QtNetTimer::Start(int milliseconds) {
    timer_->start(milliseconds);
}

void QtNetTimer::Stop() {
    timer_->stop();
}

} // namespace varenta

#include "kiv/shell/KivQuitSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace kiv {

namespace {

int gPipe[2] = {-1, -1};
struct sigaction gOldInt;
struct sigaction gOldTerm;

// Runs in the signal's context: only write(2), which is safe there.
void OnSignal(int signalNumber) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a request; nothing is lost by dropping this.
    [[maybe_unused]] const ssize_t n = ::write(gPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
    if (gPipe[0] >= 0 || ::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    struct sigaction action = {};
    action.sa_handler = &OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &gOldInt);
    ::sigaction(SIGTERM, &action, &gOldTerm);
    notifier_ = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::ReadPipe);
}

QuitSignals::~QuitSignals() {
    if (notifier_ == nullptr) {
        return;
    }
    ::sigaction(SIGINT, &gOldInt, nullptr);
    ::sigaction(SIGTERM, &gOldTerm, nullptr);
    delete notifier_;
    ::close(gPipe[0]);
    ::close(gPipe[1]);
    gPipe[0] = gPipe[1] = -1;
}

void QuitSignals::ReadPipe() {
    unsigned char bytes[16];
    int first = 0;
    for (ssize_t n; (n = ::read(gPipe[0], bytes, sizeof bytes)) > 0;) {
        if (first == 0) {
            first = bytes[0];
        }
    }
    if (first == 0 || received_ != 0) {
        return;
    }
    received_ = first;
    emit Requested(first);
}

} // namespace kiv

// Helpers of the socket tests: an event recorder and a bounded wait for the
// loop to deliver what the loopback already carries.
#pragma once

#include "varenta/net/socket/TcpSocket.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace varenta::testing {

// Runs the Qt loop until done() holds. A ticking timer wakes the loop now and
// then, so that an event that never comes fails the test after a few
// thousand rounds instead of hanging it.
inline bool PumpUntil(const std::function<bool()>& done) {
    QTimer tick;
    tick.start(10);
    for (int round = 0; round < 3000; ++round) {
        if (done()) {
            return true;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return done();
}

inline void PumpBriefly() {
    for (int round = 0; round < 20; ++round) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

struct RecordingEvents : SocketEvents {
    std::vector<std::string> seen;
    std::vector<SocketError> errors;
    std::string received;
    bool acceptOnAvailable = true;
    bool readOnData = true;

    int Count(const std::string& name) const {
        int n = 0;
        for (const std::string& s : seen) {
            n += s == name ? 1 : 0;
        }
        return n;
    }
    void DataAvailable(TcpSocket& socket) override {
        seen.push_back("data");
        if (readOnData) {
            received += socket.ReceiveAvailable();
        }
    }
    void DataNeeded(TcpSocket&) override { seen.push_back("needed"); }
    void SessionAvailable(TcpSocket& socket) override {
        seen.push_back("available");
        if (acceptOnAvailable) {
            socket.Accept();
        }
    }
    void SessionConnected(TcpSocket&) override { seen.push_back("connected"); }
    void SessionClosed(TcpSocket&) override { seen.push_back("closed"); }
    void ErrorOccurred(TcpSocket&, const SocketError& error) override {
        seen.push_back("error");
        errors.push_back(error);
    }
};

} // namespace varenta::testing

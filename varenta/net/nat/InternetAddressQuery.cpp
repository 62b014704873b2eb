#include "varenta/net/nat/InternetAddressQuery.h"

#include <cstring>
#include <string>

namespace varenta {

InternetAddressQuery::InternetAddressQuery(std::string port, int timeoutMs)
    : port_(std::move(port)) {
    timeout_.setSingleShot(true);
    timeout_.setInterval(timeoutMs);
    QObject::connect(&timeout_, &QTimer::timeout, [this] {
        Finish(QString(), std::string(texts::kIdServerSilent) +
                              std::to_string(timeout_.interval() / 1000) + " s");
    });
}

InternetAddressQuery::~InternetAddressQuery() {
    Cancel();
}

void InternetAddressQuery::Start(const QString& server, std::function<void(const QString&)> done) {
    Cancel();
    done_ = std::move(done);
    socket_ = std::make_unique<TcpSocket>(watcher_);
    socket_->SetEvents(this);
    socket_->IPAddr = server.toStdString();
    socket_->Port = port_;
    timeout_.start();
    // A failure to even start (a name that does not resolve) is reported
    // from inside Connect; its answer is still handed over from the loop.
    starting_ = true;
    socket_->Connect();
    starting_ = false;
}

void InternetAddressQuery::Cancel() {
    ++generation_;
    timeout_.stop();
    done_ = nullptr;
    if (socket_) {
        socket_->SetEvents(nullptr);
        socket_->Disconnect();
        socket_.reset();
    }
}

void InternetAddressQuery::SessionConnected(TcpSocket& socket) {
    Finish(QString::fromStdString(TcpSocket::LocalAddress(socket.Socket())));
}

// In the system's own words where it gave some ("Connection refused"),
// else in the socket's ("Host not found").
void InternetAddressQuery::ErrorOccurred(TcpSocket&, const SocketError& error) {
    Finish(QString(),
           error.systemError != 0 ? std::strerror(error.systemError) : std::string(error.text));
}

void InternetAddressQuery::SessionClosed(TcpSocket&) {
    Finish(QString(), std::string(texts::kIdServerClosed));
}

void InternetAddressQuery::Finish(const QString& address, std::string problem) {
    problem_ = address.isEmpty() ? std::move(problem) : std::string();
    auto done = std::move(done_);
    done_ = nullptr;
    timeout_.stop();
    if (socket_) {
        socket_->SetEvents(nullptr);
        socket_->Disconnect();
        // The socket may be the caller of this event: it lives on, closed,
        // until the next answer replaces it.
        retired_ = std::move(socket_);
    }
    if (!done) {
        return;
    }
    if (starting_) {
        watcher_.Defer([this, done, address, generation = generation_] {
            if (generation == generation_) {
                done(address);
            }
        });
        return;
    }
    done(address);
}

} // namespace varenta

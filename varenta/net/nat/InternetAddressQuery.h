// The address this machine shows the Internet: the own end of a TCP
// connection to the identification server's port 80. The connect runs
// without blocking, limited to 30 seconds by a timer, so the connect dialog
// keeps painting and can be cancelled while the server is slow to answer.
#pragma once

#include "varenta/net/nat/OwnAddressQuery.h"
#include "varenta/net/socket/NotifierWatcher.h"
#include "varenta/net/socket/TcpSocket.h"

#include <QTimer>
#include <QtGlobal>

#include <memory>
#include <string>
#include <string_view>

namespace varenta {

// Why the identification server gave no address; the window translates them
// where it shows them. The seconds and their unit follow the first.
namespace texts {
inline constexpr std::string_view kIdServerSilent =
    QT_TRANSLATE_NOOP("varenta", "no answer within ");
inline constexpr std::string_view kIdServerClosed =
    QT_TRANSLATE_NOOP("varenta", "the server closed the connection");
} // namespace texts

class InternetAddressQuery : public OwnAddressQuery, private SocketEvents {
public:
    static constexpr int kTimeoutMs = 30000;

    explicit InternetAddressQuery(std::string port = "80", int timeoutMs = kTimeoutMs);
    ~InternetAddressQuery() override;

    void Start(const QString& server, std::function<void(const QString&)> done) override;
    void Cancel() override;
    int TimeoutMs() const override { return timeout_.interval(); }
    std::string Problem() const override { return problem_; }

private:
    void SessionConnected(TcpSocket& socket) override;
    void ErrorOccurred(TcpSocket& socket, const SocketError& error) override;
    void SessionClosed(TcpSocket& socket) override;
    void Finish(const QString& address, std::string problem = {});

    std::string port_;
    NotifierWatcher watcher_;
    std::unique_ptr<TcpSocket> socket_;
    std::unique_ptr<TcpSocket> retired_;
    QTimer timeout_;
    std::function<void(const QString&)> done_;
    std::string problem_;
    bool starting_ = false;
    int generation_ = 0; // a deferred answer of a cancelled query is dropped
};

} // namespace varenta

// Asks a STUN server over UDP which address and port this machine's
// packets come from: the address a partner on the Internet can reach. The
// request is repeated while no answer comes (after 0.5, 1.5 s...) and the
// query gives up after three seconds, so a caller can fall back to another
// way at once. Answers come from the watcher's loop, never from inside a
// call of the owner, exactly once per started query.
#pragma once

#include "varenta/net/nat/StunMessage.h"
#include "varenta/net/socket/NetTimer.h"
#include "varenta/net/socket/SocketWatcher.h"

#include <QtGlobal>

#include <sys/socket.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace varenta {

// Why a query found nothing; the window translates them where it shows
// them. The pieces ending in "(" are followed by the system's words or the
// server's error code, and ")".
namespace texts {
inline constexpr std::string_view kStunUnreachable =
    QT_TRANSLATE_NOOP("varenta", "the STUN server cannot be reached (");
inline constexpr std::string_view kStunSilent =
    QT_TRANSLATE_NOOP("varenta", "the STUN server did not answer");
inline constexpr std::string_view kStunRefused =
    QT_TRANSLATE_NOOP("varenta", "the STUN server refused the request (error ");
inline constexpr std::string_view kStunUnreadable =
    QT_TRANSLATE_NOOP("varenta", "the STUN server's answer could not be read");
} // namespace texts

class StunQuery {
public:
    static constexpr int kGiveUpMs = 3000;
    static constexpr int kFirstRepeatMs = 500;

    struct Result {
        bool found = false;
        std::string address; // what the server saw: dotted IPv4 or IPv6 text
        int port = 0;
        std::string problem; // why nothing was found, for a hint line
    };

    // The timer may be given (tests fire it by hand).
    explicit StunQuery(SocketWatcher& watcher, std::unique_ptr<NetTimer> timer = nullptr);
    ~StunQuery();
    StunQuery(const StunQuery&) = delete;
    StunQuery& operator=(const StunQuery&) = delete;

    // Starts a query to the server's address (IPv4 or IPv6), replacing a
    // running one, whose answer is then never given.
    void Start(const sockaddr_storage& server, socklen_t length,
               std::function<void(const Result&)> done);
    void Cancel();
    bool Running() const { return static_cast<bool>(done_); }
    // The local port of the running query's socket (0 when none).
    int LocalPort() const;

private:
    void Send();
    void Expired();
    void Readable();
    void Finish(Result result);
    void CloseSocket();

    SocketWatcher& watcher_;
    std::unique_ptr<NetTimer> timer_;
    std::function<void(const Result&)> done_;
    int fd_ = -1;
    sockaddr_storage server_{};
    socklen_t serverLength_ = 0;
    StunTransactionId id_{};
    std::string request_;
    int elapsedMs_ = 0;      // time of the running query, as the timer counted it
    int nextMs_ = 0;         // when the timer fires next
    int repeatMs_ = 0;       // the interval after the next send
    std::string unreadable_; // an unreadable answer came: said if nothing better does
    std::shared_ptr<int> generation_ = std::make_shared<int>(0);
};

} // namespace varenta

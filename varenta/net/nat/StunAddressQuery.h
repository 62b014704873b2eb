// The address this machine shows the Internet, as a STUN server sees it:
// the server text ("host", "host:port"; port 3478 when none is given) is
// looked up without blocking, then asked over UDP. An empty answer (no
// server, no answer within three seconds, an unusable one) lets the connect
// dialog fall back to the identification server.
#pragma once

#include "varenta/net/nat/OwnAddressQuery.h"
#include "varenta/net/nat/StunQuery.h"
#include "varenta/net/socket/NameLookup.h"
#include "varenta/net/socket/NotifierWatcher.h"

#include <QObject>

#include <memory>
#include <string>
#include <string_view>

namespace varenta {

// Why the server's name gave no address to ask; the window translates them
// where it shows them.
namespace texts {
inline constexpr std::string_view kStunLookupSlow =
    QT_TRANSLATE_NOOP("varenta", "the STUN server's name could not be looked up in time");
inline constexpr std::string_view kStunNameUnusable =
    QT_TRANSLATE_NOOP("varenta", "the STUN server's name is not usable");
inline constexpr std::string_view kStunNameUnknown =
    QT_TRANSLATE_NOOP("varenta", "the STUN server's name is unknown");
} // namespace texts

class StunAddressQuery : public OwnAddressQuery {
public:
    // A server named by host name is looked up first; each step is given
    // up after the query's own limit.
    static constexpr int kLongestMs = 2 * StunQuery::kGiveUpMs;

    // The timers of the name look-up and of the query may be given (tests).
    explicit StunAddressQuery(std::unique_ptr<NetTimer> lookupTimer = nullptr,
                              std::unique_ptr<NetTimer> queryTimer = nullptr);
    ~StunAddressQuery() override;

    void Start(const QString& server, std::function<void(const QString&)> done) override;
    void Cancel() override;
    int TimeoutMs() const override { return kLongestMs; }

    // The last finished query: the port the server saw too, or why nothing
    // was found.
    const StunQuery::Result& LastResult() const { return last_; }
    std::string Problem() const override { return last_.found ? std::string() : last_.problem; }

private:
    void LookedUp(const NameLookup::Answer& answer);
    void Ask(const sockaddr_storage& server, socklen_t length);
    void Finish(const StunQuery::Result& result);

    NotifierWatcher watcher_;
    std::unique_ptr<NetTimer> lookupTimer_;
    StunQuery query_;
    NameLookup lookup_;
    // Deferred answers go to this; one of a cancelled query is known by its
    // older generation and dropped.
    QObject answerContext_;
    unsigned generation_ = 0;
    std::function<void(const QString&)> done_;
    StunQuery::Result last_;
};

} // namespace varenta

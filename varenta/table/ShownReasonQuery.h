// An address query whose reason for finding nothing reads in the user's
// language. The network code only marks its reasons; the connect dialog
// shows them inside its own note, so the table hands it its queries in this
// wrapping.
#pragma once

#include "varenta/net/nat/OwnAddressQuery.h"

#include <memory>

namespace varenta {

class ShownReasonQuery : public OwnAddressQuery {
public:
    explicit ShownReasonQuery(std::unique_ptr<OwnAddressQuery> query);

    void Start(const QString& server, std::function<void(const QString&)> done) override;
    void Cancel() override;
    int TimeoutMs() const override;
    // The query's own reason as ShownText shows it (UTF-8).
    std::string Problem() const override;

    // `query` wrapped; none stays none (the dialog then asks no server).
    static std::unique_ptr<OwnAddressQuery> Wrap(std::unique_ptr<OwnAddressQuery> query);

private:
    std::unique_ptr<OwnAddressQuery> query_;
};

} // namespace varenta

#include "varenta/net/session/DecideRole.h"

namespace varenta {

DecidedRole DecideRole(std::string_view own, std::string_view partner,
                       const std::function<bool()>& askBeServer) {
    // string_view compares as unsigned bytes, with a proper prefix smaller.
    const int order = own.compare(partner);
    if (order == 0) {
        return askBeServer && askBeServer() ? DecidedRole::Server : DecidedRole::Client;
    }
    return order < 0 ? DecidedRole::Server : DecidedRole::Client;
}

} // namespace varenta

// Which of two programs that want to play each other listens and which one
// connects. Both run the same decision on the same pair of address texts,
// seen from opposite sides, so exactly one of them becomes the server.
#pragma once

#include <functional>
#include <string_view>

namespace varenta {

enum class DecidedRole { Server, Client };

// The side whose own address text is smaller listens. The texts are compared
// byte by byte, not as numbers ("10.0.0.9" is greater than "10.0.0.10"), and
// a proper prefix counts as smaller. With equal texts the user is asked
// (askBeServer) whether this side shall listen; the partner's user must then
// answer the other way.
DecidedRole DecideRole(std::string_view own, std::string_view partner,
                       const std::function<bool()>& askBeServer);

} // namespace varenta

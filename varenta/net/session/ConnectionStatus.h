// The connection's state as the status bar shows it, and its text.
#pragma once

#include <string>
#include <string_view>

namespace varenta {

enum class ConnectionStatus { NotConnected = 0, Waiting = 1, Established = 2 };

namespace texts {
inline constexpr std::string_view kStatusTexts[3] = {"Not connected", "Waiting for Connection...",
                                                     "Connection established with "};
} // namespace texts

// The status bar's text: an established connection names the partner.
std::string ConnectionStatusText(ConnectionStatus status, std::string_view partnerNickname);

} // namespace varenta

// The connection's state as the status bar shows it, and its text.
#pragma once

#include <QtGlobal>

#include <string>
#include <string_view>

namespace varenta {

enum class ConnectionStatus { NotConnected = 0, Waiting = 1, Established = 2 };

namespace texts {
inline constexpr std::string_view kStatusTexts[3] = {
    QT_TRANSLATE_NOOP("varenta", "Not connected"),
    QT_TRANSLATE_NOOP("varenta", "Waiting for Connection..."),
    QT_TRANSLATE_NOOP("varenta", "Connection established with ")};
} // namespace texts

// The status bar's text: an established connection names the partner.
std::string ConnectionStatusText(ConnectionStatus status, std::string_view partnerNickname);

} // namespace varenta

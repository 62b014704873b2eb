// Fixed texts of the connection's life: which side listens, the connect
// retries and the game port on the router.
#pragma once

#include <QtGlobal>

namespace varenta::texts {

inline constexpr const char* kAskSameAddress = QT_TRANSLATE_NOOP(
    "varenta",
    "You and your partner have the same IP address. Should this instance of Varenta be the "
    "server?");
inline constexpr const char* kAskSameAddressNote =
    QT_TRANSLATE_NOOP("varenta", "Note: this means that your partner must choose 'No' here.");
// Which way the session's bytes go, for the status line and the chat.
inline constexpr const char* kConnectedThroughRelay =
    QT_TRANSLATE_NOOP("varenta", "Connected through the relay at %1.");
inline constexpr const char* kConnectedDirectly =
    QT_TRANSLATE_NOOP("varenta", "Connected directly.");
// Two copies on one computer that both chose to be the server (%1 the port).
inline constexpr const char* kPortTakenByOtherCopy = QT_TRANSLATE_NOOP(
    "varenta",
    "Another copy of Varenta on this computer is already waiting for its partner on port %1, "
    "so this copy cannot be the server. Connect again and answer \"No\" when asked whether "
    "this copy should be the server.");
// Connect attempts that keep being refused (%1 the partner, %2 the port, %3 the attempts).
inline constexpr const char* kNobodyListens = QT_TRANSLATE_NOOP(
    "varenta",
    "Nobody is listening at %1, port %2, yet (%3 attempts refused). One of the two players "
    "must be the server: if both of you answered \"No\", one of you should disconnect, "
    "connect again and answer \"Yes\". Still trying...");
// The game port on the router while this side listens (%1 the port, %2 why not).
inline constexpr const char* kPortOpened =
    QT_TRANSLATE_NOOP("varenta", "Port %1 opened on the router");
inline constexpr const char* kPortNotOpened = QT_TRANSLATE_NOOP(
    "varenta",
    "Port %1 could not be opened on the router: %2. A partner outside your network may not "
    "reach you; games on your own network are not affected.");
inline constexpr const char* kPortLost =
    QT_TRANSLATE_NOOP("varenta", "The router no longer keeps port %1 open: %2.");
inline constexpr const char* kPinholeOpened =
    QT_TRANSLATE_NOOP("varenta", "The router's IPv6 firewall lets partners in to port %1 at %2");
inline constexpr const char* kPinholeNotOpened = QT_TRANSLATE_NOOP(
    "varenta", "The router's IPv6 firewall could not be opened for port %1 at %2: %3.");
inline constexpr const char* kPinholeLost = QT_TRANSLATE_NOOP(
    "varenta", "The router's IPv6 firewall no longer lets partners in to port %1 at %2: %3.");

} // namespace varenta::texts

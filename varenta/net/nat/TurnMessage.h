// The messages of a relay server (TURN, with TCP relaying): requests with
// the long-term credentials (USERNAME, REALM, NONCE and MESSAGE-INTEGRITY,
// an HMAC-SHA1 keyed with MD5(user:realm:password)) and a FINGERPRINT, and
// the reading of whatever the server sends on a TCP stream, where messages
// follow each other framed by their header's length. No sockets in here.
#pragma once

#include "varenta/net/nat/StunCodec.h"

#include <QtGlobal>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varenta {

inline constexpr int kTurnDefaultPort = 3478;
inline constexpr int kTurnTlsPort = 5349;

namespace turn {
// Methods.
inline constexpr std::uint16_t kAllocate = 0x003;
inline constexpr std::uint16_t kRefresh = 0x004;
inline constexpr std::uint16_t kCreatePermission = 0x008;
inline constexpr std::uint16_t kConnectionBind = 0x00B;
inline constexpr std::uint16_t kConnectionAttempt = 0x00C;
// Attributes.
inline constexpr std::uint16_t kUsername = 0x0006;
inline constexpr std::uint16_t kMessageIntegrity = 0x0008;
inline constexpr std::uint16_t kErrorCode = 0x0009;
inline constexpr std::uint16_t kLifetime = 0x000D;
inline constexpr std::uint16_t kXorPeerAddress = 0x0012;
inline constexpr std::uint16_t kRealm = 0x0014;
inline constexpr std::uint16_t kNonce = 0x0015;
inline constexpr std::uint16_t kXorRelayedAddress = 0x0016;
inline constexpr std::uint16_t kRequestedTransport = 0x0019;
inline constexpr std::uint16_t kXorMappedAddress = 0x0020;
inline constexpr std::uint16_t kConnectionId = 0x002A;
inline constexpr std::uint16_t kFingerprint = 0x8028;
// The error codes the client answers by itself.
inline constexpr int kUnauthorized = 401;
inline constexpr int kStaleNonce = 438;
} // namespace turn

// What signs a request: the user, the realm and nonce the server gave, and
// the key made of user, realm and password.
struct TurnCredentials {
    std::string user;
    std::string realm;
    std::string nonce;
    std::string key; // TurnKey(user, realm, password)
};
std::string TurnKey(std::string_view user, std::string_view realm, std::string_view password);

class TurnMessage {
public:
    enum class Class { Request = 0, Indication = 1, Success = 2, Error = 3 };

    std::uint16_t method = 0;
    Class kind = Class::Request;
    stun::TransactionId id{};
    std::vector<std::pair<std::uint16_t, std::string>> attributes; // in order
    // When read: a MESSAGE-INTEGRITY was there and matched the key given.
    bool authenticated = false;

    TurnMessage() = default;
    TurnMessage(std::uint16_t method, Class kind, const stun::TransactionId& id)
        : method(method), kind(kind), id(id) {}

    TurnMessage& Add(std::uint16_t type, std::string value);
    TurnMessage& AddNumber(std::uint16_t type, std::uint32_t value);
    // An XOR-ed address attribute; nothing is added for a text that is no
    // IPv4 or IPv6 address.
    TurnMessage& AddAddress(std::uint16_t type, const std::string& address, int port);

    // The bytes: the attributes, then (with credentials) USERNAME, REALM,
    // NONCE and MESSAGE-INTEGRITY, then the FINGERPRINT.
    std::string Encode(const TurnCredentials* credentials = nullptr) const;
    // As a server answers: signed with the key alone (when given).
    std::string EncodeAnswer(const std::string* key) const;

    // The first attribute of this type.
    const std::string* Find(std::uint16_t type) const;
    std::optional<std::uint32_t> Number(std::uint16_t type) const;   // a four-byte value
    std::optional<stun::Endpoint> Address(std::uint16_t type) const; // an XOR-ed address
    int ErrorCode() const; // 300..699 for an error answer that says; else 0
    std::string ErrorReason() const;
};

// The message type's two halves.
std::uint16_t TurnMessageType(std::uint16_t method, TurnMessage::Class kind);

// How many bytes the message at the start of a TCP stream takes: 0 while
// its header has not all arrived, nothing when the bytes cannot be STUN.
std::optional<std::size_t> TurnFrameLength(std::string_view stream);

// Why bytes read are no usable message, in a few words; the window
// translates them where it shows them (inside the relay's parentheses).
namespace texts {
inline constexpr std::string_view kReadNotStun = QT_TRANSLATE_NOOP("varenta", "not a STUN message");
inline constexpr std::string_view kReadPastEnd =
    QT_TRANSLATE_NOOP("varenta", "an attribute runs past the message's end");
inline constexpr std::string_view kReadWrongFingerprint =
    QT_TRANSLATE_NOOP("varenta", "a wrong fingerprint");
inline constexpr std::string_view kReadIntegritySize =
    QT_TRANSLATE_NOOP("varenta", "a message integrity of the wrong size");
inline constexpr std::string_view kReadIntegrityMismatch =
    QT_TRANSLATE_NOOP("varenta", "a message integrity that does not match");
inline constexpr std::string_view kReadLongText =
    QT_TRANSLATE_NOOP("varenta", "an over-long text attribute");
} // namespace texts

struct TurnRead {
    std::optional<TurnMessage> message; // nothing: the bytes are no such message
    std::string problem;                // why not, in a few words
};

// Reads one whole message. A FINGERPRINT, when present, must be the last
// attribute and match; a MESSAGE-INTEGRITY is checked against key when one
// is given (attributes after it, other than the FINGERPRINT, are dropped,
// since nothing vouches for them).
TurnRead ReadTurnMessage(std::string_view bytes, const std::string* key = nullptr);

} // namespace varenta

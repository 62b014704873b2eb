#include "varenta/net/nat/TurnMessage.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QMessageAuthenticationCode>

namespace varenta {

namespace {

constexpr std::size_t kIntegritySize = 20; // an HMAC-SHA1
constexpr std::uint32_t kFingerprintXor = 0x5354554E;
constexpr std::size_t kLongestText = 763; // USERNAME, REALM, NONCE and reasons are shorter

std::uint32_t Crc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const char c : bytes) {
        crc ^= static_cast<std::uint8_t>(c);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
        }
    }
    return ~crc;
}

std::string Hmac(std::string_view key, std::string_view bytes) {
    const QByteArray mac = QMessageAuthenticationCode::hash(
        QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())),
        QByteArray(key.data(), static_cast<qsizetype>(key.size())), QCryptographicHash::Sha1);
    return {mac.constData(), static_cast<std::size_t>(mac.size())};
}

// The message's first `end` bytes with the header's length saying that the
// message ends `extra` bytes after them: what MESSAGE-INTEGRITY and
// FINGERPRINT are computed over.
std::string Covered(std::string_view message, std::size_t end, std::size_t extra) {
    std::string covered(message.substr(0, end));
    const auto length = static_cast<std::uint16_t>(end - stun::kHeaderSize + extra);
    covered[2] = static_cast<char>(length >> 8);
    covered[3] = static_cast<char>(length & 0xFF);
    return covered;
}

void AppendAttribute(std::string& message, std::uint16_t type, std::string_view value) {
    message += stun::AttributeBytes(type, value);
    const auto length = static_cast<std::uint16_t>(message.size() - stun::kHeaderSize);
    message[2] = static_cast<char>(length >> 8);
    message[3] = static_cast<char>(length & 0xFF);
}

} // namespace

std::string TurnKey(std::string_view user, std::string_view realm, std::string_view password) {
    std::string text(user);
    text.append(":").append(realm).append(":").append(password);
    const QByteArray digest = QCryptographicHash::hash(
        QByteArray(text.data(), static_cast<qsizetype>(text.size())), QCryptographicHash::Md5);
    return {digest.constData(), static_cast<std::size_t>(digest.size())};
}

std::uint16_t TurnMessageType(std::uint16_t method, TurnMessage::Class kind) {
    const auto c = static_cast<unsigned>(kind);
    return static_cast<std::uint16_t>(((method & 0xF80U) << 2) | ((method & 0x070U) << 1) |
                                      (method & 0x00FU) | ((c & 2U) << 7) | ((c & 1U) << 4));
}

TurnMessage& TurnMessage::Add(std::uint16_t type, std::string value) {
    attributes.emplace_back(type, std::move(value));
    return *this;
}

TurnMessage& TurnMessage::AddNumber(std::uint16_t type, std::uint32_t value) {
    std::string bytes;
    stun::Put32(bytes, value);
    return Add(type, std::move(bytes));
}

TurnMessage& TurnMessage::AddAddress(std::uint16_t type, const std::string& address, int port) {
    if (auto value = stun::AddressValue(address, port, true, id)) {
        Add(type, std::move(*value));
    }
    return *this;
}

namespace {

// Signs the message with the key (when given) and ends it with the
// FINGERPRINT.
std::string Sealed(std::string out, const std::string* key) {
    if (key != nullptr) {
        const std::string mac = Hmac(*key, Covered(out, out.size(), 4 + kIntegritySize));
        AppendAttribute(out, turn::kMessageIntegrity, mac);
    }
    std::string crc;
    stun::Put32(crc, Crc32(Covered(out, out.size(), 8)) ^ kFingerprintXor);
    AppendAttribute(out, turn::kFingerprint, crc);
    return out;
}

} // namespace

std::string TurnMessage::Encode(const TurnCredentials* credentials) const {
    std::string out = stun::Header(TurnMessageType(method, kind), 0, id);
    for (const auto& [type, value] : attributes) {
        AppendAttribute(out, type, value);
    }
    if (credentials == nullptr) {
        return Sealed(std::move(out), nullptr);
    }
    AppendAttribute(out, turn::kUsername, credentials->user);
    AppendAttribute(out, turn::kRealm, credentials->realm);
    AppendAttribute(out, turn::kNonce, credentials->nonce);
    return Sealed(std::move(out), &credentials->key);
}

std::string TurnMessage::EncodeAnswer(const std::string* key) const {
    std::string out = stun::Header(TurnMessageType(method, kind), 0, id);
    for (const auto& [type, value] : attributes) {
        AppendAttribute(out, type, value);
    }
    return Sealed(std::move(out), key);
}

const std::string* TurnMessage::Find(std::uint16_t type) const {
    for (const auto& attribute : attributes) {
        if (attribute.first == type) {
            return &attribute.second;
        }
    }
    return nullptr;
}

std::optional<std::uint32_t> TurnMessage::Number(std::uint16_t type) const {
    const std::string* value = Find(type);
    if (value == nullptr || value->size() != 4) {
        return std::nullopt;
    }
    return stun::Get32(*value, 0);
}

std::optional<stun::Endpoint> TurnMessage::Address(std::uint16_t type) const {
    const std::string* value = Find(type);
    if (value == nullptr) {
        return std::nullopt;
    }
    return stun::ReadAddress(*value, true, id);
}

int TurnMessage::ErrorCode() const {
    const std::string* value = Find(turn::kErrorCode);
    if (kind != Class::Error || value == nullptr || value->size() < 4) {
        return 0;
    }
    const int hundreds = static_cast<std::uint8_t>((*value)[2]) & 0x07;
    const int number = static_cast<std::uint8_t>((*value)[3]);
    if (hundreds < 3 || hundreds > 6 || number > 99) {
        return 0;
    }
    return hundreds * 100 + number;
}

std::string TurnMessage::ErrorReason() const {
    const std::string* value = Find(turn::kErrorCode);
    if (value == nullptr || value->size() < 4) {
        return {};
    }
    // Shown to the user: printable ASCII only, whatever the server sent.
    std::string reason;
    for (const char c : value->substr(4)) {
        if (c >= ' ' && c <= '~') {
            reason += c;
        }
    }
    return reason;
}

std::optional<std::size_t> TurnFrameLength(std::string_view stream) {
    if (!stream.empty() && (static_cast<std::uint8_t>(stream[0]) & 0xC0) != 0) {
        return std::nullopt;
    }
    if (stream.size() < stun::kHeaderSize) {
        return 0;
    }
    if (stun::Get32(stream, 4) != stun::kMagicCookie) {
        return std::nullopt;
    }
    const std::size_t length = stun::Get16(stream, 2);
    if (length % 4 != 0) {
        return std::nullopt;
    }
    return stun::kHeaderSize + length;
}

TurnRead ReadTurnMessage(std::string_view bytes, const std::string* key) {
    TurnRead read;
    const auto frame = TurnFrameLength(bytes);
    if (!frame || *frame != bytes.size()) {
        read.problem = texts::kReadNotStun;
        return read;
    }
    const auto attributes = stun::Attributes(bytes);
    if (!attributes) {
        read.problem = texts::kReadPastEnd;
        return read;
    }
    const std::uint16_t type = stun::Get16(bytes, 0);
    TurnMessage message;
    message.method = static_cast<std::uint16_t>((type & 0x000FU) | ((type >> 1) & 0x0070U) |
                                                ((type >> 2) & 0x0F80U));
    message.kind = static_cast<TurnMessage::Class>(((type >> 7) & 2U) | ((type >> 4) & 1U));
    message.id = stun::IdOf(bytes);
    bool integritySeen = false;
    for (std::size_t i = 0; i < attributes->size(); ++i) {
        const stun::Attribute& attribute = (*attributes)[i];
        if (attribute.type == turn::kFingerprint) {
            if (i + 1 != attributes->size() || attribute.value.size() != 4 ||
                stun::Get32(attribute.value, 0) !=
                    (Crc32(Covered(bytes, attribute.offset, 8)) ^ kFingerprintXor)) {
                read.problem = texts::kReadWrongFingerprint;
                return read;
            }
            break;
        }
        if (integritySeen) {
            continue;
        }
        if (attribute.type == turn::kMessageIntegrity) {
            integritySeen = true;
            if (attribute.value.size() != kIntegritySize) {
                read.problem = texts::kReadIntegritySize;
                return read;
            }
            if (key != nullptr) {
                const std::string expected =
                    Hmac(*key, Covered(bytes, attribute.offset, 4 + kIntegritySize));
                if (expected != attribute.value) {
                    read.problem = texts::kReadIntegrityMismatch;
                    return read;
                }
                message.authenticated = true;
            }
            continue;
        }
        const bool text = attribute.type == turn::kUsername || attribute.type == turn::kRealm ||
                          attribute.type == turn::kNonce || attribute.type == turn::kErrorCode;
        if (text && attribute.value.size() > kLongestText) {
            read.problem = texts::kReadLongText;
            return read;
        }
        message.attributes.emplace_back(attribute.type, std::string(attribute.value));
    }
    read.message = std::move(message);
    return read;
}

} // namespace varenta

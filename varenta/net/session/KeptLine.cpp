// The line record of a game that waits for its partner, written into the
// kept network game when the program closes and read when it starts again.
#include "varenta/engine/VarentaEngine.h"
#include "varenta/net/session/NetworkSession.h"

#include <charconv>
#include <optional>

namespace varenta {

namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";
constexpr int kMostMoves = 1000000000;

std::string ToHex(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += kHexDigits[b >> 4];
        out += kHexDigits[b & 0xF];
    }
    return out;
}

std::optional<std::string> FromHex(std::string_view hex) {
    if (hex.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string out;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const std::size_t high = kHexDigits.find(hex[i]);
        const std::size_t low = kHexDigits.find(hex[i + 1]);
        if (high == std::string_view::npos || low == std::string_view::npos) {
            return std::nullopt;
        }
        out += static_cast<char>(high << 4 | low);
    }
    return out;
}

std::optional<int> Number(std::string_view text, int most) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > most) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::string PartnerOfKeptLine(std::string_view record) {
    constexpr std::string_view kKey = "nick ";
    for (std::size_t at = 0; at < record.size();) {
        const std::size_t end = std::min(record.find('\n', at), record.size());
        const std::string_view item = record.substr(at, end - at);
        if (item.substr(0, kKey.size()) == kKey) {
            return FromHex(item.substr(kKey.size())).value_or(std::string());
        }
        at = end + 1;
    }
    return {};
}

std::string NetworkSession::KeptLineRecord() const {
    if (!suspended_ || role_ == SessionRole::Idle) {
        return {};
    }
    std::string out;
    const auto line = [&out](std::string_view key, std::string_view value) {
        out.append(key).append(" ").append(value).append("\n");
    };
    line("role", role_ == SessionRole::Server ? "server" : "client");
    line("listen", std::to_string(listenedPort_));
    line("host", ToHex(socket_->IPAddr));
    line("port", ToHex(socket_->Port));
    line("nick", ToHex(partnerNickname_));
    line("rules", ToHex(keptPartnerRules_));
    line("sent", std::to_string(movesSent_));
    line("received", std::to_string(movesReceived_));
    line("hands", std::to_string(handsScored_));
    line("midturn", partnerTurnStart_ || partnerMidTurnUnknown_ ? "1" : "0");
    line("deal", dealAwaited_ ? "1" : "0");
    for (const std::string& frame : sentLog_) {
        line("frame", ToHex(frame));
    }
    return out;
}

bool NetworkSession::WaitWithKeptLine(std::string_view record) {
    if (role_ != SessionRole::Idle || suspended_) {
        return false;
    }
    // Everything is read and checked before anything changes.
    std::optional<SessionRole> role;
    std::optional<int> listen, sent, received, hands, midTurn, deal;
    std::optional<std::string> host, port, nick, rules;
    std::deque<std::string> log;
    while (!record.empty()) {
        const std::size_t end = record.find('\n');
        if (end == std::string_view::npos) {
            return false;
        }
        const std::string_view item = record.substr(0, end);
        record.remove_prefix(end + 1);
        const std::size_t space = item.find(' ');
        if (space == std::string_view::npos) {
            return false;
        }
        const std::string_view key = item.substr(0, space);
        const std::string_view value = item.substr(space + 1);
        const auto once = [](auto& field, auto parsed) {
            if (field.has_value() || !parsed.has_value()) {
                return false;
            }
            field = std::move(parsed);
            return true;
        };
        bool ok = false;
        if (key == "role") {
            ok = !role && (value == "server" || value == "client");
            role = value == "server" ? SessionRole::Server : SessionRole::Client;
        } else if (key == "listen") {
            ok = once(listen, Number(value, 65535));
        } else if (key == "host") {
            ok = once(host, FromHex(value));
        } else if (key == "port") {
            ok = once(port, FromHex(value));
        } else if (key == "nick") {
            ok = once(nick, FromHex(value));
        } else if (key == "rules") {
            ok = once(rules, FromHex(value));
        } else if (key == "sent") {
            ok = once(sent, Number(value, kMostMoves));
        } else if (key == "received") {
            ok = once(received, Number(value, kMostMoves));
        } else if (key == "hands") {
            ok = once(hands, Number(value, kMostMoves));
        } else if (key == "midturn") {
            ok = once(midTurn, Number(value, 1));
        } else if (key == "deal") {
            ok = once(deal, Number(value, 1));
        } else if (key == "frame") {
            std::optional<std::string> frame = FromHex(value);
            ok = frame.has_value() && !frame->empty() && frame->size() <= 256 &&
                 frame->back() == static_cast<char>(kFrameEnd) && log.size() < kResendKept;
            if (ok) {
                log.push_back(std::move(*frame));
            }
        }
        if (!ok) {
            return false;
        }
    }
    if (!role || !listen || !host || !port || !nick || !rules || !sent || !received || !hands ||
        !midTurn || !deal || static_cast<int>(log.size()) > *sent || nick->size() > 255) {
        return false;
    }
    if (*role == SessionRole::Client && (host->empty() || port->empty())) {
        return false;
    }
    resumable_ = true;
    suspended_ = true;
    partnerNickname_ = *nick;
    keptPartnerRules_ = *rules;
    movesSent_ = *sent;
    movesReceived_ = *received;
    handsScored_ = *hands;
    sentLog_ = std::move(log);
    listenedPort_ = *listen;
    partnerMidTurnUnknown_ = *midTurn != 0;
    dealAwaited_ = *deal != 0;
    // The table is this partner's game again, waiting for them.
    engine_.SetNetworkOpponent(partnerNickname_);
    engine_.SetReporter(this);
    engine_.SetDealsLevelHands(*role == SessionRole::Server);
    if (*role == SessionRole::Server) {
        return Listen(std::to_string(listenedPort_), portTakenHint_);
    }
    Connect(*host, *port);
    return true;
}

} // namespace varenta

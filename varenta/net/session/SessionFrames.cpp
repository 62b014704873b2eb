#include "varenta/net/session/SessionFrames.h"

#include <array>

namespace varenta {

namespace {

constexpr std::array<std::string_view, 20> kKeywords = {
    "OK",          "SENDAGAIN",    "QUIT",     "CHAT",         "PLAYERID",
    "DEAL",        "MELD",         "UNDO",     "DISCARD",      "DRAWNEW",
    "DRAWPILETOP", "DRAWPILEREST", "UNDOPILE", "MELDWILDCARD", "DISCARDREDTHREE",
    "PASSDISCARD", "RULES",        "DIGEST",   "ALIVE",        "RESUME"};

// Where a cut at most `limit` bytes into text keeps whole UTF-8 characters.
std::size_t CharacterBoundary(std::string_view text, std::size_t limit) {
    if (limit >= text.size()) {
        return text.size();
    }
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return cut;
}

} // namespace

std::string_view KeywordText(Keyword keyword) {
    const auto index = static_cast<std::size_t>(keyword);
    return index < kKeywords.size() ? kKeywords[index] : std::string_view("UNKNOWN");
}

Keyword LookUpKeyword(std::string_view text) {
    for (std::size_t i = 0; i < kKeywords.size(); ++i) {
        if (kKeywords[i] == text) {
            return static_cast<Keyword>(i);
        }
    }
    return Keyword::Unknown;
}

std::string CleanField(std::string_view field) {
    std::string clean(field);
    for (char& c : clean) {
        if (c == kFieldSeparator || c == kFrameEnd) {
            c = '?';
        }
    }
    return clean;
}

std::string JoinFields(const std::vector<std::string_view>& fields) {
    std::string joined;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            joined += kFieldSeparator;
        }
        joined += CleanField(fields[i]);
    }
    return joined;
}

std::string BuildFrame(Keyword keyword, std::string_view payload) {
    std::string frame(KeywordText(keyword));
    frame += kFieldSeparator;
    const std::size_t room = kMaxFrameLength - 1 - frame.size();
    frame += payload.substr(0, CharacterBoundary(payload, room));
    frame += kFrameEnd;
    return frame;
}

SessionMessage ParseFrame(std::string_view frame) {
    if (!frame.empty() && frame.back() == kFrameEnd) {
        frame.remove_suffix(1);
    }
    SessionMessage message;
    const std::size_t separator = frame.find(kFieldSeparator);
    message.keywordText = std::string(frame.substr(0, separator));
    message.keyword = LookUpKeyword(message.keywordText);
    if (separator == std::string_view::npos) {
        return message;
    }
    message.payload = std::string(frame.substr(separator + 1));
    std::string_view rest = message.payload;
    while (!rest.empty()) {
        const std::size_t next = rest.find(kFieldSeparator);
        message.fields.emplace_back(rest.substr(0, next));
        if (next == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(next + 1);
        if (rest.empty()) {
            message.fields.emplace_back(); // a trailing separator ends an empty field
        }
    }
    return message;
}

std::optional<int> ParseNumberField(std::string_view field, int low, int high) {
    if (field.empty() || field.size() > 9) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

void FrameReader::Feed(std::string_view bytes, std::vector<std::string>& frames, int& oversized) {
    while (!bytes.empty()) {
        const std::size_t end = bytes.find(kFrameEnd);
        const std::string_view piece = bytes.substr(0, end);
        if (skipping_) {
            if (end == std::string_view::npos) {
                return; // still inside the overlong frame
            }
            skipping_ = false;
            ++oversized;
        } else if (pending_.size() + piece.size() + (end == std::string_view::npos ? 0 : 1) >
                   kMaxFrameLength) {
            pending_.clear();
            if (end == std::string_view::npos) {
                skipping_ = true;
                return;
            }
            ++oversized;
        } else if (end == std::string_view::npos) {
            pending_.append(piece);
            return;
        } else {
            pending_.append(piece);
            pending_ += kFrameEnd;
            frames.push_back(std::move(pending_));
            pending_.clear();
        }
        bytes.remove_prefix(end + 1);
    }
}

void FrameReader::Clear() {
    pending_.clear();
    skipping_ = false;
}

} // namespace varenta

// The session's wire format: frames of a keyword, the byte 0xFE, payload
// fields separated by 0xFE and the terminator 0xFF, at most 255 bytes in all.
// TCP keeps no frame boundaries, so the reader keeps a frame's beginning
// until its terminator arrives.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varenta {

enum class Keyword {
    Ok,
    SendAgain,
    Quit,
    Chat,
    PlayerId,
    Deal,
    Meld,
    Undo,
    Discard,
    DrawNew,
    DrawPileTop,
    DrawPileRest,
    UndoPile,
    MeldWildCard,
    DiscardRedThree,
    PassDiscard,
    Rules,
    // Added keywords, sent only to a partner that announced it understands
    // them (see kChecksAnnouncement): a fingerprint of the game, and a frame
    // that says the sender is still there.
    Digest,
    Alive,
    // Added too, sent only to a partner that announced it can go on with a
    // game whose connection was lost (see ResumeAnnouncement).
    Resume,
    Unknown,
};

inline constexpr char kFieldSeparator = static_cast<char>(0xFE);
inline constexpr char kFrameEnd = static_cast<char>(0xFF);
inline constexpr std::size_t kMaxFrameLength = 255;
inline constexpr int kProtocolVersion = 400;

std::string_view KeywordText(Keyword keyword);
// Any text that is not one of the keywords is Unknown.
Keyword LookUpKeyword(std::string_view text);

// keyword 0xFE payload 0xFF; a payload too long for 255 bytes is cut (never
// inside a UTF-8 character) so that the terminator always fits.
std::string BuildFrame(Keyword keyword, std::string_view payload);
// Fields joined by 0xFE; bytes 0xFE and 0xFF inside a field, which would
// change the frame's meaning, become '?'.
std::string JoinFields(const std::vector<std::string_view>& fields);
std::string CleanField(std::string_view field);

struct SessionMessage {
    Keyword keyword = Keyword::Unknown;
    std::string keywordText;         // as received
    std::string payload;             // between the first 0xFE and the terminator
    std::vector<std::string> fields; // the payload split at 0xFE (none when empty)
};

// One frame, terminator included or not.
SessionMessage ParseFrame(std::string_view frame);

// A number field: decimal digits only, within [low, high].
std::optional<int> ParseNumberField(std::string_view field, int low, int high);

// Cuts a byte stream into frames.
class FrameReader {
public:
    // Appends bytes and moves every completed frame (terminator included) to
    // frames. A frame longer than 255 bytes is dropped whole and counted in
    // oversized; its bytes are not kept while it runs on, so memory stays
    // bounded whatever the peer sends.
    void Feed(std::string_view bytes, std::vector<std::string>& frames, int& oversized);
    void Clear();
    std::size_t PendingBytes() const { return pending_.size(); }

private:
    std::string pending_;
    bool skipping_ = false;
};

} // namespace varenta

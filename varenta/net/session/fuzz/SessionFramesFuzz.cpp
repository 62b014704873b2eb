// Any bytes from the other program, cut into reads at the points the input
// chooses: the frame reader never crashes, never keeps more than one frame's
// bytes, and hands out only frames of at most 255 bytes ending in the
// terminator; each frame parses without crashing.
#include "varenta/net/session/SessionFrames.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte chooses the read size, so frames split at every place.
    const std::size_t piece = 1 + data[0] % 64;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    varenta::FrameReader reader;
    std::vector<std::string> frames;
    int oversized = 0;
    for (std::size_t i = 0; i < bytes.size(); i += piece) {
        reader.Feed(bytes.substr(i, piece), frames, oversized);
        if (reader.PendingBytes() > varenta::kMaxFrameLength) {
            std::abort();
        }
    }
    for (const std::string& frame : frames) {
        if (frame.size() > varenta::kMaxFrameLength || frame.back() != varenta::kFrameEnd) {
            std::abort();
        }
        const varenta::SessionMessage message = varenta::ParseFrame(frame);
        for (const std::string& field : message.fields) {
            varenta::ParseNumberField(field, 1, 53);
        }
    }
    return 0;
}

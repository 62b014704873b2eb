#include "varenta/net/session/SessionFrames.h"

#include <gtest/gtest.h>

namespace varenta {
namespace {

const std::string FE(1, kFieldSeparator);
const std::string FF(1, kFrameEnd);

std::vector<std::string> FeedInPieces(const std::string& bytes, std::size_t piece, int& oversized) {
    FrameReader reader;
    std::vector<std::string> frames;
    for (std::size_t i = 0; i < bytes.size(); i += piece) {
        reader.Feed(std::string_view(bytes).substr(i, piece), frames, oversized);
    }
    return frames;
}

TEST(FrameReader, FramesComeOutWholeHoweverTheBytesArrive) {
    const std::string drawNew = "DRAWNEW" + FE + FF;
    const std::string discard = "DISCARD" + FE + "17" + FF;
    const std::string tail = "CHA";
    for (const std::size_t piece :
         {std::size_t{1}, std::size_t{3}, std::size_t{9}, std::size_t{100}}) {
        SCOPED_TRACE(piece);
        int oversized = 0;
        const auto frames = FeedInPieces(drawNew + discard + tail, piece, oversized);
        ASSERT_EQ(frames, (std::vector<std::string>{drawNew, discard}));
        EXPECT_EQ(oversized, 0);
    }
    FrameReader reader;
    std::vector<std::string> frames;
    int oversized = 0;
    reader.Feed(tail, frames, oversized);
    EXPECT_TRUE(frames.empty()) << "a frame without its terminator waits";
    reader.Feed("T" + FE + "hi" + FF, frames, oversized);
    EXPECT_EQ(frames, (std::vector<std::string>{"CHAT" + FE + "hi" + FF}));
}

TEST(FrameReader, OverlongFramesAreDroppedWholeAndMemoryStaysBounded) {
    const std::string ok = "OK" + FE + FF;
    const std::string at255 = "CHAT" + FE + std::string(249, 'x') + FF;
    const std::string at256 = "CHAT" + FE + std::string(250, 'x') + FF;
    ASSERT_EQ(at255.size(), 255u);
    for (const std::size_t piece : {std::size_t{1}, std::size_t{64}, std::size_t{4096}}) {
        SCOPED_TRACE(piece);
        int oversized = 0;
        const auto frames =
            FeedInPieces(at255 + at256 + ok + std::string(100000, 'y') + FF + ok, piece, oversized);
        EXPECT_EQ(frames, (std::vector<std::string>{at255, ok, ok}));
        EXPECT_EQ(oversized, 2);
    }
    FrameReader reader;
    std::vector<std::string> frames;
    int oversized = 0;
    reader.Feed(std::string(1000000, 'z'), frames, oversized);
    EXPECT_LE(reader.PendingBytes(), kMaxFrameLength);
}

TEST(SessionFrames, BuildCutsToTheLimitAndKeepsTheTerminator) {
    EXPECT_EQ(BuildFrame(Keyword::DrawNew, ""), "DRAWNEW" + FE + FF);
    EXPECT_EQ(BuildFrame(Keyword::MeldWildCard, JoinFields({"53", "7"})),
              "MELDWILDCARD" + FE + "53" + FE + "7" + FF);
    const std::string chat = BuildFrame(Keyword::Chat, std::string(300, 'a'));
    EXPECT_EQ(chat.size(), 255u);
    EXPECT_EQ(chat.back(), kFrameEnd);
    // A cut never splits a character: 2-byte characters leave one byte unused.
    std::string umlauts;
    for (int i = 0; i < 150; ++i) {
        umlauts += "\xC3\xA4";
    }
    const std::string cut = BuildFrame(Keyword::Chat, umlauts);
    EXPECT_EQ(cut.size(), 254u);
    EXPECT_EQ(cut.substr(cut.size() - 3), "\xC3\xA4" + FF);
    // Separator and terminator bytes inside a field cannot break the frame.
    EXPECT_EQ(JoinFields({"a" + FF + "b", "c" + FE}), "a?b" + FE + "c?");
}

TEST(SessionFrames, ParseSplitsKeywordAndFields) {
    struct Row {
        std::string frame;
        Keyword keyword;
        std::vector<std::string> fields;
    };
    const Row rows[] = {
        {"DRAWNEW" + FE + FF, Keyword::DrawNew, {}},
        {"QUIT" + FF, Keyword::Quit, {}},
        {"UNDO" + FE + "4" + FE + "17" + FF, Keyword::Undo, {"4", "17"}},
        {"PLAYERID" + FE + "Ann" + FE + "400" + FF, Keyword::PlayerId, {"Ann", "400"}},
        {"PLAYERID" + FE + "" + FE + "" + FF, Keyword::PlayerId, {"", ""}},
        {"drawnew" + FE + FF, Keyword::Unknown, {}},
        {"NOPE" + FE + "x" + FE + "y" + FF, Keyword::Unknown, {"x", "y"}},
        {FF, Keyword::Unknown, {}},
    };
    for (const Row& row : rows) {
        const SessionMessage message = ParseFrame(row.frame);
        EXPECT_EQ(message.keyword, row.keyword) << row.frame;
        EXPECT_EQ(message.fields, row.fields) << row.frame;
    }
    EXPECT_EQ(ParseNumberField("17", 1, 53), 17);
    for (const char* bad : {"", "0", "54", "-1", "1 ", "0x1", "99999999999"}) {
        EXPECT_FALSE(ParseNumberField(bad, 1, 53).has_value()) << bad;
    }
}

} // namespace
} // namespace varenta

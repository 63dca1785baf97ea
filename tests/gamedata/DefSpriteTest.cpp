// Decoding frame 0 in every pixel format, the older header, the checks that
// refuse a bad frame, and how the special indices are drawn.
#include "gamedata/DefSprite.h"

#include <gtest/gtest.h>

#include "tests/support/GameFileWriter.h"

namespace {

constexpr std::size_t kHead = kMadeSpriteFrameAt;
constexpr std::size_t kPixels = kHead + 32;

std::string Refusal(const std::vector<std::uint8_t>& file)
{
    TSpriteFrame frame;
    std::string reason;
    EXPECT_FALSE(DecodeSpriteFrame(file, frame, reason));
    EXPECT_TRUE(frame.Pixels.empty());
    return reason;
}

class EveryFormat : public ::testing::TestWithParam<int> {};

TEST_P(EveryFormat, DecodesTheFrameAsItWasMade)
{
    for (auto [w, h] : {std::pair{256, 192}, {64, 32}, {32, 1}, {96, 160}}) {
        const TSpriteFrame made = MakeTestFrame(w, h, unsigned(w + h + GetParam()));
        TSpriteFrame frame;
        std::string reason;
        ASSERT_TRUE(DecodeSpriteFrame(MakeSprite(made, GetParam()), frame, reason)) << reason;
        EXPECT_EQ(frame.Width, w);
        EXPECT_EQ(frame.Height, h);
        EXPECT_EQ(frame.Pixels, made.Pixels) << w << "x" << h;
        EXPECT_EQ(frame.Palette, made.Palette);
    }
}

TEST_P(EveryFormat, PlacesATrimmedRectangleInsideTheWholeFrame)
{
    TSpriteFrame made;
    made.Width = 128, made.Height = 64;
    made.Pixels.assign(128 * 64, 0);
    for (int y = 40; y < 50; ++y)
        for (int x = 70; x < 80; ++x)
            made.Pixels[y * 128 + x] = static_cast<std::uint8_t>(x + y);
    const auto file = MakeSprite(made, GetParam());
    std::uint32_t left = file[kHead + 24], top = file[kHead + 28];
    EXPECT_EQ(top, 40u);
    EXPECT_LE(left, 70u);
    TSpriteFrame frame;
    std::string reason;
    ASSERT_TRUE(DecodeSpriteFrame(file, frame, reason)) << reason;
    EXPECT_EQ(frame.Pixels, made.Pixels);
}

TEST_P(EveryFormat, RefusesTruncationAtEveryLength)
{
    const auto file = MakeSprite(MakeTestFrame(64, 32, 7), GetParam());
    for (std::size_t size = 0; size < file.size(); ++size) {
        std::vector<std::uint8_t> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
        TSpriteFrame frame;
        std::string reason;
        EXPECT_FALSE(DecodeSpriteFrame(cut, frame, reason)) << size;
        EXPECT_FALSE(reason.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, EveryFormat, ::testing::Values(0, 1, 2, 3));

TEST(DefSprite, ReadsTheOlderSixteenByteHeaderOfFormatOne)
{
    // Size, format, width, height, then the row offsets where a newer header
    // has its stored rectangle: such a frame is stored whole.
    TSpriteFrame whole = MakeTestFrame(40, 3, 3);
    for (auto& p : whole.Pixels)
        p = p ? p : 9;
    const auto file = MakeSprite(whole, 1);
    std::vector<std::uint8_t> older(file.begin(), file.begin() + kHead + 16);
    older.insert(older.end(), file.begin() + kPixels, file.end());
    TSpriteFrame frame;
    std::string reason;
    ASSERT_TRUE(DecodeSpriteFrame(older, frame, reason)) << reason;
    EXPECT_EQ(frame.Pixels, whole.Pixels);
}

TEST(DefSprite, RefusesBadHeadersWithAReason)
{
    const auto good = MakeSprite(MakeTestFrame(64, 64, 2), 3);
    struct TCase { std::size_t At; std::uint32_t Value; const char* Reason; };
    const TCase cases[] = {
        {12, 0, "no groups"},
        {12, 0x10000000, "group count"},
        {784 + 4, 0, "no frames"},
        {784 + 4, 0x7FFFFFFF, "frame count"},
        {784 + 16 + 13, 0xFFFFFF00, "past the end"},
        {kHead, 0x00FFFFFF, "runs past the end"},
        {kHead + 4, 4, "format"},
        {kHead + 8, 0, "between 1 and 4096"},
        {kHead + 12, 5000, "between 1 and 4096"},
        {kHead + 16, 0, "stored rectangle"},
        {kHead + 24, 0xFFFFFFFF, "outside the frame"},
        {kHead + 28, 60, "outside the frame"},
    };
    for (const TCase& c : cases) {
        auto file = good;
        PutLe32(file, c.At, c.Value);
        EXPECT_NE(Refusal(file).find(c.Reason), std::string::npos) << c.At << ": " << Refusal(file);
    }
}

TEST(DefSprite, RefusesASegmentLongerThanItsRowAndOffsetsOutsideTheData)
{
    TSpriteFrame made;
    made.Width = 32, made.Height = 2;
    made.Pixels.assign(64, 9);
    for (int format = 1; format <= 3; ++format) {
        const auto file = MakeSprite(made, format);
        // Each row is one 32-pixel segment; it is made one pixel longer than the
        // row (format 1), or a 1-pixel run is put before it: refused, not clipped.
        auto longer = file;
        if (format == 1) {
            longer[kPixels + 8 + 1] = 32;
        } else {
            const std::size_t row0 = kPixels + (format == 2 ? 2 : 4);
            longer.insert(longer.begin() + static_cast<std::ptrdiff_t>(row0), 0);
            PutLe32(longer, kHead, static_cast<std::uint32_t>(longer.size() - kPixels));
            if (format == 3)
                longer[kPixels + 2] += 1;  // row 2 starts a byte later
        }
        EXPECT_NE(Refusal(longer).find("longer than what is left of the row"), std::string::npos) << format;

        auto outside = file;
        if (format == 1)
            PutLe32(outside, kPixels + 4, 0x1000);
        else
            outside[kPixels + (format == 2 ? 1 : 3)] = 0x10;
        EXPECT_NE(Refusal(outside).find("past the frame's data"), std::string::npos) << format;
    }
}

TEST(DefSprite, FormatThreeNeedsAWidthOfWholeBlocks)
{
    auto file = MakeSprite(MakeTestFrame(64, 8, 1), 3);
    PutLe32(file, kHead + 16, 40);
    EXPECT_NE(Refusal(file).find("multiple of 32"), std::string::npos);
}

TEST(DefSprite, DrawsTheSpecialIndicesOverTheBackground)
{
    TSpriteFrame frame;
    frame.Palette[3 * 8] = 0x12, frame.Palette[3 * 8 + 1] = 0x34, frame.Palette[3 * 8 + 2] = 0x56;
    frame.Palette[3 * 255] = 1, frame.Palette[3 * 255 + 1] = 2, frame.Palette[3 * 255 + 2] = 3;
    const std::uint32_t b = 0xFF8001;
    EXPECT_EQ(SpritePixelOver(frame, 0, b), b);
    EXPECT_EQ(SpritePixelOver(frame, 5, b), b);
    for (std::uint8_t i : {1, 2, 7})
        EXPECT_EQ(SpritePixelOver(frame, i, b), 0xBF5F00u) << int(i);  // 255·191/255, 128·191/255, 1·191/255
    for (std::uint8_t i : {3, 4, 6})
        EXPECT_EQ(SpritePixelOver(frame, i, b), 0x7F3F00u) << int(i);
    EXPECT_EQ(SpritePixelOver(frame, 8, b), 0x123456u);
    EXPECT_EQ(SpritePixelOver(frame, 255, b), 0x010203u);
}

}  // namespace

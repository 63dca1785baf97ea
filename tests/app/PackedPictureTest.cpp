// The packed 125-200 % pictures: read when sound, refused whatever else they are.
#include "app/PackedPicture.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <vector>

namespace {

using TBytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kColours = 6;
constexpr std::size_t kPalette = 54;  // file header, info header
constexpr std::size_t kPixels = kPalette + 4 * kColours;

void Put32(TBytes& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Colour i of the palette, 0x00RRGGBB.
constexpr std::uint32_t Colour(std::uint32_t i) { return 0x00102030u * (i + 1); }

// An 8-bit BMP file of w x h whose pixel (x, y) is colour (x + 2y) % kColours.
TBytes Bmp(int w, int h, bool topDown = false)
{
    const std::size_t stride = (w + 3) & ~3;
    TBytes b(kPixels + stride * h);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    Put32(b, 10, kPixels);
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(w));
    Put32(b, 22, static_cast<std::uint32_t>(topDown ? -h : h));
    b[26] = 1;
    b[28] = 8;
    Put32(b, 46, kColours);
    for (std::uint32_t i = 0; i < kColours; ++i)
        Put32(b, kPalette + 4 * i, Colour(i));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b[kPixels + stride * (topDown ? y : h - 1 - y) + x] = static_cast<std::uint8_t>((x + 2 * y) % kColours);
    return b;
}

TBytes Pack(const TBytes& file)
{
    uLongf size = compressBound(static_cast<uLong>(file.size()));
    TBytes packed(size);
    EXPECT_EQ(compress2(packed.data(), &size, file.data(), static_cast<uLong>(file.size()), 9), Z_OK);
    packed.resize(size);
    return packed;
}

}  // namespace

TEST(PackedPicture, ReadsBottomUpAndTopDownFiles)
{
    for (const bool topDown : {false, true}) {
        std::vector<std::uint32_t> pixels;
        ASSERT_TRUE(UnpackPicture(Pack(Bmp(5, 3, topDown)), 5, 3, pixels)) << topDown;
        ASSERT_EQ(pixels.size(), 15u);
        EXPECT_EQ(pixels[0], Colour(0)) << "top left first";
        EXPECT_EQ(pixels[3], Colour(3));
        EXPECT_EQ(pixels[2 * 5 + 4], Colour(2)) << "bottom right last";
    }
}

TEST(PackedPicture, RefusesAnythingButTheExpectedPicture)
{
    const TBytes good = Bmp(5, 3);
    const TBytes packed = Pack(good);
    std::vector<std::uint32_t> pixels;
    const auto refused = [&](const TBytes& bytes, int w = 5, int h = 3) {
        pixels.assign(1, 0);
        return !UnpackPicture(bytes, w, h, pixels) && pixels.empty();
    };
    EXPECT_TRUE(refused(packed, 4, 3)) << "another width";
    EXPECT_TRUE(refused(packed, 5, 4)) << "another height";
    EXPECT_TRUE(refused(packed, 0, 3));
    EXPECT_TRUE(refused(packed, kMaxPackedPictureSide + 1, 3));
    EXPECT_TRUE(refused({}));
    EXPECT_TRUE(refused(good)) << "not compressed";
    EXPECT_TRUE(refused(TBytes(packed.begin(), packed.end() - 1))) << "stream cut short";
    TBytes longer = packed;
    longer.push_back(0);
    EXPECT_TRUE(refused(longer)) << "bytes after the stream";
    TBytes damaged = packed;
    damaged[damaged.size() / 2] ^= 0x55;
    EXPECT_TRUE(refused(damaged));

    const auto changed = [&](std::size_t at, std::uint32_t value, int bytes = 4) {
        TBytes file = good;
        for (int i = 0; i < bytes; ++i)
            file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        return Pack(file);
    };
    EXPECT_TRUE(refused(changed(0, 'X', 1))) << "no BM";
    EXPECT_TRUE(refused(changed(10, kPixels + 4))) << "pixels would run past the end";
    EXPECT_TRUE(refused(changed(10, 0xFFFFFFF0u))) << "offset past the end";
    EXPECT_TRUE(refused(changed(10, kPixels - 4))) << "pixels over the palette";
    EXPECT_TRUE(refused(changed(14, 12))) << "too small a header";
    EXPECT_TRUE(refused(changed(14, 0x7FFFFFFFu))) << "huge header";
    EXPECT_TRUE(refused(changed(28, 24, 2))) << "24 bits a pixel";
    EXPECT_TRUE(refused(changed(30, 1))) << "RLE";
    EXPECT_TRUE(refused(changed(46, 257))) << "more colours than 8 bits tell";
    EXPECT_TRUE(refused(changed(46, 0))) << "none given means 256, more than the file holds";
    EXPECT_TRUE(refused(changed(kPixels + 4, kColours, 1))) << "a pixel past the palette";
    EXPECT_TRUE(refused(Pack(TBytes(good.begin(), good.end() - 4)))) << "pixel data cut short";
    EXPECT_TRUE(refused(Pack(TBytes(good.begin(), good.begin() + 30)))) << "header cut short";
}

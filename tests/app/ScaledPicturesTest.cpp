// The main window's pictures at every display scale, from the program's own resources.
#include "app/ScaledPictures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "app/res/Resource.h"
#include "framework/OSError.h"

namespace {

std::uint32_t Pixel(TBitmap& b, int x, int y) { return b.ScanLine(y)[x] & 0x00FFFFFFu; }

TEST(ScaledPictures, EveryDpiGetsTheScaledSize)
{
    const std::pair<int, int> sides[] = {{96, 33}, {100, 34}, {120, 41}, {144, 50}, {168, 58}, {192, 66}, {240, 83}};
    for (const auto& [dpi, side] : sides) {
        TBitmap strip;
        LoadScaledPicture(strip, IDB_TERRAIN_WATER, dpi);
        EXPECT_EQ(strip.Width(), 4 * side) << dpi;
        EXPECT_EQ(strip.Height(), side) << dpi;
        TBitmap check;
        LoadScaledPicture(check, IDB_CHECK_ALL, dpi);
        EXPECT_EQ(check.Width(), ScaleForDpi(16, dpi)) << dpi;
        EXPECT_EQ(check.Height(), ScaleForDpi(16, dpi)) << dpi;
    }
}

TEST(ScaledPictures, At96DpiThePixelsAreTheBitmapResources)
{
    for (const int id : {IDB_TERRAIN_DIRT, IDB_TERRAIN_LAVA, IDB_CHECK_NONE}) {
        TBitmap loaded, plain;
        LoadScaledPicture(loaded, id, 96);
        plain.LoadFromResourceID(GetModuleHandleW(nullptr), id);
        ASSERT_EQ(loaded.Width(), plain.Width());
        ASSERT_EQ(loaded.Height(), plain.Height());
        for (int y = 0; y < plain.Height(); ++y)
            ASSERT_EQ(std::memcmp(loaded.ScanLine(y), plain.ScanLine(y), plain.Width() * 4), 0) << id << " row " << y;
    }
}

TEST(ScaledPictures, The150PercentMarkerIsDrawnAtItsSize)
{
    // 150 %: 50 x 50 pictures, the marker 24 x 23 at (13, 13) with a two-pixel
    // frame and a chequer of two-pixel squares; the 100 % marker stretched
    // would have chequer colours at x = 14.
    TBitmap strip;
    LoadScaledPicture(strip, IDB_TERRAIN_SNOW, 144);
    EXPECT_NE(Pixel(strip, 50 + 12, 24), 0x000000u) << "left of the marker";
    EXPECT_EQ(Pixel(strip, 50 + 13, 24), 0x000000u);
    EXPECT_EQ(Pixel(strip, 50 + 14, 24), 0x000000u) << "inner pixel of the frame";
    EXPECT_EQ(Pixel(strip, 50 + 15, 15), 0x800000u) << "maroon upper left square";
    EXPECT_EQ(Pixel(strip, 50 + 16, 16), 0x800000u);
    EXPECT_EQ(Pixel(strip, 50 + 17, 15), 0x808000u) << "olive beside it";
    EXPECT_NE(Pixel(strip, 14, 24), 0x000000u) << "picture 0 has no marker";

    TBitmap check;
    LoadScaledPicture(check, IDB_CHECK_ALL, 192);
    EXPECT_EQ(Pixel(check, 15, 15), 0xD00000u) << "the cross meets in the middle";
    EXPECT_EQ(Pixel(check, 1, 1), 0xF0F0F0u) << "two-pixel light edge";
    EXPECT_EQ(Pixel(check, 30, 30), 0x606060u) << "two-pixel dark edge";
}

TEST(ScaledPictures, BadRequestsRaiseAndAnImageKeepsItsSettings)
{
    TBitmap bitmap;
    bitmap.SetTransparent(true);
    LoadScaledPicture(bitmap, IDB_CHECK_NONE, 168);
    EXPECT_TRUE(bitmap.Transparent());
    EXPECT_EQ(bitmap.Width(), 28);
    EXPECT_THROW(LoadScaledPicture(bitmap, 31999, 96), EOSError);
    EXPECT_THROW(LoadScaledPicture(bitmap, 31999, 144), EOSError);
    EXPECT_THROW(LoadScaledPicture(bitmap, IDB_TERRAIN_DIRT, 0), EOSError);
    EXPECT_THROW(LoadScaledPicture(bitmap, IDB_TERRAIN_DIRT, 1000000), EOSError);
    EXPECT_EQ(bitmap.Width(), 28) << "a failed load keeps the picture";
}

}  // namespace

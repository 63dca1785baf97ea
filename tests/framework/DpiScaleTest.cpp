// The one scaling rule: lengths, line widths and font heights written for 96 DPI.
#include <gtest/gtest.h>

#include "framework/DpiScale.h"

namespace {

TEST(DpiScale, LengthsRoundToNearestWithHalvesAwayFromZero)
{
    EXPECT_EQ(ScaleForDpi(471, 96), 471);
    EXPECT_EQ(ScaleForDpi(471, 144), 707);  // 706.5
    EXPECT_EQ(ScaleForDpi(33, 120), 41);    // 41.25
    EXPECT_EQ(ScaleForDpi(33, 168), 58);    // 57.75
    EXPECT_EQ(ScaleForDpi(-7, 144), -11);   // -10.5
    EXPECT_EQ(ScaleForDpi(0, 192), 0);
    // The product is taken in 64 bits.
    EXPECT_EQ(ScaleForDpi(1'000'000'000, 48), 500'000'000);
    EXPECT_EQ(MulDivRound(2'000'000'000, 3, 4), 1'500'000'000);
}

TEST(DpiScale, LinesAreAtLeastOnePixel)
{
    EXPECT_EQ(LineWidthForDpi(96), 1);
    EXPECT_EQ(LineWidthForDpi(120), 1);  // 1.25
    EXPECT_EQ(LineWidthForDpi(144), 2);  // 1.5
    EXPECT_EQ(LineWidthForDpi(192), 2);
    EXPECT_EQ(LineWidthForDpi(240), 3);  // 2.5
    EXPECT_EQ(LineWidthForDpi(48), 1);
    EXPECT_EQ(LineWidthForDpi(144, 2), 3);
}

TEST(DpiScale, FontsKeepTheirPointSize)
{
    // 8 pt.
    EXPECT_EQ(FontHeightForDpi(-11, 96), -11);
    EXPECT_EQ(FontHeightForDpi(-11, 120), -13);
    EXPECT_EQ(FontHeightForDpi(-11, 144), -16);
    EXPECT_EQ(FontHeightForDpi(-11, 192), -21);
    // A height whose point size rounds differently stays as written at 96.
    EXPECT_EQ(FontHeightForDpi(-10, 96), -10);
    // Cell heights and "the default" scale as lengths or stay.
    EXPECT_EQ(FontHeightForDpi(14, 144), 21);
    EXPECT_EQ(FontHeightForDpi(0, 144), 0);
}

TEST(DpiScale, AFontMadeForOneDpiIsMadeAgainForAnother)
{
    EXPECT_EQ(RescaleFontHeight(-16, 144, 192), -21);
    EXPECT_EQ(RescaleFontHeight(-21, 192, 96), -11);
    EXPECT_EQ(RescaleFontHeight(-13, 120, 120), -13);
    EXPECT_EQ(RescaleFontHeight(20, 144, 96), 13);
    // Round trips through other DPIs come back to the same height.
    EXPECT_EQ(RescaleFontHeight(RescaleFontHeight(RescaleFontHeight(-16, 144, 120), 120, 192), 192, 144), -16);
}

}  // namespace

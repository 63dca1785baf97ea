// Which drawn picture set serves a DPI, and the picture sizes at a DPI.
#include "app/PictureScale.h"

#include <gtest/gtest.h>

#include <utility>

TEST(PictureScale, NearestSetHalfwayGoesToTheLargerOne)
{
    // Halfway points: 108 (112.5 %), 132 (137.5 %), 156 (162.5 %), 180 (187.5 %).
    const std::pair<int, int> cases[] = {{-96, 100}, {0, 100},   {96, 100},  {107, 100}, {108, 125}, {120, 125},
                                         {131, 125}, {132, 150}, {144, 150}, {155, 150}, {156, 175}, {168, 175},
                                         {179, 175}, {180, 200}, {192, 200}, {240, 200}, {1920, 200}};
    for (const auto& [dpi, scale] : cases)
        EXPECT_EQ(PictureScaleFor(dpi), scale) << dpi;
}

TEST(PictureScale, LengthsRoundHalfAwayFromZero)
{
    const std::pair<int, int> terrain[] = {{96, 33}, {100, 34}, {120, 41}, {144, 50}, {168, 58}, {192, 66}, {240, 83}};
    for (const auto& [dpi, side] : terrain)
        EXPECT_EQ(ScaleForDpi(33, dpi), side) << dpi;
    EXPECT_EQ(ScaleForDpi(16, 120), 20);
    EXPECT_EQ(ScaleForDpi(15, 144), 23) << "22.5";
    EXPECT_EQ(ScaleForDpi(16, 240), 40);
}

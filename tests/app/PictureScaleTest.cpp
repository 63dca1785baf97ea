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

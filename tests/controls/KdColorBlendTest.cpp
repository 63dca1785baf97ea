#include "controls/KdColorBlend.h"

#include <gtest/gtest.h>

namespace {

TEST(KdColorBlend, EachChannelMixesOnItsOwnRoundedDown)
{
    const uint32_t a = 0x00FF8001, b = 0x00000302;
    EXPECT_EQ(BlendRGB(a, b, 256), a);
    EXPECT_EQ(BlendRGB(a, b, 0), b);
    EXPECT_EQ(BlendRGB(a, b, 999), a);
    EXPECT_EQ(BlendRGB(a, b, 128), 0x007F4101u);
    EXPECT_EQ(BlendRGB(0x00FFFFFF, 0, 255), 0x00FEFEFEu);
    EXPECT_EQ(RatioWeight(1, 2), 85u);
    EXPECT_EQ(RatioWeight(5, 0), 256u);
    EXPECT_EQ(RatioWeight(0, 0), 128u);
    EXPECT_EQ(RatioWeight(0xFFFFFFFFu, 0xFFFFFFFFu), 128u);
}

}  // namespace

// The image check control's layout and colour arithmetic, without windows.
#include "widgets/IACheckLayout.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(IACheckLayout, AnglesAreKeptInHalfATurnEachWay)
{
    EXPECT_EQ(NormalizeTextAngle(3600), 0);
    EXPECT_EQ(NormalizeTextAngle(1801), -1799);
    EXPECT_EQ(NormalizeTextAngle(-1800), 1800);
    EXPECT_EQ(NormalizeTextAngle(1800), 1800);
    EXPECT_EQ(NormalizeTextAngle(-1799), -1799);
    EXPECT_EQ(NormalizeTextAngle(5401), -1799);
    EXPECT_EQ(NormalizeTextAngle(-5400), 1800);
    // The extremes land in range on the same direction, without overflow.
    for (int a : {INT_MAX, INT_MIN, INT_MAX - 1799, INT_MIN + 1}) {
        const int n = NormalizeTextAngle(a);
        EXPECT_TRUE(n >= -1799 && n <= 1800) << a;
        EXPECT_EQ((static_cast<long long>(a) - n) % 3600, 0) << a;
    }
}

TEST(IACheckLayout, PlacesTextAndFieldByTheTwoAligns)
{
    // A 50 x 15 text beside a 16 x 16 field, 4 pixels apart.
    const TIASize text{50, 15}, field{16, 16};
    struct Case {
        TIACheckControlTextHAlign h;
        TIACheckControlTextVAlign v;
        TIAPoint text, field;
        TIASize needed;
    };
    const Case cases[] = {
        {iaccthaLeft, iacctvaTop, {20, 0}, {0, 0}, {70, 16}},
        {iaccthaRight, iacctvaTop, {0, 0}, {54, 0}, {70, 16}},
        {iaccthaLeft, iacctvaBottom, {20, 1}, {0, 0}, {70, 16}},
        {iaccthaRight, iacctvaCenter, {0, 0}, {54, 0}, {70, 16}},
        {iaccthaCenter, iacctvaTop, {0, 20}, {17, 0}, {50, 35}},
        {iaccthaCenter, iacctvaBottom, {0, 0}, {17, 19}, {50, 35}},
        // Centred both ways: the text over the middle of the field.
        {iaccthaCenter, iacctvaCenter, {0, 0}, {17, 0}, {50, 16}},
    };
    for (const Case& c : cases) {
        const TIACheckLayout l(0, text, field, 4, c.h, c.v);
        EXPECT_EQ(l.TextFieldOrigin(), c.text) << c.h << c.v;
        EXPECT_EQ(l.CheckFieldOrigin(), c.field) << c.h << c.v;
        EXPECT_EQ(l.NeededSize(), c.needed) << c.h << c.v;
    }
    // A taller text moves the field down to its middle or bottom instead.
    const TIACheckLayout tall(0, {50, 40}, field, 4, iaccthaLeft, iacctvaCenter);
    EXPECT_EQ(tall.CheckFieldOrigin(), (TIAPoint{0, 12}));
    EXPECT_EQ(tall.TextFieldOrigin(), (TIAPoint{20, 0}));
    EXPECT_EQ(tall.NeededSize(), (TIASize{70, 40}));
}

TEST(IACheckLayout, MainWindowPictureLeavesTheTextOutsideTheControl)
{
    const TIACheckLayout l(0, {50, 15}, {33, 33}, 4, iaccthaLeft, iacctvaTop);
    EXPECT_EQ(l.CheckFieldOrigin(), (TIAPoint{0, 0}));
    EXPECT_EQ(l.TextFieldOrigin(), (TIAPoint{37, 0}));
    const TQuad q = l.TextQuad();
    EXPECT_EQ(q[0], (TIAPoint{37, 0}));
    EXPECT_EQ(q[2], (TIAPoint{87, 15}));
}

TEST(IACheckLayout, TurnedBlocksStayInsideTheirBox)
{
    const int w = 50, h = 15;
    // A quarter turn: a box h wide and w high, the reference point at its bottom left.
    const TIACheckLayout up(900, {w, h}, {16, 16}, 4, iaccthaLeft, iacctvaTop);
    EXPECT_EQ(up.TurnedWidth(), h);
    EXPECT_EQ(up.TurnedHeight(), w);
    EXPECT_EQ(up.RotationOffset(), (TIAPoint{0, w}));
    EXPECT_EQ(up.NeededSize(), (TIASize{h + 16 + 4, w}));
    // The second line of a turned block stands to the right of the first.
    EXPECT_EQ(up.Turn(0, 13), (TIAPoint{13, 0}));
    EXPECT_EQ(up.Turn(10, 0), (TIAPoint{0, -10}));

    // Every turn puts all four corners of the text inside the box round it.
    for (int angle : {0, 300, 900, 1350, 1800, -1799, -900, -450, -1200}) {
        const TIACheckLayout l(angle, {w, h}, {16, 16}, 4, iaccthaLeft, iacctvaTop);
        const TIAPoint o = l.TextFieldOrigin();
        for (const TIAPoint& p : l.TextQuad()) {
            EXPECT_GE(p.X, o.X - 1) << angle;
            EXPECT_LE(p.X, o.X + l.TurnedWidth() + 1) << angle;
            EXPECT_GE(p.Y, o.Y - 1) << angle;
            EXPECT_LE(p.Y, o.Y + l.TurnedHeight() + 1) << angle;
        }
    }
    // Upside down: the reference point is the box's bottom-right corner.
    const TIACheckLayout down(1800, {w, h}, {16, 16}, 4, iaccthaLeft, iacctvaTop);
    EXPECT_EQ(down.RotationOffset(), (TIAPoint{w, h}));
}

TEST(IACheckLayout, BlendsTruncateTowardZeroAndClamp)
{
    EXPECT_EQ(BlendRGBRange(0x123456, 0xFFFFFF, 0, 50), 0x123456u);
    // 30 % of the way from grey to white.
    EXPECT_EQ(BlendRGBRange(0x808080, 0xFFFFFF, 100, 30), 0xA6A6A6u);
    // 10 - 3.3 is 7: the division truncates toward zero.
    EXPECT_EQ(BlendRGBRange(0x00000A, 0x000000, 100, 33), 0x000007u);
    // Past the far colour the bytes stop at 0 and 255.
    EXPECT_EQ(BlendRGBRange(0x0000F0, 0x000010, 100, 150), 0x000000u);
    EXPECT_EQ(BlendRGBRange(0x000010, 0x0000F0, 100, 150), 0x0000FFu);
    // Dark means a sum of red, green and blue below 384.
    EXPECT_TRUE(RGBDark(0x7F8080));
    EXPECT_FALSE(RGBDark(0x808080));
    EXPECT_TRUE(RGBClose(0x010203, 0x030201, 5));
    EXPECT_FALSE(RGBClose(0x010203, 0x030201, 4));
}

}  // namespace

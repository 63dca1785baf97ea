// Graphic controls painted by their parent: a speed button's glyph and face.
#include <gtest/gtest.h>

#include "framework/SpeedButton.h"
#include "tests/framework/ControlsTestSupport.h"

using namespace testing_support;

TEST(CustomControls, SpeedButtonGlyphLeavesOutItsBackgroundAndTransparentFaceStaysClear)
{
    auto form = NewForm();
    auto* button = Add<TSpeedButton>(*form, nullptr, 10, 10, 40, 24);
    button->SetFlat(true);
    // An 8 × 8 glyph: a red square on a magenta background (its bottom-left pixel).
    TBitmap& glyph = *button->Glyph();
    glyph.SetSize(8, 8);
    for (auto [color, r] : {std::pair{clFuchsia, RECT{0, 0, 8, 8}}, std::pair{clRed, RECT{2, 2, 6, 6}}}) {
        glyph.Canvas()->Brush()->SetColor(color);
        glyph.Canvas()->FillRect(r);
    }
    // The glyph's centre and its top-left corner, on a teal background; the
    // glyph stands centred at (16, 8).
    auto shot = [&] {
        TBitmap bitmap;
        bitmap.SetSize(40, 24);
        bitmap.Canvas()->Brush()->SetColor(clTeal);
        bitmap.Canvas()->FillRect({0, 0, 40, 24});
        button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas()->Handle()), 0);
        return std::pair{bitmap.Canvas()->Pixels(19, 11), bitmap.Canvas()->Pixels(16, 8)};
    };
    EXPECT_EQ(shot(), std::pair(clRed, clTeal));
    // Down and transparent: the parent still shows through the face.
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);
    button->SetDown(true);
    EXPECT_EQ(shot().second, clTeal);
    button->SetDown(false);
    button->SetEnabled(false);
    EXPECT_EQ(shot(), std::pair(static_cast<TColor>(ColorToRGB(clBtnShadow)), clTeal));
}

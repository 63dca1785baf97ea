// The frame painter on a bitmap canvas: each look's pixels, its settings' side
// effects, its idleness under the visual-styles theme, and assignment.
#include "controls/KdPainters.h"

#include <gtest/gtest.h>

#include "framework/Themes.h"

namespace {

constexpr TColor kFill = 0x00302010;  // a colour no painting below produces
constexpr TColor kC1 = clRed, kC2 = clLime, kC3 = clBlue, kC4 = clYellow;

class PainterTest : public ::testing::Test {
protected:
    void SetUp() override { SetThemeServicesOverride(false); }
    void TearDown() override { SetThemeServicesOverride(std::nullopt); }

    // Paints into a fresh w × h bitmap filled with kFill.
    void Paint(const TKdEditPainter& painter, int w, int h)
    {
        bitmap.SetSize(w, h);
        TCanvas& c = *bitmap.Canvas();
        c.Brush()->SetColor(kFill);
        c.FillRect({0, 0, w, h});
        painter.Paint(c, {0, 0, w, h});
    }
    TColor At(int x, int y) { return bitmap.Canvas()->Pixels(x, y); }

    static TKdEditPainter& Custom(TKdEditPainter& p, TKdEditPaintStyle style)
    {
        p.SetPaintStyle(style);
        p.SetColor1(kC1);
        p.SetColor2(kC2);
        p.SetColor3(kC3);
        p.SetColor4(kC4);
        return p;
    }

    TBitmap bitmap;
};

struct TChangeCounter : TObject {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};

TEST_F(PainterTest, FlatAndReliefDrawTwoRingsWithExclusiveEnds)
{
    for (TKdEditPaintStyle style : {KdepsFlat, KdepsRelief}) {
        TKdEditPainter p;
        Paint(Custom(p, style), 10, 8);
        // Outer ring: Color1 left and top, Color4 right and bottom (both corners
        // where they meet belong to Color4).
        EXPECT_EQ(At(0, 0), kC1);
        EXPECT_EQ(At(0, 6), kC1);
        EXPECT_EQ(At(8, 0), kC1);
        EXPECT_EQ(At(9, 0), kC4);
        EXPECT_EQ(At(0, 7), kC4);
        EXPECT_EQ(At(9, 7), kC4);
        // Inner ring: Color2 left and top, Color3 right and bottom.
        EXPECT_EQ(At(1, 1), kC2);
        EXPECT_EQ(At(1, 5), kC2);
        EXPECT_EQ(At(7, 1), kC2);
        EXPECT_EQ(At(8, 1), kC3);
        EXPECT_EQ(At(1, 6), kC3);
        EXPECT_EQ(At(8, 6), kC3);
        EXPECT_EQ(At(2, 2), kFill);
        EXPECT_EQ(At(7, 5), kFill);
    }
    // Three pixels leave no room for the inner ring: the outer ring stays whole.
    TKdEditPainter p;
    Paint(Custom(p, KdepsRelief), 3, 3);
    EXPECT_EQ(At(0, 0), kC1);
    EXPECT_EQ(At(1, 0), kC1);
    EXPECT_EQ(At(0, 1), kC1);
    EXPECT_EQ(At(2, 0), kC4);
    EXPECT_EQ(At(1, 2), kC4);
    EXPECT_EQ(At(1, 1), kFill);
}

TEST_F(PainterTest, CurvesRunFromTheCornersToTheMiddles)
{
    TKdEditPainter p;
    Paint(Custom(p, KdepsCurves), 10, 8);
    for (auto [x, y] : {std::pair{0, 0}, {9, 0}, {0, 7}, {9, 7}})
        EXPECT_EQ(At(x, y), kC1) << x << "," << y;
    // Each half ends exactly in the middle colour on its side of the middle.
    for (auto [x, y] : {std::pair{4, 0}, {5, 0}, {4, 7}, {0, 3}, {0, 4}, {9, 3}, {9, 4}})
        EXPECT_EQ(At(x, y), kC2) << x << "," << y;
    EXPECT_EQ(At(2, 0), KdRatioBlend(kC1, kC2, 2, 2));
    for (auto [x, y] : {std::pair{1, 1}, {8, 1}, {1, 6}, {8, 6}})
        EXPECT_EQ(At(x, y), kC3) << x << "," << y;
    for (auto [x, y] : {std::pair{4, 1}, {5, 6}, {1, 3}, {8, 4}})
        EXPECT_EQ(At(x, y), kC4) << x << "," << y;
    EXPECT_EQ(At(3, 3), kFill);
}

TEST_F(PainterTest, BrightDrawsTwoOutlinesInBlends)
{
    TKdEditPainter p;
    Paint(Custom(p, KdepsBright), 10, 8);
    const TColor outer = KdBlend(kC3, kC4, 128);
    const TColor inner = KdBlend(kC1, kC2, 128);
    for (auto [x, y] : {std::pair{0, 0}, {9, 0}, {0, 7}, {9, 7}, {5, 0}})
        EXPECT_EQ(At(x, y), outer) << x << "," << y;
    for (auto [x, y] : {std::pair{1, 1}, {8, 1}, {1, 6}, {8, 6}})
        EXPECT_EQ(At(x, y), inner) << x << "," << y;
    EXPECT_EQ(At(4, 4), kFill);
    EXPECT_EQ(bitmap.Canvas()->Brush()->Style(), bsClear);
}

TEST_F(PainterTest, GradientsEndExactlyInTheirColoursAndBlendResolvesSystemColours)
{
    bitmap.SetSize(4, 4);
    TCanvas& c = *bitmap.Canvas();
    c.Pen()->SetColor(clFuchsia);
    KdHorzGradient(c, {0, 0, 2, 2}, kC1, kC3);
    EXPECT_EQ(At(0, 0), kC1);
    EXPECT_EQ(At(0, 1), kC1);
    EXPECT_EQ(At(1, 1), kC3);
    KdVertGradient(c, {2, 0, 4, 2}, kC1, kC3);
    EXPECT_EQ(At(3, 0), kC1);
    EXPECT_EQ(At(3, 1), kC3);
    // One column is the even mix; the pen colour is put back.
    KdHorzGradient(c, {0, 3, 1, 4}, clWhite, clBlack);
    EXPECT_EQ(At(0, 3), 0x007F7F7Fu);
    EXPECT_EQ(c.Pen()->Color(), clFuchsia);

    const COLORREF window = GetSysColor(COLOR_WINDOW), face = GetSysColor(COLOR_BTNFACE);
    const TColor mix = KdBlend(clWindow, clBtnFace, 128);
    EXPECT_EQ(GetRValue(mix), (GetRValue(window) + GetRValue(face)) / 2);
    EXPECT_EQ(GetGValue(mix), (GetGValue(window) + GetGValue(face)) / 2);
    EXPECT_EQ(GetBValue(mix), (GetBValue(window) + GetBValue(face)) / 2);
    EXPECT_EQ(KdBlend(clBtnShadow, clWhite, 256), ColorToRGB(clBtnShadow));
}

TEST_F(PainterTest, SettersSwitchOnAndReportOnlyRealChanges)
{
    TKdEditPainter p;
    EXPECT_EQ(p.PaintStyle(), KdepsFlat);
    EXPECT_EQ(p.Color1(), clBtnShadow);
    EXPECT_EQ(p.Color2(), clWindow);
    EXPECT_EQ(p.Color3(), clWindow);
    EXPECT_EQ(p.Color4(), clBtnShadow);
    EXPECT_TRUE(p.Enabled());
    EXPECT_FALSE(p.EnabledOnXP());

    TChangeCounter changes;
    p.OnChange = TNotifyEvent(&changes, &TChangeCounter::Changed);
    p.SetColor2(kC2);
    p.SetPaintStyle(KdepsFlat);  // the same look keeps custom colours
    EXPECT_EQ(p.Color2(), kC2);
    EXPECT_EQ(changes.Count, 1);
    p.SetPaintStyle(KdepsRelief);
    EXPECT_EQ(p.Color2(), clBtnFace);
    EXPECT_EQ(p.Color3(), cl3DLight);
    EXPECT_EQ(changes.Count, 2);

    // A colour change switches a disabled painter on, with one notice.
    p.SetEnabled(false);
    changes.Count = 0;
    p.SetColor2(kC2);
    EXPECT_TRUE(p.Enabled());
    EXPECT_EQ(changes.Count, 1);
    p.SetColor2(kC2);
    EXPECT_EQ(changes.Count, 1);
    EXPECT_THROW(p.SetColor(4, kC1), EComponentError);

    // EnabledOnXP changes the drawing (and says so) only while the theme is on.
    p.SetEnabledOnXP(true);
    EXPECT_EQ(changes.Count, 1);
    SetThemeServicesOverride(true);
    p.SetEnabledOnXP(false);
    EXPECT_EQ(changes.Count, 2);
}

TEST_F(PainterTest, IdleUnderTheThemeUnlessEnabledOnXP)
{
    SetThemeServicesOverride(true);
    TKdEditPainter p;
    Custom(p, KdepsFlat);
    EXPECT_FALSE(p.IsActive());
    Paint(p, 6, 6);
    EXPECT_EQ(At(0, 0), kFill);
    p.SetEnabledOnXP(true);
    EXPECT_TRUE(p.IsActive());
    Paint(p, 6, 6);
    EXPECT_EQ(At(0, 0), kC1);
    SetThemeServicesOverride(false);
    p.SetEnabled(false);
    EXPECT_FALSE(p.IsActive());
    Paint(p, 6, 6);
    EXPECT_EQ(At(0, 0), kFill);
}

TEST_F(PainterTest, AssignCopiesEverySettingQuietlyAndRefusesOtherClasses)
{
    TKdEditPainter source;
    Custom(source, KdepsCurves);
    source.SetEnabled(false);
    source.SetEnabledOnXP(true);
    TChangeCounter changes;
    source.OnChange = TNotifyEvent(&changes, &TChangeCounter::Changed);

    TKdEditPainter target;
    TChangeCounter targetChanges;
    target.OnChange = TNotifyEvent(&targetChanges, &TChangeCounter::Changed);
    target.Assign(&source);
    EXPECT_EQ(target.PaintStyle(), KdepsCurves);
    EXPECT_EQ(target.Color4(), kC4);
    EXPECT_FALSE(target.Enabled());
    EXPECT_TRUE(target.EnabledOnXP());
    EXPECT_EQ(targetChanges.Count, 0);
    EXPECT_EQ(target.OnChange, source.OnChange);

    TComponent component(nullptr);
    EXPECT_THROW(component.Assign(&source), EConvertError);
    EXPECT_THROW(target.Assign(&component), EConvertError);
}

}  // namespace

// The frame painter on a bitmap canvas: each look's pixels, the gradients, its
// settings' side effects, its idleness under the visual-styles theme, assignment.
#include "controls/KdPainters.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>

#include "framework/Themes.h"

namespace {

constexpr TColor kFill = 0x00302010;  // a colour no painting below produces
constexpr TColor kC1 = clRed, kC2 = clLime, kC3 = clBlue, kC4 = clYellow;
constexpr std::array<TColor, 4> kColors{kC1, kC2, kC3, kC4};

struct TPixel {
    int x, y;
    TColor color;
};

struct TChangeCounter : TObject {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};

class PainterTest : public ::testing::Test {
protected:
    void SetUp() override { SetThemeServicesOverride(false); }
    void TearDown() override { SetThemeServicesOverride(std::nullopt); }

    // Paints into a fresh w × h bitmap filled with kFill and checks the pixels.
    void ExpectPaint(const TKdEditPainter& painter, int w, int h, std::initializer_list<TPixel> pixels,
                     int dpi = kDesignDpi)
    {
        bitmap.SetSize(w, h);
        TCanvas& c = *bitmap.Canvas();
        c.Brush()->SetStyle(bsSolid);  // the bright look leaves it clear
        c.Brush()->SetColor(kFill);
        c.FillRect({0, 0, w, h});
        painter.Paint(c, {0, 0, w, h}, dpi);
        for (const TPixel& p : pixels)
            EXPECT_EQ(c.Pixels(p.x, p.y), p.color) << p.x << "," << p.y;
    }
    static TKdEditPainter& Custom(TKdEditPainter& p, TKdEditPaintStyle style)
    {
        p.SetPaintStyle(style);
        for (int i = 0; i < 4; ++i)
            p.SetColor(i, kColors[static_cast<size_t>(i)]);
        return p;
    }

    TBitmap bitmap;
};

TEST_F(PainterTest, EachLookDrawsItsRingsWithExclusiveEnds)
{
    // Outer ring Color1 left and top, Color4 right and bottom (with both corners
    // where they meet); inner ring Color2 and Color3 the same way.
    for (TKdEditPaintStyle style : {KdepsFlat, KdepsRelief}) {
        TKdEditPainter p;
        ExpectPaint(Custom(p, style), 10, 8,
                    {{0, 0, kC1}, {0, 6, kC1}, {8, 0, kC1}, {9, 0, kC4}, {0, 7, kC4}, {9, 7, kC4},
                     {1, 1, kC2}, {1, 5, kC2}, {7, 1, kC2}, {8, 1, kC3}, {1, 6, kC3}, {8, 6, kC3},
                     {2, 2, kFill}, {7, 5, kFill}});
    }
    // Three pixels leave no room for the inner ring: the outer ring stays whole.
    TKdEditPainter p;
    ExpectPaint(Custom(p, KdepsRelief), 3, 3, {{1, 0, kC1}, {0, 1, kC1}, {2, 0, kC4}, {1, 2, kC4}, {1, 1, kFill}});

    // Curves: corners Color1 and Color3, each half ending exactly in the middle colour.
    ExpectPaint(Custom(p, KdepsCurves), 10, 8,
                {{0, 0, kC1}, {9, 0, kC1}, {9, 7, kC1}, {4, 0, kC2}, {5, 0, kC2}, {0, 3, kC2}, {9, 4, kC2},
                 {2, 0, KdRatioBlend(kC1, kC2, 2, 2)}, {1, 1, kC3}, {8, 6, kC3}, {4, 1, kC4}, {1, 3, kC4},
                 {8, 4, kC4}, {3, 3, kFill}});

    // Bright: two outlines in blends, nothing inside.
    ExpectPaint(Custom(p, KdepsBright), 10, 8,
                {{0, 0, KdBlend(kC3, kC4, 128)}, {9, 7, KdBlend(kC3, kC4, 128)}, {1, 1, KdBlend(kC1, kC2, 128)},
                 {8, 6, KdBlend(kC1, kC2, 128)}, {4, 4, kFill}});
}

TEST_F(PainterTest, RingsAreOneDesignPixelWideAtTheDpiGiven)
{
    // 144 DPI: in every look the outer ring at 0..1, the inner at 2..3; a ring without room is left out.
    TKdEditPainter p;
    ExpectPaint(Custom(p, KdepsRelief), 12, 10,
                {{1, 1, kC1}, {10, 1, kC4}, {1, 8, kC4}, {3, 3, kC2}, {8, 3, kC3}, {3, 6, kC3}, {4, 4, kFill}}, 144);
    ExpectPaint(p, 4, 4, {{1, 1, kC1}, {2, 2, kC4}}, 144);
    ExpectPaint(Custom(p, KdepsCurves), 12, 10,
                {{1, 0, kC1}, {5, 1, kC2}, {3, 2, kC3}, {5, 3, kC4}, {4, 4, kFill}}, 144);
    ExpectPaint(Custom(p, KdepsBright), 12, 10,
                {{1, 1, KdBlend(kC3, kC4, 128)}, {3, 3, KdBlend(kC1, kC2, 128)}, {4, 4, kFill}}, 144);
}

TEST_F(PainterTest, GradientsEndExactlyInTheirColoursAndBlendsUseTheSystemsColours)
{
    bitmap.SetSize(4, 4);
    TCanvas& c = *bitmap.Canvas();
    c.Pen()->SetColor(clFuchsia);
    KdHorzGradient(c, {0, 0, 2, 2}, kC1, kC3);
    KdVertGradient(c, {2, 0, 4, 2}, kC1, kC3);
    KdHorzGradient(c, {0, 3, 1, 4}, clWhite, clBlack);  // one column: the even mix
    for (const TPixel& p : {TPixel{0, 1, kC1}, {1, 1, kC3}, {3, 0, kC1}, {3, 1, kC3}, {0, 3, 0x007F7F7F}})
        EXPECT_EQ(c.Pixels(p.x, p.y), p.color) << p.x << "," << p.y;
    EXPECT_EQ(c.Pen()->Color(), clFuchsia);
    const COLORREF window = GetSysColor(COLOR_WINDOW), face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(GetGValue(KdBlend(clWindow, clBtnFace, 128)), (GetGValue(window) + GetGValue(face)) / 2);
}

TEST_F(PainterTest, SettersSwitchOnAndReportOnlyRealChanges)
{
    TKdEditPainter p;
    EXPECT_EQ(p.PaintStyle(), KdepsFlat);
    EXPECT_EQ(p.DefaultColors(KdepsFlat), (std::array<TColor, 4>{p.Color1(), p.Color2(), p.Color3(), p.Color4()}));
    EXPECT_TRUE(p.Enabled());
    EXPECT_FALSE(p.EnabledOnXP());

    TChangeCounter changes;
    p.OnChange = TNotifyEvent(&changes, &TChangeCounter::Changed);
    p.SetColor2(kC2);
    p.SetPaintStyle(KdepsFlat);  // the same look keeps custom colours
    EXPECT_EQ(p.Color2(), kC2);
    p.SetPaintStyle(KdepsRelief);
    EXPECT_EQ(p.Color3(), cl3DLight);
    EXPECT_EQ(changes.Count, 2);

    // A colour change switches a disabled painter on, with one notice.
    p.SetEnabled(false);
    p.SetColor2(kC2);
    p.SetColor2(kC2);
    EXPECT_TRUE(p.Enabled());
    EXPECT_EQ(changes.Count, 4);
    EXPECT_THROW(p.SetColor(4, kC1), EComponentError);

    // EnabledOnXP changes the drawing (and says so) only while the theme is on:
    // there the painter stays idle without it.
    p.SetEnabledOnXP(true);
    EXPECT_EQ(changes.Count, 4);
    SetThemeServicesOverride(true);
    ExpectPaint(p, 6, 6, {{0, 0, ColorToRGB(clBtnShadow)}});
    p.SetEnabledOnXP(false);
    EXPECT_EQ(changes.Count, 5);
    ExpectPaint(p, 6, 6, {{0, 0, kFill}});
    SetThemeServicesOverride(false);
    p.SetEnabled(false);
    ExpectPaint(p, 6, 6, {{0, 0, kFill}});
}

TEST_F(PainterTest, AssignCopiesEverySettingQuietlyAndRefusesOtherClasses)
{
    TKdEditPainter source;
    Custom(source, KdepsCurves).SetEnabled(false);
    source.SetEnabledOnXP(true);
    TChangeCounter changes;
    source.OnChange = TNotifyEvent(&changes, &TChangeCounter::Changed);

    TKdEditPainter target;
    target.Assign(&source);
    EXPECT_EQ(target.PaintStyle(), KdepsCurves);
    EXPECT_EQ(target.Color4(), kC4);
    EXPECT_FALSE(target.Enabled());
    EXPECT_TRUE(target.EnabledOnXP());
    EXPECT_EQ(target.OnChange, source.OnChange);
    EXPECT_EQ(changes.Count, 0);

    TComponent component(nullptr);
    EXPECT_THROW(component.Assign(&source), EConvertError);
    EXPECT_THROW(target.Assign(&component), EConvertError);
}

}  // namespace

#include "framework/Canvas.h"

#include <gtest/gtest.h>

#include <set>

#include "framework/Exceptions.h"
#include "tests/framework/GraphicsTestSupport.h"

namespace {

using namespace graphicstest;

constexpr TColor kFill = 0x00302010;  // a colour no drawing below produces by chance

TEST(Canvas, LinesLeaveOutTheirEndPointAndRectanglesTheirRightAndBottom)
{
    TBitmap bitmap;
    Prepare(bitmap, 20, 20, clWhite);
    TCanvas& canvas = *bitmap.Canvas();
    canvas.Pen()->SetColor(clBlack);
    canvas.MoveTo(2, 5);
    canvas.LineTo(10, 5);
    for (int x = 2; x < 10; ++x)
        EXPECT_EQ(canvas.Pixels(x, 5), clBlack) << x;
    EXPECT_EQ(canvas.Pixels(10, 5), clWhite);
    EXPECT_EQ(canvas.PenPos().x, 10);
    // The next line starts where the last one ended.
    canvas.Pen()->SetColor(clRed);
    canvas.LineTo(10, 9);
    EXPECT_EQ(canvas.Pixels(10, 5), clRed);
    EXPECT_EQ(canvas.Pixels(10, 8), clRed);
    EXPECT_EQ(canvas.Pixels(10, 9), clWhite);

    canvas.Pen()->SetColor(clBlue);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Rectangle(12, 12, 16, 16);
    EXPECT_EQ(canvas.Pixels(12, 12), clBlue);
    EXPECT_EQ(canvas.Pixels(15, 15), clBlue);
    EXPECT_EQ(canvas.Pixels(16, 16), clWhite);
    EXPECT_EQ(canvas.Pixels(13, 13), clWhite) << "a clear brush leaves the inside";
    EXPECT_EQ(canvas.Pixels(25, 25), clNone) << "outside the bitmap";
}

TEST(Canvas, HatchedRectangleKeepsTheFillBetweenItsLines)
{
    TBitmap bitmap;
    Prepare(bitmap, 24, 24, kFill);
    TCanvas& canvas = *bitmap.Canvas();
    canvas.Pen()->SetColor(clBlack);
    canvas.Brush()->SetColor(clYellow);
    canvas.Brush()->SetStyle(bsDiagCross);
    canvas.Rectangle(0, 0, 24, 24);

    std::set<TColor> inside;
    for (int y = 1; y < 23; ++y)
        for (int x = 1; x < 23; ++x)
            inside.insert(canvas.Pixels(x, y));
    EXPECT_EQ(inside, (std::set<TColor>{kFill, clYellow})) << "hatch lines and the old fill only";
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(canvas.Pixels(i, 0), clBlack);
        EXPECT_EQ(canvas.Pixels(0, i), clBlack);
        EXPECT_EQ(canvas.Pixels(i, 23), clBlack);
        EXPECT_EQ(canvas.Pixels(23, i), clBlack);
    }

    // Painting again in another colour puts the hatch on the same pixels.
    canvas.Brush()->SetColor(clRed);
    canvas.Rectangle(0, 0, 24, 24);
    std::set<TColor> again;
    for (int y = 1; y < 23; ++y)
        for (int x = 1; x < 23; ++x)
            again.insert(canvas.Pixels(x, y));
    EXPECT_EQ(again, (std::set<TColor>{kFill, clRed}));
}

TEST(Canvas, SystemColoursAndTextBackground)
{
    TBitmap bitmap;
    Prepare(bitmap, 60, 30, clBtnFace);
    TCanvas& canvas = *bitmap.Canvas();
    EXPECT_EQ(canvas.Pixels(0, 0), GetSysColor(COLOR_BTNFACE));

    canvas.Font()->SetColor(clBlack);
    const SIZE extent = canvas.TextExtent(L"Wg");
    ASSERT_GT(extent.cx, 0);
    ASSERT_GT(extent.cy, 0);
    EXPECT_EQ(canvas.TextWidth(L"Wg"), extent.cx);

    // A solid brush gives the text an opaque background in its colour.
    canvas.Brush()->SetColor(clWhite);
    canvas.TextOut(0, 0, L"Wg");
    std::set<TColor> box;
    for (int y = 0; y < extent.cy; ++y)
        for (int x = 0; x < extent.cx; ++x)
            box.insert(canvas.Pixels(x, y));
    EXPECT_TRUE(box.count(clWhite));
    EXPECT_FALSE(box.count(GetSysColor(COLOR_BTNFACE)));

    // A clear brush leaves the background.
    canvas.Brush()->SetStyle(bsClear);
    canvas.TextOut(30, 0, L"Wg");
    box.clear();
    for (int y = 0; y < extent.cy; ++y)
        for (int x = 30; x < 30 + extent.cx; ++x)
            box.insert(canvas.Pixels(x, y));
    EXPECT_TRUE(box.count(GetSysColor(COLOR_BTNFACE)));
    EXPECT_FALSE(box.count(clWhite));
}

TEST(Canvas, ChangingTheFontWhileSelectedFreesTheOldOne)
{
    TBitmap bitmap;
    Prepare(bitmap, 10, 10, clWhite);
    TCanvas& canvas = *bitmap.Canvas();
    const int small = canvas.TextHeight(L"X");
    HGDIOBJ old = GetCurrentObject(canvas.Handle(), OBJ_FONT);
    ASSERT_EQ(old, canvas.Font()->Handle());

    canvas.Font()->SetHeight(-30);
    EXPECT_EQ(GetObjectType(old), 0u) << "the old font is really deleted, not left selected";
    EXPECT_GT(canvas.TextHeight(L"X"), small);
    EXPECT_EQ(GetCurrentObject(canvas.Handle(), OBJ_FONT), canvas.Font()->Handle());
}

TEST(Canvas, PutsTheContextsOwnObjectsBack)
{
    TLiveCounts start;
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    HBITMAP surface = CreateCompatibleBitmap(dc, 8, 8);
    HGDIOBJ oldSurface = SelectObject(dc, surface);
    const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    {
        TCanvas canvas;
        EXPECT_THROW(canvas.Handle(), EComponentError) << "no context to draw on";
        canvas.SetHandle(dc);
        canvas.Rectangle(0, 0, 4, 4);
        canvas.TextOut(0, 0, L"a");
        EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), pen);
        canvas.SetHandle(nullptr);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);

        // Dying with the context still set puts them back too.
        canvas.SetHandle(dc);
        canvas.Font()->SetStyle(fsBold);
        canvas.Ellipse(0, 0, 8, 8);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    SelectObject(dc, oldSurface);
    DeleteObject(surface);
    DeleteDC(dc);
    EXPECT_EQ(handles::Live(handles::Kind::Gdi), start.gdi);
}

}  // namespace

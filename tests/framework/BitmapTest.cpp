#include "framework/Bitmap.h"

#include <gtest/gtest.h>

#include "framework/OSError.h"
#include "tests/framework/GraphicsTestSupport.h"

namespace {

using namespace graphicstest;

TEST(Bitmap, ResizeKeepsThePixelsThatFit)
{
    TBitmap bitmap;
    Prepare(bitmap, 10, 10, clRed);
    bitmap.Canvas()->SetPixels(3, 3, clBlue);
    bitmap.SetSize(20, 5);
    EXPECT_EQ(bitmap.Width(), 20);
    EXPECT_EQ(bitmap.Height(), 5);
    TCanvas& canvas = *bitmap.Canvas();
    EXPECT_EQ(canvas.Pixels(3, 3), clBlue);
    EXPECT_EQ(canvas.Pixels(9, 4), clRed);
    EXPECT_EQ(canvas.Pixels(15, 2), clWhite) << "new pixels are white";
    // The canvas goes on drawing on the resized bitmap.
    canvas.SetPixels(19, 4, clGreen);
    EXPECT_EQ(canvas.Pixels(19, 4), clGreen);
    EXPECT_EQ(bitmap.ScanLine(4)[19], 0x00008000u) << "scan lines hold 0x00RRGGBB";
    EXPECT_EQ(bitmap.ScanLine(5), nullptr);

    bitmap.SetSize(0, 0);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Handle(), nullptr);
    bitmap.SetSize(4, 4);
    EXPECT_EQ(bitmap.Canvas()->Pixels(3, 3), clWhite);

    // Sizes beyond what a bitmap can hold are refused and change nothing.
    EXPECT_THROW(bitmap.SetSize(100000, 100000), EOSError);
    EXPECT_THROW(bitmap.LoadFromResourceID(GetModuleHandleW(nullptr), 31999), EOSError);
    EXPECT_EQ(bitmap.Width(), 4);
    EXPECT_EQ(bitmap.Canvas()->Pixels(3, 3), clWhite);

    TBitmap copy;
    copy.Assign(bitmap);
    bitmap.Canvas()->SetPixels(0, 0, clBlack);
    EXPECT_EQ(copy.Canvas()->Pixels(0, 0), clWhite) << "a copy is independent";
    EXPECT_EQ(copy.Width(), 4);
}

TEST(Bitmap, HandleIsFreeForTheSystemAndTransparentDrawSkipsTheKeyColour)
{
    TBitmap source;
    Prepare(source, 4, 4, clFuchsia);
    source.Canvas()->SetPixels(1, 1, clBlue);
    // Another context can select the bitmap once its canvas let go of it.
    HBITMAP handle = source.Handle();
    HDC other = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(other, handle);
    EXPECT_NE(old, nullptr);
    SelectObject(other, old);
    DeleteDC(other);

    source.SetTransparent(true);
    EXPECT_EQ(source.TransparentColor(), clFuchsia) << "the bottom-left pixel by default";
    TBitmap target;
    Prepare(target, 8, 8, clWhite);
    target.Canvas()->Draw(2, 2, source);
    EXPECT_EQ(target.Canvas()->Pixels(3, 3), clBlue);
    EXPECT_EQ(target.Canvas()->Pixels(2, 2), clWhite);
    EXPECT_EQ(target.Canvas()->Pixels(5, 5), clWhite);

    source.SetTransparent(false);
    target.Canvas()->Draw(2, 2, source);
    EXPECT_EQ(target.Canvas()->Pixels(2, 2), clFuchsia);
}

}  // namespace

#include "framework/Graphics.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/ImageList.h"
#include "framework/OSError.h"

namespace {

constexpr TColor kFill = 0x00302010;  // a colour no drawing below produces by chance

// A bitmap of w × h filled with `color`.
void Prepare(TBitmap& bitmap, int w, int h, TColor color)
{
    bitmap.SetSize(w, h);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(RECT{0, 0, w, h});
}

class TCounter : public TObject {
    KD_CLASS(TCounter, TObject)

public:
    void Count(TObject*) { ++count; }
    int count = 0;
};

struct TLiveCounts {
    long gdi = handles::Live(handles::Kind::Gdi);
    long user = handles::Live(handles::Kind::User);
};

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

TEST(Font, HandleFollowsTheSettings)
{
    TLiveCounts start;
    TFont font;
    TCounter changes;
    font.OnChange = TNotifyEvent(&changes, &TCounter::Count);
    EXPECT_EQ(font.Name(), L"MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);

    LOGFONTW lf{};
    ASSERT_EQ(GetObjectW(font.Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(handles::Live(handles::Kind::Gdi), start.gdi + 1);

    font.SetStyle(fsBold | fsItalic);
    EXPECT_FALSE(font.HandleAllocated()) << "made again on next use";
    ASSERT_EQ(GetObjectW(font.Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_EQ(handles::Live(handles::Kind::Gdi), start.gdi + 1) << "the old font was freed";

    font.SetSize(12);
    EXPECT_EQ(font.Height(), -16);
    EXPECT_EQ(font.Size(), 12);
    font.SetSize(12);  // no change, no event
    EXPECT_EQ(changes.count, 2);

    TFont copy;
    copy.Assign(font);
    EXPECT_EQ(copy.Height(), -16);
    EXPECT_EQ(copy.Style(), fsBold | fsItalic);

    // A font handed over is owned and described.
    LOGFONTW turned = lf;
    turned.lfEscapement = turned.lfOrientation = 900;
    font.SetHandle(CreateFontIndirectW(&turned));
    EXPECT_EQ(font.Height(), turned.lfHeight);
    EXPECT_EQ(font.Style(), fsBold | fsItalic);
    ASSERT_EQ(GetObjectW(font.Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfEscapement, 900);
    EXPECT_EQ(handles::Live(handles::Kind::Gdi), start.gdi + 1);

    // Assigning equal settings to a turned font turns it back.
    font.Assign(copy);
    ASSERT_EQ(GetObjectW(font.Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfEscapement, 0);
    EXPECT_EQ(handles::Live(handles::Kind::Gdi), start.gdi + 1) << "the turned font was freed";
}

TEST(Handles, HundredsOfObjectsComeAndGoWithoutLeaks)
{
    TLiveCounts start;
    for (int i = 0; i < 100; ++i) {
        TFont font;
        font.SetHeight(-10 - i % 7);
        ASSERT_NE(font.Handle(), nullptr);
        font.SetStyle(fsUnderline);
        ASSERT_NE(font.Handle(), nullptr);

        TBrush brush;
        brush.SetStyle(static_cast<TBrushStyle>(i % 8));
        ASSERT_NE(brush.Handle(), nullptr);
        brush.SetColor(static_cast<TColor>(i));
        ASSERT_NE(brush.Handle(), nullptr);

        TPen pen;
        pen.SetWidth(1 + i % 3);
        ASSERT_NE(pen.Handle(), nullptr);

        TBitmap bitmap;
        Prepare(bitmap, 16, 16, static_cast<TColor>(i * 1000));
        bitmap.Canvas()->Font()->SetStyle(fsBold);
        bitmap.Canvas()->TextOut(0, 0, L"x");
        bitmap.SetSize(20, 20);

        TImageList list(nullptr);
        list.Add(bitmap, nullptr);
        list.Draw(*bitmap.Canvas(), 0, 0, 0);
    }
    EXPECT_EQ(handles::Live(handles::Kind::Gdi), start.gdi);
    EXPECT_EQ(handles::Live(handles::Kind::User), start.user);
}

TEST(Icon, OwnsItsHandleAndKnowsItsSize)
{
    TLiveCounts start;
    {
        TBitmap color;
        Prepare(color, 24, 24, clRed);
        HBITMAP mask = CreateBitmap(24, 24, 1, 1, nullptr);
        ICONINFO info{TRUE, 0, 0, mask, color.Handle()};
        TIcon icon;
        icon.SetHandle(CreateIconIndirect(&info));
        DeleteObject(mask);
        ASSERT_FALSE(icon.Empty());
        EXPECT_EQ(icon.Width(), 24);
        EXPECT_EQ(icon.Height(), 24);

        TIcon copy;
        copy.Assign(icon);
        EXPECT_NE(copy.Handle(), icon.Handle());
        EXPECT_EQ(copy.Width(), 24);
        EXPECT_EQ(handles::Live(handles::Kind::User), start.user + 2);

        EXPECT_THROW(icon.LoadFromResourceID(GetModuleHandleW(nullptr), 31999), EOSError);
        EXPECT_EQ(icon.Width(), 24) << "a failed load keeps the icon";
    }
    EXPECT_EQ(handles::Live(handles::Kind::User), start.user);
    EXPECT_EQ(handles::Live(handles::Kind::Gdi), start.gdi);
}

}  // namespace

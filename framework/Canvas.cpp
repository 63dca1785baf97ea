#include "framework/Canvas.h"

#include "framework/Bitmap.h"
#include "framework/Exceptions.h"
#include "framework/OSError.h"

TCanvas::TCanvas()
{
    pen_.canvasNotify_ = TNotifyEvent(this, &TCanvas::PenChanged);
    brush_.canvasNotify_ = TNotifyEvent(this, &TCanvas::BrushChanged);
    font_.canvasNotify_ = TNotifyEvent(this, &TCanvas::FontChanged);
}

TCanvas::~TCanvas()
{
    DeselectObjects();
}

HDC TCanvas::Handle()
{
    RequireState(kPenValid | kBrushValid | kFontValid);
    return dc_;
}

void TCanvas::SetHandle(HDC dc)
{
    if (dc == dc_)
        return;
    DeselectObjects();
    dc_ = dc;
    if (dc_) {
        POINT p{};
        if (GetCurrentPositionEx(dc_, &p))
            penPos_ = p;
    }
}

void TCanvas::DeselectObjects()
{
    if (dc_) {
        if (oldPen_)
            SelectObject(dc_, oldPen_);
        if (oldBrush_)
            SelectObject(dc_, oldBrush_);
        if (oldFont_)
            SelectObject(dc_, oldFont_);
    }
    oldPen_ = oldBrush_ = oldFont_ = nullptr;
    state_ = 0;
}

void TCanvas::RequireState(unsigned needed)
{
    if (!dc_) {
        CreateHandle();
        if (!dc_)
            throw EComponentError(L"Canvas does not allow drawing");
    }
    if ((needed & kFontValid) && !(state_ & kFontValid)) {
        HGDIOBJ old = SelectObject(dc_, font_.Handle());
        if (!old)
            RaiseLastOSError();
        if (!oldFont_)
            oldFont_ = old;
        SetTextColor(dc_, ColorToRGB(font_.Color()));
        state_ |= kFontValid;
    }
    if ((needed & kPenValid) && !(state_ & kPenValid)) {
        HGDIOBJ old = SelectObject(dc_, pen_.Handle());
        if (!old)
            RaiseLastOSError();
        if (!oldPen_)
            oldPen_ = old;
        state_ |= kPenValid;
    }
    if ((needed & kBrushValid) && !(state_ & kBrushValid)) {
        HGDIOBJ old = SelectObject(dc_, brush_.Handle());
        if (!old)
            RaiseLastOSError();
        if (!oldBrush_)
            oldBrush_ = old;
        // Hatch lines and text keep what lies between them unless the brush is solid.
        SetBkColor(dc_, ColorToRGB(brush_.Color()));
        SetBkMode(dc_, brush_.Style() == bsSolid ? OPAQUE : TRANSPARENT);
        state_ |= kBrushValid;
    }
}

// A setting changed: the context gets its own object back before the old GDI
// object is freed, and the new one is selected when next needed.
void TCanvas::PenChanged(TObject*)
{
    if (dc_ && oldPen_)
        SelectObject(dc_, oldPen_);
    oldPen_ = nullptr;
    state_ &= ~kPenValid;
}

void TCanvas::BrushChanged(TObject*)
{
    if (dc_ && oldBrush_)
        SelectObject(dc_, oldBrush_);
    oldBrush_ = nullptr;
    state_ &= ~kBrushValid;
}

void TCanvas::FontChanged(TObject*)
{
    if (dc_ && oldFont_)
        SelectObject(dc_, oldFont_);
    oldFont_ = nullptr;
    state_ &= ~kFontValid;
}

void TCanvas::MoveTo(int x, int y)
{
    RequireState(0);
    Win32Check(MoveToEx(dc_, x, y, nullptr));
    penPos_ = {x, y};
}

void TCanvas::LineTo(int x, int y)
{
    RequireState(kPenValid | kBrushValid);
    Win32Check(::LineTo(dc_, x, y));
    penPos_ = {x, y};
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    RequireState(kPenValid | kBrushValid);
    Win32Check(::Rectangle(dc_, left, top, right, bottom));
}

void TCanvas::FillRect(const RECT& r)
{
    RequireState(kBrushValid);
    Win32Check(::FillRect(dc_, &r, brush_.Handle()));
}

void TCanvas::FrameRect(const RECT& r)
{
    RequireState(kBrushValid);
    Win32Check(::FrameRect(dc_, &r, brush_.Handle()));
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    RequireState(kPenValid | kBrushValid);
    Win32Check(::Ellipse(dc_, left, top, right, bottom));
}

void TCanvas::Polygon(std::span<const POINT> points)
{
    if (points.size() < 2)
        return;
    RequireState(kPenValid | kBrushValid);
    Win32Check(::Polygon(dc_, points.data(), static_cast<int>(points.size())));
}

void TCanvas::Polyline(std::span<const POINT> points)
{
    if (points.size() < 2)
        return;
    RequireState(kPenValid | kBrushValid);
    Win32Check(::Polyline(dc_, points.data(), static_cast<int>(points.size())));
}

void TCanvas::TextOut(int x, int y, std::wstring_view text)
{
    RequireState(kFontValid | kBrushValid);
    if (text.empty())
        return;
    Win32Check(::TextOutW(dc_, x, y, text.data(), static_cast<int>(text.size())));
    MoveTo(x + TextWidth(text), y);
}

SIZE TCanvas::TextExtent(std::wstring_view text)
{
    RequireState(kFontValid);
    SIZE size{};
    Win32Check(GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size));
    return size;
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap)
{
    StretchDraw(RECT{x, y, x + bitmap.Width(), y + bitmap.Height()}, bitmap);
}

void TCanvas::StretchDraw(const RECT& r, TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    RequireState(kPenValid | kBrushValid | kFontValid);
    HDC src = bitmap.Canvas()->Handle();
    const int dw = r.right - r.left;
    const int dh = r.bottom - r.top;
    if (bitmap.Transparent()) {
        TransparentCopy(dc_, r.left, r.top, dw, dh, src, 0, 0, bitmap.Width(), bitmap.Height(),
                        ColorToRGB(bitmap.TransparentColor()));
        return;
    }
    SetStretchBltMode(dc_, COLORONCOLOR);
    Win32Check(StretchBlt(dc_, r.left, r.top, dw, dh, src, 0, 0, bitmap.Width(), bitmap.Height(), SRCCOPY));
}

// Pixels outside the context read as clNone and are not written.
TColor TCanvas::Pixels(int x, int y)
{
    RequireState(0);
    const COLORREF c = GetPixel(dc_, x, y);
    return c == CLR_INVALID ? clNone : static_cast<TColor>(c);
}

void TCanvas::SetPixels(int x, int y, TColor color)
{
    RequireState(kPenValid | kBrushValid);
    ::SetPixel(dc_, x, y, ColorToRGB(color));
}

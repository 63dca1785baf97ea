#include "framework/Graphics.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <utility>

#include "framework/Exceptions.h"
#include "framework/OSError.h"

namespace {

// DIB pixels are 0x00RRGGBB; colours are 0x00BBGGRR.
constexpr uint32_t SwapRedBlue(uint32_t v)
{
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

constexpr uint32_t kWhitePixel = 0x00FFFFFF;

// A memory context with one bitmap selected, for copying between bitmaps that
// no canvas holds.
class TScratchDC {
public:
    explicit TScratchDC(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr))
    {
        if (!dc_)
            RaiseLastOSError();
        old_ = SelectObject(dc_.Get(), bitmap);
        if (!old_)
            RaiseLastOSError();
    }
    ~TScratchDC() { SelectObject(dc_.Get(), old_); }
    TScratchDC(const TScratchDC&) = delete;
    TScratchDC& operator=(const TScratchDC&) = delete;
    HDC Get() const { return dc_.Get(); }

private:
    TOwnedMemoryDC dc_;
    HGDIOBJ old_ = nullptr;
};

// A white 32-bit top-down DIB section of width × height (both > 0).
TOwnedBitmap CreateDib(int width, int height, uint32_t*& bits)
{
    if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4u > 0x7FFFFFFFu)
        RaiseOSError(ERROR_NOT_ENOUGH_MEMORY);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 first in memory
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!bitmap || !pixels)
        RaiseLastOSError();
    TOwnedBitmap owned(bitmap);
    bits = static_cast<uint32_t*>(pixels);
    std::fill_n(bits, static_cast<size_t>(width) * static_cast<size_t>(height), kWhitePixel);
    return owned;
}

int PenStyleFlag(TPenStyle style)
{
    switch (style) {
    case psDash: return PS_DASH;
    case psDot: return PS_DOT;
    case psDashDot: return PS_DASHDOT;
    case psDashDotDot: return PS_DASHDOTDOT;
    case psClear: return PS_NULL;
    case psInsideFrame: return PS_INSIDEFRAME;
    case psSolid: break;
    }
    return PS_SOLID;
}

int HatchStyle(TBrushStyle style)
{
    switch (style) {
    case bsHorizontal: return HS_HORIZONTAL;
    case bsVertical: return HS_VERTICAL;
    case bsFDiagonal: return HS_FDIAGONAL;
    case bsBDiagonal: return HS_BDIAGONAL;
    case bsCross: return HS_CROSS;
    default: return HS_DIAGCROSS;
    }
}

}  // namespace

COLORREF ColorToRGB(TColor color)
{
    if (color & kSysColorFlag)
        return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFF;
}

// ---- TGraphicsObject ----

void TGraphicsObject::Changed()
{
    if (canvasNotify_)
        canvasNotify_(this);
    if (OnChange)
        OnChange(this);
}

// ---- TFont ----

TFont::TFont() = default;

void TFont::SetName(const std::wstring& name)
{
    if (name == name_)
        return;
    name_ = name;
    Changed(handle_);
}

void TFont::SetHeight(int height)
{
    if (height == height_)
        return;
    height_ = height;
    Changed(handle_);
}

int TFont::Size() const
{
    return -MulDiv(height_, 72, kPixelsPerInch);
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, kPixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles style)
{
    style &= fsBold | fsItalic | fsUnderline | fsStrikeOut;
    if (style == style_)
        return;
    style_ = style;
    Changed(handle_);
}

void TFont::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    // The colour is not part of the GDI font: the handle stays.
    Changed();
}

void TFont::SetCharset(BYTE charset)
{
    if (charset == charset_)
        return;
    charset_ = charset;
    Changed(handle_);
}

HFONT TFont::Handle() const
{
    if (!handle_) {
        LOGFONTW lf{};
        lf.lfHeight = height_;
        lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
        lf.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
        lf.lfStrikeOut = (style_ & fsStrikeOut) ? TRUE : FALSE;
        lf.lfCharSet = charset_;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = DEFAULT_PITCH;
        // Face names longer than the system allows are cut, as the system would.
        const size_t n = std::min(name_.size(), static_cast<size_t>(LF_FACESIZE - 1));
        std::wmemcpy(lf.lfFaceName, name_.data(), n);
        HFONT font = CreateFontIndirectW(&lf);
        if (!font)
            RaiseLastOSError();
        handle_.Reset(font);
        handedOver_ = false;
    }
    return static_cast<HFONT>(handle_.Get());
}

void TFont::SetHandle(HFONT font)
{
    if (font && font == handle_.Get())
        return;
    if (font) {
        LOGFONTW lf{};
        if (GetObjectW(font, sizeof lf, &lf) != sizeof lf)
            RaiseLastOSError();
        name_.assign(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE));
        height_ = lf.lfHeight;
        style_ = (lf.lfWeight >= FW_BOLD ? fsBold : 0u) | (lf.lfItalic ? fsItalic : 0u) |
                 (lf.lfUnderline ? fsUnderline : 0u) | (lf.lfStrikeOut ? fsStrikeOut : 0u);
        charset_ = lf.lfCharSet;
    }
    TOwnedFont old = std::move(handle_);
    handle_.Reset(font);
    handedOver_ = font != nullptr;
    Changed(old);
}

void TFont::Assign(const TFont& other)
{
    if (&other == this)
        return;
    // A handed-over font (a turned one, say) is replaced even by equal settings.
    const bool sameFont = !(handedOver_ && handle_) && name_ == other.name_ && height_ == other.height_ &&
                          style_ == other.style_ && charset_ == other.charset_;
    if (sameFont && color_ == other.color_)
        return;
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    color_ = other.color_;
    charset_ = other.charset_;
    if (sameFont)
        Changed();
    else
        Changed(handle_);
}

// ---- TPen ----

void TPen::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    Changed(handle_);
}

void TPen::SetWidth(int width)
{
    width = std::max(width, 0);
    if (width == width_)
        return;
    width_ = width;
    Changed(handle_);
}

void TPen::SetStyle(TPenStyle style)
{
    if (style == style_)
        return;
    style_ = style;
    Changed(handle_);
}

HPEN TPen::Handle() const
{
    if (!handle_) {
        HPEN pen = CreatePen(PenStyleFlag(style_), width_, ColorToRGB(color_));
        if (!pen)
            RaiseLastOSError();
        handle_.Reset(pen);
    }
    return static_cast<HPEN>(handle_.Get());
}

void TPen::Assign(const TPen& other)
{
    if (&other == this || (color_ == other.color_ && width_ == other.width_ && style_ == other.style_))
        return;
    color_ = other.color_;
    width_ = other.width_;
    style_ = other.style_;
    Changed(handle_);
}

// ---- TBrush ----

void TBrush::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    Changed(handle_);
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (style == style_)
        return;
    style_ = style;
    Changed(handle_);
}

HBRUSH TBrush::Handle() const
{
    if (style_ == bsClear)
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    if (!handle_) {
        HBRUSH brush = style_ == bsSolid ? CreateSolidBrush(ColorToRGB(color_))
                                         : CreateHatchBrush(HatchStyle(style_), ColorToRGB(color_));
        if (!brush)
            RaiseLastOSError();
        handle_.Reset(brush);
    }
    return static_cast<HBRUSH>(handle_.Get());
}

void TBrush::Assign(const TBrush& other)
{
    if (&other == this || (color_ == other.color_ && style_ == other.style_))
        return;
    color_ = other.color_;
    style_ = other.style_;
    Changed(handle_);
}

// ---- TCanvas ----

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

void TCanvas::SetPenPos(POINT p)
{
    MoveTo(p.x, p.y);
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

void TCanvas::TextRect(const RECT& r, int x, int y, std::wstring_view text)
{
    RequireState(kFontValid | kBrushValid);
    UINT options = ETO_CLIPPED;
    if (brush_.Style() != bsClear)
        options |= ETO_OPAQUE;
    Win32Check(ExtTextOutW(dc_, x, y, options, &r, text.data(), static_cast<UINT>(text.size()), nullptr));
}

SIZE TCanvas::TextExtent(std::wstring_view text)
{
    RequireState(kFontValid);
    SIZE size{};
    Win32Check(GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size));
    return size;
}

namespace {

// Copies src's w × h at (sx, sy) to (x, y) of dest stretched to dw × dh, leaving
// out the source pixels of `transparent` (a COLORREF).
void TransparentCopy(HDC dest, int x, int y, int dw, int dh, HDC src, int sx, int sy, int w, int h,
                     COLORREF transparent)
{
    // Mask: 1 where the source has the transparent colour.
    TOwnedBitmap maskBitmap(CreateBitmap(w, h, 1, 1, nullptr));
    if (!maskBitmap)
        RaiseLastOSError();
    TScratchDC mask(static_cast<HBITMAP>(maskBitmap.Get()));
    const COLORREF oldSrcBk = SetBkColor(src, transparent);
    const BOOL made = BitBlt(mask.Get(), 0, 0, w, h, src, sx, sy, SRCCOPY);
    SetBkColor(src, oldSrcBk);
    Win32Check(made);
    // dest = (dest AND mask) OR (source AND NOT mask), in three steps through
    // XOR so that no temporary copy of the source is needed.
    const COLORREF oldText = SetTextColor(dest, RGB(0, 0, 0));
    const COLORREF oldBk = SetBkColor(dest, RGB(255, 255, 255));
    SetStretchBltMode(dest, COLORONCOLOR);
    BOOL ok = StretchBlt(dest, x, y, dw, dh, src, sx, sy, w, h, SRCINVERT);
    ok = ok && StretchBlt(dest, x, y, dw, dh, mask.Get(), 0, 0, w, h, SRCAND);
    ok = ok && StretchBlt(dest, x, y, dw, dh, src, sx, sy, w, h, SRCINVERT);
    SetTextColor(dest, oldText);
    SetBkColor(dest, oldBk);
    Win32Check(ok);
}

}  // namespace

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
    Win32Check(StretchBlt(dc_, r.left, r.top, dw, dh, src, 0, 0, bitmap.Width(), bitmap.Height(), copyMode_));
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect)
{
    RequireState(kPenValid | kBrushValid | kFontValid);
    HDC src = source.Handle();
    SetStretchBltMode(dc_, COLORONCOLOR);
    Win32Check(StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, src,
                          sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
                          sourceRect.bottom - sourceRect.top, copyMode_));
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

// ---- TBitmap ----

// The canvas of a bitmap: a memory context of its own with the bitmap selected.
class TBitmap::TBitmapCanvas : public TCanvas {
    KD_CLASS(TBitmapCanvas, TCanvas)

public:
    explicit TBitmapCanvas(const TBitmap& owner) : owner_(owner) {}
    ~TBitmapCanvas() override { FreeContext(); }

    // Lets go of the context (and so of the bitmap); made again when next needed.
    void FreeContext()
    {
        if (!memoryDc_)
            return;
        SetHandle(nullptr);
        SelectObject(memoryDc_.Get(), originalBitmap_);
        originalBitmap_ = nullptr;
        memoryDc_.Reset();
    }

protected:
    void CreateHandle() override
    {
        TOwnedMemoryDC dc(CreateCompatibleDC(nullptr));
        if (!dc)
            RaiseLastOSError();
        if (HBITMAP bitmap = static_cast<HBITMAP>(owner_.bitmap_.Get())) {
            originalBitmap_ = SelectObject(dc.Get(), bitmap);
            if (!originalBitmap_)
                RaiseLastOSError();
        }
        memoryDc_ = std::move(dc);
        SetHandle(memoryDc_.Get());
    }

private:
    const TBitmap& owner_;
    TOwnedMemoryDC memoryDc_;
    HGDIOBJ originalBitmap_ = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap()
{
    // The canvas lets go of the bitmap before the bitmap is freed.
    canvas_.reset();
}

TCanvas* TBitmap::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TBitmapCanvas>(*this);
    return canvas_.get();
}

HBITMAP TBitmap::Handle() const
{
    if (canvas_)
        canvas_->FreeContext();
    return static_cast<HBITMAP>(bitmap_.Get());
}

uint32_t* TBitmap::ScanLine(int y)
{
    if (!bits_ || y < 0 || y >= height_)
        return nullptr;
    GdiFlush();  // drawing through the canvas may still be queued
    return bits_ + static_cast<size_t>(y) * static_cast<size_t>(width_);
}

void TBitmap::Adopt(TOwnedBitmap bitmap, uint32_t* bits, int width, int height)
{
    if (canvas_)
        canvas_->FreeContext();
    bitmap_ = std::move(bitmap);
    bits_ = bits;
    width_ = width;
    height_ = height;
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_)
        return;
    TOwnedBitmap bitmap;
    uint32_t* bits = nullptr;
    if (width > 0 && height > 0) {
        bitmap = CreateDib(width, height, bits);
        if (bits_) {
            GdiFlush();
            const int w = std::min(width, width_);
            const int h = std::min(height, height_);
            for (int y = 0; y < h; ++y)
                std::memcpy(bits + static_cast<size_t>(y) * width, bits_ + static_cast<size_t>(y) * width_,
                            static_cast<size_t>(w) * sizeof(uint32_t));
        }
    }
    Adopt(std::move(bitmap), bits, width, height);
    Changed();
}

void TBitmap::LoadFromResource(HINSTANCE instance, const wchar_t* name)
{
    TOwnedBitmap loaded(static_cast<HBITMAP>(LoadImageW(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!loaded)
        RaiseLastOSError();
    BITMAP info{};
    if (!GetObjectW(loaded.Get(), sizeof info, &info))
        RaiseLastOSError();
    const int width = info.bmWidth;
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    TOwnedBitmap bitmap;
    uint32_t* bits = nullptr;
    if (width > 0 && height > 0) {
        bitmap = CreateDib(width, height, bits);
        TScratchDC from(static_cast<HBITMAP>(loaded.Get()));
        TScratchDC to(static_cast<HBITMAP>(bitmap.Get()));
        // A two-colour resource maps 0 to black and 1 to white.
        SetTextColor(to.Get(), RGB(0, 0, 0));
        SetBkColor(to.Get(), RGB(255, 255, 255));
        Win32Check(BitBlt(to.Get(), 0, 0, width, height, from.Get(), 0, 0, SRCCOPY));
        GdiFlush();
    }
    Adopt(std::move(bitmap), bits, width, height);
    Changed();
}

void TBitmap::Assign(const TBitmap& other)
{
    if (&other == this)
        return;
    TOwnedBitmap bitmap;
    uint32_t* bits = nullptr;
    if (!other.Empty()) {
        bitmap = CreateDib(other.width_, other.height_, bits);
        GdiFlush();
        std::memcpy(bits, other.bits_, static_cast<size_t>(other.width_) * other.height_ * sizeof(uint32_t));
    }
    Adopt(std::move(bitmap), bits, other.width_, other.height_);
    transparent_ = other.transparent_;
    transparentColor_ = other.transparentColor_;
    Changed();
}

void TBitmap::SetTransparent(bool on)
{
    if (on == transparent_)
        return;
    transparent_ = on;
    Changed();
}

TColor TBitmap::TransparentColor() const
{
    if (transparentColor_ != clDefault)
        return transparentColor_;
    if (!bits_)
        return clWhite;
    GdiFlush();
    return SwapRedBlue(bits_[static_cast<size_t>(height_ - 1) * width_] & 0x00FFFFFF);
}

void TBitmap::SetTransparentColor(TColor color)
{
    if (color == transparentColor_)
        return;
    transparentColor_ = color;
    Changed();
}

void TBitmap::Changed()
{
    if (OnChange)
        OnChange(this);
}

// ---- TIcon ----

void TIcon::TakeIcon(TOwnedIcon icon)
{
    int width = 0;
    int height = 0;
    if (icon) {
        ICONINFO info{};
        if (!GetIconInfo(icon.Get(), &info))
            RaiseLastOSError();
        // GetIconInfo hands out copies of the icon's bitmaps.
        TOwnedBitmap color(info.hbmColor);
        TOwnedBitmap mask(info.hbmMask);
        BITMAP bm{};
        if (color && GetObjectW(color.Get(), sizeof bm, &bm)) {
            width = bm.bmWidth;
            height = bm.bmHeight;
        } else if (mask && GetObjectW(mask.Get(), sizeof bm, &bm)) {
            width = bm.bmWidth;
            height = bm.bmHeight / 2;  // a two-colour icon stacks its AND and XOR masks
        }
    }
    icon_ = std::move(icon);
    width_ = width;
    height_ = height;
    if (OnChange)
        OnChange(this);
}

void TIcon::SetHandle(HICON icon)
{
    if (icon && icon == icon_.Get())
        return;
    // The icon was handed over: owned from here on, so that it does not leak
    // even when it cannot be read.
    TakeIcon(TOwnedIcon(icon));
}

HICON TIcon::ReleaseHandle()
{
    HICON icon = icon_.Release();
    width_ = height_ = 0;
    return icon;
}

void TIcon::LoadFromResource(HINSTANCE instance, const wchar_t* name, int width, int height)
{
    const UINT flags = (width == 0 && height == 0) ? LR_DEFAULTSIZE : 0;
    HICON icon = static_cast<HICON>(LoadImageW(instance, name, IMAGE_ICON, width, height, flags));
    if (!icon)
        RaiseLastOSError();
    SetHandle(icon);
}

void TIcon::Assign(const TIcon& other)
{
    if (&other == this)
        return;
    HICON copy = nullptr;
    if (other.icon_) {
        copy = CopyIcon(other.Handle());
        if (!copy)
            RaiseLastOSError();
    }
    SetHandle(copy);
}

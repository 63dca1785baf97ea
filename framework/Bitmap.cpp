#include "framework/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <utility>

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

}  // namespace

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

// ---- TBitmap ----

// The canvas of a bitmap: a memory context of its own with the bitmap selected.
class TBitmap::TBitmapCanvas : public TCanvas {
    CLASS_INFO(TBitmapCanvas, TCanvas)

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
    CopyPixels(other);
    transparent_ = other.transparent_;
    transparentColor_ = other.transparentColor_;
    Changed();
}

void TBitmap::AssignPixels(const TBitmap& other)
{
    if (&other == this)
        return;
    CopyPixels(other);
    Changed();
}

void TBitmap::CopyPixels(const TBitmap& other)
{
    TOwnedBitmap bitmap;
    uint32_t* bits = nullptr;
    if (!other.Empty()) {
        bitmap = CreateDib(other.width_, other.height_, bits);
        GdiFlush();
        std::memcpy(bits, other.bits_, static_cast<size_t>(other.width_) * other.height_ * sizeof(uint32_t));
    }
    Adopt(std::move(bitmap), bits, other.width_, other.height_);
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

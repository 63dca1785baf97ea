#pragma once
// Bitmaps with a canvas of their own, and copies that leave one colour out.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/Canvas.h"

// A 32-bit top-down device-independent bitmap with a canvas of its own.
class TBitmap : public TObject {
    CLASS_INFO(TBitmap, TObject)

public:
    TBitmap();
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    // Resizes; the pixels that still fit are kept, new ones are white.
    void SetSize(int width, int height);
    bool Empty() const { return width_ == 0 || height_ == 0; }

    // A canvas that draws on this bitmap (its own memory context).
    TCanvas* Canvas();
    // The bitmap, for handing to the system (image lists, controls); null while
    // the bitmap is empty. Still owned by this object. The canvas lets go of it
    // first, as a bitmap can be selected into only one context at a time.
    HBITMAP Handle() const;
    // The pixels of row y (0x00RRGGBB each), or null when y is out of range.
    uint32_t* ScanLine(int y);

    // Loads a bitmap resource (name or MAKEINTRESOURCEW(id)); raises EOSError
    // when it is missing.
    void LoadFromResource(HINSTANCE instance, const wchar_t* name);
    void LoadFromResourceID(HINSTANCE instance, int id) { LoadFromResource(instance, MAKEINTRESOURCEW(id)); }
    // Copies another bitmap's pixels and settings.
    void Assign(const TBitmap& other);
    // Copies another bitmap's size and pixels; the settings stay.
    void AssignPixels(const TBitmap& other);

    // When Transparent is set, image lists and Draw leave the pixels of
    // TransparentColor out. clDefault means the colour of the bottom-left pixel.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);

    TNotifyEvent OnChange;

private:
    class TBitmapCanvas;
    void Changed();
    // Puts `bitmap` (w × h pixels at bits) in place of the current one.
    void Adopt(TOwnedBitmap bitmap, uint32_t* bits, int width, int height);
    // Puts a copy of other's pixels in place of the current ones.
    void CopyPixels(const TBitmap& other);

    int width_ = 0;
    int height_ = 0;
    TOwnedBitmap bitmap_;
    uint32_t* bits_ = nullptr;  // the DIB's pixels, owned by bitmap_
    std::unique_ptr<TBitmapCanvas> canvas_;
    bool transparent_ = false;
    TColor transparentColor_ = clDefault;
};

// Copies src's w × h at (sx, sy) to (x, y) of dest stretched to dw × dh, leaving
// out the source pixels of `transparent` (a COLORREF). Raises EOSError on failure.
void TransparentCopy(HDC dest, int x, int y, int dw, int dh, HDC src, int sx, int sy, int w, int h,
                     COLORREF transparent);

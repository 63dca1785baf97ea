#pragma once
// A canvas: drawing with a pen, brush and font on a device context it borrows.
#include <windows.h>

#include <span>
#include <string_view>

#include "framework/GraphicsObjects.h"

class TBitmap;

// Draws on a device context with its pen, brush and font. The canvas selects
// them into the context when it draws and puts the context's own objects back
// when the context changes, when a setting changes, and when the canvas dies.
class TCanvas : public TObject {
    CLASS_INFO(TCanvas, TObject)

public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The context drawn on; raises EComponentError when there is none.
    HDC Handle();
    bool HandleAllocated() const { return dc_ != nullptr; }
    // Draws on `dc` from now on (not owned; null detaches). Release the context
    // only after it was detached, or after the canvas died.
    void SetHandle(HDC dc);

    TPen* Pen() { return &pen_; }
    TBrush* Brush() { return &brush_; }
    TFont* Font() { return &font_; }

    POINT PenPos() const { return penPos_; }
    void MoveTo(int x, int y);
    // A line from the pen position to (x, y), without the end point.
    void LineTo(int x, int y);
    // Outline with the pen, inside with the brush; right and bottom exclusive.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    void FillRect(const RECT& r);
    // A one-pixel frame in the brush.
    void FrameRect(const RECT& r);
    void Ellipse(int left, int top, int right, int bottom);
    void Polygon(std::span<const POINT> points);
    void Polyline(std::span<const POINT> points);

    // Text in the font; the background is the brush colour, or none when the
    // brush is not solid.
    void TextOut(int x, int y, std::wstring_view text);
    // Text at (x, y), clipped to r (which is filled first when the brush is solid).
    SIZE TextExtent(std::wstring_view text);
    int TextWidth(std::wstring_view text) { return TextExtent(text).cx; }
    int TextHeight(std::wstring_view text) { return TextExtent(text).cy; }

    void Draw(int x, int y, TBitmap& bitmap);
    void StretchDraw(const RECT& r, TBitmap& bitmap);
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

protected:
    // Called when a context is needed and none is set; canvases that make their
    // own context (a bitmap's) override it and call SetHandle.
    virtual void CreateHandle() {}
    // Puts the context's own pen, brush and font back.
    void DeselectObjects();

private:
    enum : unsigned { kPenValid = 1, kBrushValid = 2, kFontValid = 4 };
    void RequireState(unsigned needed);
    void PenChanged(TObject*);
    void BrushChanged(TObject*);
    void FontChanged(TObject*);

    TPen pen_;
    TBrush brush_;
    TFont font_;
    HDC dc_ = nullptr;  // not owned
    unsigned state_ = 0;
    HGDIOBJ oldPen_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    POINT penPos_{0, 0};
};

// Lets a canvas draw on a borrowed context for one scope and detaches it at the end.
class TCanvasDCScope {
public:
    TCanvasDCScope(TCanvas& canvas, HDC dc) : canvas_(canvas) { canvas_.SetHandle(dc); }
    ~TCanvasDCScope() { canvas_.SetHandle(nullptr); }
    TCanvasDCScope(const TCanvasDCScope&) = delete;
    TCanvasDCScope& operator=(const TCanvasDCScope&) = delete;

private:
    TCanvas& canvas_;
};

#pragma once
// Drawing: colours, fonts, pens and brushes that create their GDI objects when
// first needed, a canvas over a device context, bitmaps with their own canvas,
// and icons. Every GDI object is held by an owner of framework/Handles.h.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "framework/Component.h"
#include "framework/Handles.h"

// 0x00BBGGRR, or 0x80000000 | COLOR_index for a system colour.
using TColor = uint32_t;

constexpr TColor kSysColorFlag = 0x80000000u;
constexpr TColor SysColor(int index) { return kSysColorFlag | static_cast<TColor>(index); }

constexpr TColor clScrollBar = SysColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SysColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SysColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SysColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SysColor(COLOR_MENU);
constexpr TColor clWindow = SysColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = SysColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SysColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SysColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SysColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = SysColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SysColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SysColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = SysColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SysColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SysColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SysColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SysColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = SysColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SysColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SysColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = SysColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SysColor(COLOR_INFOBK);
constexpr TColor clHotLight = SysColor(COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = SysColor(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = SysColor(COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = SysColor(COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = SysColor(COLOR_MENUBAR);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
// Markers, not colours: "no colour" and "the default of whoever draws".
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The RGB value of a colour; a system colour gives the system's current value.
COLORREF ColorToRGB(TColor color);

// Base of fonts, pens and brushes: an object whose settings describe a GDI
// object, raising OnChange after each change of a setting.
class TGraphicsObject : public TObject {
    KD_CLASS(TGraphicsObject, TObject)

public:
    TGraphicsObject() = default;
    TGraphicsObject(const TGraphicsObject&) = delete;
    TGraphicsObject& operator=(const TGraphicsObject&) = delete;

    TNotifyEvent OnChange;

protected:
    // Raises the canvas's notice (which deselects the old GDI object), then
    // OnChange, then frees `old` (the GDI object of the previous settings).
    template <class Owned>
    void Changed(Owned& old)
    {
        Owned stale = std::move(old);
        Changed();
    }
    void Changed();

private:
    friend class TCanvas;
    TNotifyEvent canvasNotify_;  // set by the canvas that uses this object
};

enum TFontStyle : unsigned { fsBold = 1u << 0, fsItalic = 1u << 1, fsUnderline = 1u << 2, fsStrikeOut = 1u << 3 };
using TFontStyles = unsigned;

class TFont : public TGraphicsObject {
    KD_CLASS(TFont, TGraphicsObject)

public:
    // Fonts are measured at this resolution (the system's default).
    static constexpr int kPixelsPerInch = 96;

    TFont();

    const std::wstring& Name() const { return name_; }
    void SetName(const std::wstring& name);
    // Pixels; negative means the height of the characters without internal leading.
    int Height() const { return height_; }
    void SetHeight(int height);
    // Points, kept in step with Height.
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    BYTE Charset() const { return charset_; }
    void SetCharset(BYTE charset);

    // The font, created on first use and again after a change of the settings.
    HFONT Handle() const;
    // Takes ownership of `font` and takes the settings from its description
    // (a turned font keeps its turn until the next change of a setting).
    void SetHandle(HFONT font);
    bool HandleAllocated() const { return static_cast<bool>(handle_); }

    // Copies the settings (not OnChange); one change.
    void Assign(const TFont& other);

private:
    std::wstring name_ = L"MS Sans Serif";
    int height_ = -11;
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    BYTE charset_ = DEFAULT_CHARSET;
    mutable bool handedOver_ = false;  // the handle came from SetHandle, not from the settings
    mutable TOwnedFont handle_;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
    KD_CLASS(TPen, TGraphicsObject)

public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);

    HPEN Handle() const;
    void Assign(const TPen& other);

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    mutable TOwnedPen handle_;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
    KD_CLASS(TBrush, TGraphicsObject)

public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);

    // A clear brush gives the system's hollow brush (not owned, never freed).
    HBRUSH Handle() const;
    void Assign(const TBrush& other);

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    mutable TOwnedBrush handle_;
};

class TBitmap;

// Draws on a device context with its pen, brush and font. The canvas selects
// them into the context when it draws and puts the context's own objects back
// when the context changes, when a setting changes, and when the canvas dies.
class TCanvas : public TObject {
    KD_CLASS(TCanvas, TObject)

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
    void SetPenPos(POINT p);
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
    void TextRect(const RECT& r, int x, int y, std::wstring_view text);
    SIZE TextExtent(std::wstring_view text);
    int TextWidth(std::wstring_view text) { return TextExtent(text).cx; }
    int TextHeight(std::wstring_view text) { return TextExtent(text).cy; }

    void Draw(int x, int y, TBitmap& bitmap);
    void StretchDraw(const RECT& r, TBitmap& bitmap);
    // Copies `source`'s sourceRect to dest with CopyMode.
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);
    DWORD CopyMode() const { return copyMode_; }
    void SetCopyMode(DWORD rop) { copyMode_ = rop; }

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
    DWORD copyMode_ = SRCCOPY;
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

// A 32-bit top-down device-independent bitmap with a canvas of its own.
class TBitmap : public TObject {
    KD_CLASS(TBitmap, TObject)

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

    int width_ = 0;
    int height_ = 0;
    TOwnedBitmap bitmap_;
    uint32_t* bits_ = nullptr;  // the DIB's pixels, owned by bitmap_
    std::unique_ptr<TBitmapCanvas> canvas_;
    bool transparent_ = false;
    TColor transparentColor_ = clDefault;
};

class TIcon : public TObject {
    KD_CLASS(TIcon, TObject)

public:
    TIcon() = default;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    HICON Handle() const { return icon_.Get(); }
    // Takes ownership of `icon` (null empties).
    void SetHandle(HICON icon);
    // Gives the icon up to the caller.
    HICON ReleaseHandle();
    bool Empty() const { return !icon_; }

    // Loads an icon resource at width × height (0 × 0: the system's icon size);
    // raises EOSError when it is missing.
    void LoadFromResource(HINSTANCE instance, const wchar_t* name, int width = 0, int height = 0);
    void LoadFromResourceID(HINSTANCE instance, int id, int width = 0, int height = 0)
    {
        LoadFromResource(instance, MAKEINTRESOURCEW(id), width, height);
    }
    void Assign(const TIcon& other);

    int Width() const { return width_; }
    int Height() const { return height_; }

    TNotifyEvent OnChange;

private:
    void TakeIcon(TOwnedIcon icon);
    TOwnedIcon icon_;
    int width_ = 0;
    int height_ = 0;
};

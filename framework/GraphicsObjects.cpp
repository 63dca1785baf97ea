#include "framework/GraphicsObjects.h"

#include <algorithm>
#include <cwchar>
#include <utility>

#include "framework/Component.h"
#include "framework/OSError.h"

namespace {

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

// ---- TGraphicsObject ----

void TGraphicsObject::Changed()
{
    if (canvasNotify_)
        canvasNotify_(this);
    if (OnChange)
        OnChange(this);
}

// ---- TFont ----

namespace {
const std::wstring kOutlineSansSerif = L"Microsoft Sans Serif";
}

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

void TFont::SetOutlinePreferred(bool on)
{
    if (on == outline_)
        return;
    outline_ = on;
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
        lf.lfOutPrecision = outline_ ? OUT_TT_PRECIS : OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = DEFAULT_PITCH;
        // The bitmap face of dialogs has an outline twin drawn to its measures.
        const std::wstring& face = outline_ && SameText(name_, L"MS Sans Serif") ? kOutlineSansSerif : name_;
        // Face names longer than the system allows are cut, as the system would.
        const size_t n = std::min(face.size(), static_cast<size_t>(LF_FACESIZE - 1));
        std::wmemcpy(lf.lfFaceName, face.data(), n);
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
        outline_ = lf.lfOutPrecision == OUT_TT_PRECIS || lf.lfOutPrecision == OUT_TT_ONLY_PRECIS;
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
                          style_ == other.style_ && charset_ == other.charset_ && outline_ == other.outline_;
    if (sameFont && color_ == other.color_)
        return;
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    color_ = other.color_;
    charset_ = other.charset_;
    outline_ = other.outline_;
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

#include "controls/KdPainters.h"

#include "controls/KdColorBlend.h"
#include "framework/Exceptions.h"
#include "framework/ScopeGuards.h"
#include "framework/Themes.h"

TColor KdBlend(TColor a, TColor b, unsigned weight)
{
    return BlendRGB(ColorToRGB(a), ColorToRGB(b), weight);
}

TColor KdRatioBlend(TColor a, TColor b, unsigned p, unsigned q) { return KdBlend(a, b, RatioWeight(p, q)); }

namespace {

// Draws count lines, line i in the colour of step i from a (first) to b (last);
// line(i) draws one of them with the pen.
template <class Line>
void Gradient(TCanvas& canvas, int first, int last, TColor a, TColor b, Line line)
{
    if (last < first)
        return;
    const TColor ra = ColorToRGB(a);
    const TColor rb = ColorToRGB(b);
    // The pen colour comes back when the gradient is done, also after a failure.
    const TColor penColor = canvas.Pen()->Color();
    const TScopeExit keepPen([&] { canvas.Pen()->SetColor(penColor); });
    if (last == first) {
        canvas.Pen()->SetColor(KdRatioBlend(ra, rb, 1, 1));
        line(first);
        return;
    }
    for (int i = first; i <= last; ++i) {
        canvas.Pen()->SetColor(
            KdRatioBlend(ra, rb, static_cast<unsigned>(last - i), static_cast<unsigned>(i - first)));
        line(i);
    }
}

}  // namespace

void KdHorzGradient(TCanvas& canvas, const RECT& r, TColor a, TColor b)
{
    Gradient(canvas, r.left, r.right - 1, a, b, [&](int x) {
        canvas.MoveTo(x, r.top);
        canvas.LineTo(x, r.bottom);
    });
}

void KdVertGradient(TCanvas& canvas, const RECT& r, TColor a, TColor b)
{
    Gradient(canvas, r.top, r.bottom - 1, a, b, [&](int y) {
        canvas.MoveTo(r.left, y);
        canvas.LineTo(r.right, y);
    });
}

std::array<TColor, 4> TKdEditPainter::DefaultColors(TKdEditPaintStyle style)
{
    switch (style) {
    case KdepsRelief: return {clBtnShadow, clBtnFace, cl3DLight, clWindow};
    case KdepsCurves: return {clBtnShadow, clBtnFace, clWindow, clBtnShadow};
    case KdepsBright: return {clWindow, clBtnFace, clWindow, clBtnFace};
    case KdepsFlat: break;
    }
    return {clBtnShadow, clWindow, clWindow, clBtnShadow};
}

TKdEditPainter::TKdEditPainter()
{
    // Set through the setter from another look, so the flat colours load.
    paintStyle_ = KdepsRelief;
    SetPaintStyle(KdepsFlat);
}

void TKdEditPainter::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TKdEditPainter::SetPaintStyle(TKdEditPaintStyle style)
{
    if (style == paintStyle_)
        return;
    paintStyle_ = style;
    colors_ = DefaultColors(style);
    enabled_ = true;
    Changed();
}

TColor TKdEditPainter::Color(int index) const
{
    if (index < 0 || index > 3)
        throw EComponentError(L"Frame colour index out of range (" + std::to_wstring(index) + L")");
    return colors_[static_cast<size_t>(index)];
}

void TKdEditPainter::SetColor(int index, TColor color)
{
    if (Color(index) == color)
        return;
    colors_[static_cast<size_t>(index)] = color;
    enabled_ = true;
    Changed();
}

void TKdEditPainter::SetEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    Changed();
}

// The drawing changes only when the theme is on and the painter is enabled.
void TKdEditPainter::SetEnabledOnXP(bool on)
{
    if (on == enabledOnXP_)
        return;
    enabledOnXP_ = on;
    if (ThemeServicesEnabled() && enabled_)
        Changed();
}

bool TKdEditPainter::IsActive() const { return enabled_ && (enabledOnXP_ || !ThemeServicesEnabled()); }

void TKdEditPainter::AssignTo(TPersistent* dest) const
{
    auto* painter = dynamic_cast<TKdEditPainter*>(dest);
    if (!painter) {
        TPersistent::AssignTo(dest);
        return;
    }
    painter->OnChange = OnChange;
    painter->paintStyle_ = paintStyle_;
    painter->colors_ = colors_;
    painter->enabled_ = enabled_;
    painter->enabledOnXP_ = enabledOnXP_;
}

void TKdEditPainter::Paint(TCanvas& canvas, const RECT& r, int dpi) const
{
    if (!IsActive())
        return;
    const int width = LineWidthForDpi(dpi);
    switch (paintStyle_) {
    case KdepsFlat:
    case KdepsRelief: PaintRings(canvas, r, width); break;
    case KdepsCurves: PaintCurves(canvas, r, width); break;
    case KdepsBright: PaintBright(canvas, r, width); break;
    }
}

namespace {

// A one-pixel ring along the edge of r: tl at the left and top, br at the right
// and bottom (with both corners where they meet). Lines leave out their end points.
void Ring(TCanvas& c, const RECT& r, TColor tl, TColor br)
{
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    c.Pen()->SetColor(tl);
    c.MoveTo(L, B - 2);
    c.LineTo(L, T);
    c.LineTo(R - 1, T);
    c.Pen()->SetColor(br);
    c.LineTo(R - 1, B - 1);
    c.LineTo(L - 1, B - 1);
}

// The four edges of a ring `width` thick along r, each as two gradient halves
// that meet at M (across) and V (down): corner at the ends, middle where they meet.
void CurvedRing(TCanvas& c, const RECT& r, int width, int M, int V, TColor corner, TColor middle)
{
    const int L = r.left, T = r.top, R = r.right, B = r.bottom, w = width;
    KdHorzGradient(c, {L, T, M, T + w}, corner, middle);
    KdHorzGradient(c, {M, T, R, T + w}, middle, corner);
    KdHorzGradient(c, {L, B - w, M, B}, corner, middle);
    KdHorzGradient(c, {M, B - w, R, B}, middle, corner);
    KdVertGradient(c, {L, T, L + w, V}, corner, middle);
    KdVertGradient(c, {L, V, L + w, B}, middle, corner);
    KdVertGradient(c, {R - w, T, R, V}, corner, middle);
    KdVertGradient(c, {R - w, V, R, B}, middle, corner);
}

RECT Inset(const RECT& r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

}  // namespace

// Outer ring Color1 at the left and top, Color4 at the right and bottom; inner
// ring Color2 and Color3 the same way. A ring `width` thick is as many one-pixel
// rings inside each other.
void TKdEditPainter::PaintRings(TCanvas& c, const RECT& r, int width) const
{
    for (int i = 0; i < 2 * width; ++i) {
        const RECT ring = Inset(r, i);
        // A ring inside the outermost needs more than one pixel each way; a
        // thinner one would overwrite the rings around it.
        if (i > 0 && (ring.bottom - ring.top <= 1 || ring.right - ring.left <= 1))
            return;
        const bool outer = i < width;
        Ring(c, ring, colors_[outer ? 0 : 1], colors_[outer ? 3 : 2]);
    }
}

// Each edge of each ring as two gradient halves that meet in its middle: the
// corners in Color1 (outer) and Color3 (inner), the middles in Color2 and Color4.
void TKdEditPainter::PaintCurves(TCanvas& c, const RECT& r, int width) const
{
    const int M = (r.left + r.right) / 2;
    const int V = (r.top + r.bottom) / 2;
    CurvedRing(c, r, width, M, V, colors_[0], colors_[1]);
    CurvedRing(c, Inset(r, width), width, M, V, colors_[2], colors_[3]);
}

// Two outlines: the outer in the average of Color3 and Color4, the inner in the
// average of Color1 and Color2, each `width` one-pixel rectangles thick.
void TKdEditPainter::PaintBright(TCanvas& c, const RECT& r, int width) const
{
    c.Brush()->SetStyle(bsClear);
    const TColor outer = KdBlend(colors_[2], colors_[3], 128);
    const TColor inner = KdBlend(colors_[0], colors_[1], 128);
    for (int i = 0; i < 2 * width; ++i) {
        c.Pen()->SetColor(i < width ? outer : inner);
        c.Rectangle(Inset(r, i));
    }
}

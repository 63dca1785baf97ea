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

void TKdEditPainter::Paint(TCanvas& canvas, const RECT& r) const
{
    if (!IsActive())
        return;
    switch (paintStyle_) {
    case KdepsFlat:
    case KdepsRelief: PaintRings(canvas, r); break;
    case KdepsCurves: PaintCurves(canvas, r); break;
    case KdepsBright: PaintBright(canvas, r); break;
    }
}

// Outer ring Color1 at the left and top, Color4 at the right and bottom; inner
// ring Color2 and Color3 the same way. Lines leave out their end points.
void TKdEditPainter::PaintRings(TCanvas& c, const RECT& r) const
{
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    c.Pen()->SetColor(colors_[0]);
    c.MoveTo(L, B - 2);
    c.LineTo(L, T);
    c.LineTo(R - 1, T);
    c.Pen()->SetColor(colors_[3]);
    c.LineTo(R - 1, B - 1);
    c.LineTo(L - 1, B - 1);
    // A rectangle of three pixels or less has no room inside its outer ring; the
    // inner lines would overwrite it.
    if (B - T <= 3 || R - L <= 3)
        return;
    c.Pen()->SetColor(colors_[1]);
    c.MoveTo(L + 1, B - 3);
    c.LineTo(L + 1, T + 1);
    c.LineTo(R - 2, T + 1);
    c.Pen()->SetColor(colors_[2]);
    c.LineTo(R - 2, B - 2);
    c.LineTo(L, B - 2);
}

// Each edge of each ring as two gradient halves that meet in its middle: the
// corners in Color1 (outer) and Color3 (inner), the middles in Color2 and Color4.
void TKdEditPainter::PaintCurves(TCanvas& c, const RECT& r) const
{
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    const int M = (L + R) / 2;
    const int V = (T + B) / 2;
    const TColor c1 = colors_[0], c2 = colors_[1], c3 = colors_[2], c4 = colors_[3];
    KdHorzGradient(c, {L, T, M, T + 1}, c1, c2);
    KdHorzGradient(c, {M, T, R, T + 1}, c2, c1);
    KdHorzGradient(c, {L, B - 1, M, B}, c1, c2);
    KdHorzGradient(c, {M, B - 1, R, B}, c2, c1);
    KdVertGradient(c, {L, T, L + 1, V}, c1, c2);
    KdVertGradient(c, {L, V, L + 1, B}, c2, c1);
    KdVertGradient(c, {R - 1, T, R, V}, c1, c2);
    KdVertGradient(c, {R - 1, V, R, B}, c2, c1);
    KdHorzGradient(c, {L + 1, T + 1, M, T + 2}, c3, c4);
    KdHorzGradient(c, {M, T + 1, R - 1, T + 2}, c4, c3);
    KdHorzGradient(c, {L + 1, B - 2, M, B - 1}, c3, c4);
    KdHorzGradient(c, {M, B - 2, R - 1, B - 1}, c4, c3);
    KdVertGradient(c, {L + 1, T + 1, L + 2, V}, c3, c4);
    KdVertGradient(c, {L + 1, V, L + 2, B - 1}, c4, c3);
    KdVertGradient(c, {R - 2, T + 1, R - 1, V}, c3, c4);
    KdVertGradient(c, {R - 2, V, R - 1, B - 1}, c4, c3);
}

// Two outlines: the outer in the average of Color3 and Color4, the inner in the
// average of Color1 and Color2.
void TKdEditPainter::PaintBright(TCanvas& c, const RECT& r) const
{
    c.Brush()->SetStyle(bsClear);
    c.Pen()->SetColor(KdBlend(colors_[2], colors_[3], 128));
    c.Rectangle(r.left, r.top, r.right, r.bottom);
    c.Pen()->SetColor(KdBlend(colors_[0], colors_[1], 128));
    c.Rectangle(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
}

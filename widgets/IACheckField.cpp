#include "widgets/IACheckField.h"

#include <array>
#include <cmath>
#include <numbers>

#include "framework/ImageList.h"
#include "widgets/IACheckLayout.h"

TColor BlendColor(TColor a, TColor b, int range, int pos)
{
    return BlendRGBRange(ColorToRGB(a), ColorToRGB(b), range, pos);
}

bool ColorsClose(TColor a, TColor b, int limit) { return RGBClose(ColorToRGB(a), ColorToRGB(b), limit); }

TIACheckPalette CheckFieldPalette(const TIACheckFieldLook& look)
{
    TIACheckPalette p{};
    p.C1 = look.Enabled ? ColorToRGB(look.Color1) : BlendColor(look.Background, look.Color1, 100, 30);
    p.C2 = look.Enabled ? ColorToRGB(look.Color2) : BlendColor(look.Background, look.Color2, 100, 30);
    const TColor middle = BlendColor(p.C2, p.C1, 100, 50);
    p.L1 = BlendColor(p.C1, clWhite, 100, 30);
    p.LM = BlendColor(middle, clWhite, 100, 50);
    p.D1 = BlendColor(p.C1, clBlack, 100, 30);
    p.DM = BlendColor(middle, clBlack, 100, 30);
    return p;
}

int CheckFieldImageIndex(bool checked, bool enabled) { return (checked ? 1 : 0) + (enabled ? 0 : 2); }

namespace {

bool Dark(TColor color) { return ColorsClose(color, clBlack, 384); }

class TFieldPainter {
public:
    TFieldPainter(TCanvas& canvas, const TIACheckFieldLook& look, int x, int y, int w, int h)
        : c_(canvas), look_(look), p_(CheckFieldPalette(look)), x_(x), y_(y), w_(w), h_(h)
    {
        outline_ = Dark(p_.C1) ? p_.L1 : p_.D1;
        inverse_ = Dark(p_.C1) ? p_.D1 : p_.L1;
    }

    void Draw()
    {
        switch (look_.Style) {
        case iaccsBitmap:
            Picture();
            break;
        case iaccsStyle3:
            look_.Type == iacctCheck ? Style3Box() : Style3Radio();
            break;
        case iaccsStyle1:
        case iaccsStyle1Small:
            look_.Type == iacctCheck ? Style1Box() : Style1Radio();
            break;
        case iaccsStyle2:
            Style2();
            break;
        }
    }

private:
    void Pen(TColor color, TPenStyle style = psSolid)
    {
        c_.Pen()->SetColor(color);
        c_.Pen()->SetStyle(style);
    }
    void Brush(TColor color, TBrushStyle style = bsSolid)
    {
        c_.Brush()->SetColor(color);
        c_.Brush()->SetStyle(style);
    }
    // A polygon filled with `fill` and no outline.
    void Fill(std::span<const POINT> points, TColor fill)
    {
        Pen(fill, psClear);
        Brush(fill);
        c_.Polygon(points);
        Pen(fill);
    }
    void Line(std::initializer_list<POINT> points)
    {
        auto it = points.begin();
        c_.MoveTo(it->x, it->y);
        for (++it; it != points.end(); ++it)
            c_.LineTo(it->x, it->y);
    }

    void Picture()
    {
        TImageList* images = look_.Images;
        if (!images || images->Count() < 4)
            return;
        // The list's pictures 2 and 3 are the disabled look; no greying of our own.
        images->Draw(c_, x_, y_, CheckFieldImageIndex(look_.Checked, look_.Enabled), true);
    }

    // A diagonal cross of half-width k as one 12-corner polygon.
    std::array<POINT, 12> Cross(int k) const
    {
        const int cx = x_ + w_ / 2, cy = y_ + h_ / 2, a = w_ / 3, b = h_ / 3;
        return {{{cx - a + k, cy - b},
                 {cx, cy - k},
                 {cx + a - k, cy - b},
                 {cx + a, cy - b + k},
                 {cx + k, cy},
                 {cx + a, cy + b - k},
                 {cx + a - k, cy + b},
                 {cx, cy + k},
                 {cx - a + k, cy + b},
                 {cx - a, cy + b - k},
                 {cx - k, cy},
                 {cx - a, cy - b + k}}};
    }

    void Style3Box()
    {
        Brush(p_.C1);
        Pen(outline_);
        c_.Rectangle(x_, y_, x_ + w_, y_ + h_);
        if (!look_.Checked) {
            Brush(look_.Background);
            Pen(inverse_);
            c_.Rectangle(x_ + 2, y_ + 2, x_ + w_ - 2, y_ + h_ - 2);
            return;
        }
        Brush(Dark(p_.C1) ? p_.DM : p_.LM);
        Pen(Dark(p_.C1) ? p_.D1 : p_.L1);
        c_.Rectangle(x_ + 2, y_ + 2, x_ + w_ - 2, y_ + h_ - 2);
        Brush(p_.C2);
        Pen(Dark(p_.C2) ? p_.LM : p_.DM);
        c_.Polygon(Cross(2));
        Brush(outline_);
        Pen(inverse_);
        c_.Polygon(Cross(1));
    }

    void Ellipse(int inset)
    {
        c_.Ellipse(x_ + inset, y_ + inset, x_ + w_ - inset, y_ + h_ - inset);
    }

    void Style3Radio()
    {
        Brush(p_.C1);
        Pen(outline_);
        Ellipse(1);
        if (!look_.Checked) {
            Brush(look_.Background);
            Pen(inverse_);
            Ellipse(3);
            return;
        }
        Brush(Dark(p_.C1) ? p_.DM : p_.LM);
        Pen(Dark(p_.C1) ? p_.D1 : p_.L1);
        Ellipse(3);
        Brush(outline_);
        Pen(p_.C2);
        Ellipse(4);
        Brush(p_.C2);
        Pen(outline_);
        Ellipse(5);
    }

    void Style1Box()
    {
        const int X = x_, Y = y_, W = w_, H = h_;
        Pen(p_.C1);
        Brush(p_.C1);
        // The face's bottom follows the width, as the look was drawn on square fields.
        c_.Rectangle(X + 2, Y + 2, X + W - 2, Y + W - 2);
        Pen(p_.L1);
        Line({{X, Y + H - 1}, {X, Y}, {X + W - 1, Y}});
        Line({{X + 1, Y + H - 2}, {X + 1, Y + 1}, {X + W - 2, Y + 1}});
        Pen(p_.D1);
        Line({{X, Y + H - 1}, {X + W - 1, Y + H - 1}, {X + W - 1, Y}});
        Line({{X + 1, Y + H - 2}, {X + W - 2, Y + H - 2}, {X + W - 2, Y + 1}});
        if (!look_.Checked)
            return;
        const int a = W / 3, b = H / 3;
        c_.Pen()->SetWidth(W / 8);
        Pen(Dark(p_.C2) ? p_.LM : p_.DM);
        Line({{X + a - 1, Y + a - 1}, {X + W - a - 1, Y + H - a - 1}});
        Line({{X + a - 1, Y + H - a - 1}, {X + W - a - 1, Y + b - 1}});
        Line({{X + a + 1, Y + a + 1}, {X + W - a + 1, Y + H - a + 1}});
        Line({{X + a + 1, Y + H - a + 1}, {X + W - a + 1, Y + b + 1}});
        Pen(p_.C2);
        Line({{X + a - 1, Y + a - 1}, {X + W - a + 1, Y + H - b + 1}});
        Line({{X + a - 1, Y + H - b + 1}, {X + W - a + 1, Y + b - 1}});
        c_.Pen()->SetWidth(1);
    }

    void Style1Radio()
    {
        const int X = x_, Y = y_, W = w_, H = h_, q = W / 4, r = H / 4;
        const POINT octagon[] = {{X + 2, Y + r + 2},         {X + q + 2, Y + 2},         {X + W - q - 2, Y + 2},
                                 {X + W - 2, Y + r + 2},     {X + W - 2, Y + H - r - 2}, {X + W - q - 2, Y + H - 2},
                                 {X + q + 2, Y + H - 2},     {X + 2, Y + H - r - 2}};
        const POINT upperLeft[] = {{X + 2, Y + H - r - 2}, {X + 2, Y + r + 2}, {X + q + 2, Y + 2},
                                   {X + W - q - 2, Y + 2}, {X + W - 2, Y + r + 2}, {X + W, Y + r},
                                   {X + W - q, Y},         {X + q, Y},          {X, Y + r},
                                   {X, Y + H - r}};
        const POINT lowerRight[] = {{X + W - 2, Y + r + 2},     {X + W - 2, Y + H - r - 2}, {X + W - q - 2, Y + H - 2},
                                    {X + q + 2, Y + H - 2},     {X + 2, Y + H - r - 2},     {X, Y + H - r},
                                    {X + q, Y + H},             {X + W - q, Y + H},         {X + W, Y + H - r},
                                    {X + W, Y + r}};
        Fill(octagon, p_.C1);
        Fill(upperLeft, p_.L1);
        Fill(lowerRight, p_.D1);
        if (!look_.Checked)
            return;
        const int cx = X + W / 2, cy = Y + H / 2, e = W / 6, f = H / 6;
        const POINT dotUpperLeft[] = {{cx - e, cy + f},         {cx - e, cy - f},         {cx + e, cy - f},
                                      {cx + e + 2, cy - f - 2}, {cx - e - 2, cy - f - 2}, {cx - e - 2, cy + f + 2}};
        const POINT dotLowerRight[] = {{cx - e, cy + f},         {cx + e, cy + f},         {cx + e, cy - f},
                                       {cx + e + 2, cy - f - 2}, {cx + e + 2, cy + f + 2}, {cx - e - 2, cy + f + 2}};
        Fill(dotUpperLeft, p_.L1);
        Fill(dotLowerRight, p_.D1);
        Pen(p_.C2, psClear);
        Brush(p_.C2);
        c_.Rectangle(cx - e, cy - f, cx + e, cy + f);
        Pen(p_.C2);
    }

    // A lens of ten corners, shrunk by k, moved by (dx, dy).
    std::array<POINT, 10> Lens(int k, int dx, int dy) const
    {
        const double d = std::sqrt(static_cast<double>(w_) * w_ + static_cast<double>(h_) * h_);
        const int cx = x_ + w_ / 2 + dx, cy = y_ + h_ / 2 + dy;
        std::array<POINT, 10> points{};
        for (int i = 0; i < 10; ++i) {
            const double t = i * 2 * std::numbers::pi / 10;
            const int u = RoundHalfEven(std::cos(t) * d / 3);
            const int v = RoundHalfEven(std::sin(t) * (d / 5 - k));
            if (look_.Type == iacctCheck)
                // Along the diagonal from lower left to upper right.
                points[static_cast<size_t>(i)] = {cx + RoundHalfEven((v + u) / std::numbers::sqrt2),
                                                  cy + RoundHalfEven((v - u) / std::numbers::sqrt2)};
            else
                points[static_cast<size_t>(i)] = {cx + u, cy + v};
        }
        return points;
    }

    void Style2()
    {
        const bool box = look_.Type == iacctCheck;
        Fill(Lens(0, 0, 0), p_.D1);
        Fill(Lens(2, 0, 0), p_.C1);
        Fill(Lens(4, box ? -1 : 0, -1), p_.L1);
        Fill(Lens(4, 0, 0), p_.C1);
        Brush(clBlack, bsClear);
        Pen(clBlack);
        c_.Polygon(Lens(0, 0, 0));
        if (!look_.Checked)
            return;
        const int cx = x_ + w_ / 2, cy = y_ + h_ / 2;
        const POINT tick[] = {{cx - 5, cy - 5}, {cx, cy}, {cx + 5, cy - 9}, {cx + 1, cy + 7}};
        Brush(p_.C2);
        Pen(Dark(p_.C2) ? p_.LM : clBlack);
        c_.Polygon(tick);
    }

    TCanvas& c_;
    const TIACheckFieldLook& look_;
    const TIACheckPalette p_;
    const int x_, y_, w_, h_;
    TColor outline_;  // the outline of a shape: light on a dark C1, else dark
    TColor inverse_;
};

}  // namespace

void DrawCheckField(TCanvas& canvas, const TIACheckFieldLook& look, int x, int y, int width, int height)
{
    TFieldPainter(canvas, look, x, y, width, height).Draw();
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Pen()->SetStyle(psSolid);
}

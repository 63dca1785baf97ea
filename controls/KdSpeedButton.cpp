#include "controls/KdSpeedButton.h"

#include "controls/KdPainters.h"
#include "framework/ScopeGuards.h"
#include "framework/Themes.h"

namespace {

// Puts a canvas's brush and pen back as they were when it goes out of scope.
class TBrushPenKeeper {
public:
    explicit TBrushPenKeeper(TCanvas& canvas) : canvas_(canvas)
    {
        brush_.Assign(*canvas.Brush());
        pen_.Assign(*canvas.Pen());
    }
    ~TBrushPenKeeper()
    {
        canvas_.Brush()->Assign(brush_);
        canvas_.Pen()->Assign(pen_);
    }
    TBrushPenKeeper(const TBrushPenKeeper&) = delete;
    TBrushPenKeeper& operator=(const TBrushPenKeeper&) = delete;

private:
    TCanvas& canvas_;
    TBrush brush_;
    TPen pen_;
};

void FreshBrushAndPen(TCanvas& canvas)
{
    const TBrush brush;
    const TPen pen;
    canvas.Brush()->Assign(brush);
    canvas.Pen()->Assign(pen);
}

}  // namespace

TKdSpeedButton::TKdSpeedButton(TComponent* owner) : TSpeedButton(owner) {}

void TKdSpeedButton::SetHighlighted(bool on)
{
    if (on == highlighted_)
        return;
    highlighted_ = on;
    if (!FMouseInControl && !ThemeServicesEnabled())
        Invalidate();
}

void TKdSpeedButton::SetHighlightedXP(bool on)
{
    if (on == highlightedXP_)
        return;
    highlightedXP_ = on;
    if (!FMouseInControl && ThemeServicesEnabled())
        Invalidate();
}

void TKdSpeedButton::SetStyle(TKdSpeedButtonStyle style)
{
    style_ = style;
    Invalidate();
}

void TKdSpeedButton::Invalidate()
{
    if (!painting_)
        TSpeedButton::Invalidate();
}

void TKdSpeedButton::Repaint()
{
    if (!painting_)
        TSpeedButton::Repaint();
}

void TKdSpeedButton::WndProc(TMessage& msg)
{
    if (!OnWndProc) {
        BaseWndProc(msg);
        return;
    }
    bool handled = false;
    OnWndProc(this, msg, handled, TWndMethod(this, &TKdSpeedButton::BaseWndProc));
    if (!handled)
        BaseWndProc(msg);
}

void TKdSpeedButton::BaseWndProc(TMessage& msg)
{
    // LParam names a child for notices forwarded from inside; a button has none.
    if (msg.Msg == CM_MOUSEENTER && msg.LParam == 0)
        MouseEntered();
    else if (msg.Msg == CM_MOUSELEAVE && msg.LParam == 0)
        MouseLeft();
    TSpeedButton::WndProc(msg);
}

void TKdSpeedButton::MouseEntered()
{
    if (mouseReallyInControl_)
        return;
    mouseReallyInControl_ = true;
    if (OnMouseEnter)
        OnMouseEnter(this);
    if (style_ != KdsbStandard)
        Invalidate();
}

void TKdSpeedButton::MouseLeft()
{
    if (!mouseReallyInControl_)
        return;
    mouseReallyInControl_ = false;
    if (OnMouseLeave)
        OnMouseLeave(this);
    if (style_ != KdsbStandard)
        Invalidate();
}

void TKdSpeedButton::Paint()
{
    if (painting_)
        return;
    TCanvas& c = *Canvas();
    const TFlagScope painting(painting_);
    TButtonState state = bsUp;
    bool hot = false;
    // The state and hot flag go back to what the paint settled on, and the
    // brush and pen are fresh again, however the paint ends.
    const TScopeExit restore([&] {
        FState = state;
        FMouseInControl = hot;
        FreshBrushAndPen(c);
    });
    FreshBrushAndPen(c);
    // The state as the button is now; these corrections stay.
    if (!Enabled())
        FState = bsDisabled;
    else if (FState == bsDisabled)
        FState = (GroupIndex() != 0 && Down()) ? bsExclusive : bsUp;
    if (FState == bsDown && GetKeyState(VK_LBUTTON) >= 0)
        FState = bsUp;
    // A hot flag left over from a missed leave notice is cleared.
    if (!mouseReallyInControl_)
        FMouseInControl = false;
    c.Font()->Assign(*Font());
    state = FState;
    hot = FMouseInControl;
    if (ThemeServicesEnabled() ? highlightedXP_ : highlighted_)
        FMouseInControl = true;
    if (OnPaint)
        OnPaint(this, TKdProcedure(this, &TKdSpeedButton::DefaultPaint), FState, FMouseInControl,
                mouseReallyInControl_);
    else
        DefaultPaint();
}

void TKdSpeedButton::DefaultPaint()
{
    TCanvas& c = *Canvas();
    TBrushPenKeeper keeper(c);
    FreshBrushAndPen(c);
    if (ThemeServicesEnabled() || style_ == KdsbStandard)
        TSpeedButton::Paint();
    else
        PaintBright();
}

// The bright looks paint the face and the frames themselves; the base painting
// in between, flat and transparent, adds the glyph, the caption and its hot edge.
void TKdSpeedButton::PaintBright()
{
    TCanvas& c = *Canvas();
    const bool flat = Flat();
    const bool transparent = Transparent();
    SetFlat(true);
    SetTransparent(true);
    const TScopeExit restore([&] {
        SetFlat(flat);
        SetTransparent(transparent);
    });
    const bool hot = FMouseInControl || mouseReallyInControl_;
    const bool pressed = FState == bsDown || FState == bsExclusive;
    const int w = Width();
    const int h = Height();
    const TColor light = KdBlend(clBtnHighlight, clBtnFace, 128);
    c.Brush()->SetColor(hot || pressed ? clBtnHighlight : clBtnFace);
    if (!transparent || hot || pressed)
        c.FillRect({0, 0, w, h});
    // Each frame is one pixel per 96-DPI pixel thick, the inner inside the outer.
    const int line = LineWidthForDpi(CurrentDpi());
    const bool inner = w > 2 * line && h > 2 * line;
    auto outline = [&](TColor color, int from) {
        c.Brush()->SetStyle(bsClear);
        c.Pen()->SetColor(color);
        for (int inset = from; inset < from + line; ++inset)
            c.Rectangle(inset, inset, w - inset, h - inset);
    };
    TColor outer = clNone;
    switch (style_) {
    case KdsbBright:
        if (hot || pressed) {
            if (inner)
                outline(light, line);
            outer = light;
        }
        break;
    case KdsbBrightFrame1:
        if (inner)
            outline(clBtnShadow, line);
        outer = light;
        break;
    case KdsbBrightFrame2:
        if (inner)
            outline(light, line);
        outer = clBtnShadow;
        break;
    case KdsbStandard:
        break;
    }
    TSpeedButton::Paint();
    if (outer != clNone)
        outline(outer, 0);
}

// Painting of windowed controls: the background in the control's colour, the
// colours answered to a parent, the graphic children painted by their parent,
// and TCustomControl and TGraphicControl, which paint themselves on a canvas.
#include "framework/CustomControls.h"

#include <algorithm>

#include "framework/OSError.h"
#include "framework/WindowProcs.h"

void TWinControl::ControlColor(TMessage& m)
{
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    m.Result = reinterpret_cast<LRESULT>(BackgroundBrush());
}

HBRUSH TWinControl::BackgroundBrush()
{
    if (!brush_ || brushColor_ != Color()) {
        HBRUSH b = CreateSolidBrush(ColorToRGB(Color()));
        if (!b)
            RaiseLastOSError();
        brush_.Reset(b);
        brushColor_ = Color();
    }
    return brush_.Get();
}

bool TWinControl::EraseBackground(HDC dc)
{
    if (ControlStyle() & csOpaque)
        return true;
    RECT r;
    GetClientRect(handle_, &r);
    FillRect(dc, &r, BackgroundBrush());
    return true;
}

bool TWinControl::HasGraphicChildren() const
{
    return std::any_of(controls_.begin(), controls_.end(), [](const TControl* c) { return IsGraphicControl(c); });
}

void TWinControl::PaintHandler(TMessage& m)
{
    const TPaintScope paint(handle_, m.WParam);
    if (systemClass_) {
        // The class paints itself into our context first.
        TMessage own{WM_PAINT, reinterpret_cast<WPARAM>(paint.DC()), 0, 0};
        DefaultHandler(own);
    }
    PaintControls(paint.DC());
}

void TWinControl::PaintControls(HDC dc)
{
    RECT clip;
    if (GetClipBox(dc, &clip) == ERROR)
        return;
    for (TControl* c : std::vector<TControl*>(controls_)) {
        if (!IsGraphicControl(c) || !c->Visible())
            continue;
        RECT b = c->BoundsRect(), common;
        if (!IntersectRect(&common, &b, &clip))
            continue;
        const TSavedDC saved(dc);
        POINT old;
        OffsetViewportOrgEx(dc, b.left, b.top, &old);
        IntersectClipRect(dc, 0, 0, b.right - b.left, b.bottom - b.top);
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(std::make_unique<TCanvas>()) {}

TCustomControl::~TCustomControl() { Destroying(); }

void TCustomControl::WndProc(TMessage& m)
{
    if (m.Msg == WM_PAINT) {
        PaintHandler(m);
        return;
    }
    TWinControl::WndProc(m);
}

void TCustomControl::PaintHandler(TMessage& m)
{
    // A context handed in WParam needs no window of ours.
    const TPaintScope paint(m.WParam ? nullptr : Handle(), m.WParam);
    {
        TCanvas& c = *canvas_;
        const TCanvasDCScope draw(c, paint.DC());
        c.Font()->Assign(*Font());
        c.Brush()->SetColor(Color());
        Paint();
    }
    PaintControls(paint.DC());
}
TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(std::make_unique<TCanvas>())
{
    SetParentColor(true);
}

TGraphicControl::~TGraphicControl() { Destroying(); }

void TGraphicControl::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_PAINT && msg.WParam) {
        // The parent hands over its context, already moved and clipped to us.
        TCanvas& c = *canvas_;
        const TCanvasDCScope draw(c, reinterpret_cast<HDC>(msg.WParam));
        c.Font()->Assign(*Font());
        Paint();
        return;
    }
    TControl::WndProc(msg);
}

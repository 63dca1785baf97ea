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
    PAINTSTRUCT ps{};
    HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(handle_, &ps);
    if (!dc)
        RaiseLastOSError();
    try {
        if (systemClass_) {
            // The class paints itself into our context first.
            TMessage own{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
            DefaultHandler(own);
        }
        PaintControls(dc);
    } catch (...) {
        if (!m.WParam)
            EndPaint(handle_, &ps);
        throw;
    }
    if (!m.WParam)
        EndPaint(handle_, &ps);
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
        int saved = SaveDC(dc);
        if (!saved)
            RaiseLastOSError();
        POINT old;
        OffsetViewportOrgEx(dc, b.left, b.top, &old);
        IntersectClipRect(dc, 0, 0, b.right - b.left, b.bottom - b.top);
        try {
            c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        } catch (...) {
            RestoreDC(dc, saved);
            throw;
        }
        RestoreDC(dc, saved);
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
    PAINTSTRUCT ps{};
    HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(Handle(), &ps);
    if (!dc)
        RaiseLastOSError();
    TCanvas& c = *canvas_;
    c.Lock();
    try {
        c.SetHandle(dc);
        c.Font()->Assign(*Font());
        c.Brush()->SetColor(Color());
        Paint();
        c.SetHandle(nullptr);
        PaintControls(dc);
    } catch (...) {
        c.SetHandle(nullptr);
        c.Unlock();
        if (!m.WParam)
            EndPaint(Handle(), &ps);
        throw;
    }
    c.Unlock();
    if (!m.WParam)
        EndPaint(Handle(), &ps);
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
        c.Lock();
        c.SetHandle(reinterpret_cast<HDC>(msg.WParam));
        try {
            c.Font()->Assign(*Font());
            Paint();
        } catch (...) {
            c.SetHandle(nullptr);
            c.Unlock();
            throw;
        }
        c.SetHandle(nullptr);
        c.Unlock();
        return;
    }
    TControl::WndProc(msg);
}

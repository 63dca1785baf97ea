#include "framework/ExtCtrls.h"

#include "framework/Handles.h"
#include "framework/OSError.h"

void Frame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight, int width)
{
    TOwnedPen light(CreatePen(PS_SOLID, 1, ColorToRGB(topLeft)));
    TOwnedPen dark(CreatePen(PS_SOLID, 1, ColorToRGB(bottomRight)));
    if (!light || !dark)
        RaiseLastOSError();
    for (int i = 0; i < width && r.right - r.left > 1 && r.bottom - r.top > 1; ++i) {
        {
            TSelectGuard pen(dc, light.Get());
            MoveToEx(dc, r.left, r.bottom - 1, nullptr);
            LineTo(dc, r.left, r.top);
            LineTo(dc, r.right - 1, r.top);
        }
        {
            TSelectGuard pen(dc, dark.Get());
            LineTo(dc, r.right - 1, r.bottom - 1);
            LineTo(dc, r.left - 1, r.bottom - 1);
        }
        InflateRect(&r, -1, -1);
    }
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetBevelOuter(TPanelBevel b)
{
    if (b == bevelOuter_)
        return;
    bevelOuter_ = b;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel b)
{
    if (b == bevelInner_)
        return;
    bevelInner_ = b;
    Invalidate();
}

void TCustomPanel::Paint()
{
    TCanvas& c = *Canvas();
    HDC dc = c.Handle();
    RECT r = ClientRect();
    auto bevel = [&](TPanelBevel b) {
        if (b == bvNone)
            return;
        if (b == bvSpace) {
            InflateRect(&r, -bevelWidth_, -bevelWidth_);
            return;
        }
        bool raised = b == bvRaised;
        Frame3D(dc, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, bevelWidth_);
    };
    bevel(bevelOuter_);
    bevel(bevelInner_);
    c.Brush()->SetColor(Color());
    c.Brush()->SetStyle(bsSolid);
    c.FillRect(r);
    std::wstring caption = Text();
    if (caption.empty())
        return;
    TSelectGuard font(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TBitmap>())
{
    SetBounds(0, 0, 105, 105);
    picture_->OnChange = TNotifyEvent(this, &TImage::PictureChanged);
}

TImage::~TImage() { Destroying(); }

TCanvas* TImage::Canvas()
{
    if (picture_->Empty() && Width() > 0 && Height() > 0)
        picture_->SetSize(Width(), Height());
    Invalidate();
    return picture_->Canvas();
}

void TImage::PictureChanged(TObject*) { Invalidate(); }

void TImage::Paint()
{
    TCanvas& c = *TGraphicControl::Canvas();
    if (picture_->Empty())
        return;
    c.Draw(0, 0, *picture_);
}

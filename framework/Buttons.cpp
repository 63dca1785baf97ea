#include "framework/Buttons.h"

#include "framework/Handles.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner)
{
    // Clicks are decided by the button itself on the release.
    SetControlStyle(csCaptureMouse | csDoubleClicks);
    SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetDown(bool down)
{
    if (groupIndex_ == 0)
        down = false;
    if (down == down_)
        return;
    if (down_ && !allowAllUp_)
        return;
    down_ = down;
    if (down) {
        FState = bsExclusive;
        UpdateExclusive();
    } else {
        FState = bsUp;
    }
    Invalidate();
}

void TSpeedButton::SetGroupIndex(unsigned index)
{
    if (index == groupIndex_)
        return;
    groupIndex_ = index;
    UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool on)
{
    if (on == allowAllUp_)
        return;
    allowAllUp_ = on;
    UpdateExclusive();
}

void TSpeedButton::SetFlat(bool on)
{
    if (on == flat_)
        return;
    flat_ = on;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool on)
{
    if (on == transparent_)
        return;
    transparent_ = on;
    Invalidate();
}

void TSpeedButton::UpdateExclusive()
{
    // The other buttons of the group go up and share AllowAllUp.
    TWinControl* parent = Parent();
    if (groupIndex_ == 0 || !parent)
        return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(parent->Controls(i));
        if (!other || other == this || other->groupIndex_ != groupIndex_)
            continue;
        if (down_ && other->down_) {
            other->down_ = false;
            other->FState = bsUp;
            other->Invalidate();
        }
        other->allowAllUp_ = allowAllUp_;
    }
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled())
        return;
    if (!down_) {
        FState = bsDown;
        Invalidate();
    }
    dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (!dragging_)
        return;
    RECT r = ClientRect();
    POINT p{x, y};
    TButtonState state = down_ ? bsExclusive : bsUp;
    if (PtInRect(&r, p))
        state = down_ ? bsExclusive : bsDown;
    if (state != FState) {
        FState = state;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!dragging_ || button != mbLeft)
        return;
    dragging_ = false;
    RECT r = ClientRect();
    POINT p{x, y};
    const bool click = PtInRect(&r, p) != FALSE;
    if (groupIndex_ == 0) {
        FState = bsUp;
        FMouseInControl = FMouseInControl && click;
        Invalidate();
    } else if (click) {
        SetDown(!down_);
        if (down_)
            FState = bsExclusive;
        Invalidate();
    } else {
        FState = down_ ? bsExclusive : bsUp;
        Invalidate();
    }
    if (click)
        Click();
}

void TSpeedButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_MOUSEENTER:
        if (m.LParam == 0 && !FMouseInControl && Enabled()) {
            FMouseInControl = true;
            if (flat_)
                Invalidate();
        }
        break;
    case CM_MOUSELEAVE:
        if (m.LParam == 0 && FMouseInControl) {
            FMouseInControl = false;
            if (flat_)
                Invalidate();
        }
        break;
    case CM_ENABLEDCHANGED:
        if (!Enabled())
            FMouseInControl = false;
        Invalidate();
        break;
    default:
        break;
    }
    TGraphicControl::WndProc(m);
}

void TSpeedButton::Paint()
{
    if (!Enabled()) {
        FState = bsDisabled;
        dragging_ = false;
    } else if (FState == bsDisabled) {
        FState = (down_ && groupIndex_ != 0) ? bsExclusive : bsUp;
    }
    TCanvas& c = *Canvas();
    HDC dc = c.Handle();
    RECT r = ClientRect();
    const bool pressed = FState == bsDown || FState == bsExclusive;
    if (flat_) {
        if (!transparent_ || pressed) {
            c.Brush()->SetStyle(bsSolid);
            c.Brush()->SetColor(FState == bsExclusive ? clBtnHighlight : Color());
            c.FillRect(r);
        }
        if (pressed)
            DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        else if (FMouseInControl && FState != bsDisabled)
            DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    } else {
        UINT state = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
        if (pressed)
            state |= DFCS_PUSHED;
        if (FState == bsExclusive)
            state |= DFCS_CHECKED;
        if (FState == bsDisabled)
            state |= DFCS_INACTIVE;
        DrawFrameControl(dc, &r, DFC_BUTTON, state);
    }
    std::wstring caption = Text();
    if (caption.empty())
        return;
    RECT text = ClientRect();
    if (pressed)
        OffsetRect(&text, 1, 1);
    TSelectGuard font(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    const UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (FState == bsDisabled) {
        RECT shifted = text;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(dc, ColorToRGB(clBtnHighlight));
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &shifted, flags);
        SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
        SetTextColor(dc, ColorToRGB(Font()->Color()));
    }
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, flags);
}

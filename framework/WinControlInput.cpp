// TWinControl's input: which child the mouse is over and gets its messages,
// mouse-enter and -leave tracking, the keyboard events and the focus.
#include "framework/WinControl.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/MouseState.h"
#include "framework/WindowProcs.h"

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled, bool windowedToo) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!c->Visible() || (!allowDisabled && !c->Enabled()))
            continue;
        if (!windowedToo && !IsGraphicControl(c))
            continue;
        RECT b = c->BoundsRect();
        if (PtInRect(&b, p))
            return c;
    }
    return nullptr;
}

bool TWinControl::RouteMouseToGraphic(TMessage& m)
{
    TControl* cap = mousestate::Captured();
    TControl* target = nullptr;
    if (cap) {
        // A graphic child holding the capture gets everything until it lets go.
        if (cap->Parent() == this && IsGraphicControl(cap))
            target = cap;
        else
            return false;
    } else {
        target = ControlAtPos(PointOfLParam(m.LParam), false, false);
    }
    if (!target)
        return false;
    POINT p = PointOfLParam(m.LParam);
    TMessage sub{m.Msg, m.WParam, MAKELPARAM(p.x - target->Left(), p.y - target->Top()), 0};
    if (target->WindowProc)
        target->WindowProc(sub);
    m.Result = sub.Result;
    return true;
}

void TWinControl::TrackMouse(HWND window, POINT p)
{
    if (window && (window != handle_ || !trackingLeave_)) {
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, window, 0};
        if (TrackMouseEvent(&t) && window == handle_)
            trackingLeave_ = true;
    }
    TControl* target = ControlAtPos(p, true, false);
    mousestate::SetHovered(target ? target : this);
}

void TWinControl::MouseLeft(HWND window)
{
    if (window == handle_)
        trackingLeave_ = false;
    TControl* cur = mousestate::Hovered();
    if (!cur || (cur != this && !(cur->Parent() == this && IsGraphicControl(cur))))
        return;
    // Moving between the windows of one control (a combo box and its edit) is no leave.
    POINT pt;
    if (GetCursorPos(&pt) && FindControl(WindowFromPoint(pt)) == this)
        return;
    mousestate::SetHovered(nullptr);
}

void TWinControl::ReportFocus()
{
    TWinControl* top = this;
    while (top->Parent())
        top = top->Parent();
    top->FocusChanged(this);
}

bool TWinControl::IsInside(HWND window) const
{
    if (!handle_ || !window)
        return false;
    return window == handle_ || IsChild(handle_, window);
}

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

bool TWinControl::Focused() const
{
    if (!handle_)
        return false;
    HWND f = GetFocus();
    return f && (f == handle_ || std::find(innerWindows_.begin(), innerWindows_.end(), f) != innerWindows_.end());
}

void TWinControl::SetFocus()
{
    if (!CanFocus())
        throw EComponentError(L"Cannot focus a disabled or invisible window");
    TWinControl* top = this;
    while (top->Parent())
        top = top->Parent();
    top->FocusChanged(this);
    // A form that is not on screen yet gives the focus when it is shown.
    if (top->HandleAllocated() && IsWindowVisible(top->handle_))
        ::SetFocus(Handle());
}

bool TWinControl::DoKeyDown(WORD& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    return key == 0;
}

bool TWinControl::DoKeyPress(wchar_t& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
    return key == 0;
}

bool TWinControl::DoKeyUp(WORD& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
    return key == 0;
}

void TWinControl::DoEnter()
{
    if (OnEnter && !InState(csDestroying))
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit && !InState(csDestroying))
        OnExit(this);
}

#include "framework/Control.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/WinControl.h"
#include "framework/HintWindow.h"
#include "framework/MouseState.h"
#include "framework/ScopeGuards.h"

TShiftState MouseShiftState(WPARAM keys)
{
    TShiftState s = 0;
    if (keys & MK_SHIFT)
        s |= ssShift;
    if (keys & MK_CONTROL)
        s |= ssCtrl;
    if (keys & MK_LBUTTON)
        s |= ssLeft;
    if (keys & MK_RBUTTON)
        s |= ssRight;
    if (keys & MK_MBUTTON)
        s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0)
        s |= ssAlt;
    return s;
}

TShiftState KeyboardShiftState()
{
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0)
        s |= ssAlt;
    return s;
}

std::wstring GetShortHint(std::wstring_view hint)
{
    size_t bar = hint.find(L'|');
    return std::wstring(bar == std::wstring_view::npos ? hint : hint.substr(0, bar));
}

std::wstring GetLongHint(std::wstring_view hint)
{
    size_t bar = hint.find(L'|');
    return std::wstring(bar == std::wstring_view::npos ? hint : hint.substr(bar + 1));
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>())
{
    WindowProc = TWndMethod(this, &TControl::WndProc);
    font_->OnChange = TNotifyEvent(this, &TControl::FontChangedEvent);
}

TControl::~TControl()
{
    Destroying();
    mousestate::Forget(this);
    hinttip::ControlLeft(this);
    if (parent_)
        parent_->RemoveControl(this);
    parent_ = nullptr;
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    if (WindowProc)
        WindowProc(m);
    return m.Result;
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_)
        return;
    for (TControl* p = parent; p; p = p->Parent())
        if (p == this)
            throw EComponentError(L"A control cannot have itself or its child as its parent");
    if (parent_)
        parent_->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
    if (parent_) {
        if (parentFont_)
            ParentFontChanged();
        if (parentColor_)
            ParentColorChanged();
        if (parentShowHint_)
            ParentShowHintChanged();
        UpdateAnchorRules();
    }
}

void TControl::ApplyConstraints(int& width, int& height) const
{
    if (constraints_.MaxWidth > 0 && width > constraints_.MaxWidth)
        width = constraints_.MaxWidth;
    if (constraints_.MinWidth > 0 && width < constraints_.MinWidth)
        width = constraints_.MinWidth;
    if (constraints_.MaxHeight > 0 && height > constraints_.MaxHeight)
        height = constraints_.MaxHeight;
    if (constraints_.MinHeight > 0 && height < constraints_.MinHeight)
        height = constraints_.MinHeight;
    width = std::max(width, 0);
    height = std::max(height, 0);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    ApplyConstraints(width, height);
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    RECT old = BoundsRect();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (!anchoring_)
        UpdateAnchorRules();
    BoundsChanged(old);
}

void TControl::StoreBounds(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (!anchoring_)
        UpdateAnchorRules();
}

void TControl::BoundsChanged(const RECT& old)
{
    // A graphic control lives on its parent's surface: repaint both places.
    if (parent_ && parent_->HandleAllocated() && visible_) {
        InvalidateRect(parent_->Handle(), &old, TRUE);
        Invalidate();
    }
    if (old.right - old.left != width_ || old.bottom - old.top != height_)
        Resize();
}

RECT TControl::ClientRect() const { return {0, 0, width_, height_}; }

int TControl::CurrentDpi() const { return parent_ ? parent_->CurrentDpi() : kDesignDpi; }

int TControl::ClientWidth() const
{
    RECT r = ClientRect();
    return r.right - r.left;
}

int TControl::ClientHeight() const
{
    RECT r = ClientRect();
    return r.bottom - r.top;
}

void TControl::SetClientSize(int width, int height)
{
    SetBounds(left_, top_, width + (width_ - ClientWidth()), height + (height_ - ClientHeight()));
}

POINT TControl::ClientOrigin() const
{
    if (!parent_)
        return {left_, top_};
    POINT p = parent_->ClientOrigin();
    return {p.x + left_, p.y + top_};
}

POINT TControl::ClientToScreen(POINT p) const
{
    POINT o = ClientOrigin();
    return {p.x + o.x, p.y + o.y};
}

POINT TControl::ScreenToClient(POINT p) const
{
    POINT o = ClientOrigin();
    return {p.x - o.x, p.y - o.y};
}

void TControl::SetAnchors(TAnchors anchors)
{
    if (anchors == anchors_)
        return;
    anchors_ = anchors;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules()
{
    if (!parent_)
        return;
    rightMargin_ = parent_->ClientWidth() - (left_ + width_);
    bottomMargin_ = parent_->ClientHeight() - (top_ + height_);
    leftRule_ = left_;
    topRule_ = top_;
}

void TControl::AnchorToParent(SIZE oldClient, SIZE newClient)
{
    // While a description is built, bounds are as written; the distances to the
    // parent's edges are taken once loading ends.
    if (InState(csLoading) || (oldClient.cx == newClient.cx && oldClient.cy == newClient.cy))
        return;
    int l = left_, t = top_, w = width_, h = height_;
    // Horizontal: right anchored keeps the right margin (stretching when the
    // left is anchored too); neither side anchored keeps the centre.
    if (anchors_ & akRight) {
        if (anchors_ & akLeft)
            w = newClient.cx - rightMargin_ - l;
        else
            l = newClient.cx - rightMargin_ - w;
    } else if (!(anchors_ & akLeft)) {
        // Half of the growth since the rules were taken, so that many small
        // steps (a border dragged) add up to the same place as one big one.
        l = leftRule_ + (newClient.cx - (leftRule_ + w + rightMargin_)) / 2;
    }
    if (anchors_ & akBottom) {
        if (anchors_ & akTop)
            h = newClient.cy - bottomMargin_ - t;
        else
            t = newClient.cy - bottomMargin_ - h;
    } else if (!(anchors_ & akTop)) {
        t = topRule_ + (newClient.cy - (topRule_ + h + bottomMargin_)) / 2;
    }
    const TFlagScope anchoring(anchoring_);
    SetBounds(l, t, std::max(w, 0), std::max(h, 0));
}

void TControl::SetConstraints(const TSizeConstraints& c)
{
    if (c == constraints_)
        return;
    constraints_ = c;
    SetBounds(left_, top_, width_, height_);
}

void TControl::SetAutoSize(bool on)
{
    if (on == autoSize_)
        return;
    autoSize_ = on;
    if (on)
        AdjustSize();
}

void TControl::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    VisibleChanged();
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0, 0);
}

void TControl::VisibleChanged()
{
    if (parent_ && parent_->HandleAllocated()) {
        RECT r = BoundsRect();
        InvalidateRect(parent_->Handle(), &r, TRUE);
    }
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    EnabledChanged();
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::EnabledChanged() { Invalidate(); }

std::wstring TControl::Text() const { return text_; }

void TControl::SetText(std::wstring_view text)
{
    if (text == Text())
        return;
    SetTextInternal(text);
    Perform(CM_TEXTCHANGED, 0, 0);
    TextChanged();
}

void TControl::SetTextInternal(std::wstring_view text)
{
    text_.assign(text);
    Invalidate();
}

void TControl::SetShowHint(bool on)
{
    parentShowHint_ = false;
    if (on == showHint_)
        return;
    showHint_ = on;
    if (auto* self = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < self->ControlCount(); ++i)
            self->Controls(i)->ParentShowHintChanged();
}

void TControl::ParentShowHintChanged()
{
    if (!parentShowHint_ || !parent_)
        return;
    SetShowHint(parent_->ShowHint());
    parentShowHint_ = true;
}

void TControl::FontChangedEvent(TObject*)
{
    if (!fontFromParent_)
        parentFont_ = false;
    FontChanged();
    Perform(CM_FONTCHANGED, 0, 0);
    if (auto* self = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < self->ControlCount(); ++i)
            self->Controls(i)->ParentFontChanged();
}

void TControl::FontChanged()
{
    if (autoSize_)
        AdjustSize();
    Invalidate();
}

void TControl::SetParentFont(bool on)
{
    parentFont_ = on;
    if (on)
        ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    if (!parentFont_ || !parent_)
        return;
    const TFlagScope fromParent(fontFromParent_);
    font_->Assign(*parent_->Font());
}

void TControl::SetColor(TColor color)
{
    parentColor_ = false;
    if (color == color_)
        return;
    color_ = color;
    ColorChanged();
    Perform(CM_COLORCHANGED, 0, 0);
    if (auto* self = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < self->ControlCount(); ++i)
            self->Controls(i)->ParentColorChanged();
}

void TControl::ColorChanged() { Invalidate(); }

void TControl::SetParentColor(bool on)
{
    parentColor_ = on;
    if (on)
        ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    if (!parentColor_ || !parent_)
        return;
    SetColor(parent_->Color());
    parentColor_ = true;
}

void TControl::BringToFront()
{
    if (parent_)
        parent_->MoveInZOrder(this, true);
}

void TControl::Invalidate()
{
    if (visible_ && parent_ && parent_->HandleAllocated()) {
        RECT r = BoundsRect();
        InvalidateRect(parent_->Handle(), &r, (controlStyle_ & csOpaque) ? FALSE : TRUE);
    }
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::Update()
{
    if (parent_)
        parent_->Update();
}

bool TControl::MouseCapture() const { return mousestate::Captured() == this; }

void TControl::SetMouseCapture(bool on)
{
    if (on == MouseCapture())
        return;
    if (on) {
        HWND window = nullptr;
        if (auto* w = dynamic_cast<TWinControl*>(this))
            window = w->Handle();
        else if (parent_)
            window = parent_->Handle();
        if (!window)
            return;
        // The old capturer hears WM_CAPTURECHANGED first, then we take over.
        ::SetCapture(window);
        mousestate::SetCaptured(this);
    } else {
        mousestate::SetCaptured(nullptr);
        ReleaseCapture();
    }
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::DoContextPopup(POINT mousePos, bool& handled)
{
    if (OnContextPopup)
        OnContextPopup(this, mousePos, handled);
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

void TControl::Loaded()
{
    TComponent::Loaded();
    UpdateAnchorRules();
    if (autoSize_)
        AdjustSize();
}

void TControl::HandleMouse(TMessage& msg)
{
    const int x = static_cast<short>(LOWORD(msg.LParam));
    const int y = static_cast<short>(HIWORD(msg.LParam));
    const TShiftState shift = MouseShiftState(msg.WParam);
    UINT m = msg.Msg;
    bool dbl = m == WM_LBUTTONDBLCLK || m == WM_RBUTTONDBLCLK || m == WM_MBUTTONDBLCLK;
    if (dbl && !(controlStyle_ & csDoubleClicks)) {
        // Without double clicks the second press is a press like the first.
        m = m == WM_LBUTTONDBLCLK ? WM_LBUTTONDOWN : m == WM_RBUTTONDBLCLK ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
        dbl = false;
    }
    switch (m) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        hinttip::Cancel();
        if (controlStyle_ & csCaptureMouse)
            SetMouseCapture(true);
        if (dbl) {
            if (controlStyle_ & csClickEvents)
                DblClick();
        } else if (controlStyle_ & csClickEvents) {
            clicking_ = true;
        }
        MouseDown(mbLeft, shift | (dbl ? TShiftState{ssDouble} : TShiftState{0}), x, y);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        hinttip::Cancel();
        MouseDown(mbRight, shift | (dbl ? TShiftState{ssDouble} : TShiftState{0}), x, y);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        hinttip::Cancel();
        MouseDown(mbMiddle, shift | (dbl ? TShiftState{ssDouble} : TShiftState{0}), x, y);
        break;
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        break;
    case WM_LBUTTONUP: {
        if ((controlStyle_ & csCaptureMouse) && !(msg.WParam & (MK_RBUTTON | MK_MBUTTON)))
            SetMouseCapture(false);
        if (clicking_) {
            clicking_ = false;
            RECT r = ClientRect();
            POINT p{x, y};
            if (PtInRect(&r, p))
                Click();
        }
        MouseUp(mbLeft, shift, x, y);
        break;
    }
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift, x, y);
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, x, y);
        break;
    default:
        break;
    }
}

void TControl::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        HandleMouse(msg);
        break;
    case WM_CONTEXTMENU: {
        POINT screen{static_cast<short>(LOWORD(msg.LParam)), static_cast<short>(HIWORD(msg.LParam))};
        POINT pos = (screen.x == -1 && screen.y == -1) ? screen : ScreenToClient(screen);
        bool handled = false;
        DoContextPopup(pos, handled);
        if (handled) {
            msg.Result = 1;
            return;
        }
        break;
    }
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        // The parent hears of it with this control in LParam.
        if (parent_)
            parent_->Perform(msg.Msg, 0, reinterpret_cast<LPARAM>(this));
        if (msg.LParam == 0) {
            if (msg.Msg == CM_MOUSEENTER)
                hinttip::ControlEntered(this);
            else
                hinttip::ControlLeft(this);
        }
        return;
    case WM_CANCELMODE:
        if (MouseCapture())
            SetMouseCapture(false);
        clicking_ = false;
        break;
    default:
        break;
    }
    DefaultHandler(msg);
}

void TControl::DefaultHandler(TMessage&) {}

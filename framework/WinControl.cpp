// TWinControl: its window's creation and end, bounds, text, state, and the
// children in z-order and tab order. The message path is in WindowProcs.cpp,
// input in WinControlInput.cpp, painting in CustomControls.cpp.
#include "framework/WinControl.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/Handles.h"
#include "framework/MouseState.h"
#include "framework/OSError.h"
#include "framework/ScopeGuards.h"
#include "framework/WindowClass.h"
#include "framework/WindowProcs.h"

namespace {

UINT NextControlId()
{
    static UINT next = 0;
    next = (next + 1) % 0xEF00;
    return 0x100 + next;
}

}  // namespace

void TCreateParams::SetWinClassName(std::wstring_view name)
{
    WinClassName.fill(L'\0');
    std::copy_n(name.data(), std::min<size_t>(name.size(), WinClassName.size() - 1), WinClassName.data());
}

std::wstring TCreateParams::WinClassNameString() const { return std::wstring(WinClassName.data()); }

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    TFreedWatch::ObjectFreed(freedFlag_);
    // Everything below sees csDestroying while the windows go, so that hook
    // chains know the WM_DESTROY is the end and not a re-creation.
    Destroying();
    struct Mark {
        static void All(TWinControl* w)
        {
            for (TControl* c : w->controls_) {
                c->Destroying();
                if (auto* cw = dynamic_cast<TWinControl*>(c))
                    All(cw);
            }
        }
    };
    Mark::All(this);
    if (handle_) {
        HWND h = handle_;
        if (!DestroyWindow(h) && handle_ == h) {
            // The window is out of reach (another thread): at least cut it loose.
            if (systemClass_)
                TWindowProcs::GiveBack(h, TWindowProcs::SystemClass);
            else
                SetWindowLongPtrW(h, GWLP_USERDATA, 0);
            WindowDestroyed();
        }
    }
    // Children go with their parent.
    while (!controls_.empty()) {
        TControl* c = controls_.back();
        RemoveControl(c);
        delete c;
    }
}

HWND TWinControl::Handle()
{
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded()
{
    if (handle_)
        return;
    if (Parent())
        Parent()->HandleNeeded();  // makes the children's windows too
    if (!handle_)
        CreateWnd();
}

void TWinControl::CreateParams(TCreateParams& p)
{
    p.Caption = StoredText();
    p.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible())
        p.Style |= WS_VISIBLE;
    if (!Enabled())
        p.Style |= WS_DISABLED;
    if (tabStop_)
        p.Style |= WS_TABSTOP;
    if (ControlStyle() & csAcceptsControls)
        p.Style |= WS_CLIPCHILDREN;
    p.X = Left();
    p.Y = Top();
    p.Width = Width();
    p.Height = Height();
    p.WndParent = Parent() ? Parent()->Handle() : nullptr;
    p.SetWinClassName(ClassName());
}

void TWinControl::CreateWindowHandle(const TCreateParams& p)
{
    HINSTANCE inst = GetModuleHandleW(nullptr);
    std::wstring cls = p.WinClassNameString();
    HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextControlId())) : nullptr;
    if (p.SystemClass) {
        HWND h = CreateWindowExW(p.ExStyle, cls.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height,
                                 p.WndParent, id, inst, nullptr);
        if (!h)
            RaiseLastOSError();
        handle_ = h;
        handles::Created(handles::Kind::User);
        systemClass_ = true;
        if (!TWindowProcs::TakeOver(h, this, TWindowProcs::SystemClass)) {
            DWORD error = GetLastError();
            handle_ = nullptr;
            systemClass_ = false;
            DestroyWindow(h);
            handles::Freed(handles::Kind::User);
            RaiseOSError(error);
        }
        return;
    }
    const TWindowClass own{.Name = cls.c_str(),
                           .Procedure = TWindowProcs::OwnClass,
                           .Style = p.ClassStyle,
                           .Icon = p.Icon,
                           .Cursor = p.Cursor ? p.Cursor : LoadCursorW(nullptr, IDC_ARROW)};
    if (RegisterWindowClassOnce(inst, own) != TWindowProcs::OwnClass)
        throw EComponentError(L"The window class name " + cls + L" is taken by another window class");
    HWND h = CreateWindowExW(p.ExStyle, cls.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height,
                             p.WndParent, id, inst, this);
    if (!h) {
        DWORD error = GetLastError();
        if (handle_)  // created and destroyed again inside the call
            WindowDestroyed();
        RaiseOSError(error);
    }
}

void TWinControl::CreateWnd()
{
    TCreateParams p;
    CreateParams(p);
    if ((p.Style & WS_CHILD) && !p.WndParent)
        throw EComponentError(L"Control '" + Name() + L"' has no parent window");
    CreateWindowHandle(p);
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
    InitializeWindow();
    UpdateBounds();
    CreateChildHandles();
    // A parent making all its children orders them once when they are all there.
    if (Parent() && !Parent()->creatingChildren_)
        Parent()->ApplyZOrder();
}

void TWinControl::CreateChildHandles()
{
    // Sibling windows are created in tab order.
    {
        const TFlagScope creating(creatingChildren_);
        for (TWinControl* w : std::vector<TWinControl*>(tabList_))
            if (!w->handle_)
                w->CreateWnd();
    }
    ApplyZOrder();
}

void TWinControl::ApplyZOrder()
{
    if (!handle_)
        return;
    // Windows already in their place are not moved: each move is a round trip
    // to the window manager and a recalculation of what is visible.
    HWND above = HWND_TOP;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        auto* w = dynamic_cast<TWinControl*>(*it);
        if (!w || !w->handle_)
            continue;
        const HWND previous = GetWindow(w->handle_, GW_HWNDPREV);
        if (previous != (above == HWND_TOP ? nullptr : above))
            SetWindowPos(w->handle_, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        above = w->handle_;
    }
}

void TWinControl::SaveWindowState()
{
    // Only the object's copy: the window is about to go.
    if (handle_)
        TControl::SetTextInternal(Text());
}

void TWinControl::DestroyHandle()
{
    if (!handle_)
        return;
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c))
            w->DestroyHandle();
    SaveWindowState();
    HWND h = handle_;
    if (!DestroyWindow(h))
        RaiseLastOSError();
}

void TWinControl::RecreateWnd()
{
    if (!handle_)
        return;
    bool focused = Focused();
    {
        const TFlagScope recreating(recreating_);
        DestroyHandle();
        HandleNeeded();
    }
    if (focused && CanFocus())
        ::SetFocus(handle_);
}

void TWinControl::WindowDestroyed()
{
    if (!handle_)
        return;
    if (!systemClass_)
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    handle_ = nullptr;
    systemClass_ = false;
    trackingLeave_ = false;
    handles::Freed(handles::Kind::User);
    if (mousestate::Captured() == this)
        mousestate::SetCaptured(nullptr);
}

void TWinControl::UpdateBounds()
{
    if (!handle_ || IsIconic(handle_))
        return;
    RECT r;
    if (!GetWindowRect(handle_, &r))
        return;
    HWND parent = GetParent(handle_);
    if (parent && (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const bool sized = w != Width() || h != Height();
    StoreBounds(r.left, r.top, w, h);
    RECT c;
    GetClientRect(handle_, &c);
    SIZE client{c.right, c.bottom};
    if (client.cx != lastClient_.cx || client.cy != lastClient_.cy) {
        SIZE old = lastClient_;
        lastClient_ = client;
        AnchorChildren(old);
    }
    if (sized)
        Resize();
}

void TWinControl::AnchorChildren(SIZE oldClient)
{
    for (TControl* c : std::vector<TControl*>(controls_))
        c->AnchorToParent(oldClient, lastClient_);
}

void TWinControl::BoundsChanged(const RECT& old)
{
    if (handle_) {
        if (!SetWindowPos(handle_, nullptr, Left(), Top(), Width(), Height(),
                          SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER))
            RaiseLastOSError();
        return;  // WM_SIZE and WM_MOVE bring the rest
    }
    SIZE client{ClientWidth(), ClientHeight()};
    if (client.cx != lastClient_.cx || client.cy != lastClient_.cy) {
        SIZE oldClient = lastClient_;
        lastClient_ = client;
        AnchorChildren(oldClient);
    }
    if (old.right - old.left != Width() || old.bottom - old.top != Height())
        Resize();
}

RECT TWinControl::ClientRect() const
{
    if (handle_) {
        RECT r{};
        GetClientRect(handle_, &r);
        return r;
    }
    return TControl::ClientRect();
}

POINT TWinControl::ClientOrigin() const
{
    if (handle_) {
        POINT p{0, 0};
        ::ClientToScreen(handle_, &p);
        return p;
    }
    return TControl::ClientOrigin();
}

std::wstring TWinControl::Text() const
{
    if (!handle_)
        return StoredText();
    int len = GetWindowTextLengthW(handle_);
    std::wstring s(static_cast<size_t>(len) + 1, L'\0');
    int got = GetWindowTextW(handle_, s.data(), len + 1);
    s.resize(static_cast<size_t>(std::max(got, 0)));
    return s;
}

void TWinControl::SetTextInternal(std::wstring_view text)
{
    TControl::SetTextInternal(text);
    if (handle_ && !SetWindowTextW(handle_, std::wstring(text).c_str()))
        RaiseLastOSError();
}

void TWinControl::VisibleChanged()
{
    if (handle_)
        ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
    else if (Visible() && Parent() && Parent()->HandleAllocated())
        HandleNeeded();
}

void TWinControl::EnabledChanged()
{
    if (handle_)
        EnableWindow(handle_, Enabled() ? TRUE : FALSE);
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    if (handle_)
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
}

void TWinControl::ColorChanged() { Invalidate(); }

void TWinControl::Invalidate()
{
    if (handle_)
        InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Repaint()
{
    if (handle_) {
        InvalidateRect(handle_, nullptr, TRUE);
        UpdateWindow(handle_);
    }
}

bool TWinControl::Showing() const
{
    if (!Visible() || !handle_)
        return false;
    return Parent() ? Parent()->Showing() : IsWindowVisible(handle_) != FALSE;
}

void TWinControl::InsertControl(TControl* c)
{
    controls_.push_back(c);
    c->parent_ = this;
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
        tabList_.push_back(w);
        if (w->handle_)
            w->DestroyHandle();  // made again under the new parent
        if (handle_)
            w->HandleNeeded();
    } else {
        c->Invalidate();
    }
}

void TWinControl::RemoveControl(TControl* c)
{
    auto it = std::find(controls_.begin(), controls_.end(), c);
    if (it == controls_.end())
        return;
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
        if (w->handle_ && !w->InState(csDestroying) && !InState(csDestroying))
            w->DestroyHandle();
    } else if (handle_ && c->Visible()) {
        RECT r = c->BoundsRect();
        InvalidateRect(handle_, &r, TRUE);
    }
    controls_.erase(std::find(controls_.begin(), controls_.end(), c));
    c->parent_ = nullptr;
}

void TWinControl::MoveInZOrder(TControl* c, bool toFront)
{
    auto it = std::find(controls_.begin(), controls_.end(), c);
    if (it == controls_.end())
        return;
    controls_.erase(it);
    if (toFront)
        controls_.push_back(c);
    else
        controls_.insert(controls_.begin(), c);
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
        if (w->handle_)
            SetWindowPos(w->handle_, toFront ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    } else {
        c->Invalidate();
    }
}

std::vector<TWinControl*> TWinControl::TabList() const { return tabList_; }

int TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    const auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order)
{
    if (!Parent())
        return;
    auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end())
        return;
    list.erase(it);
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
}

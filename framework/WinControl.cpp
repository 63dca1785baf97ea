// TWinControl: window creation, the window procedures that feed WindowProc, the
// reflection of child notifications, graphic children's painting and mouse input.
#include <algorithm>
#include <unordered_map>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/Exceptions.h"
#include "framework/Handles.h"
#include "framework/MouseState.h"
#include "framework/OSError.h"

namespace {

// Windows of system classes (and windows inside controls, a combo box's edit)
// that controls have taken over, with the procedure each had. Looked up
// in-process: window properties and the common-controls subclass chain cost a
// round trip to the window server per message on some platforms. A window's
// messages run on the thread that made it, hence one table per thread. The
// table is never freed: windows may still be destroyed after the thread's own
// objects are gone (by static objects at exit).
struct TTakenWindow {
    TWinControl* Control = nullptr;
    WNDPROC Original = nullptr;
};
using TTakenTable = std::unordered_map<HWND, TTakenWindow>;
thread_local TTakenTable* g_takenTable = nullptr;

TTakenTable& TakenTable()
{
    if (!g_takenTable)
        g_takenTable = new TTakenTable;
    return *g_takenTable;
}

const TTakenWindow* Taken(HWND h)
{
    if (!g_takenTable)
        return nullptr;
    auto it = g_takenTable->find(h);
    return it == g_takenTable->end() ? nullptr : &it->second;
}

// Points the window at procedure, remembering the one it had.
bool Take(HWND h, TWinControl* control, WNDPROC procedure)
{
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC));
    if (!original)
        return false;
    TakenTable()[h] = TTakenWindow{control, original};
    SetLastError(0);
    if (!SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)) && GetLastError() != 0) {
        TakenTable().erase(h);
        return false;
    }
    return true;
}

// Gives the window its own procedure back (unless another has taken it since).
void Release(HWND h, WNDPROC procedure)
{
    if (!g_takenTable)
        return;
    auto it = g_takenTable->find(h);
    if (it == g_takenTable->end())
        return;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)) == procedure)
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.Original));
    g_takenTable->erase(it);
}

UINT NextControlId()
{
    static UINT next = 0;
    next = (next + 1) % 0xEF00;
    return 0x100 + next;
}

bool IsGraphic(const TControl* c) { return !c->InheritsFrom(L"TWinControl"); }

POINT PointOf(LPARAM lp) { return {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

}  // namespace

LRESULT CALLBACK KdControlWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    TWinControl* c = nullptr;
    if (msg == WM_NCCREATE) {
        c = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        if (c) {
            SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(c));
            c->handle_ = h;
            handles::Created(handles::Kind::User);
        }
    } else {
        c = reinterpret_cast<TWinControl*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    }
    if (!c)
        return DefWindowProcW(h, msg, wp, lp);
    TWinControl::TFreedWatch watch(c);
    LRESULT r = c->Dispatch(msg, wp, lp);
    if (!watch.Freed() && msg == WM_NCDESTROY)
        c->WindowDestroyed();
    return r;
}

LRESULT CALLBACK KdControlSubclassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    const TTakenWindow* taken = Taken(h);
    if (!taken)
        return DefWindowProcW(h, msg, wp, lp);
    TWinControl* c = taken->Control;
    LRESULT r;
    {
        TWinControl::TFreedWatch watch(c);
        r = c->Dispatch(msg, wp, lp);
        if (watch.Freed())  // a handler freed the control: touch nothing of it
            return r;
    }
    if (msg == WM_NCDESTROY) {
        Release(h, KdControlSubclassProc);
        c->WindowDestroyed();
    }
    return r;
}

LRESULT CALLBACK KdInnerSubclassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    const TTakenWindow* taken = Taken(h);
    if (!taken)
        return DefWindowProcW(h, msg, wp, lp);
    TWinControl* c = taken->Control;
    LRESULT r = 0;
    try {
        r = c->InnerWindowProc(h, msg, wp, lp);
    } catch (...) {
        Application->HandleException(c);
    }
    if (msg == WM_NCDESTROY) {
        Release(h, KdInnerSubclassProc);
        auto& v = c->innerWindows_;
        v.erase(std::remove(v.begin(), v.end(), h), v.end());
    }
    return r;
}

void TCreateParams::SetWinClassName(std::wstring_view name)
{
    WinClassName.fill(L'\0');
    std::copy_n(name.data(), std::min<size_t>(name.size(), WinClassName.size() - 1), WinClassName.data());
}

std::wstring TCreateParams::WinClassNameString() const { return std::wstring(WinClassName.data()); }

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::TFreedWatch::TFreedWatch(TWinControl* c) : control_(c), outer_(c->freedFlag_)
{
    c->freedFlag_ = &freed_;
}

TWinControl::TFreedWatch::~TFreedWatch()
{
    if (!freed_)
        control_->freedFlag_ = outer_;
    else if (outer_)
        *outer_ = true;  // the frames further out learn of it too
}

TWinControl::~TWinControl()
{
    if (freedFlag_)
        *freedFlag_ = true;
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
                Release(h, KdControlSubclassProc);
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
        originalProc_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC));
        if (!Take(h, this, KdControlSubclassProc)) {
            DWORD error = GetLastError();
            handle_ = nullptr;
            systemClass_ = false;
            DestroyWindow(h);
            handles::Freed(handles::Kind::User);
            RaiseOSError(error);
        }
        return;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(inst, cls.c_str(), &wc)) {
        if (wc.lpfnWndProc != KdControlWndProc)
            throw EComponentError(L"The window class name " + cls + L" is taken by another window class");
    } else {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof wc;
        wc.style = p.ClassStyle;
        wc.lpfnWndProc = KdControlWndProc;
        wc.hInstance = inst;
        wc.hCursor = p.Cursor ? p.Cursor : LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = p.Icon;
        wc.lpszClassName = cls.c_str();
        if (!RegisterClassExW(&wc))
            RaiseLastOSError();
    }
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
    creatingChildren_ = true;
    try {
        for (TWinControl* w : std::vector<TWinControl*>(tabList_))
            if (!w->handle_)
                w->CreateWnd();
    } catch (...) {
        creatingChildren_ = false;
        throw;
    }
    creatingChildren_ = false;
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
    recreating_ = true;
    try {
        DestroyHandle();
        HandleNeeded();
    } catch (...) {
        recreating_ = false;
        throw;
    }
    recreating_ = false;
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
    originalProc_ = nullptr;
    trackingLeave_ = false;
    handles::Freed(handles::Kind::User);
    if (mousestate::Captured() == this)
        mousestate::SetCaptured(nullptr);
}

TWinControl* TWinControl::FindControl(HWND h)
{
    if (!h)
        return nullptr;
    DWORD pid = 0;
    if (GetWindowThreadProcessId(h, &pid) != GetCurrentThreadId() || pid != GetCurrentProcessId())
        return nullptr;
    if (const TTakenWindow* taken = Taken(h))
        return taken->Control;
    if (reinterpret_cast<WNDPROC>(GetClassLongPtrW(h, GCLP_WNDPROC)) == KdControlWndProc)
        return reinterpret_cast<TWinControl*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    return nullptr;
}

void TWinControl::AttachInnerWindow(HWND inner)
{
    if (!inner || std::find(innerWindows_.begin(), innerWindows_.end(), inner) != innerWindows_.end())
        return;
    if (!Take(inner, this, KdInnerSubclassProc))
        RaiseLastOSError();
    innerWindows_.push_back(inner);
}

LRESULT TWinControl::InnerWindowProc(HWND inner, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_MOUSEMOVE) {
        POINT p = PointOf(lp);
        MapWindowPoints(inner, handle_, &p, 1);
        TrackMouse(inner, p);
    } else if (msg == WM_MOUSELEAVE) {
        MouseLeft(inner);
    }
    return CallInnerDefault(inner, msg, wp, lp);
}

LRESULT TWinControl::CallInnerDefault(HWND inner, UINT msg, WPARAM wp, LPARAM lp)
{
    const TTakenWindow* taken = Taken(inner);
    return taken ? CallWindowProcW(taken->Original, inner, msg, wp, lp) : DefWindowProcW(inner, msg, wp, lp);
}

LRESULT TWinControl::Dispatch(UINT msg, WPARAM wp, LPARAM lp)
{
    TMessage m{msg, wp, lp, 0};
    try {
        if (WindowProc)
            WindowProc(m);
        else
            WndProc(m);
    } catch (...) {
        Application->HandleException(this);
    }
    return m.Result;
}

void TWinControl::DefaultHandler(TMessage& m)
{
    if (!handle_)
        return;
    if (systemClass_) {
        m.Result = CallWindowProcW(originalProc_, handle_, m.Msg, m.WParam, m.LParam);
    } else {
        m.Result = DefWindowProcW(handle_, m.Msg, m.WParam, m.LParam);
    }
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

void TWinControl::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (ReflectNotification(m))
            return;
        break;
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC:
        ControlColor(m);
        return;
    case WM_ERASEBKGND:
        if (!systemClass_) {
            m.Result = EraseBackground(reinterpret_cast<HDC>(m.WParam)) ? 1 : 0;
            return;
        }
        break;
    case WM_PAINT:
        if (HasGraphicChildren()) {
            PaintHandler(m);
            return;
        }
        break;
    case WM_MOUSEMOVE:
        TrackMouse(handle_, PointOf(m.LParam));
        [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        if (RouteMouseToGraphic(m)) {
            // The window's plain default still runs (a right button release
            // becomes WM_CONTEXTMENU), but not the class's own click handling.
            if (m.Result == 0 && handle_)
                m.Result = DefWindowProcW(handle_, m.Msg, m.WParam, m.LParam);
            return;
        }
        break;
    case WM_MOUSELEAVE:
        MouseLeft(handle_);
        break;
    case WM_CAPTURECHANGED: {
        TControl* cap = mousestate::Captured();
        if (cap && reinterpret_cast<HWND>(m.LParam) != handle_ &&
            (cap == this || (cap->Parent() == this && IsGraphic(cap))))
            mousestate::SetCaptured(nullptr);
        break;
    }
    case WM_CONTEXTMENU: {
        POINT screen = PointOf(m.LParam);
        if (!(screen.x == -1 && screen.y == -1)) {
            POINT client = ScreenToClient(screen);
            if (TControl* g = ControlAtPos(client, false, false)) {
                m.Result = g->Perform(WM_CONTEXTMENU, m.WParam, m.LParam);
                if (m.Result)
                    return;
            }
        }
        break;
    }
    case CM_INNERFOCUS:
        return;  // a notice for hooks; the window's class has no use for it
    case WM_SETFOCUS:
        DefaultHandler(m);
        ReportFocus();
        if (!IsInside(reinterpret_cast<HWND>(m.WParam)))
            DoEnter();
        return;
    case WM_KILLFOCUS:
        DefaultHandler(m);
        if (!IsInside(reinterpret_cast<HWND>(m.WParam)))
            DoExit();
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(m.WParam);
        if (DoKeyDown(key, KeyboardShiftState()))
            return;
        m.WParam = key;
        break;
    }
    case WM_CHAR: {
        wchar_t key = static_cast<wchar_t>(m.WParam);
        if (DoKeyPress(key))
            return;
        m.WParam = key;
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(m.WParam);
        if (DoKeyUp(key, KeyboardShiftState()))
            return;
        m.WParam = key;
        break;
    }
    case WM_SIZE:
    case WM_MOVE:
        DefaultHandler(m);
        UpdateBounds();
        return;
    case WM_TIMER:
        if (m.WParam == hinttip::kShowTimer || m.WParam == hinttip::kHideTimer) {
            hinttip::TimerFired(handle_, m.WParam);
            return;
        }
        break;
    default:
        break;
    }
    TControl::WndProc(m);
}

bool TWinControl::ReflectNotification(TMessage& m)
{
    HWND child = nullptr;
    switch (m.Msg) {
    case WM_NOTIFY:
        if (m.LParam)
            child = reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
        if (d && d->CtlType != ODT_MENU)
            child = d->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        if (mi && mi->CtlType != ODT_MENU && handle_)
            child = GetDlgItem(handle_, static_cast<int>(mi->CtlID));
        break;
    }
    default:  // WM_COMMAND, WM_CTLCOLOR*, WM_HSCROLL, WM_VSCROLL: the child in LParam
        child = reinterpret_cast<HWND>(m.LParam);
        break;
    }
    TWinControl* c = FindControl(child);
    if (!c || c == this)
        return false;
    m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    return true;
}

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
    return std::any_of(controls_.begin(), controls_.end(), [](const TControl* c) { return IsGraphic(c); });
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
        if (!IsGraphic(c) || !c->Visible())
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

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled, bool windowedToo) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!c->Visible() || (!allowDisabled && !c->Enabled()))
            continue;
        if (!windowedToo && !IsGraphic(c))
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
        if (cap->Parent() == this && IsGraphic(cap))
            target = cap;
        else
            return false;
    } else {
        target = ControlAtPos(PointOf(m.LParam), false, false);
    }
    if (!target)
        return false;
    POINT p = PointOf(m.LParam);
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
    if (!cur || (cur != this && !(cur->Parent() == this && IsGraphic(cur))))
        return;
    // Moving between the windows of one control (a combo box and its edit) is no leave.
    POINT pt;
    if (GetCursorPos(&pt) && FindControl(WindowFromPoint(pt)) == this)
        return;
    mousestate::SetHovered(nullptr);
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

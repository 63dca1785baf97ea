// The path a message takes to a windowed control, in the order of this file:
//  1. The window's procedure: OwnClass for the library's own classes (the
//     control bound at WM_NCCREATE), SystemClass for a system class that the
//     control took over at creation, Inner for a window inside a control.
//  2. TWinControl::Dispatch wraps the message in a TMessage and calls the
//     control's replaceable WindowProc (bound to WndProc); an exception stops
//     there and goes to the application's error display.
//  3. WndProc (the class's own, then TWinControl::WndProc): children's
//     notifications are reflected to the child as CN_*; painting, mouse, keys
//     and focus are handled; the rest goes on to TControl::WndProc.
//  4. DefaultHandler: the window's previous procedure (system classes) or
//     DefWindowProcW.
//  5. Back in the window procedure: at WM_NCDESTROY the window is given back
//     and the control forgets it, unless a handler freed the control.
// Inner windows see the control's InnerWindowProc, which ends at their own
// previous procedure (CallInnerDefault).
#include "framework/WindowProcs.h"

#include <algorithm>
#include <unordered_map>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/Handles.h"
#include "framework/HintWindow.h"
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
    WNDPROC Previous = nullptr;
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

}  // namespace

bool IsGraphicControl(const TControl* c) { return !c->InheritsFrom(L"TWinControl"); }

bool TWindowProcs::TakeOver(HWND h, TWinControl* control, WNDPROC procedure)
{
    const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC));
    if (!previous)
        return false;
    TakenTable()[h] = TTakenWindow{control, previous};
    SetLastError(0);
    if (!SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)) && GetLastError() != 0) {
        TakenTable().erase(h);
        return false;
    }
    return true;
}

void TWindowProcs::GiveBack(HWND h, WNDPROC procedure)
{
    if (!g_takenTable)
        return;
    auto it = g_takenTable->find(h);
    if (it == g_takenTable->end())
        return;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)) == procedure)
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.Previous));
    g_takenTable->erase(it);
}

WNDPROC TWindowProcs::PreviousProc(HWND h)
{
    const TTakenWindow* taken = Taken(h);
    return taken ? taken->Previous : nullptr;
}

TWinControl* TWindowProcs::TakenBy(HWND h)
{
    const TTakenWindow* taken = Taken(h);
    return taken ? taken->Control : nullptr;
}

LRESULT CALLBACK TWindowProcs::OwnClass(HWND h, UINT msg, WPARAM wp, LPARAM lp)
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

LRESULT CALLBACK TWindowProcs::SystemClass(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    TWinControl* c = TakenBy(h);
    if (!c)
        return DefWindowProcW(h, msg, wp, lp);
    LRESULT r;
    {
        TWinControl::TFreedWatch watch(c);
        r = c->Dispatch(msg, wp, lp);
        if (watch.Freed())  // a handler freed the control: touch nothing of it
            return r;
    }
    if (msg == WM_NCDESTROY) {
        GiveBack(h, SystemClass);
        c->WindowDestroyed();
    }
    return r;
}

LRESULT CALLBACK TWindowProcs::Inner(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    TWinControl* c = TakenBy(h);
    if (!c)
        return DefWindowProcW(h, msg, wp, lp);
    LRESULT r = 0;
    try {
        r = c->InnerWindowProc(h, msg, wp, lp);
    } catch (...) {
        Application->HandleException(c);
    }
    if (msg == WM_NCDESTROY) {
        GiveBack(h, Inner);
        auto& v = c->innerWindows_;
        v.erase(std::remove(v.begin(), v.end(), h), v.end());
    }
    return r;
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
        TrackMouse(handle_, PointOfLParam(m.LParam));
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
            (cap == this || (cap->Parent() == this && IsGraphicControl(cap))))
            mousestate::SetCaptured(nullptr);
        break;
    }
    case WM_CONTEXTMENU: {
        POINT screen = PointOfLParam(m.LParam);
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

void TWinControl::DefaultHandler(TMessage& m)
{
    if (!handle_)
        return;
    const WNDPROC previous = systemClass_ ? TWindowProcs::PreviousProc(handle_) : nullptr;
    if (previous)
        m.Result = CallWindowProcW(previous, handle_, m.Msg, m.WParam, m.LParam);
    else
        m.Result = DefWindowProcW(handle_, m.Msg, m.WParam, m.LParam);
}

LRESULT TWinControl::InnerWindowProc(HWND inner, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_MOUSEMOVE) {
        POINT p = PointOfLParam(lp);
        MapWindowPoints(inner, handle_, &p, 1);
        TrackMouse(inner, p);
    } else if (msg == WM_MOUSELEAVE) {
        MouseLeft(inner);
    }
    return CallInnerDefault(inner, msg, wp, lp);
}

LRESULT TWinControl::CallInnerDefault(HWND inner, UINT msg, WPARAM wp, LPARAM lp)
{
    const WNDPROC previous = TWindowProcs::PreviousProc(inner);
    return previous ? CallWindowProcW(previous, inner, msg, wp, lp) : DefWindowProcW(inner, msg, wp, lp);
}

TWinControl* TWinControl::FindControl(HWND h)
{
    if (!h)
        return nullptr;
    DWORD pid = 0;
    if (GetWindowThreadProcessId(h, &pid) != GetCurrentThreadId() || pid != GetCurrentProcessId())
        return nullptr;
    if (TWinControl* taken = TWindowProcs::TakenBy(h))
        return taken;
    if (reinterpret_cast<WNDPROC>(GetClassLongPtrW(h, GCLP_WNDPROC)) == TWindowProcs::OwnClass)
        return reinterpret_cast<TWinControl*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    return nullptr;
}

void TWinControl::AttachInnerWindow(HWND inner)
{
    if (!inner || std::find(innerWindows_.begin(), innerWindows_.end(), inner) != innerWindows_.end())
        return;
    if (!TWindowProcs::TakeOver(inner, this, TWindowProcs::Inner))
        RaiseLastOSError();
    innerWindows_.push_back(inner);
}

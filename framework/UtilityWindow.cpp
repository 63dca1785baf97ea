#include "framework/UtilityWindow.h"

#include "framework/Application.h"
#include "framework/FreedWatch.h"
#include "framework/Handles.h"
#include "framework/OSError.h"
#include "framework/WindowClass.h"

namespace {
constexpr const wchar_t* kClassName = L"TUtilityWindow";
}

TUtilityWindow::TUtilityWindow(TObject* sender, TWndMethod method) : sender_(sender), method_(method)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClassOnce(instance, {.Name = kClassName, .Procedure = StaticWndProc});
    // A top-level window, not a message-only one: broadcasts reach only those.
    handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                              this);
    if (!handle_)
        RaiseLastOSError();
    handles::Created(handles::Kind::User);
}

TUtilityWindow::~TUtilityWindow()
{
    TFreedWatch::ObjectFreed(freedFlag_);
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
    handles::Freed(handles::Kind::User);
}

void TUtilityWindow::DefaultHandler(TMessage& msg) const
{
    msg.Result = DefWindowProcW(handle_, msg.Msg, msg.WParam, msg.LParam);
}

LRESULT CALLBACK TUtilityWindow::StaticWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<TUtilityWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        return DefWindowProcW(h, msg, wp, lp);
    }
    auto* self = reinterpret_cast<TUtilityWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    // Until the constructor has returned the owner is not ready to listen.
    if (!self || self->handle_ != h)
        return DefWindowProcW(h, msg, wp, lp);
    TMessage m{msg, wp, lp, 0};
    TFreedWatch watch(self->freedFlag_);
    TObject* sender = self->sender_;
    try {
        self->method_(m);
    } catch (...) {
        // No error may cross the window procedure.
        Application->HandleException(watch.Freed() ? nullptr : sender);
    }
    return m.Result;
}

#include "framework/HintWindow.h"

#include <commctrl.h>

#include "framework/DpiScale.h"
#include "framework/Forms.h"
#include "framework/Handles.h"
#include "framework/MouseState.h"
#include "framework/OSError.h"

namespace {

constexpr UINT kShowDelayMs = 500;
constexpr UINT kHideDelayMs = 5000;

// The hint waiting for its delay, or shown, and the form whose timers run.
TControl* gPending = nullptr;
std::wstring gPendingText;
HWND gTimerForm = nullptr;
TCustomForm* gShownOn = nullptr;

}  // namespace

THintWindow::THintWindow(HWND form) : form_(form)
{
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    if (!tip_)
        RaiseLastOSError();
    handles::Created(handles::Kind::User);
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    ti.hwnd = form_;
    ti.uId = 1;
    ti.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 400);
}

THintWindow::~THintWindow()
{
    if (tip_ && IsWindow(tip_))
        DestroyWindow(tip_);
    if (tip_)
        handles::Freed(handles::Kind::User);
}

void THintWindow::ShowAt(std::wstring_view text, POINT screen, int dpi)
{
    // Lines wrap at 400 pixels of 96 DPI, at the form's DPI.
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, ScaleForDpi(400, dpi));
    text_.assign(text);
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = form_;
    ti.uId = 1;
    ti.lpszText = text_.data();
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x, screen.y));
    SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    shown_ = true;
}

void THintWindow::Hide()
{
    if (!shown_)
        return;
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = form_;
    ti.uId = 1;
    SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
    shown_ = false;
}

namespace hinttip {

void Cancel()
{
    if (gTimerForm && IsWindow(gTimerForm)) {
        KillTimer(gTimerForm, kShowTimer);
        KillTimer(gTimerForm, kHideTimer);
    }
    gTimerForm = nullptr;
    gPending = nullptr;
    if (gShownOn) {
        gShownOn->HintWindow().Hide();
        gShownOn = nullptr;
    }
}

void ControlEntered(TControl* control)
{
    Cancel();
    if (!control || !control->ShowHint())
        return;
    std::wstring text = GetShortHint(control->Hint());
    if (text.empty())
        return;
    TCustomForm* form = GetParentForm(control);
    if (!form || !form->HandleAllocated())
        return;
    gPending = control;
    gPendingText = std::move(text);
    gTimerForm = form->Handle();
    SetTimer(gTimerForm, kShowTimer, kShowDelayMs, nullptr);
}

void ControlLeft(TControl* control)
{
    if (control && control == gPending)
        Cancel();
}

void TimerFired(HWND form, UINT_PTR id)
{
    KillTimer(form, id);
    if (id == kHideTimer || !gPending || form != gTimerForm) {
        Cancel();
        return;
    }
    if (mousestate::Hovered() != gPending) {
        Cancel();
        return;
    }
    TCustomForm* owner = GetParentForm(gPending);
    if (!owner)
        return;
    POINT pt;
    GetCursorPos(&pt);
    // Below the pointer, clear of the cursor shape.
    pt.y += GetSystemMetrics(SM_CYCURSOR) * 3 / 4;
    owner->HintWindow().ShowAt(gPendingText, pt, owner->CurrentDpi());
    gShownOn = owner;
    SetTimer(form, kHideTimer, kHideDelayMs, nullptr);
}

void FormGone(TCustomForm* form)
{
    if (gShownOn == form)
        gShownOn = nullptr;
    if (form->HandleAllocated() && gTimerForm == form->Handle())
        Cancel();
    if (gPending && GetParentForm(gPending) == form)
        Cancel();
}

}  // namespace hinttip

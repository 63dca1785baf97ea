#pragma once
// Answers a popup menu from inside its own message loop: a thread timer waits
// for the menu window and hands it to the test's action.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

namespace testing_support {

inline std::function<void(HWND)>& PendingMenuAction()
{
    static std::function<void(HWND)> action;
    return action;
}

inline BOOL CALLBACK FindOpenMenu(HWND h, LPARAM out)
{
    wchar_t cls[16] = {};
    GetClassNameW(h, cls, 16);
    if (std::wstring(cls) != L"#32768" || !IsWindowVisible(h))
        return TRUE;
    *reinterpret_cast<HWND*>(out) = h;
    return FALSE;
}

inline void CALLBACK MenuActionTick(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND menu = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOpenMenu, reinterpret_cast<LPARAM>(&menu));
    if (!menu)
        return;
    KillTimer(nullptr, id);
    auto action = std::exchange(PendingMenuAction(), nullptr);
    if (action)
        action(menu);
}

// Runs action with the menu window as soon as a popup menu of this thread is open.
inline void WhenMenuOpens(std::function<void(HWND)> action)
{
    PendingMenuAction() = std::move(action);
    SetTimer(nullptr, 0, 10, MenuActionTick);
}

}  // namespace testing_support

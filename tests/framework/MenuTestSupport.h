#pragma once
// Answers a popup menu from inside its own message loop: a thread timer waits
// for the menu window and hands it to the test's action.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

namespace testing_support {

inline BOOL CALLBACK FindOpenMenu(HWND h, LPARAM out)
{
    wchar_t cls[16] = {};
    GetClassNameW(h, cls, 16);
    if (std::wstring(cls) == L"#32768" && IsWindowVisible(h)) {
        *reinterpret_cast<HWND*>(out) = h;
        return FALSE;
    }
    return TRUE;
}

// The open popup menu window of this thread, or null.
inline HWND OpenMenuWindow()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOpenMenu, reinterpret_cast<LPARAM>(&found));
    return found;
}

inline std::function<void(HWND)>& PendingMenuAction()
{
    static std::function<void(HWND)> action;
    return action;
}

inline void CALLBACK MenuActionTick(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND menu = OpenMenuWindow();
    if (!menu)
        return;
    KillTimer(nullptr, id);
    auto action = std::move(PendingMenuAction());
    PendingMenuAction() = nullptr;
    if (action)
        action(menu);
}

// Runs action with the menu window as soon as a popup menu is open.
inline void WhenMenuOpens(std::function<void(HWND)> action)
{
    PendingMenuAction() = std::move(action);
    SetTimer(nullptr, 0, 10, MenuActionTick);
}

}  // namespace testing_support

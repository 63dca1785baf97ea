// The application's taskbar button, hidden and shown again on the taskbar window
// (the main form) without touching its frame.
#include "framework/Application.h"

void TApplication::SetTaskbarButtonHidden(bool hidden)
{
    if (hidden == taskbarButtonHidden_)
        return;
    HWND owner = hidden ? Handle() : nullptr;
    taskbarButtonHidden_ = hidden;
    HWND window = TaskbarWindow();
    if (!window)
        return;  // the form's window takes the setting when it is made
    // The shell decides on a window's button when the window is shown: hide it
    // round the change, and give it the activation back that hiding took.
    const bool visible = IsWindowVisible(window) != FALSE;
    const bool active = GetForegroundWindow() == window;
    if (visible)
        ShowWindow(window, SW_HIDE);
    LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    exStyle = hidden ? (exStyle & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW)) : (exStyle | WS_EX_APPWINDOW);
    SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle);
    SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    if (visible) {
        ShowWindow(window, SW_SHOWNA);
        if (active)
            SetForegroundWindow(window);
    }
}

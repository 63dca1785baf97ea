#pragma once
// Registers a window class of this program the first time it is needed.
#include <windows.h>

struct TWindowClass {
    const wchar_t* Name = nullptr;
    WNDPROC Procedure = nullptr;
    UINT Style = 0;
    HICON Icon = nullptr;
    HCURSOR Cursor = nullptr;
};

// Registers `cls` in `instance` unless a class of that name is there already,
// and returns the window procedure of the class now registered under the name
// (a caller can tell a class of another kind by it). Raises EOSError when the
// class cannot be registered.
WNDPROC RegisterWindowClassOnce(HINSTANCE instance, const TWindowClass& cls);

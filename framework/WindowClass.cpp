#include "framework/WindowClass.h"

#include "framework/OSError.h"

WNDPROC RegisterWindowClassOnce(HINSTANCE instance, const TWindowClass& cls)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(instance, cls.Name, &wc))
        return wc.lpfnWndProc;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof wc;
    wc.style = cls.Style;
    wc.lpfnWndProc = cls.Procedure;
    wc.hInstance = instance;
    wc.hIcon = cls.Icon;
    wc.hCursor = cls.Cursor;
    wc.lpszClassName = cls.Name;
    if (!RegisterClassExW(&wc))
        RaiseLastOSError();
    return cls.Procedure;
}

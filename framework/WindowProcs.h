#pragma once
// The message path of the windowed controls: the window procedures that hand a
// window's messages to its control, and the table of the windows whose
// procedure a control has taken over. Internal to the class library.
#include <windows.h>

class TControl;
class TWinControl;

class TWindowProcs {
public:
    // The procedure of the library's own window classes; the control comes with
    // WM_NCCREATE and is kept in GWLP_USERDATA.
    static LRESULT CALLBACK OwnClass(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    // The procedure put into windows of system classes (BUTTON, EDIT, ...).
    static LRESULT CALLBACK SystemClass(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    // The procedure put into windows inside a control (a combo box's edit).
    static LRESULT CALLBACK Inner(HWND h, UINT msg, WPARAM wp, LPARAM lp);

    // Points the window at procedure for control, remembering the one it had.
    static bool TakeOver(HWND h, TWinControl* control, WNDPROC procedure);
    // Gives the window its previous procedure back (unless another has taken
    // it since) and forgets it.
    static void GiveBack(HWND h, WNDPROC procedure);
    // The procedure the window had before a control took it over, or null.
    static WNDPROC PreviousProc(HWND h);
    // The control that took the window over, or null.
    static TWinControl* TakenBy(HWND h);
};

// The point in a mouse message's LParam (signed: a captured mouse may be outside).
inline POINT PointOfLParam(LPARAM lp) { return {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }
// True for a control without a window of its own.
bool IsGraphicControl(const TControl* c);

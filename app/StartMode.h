#pragma once
// What the process's start show command means for the main window: a hidden or
// minimised start lives in the tray, a maximised or plain show opens the window
// in its normal state, anything else is passed on. Platform-neutral.

enum TStartMode {
    smTray,    // window created hidden; only the tray icon shows
    smNormal,  // window opens in its normal (never maximised) state
    smAsGiven  // the show command is used as it is
};

// The show-window values of the system, so that this stays free of windows.h.
enum : int {
    kSwHide = 0,
    kSwShowNormal = 1,
    kSwShowMinimized = 2,
    kSwShowMaximized = 3,
    kSwShowNoActivate = 4,
    kSwShow = 5,
    kSwMinimize = 6,
    kSwShowMinNoActive = 7,
    kSwShowNA = 8,
    kSwRestore = 9,
    kSwShowDefault = 10,
    kSwForceMinimize = 11,
};

TStartMode StartModeFor(int showCommand);

// The show command the main window is first shown with in that mode.
int StartShowCommandFor(int showCommand);

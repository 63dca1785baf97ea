#pragma once
// A hidden top-level window whose messages all go to one method of the object
// that owns it: for notifications, timers and broadcasts (such as
// "TaskbarCreated") that need a window but no control.
#include <windows.h>

#include "framework/Message.h"
#include "framework/Object.h"

class TUtilityWindow {
public:
    // Creates the window; its messages go to `method`, which hands what it does
    // not handle to DefWindowProcW itself. `sender` is named to the error display
    // when the method raises. Raises EOSError when the window cannot be made.
    TUtilityWindow(TObject* sender, TWndMethod method);
    // Destroys the window; the method hears nothing of the teardown.
    ~TUtilityWindow();
    TUtilityWindow(const TUtilityWindow&) = delete;
    TUtilityWindow& operator=(const TUtilityWindow&) = delete;

    HWND Handle() const { return handle_; }

    // Hands the message to DefWindowProcW and stores its result.
    void DefaultHandler(TMessage& msg) const;

private:
    static LRESULT CALLBACK StaticWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

    TObject* sender_;
    TWndMethod method_;
    HWND handle_ = nullptr;
    // Set while the method runs: tells the window procedure that the method freed this object.
    bool* freedFlag_ = nullptr;
};

#pragma once
// Helpers for tests that drive real windows of the class library.
#include <windows.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/Forms.h"

namespace testing_support {

// Handles the waiting messages until pred() holds or the time is up; returns pred().
template <class Pred>
bool PumpUntil(Pred pred, int timeoutMs = 3000)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

inline void Pump() { Application->ProcessMessages(); }

// Counts a control's clicks and remembers the last sender.
struct TClickCounter : TObject {
    int Clicks = 0;
    TObject* Last = nullptr;
    void Click(TObject* sender)
    {
        ++Clicks;
        Last = sender;
    }
};

// A form with this client size and no owner.
inline std::unique_ptr<TForm> NewForm(int clientWidth = 300, int clientHeight = 200)
{
    auto form = std::make_unique<TForm>(nullptr);
    form->SetClientSize(clientWidth, clientHeight);
    return form;
}

// A control of the form, on parent (the form when null), at these bounds.
template <class T>
T* Add(TForm& form, TWinControl* parent, int l, int t, int w, int h)
{
    T* c = new T(&form);
    c->SetParent(parent ? parent : &form);
    c->SetBounds(l, t, w, h);
    return c;
}

inline LPARAM Pt(int x, int y) { return MAKELPARAM(x, y); }

// Whether the shell gives the window a taskbar button when it is shown: an app
// window always, another top-level window when it has no owner and is no tool
// window.
inline bool ListedOnTaskbar(HWND window)
{
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (exStyle & WS_EX_APPWINDOW)
        return true;
    return !(exStyle & WS_EX_TOOLWINDOW) && !GetWindow(window, GW_OWNER) && !GetParent(window);
}

// Records the messages that pass a control's WindowProc and hands them on,
// unless told to swallow one.
class TMessageRecorder {
public:
    explicit TMessageRecorder(TControl* control) : control_(control), old_(control->WindowProc)
    {
        control->WindowProc = TWndMethod(this, &TMessageRecorder::Proc);
    }
    ~TMessageRecorder() { control_->WindowProc = old_; }

    std::vector<TMessage> Seen;
    UINT Swallow = 0;

    bool Saw(UINT msg) const
    {
        for (const TMessage& m : Seen)
            if (m.Msg == msg)
                return true;
        return false;
    }
    // The LParam values of every `msg` seen, in order.
    std::vector<intptr_t> LParams(UINT msg) const
    {
        std::vector<intptr_t> out;
        for (const TMessage& m : Seen)
            if (m.Msg == msg)
                out.push_back(m.LParam);
        return out;
    }

private:
    void Proc(TMessage& m)
    {
        Seen.push_back(m);
        if (Swallow && m.Msg == Swallow)
            return;
        old_(m);
    }

    TControl* control_;
    TWndMethod old_;
};

}  // namespace testing_support

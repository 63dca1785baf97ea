#pragma once
// Finds the dialog windows this process shows (message boxes and the file
// dialogs, class "#32770"), reads them and answers them as a user would.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testmsg {

// The visible dialog window of this process, or null.
inline HWND FindDialog()
{
    HWND found = nullptr;
    EnumWindows(
        [](HWND w, LPARAM out) -> BOOL {
            wchar_t cls[16] = {};
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == GetCurrentProcessId() && IsWindowVisible(w) && GetClassNameW(w, cls, 16) &&
                std::wstring(cls) == L"#32770") {
                *reinterpret_cast<HWND*>(out) = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Waits up to timeoutMs for a dialog of this process; null if none came.
inline HWND WaitForDialog(int timeoutMs = 10000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (HWND box = FindDialog())
            return box;
        if (std::chrono::steady_clock::now() >= deadline)
            return nullptr;
        Sleep(10);
    }
}

struct TBox {
    std::wstring Caption;
    std::wstring Text;  // the message's static text
    int Buttons = 0;    // the visible push buttons
};

inline TBox ReadBox(HWND box)
{
    TBox seen;
    wchar_t buf[1024] = {};
    GetWindowTextW(box, buf, 1024);
    seen.Caption = buf;
    buf[0] = 0;
    GetDlgItemTextW(box, 0xFFFF, buf, 1024);
    seen.Text = buf;
    for (HWND child = FindWindowExW(box, nullptr, L"Button", nullptr); child;
         child = FindWindowExW(box, child, L"Button", nullptr))
        if (IsWindowVisible(child))
            ++seen.Buttons;
    return seen;
}

// Presses Yes where the box asks, OK otherwise, and waits up to 2 s for it to close.
inline void Answer(HWND box)
{
    PostMessageW(box, WM_COMMAND, GetDlgItem(box, IDYES) ? IDYES : IDOK, 0);
    for (int i = 0; i < 200 && IsWindow(box); ++i)
        Sleep(10);
}

// Reads and answers every message box this process shows while it lives, from
// a thread of its own: the box's modal loop runs on the test's thread.
class TBoxAnswerer {
public:
    TBoxAnswerer() : thread_([this] { Run(); }) {}
    ~TBoxAnswerer()
    {
        stop_ = true;
        thread_.join();
    }
    TBoxAnswerer(const TBoxAnswerer&) = delete;
    TBoxAnswerer& operator=(const TBoxAnswerer&) = delete;

    // The boxes answered so far, first first.
    std::vector<TBox> Boxes()
    {
        std::lock_guard lock(mutex_);
        return boxes_;
    }
    void Clear()
    {
        std::lock_guard lock(mutex_);
        boxes_.clear();
    }

private:
    void Run()
    {
        while (!stop_) {
            if (HWND box = FindDialog()) {
                {
                    std::lock_guard lock(mutex_);
                    boxes_.push_back(ReadBox(box));
                }
                Answer(box);
            }
            Sleep(10);
        }
    }

    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<TBox> boxes_;
    std::thread thread_;
};

}  // namespace testmsg

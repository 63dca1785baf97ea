#pragma once
// Answers the message boxes that the test's own thread shows: each box is read
// as it becomes active and closed with OK, as if a user had pressed it.
#include <windows.h>

#include <string>
#include <vector>

namespace testmsg {

class TBoxAnswerer {
public:
    struct TBox {
        std::wstring Caption;
        std::wstring Text;
    };
    // The boxes answered so far, first first.
    std::vector<TBox> Boxes;

    TBoxAnswerer() : hook_(SetWindowsHookExW(WH_CBT, &TBoxAnswerer::Proc, nullptr, GetCurrentThreadId()))
    {
        self_ = this;
    }
    ~TBoxAnswerer()
    {
        UnhookWindowsHookEx(hook_);
        self_ = nullptr;
    }
    TBoxAnswerer(const TBoxAnswerer&) = delete;
    TBoxAnswerer& operator=(const TBoxAnswerer&) = delete;

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam)
    {
        auto* box = reinterpret_cast<HWND>(wParam);
        wchar_t cls[16] = {};
        if (code == HCBT_ACTIVATE && self_ && GetClassNameW(box, cls, 16) && std::wstring(cls) == L"#32770") {
            wchar_t caption[256] = {}, text[1024] = {};
            GetWindowTextW(box, caption, 256);
            GetDlgItemTextW(box, 0xFFFF, text, 1024);  // the message's static text
            self_->Boxes.push_back({caption, text});
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline TBoxAnswerer* self_ = nullptr;
    HHOOK hook_;
};

}  // namespace testmsg

#pragma once
// The tool tip window of one form: shows a control's short hint near the pointer.
#include <windows.h>

#include <string>
#include <string_view>

class THintWindow {
public:
    explicit THintWindow(HWND form);
    ~THintWindow();
    THintWindow(const THintWindow&) = delete;
    THintWindow& operator=(const THintWindow&) = delete;

    // Shows `text` with its top-left corner at `screen`.
    void ShowAt(std::wstring_view text, POINT screen);
    void Hide();
    bool Shown() const { return shown_; }
    HWND Handle() const { return tip_; }
    // The text shown last.
    const std::wstring& Text() const { return text_; }

private:
    HWND form_;  // not owned
    HWND tip_ = nullptr;
    std::wstring text_;
    bool shown_ = false;
};

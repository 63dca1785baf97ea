#pragma once
// Tool tips: the tip window of one form, which shows a control's short hint
// near the pointer, and the timing of when it shows and goes.
#include <windows.h>

#include <string>
#include <string_view>

class TControl;
class TCustomForm;

class THintWindow {
public:
    explicit THintWindow(HWND form);
    ~THintWindow();
    THintWindow(const THintWindow&) = delete;
    THintWindow& operator=(const THintWindow&) = delete;

    // Shows `text` with its top-left corner at `screen`, wrapped for the form's DPI.
    void ShowAt(std::wstring_view text, POINT screen, int dpi = 96);
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

// Tool tips: told when the pointer enters or leaves a control, or a button is pressed.
namespace hinttip {

void ControlEntered(TControl* control);
void ControlLeft(TControl* control);
void Cancel();
// A form's hint timer fired.
void TimerFired(HWND form, UINT_PTR id);
// A form is going: drop its hint and timers.
void FormGone(TCustomForm* form);
// Timer ids the hint code uses on a form's window.
constexpr UINT_PTR kShowTimer = 0x4B48;
constexpr UINT_PTR kHideTimer = 0x4B49;

}  // namespace hinttip

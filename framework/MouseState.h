#pragma once
// The library's record of which control is under the pointer and which holds the
// mouse capture, shared by the control classes of one (the user-interface) thread.
#include <windows.h>

class TControl;
class TCustomForm;

namespace mousestate {

// The control the pointer is over, as last told to the controls.
TControl* Hovered();
// Tells the old control it was left and the new one it was entered.
void SetHovered(TControl* control);

// The control that holds the mouse capture (a graphic control holds it through
// its parent's window), or null.
TControl* Captured();
void SetCaptured(TControl* control);

// Drops every reference to a control that is being freed.
void Forget(TControl* control);

}  // namespace mousestate

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

#pragma once
// The library's record of which control is under the pointer and which holds the
// mouse capture, shared by the control classes of one (the user-interface) thread.
#include <windows.h>

class TControl;

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

#include "framework/MouseState.h"

#include "framework/Controls.h"

namespace {

TControl* gHovered = nullptr;
TControl* gCaptured = nullptr;

}  // namespace

namespace mousestate {

TControl* Hovered() { return gHovered; }

void SetHovered(TControl* control)
{
    if (control == gHovered)
        return;
    TControl* old = gHovered;
    gHovered = control;
    if (old)
        old->Perform(CM_MOUSELEAVE, 0, 0);
    // The leave handler may have moved the pointer's control on already.
    if (control && gHovered == control)
        control->Perform(CM_MOUSEENTER, 0, 0);
}

TControl* Captured() { return gCaptured; }
void SetCaptured(TControl* control) { gCaptured = control; }

void Forget(TControl* control)
{
    if (gHovered == control)
        gHovered = nullptr;
    if (gCaptured == control)
        gCaptured = nullptr;
}

}  // namespace mousestate

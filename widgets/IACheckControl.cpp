#include "widgets/IACheckControl.h"

TIACheckControl::TIACheckControl(TComponent* owner) : TCheckBox(owner)
{
    SetBounds(Left(), Top(), 33, 33);
    SetTabStop(true);
}

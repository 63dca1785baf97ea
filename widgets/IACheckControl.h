#pragma once
// The image check control of the terrain choices. For now a check box of the
// control's size; it keeps the name, place, hint and check state that the
// window and the object block rely on.
#include "framework/StdCtrls.h"

class TIACheckControl : public TCheckBox {
    KD_CLASS(TIACheckControl, TCheckBox)

public:
    explicit TIACheckControl(TComponent* owner);
};

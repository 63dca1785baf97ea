#include "controls/KdStringer.h"

TKdStringer::TKdStringer(TComponent* owner) : TComponent(owner) {}

TKdStringer::~TKdStringer() { Destroying(); }

void TKdStringer::SetItems(const TStrings& items)
{
    if (&items != &items_)
        items_.Assign(items);
}

#include "framework/FreedWatch.h"

// The object points at this watch only while the watch lives: the destructor
// hands the pointer back to the watch further out.
TFreedWatch::TFreedWatch(bool*& slot) : slot_(slot), outer_(slot) { slot = &freed_; }

TFreedWatch::~TFreedWatch()
{
    if (!freed_)
        slot_ = outer_;
    else if (outer_)
        *outer_ = true;  // the frames further out learn of it too
}

void TFreedWatch::ObjectFreed(bool* slot)
{
    if (slot)
        *slot = true;
}

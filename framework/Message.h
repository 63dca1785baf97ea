#pragma once
// The message record that every control's WindowProc receives. Platform-neutral:
// the field widths match WPARAM, LPARAM and LRESULT of the build's platform.
#include <cstdint>

#include "framework/Method.h"

struct TMessage {
    uint32_t Msg = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};

using TWndMethod = TMethod<void(TMessage&)>;

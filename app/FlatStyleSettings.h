#pragma once
// The settings that both windows give their flat style, KdFlatStyle1: framed
// edit-like controls of the window (not the window itself) under the window
// controllers' priority, with the hot-track frame off. Only the look of the
// normal frame differs between the windows.
#include <array>

#include "controls/KdPainters.h"
#include "framework/FormDescription.h"

// A window description row's settings for KdFlatStyle1 with this normal frame.
TBinder FlatStyleSettings(TKdEditPaintStyle frameStyle, const std::array<TColor, 4>& frameColors);

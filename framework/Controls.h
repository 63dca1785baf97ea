#pragma once
// Visual controls, all in one include: the private messages, TControl,
// TWinControl, and TCustomControl and TGraphicControl.
#include "framework/Control.h"
#include "framework/ControlMessages.h"
#include "framework/CustomControls.h"
#include "framework/WinControl.h"

#pragma once
// The display's dots per inch as the system reports them to a per-monitor aware
// program, with fallbacks for systems older than the per-monitor functions.
#include <windows.h>

#include "framework/DpiScale.h"

// The DPI of the monitor the window is on; without the per-monitor functions, the system's.
int WindowDpi(HWND window);
// The DPI the system gives new windows when no monitor is known yet (the primary monitor's).
int SystemDpi();
// A system metric (SM_CXSMICON, SM_CXICON, ...) at a DPI.
int SystemMetricForDpi(int index, int dpi);
// Grows a client rectangle to the window rectangle of that style at a DPI.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

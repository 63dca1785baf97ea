#pragma once
// The main window's pictures for a display's DPI: the set drawn nearest to it,
// scaled to the exact size when it is drawn at another.
#include "app/PictureScale.h"
#include "framework/Bitmap.h"

// Loads the picture (strip) of a resource id (IDB_TERRAIN_*, IDB_CHECK_*) drawn
// for the dpi into `into`, at exactly the scaled size (33 or 16, scaled by
// dpi/96 rounding half away from zero, times 4 across for strips): the nearest
// set as drawn when its size is that size, else that set scaled to it with a
// halftone stretch. At 96 DPI this is TBitmap::LoadFromResourceID. Raises
// EOSError when the resource is missing or damaged; into keeps its settings.
void LoadScaledPicture(TBitmap& into, int resourceId, int dpi);

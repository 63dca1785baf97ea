#pragma once
// Drawing: colours, fonts, pens and brushes, a canvas over a device context,
// bitmaps with their own canvas, and icons, one unit each.
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/GraphicsObjects.h"
#include "framework/Icon.h"

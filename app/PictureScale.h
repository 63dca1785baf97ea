#pragma once
// Display scales of the main window's pictures: which of the drawn picture sets
// serves a DPI (lengths scale by framework/DpiScale.h).
#include "framework/DpiScale.h"

// The scales, in per cent, that the pictures are drawn at.
constexpr int kPictureScales[] = {100, 125, 150, 175, 200};

// The picture set for a DPI: the one of the five scales nearest to dpi/96.
int PictureScaleFor(int dpi);  // 100, 125, 150, 175 or 200

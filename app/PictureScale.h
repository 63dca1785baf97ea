#pragma once
// Display scales of the main window's pictures: which of the drawn picture sets
// serves a DPI, and how long a length of 96 DPI is at another DPI.

constexpr int kBaseDpi = 96;
// The scales, in per cent, that the pictures are drawn at.
constexpr int kPictureScales[] = {100, 125, 150, 175, 200};

// The picture set for a DPI: the one of the five scales nearest to dpi/96.
int PictureScaleFor(int dpi);  // 100, 125, 150, 175 or 200
// length x dpi / 96, rounded half away from zero (length and dpi >= 0).
int ScaledLength(int length, int dpi);

#pragma once
// The check field of the image check control in its five looks: a picture from
// an image list, or vector art in the colours of a palette made from two colours.
#include "framework/Graphics.h"
#include "widgets/IACheckTypes.h"

class TImageList;

// BlendRGB and RGBClose for colours that may be system colours.
TColor BlendColor(TColor a, TColor b, int range, int pos);
bool ColorsClose(TColor a, TColor b, int limit);

// What the check field shows at one moment.
struct TIACheckFieldLook {
    TIACheckControlStyle Style = iaccsStyle1Small;
    TIACheckControlType Type = iacctCheck;
    bool Checked = false;
    bool Enabled = true;
    TColor Background = clBtnFace;  // the control's colour
    TColor Color1 = 0x808080;
    TColor Color2 = 0xC0C0C0;
    TImageList* Images = nullptr;  // not owned
};

// The colours of the vector looks, as RGB values.
struct TIACheckPalette {
    TColor C1, C2;  // the two colours (towards the background when disabled)
    TColor L1, LM;  // light shades of C1 and of the middle of C2 and C1
    TColor D1, DM;  // dark shades of the same
};
TIACheckPalette CheckFieldPalette(const TIACheckFieldLook& look);

// The picture of the picture style for a state: 0 unchecked, 1 checked, 2 and 3
// the same while disabled.
int CheckFieldImageIndex(bool checked, bool enabled);

// Draws the field of width × height at (x, y).
void DrawCheckField(TCanvas& canvas, const TIACheckFieldLook& look, int x, int y, int width, int height);

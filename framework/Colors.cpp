#include "framework/Colors.h"

COLORREF ColorToRGB(TColor color)
{
    if (color & kSysColorFlag)
        return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFF;
}

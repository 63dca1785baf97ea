#pragma once
// What the drawing tests share: a filled bitmap and the library's handle
// counts at a moment.
#include "framework/Graphics.h"

namespace graphicstest {

// A bitmap of w × h filled with `color`.
inline void Prepare(TBitmap& bitmap, int w, int h, TColor color)
{
    bitmap.SetSize(w, h);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(RECT{0, 0, w, h});
}

struct TLiveCounts {
    long gdi = handles::Live(handles::Kind::Gdi);
    long user = handles::Live(handles::Kind::User);
};

}  // namespace graphicstest

#include "framework/Handles.h"

#include "framework/OSError.h"

namespace handles {
namespace {
// One user-interface thread: plain counters are enough.
long live[2] = {0, 0};
}  // namespace

void Created(Kind kind) { ++live[static_cast<int>(kind)]; }
void Freed(Kind kind) { --live[static_cast<int>(kind)]; }
long Live(Kind kind) { return live[static_cast<int>(kind)]; }

}  // namespace handles

TWindowDC::TWindowDC(HWND window, TArea area)
    : window_(window), dc_(window ? (area == waWhole ? GetWindowDC(window) : GetDC(window)) : nullptr)
{
    if (dc_)
        handles::Created(handles::Kind::Gdi);
}

TWindowDC::~TWindowDC()
{
    if (!dc_)
        return;
    ReleaseDC(window_, dc_);
    handles::Freed(handles::Kind::Gdi);
}

TSavedDC::TSavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc))
{
    if (!saved_)
        RaiseLastOSError();
}

TPaintScope::TPaintScope(HWND window, WPARAM givenDC)
    : window_(window), began_(givenDC == 0),
      dc_(givenDC ? reinterpret_cast<HDC>(givenDC) : BeginPaint(window, &ps_))
{
    if (!dc_)
        RaiseLastOSError();
}

TPaintScope::~TPaintScope()
{
    if (began_)
        EndPaint(window_, &ps_);
}

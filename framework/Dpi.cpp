#include "framework/Dpi.h"

#include "framework/SystemLibrary.h"

namespace {

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int WindowDpi(HWND window)
{
    static auto* forWindow = SystemFunction<UINT WINAPI(HWND)>(L"user32.dll", "GetDpiForWindow");
    if (forWindow && window) {
        if (const UINT dpi = forWindow(window))
            return static_cast<int>(dpi);
    }
    return SystemDpi();
}

int SystemDpi()
{
    static auto* forSystem = SystemFunction<UINT WINAPI()>(L"user32.dll", "GetDpiForSystem");
    if (forSystem) {
        if (const UINT dpi = forSystem())
            return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

int SystemMetricForDpi(int index, int dpi)
{
    static auto* forDpi = SystemFunction<int WINAPI(int, UINT)>(L"user32.dll", "GetSystemMetricsForDpi");
    if (forDpi)
        return forDpi(index, static_cast<UINT>(dpi));
    // The metric at the system's DPI, scaled as a length.
    return MulDivRound(GetSystemMetrics(index), dpi, SystemDpi());
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi)
{
    static auto* forDpi =
        SystemFunction<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (!forDpi || !forDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

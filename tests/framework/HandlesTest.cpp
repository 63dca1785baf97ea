// Borrowed window device contexts: the whole window reaches the border, the
// client area starts inside it, and every context goes back.
#include "framework/Handles.h"

#include <gtest/gtest.h>

TEST(WindowDC, WholeWindowOrClientAreaAndAlwaysReleased)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_BORDER, 40, 40, 60, 40, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    const long live = handles::Live(handles::Kind::Gdi);
    {
        TWindowDC whole(window), client(window, TWindowDC::waClient);
        ASSERT_TRUE(whole && client);
        SetPixel(whole.Get(), 0, 0, RGB(250, 0, 0));  // the border's corner
        SetPixel(client.Get(), 0, 0, RGB(0, 0, 250));
        EXPECT_EQ(GetPixel(whole.Get(), 0, 0), RGB(250, 0, 0));
        EXPECT_EQ(GetPixel(whole.Get(), 1, 1), RGB(0, 0, 250));
    }
    EXPECT_EQ(handles::Live(handles::Kind::Gdi), live);
    EXPECT_FALSE(TWindowDC(nullptr));
    DestroyWindow(window);
}

// Borrowed window device contexts: the whole window reaches the border, the
// client area does not, and every context goes back.
#include "framework/Handles.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowDC, WholeWindowOrClientAreaAndAlwaysReleased)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_BORDER, 40, 40, 60, 40,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    UpdateWindow(window);
    const long live = handles::Live(handles::Kind::Gdi);
    {
        TWindowDC whole(window);
        ASSERT_TRUE(whole);
        EXPECT_EQ(handles::Live(handles::Kind::Gdi), live + 1);
        // (0, 0) of the whole window is the border's corner.
        SetPixel(whole.Get(), 0, 0, RGB(250, 0, 0));
        EXPECT_EQ(GetPixel(whole.Get(), 0, 0), RGB(250, 0, 0));
        TWindowDC client(window, TWindowDC::waClient);
        ASSERT_TRUE(client);
        // The client area starts inside the one-pixel border.
        SetPixel(client.Get(), 0, 0, RGB(0, 0, 250));
        EXPECT_EQ(GetPixel(whole.Get(), 1, 1), RGB(0, 0, 250));
        EXPECT_EQ(GetPixel(whole.Get(), 0, 0), RGB(250, 0, 0));
    }
    EXPECT_EQ(handles::Live(handles::Kind::Gdi), live);
    TWindowDC none(nullptr);
    EXPECT_FALSE(none);
    DestroyWindow(window);
}

}  // namespace

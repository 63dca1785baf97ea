// The application's taskbar button hidden and shown again on the real main
// form, which keeps its frame, its visibility and the activation.
#include <gtest/gtest.h>

#include "framework/Application.h"
#include "tests/framework/ControlsTestSupport.h"

using namespace testing_support;

TEST(ApplicationTaskbar, HidesAndShowsTheButtonOfTheMainForm)
{
    TForm* form = Application->CreateForm<TForm>();
    form->SetBorderIcons(biSystemMenu | biMinimize);
    form->ShowForm();
    HWND h = form->Handle();
    ASSERT_TRUE(ListedOnTaskbar(h));
    const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);

    Application->SetTaskbarButtonHidden(true);
    EXPECT_FALSE(ListedOnTaskbar(h));
    EXPECT_EQ(GetWindow(h, GW_OWNER), Application->Handle());
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_EQ(GetForegroundWindow(), h) << "the window stays active";
    EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE), style) << "the frame and minimise box stay";

    // Hidden, and made anew meanwhile, it keeps the setting and stays hidden.
    form->Hide();
    form->RecreateWnd();
    h = form->Handle();
    EXPECT_FALSE(ListedOnTaskbar(h));
    Application->SetTaskbarButtonHidden(false);
    EXPECT_TRUE(ListedOnTaskbar(h));
    EXPECT_FALSE(IsWindowVisible(h));
}

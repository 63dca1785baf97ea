// The application's taskbar button hidden and shown again on the real main
// form, which keeps its frame, its place on the screen and the activation.
#include <gtest/gtest.h>

#include "framework/Application.h"
#include "tests/framework/ControlsTestSupport.h"

using namespace testing_support;

namespace {

TCustomForm* MainForm()
{
    if (!Application->MainForm()) {
        TForm* form = Application->CreateForm<TForm>();
        form->SetBorderStyle(bsSingle);
        form->SetBorderIcons(biSystemMenu | biMinimize);
    }
    return Application->MainForm();
}

TEST(ApplicationTaskbar, HidesAndShowsTheButtonOfTheMainForm)
{
    TCustomForm* form = MainForm();
    form->ShowForm();
    HWND h = form->Handle();
    ASSERT_TRUE(IsWindowVisible(h));
    ASSERT_EQ(GetForegroundWindow(), h);
    ASSERT_TRUE(ListedOnTaskbar(h));
    const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    RECT before{};
    GetWindowRect(h, &before);

    Application->SetTaskbarButtonHidden(true);
    EXPECT_TRUE(Application->TaskbarButtonHidden());
    EXPECT_FALSE(ListedOnTaskbar(h));
    EXPECT_EQ(GetWindow(h, GW_OWNER), Application->Handle());
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_EQ(GetForegroundWindow(), h) << "the window stays active";
    EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE), style) << "the frame and minimise box stay";
    EXPECT_FALSE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    RECT after{};
    GetWindowRect(h, &after);
    EXPECT_TRUE(EqualRect(&before, &after));

    // A window made anew meanwhile takes the setting.
    form->Hide();
    form->RecreateWnd();
    form->ShowForm();
    h = form->Handle();
    EXPECT_FALSE(ListedOnTaskbar(h));

    Application->SetTaskbarButtonHidden(false);
    EXPECT_TRUE(ListedOnTaskbar(h));
    EXPECT_EQ(GetWindow(h, GW_OWNER), nullptr);
    EXPECT_TRUE(IsWindowVisible(h));
}

TEST(ApplicationTaskbar, AHiddenMainFormStaysHidden)
{
    TCustomForm* form = MainForm();
    form->Hide();
    HWND h = form->Handle();
    Application->SetTaskbarButtonHidden(true);
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_FALSE(ListedOnTaskbar(h));
    // Shown later, it comes without a button.
    form->ShowForm();
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_FALSE(ListedOnTaskbar(h));
    Application->SetTaskbarButtonHidden(false);
    EXPECT_TRUE(ListedOnTaskbar(h));
}

}  // namespace

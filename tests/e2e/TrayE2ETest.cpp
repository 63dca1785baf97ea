// Kestrin in the notification area, driven from outside: the start in the tray,
// "Tray Icon", minimising to the tray, the icon's click and its menu. The shell's
// part (a mouse message to the icon's window) is played by the driver.
#include <gtest/gtest.h>

#include "tests/e2e/KestrinDriver.h"
#include "tests/support/TempDir.h"

namespace {

using namespace e2e;

// Whether the shell gives the window a taskbar button when it is shown.
bool ListedOnTaskbar(HWND window)
{
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (exStyle & WS_EX_APPWINDOW)
        return true;
    return !(exStyle & WS_EX_TOOLWINDOW) && !GetWindow(window, GW_OWNER);
}

class KestrinTrayE2E : public ::testing::Test {
protected:
    std::unique_ptr<TKestrin> Start(int showCommand = -1)
    {
        auto app = std::make_unique<TKestrin>(showCommand, L"", dir_.Path());
        main_ = app->WaitForMainWindow();
        if (!main_)
            ADD_FAILURE() << "Kestrin's main window did not appear";
        else
            app->Settle();
        return app;
    }

    testfs::TTempDir dir_;
    HWND main_ = nullptr;
};

TEST_F(KestrinTrayE2E, MinimisedStartShowsOnlyTheTrayIconUntilItIsClicked)
{
    auto app = Start(SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(main_) << "the main window is created, hidden";
    HWND trayIcon = app->Find(L"Button", L"Tray Icon");
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(trayIcon) && app->TrayIconWindow(); })) << "no tray icon";
    EXPECT_FALSE(IsWindowVisible(main_));
    EXPECT_FALSE(ListedOnTaskbar(main_));

    // The press of the left button on the icon opens the window.
    app->MouseOnTrayIcon(WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_FALSE(IsIconic(main_));
    EXPECT_EQ(GetForegroundWindow(), main_);
    EXPECT_FALSE(ListedOnTaskbar(main_)) << "no taskbar button while the icon shows";
    EXPECT_TRUE(app->TrayIconWindow());
}

TEST_F(KestrinTrayE2E, WithTrayIconCheckedMinimiseHidesTheWindowAndTheIconBringsItBack)
{
    auto app = Start();
    ASSERT_TRUE(main_);
    EXPECT_FALSE(app->TrayIconWindow());
    EXPECT_TRUE(ListedOnTaskbar(main_));
    HWND trayIcon = app->Find(L"Button", L"Tray Icon");

    app->Click(trayIcon);
    ASSERT_TRUE(WaitUntil([&] { return app->TrayIconWindow() && IsWindowVisible(main_); }));
    EXPECT_FALSE(ListedOnTaskbar(main_));

    PostMessageW(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    app->Settle();
    EXPECT_FALSE(IsWindowVisible(main_));
    app->MouseOnTrayIcon(WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_FALSE(IsIconic(main_));

    // Unchecked: the icon goes, the button comes back, minimising is the system's.
    app->Click(trayIcon);
    ASSERT_TRUE(WaitUntil([&] { return !app->TrayIconWindow() && IsWindowVisible(main_); }));
    EXPECT_TRUE(ListedOnTaskbar(main_));
    PostMessageW(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    app->Settle();
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_TRUE(IsIconic(main_));
}

TEST_F(KestrinTrayE2E, MinimisingTheHelpWindowHidesBothWindowsAndTheIconShowsBoth)
{
    testfs::PutFile(dir_ / L"ReadMe.txt", {'K', 'e', 's', 't', 'r', 'i', 'n'});
    auto app = Start();
    ASSERT_TRUE(main_);
    app->Click(app->Find(L"Button", L"Tray Icon"));
    ASSERT_TRUE(WaitUntil([&] { return app->TrayIconWindow() && IsWindowVisible(main_); }));
    app->Click(app->Button(L"Help"));
    HWND help = FindWindowW(L"Kestrin Help Form", L"Kestrin Help");
    ASSERT_TRUE(help) << "no help window";

    PostMessageW(help, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    app->Settle();
    EXPECT_FALSE(IsWindowVisible(help));
    EXPECT_FALSE(IsWindowVisible(main_));
    app->MouseOnTrayIcon(WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_TRUE(IsWindowVisible(help));
    EXPECT_EQ(GetForegroundWindow(), help) << "the modal help window in front";
    PostMessageW(help, WM_CLOSE, 0, 0);
}

TEST_F(KestrinTrayE2E, TheTrayMenuShowsTheWindowAndExitEndsTheProgramWhileItIsHidden)
{
    auto app = Start(SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(main_);
    ASSERT_TRUE(WaitUntil([&] { return app->TrayIconWindow(); }));
    // The right button's release pops the menu up.
    app->MouseOnTrayIcon(WM_RBUTTONUP);
    HWND menu = app->WaitForPopupMenu();
    ASSERT_TRUE(menu);
    PostMessageW(menu, WM_CHAR, L's', 0);
    app->Settle();
    EXPECT_TRUE(IsWindowVisible(main_)) << "\"&Show\" shows the window";

    PostMessageW(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    app->Settle();
    ASSERT_FALSE(IsWindowVisible(main_));
    HWND iconWindow = app->TrayIconWindow();
    app->MouseOnTrayIcon(WM_RBUTTONUP);
    menu = app->WaitForPopupMenu();
    ASSERT_TRUE(menu);
    PostMessageW(menu, WM_CHAR, L'x', 0);
    EXPECT_EQ(app->WaitForExit(10s), std::optional<DWORD>(0));
    EXPECT_FALSE(IsWindow(iconWindow));
}

}  // namespace

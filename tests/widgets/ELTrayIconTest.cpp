// The tray icon with the real shell: adding and removing the icon, the taskbar
// button, the record sent, the shell's messages and the popup menu.
#include <gtest/gtest.h>

#include <string>

#include "framework/Application.h"
#include "framework/Menus.h"
#include "tests/framework/ControlsTestSupport.h"
#include "tests/framework/MenuTestSupport.h"
#include "tests/widgets/TrayIconTestSupport.h"

using namespace testing_support;
using namespace tray_testing;

namespace {

struct TTrayEvents : TObject {
    std::vector<std::wstring> Log;
    bool HandlePopup = false;
    void Clicked(TObject*) { Log.push_back(L"click"); }
    void ContextPopup(TObject*, POINT, bool& handled)
    {
        Log.push_back(L"context");
        handled = HandlePopup;
    }
    void MenuPopped(TObject*) { Log.push_back(L"menu"); }
};

class TrayIcon : public ::testing::Test {
protected:
    void SetUp() override
    {
        icon = new TELTrayIcon(&owner);
        icon->OnClick = TNotifyEvent(&events, &TTrayEvents::Clicked);
    }
    void Callback(UINT mouseMessage) { SendMessageW(icon->Handle(), TELTrayIcon::kCallbackMessage, 0, mouseMessage); }

    TComponent owner{nullptr};
    TTrayEvents events;
    TELTrayIcon* icon = nullptr;  // freed with owner
    TShellRecorder shell;
};

TEST_F(TrayIcon, ActivatingAddsTheIconAndHidesTheTaskbarButtonDeactivatingUndoesBoth)
{
    TForm* form = Application->CreateForm<TForm>();  // the main form, with the button
    form->ShowForm();
    HWND window = form->Handle();
    icon->SetHideTaskBarButton(true);
    ASSERT_TRUE(ListedOnTaskbar(window)) << "an inactive icon leaves the button";

    icon->SetActive(true);
    EXPECT_TRUE(IconShown(icon->Handle()));
    EXPECT_FALSE(ListedOnTaskbar(window));
    EXPECT_TRUE(IsWindowVisible(window));

    icon->SetActive(false);
    EXPECT_FALSE(IconShown(icon->Handle()));
    EXPECT_TRUE(ListedOnTaskbar(window));
    EXPECT_EQ(GetForegroundWindow(), window);
}

TEST_F(TrayIcon, AnIconTheShellNeverGotIsNotRemovedFromIt)
{
    icon->SetActive(false);
    delete icon;
    icon = nullptr;
    EXPECT_TRUE(shell.Calls().empty());
}

TEST_F(TrayIcon, TheRecordCarriesTheHintCutTo63CharactersOrTheApplicationsTitleAndIcon)
{
    icon->SetActive(true);
    ASSERT_EQ(shell.Calls().size(), 1u);
    const NOTIFYICONDATAW& add = shell.Calls()[0].Data;
    EXPECT_EQ(add.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(add.hWnd, icon->Handle());
    EXPECT_EQ(add.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(add.uCallbackMessage, static_cast<UINT>(WM_USER));
    EXPECT_EQ(add.hIcon, Application->Icon());
    EXPECT_EQ(std::wstring(add.szTip), Application->Title());

    const std::wstring seventy = L"0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ01234567";
    icon->SetHint(seventy);
    EXPECT_EQ(shell.Calls().back().Command, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(std::wstring(shell.Calls().back().Data.szTip), seventy.substr(0, 63));
    // A character of two UTF-16 units at the cut is left out whole.
    icon->SetHint(std::wstring(62, L'a') + L"\U0001F600");
    EXPECT_EQ(std::wstring(shell.Calls().back().Data.szTip), std::wstring(62, L'a'));
    icon->SetActive(false);
}

TEST_F(TrayIcon, TaskbarCreatedAddsAnActiveIconAnewAndNotAnInactiveOne)
{
    icon->SetActive(true);
    // The shell restarts: it knows no icon any more.
    NOTIFYICONDATAW gone{};
    gone.cbSize = sizeof gone;
    gone.hWnd = icon->Handle();
    SystemShellNotifyIcon(NIM_DELETE, &gone);
    SendMessageW(icon->Handle(), TELTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(IconShown(icon->Handle()));

    icon->SetActive(false);
    SendMessageW(icon->Handle(), TELTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_FALSE(IconShown(icon->Handle()));
}

TEST_F(TrayIcon, ClickOnPressAndTheMenuOnRightReleaseUnlessTheContextEventHandlesIt)
{
    auto* menu = new TPopupMenu(&owner);
    menu->OnPopup = TNotifyEvent(&events, &TTrayEvents::MenuPopped);
    icon->SetPopupMenu(menu);
    icon->OnContextPopup = TContextPopupEvent(&events, &TTrayEvents::ContextPopup);
    Callback(WM_LBUTTONDOWN);
    Callback(WM_LBUTTONUP);
    Callback(WM_RBUTTONDOWN);
    EXPECT_EQ(events.Log, std::vector<std::wstring>{L"click"});

    events.Log.clear();
    events.HandlePopup = true;
    Callback(WM_RBUTTONUP);
    EXPECT_EQ(events.Log, std::vector<std::wstring>{L"context"});

    events.Log.clear();
    events.HandlePopup = false;
    WhenMenuOpens([](HWND menuWindow) { PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0); });
    Callback(WM_RBUTTONUP);
    EXPECT_EQ(events.Log, (std::vector<std::wstring>{L"context", L"menu"}));
    EXPECT_EQ(menu->PopupComponent(), icon);

    // A menu freed elsewhere is forgotten, not popped up.
    TComponent elsewhere(nullptr);
    elsewhere.InsertComponent(menu);
    delete menu;
    EXPECT_EQ(icon->PopupMenu(), nullptr);
}

}  // namespace

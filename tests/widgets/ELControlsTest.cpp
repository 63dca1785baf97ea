// The tray icon with the real shell: adding and removing the icon, the taskbar
// button, the record sent, the shell's messages and the popup menu.
#include <gtest/gtest.h>

#include <memory>
#include <string>

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
    void DoubleClicked(TObject*) { Log.push_back(L"double click"); }
    void ContextPopup(TObject*, POINT, bool& handled)
    {
        Log.push_back(L"context");
        handled = HandlePopup;
    }
    void MenuPopped(TObject*) { Log.push_back(L"menu"); }
    void ShowClicked(TObject*) { Log.push_back(L"&Show"); }
};

class TrayIcon : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = MainForm();
        icon = new TELTrayIcon(&owner);
        icon->OnClick = TNotifyEvent(&events, &TTrayEvents::Clicked);
        icon->OnDblClick = TNotifyEvent(&events, &TTrayEvents::DoubleClicked);
    }
    void Callback(UINT mouseMessage) { SendMessageW(icon->Handle(), TELTrayIcon::kCallbackMessage, 0, mouseMessage); }

    TCustomForm* form = nullptr;
    TComponent owner{nullptr};
    TTrayEvents events;
    TELTrayIcon* icon = nullptr;  // freed with owner
    TShellRecorder shell;
};

TEST_F(TrayIcon, ActivatingAddsTheIconAndHidesTheTaskbarButtonDeactivatingUndoesBoth)
{
    form->ShowForm();
    HWND window = form->Handle();
    ASSERT_TRUE(ListedOnTaskbar(window));
    icon->SetHideTaskBarButton(true);
    EXPECT_TRUE(ListedOnTaskbar(window)) << "an inactive icon leaves the button";

    icon->SetActive(true);
    EXPECT_TRUE(icon->Added());
    EXPECT_TRUE(IconShown(icon->Handle()));
    EXPECT_FALSE(ListedOnTaskbar(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetForegroundWindow(), window);

    icon->SetActive(false);
    EXPECT_FALSE(icon->Added());
    EXPECT_FALSE(IconShown(icon->Handle()));
    EXPECT_TRUE(ListedOnTaskbar(window));
    EXPECT_EQ(GetForegroundWindow(), window);

    // Without HideTaskBarButton the button stays.
    icon->SetHideTaskBarButton(false);
    icon->SetActive(true);
    EXPECT_TRUE(IconShown(icon->Handle()));
    EXPECT_TRUE(ListedOnTaskbar(window));
    // Freeing an active icon removes it.
    HWND notifyWindow = icon->Handle();
    delete icon;
    EXPECT_FALSE(IconShown(notifyWindow));
    EXPECT_FALSE(IsWindow(notifyWindow));
}

TEST_F(TrayIcon, TheRecordCarriesTheHintCutTo63CharactersOrTheApplicationsTitleAndIcon)
{
    icon->SetActive(true);
    ASSERT_EQ(shell.Calls().size(), 1u);
    const TShellCall& add = shell.Calls()[0];
    EXPECT_EQ(add.Command, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(add.Data.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(add.Data.hWnd, icon->Handle());
    EXPECT_EQ(add.Data.uID, 0u);
    EXPECT_EQ(add.Data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(add.Data.uCallbackMessage, static_cast<UINT>(WM_USER));
    EXPECT_EQ(add.Data.hIcon, Application->Icon());
    EXPECT_EQ(std::wstring(add.Data.szTip), Application->Title());

    const std::wstring seventy = L"0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ01234567";
    ASSERT_EQ(seventy.size(), 70u);
    icon->SetHint(seventy);
    ASSERT_EQ(shell.Calls().size(), 2u);
    EXPECT_EQ(shell.Calls()[1].Command, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(std::wstring(shell.Calls()[1].Data.szTip), seventy.substr(0, 63));
    icon->SetHint(seventy);
    EXPECT_EQ(shell.Calls().size(), 2u) << "the same hint again sends nothing";

    // A character of two UTF-16 units at the cut is left out whole.
    icon->SetHint(std::wstring(62, L'a') + L"\U0001F600" + L"b");
    EXPECT_EQ(std::wstring(shell.Calls().back().Data.szTip), std::wstring(62, L'a'));

    TImageList* list = ColorList(&owner, {clRed});
    TIcon red;
    list->GetIcon(0, red);
    icon->SetIcon(&red);
    EXPECT_NE(shell.Calls().back().Data.hIcon, Application->Icon());
    EXPECT_EQ(shell.Calls().back().Color, ColorToRGB(clRed));
    EXPECT_NE(icon->Icon()->Handle(), red.Handle()) << "the icon is copied";

    // An inactive icon sends nothing on changes.
    icon->SetActive(false);
    const size_t calls = shell.Calls().size();
    icon->SetHint(L"Kestrin");
    icon->SetIcon(nullptr);
    EXPECT_EQ(shell.Calls().size(), calls);
}

TEST_F(TrayIcon, TaskbarCreatedAddsAnActiveIconAnewAndNotAnInactiveOne)
{
    icon->SetActive(true);
    // The shell restarts: it knows no icon any more.
    NOTIFYICONDATAW gone{};
    gone.cbSize = sizeof gone;
    gone.hWnd = icon->Handle();
    SystemShellNotifyIcon(NIM_DELETE, &gone);
    ASSERT_FALSE(IconShown(icon->Handle()));
    shell.Calls().clear();
    SendMessageW(icon->Handle(), TELTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(IconShown(icon->Handle()));
    ASSERT_EQ(shell.Calls().size(), 2u);
    EXPECT_EQ(shell.Calls()[1].Command, static_cast<DWORD>(NIM_ADD));

    icon->SetActive(false);
    shell.Calls().clear();
    SendMessageW(icon->Handle(), TELTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_FALSE(IconShown(icon->Handle()));
    EXPECT_TRUE(shell.Calls().empty());
}

TEST_F(TrayIcon, ClickOnPressDoubleClickAndNothingOnRelease)
{
    Callback(WM_LBUTTONDOWN);
    Callback(WM_LBUTTONUP);
    Callback(WM_LBUTTONDBLCLK);
    Callback(WM_MOUSEMOVE);
    EXPECT_EQ(events.Log, (std::vector<std::wstring>{L"click", L"double click"}));
    EXPECT_EQ(SendMessageW(icon->Handle(), TELTrayIcon::kCallbackMessage, 0, WM_LBUTTONDOWN), 0);
}

TEST_F(TrayIcon, RightReleasePopsTheMenuUnlessTheContextEventHandlesIt)
{
    auto* menu = new TPopupMenu(&owner);
    auto* show = new TMenuItem(&owner);
    show->SetCaption(L"&Show");
    show->OnClick = TNotifyEvent(&events, &TTrayEvents::ShowClicked);
    menu->Items()->Add(show);
    menu->OnPopup = TNotifyEvent(&events, &TTrayEvents::MenuPopped);
    icon->SetPopupMenu(menu);
    icon->OnContextPopup = TContextPopupEvent(&events, &TTrayEvents::ContextPopup);

    events.HandlePopup = true;
    Callback(WM_RBUTTONUP);
    EXPECT_EQ(events.Log, std::vector<std::wstring>{L"context"});

    events.Log.clear();
    events.HandlePopup = false;
    Callback(WM_RBUTTONDOWN);
    EXPECT_TRUE(events.Log.empty()) << "the menu opens on the release";
    WhenMenuOpens([](HWND menuWindow) { PostMessageW(menuWindow, WM_CHAR, L's', 0); });
    Callback(WM_RBUTTONUP);
    EXPECT_EQ(events.Log, (std::vector<std::wstring>{L"context", L"menu", L"&Show"}));
    EXPECT_EQ(menu->PopupComponent(), icon);

    events.Log.clear();
    menu->SetAutoPopup(false);
    Callback(WM_RBUTTONUP);
    EXPECT_EQ(events.Log, std::vector<std::wstring>{L"context"});

    // A menu freed elsewhere is forgotten.
    TComponent elsewhere(nullptr);
    elsewhere.InsertComponent(menu);
    delete menu;
    EXPECT_EQ(icon->PopupMenu(), nullptr);
    Callback(WM_RBUTTONUP);
}

TEST_F(TrayIcon, LoadedActiveShowsTheIconOnceTheDescriptionIsBuilt)
{
    owner.SetLoading(true);
    icon->SetHint(L"Loaded");
    icon->SetActive(true);
    EXPECT_FALSE(IconShown(icon->Handle()));
    owner.SetLoading(false);
    EXPECT_TRUE(icon->Added());
    EXPECT_TRUE(IconShown(icon->Handle()));
    icon->SetActive(false);
}

}  // namespace

// The popup menu popped up for real: read and answered from a timer that runs
// inside the menu's own message loop.
#include "framework/Menus.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/framework/ControlsTestSupport.h"
#include "tests/framework/MenuTestSupport.h"

using namespace testing_support;

namespace {

struct TMenuEvents : TObject {
    std::vector<std::wstring> Log;
    void Popped(TObject*) { Log.push_back(L"popup"); }
    void Clicked(TObject* sender) { Log.push_back(static_cast<TMenuItem*>(sender)->Caption()); }
};

TEST(Menus, PopsUpAtThePointAndClicksTheItemChosenByItsAccelerator)
{
    TComponent owner(nullptr);
    TMenuEvents events;
    auto* menu = new TPopupMenu(&owner);
    menu->OnPopup = TNotifyEvent(&events, &TMenuEvents::Popped);
    for (const wchar_t* caption : {L"&Show", L"-", L"Hidden", L"E&xit"}) {
        auto* item = new TMenuItem(&owner);
        item->SetCaption(caption);
        item->SetVisible(caption != std::wstring(L"Hidden"));
        item->OnClick = TNotifyEvent(&events, &TMenuEvents::Clicked);
        menu->Items()->Add(item);
    }

    RECT where{};
    int count = 0;
    UINT lineType = 0;
    WhenMenuOpens([&](HWND menuWindow) {
        GetWindowRect(menuWindow, &where);
        HMENU shown = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
        count = GetMenuItemCount(shown);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(shown, 1, TRUE, &info);
        lineType = info.fType;
        PostMessageW(menuWindow, WM_CHAR, L'x', 0);
    });
    menu->Popup(120, 140);
    EXPECT_EQ(events.Log, (std::vector<std::wstring>{L"popup", L"E&xit"}));
    EXPECT_EQ(where.left, 120);
    EXPECT_EQ(where.top, 140);
    EXPECT_EQ(count, 3) << "the hidden item is left out";
    EXPECT_TRUE(lineType & MFT_SEPARATOR);

    // Escape closes it without a click.
    events.Log.clear();
    WhenMenuOpens([](HWND menuWindow) { PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0); });
    menu->Popup(120, 140);
    EXPECT_EQ(events.Log, std::vector<std::wstring>{L"popup"});

    // Freeing an item takes it out of its menu.
    delete menu->Items()->Items(0);
    EXPECT_EQ(menu->Items()->Count(), 3);
    EXPECT_THROW(menu->Items()->Items(0)->Add(menu->Items()), EComponentError);
}

}  // namespace

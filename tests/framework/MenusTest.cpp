// Menu items and the popup menu, popped up for real: the menu is read and
// answered from a timer that runs inside the menu's own message loop.
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

struct TMenuFixture {
    TComponent Owner{nullptr};
    TMenuEvents Events;
    TPopupMenu* Menu = new TPopupMenu(&Owner);
    TMenuItem* Show = Item(L"&Show");
    TMenuItem* Line = Item(L"-");
    TMenuItem* Exit = Item(L"E&xit");

    TMenuItem* Item(const wchar_t* caption)
    {
        auto* item = new TMenuItem(&Owner);
        item->SetCaption(caption);
        item->OnClick = TNotifyEvent(&Events, &TMenuEvents::Clicked);
        Menu->Items()->Add(item);
        return item;
    }
};

TEST(Menus, PopsUpAtThePointAndClicksTheItemChosenByItsAccelerator)
{
    TMenuFixture f;
    f.Menu->OnPopup = TNotifyEvent(&f.Events, &TMenuEvents::Popped);
    auto* hidden = f.Item(L"Hidden");
    hidden->SetVisible(false);
    f.Show->SetEnabled(false);
    TComponent popper(nullptr);
    f.Menu->SetPopupComponent(&popper);

    RECT where{};
    int count = 0;
    std::wstring exitText;
    UINT lineType = 0, showState = 0;
    WhenMenuOpens([&](HWND menuWindow) {
        GetWindowRect(menuWindow, &where);
        HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
        count = GetMenuItemCount(menu);
        wchar_t text[32] = {};
        GetMenuStringW(menu, 2, text, 32, MF_BYPOSITION);
        exitText = text;
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE;
        GetMenuItemInfoW(menu, 1, TRUE, &info);
        lineType = info.fType;
        GetMenuItemInfoW(menu, 0, TRUE, &info);
        showState = info.fState;
        PostMessageW(menuWindow, WM_CHAR, L'x', 0);
    });
    f.Menu->Popup(120, 140);
    EXPECT_EQ(f.Events.Log, (std::vector<std::wstring>{L"popup", L"E&xit"}));
    EXPECT_EQ(where.left, 120);
    EXPECT_EQ(where.top, 140);
    EXPECT_EQ(count, 3) << "the hidden item is left out";
    EXPECT_EQ(exitText, L"E&xit");
    EXPECT_TRUE(lineType & MFT_SEPARATOR);
    EXPECT_TRUE(showState & MFS_DISABLED);
    EXPECT_EQ(f.Menu->PopupComponent(), &popper);
}

TEST(Menus, AlignmentPlacesTheMenuAndClosingItClicksNothing)
{
    TMenuFixture f;
    f.Menu->SetAlignment(paRight);
    RECT where{};
    WhenMenuOpens([&](HWND menuWindow) {
        GetWindowRect(menuWindow, &where);
        PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    f.Menu->Popup(400, 140);
    EXPECT_EQ(where.right, 400);
    EXPECT_TRUE(f.Events.Log.empty());
}

TEST(Menus, ItemsFormATreeThatFreesItsBranches)
{
    TComponent owner(nullptr);
    auto* root = new TMenuItem(&owner);
    auto* a = new TMenuItem(&owner);
    auto* b = new TMenuItem(&owner);
    auto* c = new TMenuItem(&owner);
    root->Add(a);
    root->Insert(0, b);
    a->Add(c);
    EXPECT_EQ(root->Count(), 2);
    EXPECT_EQ(a->MenuIndex(), 1);
    EXPECT_EQ(c->Parent(), a);
    EXPECT_TRUE(root->Contains(c));
    EXPECT_THROW(c->Add(root), EComponentError) << "an item cannot hold its own parents";
    EXPECT_THROW(root->Items(2), EComponentError);

    // Moved elsewhere, an item leaves its old parent.
    b->Add(c);
    EXPECT_EQ(a->Count(), 0);
    // Freeing a branch frees its items; the owner forgets them.
    delete b;
    EXPECT_EQ(root->Count(), 1);
    EXPECT_EQ(owner.ComponentCount(), 2);
    EXPECT_TRUE(TMenuItem(nullptr).Caption().empty());
}

TEST(Menus, TheComponentThatPoppedTheMenuIsForgottenWhenFreed)
{
    TComponent owner(nullptr);
    auto* menu = new TPopupMenu(&owner);
    auto* popper = new TComponent(nullptr);
    menu->SetPopupComponent(popper);
    delete popper;
    EXPECT_EQ(menu->PopupComponent(), nullptr);
}

}  // namespace

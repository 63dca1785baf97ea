// Combo boxes: OnChange comes from the user only; keys of the edit part reach
// the box's key events once.
#include <gtest/gtest.h>

#include <memory>

#include "framework/ComboBox.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/framework/ControlsTestSupport.h"

using namespace testing_support;

namespace {

struct TComboLog : TObject {
    TCustomCombo* Box = nullptr;
    std::vector<std::wstring> Changes;  // the text at each OnChange
    std::vector<WORD> KeysDown;
    void Change(TObject*) { Changes.push_back(Box->Text()); }
    void KeyDown(TObject*, WORD& key, TShiftState) { KeysDown.push_back(key); }
};

HWND EditOf(HWND combo)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
}

struct ComboFixture : ::testing::Test {
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientSize(300, 200);
        box = new TComboBox(form.get());
        box->SetParent(form.get());
        box->SetBounds(10, 10, 150, 21);
        log.Box = box;
        box->OnChange = TNotifyEvent(&log, &TComboLog::Change);
        box->OnKeyDown = TKeyEvent(&log, &TComboLog::KeyDown);
        form->Show();
    }
    std::unique_ptr<TForm> form;
    TComboBox* box = nullptr;
    TComboLog log;
};

}  // namespace

TEST_F(ComboFixture, ChangesFromCodeRaiseNoChangeEvent)
{
    box->Items()->Add(L"One");
    box->Items()->Add(L"Two");
    box->Items()->Add(L"Three");
    box->SetText(L"typed by code");
    box->SetItemIndex(1);
    EXPECT_EQ(box->Text(), L"Two");
    box->SetText(L"7");
    // Emptying the list keeps the text.
    box->Items()->BeginUpdate();
    box->Items()->Clear();
    box->Items()->Add(L"Alpha");
    box->Items()->EndUpdate();
    EXPECT_EQ(box->Text(), L"7");
    EXPECT_EQ(box->Items()->Count(), 1);
    EXPECT_EQ(SendMessageW(box->Handle(), CB_GETCOUNT, 0, 0), 1);
    box->SetTag(42);
    EXPECT_EQ(box->Tag(), 42);
    EXPECT_TRUE(log.Changes.empty());
}

TEST_F(ComboFixture, TypingAndPickingRaiseTheChangeEvent)
{
    box->Items()->Add(L"One");
    box->Items()->Add(L"Two");
    HWND edit = EditOf(box->Handle());
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(edit, box->Handle());

    SendMessageW(edit, WM_CHAR, L'x', 1);
    ASSERT_EQ(log.Changes.size(), 1u);
    EXPECT_EQ(log.Changes[0], L"x");

    // A pick from the list, as the box reports it to its parent.
    SendMessageW(box->Handle(), CB_SETCURSEL, 1, 0);
    EXPECT_EQ(log.Changes.size(), 1u);
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box->Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box->Handle()));
    ASSERT_EQ(log.Changes.size(), 2u);
    EXPECT_EQ(log.Changes[1], L"Two");  // the handler already sees the picked text
}

TEST_F(ComboFixture, KeysOfTheEditPartReachKeyDownOnce)
{
    box->Items()->Add(L"One");
    box->Items()->Add(L"Two");
    box->SetItemIndex(0);
    HWND edit = EditOf(box->Handle());
    box->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return box->Focused(); }));
    // The edit part hands Down on to the box, which picks the next item.
    SendMessageW(edit, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(log.KeysDown, std::vector<WORD>{VK_DOWN});
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_EQ(box->Text(), L"Two");
    ASSERT_EQ(log.Changes.size(), 1u);
    EXPECT_EQ(log.Changes[0], L"Two");
}

TEST_F(ComboFixture, StateSurvivesTheWindowsRecreation)
{
    box->Items()->Add(L"One");
    box->Items()->Add(L"Two");
    box->SetItemIndex(1);
    box->SetStyle(csDropDownList);
    EXPECT_EQ(box->Items()->Count(), 2);
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_EQ(box->Text(), L"Two");
    EXPECT_TRUE(log.Changes.empty());
    EXPECT_LT(box->Height(), 40);  // the edit part, not the drop-down list
}

TEST_F(ComboFixture, TheEditPartsFocusChangesPassTheBoxsWindowProc)
{
    auto* other = new TButton(form.get());
    other->SetParent(form.get());
    other->SetFocus();
    HWND edit = EditOf(box->Handle());
    TMessageRecorder rec(box);
    SetFocus(edit);  // as a click into the edit part gives it
    ASSERT_TRUE(box->Focused());
    other->SetFocus();
    std::vector<std::pair<uintptr_t, intptr_t>> notices;
    for (const TMessage& m : rec.Seen)
        if (m.Msg == CM_INNERFOCUS)
            notices.emplace_back(m.WParam, m.LParam);
    const auto e = reinterpret_cast<intptr_t>(edit);
    EXPECT_EQ(notices, (std::vector<std::pair<uintptr_t, intptr_t>>{{1, e}, {0, e}}));
}

TEST(ComboBoxWindow, ManyItemsGoInWhenTheWindowIsMadeAndAHiddenBoxStaysHidden)
{
    TForm form(nullptr);
    form.SetClientSize(300, 200);
    auto* shown = new TComboBox(&form);
    shown->SetParent(&form);
    auto* hidden = new TComboBox(&form);
    hidden->SetParent(&form);
    hidden->SetVisible(false);
    for (int i = 0; i < 500; ++i) {
        shown->Items()->Add(L"Item " + std::to_wstring(i));
        hidden->Items()->Add(L"Item " + std::to_wstring(i));
    }
    shown->SetItemIndex(499);
    form.Show();
    for (TComboBox* box : {shown, hidden}) {
        EXPECT_EQ(SendMessageW(box->Handle(), CB_GETCOUNT, 0, 0), 500);
        wchar_t text[32] = {};
        SendMessageW(box->Handle(), CB_GETLBTEXT, 250, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, L"Item 250");
    }
    EXPECT_EQ(shown->Text(), L"Item 499");
    EXPECT_TRUE(IsWindowVisible(shown->Handle()));
    EXPECT_FALSE(IsWindowVisible(hidden->Handle()));
    EXPECT_FALSE(GetWindowLongPtrW(hidden->Handle(), GWL_STYLE) & WS_VISIBLE);
    // The list drops down with its scroll bar counted for all items.
    SendMessageW(shown->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(shown->Handle(), &info));
    SCROLLINFO bar{};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_RANGE;
    ASSERT_TRUE(GetScrollInfo(info.hwndList, SB_VERT, &bar));
    EXPECT_EQ(bar.nMax, 499);
    SendMessageW(shown->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
}

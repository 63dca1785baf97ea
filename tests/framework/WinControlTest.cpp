// Windowed controls: ownership of their windows, visibility of children,
// z-order, tab order and radio groups.
#include <gtest/gtest.h>

#include "framework/Edits.h"
#include "framework/StdCtrls.h"
#include "tests/framework/ControlsTestSupport.h"

using namespace testing_support;

namespace {

class TFreeWatcher : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<TComponent*> Removed;
    void Notification(TComponent* c, TOperation op) override
    {
        TComponent::Notification(c, op);
        if (op == opRemove)
            Removed.push_back(c);
    }
};

}  // namespace

TEST(WinControl, OwnerFreesItsComponentsWindowsAndTellsFreeNotified)
{
    const long users = handles::Live(handles::Kind::User);
    auto* form = new TForm(nullptr);
    auto* box = Add<TGroupBox>(*form, nullptr, 10, 10, 200, 100);
    auto* edit = Add<TEdit>(*form, box, 10, 20, 100, 21);
    auto* button = Add<TButton>(*form, nullptr, 10, 120, 75, 25);
    button->SetName(L"Button1");
    auto* label = Add<TLabel>(*form, box, 10, 50, 60, 13);
    TFreeWatcher watcher(nullptr);
    button->FreeNotification(&watcher);
    edit->FreeNotification(&watcher);
    label->FreeNotification(&watcher);

    HWND formWnd = form->Handle();
    HWND editWnd = edit->Handle();
    HWND buttonWnd = button->Handle();
    EXPECT_EQ(GetParent(editWnd), box->Handle());
    EXPECT_EQ(form->FindComponent(L"BUTTON1"), button);
    EXPECT_GT(handles::Live(handles::Kind::User), users);

    // A control freed on its own leaves its parent's children and takes its window.
    delete button;
    EXPECT_FALSE(IsWindow(buttonWnd));
    EXPECT_EQ(form->FindComponent(L"Button1"), nullptr);
    ASSERT_EQ(watcher.Removed.size(), 1u);
    EXPECT_EQ(watcher.Removed[0], button);
    for (int i = 0; i < form->ControlCount(); ++i)
        EXPECT_NE(form->Controls(i), static_cast<TControl*>(button));

    delete form;
    EXPECT_FALSE(IsWindow(formWnd));
    EXPECT_FALSE(IsWindow(editWnd));
    EXPECT_EQ(watcher.Removed.size(), 3u);
    EXPECT_EQ(handles::Live(handles::Kind::User), users);
}

TEST(WinControl, HidingAGroupBoxHidesItsChildren)
{
    auto form = NewForm();
    auto* box = Add<TGroupBox>(*form, nullptr, 10, 10, 200, 120);
    auto* check = Add<TCheckBox>(*form, box, 10, 20, 100, 17);
    auto* edit = Add<TEdit>(*form, box, 10, 50, 100, 21);
    form->Show();
    EXPECT_TRUE(IsWindowVisible(check->Handle()));
    box->Hide();
    EXPECT_FALSE(IsWindowVisible(box->Handle()));
    EXPECT_FALSE(IsWindowVisible(check->Handle()));
    EXPECT_FALSE(IsWindowVisible(edit->Handle()));
    EXPECT_TRUE(check->Visible());  // the children's own flag is theirs
    box->Show();
    EXPECT_TRUE(IsWindowVisible(edit->Handle()));
}

TEST(WinControl, ZOrderAndTabOrder)
{
    auto form = NewForm();
    auto* a = Add<TGroupBox>(*form, nullptr, 10, 10, 100, 100);
    auto* b = Add<TGroupBox>(*form, nullptr, 10, 10, 100, 100);
    auto* e1 = Add<TEdit>(*form, nullptr, 150, 10, 100, 21);
    auto* e2 = Add<TEdit>(*form, nullptr, 150, 40, 100, 21);
    e2->SetTabOrder(0);
    EXPECT_EQ(e2->TabOrder(), 0);
    EXPECT_EQ(a->TabOrder(), 1);
    form->Show();
    // b was added last: it is on top of a until a is brought to the front.
    EXPECT_EQ(ChildWindowFromPointEx(form->Handle(), POINT{50, 50}, CWP_SKIPINVISIBLE), b->Handle());
    a->BringToFront();
    EXPECT_EQ(ChildWindowFromPointEx(form->Handle(), POINT{50, 50}, CWP_SKIPINVISIBLE), a->Handle());
    EXPECT_EQ(form->Controls(form->ControlCount() - 1), a);

    // Tab moves the focus in tab order, wrapping round.
    e2->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return e2->Focused(); }));
    form->SelectNext(e2, true);
    EXPECT_TRUE(e1->Focused());
    form->SelectNext(e1, false);
    EXPECT_EQ(GetFocus(), e2->Handle());
    PostMessageW(e2->Handle(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == e1->Handle(); }));
}

// Z-order moves of child windows, seen by a thread hook.
int g_zMoves = 0;
LRESULT CALLBACK CountZMoves(int code, WPARAM wp, LPARAM lp)
{
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && m->message == WM_WINDOWPOSCHANGING && (GetWindowLongW(m->hwnd, GWL_STYLE) & WS_CHILD) &&
        !(reinterpret_cast<const WINDOWPOS*>(m->lParam)->flags & SWP_NOZORDER))
        ++g_zMoves;
    return CallNextHookEx(nullptr, code, wp, lp);
}

TEST(WinControl, ChildWindowsAreOrderedOnceWhenTheParentIsMade)
{
    // Tab order differs from z-order, so the windows are made in another order
    // than they are stacked; ordering them after each one made would move
    // every sibling again and again.
    auto form = NewForm();
    std::vector<TEdit*> edits;
    for (int i = 0; i < 30; ++i)
        edits.push_back(Add<TEdit>(*form, nullptr, 10, 10 + 22 * i, 100, 21));
    for (int i = 0; i < 30; ++i)
        edits[static_cast<size_t>(i)]->SetTabOrder(29 - i);
    g_zMoves = 0;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountZMoves, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    form->Show();
    UnhookWindowsHookEx(hook);
    EXPECT_LE(g_zMoves, 30);
    // Top-most first: the last added is on top.
    HWND w = GetWindow(form->Handle(), GW_CHILD);
    for (int i = 29; i >= 0; --i, w = GetWindow(w, GW_HWNDNEXT))
        ASSERT_EQ(w, edits[static_cast<size_t>(i)]->Handle()) << i;
}

TEST(WinControl, RadioButtonsOfOneParentFormAGroup)
{
    auto form = NewForm();
    auto* r1 = Add<TRadioButton>(*form, nullptr, 10, 10, 80, 17);
    auto* r2 = Add<TRadioButton>(*form, nullptr, 10, 30, 80, 17);
    auto* box = Add<TGroupBox>(*form, nullptr, 100, 10, 150, 100);
    auto* other = Add<TRadioButton>(*form, box, 10, 20, 80, 17);
    TClickCounter counter;
    r2->OnClick = TNotifyEvent(&counter, &TClickCounter::Click);
    r1->SetChecked(true);
    other->SetChecked(true);
    form->Show();
    SendMessageW(r2->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(r2->Checked());
    EXPECT_FALSE(r1->Checked());
    EXPECT_TRUE(other->Checked());  // another parent, another group
    EXPECT_EQ(SendMessageW(r1->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(counter.Clicks, 1);
    SendMessageW(r2->Handle(), BM_CLICK, 0, 0);  // already checked: no click
    EXPECT_EQ(counter.Clicks, 1);
}

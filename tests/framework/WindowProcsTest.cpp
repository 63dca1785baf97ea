// The path a message takes: a replaced WindowProc, windows taken over from
// system classes, another subclasser, a handler that frees its own control.
#include <gtest/gtest.h>

#include "framework/ComboBox.h"
#include "framework/Edits.h"
#include "framework/MessageNames.h"
#include "framework/StdCtrls.h"
#include "tests/framework/ControlsTestSupport.h"

using namespace testing_support;

TEST(WindowProcs, ReplacedWindowProcSeesSystemAndInProcessMessagesAndCanSwallow)
{
    auto form = NewForm();
    auto* edit = Add<TEdit>(*form, nullptr, 10, 10, 120, 21);
    auto* button = Add<TButton>(*form, nullptr, 10, 40, 75, 25);
    TClickCounter counter;
    button->OnClick = TNotifyEvent(&counter, &TClickCounter::Click);
    form->Show();

    TMessageRecorder editRec(edit);
    TMessageRecorder buttonRec(button);

    SendMessageW(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"from outside"));
    EXPECT_TRUE(editRec.Saw(WM_SETTEXT));
    EXPECT_EQ(edit->Text(), L"from outside");

    const UINT kPrivate = WM_APP + 7;
    editRec.Seen.clear();
    edit->Perform(kPrivate, 1, 2);
    ASSERT_TRUE(editRec.Saw(kPrivate));
    EXPECT_EQ(editRec.Seen.back().WParam, 1u);
    EXPECT_EQ(editRec.Seen.back().LParam, 2);
    // A Perform of a system message reaches the window's own handling too.
    edit->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"performed"));
    EXPECT_EQ(edit->Text(), L"performed");

    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(buttonRec.Saw(WM_LBUTTONDOWN));
    EXPECT_TRUE(buttonRec.Saw(WM_LBUTTONUP));
    EXPECT_EQ(counter.Clicks, 1);
    EXPECT_EQ(counter.Last, button);

    // Swallowed: the control never learns of the message.
    editRec.Swallow = WM_SETTEXT;
    SendMessageW(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"ignored"));
    EXPECT_EQ(edit->Text(), L"performed");
    buttonRec.Swallow = WM_LBUTTONDOWN;
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(counter.Clicks, 1);
}

// A later subclasser of a control's window, as another library would add one.
struct TForeignLog {
    int Messages = 0;
    bool Destroyed = false;
};
LRESULT CALLBACK ForeignSubclass(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref)
{
    auto* log = reinterpret_cast<TForeignLog*>(ref);
    ++log->Messages;
    if (msg == WM_NCDESTROY) {
        log->Destroyed = true;
        RemoveWindowSubclass(h, ForeignSubclass, id);
    }
    return DefSubclassProc(h, msg, wp, lp);
}

TEST(WindowProcs, TakenWindowsLeadToTheirControlAndShareTheirProcedure)
{
    auto form = NewForm();
    auto* edit = Add<TEdit>(*form, nullptr, 10, 10, 120, 21);
    auto* combo = Add<TComboBox>(*form, nullptr, 10, 40, 120, 21);
    form->Show();
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    EXPECT_EQ(TWinControl::FindControl(edit->Handle()), edit);
    EXPECT_EQ(TWinControl::FindControl(combo->Handle()), combo);
    EXPECT_EQ(TWinControl::FindControl(info.hwndItem), combo);  // the edit part
    EXPECT_EQ(TWinControl::FindControl(form->Handle()), form.get());

    // Messages pass both the other subclasser and the control, and the
    // window's own handling still answers.
    TForeignLog log;
    ASSERT_TRUE(SetWindowSubclass(edit->Handle(), ForeignSubclass, 1, reinterpret_cast<DWORD_PTR>(&log)));
    TMessageRecorder rec(edit);
    SendMessageW(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"both"));
    EXPECT_GT(log.Messages, 0);
    EXPECT_TRUE(rec.Saw(WM_SETTEXT));
    EXPECT_EQ(edit->Text(), L"both");
    SendMessageW(info.hwndItem, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"inner"));
    EXPECT_EQ(combo->Text(), L"inner");

    // Freed, the control lets go of its windows; the other subclasser still
    // hears the end.
    HWND window = edit->Handle();
    delete edit;
    EXPECT_TRUE(log.Destroyed);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(TWinControl::FindControl(window), nullptr);
}

TEST(WindowProcs, AHandlerMayFreeItsOwnControl)
{
    auto form = NewForm();
    auto* button = Add<TButton>(*form, nullptr, 10, 10, 75, 25);
    struct TSelfDestruct : TObject {
        TButton* Victim = nullptr;
        void Click(TObject*) { delete Victim; }
    } killer;
    killer.Victim = button;
    button->OnClick = TNotifyEvent(&killer, &TSelfDestruct::Click);
    form->Show();
    HWND h = button->Handle();
    SendMessageW(h, BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(form->ControlCount(), 0);
    Pump();
    EXPECT_TRUE(IsWindow(form->Handle()));
}

TEST(WindowProcs, MessagesHaveNamesForDiagnostics)
{
    EXPECT_EQ(MessageName(WM_PAINT), L"WM_PAINT");
    EXPECT_EQ(MessageName(CM_MOUSELEAVE), L"CM_MOUSELEAVE");
    EXPECT_EQ(MessageName(CN_COMMAND), L"CN_COMMAND");
    EXPECT_EQ(MessageName(0x7123), L"0x7123");
}

// The hook chain and the window controller on real controls: every message here
// is a real window message sent to a real edit box or button.
#include "controls/KdWinController.h"
#include "controls/KdWinProcMan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/Edits.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace {

using Log = std::vector<std::string>;

bool Listed(const TKdWPMList& list, const TKdWPM* m)
{
    return std::find(list.begin(), list.end(), m) != list.end();
}

// An edit box that notes whether its own handler was back in place by the time
// its window was gone.
class TProbeEdit : public TEdit {
    CLASS_INFO(TProbeEdit, TEdit)

public:
    using TEdit::TEdit;
    TWndMethod expected;
    bool ncDestroySeen = false;
    bool restoredAtNcDestroy = false;

protected:
    void WndProc(TMessage& msg) override
    {
        if (msg.Msg == WM_NCDESTROY) {
            ncDestroySeen = true;
            restoredAtNcDestroy = WindowProc == expected;
        }
        TEdit::WndProc(msg);
    }
};

// A chain hook that logs its name, then runs `body` or passes the message on.
struct THook {
    std::string name;
    Log* log;
    uint32_t only;  // the message it logs
    std::function<void(TKdWPM*, TMessage&, TWndMethod, int32_t&)> body;

    THook(std::string n, Log& l, uint32_t msg) : name(std::move(n)), log(&l), only(msg) {}
    void Proc(TKdWPM* m, TMessage& msg, TWndMethod next, int32_t& param)
    {
        if (msg.Msg != only) {
            next(msg);
            return;
        }
        log->push_back(name);
        if (body)
            body(m, msg, next, param);
        else
            next(msg);
    }
    TKdHookProc P() { return TKdHookProc(this, &THook::Proc); }
};

// The form's handler of a controller's OnWndProc.
struct THandler {
    std::string name;
    Log* log;
    uint32_t only;
    std::function<void(TMessage&, bool&, TWndMethod)> body;

    THandler(std::string n, Log& l, uint32_t msg) : name(std::move(n)), log(&l), only(msg) {}
    void WndProc(TObject*, TMessage& msg, bool& handled, TWndMethod next)
    {
        if (msg.Msg != only)
            return;
        log->push_back(name);
        if (body)
            body(msg, handled, next);
    }
    TKdWndProcEvent E() { return TKdWndProcEvent(this, &THandler::WndProc); }
};

class KdWinChainTest : public ::testing::Test {
protected:
    Log log;
    TForm* form = nullptr;
    TProbeEdit* edit = nullptr;

    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBounds(10, 10, 300, 200);
        edit = new TProbeEdit(form);
        edit->SetParent(form);
        edit->SetBounds(8, 8, 200, 24);
        edit->expected = edit->WindowProc;
        ASSERT_TRUE(IsWindow(edit->Handle()));
    }
    void TearDown() override
    {
        delete form;
        TKdWinProcMan::ForControl(nullptr);  // frees what was released
        EXPECT_TRUE(TKdWPM::Registry().empty());
        EXPECT_TRUE(TKdWPM::ReleaseList().empty());
    }
    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(edit->Handle(), msg, w, l); }
    void SetText(const wchar_t* text) { Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
    Log Take() { return std::exchange(log, {}); }
};

TEST_F(KdWinChainTest, OneManagerPerControlAndThePreviousHandlerAlone)
{
    EXPECT_EQ(TKdWinProcMan::ForControl(nullptr), nullptr);
    EXPECT_TRUE(TKdWPM::Registry().empty());

    TKdWinProcMan* m = TKdWinProcMan::ForControl(edit);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(TKdWinProcMan::ForControl(edit), m);
    EXPECT_EQ(m->Control(), edit);
    EXPECT_TRUE(m->OldWndProc() == edit->expected);
    EXPECT_TRUE(edit->WindowProc == TWndMethod(m, &TKdWPM::HandleMessage));

    auto* button = new TButton(form);
    button->SetParent(form);
    TKdWinProcMan* other = TKdWinProcMan::ForControl(button);
    EXPECT_NE(other, m);
    EXPECT_EQ(TKdWPM::Registry().size(), 2u);

    // Nothing hooked: system messages and in-process ones reach the edit as before.
    SetText(L"abc");
    EXPECT_EQ(edit->Text(), L"abc");
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 3);
    EXPECT_EQ(edit->Perform(WM_GETTEXTLENGTH), 3);
}

TEST_F(KdWinChainTest, PriorityOrderOnARealControl)
{
    SetText(L"abcd");
    TKdWinProcMan* m = TKdWinProcMan::ForControl(edit);
    THook high("high", log, WM_GETTEXTLENGTH), a("a", log, WM_GETTEXTLENGTH), b("b", log, WM_GETTEXTLENGTH),
        zero("zero", log, WM_GETTEXTLENGTH), after("after", log, WM_GETTEXTLENGTH);
    m->Add(100, 0, a.P());
    m->Add(-1, 0, after.P());
    m->Add(300, 0, high.P());
    m->Add(100, 0, b.P());
    m->Add(0, 0, zero.P());
    m->Add(0, 0, zero.P());  // once only
    EXPECT_EQ(m->EntryCount(), 6);

    intptr_t beforeControl = -1, afterControl = -1;
    zero.body = [&](TKdWPM*, TMessage& msg, TWndMethod next, int32_t&) {
        beforeControl = msg.Result;
        next(msg);
    };
    // The negative hook works on the control's answer.
    after.body = [&](TKdWPM*, TMessage& msg, TWndMethod next, int32_t&) {
        afterControl = msg.Result;
        msg.Result += 10;
        next(msg);
    };
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 14);
    EXPECT_EQ(Take(), (Log{"high", "b", "a", "zero", "after"}));
    EXPECT_EQ(beforeControl, 0);
    EXPECT_EQ(afterControl, 4);

    // A hook that does not go on keeps the message from everything below it.
    b.body = [](TKdWPM*, TMessage& msg, TWndMethod, int32_t&) { msg.Result = 99; };
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 99);
    EXPECT_EQ(Take(), (Log{"high", "b"}));
}

TEST_F(KdWinChainTest, ChangesDuringAWalkAndNestedMessages)
{
    TKdWinProcMan* m = TKdWinProcMan::ForControl(edit);
    THook self("self", log, WM_SETTEXT), low("low", log, WM_SETTEXT), nested("nested", log, WM_SETTEXT),
        counter("counter", log, WM_GETTEXTLENGTH);
    m->Add(200, 0, self.P());
    self.body = [&](TKdWPM* mm, TMessage& msg, TWndMethod next, int32_t& param) {
        mm->Remove(self.P());
        mm->Add(100, 0, low.P());  // below: reached in this walk
        param = 1;
        next(msg);
    };
    SetText(L"one");
    EXPECT_EQ(Take(), (Log{"self", "low"}));
    EXPECT_EQ(edit->Text(), L"one");
    EXPECT_EQ(m->Find(self.P()), nullptr);

    // A hook that asks its own control something while it handles a message:
    // the inner message runs the whole chain, the outer walk then goes on.
    m->Add(150, 0, nested.P());
    m->Add(50, 0, counter.P());
    LRESULT lengthSeen = -1;
    nested.body = [&](TKdWPM* mm, TMessage& msg, TWndMethod next, int32_t&) {
        EXPECT_EQ(mm->WalkDepth(), 1);
        lengthSeen = Send(WM_GETTEXTLENGTH);
        next(msg);
    };
    SetText(L"three");
    EXPECT_EQ(Take(), (Log{"nested", "counter", "low"}));
    EXPECT_EQ(lengthSeen, 3);
    EXPECT_EQ(edit->Text(), L"three");
    EXPECT_EQ(m->WalkDepth(), 0);
}

TEST_F(KdWinChainTest, DestroyWhileHooksRemain)
{
    TKdWinProcMan* m = TKdWinProcMan::ForControl(edit);
    constexpr UINT kPing = WM_APP + 7;
    THook a("a", log, WM_DESTROY), seen("seen", log, kPing);
    m->Add(100, 0, a.P());
    m->Add(-3, 0, seen.P());

    // A new window for the same control keeps the chain.
    HWND first = edit->Handle();
    edit->RecreateWnd();
    EXPECT_NE(edit->Handle(), first);
    EXPECT_EQ(Take(), Log{"a"});
    EXPECT_TRUE(m->IsLive());
    Send(kPing);
    EXPECT_EQ(Take(), Log{"seen"});

    // The hook learns its control from the manager, also once the control's
    // own destructor has run and only the window part is left.
    bool pending = false;
    TControl* served = nullptr;
    TControl* const asControl = edit;
    a.body = [&](TKdWPM* mm, TMessage& msg, TWndMethod next, int32_t&) {
        pending = mm->DestroyPending();
        next(msg);
        served = KdHookedControl(mm);
    };
    delete edit;
    EXPECT_EQ(Take(), Log{"a"});
    EXPECT_TRUE(pending);
    EXPECT_EQ(served, asControl);
    EXPECT_FALSE(Listed(TKdWPM::Registry(), m));
    EXPECT_TRUE(Listed(TKdWPM::ReleaseList(), m));
    EXPECT_EQ(m->Control(), nullptr);
    EXPECT_EQ(m->EntryCount(), 0);

    // Freed by the next look-up, which makes a new manager for another control.
    auto* button = new TButton(form);
    button->SetParent(form);
    TKdWinProcMan* next = TKdWinProcMan::ForControl(button);
    EXPECT_TRUE(TKdWPM::ReleaseList().empty());
    EXPECT_TRUE(Listed(TKdWPM::Registry(), next));
}

TEST(KdWinChainDestroy, HandlerIsBackBeforeTheWindowIsGone)
{
    TForm form(nullptr);
    auto* edit = new TProbeEdit(&form);
    edit->SetParent(&form);
    edit->expected = edit->WindowProc;
    Log log;
    THook a("a", log, WM_NCDESTROY);
    TKdWinProcMan* m = TKdWinProcMan::ForControl(edit);
    m->Add(10, 0, a.P());
    // The window goes while the control is marked as being destroyed (as its
    // destructor does, but with the whole object still there to look at): the
    // chain ends on the destroy message and the edit's own handler gets the rest.
    edit->Destroying();
    ASSERT_TRUE(DestroyWindow(edit->Handle()));
    EXPECT_TRUE(edit->ncDestroySeen);
    EXPECT_TRUE(edit->restoredAtNcDestroy);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(edit->WindowProc == edit->expected);
    EXPECT_FALSE(Listed(TKdWPM::Registry(), m));
    delete edit;
    TKdWinProcMan::ForControl(nullptr);
    EXPECT_TRUE(TKdWPM::Registry().empty());
    EXPECT_TRUE(TKdWPM::ReleaseList().empty());
}

class KdWinControllerTest : public KdWinChainTest {
protected:
    TKdWinController* MakeController(int32_t priority, THandler* handler, TControl* control)
    {
        auto* c = new TKdWinController(form);
        c->SetPriority(priority);
        if (handler)
            c->OnWndProc = handler->E();
        c->SetControl(control);
        return c;
    }
};

TEST_F(KdWinControllerTest, NoControlOrInactiveNeverHooks)
{
    THandler h("h", log, WM_CHAR);
    auto* c = new TKdWinController(form);
    EXPECT_TRUE(c->Active());
    EXPECT_EQ(c->Priority(), 200);
    EXPECT_EQ(c->Control(), nullptr);
    c->OnWndProc = h.E();
    c->SetActive(false);
    c->SetActive(true);
    EXPECT_FALSE(c->Hooked());
    EXPECT_TRUE(TKdWPM::Registry().empty());

    c->SetControl(edit);
    EXPECT_TRUE(c->Hooked());
    TKdWinProcMan* m = TKdWinProcMan::ForControl(edit);
    EXPECT_EQ(m->EntryCount(), 2);
    Send(WM_CHAR, 'a');
    EXPECT_EQ(Take(), Log{"h"});
    EXPECT_EQ(edit->Text(), L"a");

    // Inactive: the entry is gone and the edit behaves as if there were no controller.
    c->SetActive(false);
    EXPECT_FALSE(c->Hooked());
    EXPECT_EQ(m->EntryCount(), 1);
    Send(WM_CHAR, 'b');
    EXPECT_TRUE(Take().empty());
    EXPECT_EQ(edit->Text(), L"ab");
    c->SetActive(true);
    EXPECT_TRUE(c->Hooked());
    EXPECT_EQ(m->EntryCount(), 2);

    // Moving the controller to no control unhooks it.
    c->SetControl(nullptr);
    EXPECT_FALSE(c->Hooked());
    EXPECT_EQ(m->EntryCount(), 1);

    // A freed controller leaves no entry behind.
    c->SetControl(edit);
    EXPECT_EQ(m->EntryCount(), 2);
    delete c;
    EXPECT_EQ(m->EntryCount(), 1);
    Send(WM_CHAR, 'c');
    EXPECT_TRUE(Take().empty());
}

TEST_F(KdWinControllerTest, PriorityMovesTheEntryAndEqualPrioritiesRunLastHookedFirst)
{
    THandler h1("one", log, WM_GETTEXTLENGTH), h2("two", log, WM_GETTEXTLENGTH), h3("three", log, WM_GETTEXTLENGTH);
    auto* c1 = MakeController(200, &h1, edit);
    auto* c2 = MakeController(200, &h2, edit);
    Send(WM_GETTEXTLENGTH);
    EXPECT_EQ(Take(), (Log{"two", "one"}));

    TKdWinProcMan* m = TKdWinProcMan::ForControl(edit);
    c2->SetPriority(100);
    EXPECT_TRUE(c2->Hooked());
    EXPECT_EQ(m->EntryCount(), 3);
    Send(WM_GETTEXTLENGTH);
    EXPECT_EQ(Take(), (Log{"one", "two"}));

    // Below the control: sees its answer.
    auto* c3 = MakeController(-1, &h3, edit);
    intptr_t answer = -1;
    h3.body = [&](TMessage& msg, bool&, TWndMethod) { answer = msg.Result; };
    SetText(L"xyz");
    Send(WM_GETTEXTLENGTH);
    EXPECT_EQ(Take(), (Log{"one", "two", "three"}));
    EXPECT_EQ(answer, 3);

    // Moving back up keeps it hooked and it is called first again.
    c1->SetPriority(50);
    c1->SetPriority(400);
    EXPECT_TRUE(c1->Hooked());
    Send(WM_GETTEXTLENGTH);
    EXPECT_EQ(Take(), (Log{"one", "two", "three"}));
    EXPECT_EQ(m->EntryCount(), 4);
    (void)c3;
}

TEST_F(KdWinControllerTest, HandlersSwallowOrPostProcessMessages)
{
    THandler h("h", log, WM_CHAR), len("len", log, WM_GETTEXTLENGTH);
    auto* c = MakeController(200, &h, edit);
    h.body = [](TMessage& msg, bool& handled, TWndMethod) {
        if (msg.WParam == 'x')
            handled = true;  // swallowed: the edit never sees it
    };
    Send(WM_CHAR, 'x');
    Send(WM_CHAR, 'y');
    Send(WM_CHAR, 'x');
    EXPECT_EQ(edit->Text(), L"y");
    EXPECT_EQ(Take(), (Log{"h", "h", "h"}));

    // Letting the rest run first, then changing the answer.
    auto* c2 = MakeController(300, &len, edit);
    int before = -1;
    len.body = [&](TMessage& msg, bool& handled, TWndMethod next) {
        before = static_cast<int>(msg.Result);
        next(msg);
        msg.Result *= 100;
        handled = true;
    };
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 100);
    EXPECT_EQ(before, 0);

    // Without a handler a controller passes everything on.
    c->OnWndProc = nullptr;
    Send(WM_CHAR, 'x');
    EXPECT_EQ(edit->Text(), L"yx");
    (void)c2;
}

TEST_F(KdWinControllerTest, ControlDestroyedLeavesTheControllerReadyForAnother)
{
    THandler h("h", log, WM_CHAR);
    auto* c = MakeController(200, &h, edit);
    auto* idle = MakeController(100, nullptr, edit);
    idle->SetActive(false);
    ASSERT_TRUE(c->Hooked());
    delete edit;
    edit = nullptr;
    EXPECT_EQ(c->Control(), nullptr);
    EXPECT_FALSE(c->Hooked());
    EXPECT_EQ(idle->Control(), nullptr);
    EXPECT_TRUE(TKdWPM::Registry().empty());

    auto* other = new TEdit(form);
    other->SetParent(form);
    c->SetControl(other);
    EXPECT_TRUE(c->Hooked());
    SendMessageW(other->Handle(), WM_CHAR, 'q', 0);
    EXPECT_EQ(Take(), Log{"h"});
    EXPECT_EQ(other->Text(), L"q");
}

TEST_F(KdWinControllerTest, ControlFreedWithoutEverHavingAWindow)
{
    auto* button = new TButton(form);  // never shown, never given a window
    THandler h("h", log, WM_CHAR);
    auto* c = MakeController(200, &h, button);
    auto* plain = new TKdWinController(form);
    plain->SetControl(button);
    TKdWinProcMan* m = TKdWinProcMan::ForControl(button);
    EXPECT_EQ(m->EntryCount(), 3);
    EXPECT_FALSE(button->HandleAllocated());

    delete button;
    EXPECT_EQ(c->Control(), nullptr);
    EXPECT_FALSE(c->Hooked());
    EXPECT_EQ(plain->Control(), nullptr);
    EXPECT_FALSE(plain->Hooked());
    EXPECT_FALSE(Listed(TKdWPM::Registry(), m));
    EXPECT_TRUE(Listed(TKdWPM::ReleaseList(), m));

    // Both can be pointed elsewhere and freed without touching the old chain.
    c->SetControl(edit);
    EXPECT_TRUE(c->Hooked());
    delete plain;
    Send(WM_CHAR, 'k');
    EXPECT_EQ(Take(), Log{"h"});
}

TEST_F(KdWinControllerTest, ControlMovedToAnotherOwnerLeavesNoEntryBehind)
{
    THandler h("h", log, WM_CHAR);
    auto* c = MakeController(200, &h, edit);
    TKdWinProcMan* m = TKdWinProcMan::ForControl(edit);
    ASSERT_EQ(m->EntryCount(), 2);

    // The owner's removal notice reaches the controller while the edit lives on.
    TComponent other(nullptr);
    other.InsertComponent(edit);
    EXPECT_EQ(c->Control(), nullptr);
    EXPECT_FALSE(c->Hooked());
    EXPECT_EQ(m->EntryCount(), 1);

    // Freed, the controller is never called again by the edit's chain.
    delete c;
    Send(WM_CHAR, 'z');
    EXPECT_TRUE(Take().empty());
    EXPECT_EQ(edit->Text(), L"z");
    form->InsertComponent(edit);
}

TEST(KdWinControllerForm, FreeingAFormWithHookedControls)
{
    // One control with a window (its chain ends on the destroy message) and
    // one without (it ends on the free notification).
    auto* form = new TForm(nullptr);
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    auto* button = new TButton(form);  // no parent: never gets a window
    auto* forEdit = new TKdWinController(form);
    forEdit->SetControl(edit);
    auto* forButton = new TKdWinController(form);
    forButton->SetControl(button);
    auto* both = new TKdWinController(form);
    both->SetControl(edit);
    both->SetControl(button);
    edit->HandleNeeded();
    EXPECT_FALSE(button->HandleAllocated());
    EXPECT_EQ(TKdWinProcMan::ForControl(edit)->EntryCount(), 2);
    EXPECT_EQ(TKdWinProcMan::ForControl(button)->EntryCount(), 3);
    delete form;
    TKdWinProcMan::ForControl(nullptr);
    EXPECT_TRUE(TKdWPM::Registry().empty());
    EXPECT_TRUE(TKdWPM::ReleaseList().empty());
}

}  // namespace

// Real windows under the class library: ownership, WindowProc, anchors,
// visibility, graphic children's mouse input and the mouse-enter/-leave notices.
#include <gtest/gtest.h>

#include <memory>

#include "framework/ComboBox.h"
#include "framework/Edits.h"
#include "framework/ExtCtrls.h"
#include "framework/HintWindow.h"
#include "framework/MessageNames.h"
#include "framework/Forms.h"
#include "framework/SpeedButton.h"
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

struct TClickCounter : TObject {
    int Clicks = 0;
    TObject* Last = nullptr;
    void Click(TObject* sender)
    {
        ++Clicks;
        Last = sender;
    }
};

std::unique_ptr<TForm> NewForm(int clientWidth = 300, int clientHeight = 200)
{
    auto form = std::make_unique<TForm>(nullptr);
    form->SetClientSize(clientWidth, clientHeight);
    return form;
}

template <class T>
T* Add(TForm& form, TWinControl* parent, int l, int t, int w, int h)
{
    T* c = new T(&form);
    c->SetParent(parent ? parent : &form);
    c->SetBounds(l, t, w, h);
    return c;
}

}  // namespace

TEST(Controls, OwnerFreesItsComponentsWindowsAndTellsFreeNotified)
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

TEST(Controls, ReplacedWindowProcSeesSystemAndInProcessMessagesAndCanSwallow)
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

TEST(Controls, TakenWindowsLeadToTheirControlAndShareTheirProcedure)
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

TEST(Controls, AnchoredChildrenFollowTheParentsResize)
{
    for (bool withWindows : {false, true}) {
        SCOPED_TRACE(withWindows ? "with windows" : "before the windows exist");
        auto form = NewForm(300, 200);
        if (withWindows)
            form->HandleNeeded();
        auto* corner = Add<TButton>(*form, nullptr, 200, 150, 80, 30);
        corner->SetAnchors(akRight | akBottom);
        auto* panel = Add<TPanel>(*form, nullptr, 10, 10, 280, 120);
        panel->SetAnchors(akLeft | akTop | akRight | akBottom);
        auto* inner = Add<TEdit>(*form, panel, 200, 10, 70, 21);
        inner->SetAnchors(akTop | akRight);
        auto* fixed = Add<TLabel>(*form, nullptr, 5, 180, 30, 13);
        fixed->SetAutoSize(false);
        auto* centred = Add<TPanel>(*form, nullptr, 100, 160, 100, 25);
        centred->SetAnchors(akBottom);

        form->SetClientSize(400, 260);
        EXPECT_EQ(form->ClientWidth(), 400);
        EXPECT_EQ(corner->Left(), 300);
        EXPECT_EQ(corner->Top(), 210);
        EXPECT_EQ(corner->Width(), 80);
        EXPECT_EQ(panel->Width(), 380);
        EXPECT_EQ(panel->Height(), 180);
        EXPECT_EQ(inner->Left(), 300);
        EXPECT_EQ(fixed->Left(), 5);
        EXPECT_EQ(fixed->Top(), 180);
        if (withWindows) {
            RECT r;
            GetWindowRect(corner->Handle(), &r);
            MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.left, 300);
            EXPECT_EQ(r.top, 210);
        }
        EXPECT_EQ(centred->Left(), 150);
        EXPECT_EQ(centred->Top(), 220);
        // Shrinking and growing back gives the same layout.
        form->SetClientSize(250, 150);
        form->SetClientSize(400, 260);
        EXPECT_EQ(corner->Left(), 300);
        EXPECT_EQ(panel->Width(), 380);
        // One pixel at a time ends where one step does: centred.
        for (int w = 401; w <= 410; ++w)
            form->SetClientSize(w, 260);
        EXPECT_EQ(centred->Left(), 155);
    }
}

TEST(Controls, HidingAGroupBoxHidesItsChildren)
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

TEST(Controls, ZOrderAndTabOrder)
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

TEST(Controls, ChildWindowsAreOrderedOnceWhenTheParentIsMade)
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

TEST(Controls, ClicksReachTheTopMostGraphicControlUnderTheMouse)
{
    auto form = NewForm();
    auto* bottom = Add<TImage>(*form, nullptr, 10, 10, 50, 50);
    auto* top = Add<TImage>(*form, nullptr, 30, 30, 50, 50);
    TClickCounter counter;
    bottom->OnClick = TNotifyEvent(&counter, &TClickCounter::Click);
    top->OnClick = TNotifyEvent(&counter, &TClickCounter::Click);
    form->Show();
    HWND h = form->Handle();
    auto click = [&](int x, int y) {
        counter.Last = nullptr;
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Pt(x, y));
        SendMessageW(h, WM_LBUTTONUP, 0, Pt(x, y));
        return counter.Last;
    };
    EXPECT_EQ(click(40, 40), top);     // the overlap: the later (upper) one
    EXPECT_EQ(click(15, 15), bottom);
    EXPECT_EQ(click(75, 75), top);
    EXPECT_EQ(click(200, 150), nullptr);
    bottom->BringToFront();
    EXPECT_EQ(click(40, 40), bottom);
    bottom->Hide();
    EXPECT_EQ(click(40, 40), top);
    top->SetEnabled(false);
    EXPECT_EQ(click(40, 40), nullptr);
    EXPECT_EQ(counter.Clicks, 5);
}

namespace {

struct TMouseLog : TObject {
    TImage* Releaser = nullptr;
    std::vector<std::pair<TObject*, POINT>> Moves;
    std::vector<TObject*> Downs;
    void Down(TObject* sender, TMouseButton, TShiftState, int, int)
    {
        Downs.push_back(sender);
        if (sender == Releaser)
            Releaser->SetMouseCapture(false);
    }
    void Move(TObject* sender, TShiftState, int x, int y) { Moves.push_back({sender, POINT{x, y}}); }
};

}  // namespace

TEST(Controls, GraphicControlHoldsTheMouseUntilReleaseOrUntilItLetsGo)
{
    auto form = NewForm();
    auto* left = Add<TImage>(*form, nullptr, 10, 10, 40, 40);
    auto* right = Add<TImage>(*form, nullptr, 60, 10, 40, 40);
    TMouseLog log;
    for (TImage* i : {left, right}) {
        i->OnMouseDown = TMouseEvent(&log, &TMouseLog::Down);
        i->OnMouseMove = TMouseMoveEvent(&log, &TMouseLog::Move);
    }
    form->Show();
    HWND h = form->Handle();

    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Pt(20, 20));
    EXPECT_TRUE(left->MouseCapture());
    EXPECT_EQ(GetCapture(), h);
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, Pt(70, 20));
    ASSERT_EQ(log.Moves.size(), 1u);
    EXPECT_EQ(log.Moves[0].first, left);  // captured: the move is the pressed control's
    EXPECT_EQ(log.Moves[0].second.x, 60);
    EXPECT_EQ(log.Moves[0].second.y, 10);
    SendMessageW(h, WM_LBUTTONUP, 0, Pt(70, 20));
    EXPECT_FALSE(left->MouseCapture());
    EXPECT_EQ(GetCapture(), nullptr);

    // A control that lets go of the capture in its mouse-down handler leaves the
    // moves to whatever is under the pointer, as painting a grid by dragging needs.
    log.Moves.clear();
    log.Releaser = left;
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Pt(20, 20));
    EXPECT_FALSE(left->MouseCapture());
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, Pt(70, 20));
    ASSERT_EQ(log.Moves.size(), 1u);
    EXPECT_EQ(log.Moves[0].first, right);
    EXPECT_EQ(log.Moves[0].second.x, 10);
    SendMessageW(h, WM_LBUTTONUP, 0, Pt(70, 20));
}

TEST(Controls, ContextPopupOfAGraphicControl)
{
    auto form = NewForm();
    auto* image = Add<TImage>(*form, nullptr, 10, 10, 40, 40);
    struct TPopup : TObject {
        int Count = 0;
        POINT At{};
        void Popup(TObject*, POINT p, bool& handled)
        {
            ++Count;
            At = p;
            handled = true;
        }
    } popup;
    image->OnContextPopup = TContextPopupEvent(&popup, &TPopup::Popup);
    form->Show();
    // A right-button release on the parent becomes the image's context popup.
    SendMessageW(form->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, Pt(25, 30));
    SendMessageW(form->Handle(), WM_RBUTTONUP, 0, Pt(25, 30));
    EXPECT_EQ(popup.Count, 1);
    EXPECT_EQ(popup.At.x, 15);
    EXPECT_EQ(popup.At.y, 20);
}

TEST(Controls, MouseEnterAndLeaveReachTheControlAndItsParents)
{
    auto form = NewForm();
    auto* image = Add<TImage>(*form, nullptr, 10, 10, 40, 40);
    auto* panel = Add<TPanel>(*form, nullptr, 100, 10, 150, 100);
    auto* edit = Add<TEdit>(*form, panel, 10, 10, 100, 21);
    form->Show();
    // Keep the real pointer away, so only the messages below move "the mouse".
    SetCursorPos(1200, 1000);
    Pump();
    TMessageRecorder formRec(form.get());
    TMessageRecorder imageRec(image);
    TMessageRecorder panelRec(panel);
    TMessageRecorder editRec(edit);
    HWND h = form->Handle();

    SendMessageW(h, WM_MOUSEMOVE, 0, Pt(20, 20));
    EXPECT_EQ(imageRec.LParams(CM_MOUSEENTER), std::vector<intptr_t>{0});
    EXPECT_EQ(formRec.LParams(CM_MOUSEENTER).back(), reinterpret_cast<intptr_t>(image));

    SendMessageW(h, WM_MOUSEMOVE, 0, Pt(80, 80));
    EXPECT_EQ(imageRec.LParams(CM_MOUSELEAVE), std::vector<intptr_t>{0});
    EXPECT_EQ(formRec.LParams(CM_MOUSELEAVE).back(), reinterpret_cast<intptr_t>(image));
    EXPECT_EQ(formRec.LParams(CM_MOUSEENTER).back(), 0);  // now over the form itself

    // A windowed child: its parent hears of it with the child, the grandparent with the parent.
    SendMessageW(edit->Handle(), WM_MOUSEMOVE, 0, Pt(5, 5));
    EXPECT_EQ(formRec.LParams(CM_MOUSELEAVE).back(), 0);
    EXPECT_EQ(editRec.LParams(CM_MOUSEENTER), std::vector<intptr_t>{0});
    EXPECT_EQ(panelRec.LParams(CM_MOUSEENTER), std::vector<intptr_t>{reinterpret_cast<intptr_t>(edit)});
    EXPECT_EQ(formRec.LParams(CM_MOUSEENTER).back(), reinterpret_cast<intptr_t>(panel));

    // The pointer left the edit's window for nowhere of ours.
    SendMessageW(edit->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(editRec.LParams(CM_MOUSELEAVE), std::vector<intptr_t>{0});
    EXPECT_EQ(panelRec.LParams(CM_MOUSELEAVE), std::vector<intptr_t>{reinterpret_cast<intptr_t>(edit)});
}

TEST(Controls, ToolTipShowsTheShortHintOfAGraphicControl)
{
    auto form = NewForm();
    form->SetShowHint(true);
    auto* button = Add<TSpeedButton>(*form, nullptr, 10, 10, 60, 25);
    button->SetHint(L"Don't press|The long part");
    form->Show();
    SetCursorPos(1200, 1000);
    SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, Pt(20, 20));
    EXPECT_TRUE(button->ShowHint());  // from the form
    // The delay ends: the hint shows the part before "|".
    SendMessageW(form->Handle(), WM_TIMER, 0x4B48, 0);
    EXPECT_TRUE(form->HintWindow().Shown());
    EXPECT_EQ(form->HintWindow().Text(), L"Don't press");
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Pt(20, 20));
    EXPECT_FALSE(form->HintWindow().Shown());
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, Pt(20, 20));
}

TEST(Controls, SpeedButtonsToggleInTheirGroup)
{
    auto form = NewForm();
    auto* a = Add<TSpeedButton>(*form, nullptr, 10, 10, 40, 25);
    auto* b = Add<TSpeedButton>(*form, nullptr, 60, 10, 40, 25);
    auto* lone = Add<TSpeedButton>(*form, nullptr, 110, 10, 40, 25);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    lone->SetGroupIndex(2);
    lone->SetAllowAllUp(true);
    TClickCounter counter;
    lone->OnClick = TNotifyEvent(&counter, &TClickCounter::Click);
    form->Show();
    auto click = [&](int x) {
        SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Pt(x, 20));
        SendMessageW(form->Handle(), WM_LBUTTONUP, 0, Pt(x, 20));
    };
    click(20);
    EXPECT_TRUE(a->Down());
    click(70);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    click(70);  // without AllowAllUp the down one stays down
    EXPECT_TRUE(b->Down());
    click(120);
    EXPECT_TRUE(lone->Down());
    click(120);
    EXPECT_FALSE(lone->Down());
    EXPECT_EQ(counter.Clicks, 2);
    // A press that is released outside the button is no click.
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Pt(120, 20));
    SendMessageW(form->Handle(), WM_MOUSEMOVE, MK_LBUTTON, Pt(250, 150));
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, Pt(250, 150));
    EXPECT_EQ(counter.Clicks, 2);
    EXPECT_FALSE(lone->Down());
}

TEST(Controls, SpeedButtonGlyphLeavesOutItsBackgroundAndTransparentFaceStaysClear)
{
    auto form = NewForm();
    auto* button = Add<TSpeedButton>(*form, nullptr, 10, 10, 40, 24);
    button->SetFlat(true);
    // An 8 × 8 glyph: a red square on a magenta background (its bottom-left pixel).
    TBitmap& glyph = *button->Glyph();
    glyph.SetSize(8, 8);
    for (auto [color, r] : {std::pair{clFuchsia, RECT{0, 0, 8, 8}}, std::pair{clRed, RECT{2, 2, 6, 6}}}) {
        glyph.Canvas()->Brush()->SetColor(color);
        glyph.Canvas()->FillRect(r);
    }
    // The glyph's centre and its top-left corner, on a teal background; the
    // glyph stands centred at (16, 8).
    auto shot = [&] {
        TBitmap bitmap;
        bitmap.SetSize(40, 24);
        bitmap.Canvas()->Brush()->SetColor(clTeal);
        bitmap.Canvas()->FillRect({0, 0, 40, 24});
        button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas()->Handle()), 0);
        return std::pair{bitmap.Canvas()->Pixels(19, 11), bitmap.Canvas()->Pixels(16, 8)};
    };
    EXPECT_EQ(shot(), std::pair(clRed, clTeal));
    // Down and transparent: the parent still shows through the face.
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);
    button->SetDown(true);
    EXPECT_EQ(shot().second, clTeal);
    button->SetDown(false);
    button->SetEnabled(false);
    EXPECT_EQ(shot(), std::pair(static_cast<TColor>(ColorToRGB(clBtnShadow)), clTeal));
}

TEST(Controls, RadioButtonsOfOneParentFormAGroup)
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

TEST(Controls, AHandlerMayFreeItsOwnControl)
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

TEST(Controls, MessagesHaveNamesForDiagnostics)
{
    EXPECT_EQ(MessageName(WM_PAINT), L"WM_PAINT");
    EXPECT_EQ(MessageName(CM_MOUSELEAVE), L"CM_MOUSELEAVE");
    EXPECT_EQ(MessageName(CN_COMMAND), L"CN_COMMAND");
    EXPECT_EQ(MessageName(0x7123), L"0x7123");
}

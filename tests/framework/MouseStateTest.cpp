// The control under the pointer and the one holding the capture: mouse
// capture of graphic controls, mouse-enter and -leave notices.
#include <gtest/gtest.h>

#include "framework/Edits.h"
#include "framework/ExtCtrls.h"
#include "tests/framework/ControlsTestSupport.h"

using namespace testing_support;

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

TEST(MouseState, GraphicControlHoldsTheMouseUntilReleaseOrUntilItLetsGo)
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

TEST(MouseState, MouseEnterAndLeaveReachTheControlAndItsParents)
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

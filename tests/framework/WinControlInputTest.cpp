// Input through a windowed parent: clicks and context popups reach the graphic
// control under the mouse, hints show, speed buttons toggle.
#include <gtest/gtest.h>

#include "framework/SpeedButton.h"
#include "framework/ExtCtrls.h"
#include "framework/HintWindow.h"
#include "tests/framework/ControlsTestSupport.h"

using namespace testing_support;

TEST(WinControlInput, ClicksReachTheTopMostGraphicControlUnderTheMouse)
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

TEST(WinControlInput, ContextPopupOfAGraphicControl)
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

TEST(WinControlInput, ToolTipShowsTheShortHintOfAGraphicControl)
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

TEST(WinControlInput, SpeedButtonsToggleInTheirGroup)
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

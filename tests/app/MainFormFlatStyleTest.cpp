// The main window's flat style on the real type boxes: the relief frame's
// colours while the visual-styles theme is off, nothing while it is on, and
// the boxes' window controllers (priority 200) ahead of it (100).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/MainForm.h"
#include "controls/KdFlatStyle.h"
#include "controls/KdWinController.h"
#include "framework/Application.h"
#include "framework/ComboBox.h"
#include "framework/Handles.h"
#include "framework/StdCtrls.h"
#include "framework/Themes.h"

namespace {

struct TOrder : TObject {
    std::vector<std::string> seen;
    void Controller(TObject*, TMessage& m, bool&, TWndMethod) { Note(m, "controller"); }
    void Style(TObject*, TMessage& m, bool&, TWndMethod) { Note(m, "style"); }
    void Note(const TMessage& m, const char* who)
    {
        if (m.Msg == WM_GETTEXTLENGTH)
            seen.push_back(who);
    }
};

COLORREF Pixel(HWND window, int x, int y)
{
    TWindowDC dc(window);
    return GetPixel(dc.Get(), x, y);
}

TEST(MainFormFlatStyle, TypeBoxesAreFramedInReliefOnlyWithTheThemeOff)
{
    auto* form = new TForm1(Application);
    form->Show();
    FindComponentAs<TGroupBox>(form, L"GroupBox1")->Show();
    auto* style = FindComponentAs<TKdFlatStyle>(form, L"KdFlatStyle1");
    ASSERT_TRUE(style && style->Applied());
    for (const wchar_t* name : {L"ComboBox1", L"ComboBox2"}) {
        auto* box = FindComponentAs<TComboBox>(form, name);
        ASSERT_TRUE(style->EntryState(box).has_value()) << name;
        HWND h = box->Handle();
        const int w = box->Width(), hgt = box->Height();

        SetThemeServicesOverride(false);
        RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_EQ(Pixel(h, 0, 0), ColorToRGB(clBtnShadow)) << name;
        EXPECT_EQ(Pixel(h, 1, 1), ColorToRGB(clBtnFace)) << name;
        EXPECT_EQ(Pixel(h, w - 2, hgt - 2), ColorToRGB(cl3DLight)) << name;
        EXPECT_EQ(Pixel(h, w - 1, hgt - 1), ColorToRGB(clWindow)) << name;

        // Theme on: a state change that would draw the frame draws nothing.
        SetThemeServicesOverride(true);
        {
            TWindowDC dc(h);
            SetPixel(dc.Get(), 1, 1, RGB(1, 250, 3));
        }
        box->Perform(CM_MOUSEENTER);
        box->Perform(CM_MOUSELEAVE);
        EXPECT_EQ(Pixel(h, 1, 1), RGB(1, 250, 3)) << name;
    }
    SetThemeServicesOverride(std::nullopt);

    // The type boxes' own controllers (priority 200) see their messages first.
    for (const wchar_t* name : {L"KdWinController1", L"KdWinController2"}) {
        auto* controller = FindComponentAs<TKdWinController>(form, name);
        ASSERT_TRUE(controller && controller->Control()) << name;
        EXPECT_EQ(controller->Priority(), 200);
        TOrder order;
        const TKdWndProcEvent own = std::exchange(controller->OnWndProc, TKdWndProcEvent(&order, &TOrder::Controller));
        style->OnWndProc = TKdWndProcEvent(&order, &TOrder::Style);
        SendMessageW(static_cast<TWinControl*>(controller->Control())->Handle(), WM_GETTEXTLENGTH, 0, 0);
        controller->OnWndProc = own;
        style->OnWndProc = nullptr;
        EXPECT_EQ(order.seen, (std::vector<std::string>{"controller", "style"})) << name;
    }
    delete form;
}

}  // namespace

// The main window's flat style on the real type boxes: the relief frame's
// colours while the visual-styles theme is off, nothing while it is on, and
// the boxes' window controllers (priority 200) ahead of it (100).
#include <gtest/gtest.h>

#include <utility>

#include "app/MainForm.h"
#include "controls/KdFlatStyle.h"
#include "framework/Application.h"
#include "framework/ComboBox.h"
#include "framework/Handles.h"
#include "framework/StdCtrls.h"
#include "framework/Themes.h"

namespace {

struct TOrder : TObject {
    std::string seen;
    void Controller(TObject*, TMessage& m, bool&, TWndMethod) { seen += m.Msg == WM_GETTEXTLENGTH ? "c" : ""; }
    void Style(TObject*, TMessage& m, bool&, TWndMethod) { seen += m.Msg == WM_GETTEXTLENGTH ? "s" : ""; }
};

TEST(MainFormFlatStyle, TypeBoxesAreFramedInReliefOnlyWithTheThemeOffAfterTheirControllers)
{
    auto* form = new TForm1(Application);
    form->Show();
    FindComponentAs<TGroupBox>(form, L"GroupBox1")->Show();
    auto* style = FindComponentAs<TKdFlatStyle>(form, L"KdFlatStyle1");
    ASSERT_TRUE(style && style->Applied());
    for (int i = 1; i <= 2; ++i) {
        auto* box = FindComponentAs<TComboBox>(form, L"ComboBox" + std::to_wstring(i));
        ASSERT_TRUE(style->EntryState(box).has_value());
        const int w = box->Width(), h = box->Height();
        SetThemeServicesOverride(false);
        RedrawWindow(box->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        {
            TWindowDC dc(box->Handle());
            EXPECT_EQ(GetPixel(dc.Get(), 0, 0), ColorToRGB(clBtnShadow));
            EXPECT_EQ(GetPixel(dc.Get(), 1, 1), ColorToRGB(clBtnFace));
            EXPECT_EQ(GetPixel(dc.Get(), w - 2, h - 2), ColorToRGB(cl3DLight));
            EXPECT_EQ(GetPixel(dc.Get(), w - 1, h - 1), ColorToRGB(clWindow));
            // Theme on: a state change that would draw the frame draws nothing.
            SetThemeServicesOverride(true);
            SetPixel(dc.Get(), 1, 1, RGB(1, 250, 3));
            box->Perform(CM_MOUSEENTER);
            box->Perform(CM_MOUSELEAVE);
            EXPECT_EQ(GetPixel(dc.Get(), 1, 1), RGB(1, 250, 3));
        }

        auto* controller = FindComponentAs<TKdWinController>(form, L"KdWinController" + std::to_wstring(i));
        ASSERT_TRUE(controller && controller->Control() == box && controller->Priority() == 200);
        TOrder order;
        const TKdWndProcEvent own = std::exchange(controller->OnWndProc, TKdWndProcEvent(&order, &TOrder::Controller));
        style->OnWndProc = TKdWndProcEvent(&order, &TOrder::Style);
        SendMessageW(box->Handle(), WM_GETTEXTLENGTH, 0, 0);
        controller->OnWndProc = own;
        style->OnWndProc = nullptr;
        EXPECT_EQ(order.seen, "cs");
    }
    SetThemeServicesOverride(std::nullopt);
    delete form;
}

}  // namespace

// The flat style on a real window: which controls it hooks, how its entries
// follow the lists, the root and the priority, the frame it draws for each
// state, and what is left when controls, the style or the window go.
#include "controls/KdFlatStyle.h"

#include <gtest/gtest.h>

#include "controls/KdWinProcMan.h"
#include "framework/Application.h"
#include "framework/ComboBox.h"
#include "framework/Edits.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Handles.h"
#include "framework/StdCtrls.h"
#include "framework/Themes.h"

namespace {

// A combo box of a class that the default exceptions name.
class TCustomComboBoxEx : public TComboBox {
    CLASS_INFO(TCustomComboBoxEx, TComboBox)

public:
    using TComboBox::TComboBox;
};

struct TErrors : TObject {
    int count = 0;
    void Caught(TObject*, std::exception_ptr) { ++count; }
};

constexpr COLORREF kMarker = RGB(1, 250, 3);
const COLORREF kHot = RGB(255, 0, 0);

class KdFlatStyleTest : public ::testing::Test {
protected:
    TForm* form = new TForm(nullptr);
    TPanel* panel = Add<TPanel>(form, 8, 60);
    TEdit* edit = Add<TEdit>(panel, 8);
    TComboBox* combo = Add<TComboBox>(form, 80);
    TCustomComboBoxEx* comboEx = Add<TCustomComboBoxEx>(form, 110);
    TButton* button = Add<TButton>(form, 140);
    TKdFlatStyle* style = nullptr;
    TErrors errors;

    template <class T>
    T* Add(TWinControl* parent, int top, int height = 21)
    {
        auto* c = new T(form);
        c->SetParent(parent);
        c->SetBounds(8, top, 120, height);
        return c;
    }
    void SetUp() override
    {
        SetThemeServicesOverride(false);
        Application->OnException = TExceptionEvent(&errors, &TErrors::Caught);
        form->SetBounds(40, 40, 320, 240);
        form->Show();
        style = new TKdFlatStyle(form);  // the owner is the root; inactive until told
        EXPECT_FALSE(style->Applied());
        style->SetActive(true);
    }
    void TearDown() override
    {
        delete form;
        TKdWinProcMan::ForControl(nullptr);
        EXPECT_TRUE(TKdWPM::Registry().empty());
        EXPECT_EQ(errors.count, 0);
        Application->OnException = nullptr;
        SetThemeServicesOverride(std::nullopt);
    }
    bool Hooked(const TControl* c) const { return style->EntryState(c).has_value(); }
    int32_t State(const TControl* c) const { return style->EntryState(c).value_or(-1); }
    static COLORREF Corner(TWinControl* c, int x = 0, int y = 0)
    {
        TWindowDC dc(c->Handle());
        return GetPixel(dc.Get(), x, y);
    }
    static void Mark(TWinControl* c)
    {
        TWindowDC dc(c->Handle());
        SetPixel(dc.Get(), 0, 0, kMarker);
    }
};

TEST_F(KdFlatStyleTest, ListsRootAndPriorityDecideTheEntries)
{
    EXPECT_TRUE(Hooked(edit));  // inside a panel
    EXPECT_TRUE(Hooked(combo));
    EXPECT_FALSE(Hooked(comboEx));  // excepted, though TCustomCombo is targeted
    EXPECT_FALSE(Hooked(button) || Hooked(panel) || Hooked(form));
    style->SetIncludeControl(true);
    EXPECT_TRUE(Hooked(form));
    style->SetIncludeControl(false);
    EXPECT_FALSE(Hooked(form));
    style->ExceptInside()->Add(L"TCustomPanel");
    EXPECT_FALSE(Hooked(edit));
    style->ExceptInside()->Clear();

    // Changing the targets while applied moves the hooks.
    style->Targets()->Delete(style->Targets()->IndexOf(L"TCustomEdit"));
    style->Targets()->Add(L"TButtonControl");
    EXPECT_FALSE(Hooked(edit));
    EXPECT_TRUE(Hooked(button) && Hooked(combo));

    // Changing the priority moves the entries, state and all.
    TKdWinProcMan* manager = TKdWinProcMan::ForControl(combo);
    auto* controller = new TKdWinController(form);
    controller->SetControl(combo);
    const int32_t state = State(combo);
    style->SetPriority(300);
    EXPECT_EQ(manager->EntryCount(), 3);
    EXPECT_EQ(manager->Entry(2).Priority, 300);
    EXPECT_EQ(State(combo), state);

    style->SetActive(false);
    EXPECT_FALSE(Hooked(button) || Hooked(combo));
}

TEST_F(KdFlatStyleTest, TheFrameFollowsTheThemeEnabledFocusAndHover)
{
    const COLORREF frame = ColorToRGB(clBtnShadow);
    // With the visual-styles theme on, nothing is drawn.
    SetThemeServicesOverride(true);
    Mark(edit);
    edit->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Corner(edit), kMarker);
    edit->Perform(CM_MOUSELEAVE);
    SetThemeServicesOverride(false);

    // Disabling repaints the frame.
    Mark(edit);
    edit->SetEnabled(false);
    EXPECT_EQ(Corner(edit), frame);
    EXPECT_EQ(State(edit) & KdfsEnabled, 0);
    edit->SetEnabled(true);

    // Focus and hover switch to the hot-track frame, leaving switches back.
    style->FrameHotTrack()->SetColor1(clRed);
    edit->SetFocus();
    EXPECT_EQ(State(edit), KdfsEnabled | KdfsFocus);
    EXPECT_EQ(Corner(edit), kHot);
    button->SetFocus();
    EXPECT_EQ(Corner(edit), frame);
    edit->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Corner(edit), kHot);
    edit->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(Corner(edit), frame);

    // The focus of a combo box's edit part is the box's.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    SetFocus(info.hwndItem);
    EXPECT_EQ(State(combo), KdfsEnabled | KdfsFocus);
    EXPECT_EQ(Corner(combo), kHot);

    // A child's leave, forwarded to a framed parent, leaves the parent hovered.
    style->Targets()->Add(L"TCustomPanel");
    panel->Perform(CM_MOUSEENTER);
    edit->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(State(panel) & KdfsHover, KdfsHover);
    panel->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(State(panel) & KdfsHover, 0);
}

TEST_F(KdFlatStyleTest, EachRingIsOneDesignPixelWideAtTheFormsDpi)
{
    button->SetFocus();
    style->Frame()->SetColor1(clRed);
    style->Frame()->SetColor2(clBlue);
    // Down the diagonal from the corner: the outer ring, the inner ring, then the edit.
    for (const auto& [dpi, width] : {std::pair{120, 1}, {144, 2}, {240, 3}, {96, 1}}) {
        form->ChangeDpi(dpi);
        RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        for (int i = 0; i <= 2 * width; ++i)
            EXPECT_EQ(Corner(edit, i, i), ColorToRGB(i < width ? clRed : i < 2 * width ? clBlue : clWindow)) << dpi;
    }
}

TEST_F(KdFlatStyleTest, ControlsTheStyleAndTheRootGoWithoutEntriesOrErrors)
{
    style->SetIncludeControl(true);
    // A hooked control freed on its own: its chain ends while only its base
    // class is left, and nothing about its class is asked.
    delete edit;
    EXPECT_TRUE(style->Applied());
    EXPECT_TRUE(Hooked(combo) && Hooked(form));

    // A style freed before its controls takes every entry with it, also from
    // a control moved out of its tree meanwhile (its window made anew).
    TForm elsewhere(nullptr);
    combo->SetParent(&elsewhere);
    elsewhere.HandleNeeded();
    EXPECT_TRUE(Hooked(combo));
    TKdWinProcMan* manager = TKdWinProcMan::ForControl(combo);
    delete style;
    EXPECT_EQ(manager->EntryCount(), 1);
    SendMessageW(combo->Handle(), WM_GETTEXTLENGTH, 0, 0);
    combo->SetParent(form);

    // A style that outlives its root lets go of it.
    TKdFlatStyle outside(nullptr);
    outside.SetControl(form);
    outside.SetIncludeControl(true);
    outside.SetActive(true);
    EXPECT_TRUE(outside.EntryState(form).has_value());
    delete form;
    form = nullptr;
    EXPECT_EQ(outside.Control(), nullptr);
    EXPECT_FALSE(outside.Applied());
}

}  // namespace

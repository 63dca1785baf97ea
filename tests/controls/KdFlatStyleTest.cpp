// The flat style on a real window: which controls it hooks, how its entries
// follow the lists, the root and the priority, the frame it draws for each
// state, and what is left when controls, the style or the window go.
#include "controls/KdFlatStyle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    KD_CLASS(TCustomComboBoxEx, TComboBox)

public:
    using TComboBox::TComboBox;
};

constexpr COLORREF kMarker = RGB(1, 250, 3);

HWND EditOf(TComboBox* combo)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(combo->Handle(), &info) ? info.hwndItem : nullptr;
}

struct TLog : TObject {
    std::vector<std::string> seen;
    int errors = 0;
    void Controller(TObject*, TMessage& m, bool&, TWndMethod) { Note(m, "controller"); }
    void Style(TObject*, TMessage& m, bool&, TWndMethod) { Note(m, "style"); }
    void Note(const TMessage& m, const char* who)
    {
        if (m.Msg == WM_GETTEXTLENGTH)
            seen.push_back(who);
    }
    void Error(TObject*, std::exception_ptr) { ++errors; }
};

class KdFlatStyleTest : public ::testing::Test {
protected:
    TForm* form = nullptr;
    TPanel* panel = nullptr;
    TEdit* edit = nullptr;
    TComboBox* combo = nullptr;
    TCustomComboBoxEx* comboEx = nullptr;
    TButton* button = nullptr;
    TKdFlatStyle* style = nullptr;
    TLog log;

    template <class T>
    T* Add(TWinControl* parent, int top)
    {
        auto* c = new T(form);
        c->SetParent(parent);
        c->SetBounds(8, top, 120, 21);
        return c;
    }
    void SetUp() override
    {
        SetThemeServicesOverride(false);
        Application->OnException = TExceptionEvent(&log, &TLog::Error);
        form = new TForm(nullptr);
        form->SetBounds(40, 40, 320, 240);
        panel = Add<TPanel>(form, 8);
        panel->SetBounds(8, 8, 160, 60);
        edit = Add<TEdit>(panel, 8);
        combo = Add<TComboBox>(form, 80);
        comboEx = Add<TCustomComboBoxEx>(form, 110);
        button = Add<TButton>(form, 140);
        form->Show();
        style = new TKdFlatStyle(form);
        EXPECT_EQ(style->Control(), form);
        EXPECT_FALSE(style->Applied());
        style->SetActive(true);
    }
    void TearDown() override
    {
        delete form;
        TKdWinProcMan::ForControl(nullptr);
        EXPECT_TRUE(TKdWPM::Registry().empty());
        EXPECT_TRUE(TKdWPM::ReleaseList().empty());
        EXPECT_EQ(log.errors, 0);
        Application->OnException = nullptr;
        SetThemeServicesOverride(std::nullopt);
    }
    bool Hooked(const TControl* c) const { return style->EntryState(c).has_value(); }
    int32_t State(const TControl* c) const { return style->EntryState(c).value_or(-1); }
    static COLORREF Pixel(TWinControl* c, int x, int y)
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

TEST_F(KdFlatStyleTest, TargetsExceptionsAndTheRootDecideWhatIsHooked)
{
    EXPECT_TRUE(Hooked(edit));  // inside a panel
    EXPECT_TRUE(Hooked(combo));
    EXPECT_FALSE(Hooked(comboEx));  // excepted, though TCustomCombo is targeted
    EXPECT_FALSE(Hooked(button));
    EXPECT_FALSE(Hooked(panel));
    EXPECT_FALSE(Hooked(form));
    style->SetIncludeControl(true);
    EXPECT_TRUE(Hooked(form));
    style->SetIncludeControl(false);
    EXPECT_FALSE(Hooked(form));

    TStringList inside;
    inside.Add(L"TCustomPanel");
    style->SetExceptInside(inside);
    EXPECT_FALSE(Hooked(edit));
    style->ExceptInside()->Clear();
    EXPECT_TRUE(Hooked(edit));

    // Changing the targets while applied moves the hooks.
    style->Targets()->Delete(style->Targets()->IndexOf(L"TCustomEdit"));
    style->Targets()->Add(L"TButtonControl");
    EXPECT_FALSE(Hooked(edit));
    EXPECT_TRUE(Hooked(button));
    EXPECT_TRUE(Hooked(combo));

    style->SetActive(false);
    EXPECT_FALSE(Hooked(button) || Hooked(combo));
}

TEST_F(KdFlatStyleTest, ControllersOfHigherPrioritySeeMessagesFirstAndPriorityMovesTheEntries)
{
    auto* controller = new TKdWinController(form);
    controller->OnWndProc = TKdWndProcEvent(&log, &TLog::Controller);
    controller->SetControl(combo);
    style->OnWndProc = TKdWndProcEvent(&log, &TLog::Style);
    SendMessageW(combo->Handle(), WM_GETTEXTLENGTH, 0, 0);
    EXPECT_EQ(log.seen, (std::vector<std::string>{"controller", "style"}));

    const int32_t state = State(combo);
    TKdWinProcMan* manager = TKdWinProcMan::ForControl(combo);
    const int entries = manager->EntryCount();
    style->SetPriority(300);
    EXPECT_EQ(manager->EntryCount(), entries);
    EXPECT_EQ(manager->Entry(entries - 1).Priority, 300);
    EXPECT_EQ(State(combo), state);
    EXPECT_EQ(TKdWinProcMan::ForControl(edit)->Entry(1).Priority, 300);
    log.seen.clear();
    SendMessageW(combo->Handle(), WM_GETTEXTLENGTH, 0, 0);
    EXPECT_EQ(log.seen, (std::vector<std::string>{"style", "controller"}));
}

TEST_F(KdFlatStyleTest, TheFrameFollowsTheThemeEnabledFocusAndHover)
{
    const COLORREF frame = ColorToRGB(clBtnShadow);
    // With the visual-styles theme on, nothing is drawn.
    SetThemeServicesOverride(true);
    Mark(edit);
    edit->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Pixel(edit, 0, 0), kMarker);
    edit->Perform(CM_MOUSELEAVE);
    SetThemeServicesOverride(false);

    // Disabling repaints the frame.
    Mark(edit);
    edit->SetEnabled(false);
    EXPECT_EQ(Pixel(edit, 0, 0), frame);
    EXPECT_EQ(State(edit) & KdfsEnabled, 0);
    edit->SetEnabled(true);
    EXPECT_EQ(State(edit), KdfsEnabled);

    // Focus and hover switch to the hot-track frame, leaving switches back.
    style->FrameHotTrack()->SetColor1(clRed);
    edit->SetFocus();
    EXPECT_EQ(State(edit), KdfsEnabled | KdfsFocus);
    EXPECT_EQ(Pixel(edit, 0, 0), RGB(255, 0, 0));
    button->SetFocus();
    EXPECT_EQ(Pixel(edit, 0, 0), frame);
    edit->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Pixel(edit, 0, 0), RGB(255, 0, 0));
    edit->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(Pixel(edit, 0, 0), frame);

    // The focus of a combo box's edit part is the box's.
    SetFocus(EditOf(combo));
    EXPECT_EQ(State(combo), KdfsEnabled | KdfsFocus);
    EXPECT_EQ(Pixel(combo, 0, 0), RGB(255, 0, 0));

    // A child's leave, forwarded to a framed parent, leaves the parent hovered.
    style->Targets()->Add(L"TCustomPanel");
    panel->Perform(CM_MOUSEENTER);
    edit->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(State(panel) & KdfsHover, KdfsHover);
    panel->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(State(panel) & KdfsHover, 0);
}

TEST_F(KdFlatStyleTest, ControlsTheStyleAndTheRootGoWithoutEntriesOrErrors)
{
    style->SetIncludeControl(true);
    // A hooked control freed on its own: the chain goes while only its base
    // class is left, and nothing about it is asked.
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

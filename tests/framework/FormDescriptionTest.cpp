// Forms built from window descriptions: components found by name, properties,
// tab order, events, per-class settings, the loading state, errors in rows; and a
// form with one of each control made and freed many times without losing handles.
#include <gtest/gtest.h>

#include <memory>

#include "framework/ComboBox.h"
#include "framework/Edits.h"
#include "framework/ExtCtrls.h"
#include "framework/FormDescription.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "framework/SpeedButton.h"
#include "framework/StdCtrls.h"
#include "tests/framework/ControlsTestSupport.h"

using namespace testing_support;

namespace {

// A component without a window that reports what it saw when loading ended.
class TLoadProbe : public TComponent {
    CLASS_INFO(TLoadProbe, TComponent)

public:
    using TComponent::TComponent;
    int Value = 0;
    bool LoadingWhenSet = false;
    int ValueAtLoaded = -1;

protected:
    void Loaded() override { ValueAtLoaded = Value; }
};

class TSampleForm : public TForm {
    CLASS_INFO(TSampleForm, TForm)

public:
    explicit TSampleForm(TComponent* owner);

    int Clicks = 0;
    bool CreatedAfterLoading = false;
    std::vector<std::wstring> Changes;
    void FormCreate(TObject*)
    {
        CreatedAfterLoading = !InState(csLoading) && FindComponent(L"Edit1") != nullptr;
    }
    void Button1Click(TObject*) { ++Clicks; }
    void Edit1Change(TObject* sender) { Changes.push_back(static_cast<TEdit*>(sender)->Text()); }
};

const TFormDescription& SampleDescription()
{
    static const TFormDescription d = {
        {.Name = L"SampleForm", .Caption = L"Sample", .ShowHint = true,
         .Font = TFontSpec{.Name = L"MS Sans Serif", .Height = -11}, .ClientWidth = 320, .ClientHeight = 240,
         .Events = {On(&TCustomForm::OnCreate, &TSampleForm::FormCreate)},
         .Setup = Set<TCustomForm>([](TCustomForm& f) {
             f.SetBorderStyle(bsSingle);
             f.SetBorderIcons(biSystemMenu | biMinimize);
         })},
        {.Class = L"TGroupBox", .Name = L"GroupBox1", .Bounds = TBoundsSpec{8, 40, 300, 150}, .Caption = L"Group",
         .Anchors = akLeft | akTop | akRight | akBottom, .TabOrder = 2},
        {.Class = L"TButton", .Name = L"Button1", .Bounds = TBoundsSpec{8, 8, 75, 25}, .Caption = L"&Press",
         .Hint = L"Presses|Long text", .TabOrder = 1, .Events = {On(&TControl::OnClick, &TSampleForm::Button1Click)}},
        {.Class = L"TEdit", .Name = L"Edit1", .Bounds = TBoundsSpec{100, 10, 80, 21}, .Caption = L"28", .TabOrder = 0,
         .Events = {On(&TCustomEdit::OnChange, &TSampleForm::Edit1Change)}},
        {.Class = L"TRadioButton", .Name = L"RadioButton1", .Parent = L"GroupBox1", .Bounds = TBoundsSpec{8, 20, 80, 17},
         .Caption = L"One", .Setup = Set<TRadioButton>([](TRadioButton& r) { r.SetChecked(true); })},
        {.Class = L"TRadioButton", .Name = L"RadioButton2", .Parent = L"GroupBox1", .Bounds = TBoundsSpec{8, 40, 80, 17},
         .Caption = L"Two"},
        {.Class = L"TLabel", .Name = L"Label1", .Parent = L"GroupBox1", .Bounds = TBoundsSpec{100, 20, 10, 10},
         .Caption = L"Bold", .Font = TFontSpec{.Style = fsBold}},
        {.Class = L"TLoadProbe", .Name = L"Probe1",
         .Setup = Set<TLoadProbe>([](TLoadProbe& p) {
             p.Value = 7;
             p.LoadingWhenSet = p.InState(csLoading);
         })},
    };
    return d;
}

TSampleForm::TSampleForm(TComponent* owner) : TForm(owner) { BuildForm(*this, SampleDescription()); }

}  // namespace

TEST(FormDescription, BuildsTheFormAndFindsItsComponentsByName)
{
    RegisterComponentClass<TLoadProbe>();
    auto form = std::make_unique<TSampleForm>(nullptr);
    EXPECT_TRUE(form->CreatedAfterLoading);
    EXPECT_EQ(form->Name(), L"SampleForm");
    EXPECT_EQ(form->Caption(), L"Sample");
    EXPECT_EQ(form->ClientWidth(), 320);
    EXPECT_EQ(form->ClientHeight(), 240);
    EXPECT_EQ(form->BorderStyle(), bsSingle);

    auto* button = FindComponentAs<TButton>(form.get(), L"button1");
    auto* edit = FindComponentAs<TEdit>(form.get(), L"Edit1");
    auto* box = FindComponentAs<TGroupBox>(form.get(), L"GroupBox1");
    auto* r1 = FindComponentAs<TRadioButton>(form.get(), L"RadioButton1");
    auto* label = FindComponentAs<TLabel>(form.get(), L"Label1");
    auto* probe = FindComponentAs<TLoadProbe>(form.get(), L"Probe1");
    ASSERT_TRUE(button && edit && box && r1 && label && probe);
    EXPECT_EQ(FindComponentAs<TEdit>(form.get(), L"Button1"), nullptr);  // wrong class

    EXPECT_EQ(button->Caption(), L"&Press");
    EXPECT_EQ(button->Left(), 8);
    EXPECT_EQ(button->Width(), 75);
    EXPECT_EQ(GetShortHint(button->Hint()), L"Presses");
    EXPECT_TRUE(button->ShowHint());
    EXPECT_EQ(r1->Parent(), box);
    EXPECT_TRUE(r1->Checked());
    EXPECT_EQ(box->Anchors(), unsigned(akLeft | akTop | akRight | akBottom));
    EXPECT_TRUE(label->Font()->Style() & fsBold);
    EXPECT_FALSE(label->ParentFont());
    EXPECT_EQ(edit->Font()->Name(), L"MS Sans Serif");  // from the form
    EXPECT_EQ(edit->TabOrder(), 0);
    EXPECT_EQ(button->TabOrder(), 1);
    EXPECT_EQ(box->TabOrder(), 2);
    EXPECT_TRUE(probe->LoadingWhenSet);
    EXPECT_EQ(probe->ValueAtLoaded, 7);
    EXPECT_FALSE(probe->InState(csLoading));

    std::vector<std::wstring> names = edit->ClassNames();
    EXPECT_NE(std::find(names.begin(), names.end(), L"TCustomEdit"), names.end());
    EXPECT_TRUE(FindComponentAs<TComboBox>(form.get(), L"x") == nullptr);

    form->Show();
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->Clicks, 1);
    SendMessageW(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"21"));
    ASSERT_FALSE(form->Changes.empty());
    EXPECT_EQ(form->Changes.back(), L"21");
    // Sibling windows were made in tab order and the fixed border holds.
    EXPECT_EQ(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_THICKFRAME, 0);
    EXPECT_EQ(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_MAXIMIZEBOX, 0);
}

TEST(FormDescription, BadRowsAreRefused)
{
    auto build = [](const TFormDescription& d) {
        auto form = std::make_unique<TForm>(nullptr);
        BuildForm(*form, d);
    };
    EXPECT_THROW(build({{.Class = L"TNoSuchClass", .Name = L"X"}}), EComponentError);
    EXPECT_THROW(build({{.Class = L"TButton", .Name = L"B", .Parent = L"Nowhere"}}), EComponentError);
    EXPECT_THROW(build({{.Class = L"TButton", .Name = L"B"}, {.Class = L"TEdit", .Name = L"b"}}), EComponentError);
    // A handler of another form class cannot be bound.
    EXPECT_THROW(build({{.Class = L"TButton", .Name = L"B",
                         .Events = {On(&TControl::OnClick, &TSampleForm::Button1Click)}}}),
                 EComponentError);
}

TEST(FormDescription, MenuItemsJoinTheMenuTheyName)
{
    auto form = std::make_unique<TSampleForm>(nullptr);
    BuildComponents(*form, {
        {.Class = L"TPopupMenu", .Name = L"PopupMenu1"},
        {.Class = L"TMenuItem", .Name = L"Show1", .Parent = L"PopupMenu1", .Caption = L"&Show",
         .Events = {On(&TMenuItem::OnClick, &TSampleForm::Button1Click)}},
        {.Class = L"TMenuItem", .Name = L"More1", .Parent = L"PopupMenu1", .Caption = L"More", .Enabled = false},
        {.Class = L"TMenuItem", .Name = L"Exit1", .Parent = L"More1", .Caption = L"E&xit", .Visible = false},
    });
    TMenuItem* items = FindComponentAs<TPopupMenu>(form.get(), L"PopupMenu1")->Items();
    ASSERT_EQ(items->Count(), 2);
    EXPECT_FALSE(items->Items(1)->Enabled());
    EXPECT_EQ(items->Items(1)->Items(0)->Caption(), L"E&xit");
    EXPECT_FALSE(items->Items(1)->Items(0)->Visible());
    items->Items(0)->Click();
    EXPECT_EQ(form->Clicks, 1);
}

namespace {

// One of each control of the library, for the handle count.
class TEveryControlForm : public TForm {
    CLASS_INFO(TEveryControlForm, TForm)

public:
    explicit TEveryControlForm(TComponent* owner) : TForm(owner)
    {
        static const TFormDescription d = {
            {.Caption = L"Every control", .ShowHint = true, .ClientWidth = 471, .ClientHeight = 300,
             .Setup = Set<TCustomForm>([](TCustomForm& f) {
                 f.SetWindowClassName(L"Kestrin Every Control Form");
                 f.SetPosition(poScreenCenter);
             })},
            {.Class = L"TButton", .Name = L"Button1", .Bounds = TBoundsSpec{8, 8, 75, 25}, .Caption = L"Paste",
             .Hint = L"A button"},
            {.Class = L"TCheckBox", .Name = L"CheckBox1", .Bounds = TBoundsSpec{90, 12, 90, 17},
             .Caption = L"Tray Icon", .Setup = Set<TCheckBox>([](TCheckBox& c) { c.SetChecked(true); })},
            {.Class = L"TRadioButton", .Name = L"RadioButton1", .Bounds = TBoundsSpec{190, 12, 80, 17},
             .Caption = L"WOG, SOD", .Setup = Set<TRadioButton>([](TRadioButton& r) { r.SetChecked(true); })},
            {.Class = L"TRadioButton", .Name = L"RadioButton2", .Bounds = TBoundsSpec{275, 12, 40, 17},
             .Caption = L"AB"},
            {.Class = L"TEdit", .Name = L"Edit1", .Bounds = TBoundsSpec{320, 10, 40, 21}, .Caption = L"28"},
            {.Class = L"TSpeedButton", .Name = L"SpeedButton1", .Bounds = TBoundsSpec{380, 8, 80, 25},
             .Caption = L"Useless...", .Hint = L"Don't press this button. :)|Thare are some useless properties.",
             .Setup = Set<TSpeedButton>([](TSpeedButton& b) {
                 b.SetGroupIndex(1);
                 b.SetAllowAllUp(true);
                 b.SetDown(true);
             })},
            {.Class = L"TGroupBox", .Name = L"GroupBox1", .Bounds = TBoundsSpec{8, 40, 457, 130},
             .Caption = L"Properties", .Anchors = akLeft | akTop | akRight | akBottom},
            {.Class = L"TLabel", .Name = L"Label1", .Parent = L"GroupBox1", .Bounds = TBoundsSpec{10, 24, 40, 13},
             .Caption = L"Type:"},
            {.Class = L"TComboBox", .Name = L"ComboBox1", .Parent = L"GroupBox1",
             .Bounds = TBoundsSpec{48, 20, 170, 21},
             .Setup = Set<TComboBox>([](TComboBox& c) {
                 c.Items()->Add(L"5  Artifact");
                 c.Items()->Add(L"6  Pandora's Box");
                 c.SetItemIndex(0);
             })},
            {.Class = L"TImage", .Name = L"Image1", .Parent = L"GroupBox1", .Bounds = TBoundsSpec{240, 20, 17, 17},
             .Setup = Set<TImage>([](TImage& i) {
                 TCanvas* c = i.Canvas();
                 c->Brush()->SetColor(clBtnFace);
                 c->FillRect(RECT{0, 0, 17, 17});
                 c->Brush()->SetColor(clYellow);
                 c->Brush()->SetStyle(bsDiagCross);
                 c->Pen()->SetColor(clBlack);
                 c->Rectangle(0, 0, 17, 17);
             })},
            {.Class = L"TLabel", .Name = L"Label2", .Parent = L"GroupBox1", .Bounds = TBoundsSpec{262, 22, 40, 13},
             .Caption = L"Enter", .Font = TFontSpec{.Style = fsBold}},
            {.Class = L"TPanel", .Name = L"Panel1", .Parent = L"GroupBox1", .Bounds = TBoundsSpec{320, 16, 120, 40},
             .Caption = L"Panel", .Setup = Set<TPanel>([](TPanel& p) { p.SetBevelOuter(bvLowered); })},
            {.Class = L"TMemo", .Name = L"Memo1", .Bounds = TBoundsSpec{8, 176, 457, 116},
             .Anchors = akLeft | akRight | akBottom,
             .Setup = Set<TMemo>([](TMemo& m) {
                 m.SetScrollBars(ssVertical);
                 m.Lines()->Add(L"First line of the memo");
                 m.Lines()->Add(L"Second line");
             })},
            {.Class = L"TImageList", .Name = L"ImageList1"},
            {.Class = L"TOpenDialog", .Name = L"OpenDialog1"},
        };
        BuildForm(*this, d);
    }
};

}  // namespace

TEST(FormDescription, OneOfEachControlAHundredTimesLeavesNoHandles)
{
    const long gdi = handles::Live(handles::Kind::Gdi);
    const long user = handles::Live(handles::Kind::User);
    for (int i = 0; i < 100; ++i) {
        auto form = std::make_unique<TEveryControlForm>(nullptr);
        form->Show();
        form->Repaint();
        Pump();
        if (i == 0) {
            EXPECT_GE(handles::Live(handles::Kind::User), user + 10);  // the form and its 9 windowed controls
            EXPECT_GT(handles::Live(handles::Kind::Gdi), gdi);
            auto* memo = FindComponentAs<TMemo>(form.get(), L"Memo1");
            EXPECT_EQ(memo->Lines()->Count(), 2);
            EXPECT_EQ(memo->Lines()->Get(1), L"Second line");
        }
    }
    EXPECT_EQ(handles::Live(handles::Kind::Gdi), gdi);
    EXPECT_EQ(handles::Live(handles::Kind::User), user);
}

// Shows the form for a screenshot when KESTRIN_SHOW_FORM_MS is set.
TEST(FormDescription, ShowsEveryControlOnRequest)
{
    wchar_t buf[16] = {};
    if (!GetEnvironmentVariableW(L"KESTRIN_SHOW_FORM_MS", buf, 16))
        GTEST_SKIP() << "set KESTRIN_SHOW_FORM_MS to look at the form";
    auto form = std::make_unique<TEveryControlForm>(nullptr);
    form->Show();
    int ms = _wtoi(buf);
    PumpUntil([] { return false; }, ms);
}

// A change of DPI lays the described places out again by the rule, fonts by their
// point size, anchored controls from their edges; and coming back restores them.
TEST(FormDescription, AChangeOfDpiScalesTheDescribedLayout)
{
    RegisterComponentClass<TLoadProbe>();
    auto form = std::make_unique<TSampleForm>(nullptr);
    ASSERT_EQ(form->CurrentDpi(), 96);  // the session's display
    auto* button = FindComponentAs<TButton>(form.get(), L"Button1");
    auto* box = FindComponentAs<TGroupBox>(form.get(), L"GroupBox1");
    auto* radio = FindComponentAs<TRadioButton>(form.get(), L"RadioButton2");
    auto* label = FindComponentAs<TLabel>(form.get(), L"Label1");
    int changes = 0;
    struct TCounter {
        int& Count;
        void Changed(TObject*) { ++Count; }
    } counter{changes};
    form->OnDpiChanged = TNotifyEvent(&counter, &TCounter::Changed);

    form->ChangeDpi(144);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(button->CurrentDpi(), 144);
    EXPECT_EQ(form->ClientWidth(), 480);
    EXPECT_EQ(form->ClientHeight(), 360);
    EXPECT_EQ(button->BoundsRect().left, 12);
    EXPECT_EQ(button->Width(), 113);  // 112.5
    EXPECT_EQ(button->Height(), 38);
    EXPECT_EQ(radio->Top(), 60);
    EXPECT_EQ(box->Width(), 450);
    EXPECT_EQ(box->Height(), 225);
    EXPECT_EQ(form->Font()->Height(), -16);
    EXPECT_EQ(button->Font()->Height(), -16);
    EXPECT_EQ(label->Font()->Height(), -16);
    EXPECT_TRUE(label->Font()->Style() & fsBold);
    EXPECT_TRUE(button->Font()->OutlinePreferred()) << "bitmap fonts have few sizes";
    EXPECT_TRUE(label->Font()->OutlinePreferred());

    // The same DPI again, or one no display has, changes nothing.
    form->ChangeDpi(144);
    form->ChangeDpi(0);
    form->ChangeDpi(100000);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(form->CurrentDpi(), 144);

    // The anchored frame keeps its distances from the form's edges at the new DPI.
    form->SetClientSize(form->ClientWidth() + 30, form->ClientHeight() + 20);
    EXPECT_EQ(box->Width(), 480);
    EXPECT_EQ(box->Height(), 245);

    form->ChangeDpi(96);
    EXPECT_EQ(form->ClientWidth(), 320);
    EXPECT_EQ(button->Width(), 75);
    EXPECT_EQ(box->Width(), 300);
    EXPECT_EQ(form->Font()->Height(), -11);
    EXPECT_EQ(label->Font()->Height(), -11);
    EXPECT_FALSE(button->Font()->OutlinePreferred());
    EXPECT_FALSE(label->Font()->OutlinePreferred());
}

// WM_DPICHANGED: a sizeable form takes the suggested rectangle, a fixed one its place.
TEST(FormDescription, TheDpiMessageMovesTheFormToTheSuggestedRectangle)
{
    RegisterComponentClass<TLoadProbe>();
    auto fixed = std::make_unique<TSampleForm>(nullptr);
    RECT suggested{50, 60, 50 + 700, 60 + 500};
    SendMessageW(fixed->Handle(), WM_DPICHANGED, MAKEWPARAM(120, 120), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(fixed->CurrentDpi(), 120);
    EXPECT_EQ(fixed->Left(), 50);
    EXPECT_EQ(fixed->Top(), 60);
    EXPECT_EQ(fixed->ClientWidth(), 400);

    auto sizeable = std::make_unique<TSampleForm>(nullptr);
    sizeable->SetBorderStyle(bsSizeable);
    auto* box = FindComponentAs<TGroupBox>(sizeable.get(), L"GroupBox1");
    SendMessageW(sizeable->Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(sizeable->CurrentDpi(), 192);
    EXPECT_EQ(sizeable->BoundsRect().right, 750);
    EXPECT_EQ(sizeable->BoundsRect().bottom, 560);
    // The frame's right and bottom distances are those of 192 DPI: 24 and 100.
    EXPECT_EQ(sizeable->ClientWidth() - box->BoundsRect().right, 24);
    EXPECT_EQ(sizeable->ClientHeight() - box->BoundsRect().bottom, 100);
}

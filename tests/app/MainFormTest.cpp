// The real main window in-process: decoding, validating and encoding through its
// controls, its creation steps and its clipboard buttons.
#include <gtest/gtest.h>

#include <cstring>

#include "app/MainForm.h"
#include "framework/Application.h"
#include "framework/ComboBox.h"
#include "framework/Edits.h"
#include "framework/ExtCtrls.h"
#include "framework/OSError.h"
#include "framework/SpeedButton.h"
#include "framework/StdCtrls.h"
#include "object/ObjectControls.h"
#include "tests/app/MainFormFixture.h"

namespace {

TEST_F(MainFormTest, PagesWithoutAButtonLeaveNoneCheckedAndEncodeAs255)
{
    ASSERT_TRUE(Decode(MakeBlock("AVWpage", 3)));
    EXPECT_TRUE(Get<TRadioButton>(L"RadioButton11")->Checked());
    EXPECT_EQ(Encode()[4 + 7 + 24], 3);

    for (uint8_t page : {uint8_t(255), uint8_t(6)}) {
        Get<TRadioButton>(L"RadioButton11")->SetChecked(true);
        ASSERT_TRUE(Decode(MakeBlock("AVWpage", page)));
        EXPECT_FALSE(PageChecked()) << int(page);
        EXPECT_EQ(Encode()[4 + 7 + 24], 255) << int(page);
    }
}

TEST_F(MainFormTest, WaterFFChecksWaterAndKeepsTheOtherBits)
{
    ASSERT_TRUE(Decode(MakeBlock("w", 0, 0xFF)));
    EXPECT_TRUE(form->ObjectControls().Checked(L"IACheckControl9"));
    const auto out = Encode();
    EXPECT_EQ(out[4 + 1 + 13], 0xFF);  // bit 0 from the control, bits 1-7 as read
    EXPECT_EQ(out[4 + 1 + 12], 0xFF);  // all eight terrains

    ASSERT_TRUE(Decode(MakeBlock("w", 0, 0xFE)));
    EXPECT_FALSE(form->ObjectControls().Checked(L"IACheckControl9"));
}

TEST_F(MainFormTest, ValidationMessagesComeInOrder)
{
    ASSERT_TRUE(Decode(MakeBlock("v", 0)));
    auto* type = Get<TComboBox>(L"ComboBox1");
    auto* subtype = Get<TComboBox>(L"ComboBox2");
    auto* name = Get<TComboBox>(L"ComboName");
    IObjectControls& controls = form->ObjectControls();

    type->SetText(L"-2147483648");
    subtype->SetText(L"5  Artifact");
    EXPECT_EQ(ValidateControls(controls), L"");
    const auto out = Encode();
    int32_t t = 0;
    std::memcpy(&t, out.data() + 4 + 1 + 16, 4);
    EXPECT_EQ(t, INT32_MIN);

    type->SetText(L"2147483648");
    EXPECT_EQ(ValidateControls(controls), L"Wrong Type");

    subtype->SetText(L"99999999999");
    name->SetText(std::wstring(4067, L'n'));
    EXPECT_EQ(ValidateControls(controls), L"Wrong Type, Wrong Subtype, Huge Picture Name");
    name->SetText(std::wstring(4066, L'n'));
    EXPECT_EQ(ValidateControls(controls), L"Wrong Type, Wrong Subtype");
}

TEST_F(MainFormTest, PictureNameKeepsItsBytesAndStopsAtAByteZero)
{
    // Shown up to the byte 0; encoded as what is shown.
    ASSERT_TRUE(Decode(MakeBlock(std::string("ab\0cd", 5), 0)));
    EXPECT_EQ(Get<TComboBox>(L"ComboName")->Text(), L"ab");
    auto out = Encode();
    EXPECT_EQ(out[0], 2);
    EXPECT_EQ(out[4], 'a');
    EXPECT_EQ(out[5], 'b');

    // Bytes go back unchanged while the text is unchanged, whatever the code page
    // makes of them; an edited name is converted from the text.
    const std::string odd("\x81\x8d\x8f\x90\x9d\xff", 6);
    ASSERT_TRUE(Decode(MakeBlock(odd, 0)));
    out = Encode();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.data() + 4), 6), odd);
    Get<TComboBox>(L"ComboName")->SetText(L"AVWnew");
    out = Encode();
    EXPECT_EQ(out[0], 6);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.data() + 4), 6), "AVWnew");
}

TEST_F(MainFormTest, CreationStepsLayOutTheWindow)
{
    // The grid's rows fit 11 pixels tighter than the description's panel.
    EXPECT_EQ(form->ClientWidth(), 471);
    EXPECT_EQ(form->ClientHeight(), 505);
    EXPECT_EQ(form->Constraints().MinHeight, form->Height());
    EXPECT_EQ(form->Constraints().MaxHeight, form->Height());
    EXPECT_EQ(form->Constraints().MinWidth, form->Width());
    EXPECT_EQ(form->Constraints().MaxWidth, form->Width());

    auto* properties = Get<TGroupBox>(L"GroupBox1");
    auto* useless = Get<TGroupBox>(L"GroupBox2");
    EXPECT_EQ(properties->Height(), 340);
    const RECT p = properties->BoundsRect();
    const RECT u = useless->BoundsRect();
    EXPECT_TRUE(EqualRect(&p, &u));
    EXPECT_FALSE(properties->Visible());
    EXPECT_FALSE(useless->Visible());
    EXPECT_FALSE(Get<TGroupBox>(L"GroupBox4")->Visible());

    TImage* first = form->Cell(0, 0);
    TImage* last = form->Cell(5, 7);
    ASSERT_TRUE(first && last);
    EXPECT_EQ(first->Left(), 8);
    EXPECT_EQ(first->Top(), 31);
    EXPECT_EQ(last->Left(), 379);
    EXPECT_EQ(last->Top(), 201);
    EXPECT_EQ(last->Width(), 54);
    EXPECT_EQ(last->Height(), 35);

    for (int n = 1; n <= 18; ++n) {
        if (n == 9 || n == 18)
            continue;
        auto* a = Get<TControl>((L"IACheckControl" + std::to_wstring(n)).c_str());
        auto* b = Get<TControl>((L"IACheckControl" + std::to_wstring(n + 1)).c_str());
        EXPECT_EQ(b->Left() - a->Left(), 43) << n;
    }
    EXPECT_EQ(Get<TControl>(L"IACheckControl9")->Left(), 352);
    EXPECT_EQ(Get<TControl>(L"IACheckControl18")->Left(), 352);

    EXPECT_EQ(Get<TEdit>(L"Edit1")->Text(), L"28");
    EXPECT_EQ(form->ClipboardFormat(),
              RegisterClipboardFormatA("Heroes of Might and Magic III Map Editor Object Clipboard Format 28"));
    EXPECT_EQ(form->LeftBrush(), 0);
    EXPECT_EQ(form->RightBrush(), 1);
}

TEST_F(MainFormTest, DescriptionGivesTheWindowItsControlsInTabOrder)
{
    std::vector<std::wstring> order;
    for (TWinControl* c : form->TabList())
        order.push_back(c->Name());
    const std::vector<std::wstring> expected = {
        L"RadioButton1", L"RadioButton2", L"RadioButton3", L"Edit1",     L"Button3",   L"Button5",   L"Button6", L"Button4",
        L"CheckBox21",   L"CheckBox20",   L"GroupBox1",    L"Button2",   L"GroupBox2", L"GroupBox4", L"Button1"};
    EXPECT_EQ(order, expected);

    std::vector<std::wstring> pages;
    for (TWinControl* c : Get<TGroupBox>(L"GroupBox2")->TabList())
        pages.push_back(c->Name());
    EXPECT_EQ(pages, (std::vector<std::wstring>{L"RadioButton9", L"RadioButton10", L"RadioButton11", L"RadioButton12",
                                                L"RadioButton13", L"GroupBox3", L"RadioButton8"}));

    EXPECT_EQ(form->Caption(), L"Kestrin");
    EXPECT_EQ(form->WindowClassName(), L"Kestrin Main Form");
    wchar_t cls[64] = {};
    GetClassNameW(form->Handle(), cls, 64);
    EXPECT_STREQ(cls, L"Kestrin Main Form");
    EXPECT_EQ(form->Font()->Name(), L"MS Sans Serif");
    EXPECT_EQ(form->Font()->Height(), -11);
    EXPECT_TRUE(form->ShowHint());
    EXPECT_TRUE(Get<TRadioButton>(L"RadioButton1")->Checked());
    EXPECT_EQ(Get<TRadioButton>(L"RadioButton1")->Hint(), L"Heroes3: In The Wake Of Gods\r\nHeroes3: Shadow Of Death");
    EXPECT_EQ(Get<TControl>(L"IACheckControl7")->Hint(), L"Subterranean");
    EXPECT_EQ(Get<TControl>(L"IACheckControl18")->Hint(), L"Water");
    for (int n = 1; n <= 18; ++n)
        EXPECT_TRUE(form->ObjectControls().Checked(L"IACheckControl" + std::to_wstring(n))) << n;
    EXPECT_FALSE(PageChecked());
    EXPECT_FALSE(Get<TCheckBox>(L"CheckBox20")->Checked());
    const LONG style = GetWindowLongW(form->Handle(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
}

// Whether a picture holds a pixel of the colour.
bool HasColor(TImage* image, TColor color)
{
    TBitmap* bmp = image->Picture();
    for (int y = 0; y < bmp->Height(); ++y)
        for (int x = 0; x < bmp->Width(); ++x)
            if (bmp->Canvas()->Pixels(x, y) == color)
                return true;
    return false;
}

// A click of the user on the "Useless..." button (a graphic control of the window).
void ClickUseless(TForm1* form)
{
    const LPARAM at = MAKELPARAM(420, 50);
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, at);
}

TEST_F(MainFormTest, DecodingRepaintsTheGridAndShowsTheGroupsTheToggleChooses)
{
    ClickUseless(form);  // down before any object: nothing else happens
    EXPECT_TRUE(Get<TSpeedButton>(L"SpeedButton1")->Down());
    EXPECT_FALSE(Get<TGroupBox>(L"GroupBox1")->Visible());

    ASSERT_TRUE(Decode(MakeBlock("grid", 0)));
    EXPECT_TRUE(HasColor(form->Cell(0, 0), clGreen));    // kind 3
    EXPECT_TRUE(HasColor(form->Cell(0, 1), clRed));      // kind 0
    EXPECT_FALSE(HasColor(form->Cell(0, 7), clRed));     // kind 1: face only
    EXPECT_FALSE(HasColor(form->Cell(0, 7), clGreen));
    EXPECT_TRUE(HasColor(form->Cell(0, 7), clBlack));    // its frame

    auto* properties = Get<TGroupBox>(L"GroupBox1");
    auto* useless = Get<TGroupBox>(L"GroupBox2");
    EXPECT_TRUE(properties->Visible() && useless->Visible() && Get<TGroupBox>(L"GroupBox4")->Visible());
    auto zIndex = [this](TControl* c) {
        for (int i = 0; i < form->ControlCount(); ++i)
            if (form->Controls(i) == c)
                return i;
        return -1;
    };
    EXPECT_GT(zIndex(useless), zIndex(properties));
    ClickUseless(form);  // up again: "Properties" to the front
    EXPECT_FALSE(Get<TSpeedButton>(L"SpeedButton1")->Down());
    EXPECT_GT(zIndex(properties), zIndex(useless));
}

TEST_F(MainFormTest, RefusedFormatIsReportedAndLeavesTheClipboardClosed)
{
    ASSERT_TRUE(Decode(MakeBlock("c", 0)));
    // A name the system refuses (atoms hold at most 255 characters) gives format 0.
    Get<TEdit>(L"Edit1")->SetText(std::wstring(300, L'9'));
    form->Button2Click(nullptr);
    EXPECT_EQ(form->ClipboardFormat(), 0u);
    EXPECT_THROW(form->Button5Click(nullptr), EOSError);
    ASSERT_TRUE(OpenClipboard(nullptr)) << "the clipboard was left open";
    EXPECT_EQ(CountClipboardFormats(), 0);
    CloseClipboard();

    // An edition button sets the number and the format again.
    Get<TRadioButton>(L"RadioButton2")->SetChecked(true);
    EXPECT_EQ(Get<TEdit>(L"Edit1")->Text(), L"21");
    EXPECT_EQ(form->ClipboardFormat(),
              RegisterClipboardFormatA("Heroes of Might and Magic III Map Editor Object Clipboard Format 21"));
    form->Button5Click(nullptr);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(form->ClipboardFormat());
    EXPECT_TRUE(data);
    EXPECT_EQ(GlobalSize(data), kObjectBlockSize);
    CloseClipboard();
}

TEST_F(MainFormTest, SystemCommandsGoThroughTheTrayWhileTrayIconIsChecked)
{
    form->Show();
    HWND h = form->Handle();
    auto command = [h](WPARAM c) { return SendMessageW(h, WM_SYSCOMMAND, c, 0); };
    Get<TCheckBox>(L"CheckBox20")->SetChecked(true);
    EXPECT_EQ(command(SC_MINIMIZE), 0);
    EXPECT_FALSE(IsWindowVisible(h));
    command(SC_RESTORE);
    EXPECT_TRUE(IsWindowVisible(h));
    // A window minimised behind the tray's back (it has no button to come back
    // from) is restored too.
    ShowWindow(h, SW_SHOWMINNOACTIVE);
    command(SC_RESTORE);
    EXPECT_FALSE(IsIconic(h));
    EXPECT_TRUE(IsWindowVisible(h));

    // Unchecked: minimising is the system's.
    Get<TCheckBox>(L"CheckBox20")->SetChecked(false);
    command(SC_MINIMIZE);
    EXPECT_TRUE(IsIconic(h));
    EXPECT_TRUE(IsWindowVisible(h));
    command(SC_RESTORE);
}

}  // namespace

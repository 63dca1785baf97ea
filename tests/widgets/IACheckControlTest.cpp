// The image check control on real windows: defaults, the check and group rules,
// mouse and keyboard, the window region, assignment and what a paint puts on
// the screen.
#include "widgets/IACheckControl.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "framework/Forms.h"
#include "framework/ImageList.h"
#include "framework/Strings.h"
#include "tests/framework/ControlsTestSupport.h"
#include "widgets/IACheckField.h"

using namespace testing_support;

namespace {

struct TStateLog : TObject {
    std::vector<std::pair<TPersistent*, bool>> Changes;
    int Clicks = 0;
    void Changed(TPersistent* sender, bool state) { Changes.emplace_back(sender, state); }
    void Click(TObject*) { ++Clicks; }
};

class IACheckControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientSize(400, 300);
    }

    TIACheckControl* Add(int left = 10, int top = 10)
    {
        auto* c = new TIACheckControl(form.get());
        c->SetLeft(left);
        c->SetTop(top);
        c->SetParent(form.get());
        c->OnChangeState = TIACheckControlChangeStateProcedure(&log, &TStateLog::Changed);
        return c;
    }

    // Four 33 x 33 pictures of one colour each.
    TImageList* Pictures(int count = 4)
    {
        auto* list = new TImageList(form.get());
        list->SetSize(33, 33);
        const TColor colors[] = {clRed, clLime, clBlue, clYellow};
        for (int i = 0; i < count; ++i) {
            TBitmap picture;
            picture.SetSize(33, 33);
            picture.Canvas()->Brush()->SetColor(colors[i]);
            picture.Canvas()->FillRect({0, 0, 33, 33});
            list->Add(picture, nullptr);
        }
        return list;
    }

    // What a paint of the control draws.
    static void Paint(TIACheckControl* c, TBitmap& target)
    {
        target.SetSize(c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas()->Handle()), 0);
    }

    static bool HasPixel(TBitmap& b, TColor color)
    {
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                if (b.Canvas()->Pixels(x, y) == ColorToRGB(color))
                    return true;
        return false;
    }

    std::unique_ptr<TForm> form;
    TStateLog log;
};

TEST_F(IACheckControlTest, NewControlHasTheDocumentedDefaults)
{
    TIACheckControl c(nullptr);
    EXPECT_EQ(c.Width(), 80);
    EXPECT_EQ(c.Height(), 20);
    EXPECT_FALSE(c.Checked());
    EXPECT_EQ(c.ControlType(), iacctCheck);
    EXPECT_EQ(c.Style(), iaccsStyle1Small);
    EXPECT_EQ(c.Text(), L"CheckText");
    ASSERT_EQ(c.TextLines()->Count(), 1);
    EXPECT_EQ(c.TextLines()->Get(0), L"CheckText");
    EXPECT_EQ(c.Font()->Name(), L"Times New Roman");
    EXPECT_FALSE(c.ParentFont());
    EXPECT_TRUE(c.AutoSize());
    EXPECT_TRUE(c.Transparent());
    EXPECT_TRUE(c.ShowFocus());
    EXPECT_TRUE(c.TabStop());
    EXPECT_EQ(c.GapTextToImage(), 4);
    EXPECT_TRUE(AntialiasedFonts);  // every NT system since version 4

    // The angle is kept in half a turn each way (the arithmetic is tested natively).
    c.SetTextAngle(1801);
    EXPECT_EQ(c.TextAngle(), -1799);

    // The caption is the lines, split at line breaks, and back.
    c.SetText(L"one\r\ntwo");
    EXPECT_EQ(c.TextLines()->Count(), 2);
    TStringList three;
    three.SetText(L"a\nb\nc");
    c.SetTextLines(&three);
    EXPECT_EQ(c.TextLines()->Count(), 3);
    EXPECT_EQ(c.Text(), L"a\r\nb\r\nc\r\n");
    c.SetTextLines(c.TextLines());  // its own lines stay
    EXPECT_EQ(c.TextLines()->Count(), 3);
    c.SetTextLines(nullptr);
    EXPECT_EQ(c.TextLines()->Count(), 0);
    EXPECT_EQ(c.Text(), L"");
}

TEST_F(IACheckControlTest, RadioUnchecksItsGroupBeforeItsOwnEvent)
{
    form->HandleNeeded();
    TIACheckControl* a = Add();
    TIACheckControl* b = Add();
    TIACheckControl* box = Add();
    TIACheckControl* other = Add();
    for (TIACheckControl* c : {a, b, other})
        c->SetControlType(iacctSelect);
    other->SetGroupIndex(1);
    b->SetChecked(true);
    box->SetChecked(true);
    other->SetChecked(true);
    log.Changes.clear();

    a->SetChecked(true);
    const std::vector<std::pair<TPersistent*, bool>> expected = {{b, false}, {a, true}};
    EXPECT_EQ(log.Changes, expected);
    EXPECT_TRUE(box->Checked());    // a check box is never touched
    EXPECT_TRUE(other->Checked());  // nor another group

    // Writing the current value raises nothing.
    log.Changes.clear();
    a->SetChecked(true);
    b->SetChecked(false);
    EXPECT_TRUE(log.Changes.empty());

    // Becoming a radio control while checked unchecks the group, without an own event.
    box->SetControlType(iacctSelect);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(box->Checked());
    ASSERT_EQ(log.Changes.size(), 1u);
    EXPECT_EQ(log.Changes[0], (std::pair<TPersistent*, bool>{a, false}));

    // Without the parent's window the group is left alone.
    TForm windowless(nullptr);
    auto* x = new TIACheckControl(&windowless);
    auto* y = new TIACheckControl(&windowless);
    x->SetParent(&windowless);
    y->SetParent(&windowless);
    x->SetControlType(iacctSelect);
    y->SetControlType(iacctSelect);
    x->SetChecked(true);
    y->SetChecked(true);
    EXPECT_TRUE(x->Checked());
    EXPECT_FALSE(windowless.HandleAllocated());
}

TEST_F(IACheckControlTest, MouseTogglesEnabledControlsAndDoubleClickIsTwoClicks)
{
    form->Show();
    TIACheckControl* c = Add();
    c->OnClick = TNotifyEvent(&log, &TStateLog::Click);
    c->OnDblClick = TNotifyEvent(&log, &TStateLog::Click);
    HWND h = c->Handle();

    c->SetEnabled(false);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Pt(5, 5));
    SendMessageW(h, WM_LBUTTONUP, 0, Pt(5, 5));
    EXPECT_FALSE(c->Checked());
    EXPECT_NE(GetFocus(), h);

    c->SetEnabled(true);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Pt(5, 5));
    SendMessageW(h, WM_LBUTTONUP, 0, Pt(5, 5));
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(GetFocus(), h);

    // Down, up, double click, up: two toggles and two clicks, no double-click event.
    log.Changes.clear();
    log.Clicks = 0;
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Pt(5, 5));
    SendMessageW(h, WM_LBUTTONUP, 0, Pt(5, 5));
    SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, Pt(5, 5));
    SendMessageW(h, WM_LBUTTONUP, 0, Pt(5, 5));
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(log.Changes.size(), 2u);
    EXPECT_EQ(log.Clicks, 2);

    // A checked radio control stays checked and says nothing.
    c->SetControlType(iacctSelect);
    log.Changes.clear();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Pt(5, 5));
    SendMessageW(h, WM_LBUTTONUP, 0, Pt(5, 5));
    EXPECT_TRUE(c->Checked());
    EXPECT_TRUE(log.Changes.empty());
}

TEST_F(IACheckControlTest, SpaceTogglesOnRelease)
{
    TIACheckControl* c = Add();
    HWND h = c->Handle();
    SendMessageW(h, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(c->Checked());
    SendMessageW(h, WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(c->Checked());
    SendMessageW(h, WM_KEYUP, VK_RETURN, 0);
    EXPECT_TRUE(c->Checked());
    c->SetEnabled(false);
    SendMessageW(h, WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(c->Checked());
}

// Whether the window's region, cut to its rectangle, is exactly `expected`.
bool RegionIs(TIACheckControl* c, const RECT& expected)
{
    TOwnedRegion region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(c->Handle(), static_cast<HRGN>(region.Get())) == ERROR)
        return false;
    TOwnedRegion window(CreateRectRgn(0, 0, c->Width(), c->Height()));
    CombineRgn(static_cast<HRGN>(region.Get()), static_cast<HRGN>(region.Get()), static_cast<HRGN>(window.Get()),
               RGN_AND);
    TOwnedRegion want(CreateRectRgnIndirect(&expected));
    return EqualRgn(static_cast<HRGN>(region.Get()), static_cast<HRGN>(want.Get()));
}

TEST_F(IACheckControlTest, WindowIsShapedToTheFieldAndTheText)
{
    // The main window's terrain switch: the text lies outside, the region is the picture.
    TIACheckControl* terrain = Add();
    terrain->SetStyle(iaccsBitmap);
    terrain->SetImageList(Pictures());
    terrain->SetAutoSize(false);
    terrain->SetBounds(10, 10, 33, 33);
    EXPECT_EQ(terrain->GetTextFieldOrigin(), (TIAPoint{37, 0}));
    EXPECT_TRUE(RegionIs(terrain, {0, 0, 33, 33}));

    // Turned upright, the text stands beside the field, taller than it.
    TIACheckControl* c = Add(100, 10);
    c->SetTextAngle(900);
    const TIASize text = c->GetTextExtent();
    ASSERT_GT(text.Width, 16);
    EXPECT_EQ(c->GetNeededSize(), (TIASize{text.Height + 16 + 4, text.Width}));
    EXPECT_EQ(c->GetRotationOffset(), (TIAPoint{0, text.Width}));
    EXPECT_EQ(c->GetLineOffset(5), (TIAPoint{0, 0}));
    TBitmap shown;
    Paint(c, shown);  // sizes the control
    EXPECT_EQ(c->Width(), text.Height + 20);
    EXPECT_EQ(c->Height(), text.Width);
    TOwnedRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(c->Handle(), static_cast<HRGN>(region.Get())), ERROR);
    const auto rgn = static_cast<HRGN>(region.Get());
    EXPECT_TRUE(PtInRegion(rgn, 8, 8));                           // the field
    EXPECT_FALSE(PtInRegion(rgn, 8, text.Width - 2));             // below it
    EXPECT_TRUE(PtInRegion(rgn, 20 + text.Height / 2, text.Width - 2));  // the text

    // Not transparent: no region, and the whole rectangle in the control's colour.
    c->SetTransparent(false);
    EXPECT_EQ(GetWindowRgn(c->Handle(), rgn), ERROR);
    c->SetAutoSize(false);
    c->SetBounds(100, 10, 120, 90);
    c->SetColor(clAqua);
    Paint(c, shown);
    EXPECT_EQ(shown.Canvas()->Pixels(119, 89), ColorToRGB(clAqua));
    EXPECT_EQ(shown.Canvas()->Pixels(60, 80), ColorToRGB(clAqua));
}

TEST_F(IACheckControlTest, PictureStyleShowsThePictureOfTheState)
{
    TIACheckControl* c = Add();
    c->SetStyle(iaccsBitmap);
    TImageList* four = Pictures();
    c->SetImageList(four);
    c->SetAutoSize(false);
    c->SetBounds(10, 10, 33, 33);
    TBitmap shown;
    const struct {
        bool checked, enabled;
        TColor color;
    } states[] = {{true, true, clLime}, {false, true, clRed}, {true, false, clYellow}, {false, false, clBlue}};
    for (const auto& s : states) {
        c->SetChecked(s.checked);
        c->SetEnabled(s.enabled);
        Paint(c, shown);
        // Every pixel of the picture, not greyed when disabled.
        EXPECT_EQ(shown.Canvas()->Pixels(0, 0), ColorToRGB(s.color)) << s.checked << s.enabled;
        EXPECT_EQ(shown.Canvas()->Pixels(32, 32), ColorToRGB(s.color)) << s.checked << s.enabled;
    }

    // Three pictures are not enough: the background shows.
    c->SetImageList(Pictures(3));
    Paint(c, shown);
    EXPECT_EQ(shown.Canvas()->Pixels(16, 16), ColorToRGB(c->Color()));

    // A freed list is forgotten rather than drawn from.
    c->SetImageList(four);
    delete four;
    EXPECT_EQ(c->ImageList(), nullptr);
    Paint(c, shown);
    EXPECT_EQ(shown.Canvas()->Pixels(16, 16), ColorToRGB(c->Color()));
}

TEST_F(IACheckControlTest, TextIsShadedRaisedGreyedAndFramedWhenFocused)
{
    form->Show();
    TIACheckControl* c = Add();
    c->Font()->SetHeight(-28);
    c->Font()->SetStyle(fsBold);
    c->Font()->SetColor(clBlack);
    c->SetColor(clSilver);
    c->SetText(L"HMW");
    const TColor light = BlendColor(clSilver, clWhite, 100, 30);
    const TColor dark = BlendColor(clSilver, clBlack, 100, 30);
    TBitmap shown;

    Paint(c, shown);
    EXPECT_TRUE(HasPixel(shown, clBlack));
    EXPECT_FALSE(HasPixel(shown, light));

    c->SetText3DStyle(iscct3dsUp);
    Paint(c, shown);
    EXPECT_TRUE(HasPixel(shown, clBlack));
    EXPECT_TRUE(HasPixel(shown, light));
    EXPECT_TRUE(HasPixel(shown, dark));

    // Disabled text lies half way between the font's colour and the control's.
    c->SetText3DStyle(iscct3dsSimple);
    c->SetEnabled(false);
    Paint(c, shown);
    EXPECT_TRUE(HasPixel(shown, BlendColor(clBlack, clSilver, 100, 50)));
    EXPECT_FALSE(HasPixel(shown, clBlack));

    // The focus frame in the dark shade, on a text of blanks: only while focused.
    c->SetEnabled(true);
    c->SetText(L"      ");
    c->SetStyle(iaccsBitmap);  // no list: no field drawn either
    Paint(c, shown);
    EXPECT_FALSE(HasPixel(shown, dark));
    c->SetFocus();
    ASSERT_TRUE(c->Focused());
    Paint(c, shown);
    EXPECT_TRUE(HasPixel(shown, dark));
    c->SetShowFocus(false);
    Paint(c, shown);
    EXPECT_FALSE(HasPixel(shown, dark));

    // Down the diagonal from the text block's corner: two frame widths of the
    // control's colour, then the frame, one pixel per 96-DPI pixel wide.
    c->SetShowFocus(true);
    const TIAPoint text = c->GetTextFieldOrigin();
    for (const auto& [dpi, width] : {std::pair{120, 1}, {144, 2}, {96, 1}}) {
        form->ChangeDpi(dpi);
        Paint(c, shown);
        for (int i = 0; i <= 3 * width; ++i)
            EXPECT_EQ(shown.Canvas()->Pixels(text.X + i, text.Y + i),
                      i >= 2 * width && i < 3 * width ? dark : ColorToRGB(clSilver))
                << dpi << " " << i;
    }
}

TEST_F(IACheckControlTest, AssignCopiesSettingsButNotAngleStateOrEvent)
{
    form->HandleNeeded();
    TIACheckControl* from = Add();
    TIACheckControl* to = Add(100, 100);
    TStateLog fromLog;
    from->OnChangeState = TIACheckControlChangeStateProcedure(&fromLog, &TStateLog::Changed);
    from->SetAutoSize(false);
    from->SetBounds(10, 10, 33, 44);
    from->SetText(L"x\r\ny");
    from->SetChecked(true);
    from->SetStyle(iaccsStyle3);
    from->SetGroupIndex(7);
    from->SetGapTextToImage(9);
    from->SetTransparent(false);
    from->SetTextAngle(450);
    from->SetEnabled(false);
    fromLog.Changes.clear();

    to->Assign(from);
    EXPECT_EQ(to->Left(), 100);
    EXPECT_EQ(to->Width(), 33);
    EXPECT_EQ(to->Height(), 44);
    EXPECT_FALSE(to->AutoSize());
    EXPECT_EQ(to->TextLines()->Count(), 2);
    EXPECT_TRUE(to->Checked());
    EXPECT_EQ(to->Style(), iaccsStyle3);
    EXPECT_EQ(to->GroupIndex(), 7u);
    EXPECT_EQ(to->GapTextToImage(), 9);
    EXPECT_FALSE(to->Transparent());
    EXPECT_EQ(to->TextAngle(), 0);
    EXPECT_TRUE(to->Enabled());
    ASSERT_EQ(log.Changes.size(), 1u);  // the target's own event, for its new state
    EXPECT_EQ(log.Changes[0], (std::pair<TPersistent*, bool>{to, true}));
    EXPECT_TRUE(fromLog.Changes.empty());

    TImageList other(nullptr);
    EXPECT_THROW(to->Assign(&other), EConvertError);
}

}  // namespace

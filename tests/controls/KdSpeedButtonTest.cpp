// The hot-tracking speed button on a form: its painting compared with the base
// button's, the bright looks' frames, the guard against repaints requested while
// it paints, mouse tracking and OnWndProc.
#include "controls/KdSpeedButton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <tuple>

#include "controls/KdPainters.h"
#include "framework/Forms.h"
#include "framework/Themes.h"

namespace {

constexpr TColor kFill = 0x00302010;

// Lets a test leave the base button's hot flag set, as a missed leave notice would.
class TProbeButton : public TKdSpeedButton {
public:
    using TKdSpeedButton::TKdSpeedButton;
    void SetBaseHot(bool on) { FMouseInControl = on; }
    bool BaseHot() const { return FMouseInControl; }
};

struct TRecorder : TObject {
    int Enters = 0, Leaves = 0, Paints = 0, Seen = 0;
    bool Handle = false, CallNext = false;
    void Enter(TObject*) { ++Enters; }
    void Leave(TObject*) { ++Leaves; }
    void Proc(TObject*, TMessage& msg, bool& handled, TWndMethod next)
    {
        Seen += msg.Msg == CM_MOUSEENTER || msg.Msg == CM_MOUSELEAVE;
        if (CallNext)
            next(msg);
        handled = Handle;
    }
    // Asks for repaints while painting.
    void Paint(TKdSpeedButton* sender, TKdProcedure defaultPaint, TButtonState&, bool&, bool)
    {
        ++Paints;
        sender->Invalidate();
        defaultPaint();
        sender->Repaint();
    }
};

class KdSpeedButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetThemeServicesOverride(false);
        form->SetClientSize(200, 100);
    }
    void TearDown() override { SetThemeServicesOverride(std::nullopt); }

    template <class T = TKdSpeedButton>
    T* Add(int w = 40, int h = 22)
    {
        auto* b = new T(form.get());
        b->SetParent(form.get());
        b->SetBounds(10, 10, w, h);
        b->SetCaption(w > 2 ? L"RU" : L"");
        b->SetFlat(true);
        return b;
    }

    // The button painted alone on a bitmap filled with kFill.
    std::unique_ptr<TBitmap> Shot(TControl* button)
    {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(button->Width(), button->Height());
        bitmap->Canvas()->Brush()->SetColor(kFill);
        bitmap->Canvas()->FillRect({0, 0, button->Width(), button->Height()});
        button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap->Canvas()->Handle()), 0);
        return bitmap;
    }
    bool Same(TControl* a, TControl* b)
    {
        auto x = Shot(a), y = Shot(b);
        for (int row = 0; row < x->Height(); ++row)
            if (!std::equal(x->ScanLine(row), x->ScanLine(row) + x->Width(), y->ScanLine(row)))
                return false;
        return true;
    }
    TColor At(TControl* button, int x, int y) { return Shot(button)->Canvas()->Pixels(x, y); }

    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
};

TEST_F(KdSpeedButtonTest, StandardStyleAndThemeOnPaintAsTheBaseButton)
{
    auto* cold = Add<TSpeedButton>();
    auto* hot = Add<TSpeedButton>();
    hot->Perform(CM_MOUSEENTER);
    auto* kd = Add<TProbeButton>();
    // A hot flag with the mouse gone is cleared by the next paint.
    kd->SetBaseHot(true);
    EXPECT_TRUE(Same(cold, kd));
    EXPECT_FALSE(kd->BaseHot());
    // Highlighted looks hot only in its theme mode.
    kd->SetHighlightedXP(true);
    EXPECT_TRUE(Same(cold, kd));
    kd->SetHighlighted(true);
    EXPECT_TRUE(Same(hot, kd));
    kd->SetHighlighted(false);

    // Hot for real: the hot edge. With the theme on every look is the base's.
    kd->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(kd->MouseReallyInControl());
    EXPECT_TRUE(Same(hot, kd));
    SetThemeServicesOverride(true);
    for (TKdSpeedButtonStyle style : {KdsbBright, KdsbBrightFrame1, KdsbBrightFrame2}) {
        kd->SetStyle(style);
        EXPECT_TRUE(Same(hot, kd)) << style;
    }
}

TEST_F(KdSpeedButtonTest, BrightLooksDrawTheirFramesAroundTheBaseButton)
{
    const TColor light = KdBlend(clBtnHighlight, clBtnFace, 128);
    const TColor shadow = ColorToRGB(clBtnShadow), face = ColorToRGB(clBtnFace);
    auto* kd = Add();
    kd->SetStyle(KdsbBrightFrame1);
    EXPECT_EQ(std::tuple(At(kd, 0, 0), At(kd, 1, 1), At(kd, 3, 3)), std::tuple(light, shadow, kFill));
    kd->SetStyle(KdsbBrightFrame2);
    EXPECT_EQ(std::pair(At(kd, 39, 21), At(kd, 38, 20)), std::pair(shadow, light));

    // Cold: no frame, and a face only when the button is not transparent.
    kd->SetStyle(KdsbBright);
    EXPECT_EQ(At(kd, 0, 0), kFill);
    kd->SetTransparent(false);
    EXPECT_EQ(At(kd, 0, 0), face);
    // Hot: the bright face within both frames; the button's settings come back.
    kd->Perform(CM_MOUSEENTER);
    EXPECT_EQ(std::tuple(At(kd, 0, 0), At(kd, 1, 1), At(kd, 3, 3)),
              std::tuple(light, light, static_cast<TColor>(ColorToRGB(clBtnHighlight))));
    EXPECT_FALSE(kd->Transparent());

    // Too small for the inner rectangle: only the outer one.
    auto* tiny = Add(2, 2);
    tiny->SetStyle(KdsbBrightFrame1);
    EXPECT_EQ(At(tiny, 1, 1), light);
}

TEST_F(KdSpeedButtonTest, EveryRingOfTheFramesIsOneDesignPixelWideAtTheFormsDpi)
{
    // The base button flat and hot, flat and down, raised, raised and down; a bright look's frames.
    TSpeedButton* const buttons[] = {Add<TSpeedButton>(), Add<TSpeedButton>(), Add<TSpeedButton>(),
                                     Add<TSpeedButton>(), Add()};
    buttons[0]->Perform(CM_MOUSEENTER);
    for (int i : {1, 3}) {
        buttons[i]->SetGroupIndex(i);
        buttons[i]->SetDown(true);
    }
    for (int i : {2, 3})
        buttons[i]->SetFlat(false);
    static_cast<TKdSpeedButton*>(buttons[4])->SetStyle(KdsbBrightFrame1);
    auto diagonal = [&](TControl* button, int dpi) {
        form->ChangeDpi(dpi);
        std::array<TColor, 6> pixels{};
        for (int i = 0; i < 6; ++i)
            pixels[i] = At(button, i, i);
        return pixels;
    };
    // 120 DPI as 96; 144 every pixel of the 96-DPI diagonal twice, up to the face.
    for (TSpeedButton* button : buttons) {
        const auto at96 = diagonal(button, 96), at144 = diagonal(button, 144);
        EXPECT_EQ(diagonal(button, 120), at96);
        for (size_t i = 0; i < at144.size(); ++i)
            EXPECT_EQ(at144[i], at96[i / 2]) << button->Flat() << button->Down() << " " << i;
    }
}

TEST_F(KdSpeedButtonTest, RepaintsAskedForWhilePaintingAreIgnored)
{
    auto* kd = Add();
    kd->SetStyle(KdsbBrightFrame1);
    TRecorder recorder;
    kd->OnPaint = TKdSpeedButtonPaintEvent(&recorder, &TRecorder::Paint);
    form->Show();
    kd->Invalidate();
    UpdateWindow(form->Handle());
    EXPECT_EQ(recorder.Paints, 1);
    // Neither the handler's requests nor the look's switching of Flat left a
    // repaint behind, which would paint the button again and again.
    EXPECT_FALSE(GetUpdateRect(form->Handle(), nullptr, FALSE));
}

TEST_F(KdSpeedButtonTest, MouseTrackingAndOnWndProc)
{
    auto* kd = Add();
    TRecorder recorder;
    kd->OnMouseEnter = TNotifyEvent(&recorder, &TRecorder::Enter);
    kd->OnMouseLeave = TNotifyEvent(&recorder, &TRecorder::Leave);
    kd->OnWndProc = TKdWndProcEvent(&recorder, &TRecorder::Proc);
    // Left unhandled: the button handles the notice once (and a second enter
    // is no news).
    kd->Perform(CM_MOUSEENTER);
    kd->Perform(CM_MOUSEENTER);
    EXPECT_EQ(std::pair(recorder.Seen, recorder.Enters), std::pair(2, 1));
    // Handled without calling on: swallowed.
    recorder.Handle = true;
    kd->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(recorder.Leaves, 0);
    EXPECT_TRUE(kd->MouseReallyInControl());
    // Handled after calling on: handled once, by the call.
    recorder.CallNext = true;
    kd->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(recorder.Leaves, 1);
    EXPECT_FALSE(kd->MouseReallyInControl());
}

}  // namespace

// The terrain switches, their all/none pictures and the page buttons on the real
// main window: clicks as the window receives them, and what encoding then writes.
#include <gtest/gtest.h>

#include "framework/ExtCtrls.h"
#include "framework/ImageList.h"
#include "tests/app/MainFormFixture.h"
#include "widgets/IACheckControl.h"

namespace {

class TerrainSelectorsTest : public MainFormTest {
protected:
    TIACheckControl* Switch(int n) { return Get<TIACheckControl>((L"IACheckControl" + std::to_wstring(n)).c_str()); }

    // A left click at (x, y) of a window, as the system delivers it.
    static void ClickAt(TWinControl* window, int x, int y)
    {
        SendMessageW(window->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(window->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    // A click in the middle of a picture of a group.
    void ClickPicture(const wchar_t* group, const wchar_t* picture)
    {
        const RECT r = Get<TImage>(picture)->BoundsRect();
        ClickAt(Get<TWinControl>(group), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    // The terrains byte and the water byte that encoding writes, for row 1 or 10.
    std::pair<int, int> Encoded(TTerrainRow row)
    {
        const auto out = Encode();
        const size_t at = 4 + 1 + 12 + (row == TTerrainRow::Properties ? 0 : 2);
        return {out[at], out[at + 1]};
    }
};

TEST_F(TerrainSelectorsTest, AllAndNonePicturesCheckTheirOwnRowOnly)
{
    ASSERT_TRUE(Decode(MakeBlock("t", 0, 0)));  // terrains 0xFF, water 0; map editor: none
    ClickPicture(L"GroupBox1", L"CheckNone");
    EXPECT_EQ(Encoded(TTerrainRow::Properties), std::make_pair(0x00, 0));
    EXPECT_EQ(Encoded(TTerrainRow::MapEditor), std::make_pair(0x00, 0));

    ClickPicture(L"GroupBox1", L"CheckAll");
    EXPECT_EQ(Encoded(TTerrainRow::Properties), std::make_pair(0xFF, 1));
    EXPECT_EQ(Encoded(TTerrainRow::MapEditor), std::make_pair(0x00, 0));

    ClickPicture(L"GroupBox3", L"Image1");
    EXPECT_EQ(Encoded(TTerrainRow::MapEditor), std::make_pair(0xFF, 1));
    // Unchecking Lava in "Properties" leaves the map editor's Lava as it was.
    ClickAt(Switch(8), 16, 16);
    EXPECT_FALSE(Switch(8)->Checked());
    EXPECT_TRUE(Switch(17)->Checked());
    EXPECT_EQ(Encoded(TTerrainRow::Properties), std::make_pair(0x7F, 1));
    ClickPicture(L"GroupBox3", L"Image2");
    EXPECT_EQ(Encoded(TTerrainRow::MapEditor), std::make_pair(0x00, 0));
    EXPECT_EQ(Encoded(TTerrainRow::Properties), std::make_pair(0x7F, 1));
}

TEST_F(TerrainSelectorsTest, PageWithoutAButtonThenHeroesEncodesThree)
{
    ASSERT_TRUE(Decode(MakeBlock("p", 6)));
    EXPECT_FALSE(PageChecked());
    // The user's click on "Heroes", as the button reports it to the window.
    SendMessageW(Get<TRadioButton>(L"RadioButton11")->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(Get<TRadioButton>(L"RadioButton11")->Checked());
    EXPECT_EQ(Encode()[4 + 1 + 24], 3);
    SendMessageW(Get<TRadioButton>(L"RadioButton8")->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(Get<TRadioButton>(L"RadioButton11")->Checked());
    EXPECT_EQ(Encode()[4 + 1 + 24], 0);
}

// Whether a pixel is one of the marker's chequer colours.
bool IsMarker(COLORREF c) { return c == RGB(128, 128, 0) || c == RGB(128, 0, 0); }

TEST_F(TerrainSelectorsTest, SwitchesArePicturesTenPixelsApartMarkedWhenChecked)
{
    for (int first : {1, 10}) {
        EXPECT_EQ(Switch(first)->Left(), 8);
        for (int n = first; n < first + 8; ++n)
            EXPECT_EQ(Switch(n + 1)->Left() - (Switch(n)->Left() + Switch(n)->Width()), 10) << n;
    }
    for (int n = 1; n <= 18; ++n) {
        TIACheckControl* s = Switch(n);
        EXPECT_FALSE(s->AutoSize()) << n;
        ASSERT_TRUE(s->ImageList()) << n;
        EXPECT_EQ(s->ImageList(), Switch(n > 9 ? n - 9 : n)->ImageList()) << "the rows share the lists";
        EXPECT_EQ(s->ImageList()->Count(), 4) << n;
        EXPECT_EQ(s->GetCheckFieldSize(), (TIASize{33, 33})) << n;
    }

    // Each terrain's pictures: 0, 2 and 3 the plain texture, 1 the same with the
    // marker in the middle (black frame, olive and maroon inside, shadow beyond).
    for (int n = 1; n <= 9; ++n) {
        TImageList* list = Switch(n)->ImageList();
        TBitmap plain, marked, disabled, disabledChecked;
        list->GetBitmap(0, plain);
        list->GetBitmap(1, marked);
        list->GetBitmap(2, disabled);
        list->GetBitmap(3, disabledChecked);
        int differing = 0;
        for (int y = 0; y < 33; ++y) {
            for (int x = 0; x < 33; ++x) {
                const COLORREF p = plain.Canvas()->Pixels(x, y);
                EXPECT_EQ(disabled.Canvas()->Pixels(x, y), p);
                EXPECT_EQ(disabledChecked.Canvas()->Pixels(x, y), p);
                EXPECT_FALSE(IsMarker(p) && IsMarker(plain.Canvas()->Pixels(x + 1, y))) << n;
                differing += marked.Canvas()->Pixels(x, y) != p;
            }
        }
        EXPECT_EQ(marked.Canvas()->Pixels(8, 9), RGB(0, 0, 0)) << n;
        EXPECT_EQ(marked.Canvas()->Pixels(23, 23), RGB(0, 0, 0)) << n;
        EXPECT_TRUE(IsMarker(marked.Canvas()->Pixels(16, 16)) && IsMarker(marked.Canvas()->Pixels(17, 16))) << n;
        EXPECT_NE(marked.Canvas()->Pixels(16, 16), marked.Canvas()->Pixels(17, 16)) << n;
        EXPECT_GT(differing, 16 * 15) << n;  // the marker and its shadow
    }

    // The switch shows the marker while checked, the window is exactly the picture.
    TIACheckControl* dirt = Switch(1);
    TBitmap shown;
    shown.SetSize(33, 33);
    dirt->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shown.Canvas()->Handle()), 0);
    EXPECT_TRUE(IsMarker(shown.Canvas()->Pixels(16, 16)));
    dirt->SetChecked(false);
    dirt->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shown.Canvas()->Handle()), 0);
    EXPECT_FALSE(IsMarker(shown.Canvas()->Pixels(16, 16)));
    TOwnedRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(dirt->Handle(), static_cast<HRGN>(region.Get())), ERROR);
    TOwnedRegion picture(CreateRectRgn(0, 0, 33, 33));
    EXPECT_TRUE(EqualRgn(static_cast<HRGN>(region.Get()), static_cast<HRGN>(picture.Get())));

    // The all picture carries the red cross, the none picture does not.
    auto hasRed = [](TImage* image) {
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (image->Picture()->Canvas()->Pixels(x, y) == RGB(208, 0, 0))
                    return true;
        return false;
    };
    EXPECT_TRUE(hasRed(Get<TImage>(L"CheckAll")));
    EXPECT_TRUE(hasRed(Get<TImage>(L"Image1")));
    EXPECT_FALSE(hasRed(Get<TImage>(L"CheckNone")));
    EXPECT_FALSE(hasRed(Get<TImage>(L"Image2")));
    EXPECT_EQ(Get<TImage>(L"CheckNone")->Picture()->Width(), 16);
}

}  // namespace

// The mask grid's mouse painting and its legend on the real main window, with
// the mouse messages delivered to the panel as the system delivers them.
#include <gtest/gtest.h>

#include "framework/ExtCtrls.h"
#include "tests/app/MainFormFixture.h"

namespace {

class MaskGridTest : public MainFormTest {
protected:
    TPanel* Panel() { return Get<TPanel>(L"Panel1"); }

    // The middle of a cell, in the panel's client coordinates.
    LPARAM At(int row, int column)
    {
        const RECT r = form->Cell(row, column)->BoundsRect();
        return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void Send(UINT msg, WPARAM keys, int row, int column) { SendMessageW(Panel()->Handle(), msg, keys, At(row, column)); }

    // The kinds of all 48 cells, row by row.
    std::vector<int> Kinds()
    {
        std::vector<int> kinds;
        for (int r = 0; r < kMaskRows; ++r)
            for (int c = 0; c < kMaskColumns; ++c)
                kinds.push_back(form->MaskStore().Kind(r, c));
        return kinds;
    }
    static int Index(int row, int column) { return row * kMaskColumns + column; }

    // Clicks a legend caption with the left button, or asks it for its context menu.
    void LegendClick(const wchar_t* label)
    {
        const RECT r = Get<TControl>(label)->BoundsRect();
        const LPARAM at = MAKELPARAM(r.left + 2, r.top + 2);
        SendMessageW(Panel()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(Panel()->Handle(), WM_LBUTTONUP, 0, at);
    }
    void LegendPopup(const wchar_t* label)
    {
        const RECT r = Get<TControl>(label)->BoundsRect();
        const POINT screen = Panel()->ClientToScreen({r.left + 2, r.top + 2});
        SendMessageW(Panel()->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Panel()->Handle()),
                     MAKELPARAM(screen.x, screen.y));
    }
};

TEST_F(MaskGridTest, LegendSetsTheBrushesWithoutAnObjectWhileTheGridIgnoresTheMouse)
{
    const std::vector<int> before = Kinds();
    LegendClick(L"Label9");   // "Enter"
    LegendPopup(L"Label10");  // "Non-enterable enter"
    EXPECT_EQ(form->LeftBrush(), ckEnter);
    EXPECT_EQ(form->RightBrush(), ckNonEnterableEnter);
    // The indicators take the brushes' colours: "L" yellow, "R" green.
    auto shows = [](TImage* image, TColor color) {
        for (int y = 0; y < image->Height(); ++y)
            for (int x = 0; x < image->Width(); ++x)
                if (image->Picture()->Canvas()->Pixels(x, y) == color)
                    return true;
        return false;
    };
    EXPECT_TRUE(shows(Get<TImage>(L"Image15"), clYellow));
    EXPECT_TRUE(shows(Get<TImage>(L"Image16"), clGreen));
    LegendClick(L"Image9");  // "Object" by its picture
    EXPECT_EQ(form->LeftBrush(), ckObject);

    Send(WM_LBUTTONDOWN, MK_LBUTTON, 0, 1);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 0, 2);
    Send(WM_LBUTTONUP, 0, 0, 2);
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 1, 1);
    Send(WM_RBUTTONUP, 0, 1, 1);
    EXPECT_EQ(Kinds(), before);
}

TEST_F(MaskGridTest, DragPaintsEveryCrossedCellAndNoOther)
{
    ASSERT_TRUE(Decode(MakeBlock("g", 0)));
    LegendClick(L"Label9");  // left brush "Enter"
    std::vector<int> expected = Kinds();

    // Left-drag along row 3 from column 2 to column 5, then up into row 2.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 2, 1);
    for (int c = 2; c <= 4; ++c)
        Send(WM_MOUSEMOVE, MK_LBUTTON, 2, c);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 1, 4);
    Send(WM_LBUTTONUP, 0, 1, 4);
    for (int c = 1; c <= 4; ++c)
        expected[Index(2, c)] = ckEnter;
    expected[Index(1, 4)] = ckEnter;
    EXPECT_EQ(Kinds(), expected);
    EXPECT_EQ(form->MaskStore().Passability[2] & 0x1E, 0);
    EXPECT_EQ(form->MaskStore().Action[2] & 0x1E, 0x1E);

    // A right-drag paints with the right brush ("Not an object").
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 5, 7);
    Send(WM_MOUSEMOVE, MK_RBUTTON, 5, 6);
    Send(WM_RBUTTONUP, 0, 5, 6);
    expected[Index(5, 7)] = ckNotAnObject;
    expected[Index(5, 6)] = ckNotAnObject;
    EXPECT_EQ(Kinds(), expected);
}

TEST_F(MaskGridTest, BothButtonsOrTheMiddleButtonPaintNothing)
{
    ASSERT_TRUE(Decode(MakeBlock("g", 0)));
    // Brushes that would change every cell of the block's empty rows.
    LegendClick(L"Label9");
    LegendPopup(L"Label10");
    const std::vector<int> before = Kinds();
    Send(WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, 3, 3);
    Send(WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, 3, 4);
    Send(WM_MBUTTONDOWN, MK_MBUTTON, 4, 4);
    Send(WM_MOUSEMOVE, MK_MBUTTON, 4, 5);
    Send(WM_MBUTTONUP, 0, 4, 5);
    EXPECT_EQ(Kinds(), before);
}

TEST_F(MaskGridTest, OnlyCellsWhoseBitsChangeAreRepainted)
{
    ASSERT_TRUE(Decode(MakeBlock("g", 0)));
    // Row 1, column 2 is an "Object" cell; a stray pixel on its frame shows whether
    // it is painted again.
    ASSERT_EQ(form->MaskStore().Kind(0, 1), ckObject);
    TCanvas* cell = form->Cell(0, 1)->Picture()->Canvas();
    cell->SetPixels(0, 5, clFuchsia);

    Send(WM_MOUSEMOVE, MK_LBUTTON, 0, 1);  // left brush is "Object": nothing changes
    EXPECT_EQ(cell->Pixels(0, 5), ColorToRGB(clFuchsia));
    Send(WM_MOUSEMOVE, MK_RBUTTON, 0, 1);  // right brush "Not an object": repainted
    EXPECT_EQ(form->MaskStore().Kind(0, 1), ckNotAnObject);
    EXPECT_EQ(cell->Pixels(0, 5), ColorToRGB(clBlack));
}

}  // namespace

// The main window at the system's DPI (the test runs at 96, 120, 144 and 192) and
// after a change of DPI: described places scaled by the one rule, what start-up
// derives from them derived again, and the object kept.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "framework/ComboBox.h"
#include "framework/Dpi.h"
#include "framework/ExtCtrls.h"
#include "framework/ImageList.h"
#include "framework/StdCtrls.h"
#include "tests/app/MainFormFixture.h"
#include "widgets/IACheckControl.h"

namespace {

std::wstring Numbered(const wchar_t* prefix, int n) { return prefix + std::to_wstring(n); }

// Places that start-up moves after the description: the terrain switches after the
// first of a row, the two big frames and the grid's panel (the grid refit).
bool Derived(const std::wstring& name)
{
    static const std::set<std::wstring> derived = [] {
        std::set<std::wstring> s{L"GroupBox1", L"GroupBox2", L"Panel1"};
        for (int n = 2; n <= 18; ++n)
            if (n != 10)
                s.insert(Numbered(L"IACheckControl", n));
        return s;
    }();
    return derived.count(name) != 0;
}

std::wstring WithoutAccelerator(std::wstring text)
{
    for (size_t at = text.find(L'&'); at != std::wstring::npos; at = text.find(L'&', at + 1))
        text.erase(at, 1);
    return text;
}

SIZE TextExtent(TControl& control, const std::wstring& text)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, control.Font()->Handle());
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}

// The width of an icon's picture.
int IconSide(HICON icon)
{
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

class MainFormDpiTest : public MainFormTest {
protected:
    void ExpectLayoutAt(int dpi)
    {
        SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
        auto S = [dpi](int v) { return ScaleForDpi(v, dpi); };
        ASSERT_EQ(form->CurrentDpi(), dpi);
        const TDesignLayout& design = form->DesignLayout();

        // Every described place is its 96-DPI place scaled; combo boxes take the
        // height their font gives them.
        for (const TDesignPlace& place : design.Places()) {
            auto* control = FindComponentAs<TControl>(form, place.Name);
            if (!control || !place.Bounds || Derived(place.Name))
                continue;
            SCOPED_TRACE(std::string(place.Name.begin(), place.Name.end()));
            EXPECT_NEAR(control->Left(), S(place.Bounds->Left), 1);
            EXPECT_NEAR(control->Top(), S(place.Bounds->Top), 1);
            // Labels size themselves to their text; combo boxes take their font's height.
            auto* label = dynamic_cast<TLabel*>(control);
            const bool sizedToText = label && label->AutoSize();
            if (!sizedToText) {
                EXPECT_NEAR(control->Width(), S(place.Bounds->Width), 1);
            }
            if (!sizedToText && !dynamic_cast<TCustomCombo*>(control)) {
                EXPECT_NEAR(control->Height(), S(place.Bounds->Height), 1);
            }
            // Captions fit inside their controls (a box or button beside the text included).
            const std::wstring caption = WithoutAccelerator(control->Caption());
            const bool captioned = dynamic_cast<TButton*>(control) || dynamic_cast<TCheckBox*>(control) ||
                                   dynamic_cast<TRadioButton*>(control) || dynamic_cast<TLabel*>(control);
            if (captioned && !caption.empty()) {
                const SIZE text = TextExtent(*control, caption);
                const int box = dynamic_cast<TButton*>(control) || dynamic_cast<TLabel*>(control)
                                    ? 0
                                    : SystemMetricForDpi(SM_CXMENUCHECK, dpi);
                EXPECT_LE(text.cx + box, control->Width()) << "caption too wide";
                EXPECT_LE(text.cy, control->Height()) << "caption too high";
            }
        }

        // The terrain switches: the scaled picture size, the scaled gap between them.
        for (int first : {1, 10}) {
            for (int n = first; n < first + 9; ++n) {
                auto* terrain = FindComponentAs<TIACheckControl>(form, Numbered(L"IACheckControl", n));
                ASSERT_TRUE(terrain);
                EXPECT_EQ(terrain->Width(), S(33));
                EXPECT_EQ(terrain->Height(), S(33));
                ASSERT_TRUE(terrain->ImageList());
                EXPECT_EQ(terrain->ImageList()->Width(), S(33));
                EXPECT_EQ(terrain->ImageList()->Height(), S(33));
                if (n > first) {
                    auto* left = Get<TControl>(Numbered(L"IACheckControl", n - 1).c_str());
                    EXPECT_EQ(terrain->Left(), left->Left() + left->Width() + S(10)) << n;
                }
            }
        }

        // The grid: 48 cells of the template's size in 6 even rows and 8 even
        // columns inside the panel, whose height fits them with the legend's margin.
        auto* panel = Get<TPanel>(L"Panel1");
        auto* model = Get<TImage>(L"Image12");
        std::set<int> lefts, tops;
        for (int r = 0; r < 6; ++r) {
            for (int c = 0; c < 8; ++c) {
                TImage* cell = form->Cell(r, c);
                ASSERT_TRUE(cell);
                EXPECT_EQ(cell->Parent(), panel);
                EXPECT_EQ(cell->Width(), model->Width());
                EXPECT_EQ(cell->Height(), model->Height());
                EXPECT_EQ(cell->Picture()->Width(), model->Width());
                EXPECT_GE(cell->Left(), 0);
                EXPECT_LE(cell->Left() + cell->Width(), panel->ClientWidth());
                EXPECT_LE(cell->Top() + cell->Height(), panel->ClientHeight());
                lefts.insert(cell->Left());
                tops.insert(cell->Top());
            }
        }
        ASSERT_EQ(lefts.size(), 8u);
        ASSERT_EQ(tops.size(), 6u);
        const std::vector<int> xs(lefts.begin(), lefts.end()), ys(tops.begin(), tops.end());
        for (size_t i = 2; i < xs.size(); ++i)
            EXPECT_NEAR(xs[i] - xs[i - 1], xs[1] - xs[0], 1);
        for (size_t i = 2; i < ys.size(); ++i)
            EXPECT_EQ(ys[i] - ys[i - 1], ys[1] - ys[0]);
        EXPECT_EQ(panel->Height() - (ys.back() + model->Height()), Get<TImage>(L"Image8")->Top());

        // The window: 471 wide, 516 high less what the refit took from the panel, scaled;
        // the frames follow the panel, "Useless Properties" lies under "Properties".
        EXPECT_EQ(form->ClientWidth(), S(471));
        EXPECT_NEAR(form->ClientHeight(), S(516) - (S(255) - panel->Height()), 1);
        auto* properties = Get<TGroupBox>(L"GroupBox1");
        EXPECT_NEAR(properties->Height(), S(351) - (S(255) - panel->Height()), 1);
        const RECT p = properties->BoundsRect();
        const RECT u = Get<TGroupBox>(L"GroupBox2")->BoundsRect();
        EXPECT_TRUE(EqualRect(&p, &u));
        EXPECT_EQ(form->Constraints().MinHeight, form->Height());
        EXPECT_EQ(form->Constraints().MaxHeight, form->Height());
        EXPECT_EQ(form->Constraints().MaxWidth, form->Width());

        // Fonts: 8 pt for the window's DPI.
        EXPECT_EQ(form->Font()->Height(), FontHeightForDpi(-11, dpi));
        EXPECT_EQ(Get<TLabel>(L"Label11")->Font()->Height(), FontHeightForDpi(-11, dpi));
    }

    std::vector<std::pair<std::wstring, RECT>> AllBounds()
    {
        std::vector<std::pair<std::wstring, RECT>> bounds;
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (auto* control = dynamic_cast<TControl*>(form->Components(i)))
                bounds.emplace_back(control->Name(), control->BoundsRect());
        return bounds;
    }

    std::vector<uint8_t> CopiedBlock()
    {
        form->Button5Click(nullptr);
        std::vector<uint8_t> bytes;
        if (!OpenClipboard(nullptr))
            return bytes;
        if (HANDLE data = GetClipboardData(form->ClipboardFormat())) {
            const auto* p = static_cast<const uint8_t*>(GlobalLock(data));
            bytes.assign(p, p + GlobalSize(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return bytes;
    }
};

TEST_F(MainFormDpiTest, TheWindowIsLaidOutForTheSystemDpi)
{
    EXPECT_EQ(form->CurrentDpi(), SystemDpi());
    ExpectLayoutAt(SystemDpi());
}

TEST_F(MainFormDpiTest, ADpiChangeTakesTheSuggestedPlaceAndTheNewLayoutAndKeepsTheObject)
{
    ASSERT_TRUE(Decode(MakeBlock("AVWdpi0.def", 2)));
    form->ObjectControls().ShowGroups();
    const std::vector<uint8_t> before = CopiedBlock();
    ASSERT_FALSE(before.empty());
    const auto bounds = AllBounds();
    const int original = form->CurrentDpi();
    auto* paste = Get<TButton>(L"Button3");
    form->ShowForm();
    paste->SetFocus();

    for (int dpi : {original == 144 ? 192 : 144, 120, original}) {
        RECT suggested{40 + dpi / 4, 30, 40 + dpi / 4 + ScaleForDpi(form->Width(), dpi), 30 + 500};
        SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        RECT window{};
        GetWindowRect(form->Handle(), &window);
        EXPECT_EQ(window.left, suggested.left) << dpi;
        EXPECT_EQ(window.top, suggested.top) << dpi;
        ExpectLayoutAt(dpi);
        EXPECT_EQ(GetFocus(), paste->Handle()) << dpi;
        // The title bar's and the task switcher's icons at the system's sizes for the DPI.
        if (dpi != 96) {
            EXPECT_EQ(IconSide(reinterpret_cast<HICON>(SendMessageW(form->Handle(), WM_GETICON, ICON_SMALL, 0))),
                      SystemMetricForDpi(SM_CXSMICON, dpi));
            EXPECT_EQ(IconSide(reinterpret_cast<HICON>(SendMessageW(form->Handle(), WM_GETICON, ICON_BIG, 0))),
                      SystemMetricForDpi(SM_CXICON, dpi));
        }
        EXPECT_EQ(CopiedBlock(), before) << dpi;
    }
    // Back at the first DPI, every control stands where it stood.
    EXPECT_EQ(AllBounds().size(), bounds.size());
    const auto after = AllBounds();
    for (size_t i = 0; i < std::min(after.size(), bounds.size()); ++i) {
        const RECT& a = after[i].second;
        const RECT& b = bounds[i].second;
        EXPECT_TRUE(EqualRect(&a, &b)) << std::string(after[i].first.begin(), after[i].first.end()) << ": " << a.left
                                       << "," << a.top << "," << a.right << "," << a.bottom << " was " << b.left << ","
                                       << b.top << "," << b.right << "," << b.bottom;
    }
}

}  // namespace

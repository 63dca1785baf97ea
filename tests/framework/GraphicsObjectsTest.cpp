#include "framework/GraphicsObjects.h"

#include <gtest/gtest.h>

#include "framework/ImageList.h"
#include "tests/framework/GraphicsTestSupport.h"

namespace {

using namespace graphicstest;

class TCounter : public TObject {
    CLASS_INFO(TCounter, TObject)

public:
    void Count(TObject*) { ++count; }
    int count = 0;
};

TEST(Font, HandleFollowsTheSettings)
{
    TLiveCounts start;
    TFont font;
    TCounter changes;
    font.OnChange = TNotifyEvent(&changes, &TCounter::Count);
    EXPECT_EQ(font.Name(), L"MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);

    LOGFONTW lf{};
    ASSERT_EQ(GetObjectW(font.Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(handles::Live(handles::Kind::Gdi), start.gdi + 1);

    font.SetStyle(fsBold | fsItalic);
    EXPECT_FALSE(font.HandleAllocated()) << "made again on next use";
    ASSERT_EQ(GetObjectW(font.Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_EQ(handles::Live(handles::Kind::Gdi), start.gdi + 1) << "the old font was freed";

    font.SetSize(12);
    EXPECT_EQ(font.Height(), -16);
    EXPECT_EQ(font.Size(), 12);
    font.SetSize(12);  // no change, no event
    EXPECT_EQ(changes.count, 2);

    TFont copy;
    copy.Assign(font);
    EXPECT_EQ(copy.Height(), -16);
    EXPECT_EQ(copy.Style(), fsBold | fsItalic);

    // A font handed over is owned and described.
    LOGFONTW turned = lf;
    turned.lfEscapement = turned.lfOrientation = 900;
    font.SetHandle(CreateFontIndirectW(&turned));
    EXPECT_EQ(font.Height(), turned.lfHeight);
    EXPECT_EQ(font.Style(), fsBold | fsItalic);
    ASSERT_EQ(GetObjectW(font.Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfEscapement, 900);
    EXPECT_EQ(handles::Live(handles::Kind::Gdi), start.gdi + 1);

    // Assigning equal settings to a turned font turns it back.
    font.Assign(copy);
    ASSERT_EQ(GetObjectW(font.Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfEscapement, 0);
    EXPECT_EQ(handles::Live(handles::Kind::Gdi), start.gdi + 1) << "the turned font was freed";
}

// Away from 96 DPI fonts are outline ones; the dialog face becomes its outline twin.
TEST(Font, AnOutlineFontIsAskedForWhenPreferred)
{
    TFont font;
    LOGFONTW lf{};
    ASSERT_EQ(GetObjectW(font.Handle(), sizeof lf, &lf), int(sizeof lf));
    EXPECT_EQ(lf.lfOutPrecision, OUT_DEFAULT_PRECIS);
    EXPECT_STREQ(lf.lfFaceName, L"MS Sans Serif");

    HFONT bitmap = font.Handle();
    font.SetOutlinePreferred(true);
    EXPECT_NE(font.Handle(), bitmap) << "a new font for the new setting";
    ASSERT_EQ(GetObjectW(font.Handle(), sizeof lf, &lf), int(sizeof lf));
    EXPECT_EQ(lf.lfOutPrecision, OUT_TT_PRECIS);
    EXPECT_STREQ(lf.lfFaceName, L"Microsoft Sans Serif");
    EXPECT_EQ(font.Name(), L"MS Sans Serif") << "the setting keeps its name";

    TFont copy;
    copy.Assign(font);
    EXPECT_TRUE(copy.OutlinePreferred());
    copy.SetName(L"Tahoma");
    ASSERT_EQ(GetObjectW(copy.Handle(), sizeof lf, &lf), int(sizeof lf));
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
    EXPECT_EQ(lf.lfOutPrecision, OUT_TT_PRECIS);
}

TEST(Handles, HundredsOfObjectsComeAndGoWithoutLeaks)
{
    TLiveCounts start;
    for (int i = 0; i < 100; ++i) {
        TFont font;
        font.SetHeight(-10 - i % 7);
        ASSERT_NE(font.Handle(), nullptr);
        font.SetStyle(fsUnderline);
        ASSERT_NE(font.Handle(), nullptr);

        TBrush brush;
        brush.SetStyle(static_cast<TBrushStyle>(i % 8));
        ASSERT_NE(brush.Handle(), nullptr);
        brush.SetColor(static_cast<TColor>(i));
        ASSERT_NE(brush.Handle(), nullptr);

        TPen pen;
        pen.SetWidth(1 + i % 3);
        ASSERT_NE(pen.Handle(), nullptr);

        TBitmap bitmap;
        Prepare(bitmap, 16, 16, static_cast<TColor>(i * 1000));
        bitmap.Canvas()->Font()->SetStyle(fsBold);
        bitmap.Canvas()->TextOut(0, 0, L"x");
        bitmap.SetSize(20, 20);

        TImageList list(nullptr);
        list.Add(bitmap, nullptr);
        list.Draw(*bitmap.Canvas(), 0, 0, 0);
    }
    EXPECT_EQ(handles::Live(handles::Kind::Gdi), start.gdi);
    EXPECT_EQ(handles::Live(handles::Kind::User), start.user);
}

}  // namespace

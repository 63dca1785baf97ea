#include "framework/Icon.h"

#include <gtest/gtest.h>

#include "framework/OSError.h"
#include "tests/framework/GraphicsTestSupport.h"

namespace {

using namespace graphicstest;

TEST(Icon, OwnsItsHandleAndKnowsItsSize)
{
    TLiveCounts start;
    {
        TBitmap color;
        Prepare(color, 24, 24, clRed);
        HBITMAP mask = CreateBitmap(24, 24, 1, 1, nullptr);
        ICONINFO info{TRUE, 0, 0, mask, color.Handle()};
        TIcon icon;
        icon.SetHandle(CreateIconIndirect(&info));
        DeleteObject(mask);
        ASSERT_FALSE(icon.Empty());
        EXPECT_EQ(icon.Width(), 24);
        EXPECT_EQ(icon.Height(), 24);

        TIcon copy;
        copy.Assign(icon);
        EXPECT_NE(copy.Handle(), icon.Handle());
        EXPECT_EQ(copy.Width(), 24);
        EXPECT_EQ(handles::Live(handles::Kind::User), start.user + 2);

        EXPECT_THROW(icon.LoadFromResourceID(GetModuleHandleW(nullptr), 31999), EOSError);
        EXPECT_EQ(icon.Width(), 24) << "a failed load keeps the icon";
        EXPECT_THROW(LoadApplicationIcon(icon, 32), EOSError) << "this program has no icon";
        EXPECT_EQ(icon.Width(), 24);
    }
    EXPECT_EQ(handles::Live(handles::Kind::User), start.user);
    EXPECT_EQ(handles::Live(handles::Kind::Gdi), start.gdi);
}

}  // namespace

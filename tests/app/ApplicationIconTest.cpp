// Kestrin's icon at the sizes of every display scale.
#include "framework/Icon.h"

#include <gtest/gtest.h>

#include "framework/OSError.h"

TEST(ApplicationIcon, EverySizeIsLoadedAtThatSize)
{
    // 28 has no image of its own: the system scales the nearest.
    for (const int size : {16, 20, 24, 28, 32, 40, 48, 64, 256}) {
        TIcon icon;
        LoadApplicationIcon(icon, size);
        EXPECT_EQ(icon.Width(), size);
        EXPECT_EQ(icon.Height(), size);
    }
    TIcon icon;
    EXPECT_THROW(LoadApplicationIcon(icon, 0), EOSError);
}

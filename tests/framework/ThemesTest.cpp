#include "framework/Themes.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <uxtheme.h>

namespace {

TEST(Themes, TheOverrideAnswersUntilClearedThenTheSystemDoes)
{
    SetThemeServicesOverride(false);
    EXPECT_FALSE(ThemeServicesEnabled());
    SetThemeServicesOverride(true);
    EXPECT_TRUE(ThemeServicesEnabled());
    SetThemeServicesOverride(std::nullopt);
    EXPECT_EQ(ThemeServicesEnabled(), IsThemeActive() && IsAppThemed());
}

}  // namespace

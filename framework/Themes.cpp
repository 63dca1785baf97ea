#include "framework/Themes.h"

#include <windows.h>
#include <uxtheme.h>

namespace {
std::optional<bool> g_override;
}

bool ThemeServicesEnabled()
{
    if (g_override)
        return *g_override;
    return IsThemeActive() && IsAppThemed();
}

void SetThemeServicesOverride(std::optional<bool> enabled) { g_override = enabled; }

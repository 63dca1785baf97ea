#pragma once
// Whether the system draws controls with its visual-styles theme. Painters that
// draw only for the classic look ask this one query; tests can set its answer.
#include <optional>

// True while the visual-styles theme is on and applies to this program.
bool ThemeServicesEnabled();

// Replaces the system's answer (tests); std::nullopt asks the system again.
void SetThemeServicesOverride(std::optional<bool> enabled);

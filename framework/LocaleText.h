#pragma once
// Text compared as the user's locale compares it.
#include <string>
#include <string_view>

// A key that two texts share exactly when the user's locale compares them as
// equal without regard to case (the locale's sort key). Raises the system's
// error when the key cannot be made.
std::string CaseBlindSortKey(std::wstring_view text);

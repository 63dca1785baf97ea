#pragma once
// Names of window messages, for diagnostics and test failure output.
#include <cstdint>
#include <string>

// "WM_PAINT", "CM_MOUSEENTER", "CN_COMMAND", or "0x1234" for a number without a name.
std::wstring MessageName(uint32_t msg);

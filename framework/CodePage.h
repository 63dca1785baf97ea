#pragma once
// Conversion between UTF-16 and the 8-bit text of a code page, at the boundaries
// where the program keeps 8-bit text (picture names, clipboard format names).
#include <windows.h>

#include <string>
#include <string_view>

// Raises the system's error when the text cannot be converted.
std::wstring FromCodePage(std::string_view bytes, UINT codePage = CP_ACP);
std::string ToCodePage(std::wstring_view text, UINT codePage = CP_ACP);

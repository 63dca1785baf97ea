#pragma once
// The number reader: reads a signed 32-bit integer from 8-bit or UTF-16 text in
// bases 2..36 and reports how the reading ended with a status code.
#include <cstddef>
#include <cstdint>
#include <string_view>

// Status codes of ParseInteger. Code 6 is the two flags 2 and 4 together.
enum : int32_t {
    kdpiOk = 0,            // read to the end of the text
    kdpiNoText = 1,        // no text at all (absent, not empty)
    kdpiOverflow = 2,      // too large for 32 bits; the value is clamped
    kdpiBadBase = 3,       // base outside 2..36; the value is 0
    kdpiBadChar = 4,       // stopped at a character that is not a digit of the base
    kdpiOverflowBadChar = 6,
};

// Value of a character as a digit (0..35), 255 for characters that are no digit
// in any base. Characters above 255 are never digits.
uint8_t DigitValue(char32_t ch);

// Reads an integer from text[0..length). A null text means "no text": value 0,
// code 1. separator (0 for none) is skipped anywhere among the digits; a blank
// separator turns skipLeading on and trailingSpaces off. skipLeading skips
// blanks and separators before the sign; trailingSpaces lets blanks (and
// separators) follow the digits, and anything else after them adds 4 to the code.
// code may be null.
int32_t ParseInteger(const char* text, std::size_t length, int32_t* code = nullptr, int32_t base = 10,
                     char separator = 0, bool skipLeading = false, bool trailingSpaces = false);
int32_t ParseInteger(const wchar_t* text, std::size_t length, int32_t* code = nullptr, int32_t base = 10,
                     wchar_t separator = 0, bool skipLeading = false, bool trailingSpaces = false);

// Forms that take a string: the text is always present, so an empty string
// reads as 0 with code 0 and code 1 never occurs.
int32_t ParseInteger(std::string_view text, int32_t* code = nullptr, int32_t base = 10, char separator = 0,
                     bool skipLeading = false, bool trailingSpaces = false);
int32_t ParseInteger(std::wstring_view text, int32_t* code = nullptr, int32_t base = 10, wchar_t separator = 0,
                     bool skipLeading = false, bool trailingSpaces = false);

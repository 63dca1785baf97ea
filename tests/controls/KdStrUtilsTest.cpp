#include "controls/KdStrUtils.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Reading {
    int32_t value;
    int32_t code;
};

Reading Read(std::string_view text, int32_t base = 10, char separator = 0, bool skipLeading = false,
             bool trailingSpaces = false)
{
    int32_t code = -1;
    const int32_t value = ParseInteger(text, &code, base, separator, skipLeading, trailingSpaces);
    return {value, code};
}

Reading ReadW(std::wstring_view text, int32_t base = 10, wchar_t separator = 0, bool skipLeading = false,
              bool trailingSpaces = false)
{
    int32_t code = -1;
    const int32_t value = ParseInteger(text, &code, base, separator, skipLeading, trailingSpaces);
    return {value, code};
}

#define EXPECT_READS(reading, v, c)     \
    do {                                \
        const Reading r_ = (reading);   \
        EXPECT_EQ(r_.value, (v));       \
        EXPECT_EQ(r_.code, (c));        \
    } while (0)

TEST(ParseIntegerTest, PlainDecimalWithSigns)
{
    EXPECT_READS(Read("123"), 123, 0);
    EXPECT_READS(Read("+7"), 7, 0);
    EXPECT_READS(Read("-0"), 0, 0);
    EXPECT_READS(Read("-"), 0, 0);
    EXPECT_READS(Read("+"), 0, 0);
    EXPECT_READS(Read(""), 0, 0);
    EXPECT_READS(Read("2147483647"), 2147483647, 0);
    EXPECT_READS(Read("-2147483648"), INT32_MIN, 0);
    EXPECT_READS(Read("0000000000000000000042"), 42, 0);  // leading zeros never overflow
}

TEST(ParseIntegerTest, StopsAtNonDigitKeepingWhatWasRead)
{
    EXPECT_READS(Read("-45x"), -45, 4);
    EXPECT_READS(Read("5  Artifact"), 5, 4);
    EXPECT_READS(Read("abc"), 0, 4);
    EXPECT_READS(Read(" 5"), 0, 4);  // leading blanks are not skipped without the option
    EXPECT_READS(Read("+-5"), 0, 4);  // only one sign
    EXPECT_READS(Read("1,000"), 1, 4);  // no separator given
    // 8-bit characters above 127 are no digits, whatever their sign as char.
    EXPECT_READS(Read("7\xB2"), 7, 4);
}

TEST(ParseIntegerTest, OverflowClampsAndLooksAtTheRest)
{
    EXPECT_READS(Read("2147483648"), INT32_MAX, 2);
    EXPECT_READS(Read("-2147483649"), INT32_MIN, 2);
    EXPECT_READS(Read("99999999999"), INT32_MAX, 2);
    EXPECT_READS(Read("99999999999z"), INT32_MAX, 6);
    EXPECT_READS(Read("-99999999999 "), INT32_MIN, 6);  // a blank is only allowed with trailingSpaces
    EXPECT_READS(Read("99999999999", 10, 0, false, true), INT32_MAX, 2);
    EXPECT_READS(Read("99999999999  ", 10, 0, false, true), INT32_MAX, 2);
    EXPECT_READS(Read("99999999999  x", 10, 0, false, true), INT32_MAX, 6);
}

TEST(ParseIntegerTest, BasesOutsideTwoToThirtySixGiveCode3)
{
    EXPECT_READS(Read("101", 1), 0, 3);
    EXPECT_READS(Read("101", 37), 0, 3);
    EXPECT_READS(Read("101", -10), 0, 3);
    EXPECT_READS(Read("101", 2), 5, 0);
    EXPECT_READS(Read("102", 2), 2, 4);  // '2' is no digit in base 2
    EXPECT_READS(Read("zZ", 36), 35 * 36 + 35, 0);
    EXPECT_READS(Read("-7fffffff", 16), -0x7fffffff, 0);
    EXPECT_READS(Read("80000000", 16), INT32_MAX, 2);
    EXPECT_READS(Read("-80000000", 16), INT32_MIN, 0);
    EXPECT_READS(Read("g", 16), 0, 4);
}

TEST(ParseIntegerTest, SeparatorAndLeadingSkip)
{
    EXPECT_READS(Read(",,1,000", 10, ',', true), 1000, 0);
    EXPECT_READS(Read(",,1,000", 10, ','), 1000, 0);  // separators go anywhere among the digits
    EXPECT_READS(Read(",-5", 10, ','), 0, 4);         // but before the sign only with skipLeading
    EXPECT_READS(Read(",-5", 10, ',', true), -5, 0);
    EXPECT_READS(Read("1,000,", 10, ','), 1000, 0);
    EXPECT_READS(Read("  -12", 10, 0, true), -12, 0);
    EXPECT_READS(Read("- 12", 10, 0, true), 0, 4);
    // A blank separator means: skip leading blanks, no trailing check, blanks among digits.
    EXPECT_READS(Read("  1 000 000", 10, ' '), 1000000, 0);
    EXPECT_READS(Read("1 000x", 10, ' ', false, true), 1000, 4);
}

TEST(ParseIntegerTest, TrailingSpaces)
{
    EXPECT_READS(Read("12   ", 10, 0, false, true), 12, 0);
    EXPECT_READS(Read("12   x", 10, 0, false, true), 12, 4);
    EXPECT_READS(Read("12x", 10, 0, false, true), 12, 4);
    EXPECT_READS(Read("12 ,, ", 10, ',', false, true), 12, 0);
    EXPECT_READS(Read("12 ", 10), 12, 4);  // without the option a blank is just a non-digit
}

TEST(ParseIntegerTest, AbsentTextAndOptionalCode)
{
    int32_t code = -1;
    EXPECT_EQ(ParseInteger(static_cast<const char*>(nullptr), 0, &code), 0);
    EXPECT_EQ(code, 1);
    code = -1;
    EXPECT_EQ(ParseInteger(static_cast<const wchar_t*>(nullptr), 5, &code, 37), 0);
    EXPECT_EQ(code, 1);  // absence is reported before the base is looked at
    // A string form never reports absence, not even for a view without storage.
    code = -1;
    EXPECT_EQ(ParseInteger(std::string_view(), &code), 0);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ParseInteger("42"), 42);  // the code is optional
    // Only `length` characters are read, embedded NULs included.
    const char text[] = "12\0" "34";
    EXPECT_EQ(ParseInteger(text, 2, &code), 12);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ParseInteger(text, 5, &code), 12);
    EXPECT_EQ(code, 4);
}

TEST(ParseIntegerTest, WideText)
{
    EXPECT_READS(ReadW(L"-2147483648"), INT32_MIN, 0);
    EXPECT_READS(ReadW(L"5  Artifact"), 5, 4);
    EXPECT_READS(ReadW(L"99999999999z"), INT32_MAX, 6);
    EXPECT_READS(ReadW(L"1\u00A0000", 10, L'\u00A0'), 1000, 0);  // a separator above 127
    // Characters above 255 are never digits, even when their low byte is one.
    EXPECT_READS(ReadW(L"1\u0131"), 1, 4);   // low byte 0x31 is '1'
    EXPECT_READS(ReadW(L"\uFF11"), 0, 4);    // full-width digit one
    EXPECT_READS(ReadW(L"Zz", 36), 35 * 36 + 35, 0);
}

TEST(ParseIntegerTest, DigitTable)
{
    EXPECT_EQ(DigitValue(U'0'), 0);
    EXPECT_EQ(DigitValue(U'9'), 9);
    EXPECT_EQ(DigitValue(U'A'), 10);
    EXPECT_EQ(DigitValue(U'z'), 35);
    EXPECT_EQ(DigitValue(U'@'), 255);
    EXPECT_EQ(DigitValue(U'['), 255);
    EXPECT_EQ(DigitValue(0xB2), 255);
    EXPECT_EQ(DigitValue(0x130), 255);
}

}  // namespace

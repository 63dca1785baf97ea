#include "controls/KdStrUtils.h"

#include <array>
#include <limits>

namespace {

// One entry per 8-bit character code, made once: 0-9, A-Z and a-z are digits
// 0..35, everything else 255.
constexpr std::array<uint8_t, 256> MakeDigitTable()
{
    std::array<uint8_t, 256> table{};
    for (auto& entry : table)
        entry = 255;
    for (int c = '0'; c <= '9'; ++c)
        table[static_cast<std::size_t>(c)] = static_cast<uint8_t>(c - '0');
    for (int c = 'A'; c <= 'Z'; ++c)
        table[static_cast<std::size_t>(c)] = static_cast<uint8_t>(c - 'A' + 10);
    for (int c = 'a'; c <= 'z'; ++c)
        table[static_cast<std::size_t>(c)] = static_cast<uint8_t>(c - 'a' + 10);
    return table;
}

constexpr std::array<uint8_t, 256> kDigitTable = MakeDigitTable();

// Character code without sign extension, so that 8-bit text above 127 is not
// taken for a negative number.
inline char32_t CodeOf(char ch) { return static_cast<unsigned char>(ch); }
inline char32_t CodeOf(wchar_t ch) { return static_cast<char32_t>(ch); }

template <class CharT>
int32_t Parse(const CharT* text, std::size_t length, int32_t* codeOut, int32_t base, CharT separator,
              bool skipLeading, bool trailingSpaces)
{
    int32_t dummy = 0;
    int32_t& code = codeOut ? *codeOut : dummy;
    if (!text) {
        code = kdpiNoText;
        return 0;
    }
    const CharT blank = CharT(' ');
    if (separator == blank) {
        skipLeading = true;
        trailingSpaces = false;
    }
    code = kdpiOk;
    if (base < 2 || base > 36) {
        code = kdpiBadBase;
        return 0;
    }
    const bool hasSeparator = separator != CharT(0);
    auto isSeparator = [&](CharT ch) { return hasSeparator && ch == separator; };

    std::size_t i = 0;
    if (skipLeading)
        while (i < length && (text[i] == blank || isSeparator(text[i])))
            ++i;

    bool negative = false;
    if (i < length && text[i] == CharT('-')) {
        negative = true;
        ++i;
    } else if (i < length && text[i] == CharT('+')) {
        ++i;
    }

    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    int64_t value = 0;
    bool overflow = false;
    for (; i < length; ++i) {
        const CharT ch = text[i];
        if (isSeparator(ch))
            continue;
        const uint8_t digit = DigitValue(CodeOf(ch));
        if (digit >= base) {
            // A blank after the digits ends them when trailing blanks are allowed,
            // the same as after an overflow; the rest is checked below.
            if (ch == blank && trailingSpaces)
                break;
            code = kdpiBadChar;
            return static_cast<int32_t>(value);
        }
        // The value stays within 32 bits, so value * base +- digit fits in 64 bits.
        value = negative ? value * base - digit : value * base + digit;
        if (value > kMax || value < kMin) {
            value = negative ? kMin : kMax;
            code = kdpiOverflow;
            overflow = true;
            ++i;
            break;
        }
    }

    if (overflow) {
        // The rest of the number is passed over; what follows it decides the code.
        for (; i < length; ++i) {
            const CharT ch = text[i];
            if (isSeparator(ch) || DigitValue(CodeOf(ch)) < base)
                continue;
            if (ch == blank && trailingSpaces)
                break;
            code = kdpiOverflowBadChar;
            return static_cast<int32_t>(value);
        }
    }

    if (trailingSpaces) {
        for (; i < length; ++i) {
            if (text[i] == blank || isSeparator(text[i]))
                continue;
            code |= kdpiBadChar;
            break;
        }
    }
    return static_cast<int32_t>(value);
}

}  // namespace

uint8_t DigitValue(char32_t ch)
{
    return ch < kDigitTable.size() ? kDigitTable[ch] : uint8_t(255);
}

int32_t ParseInteger(const char* text, std::size_t length, int32_t* code, int32_t base, char separator,
                     bool skipLeading, bool trailingSpaces)
{
    return Parse(text, length, code, base, separator, skipLeading, trailingSpaces);
}

int32_t ParseInteger(const wchar_t* text, std::size_t length, int32_t* code, int32_t base, wchar_t separator,
                     bool skipLeading, bool trailingSpaces)
{
    return Parse(text, length, code, base, separator, skipLeading, trailingSpaces);
}

int32_t ParseInteger(std::string_view text, int32_t* code, int32_t base, char separator, bool skipLeading,
                     bool trailingSpaces)
{
    // A view of an empty string may carry no pointer; it is still a present text.
    static constexpr char kEmpty[] = "";
    return Parse(text.data() ? text.data() : kEmpty, text.size(), code, base, separator, skipLeading,
                 trailingSpaces);
}

int32_t ParseInteger(std::wstring_view text, int32_t* code, int32_t base, wchar_t separator, bool skipLeading,
                     bool trailingSpaces)
{
    static constexpr wchar_t kEmpty[] = L"";
    return Parse(text.data() ? text.data() : kEmpty, text.size(), code, base, separator, skipLeading,
                 trailingSpaces);
}

// Any bytes as text for the number reader, with the options taken from the first
// bytes; the result must keep the reader's promises, and 8-bit and UTF-16 text
// with the same character codes must read alike.
#include "controls/KdStrUtils.h"

#include <cstdlib>
#include <vector>

namespace {

struct Reading {
    int32_t value;
    int32_t code;
};

template <class CharT>
Reading Check(const CharT* text, size_t length, int32_t base, CharT separator, bool skipLeading, bool trailing)
{
    int32_t code = -1;
    const int32_t value = ParseInteger(text, length, &code, base, separator, skipLeading, trailing);
    switch (code) {
    case 0:
    case 4:
        break;
    case 1:
        if (text || value != 0)
            std::abort();
        break;
    case 2:
    case 6: {
        // Clamped towards the sign that was read.
        const bool skip = skipLeading || separator == CharT(' ');
        size_t i = 0;
        while (skip && i < length && (text[i] == CharT(' ') || (separator && text[i] == separator)))
            ++i;
        const bool minus = i < length && text[i] == CharT('-');
        if (value != (minus ? INT32_MIN : INT32_MAX))
            std::abort();
        break;
    }
    case 3:
        if (value != 0 || (base >= 2 && base <= 36))
            std::abort();
        break;
    default:
        std::abort();
    }
    if (text && length == 0 && (value != 0 || (code != 0 && code != 3)))
        std::abort();
    return {value, code};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    const int32_t base = static_cast<int8_t>(data[0]) % 40;
    const uint8_t flags = data[1];
    const bool skipLeading = flags & 1, trailing = flags & 2, wide = flags & 4, absent = flags & 8;
    const uint8_t sep = data[2];
    data += 3;
    size -= 3;
    if (wide) {
        std::vector<wchar_t> text(size / 2);
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>(data[2 * i] | data[2 * i + 1] << 8);
        Check<wchar_t>(absent ? nullptr : text.data(), text.size(), base, static_cast<wchar_t>(sep | flags >> 4 << 8),
                       skipLeading, trailing);
        return 0;
    }
    const std::vector<char> text(data, data + size);
    const Reading narrow =
        Check<char>(absent ? nullptr : text.data(), text.size(), base, static_cast<char>(sep), skipLeading, trailing);
    std::vector<wchar_t> widened(size);
    for (size_t i = 0; i < size; ++i)
        widened[i] = static_cast<wchar_t>(data[i]);
    const Reading wideReading = Check<wchar_t>(absent ? nullptr : widened.data(), widened.size(), base,
                                               static_cast<wchar_t>(sep), skipLeading, trailing);
    if (narrow.value != wideReading.value || narrow.code != wideReading.code)
        std::abort();
    return 0;
}

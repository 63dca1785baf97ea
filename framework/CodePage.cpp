#include "framework/CodePage.h"

#include <limits>
#include <stdexcept>

#include "framework/OSError.h"

namespace {

int CheckedLength(size_t size)
{
    if (size > static_cast<size_t>(std::numeric_limits<int>::max()))
        throw std::length_error("text too long to convert");
    return static_cast<int>(size);
}

}  // namespace

std::wstring FromCodePage(std::string_view bytes, UINT codePage)
{
    if (bytes.empty())
        return {};
    const int length = CheckedLength(bytes.size());
    const int size = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (size <= 0)
        RaiseLastOSError();
    std::wstring text(static_cast<size_t>(size), L'\0');
    if (MultiByteToWideChar(codePage, 0, bytes.data(), length, text.data(), size) != size)
        RaiseLastOSError();
    return text;
}

std::string ToCodePage(std::wstring_view text, UINT codePage)
{
    if (text.empty())
        return {};
    const int length = CheckedLength(text.size());
    const int size = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        RaiseLastOSError();
    std::string bytes(static_cast<size_t>(size), '\0');
    if (WideCharToMultiByte(codePage, 0, text.data(), length, bytes.data(), size, nullptr, nullptr) != size)
        RaiseLastOSError();
    return bytes;
}

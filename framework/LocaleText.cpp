#include "framework/LocaleText.h"

#include <windows.h>

#include <limits>
#include <stdexcept>

#include "framework/OSError.h"

std::string CaseBlindSortKey(std::wstring_view text)
{
    if (text.size() > static_cast<size_t>(std::numeric_limits<int>::max()))
        throw std::length_error("text too long for a sort key");
    // An empty text has a key too (other texts may compare equal to it); the
    // system takes it only as a terminated string.
    static constexpr wchar_t kEmpty[] = L"";
    const wchar_t* source = text.empty() ? kEmpty : text.data();
    const int length = text.empty() ? -1 : static_cast<int>(text.size());
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;

    // Most keys fit the first try; the size is asked only for longer ones.
    std::string key(text.size() < 256 ? 64 + 4 * text.size() : 1088, '\0');
    int size = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, source, length, reinterpret_cast<LPWSTR>(key.data()),
                            static_cast<int>(key.size()));
    if (size == 0) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            RaiseLastOSError();
        size = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, source, length, nullptr, 0);
        if (size == 0)
            RaiseLastOSError();
        key.assign(static_cast<size_t>(size), '\0');
        size = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, source, length, reinterpret_cast<LPWSTR>(key.data()), size);
        if (size == 0)
            RaiseLastOSError();
    }
    // The key's size counts its closing zero byte.
    key.resize(static_cast<size_t>(size) - 1);
    return key;
}

#include "framework/OSError.h"

#include <cwchar>

std::wstring SysErrorMessage(DWORD code)
{
    wchar_t* text = nullptr;
    DWORD len = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                   FORMAT_MESSAGE_IGNORE_INSERTS,
                               nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring system;
    if (len && text) {
        system.assign(text, len);
        // The system's text ends in a line break; the message ends with the text itself.
        while (!system.empty() && (system.back() == L'\n' || system.back() == L'\r' || system.back() == L' '))
            system.pop_back();
    }
    if (text)
        LocalFree(text);
    return system;
}

std::wstring SysErrorText(DWORD code)
{
    if (code == 0)
        return L"A call to an OS function failed";
    wchar_t head[64];
    std::swprintf(head, 64, L"System Error.  Code: %lu.\r\n", static_cast<unsigned long>(code));
    return head + SysErrorMessage(code);
}

EFOpenError::EFOpenError(DWORD code, const std::wstring& fileName)
    : EOSError(code, L"Cannot open file \"" + fileName + L"\". " + SysErrorMessage(code))
{
}

void RaiseOSError(DWORD code)
{
    throw EOSError(code, SysErrorText(code));
}

void RaiseLastOSError()
{
    RaiseOSError(GetLastError());
}

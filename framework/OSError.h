#pragma once
// Operating-system errors: raised with the system's error code and message,
// never ignored.
#include <windows.h>

#include "framework/Exceptions.h"

class EOSError : public Exception {
public:
    EOSError(DWORD code, std::wstring message) : Exception(std::move(message)), code_(code) {}
    DWORD ErrorCode() const { return code_; }

private:
    DWORD code_;
};

// A file could not be opened: "Cannot open file "<name>". <system's message>".
class EFOpenError : public EOSError {
public:
    EFOpenError(DWORD code, const std::wstring& fileName);
};

// "System Error.  Code: %d.\r\n%s" for a code, "A call to an OS function failed" for 0.
std::wstring SysErrorText(DWORD code);
// The system's own text for an error code, without a line break at its end.
std::wstring SysErrorMessage(DWORD code);
[[noreturn]] void RaiseOSError(DWORD code);
// Raises the thread's last error (GetLastError).
[[noreturn]] void RaiseLastOSError();
// Raises the last error when ok is false; returns ok otherwise.
inline BOOL Win32Check(BOOL ok)
{
    if (!ok)
        RaiseLastOSError();
    return ok;
}

#pragma once
// System functions looked up when first called. Every DLL the loader maps before
// the program runs adds to its start, and some are needed only by a few commands
// (the file dialogs, the notification area, the command line's arguments); those
// are loaded on first use, from the system folder only.
#include <windows.h>

// The function's address, or null with the system's last error set. The DLL
// stays loaded for the rest of the process.
FARPROC SystemProc(const wchar_t* library, const char* name);

// SystemProc typed as F (a function type, e.g. BOOL WINAPI(NOTIFYICONDATAW*)).
template <typename F>
F* SystemFunction(const wchar_t* library, const char* name)
{
    return reinterpret_cast<F*>(reinterpret_cast<void*>(SystemProc(library, name)));
}

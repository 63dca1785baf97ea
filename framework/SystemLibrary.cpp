#include "framework/SystemLibrary.h"

#include <string>

namespace {

HMODULE LoadFromSystemFolder(const wchar_t* library)
{
    // Already mapped: take that one (no new reference is needed, it stays).
    if (HMODULE loaded = GetModuleHandleW(library))
        return loaded;
    // Systems without the search flags refuse it as an invalid parameter; then
    // the full path of the system folder keeps a planted DLL out all the same.
    if (HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return module;
    if (GetLastError() != ERROR_INVALID_PARAMETER)
        return nullptr;
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + library;
    return LoadLibraryW(path.c_str());
}

}  // namespace

FARPROC SystemProc(const wchar_t* library, const char* name)
{
    HMODULE module = LoadFromSystemFolder(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

#include "controls/KdSysUtils.h"

#include <cstdint>
#include <vector>

#include "framework/CodePage.h"
#include "framework/Exceptions.h"
#include "framework/OSError.h"

namespace {

bool IsPathDelimiter(wchar_t ch) { return ch == L'\\' || ch == L'/'; }

bool DirectoryExists(const std::wstring& dir)
{
    DWORD attributes = GetFileAttributesW(dir.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// GetFullPathNameW into a string; false (with the last error set) on failure.
bool ExpandFileName(const std::wstring& name, std::wstring& full)
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetFullPathNameW(name.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0)
            return false;
        if (length < buffer.size()) {
            full.assign(buffer.data(), length);
            return true;
        }
        buffer.resize(length + 1);
    }
}

// No real path has more levels than characters; this bounds the walk upwards
// even if the system's expansion of a name never reached a fixed point.
constexpr size_t kMaxDirectoryLevels = 32768;

}  // namespace

int MsgBox(const std::wstring& text) { return MessageBoxW(nullptr, text.c_str(), L"", MB_OK); }

std::wstring ExtractFilePath(std::wstring_view path)
{
    size_t pos = path.find_last_of(L"\\/:");
    return pos == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, pos + 1));
}

bool MakeDirs(const std::wstring& dir)
{
    // Walk up from dir to the first directory that exists, remembering the
    // missing ones; then make them from the top down. Each parent is the
    // directory part of the fully expanded name without one trailing delimiter,
    // so 'C:\a\b\' leads to 'C:\a\' and a missing drive ends at 'Q:'.
    std::vector<std::wstring> missing;
    std::wstring current = dir;
    while (!current.empty() && !DirectoryExists(current)) {
        std::wstring full;
        if (!ExpandFileName(current, full))
            return false;
        if (!full.empty() && IsPathDelimiter(full.back()))
            full.pop_back();
        std::wstring parent = ExtractFilePath(full);
        if (parent == current) {
            SetLastError(ERROR_PATH_NOT_FOUND);
            return false;
        }
        if (missing.size() >= kMaxDirectoryLevels) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return false;
        }
        missing.push_back(std::move(current));
        current = std::move(parent);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (!CreateDirectoryW(it->c_str(), nullptr))
            return false;
    }
    return true;
}

HANDLE CreateFileMakeDirs(const std::wstring& fileName, DWORD desiredAccess, DWORD shareMode,
                          SECURITY_ATTRIBUTES* securityAttributes, DWORD creationDisposition,
                          DWORD flagsAndAttributes, HANDLE templateFile)
{
    if (creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS) {
        if (!MakeDirs(ExtractFilePath(fileName))) {
            if (GetLastError() == ERROR_SUCCESS)
                SetLastError(ERROR_PATH_NOT_FOUND);
            return INVALID_HANDLE_VALUE;
        }
    }
    return CreateFileW(fileName.c_str(), desiredAccess, shareMode, securityAttributes, creationDisposition,
                       flagsAndAttributes, templateFile);
}

// ReadFile and WriteFile take a 32-bit count; larger transfers go in pieces.
constexpr size_t kMaxTransfer = 1u << 30;

void ReadFileExact(HANDLE file, void* buffer, size_t count)
{
    auto* cursor = static_cast<unsigned char*>(buffer);
    while (count > 0) {
        DWORD wanted = static_cast<DWORD>(count < kMaxTransfer ? count : kMaxTransfer);
        DWORD got = 0;
        if (!ReadFile(file, cursor, wanted, &got, nullptr))
            RaiseLastOSError();
        if (got == 0 || got > wanted)
            RaiseOSError(ERROR_HANDLE_EOF);
        cursor += got;
        count -= got;
    }
}

void WriteFileExact(HANDLE file, const void* buffer, size_t count)
{
    const auto* cursor = static_cast<const unsigned char*>(buffer);
    while (count > 0) {
        DWORD wanted = static_cast<DWORD>(count < kMaxTransfer ? count : kMaxTransfer);
        DWORD written = 0;
        if (!WriteFile(file, cursor, wanted, &written, nullptr))
            RaiseLastOSError();
        if (written == 0 || written > wanted)
            RaiseOSError(ERROR_WRITE_FAULT);
        cursor += written;
        count -= written;
    }
}

std::string ReadFileBytes(const std::wstring& fileName, size_t maxBytes)
{
    // An editor may have the file open meanwhile.
    TOwnedFile file(CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw EFOpenError(GetLastError(), fileName);
    LARGE_INTEGER size{};
    Win32Check(GetFileSizeEx(file.Get(), &size));
    if (size.QuadPart < 0 || static_cast<uint64_t>(size.QuadPart) > maxBytes)
        throw EInOutError(L"The file \"" + fileName + L"\" is too large: " + std::to_wstring(size.QuadPart) +
                          L" bytes, at most " + std::to_wstring(maxBytes) + L" are read");
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    ReadFileExact(file.Get(), bytes.data(), bytes.size());
    file.Close();
    return bytes;
}

std::wstring ReadTextFile(const std::wstring& fileName, UINT codePage, size_t maxBytes)
{
    return FromCodePage(ReadFileBytes(fileName, maxBytes), codePage);
}

void TOwnedFile::Close()
{
    if (!*this) {
        handle_ = INVALID_HANDLE_VALUE;
        return;
    }
    HANDLE h = std::exchange(handle_, INVALID_HANDLE_VALUE);
    if (!CloseHandle(h))
        RaiseLastOSError();
}

void TOwnedFile::Reset(HANDLE h)
{
    if (*this)
        CloseHandle(handle_);
    handle_ = h;
}

#include "object/ObjectFile.h"

#include <windows.h>

#include <cwchar>
#include <stdexcept>
#include <string>
#include <utility>

#include "controls/KdSysUtils.h"
#include "framework/Exceptions.h"
#include "framework/OSError.h"
#include "framework/ScopeGuards.h"

namespace {

TObjectFileDisk disk;

// A name in the target's folder that nothing uses yet. Short, so that it fits
// wherever the target's own name fits.
std::wstring UnusedTemporaryName(const std::wstring& target)
{
    static unsigned counter = 0;
    const std::wstring folder = ExtractFilePath(target);
    wchar_t suffix[48];
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::swprintf(suffix, 48, L"~kst%lx-%x.tmp", static_cast<unsigned long>(GetCurrentProcessId()), ++counter);
        std::wstring name = folder + suffix;
        // Absent, or its folder is missing (making the file makes the folder).
        if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES)
            return name;
    }
    RaiseOSError(ERROR_FILE_EXISTS);
}

}  // namespace

TObjectFileDisk SetObjectFileDisk(const TObjectFileDisk& replacement) { return std::exchange(disk, replacement); }

std::vector<std::uint8_t> ReadObjectFile(const std::wstring& fileName)
{
    TOwnedFile file(
        CreateFileW(fileName.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        RaiseLastOSError();
    LARGE_INTEGER size{};
    Win32Check(GetFileSizeEx(file.Get(), &size));
    if (size.QuadPart < 0 || static_cast<std::uint64_t>(size.QuadPart) > kMaxObjectFileSize) {
        throw EInOutError(L"The file is too large to be an object file: " + std::to_wstring(size.QuadPart) +
                          L" bytes, at most " + std::to_wstring(kMaxObjectFileSize) + L" are read");
    }
    std::vector<std::uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    ReadFileExact(file.Get(), bytes.data(), bytes.size(), disk.Read);
    file.Close();
    return bytes;
}

void WriteObjectFile(const std::wstring& fileName, std::span<const std::uint8_t> block)
{
    if (block.size() != kObjectFileWriteSize)
        throw std::invalid_argument("an object file is written from a block of exactly 4096 bytes");

    const std::wstring temporary = UnusedTemporaryName(fileName);
    TOwnedFile file(CreateFileMakeDirs(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        RaiseLastOSError();

    DWORD oldAttributes = INVALID_FILE_ATTRIBUTES;
    // On failure only: the temporary file goes and the target's flags come back.
    TScopeExit undo([&] {
        file.Reset();
        DeleteFileW(temporary.c_str());
        if (oldAttributes != INVALID_FILE_ATTRIBUTES)
            SetFileAttributesW(fileName.c_str(), oldAttributes);
    });
    WriteFileExact(file.Get(), block.data(), block.size(), disk.Write);
    Win32Check(FlushFileBuffers(file.Get()));
    file.Close();

    // A read-only target cannot be replaced; clear the flag (a failure here
    // shows up as the failure of the move) and put it back if the move fails.
    oldAttributes = GetFileAttributesW(fileName.c_str());
    if (oldAttributes != INVALID_FILE_ATTRIBUTES && (oldAttributes & FILE_ATTRIBUTE_READONLY) &&
        !(oldAttributes & FILE_ATTRIBUTE_DIRECTORY))
        SetFileAttributesW(fileName.c_str(), oldAttributes & ~FILE_ATTRIBUTE_READONLY);
    else
        oldAttributes = INVALID_FILE_ATTRIBUTES;

    if (!MoveFileExW(temporary.c_str(), fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        RaiseLastOSError();
    undo.Dismiss();
}

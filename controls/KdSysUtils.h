#pragma once
// Small system helpers of the control library: a plain message box, directory
// chains made on demand, file creation that first makes missing directories,
// reading a whole text file, and an owner for kernel file handles.
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

// Shows a modal message box with no owner, an empty title and one OK button.
// Returns the system's result: IDOK once it is closed; when the box could not be
// shown, 0 (Wine: -1). It raises nothing, so a caller goes on either way.
int MsgBox(const std::wstring& text);

// Makes the directory dir together with every missing directory above it.
// True when dir is empty or exists afterwards; false when a directory could not
// be made or nothing further up can be made (a drive that does not exist).
// On false the thread's last error says why.
bool MakeDirs(const std::wstring& dir);

// CreateFileW with the same arguments and result. For CREATE_ALWAYS and
// OPEN_ALWAYS the directories of the path are made first; when that fails the
// result is INVALID_HANDLE_VALUE, no file is created and the last error is set.
HANDLE CreateFileMakeDirs(const std::wstring& fileName, DWORD desiredAccess, DWORD shareMode,
                          SECURITY_ATTRIBUTES* securityAttributes, DWORD creationDisposition,
                          DWORD flagsAndAttributes, HANDLE templateFile);

// The directory part of a path: everything up to and including the last '\\',
// '/' or drive colon; empty when there is none.
std::wstring ExtractFilePath(std::wstring_view path);

// Reads exactly count bytes from the file's current position. A failed read
// raises the OS error; a file that ends first raises ERROR_HANDLE_EOF.
void ReadFileExact(HANDLE file, void* buffer, size_t count);
// Writes exactly count bytes. A failed write raises the OS error; a write that
// makes no progress raises ERROR_WRITE_FAULT.
void WriteFileExact(HANDLE file, const void* buffer, size_t count);

// The bytes of a whole file, which others may have open meanwhile. Raises
// EFOpenError when the file cannot be opened, EOSError when it cannot be read,
// and EInOutError when it is larger than maxBytes.
std::string ReadFileBytes(const std::wstring& fileName, size_t maxBytes);

// The whole of a text file of 8-bit characters in codePage, as UTF-16. Raises
// EFOpenError when the file cannot be opened, EOSError when it cannot be read,
// and EInOutError when it is larger than maxBytes.
std::wstring ReadTextFile(const std::wstring& fileName, UINT codePage, size_t maxBytes);

// Owns one kernel file handle; INVALID_HANDLE_VALUE means none.
class TOwnedFile {
public:
    TOwnedFile() = default;
    explicit TOwnedFile(HANDLE h) : handle_(h) {}
    ~TOwnedFile() { Reset(); }
    TOwnedFile(const TOwnedFile&) = delete;
    TOwnedFile& operator=(const TOwnedFile&) = delete;
    TOwnedFile(TOwnedFile&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    TOwnedFile& operator=(TOwnedFile&& other) noexcept
    {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
        }
        return *this;
    }

    HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

    // Closes the held handle, reporting a failed close (which can lose written
    // data) as an OS error. The handle is given up either way.
    void Close();
    // Closes the held handle quietly (for error paths and destruction).
    void Reset(HANDLE h = INVALID_HANDLE_VALUE);

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

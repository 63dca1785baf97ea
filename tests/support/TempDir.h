#pragma once
// Test helpers for real files under Wine: a fresh folder per test, removed with
// everything in it afterwards, and whole-file reads and writes that bypass the
// code under test.
#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace testfs {

inline void RemoveTree(const std::wstring& dir)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring path = dir + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    SetFileAttributesW(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(dir.c_str());
}

// A new, empty folder; Path() ends with a backslash.
class TTempDir {
public:
    TTempDir()
    {
        static unsigned counter = 0;
        wchar_t temp[MAX_PATH + 1];
        DWORD length = GetTempPathW(MAX_PATH + 1, temp);
        if (length == 0 || length > MAX_PATH)
            throw std::runtime_error("GetTempPathW failed");
        wchar_t name[64];
        std::swprintf(name, 64, L"kestrin-test-%lu-%u-%lu", static_cast<unsigned long>(GetCurrentProcessId()),
                      ++counter, static_cast<unsigned long>(GetTickCount()));
        path_ = std::wstring(temp) + name;
        if (!CreateDirectoryW(path_.c_str(), nullptr))
            throw std::runtime_error("CreateDirectoryW failed");
        path_ += L'\\';
    }
    ~TTempDir() { RemoveTree(path_.substr(0, path_.size() - 1)); }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring operator/(std::wstring_view name) const { return path_ + std::wstring(name); }

private:
    std::wstring path_;
};

inline bool FileExists(const std::wstring& name)
{
    DWORD a = GetFileAttributesW(name.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool DirExists(const std::wstring& name)
{
    DWORD a = GetFileAttributesW(name.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// Names in a folder (without "." and "..").
inline std::vector<std::wstring> ListDir(const std::wstring& dir)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    std::wstring pattern = dir;
    if (!pattern.empty() && pattern.back() != L'\\')
        pattern += L'\\';
    HANDLE find = FindFirstFileW((pattern + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

inline std::vector<uint8_t> FileBytes(const std::wstring& name)
{
    HANDLE h = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open a file to check it");
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    DWORD got = 0;
    while (ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    CloseHandle(h);
    return bytes;
}

inline void PutFile(const std::wstring& name, const std::vector<uint8_t>& bytes)
{
    HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create a test file");
    DWORD written = 0;
    BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    if (!ok || written != bytes.size())
        throw std::runtime_error("cannot write a test file");
}

// A drive letter that names no drive, as "Q:".
inline std::wstring MissingDrive()
{
    DWORD drives = GetLogicalDrives();
    for (int letter = 'Y'; letter > 'C'; --letter)
        if (!(drives & (1u << (letter - 'A'))))
            return std::wstring(1, static_cast<wchar_t>(letter)) + L":";
    throw std::runtime_error("every drive letter is taken");
}

}  // namespace testfs

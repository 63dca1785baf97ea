#include "gamedata/Folder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
constexpr wchar_t kSeparator = L'\\';

std::wstring Wide(std::string_view text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}
#else
constexpr char kSeparator = '/';
#endif

}  // namespace

TNativePath JoinPath(const TNativePath& folder, std::string_view name)
{
    TNativePath path = folder;
    if (!path.empty() && path.back() != kSeparator && path.back() != '/')
        path += kSeparator;
#ifdef _WIN32
    path += Wide(name);
#else
    path += name;
#endif
    return path;
}

#ifdef _WIN32

bool IsFolder(const TNativePath& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<TFolderEntry> FolderEntries(const TNativePath& folder, bool folders)
{
    std::vector<TFolderEntry> entries;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileExW(JoinPath(folder, "*").c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const std::wstring name = found.cFileName;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder != folders || name == L"." || name == L"..")
            continue;
        TNativePath path = folder;
        if (!path.empty() && path.back() != L'\\' && path.back() != L'/')
            path += L'\\';
        path += name;
        entries.push_back({path, PathUtf8(name)});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

std::string PathUtf8(const TNativePath& path)
{
    if (path.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, path.data(), int(path.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, path.data(), int(path.size()), text.data(), length, nullptr, nullptr);
    return text;
}

TNativePath CurrentFolder()
{
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(length, L'\0');
    const DWORD got = length ? GetCurrentDirectoryW(length, folder.data()) : 0;
    if (got == 0 || got >= length)
        return L".";
    folder.resize(got);
    return folder;
}

#else

bool IsFolder(const TNativePath& path)
{
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::vector<TFolderEntry> FolderEntries(const TNativePath& folder, bool folders)
{
    std::vector<TFolderEntry> entries;
    DIR* listing = ::opendir(folder.c_str());
    if (!listing)
        return entries;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        std::string path = JoinPath(folder, name);
        struct stat status;  // follows links, as a listing of files does
        if (::stat(path.c_str(), &status) != 0)
            continue;
        if (folders ? S_ISDIR(status.st_mode) : S_ISREG(status.st_mode))
            entries.push_back({std::move(path), name});
    }
    ::closedir(listing);
    return entries;
}

std::string PathUtf8(const TNativePath& path) { return path; }

TNativePath CurrentFolder()
{
    std::string folder(4096, '\0');
    if (!::getcwd(folder.data(), folder.size()))
        return ".";
    folder.resize(folder.find('\0'));
    return folder;
}

#endif

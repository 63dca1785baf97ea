#pragma once
// Paths in the platform's own text (UTF-16 on Windows, bytes elsewhere) and the
// few folder operations the game-file lookup needs, without std::filesystem
// (which brings the standard library's locale code into the program).
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
using TNativePath = std::wstring;
#else
using TNativePath = std::string;
#endif

struct TFolderEntry {
    TNativePath Path;  // folder and name
    std::string Name;  // the name in UTF-8
};

// folder + separator + name (name in UTF-8).
TNativePath JoinPath(const TNativePath& folder, std::string_view name);
bool IsFolder(const TNativePath& path);
// The regular files (or the folders, without . and ..) of a folder, in no order; empty when unreadable.
std::vector<TFolderEntry> FolderEntries(const TNativePath& folder, bool folders);
// The path in UTF-8, for comparing names and telling the user.
std::string PathUtf8(const TNativePath& path);
// The program's current directory, or "." when it cannot be told.
TNativePath CurrentFolder();

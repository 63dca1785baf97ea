#include "gamedata/GameFiles.h"

#include <algorithm>
#include <string_view>

using namespace std::string_view_literals;

namespace {

constexpr std::uint64_t kMaxModListSize = 1u << 20;

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return text;
}

// "Data\name" or "Mods\mod\Data\name", as the user sees it.
std::string Shown(const TNativePath& root, const TNativePath& path)
{
    std::string text = PathUtf8(path);
    const std::string base = PathUtf8(root);
    if (!base.empty() && text.size() > base.size() && text.compare(0, base.size(), base) == 0) {
        text.erase(0, base.size());
        text.erase(0, text.find_first_not_of("/\\"));
    }
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

// The regular files (or the folders) of a folder, in name order without regard to case.
std::vector<TFolderEntry> EntriesOf(const TNativePath& folder, bool folders)
{
    std::vector<TFolderEntry> entries = FolderEntries(folder, folders);
    for (TFolderEntry& entry : entries)
        entry.Name = Upper(std::move(entry.Name));
    std::sort(entries.begin(), entries.end(),
              [](const TFolderEntry& a, const TFolderEntry& b) { return a.Name < b.Name; });
    return entries;
}

std::vector<TFolderEntry> FilesOf(const TNativePath& folder) { return EntriesOf(folder, false); }

// ".LOD" of "H3sprite.lod"; nothing for a name that only starts with a dot.
std::string Extension(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? std::string() : name.substr(dot);
}

bool IsPlainName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:\0"sv) == std::string_view::npos;
}

}  // namespace

TGameFiles::TGameFiles(TNativePath root) : root_(std::move(root)) {}

TGameFiles::~TGameFiles() = default;

bool TGameFiles::HasData() const { return IsFolder(JoinPath(root_, "Data")); }

void TGameFiles::FindSources()
{
    searched_ = true;
    std::vector<TNativePath> folders;
    folders.push_back(JoinPath(root_, "Data"));
    const TNativePath mods = JoinPath(root_, "Mods");
    if (IsFolder(mods)) {
        const std::unique_ptr<TFileReader> list = TFileReader::Open(JoinPath(mods, "list.txt"));
        if (list) {
            // One mod a line, first line first; only the mods listed are used (from the
            // list's first MiB: no game has a list near that long).
            std::string text(static_cast<std::size_t>(std::min<std::uint64_t>(list->Size(), kMaxModListSize)), '\0');
            if (!list->ReadAt(0, text.data(), text.size()))
                text.clear();
            for (std::size_t at = 0; at < text.size();) {
                std::size_t end = text.find('\n', at);
                if (end == std::string::npos)
                    end = text.size();
                std::string line = text.substr(at, end - at);
                at = end + 1;
                while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
                    line.pop_back();
                line.erase(0, line.find_first_not_of(" \t"));
                if (IsPlainName(line))
                    folders.push_back(JoinPath(JoinPath(mods, line), "Data"));
            }
        } else {
            for (const TFolderEntry& mod : EntriesOf(mods, true))
                folders.push_back(JoinPath(mod.Path, "Data"));
        }
    }

    for (const TNativePath& data : folders) {
        if (!IsFolder(data))
            continue;
        TSource source;
        source.Data = data;
        // *.pac in name order, then the two sprite archives, then the other *.lod.
        std::vector<TNativePath> pac, first, second, lod;
        for (const TFolderEntry& file : FilesOf(data)) {
            const std::string& name = file.Name;
            const std::string extension = Extension(name);
            if (extension == ".PAC")
                pac.push_back(file.Path);
            else if (name == "H3AB_SPR.LOD")
                first.push_back(file.Path);
            else if (name == "H3SPRITE.LOD")
                second.push_back(file.Path);
            else if (extension == ".LOD")
                lod.push_back(file.Path);
        }
        for (auto* group : {&pac, &first, &second, &lod})
            for (const TNativePath& file : *group) {
                auto slot = std::make_unique<TArchiveSlot>();
                slot->Path = file;
                source.Archives.push_back(std::move(slot));
            }
        sources_.push_back(std::move(source));
    }
}

TFindResult TGameFiles::ReadArchives(TSource& source, std::string_view name, std::size_t limit,
                                     std::vector<std::uint8_t>& bytes, std::string& reason)
{
    for (auto& slot : source.Archives) {
        if (!slot->Tried) {
            slot->Tried = true;
            std::string why;
            if (!slot->Archive.Open(slot->Path, why))
                slot->Error = "the archive " + Shown(root_, slot->Path) + " cannot be read: " + why;
        }
        if (!slot->Error.empty())
            continue;
        const TLodEntry* entry = slot->Archive.Find(name);
        if (!entry)
            continue;
        std::string why;
        if (slot->Archive.Read(*entry, limit, bytes, why))
            return TFindResult::Found;
        reason = why + " (in " + Shown(root_, slot->Path) + ")";
        return TFindResult::Unreadable;
    }
    return TFindResult::NotFound;
}

TFindResult TGameFiles::Read(std::string_view name, std::size_t limit, std::vector<std::uint8_t>& bytes,
                             std::string& reason)
{
    bytes.clear();
    if (!IsPlainName(name))
        return TFindResult::NotFound;
    if (!searched_)
        FindSources();
    const std::string wanted = Upper(std::string(name));
    for (TSource& source : sources_) {
        for (const TFolderEntry& entry : FilesOf(source.Data)) {
            if (entry.Name != wanted)
                continue;
            const TNativePath& file = entry.Path;
            const std::unique_ptr<TFileReader> in = TFileReader::Open(file);
            if (!in) {
                reason = "the file " + Shown(root_, file) + " cannot be opened";
                return TFindResult::Unreadable;
            }
            const std::uint64_t size = in->Size();
            if (size > limit) {
                reason = "the file " + Shown(root_, file) + " is " + std::to_string(size) + " bytes, more than the " +
                         std::to_string(limit) + " accepted";
                return TFindResult::Unreadable;
            }
            bytes.resize(static_cast<std::size_t>(size));
            if (!in->ReadAt(0, bytes.data(), bytes.size())) {
                bytes.clear();
                reason = "the file " + Shown(root_, file) + " cannot be read";
                return TFindResult::Unreadable;
            }
            return TFindResult::Found;
        }
        const TFindResult result = ReadArchives(source, name, limit, bytes, reason);
        if (result != TFindResult::NotFound)
            return result;
    }
    return BrokenArchive(reason);
}

TFindResult TGameFiles::ReadFromArchives(std::string_view name, std::size_t limit, std::vector<std::uint8_t>& bytes,
                                         std::string& reason)
{
    bytes.clear();
    if (!IsPlainName(name))
        return TFindResult::NotFound;
    if (!searched_)
        FindSources();
    for (TSource& source : sources_) {
        const TFindResult result = ReadArchives(source, name, limit, bytes, reason);
        if (result != TFindResult::NotFound)
            return result;
    }
    return TFindResult::NotFound;
}

// A name found nowhere may lie in an archive whose table is damaged: that is the reason given.
TFindResult TGameFiles::BrokenArchive(std::string& reason) const
{
    for (const TSource& source : sources_)
        for (const auto& slot : source.Archives)
            if (!slot->Error.empty()) {
                reason = slot->Error;
                return TFindResult::Unreadable;
            }
    return TFindResult::NotFound;
}

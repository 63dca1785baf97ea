#include "gamedata/GameFiles.h"

#include <algorithm>
#include <string_view>
#include <system_error>

using namespace std::string_view_literals;

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kMaxModListSize = 1u << 20;

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return text;
}

std::string Utf8(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string UpperName(const fs::path& path) { return Upper(Utf8(path.filename())); }

// "Data\name" or "Mods\mod\Data\name", as the user sees it.
std::string Shown(const fs::path& root, const fs::path& path)
{
    std::error_code error;
    fs::path relative = path.lexically_relative(root);
    std::string text = Utf8(relative.empty() ? path : relative);
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

// The regular files (or the folders) of a folder, in name order without regard to case.
std::vector<fs::path> EntriesOf(const fs::path& folder, bool folders)
{
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code kind;
        if (folders ? it->is_directory(kind) : it->is_regular_file(kind))
            entries.push_back(it->path());
    }
    std::sort(entries.begin(), entries.end(),
              [](const fs::path& a, const fs::path& b) { return UpperName(a) < UpperName(b); });
    return entries;
}

std::vector<fs::path> FilesOf(const fs::path& folder) { return EntriesOf(folder, false); }

bool IsPlainName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:\0"sv) == std::string_view::npos;
}

bool IsFolder(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

}  // namespace

TGameFiles::TGameFiles(fs::path root) : root_(std::move(root)) {}

TGameFiles::~TGameFiles() = default;

bool TGameFiles::HasData() const { return IsFolder(root_ / "Data"); }

void TGameFiles::FindSources()
{
    searched_ = true;
    std::vector<fs::path> folders;
    folders.push_back(root_ / "Data");
    const fs::path mods = root_ / "Mods";
    if (IsFolder(mods)) {
        const std::unique_ptr<TFileReader> list = TFileReader::Open(mods / "list.txt");
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
                    folders.push_back(mods / fs::path(std::u8string(line.begin(), line.end())) / "Data");
            }
        } else {
            for (const fs::path& mod : EntriesOf(mods, true))
                folders.push_back(mod / "Data");
        }
    }

    for (const fs::path& data : folders) {
        if (!IsFolder(data))
            continue;
        TSource source;
        source.Data = data;
        // *.pac in name order, then the two sprite archives, then the other *.lod.
        std::vector<fs::path> pac, first, second, lod;
        for (const fs::path& file : FilesOf(data)) {
            const std::string name = UpperName(file);
            const std::string extension = Upper(Utf8(file.extension()));
            if (extension == ".PAC")
                pac.push_back(file);
            else if (name == "H3AB_SPR.LOD")
                first.push_back(file);
            else if (name == "H3SPRITE.LOD")
                second.push_back(file);
            else if (extension == ".LOD")
                lod.push_back(file);
        }
        for (auto* group : {&pac, &first, &second, &lod})
            for (const fs::path& file : *group) {
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
        for (const fs::path& file : FilesOf(source.Data)) {
            if (UpperName(file) != wanted)
                continue;
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

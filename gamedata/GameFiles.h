#pragma once
// Where the game's files are found: loose files in Data, the archives in Data,
// then each mod's Data the same way. Platform-neutral.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gamedata/Folder.h"
#include "gamedata/LodArchive.h"

// Where the game's files are found: Data\<name>, then the archives in Data,
// then each Mods\<mod>\Data the same way. Archive tables are read on first need and kept.
enum class TFindResult { Found, NotFound, Unreadable };
class TGameFiles {
public:
    // root: the folder that holds Data (the program passes its current directory).
    explicit TGameFiles(TNativePath root);
    ~TGameFiles();
    TGameFiles(const TGameFiles&) = delete;
    TGameFiles& operator=(const TGameFiles&) = delete;
    // True when root/Data is a folder.
    bool HasData() const;
    // Reads the named file (name compared without regard to case) from the first source
    // that holds it. NotFound: no source holds it. Unreadable: the first source that holds
    // it cannot be read (reason says why, in plain English). limit: largest size accepted.
    TFindResult Read(std::string_view name, std::size_t limit,
                     std::vector<std::uint8_t>& bytes, std::string& reason);
    // The same from the archives alone, passing over archives whose table is damaged
    // (the catalogue text lives in the archives).
    TFindResult ReadFromArchives(std::string_view name, std::size_t limit,
                                 std::vector<std::uint8_t>& bytes, std::string& reason);

private:
    struct TArchiveSlot {
        TNativePath Path;
        bool Tried = false;
        std::string Error;  // the table could not be read
        TLodArchive Archive;
    };
    struct TSource {
        TNativePath Data;
        std::vector<std::unique_ptr<TArchiveSlot>> Archives;
    };
    void FindSources();
    TFindResult ReadArchives(TSource& source, std::string_view name, std::size_t limit,
                             std::vector<std::uint8_t>& bytes, std::string& reason);
    TFindResult BrokenArchive(std::string& reason) const;

    TNativePath root_;
    bool searched_ = false;
    std::vector<TSource> sources_;
};
constexpr std::size_t kMaxSpriteFileSize = 16u << 20;

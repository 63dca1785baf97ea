#pragma once
// One game archive (.lod, .pac): its entry table read and checked once, then
// single entries read on demand, stored or inflated. Never reads the whole file.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <istream>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct TLodEntry {
    std::array<char, 16> Key{};  // the name in capitals, zero-padded
    std::uint32_t Offset = 0;
    std::uint32_t Size = 0;    // unpacked
    std::uint32_t Packed = 0;  // 0: stored
};

constexpr std::size_t kLodHeaderSize = 92;
constexpr std::size_t kLodEntrySize = 32;

// The key of a name as entries hold it; false when the name cannot be an entry's.
bool LodKey(std::string_view name, std::array<char, 16>& key);

// Checks an archive's first 92 bytes against the file size: gives the entry count.
bool ParseLodHeader(std::span<const std::uint8_t> header, std::uint64_t fileSize, std::size_t& count,
                    std::string& reason);
// Checks the table (count entries of 32 bytes) against the file size and fills entries.
bool ParseLodTable(std::span<const std::uint8_t> table, std::size_t count, std::uint64_t fileSize,
                   std::vector<TLodEntry>& entries, std::string& reason);

class TLodArchive {
public:
    // Opens the archive and reads its table; false with a reason otherwise.
    bool Open(const std::filesystem::path& path, std::string& reason);
    // The same over any stream of known size (tests and fuzzing read from memory).
    bool Open(std::unique_ptr<std::istream> stream, std::uint64_t size, std::string& reason);

    // The first entry of that name (compared without regard to case), or null.
    const TLodEntry* Find(std::string_view name) const;
    // Reads one entry, refusing one whose unpacked size exceeds limit.
    bool Read(const TLodEntry& entry, std::size_t limit, std::vector<std::uint8_t>& bytes,
              std::string& reason) const;
    const std::vector<TLodEntry>& Entries() const { return entries_; }

private:
    std::unique_ptr<std::istream> stream_;
    std::uint64_t size_ = 0;
    std::vector<TLodEntry> entries_;
};

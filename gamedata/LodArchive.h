#pragma once
// One game archive (.lod, .pac): its entry table read and checked once, then
// single entries read on demand, stored or inflated. Never reads the whole file.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gamedata/ByteReader.h"

constexpr std::size_t kLodHeaderSize = 92;
constexpr std::size_t kLodEntrySize = 32;

// One entry of the table, the 32 bytes as the archive stores them; checked when the table was read.
struct TLodEntry {
    char RawName[16];         // ASCII, ended by a zero byte within the 16
    std::uint8_t Fields[16];  // offset, unpacked size, content kind, packed size: little-endian

    std::string_view Name() const
    {
        const void* end = std::memchr(RawName, 0, sizeof RawName);
        return {RawName, end ? std::size_t(static_cast<const char*>(end) - RawName) : sizeof RawName};
    }
    std::uint32_t Offset() const { return Field(0); }
    std::uint32_t Size() const { return Field(4); }    // unpacked
    std::uint32_t Packed() const { return Field(12); }  // 0: stored

private:
    std::uint32_t Field(int at) const
    {
        return std::uint32_t(Fields[at]) | std::uint32_t(Fields[at + 1]) << 8 | std::uint32_t(Fields[at + 2]) << 16 |
               std::uint32_t(Fields[at + 3]) << 24;
    }
};
static_assert(sizeof(TLodEntry) == kLodEntrySize);

class TLodArchive {
public:
    // Opens the archive and reads its table; false with a reason otherwise.
    bool Open(const TNativePath& path, std::string& reason);
    // The same over any reader (tests and fuzzing read from memory).
    bool Open(std::unique_ptr<IByteReader> reader, std::string& reason);

    // The first entry of that name (compared without regard to case), or null.
    // The first call builds the case-blind index of the table.
    const TLodEntry* Find(std::string_view name) const;
    // Reads one entry, refusing one whose unpacked size exceeds limit.
    bool Read(const TLodEntry& entry, std::size_t limit, std::vector<std::uint8_t>& bytes,
              std::string& reason) const;
    std::span<const TLodEntry> Entries() const { return {entries_, count_}; }

private:
    void Close();
    void BuildIndex() const;

    std::unique_ptr<IByteReader> reader_;
    std::unique_ptr<std::uint8_t[]> table_;  // header and table as read, not zeroed first
    const TLodEntry* entries_ = nullptr;     // in table_, after the header
    std::size_t count_ = 0;
    // Open addressing over the upper-cased names: entry number + 1, 0 for a free slot.
    mutable std::vector<std::uint32_t> index_;
};

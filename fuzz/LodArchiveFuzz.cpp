// The archive reader on any bytes: the table, then every entry it lists (at most
// 64, each under a small limit) read, stored or inflated, and found by its name.
#include <cstddef>
#include <cstdint>

#include "gamedata/LodArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TLodArchive archive;
    std::string reason;
    if (!archive.Open(std::make_unique<TMemoryReader>(std::span<const std::uint8_t>(data, size)), reason))
        return 0;
    std::vector<std::uint8_t> bytes;
    const std::size_t count = archive.Entries().size() < 64 ? archive.Entries().size() : 64;
    for (std::size_t i = 0; i < count; ++i) {
        const TLodEntry& entry = archive.Entries()[i];
        archive.Read(entry, 1 << 20, bytes, reason);
        // Every entry's name finds an entry of that name (the first of them).
        const TLodEntry* found = archive.Find(entry.Name());
        if (!entry.Name().empty() && (!found || found > &entry || found->Name().size() != entry.Name().size()))
            __builtin_trap();
    }
    return 0;
}

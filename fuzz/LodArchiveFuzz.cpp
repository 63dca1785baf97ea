// The archive reader on any bytes: the table, then every entry it lists (at most
// 64, each under a small limit) read, stored or inflated.
#include <cstddef>
#include <cstdint>
#include <sstream>

#include "gamedata/LodArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TLodArchive archive;
    std::string reason;
    auto stream = std::make_unique<std::istringstream>(std::string(reinterpret_cast<const char*>(data), size));
    if (!archive.Open(std::move(stream), size, reason))
        return 0;
    std::vector<std::uint8_t> bytes;
    const std::size_t count = archive.Entries().size() < 64 ? archive.Entries().size() : 64;
    for (std::size_t i = 0; i < count; ++i) {
        const TLodEntry& entry = archive.Entries()[i];
        archive.Read(entry, 1 << 20, bytes, reason);
        archive.Find(std::string_view(entry.Key.data()));
    }
    return 0;
}

#include "gamedata/LodArchive.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace {

std::uint32_t Le32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

bool ReadAt(std::istream& stream, std::uint64_t offset, void* into, std::size_t size)
{
    stream.clear();
    stream.seekg(static_cast<std::streamoff>(offset));
    stream.read(static_cast<char*>(into), static_cast<std::streamsize>(size));
    return static_cast<std::size_t>(stream.gcount()) == size;
}

// Inflates `packed` bytes at the stream's position into exactly bytes.size() bytes.
bool Inflate(std::istream& stream, std::uint32_t packed, std::vector<std::uint8_t>& bytes, std::string& reason)
{
    z_stream z{};
    if (inflateInit(&z) != Z_OK) {
        reason = "the decompressor cannot start";
        return false;
    }
    std::uint8_t input[16384];
    std::uint8_t spare = 0;  // catches output beyond the expected size
    std::uint32_t left = packed;
    z.next_out = bytes.data();
    z.avail_out = static_cast<uInt>(bytes.size());
    bool over = false;
    bool unread = false;
    int result = Z_OK;
    for (;;) {
        if (z.avail_in == 0 && left > 0) {
            const std::uint32_t chunk = std::min<std::uint32_t>(left, sizeof input);
            stream.read(reinterpret_cast<char*>(input), chunk);
            if (static_cast<std::uint32_t>(stream.gcount()) != chunk) {
                unread = true;
                break;
            }
            left -= chunk;
            z.next_in = input;
            z.avail_in = chunk;
        }
        if (z.avail_out == 0) {
            if (over)
                break;
            z.next_out = &spare;
            z.avail_out = 1;
            over = true;
        }
        result = inflate(&z, Z_NO_FLUSH);
        if (result == Z_STREAM_END || result == Z_NEED_DICT || result == Z_DATA_ERROR || result == Z_MEM_ERROR)
            break;
        if (result == Z_BUF_ERROR && z.avail_in == 0 && left == 0)
            break;
    }
    const uLong total = z.total_out;
    inflateEnd(&z);
    if (unread) {
        reason = "the archive cannot be read";
        return false;
    }
    if (total > bytes.size() || (over && z.avail_out == 0)) {
        reason = "the entry inflates to more bytes than its table entry says";
        return false;
    }
    if (result == Z_STREAM_END) {
        if (total == bytes.size())
            return true;
        reason = "the entry inflates to fewer bytes than its table entry says";
        return false;
    }
    if (result == Z_DATA_ERROR || result == Z_NEED_DICT || result == Z_MEM_ERROR)
        reason = "the entry's compressed data is damaged";
    else
        reason = "the entry's compressed data ends early";
    return false;
}

}  // namespace

bool LodKey(std::string_view name, std::array<char, 16>& key)
{
    if (name.empty() || name.size() > 15 || name.find('\0') != std::string_view::npos)
        return false;
    key.fill(0);
    for (std::size_t i = 0; i < name.size(); ++i)
        key[i] = Upper(name[i]);
    return true;
}

bool ParseLodHeader(std::span<const std::uint8_t> header, std::uint64_t fileSize, std::size_t& count,
                    std::string& reason)
{
    if (header.size() < kLodHeaderSize || fileSize < kLodHeaderSize) {
        reason = "the file is too short for an archive";
        return false;
    }
    if (std::memcmp(header.data(), "LOD\0", 4) != 0) {
        reason = "the file is not an archive (its first bytes are not LOD)";
        return false;
    }
    const std::uint64_t n = Le32(header.data() + 8);
    if (kLodHeaderSize + kLodEntrySize * n > fileSize) {
        reason = "the archive's table runs past the end of the file";
        return false;
    }
    count = static_cast<std::size_t>(n);
    return true;
}

bool ParseLodTable(std::span<const std::uint8_t> table, std::size_t count, std::uint64_t fileSize,
                   std::vector<TLodEntry>& entries, std::string& reason)
{
    if (table.size() / kLodEntrySize < count) {
        reason = "the archive's table runs past the end of the file";
        return false;
    }
    entries.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = table.data() + i * kLodEntrySize;
        TLodEntry& entry = entries[i];
        bool ended = false;
        for (int c = 0; c < 16; ++c) {
            ended = ended || p[c] == 0;
            entry.Key[c] = ended ? '\0' : Upper(static_cast<char>(p[c]));
        }
        entry.Offset = Le32(p + 16);
        entry.Size = Le32(p + 20);
        entry.Packed = Le32(p + 28);
        const std::uint64_t length = entry.Packed ? entry.Packed : entry.Size;
        if (!ended || std::uint64_t(entry.Offset) + length > fileSize) {
            reason = "entry " + std::to_string(i + 1) + " of the archive's table " +
                     (ended ? "points past the end of the file" : "has a name without an end");
            entries.clear();
            return false;
        }
    }
    return true;
}

bool TLodArchive::Open(const std::filesystem::path& path, std::string& reason)
{
    std::error_code error;
    const std::uint64_t size = std::filesystem::file_size(path, error);
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (error || !*file) {
        reason = "the archive cannot be opened";
        return false;
    }
    return Open(std::move(file), size, reason);
}

bool TLodArchive::Open(std::unique_ptr<std::istream> stream, std::uint64_t size, std::string& reason)
{
    entries_.clear();
    stream_.reset();
    std::uint8_t header[kLodHeaderSize];
    std::size_t count = 0;
    if (size < kLodHeaderSize || !ReadAt(*stream, 0, header, sizeof header)) {
        reason = "the file is too short for an archive";
        return false;
    }
    if (!ParseLodHeader(header, size, count, reason))
        return false;
    std::vector<std::uint8_t> table(count * kLodEntrySize);
    if (!ReadAt(*stream, kLodHeaderSize, table.data(), table.size())) {
        reason = "the archive's table cannot be read";
        return false;
    }
    if (!ParseLodTable(table, count, size, entries_, reason))
        return false;
    stream_ = std::move(stream);
    size_ = size;
    return true;
}

const TLodEntry* TLodArchive::Find(std::string_view name) const
{
    std::array<char, 16> key;
    if (!LodKey(name, key))
        return nullptr;
    for (const TLodEntry& entry : entries_)
        if (entry.Key == key)
            return &entry;
    return nullptr;
}

bool TLodArchive::Read(const TLodEntry& entry, std::size_t limit, std::vector<std::uint8_t>& bytes,
                       std::string& reason) const
{
    bytes.clear();
    if (!stream_) {
        reason = "the archive is not open";
        return false;
    }
    if (entry.Size > limit) {
        reason = "the entry is " + std::to_string(entry.Size) + " bytes, more than the " + std::to_string(limit) +
                 " accepted";
        return false;
    }
    // The table was checked against the file's size when it was read.
    bytes.resize(entry.Size);
    if (entry.Packed == 0) {
        if (ReadAt(*stream_, entry.Offset, bytes.data(), bytes.size()))
            return true;
        bytes.clear();
        reason = "the archive cannot be read";
        return false;
    }
    stream_->clear();
    stream_->seekg(static_cast<std::streamoff>(entry.Offset));
    if (!Inflate(*stream_, entry.Packed, bytes, reason)) {
        bytes.clear();
        return false;
    }
    return true;
}

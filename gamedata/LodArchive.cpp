#include "gamedata/LodArchive.h"

#include <zlib.h>

#include <algorithm>
#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighs = 0x8080808080808080ull;

std::uint32_t Le32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::uint64_t Le64(const char* p)
{
    std::uint64_t value;
    std::memcpy(&value, p, sizeof value);
    if constexpr (std::endian::native == std::endian::big) {
        std::uint64_t swapped = 0;
        for (int i = 0; i < 8; ++i)
            swapped = swapped << 8 | ((value >> (8 * i)) & 0xFF);
        value = swapped;
    }
    return value;
}

// The high bit of the first zero byte is set exactly (bytes above it may be flagged too).
std::uint64_t ZeroBytes(std::uint64_t word) { return (word - kOnes) & ~word & kHighs; }

// Eight ASCII letters at once: a–z to A–Z, every other byte kept.
std::uint64_t UpperWord(std::uint64_t word)
{
    const std::uint64_t low7 = word & ~kHighs;
    const std::uint64_t fromA = low7 + (0x80 - 'a') * kOnes;  // high bit: >= 'a'
    const std::uint64_t pastZ = low7 + (0x7F - 'z') * kOnes;  // high bit: > 'z'
    const std::uint64_t lower = (fromA ^ pastZ) & ~word & kHighs;
    return word ^ (lower >> 2);
}

// A name as the index compares it: upper-cased, every byte from its ending zero on cleared.
struct TKey {
    std::uint64_t Low, High;
    bool operator==(const TKey&) const = default;
};

TKey KeyOf(const char* name16)
{
    std::uint64_t low = Le64(name16);
    std::uint64_t high = Le64(name16 + 8);
    if (const std::uint64_t zeros = ZeroBytes(low)) {
        low &= ~(~0ull << (std::countr_zero(zeros) & ~7));
        high = 0;
    } else if (const std::uint64_t zeros = ZeroBytes(high)) {
        high &= ~(~0ull << (std::countr_zero(zeros) & ~7));
    }
    return {UpperWord(low), UpperWord(high)};
}

// The top bits of a product depend on every bit of both words.
std::size_t Slot(const TKey& key, int bits)
{
    const std::uint64_t mixed = ((key.Low * 0x9E3779B97F4A7C15ull) ^ key.High) * 0xC2B2AE3D27D4EB4Full;
    return static_cast<std::size_t>(mixed >> (64 - bits));
}

// Inflates `packed` bytes at offset into exactly bytes.size() bytes.
bool Inflate(IByteReader& reader, std::uint64_t offset, std::uint32_t packed, std::vector<std::uint8_t>& bytes,
             std::string& reason)
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
            if (!reader.ReadAt(offset, input, chunk)) {
                unread = true;
                break;
            }
            offset += chunk;
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

// The first entry that is not sound: a name without an end, or data past the end of the file.
std::size_t FirstBadEntry(const TLodEntry* table, std::size_t count, std::uint64_t fileSize)
{
    for (std::size_t i = 0; i < count; ++i) {
        const TLodEntry& entry = table[i];
        const bool ended = (ZeroBytes(Le64(entry.RawName)) | ZeroBytes(Le64(entry.RawName + 8))) != 0;
        const std::uint32_t size = Le32(entry.Fields + 4);
        const std::uint32_t packed = Le32(entry.Fields + 12);
        const std::uint64_t end = std::uint64_t(Le32(entry.Fields)) + (packed ? packed : size);
        if (!ended || end > fileSize)
            return i;
    }
    return count;
}

// True when every entry is sound. The table is checked in place, two entries at a
// time and without a branch per entry; FirstBadEntry then says which one is not.
bool AllSound(const TLodEntry* table, std::size_t count, std::uint64_t fileSize)
{
#ifdef __SSE2__
    // Ends are below 2^33, so a difference to a limit below 2^62 is negative exactly when past it.
    const std::uint64_t limit = std::min<std::uint64_t>(fileSize, 1ull << 62);
    const __m128i limits = _mm_set1_epi64x(static_cast<long long>(limit));
    const __m128i zero = _mm_setzero_si128();
    __m128i past = zero;
    int unended = 0;  // the sign bit: a name without a zero byte (its mask is 0, less 1 is negative)
    std::size_t i = 0;
    for (; i + 2 <= count; i += 2) {
        const auto* p = reinterpret_cast<const __m128i*>(table + i);
        unended |= (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(p), zero)) - 1) |
                   (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(p + 2), zero)) - 1);
        const __m128i first = _mm_loadu_si128(p + 1);  // offset, size, kind, packed
        const __m128i second = _mm_loadu_si128(p + 3);
        const __m128i offsetsSizes = _mm_unpacklo_epi32(first, second);  // o0 o1 s0 s1
        const __m128i kindsPacked = _mm_unpackhi_epi32(first, second);   // k0 k1 p0 p1
        // The length is the packed size, or the size when stored (packed size 0).
        const __m128i stored = _mm_cmpeq_epi32(kindsPacked, zero);
        const __m128i lengths = _mm_or_si128(kindsPacked, _mm_and_si128(stored, offsetsSizes));
        const __m128i ends =
            _mm_add_epi64(_mm_unpacklo_epi32(offsetsSizes, zero), _mm_unpackhi_epi32(lengths, zero));
        past = _mm_or_si128(past, _mm_sub_epi64(limits, ends));
    }
    if (unended < 0 || (_mm_movemask_pd(_mm_castsi128_pd(past)) != 0))
        return false;
    return FirstBadEntry(table + i, count - i, fileSize) == count - i;
#else
    return FirstBadEntry(table, count, fileSize) == count;
#endif
}

}  // namespace

bool TLodArchive::Open(const TNativePath& path, std::string& reason)
{
    std::unique_ptr<TFileReader> file = TFileReader::Open(path);
    if (!file) {
        Close();
        reason = "the archive cannot be opened";
        return false;
    }
    return Open(std::move(file), reason);
}

void TLodArchive::Close()
{
    reader_.reset();
    table_.reset();
    entries_ = nullptr;
    count_ = 0;
    index_.clear();
}

bool TLodArchive::Open(std::unique_ptr<IByteReader> reader, std::string& reason)
{
    Close();
    const std::uint64_t size = reader->Size();
    // One read for the header and, as a rule, the whole table: the game's own
    // archives reserve room for this many entries.
    constexpr std::uint64_t kUsualEntries = 10000;
    std::uint64_t have = std::min<std::uint64_t>(size, kLodHeaderSize + kLodEntrySize * kUsualEntries);
    // Read 4 bytes into the buffer, so that the entries lie on 16-byte boundaries.
    constexpr std::size_t kLead = 4;
    static_assert((kLead + kLodHeaderSize) % 16 == 0);
    std::unique_ptr<std::uint8_t[]> table(new std::uint8_t[kLead + have]);
    const std::uint8_t* header = table.get() + kLead;
    if (size < kLodHeaderSize || !reader->ReadAt(0, table.get() + kLead, have)) {
        reason = "the file is too short for an archive";
        return false;
    }
    if (std::memcmp(header, "LOD\0", 4) != 0) {
        reason = "the file is not an archive (its first bytes are not LOD)";
        return false;
    }
    const std::uint64_t count = Le32(header + 8);
    const std::uint64_t need = kLodHeaderSize + kLodEntrySize * count;
    if (need > size) {
        reason = "the archive's table runs past the end of the file";
        return false;
    }
    if (need > have) {
        std::unique_ptr<std::uint8_t[]> whole(new std::uint8_t[kLead + need]);
        std::memcpy(whole.get(), table.get(), kLead + have);
        table = std::move(whole);
        if (!reader->ReadAt(have, table.get() + kLead + have, need - have)) {
            reason = "the archive's table cannot be read";
            return false;
        }
    }
    // The bytes are all there is to an entry, so the table is used where it was read.
    const auto* entries = reinterpret_cast<const TLodEntry*>(table.get() + kLead + kLodHeaderSize);
    if (!AllSound(entries, count, size)) {
        const std::size_t bad = FirstBadEntry(entries, count, size);
        const bool ended = std::memchr(entries[bad].RawName, 0, sizeof entries[bad].RawName) != nullptr;
        reason = "entry " + std::to_string(bad + 1) + " of the archive's table " +
                 (ended ? "points past the end of the file" : "has a name without an end");
        return false;
    }
    reader_ = std::move(reader);
    table_ = std::move(table);
    entries_ = entries;
    count_ = count;
    return true;
}

void TLodArchive::BuildIndex() const
{
    const std::size_t slots = std::bit_ceil(std::max<std::size_t>(16, 2 * count_));
    const std::size_t mask = slots - 1;
    index_.assign(slots, 0);
    const int bits = std::countr_zero(slots);
    for (std::size_t i = 0; i < count_; ++i) {
        const TKey key = KeyOf(entries_[i].RawName);
        for (std::size_t at = Slot(key, bits);; at = (at + 1) & mask) {
            if (index_[at] == 0) {
                index_[at] = static_cast<std::uint32_t>(i + 1);
                break;
            }
            if (KeyOf(entries_[index_[at] - 1].RawName) == key)
                break;  // two entries of one name: the first counts
        }
    }
}

const TLodEntry* TLodArchive::Find(std::string_view name) const
{
    if (name.empty() || name.size() > 15 || name.find('\0') != std::string_view::npos || count_ == 0)
        return nullptr;
    if (index_.empty())
        BuildIndex();
    char padded[16] = {};
    std::memcpy(padded, name.data(), name.size());
    const TKey key = KeyOf(padded);
    const std::size_t mask = index_.size() - 1;
    for (std::size_t at = Slot(key, std::countr_zero(index_.size())); index_[at] != 0; at = (at + 1) & mask) {
        const TLodEntry& entry = entries_[index_[at] - 1];
        if (KeyOf(entry.RawName) == key)
            return &entry;
    }
    return nullptr;
}

bool TLodArchive::Read(const TLodEntry& entry, std::size_t limit, std::vector<std::uint8_t>& bytes,
                       std::string& reason) const
{
    bytes.clear();
    if (!reader_) {
        reason = "the archive is not open";
        return false;
    }
    const std::uint32_t size = entry.Size();
    if (size > limit) {
        reason = "the entry is " + std::to_string(size) + " bytes, more than the " + std::to_string(limit) +
                 " accepted";
        return false;
    }
    // The table was checked against the file's size when it was read.
    bytes.resize(size);
    const bool read = entry.Packed() == 0 ? reader_->ReadAt(entry.Offset(), bytes.data(), bytes.size())
                                          : Inflate(*reader_, entry.Offset(), entry.Packed(), bytes, reason);
    if (read)
        return true;
    if (entry.Packed() == 0)
        reason = "the archive cannot be read";
    bytes.clear();
    return false;
}

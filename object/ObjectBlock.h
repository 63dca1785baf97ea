#pragma once
// The object block: the byte layout in which the map editor passes one map
// object, the rules for accepting it, decoding it into fields and encoding a
// new 4096-byte block with the uninterpreted tail of the old one carried over.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Every block we produce is this long.
constexpr std::size_t kObjectBlockSize = 4096;
// The name length field and the fixed fields after the name.
constexpr std::size_t kBlockFixedSize = 30;
// Every acceptable block has at least this many tail bytes after the fixed fields.
constexpr std::size_t kBlockMinimumTail = 16;
constexpr std::size_t kBlockMinimumSize = kBlockFixedSize + kBlockMinimumTail;
// The longest picture name that fits into a block we produce.
constexpr std::size_t kMaxPictureNameLength = kObjectBlockSize - kBlockFixedSize;

constexpr int kMaskRows = 6;
constexpr int kMaskColumns = 8;
constexpr int kPageCount = 6;
constexpr uint8_t kNoPage = 255;

// Terrains in bit order (bit 0 Dirt ... bit 7 Lava), then Water, which has a byte of its own.
inline constexpr std::array<std::string_view, 9> kTerrainNames = {
    "Dirt", "Sand", "Grass", "Snow", "Swamp", "Rough", "Subterranean", "Lava", "Water"};
// Map-editor pages 0..5.
inline constexpr std::array<std::string_view, kPageCount> kPageNames = {
    "Terrain", "Towns", "Monsters", "Heroes", "Artifacts", "Resources"};

// A grid cell's kind: passability bit + 2 x action bit.
enum TCellKind : int { ckObject = 0, ckNotAnObject = 1, ckEnter = 2, ckNonEnterableEnter = 3 };

// The passability and action masks: one byte per row (row 0 is the top row),
// bit c is column c (column 0 is the leftmost).
struct TMaskStore {
    std::array<uint8_t, kMaskRows> Passability{};
    std::array<uint8_t, kMaskRows> Action{};

    // row 0..5, column 0..7; anything else is out_of_range.
    int Kind(int row, int column) const;
    void SetKind(int row, int column, int kind);
    bool operator==(const TMaskStore&) const = default;
};

// The fields of a block as its bytes hold them.
struct TObjectFields {
    std::string Name;  // 8-bit bytes of the system code page, kept as they are
    TMaskStore Masks;
    uint8_t Terrains = 0;
    uint8_t Water = 0;
    uint8_t EditorTerrains = 0;
    uint8_t EditorWater = 0;
    int32_t Type = 0;
    int32_t Subtype = 0;
    uint8_t Page = kNoPage;
    uint8_t Ground = 0;
    bool operator==(const TObjectFields&) const = default;
};

// The values that the window's controls hold and encoding takes.
struct TObjectValues {
    std::string Name;
    TMaskStore Masks;
    std::array<bool, 9> Terrains{};        // kTerrainNames order
    std::array<bool, 9> EditorTerrains{};  // kTerrainNames order
    int32_t Type = 0;
    int32_t Subtype = 0;
    uint8_t Page = kNoPage;  // 0..5; every other value means no page
    bool Ground = false;
    bool operator==(const TObjectValues&) const = default;
};

// The name length n of a block that may be decoded, or nothing when the block is
// refused: shorter than 46 bytes or than n + 46 bytes, or with a negative n.
std::optional<int32_t> AcceptedNameLength(std::span<const uint8_t> block);
// The block's fields, or nothing when the block is refused. Reads only inside the block.
std::optional<TObjectFields> DecodeObjectBlock(std::span<const uint8_t> block);
// What the controls show for decoded fields: water bit 0 only, ground non-zero as
// checked, a page outside 0..5 as none.
TObjectValues ValuesFromFields(const TObjectFields& fields);

// Appends bytes at a cursor that advances; never writes past the buffer's end.
class TFieldWriter {
public:
    explicit TFieldWriter(std::span<uint8_t> buffer) : buffer_(buffer) {}
    void WriteBytes(const void* data, std::size_t count);
    void WriteByte(uint8_t value);
    void WriteInt32(int32_t value);  // little-endian
    std::size_t Position() const { return position_; }

private:
    std::span<uint8_t> buffer_;
    std::size_t position_ = 0;
};

// Encodes values into buffer, carrying the tail of current (the block read last):
// the tail from offset n + 30 of current lands at offset m + 30 of buffer, cut to
// fit 4096 bytes. Bits 1-7 of the two water bytes are current's (0 when current
// is refused); bit 0 is the values'. buffer may be current's own storage; the
// tail is moved first.
// Returns the number of leading buffer bytes written (m + 30 + the tail carried);
// bytes after them are left alone. A name longer than 4066 bytes is refused with
// std::length_error before anything is written (validation catches it first).
std::size_t EncodeObjectBlock(const TObjectValues& values, std::span<const uint8_t> current,
                              std::span<uint8_t, kObjectBlockSize> buffer);

// The number in a type or subtype box: base 10, no options. The text is bad when
// it does not fit into 32 bits (or is absent); a non-digit after the digits is fine.
struct TBoxNumber {
    int32_t Value = 0;
    bool Bad = false;
};
bool IsBadNumberCode(int32_t code);
TBoxNumber ReadBoxNumber(std::wstring_view text);
TBoxNumber ReadBoxNumber(std::string_view text);

// The message that stops Copy and Save, empty when the values can be encoded:
// "Wrong Type", ", Wrong Subtype", ", Huge Picture Name" joined in that order.
std::wstring ValidationMessage(bool badType, bool badSubtype, std::size_t nameLength);

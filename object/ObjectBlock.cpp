#include "object/ObjectBlock.h"

#include <algorithm>
#include <stdexcept>

#include "controls/KdMemory.h"
#include "controls/KdStrUtils.h"

namespace {

int32_t ReadInt32(std::span<const uint8_t> bytes, std::size_t offset)
{
    const uint32_t v = uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 |
                       uint32_t(bytes[offset + 2]) << 16 | uint32_t(bytes[offset + 3]) << 24;
    return static_cast<int32_t>(v);
}

void CheckCell(int row, int column)
{
    if (row < 0 || row >= kMaskRows || column < 0 || column >= kMaskColumns)
        throw std::out_of_range("mask cell outside the 6 x 8 grid");
}

uint8_t BitsOf(const std::array<bool, 9>& terrains)
{
    uint8_t bits = 0;
    for (int i = 0; i < 8; ++i)
        if (terrains[static_cast<std::size_t>(i)])
            bits = static_cast<uint8_t>(bits | (1u << i));
    return bits;
}

}  // namespace

int TMaskStore::Kind(int row, int column) const
{
    CheckCell(row, column);
    const auto r = static_cast<std::size_t>(row);
    return ((Passability[r] >> column) & 1) + 2 * ((Action[r] >> column) & 1);
}

void TMaskStore::SetKind(int row, int column, int kind)
{
    CheckCell(row, column);
    if (kind < 0 || kind > 3)
        throw std::out_of_range("cell kind outside 0..3");
    const auto r = static_cast<std::size_t>(row);
    const auto bit = static_cast<uint8_t>(1u << column);
    Passability[r] = static_cast<uint8_t>((kind & 1) ? Passability[r] | bit : Passability[r] & ~bit);
    Action[r] = static_cast<uint8_t>((kind & 2) ? Action[r] | bit : Action[r] & ~bit);
}

std::optional<int32_t> AcceptedNameLength(std::span<const uint8_t> block)
{
    if (block.size() < kBlockMinimumSize)
        return std::nullopt;
    const int32_t n = ReadInt32(block, 0);
    // A negative length would pass "size >= n + 46" and point before the block;
    // the sum is taken in 64 bits so that a huge n cannot wrap around either.
    if (n < 0 || static_cast<uint64_t>(n) + kBlockMinimumSize > block.size())
        return std::nullopt;
    return n;
}

std::optional<TObjectFields> DecodeObjectBlock(std::span<const uint8_t> block)
{
    const auto length = AcceptedNameLength(block);
    if (!length)
        return std::nullopt;
    const auto n = static_cast<std::size_t>(*length);
    TObjectFields f;
    f.Name.assign(reinterpret_cast<const char*>(block.data() + 4), n);
    const std::size_t at = 4 + n;
    std::copy_n(block.begin() + static_cast<std::ptrdiff_t>(at), kMaskRows, f.Masks.Passability.begin());
    std::copy_n(block.begin() + static_cast<std::ptrdiff_t>(at + 6), kMaskRows, f.Masks.Action.begin());
    f.Terrains = block[at + 12];
    f.Water = block[at + 13];
    f.EditorTerrains = block[at + 14];
    f.EditorWater = block[at + 15];
    f.Type = ReadInt32(block, at + 16);
    f.Subtype = ReadInt32(block, at + 20);
    f.Page = block[at + 24];
    f.Ground = block[at + 25];
    return f;
}

TObjectValues ValuesFromFields(const TObjectFields& f)
{
    TObjectValues v;
    v.Name = f.Name;
    v.Masks = f.Masks;
    for (int i = 0; i < 8; ++i) {
        v.Terrains[static_cast<std::size_t>(i)] = (f.Terrains >> i) & 1;
        v.EditorTerrains[static_cast<std::size_t>(i)] = (f.EditorTerrains >> i) & 1;
    }
    v.Terrains[8] = f.Water & 1;
    v.EditorTerrains[8] = f.EditorWater & 1;
    v.Type = f.Type;
    v.Subtype = f.Subtype;
    v.Page = f.Page < kPageCount ? f.Page : kNoPage;
    v.Ground = f.Ground != 0;
    return v;
}

void TFieldWriter::WriteBytes(const void* data, std::size_t count)
{
    if (count > buffer_.size() - position_)
        throw std::out_of_range("field written past the end of the block");
    if (count)
        CopyBytes(buffer_.data() + position_, data, count);
    position_ += count;
}

void TFieldWriter::WriteByte(uint8_t value)
{
    WriteBytes(&value, 1);
}

void TFieldWriter::WriteInt32(int32_t value)
{
    const auto u = static_cast<uint32_t>(value);
    const uint8_t bytes[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
    WriteBytes(bytes, 4);
}

std::size_t EncodeObjectBlock(const TObjectValues& values, std::span<const uint8_t> current,
                              std::span<uint8_t, kObjectBlockSize> buffer)
{
    const std::size_t m = values.Name.size();
    if (m > kMaxPictureNameLength)
        throw std::length_error("picture name too long for an object block");

    // The tail goes first: buffer may be current itself, and the fields written
    // below would overwrite the tail's old place. Only bytes inside current are
    // read: a block without a proper tail (too short, negative or too large a
    // name length) carries none.
    // Bits 1-7 of the two water bytes hold terrains that no control shows; they
    // stay as the current block has them, and only bit 0 comes from the controls.
    uint8_t water = 0, editorWater = 0;
    if (const auto n = AcceptedNameLength(current)) {
        const std::size_t at = 4 + static_cast<std::size_t>(*n);
        water = current[at + 13] & 0xFE;
        editorWater = current[at + 15] & 0xFE;
    }

    std::size_t tail = 0;
    if (current.size() >= 4) {
        const int32_t n = ReadInt32(current, 0);
        if (n >= 0 && static_cast<uint64_t>(n) + kBlockFixedSize < current.size()) {
            const std::size_t from = static_cast<std::size_t>(n) + kBlockFixedSize;
            tail = std::min(current.size() - from, kMaxPictureNameLength - m);
            CopyBytes(buffer.data() + m + kBlockFixedSize, current.data() + from, tail);
        }
    }

    TFieldWriter w(std::span<uint8_t>(buffer.data(), m + kBlockFixedSize));
    w.WriteInt32(static_cast<int32_t>(m));
    w.WriteBytes(values.Name.data(), m);
    w.WriteBytes(values.Masks.Passability.data(), kMaskRows);
    w.WriteBytes(values.Masks.Action.data(), kMaskRows);
    w.WriteByte(BitsOf(values.Terrains));
    w.WriteByte(water | (values.Terrains[8] ? 1 : 0));
    w.WriteByte(BitsOf(values.EditorTerrains));
    w.WriteByte(editorWater | (values.EditorTerrains[8] ? 1 : 0));
    w.WriteInt32(values.Type);
    w.WriteInt32(values.Subtype);
    w.WriteByte(values.Page < kPageCount ? values.Page : kNoPage);
    w.WriteByte(values.Ground ? 1 : 0);
    return w.Position() + tail;
}

bool IsBadNumberCode(int32_t code)
{
    return code == kdpiNoText || code == kdpiOverflow || code == kdpiOverflowBadChar;
}

TBoxNumber ReadBoxNumber(std::wstring_view text)
{
    int32_t code = 0;
    TBoxNumber r;
    r.Value = ParseInteger(text, &code);
    r.Bad = IsBadNumberCode(code);
    return r;
}

TBoxNumber ReadBoxNumber(std::string_view text)
{
    int32_t code = 0;
    TBoxNumber r;
    r.Value = ParseInteger(text, &code);
    r.Bad = IsBadNumberCode(code);
    return r;
}

std::wstring ValidationMessage(bool badType, bool badSubtype, std::size_t nameLength)
{
    std::wstring message;
    auto add = [&message](const wchar_t* part) {
        if (!message.empty())
            message += L", ";
        message += part;
    };
    if (badType)
        add(L"Wrong Type");
    if (badSubtype)
        add(L"Wrong Subtype");
    if (nameLength > kMaxPictureNameLength)
        add(L"Huge Picture Name");
    return message;
}

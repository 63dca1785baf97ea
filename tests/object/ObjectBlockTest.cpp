#include "object/ObjectBlock.h"

#include <gtest/gtest.h>

#include <numeric>
#include <stdexcept>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void PutInt32(Bytes& b, std::size_t at, int32_t v)
{
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<uint8_t>(u >> (8 * i));
}

// A block of `size` bytes with an n-byte name; every byte after the length field
// is its own offset (mod 251), so misplaced copies show.
Bytes MakeBlock(std::size_t size, int32_t n)
{
    Bytes b(size);
    for (std::size_t i = 0; i < size; ++i)
        b[i] = static_cast<uint8_t>(i % 251);
    if (size >= 4)
        PutInt32(b, 0, n);
    return b;
}

std::span<uint8_t, kObjectBlockSize> Whole(Bytes& b)
{
    return std::span<uint8_t, kObjectBlockSize>(b.data(), kObjectBlockSize);
}

TObjectValues SomeValues(std::size_t nameLength)
{
    TObjectValues v;
    v.Name.assign(nameLength, 'N');
    v.Masks.Passability = {1, 2, 3, 4, 5, 6};
    v.Masks.Action = {0x80, 0x40, 0x20, 0x10, 0x08, 0xFF};
    v.Terrains = {true, false, true, false, false, false, false, true, true};
    v.EditorTerrains = {false, true, false, false, false, false, true, false, false};
    v.Type = -17;
    v.Subtype = 123456789;
    v.Page = 4;
    v.Ground = true;
    return v;
}

TEST(ObjectBlockTest, SizeRules)
{
    EXPECT_FALSE(DecodeObjectBlock(Bytes{}));
    EXPECT_FALSE(DecodeObjectBlock(MakeBlock(3, 0)));
    EXPECT_FALSE(DecodeObjectBlock(MakeBlock(45, 0)));

    const auto empty = DecodeObjectBlock(MakeBlock(46, 0));  // empty name, 16-byte tail
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Name, "");

    EXPECT_TRUE(DecodeObjectBlock(MakeBlock(10 + 46, 10)));
    EXPECT_FALSE(DecodeObjectBlock(MakeBlock(10 + 45, 10)));
    EXPECT_EQ(AcceptedNameLength(MakeBlock(10 + 46, 10)), 10);
    EXPECT_EQ(AcceptedNameLength(MakeBlock(10 + 45, 10)), std::nullopt);
}

TEST(ObjectBlockTest, NegativeOrHugeNameLengthsAreRefused)
{
    // Each of these passes "size >= n + 46" in 32-bit arithmetic, or would point
    // outside the block.
    for (int32_t n : {-1, -46, -100, INT32_MIN, INT32_MAX, INT32_MAX - 45, 4067, 1 << 30})
        EXPECT_FALSE(DecodeObjectBlock(MakeBlock(4096, n))) << n;
    EXPECT_TRUE(DecodeObjectBlock(MakeBlock(4096, 4050)));
}

TEST(ObjectBlockTest, DecodeReadsEveryFieldInPlace)
{
    Bytes b(3 + 46, 0);
    PutInt32(b, 0, 3);
    b[4] = 'a';
    b[5] = '\0';  // a NUL inside the name is kept as a byte
    b[6] = 0xE9;
    for (int i = 0; i < 12; ++i)
        b[7 + static_cast<std::size_t>(i)] = static_cast<uint8_t>(0x10 + i);
    b[19] = 0xA5;  // terrains
    b[20] = 0xFF;  // water
    b[21] = 0x5A;  // editor terrains
    b[22] = 0x02;  // editor water: bit 0 clear
    PutInt32(b, 23, INT32_MIN);
    PutInt32(b, 27, 0x01020304);
    b[31] = 6;     // page
    b[32] = 0x7F;  // ground

    const auto f = DecodeObjectBlock(b);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Name, std::string("a\0\xE9", 3));
    EXPECT_EQ(f->Masks.Passability, (std::array<uint8_t, 6>{0x10, 0x11, 0x12, 0x13, 0x14, 0x15}));
    EXPECT_EQ(f->Masks.Action, (std::array<uint8_t, 6>{0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B}));
    EXPECT_EQ(f->Terrains, 0xA5);
    EXPECT_EQ(f->Water, 0xFF);
    EXPECT_EQ(f->EditorTerrains, 0x5A);
    EXPECT_EQ(f->EditorWater, 0x02);
    EXPECT_EQ(f->Type, INT32_MIN);
    EXPECT_EQ(f->Subtype, 0x01020304);
    EXPECT_EQ(f->Page, 6);
    EXPECT_EQ(f->Ground, 0x7F);

    // What the controls show: water bit 0 only, page 6 as none, any ground as checked.
    const TObjectValues v = ValuesFromFields(*f);
    EXPECT_EQ(v.Terrains, (std::array<bool, 9>{1, 0, 1, 0, 0, 1, 0, 1, 1}));
    EXPECT_EQ(v.EditorTerrains, (std::array<bool, 9>{0, 1, 0, 1, 1, 0, 1, 0, 0}));
    EXPECT_EQ(v.Page, kNoPage);
    EXPECT_TRUE(v.Ground);
}

TEST(ObjectBlockTest, RoundTripOfEveryField)
{
    const TObjectValues values = SomeValues(12);
    Bytes out(kObjectBlockSize, 0xCC);
    const Bytes current = MakeBlock(46, 0);
    EXPECT_EQ(EncodeObjectBlock(values, current, Whole(out)), 12u + 30 + 16);

    const auto f = DecodeObjectBlock(out);
    ASSERT_TRUE(f);
    // Bit 0 of the water bytes from the values, bits 1-7 from the current block.
    EXPECT_EQ(f->Water, (current[4 + 13] & 0xFE) | 1);
    EXPECT_EQ(f->EditorWater, current[4 + 15] & 0xFE);
    EXPECT_EQ(f->Terrains, 0x85);
    EXPECT_EQ(f->EditorTerrains, 0x42);
    EXPECT_EQ(f->Ground, 1);
    EXPECT_EQ(ValuesFromFields(*f), values);

    // Normalisation: pages outside 0..5 become 255, ground and water become 0/1.
    for (uint8_t page : {uint8_t(0), uint8_t(5), uint8_t(6), uint8_t(200), kNoPage}) {
        TObjectValues v = values;
        v.Page = page;
        ASSERT_EQ(EncodeObjectBlock(v, current, Whole(out)), 58u);
        EXPECT_EQ(out[12 + 28], page <= 5 ? page : 255);
    }
}

TEST(ObjectBlockTest, TailMovesToItsNewPlace)
{
    // 100-byte block, 10-byte name, new 12-byte name: 60 tail bytes land at offset 42.
    const Bytes current = MakeBlock(100, 10);
    Bytes out(kObjectBlockSize, 0xCC);
    EXPECT_EQ(EncodeObjectBlock(SomeValues(12), current, Whole(out)), 42u + 60);
    EXPECT_TRUE(std::equal(current.begin() + 40, current.end(), out.begin() + 42));
    EXPECT_TRUE(std::all_of(out.begin() + 102, out.end(), [](uint8_t b) { return b == 0xCC; }));
    EXPECT_EQ(DecodeObjectBlock(out)->Name, std::string(12, 'N'));

    // A longer block: the tail is cut at byte 4096 of the new block.
    const Bytes big = MakeBlock(6000, 10);
    EXPECT_EQ(EncodeObjectBlock(SomeValues(12), big, Whole(out)), kObjectBlockSize);
    EXPECT_TRUE(std::equal(out.begin() + 42, out.end(), big.begin() + 40));
}

TEST(ObjectBlockTest, EncodingIntoTheCurrentBlockItself)
{
    // Save grows the current block to 4096 bytes and encodes into it: the tail
    // moves up (longer name) or down (shorter name) inside the same bytes.
    for (std::size_t m : {std::size_t(0), std::size_t(3), std::size_t(10), std::size_t(17), std::size_t(4066)}) {
        Bytes block = MakeBlock(kObjectBlockSize, 10);
        const Bytes before = block;
        const std::size_t t = std::min<std::size_t>(kObjectBlockSize - 40, kMaxPictureNameLength - m);
        EXPECT_EQ(EncodeObjectBlock(SomeValues(m), block, Whole(block)), m + 30 + t) << m;
        EXPECT_TRUE(std::equal(before.begin() + 40, before.begin() + 40 + static_cast<std::ptrdiff_t>(t),
                               block.begin() + static_cast<std::ptrdiff_t>(m + 30)))
            << m;
        const auto f = DecodeObjectBlock(block);
        ASSERT_EQ(f.has_value(), m + 46 <= kObjectBlockSize) << m;
        if (f) {
            EXPECT_EQ(ValuesFromFields(*f), SomeValues(m)) << m;
        }
    }
}

TEST(ObjectBlockTest, CurrentBlocksWithoutAProperTailCarryNone)
{
    Bytes out(kObjectBlockSize, 0xCC);
    // Save cut a long block to 4096 bytes, its name length now reaches past the end.
    EXPECT_EQ(EncodeObjectBlock(SomeValues(5), MakeBlock(4096, 4080), Whole(out)), 35u);
    EXPECT_EQ(EncodeObjectBlock(SomeValues(5), MakeBlock(4096, -20), Whole(out)), 35u);
    EXPECT_EQ(EncodeObjectBlock(SomeValues(5), MakeBlock(4096, INT32_MAX), Whole(out)), 35u);
    EXPECT_EQ(EncodeObjectBlock(SomeValues(5), Bytes{}, Whole(out)), 35u);
    EXPECT_EQ(EncodeObjectBlock(SomeValues(5), MakeBlock(2, 0), Whole(out)), 35u);
    EXPECT_EQ(out[35], 0xCC);
}

TEST(ObjectBlockTest, NameLengthLimitWhenEncoding)
{
    Bytes out(kObjectBlockSize, 0xCC);
    const Bytes current = MakeBlock(100, 10);
    EXPECT_EQ(EncodeObjectBlock(SomeValues(4066), current, Whole(out)), kObjectBlockSize);
    EXPECT_FALSE(DecodeObjectBlock(out));  // fits the buffer, but leaves no room for the tail
    out.assign(kObjectBlockSize, 0xCC);
    EXPECT_THROW(EncodeObjectBlock(SomeValues(4067), current, Whole(out)), std::length_error);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](uint8_t b) { return b == 0xCC; }));
}

TEST(ObjectBlockTest, FieldWriterStopsAtTheEnd)
{
    uint8_t buffer[6] = {};
    TFieldWriter w(buffer);
    w.WriteInt32(-2);
    w.WriteByte(7);
    EXPECT_EQ(w.Position(), 5u);
    EXPECT_THROW(w.WriteInt32(1), std::out_of_range);
    EXPECT_EQ(w.Position(), 5u);
    EXPECT_EQ(buffer[0], 0xFE);
    EXPECT_EQ(buffer[3], 0xFF);
    EXPECT_EQ(buffer[4], 7);
    EXPECT_EQ(buffer[5], 0);
}

TEST(ObjectBlockTest, ValidationMessage)
{
    EXPECT_EQ(ValidationMessage(false, false, 4066), L"");
    EXPECT_EQ(ValidationMessage(true, false, 0), L"Wrong Type");
    EXPECT_EQ(ValidationMessage(false, true, 0), L"Wrong Subtype");
    EXPECT_EQ(ValidationMessage(false, false, 4067), L"Huge Picture Name");
    EXPECT_EQ(ValidationMessage(true, true, 0), L"Wrong Type, Wrong Subtype");
    EXPECT_EQ(ValidationMessage(false, true, 4067), L"Wrong Subtype, Huge Picture Name");
    EXPECT_EQ(ValidationMessage(true, true, 4067), L"Wrong Type, Wrong Subtype, Huge Picture Name");
}

TEST(ObjectBlockTest, BoxNumbers)
{
    EXPECT_TRUE(ReadBoxNumber(L"99999999999").Bad);
    EXPECT_TRUE(ReadBoxNumber(L"2147483648").Bad);
    EXPECT_TRUE(ReadBoxNumber(L"99999999999 Artifact").Bad);
    const TBoxNumber letters = ReadBoxNumber(L"Artifact");
    EXPECT_FALSE(letters.Bad);
    EXPECT_EQ(letters.Value, 0);
    EXPECT_FALSE(ReadBoxNumber(L"").Bad);
    EXPECT_EQ(ReadBoxNumber(L"-2147483648").Value, INT32_MIN);
    EXPECT_FALSE(ReadBoxNumber(L"-2147483648").Bad);
    EXPECT_EQ(ReadBoxNumber("5  Artifact").Value, 5);
    EXPECT_FALSE(ReadBoxNumber("5  Artifact").Bad);
    EXPECT_TRUE(IsBadNumberCode(1));
    EXPECT_FALSE(IsBadNumberCode(3));
}

TEST(ObjectBlockTest, MaskCellKinds)
{
    TMaskStore masks;
    masks.SetKind(0, 0, ckNotAnObject);
    masks.SetKind(5, 7, ckNonEnterableEnter);
    masks.SetKind(2, 3, ckEnter);
    EXPECT_EQ(masks.Passability, (std::array<uint8_t, 6>{0x01, 0, 0, 0, 0, 0x80}));
    EXPECT_EQ(masks.Action, (std::array<uint8_t, 6>{0, 0, 0x08, 0, 0, 0x80}));
    EXPECT_EQ(masks.Kind(5, 7), ckNonEnterableEnter);
    masks.SetKind(5, 7, ckObject);
    EXPECT_EQ(masks.Kind(5, 7), ckObject);
    EXPECT_EQ(masks.Passability[5], 0);
    EXPECT_THROW(masks.Kind(6, 0), std::out_of_range);
    EXPECT_THROW(masks.SetKind(0, 8, 1), std::out_of_range);
    EXPECT_THROW(masks.SetKind(0, 0, 4), std::out_of_range);
}

}  // namespace

// Decoding into, validating and encoding from a window that only records what it is
// told: the order of the steps and the field values, without any real controls.
#include "object/ObjectControls.h"

#include <gtest/gtest.h>

#include "tests/support/ObjectBlocks.h"

namespace {

using TFakeWindow = testblocks::TFakeObjectControls;

// A block with a 16-byte tail whose bytes are their offsets, grown to size with 0xAB.
std::vector<uint8_t> MakeBlock(const std::string& name, uint8_t page, size_t size = 0)
{
    testblocks::TBlockFields s;
    s.Name = name;
    s.Pass = {0x81, 0, 0, 0, 0, 0};  // passability row 1
    s.Act = {0x01, 0, 0, 0, 0, 0};   // action row 1
    s.Water = 0xFF;                  // only bit 0 counts
    s.EditorTerrains = 0x80;         // map-editor Lava
    s.EditorWater = 0x02;            // map-editor water: bit 0 clear
    s.Subtype = -1;
    s.Page = page;
    s.Ground = 7;  // any non-zero
    s.Size = testblocks::HeadSize(name) + 16;
    s.Fill = [](size_t i) { return static_cast<uint8_t>(i); };
    std::vector<uint8_t> b = testblocks::MakeBlock(s);
    if (size > b.size())
        b.resize(size, 0xAB);
    return b;
}

TEST(ObjectControls, DecodeSetsEveryControlInOrder)
{
    TFakeWindow w;
    w.block = MakeBlock("AVWmrnd0", 3);
    ASSERT_TRUE(DecodeIntoControls(w));

    const std::vector<std::wstring> order = {L"name", L"change ComboName", L"check IACheckControl1",
                                             L"select ComboBox1", L"change ComboBox1", L"select ComboBox2",
                                             L"check RadioButton11", L"check CheckBox17", L"grid", L"show"};
    // RadioButton11 is not logged by the fake; compare the logged steps only.
    std::vector<std::wstring> expected;
    for (const auto& step : order)
        if (step != L"check RadioButton11")
            expected.push_back(step);
    EXPECT_EQ(w.log, expected);

    EXPECT_EQ(w.name, "AVWmrnd0");
    EXPECT_EQ(w.masks.Kind(0, 0), 3);
    EXPECT_EQ(w.masks.Kind(0, 7), 1);
    EXPECT_EQ(w.masks.Kind(0, 1), 0);
    EXPECT_TRUE(w.Checked(L"IACheckControl1"));
    EXPECT_FALSE(w.Checked(L"IACheckControl2"));
    EXPECT_TRUE(w.Checked(L"IACheckControl3"));
    EXPECT_TRUE(w.Checked(L"IACheckControl9"));    // water 0xFF
    EXPECT_TRUE(w.Checked(L"IACheckControl17"));   // map-editor Lava
    EXPECT_FALSE(w.Checked(L"IACheckControl18"));  // map-editor water 2: bit 0 clear
    EXPECT_EQ(w.Text(L"ComboBox1"), L"54");
    EXPECT_EQ(w.Text(L"ComboBox2"), L"-1");
    EXPECT_TRUE(w.Checked(L"RadioButton11"));
    EXPECT_TRUE(w.Checked(L"CheckBox17"));
    EXPECT_TRUE(w.shown);
}

TEST(ObjectControls, PagesWithoutButtonLeaveNoneCheckedAndEncodeAsNoPage)
{
    for (uint8_t page : {uint8_t(6), uint8_t(255), uint8_t(248)}) {
        TFakeWindow w;
        w.checked[L"RadioButton10"] = true;
        w.block = MakeBlock("x", page);
        ASSERT_TRUE(DecodeIntoControls(w));
        for (int i = 8; i <= 13; ++i)
            EXPECT_FALSE(w.Checked(L"RadioButton" + std::to_wstring(i))) << int(page) << " " << i;

        std::array<uint8_t, kObjectBlockSize> out{};
        EncodeFromControls(w, out);
        EXPECT_EQ(out[4 + 1 + 24], 255) << int(page);
    }
}

TEST(ObjectControls, RefusedBlockChangesNothingAndEmptiesTheBlock)
{
    TFakeWindow w;
    w.name = "kept";
    w.block = MakeBlock("abc", 0);
    w.block.resize(w.block.size() - 1);  // one byte short of n + 46
    EXPECT_FALSE(DecodeIntoControls(w));
    EXPECT_TRUE(w.block.empty());
    EXPECT_TRUE(w.log.empty());
    EXPECT_EQ(w.name, "kept");

    // A negative name length is refused too, whatever the size.
    w.block.assign(200, 0);
    w.block[0] = w.block[1] = w.block[2] = w.block[3] = 0xFF;
    EXPECT_FALSE(DecodeIntoControls(w));
    EXPECT_TRUE(w.block.empty());
}

TEST(ObjectControls, RoundTripCarriesTheTailAndNormalisesFlags)
{
    TFakeWindow w;
    w.block = MakeBlock("AVWmrnd0", 2, 300);
    const std::vector<uint8_t> original = w.block;
    ASSERT_TRUE(DecodeIntoControls(w));

    // Encoding into the current block itself, grown to 4096 bytes as Save does.
    w.block.resize(kObjectBlockSize, 0);
    const size_t written = EncodeFromControls(w, std::span<uint8_t, kObjectBlockSize>(w.block.data(), kObjectBlockSize));
    EXPECT_EQ(written, kObjectBlockSize);  // the grown block's zeros are tail too
    const size_t at = 4 + 8;
    for (size_t i = 0; i < original.size(); ++i) {
        if (i == at + 13 || i == at + 15 || i == at + 25)
            continue;
        EXPECT_EQ(w.block[i], original[i]) << "byte " << i;
    }
    EXPECT_EQ(w.block[at + 13], 0xFF);  // water 0xFF: bit 0 from the control, bits 1-7 kept
    EXPECT_EQ(w.block[at + 15], 2);     // map-editor water 2: bit 1 kept
    EXPECT_EQ(w.block[at + 25], 1);     // ground 7 written as 1
}

// Published maps keep further terrains in bits 1-7 of the two water bytes (13,
// 8 and 4 are common). A paste and a copy keep them; bit 0 follows the control.
TEST(ObjectControls, TerrainBitsOfTheWaterBytesThatNoControlShowsAreKept)
{
    TFakeWindow w;
    w.block = MakeBlock("AVWmrnd0", 2);
    const size_t at = 4 + 8;
    w.block[at + 13] = 13;
    w.block[at + 15] = 8;
    ASSERT_TRUE(DecodeIntoControls(w));
    EXPECT_TRUE(w.Checked(L"IACheckControl9"));
    EXPECT_FALSE(w.Checked(L"IACheckControl18"));
    std::array<uint8_t, kObjectBlockSize> out{};
    EncodeFromControls(w, out);
    EXPECT_EQ(out[at + 13], 13);
    EXPECT_EQ(out[at + 15], 8);

    // Bit 0 is the controls': water off, map-editor water on.
    w.SetChecked(L"IACheckControl9", false);
    w.SetChecked(L"IACheckControl18", true);
    EncodeFromControls(w, out);
    EXPECT_EQ(out[at + 13], 12);
    EXPECT_EQ(out[at + 15], 9);

    // Without a current block there is nothing to keep.
    w.block.clear();
    EncodeFromControls(w, out);
    EXPECT_EQ(out[at + 13], 0);
    EXPECT_EQ(out[at + 15], 1);
}

TEST(ObjectControls, ValidationReadsTheBoxesAndTheNameInBytes)
{
    TFakeWindow w;
    w.texts[L"ComboBox1"] = L"-2147483648";
    w.texts[L"ComboBox2"] = L"5  Artifact";
    w.name.assign(4066, 'n');
    EXPECT_EQ(ValidateControls(w), L"");

    w.texts[L"ComboBox1"] = L"2147483648";
    EXPECT_EQ(ValidateControls(w), L"Wrong Type");

    w.texts[L"ComboBox2"] = L"99999999999";
    w.name.push_back('n');
    EXPECT_EQ(ValidateControls(w), L"Wrong Type, Wrong Subtype, Huge Picture Name");

    w.texts[L"ComboBox1"] = L"0";
    EXPECT_EQ(ValidateControls(w), L"Wrong Subtype, Huge Picture Name");
}

TEST(ObjectControls, EncodeTakesTypeTextsAsRead)
{
    TFakeWindow w;
    w.block = MakeBlock("", 0);
    ASSERT_TRUE(DecodeIntoControls(w));
    w.texts[L"ComboBox1"] = L"abc";  // letters only: 0
    w.texts[L"ComboBox2"] = L"-2147483648";
    std::array<uint8_t, kObjectBlockSize> out{};
    EncodeFromControls(w, out);
    const auto fields = DecodeObjectBlock(std::span<const uint8_t>(out.data(), 46));
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->Type, 0);
    EXPECT_EQ(fields->Subtype, INT32_MIN);
    EXPECT_EQ(fields->Page, 0);
}

}  // namespace

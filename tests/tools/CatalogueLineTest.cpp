#include "tools/kestrin-clip/CatalogueLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kMask = std::string(40, '0') + "10000011";  // row 1: columns 1, 2 and 8
const std::string kLine = "AVWmrnd0.def " + kMask + " " + std::string(47, '1') + "0 100000101 011111111 54 12 2 1";

TEST(CatalogueLineTest, LineBecomesTheBlockAndComesBack)
{
    const auto r = BlockFromCatalogueLine(kLine + "\r\n");
    ASSERT_TRUE(r.Block) << r.Error;
    const std::vector<uint8_t>& b = *r.Block;
    ASSERT_EQ(b.size(), 12u + 46);
    EXPECT_EQ(b[0], 12);
    EXPECT_EQ(std::string(b.begin() + 4, b.begin() + 16), "AVWmrnd0.def");
    EXPECT_EQ(b[16], 0x83);  // the last digit is row 1, column 1
    for (int i = 17; i < 22; ++i)
        EXPECT_EQ(b[i], 0) << i;
    EXPECT_EQ(b[22], 0xFE);  // the last action digit is 0
    EXPECT_EQ(b[27], 0xFF);
    EXPECT_EQ(b[28], 0x05);  // terrains: Dirt and Grass
    EXPECT_EQ(b[29], 1);     // water
    EXPECT_EQ(b[30], 0xFF);
    EXPECT_EQ(b[31], 0);
    EXPECT_EQ(b[32], 54);
    EXPECT_EQ(b[36], 12);
    EXPECT_EQ(b[40], 2);
    EXPECT_EQ(b[41], 1);
    for (size_t i = 42; i < b.size(); ++i)
        EXPECT_EQ(b[i], 0) << i;
    const auto back = CatalogueLineOfBlock(b);
    ASSERT_TRUE(back.Line) << back.Error;
    EXPECT_EQ(*back.Line, kLine);

    // Numbers at their limits.
    const std::string limits = "a " + std::string(48, '1') + " " + std::string(48, '0') +
                               " 000000000 111111111 -2147483648 2147483647 255 0";
    const auto edge = BlockFromCatalogueLine(limits);
    ASSERT_TRUE(edge.Block) << edge.Error;
    EXPECT_EQ(CatalogueLineOfBlock(*edge.Block).Line, limits);
}

TEST(CatalogueLineTest, MalformedLinesAreRefusedNamingTheField)
{
    auto replaced = [](int field, const std::string& text) {
        std::vector<std::string> parts;
        for (size_t at = 0; at <= kLine.size();) {
            const size_t end = std::min(kLine.find(' ', at), kLine.size());
            parts.push_back(kLine.substr(at, end - at));
            at = end + 1;
        }
        parts[static_cast<size_t>(field)] = text;
        std::string line;
        for (const auto& p : parts)
            line += (line.empty() ? "" : " ") + p;
        return line;
    };
    const std::pair<std::string, std::string> cases[] = {
        {"", "picture name"},
        {kLine.substr(0, kLine.rfind(' ')), "ground"},
        {"AVWmrnd0.def " + kMask, "actions"},
        {kLine + " 7", "after the ground"},
        {replaced(1, kMask.substr(1)), "passability field has 47 digits"},
        {replaced(2, std::string(47, '0') + "2"), "actions field has \"2\" at digit 48"},
        {replaced(3, "1000001010"), "terrains field has 10 digits"},
        {replaced(4, "01111111x"), "map-editor terrains field has \"x\""},
        {replaced(5, "2147483648"), "type field 2147483648 does not fit"},
        {replaced(6, "-2147483649"), "subtype field -2147483649 does not fit"},
        {replaced(6, "99999999999999999999999"), "subtype field 99999999999999999999999 does not fit"},
        {replaced(7, "256"), "page field 256 does not fit"},
        {replaced(8, "-1"), "ground field -1 does not fit"},
        {replaced(5, "5x"), "type field \"5x\" is not a decimal number"},
    };
    for (const auto& [line, field] : cases) {
        const auto r = BlockFromCatalogueLine(line);
        EXPECT_FALSE(r.Block) << line;
        EXPECT_NE(r.Error.find(field), std::string::npos) << r.Error;
    }
}

TEST(CatalogueLineTest, BlocksThatNoLineCanHoldAreRefused)
{
    std::vector<uint8_t> b = *BlockFromCatalogueLine(kLine).Block;
    b[29] = 13;  // further terrains in the water byte
    EXPECT_NE(CatalogueLineOfBlock(b).Error.find("water byte 13"), std::string::npos);
    b[29] = 1;
    b[5] = ' ';
    EXPECT_NE(CatalogueLineOfBlock(b).Error.find("blank"), std::string::npos);
    b.resize(45);
    EXPECT_EQ(CatalogueLineOfBlock(b).Error, "Wrong data");
}

}  // namespace

#include "tools/kestrin-clip/BlockText.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> Block(std::vector<uint8_t> head, std::size_t tail)
{
    head.resize(head.size() + tail, 0xEE);
    return head;
}

TEST(BlockTextTest, DescribesEveryField)
{
    const auto block = Block({3, 0, 0, 0, 'a', '"', 0xE9,                          // name
                              0x01, 0x02, 0x04, 0x08, 0x10, 0xFF,                   // passability
                              0x80, 0x00, 0x00, 0x00, 0x00, 0x03,                   // action
                              0x85, 0xFE, 0x00, 0x01,                               // terrains, water
                              0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80,       // type -2, subtype
                              6, 0},                                                // page, ground
                             17);
    const auto text = DescribeObjectBlock(block);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text,
              "size: 50 bytes\n"
              "name: \"a\\\"\\xE9\" (3 bytes)\n"
              "passability (# passable; row 1 at the top, column 1 at the left):\n"
              "  #.......\n"
              "  .#......\n"
              "  ..#.....\n"
              "  ...#....\n"
              "  ....#...\n"
              "  ########\n"
              "action (# action cell):\n"
              "  .......#\n"
              "  ........\n"
              "  ........\n"
              "  ........\n"
              "  ........\n"
              "  ##......\n"
              "terrains: Dirt, Grass, Lava\n"  // water byte 0xFE: bit 0 clear
              "editor terrains: Water\n"
              "type: -2\n"
              "subtype: -2147483648\n"
              "page: none (6)\n"
              "ground: no (0)\n"
              "tail: 17 bytes\n");
}

TEST(BlockTextTest, NamesTheReasonForARefusal)
{
    EXPECT_EQ(BlockRefusal(Block({0, 0, 0, 0}, 42)), "");
    EXPECT_EQ(BlockRefusal(Block({0, 0, 0, 0}, 41)), "the block is 45 bytes long, shorter than 46");
    EXPECT_EQ(BlockRefusal(Block({0xFB, 0xFF, 0xFF, 0xFF}, 60)), "the name length -5 is negative");
    EXPECT_EQ(BlockRefusal(Block({10, 0, 0, 0}, 51)), "the name length 10 needs 56 bytes, the block has 55");
    EXPECT_EQ(BlockRefusal(Block({0xFF, 0xFF, 0xFF, 0x7F}, 60)),
              "the name length 2147483647 needs 2147483693 bytes, the block has 64");
    EXPECT_FALSE(DescribeObjectBlock(Block({0, 0, 0, 0}, 41)));
    const auto page = DescribeObjectBlock(std::vector<uint8_t>(46, 0));
    ASSERT_TRUE(page);
    EXPECT_NE(page->find("terrains: none\n"), std::string::npos);
    EXPECT_NE(page->find("page: Terrain (0)\n"), std::string::npos);
    EXPECT_NE(page->find("tail: 16 bytes\n"), std::string::npos);
}

}  // namespace

#include "controls/KdMemory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CopyBytesTest, OverlappingRangesMoveWithoutSmearing)
{
    // Lengths around the 4-, 2- and 1-byte steps of a word-wise copy.
    for (std::size_t count = 0; count <= 19; ++count) {
        std::string up = "0123456789abcdefghijklmnop";
        CopyBytes(&up[1], &up[0], count);  // dest one after source
        std::string expected = "0123456789abcdefghijklmnop";
        expected.replace(1, count, std::string("0123456789abcdefghijklmnop").substr(0, count));
        EXPECT_EQ(up, expected) << count;

        std::string down = "0123456789abcdefghijklmnop";
        CopyBytes(&down[0], &down[1], count);  // dest one before source
        expected = "0123456789abcdefghijklmnop";
        expected.replace(0, count, std::string("0123456789abcdefghijklmnop").substr(1, count));
        EXPECT_EQ(down, expected) << count;
    }
}

TEST(CopyBytesTest, SameOrEmptyRangesAreLeftAlone)
{
    std::string s = "abcdef";
    CopyBytes(s.data(), s.data(), s.size());
    EXPECT_EQ(s, "abcdef");
    CopyBytes(nullptr, nullptr, 0);  // no bytes, no access
    char a[4] = {'w', 'x', 'y', 'z'}, b[4] = {};
    CopyBytes(b, a, 4);
    EXPECT_EQ(std::string(b, 4), "wxyz");
}

}  // namespace

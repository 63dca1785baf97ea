// The archive reader on archives made in memory: stored and deflated entries,
// names without regard to case, and every damaged table or entry refused with a reason.
#include "gamedata/LodArchive.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <unistd.h>

#include "tests/support/GameFileWriter.h"

namespace {

std::vector<std::uint8_t> Text(std::string_view text) { return {text.begin(), text.end()}; }

std::vector<std::uint8_t> Varied(std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 31) ^ (i >> 5));
    return bytes;
}

bool OpenBytes(TLodArchive& archive, const std::vector<std::uint8_t>& bytes, std::string& reason)
{
    return archive.Open(std::make_unique<TMemoryReader>(bytes), reason);
}

std::string OpenRefusal(const std::vector<std::uint8_t>& bytes)
{
    TLodArchive archive;
    std::string reason;
    EXPECT_FALSE(OpenBytes(archive, bytes, reason));
    EXPECT_TRUE(archive.Entries().empty());
    return reason;
}

std::string ReadRefusal(const std::vector<std::uint8_t>& bytes, std::string_view name, std::size_t limit = 1 << 20)
{
    TLodArchive archive;
    std::string reason;
    EXPECT_TRUE(OpenBytes(archive, bytes, reason)) << reason;
    const TLodEntry* entry = archive.Find(name);
    EXPECT_NE(entry, nullptr);
    std::vector<std::uint8_t> read = {1};
    if (entry) {
        EXPECT_FALSE(archive.Read(*entry, limit, read, reason));
    }
    EXPECT_TRUE(read.empty());
    return reason;
}

TEST(LodArchive, ReadsStoredAndDeflatedEntriesFoundWithoutRegardToCase)
{
    const auto big = Varied(200000);
    const auto bytes = MakeArchive({{"AVCRANX0.DEF", Text("stored"), false},
                                    {"ObJeCtS.TxT", big, true},
                                    {"EMPTY.TXT", {}, true},
                                    {"A23456789012345", Text("fifteen"), false}});
    TLodArchive archive;
    std::string reason;
    ASSERT_TRUE(OpenBytes(archive, bytes, reason)) << reason;
    ASSERT_EQ(archive.Entries().size(), 4u);
    std::vector<std::uint8_t> read;
    ASSERT_NE(archive.Find("avcRanx0.def"), nullptr);
    ASSERT_TRUE(archive.Read(*archive.Find("avcRanx0.def"), 100, read, reason)) << reason;
    EXPECT_EQ(read, Text("stored"));
    ASSERT_TRUE(archive.Read(*archive.Find("OBJECTS.TXT"), big.size(), read, reason)) << reason;
    EXPECT_EQ(read, big);
    ASSERT_TRUE(archive.Read(*archive.Find("empty.txt"), 0, read, reason)) << reason;
    EXPECT_TRUE(read.empty());
    ASSERT_TRUE(archive.Read(*archive.Find("a23456789012345"), 7, read, reason)) << reason;
    EXPECT_EQ(read, Text("fifteen"));
    EXPECT_EQ(archive.Find("AVCRANX0"), nullptr);
    EXPECT_EQ(archive.Find("AVCRANX0.DEF2"), nullptr);
    EXPECT_EQ(archive.Find("A234567890123456"), nullptr);  // longer than a name can be
    EXPECT_EQ(archive.Find(""), nullptr);
}

TEST(LodArchive, TheFirstOfTwoEntriesOfOneNameCounts)
{
    const auto bytes = MakeArchive({{"twice.def", Text("first"), true}, {"TWICE.DEF", Text("second"), false}});
    TLodArchive archive;
    std::string reason;
    ASSERT_TRUE(OpenBytes(archive, bytes, reason));
    std::vector<std::uint8_t> read;
    ASSERT_TRUE(archive.Read(*archive.Find("Twice.def"), 100, read, reason));
    EXPECT_EQ(read, Text("first"));
}

TEST(LodArchive, OnlyTheFirstNEntriesOfALargerTableCount)
{
    auto bytes = MakeArchive({{"ONE", Text("1"), false}, {"TWO", Text("2"), false}});
    PutLe32(bytes, 8, 1);
    TLodArchive archive;
    std::string reason;
    ASSERT_TRUE(OpenBytes(archive, bytes, reason));
    EXPECT_NE(archive.Find("one"), nullptr);
    EXPECT_EQ(archive.Find("two"), nullptr);
}

TEST(LodArchive, RefusesADamagedTable)
{
    const auto good = MakeArchive({{"ONE.DEF", Text("12345"), false}, {"TWO.DEF", Varied(500), true}});
    EXPECT_NE(OpenRefusal({}).find("too short"), std::string::npos);
    EXPECT_NE(OpenRefusal(std::vector<std::uint8_t>(good.begin(), good.begin() + 91)).find("too short"),
              std::string::npos);
    auto bad = good;
    bad[0] = 'X';
    EXPECT_NE(OpenRefusal(bad).find("not an archive"), std::string::npos);
    bad = good;
    PutLe32(bad, 8, 0xFFFFFFFF);
    EXPECT_NE(OpenRefusal(bad).find("table runs past the end"), std::string::npos);
    // The table cut in the middle of its second entry.
    EXPECT_NE(OpenRefusal(std::vector<std::uint8_t>(good.begin(), good.begin() + 92 + 40)).find("past the end"),
              std::string::npos);
    bad = good;
    std::fill(bad.begin() + 92 + 32, bad.begin() + 92 + 48, 'A');
    EXPECT_NE(OpenRefusal(bad).find("entry 2 of the archive's table has a name without an end"), std::string::npos);
    bad = good;
    PutLe32(bad, 92 + 16, static_cast<std::uint32_t>(good.size() - 4));  // stored: 5 bytes from 4 before the end
    EXPECT_NE(OpenRefusal(bad).find("entry 1 of the archive's table points past the end"), std::string::npos);
    bad = good;
    PutLe32(bad, 92 + 32 + 28, 0xFFFFFF00);  // packed size
    EXPECT_NE(OpenRefusal(bad).find("entry 2"), std::string::npos);
    bad = good;
    PutLe32(bad, 92 + 16, 0xFFFFFFF0);  // offset + size wraps in 32 bits
    EXPECT_NE(OpenRefusal(bad).find("points past the end"), std::string::npos);
}

TEST(LodArchive, RefusesAnEntryOverTheLimitBeforeReadingIt)
{
    auto bytes = MakeArchive({{"BIG.DEF", Varied(1000), false}, {"PACKED.DEF", Varied(1000), true}});
    EXPECT_NE(ReadRefusal(bytes, "big.def", 999).find("1000 bytes, more than the 999 accepted"), std::string::npos);
    EXPECT_NE(ReadRefusal(bytes, "packed.def", 999).find("more than the 999"), std::string::npos);
    // An unpacked size near 4 GiB is refused without allocating it.
    PutLe32(bytes, 92 + 32 + 20, 0xFFFFFFF0);
    EXPECT_NE(ReadRefusal(bytes, "packed.def", 16 << 20).find("more than"), std::string::npos);
}

TEST(LodArchive, RefusesAnEntryWhoseInflatedSizeDiffersFromTheTable)
{
    const auto good = MakeArchive({{"X.DEF", Varied(3000), true}});
    auto bad = good;
    PutLe32(bad, 92 + 20, 2999);
    EXPECT_NE(ReadRefusal(bad, "x.def").find("more bytes than"), std::string::npos);
    bad = good;
    PutLe32(bad, 92 + 20, 3001);
    EXPECT_NE(ReadRefusal(bad, "x.def").find("fewer bytes than"), std::string::npos);
    bad = good;
    const std::uint32_t packed = bad[92 + 28] | bad[92 + 29] << 8;
    PutLe32(bad, 92 + 28, packed - 10);  // the stream cut before its end
    EXPECT_NE(ReadRefusal(bad, "x.def").find("ends early"), std::string::npos);
    bad = good;
    bad[92 + 32 + 1] ^= 0xFF;  // the stream's header broken
    bad[92 + 32 + 40] ^= 0x55;
    EXPECT_NE(ReadRefusal(bad, "x.def").find("damaged"), std::string::npos);
}

TEST(LodArchive, ReadsAnArchiveFileTableOnlyOnce)
{
    const auto path = std::filesystem::temp_directory_path() / ("kestrin-lod-" + std::to_string(::getpid()) + ".lod");
    WriteFileBytes(path, MakeArchive({{"A.DEF", Text("aaa"), true}, {"B.DEF", Text("bb"), false}}));
    TLodArchive archive;
    std::string reason;
    ASSERT_TRUE(archive.Open(path, reason)) << reason;
    std::filesystem::remove(path);  // the entries still come from the open file
    std::vector<std::uint8_t> read;
    ASSERT_TRUE(archive.Read(*archive.Find("b.def"), 10, read, reason)) << reason;
    EXPECT_EQ(read, Text("bb"));
    ASSERT_TRUE(archive.Read(*archive.Find("a.def"), 10, read, reason)) << reason;
    EXPECT_EQ(read, Text("aaa"));
    EXPECT_FALSE(archive.Open(path, reason));
    EXPECT_EQ(reason, "the archive cannot be opened");
}

}  // namespace

namespace {

TEST(LodArchive, ATableLargerThanTheUsualReservationIsReadWholeAndIndexed)
{
    std::vector<TArchiveFile> files;
    for (int i = 0; i < 10003; ++i)
        files.push_back({"E" + std::to_string(i) + ".def", Text(std::to_string(i)), i % 3 == 0});
    auto bytes = MakeArchive(files);
    TLodArchive archive;
    std::string reason;
    ASSERT_TRUE(OpenBytes(archive, bytes, reason)) << reason;
    ASSERT_EQ(archive.Entries().size(), 10003u);
    std::vector<std::uint8_t> read;
    for (int i : {0, 1, 9999, 10000, 10002}) {
        const TLodEntry* entry = archive.Find("e" + std::to_string(i) + ".DEF");
        ASSERT_NE(entry, nullptr) << i;
        ASSERT_TRUE(archive.Read(*entry, 10, read, reason)) << reason;
        EXPECT_EQ(read, Text(std::to_string(i)));
    }
    EXPECT_EQ(archive.Find("E10003.DEF"), nullptr);
    // The last entry, past the first read, points past the end.
    PutLe32(bytes, 92 + 32 * 10002 + 16, static_cast<std::uint32_t>(bytes.size()));
    EXPECT_NE(OpenRefusal(bytes).find("entry 10003 of the archive's table points past the end"), std::string::npos);
}

TEST(LodArchive, NamesEndAtTheirZeroWhateverFollowsAndEveryEntryIsChecked)
{
    auto bytes = MakeArchive({{"ab", Text("1"), false}, {"AB.DEF", Text("2"), false}, {"z@[`{", Text("3"), false}});
    bytes[92 + 4] = 'Q';  // after the zero that ends "ab"
    TLodArchive archive;
    std::string reason;
    ASSERT_TRUE(OpenBytes(archive, bytes, reason)) << reason;
    ASSERT_NE(archive.Find("AB"), nullptr);
    EXPECT_EQ(archive.Find("AB")->Name(), "ab");
    EXPECT_EQ(archive.Find("ab.def")->Name(), "AB.DEF");
    EXPECT_NE(archive.Find("Z@[`{"), nullptr);  // only letters change case
    EXPECT_EQ(archive.Find("z@{`{"), nullptr);
    // A bad entry in the last place, an odd one, is found as well as an even one.
    for (int bad : {1, 2}) {
        auto broken = bytes;
        std::fill(broken.begin() + 92 + 32 * bad, broken.begin() + 92 + 32 * bad + 16, 'A');
        EXPECT_NE(OpenRefusal(broken).find("entry " + std::to_string(bad + 1) + " of the archive's table has a name"),
                  std::string::npos);
    }
}

}  // namespace

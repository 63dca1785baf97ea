// The sources of the game's files in a folder made for each test: a loose file
// over the archives, .pac before .lod, the sprite archives first among .lod,
// the mods in Mods\list.txt order or name order, and damaged sources.
#include "gamedata/GameFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/support/GameFileWriter.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> Text(std::string_view text) { return {text.begin(), text.end()}; }

class GameFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int counter = 0;
        root_ = fs::temp_directory_path() /
                ("kestrin-gamefiles-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        fs::create_directories(root_ / "Data");
    }
    void TearDown() override { fs::remove_all(root_); }

    void Archive(const fs::path& relative, const std::vector<TArchiveFile>& files)
    {
        fs::create_directories((root_ / relative).parent_path());
        WriteFileBytes(root_ / relative, MakeArchive(files));
    }
    void Loose(const fs::path& relative, std::string_view text)
    {
        fs::create_directories((root_ / relative).parent_path());
        WriteFileBytes(root_ / relative, Text(text));
    }
    // What a read of that name gives: the text, "not found" or "unreadable: <reason>".
    std::string Get(TGameFiles& files, std::string_view name, std::size_t limit = 1000)
    {
        std::vector<std::uint8_t> bytes;
        std::string reason;
        switch (files.Read(name, limit, bytes, reason)) {
        case TFindResult::Found:
            return std::string(bytes.begin(), bytes.end());
        case TFindResult::NotFound:
            return "not found";
        default:
            return "unreadable: " + reason;
        }
    }

    fs::path root_;
};

TEST_F(GameFilesTest, ALooseFileComesBeforeEveryArchive)
{
    Archive("Data/H3sprite.lod", {{"AVCRANX0.DEF", Text("archive"), true}, {"OTHER.DEF", Text("other"), false}});
    Loose("Data/avcranx0.DEF", "loose");
    TGameFiles files(root_);
    EXPECT_TRUE(files.HasData());
    EXPECT_EQ(Get(files, "AvcRanx0.def"), "loose");
    EXPECT_EQ(Get(files, "other.def"), "other");
    EXPECT_EQ(Get(files, "missing.def"), "not found");
    // A loose file that appears later is seen; the archive's table was kept.
    Loose("Data/OTHER.DEF", "new loose");
    EXPECT_EQ(Get(files, "OTHER.def"), "new loose");
}

TEST_F(GameFilesTest, ArchivesAreSearchedPacFirstThenTheSpriteArchivesThenOtherLod)
{
    Archive("Data/a.lod", {{"ALL.DEF", Text("a.lod"), false}, {"LOD.DEF", Text("a.lod"), false}});
    Archive("Data/H3sprite.lod", {{"ALL.DEF", Text("H3sprite"), false}, {"SPRITE.DEF", Text("H3sprite"), false},
                                  {"LOD.DEF", Text("H3sprite"), false}});
    Archive("Data/H3ab_spr.LOD", {{"ALL.DEF", Text("H3ab_spr"), false}, {"SPRITE.DEF", Text("H3ab_spr"), true}});
    Archive("Data/z.pac", {{"ALL.DEF", Text("z.pac"), false}, {"PAC.DEF", Text("z.pac"), false}});
    Archive("Data/B.pac", {{"ALL.DEF", Text("B.pac"), true}});
    Archive("Data/c.lod", {{"C.DEF", Text("c.lod"), false}, {"PAC.DEF", Text("c.lod"), false}});
    TGameFiles files(root_);
    EXPECT_EQ(Get(files, "all.def"), "B.pac");
    EXPECT_EQ(Get(files, "pac.def"), "z.pac");
    EXPECT_EQ(Get(files, "sprite.def"), "H3ab_spr");
    EXPECT_EQ(Get(files, "lod.def"), "H3sprite");
    EXPECT_EQ(Get(files, "c.def"), "c.lod");
}

TEST_F(GameFilesTest, ModsFollowTheListOrElseNameOrder)
{
    Archive("Mods/Alpha/Data/alpha.lod", {{"MOD.DEF", Text("Alpha"), false}});
    Loose("Mods/beta/Data/mod.def", "beta");
    Loose("Mods/Gamma/Data/mod.def", "Gamma");
    Loose("Mods/Gamma/Data/gamma.def", "Gamma only");
    Archive("Data/base.lod", {{"BASE.DEF", Text("base"), false}});
    {
        TGameFiles files(root_);
        EXPECT_EQ(Get(files, "mod.def"), "Alpha");
        EXPECT_EQ(Get(files, "base.def"), "base");
    }
    Loose("Mods/list.txt", "  Gamma \r\nnot there\r\nbeta\r\n");
    {
        TGameFiles files(root_);
        EXPECT_EQ(Get(files, "MOD.DEF"), "Gamma");
        EXPECT_EQ(Get(files, "gamma.def"), "Gamma only");
    }
    Loose("Mods/list.txt", "beta\nAlpha\n");
    {
        TGameFiles files(root_);
        EXPECT_EQ(Get(files, "mod.def"), "beta");
        EXPECT_EQ(Get(files, "gamma.def"), "not found");  // a mod not listed is not used
    }
    // The game's own Data comes before every mod.
    Loose("Data/mod.def", "base loose");
    TGameFiles files(root_);
    EXPECT_EQ(Get(files, "mod.def"), "base loose");
}

TEST_F(GameFilesTest, TheFirstSourceThatHoldsANameDecides)
{
    auto bad = MakeArchive({{"BAD.DEF", Text("0123456789"), true}});
    PutLe32(bad, 92 + 20, 9);  // inflates to more than the table says
    WriteFileBytes(root_ / "Data" / "a.pac", bad);
    Archive("Data/b.pac", {{"BAD.DEF", Text("good"), false}});
    Loose("Data/big.def", std::string(1001, 'x'));
    TGameFiles files(root_);
    EXPECT_EQ(Get(files, "bad.def"), "unreadable: the entry inflates to more bytes than its table entry says (in "
                                     "Data\\a.pac)");
    EXPECT_EQ(Get(files, "BIG.DEF"), "unreadable: the file Data\\big.def is 1001 bytes, more than the 1000 accepted");
    EXPECT_EQ(Get(files, "big.def", 1001), std::string(1001, 'x'));
}

TEST_F(GameFilesTest, ADamagedArchiveIsPassedOverAndNamedWhenNothingElseHoldsTheName)
{
    WriteFileBytes(root_ / "Data" / "a.pac", Text("LOD"));
    Archive("Data/b.lod", {{"GOOD.DEF", Text("good"), false}});
    TGameFiles files(root_);
    EXPECT_EQ(Get(files, "good.def"), "good");
    EXPECT_EQ(Get(files, "gone.def"), "unreadable: the archive Data\\a.pac cannot be read: the file is too short for "
                                      "an archive");
    std::vector<std::uint8_t> bytes;
    std::string reason;
    EXPECT_EQ(files.ReadFromArchives("gone.def", 10, bytes, reason), TFindResult::NotFound);
}

TEST_F(GameFilesTest, NamesThatAreNotPlainFileNamesAreNotFound)
{
    Loose("Data/sub/x.def", "x");
    Loose("outside.def", "outside");
    TGameFiles files(root_);
    for (std::string_view name : {"sub/x.def", "sub\\x.def", "../outside.def", "..", ".", "", "sub"})
        EXPECT_EQ(Get(files, name), "not found") << name;
}

TEST_F(GameFilesTest, WithoutADataFolderTheModsStillCount)
{
    fs::remove_all(root_ / "Data");
    Loose("Mods/m/Data/x.def", "x");
    TGameFiles files(root_);
    EXPECT_FALSE(files.HasData());
    EXPECT_EQ(Get(files, "x.def"), "x");  // a mod alone still counts as a source
}

TEST_F(GameFilesTest, ReadsFromArchivesAloneSkipsLooseFiles)
{
    Loose("Data/OBJECTS.TXT", "loose");
    Archive("Data/H3bitmap.lod", {{"OBJECTS.TXT", Text("archived"), true}});
    TGameFiles files(root_);
    std::vector<std::uint8_t> bytes;
    std::string reason;
    ASSERT_EQ(files.ReadFromArchives("objects.txt", 100, bytes, reason), TFindResult::Found);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "archived");
}

}  // namespace

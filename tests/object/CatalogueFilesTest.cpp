// The catalogue files in the current directory's Data folder, and the catalogue
// text in the game's archives, taken only when none of the files exists.
#include "object/CatalogueFiles.h"

#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "gamedata/GameFiles.h"
#include "tests/support/GameFileWriter.h"
#include "tests/support/TempDir.h"

namespace {

std::vector<std::uint8_t> Text(std::string_view text) { return {text.begin(), text.end()}; }

class CatalogueFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GetCurrentDirectoryW(MAX_PATH, previous_);
        ASSERT_TRUE(CreateDirectoryW((dir_ / L"Data").c_str(), nullptr));
        ASSERT_TRUE(SetCurrentDirectoryW(dir_.Path().c_str()));
    }
    void TearDown() override { SetCurrentDirectoryW(previous_); }

    void Put(const wchar_t* name, std::string_view text) { testfs::PutFile(dir_ / name, Text(text)); }
    void PutArchive(const wchar_t* name, const std::vector<TArchiveFile>& files)
    {
        testfs::PutFile(dir_ / name, MakeArchive(files));
    }
    // The names of the catalogue loaded from the current directory, space-separated.
    std::string Names()
    {
        TObjectCatalogue catalogue(collation_);
        LoadCatalogueFiles(catalogue);
        std::string names;
        for (const TMyPic& entry : catalogue.Entries())
            names += (names.empty() ? "" : " ") + entry.Name;
        return names;
    }

    testfs::TTempDir dir_;
    wchar_t previous_[MAX_PATH] = {};
    TAsciiCollation collation_;
};

const std::string kArchived = "2\r\nAVXarch1.def 1 0 1 1 54 12 2 0\r\nAVXarch2.def 1 0 1 1 54 0 2 0\r\n";

TEST_F(CatalogueFilesTest, ArchivedCatalogueIsReadWhenNoCatalogueFileExists)
{
    PutArchive(L"Data\\H3bitmap.lod", {{"OBJECTS.TXT", Text(kArchived), true}});
    EXPECT_EQ(Names(), "AVXarch1.def AVXarch2.def");
    // The edition's own catalogue comes first, from any archive.
    PutArchive(L"Data\\zz.lod", {{"zobjcts.txt", Text("1\r\nAVXzob.def 1 0 1 1 54 12 2 0\r\n"), false}});
    EXPECT_EQ(Names(), "AVXzob.def");
}

TEST_F(CatalogueFilesTest, AnyCatalogueFileWinsOverTheArchives)
{
    PutArchive(L"Data\\H3bitmap.lod", {{"OBJECTS.TXT", Text(kArchived), true}});
    Put(L"Data\\Objects3.txt", "1\r\nAVXfile.def 1 0 1 1 54 12 2 0\r\n");
    EXPECT_EQ(Names(), "AVXfile.def");
    // Even an empty one: no archive is opened then.
    Put(L"Data\\Objects3.txt", "");
    EXPECT_EQ(Names(), "");
}

TEST_F(CatalogueFilesTest, ArchivedCatalogueFollowsTheRulesOfObjectsTxt)
{
    // A count that is not a number raises the same error as in Data\Objects.txt.
    PutArchive(L"Data\\H3bitmap.lod", {{"OBJECTS.TXT", Text("many\r\nAVXa.def 1 0 1 1 54 12 2 0\r\n"), true}});
    TObjectCatalogue catalogue(collation_);
    EXPECT_THROW(LoadCatalogueFiles(catalogue), EInOutError);
    EXPECT_TRUE(catalogue.Empty());
}

TEST_F(CatalogueFilesTest, ADamagedArchivedCatalogueRaisesItsReason)
{
    auto archive = MakeArchive({{"OBJECTS.TXT", Text(kArchived), true}});
    PutLe32(archive, 92 + 20, static_cast<std::uint32_t>(kArchived.size() + 1));
    testfs::PutFile(dir_ / L"Data\\H3bitmap.lod", archive);
    TObjectCatalogue catalogue(collation_);
    try {
        LoadCatalogueFiles(catalogue);
        ADD_FAILURE() << "no error";
    } catch (const EInOutError& error) {
        const std::wstring message = error.Message();
        EXPECT_NE(message.find(L"OBJECTS.TXT"), std::wstring::npos) << message;
        EXPECT_NE(message.find(L"fewer bytes"), std::wstring::npos) << message;
    }
}

TEST_F(CatalogueFilesTest, NoCatalogueAnywhereLeavesItEmpty)
{
    PutArchive(L"Data\\H3sprite.lod", {{"AVXA.DEF", Text("x"), false}});
    testfs::PutFile(dir_ / L"Data\\broken.lod", Text("LOD"));  // passed over
    EXPECT_EQ(Names(), "");
}

}  // namespace

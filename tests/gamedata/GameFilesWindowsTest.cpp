// The game's files in a folder whose name the system code page cannot spell:
// archives and loose files are still found and read.
#include "gamedata/GameFiles.h"

#include <gtest/gtest.h>

#include "tests/support/GameFileWriter.h"
#include "tests/support/TempDir.h"

namespace {

TEST(GameFilesWindows, ReadsFromAFolderWithAnyCharactersInItsName)
{
    testfs::TTempDir dir;
    const std::filesystem::path root = dir / L"Игра \u6E38\u620F \U0001F3F0";
    std::filesystem::create_directories(root / L"Data");
    std::filesystem::create_directories(root / L"Mods" / L"Мод" / L"Data");
    WriteFileBytes(root / L"Data" / L"H3sprite.lod", MakeArchive({{"AVCRANX0.DEF", {1, 2, 3}, true}}));
    WriteFileBytes(root / L"Mods" / L"Мод" / L"Data" / L"avxmod.def", {4, 5});
    TGameFiles files(root);
    EXPECT_TRUE(files.HasData());
    std::vector<std::uint8_t> bytes;
    std::string reason;
    ASSERT_EQ(files.Read("avcranx0.def", 100, bytes, reason), TFindResult::Found) << reason;
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 2, 3}));
    ASSERT_EQ(files.Read("AVXMOD.DEF", 100, bytes, reason), TFindResult::Found) << reason;
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{4, 5}));
    EXPECT_EQ(files.Read("avxmod.def", 1, bytes, reason), TFindResult::Unreadable);
    EXPECT_NE(reason.find("Mods\\"), std::string::npos) << reason;
}

}  // namespace

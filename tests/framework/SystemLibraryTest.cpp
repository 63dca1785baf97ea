#include "framework/SystemLibrary.h"

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"

namespace {

TEST(SystemLibrary, FindsSystemFunctionsAndSaysWhyNot)
{
    using TTickCount = DWORD WINAPI();
    TTickCount* const ticks = SystemFunction<TTickCount>(L"kernel32.dll", "GetTickCount");
    ASSERT_NE(ticks, nullptr);
    EXPECT_NE(ticks(), 0u);
    EXPECT_NE(SystemProc(L"comdlg32.dll", "GetOpenFileNameW"), nullptr);

    SetLastError(0);
    EXPECT_EQ(SystemProc(L"comdlg32.dll", "NoSuchFunction"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    SetLastError(0);
    EXPECT_EQ(SystemProc(L"kestrin-no-such.dll", "Anything"), nullptr);
    EXPECT_NE(GetLastError(), 0u);
}

TEST(SystemLibrary, TakesNoLibraryFromTheCurrentFolder)
{
    // A file of a library's name planted where the program runs is not loaded.
    testfs::TTempDir dir;
    wchar_t self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    ASSERT_TRUE(CopyFileW(self, (dir / L"kestrin-planted.dll").c_str(), FALSE));
    wchar_t kept[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, kept);
    ASSERT_TRUE(SetCurrentDirectoryW(dir.Path().c_str()));
    EXPECT_EQ(SystemProc(L"kestrin-planted.dll", "main"), nullptr);
    EXPECT_EQ(GetModuleHandleW(L"kestrin-planted.dll"), nullptr);
    SetCurrentDirectoryW(kept);
}

}  // namespace

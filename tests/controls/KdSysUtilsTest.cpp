// Directory chains, file creation with directories, exact reads and writes,
// and the plain message box, on real files and windows under Wine.
#include "controls/KdSysUtils.h"

#include <gtest/gtest.h>


#include "framework/OSError.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/TempDir.h"

using testfs::DirExists;
using testfs::FileExists;
using testfs::ListDir;
using testfs::TTempDir;

namespace {

DWORD ErrorCodeOf(void (*action)(HANDLE), HANDLE h)
{
    try {
        action(h);
    } catch (const EOSError& e) {
        return e.ErrorCode();
    }
    return 0;
}

}  // namespace

TEST(KdSysUtils, ExtractFilePathKeepsTheLastDelimiter)
{
    EXPECT_EQ(ExtractFilePath(L"C:\\a\\b.kst"), L"C:\\a\\");
    EXPECT_EQ(ExtractFilePath(L"C:\\a\\b\\"), L"C:\\a\\b\\");
    EXPECT_EQ(ExtractFilePath(L"C:b.kst"), L"C:");
    EXPECT_EQ(ExtractFilePath(L"dir/sub/b.kst"), L"dir/sub/");
    EXPECT_EQ(ExtractFilePath(L"b.kst"), L"");
    EXPECT_EQ(ExtractFilePath(L""), L"");
}

TEST(KdSysUtils, MakeDirsCreatesMissingChains)
{
    TTempDir temp;
    EXPECT_TRUE(MakeDirs(L""));
    EXPECT_TRUE(MakeDirs(temp.Path()));

    // Absolute, with a trailing delimiter.
    std::wstring deep = temp / L"a\\b\\c\\";
    ASSERT_TRUE(MakeDirs(deep));
    EXPECT_TRUE(DirExists(temp / L"a\\b\\c"));
    EXPECT_TRUE(MakeDirs(deep)) << "an existing chain is fine";

    // Forward slashes, no trailing delimiter.
    ASSERT_TRUE(MakeDirs(temp / L"x/y/z"));
    EXPECT_TRUE(DirExists(temp / L"x\\y\\z"));

    // Relative to the current directory.
    wchar_t old[MAX_PATH];
    ASSERT_NE(GetCurrentDirectoryW(MAX_PATH, old), 0u);
    ASSERT_TRUE(SetCurrentDirectoryW(temp.Path().c_str()));
    bool made = MakeDirs(L"rel\\one\\two");
    SetCurrentDirectoryW(old);
    EXPECT_TRUE(made);
    EXPECT_TRUE(DirExists(temp / L"rel\\one\\two"));

    // Names in any language.
    ASSERT_TRUE(MakeDirs(temp / L"Объекты\\Замки\\Ἑλλάς"));
    EXPECT_TRUE(DirExists(temp / L"Объекты\\Замки\\Ἑλλάς"));
}

TEST(KdSysUtils, MakeDirsFailsWhereNothingCanBeMade)
{
    TTempDir temp;
    // A file in the way of the chain.
    testfs::PutFile(temp / L"file", {1, 2, 3});
    EXPECT_FALSE(MakeDirs(temp / L"file\\sub"));
    EXPECT_FALSE(MakeDirs(temp / L"file"));
    EXPECT_NE(GetLastError(), 0u);

    // A drive that does not exist: the walk up ends at the drive and gives up.
    std::wstring drive = testfs::MissingDrive();
    EXPECT_FALSE(MakeDirs(drive + L"\\kestrin\\a\\b"));
    EXPECT_NE(GetLastError(), 0u);
    EXPECT_FALSE(MakeDirs(drive + L"\\"));
    EXPECT_FALSE(MakeDirs(drive));
}

TEST(KdSysUtils, CreateFileMakeDirsMakesDirectoriesOnlyWhenCreating)
{
    TTempDir temp;
    // Opening dispositions leave a missing folder missing.
    for (DWORD disposition : {DWORD(OPEN_EXISTING), DWORD(CREATE_NEW), DWORD(TRUNCATE_EXISTING)}) {
        HANDLE h = CreateFileMakeDirs(temp / L"missing\\deeper\\f.kst", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_EQ(h, INVALID_HANDLE_VALUE) << disposition;
        EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND)) << disposition;
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
    EXPECT_TRUE(ListDir(temp.Path()).empty());

    // CREATE_ALWAYS makes the chain and the file.
    {
        TOwnedFile f(CreateFileMakeDirs(temp / L"new\\chain\\f.kst", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(f);
        WriteFileExact(f.Get(), "hello", 5);
        f.Close();
    }
    EXPECT_EQ(testfs::FileBytes(temp / L"new\\chain\\f.kst").size(), 5u);

    // OPEN_ALWAYS makes the chain too, and opens an existing file without truncating it.
    {
        TOwnedFile f(CreateFileMakeDirs(temp / L"new\\chain\\f.kst", GENERIC_READ, 0, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(f);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    }
    EXPECT_EQ(testfs::FileBytes(temp / L"new\\chain\\f.kst").size(), 5u);
    {
        TOwnedFile f(CreateFileMakeDirs(temp / L"other\\Файл.kst", GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(f);
    }
    EXPECT_TRUE(FileExists(temp / L"other\\Файл.kst"));

    // A chain that cannot be made: no handle, a reason, and no file.
    std::wstring drive = testfs::MissingDrive();
    SetLastError(0);
    HANDLE h = CreateFileMakeDirs(drive + L"\\kestrin\\f.kst", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    EXPECT_NE(GetLastError(), 0u);
}

TEST(KdSysUtils, ExactReadsAndWritesReportShortTransfers)
{
    TTempDir temp;
    testfs::PutFile(temp / L"ten", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    {
        TOwnedFile f(CreateFileW((temp / L"ten").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(f);
        uint8_t buffer[20] = {};
        ReadFileExact(f.Get(), buffer, 4);
        EXPECT_EQ(buffer[3], 3);
        // Six bytes are left; asking for more is a short read, not success.
        EXPECT_EQ(ErrorCodeOf([](HANDLE h) { uint8_t b[20]; ReadFileExact(h, b, sizeof b); }, f.Get()),
                  DWORD(ERROR_HANDLE_EOF));
        // A read-only handle cannot be written: the system's own error.
        EXPECT_EQ(ErrorCodeOf([](HANDLE h) { WriteFileExact(h, "x", 1); }, f.Get()), DWORD(ERROR_ACCESS_DENIED));
    }

    // A pipe that accepts nothing: WriteFile succeeds having written 0 bytes.
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, nullptr, 4096));
    TOwnedFile reader(readEnd);
    TOwnedFile writer(writeEnd);
    DWORD mode = PIPE_NOWAIT;
    ASSERT_TRUE(SetNamedPipeHandleState(writer.Get(), &mode, nullptr, nullptr));
    EXPECT_EQ(ErrorCodeOf(
                  [](HANDLE h) {
                      static const std::vector<uint8_t> big(1 << 20);
                      WriteFileExact(h, big.data(), big.size());
                  },
                  writer.Get()),
              DWORD(ERROR_WRITE_FAULT));

    // A pipe whose writer went away: the read fails with the system's error.
    WriteFileExact(writer.Get(), "abc", 3);
    writer.Close();
    char got[8] = {};
    ReadFileExact(reader.Get(), got, 3);
    EXPECT_STREQ(got, "abc");
    EXPECT_EQ(ErrorCodeOf([](HANDLE h) { char b[1]; ReadFileExact(h, b, 1); }, reader.Get()),
              DWORD(ERROR_BROKEN_PIPE));
}

TEST(KdSysUtils, MsgBoxIsAPlainBoxWithOneOkButton)
{
    std::vector<testmsg::TBox> boxes;
    {
        testmsg::TBoxAnswerer answerer;
        EXPECT_EQ(MsgBox(L"Subtype table: Вход 7 is out of order"), IDOK);
        boxes = answerer.Boxes();
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Caption, L"");
    EXPECT_EQ(boxes[0].Text, L"Subtype table: Вход 7 is out of order");
    EXPECT_EQ(boxes[0].Buttons, 1);
}

TEST(KdSysUtils, ReadTextFileDecodesItsCodePageAndNamesAFileItCannotOpen)
{
    TTempDir dir;
    // "Карта" in code page 1251, with a CR LF.
    testfs::PutFile(dir / L"ru.txt", {0xCA, 0xE0, 0xF0, 0xF2, 0xE0, '\r', '\n'});
    EXPECT_EQ(ReadTextFile(dir / L"ru.txt", 1251, 100), L"\u041a\u0430\u0440\u0442\u0430\r\n");
    testfs::PutFile(dir / L"empty.txt", {});
    EXPECT_EQ(ReadTextFile(dir / L"empty.txt", CP_ACP, 100), L"");
    EXPECT_THROW(ReadTextFile(dir / L"ru.txt", 1251, 6), EInOutError);
    try {
        ReadTextFile(dir / L"missing.txt", CP_ACP, 100);
        ADD_FAILURE() << "a missing file was read";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.ErrorCode(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        EXPECT_EQ(e.Message().rfind(L"Cannot open file \"" + (dir / L"missing.txt") + L"\". ", 0), 0u);
    }
}

namespace {

// A hook that refuses every window this thread would make.
LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND)
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST(KdSysUtils, MsgBoxThatCannotBeShownReturnsInsteadOfRaising)
{
    HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    int result = IDOK;
    EXPECT_NO_THROW(result = MsgBox(L"never seen"));
    UnhookWindowsHookEx(hook);
    EXPECT_NE(result, IDOK);
}

// Reading and writing object files on real files under Wine: exact content,
// the size limit, system errors, and a failed write that leaves the old file
// as it was with no temporary file behind. Failing disks under Save and Load
// are tested on the main window (tests/app/FailingDiskTest.cpp).
#include "object/ObjectFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "controls/KdSysUtils.h"
#include "framework/OSError.h"
#include "tests/support/TempDir.h"

using testfs::FileBytes;
using testfs::ListDir;
using testfs::PutFile;
using testfs::TTempDir;

namespace {

std::vector<uint8_t> Pattern(size_t size, uint8_t seed)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(seed + i * 7 + (i >> 8));
    return bytes;
}

// The system error code that action raises, 0 when it raises none.
template <class F>
DWORD OSErrorOf(F action)
{
    try {
        action();
    } catch (const EOSError& e) {
        return e.ErrorCode();
    }
    return 0;
}

// Makes a file of the given size without writing its bytes.
void MakeSparseFile(const std::wstring& name, int64_t size)
{
    TOwnedFile f(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(f);
    LARGE_INTEGER pos;
    pos.QuadPart = size;
    ASSERT_TRUE(SetFilePointerEx(f.Get(), pos, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(f.Get()));
}

TOwnedFile OpenExclusive(const std::wstring& name)
{
    return TOwnedFile(CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

}  // namespace

TEST(ObjectFile, ReadGivesTheWholeFile)
{
    TTempDir temp;
    auto block = Pattern(4096, 3);
    PutFile(temp / L"a.kst", block);
    EXPECT_EQ(ReadObjectFile(temp / L"a.kst"), block);

    // Any length is read as it is; judging it is the decoder's business.
    PutFile(temp / L"short.kst", Pattern(45, 1));
    EXPECT_EQ(ReadObjectFile(temp / L"short.kst").size(), 45u);
    PutFile(temp / L"empty.kst", {});
    EXPECT_TRUE(ReadObjectFile(temp / L"empty.kst").empty());
    auto odd = Pattern(70001, 9);
    PutFile(temp / L"odd", odd);
    EXPECT_EQ(ReadObjectFile(temp / L"odd"), odd);

    // Names in any language.
    ASSERT_TRUE(MakeDirs(temp / L"Карты"));
    PutFile(temp / L"Карты\\Замок.kst", block);
    EXPECT_EQ(ReadObjectFile(temp / L"Карты\\Замок.kst"), block);

    // The handle is closed afterwards: the file can be opened without sharing again.
    EXPECT_TRUE(OpenExclusive(temp / L"a.kst"));
}

TEST(ObjectFile, ReadRaisesTheSystemsErrors)
{
    TTempDir temp;
    try {
        ReadObjectFile(temp / L"missing.kst");
        FAIL() << "a missing file was read";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), 2u);
        const std::wstring head = L"System Error.  Code: 2.\r\n";
        EXPECT_EQ(e.Message().substr(0, head.size()), head);
        EXPECT_GT(e.Message().size(), head.size()) << "the system's own text follows";
    }
    EXPECT_EQ(OSErrorOf([&] { ReadObjectFile(temp / L"no\\such\\dir.kst"); }), DWORD(ERROR_PATH_NOT_FOUND));
}

TEST(ObjectFile, ReadRefusesFilesTooLargeForMemory)
{
    TTempDir temp;
    // Just over the limit, and over 4 GiB, where a 32-bit size would look small.
    for (int64_t size : {int64_t(kMaxObjectFileSize) + 1, (int64_t(1) << 32) + 100}) {
        std::wstring name = temp / L"huge.kst";
        MakeSparseFile(name, size);
        try {
            ReadObjectFile(name);
            ADD_FAILURE() << "read a file of " << size << " bytes";
        } catch (const EInOutError& e) {
            EXPECT_NE(e.Message().find(L"too large"), std::wstring::npos);
        }
        EXPECT_TRUE(OpenExclusive(name)) << "the handle was closed";
    }
    MakeSparseFile(temp / L"limit.kst", int64_t(kMaxObjectFileSize));
    EXPECT_EQ(ReadObjectFile(temp / L"limit.kst").size(), kMaxObjectFileSize);
}

TEST(ObjectFile, WriteMakesExactly4096BytesAndLeavesNoTemporaryFile)
{
    TTempDir temp;
    auto block = Pattern(kObjectFileWriteSize, 5);

    // Into a missing chain of folders.
    std::wstring name = temp / L"new\\deeper\\obj.kst";
    WriteObjectFile(name, block);
    EXPECT_EQ(FileBytes(name), block);
    EXPECT_EQ(ListDir(temp / L"new\\deeper"), std::vector<std::wstring>{L"obj.kst"});

    // Over a longer file, which becomes exactly 4096 bytes.
    PutFile(temp / L"long.kst", Pattern(10000, 1));
    WriteObjectFile(temp / L"long.kst", block);
    EXPECT_EQ(FileBytes(temp / L"long.kst"), block);

    // Over a read-only file: replaced, and no longer read-only.
    PutFile(temp / L"ro.kst", Pattern(4096, 2));
    ASSERT_TRUE(SetFileAttributesW((temp / L"ro.kst").c_str(), FILE_ATTRIBUTE_READONLY));
    WriteObjectFile(temp / L"ro.kst", block);
    EXPECT_EQ(FileBytes(temp / L"ro.kst"), block);
    EXPECT_FALSE(GetFileAttributesW((temp / L"ro.kst").c_str()) & FILE_ATTRIBUTE_READONLY);

    // A name without a folder goes to the current directory.
    wchar_t old[MAX_PATH];
    ASSERT_NE(GetCurrentDirectoryW(MAX_PATH, old), 0u);
    ASSERT_TRUE(SetCurrentDirectoryW(temp.Path().c_str()));
    DWORD error = OSErrorOf([&] { WriteObjectFile(L"plain.kst", block); });
    SetCurrentDirectoryW(old);
    EXPECT_EQ(error, 0u);
    EXPECT_EQ(FileBytes(temp / L"plain.kst"), block);

    // Names in any language, written and read back.
    std::wstring cyrillic = temp / L"Объекты\\Шахта.kst";
    WriteObjectFile(cyrillic, block);
    EXPECT_EQ(ReadObjectFile(cyrillic), block);

    auto names = ListDir(temp.Path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"long.kst", L"new", L"plain.kst", L"ro.kst", L"Объекты"}));
}

TEST(ObjectFile, FailedWriteLeavesTheOldFileAsItWas)
{
    TTempDir temp;
    auto block = Pattern(kObjectFileWriteSize, 5);
    auto old = Pattern(777, 42);

    // The target is held open by someone else: the move fails, the content stays,
    // and a read-only flag cleared for the move is put back.
    std::wstring busy = temp / L"busy.kst";
    PutFile(busy, old);
    ASSERT_TRUE(SetFileAttributesW(busy.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        TOwnedFile holder = OpenExclusive(busy);
        ASSERT_TRUE(holder);
        EXPECT_NE(OSErrorOf([&] { WriteObjectFile(busy, block); }), 0u);
    }
    EXPECT_EQ(FileBytes(busy), old);
    EXPECT_TRUE(GetFileAttributesW(busy.c_str()) & FILE_ATTRIBUTE_READONLY);

    // A name that cannot be made.
    EXPECT_NE(OSErrorOf([&] { WriteObjectFile(temp / L"bad*name?.kst", block); }), 0u);

    // A block of any other size is the caller's error and touches nothing.
    PutFile(temp / L"sized.kst", old);
    EXPECT_THROW(WriteObjectFile(temp / L"sized.kst", Pattern(4095, 0)), std::invalid_argument);
    EXPECT_THROW(WriteObjectFile(temp / L"sized.kst", Pattern(4097, 0)), std::invalid_argument);
    EXPECT_EQ(FileBytes(temp / L"sized.kst"), old);

    // Nothing but what was there before.
    auto names = ListDir(temp.Path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"busy.kst", L"sized.kst"}));
}

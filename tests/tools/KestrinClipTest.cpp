// Runs kestrin-clip.exe as the map editor's stand-in and checks what it leaves
// on the clipboard and in files.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "framework/Clipboard.h"
#include "object/ClipboardExchange.h"

namespace {

struct RunResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;
    std::string err;
};

// The program's path as the build knows it: a Unix path under Wine (drive Z:
// maps the root), a Windows path on Windows.
std::wstring ClipExe()
{
    const std::string built = KESTRIN_CLIP_EXE;
    std::wstring path(built.begin(), built.end());
    if (!path.empty() && path[0] == L'/')
        path = L"Z:" + path;
    for (auto& ch : path)
        if (ch == L'/')
            ch = L'\\';
    return path;
}

// Appends what the pipe holds now, without waiting for more.
void Drain(HANDLE pipe, std::string& text)
{
    char buffer[4096];
    DWORD available = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        DWORD got = 0;
        if (!ReadFile(pipe, buffer, std::min<DWORD>(available, sizeof buffer), &got, nullptr) || got == 0)
            break;
        text.append(buffer, got);
    }
}

RunResult RunClip(const std::wstring& arguments)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    EXPECT_TRUE(CreatePipe(&outRead, &outWrite, &inherit, 0));
    EXPECT_TRUE(CreatePipe(&errRead, &errWrite, &inherit, 0));
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = outWrite;
    si.hStdError = errWrite;
    std::wstring command = L"\"" + ClipExe() + L"\" " + arguments;
    PROCESS_INFORMATION pi{};
    RunResult r;
    const BOOL started =
        CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    EXPECT_TRUE(started) << "cannot start " << std::string(command.begin(), command.end());
    if (started) {
        // Read while it runs and once more after it has ended; the pipes' end may
        // never come, as Wine's desktop process, when the program starts it,
        // keeps the program's error output.
        for (bool ended = false; !ended;) {
            ended = WaitForSingleObject(pi.hProcess, 10) == WAIT_OBJECT_0;
            Drain(outRead, r.out);
            Drain(errRead, r.err);
        }
        GetExitCodeProcess(pi.hProcess, &r.exitCode);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(outRead);
    CloseHandle(errRead);
    return r;
}

std::wstring Quote(const std::wstring& s)
{
    return L"\"" + s + L"\"";
}

class KestrinClipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH + 1];
        ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0u);
        dir_ = std::wstring(temp) + L"kestrin-clip-test-" + std::to_wstring(GetCurrentProcessId()) +
               L"-\u041a\u0430\u0440\u0442\u0430\\";  // a Cyrillic folder name
        ASSERT_TRUE(CreateDirectoryW(dir_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        format28_ = RegisterClipboardFormatName(ClipboardFormatName(L"28"));
        ASSERT_NE(format28_, 0u);
    }
    void TearDown() override
    {
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW((dir_ + L"*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileW((dir_ + found.cFileName).c_str());
            } while (FindNextFileW(find, &found));
            FindClose(find);
        }
        RemoveDirectoryW(dir_.c_str());
    }

    std::wstring Path(const std::wstring& name) const { return dir_ + name; }

    static void WriteFile(const std::wstring& path, const std::vector<uint8_t>& bytes)
    {
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        const BOOL ok = ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(h);
        ASSERT_TRUE(ok);
        ASSERT_EQ(written, bytes.size());
    }

    static std::vector<uint8_t> ReadFile(const std::wstring& path)
    {
        std::vector<uint8_t> bytes;
        HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return bytes;
        uint8_t buffer[4096];
        DWORD got = 0;
        while (::ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0)
            bytes.insert(bytes.end(), buffer, buffer + got);
        CloseHandle(h);
        return bytes;
    }

    static void EmptyTheClipboard()
    {
        TClipboardSession clipboard;
        clipboard.Clear();
    }

    std::wstring dir_;
    UINT format28_ = 0;
};

std::vector<uint8_t> RandomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(size);
    for (auto& b : bytes)
        b = static_cast<uint8_t>(random());
    return bytes;
}

TEST_F(KestrinClipTest, PutAndGetGiveTheBytesBackExactly)
{
    for (const std::size_t size : {std::size_t(1), std::size_t(45), std::size_t(4096), std::size_t(5000)}) {
        SCOPED_TRACE(size);
        const auto bytes = RandomBytes(size, static_cast<unsigned>(size));
        const std::wstring in = Path(L"\u0432\u0445\u043e\u0434.bin"), out = Path(L"\u0432\u044b\u0445\u043e\u0434.bin");
        WriteFile(in, bytes);
        const RunResult put = RunClip(L"put " + Quote(in));
        EXPECT_EQ(put.exitCode, 0u) << put.err;

        {
            // Exactly one format, one block of exactly the file's size.
            TClipboardSession clipboard;
            EXPECT_EQ(clipboard.Formats(), std::vector<UINT>{format28_});
            HANDLE data = clipboard.GetAsHandle(format28_);
            ASSERT_NE(data, nullptr);
            EXPECT_EQ(GlobalSize(data), size);
            EXPECT_EQ(clipboard.GetAsBytes(format28_), bytes);
        }

        const RunResult get = RunClip(L"get " + Quote(out));
        EXPECT_EQ(get.exitCode, 0u) << get.err;
        EXPECT_EQ(ReadFile(out), bytes);
    }
}

TEST_F(KestrinClipTest, FormatsListsTheOneBlockAfterPut)
{
    const std::wstring in = Path(L"block.bin");
    WriteFile(in, RandomBytes(100, 7));
    ASSERT_EQ(RunClip(L"put --format 21 " + Quote(in)).exitCode, 0u);
    const RunResult formats = RunClip(L"formats");
    EXPECT_EQ(formats.exitCode, 0u) << formats.err;
    const UINT format21 = RegisterClipboardFormatName(ClipboardFormatName(L"21"));
    EXPECT_EQ(formats.out, std::to_string(format21) + "\t" + ClipboardFormatName(L"21") + "\n");

    // The block sits under "21", so "28" finds nothing and the target file is kept.
    const std::wstring out = Path(L"kept.bin");
    WriteFile(out, {1, 2, 3});
    const RunResult get = RunClip(L"get " + Quote(out));
    EXPECT_EQ(get.exitCode, 1u);
    EXPECT_NE(get.err.find("no block in the format \"" + ClipboardFormatName(L"28") + "\""), std::string::npos)
        << get.err;
    EXPECT_EQ(ReadFile(out), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(KestrinClipTest, ShowPrintsTheFieldsFromAFileAndFromTheClipboard)
{
    std::vector<uint8_t> block = {10, 0, 0, 0, 'A', 'V', 'W', 'm', 'o', 'a', 't', '0', '.', 'd',
                                  0x03, 0, 0, 0, 0, 0x81,  // passability
                                  0, 0, 0, 0, 0, 0x18,     // action
                                  0x00, 0x01, 0xFF, 0x00,  // terrains, water, editor terrains, editor water
                                  54, 0, 0, 0, 2, 0, 0, 0, 2, 1};
    block.resize(100, 0x55);
    const std::string expected =
        "size: 100 bytes\n"
        "name: \"AVWmoat0.d\" (10 bytes)\n"
        "passability (# passable; row 1 at the top, column 1 at the left):\n"
        "  ##......\n  ........\n  ........\n  ........\n  ........\n  #......#\n"
        "action (# action cell):\n"
        "  ........\n  ........\n  ........\n  ........\n  ........\n  ...##...\n"
        "terrains: Water\n"
        "editor terrains: Dirt, Sand, Grass, Snow, Swamp, Rough, Subterranean, Lava\n"
        "type: 54\n"
        "subtype: 2\n"
        "page: Monsters (2)\n"
        "ground: yes (1)\n"
        "tail: 60 bytes\n";
    const std::wstring file = Path(L"\u043c\u043e\u0441\u0442.kst");
    WriteFile(file, block);

    const RunResult fromFile = RunClip(L"show " + Quote(file));
    EXPECT_EQ(fromFile.exitCode, 0u) << fromFile.err;
    EXPECT_EQ(fromFile.out, expected);

    ASSERT_EQ(RunClip(L"put " + Quote(file)).exitCode, 0u);
    const RunResult fromClipboard = RunClip(L"show");
    EXPECT_EQ(fromClipboard.exitCode, 0u) << fromClipboard.err;
    EXPECT_EQ(fromClipboard.out, expected);
}

TEST_F(KestrinClipTest, FailuresSayWhyAndExitNonZero)
{
    // A missing file.
    RunResult r = RunClip(L"put " + Quote(Path(L"missing.bin")));
    EXPECT_EQ(r.exitCode, 1u);
    EXPECT_NE(r.err.find("kestrin-clip: "), std::string::npos);

    // An empty file cannot become a clipboard block; the clipboard is left alone.
    const std::wstring good = Path(L"good.bin");
    WriteFile(good, RandomBytes(64, 1));
    ASSERT_EQ(RunClip(L"put " + Quote(good)).exitCode, 0u);
    const std::wstring empty = Path(L"empty.bin");
    WriteFile(empty, {});
    r = RunClip(L"put " + Quote(empty));
    EXPECT_EQ(r.exitCode, 1u);
    EXPECT_NE(r.err.find("empty"), std::string::npos) << r.err;
    EXPECT_TRUE(ClipboardHasFormat(format28_));

    // A block that would be refused.
    const std::wstring bad = Path(L"bad.bin");
    WriteFile(bad, std::vector<uint8_t>(45, 0));
    r = RunClip(L"show " + Quote(bad));
    EXPECT_EQ(r.exitCode, 1u);
    EXPECT_EQ(r.err, "kestrin-clip: Wrong data: the block is 45 bytes long, shorter than 46\n");
    EXPECT_EQ(r.out, "");
    ASSERT_EQ(RunClip(L"put " + Quote(bad)).exitCode, 0u);  // put carries any bytes
    r = RunClip(L"show");
    EXPECT_EQ(r.exitCode, 1u);
    EXPECT_NE(r.err.find("Wrong data"), std::string::npos) << r.err;

    // An empty clipboard.
    EmptyTheClipboard();
    r = RunClip(L"get " + Quote(Path(L"none.bin")));
    EXPECT_EQ(r.exitCode, 1u);
    EXPECT_EQ(r.err, "kestrin-clip: the clipboard is empty\n");
    EXPECT_EQ(GetFileAttributesW(Path(L"none.bin").c_str()), INVALID_FILE_ATTRIBUTES);
    r = RunClip(L"show");
    EXPECT_EQ(r.exitCode, 1u);
    r = RunClip(L"formats");
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(r.out, "");

    // A wrong command line.
    r = RunClip(L"paste");
    EXPECT_EQ(r.exitCode, 2u);
    EXPECT_NE(r.err.find("usage:"), std::string::npos);
    r = RunClip(L"get");
    EXPECT_EQ(r.exitCode, 2u);
}

TEST_F(KestrinClipTest, GetIntoAFolderThatDoesNotExistFailsCleanly)
{
    const std::wstring in = Path(L"block.bin");
    WriteFile(in, RandomBytes(46, 3));
    ASSERT_EQ(RunClip(L"put " + Quote(in)).exitCode, 0u);
    const RunResult r = RunClip(L"get " + Quote(Path(L"no such folder\\out.bin")));
    EXPECT_EQ(r.exitCode, 1u);
    EXPECT_NE(r.err.find("System Error"), std::string::npos) << r.err;
}

}  // namespace

namespace {

// Lines as the game's catalogue files hold them.
std::vector<std::string> CatalogueLines()
{
    std::vector<std::string> lines;
    std::mt19937 random(22);
    for (int n = 0; n < 6; ++n) {
        std::string mask[2], terrain[2];
        for (auto& m : mask)
            for (int i = 0; i < 48; ++i)
                m += char('0' + (random() & 1));
        for (auto& t : terrain)
            for (int i = 0; i < 9; ++i)
                t += char('0' + (random() & 1));
        lines.push_back("AVW" + std::to_string(n) + "xyz.def " + mask[0] + " " + mask[1] + " " + terrain[0] + " " +
                        terrain[1] + " " + std::to_string(random() % 232) + " " + std::to_string(random() % 20) +
                        " " + std::to_string(n % 6) + " " + std::to_string(n % 2));
    }
    return lines;
}

}  // namespace

TEST_F(KestrinClipTest, CatalogueLinesGoOnTheClipboardAndComeBack)
{
    // A catalogue file: the count, then the lines.
    const std::vector<std::string> lines = CatalogueLines();
    std::string text = std::to_string(lines.size()) + "\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    const std::wstring file = Path(L"Objects.txt");
    WriteFile(file, std::vector<uint8_t>(text.begin(), text.end()));
    const std::vector<uint8_t> read = ReadFile(file);
    const std::string back(read.begin(), read.end());
    for (size_t at = back.find("\r\n") + 2; at < back.size();) {
        const size_t end = back.find("\r\n", at);
        const std::string line = back.substr(at, end - at);
        at = end + 2;
        ASSERT_EQ(RunClip(L"put --line \"" + std::wstring(line.begin(), line.end()) + L"\"").exitCode, 0u) << line;
        const RunResult shown = RunClip(L"show --line");
        EXPECT_EQ(shown.exitCode, 0u) << shown.err;
        EXPECT_EQ(shown.out, line + "\n");
        // The block has the editor's 16-byte tail.
        const std::wstring saved = Path(L"line.bin");
        ASSERT_EQ(RunClip(L"get " + Quote(saved)).exitCode, 0u);
        EXPECT_EQ(ReadFile(saved).size(), line.find(' ') + 46);
        EXPECT_EQ(RunClip(L"show --line " + Quote(saved)).out, line + "\n");
    }

    // Malformed lines are refused with the field named; the clipboard stays.
    const std::string& good = lines[0];
    const size_t mask = good.find(' ') + 1;
    const std::pair<std::string, std::string> wrong[] = {
        {good.substr(0, good.find(' ', good.find(' ') + 1)), "the line ends before the actions field"},
        {good.substr(0, mask) + "2" + good.substr(mask + 1), "the passability field has \"2\" at digit 1"},
        {good.substr(0, good.rfind(' ')) + " 300", "the ground field 300 does not fit"},
    };
    for (const auto& [line, reason] : wrong) {
        const RunResult r = RunClip(L"put --line \"" + std::wstring(line.begin(), line.end()) + L"\"");
        EXPECT_EQ(r.exitCode, 1u) << line;
        EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
    }
    EXPECT_EQ(RunClip(L"show --line").out, lines.back() + "\n");
}

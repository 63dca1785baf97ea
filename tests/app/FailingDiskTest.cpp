// "&Save" and "&Load" on the real main window while the disk fails under them:
// a full disk, a file another program holds open, a folder where the file
// should be, a folder that cannot be made, a file that gets shorter while it is
// read. After each, every file is as it was and no temporary file stays, the
// window still shows the object it showed, and one error box said what failed.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "controls/KdSysUtils.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/ScopeGuards.h"
#include "framework/StdCtrls.h"
#include "object/ObjectFile.h"
#include "tests/app/MainFormFixture.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/TempDir.h"

namespace {

constexpr const wchar_t* kSave = L"Button4";
constexpr const wchar_t* kLoad = L"Button6";

// A file dialog that answers with a name, as a user who typed it.
template <class TDialog>
class TAnsweringDialog : public TDialog {
public:
    using TDialog::TDialog;
    bool Execute(HWND) override
    {
        this->SetFileName(Answer);
        return true;
    }
    std::wstring Answer;
};

// Every file and folder under dir, with the bytes of each file.
using TDiskContents = std::map<std::wstring, std::vector<uint8_t>>;

void AddContents(const std::wstring& dir, const std::wstring& prefix, TDiskContents& contents)
{
    for (const std::wstring& name : testfs::ListDir(dir)) {
        const std::wstring path = dir + name;
        if (testfs::DirExists(path)) {
            contents[prefix + name + L"\\"] = {};
            AddContents(path + L"\\", prefix + name + L"\\", contents);
        } else {
            contents[prefix + name] = testfs::FileBytes(path);
        }
    }
}

TDiskContents Contents(const std::wstring& dir)
{
    TDiskContents contents;
    AddContents(dir, L"", contents);
    return contents;
}

// The bytes a user had in a file before the failed save.
std::vector<uint8_t> OldFile()
{
    std::vector<uint8_t> bytes = MakeBlock("AVXold", 5, 0, 700);
    bytes.back() = 0xEE;
    return bytes;
}

// Stand-ins for the system's calls, with room for so many bytes: a disk that
// takes the first part of a write and then is full, and a file that was cut
// short after its size was taken, so its reads end early.
DWORD room = 0;

BOOL WINAPI WriteUntilFull(HANDLE file, LPCVOID data, DWORD count, LPDWORD written, LPOVERLAPPED)
{
    *written = 0;
    if (room == 0) {
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    const DWORD part = std::min(count, room);
    room -= part;
    return WriteFile(file, data, part, written, nullptr);
}

BOOL WINAPI ReadShrunkFile(HANDLE file, LPVOID data, DWORD count, LPDWORD got, LPOVERLAPPED)
{
    const DWORD part = std::min(count, room);
    room -= part;
    *got = 0;
    return part == 0 || ReadFile(file, data, part, got, nullptr);
}

// Puts stand-ins in place for one scope.
class TDiskStandIn {
public:
    TDiskStandIn(TObjectFileDisk disk, DWORD bytes) : previous_(SetObjectFileDisk(disk)) { room = bytes; }
    ~TDiskStandIn() { SetObjectFileDisk(previous_); }
    TDiskStandIn(const TDiskStandIn&) = delete;
    TDiskStandIn& operator=(const TDiskStandIn&) = delete;

private:
    TObjectFileDisk previous_;
};

// Another program (file-holder.exe) with the file open and no sharing, for as
// long as this object lives.
class THeldFile {
public:
    explicit THeldFile(const std::wstring& name)
    {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        HANDLE in[2] = {};
        HANDLE out[2] = {};
        if (!CreatePipe(&in[0], &in[1], &inherit, 0))
            return;
        TOwnedFile childInput(in[0]);
        input_.Reset(in[1]);
        if (!CreatePipe(&out[0], &out[1], &inherit, 0))
            return;
        TOwnedFile output(out[0]);
        TOwnedFile childOutput(out[1]);
        SetHandleInformation(input_.Get(), HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(output.Get(), HANDLE_FLAG_INHERIT, 0);

        STARTUPINFOW si{};
        si.cb = sizeof(si);
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = childInput.Get();
        si.hStdOutput = childOutput.Get();
        si.hStdError = childOutput.Get();
        PROCESS_INFORMATION pi{};
        std::wstring program = FILE_HOLDER_EXE;
        std::replace(program.begin(), program.end(), L'/', L'\\');
        std::wstring commandLine = L"\"" + program + L"\" \"" + name + L"\"";
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                            &pi))
            return;
        process_.Reset(pi.hProcess);
        TOwnedFile thread(pi.hThread);
        childInput.Reset();
        childOutput.Reset();
        // Its first line says whether it holds the file; the pipe ends if it fails.
        char buffer[64];
        DWORD got = 0;
        while (said_.find('\n') == std::string::npos && ReadFile(output.Get(), buffer, sizeof buffer, &got, nullptr) &&
               got > 0)
            said_.append(buffer, got);
    }
    // Ends the other program: its input closes and it lets the file go.
    ~THeldFile()
    {
        input_.Reset();
        if (process_ && WaitForSingleObject(process_.Get(), 10000) != WAIT_OBJECT_0)
            TerminateProcess(process_.Get(), 99);
    }
    THeldFile(const THeldFile&) = delete;
    THeldFile& operator=(const THeldFile&) = delete;

    bool Held() const { return said_ == "held\n"; }
    const std::string& Said() const { return said_; }

private:
    TOwnedFile input_;
    TOwnedFile process_;
    std::string said_;
};

// The drive that the test run mounts for FullSmallDrive: 64 KiB, empty. Empty
// when there is none, with why in reason.
std::wstring SmallDrive(std::string& reason)
{
    wchar_t drive[8] = {};
    const DWORD length = GetEnvironmentVariableW(L"KESTRIN_SMALL_DRIVE", drive, 8);
    if (length == 0 || length >= 8) {
        reason = "KESTRIN_SMALL_DRIVE names no drive; ctest sets it with the fixture small_drive";
        return L"";
    }
    const std::wstring root = std::wstring(drive) + L"\\";
    ULARGE_INTEGER available{}, total{}, free{};
    if (!GetDiskFreeSpaceExW(root.c_str(), &available, &total, &free)) {
        reason = "drive " + std::string(drive, drive + length) +
                 " is not there: mounting it needs root (scripts/wine/small-drive.sh says why)";
        return L"";
    }
    if (total.QuadPart > (1u << 20)) {
        reason = "drive " + std::string(drive, drive + length) + " is larger than 1 MiB, so it is not filled";
        return L"";
    }
    return root;
}

// Writes a file until the drive is full; the system's error code of the write
// that found no room.
DWORD FillDrive(const std::wstring& fileName)
{
    TOwnedFile file(CreateFileW(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file)
        return GetLastError();
    const std::vector<uint8_t> chunk(4096, 0x77);
    DWORD written = 0;
    for (int i = 0; i < 1000; ++i)
        if (!WriteFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr))
            return GetLastError();
    return 0;
}

class FailingDisk : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        save_ = Replace<TAnsweringDialog<TSaveDialog>>(L"SaveDialog1");
        open_ = Replace<TAnsweringDialog<TOpenDialog>>(L"OpenDialog1");
        ASSERT_TRUE(Decode(MakeBlock("AVWmrnd0", 2)));
        // An edit not saved yet, which a failed Save must keep and a failed Load must not undo.
        form->ObjectControls().SelectByValue(L"ComboBox2", 7);
        block_ = form->CurrentObjectBlock();
        values_ = ValuesFromControls(form->ObjectControls());
    }

    template <class T>
    T* Replace(const wchar_t* name)
    {
        delete form->FindComponent(name);
        auto* component = new T(form);
        component->SetName(name);
        return component;
    }

    // Presses "&Save" or "&Load" with the dialog answering name, and checks that
    // the window shows the same object and that exactly one error was shown: the
    // system's error with this code. A question before replacing a file is answered
    // with Yes and is no error.
    void ExpectFailureReported(const wchar_t* button, const std::wstring& name, DWORD code)
    {
        SCOPED_TRACE(testing::Message() << (button == kSave ? "Save " : "Load ") << testing::PrintToString(name));
        save_->Answer = open_->Answer = name;
        testmsg::TBoxAnswerer answerer;
        SendMessageW(Get<TButton>(button)->Handle(), BM_CLICK, 0, 0);

        EXPECT_EQ(form->CurrentObjectBlock(), block_);
        EXPECT_EQ(ValuesFromControls(form->ObjectControls()), values_);
        EXPECT_TRUE(form->ObjectControls().ObjectShown());

        const std::vector<testmsg::TBox> boxes = answerer.Boxes();
        std::vector<testmsg::TBox> errors;
        std::copy_if(boxes.begin(), boxes.end(), std::back_inserter(errors),
                     [](const auto& box) { return box.Caption != L"Confirm Save As"; });
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0].Caption, Application->Title());
        const std::wstring head = L"System Error.  Code: " + std::to_wstring(code) + L".\r\n";
        EXPECT_EQ(errors[0].Text.substr(0, head.size()), head) << testing::PrintToString(errors[0].Text);
    }

    testfs::TTempDir dir_;
    TAnsweringDialog<TSaveDialog>* save_ = nullptr;
    TAnsweringDialog<TOpenDialog>* open_ = nullptr;
    std::vector<uint8_t> block_;
    TObjectValues values_;
};

TEST_F(FailingDisk, FullDisk)
{
    testfs::PutFile(dir_ / L"castle.kst", OldFile());
    const TDiskContents before = Contents(dir_.Path());
    {
        // Room for a part of the block: the temporary file has bytes in it when the disk fills.
        TDiskStandIn full({.Write = WriteUntilFull}, 1000);
        ExpectFailureReported(kSave, dir_ / L"castle.kst", ERROR_DISK_FULL);
        room = 0;
        ExpectFailureReported(kSave, dir_ / L"tower", ERROR_DISK_FULL);
    }
    EXPECT_EQ(Contents(dir_.Path()), before);
}

// A real drive of 64 KiB, filled up; the test run mounts it where it may.
TEST_F(FailingDisk, FullSmallDrive)
{
    std::string reason;
    const std::wstring drive = SmallDrive(reason);
    if (drive.empty())
        GTEST_SKIP() << "cannot fill a real drive: " << reason;
    const TScopeExit emptyAtEnd([&drive] {
        for (const std::wstring& name : testfs::ListDir(drive))
            DeleteFileW((drive + name).c_str());
    });

    testfs::PutFile(drive + L"castle.kst", OldFile());
    ASSERT_EQ(FillDrive(drive + L"filler.bin"), DWORD(ERROR_DISK_FULL));
    const TDiskContents before = Contents(drive);
    ExpectFailureReported(kSave, drive + L"castle.kst", ERROR_DISK_FULL);
    EXPECT_EQ(Contents(drive), before);
}

TEST_F(FailingDisk, FileHeldOpenByAnotherProcess)
{
    const std::wstring castle = dir_ / L"castle.kst";
    testfs::PutFile(castle, OldFile());
    const TDiskContents before = Contents(dir_.Path());
    {
        THeldFile other(castle);
        ASSERT_TRUE(other.Held()) << other.Said();
        ExpectFailureReported(kSave, castle, ERROR_ACCESS_DENIED);
        ExpectFailureReported(kLoad, castle, ERROR_SHARING_VIOLATION);
    }
    EXPECT_EQ(Contents(dir_.Path()), before);
}

TEST_F(FailingDisk, FolderInTheFilesPlace)
{
    ASSERT_TRUE(MakeDirs(dir_ / L"castle.kst\\maps"));
    testfs::PutFile(dir_ / L"castle.kst\\maps\\tower.kst", OldFile());
    const TDiskContents before = Contents(dir_.Path());
    ExpectFailureReported(kSave, dir_ / L"castle.kst", ERROR_ACCESS_DENIED);
    ExpectFailureReported(kLoad, dir_ / L"castle.kst", ERROR_ACCESS_DENIED);
    EXPECT_EQ(Contents(dir_.Path()), before);
}

TEST_F(FailingDisk, FolderThatCannotBeMade)
{
    // A file stands where the folder would be made; a drive that does not exist.
    testfs::PutFile(dir_ / L"maps", OldFile());
    const TDiskContents before = Contents(dir_.Path());
    ExpectFailureReported(kSave, dir_ / L"maps\\castle", ERROR_ALREADY_EXISTS);
    ExpectFailureReported(kSave, testfs::MissingDrive() + L"\\maps\\castle", ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(Contents(dir_.Path()), before);
}

TEST_F(FailingDisk, FileShrinksWhileRead)
{
    testfs::PutFile(dir_ / L"castle.kst", OldFile());
    const TDiskContents before = Contents(dir_.Path());
    {
        // Cut to 100 bytes after its size was taken: those would decode, but they
        // are not the file that was sized.
        TDiskStandIn shrinking({.Read = ReadShrunkFile}, 100);
        ExpectFailureReported(kLoad, dir_ / L"castle.kst", ERROR_HANDLE_EOF);
    }
    EXPECT_EQ(Contents(dir_.Path()), before);
}

}  // namespace

#include "object/ObjectFileCommands.h"

#include <shellapi.h>

#include <memory>
#include <span>
#include <vector>

#include "framework/OSError.h"
#include "framework/SystemLibrary.h"
#include "object/ClipboardExchange.h"
#include "object/ObjectFile.h"
#include "object/ObjectFileFormat.h"

namespace {

struct TLocalFreeDeleter {
    void operator()(LPWSTR* argv) const { LocalFree(argv); }
};

// What follows the program's name, which the system splits off without escapes:
// up to the closing quote when it starts with one, else up to a blank.
const wchar_t* AfterProgramName(const wchar_t* commandLine)
{
    const wchar_t* p = commandLine;
    if (*p == L'"') {
        for (++p; *p && *p != L'"'; ++p) {
        }
        return *p ? p + 1 : p;
    }
    while (*p && *p != L' ' && *p != L'\t')
        ++p;
    return p;
}

bool Blank(const wchar_t* text)
{
    for (; *text; ++text)
        if (*text != L' ' && *text != L'\t')
            return false;
    return true;
}

}  // namespace

std::optional<std::wstring> CommandLineFile(const wchar_t* commandLine)
{
    // An empty command line would make the system answer with the program's own
    // path. A start without arguments, the usual one, leaves the shell's DLL
    // unloaded.
    if (!commandLine || !*commandLine || Blank(AfterProgramName(commandLine)))
        return std::nullopt;
    using TSplit = LPWSTR* WINAPI(LPCWSTR, int*);
    TSplit* const split = SystemFunction<TSplit>(L"shell32.dll", "CommandLineToArgvW");
    if (!split)
        RaiseLastOSError();
    int count = 0;
    std::unique_ptr<LPWSTR, TLocalFreeDeleter> argv(split(commandLine, &count));
    if (!argv)
        RaiseLastOSError();
    if (count < 2 || !argv.get()[1] || !*argv.get()[1])
        return std::nullopt;
    return std::wstring(argv.get()[1]);
}

void TObjectFileCommands::Save(IObjectControls& controls, TSaveDialog& dialog, HWND owner)
{
    if (controls.CurrentBlock().empty())
        return;
    if (const std::wstring message = ValidateControls(controls); !message.empty()) {
        ShowErrorBox(owner, message);
        return;
    }
    for (;;) {
        if (!fileName_.empty())
            dialog.SetFileName(fileName_);
        if (!dialog.Execute(owner))
            return;
        fileName_ = WithObjectFileExtension(dialog.FileName());
        const DWORD attributes = GetFileAttributesW(fileName_.c_str());
        const bool existingFile = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
        if (!existingFile || ConfirmReplace(owner, fileName_))
            break;
    }

    // The block is encoded into itself as it becomes 4096 bytes long, but in a
    // copy: a save that fails leaves the current block as it was.
    std::vector<uint8_t> block = controls.CurrentBlock();
    block.resize(kObjectFileWriteSize, 0);
    EncodeObjectBlock(ValuesFromControls(controls), block,
                      std::span<uint8_t, kObjectBlockSize>(block.data(), kObjectBlockSize));
    WriteObjectFile(fileName_, block);
    controls.CurrentBlock() = std::move(block);
}

bool TObjectFileCommands::ConfirmReplace(HWND owner, const std::wstring& fileName)
{
    const std::wstring text = fileName + L" already exists.\r\nDo you want to replace it?";
    return MessageBoxW(owner, text.c_str(), L"Confirm Save As", MB_YESNO | MB_ICONWARNING) == IDYES;
}

void TObjectFileCommands::Load(IObjectControls& controls, TOpenDialog& dialog, HWND owner)
{
    if (!fileName_.empty())
        dialog.SetFileName(fileName_);
    if (!dialog.Execute(owner))
        return;
    fileName_ = WithObjectFileExtension(dialog.FileName());
    ReadFile(controls, fileName_, owner);
}

void TObjectFileCommands::ReadFile(IObjectControls& controls, const std::wstring& fileName, HWND owner)
{
    controls.CurrentBlock() = ReadObjectFile(fileName);
    if (!DecodeIntoControls(controls)) {
        controls.HideGroups();
        ShowErrorBox(owner, kFileWrongDataMessage);
    }
}

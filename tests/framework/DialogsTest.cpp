#include "framework/Dialogs.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "tests/support/DialogAnswerer.h"

namespace {

// The file dialog of this process, waiting up to 10 s. A test whose dialog
// never shows cannot go on (the dialog call would never return).
HWND WaitForDialog()
{
    if (HWND dialog = testmsg::WaitForDialog(10000))
        return dialog;
    std::fprintf(stderr, "the file dialog did not appear\n");
    std::_Exit(1);
}

HWND ChildOfClass(HWND parent, int id, const wchar_t* className)
{
    for (HWND child = FindWindowExW(parent, nullptr, className, nullptr); child;
         child = FindWindowExW(parent, child, className, nullptr))
        if (GetDlgCtrlID(child) == id)
            return child;
    return nullptr;
}

// Types `name` into the dialog's file name box and presses its OK button.
void TypeAndAccept(const std::wstring& name)
{
    HWND dialog = WaitForDialog();
    HWND edit = nullptr;
    for (int i = 0; i < 500 && !edit; ++i) {
        HWND comboEx = ChildOfClass(dialog, 1148, L"ComboBoxEx32");
        HWND combo = comboEx ? ChildOfClass(comboEx, 1148, L"ComboBox") : nullptr;
        edit = combo ? ChildOfClass(combo, 1148, L"Edit") : nullptr;
        if (!edit)
            edit = ChildOfClass(dialog, 1152, L"Edit");  // the older dialog's plain box
        if (!edit)
            Sleep(10);
    }
    if (!edit) {
        std::fprintf(stderr, "no file name box in the dialog\n");
        std::_Exit(1);
    }
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    HWND ok = ChildOfClass(dialog, IDOK, L"Button");
    PostMessageW(ok, BM_CLICK, 0, 0);
}

void Cancel()
{
    HWND dialog = WaitForDialog();
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

std::wstring TempFolder()
{
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    return std::wstring(buffer, n);
}

TEST(FileDialogs, SaveReturnsTheTypedNameWithTheDefaultExtension)
{
    const std::wstring folder = TempFolder();
    const std::wstring typed = folder + L"Объект проверки";
    DeleteFileW((typed + L".kst").c_str());

    TSaveDialog dialog(nullptr);
    dialog.SetFilter(L"Objects (*.kst)|*.kst|All files (*.*)|*.*");
    dialog.SetDefaultExt(L"kst");
    dialog.SetOptions(ofOverwritePrompt | ofHideReadOnly | ofEnableSizing);
    dialog.SetFileName(L"previous.kst");
    std::thread driver(TypeAndAccept, typed);
    const bool chosen = dialog.Execute(nullptr);
    driver.join();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(dialog.FileName(), typed + L".kst");
    ASSERT_EQ(dialog.Files().size(), 1u);
    EXPECT_EQ(dialog.Files()[0], dialog.FileName());
    EXPECT_EQ(dialog.FilterIndex(), 1);
}

TEST(FileDialogs, OpenReturnsAnExistingFileAndCancelReturnsFalse)
{
    const std::wstring path = TempFolder() + L"kestrin-open-test.kst";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    TOpenDialog dialog(nullptr);
    dialog.SetFilter(L"Objects (*.kst)|*.kst");
    dialog.SetOptions(ofHideReadOnly | ofPathMustExist | ofFileMustExist | ofEnableSizing);
    std::thread driver(TypeAndAccept, path);
    const bool chosen = dialog.Execute(nullptr);
    driver.join();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(dialog.FileName(), path);

    // Cancelling keeps the name from before.
    std::thread canceller(Cancel);
    const bool again = dialog.Execute(nullptr);
    canceller.join();
    EXPECT_FALSE(again);
    EXPECT_EQ(dialog.FileName(), path);
    DeleteFileW(path.c_str());
}

TEST(FileDialogs, OptionsMapToSystemFlagsAndOverlongNamesAreRefused)
{
    EXPECT_EQ(OpenOptionsToFlags(ofOverwritePrompt | ofHideReadOnly | ofEnableSizing),
              static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING));
    EXPECT_EQ(OpenOptionsToFlags(ofPathMustExist | ofFileMustExist),
              static_cast<DWORD>(OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST));
    EXPECT_EQ(OpenOptionsToFlags(0), 0u);

    TOpenDialog dialog(nullptr);
    dialog.SetFileName(std::wstring(40000, L'a'));
    EXPECT_THROW(dialog.Execute(nullptr), EComponentError);
}

}  // namespace

namespace {

std::wstring Cwd()
{
    wchar_t buffer[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, buffer);
    return buffer;
}

TEST(FileDialogs, NoChangeDirKeepsTheCurrentDirectoryForBothDialogs)
{
    const std::wstring before = Cwd(), start = TempFolder() + L"kestrin-cwd";
    CreateDirectoryW(start.c_str(), nullptr);
    const std::wstring file = TempFolder() + L"kestrin-cwd.kst";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    auto choose = [&](TOpenDialog&& dialog, TOpenOptions options) {
        SetCurrentDirectoryW(start.c_str());
        dialog.SetOptions(options);
        std::thread driver(TypeAndAccept, file);
        EXPECT_TRUE(dialog.Execute(nullptr));
        driver.join();
        return Cwd();
    };
    // Left alone, the open dialog moves the current directory.
    EXPECT_NE(choose(TOpenDialog(nullptr), ofFileMustExist), start);
    EXPECT_EQ(choose(TOpenDialog(nullptr), ofFileMustExist | ofNoChangeDir), start);
    EXPECT_EQ(choose(TSaveDialog(nullptr), ofNoChangeDir), start);
    SetCurrentDirectoryW(before.c_str());
    DeleteFileW(file.c_str());
    RemoveDirectoryW(start.c_str());
}

}  // namespace

// The help window in-process, with help files in a folder of its own as the
// current directory: the language flag and "RU" for each set of files, and the
// window's system commands with the real main window as its owner.
#include <gtest/gtest.h>

#include "app/HelpForm.h"
#include "app/MainForm.h"
#include "controls/KdSpeedButton.h"
#include "framework/Application.h"
#include "framework/Edits.h"
#include "framework/ExtCtrls.h"
#include "framework/OSError.h"
#include "framework/StdCtrls.h"
#include "tests/support/TempDir.h"

namespace {

const std::vector<uint8_t> kEnglish = {'H', 'e', 'l', 'p', '\r', '\n', 'T', 'w', 'o'};
// "Карта" and "Два" in code page 1251, lines ended by a bare LF.
const std::vector<uint8_t> kRussian = {0xCA, 0xE0, 0xF0, 0xF2, 0xE0, '\n', 0xC4, 0xE2, 0xE0};
const std::wstring kRussianText = L"\u041a\u0430\u0440\u0442\u0430\r\n\u0414\u0432\u0430";

struct TFakeHost : IHelpHost {
    bool Tray = false;
    bool MainVisible = true;
    bool TrayIconChecked() const override { return Tray; }
    void SetMainWindowVisible(bool visible) override { MainVisible = visible; }
};

class HelpFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t cwd[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, cwd);
        before_ = cwd;
        ASSERT_TRUE(SetCurrentDirectoryW(dir_.Path().c_str()));
        SetHelpInRussian(false);
    }
    void TearDown() override { SetCurrentDirectoryW(before_.c_str()); }

    void Files(bool english, bool russian)
    {
        DeleteFileW((dir_ / kHelpFileEnglish).c_str());
        DeleteFileW((dir_ / kHelpFileRussian).c_str());
        if (english)
            testfs::PutFile(dir_ / kHelpFileEnglish, kEnglish);
        if (russian)
            testfs::PutFile(dir_ / kHelpFileRussian, kRussian);
    }

    std::unique_ptr<THelpForm> Open() { return std::make_unique<THelpForm>(nullptr, host_); }

    static TMemo* Memo(THelpForm& f) { return FindComponentAs<TMemo>(&f, L"Memo1"); }
    static TKdSpeedButton* Ru(THelpForm& f) { return FindComponentAs<TKdSpeedButton>(&f, L"KdSpeedButton1"); }
    // A click on "RU" where the user clicks: the panel's window.
    static void ClickRu(THelpForm& f)
    {
        HWND panel = FindComponentAs<TPanel>(&f, L"Panel1")->Handle();
        SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 10));
        SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(60, 10));
    }

    testfs::TTempDir dir_;
    std::wstring before_;
    TFakeHost host_;
};

TEST_F(HelpFormTest, BothFilesOpenInEnglishAndReopenInTheLanguageLastShown)
{
    Files(true, true);
    auto help = Open();
    EXPECT_EQ(Memo(*help)->Text(), L"Help\r\nTwo");
    EXPECT_FALSE(Ru(*help)->Down());
    EXPECT_TRUE(Ru(*help)->Enabled());
    EXPECT_EQ(Memo(*help)->Font()->Charset(), DEFAULT_CHARSET);

    ClickRu(*help);
    EXPECT_TRUE(Ru(*help)->Down());
    EXPECT_TRUE(HelpInRussian());
    EXPECT_EQ(Memo(*help)->Text(), kRussianText);
    EXPECT_EQ(Memo(*help)->Font()->Charset(), RUSSIAN_CHARSET);

    help = Open();
    EXPECT_EQ(Memo(*help)->Text(), kRussianText);
    EXPECT_TRUE(Ru(*help)->Down());
}

TEST_F(HelpFormTest, OneFileIsShownWhateverTheFlagAndRuIsDisabledInItsState)
{
    Files(false, true);
    auto help = Open();
    EXPECT_EQ(Memo(*help)->Text(), kRussianText);
    EXPECT_TRUE(Ru(*help)->Down());
    EXPECT_FALSE(Ru(*help)->Enabled());
    EXPECT_TRUE(HelpInRussian());

    Files(true, false);
    help = Open();
    EXPECT_EQ(Memo(*help)->Text(), L"Help\r\nTwo");
    EXPECT_FALSE(Ru(*help)->Down());
    EXPECT_FALSE(Ru(*help)->Enabled());
    EXPECT_FALSE(HelpInRussian());
}

struct TErrorCatcher : TObject {
    int Errors = 0;
    void Caught(TObject*, std::exception_ptr) { ++Errors; }
};

TEST_F(HelpFormTest, RuThatCannotLoadKeepsTheTextAndTheLanguage)
{
    Files(true, true);
    auto help = Open();
    // Another program holds the Russian file open without sharing it: an error,
    // and nothing changes.
    HANDLE locked = CreateFileW((dir_ / kHelpFileRussian).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    TErrorCatcher catcher;
    Application->OnException = TExceptionEvent(&catcher, &TErrorCatcher::Caught);
    ClickRu(*help);
    Application->OnException = nullptr;
    CloseHandle(locked);
    EXPECT_EQ(catcher.Errors, 1);
    EXPECT_FALSE(Ru(*help)->Down());
    EXPECT_TRUE(Ru(*help)->Enabled());

    // Both files gone: "RU" springs back and is disabled.
    Files(false, false);
    ClickRu(*help);
    EXPECT_FALSE(Ru(*help)->Down());
    EXPECT_FALSE(Ru(*help)->Enabled());
    EXPECT_FALSE(HelpInRussian());
    EXPECT_EQ(Memo(*help)->Text(), L"Help\r\nTwo");
}

// The steps run inside the help window's modal loop, from a timer.
struct TModalSteps {
    TForm1* Main = nullptr;
    bool Ran = false, HelpOpenInside = false, TrayHidBoth = false, TrayRestoredBoth = false;
    bool HelpActive = false, MinimisedApplication = false, HelpCameBack = false;
};
TModalSteps* gSteps = nullptr;

void CALLBACK RunSteps(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    TModalSteps& s = *gSteps;
    s.Ran = true;
    THelpForm* help = s.Main->HelpWindow();
    if (!help)
        return;
    HWND h = help->Handle(), main = s.Main->Handle();
    s.HelpOpenInside = s.Main->HelpOpen();

    auto* tray = FindComponentAs<TCheckBox>(s.Main, L"CheckBox20");
    tray->SetChecked(true);
    // From the system menu's keyboard (low bits set) it is the same command.
    SendMessageW(h, WM_SYSCOMMAND, SC_MINIMIZE | 2, 0);
    s.TrayHidBoth = !IsWindowVisible(h) && !IsWindowVisible(main);
    SendMessageW(h, WM_SYSCOMMAND, SC_RESTORE, 0);
    s.TrayRestoredBoth = IsWindowVisible(h) && IsWindowVisible(main);
    s.HelpActive = GetActiveWindow() == h;

    tray->SetChecked(false);
    SendMessageW(h, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    s.MinimisedApplication = IsIconic(main) && !IsWindowVisible(h);
    ShowWindow(main, SW_RESTORE);
    s.HelpCameBack = IsWindowVisible(h) && !IsIconic(main);
    SendMessageW(h, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    s.HelpCameBack = s.HelpCameBack && !IsZoomed(h);
    help->Close();
}

TEST_F(HelpFormTest, HelpButtonOpensTheWindowModallyWithItsFlagAndItsSystemCommands)
{
    Files(true, true);
    auto* main = Application->CreateForm<TForm1>();
    main->Show();
    TModalSteps steps;
    steps.Main = main;
    gSteps = &steps;
    SetTimer(nullptr, 0, 10, RunSteps);
    main->Button1Click(nullptr);
    EXPECT_TRUE(steps.Ran && steps.HelpOpenInside);
    EXPECT_TRUE(steps.TrayHidBoth && steps.TrayRestoredBoth);
    EXPECT_TRUE(steps.HelpActive) << "the modal help window is in front again";
    EXPECT_TRUE(steps.MinimisedApplication && steps.HelpCameBack);
    EXPECT_FALSE(main->HelpOpen());
    EXPECT_EQ(main->HelpWindow(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));

    // No help file: no window, the file's error goes on, and the flag is clear.
    Files(false, false);
    try {
        main->Button1Click(nullptr);
        ADD_FAILURE() << "the help window opened without a help file";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find(L"\"ReadMe.txt\""), std::wstring::npos);
    }
    EXPECT_FALSE(main->HelpOpen());
    delete main;
}

}  // namespace

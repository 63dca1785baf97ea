// The help window in-process, with help files in a folder of its own as the
// current directory: the language flag and "RU" for each set of files, and the
// window's system commands with the real main window as its owner.
#include <gtest/gtest.h>

#include "app/HelpForm.h"
#include "app/MainForm.h"
#include "controls/KdFlatStyle.h"
#include "controls/KdSpeedButton.h"
#include "framework/Application.h"
#include "framework/Edits.h"
#include "framework/ExtCtrls.h"
#include "framework/OSError.h"
#include "framework/StdCtrls.h"
#include "tests/support/TempDir.h"

namespace {

const std::wstring kEnglishText = L"Help\r\nTwo";
// "Карта" and "Два" in code page 1251, lines ended by a bare LF.
const std::wstring kRussianText = L"\u041a\u0430\u0440\u0442\u0430\r\n\u0414\u0432\u0430";

struct THost : IHelpHost, TObject {
    bool TrayIconChecked() const override { return false; }
    void SetMainWindowVisible(bool) override {}
    int Errors = 0;
    void Caught(TObject*, std::exception_ptr) { ++Errors; }
};

class HelpFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SetCurrentDirectoryW(dir_.Path().c_str()));
        SetHelpInRussian(false);
    }
    void TearDown() override { SetCurrentDirectoryW(L"C:\\"); }

    void Files(bool english, bool russian)
    {
        DeleteFileW((dir_ / kHelpFileEnglish).c_str());
        DeleteFileW((dir_ / kHelpFileRussian).c_str());
        if (english)
            testfs::PutFile(dir_ / kHelpFileEnglish, {'H', 'e', 'l', 'p', '\r', '\n', 'T', 'w', 'o'});
        if (russian)
            testfs::PutFile(dir_ / kHelpFileRussian, {0xCA, 0xE0, 0xF0, 0xF2, 0xE0, '\n', 0xC4, 0xE2, 0xE0});
    }
    void Open() { help = std::make_unique<THelpForm>(nullptr, host); }
    std::wstring Text() { return FindComponentAs<TMemo>(help.get(), L"Memo1")->Text(); }
    BYTE Charset() { return FindComponentAs<TMemo>(help.get(), L"Memo1")->Font()->Charset(); }
    TKdSpeedButton* Ru() { return FindComponentAs<TKdSpeedButton>(help.get(), L"KdSpeedButton1"); }
    // A click on "RU" where the user clicks: the panel's window.
    void ClickRu()
    {
        HWND panel = FindComponentAs<TPanel>(help.get(), L"Panel1")->Handle();
        SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 10));
        SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(60, 10));
    }

    testfs::TTempDir dir_;
    THost host;
    std::unique_ptr<THelpForm> help;
};

TEST_F(HelpFormTest, TheLanguageFollowsRuAndTheFilesThatExist)
{
    Files(true, true);
    Open();
    EXPECT_EQ(Text(), kEnglishText);
    EXPECT_TRUE(Ru()->Enabled() && !Ru()->Down());
    ClickRu();
    EXPECT_EQ(Text(), kRussianText);
    EXPECT_EQ(Charset(), RUSSIAN_CHARSET);
    // Reopened: the language last shown.
    Open();
    EXPECT_EQ(Text(), kRussianText);
    EXPECT_TRUE(Ru()->Down());
    // One file: shown whatever the flag said, the flag follows, "RU" disabled.
    Files(true, false);
    Open();
    EXPECT_EQ(Text(), kEnglishText);
    EXPECT_EQ(Charset(), DEFAULT_CHARSET);
    EXPECT_FALSE(Ru()->Down() || Ru()->Enabled() || HelpInRussian());
    Files(false, true);
    Open();
    EXPECT_EQ(Text(), kRussianText);
    EXPECT_TRUE(Ru()->Down() && !Ru()->Enabled() && HelpInRussian());
}

// Moved to a monitor of 144 DPI: the suggested rectangle, the layout of 144 DPI
// from the window's edges, the text and its Russian font at 8 pt there.
TEST_F(HelpFormTest, ADpiChangeLaysTheWindowOutAgainAndKeepsItsText)
{
    Files(true, true);
    Open();
    ClickRu();
    auto* memo = FindComponentAs<TMemo>(help.get(), L"Memo1");
    auto* panel = FindComponentAs<TPanel>(help.get(), L"Panel1");
    help->ShowForm();
    memo->SetFocus();
    RECT suggested{100, 80, 100 + 760, 80 + 820};
    SendMessageW(help->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    const RECT window = help->BoundsRect();
    EXPECT_TRUE(EqualRect(&window, &suggested));
    EXPECT_EQ(Text(), kRussianText);
    EXPECT_EQ(Charset(), RUSSIAN_CHARSET);
    EXPECT_EQ(memo->Font()->Height(), -16);
    EXPECT_EQ(GetFocus(), memo->Handle());
    // Edges of 144 DPI (each length rounded alone, so within a pixel): 6 round the
    // text, the buttons' panel 8 from the bottom, centred.
    EXPECT_EQ(memo->Left(), 6);
    EXPECT_EQ(help->ClientWidth() - memo->BoundsRect().right, 6);
    EXPECT_NEAR(help->ClientHeight() - panel->BoundsRect().bottom, 8, 1);
    EXPECT_NEAR(panel->Left(), (help->ClientWidth() - panel->Width()) / 2, 1);
    EXPECT_EQ(panel->Width(), 144);
}

TEST_F(HelpFormTest, RuThatCannotLoadKeepsTheTextAndTheLanguage)
{
    Files(true, true);
    Open();
    // Another program holds the Russian file open without sharing it: an error,
    // and nothing changes.
    HANDLE locked = CreateFileW((dir_ / kHelpFileRussian).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    Application->OnException = TExceptionEvent(&host, &THost::Caught);
    ClickRu();
    Application->OnException = nullptr;
    CloseHandle(locked);
    EXPECT_EQ(host.Errors, 1);
    EXPECT_TRUE(Ru()->Enabled() && !Ru()->Down());
    // Both files gone: "RU" springs back and is disabled.
    Files(false, false);
    ClickRu();
    EXPECT_FALSE(Ru()->Down() || Ru()->Enabled() || HelpInRussian());
    EXPECT_EQ(Text(), kEnglishText);
}

// The steps run inside the help window's modal loop, from a timer.
struct TModalSteps {
    TForm1* Main = nullptr;
    bool OpenInside = false, TrayHidBoth = false, TrayRestoredBoth = false, HelpActive = false;
    bool MinimisedApplication = false, HelpCameBack = false, MemoFramed = false, RestoreWithLowBitsHid = false;
} gSteps;

void CALLBACK RunSteps(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    TModalSteps& s = gSteps;
    THelpForm* help = s.Main->HelpWindow();
    if (!help)
        return;
    HWND h = help->Handle(), main = s.Main->Handle();
    s.OpenInside = s.Main->HelpOpen();
    auto* style = FindComponentAs<TKdFlatStyle>(help, L"KdFlatStyle1");
    s.MemoFramed = style && style->EntryState(FindComponentAs<TMemo>(help, L"Memo1")).has_value();
    auto* tray = FindComponentAs<TCheckBox>(s.Main, L"CheckBox20");
    tray->SetChecked(true);
    // From the system menu's keyboard (low bits set) it is the same command.
    SendMessageW(h, WM_SYSCOMMAND, SC_MINIMIZE | 2, 0);
    s.TrayHidBoth = !IsWindowVisible(h) && !IsWindowVisible(main);
    SendMessageW(h, WM_SYSCOMMAND, SC_RESTORE, 0);
    s.TrayRestoredBoth = IsWindowVisible(h) && IsWindowVisible(main);
    s.HelpActive = GetActiveWindow() == h;
    // Only the exact restore command shows them; with low bits it hides them.
    SendMessageW(h, WM_SYSCOMMAND, SC_RESTORE | 2, 0);
    s.RestoreWithLowBitsHid = !IsWindowVisible(h) && !IsWindowVisible(main);
    SendMessageW(h, WM_SYSCOMMAND, SC_RESTORE, 0);

    tray->SetChecked(false);
    SendMessageW(h, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    s.MinimisedApplication = IsIconic(main) && !IsWindowVisible(h);
    ShowWindow(main, SW_RESTORE);
    SendMessageW(h, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    s.HelpCameBack = IsWindowVisible(h) && !IsIconic(main) && !IsZoomed(h);
    help->Close();
}

TEST_F(HelpFormTest, HelpButtonOpensTheWindowModallyWithItsFlagAndItsSystemCommands)
{
    Files(true, true);
    auto* main = Application->CreateForm<TForm1>();
    main->Show();
    gSteps.Main = main;
    const size_t chains = TKdWPM::Registry().size();
    Application->OnException = TExceptionEvent(&host, &THost::Caught);
    SetTimer(nullptr, 0, 10, RunSteps);
    main->Button1Click(nullptr);
    Application->OnException = nullptr;
    // Closing the window with its text box framed leaves no chain and no error.
    EXPECT_TRUE(gSteps.MemoFramed);
    EXPECT_EQ(TKdWPM::Registry().size(), chains);
    EXPECT_EQ(host.Errors, 0);
    EXPECT_TRUE(gSteps.OpenInside);
    EXPECT_TRUE(gSteps.TrayHidBoth && gSteps.TrayRestoredBoth);
    EXPECT_TRUE(gSteps.RestoreWithLowBitsHid);
    EXPECT_TRUE(gSteps.HelpActive) << "the modal help window is in front again";
    EXPECT_TRUE(gSteps.MinimisedApplication && gSteps.HelpCameBack);
    EXPECT_FALSE(main->HelpOpen());
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

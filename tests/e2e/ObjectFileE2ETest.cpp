// Object files with Kestrin.exe as its own process: a file named on the command
// line at start, and "&Save" / "&Load" through the system's file dialogs.
#include <gtest/gtest.h>


#include "tests/e2e/KestrinDriver.h"
#include "tests/support/ObjectBlocks.h"
#include "tests/support/TempDir.h"

namespace {

using namespace e2e;

// A block with the picture name given, Dirt and Grass, type 54, subtype 3, the
// "Monsters" page, a part of ground, and a tail of recognisable bytes.
std::vector<uint8_t> MakeBlock(const std::string& name, size_t size = 300)
{
    testblocks::TBlockFields s;
    s.Name = name;
    s.Water = 0;
    s.Size = size;
    return testblocks::MakeBlock(s);
}

// What a file dialog showed when it was answered.
struct TDialogSeen {
    std::wstring Preset;                // the file name box's text
    std::vector<std::wstring> Filters;  // the entries of the file type box
    bool ReadOnlyBoxShown = false;
};

class ObjectFileE2E : public ::testing::Test {
protected:
    void SetUp() override { ClearClipboard(); }

    std::unique_ptr<TKestrin> Start(const std::wstring& arguments = L"")
    {
        auto app = std::make_unique<TKestrin>(-1, arguments, dir_.Path());
        main_ = app->WaitForMainWindow();
        if (!main_)
            ADD_FAILURE() << "Kestrin's main window did not appear";
        return app;
    }

    void PutOnClipboard(const std::vector<uint8_t>& block)
    {
        const std::wstring file = dir_ / L"clip.bin";
        testfs::PutFile(file, block);
        TRunResult r = RunClip(L"put \"" + file + L"\" --format 28");
        ASSERT_EQ(r.ExitCode, 0u) << r.Output;
        DeleteFileW(file.c_str());
    }

    // The file dialog the program shows now, with its name box, waiting for it.
    std::pair<HWND, HWND> WaitForFileDialog(TKestrin& app)
    {
        for (int i = 0; i < 100; ++i) {
            if (auto box = app.WaitForMessageBox(100ms))
                if (HWND name = FileNameBox(box->Window))
                    return {box->Window, name};
        }
        ADD_FAILURE() << "no file dialog";
        return {nullptr, nullptr};
    }

    TDialogSeen Look(HWND dialog, HWND nameBox)
    {
        TDialogSeen seen;
        seen.Preset = WindowText(nameBox);
        if (HWND types = ChildWithId(dialog, 1136, L"ComboBox")) {
            const LRESULT count = SendMessageW(types, CB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < count; ++i) {
                wchar_t text[256] = {};
                if (SendMessageW(types, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < 256)
                    SendMessageW(types, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
                seen.Filters.push_back(text);
            }
        }
        HWND readOnly = GetDlgItem(dialog, 1040);
        seen.ReadOnlyBoxShown = readOnly && IsWindowVisible(readOnly);
        return seen;
    }

    // Answers the file dialog with name.
    TDialogSeen ChooseFile(TKestrin& app, const std::wstring& name)
    {
        auto [dialog, box] = WaitForFileDialog(app);
        if (!dialog)
            return {};
        TDialogSeen seen = Look(dialog, box);
        SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        PostMessageW(ChildWithId(dialog, IDOK, L"Button"), BM_CLICK, 0, 0);
        WaitGone(app, dialog);
        return seen;
    }

    TDialogSeen CancelFileDialog(TKestrin& app)
    {
        auto [dialog, box] = WaitForFileDialog(app);
        if (!dialog)
            return {};
        TDialogSeen seen = Look(dialog, box);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        WaitGone(app, dialog);
        return seen;
    }

    void WaitGone(TKestrin& app, HWND window)
    {
        for (int i = 0; i < 500 && IsWindow(window); ++i)
            Sleep(10);
        EXPECT_FALSE(IsWindow(window)) << "the dialog stays open";
        app.Settle();
    }

    void ExpectBox(TKestrin& app, const std::wstring& caption, const std::wstring& text)
    {
        auto box = app.WaitForMessageBox();
        ASSERT_TRUE(box) << "no message box";
        EXPECT_EQ(box->Caption, caption);
        EXPECT_EQ(box->Text, text);
        app.Answer(*box);
    }

    void ExpectNoBox(TKestrin& app)
    {
        auto box = app.WaitForMessageBox(400ms);
        EXPECT_FALSE(box) << "unexpected box: " << (box ? std::string(box->Text.begin(), box->Text.end()) : "");
        if (box)
            app.Answer(*box);
    }

    // Groups by caption, whatever their window class; the window's own "Paste"
    // by its place ("Appearance" has a button of that caption too).
    HWND Group(TKestrin& app, const wchar_t* caption) { return app.Find(L"", caption); }
    bool Shown(TKestrin& app, const wchar_t* group) { return IsWindowVisible(Group(app, group)) != FALSE; }
    HWND PasteButton(TKestrin& app) { return app.FindAt(L"Button", 8, 40); }
    HWND PictureBox(TKestrin& app) { return app.FindAt(L"ComboBox", 48, 16, Group(app, L"Appearance")); }
    HWND SubtypeBox(TKestrin& app) { return app.FindAt(L"ComboBox", 268, 21, Group(app, L"Properties")); }

    testfs::TTempDir dir_;
    HWND main_ = nullptr;
};

TEST_F(ObjectFileE2E, CommandLineFileIsShownThenTheEmptyClipboardIsReported)
{
    testfs::PutFile(dir_ / L"good.kst", MakeBlock("AVWmrnd0"));
    auto app = Start(L"good.kst");
    ASSERT_TRUE(main_);
    // Paste ran after the file: it found the object shown and nothing to paste.
    ExpectBox(*app, L"Error", L"The clipboard is empty");
    ExpectNoBox(*app);
    EXPECT_TRUE(Shown(*app, L"Appearance"));
    EXPECT_TRUE(Shown(*app, L"Properties"));
    EXPECT_EQ(WindowText(PictureBox(*app)), L"AVWmrnd0");
    EXPECT_TRUE(IsChecked(app->Find(L"Button", L"Monsters")));
}

TEST_F(ObjectFileE2E, MissingCommandLineFileIsASystemErrorAndSkipsThePaste)
{
    // A Paste would show this object; it must not run.
    PutOnClipboard(MakeBlock("AVWmrnd0"));
    auto app = Start(L"missing.kst");
    ASSERT_TRUE(main_);
    auto box = app->WaitForMessageBox();
    ASSERT_TRUE(box) << "no error shown";
    EXPECT_EQ(box->Caption, L"Kestrin");
    EXPECT_EQ(box->Text.rfind(L"System Error.  Code: 2.\r\n", 0), 0u)
        << std::string(box->Text.begin(), box->Text.end());
    app->Answer(*box);
    ExpectNoBox(*app);
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_FALSE(Shown(*app, L"Appearance"));
    EXPECT_FALSE(Shown(*app, L"Properties"));
    EXPECT_FALSE(Shown(*app, L"Useless Properties"));
}

TEST_F(ObjectFileE2E, CommandLinePathWithCyrillicLetters)
{
    const std::wstring folder = dir_ / L"\u041a\u0430\u0440\u0442\u044b";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring file = folder + L"\\\u0434\u043e\u043c \u0432\u0435\u0434\u044c\u043c\u044b.kst";
    testfs::PutFile(file, MakeBlock("AVXwitch"));
    auto app = Start(L"\"" + file + L"\"");
    ASSERT_TRUE(main_);
    ExpectBox(*app, L"Error", L"The clipboard is empty");
    EXPECT_EQ(WindowText(PictureBox(*app)), L"AVXwitch");
}

TEST_F(ObjectFileE2E, SaveAndLoadThroughTheDialogs)
{
    auto app = Start();
    ASSERT_TRUE(main_);
    ExpectNoBox(*app);
    // Nothing loaded: Save shows no dialog.
    app->Click(app->Button(L"&Save"));
    ExpectNoBox(*app);

    PutOnClipboard(MakeBlock("AVWmrnd0"));
    app->Click(PasteButton(*app));
    ExpectNoBox(*app);
    app->SetText(SubtypeBox(*app), L"7");

    // A name without extension is saved with ".kst" and presets the next dialog.
    const std::vector<std::wstring> filters = {L"Kestrin Files (kst)", L"All files"};
    app->Click(app->Button(L"&Save"));
    const TDialogSeen first = ChooseFile(*app, dir_ / L"castle");
    EXPECT_EQ(first.Preset, L"");
    EXPECT_EQ(first.Filters, filters);
    EXPECT_FALSE(first.ReadOnlyBoxShown);
    ExpectNoBox(*app);
    ASSERT_TRUE(testfs::FileExists(dir_ / L"castle.kst"));
    EXPECT_FALSE(testfs::FileExists(dir_ / L"castle"));
    const auto saved = testfs::FileBytes(dir_ / L"castle.kst");
    ASSERT_EQ(saved.size(), 4096u);
    EXPECT_EQ(saved[4 + 8 + 20], 7) << "the subtype as edited";

    app->Click(app->Button(L"&Save"));
    const std::wstring preset = CancelFileDialog(*app).Preset;
    EXPECT_NE(preset.find(L"castle.kst"), std::wstring::npos) << std::string(preset.begin(), preset.end());
    ExpectNoBox(*app);

    // The name without extension again: Kestrin asks before "castle.kst" is
    // replaced, and "No" brings the dialog back; cancelling it writes nothing.
    app->Click(app->Button(L"&Save"));
    {
        auto [dialog, nameBox] = WaitForFileDialog(*app);
        ASSERT_TRUE(dialog);
        SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>((dir_ / L"castle").c_str()));
        PostMessageW(ChildWithId(dialog, IDOK, L"Button"), BM_CLICK, 0, 0);
        WaitGone(*app, dialog);
        const auto question = app->WaitForMessageBox();
        ASSERT_TRUE(question) << "no question before replacing castle.kst";
        EXPECT_EQ(question->Caption, L"Confirm Save As");
        EXPECT_EQ(question->Text, (dir_ / L"castle.kst") + L" already exists.\r\nDo you want to replace it?");
        PostMessageW(question->Window, WM_COMMAND, IDNO, 0);
        for (int i = 0; i < 300 && IsWindow(question->Window); ++i)
            Sleep(10);
        const TDialogSeen again = CancelFileDialog(*app);
        EXPECT_NE(again.Preset.find(L"castle.kst"), std::wstring::npos);
    }
    ExpectNoBox(*app);
    EXPECT_EQ(testfs::FileBytes(dir_ / L"castle.kst"), saved);

    // A name with an extension of its own is written as it stands.
    app->Click(app->Button(L"&Save"));
    ChooseFile(*app, dir_ / L"tower.v2");
    ExpectNoBox(*app);
    EXPECT_TRUE(testfs::FileExists(dir_ / L"tower.v2"));
    EXPECT_FALSE(testfs::FileExists(dir_ / L"tower.v2.kst"));

    // Another extension is kept.
    app->Click(app->Button(L"&Save"));
    ChooseFile(*app, dir_ / L"castle.dat");
    ExpectNoBox(*app);
    EXPECT_EQ(testfs::FileBytes(dir_ / L"castle.dat"), saved);

    // A 45-byte file unloads the object; Save then does nothing.
    std::vector<uint8_t> shortFile = MakeBlock("");
    shortFile.resize(45);
    testfs::PutFile(dir_ / L"short.kst", shortFile);
    app->Click(app->Button(L"&Load"));
    const TDialogSeen opened = ChooseFile(*app, dir_ / L"short.kst");
    EXPECT_NE(opened.Preset.find(L"castle.dat"), std::wstring::npos) << "the open dialog shares the name";
    EXPECT_EQ(opened.Filters, filters);
    EXPECT_FALSE(opened.ReadOnlyBoxShown);
    ExpectBox(*app, L"Error", L"The file contains wrong data");
    EXPECT_FALSE(Shown(*app, L"Appearance"));
    EXPECT_FALSE(Shown(*app, L"Properties"));
    app->Click(app->Button(L"&Save"));
    ExpectNoBox(*app);

    // Loading the saved file again shows what was saved.
    app->Click(app->Button(L"&Load"));
    ChooseFile(*app, dir_ / L"castle.kst");
    ExpectNoBox(*app);
    EXPECT_TRUE(Shown(*app, L"Appearance"));
    EXPECT_EQ(WindowText(PictureBox(*app)), L"AVWmrnd0");
    EXPECT_EQ(WindowText(SubtypeBox(*app)).substr(0, 1), L"7");
    EXPECT_TRUE(IsChecked(app->Find(L"Button", L"Monsters")));
}

// Saving into another folder leaves the current directory alone, so "Help"
// still finds its text beside the program.
TEST_F(ObjectFileE2E, HelpStillOpensAfterSavingInAnotherFolder)
{
    testfs::PutFile(dir_ / L"ReadMe.txt", {'K', 'e', 's', 't', 'r', 'i', 'n'});
    const std::wstring elsewhere = dir_ / L"maps";
    ASSERT_TRUE(CreateDirectoryW(elsewhere.c_str(), nullptr));
    PutOnClipboard(MakeBlock("AVWmrnd0"));
    auto app = Start();
    ASSERT_TRUE(main_);
    ExpectNoBox(*app);
    // As a user does: go into the folder first, then name the file.
    app->Click(app->Button(L"&Save"));
    {
        auto [dialog, nameBox] = WaitForFileDialog(*app);
        ASSERT_TRUE(dialog);
        SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(elsewhere.c_str()));
        PostMessageW(ChildWithId(dialog, IDOK, L"Button"), BM_CLICK, 0, 0);
        // The dialog opens the folder and empties its name box.
        for (int i = 0; i < 300 && WindowText(nameBox) == elsewhere; ++i)
            Sleep(10);
        ASSERT_TRUE(IsWindow(dialog)) << "a folder name opens the folder";
        ASSERT_NE(WindowText(nameBox), elsewhere);
        SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"castle"));
        PostMessageW(ChildWithId(dialog, IDOK, L"Button"), BM_CLICK, 0, 0);
        WaitGone(*app, dialog);
    }
    ExpectNoBox(*app);
    ASSERT_TRUE(testfs::FileExists(elsewhere + L"\\castle.kst"));

    app->Click(app->Button(L"Help"));
    ExpectNoBox(*app);
    HWND help = FindWindowW(L"Kestrin Help Form", L"Kestrin Help");
    ASSERT_TRUE(help) << "no help window";
    EXPECT_EQ(app->FindAll(L"Edit", L"Kestrin", help).size(), 1u);
    PostMessageW(help, WM_CLOSE, 0, 0);
    WaitGone(*app, help);
}

}  // namespace

// Kestrin.exe as its own process, driven from outside: the map editor's side of the
// clipboard is kestrin-clip, the user's clicks are posted button messages.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/KestrinDriver.h"
#include "tests/support/ObjectBlocks.h"
#include "tests/support/TempDir.h"

namespace {

using namespace e2e;

constexpr wchar_t kFormatPrefix[] = L"Heroes of Might and Magic III Map Editor Object Clipboard Format ";

using testblocks::MakeBlock;
using testblocks::TBlockFields;

class KestrinE2E : public ::testing::Test {
protected:
    void SetUp() override { ClearClipboard(); }

    // Puts bytes on the clipboard as the map editor would, under format number.
    void Put(const std::vector<uint8_t>& block, const std::wstring& number = L"28")
    {
        const std::wstring file = dir_ / L"in.bin";
        testfs::PutFile(file, block);
        TRunResult r = RunClip(L"put \"" + file + L"\" --format " + number);
        ASSERT_EQ(r.ExitCode, 0u) << r.Output;
    }

    std::vector<uint8_t> Get(const std::wstring& number = L"28")
    {
        const std::wstring file = dir_ / L"out.bin";
        DeleteFileW(file.c_str());
        TRunResult r = RunClip(L"get \"" + file + L"\" --format " + number);
        EXPECT_EQ(r.ExitCode, 0u) << r.Output;
        return testfs::FileExists(file) ? testfs::FileBytes(file) : std::vector<uint8_t>{};
    }

    // Starts Kestrin in an empty folder (no catalogue) and waits for its window.
    std::unique_ptr<TKestrin> Start(int showCommand = -1)
    {
        auto app = std::make_unique<TKestrin>(showCommand, L"", dir_.Path());
        main_ = app->WaitForMainWindow();
        if (!main_)
            ADD_FAILURE() << "Kestrin's main window did not appear";
        else
            app->Settle();
        return app;
    }

    HWND Group(TKestrin& app, const wchar_t* caption) { return app.Find(L"", caption); }
    // The terrain controls of "Properties" stand 43 pixels apart from left 8.
    HWND Terrain(TKestrin& app, int index)
    {
        return app.FindAt(L"", 8 + 43 * index, 48, Group(app, L"Properties"));
    }
    HWND EditorTerrain(TKestrin& app, int index)
    {
        HWND frame = app.FindAt(L"", 8, 40, Group(app, L"Useless Properties"));
        return app.FindAt(L"", 8 + 43 * index, 24, frame);
    }
    HWND PictureBox(TKestrin& app) { return app.FindAt(L"ComboBox", 48, 16, Group(app, L"Appearance")); }
    HWND TypeBox(TKestrin& app) { return app.FindAt(L"ComboBox", 48, 21, Group(app, L"Properties")); }
    HWND SubtypeBox(TKestrin& app) { return app.FindAt(L"ComboBox", 268, 21, Group(app, L"Properties")); }

    void ExpectNoMessageBox(TKestrin& app)
    {
        auto box = app.WaitForMessageBox(400ms);
        EXPECT_FALSE(box) << "unexpected message box: " << (box ? std::string(box->Text.begin(), box->Text.end()) : "");
        if (box)
            app.Answer(*box);
    }

    void ExpectError(TKestrin& app, const std::wstring& text)
    {
        auto box = app.WaitForMessageBox();
        ASSERT_TRUE(box) << "no message box";
        EXPECT_EQ(box->Caption, L"Error");
        EXPECT_EQ(box->Text, text);
        EXPECT_TRUE(box->HasIcon);
        app.Answer(*box);
    }

    testfs::TTempDir dir_;
    HWND main_ = nullptr;
};

TEST_F(KestrinE2E, PasteShowsTheObjectAndCopyGivesItBackChanged)
{
    TBlockFields fields;
    const std::vector<uint8_t> original = MakeBlock(fields);
    auto app = Start();
    ASSERT_TRUE(main_);
    Put(original);

    app->Click(app->Button(L"Paste"));
    ExpectNoMessageBox(*app);

    EXPECT_TRUE(IsWindowVisible(Group(*app, L"Properties")));
    EXPECT_TRUE(IsWindowVisible(Group(*app, L"Appearance")));
    EXPECT_EQ(WindowText(PictureBox(*app)), L"AVWmrnd0");
    EXPECT_EQ(WindowText(TypeBox(*app)).substr(0, 2), L"54");
    EXPECT_EQ(WindowText(SubtypeBox(*app)).substr(0, 1), L"3");
    EXPECT_TRUE(IsChecked(app->Find(L"Button", L"Monsters")));
    EXPECT_TRUE(IsChecked(app->Find(L"Button", L"A part of ground")));

    // The user picks the "Heroes" page and types a new subtype.
    app->Click(app->Find(L"Button", L"Heroes"));
    app->SetText(SubtypeBox(*app), L"7");
    ClearClipboard();
    app->Click(app->Button(L"&Copy"));
    ExpectNoMessageBox(*app);

    EXPECT_EQ(ClipboardFormats().size(), 1u);
    const std::vector<uint8_t> copied = Get();
    ASSERT_EQ(copied.size(), 4096u);

    // The water byte 0xFF stays: bit 0 checked, bits 1-7 kept from the pasted block.
    fields.Subtype = 7;
    fields.Page = 3;
    std::vector<uint8_t> expected = MakeBlock(fields);
    expected.resize(4096, 0);  // after the carried tail nothing is written
    for (size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(copied[i], expected[i]) << "byte " << i;
}

TEST_F(KestrinE2E, TypesAndSubtypesArePickedByName)
{
    TBlockFields fields;
    fields.Subtype = 12;
    auto app = Start();
    ASSERT_TRUE(main_);
    Put(MakeBlock(fields));
    app->Click(app->Button(L"Paste"));
    ExpectNoMessageBox(*app);
    EXPECT_EQ(WindowText(TypeBox(*app)), L"54  Monster");
    EXPECT_EQ(WindowText(SubtypeBox(*app)), L"12  Angel");

    // Another subtype by name is copied as its number.
    ASSERT_TRUE(app->Pick(SubtypeBox(*app), L"13  Archangel"));
    app->Click(app->Button(L"&Copy"));
    ExpectNoMessageBox(*app);
    // The water byte 0xFF is written back whole.
    fields.Subtype = 13;
    std::vector<uint8_t> expected = MakeBlock(fields);
    std::vector<uint8_t> copied = Get();
    ASSERT_EQ(copied.size(), 4096u);
    EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + 30 + 8, copied.begin()));

    // Another type brings its own subtype names; the subtype keeps its number.
    ASSERT_TRUE(app->Pick(TypeBox(*app), L"16  Creature Bank"));
    EXPECT_EQ(WindowText(SubtypeBox(*app)), L"13  Palace of Martial Spirit (Emissaries of War)");
    app->Click(app->Button(L"&Copy"));
    ExpectNoMessageBox(*app);
    copied = Get();
    fields.Type = 16;
    expected = MakeBlock(fields);
    EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + 30 + 8, copied.begin()));
}

// Whether a terrain switch shows the checked marker (olive and maroon) in its middle.
bool ShowsMarker(const TKestrin& app, HWND terrain)
{
    const COLORREF c = app.ScreenPixel(terrain, 16, 16);
    return c == RGB(128, 128, 0) || c == RGB(128, 0, 0);
}

TEST_F(KestrinE2E, TerrainsAndPageFollowTheMouse)
{
    TBlockFields fields;  // Dirt, Grass and Water; the map editor lists it under Dirt and Lava
    Put(MakeBlock(fields));
    auto app = Start();
    ASSERT_TRUE(main_);
    ASSERT_TRUE(IsWindowVisible(Group(*app, L"Properties")));

    const bool terrains[9] = {true, false, true, false, false, false, false, false, true};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(ShowsMarker(*app, Terrain(*app, i)), terrains[i]) << "terrain " << i;
    // Dirt and Water off, Rough on.
    for (int i : {0, 8, 5})
        app->MouseClickAt(Terrain(*app, i), 16, 16);
    EXPECT_FALSE(ShowsMarker(*app, Terrain(*app, 0)));
    EXPECT_TRUE(ShowsMarker(*app, Terrain(*app, 5)));

    // "Useless..." brings the map editor's terrains and pages to the front.
    app->MouseClickAt(main_, 432, 52);
    ASSERT_TRUE(IsWindowVisible(Group(*app, L"Useless Properties")));
    const bool editor[9] = {true, false, false, false, false, false, false, true, false};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(ShowsMarker(*app, EditorTerrain(*app, i)), editor[i]) << "map-editor terrain " << i;
    // Dirt off, Water on, and the "Heroes" page.
    for (int i : {0, 8})
        app->MouseClickAt(EditorTerrain(*app, i), 16, 16);
    EXPECT_TRUE(ShowsMarker(*app, EditorTerrain(*app, 8)));
    app->MouseClickAt(app->Find(L"Button", L"Heroes"), 8, 8);
    EXPECT_TRUE(IsChecked(app->Find(L"Button", L"Heroes")));
    EXPECT_FALSE(IsChecked(app->Find(L"Button", L"Monsters")));

    ClearClipboard();
    app->Click(app->Button(L"&Copy"));
    ExpectNoMessageBox(*app);
    const std::vector<uint8_t> copied = Get();
    ASSERT_EQ(copied.size(), 4096u);
    const size_t at = 4 + fields.Name.size() + 12;
    EXPECT_EQ(copied[at], 0x24);      // Grass, Rough
    EXPECT_EQ(copied[at + 1], 0xFE);  // no Water; bits 1-7 of the pasted 0xFF kept
    EXPECT_EQ(copied[at + 2], 0x80);  // the map editor's Lava
    EXPECT_EQ(copied[at + 3], 1);     // and its Water
    EXPECT_EQ(copied[at + 12], 3);    // "Heroes"
}

TEST_F(KestrinE2E, ShortBlockIsWrongDataAndHidesTheGroups)
{
    auto app = Start();
    ASSERT_TRUE(main_);
    Put(MakeBlock({}));
    app->Click(app->Button(L"Paste"));
    ExpectNoMessageBox(*app);
    ASSERT_TRUE(IsWindowVisible(Group(*app, L"Appearance")));

    TBlockFields shortBlock;
    shortBlock.Name = "";
    shortBlock.Size = 45;
    Put(MakeBlock(shortBlock));
    app->Click(app->Button(L"Paste"));
    ExpectError(*app, L"Wrong data");
    EXPECT_FALSE(IsWindowVisible(Group(*app, L"Properties")));
    EXPECT_FALSE(IsWindowVisible(Group(*app, L"Useless Properties")));
    EXPECT_FALSE(IsWindowVisible(Group(*app, L"Appearance")));

    // Nothing is loaded now, so Copy leaves the clipboard alone.
    app->Click(app->Button(L"&Copy"));
    ExpectNoMessageBox(*app);
    EXPECT_EQ(Get(), MakeBlock(shortBlock));
}

TEST_F(KestrinE2E, EmptyClipboardIsSilentUntilAnObjectWasShown)
{
    auto app = Start();
    ASSERT_TRUE(main_);
    app->Click(app->Button(L"Paste"));
    ExpectNoMessageBox(*app);

    Put(MakeBlock({}));
    app->Click(app->Button(L"Paste"));
    ExpectNoMessageBox(*app);

    ClearClipboard();
    app->Click(app->Button(L"Paste"));
    ExpectError(*app, L"The clipboard is empty");
    // The object stays shown.
    EXPECT_TRUE(IsWindowVisible(Group(*app, L"Appearance")));
    EXPECT_EQ(WindowText(PictureBox(*app)), L"AVWmrnd0");
}

TEST_F(KestrinE2E, EditionButtonsSwitchTheFormat)
{
    auto app = Start();
    ASSERT_TRUE(main_);
    HWND edit = app->FindAt(L"Edit", 182, 10);
    EXPECT_EQ(WindowText(edit), L"28");
    EXPECT_TRUE(IsChecked(app->Find(L"Button", L"WOG, SOD")));

    app->Click(app->Find(L"Button", L"AB"));
    EXPECT_TRUE(app->WaitForText(edit, L"21")) << "Edit1 shows " << std::string(WindowText(edit).begin(), WindowText(edit).end());
    Put(MakeBlock({}), L"28");
    app->Click(app->Button(L"Paste"));
    ExpectNoMessageBox(*app);
    EXPECT_FALSE(IsWindowVisible(Group(*app, L"Appearance")));

    Put(MakeBlock({}), L"21");
    app->Click(app->Button(L"Paste"));
    ExpectNoMessageBox(*app);
    EXPECT_TRUE(IsWindowVisible(Group(*app, L"Appearance")));

    // A typed number is taken only by "Load Format"; Copy then uses that format.
    app->SetText(edit, L"28x");
    app->Click(app->Button(L"&Copy"));
    ExpectNoMessageBox(*app);
    EXPECT_EQ(Get(L"21").size(), 4096u);
    app->Click(app->Button(L"Load Format"));
    app->Click(app->Button(L"&Copy"));
    ExpectNoMessageBox(*app);
    EXPECT_EQ(Get(L"28x").size(), 4096u);
    EXPECT_EQ(ClipboardFormats().size(), 1u);
}

TEST_F(KestrinE2E, PasteHasTheFocusWhenTheWindowOpens)
{
    auto app = Start();
    ASSERT_TRUE(main_);
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info));
    EXPECT_EQ(info.hwndFocus, app->Button(L"Paste"));
    EXPECT_EQ(WindowText(main_), L"Kestrin");
}

TEST_F(KestrinE2E, StartUpPastesTheObjectOnTheClipboard)
{
    Put(MakeBlock({}));
    auto app = Start();
    ASSERT_TRUE(main_);
    ExpectNoMessageBox(*app);
    EXPECT_TRUE(IsWindowVisible(Group(*app, L"Properties")));
    EXPECT_EQ(WindowText(PictureBox(*app)), L"AVWmrnd0");
}

TEST_F(KestrinE2E, FailedStartStepIsShownAndSkipsTheRest)
{
    // A good object waits on the clipboard, but the file named on the command
    // line is missing: its error is shown and the start-up Paste never runs.
    Put(MakeBlock({}));
    TKestrin app(-1, L"\"" + dir_ / L"missing.kst" + L"\"", dir_.Path());
    auto box = app.WaitForMessageBox(10s);
    ASSERT_TRUE(box) << "no error shown";
    EXPECT_EQ(box->Caption, L"Kestrin");
    EXPECT_EQ(box->Text.rfind(L"System Error.  Code: 2.", 0), 0u);
    EXPECT_TRUE(box->HasIcon);
    app.Answer(*box);
    main_ = app.WaitForMainWindow();
    ASSERT_TRUE(main_);
    app.Settle();
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_FALSE(IsWindowVisible(Group(app, L"Appearance")));
    EXPECT_FALSE(app.WaitForMessageBox(300ms));
}

TEST_F(KestrinE2E, WindowCannotBeResizedOrMaximised)
{
    auto app = Start(SW_SHOWMAXIMIZED);
    ASSERT_TRUE(main_);
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_FALSE(IsZoomed(main_));
    EXPECT_FALSE(IsChecked(app->Find(L"Button", L"Tray Icon")));

    const LONG style = GetWindowLongW(main_, GWL_STYLE);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);

    RECT client{};
    GetClientRect(main_, &client);
    EXPECT_EQ(client.right, 471);
    EXPECT_EQ(client.bottom, 505);  // the grid's rows fit 11 pixels tighter than designed
    RECT before{};
    GetWindowRect(main_, &before);

    SetWindowPos(main_, nullptr, 0, 0, 800, 900, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    app->Settle();
    RECT after{};
    GetWindowRect(main_, &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);

    PostMessageW(main_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    app->Settle();
    EXPECT_FALSE(IsZoomed(main_));
    GetWindowRect(main_, &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
}

}  // namespace

namespace {

// The lines of a combo box's list, read from outside.
std::vector<std::wstring> ListItems(HWND combo)
{
    std::vector<std::wstring> items;
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        item.resize(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        items.push_back(item);
    }
    return items;
}

TEST_F(KestrinE2E, PictureKnownToTheCatalogueShowsItsTypeAndSiblings)
{
    ASSERT_TRUE(CreateDirectoryW((dir_ / L"Data").c_str(), nullptr));
    const std::string catalogue = "4\r\nAVWpike.def 1 0 1 1 54 0 2 0\r\nAVWangl0.def 1 0 1 1 54 12 2 0\r\n"
                                  "AVXmine.def 1 0 1 1 53 0 5 0\r\nAVWangl1.def 1 0 1 1 54 12 2 0\r\n";
    testfs::PutFile(dir_ / L"Data\\Objects.txt", {catalogue.begin(), catalogue.end()});
    auto app = Start();
    ASSERT_TRUE(main_);
    TBlockFields fields;
    fields.Name = "avwANGL1.DEF";
    fields.Type = 1;
    Put(MakeBlock(fields));
    app->Click(app->Button(L"Paste"));
    ExpectNoMessageBox(*app);

    const HWND appearance = Group(*app, L"Appearance");
    EXPECT_EQ(WindowText(app->FindAt(L"ComboBox", 48, 45, appearance)), L"54  Monster");
    EXPECT_EQ(WindowText(app->FindAt(L"ComboBox", 268, 45, appearance)), L"12  Angel");
    EXPECT_EQ(WindowText(PictureBox(*app)), L"avwANGL1.DEF");
    EXPECT_EQ(ListItems(PictureBox(*app)), (std::vector<std::wstring>{L"AVWangl0.def", L"AVWangl1.def"}));
}

}  // namespace

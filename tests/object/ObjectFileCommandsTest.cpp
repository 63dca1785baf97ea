// "&Save", "&Load" and reading a named file, with real files in a fresh folder,
// a window that only keeps what it is told, and dialogs that answer as a user
// would. Message boxes are real; a watcher thread reads and answers them.
#include "object/ObjectFileCommands.h"

#include <commdlg.h>
#include <gtest/gtest.h>


#include "framework/OSError.h"
#include "object/ClipboardExchange.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/ObjectBlocks.h"
#include "tests/support/TempDir.h"

namespace {

using testfs::TTempDir;

using TFakeWindow = testblocks::TFakeObjectControls;

// Answers with a chosen name (or a cancel) and remembers what it was preset with.
template <class TDialog>
class TScriptedDialog : public TDialog {
public:
    TScriptedDialog() : TDialog(nullptr) {}
    bool Execute(HWND) override
    {
        ++shown;
        presets.push_back(this->FileName());
        if (answer.empty())
            return false;
        this->SetFileName(answer);
        return true;
    }
    std::wstring answer;  // empty: the user cancels
    std::vector<std::wstring> presets;
    int shown = 0;
};
using TSaveScript = TScriptedDialog<TSaveDialog>;
using TOpenScript = TScriptedDialog<TOpenDialog>;

// Every message box this process shows, as "caption: text", each answered.
class TBoxWatcher {
public:
    std::vector<std::wstring> Texts()
    {
        std::vector<std::wstring> texts;
        for (const testmsg::TBox& box : answerer_.Boxes())
            texts.push_back(box.Caption + L": " + box.Text);
        return texts;
    }
    void Clear() { answerer_.Clear(); }

private:
    testmsg::TBoxAnswerer answerer_;
};

// A block as the map editor makes it, with a tail of recognisable bytes.
std::vector<uint8_t> MakeBlock(const std::string& name, size_t size)
{
    testblocks::TBlockFields s;
    s.Name = name;
    s.Water = 0x01;
    s.Subtype = -3;
    s.Size = size;
    return testblocks::MakeBlock(s);
}

// Answers the replace question as scripted and remembers what was asked.
class TScriptedCommands : public TObjectFileCommands {
public:
    std::vector<bool> answers;  // one per question, in order; then "Yes"
    std::vector<std::wstring> asked;
    std::wstring* dialogAnswer = nullptr;  // cleared on "No", so the dialog then cancels

protected:
    bool ConfirmReplace(HWND, const std::wstring& fileName) override
    {
        asked.push_back(fileName);
        const bool yes = answers.empty() || answers.front();
        if (!answers.empty())
            answers.erase(answers.begin());
        if (!yes && dialogAnswer)
            dialogAnswer->clear();
        return yes;
    }
};

class ObjectFileCommandsTest : public ::testing::Test {
protected:
    // The window with an object decoded into it, as after a Paste.
    void LoadObject(const std::vector<uint8_t>& block)
    {
        window_.block = block;
        ASSERT_TRUE(DecodeIntoControls(window_));
    }

    // Saves through a dialog that answers name.
    void SaveAs(const std::wstring& name)
    {
        save_.answer = name;
        commands_.Save(window_, save_, nullptr);
    }

    TTempDir dir_;
    TBoxWatcher boxes_;
    TFakeWindow window_;
    TScriptedCommands commands_;
    TSaveScript save_;
    TOpenScript open_;
};

TEST_F(ObjectFileCommandsTest, DialogOptionsAreTheSystemFlagsWanted)
{
    EXPECT_EQ(OpenOptionsToFlags(kSaveDialogOptions), DWORD(OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLESIZING));
    EXPECT_EQ(OpenOptionsToFlags(kOpenDialogOptions),
              DWORD(OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING));
}

TEST_F(ObjectFileCommandsTest, SaveNamesTheFileByTheKstRuleAndPresetsTheNextDialog)
{
    LoadObject(MakeBlock("AVWmrnd0", 300));
    EXPECT_TRUE(commands_.FileName().empty());

    SaveAs(dir_ / L"first");
    EXPECT_EQ(save_.presets.back(), L"") << "nothing preset before a name was chosen";
    EXPECT_TRUE(testfs::FileExists(dir_ / L"first.kst"));
    EXPECT_FALSE(testfs::FileExists(dir_ / L"first"));
    EXPECT_EQ(commands_.FileName(), dir_ / L"first.kst");

    // Another extension stays; a dot in a folder name is no extension.
    SaveAs(dir_ / L"second.dat");
    EXPECT_EQ(save_.presets.back(), dir_ / L"first.kst");
    EXPECT_TRUE(testfs::FileExists(dir_ / L"second.dat"));
    CreateDirectoryW((dir_ / L"a.b").c_str(), nullptr);
    SaveAs(dir_ / L"a.b\\third");
    EXPECT_EQ(save_.presets.back(), dir_ / L"second.dat");
    EXPECT_TRUE(testfs::FileExists(dir_ / L"a.b\\third.kst"));

    // The open dialog shares the name; a cancelled dialog changes nothing.
    open_.answer.clear();
    commands_.Load(window_, open_, nullptr);
    EXPECT_EQ(open_.presets.back(), dir_ / L"a.b\\third.kst");
    save_.answer.clear();
    commands_.Save(window_, save_, nullptr);
    EXPECT_EQ(commands_.FileName(), dir_ / L"a.b\\third.kst");
    EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(ObjectFileCommandsTest, SaveAsksBeforeReplacingTheFinalNameAndNoOpensTheDialogAgain)
{
    LoadObject(MakeBlock("AVWmrnd0", 300));
    const std::vector<uint8_t> old(100, 0xAB);
    testfs::PutFile(dir_ / L"tower.kst", old);
    testfs::PutFile(dir_ / L"tower.v2", old);

    // "tower" is saved as "tower.kst", which exists: "No" reopens the dialog with
    // the final name, and a cancel there writes nothing.
    commands_.answers = {false};
    commands_.dialogAnswer = &save_.answer;
    save_.answer = dir_ / L"tower";
    const int shown = save_.shown;
    commands_.Save(window_, save_, nullptr);
    EXPECT_EQ(commands_.asked, (std::vector<std::wstring>{dir_ / L"tower.kst"}));
    EXPECT_EQ(save_.shown - shown, 2) << "the dialog opens again after No";
    EXPECT_EQ(save_.presets.back(), dir_ / L"tower.kst");
    EXPECT_EQ(testfs::FileBytes(dir_ / L"tower.kst"), old);

    // "tower.v2" keeps its extension; "Yes" replaces that very file.
    commands_.asked.clear();
    commands_.answers = {true};
    SaveAs(dir_ / L"tower.v2");
    EXPECT_EQ(commands_.asked, (std::vector<std::wstring>{dir_ / L"tower.v2"}));
    EXPECT_EQ(testfs::FileBytes(dir_ / L"tower.v2").size(), 4096u);
    EXPECT_FALSE(testfs::FileExists(dir_ / L"tower.v2.kst"));
    EXPECT_EQ(testfs::FileBytes(dir_ / L"tower.kst"), old);

    // A new name is written without a question.
    commands_.asked.clear();
    SaveAs(dir_ / L"keep");
    EXPECT_TRUE(commands_.asked.empty());
    EXPECT_TRUE(testfs::FileExists(dir_ / L"keep.kst"));
}

TEST_F(ObjectFileCommandsTest, EverySavedFileIs4096BytesAndBecomesTheCurrentBlock)
{
    // Shortest acceptable block, a long name, and a block longer than 4096 bytes.
    const std::vector<std::vector<uint8_t>> blocks = {
        MakeBlock("", 46), MakeBlock(std::string(3000, 'n'), 3200), MakeBlock("AVWmrnd0", 9000)};
    int i = 0;
    for (const auto& block : blocks) {
        LoadObject(block);
        const std::wstring name = dir_ / (L"f" + std::to_wstring(++i) + L".kst");
        SaveAs(name);
        const auto bytes = testfs::FileBytes(name);
        ASSERT_EQ(bytes.size(), 4096u) << "block of " << block.size();
        EXPECT_EQ(window_.block, bytes);
        // Fields and the start of the tail as read; the rest zero or cut.
        const size_t kept = std::min<size_t>(block.size(), 4096);
        EXPECT_TRUE(std::equal(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(kept), bytes.begin()));
        EXPECT_TRUE(std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(kept), bytes.end(),
                                [](uint8_t b) { return b == 0; }));
    }
}

TEST_F(ObjectFileCommandsTest, SaveReplacesAReadOnlyFileAndMakesMissingFolders)
{
    LoadObject(MakeBlock("AVWmrnd0", 300));
    const std::wstring locked = dir_ / L"locked.kst";
    testfs::PutFile(locked, {1, 2, 3});
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    SaveAs(locked);
    EXPECT_EQ(testfs::FileBytes(locked), window_.block);

    const std::wstring deep = dir_ / L"one\\two\\three\\deep";
    SaveAs(deep);
    EXPECT_EQ(testfs::FileBytes(deep + L".kst").size(), 4096u);
    EXPECT_TRUE(boxes_.Texts().empty());
}

// What a failing disk leaves is tested on the main window; here, that the name
// chosen for the failed save presets the next dialog.
TEST_F(ObjectFileCommandsTest, FailedSaveStillRemembersTheChosenName)
{
    LoadObject(MakeBlock("AVWmrnd0", 300));
    CreateDirectoryW((dir_ / L"folder.kst").c_str(), nullptr);
    EXPECT_THROW(SaveAs(dir_ / L"folder"), EOSError);
    EXPECT_EQ(commands_.FileName(), dir_ / L"folder.kst");
    save_.answer.clear();
    commands_.Save(window_, save_, nullptr);
    EXPECT_EQ(save_.presets.back(), dir_ / L"folder.kst");
}

TEST_F(ObjectFileCommandsTest, SaveWithoutObjectOrWithBadControlsShowsNoDialog)
{
    SaveAs(dir_ / L"nothing");
    EXPECT_EQ(save_.shown, 0);
    EXPECT_TRUE(boxes_.Texts().empty());

    LoadObject(MakeBlock("AVWmrnd0", 300));
    window_.texts[L"ComboBox1"] = L"4294967296";
    window_.texts[L"ComboBox2"] = L"99999999999";
    SaveAs(dir_ / L"bad");
    EXPECT_EQ(save_.shown, 0);
    EXPECT_EQ(boxes_.Texts(), std::vector<std::wstring>{L"Error: Wrong Type, Wrong Subtype"});
    EXPECT_TRUE(testfs::ListDir(dir_.Path()).empty());
    EXPECT_TRUE(commands_.FileName().empty());
}

TEST_F(ObjectFileCommandsTest, SaveAndLoadAgainGivesTheSameControls)
{
    LoadObject(MakeBlock("AVWmrnd0", 300));
    window_.SetChecked(TerrainControlName(3), true);
    window_.SetChecked(PageButtonName(5), true);
    window_.texts[L"ComboBox2"] = L"12";
    window_.masks.SetKind(2, 7, ckNonEnterableEnter);
    window_.SetPictureName("AVXnew");
    const TObjectValues saved = ValuesFromControls(window_);
    SaveAs(dir_ / L"round");

    TFakeWindow fresh;
    open_.answer = dir_ / L"round.kst";
    commands_.Load(fresh, open_, nullptr);
    EXPECT_EQ(open_.presets.back(), dir_ / L"round.kst");
    EXPECT_TRUE(fresh.shown);
    EXPECT_EQ(ValuesFromControls(fresh), saved);
    EXPECT_EQ(fresh.block, window_.block);
    EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(ObjectFileCommandsTest, ShortOrEmptyFileIsWrongDataAndUnloadsTheObject)
{
    for (const size_t size : {size_t{45}, size_t{0}}) {
        LoadObject(MakeBlock("AVWmrnd0", 300));
        const std::wstring name = dir_ / (L"short" + std::to_wstring(size) + L".kst");
        std::vector<uint8_t> bytes = MakeBlock("", 46);
        bytes.resize(size);
        testfs::PutFile(name, bytes);
        boxes_.Clear();
        open_.answer = name;
        commands_.Load(window_, open_, nullptr);
        EXPECT_EQ(boxes_.Texts(), std::vector<std::wstring>{L"Error: The file contains wrong data"}) << size;
        EXPECT_FALSE(window_.shown);
        EXPECT_TRUE(window_.block.empty());
    }

    // With nothing loaded, Save shows no dialog and Copy leaves the clipboard alone.
    boxes_.Clear();
    SaveAs(dir_ / L"after");
    EXPECT_EQ(save_.shown, 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 4);
    ASSERT_TRUE(text && SetClipboardData(CF_UNICODETEXT, text));
    CloseClipboard();
    TClipboardExchange exchange;
    exchange.RegisterFormat(L"28");
    exchange.Copy(window_, nullptr);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(exchange.Format()));
    EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(ObjectFileCommandsTest, LoadAddsKstAndAMissingFileIsASystemError)
{
    LoadObject(MakeBlock("AVWmrnd0", 300));
    SaveAs(dir_ / L"kept");
    testfs::PutFile(dir_ / L"plain", MakeBlock("other", 100));

    // The chosen "plain" is read as "plain.kst", which does not exist.
    const std::vector<uint8_t> before = window_.block;
    window_.SetPictureName("edited");
    open_.answer = dir_ / L"plain";
    try {
        commands_.Load(window_, open_, nullptr);
        ADD_FAILURE() << "no error";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), DWORD(ERROR_FILE_NOT_FOUND));
        EXPECT_EQ(e.Message().rfind(L"System Error.  Code: 2.\r\n", 0), 0u);
    }
    EXPECT_EQ(commands_.FileName(), dir_ / L"plain.kst");
    EXPECT_EQ(window_.block, before);
    EXPECT_EQ(window_.name, "edited");
    EXPECT_TRUE(window_.shown);

    // Load works with nothing loaded yet.
    TFakeWindow empty;
    open_.answer = dir_ / L"kept.kst";
    commands_.Load(empty, open_, nullptr);
    EXPECT_EQ(empty.name, "AVWmrnd0");
    EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(ObjectFileCommandsTest, ReadFileTakesTheNameAsGivenAndRemembersNothing)
{
    const std::wstring cyrillic = dir_ / L"\u041e\u0431\u044a\u0435\u043a\u0442\u044b\\\u0434\u043e\u043c";
    LoadObject(MakeBlock("AVWmrnd0", 300));
    SaveAs(cyrillic);
    EXPECT_EQ(commands_.FileName(), cyrillic + L".kst");

    TObjectFileCommands other;
    TFakeWindow fresh;
    EXPECT_THROW(other.ReadFile(fresh, cyrillic, nullptr), EOSError) << "no extension is added";
    EXPECT_TRUE(fresh.block.empty());
    EXPECT_FALSE(fresh.shown);
    other.ReadFile(fresh, cyrillic + L".kst", nullptr);
    EXPECT_EQ(fresh.name, "AVWmrnd0");
    EXPECT_TRUE(fresh.shown);
    EXPECT_TRUE(other.FileName().empty());
    EXPECT_TRUE(boxes_.Texts().empty());
}

TEST(CommandLineFileTest, FirstArgumentWhenPresentAndNotEmpty)
{
    EXPECT_FALSE(CommandLineFile(L"Kestrin.exe"));
    EXPECT_FALSE(CommandLineFile(L"\"C:\\Program Files\\Kestrin.exe\"  "));
    EXPECT_FALSE(CommandLineFile(L"Kestrin.exe \"\" other.kst"));
    EXPECT_FALSE(CommandLineFile(L""));
    EXPECT_FALSE(CommandLineFile(L"\"C:\\No end quote\\Kestrin.exe  "));
    EXPECT_FALSE(CommandLineFile(L"Kestrin.exe\t \t"));
    EXPECT_EQ(CommandLineFile(L"Kestrin.exe\tgood.kst"), L"good.kst");
    EXPECT_EQ(CommandLineFile(L"Kestrin.exe good.kst second.kst"), L"good.kst");
    EXPECT_EQ(CommandLineFile(L"\"C:\\K s\\Kestrin.exe\" \"C:\\My maps\\a b\""), L"C:\\My maps\\a b");
    EXPECT_EQ(CommandLineFile(L"Kestrin.exe \u0434\u043e\u043c.kst"), L"\u0434\u043e\u043c.kst");
}

}  // namespace

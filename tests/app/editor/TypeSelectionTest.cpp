// The type and subtype boxes on the real main window: the lists they offer, the
// subtype list that follows the type, the keys, and decoding by name.
#include <gtest/gtest.h>

#include <cstring>

#include "app/MainForm.h"
#include "controls/KdStringer.h"
#include "controls/KdWinController.h"
#include "framework/Application.h"
#include "framework/ComboBox.h"
#include "framework/StdCtrls.h"
#include "object/ObjectControls.h"
#include "tests/support/DialogAnswerer.h"

namespace {

constexpr wchar_t kArtifactHint[] =
    L"*  WoG artifacts\r\n**  Not artifacts (internal use only)\r\n***  Commander Artifacts\r\n****  Blank Artifacts";

class TypeSelectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Nothing on the clipboard for the start-up paste.
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        CloseClipboard();
        form = new TForm1(Application);
    }
    void TearDown() override { delete form; }

    TComboBox* Box(const wchar_t* name) { return FindComponentAs<TComboBox>(form, name); }
    std::wstring Text(const wchar_t* name) { return Box(name)->Text(); }
    int Count(const wchar_t* name) { return Box(name)->Items()->Count(); }
    // A type typed into a type box: the text, then the box's change.
    void SetType(const wchar_t* box, const std::wstring& text)
    {
        Box(box)->SetText(text);
        form->ObjectControls().RunChange(box);
    }
    void Select(const wchar_t* box, int32_t value) { form->ObjectControls().SelectByValue(box, value); }
    // A key pressed in a box's text field.
    void KeyInText(const wchar_t* box, WORD key)
    {
        SendMessageW(GetWindow(Box(box)->Handle(), GW_CHILD), WM_KEYDOWN, key, 0);
    }

    // Decodes a block of that type and subtype; gives back what encoding then writes.
    std::pair<int32_t, int32_t> DecodeAndEncode(int32_t type, int32_t subtype)
    {
        std::vector<uint8_t> block(46, 0);
        std::memcpy(block.data() + 20, &type, 4);
        std::memcpy(block.data() + 24, &subtype, 4);
        form->ObjectControls().CurrentBlock() = block;
        EXPECT_TRUE(DecodeIntoControls(form->ObjectControls()));
        std::array<uint8_t, kObjectBlockSize> out{};
        EncodeFromControls(form->ObjectControls(), out);
        std::pair<int32_t, int32_t> r;
        std::memcpy(&r.first, out.data() + 20, 4);
        std::memcpy(&r.second, out.data() + 24, 4);
        return r;
    }

    TForm1* form = nullptr;
};

TEST_F(TypeSelectionTest, TypeBoxesOfferTypesByNumberOrByName)
{
    for (const wchar_t* box : {L"ComboBox1", L"ComboBox3"}) {
        EXPECT_EQ(Text(box), L"0  <none>");
        EXPECT_EQ(Count(box), 232);
    }
    EXPECT_EQ(Count(L"ComboBox2"), 0);

    Select(L"ComboBox1", 33);
    Box(L"ComboBox2")->SetText(L"4");
    HWND alphabetical = FindComponentAs<TCheckBox>(form, L"CheckBox21")->Handle();
    SendMessageW(alphabetical, BM_CLICK, 0, 0);
    auto* types = Box(L"ComboBox1");
    EXPECT_EQ(types->Tag(), 1);
    EXPECT_EQ(Count(L"ComboBox1"), 225);
    EXPECT_EQ(types->Text(), L"33  Garrison");
    EXPECT_EQ(types->Items()->Get(types->ItemIndex() - 1), L"219  Garrison");
    EXPECT_EQ(Box(L"ComboBox3")->ItemIndex(), 2);  // "0  <none>"
    EXPECT_EQ(Text(L"ComboBox2"), L"4");             // subtypes are not rebuilt
    Select(L"ComboBox1", 139);
    EXPECT_EQ(types->Text(), L"139");

    Select(L"ComboBox1", 65);
    SendMessageW(alphabetical, BM_CLICK, 0, 0);
    EXPECT_EQ(types->Tag(), 0);
    EXPECT_EQ(types->Text(), L"65  Random Artifact");
    EXPECT_EQ(types->ItemIndex(), 65);
}

TEST_F(TypeSelectionTest, SubtypeListFollowsTheType)
{
    auto* subtypes = Box(L"ComboBox2");
    SetType(L"ComboBox1", L"5");
    EXPECT_EQ(Count(L"ComboBox2"), 171);
    EXPECT_EQ(subtypes->Hint(), kArtifactHint);
    SetType(L"ComboBox1", L"9");
    EXPECT_EQ(Count(L"ComboBox2"), 8);
    EXPECT_EQ(subtypes->Hint(), kArtifactHint);  // kept from the artifacts

    SetType(L"ComboBox1", L"17");  // number mode
    Select(L"ComboBox2", 56);
    EXPECT_EQ(subtypes->Text(), L"56  Guardhouse (Pikemen)");
    EXPECT_EQ(subtypes->ItemIndex(), 0);
    Select(L"ComboBox2", 999);
    EXPECT_EQ(subtypes->Text(), L"999");

    // The subtype keeps its number across types, or only its number.
    SetType(L"ComboBox1", L"98");
    Select(L"ComboBox2", 3);
    SetType(L"ComboBox1", L"16");
    EXPECT_EQ(subtypes->Text(), L"3  Imp Cache");
    Select(L"ComboBox2", 12);
    SetType(L"ComboBox1", L"1");
    EXPECT_EQ(subtypes->Text(), L"12");
    SetType(L"ComboBox1", L"16");
    SetType(L"ComboBox1", L"99999999999");
    EXPECT_EQ(Count(L"ComboBox2"), 0);
    EXPECT_EQ(subtypes->Text(), L"12");

    // The appearance pair works the same way.
    SetType(L"ComboBox3", L"5");
    EXPECT_EQ(Count(L"ComboBox4"), 171);
    EXPECT_EQ(Box(L"ComboBox4")->Hint(), kArtifactHint);
}

TEST_F(TypeSelectionTest, DecodingShowsNamesAndEncodingReadsTheNumbers)
{
    EXPECT_EQ(DecodeAndEncode(54, 12), std::make_pair(54, 12));
    EXPECT_EQ(Text(L"ComboBox1"), L"54  Monster");
    EXPECT_EQ(Text(L"ComboBox2"), L"12  Angel");
    DecodeAndEncode(231, 0);
    EXPECT_EQ(Text(L"ComboBox1"), L"231  Rocklands");
    DecodeAndEncode(232, 0);
    EXPECT_EQ(Text(L"ComboBox1"), L"232");
    EXPECT_EQ(DecodeAndEncode(-1, -1), std::make_pair(-1, -1));
    EXPECT_EQ(Text(L"ComboBox1"), L"-1");
}

TEST_F(TypeSelectionTest, UpAndDownStepTheNumberOfABoxWithoutList)
{
    SetType(L"ComboBox1", L"1");
    auto* subtypes = Box(L"ComboBox2");
    const std::tuple<const wchar_t*, WORD, const wchar_t*> steps[] = {
        {L"0", VK_UP, L"0"},          {L"0", VK_DOWN, L"1"},
        {L"-1", VK_UP, L"-2"},        {L"2147483647", VK_DOWN, L"-2147483648"},
        {L"99999999999", VK_DOWN, L"99999999999"}};
    for (const auto& [before, key, after] : steps) {
        subtypes->SetText(before);
        KeyInText(L"ComboBox2", key);
        EXPECT_EQ(subtypes->Text(), after) << testing::PrintToString(before);
    }
    Box(L"ComboBox4")->SetText(L"4");
    KeyInText(L"ComboBox4", VK_DOWN);
    EXPECT_EQ(Text(L"ComboBox4"), L"5");
}

TEST_F(TypeSelectionTest, KeysReachingTheBoxRealignItWithTheTypedNumber)
{
    for (int n = 1; n <= 4; ++n) {
        auto* c = FindComponentAs<TKdWinController>(form, L"KdWinController" + std::to_wstring(n));
        ASSERT_TRUE(c && c->OnWndProc) << n;
        EXPECT_EQ(c->Priority(), 200);
        EXPECT_EQ(c->Hooked(), n <= 2) << n;
    }

    auto* types = Box(L"ComboBox1");
    types->SetText(L"54");
    SendMessageW(types->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(types->Text(), L"54  Monster");  // not moved on by list position
    types->SetText(L"7x");
    SendMessageW(types->Handle(), WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(types->Text(), L"7  Black Market");
    // Enter typed into the text field reaches the hook too.
    types->SetText(L"54");
    SendMessageW(FindWindowExW(types->Handle(), nullptr, L"Edit", nullptr), WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(types->Text(), L"54  Monster");

    // Enter and Escape still close an open list; the box is then realigned.
    form->Show();
    FindComponentAs<TGroupBox>(form, L"GroupBox1")->Show();
    for (WORD key : {WORD(VK_RETURN), WORD(VK_ESCAPE)}) {
        types->SetDroppedDown(true);
        ASSERT_TRUE(types->DroppedDown());
        types->SetText(L"12");
        SendMessageW(types->Handle(), WM_KEYDOWN, key, 0);
        EXPECT_FALSE(types->DroppedDown()) << key;
        EXPECT_EQ(types->Text(), L"12  Campfire") << key;
    }
}

// Enter pressed on the keyboard, through the system's input queue, with the
// box's list open: the list closes, and a watched box shows the typed number's
// entry. Messages sent straight to the box window do not take this path.
TEST_F(TypeSelectionTest, EnterFromTheKeyboardClosesAnOpenListAndRealignsTheBox)
{
    form->Show();
    for (const wchar_t* group : {L"GroupBox1", L"GroupBox4"})
        FindComponentAs<TGroupBox>(form, group)->Show();
    SetForegroundWindow(form->Handle());
    for (const wchar_t* name : {L"ComboBox1", L"ComboBox2", L"ComboBox3", L"ComboBox4"}) {
        auto* box = Box(name);
        SetType(L"ComboBox1", L"12");
        SetType(L"ComboBox3", L"12");
        box->SetFocus();
        box->SetDroppedDown(true);
        ASSERT_TRUE(box->DroppedDown()) << testing::PrintToString(name);
        box->SetText(L"12");
        INPUT keys[2]{};
        for (INPUT& key : keys) {
            key.type = INPUT_KEYBOARD;
            key.ki.wVk = VK_RETURN;
        }
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ASSERT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
        for (const DWORD start = GetTickCount(); GetTickCount() - start < 2000 && box->DroppedDown();)
            Application->ProcessMessages();
        Application->ProcessMessages();
        EXPECT_FALSE(box->DroppedDown()) << testing::PrintToString(name);
        if (box == Box(L"ComboBox1")) {
            EXPECT_EQ(box->Text(), L"12  Campfire");
        }
    }
}

TEST_F(TypeSelectionTest, FaultySubtypeTableLinesAreReportedAndTheSubtypeStillMatched)
{
    TStringList& table = FindComponentAs<TKdStringer>(form, L"ListSubtypes")->Items();
    table.Add(L"7");
    table.Add(L"8\tZZ");
    table.Add(L"99999999999\tBG");
    testmsg::TBoxAnswerer answerer;
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {{L"7", L"Internal Error: Wrong List End 16"},
                                                               {L"8", L"Internal Error: No ListZZ"},
                                                               {L"2147483647", L"Internal Error: Wrong list 18"}};
    for (const auto& [type, message] : cases) {
        SetType(L"ComboBox1", L"16");
        Select(L"ComboBox2", 12);
        answerer.Clear();
        SetType(L"ComboBox1", type);
        const std::vector<testmsg::TBox> boxes = answerer.Boxes();
        ASSERT_EQ(boxes.size(), 1u) << testing::PrintToString(type);
        EXPECT_EQ(boxes[0].Text, message);
        EXPECT_EQ(boxes[0].Caption, L"");
        EXPECT_EQ(Text(L"ComboBox2"), L"12");
    }
}

}  // namespace

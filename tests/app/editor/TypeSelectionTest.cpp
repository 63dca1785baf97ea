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
#include "tests/support/MessageBoxAnswerer.h"

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

    bool Decode(int32_t type, int32_t subtype)
    {
        std::vector<uint8_t> block(46, 0);
        std::memcpy(block.data() + 20, &type, 4);
        std::memcpy(block.data() + 24, &subtype, 4);
        form->ObjectControls().CurrentBlock() = block;
        return DecodeIntoControls(form->ObjectControls());
    }

    std::pair<int32_t, int32_t> Encoded()
    {
        std::array<uint8_t, kObjectBlockSize> out{};
        EncodeFromControls(form->ObjectControls(), out);
        std::pair<int32_t, int32_t> r;
        std::memcpy(&r.first, out.data() + 20, 4);
        std::memcpy(&r.second, out.data() + 24, 4);
        return r;
    }

    // A key pressed in a box's text field, as the keyboard delivers it there.
    void KeyInText(const wchar_t* box, WORD key)
    {
        HWND edit = GetWindow(Box(box)->Handle(), GW_CHILD);
        ASSERT_TRUE(edit);
        SendMessageW(edit, WM_KEYDOWN, key, 0);
        SendMessageW(edit, WM_KEYUP, key, 0);
    }

    TForm1* form = nullptr;
};

TEST_F(TypeSelectionTest, TypeBoxesOfferTypesByNumberOrByName)
{
    for (const wchar_t* box : {L"ComboBox1", L"ComboBox3"}) {
        EXPECT_EQ(Text(box), L"0  <none>");
        EXPECT_EQ(Count(box), 232);
        EXPECT_EQ(Box(box)->Tag(), 0);
    }
    EXPECT_EQ(Count(L"ComboBox2"), 0);
    EXPECT_EQ(Box(L"ComboBox2")->Hint(), L"");

    Select(L"ComboBox1", 33);
    Box(L"ComboBox2")->SetText(L"4");
    auto* alphabetical = FindComponentAs<TCheckBox>(form, L"CheckBox21");
    ASSERT_EQ(alphabetical->Caption(), L"Types in alphabetical order");
    ASSERT_FALSE(alphabetical->Checked());
    SendMessageW(alphabetical->Handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(alphabetical->Checked());

    // Value 33 is the second "Garrison", after 219.
    auto* types = Box(L"ComboBox1");
    EXPECT_EQ(types->Tag(), 1);
    EXPECT_EQ(Count(L"ComboBox1"), 225);
    EXPECT_EQ(types->Text(), L"33  Garrison");
    ASSERT_GT(types->ItemIndex(), 0);
    EXPECT_EQ(types->Items()->Get(types->ItemIndex() - 1), L"219  Garrison");
    EXPECT_EQ(Text(L"ComboBox3"), L"0  <none>");
    EXPECT_EQ(Box(L"ComboBox3")->ItemIndex(), 2);
    EXPECT_EQ(Text(L"ComboBox2"), L"4");  // the subtype list is not rebuilt
    Select(L"ComboBox1", 139);
    EXPECT_EQ(types->Text(), L"139");
    EXPECT_EQ(types->ItemIndex(), -1);

    Select(L"ComboBox1", 65);
    SendMessageW(alphabetical->Handle(), BM_CLICK, 0, 0);
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
    EXPECT_EQ(subtypes->Items()->Get(7), L"7  Black");
    EXPECT_EQ(Count(L"ComboBox2"), 8);
    EXPECT_EQ(subtypes->Hint(), kArtifactHint);  // kept from the artifacts

    // Number mode: the dwellings are found by their numbers.
    SetType(L"ComboBox1", L"17");
    EXPECT_EQ(subtypes->Tag(), 1);
    Select(L"ComboBox2", 56);
    EXPECT_EQ(subtypes->Text(), L"56  Guardhouse (Pikemen)");
    EXPECT_EQ(subtypes->ItemIndex(), 0);
    Select(L"ComboBox2", 999);
    EXPECT_EQ(subtypes->Text(), L"999");

    // The subtype keeps its number across types.
    SetType(L"ComboBox1", L"98");
    Select(L"ComboBox2", 3);
    EXPECT_EQ(subtypes->Text(), L"3  Inferno");
    SetType(L"ComboBox1", L"16");
    EXPECT_EQ(subtypes->Text(), L"3  Imp Cache");
    Select(L"ComboBox2", 12);
    SetType(L"ComboBox1", L"1");
    EXPECT_EQ(subtypes->Text(), L"12");
    EXPECT_EQ(Count(L"ComboBox2"), 0);
    SetType(L"ComboBox1", L"16");
    SetType(L"ComboBox1", L"99999999999");
    EXPECT_EQ(Count(L"ComboBox2"), 0);
    EXPECT_EQ(subtypes->Text(), L"12");

    // Typed by the user, key by key: the list follows each change.
    HWND edit = GetWindow(Box(L"ComboBox1")->Handle(), GW_CHILD);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CHAR, L'5', 0);
    EXPECT_EQ(Count(L"ComboBox2"), 171);
    SendMessageW(edit, WM_CHAR, L'4', 0);
    EXPECT_EQ(Count(L"ComboBox2"), 192);
    EXPECT_EQ(subtypes->Text(), L"12  Angel");

    // The appearance pair works the same way, hint included.
    SetType(L"ComboBox3", L"5");
    EXPECT_EQ(Count(L"ComboBox4"), 171);
    EXPECT_EQ(Box(L"ComboBox4")->Hint(), kArtifactHint);
    SetType(L"ComboBox3", L"113");
    EXPECT_EQ(Box(L"ComboBox4")->Items()->Get(1), L"1 Snowy( WOG)");
    EXPECT_EQ(Box(L"ComboBox4")->Hint(), kArtifactHint);
}

TEST_F(TypeSelectionTest, DecodingShowsNamesAndEncodingReadsTheNumbers)
{
    ASSERT_TRUE(Decode(54, 12));
    EXPECT_EQ(Text(L"ComboBox1"), L"54  Monster");
    EXPECT_EQ(Text(L"ComboBox2"), L"12  Angel");
    EXPECT_EQ(Encoded(), std::make_pair(54, 12));

    ASSERT_TRUE(Decode(231, 0));
    EXPECT_EQ(Text(L"ComboBox1"), L"231  Rocklands");
    EXPECT_EQ(Text(L"ComboBox2"), L"0");
    ASSERT_TRUE(Decode(232, 5));
    EXPECT_EQ(Text(L"ComboBox1"), L"232");
    ASSERT_TRUE(Decode(-1, -1));
    EXPECT_EQ(Text(L"ComboBox1"), L"-1");
    EXPECT_EQ(Text(L"ComboBox2"), L"-1");
    EXPECT_EQ(Encoded(), std::make_pair(-1, -1));
    ASSERT_TRUE(Decode(17, 0));
    EXPECT_EQ(Text(L"ComboBox2"), L"0  Basilisk Pit (Basilisks)");
    EXPECT_EQ(Encoded(), std::make_pair(17, 0));
}

TEST_F(TypeSelectionTest, UpAndDownStepTheNumberOfABoxWithoutList)
{
    SetType(L"ComboBox1", L"1");
    auto* subtypes = Box(L"ComboBox2");
    subtypes->SetText(L"0");
    KeyInText(L"ComboBox2", VK_UP);
    EXPECT_EQ(subtypes->Text(), L"0");
    KeyInText(L"ComboBox2", VK_DOWN);
    EXPECT_EQ(subtypes->Text(), L"1");
    subtypes->SetText(L"-1");
    KeyInText(L"ComboBox2", VK_UP);
    EXPECT_EQ(subtypes->Text(), L"-2");
    subtypes->SetText(L"2147483647");
    KeyInText(L"ComboBox2", VK_DOWN);
    EXPECT_EQ(subtypes->Text(), L"-2147483648");
    KeyInText(L"ComboBox2", VK_UP);
    EXPECT_EQ(subtypes->Text(), L"2147483647");
    subtypes->SetText(L"99999999999");
    KeyInText(L"ComboBox2", VK_DOWN);
    EXPECT_EQ(subtypes->Text(), L"99999999999");

    // Stepping does not rebuild a list, and the appearance boxes step too.
    Box(L"ComboBox4")->SetText(L"4");
    KeyInText(L"ComboBox4", VK_DOWN);
    EXPECT_EQ(Text(L"ComboBox4"), L"5");
    EXPECT_EQ(Count(L"ComboBox4"), 0);
}

TEST_F(TypeSelectionTest, KeysReachingTheBoxRealignItWithTheTypedNumber)
{
    for (int n = 1; n <= 4; ++n) {
        auto* c = FindComponentAs<TKdWinController>(form, L"KdWinController" + std::to_wstring(n));
        ASSERT_TRUE(c) << n;
        EXPECT_TRUE(c->Active());
        EXPECT_EQ(c->Priority(), 200);
        EXPECT_TRUE(c->OnWndProc);
        EXPECT_EQ(c->Hooked(), n <= 2) << n;
    }

    auto* types = Box(L"ComboBox1");
    types->SetText(L"54");
    SendMessageW(types->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(types->Text(), L"54  Monster");  // not moved on by list position
    EXPECT_EQ(types->ItemIndex(), 54);
    types->SetText(L"7x");
    SendMessageW(types->Handle(), WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(types->Text(), L"7  Black Market");
    types->SetText(L"99999999999");
    SendMessageW(types->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(types->Text(), L"99999999999");

    SetType(L"ComboBox1", L"17");
    auto* subtypes = Box(L"ComboBox2");
    subtypes->SetText(L"95");
    SendMessageW(subtypes->Handle(), WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(subtypes->Text(), L"95  Snowman (Santa Gremlins)");

    // Enter and Escape still close an open list, and the box is realigned.
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

TEST_F(TypeSelectionTest, FaultySubtypeTableLinesAreReportedAndTheSubtypeStillMatched)
{
    TStringList& table = FindComponentAs<TKdStringer>(form, L"ListSubtypes")->Items();
    table.Add(L"7");
    table.Add(L"8\tZZ");
    table.Add(L"99999999999\tBG");
    testmsg::TBoxAnswerer answerer;
    ASSERT_TRUE(answerer.Hooked());

    auto* subtypes = Box(L"ComboBox2");
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"7", L"Internal Error: Wrong List End 16"},
        {L"8", L"Internal Error: No ListZZ"},
        {L"2147483647", L"Internal Error: Wrong list 18"}};
    for (const auto& [type, message] : cases) {
        SetType(L"ComboBox1", L"16");
        Select(L"ComboBox2", 12);
        answerer.Boxes.clear();
        SetType(L"ComboBox1", type);
        ASSERT_EQ(answerer.Boxes.size(), 1u) << testing::PrintToString(type);
        EXPECT_EQ(answerer.Boxes[0].Text, message);
        EXPECT_EQ(answerer.Boxes[0].Caption, L"");
        EXPECT_EQ(Count(L"ComboBox2"), 0);
        EXPECT_EQ(subtypes->Text(), L"12");
    }
}

}  // namespace

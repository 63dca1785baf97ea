// The built-in value lists as data: each holder's tag and line count, lines that
// read back as their values, and the lines whose blanks are unusual.
#include "app/editor/ValueLists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "object/ObjectBlock.h"

namespace {

std::map<std::wstring, TValueListData> ByName()
{
    std::map<std::wstring, TValueListData> lists;
    for (const TValueListData& list : BuiltInValueLists())
        EXPECT_TRUE(lists.emplace(list.Name, list).second) << "twice: " << testing::PrintToString(list.Name);
    return lists;
}

TEST(ValueLists, EveryHolderHasItsTagAndLineCount)
{
    const std::map<std::wstring, std::pair<int, size_t>> expected = {
        {L"ListTypes", {0, 232}}, {L"ListTypesA", {1, 225}}, {L"ListSubtypes", {0, 16}}, {L"ListA1", {0, 171}},
        {L"HintA1", {0, 4}},      {L"ListBG", {0, 8}},       {L"ListCB", {0, 21}},       {L"ListCG", {1, 96}},
        {L"ListCG1", {0, 2}},     {L"ListH", {0, 18}},       {L"ListM1", {0, 8}},        {L"ListM2", {0, 9}},
        {L"ListR", {0, 8}},       {L"ListC", {0, 192}},      {L"ListT", {0, 9}},         {L"ListSS", {0, 2}}};
    const auto lists = ByName();
    ASSERT_EQ(lists.size(), expected.size());
    for (const auto& [name, tagAndCount] : expected) {
        ASSERT_TRUE(lists.count(name)) << testing::PrintToString(name);
        EXPECT_EQ(lists.at(name).Tag, tagAndCount.first) << testing::PrintToString(name);
        EXPECT_EQ(lists.at(name).Lines.size(), tagAndCount.second) << testing::PrintToString(name);
    }
}

TEST(ValueLists, IndexModeLinesReadBackAsTheirValues)
{
    for (const TValueListData& list : BuiltInValueLists()) {
        const std::wstring name = list.Name;
        if (list.Tag != 0 || name == L"ListSubtypes" || name == L"HintA1")
            continue;
        for (size_t i = 0; i < list.Lines.size(); ++i) {
            const TBoxNumber n = ReadBoxNumber(std::wstring_view(list.Lines[i]));
            EXPECT_FALSE(n.Bad);
            EXPECT_EQ(n.Value, static_cast<int32_t>(i)) << testing::PrintToString(name);
        }
    }
}

TEST(ValueLists, NumberModeListsHoldEachValueOnce)
{
    const auto lists = ByName();
    std::set<int32_t> dwellings;
    for (const wchar_t* line : lists.at(L"ListCG").Lines)
        EXPECT_TRUE(dwellings.insert(ReadBoxNumber(std::wstring_view(line)).Value).second) << testing::PrintToString(line);
    EXPECT_EQ(dwellings.size(), 96u);
    EXPECT_EQ(*dwellings.begin(), 0);
    EXPECT_EQ(*dwellings.rbegin(), 95);
    EXPECT_STREQ(lists.at(L"ListCG").Lines[0], L"56  Guardhouse (Pikemen)");

    // The alphabetical type list holds the named types: all but the seven bare
    // numbers, each once, with the "Artefact" spellings.
    const auto& byNumber = lists.at(L"ListTypes").Lines;
    const auto& byName = lists.at(L"ListTypesA").Lines;
    std::set<int32_t> types;
    for (const wchar_t* line : byName) {
        const int32_t v = ReadBoxNumber(std::wstring_view(line)).Value;
        EXPECT_TRUE(types.insert(v).second) << v;
        if (v != 65 && v != 67 && v != 68) {
            EXPECT_STREQ(line, byNumber[static_cast<size_t>(v)]);
        }
    }
    for (const wchar_t* spelled : {L"65  Random Artefact", L"67  Random Minor Artefact", L"68  Random Major Artefact"})
        EXPECT_TRUE(std::any_of(byName.begin(), byName.end(), [spelled](const wchar_t* line) {
            return std::wstring(line) == spelled;
        })) << testing::PrintToString(spelled);
    for (int32_t bare : {139, 140, 141, 142, 144, 145, 146}) {
        EXPECT_FALSE(types.count(bare)) << bare;
        EXPECT_EQ(std::wstring(byNumber[static_cast<size_t>(bare)]), std::to_wstring(bare));
    }
    const wchar_t* const first[] = {L"40  <blank>", L"50  <blank>",          L"0  <none>",      L"1  <none>",
                                    L"217  <none>", L"218  <none>",          L"2  Altar of Sacrifice", L"3  Anchor Point"};
    for (size_t i = 0; i < std::size(first); ++i)
        EXPECT_STREQ(byName[i], first[i]);
}

TEST(ValueLists, TextsWithUnusualBlanksAreExact)
{
    const auto lists = ByName();
    EXPECT_STREQ(lists.at(L"ListSS").Lines[1], L"1 Snowy( WOG)");
    EXPECT_STREQ(lists.at(L"ListM2").Lines[1], L"1  Orange (bubbles) ");
    EXPECT_STREQ(lists.at(L"ListM2").Lines[2], L"2  Purple (ripples)");
    const auto& artifacts = lists.at(L"ListA1").Lines;
    EXPECT_STREQ(artifacts[155], L"155  Zelvo's Ring of Power ***");
    EXPECT_STREQ(artifacts[156], L"156  Warlord's banner * ");
    for (size_t i = 156; i <= 170; ++i)
        EXPECT_EQ(std::wstring(artifacts[i]).back(), L' ') << i;
    EXPECT_STREQ(artifacts[170], L"170  Blank Horn **** ");
    EXPECT_STREQ(lists.at(L"HintA1").Lines[1], L"**  Not artifacts (internal use only)");
    EXPECT_STREQ(lists.at(L"ListSubtypes").Lines[0], L"5\tA1");
    EXPECT_STREQ(lists.at(L"ListSubtypes").Lines[15], L"212\tBG");

    // Equal names stand in number order, but for two pairs the later number first.
    const auto& byName = lists.at(L"ListTypesA").Lines;
    auto at = [&byName](const wchar_t* line) {
        for (size_t i = 0; i < byName.size(); ++i)
            if (std::wstring(byName[i]) == line)
                return static_cast<int>(i);
        return -1;
    };
    EXPECT_EQ(at(L"219  Garrison") + 1, at(L"33  Garrison"));
    EXPECT_EQ(at(L"220  Mine") + 1, at(L"53  Mine"));
    EXPECT_EQ(at(L"46  Magic Plains") + 1, at(L"230  Magic Plains"));
    // Otherwise ascending by name, in character codes.
    for (size_t i = 1; i < byName.size(); ++i) {
        const std::wstring before = byName[i - 1], line = byName[i];
        const std::wstring nameBefore = before.substr(before.find(L"  ") + 2), name = line.substr(line.find(L"  ") + 2);
        EXPECT_LE(nameBefore, name) << i;
    }
}

}  // namespace
